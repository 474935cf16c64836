#include "engine/core/TimedCallback.h"

#include "engine/core/FrameTimer.h"

namespace Engine {

namespace {

std::set<cTimedCallback*> g_timedCallbacks;

} // namespace

cTimedCallback::cTimedCallback(float delay, tCallback callback, void* user)
    : m_delay(delay), m_callback(callback), m_user(user) {
    g_timedCallbacks.insert(this);
}

cTimedCallback::~cTimedCallback() {
    g_timedCallbacks.erase(this);
}

bool cTimedCallback::tick() {
    if (IFrameTimer* timer = getFrameTimer())
        m_elapsed += timer->getDelta();
    if (!(m_elapsed >= m_delay))
        return false;
    if (m_callback)
        m_callback(m_user);
    return true;
}

std::set<cTimedCallback*>& getTimedCallbacks() {
    return g_timedCallbacks;
}

} // namespace Engine
