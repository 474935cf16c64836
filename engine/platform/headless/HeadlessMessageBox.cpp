#include "engine/platform/headless/HeadlessMessageBox.h"

#include <cstdio>

namespace Platform {

void cHeadlessMessageBox::show(const std::string& text, const std::string& caption, MessageBoxIcon icon) {
    m_records.push_back({text, caption, icon});
    std::fprintf(stderr, "[message box] %s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
}

cHeadlessMessageBox& getHeadlessMessageBox() {
    static cHeadlessMessageBox box;
    return box;
}

} // namespace Platform
