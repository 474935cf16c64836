#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace TestSupport {

TempFolder::TempFolder() {
    for (int i = 0;; ++i) {
        fs::path candidate = fs::current_path() / ("folder" + std::to_string(i));
        if (fs::create_directory(candidate)) {
            m_path = candidate.string();
            break;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void TempFolder::write(const std::string& relative, const std::string& bytes) const {
    writeFileBytes(file(relative), bytes);
}

std::string TempFolder::read(const std::string& relative) const {
    return readFileBytes(file(relative));
}

bool TempFolder::exists(const std::string& relative) const {
    return fs::exists(file(relative));
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

} // namespace TestSupport
