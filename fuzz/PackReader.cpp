// Feeds arbitrary bytes to the pack reader as a pack file: the start-up scan, then every entry
// read whole and again after a seek.

#include "engine/core/PackFinder.h"
#include "engine/core/PackPool.h"
#include "engine/core/PackStream.h"
#include "engine/platform/MessageBox.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace Engine;

namespace {

constexpr int32_t MAX_ENTRY_BYTES = 1 << 20;
constexpr size_t MAX_ENTRIES = 64;

// An unreadable pack shows message boxes; here they would block or pile up.
class cSilentMessageBox : public Platform::IMessageBox {
public:
    void show(const std::string&, const std::string&, Platform::MessageBoxIcon) override {}
};

const std::string& packPath() {
    static const std::string path = "/tmp/meadow-fuzz-" + std::to_string(getpid()) + ".pack";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static cSilentMessageBox silent;
    Platform::setMessageBox(&silent);
    std::FILE* file = std::fopen(packPath().c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    std::wstring path(packPath().begin(), packPath().end());

    std::vector<std::pair<std::string, cPackEntryPosition>> entries;
    cPackFinder::Handle pack = nullptr;
    try {
        pack = cPackFinder::openPack(path);
        std::string name;
        for (bool found = cPackFinder::findFirst(pack, name); found && entries.size() < MAX_ENTRIES;
             found = cPackFinder::findNext(pack, name))
            entries.emplace_back(name, cPackFinder::getPosition(pack));
    } catch (...) {
    }
    try {
        cPackFinder::closePack(pack);
    } catch (...) {
    }

    // Every other entry goes through a pool, as the file system opens them.
    auto pool = std::make_shared<cPackPool>();
    std::vector<char> buffer(65536);
    bool pooled = false;
    for (const auto& [name, position] : entries) {
        pooled = !pooled;
        try {
            cPackStream stream(path, name, position, pooled ? pool : nullptr);
            int32_t total = 0;
            int32_t got;
            while (total < MAX_ENTRY_BYTES && (got = stream.read(buffer.data(), int32_t(buffer.size()))) > 0)
                total += got;
            stream.seek(stream.getSize() / 2, 0);
            stream.read(buffer.data(), 16);
            stream.seek(0, 0);
            stream.read(buffer.data(), 16);
        } catch (...) {
        }
    }
    return 0;
}
