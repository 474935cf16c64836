#include "engine/platform/MessageBox.h"

#include "engine/platform/System.h"
#include "engine/platform/headless/HeadlessMessageBox.h"
#include "engine/platform/sdl/SdlMessageBox.h"

namespace Platform {

namespace {
IMessageBox* g_messageBox = nullptr;
}

IMessageBox& getMessageBox() {
    if (g_messageBox)
        return *g_messageBox;
    if (isHeadless())
        return getHeadlessMessageBox();
    static cSdlMessageBox sdlBox;
    return sdlBox;
}

void setMessageBox(IMessageBox* box) {
    g_messageBox = box;
}

void showMessageBox(const std::string& text, const std::string& caption, MessageBoxIcon icon) {
    getMessageBox().show(text, caption, icon);
}

} // namespace Platform
