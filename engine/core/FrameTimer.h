#pragma once

// Measures each frame, paces the loop so that no frame is shorter than 1/MaxFps and caps the
// reported frame time at 1/MinFps, so a stall never becomes one huge animation step.

#include "engine/core/Singleton.h"

#include <cstdint>

namespace Engine {

class IFrameTimer : public cSingleton<IFrameTimer> {
public:
    ~IFrameTimer() override = default;
    virtual void tickFrameTimer() = 0;
    virtual void tickAndReset() = 0;
    // Scaled seconds of the current frame.
    virtual float getDelta() const = 0;
    // Real (unscaled, clamped) seconds of the current frame.
    virtual float getRealDelta() const = 0;
    virtual float getSpeed() const = 0;
    virtual void setSpeed(float speed) = 0;
    virtual float getMinFps() const = 0;
    virtual void setMinFps(float minFps) = 0;
    virtual float getFps() const = 0;
    // Seconds since construction. Double, so that animations keep their precision in long sessions.
    virtual double getTime() const = 0;
    virtual bool takeTickDue() = 0;
    virtual bool exchangeTickDue(bool value) = 0;
};

IFrameTimer* getFrameTimer();
// The scaled seconds of the current frame; 0 without a frame timer.
float frameDelta();

class cFrameTimer : public IFrameTimer {
public:
    // Reads "MinFps" and "MaxFps" of section "Time" from the constants when they exist.
    cFrameTimer();
    cFrameTimer(float minFps, float maxFps);
    ~cFrameTimer() override;

    void tickFrameTimer() override;
    void tickAndReset() override;
    float getDelta() const override { return m_scaledFrameTime; }
    float getRealDelta() const override { return m_frameTime; }
    float getSpeed() const override { return m_speed; }
    void setSpeed(float speed) override { m_speed = speed; }
    float getMinFps() const override { return m_minFps; }
    void setMinFps(float minFps) override;
    float getMaxFps() const { return m_maxFps; }
    float getFps() const override { return m_fps; }
    double getTime() const override { return m_clock; }
    bool takeTickDue() override;
    bool exchangeTickDue(bool value) override;

private:
    void init(float minFps, float maxFps);
    void updateClock();

    uint32_t m_lastTick = 0;
    bool m_resetPending = false;
    // Whole milliseconds since construction, so the clock never loses precision.
    uint64_t m_clockMs = 0;
    double m_clock = 0;
    float m_speed = 1.0f;
    float m_frameTime = 0;
    float m_scaledFrameTime = 0;
    double m_shortestFrame = 0;
    float m_longestFrame = 0;
    float m_minFps = 15;
    float m_maxFps = 200;
    float m_fps = 0;
    uint32_t m_windowFrameCount = 0;
    double m_windowStart = 0;
    bool m_tickDue = true;
    float m_tickAccumulator = 0;
    float m_tickRate = 60;
};

} // namespace Engine
