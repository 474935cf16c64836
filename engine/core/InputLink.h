#pragma once

// What the window procedure and the frame loop need of the input system, which lives in the
// media layer above this one. The input system derives from it.

#include "engine/core/Singleton.h"

namespace Engine {

class IInputLink : public cSingleton<IInputLink> {
public:
    using tEventCallback = void (*)(void* user);

    ~IInputLink() override = default;
    virtual void addKeyCallback(int code, tEventCallback callback, void* user) = 0;
    virtual void removeKeyCallback(int code, tEventCallback callback, void* user) = 0;
    // Reads all devices and calls the callbacks of the codes that occurred.
    virtual void pollInput() = 0;
    virtual void pushVirtualKey(int virtualKey) = 0;
    virtual void pushChar(int character) = 0;
    virtual bool acquireDevices() = 0;
    virtual bool unacquireDevices() = 0;
};

inline IInputLink* getInputLink() {
    return IInputLink::getInstance();
}

} // namespace Engine
