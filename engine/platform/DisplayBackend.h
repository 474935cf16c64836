#pragma once

// What a display backend (SDL2) adds to the headless platform core: the real window and its
// OpenGL context, input devices, audio output, message box and cursor. The program installs
// one at start (installSdlBackend); programs that need no display (most test programs) never
// link it, and the factories then give the headless kinds.

#include <memory>
#include <string>

namespace Platform {

class IAudioOutput;
class IGlContext;
class IInputDevices;
class IMessageBox;
class IWindow;

struct cDisplayBackend {
    std::unique_ptr<IWindow> (*createWindow)(const std::wstring& title) = nullptr;
    // The context of a window that has a native handle.
    std::unique_ptr<IGlContext> (*createGlContext)(IWindow& window) = nullptr;
    std::unique_ptr<IInputDevices> (*createInputDevices)() = nullptr;
    std::unique_ptr<IAudioOutput> (*createAudioOutput)() = nullptr;
    IMessageBox* (*getMessageBox)() = nullptr;
    // False when the display cannot tell (not started).
    bool (*getCursorPos)(int& x, int& y) = nullptr;
};

void setDisplayBackend(const cDisplayBackend& backend);
// The installed backend; every entry is null when none is.
const cDisplayBackend& getDisplayBackend();

} // namespace Platform
