#pragma once

// Keyboard, mouse and joystick as the input system reads them: buffered button changes in the
// engine's numbering (key codes of KeyCodes.h, mouse buttons 0-7, joystick buttons 0-31) and
// polled states. Devices work only while acquired (the window has the focus).

#include "engine/platform/KeyCodes.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Platform {

enum class eDeviceResult {
    OK,
    NOT_ACQUIRED, // acquire it and try again next frame
    LOST,         // the device went away or was taken; acquire it again
    FAILED,       // anything else; skip it for this frame
};

// One buffered change of a key or button.
struct sButtonEvent {
    int index = 0;
    bool pressed = false;
};

// Relative movement since the last state read.
struct sMouseState {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t wheel = 0;
};

constexpr int JOYSTICK_AXIS_COUNT = 8; // x, y, z, rotation x, y, z, slider 0, slider 1
constexpr int JOYSTICK_HAT_COUNT = 4;
constexpr uint32_t JOYSTICK_HAT_CENTRED = 0xFFFFFFFFu;
constexpr int JOYSTICK_BUTTON_COUNT = 32;
constexpr int MOUSE_BUTTON_COUNT = 8;
// Wheel movement of one notch, in the mouse state's units.
constexpr int32_t MOUSE_WHEEL_NOTCH = 120;
// Changes a device keeps between two reads; later ones are dropped.
constexpr size_t INPUT_BUFFER_SIZE = 1024;

struct sJoystickState {
    int32_t axes[JOYSTICK_AXIS_COUNT] = {}; // -32768 to 32768
    uint32_t hats[JOYSTICK_HAT_COUNT] = {JOYSTICK_HAT_CENTRED, JOYSTICK_HAT_CENTRED, JOYSTICK_HAT_CENTRED,
                                         JOYSTICK_HAT_CENTRED}; // hundredths of a degree clockwise from up
};

class IInputDevice {
public:
    virtual ~IInputDevice() = default;
    virtual bool acquire() = 0;
    virtual bool unacquire() = 0;
    // Exclusive use keeps the device (the pointer, for a mouse) to this program while acquired.
    virtual bool setExclusive(bool exclusive) = 0;
    // Appends the changes buffered since the last read, oldest first.
    virtual eDeviceResult readEvents(std::vector<sButtonEvent>& events) = 0;
};

class IKeyboardDevice : public IInputDevice {
public:
    // One byte per key code, 0x80 while the key is down.
    virtual eDeviceResult readState(uint8_t (&state)[KEY_CODE_COUNT]) = 0;
};

class IMouseDevice : public IInputDevice {
public:
    virtual eDeviceResult readState(sMouseState& state) = 0;
};

class IJoystickDevice : public IInputDevice {
public:
    virtual eDeviceResult readState(sJoystickState& state) = 0;
};

using CursorHandle = void*;

class IInputDevices {
public:
    virtual ~IInputDevices() = default;
    virtual IKeyboardDevice& keyboard() = 0;
    virtual IMouseDevice& mouse() = 0;
    // The first joystick, or null when none was found.
    virtual IJoystickDevice* joystick() = 0;
    virtual CursorHandle getCursor() = 0;
    virtual void setCursor(CursorHandle cursor) = 0;
};

// The machine's devices, or scripted ones (headless/ScriptedInputDevices.h) when MEADOW_HEADLESS=1.
std::unique_ptr<IInputDevices> createInputDevices();

} // namespace Platform
