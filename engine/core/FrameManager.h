#pragma once

// Runs one frame whenever the message loop finds no message: time, input, the widgets'
// per-frame hooks, fades, timed callbacks, the draw pass and the deferred deletions. Holds the
// pause and suspend flags that the window procedure sets, and the Alt and Print Screen hot keys.

#include "engine/core/Math.h"
#include "engine/core/Singleton.h"

#include <cstdint>

namespace Engine {

class IDrawable;

class IFrameManager : public cSingleton<IFrameManager> {
public:
    using tFrameHook = void (*)();

    ~IFrameManager() override = default;
    virtual void setPaused(bool paused) = 0;
    virtual bool isPaused() const = 0;
    virtual void updateFrame() = 0;
    virtual void drawFrame() = 0;
    virtual const cVector2* getCursorPosition() const = 0;
    virtual void closeMainWindow() = 0;
    virtual void setFrameHook(tFrameHook hook) = 0;
    virtual void setSuspended(bool suspended) = 0;
    virtual bool isSuspended() const = 0;

    // Keep running while minimised or inactive; nothing in the engine sets it.
    bool m_runInBackground = false;
    // Frames per second that ran the widgets' hooks, measured over windows of more than 0.2 s.
    float m_updateRate = 0;
};

IFrameManager* getFrameManager();

class cFrameManager : public IFrameManager {
public:
    // Registers the hot keys with the input system when it exists.
    cFrameManager();
    ~cFrameManager() override;

    void setPaused(bool paused) override { m_paused = paused; }
    bool isPaused() const override { return m_paused; }
    void updateFrame() override;
    void drawFrame() override;
    const cVector2* getCursorPosition() const override { return &m_cursorPosition; }
    void closeMainWindow() override;
    void setFrameHook(tFrameHook hook) override { m_frameHook = hook; }
    void setSuspended(bool suspended) override { m_suspended = suspended; }
    bool isSuspended() const override { return m_suspended; }

private:
    void updateCursorPosition();
    void stepFades();
    void runTimedCallbacks();

    tFrameHook m_frameHook = nullptr;
    bool m_paused = false;
    bool m_suspended = false;
    cVector2 m_cursorPosition;
    double m_lastRateTime = 0;
    uint32_t m_frameCount = 0;
    bool m_hotKeysRegistered = false;
};

// The draw callback of the draw pass: the drawable queues itself into the graphics device's batch.
void drawDrawable(IDrawable* drawable);

} // namespace Engine
