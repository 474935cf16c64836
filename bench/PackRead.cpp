// Reading 1,000 small entries of one pack through the file system, and the start-up scan of
// that pack.

#include "engine/core/FileSystem.h"

#include <benchmark/benchmark.h>
#include <minizip/zip.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

using namespace Engine;
namespace fs = std::filesystem;

namespace {

constexpr int ENTRIES = 1000;

std::string entryName(int i) {
    return "ui/widgets/entry" + std::to_string(i) + ".xml";
}

// A data folder holding one pack of 1,000 small deflated entries and the constants file; the
// user folder beside it.
class PackFixture {
public:
    PackFixture() {
        std::string pattern = (fs::temp_directory_path() / "meadow-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_root = pattern;
        fs::create_directories(m_root / "Data/sys");
        std::ofstream(m_root / "Data/sys/constants.xml")
            << "<constants><game app_directory=\"Meadow Bench\" window_title=\"Meadow\"/></constants>";
        setenv("MEADOW_USER_DIR", (m_root / "user").c_str(), 1);

        zipFile zip = zipOpen((m_root / "Data/widgets.pack").c_str(), APPEND_STATUS_CREATE);
        for (int i = 0; i < ENTRIES; ++i) {
            std::string body = "<Widget name=\"w" + std::to_string(i) + "\" x=\"" + std::to_string(i * 3) +
                               "\" y=\"12\" texture=\"ui/button.png\" visible=\"1\"/>";
            zip_fileinfo info{};
            zipOpenNewFileInZip(zip, entryName(i).c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                Z_DEFAULT_COMPRESSION);
            zipWriteInFileInZip(zip, body.data(), static_cast<unsigned>(body.size()));
            zipCloseFileInZip(zip);
        }
        zipClose(zip, nullptr);
    }
    ~PackFixture() {
        std::error_code error;
        fs::remove_all(m_root, error);
    }
    std::wstring dataFolder() const {
        std::string path = (m_root / "Data").string();
        return std::wstring(path.begin(), path.end());
    }

private:
    fs::path m_root;
};

PackFixture& fixture() {
    static PackFixture instance;
    return instance;
}

void BM_ReadThousandPackEntries(benchmark::State& state) {
    cFileSystem fileSystem(fixture().dataFolder(), "pack");
    std::vector<std::string> names;
    for (int i = 0; i < ENTRIES; ++i)
        names.push_back(entryName(i));
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        int64_t total = 0;
        for (const std::string& name : names)
            total += fileSystem.readFile(name, bytes);
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * ENTRIES);
}
BENCHMARK(BM_ReadThousandPackEntries)->Unit(benchmark::kMillisecond);

void BM_ScanPackAtStartUp(benchmark::State& state) {
    fixture();
    for (auto _ : state) {
        cFileSystem fileSystem(fixture().dataFolder(), "pack");
        benchmark::DoNotOptimize(fileSystem.exists(entryName(0)));
    }
}
BENCHMARK(BM_ScanPackAtStartUp)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
