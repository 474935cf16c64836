#include "engine/platform/headless/ScriptedInputDevices.h"

#include <algorithm>
#include <iterator>

namespace Platform {

namespace {
cScriptedInputDevices* g_current = nullptr;
}

bool cScriptedDevice::doAcquire() {
    ++m_acquireCount;
    if (m_refuseAcquire)
        return false;
    m_acquired = true;
    return true;
}

bool cScriptedDevice::doUnacquire() {
    bool was = m_acquired;
    m_acquired = false;
    return was;
}

void cScriptedDevice::queue(int index, bool pressed) {
    if (m_events.size() < INPUT_BUFFER_SIZE)
        m_events.push_back({index, pressed});
}

eDeviceResult cScriptedDevice::check() {
    if (!m_forced.empty()) {
        eDeviceResult result = m_forced.front();
        m_forced.pop_front();
        if (result == eDeviceResult::LOST || result == eDeviceResult::NOT_ACQUIRED)
            m_acquired = false;
        return result;
    }
    return m_acquired ? eDeviceResult::OK : eDeviceResult::NOT_ACQUIRED;
}

eDeviceResult cScriptedDevice::takeEvents(std::vector<sButtonEvent>& events) {
    eDeviceResult result = check();
    if (result != eDeviceResult::OK)
        return result;
    events.insert(events.end(), m_events.begin(), m_events.end());
    m_events.clear();
    return result;
}

void cScriptedKeyboard::press(int keyCode) {
    queue(keyCode, true);
    if (keyCode >= 0 && keyCode < KEY_CODE_COUNT)
        m_down[keyCode] = 0x80;
}

void cScriptedKeyboard::release(int keyCode) {
    queue(keyCode, false);
    if (keyCode >= 0 && keyCode < KEY_CODE_COUNT)
        m_down[keyCode] = 0;
}

eDeviceResult cScriptedKeyboard::readState(uint8_t (&state)[KEY_CODE_COUNT]) {
    ++m_stateReads;
    eDeviceResult result = check();
    if (result == eDeviceResult::OK)
        std::copy(std::begin(m_down), std::end(m_down), state);
    return result;
}

void cScriptedMouse::move(int32_t dx, int32_t dy, int32_t wheel) {
    m_motion.dx += dx;
    m_motion.dy += dy;
    m_motion.wheel += wheel;
}

eDeviceResult cScriptedMouse::readState(sMouseState& state) {
    ++m_stateReads;
    eDeviceResult result = check();
    if (result == eDeviceResult::OK) {
        state = m_motion;
        m_motion = sMouseState();
    }
    return result;
}

eDeviceResult cScriptedJoystick::readState(sJoystickState& state) {
    ++m_stateReads;
    eDeviceResult result = check();
    if (result == eDeviceResult::OK)
        state = m_state;
    return result;
}

cScriptedInputDevices::cScriptedInputDevices(bool withJoystick) : m_hasJoystick(withJoystick) {
    g_current = this;
}

cScriptedInputDevices::~cScriptedInputDevices() {
    if (g_current == this)
        g_current = nullptr;
}

cScriptedInputDevices* cScriptedInputDevices::current() {
    return g_current;
}

} // namespace Platform
