#pragma once

// A callback run once, after a delay in scaled frame time. It joins the frame manager's timed
// set when constructed; the frame manager destroys it after it has fired.

#include <set>

namespace Engine {

class cTimedCallback {
public:
    using tCallback = bool (*)(void* user);

    cTimedCallback(float delay, tCallback callback, void* user);
    ~cTimedCallback();
    cTimedCallback(const cTimedCallback&) = delete;
    cTimedCallback& operator=(const cTimedCallback&) = delete;

    // Adds the frame's scaled time; runs the callback and returns true once the delay is reached.
    bool tick();
    float getElapsed() const { return m_elapsed; }

private:
    float m_elapsed = 0;
    float m_delay;
    tCallback m_callback;
    void* m_user;
};

std::set<cTimedCallback*>& getTimedCallbacks();

} // namespace Engine
