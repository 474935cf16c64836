#include "engine/core/System.h"

#include "engine/core/String.h"
#include "engine/platform/Clock.h"
#include "engine/platform/Cursor.h"
#include "engine/platform/System.h"

namespace Engine {

std::string lastErrorText() {
    return Platform::lastErrorText();
}

std::wstring getLogFolder() {
    return L".";
}

cPoint getCursorPos() {
    cPoint p;
    Platform::getCursorPos(p.x, p.y);
    return p;
}

void sleepMs(uint32_t milliseconds) {
    Platform::getClock().sleepMs(milliseconds);
}

void yieldThread() {
    Platform::getClock().yieldThread();
}

uint32_t getTickMs() {
    return Platform::getClock().getTickMs();
}

std::wstring getCommonAppDataFolder() {
    std::wstring folder;
    utf8ToWide(Platform::getUserDataFolder(), folder);
    return folder;
}

} // namespace Engine
