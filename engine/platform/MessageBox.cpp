#include "engine/platform/MessageBox.h"

#include "engine/platform/DisplayBackend.h"
#include "engine/platform/System.h"
#include "engine/platform/headless/HeadlessMessageBox.h"

namespace Platform {

namespace {
IMessageBox* g_messageBox = nullptr;
}

IMessageBox& getMessageBox() {
    if (g_messageBox)
        return *g_messageBox;
    if (isHeadless() || !getDisplayBackend().getMessageBox)
        return getHeadlessMessageBox();
    return *getDisplayBackend().getMessageBox();
}

void setMessageBox(IMessageBox* box) {
    g_messageBox = box;
}

void showMessageBox(const std::string& text, const std::string& caption, MessageBoxIcon icon) {
    getMessageBox().show(text, caption, icon);
}

} // namespace Platform
