#pragma once

// Input devices driven by a test: changes and states are queued by hand and read by the input
// system's next poll, exactly as the machine's devices would deliver them.

#include "engine/platform/InputDevices.h"

#include <deque>

namespace Platform {

// Shared behaviour of the three scripted devices: a change buffer, acquisition and results
// that a test can force for the next reads.
class cScriptedDevice {
public:
    bool isAcquired() const { return m_acquired; }
    bool isExclusive() const { return m_exclusive; }
    int getAcquireCount() const { return m_acquireCount; }
    int getStateReadCount() const { return m_stateReads; }
    // The next read (of changes or of the state) returns this instead of its data.
    void failNextRead(eDeviceResult result) { m_forced.push_back(result); }
    // Acquisition that fails until allowed again (a window without focus).
    void refuseAcquire(bool refuse) { m_refuseAcquire = refuse; }
    void setAcquired(bool acquired) { m_acquired = acquired; }

protected:
    bool doAcquire();
    bool doUnacquire();
    bool doSetExclusive(bool exclusive) {
        m_exclusive = exclusive;
        return true;
    }
    void queue(int index, bool pressed);
    // OK, or the forced or not-acquired result that replaces this read.
    eDeviceResult check();
    eDeviceResult takeEvents(std::vector<sButtonEvent>& events);

    std::deque<sButtonEvent> m_events;
    int m_stateReads = 0;

private:
    std::deque<eDeviceResult> m_forced;
    bool m_acquired = true;
    bool m_refuseAcquire = false;
    bool m_exclusive = false;
    int m_acquireCount = 0;
};

class cScriptedKeyboard : public IKeyboardDevice, public cScriptedDevice {
public:
    void press(int keyCode);
    void release(int keyCode);

    bool acquire() override { return doAcquire(); }
    bool unacquire() override { return doUnacquire(); }
    bool setExclusive(bool exclusive) override { return doSetExclusive(exclusive); }
    eDeviceResult readEvents(std::vector<sButtonEvent>& events) override { return takeEvents(events); }
    eDeviceResult readState(uint8_t (&state)[KEY_CODE_COUNT]) override;

private:
    uint8_t m_down[KEY_CODE_COUNT] = {};
};

class cScriptedMouse : public IMouseDevice, public cScriptedDevice {
public:
    void press(int button) { queue(button, true); }
    void release(int button) { queue(button, false); }
    // Adds movement for the next state read.
    void move(int32_t dx, int32_t dy, int32_t wheel = 0);

    bool acquire() override { return doAcquire(); }
    bool unacquire() override { return doUnacquire(); }
    bool setExclusive(bool exclusive) override { return doSetExclusive(exclusive); }
    eDeviceResult readEvents(std::vector<sButtonEvent>& events) override { return takeEvents(events); }
    eDeviceResult readState(sMouseState& state) override;

private:
    sMouseState m_motion;
};

class cScriptedJoystick : public IJoystickDevice, public cScriptedDevice {
public:
    void press(int button) { queue(button, true); }
    void release(int button) { queue(button, false); }
    void setAxis(int axis, int32_t value) { m_state.axes[axis] = value; }
    void setHat(int hat, uint32_t value) { m_state.hats[hat] = value; }

    bool acquire() override { return doAcquire(); }
    bool unacquire() override { return doUnacquire(); }
    bool setExclusive(bool exclusive) override { return doSetExclusive(exclusive); }
    eDeviceResult readEvents(std::vector<sButtonEvent>& events) override { return takeEvents(events); }
    eDeviceResult readState(sJoystickState& state) override;

private:
    sJoystickState m_state;
};

class cScriptedInputDevices : public IInputDevices {
public:
    explicit cScriptedInputDevices(bool withJoystick = false);
    ~cScriptedInputDevices() override;

    // The scripted devices made last and still alive, for tests whose input system was
    // created by the application; null when there are none.
    static cScriptedInputDevices* current();

    cScriptedKeyboard& getKeyboard() { return m_keyboard; }
    cScriptedMouse& getMouse() { return m_mouse; }
    cScriptedJoystick* getJoystick() { return m_hasJoystick ? &m_joystick : nullptr; }

    IKeyboardDevice& keyboard() override { return m_keyboard; }
    IMouseDevice& mouse() override { return m_mouse; }
    IJoystickDevice* joystick() override { return getJoystick(); }
    CursorHandle getCursor() override { return m_cursor; }
    void setCursor(CursorHandle cursor) override {
        m_cursor = cursor;
        ++m_cursorChanges;
    }
    int getCursorChangeCount() const { return m_cursorChanges; }

private:
    cScriptedKeyboard m_keyboard;
    cScriptedMouse m_mouse;
    cScriptedJoystick m_joystick;
    bool m_hasJoystick;
    CursorHandle m_cursor = nullptr;
    int m_cursorChanges = 0;
};

} // namespace Platform
