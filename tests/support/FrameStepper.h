#pragma once

// Steps the real frame loop with a fixed frame time of 1/8 s on a hand-driven clock: a frame
// timer paced at 8 frames a second and a frame manager, both created and destroyed with it.

#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "tests/support/FakeClock.h"

namespace TestSupport {

class FrameStepper {
public:
    static constexpr float FRAME_TIME = 0.125f;

    FrameStepper() : m_timer(4, 8) {}

    void step(int frames = 1) {
        for (int i = 0; i < frames; ++i)
            m_manager.updateFrame();
    }
    Engine::cFrameManager& manager() { return m_manager; }
    Engine::cFrameTimer& timer() { return m_timer; }
    FakeClock& clock() { return m_clock; }

private:
    FakeClock m_clock;
    Engine::cFrameTimer m_timer;
    Engine::cFrameManager m_manager;
};

} // namespace TestSupport
