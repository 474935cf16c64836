#include "engine/platform/sdl/SdlInputDevices.h"

#include "engine/platform/sdl/SdlCallbackError.h"
#include "engine/platform/sdl/SdlKeyTable.h"

#include <SDL.h>

#include <deque>
#include <mutex>

namespace Platform {

namespace {

// Change buffer and acquisition shared by the three devices. The watch may run on whatever
// thread pushes an event, so the buffer is locked.
class cSdlDevice {
public:
    void push(int index, bool pressed) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_acquired && m_events.size() < INPUT_BUFFER_SIZE)
            m_events.push_back({index, pressed});
    }
    eDeviceResult take(std::vector<sButtonEvent>& events) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_lost)
            return eDeviceResult::LOST;
        if (!m_acquired)
            return eDeviceResult::NOT_ACQUIRED;
        events.insert(events.end(), m_events.begin(), m_events.end());
        m_events.clear();
        return eDeviceResult::OK;
    }
    void setAcquired(bool acquired) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_acquired = acquired;
        if (!acquired)
            m_events.clear();
    }
    bool isAcquired() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_acquired;
    }
    void setLost(bool lost) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lost = lost;
        if (lost) {
            m_acquired = false;
            m_events.clear();
        }
    }
    bool isLost() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lost;
    }

protected:
    // Devices read in the foreground only, like the window's own input.
    static bool windowHasFocus() { return SDL_GetKeyboardFocus() != nullptr; }

    std::mutex m_mutex;
    std::deque<sButtonEvent> m_events;
    bool m_acquired = false;
    bool m_lost = false;
};

class cSdlKeyboard : public IKeyboardDevice, public cSdlDevice {
public:
    bool acquire() override {
        bool focus = windowHasFocus();
        setAcquired(focus);
        return focus;
    }
    bool unacquire() override {
        setAcquired(false);
        return true;
    }
    bool setExclusive(bool) override { return true; }
    eDeviceResult readEvents(std::vector<sButtonEvent>& events) override { return take(events); }
    eDeviceResult readState(uint8_t (&state)[KEY_CODE_COUNT]) override {
        if (!isAcquired())
            return eDeviceResult::NOT_ACQUIRED;
        int count = 0;
        const Uint8* keys = SDL_GetKeyboardState(&count);
        for (int scancode = 0; scancode < count; ++scancode) {
            int code = keyCodeFromSdlScancode(scancode);
            if (code >= 0 && keys[scancode])
                state[code] = 0x80;
        }
        return eDeviceResult::OK;
    }
};

class cSdlMouse : public IMouseDevice, public cSdlDevice {
public:
    bool acquire() override {
        bool focus = windowHasFocus();
        setAcquired(focus);
        if (focus && m_exclusive)
            SDL_SetRelativeMouseMode(SDL_TRUE);
        return focus;
    }
    bool unacquire() override {
        setAcquired(false);
        if (m_exclusive)
            SDL_SetRelativeMouseMode(SDL_FALSE);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_motion = sMouseState();
        return true;
    }
    bool setExclusive(bool exclusive) override {
        m_exclusive = exclusive;
        return true;
    }
    eDeviceResult readEvents(std::vector<sButtonEvent>& events) override { return take(events); }
    eDeviceResult readState(sMouseState& state) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_acquired)
            return eDeviceResult::NOT_ACQUIRED;
        state = m_motion;
        m_motion = sMouseState();
        return eDeviceResult::OK;
    }
    void addMotion(int32_t dx, int32_t dy, int32_t wheel) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_acquired)
            return;
        m_motion.dx += dx;
        m_motion.dy += dy;
        m_motion.wheel += wheel;
    }

private:
    sMouseState m_motion;
    bool m_exclusive = false;
};

class cSdlJoystick : public IJoystickDevice, public cSdlDevice {
public:
    explicit cSdlJoystick(SDL_Joystick* joystick) : m_joystick(joystick) {}
    ~cSdlJoystick() override { close(); }

    SDL_JoystickID getInstanceId() const { return m_joystick ? SDL_JoystickInstanceID(m_joystick) : -1; }
    void close() {
        if (m_joystick)
            SDL_JoystickClose(m_joystick);
        m_joystick = nullptr;
    }

