#include "engine/core/FrameTimer.h"

#include "engine/core/Constants.h"
#include "engine/platform/Clock.h"

namespace Engine {

namespace {

// Zero, negative or NaN rates would divide by zero or never pace; one frame a second is the floor.
float sanitizeFps(float fps) {
    return fps > 0.0f ? fps : 1.0f;
}

} // namespace

IFrameTimer* getFrameTimer() {
    return IFrameTimer::getInstance();
}

float frameDelta() {
    const IFrameTimer* timer = getFrameTimer();
    return timer ? timer->getDelta() : 0.0f;
}

cFrameTimer::cFrameTimer() {
    float minFps = 15.0f;
    float maxFps = 200.0f;
    if (cConstants* constants = getConstants()) {
        constants->getValue(L"Time", L"MinFps", minFps);
        constants->getValue(L"Time", L"MaxFps", maxFps);
    }
    init(minFps, maxFps);
}

cFrameTimer::cFrameTimer(float minFps, float maxFps) {
    init(minFps, maxFps);
}

cFrameTimer::~cFrameTimer() = default;

void cFrameTimer::init(float minFps, float maxFps) {
    m_minFps = sanitizeFps(minFps);
    m_maxFps = sanitizeFps(maxFps);
    m_shortestFrame = 1.0 / m_maxFps;
    m_longestFrame = 1.0f / m_minFps;
    m_tickRate = m_maxFps <= 60.0f ? m_maxFps : 60.0f;
    m_lastTick = Platform::getClock().getTickMs();
}

void cFrameTimer::updateClock() {
    uint32_t now = Platform::getClock().getTickMs();
    uint32_t step = now < m_lastTick ? 1u : now - m_lastTick;
    m_lastTick = now;
    m_clockMs += step;
    m_clock = double(m_clockMs) * 0.001;
}

void cFrameTimer::tickFrameTimer() {
    double start = m_clock;
    updateClock();

    double window = m_clock - m_windowStart;
    if (window > 0.1) {
        m_fps = float(m_windowFrameCount / window);
        m_windowStart = m_clock;
        m_windowFrameCount = 0;
    } else {
        ++m_windowFrameCount;
    }

    if (m_fps > 0) {
        m_tickAccumulator += m_tickRate / m_fps;
        if (m_tickAccumulator >= 1.0f) {
            m_tickDue = true;
            m_tickAccumulator -= 1.0f;
            if (m_tickAccumulator > 1.0f)
                m_tickAccumulator = 0;
        }
    }

    double work = m_clock - start;
    if (m_shortestFrame > work)
        // The small bias keeps 1/200 s from truncating to 4 ms through rounding error.
        Platform::getClock().sleepMs(uint32_t((m_shortestFrame - work) * 1000.0 + 1e-6));
    else
        Platform::getClock().yieldThread();

    updateClock();
    m_frameTime = float(m_clock - start);
    if (m_frameTime > m_longestFrame) {
        m_frameTime = m_longestFrame;
        m_tickDue = true;
    }
    if (m_frameTime == 0.0f)
        m_frameTime = 0.000001f;
    m_scaledFrameTime = m_frameTime * m_speed;
    if (m_resetPending) {
        m_resetPending = false;
        m_frameTime = 0;
        m_scaledFrameTime = 0;
    }
}

void cFrameTimer::tickAndReset() {
    tickFrameTimer();
    m_resetPending = true;
    m_frameTime = 0;
    m_scaledFrameTime = 0;
}

void cFrameTimer::setMinFps(float minFps) {
    m_minFps = sanitizeFps(minFps);
    m_longestFrame = 1.0f / m_minFps;
}

bool cFrameTimer::takeTickDue() {
    bool due = m_tickDue;
    m_tickDue = false;
    return due;
}

bool cFrameTimer::exchangeTickDue(bool value) {
    bool due = m_tickDue;
    m_tickDue = value;
    return due;
}

} // namespace Engine