    bool acquire() override {
        if (isLost() || !m_joystick) {
            // Plugged back in (or another one): take the first joystick again.
            close();
            if (SDL_NumJoysticks() > 0)
                m_joystick = SDL_JoystickOpen(0);
            if (!m_joystick)
                return false;
            setLost(false);
        }
        bool focus = windowHasFocus();
        setAcquired(focus);
        return focus;
    }
    bool unacquire() override {
        setAcquired(false);
        return true;
    }
    bool setExclusive(bool) override { return true; }
    eDeviceResult readEvents(std::vector<sButtonEvent>& events) override { return take(events); }
    eDeviceResult readState(sJoystickState& state) override {
        if (isLost() || !m_joystick)
            return eDeviceResult::LOST;
        if (!isAcquired())
            return eDeviceResult::NOT_ACQUIRED;
        state = sJoystickState();
        int axes = SDL_JoystickNumAxes(m_joystick);
        for (int i = 0; i < axes && i < JOYSTICK_AXIS_COUNT; ++i)
            state.axes[i] = SDL_JoystickGetAxis(m_joystick, i);
        int hats = SDL_JoystickNumHats(m_joystick);
        for (int i = 0; i < hats && i < JOYSTICK_HAT_COUNT; ++i)
            state.hats[i] = hatAngle(SDL_JoystickGetHat(m_joystick, i));
        return eDeviceResult::OK;
    }

private:
    static uint32_t hatAngle(Uint8 hat) {
        switch (hat) {
        case SDL_HAT_UP:
            return 0;
        case SDL_HAT_RIGHTUP:
            return 4500;
        case SDL_HAT_RIGHT:
            return 9000;
        case SDL_HAT_RIGHTDOWN:
            return 13500;
        case SDL_HAT_DOWN:
            return 18000;
        case SDL_HAT_LEFTDOWN:
            return 22500;
        case SDL_HAT_LEFT:
            return 27000;
        case SDL_HAT_LEFTUP:
            return 31500;
        default:
            return JOYSTICK_HAT_CENTRED;
        }
    }

    SDL_Joystick* m_joystick;
};

// Mouse button numbering of the engine: left, right, middle, then the extra buttons.
int mouseButtonIndex(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    default:
        return button - 1 < MOUSE_BUTTON_COUNT ? button - 1 : -1;
    }
}

class cSdlInputDevices : public IInputDevices {
public:
    cSdlInputDevices() {
        m_joystickSystem = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
        if (m_joystickSystem && SDL_NumJoysticks() > 0) {
            if (SDL_Joystick* joystick = SDL_JoystickOpen(0))
                m_joystick = std::make_unique<cSdlJoystick>(joystick);
        }
        SDL_AddEventWatch(&cSdlInputDevices::watch, this);
    }
    ~cSdlInputDevices() override {
        SDL_DelEventWatch(&cSdlInputDevices::watch, this);
        m_joystick.reset();
        if (m_joystickSystem)
            SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    IKeyboardDevice& keyboard() override { return m_keyboard; }
    IMouseDevice& mouse() override { return m_mouse; }
    IJoystickDevice* joystick() override { return m_joystick.get(); }
    CursorHandle getCursor() override { return SDL_GetCursor(); }
    void setCursor(CursorHandle cursor) override {
        if (cursor)
            SDL_SetCursor(static_cast<SDL_Cursor*>(cursor));
    }

private:
    static int SDLCALL watch(void* self, SDL_Event* event) {
        // Nothing may unwind through SDL: the window's pump rethrows once SDL has returned.
        cSdlCallbackError::guard("SDL event watch of the input devices",
                                 [&] { static_cast<cSdlInputDevices*>(self)->handle(*event); });
        return 0;
    }

    void handle(const SDL_Event& event) {
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (!event.key.repeat) {
                int code = keyCodeFromSdlScancode(event.key.keysym.scancode);
                if (code >= 0)
                    m_keyboard.push(code, event.type == SDL_KEYDOWN);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.which != SDL_TOUCH_MOUSEID) {
                int index = mouseButtonIndex(event.button.button);
                if (index >= 0)
                    m_mouse.push(index, event.type == SDL_MOUSEBUTTONDOWN);
            }
            break;
        case SDL_MOUSEMOTION:
            if (event.motion.which != SDL_TOUCH_MOUSEID)
                m_mouse.addMotion(event.motion.xrel, event.motion.yrel, 0);
            break;
        case SDL_MOUSEWHEEL: {
            int32_t notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            m_mouse.addMotion(0, 0, notches * MOUSE_WHEEL_NOTCH);
            break;
        }
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            if (m_joystick && event.jbutton.which == m_joystick->getInstanceId() &&
                event.jbutton.button < JOYSTICK_BUTTON_COUNT)
                m_joystick->push(event.jbutton.button, event.type == SDL_JOYBUTTONDOWN);
            break;
        case SDL_JOYDEVICEREMOVED:
            if (m_joystick && event.jdevice.which == m_joystick->getInstanceId())
                m_joystick->setLost(true);
            break;
        case SDL_WINDOWEVENT:
            // Losing the focus ends acquisition, as for a foreground device.
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                m_keyboard.setAcquired(false);
                m_mouse.setAcquired(false);
                if (m_joystick)
                    m_joystick->setAcquired(false);
            }
            break;
        default:
            break;
        }
    }

    cSdlKeyboard m_keyboard;
    cSdlMouse m_mouse;
    std::unique_ptr<cSdlJoystick> m_joystick;
    bool m_joystickSystem = false;
};

} // namespace

std::unique_ptr<IInputDevices> createSdlInputDevices() {
    return std::make_unique<cSdlInputDevices>();
}

} // namespace Platform
