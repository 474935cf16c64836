#pragma once

// The engine's input service: keyboard, mouse and one joystick turned into integer event codes,
// and plain-function callbacks registered per code, called from pollInput once per frame.
// Characters and virtual keys that the main window receives reach their listeners in the same
// poll.

#include "engine/core/InputLink.h"
#include "engine/core/Singleton.h"
#include "engine/platform/InputDevices.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Engine {

// Event codes. Keys: the key code (Platform::eKeyCode) when released, + 256 when pressed.
enum eInputCode : int {
    INPUT_KEY_PRESSED_BASE = 256,
    INPUT_MOUSE_BUTTON_UP = 512, // + button 0-7
    INPUT_MOUSE_LEFT_UP = INPUT_MOUSE_BUTTON_UP,
    INPUT_MOUSE_RIGHT_UP = INPUT_MOUSE_BUTTON_UP + 1,
    INPUT_MOUSE_BUTTON_DOWN = 520, // + button 0-7
    INPUT_MOUSE_LEFT_DOWN = INPUT_MOUSE_BUTTON_DOWN,
    INPUT_MOUSE_RIGHT_DOWN = INPUT_MOUSE_BUTTON_DOWN + 1,
    INPUT_MOUSE_DX = 528, // axis codes go to the mouse-axis listeners only
    INPUT_MOUSE_DY = 529,
    INPUT_MOUSE_WHEEL = 530,
    INPUT_JOY_BUTTON_UP = 1024,   // + button 0-31
    INPUT_JOY_BUTTON_DOWN = 1056, // + button 0-31
    INPUT_JOY_AXIS = 1088,        // + axis 0-7, then 1096 + hat 0-3; joystick-axis listeners only
    INPUT_ANY = 1100,             // once more after every key or button event
    INPUT_CODE_COUNT = 1101,
};

using tInputCallback = void (*)(void* user);
using tCharCallback = void (*)(int character, void* user);
using tVirtualKeyCallback = void (*)(int virtualKey, void* user);
using tAxisCallback = void (*)(int code, int value, void* user);

// An ordered set of (callback, user) pairs: a pair is held once however often it is added and
// the pairs are called in the order of the callback's address, then the user pointer.
template <typename Callback> class cCallbackSet {
public:
    using Pair = std::pair<Callback, void*>;

    void add(Callback callback, void* user) { m_pairs.insert(key(callback, user)); }
    void remove(Callback callback, void* user) { m_pairs.erase(key(callback, user)); }
    bool contains(Callback callback, void* user) const { return m_pairs.count(key(callback, user)) != 0; }
    void clear() { m_pairs.clear(); }
    bool empty() const { return m_pairs.empty(); }
    size_t size() const { return m_pairs.size(); }
    // Visits the pairs in call order.
    template <typename Visitor> void forEach(Visitor visit) const {
        for (const auto& entry : m_pairs)
            visit(entry.second);
    }

private:
    using Key = std::pair<std::pair<uintptr_t, uintptr_t>, Pair>;
    struct sLess {
        bool operator()(const Key& a, const Key& b) const { return a.first < b.first; }
    };
    static Key key(Callback callback, void* user) {
        return {{reinterpret_cast<uintptr_t>(callback), reinterpret_cast<uintptr_t>(user)}, {callback, user}};
    }
    std::set<Key, sLess> m_pairs;
};

class IInputSystem {
public:
    virtual ~IInputSystem() = default;

    // Codes outside 0-1100 and null callbacks are ignored.
    virtual void addKeyCallback(int code, tInputCallback callback, void* user) = 0;
    virtual void removeKeyCallback(int code, tInputCallback callback, void* user) = 0;
    virtual void clearKeyCallbacks(int code) = 0;
    virtual void clearAllKeyCallbacks() = 0;
    virtual void addCharCallback(tCharCallback callback, void* user) = 0;
    virtual void clearCharCallbacks() = 0;
    virtual void removeCharCallback(tCharCallback callback, void* user) = 0;
    virtual void addMouseMoveCallback(tAxisCallback callback, void* user) = 0;
    virtual void removeMouseMoveCallback(tAxisCallback callback, void* user) = 0;
    virtual void addVirtualKeyCallback(tVirtualKeyCallback callback, void* user) = 0;
    virtual void removeVirtualKeyCallback(tVirtualKeyCallback callback, void* user) = 0;
    virtual void clearVirtualKeyCallbacks() = 0;
    virtual void addJoystickAxisCallback(tAxisCallback callback, void* user) = 0;
    virtual void removeJoystickAxisCallback(tAxisCallback callback, void* user) = 0;
    // Queue a UTF-16 unit or a virtual key for the next poll; dropped when 1024 are queued.
    virtual void pushChar(int character) = 0;
    virtual void pushVirtualKey(int virtualKey) = 0;
    // The next poll runs the callbacks of the left press and then of the left release (not those
    // of INPUT_ANY).
    virtual void requestClick() = 0;
    // The next poll sends (530, 0) to every mouse-axis listener.
    virtual void requestWheelReset() = 0;
    virtual void pollInput() = 0;
    // Whether the key is held; the keyboard is read at most once per frame. False for codes
    // outside 0-255.
    virtual bool isKeyDown(int keyCode) = 0;
    // The key's name, empty for a key without one.
    virtual const std::string& getKeyName(int keyCode) = 0;
    virtual bool isMouseExclusive() const = 0;
    virtual void setMouseExclusive(bool exclusive) = 0;
    virtual bool hasJoystick() const = 0;
    virtual void setCursor(Platform::CursorHandle cursor) = 0;
    // The cursor that was current when the input system was made becomes current again.
    virtual void restoreCursor() = 0;
    virtual Platform::CursorHandle getCursor() const = 0;
};

// Also the application's IInputLink, through which the window and the frame loop reach it.
class cInputSystem : public IInputSystem, public IInputLink, public cSingleton<cInputSystem> {
public:
    // Without devices, the machine's own (scripted ones under MEADOW_HEADLESS=1).
    explicit cInputSystem(std::unique_ptr<Platform::IInputDevices> devices = nullptr);
    ~cInputSystem() override;

    void addKeyCallback(int code, tInputCallback callback, void* user) override;
    void removeKeyCallback(int code, tInputCallback callback, void* user) override;
    void clearKeyCallbacks(int code) override;
    void clearAllKeyCallbacks() override;
    void addCharCallback(tCharCallback callback, void* user) override;
    void clearCharCallbacks() override;
    void removeCharCallback(tCharCallback callback, void* user) override;
    void addMouseMoveCallback(tAxisCallback callback, void* user) override;
    void removeMouseMoveCallback(tAxisCallback callback, void* user) override;
    void addVirtualKeyCallback(tVirtualKeyCallback callback, void* user) override;
    void removeVirtualKeyCallback(tVirtualKeyCallback callback, void* user) override;
    void clearVirtualKeyCallbacks() override;
    void addJoystickAxisCallback(tAxisCallback callback, void* user) override;
    void removeJoystickAxisCallback(tAxisCallback callback, void* user) override;
    void pushChar(int character) override;
    void pushVirtualKey(int virtualKey) override;
    void requestClick() override;
    void requestWheelReset() override;
    void pollInput() override;
    bool isKeyDown(int keyCode) override;
    const std::string& getKeyName(int keyCode) override;
    bool isMouseExclusive() const override { return m_mouseExclusive; }
    void setMouseExclusive(bool exclusive) override;
    bool hasJoystick() const override { return m_devices->joystick() != nullptr; }
    void setCursor(Platform::CursorHandle cursor) override;
    void restoreCursor() override;
    Platform::CursorHandle getCursor() const override { return m_cursor; }

    // How many pairs listen to the code (0 outside 0-1100).
    size_t getKeyCallbackCount(int code) const;
    bool isJoystickExclusive() const { return m_joystickExclusive; }
    void setJoystickExclusive(bool exclusive);

    // Called by the main window when it is activated and deactivated; true when every device
    // did it.
    bool acquireDevices() override;
    bool unacquireDevices() override;

    static constexpr size_t QUEUE_SIZE = 1024;

private:
    using tCallPair = cCallbackSet<tInputCallback>::Pair;
    struct sGathered {
        int code;
        tCallPair pair;
    };

    void buildKeyNames();
    void refreshKeyboardState();
    // Reads one device's buffered changes; false when there is nothing to use this frame.
    bool readDevice(Platform::IInputDevice& device);
    bool usable(Platform::IInputDevice& device, Platform::eDeviceResult result);
    void gather(int code);
    bool readSwapMouseButtons();

    std::unique_ptr<Platform::IInputDevices> m_devices;
    std::vector<Platform::sButtonEvent> m_events;
    std::vector<uint16_t> m_chars;
    std::vector<int> m_virtualKeys;
    cCallbackSet<tInputCallback> m_keyCallbacks[INPUT_CODE_COUNT];
    cCallbackSet<tAxisCallback> m_mouseMoveCallbacks;
    cCallbackSet<tCharCallback> m_charCallbacks;
    cCallbackSet<tVirtualKeyCallback> m_virtualKeyCallbacks;
    cCallbackSet<tAxisCallback> m_joystickAxisCallbacks;
    uint8_t m_keyboardState[Platform::KEY_CODE_COUNT] = {};
    bool m_keyboardStateFresh = false;
    std::map<int, std::string> m_keyNames;
    bool m_mouseExclusive = false;
    bool m_joystickExclusive = false;
    Platform::CursorHandle m_cursor = nullptr;
    Platform::CursorHandle m_savedCursor = nullptr;
    bool m_clickRequested = false;
    bool m_wheelResetRequested = false;
    // Reused by every poll, so that a frame allocates nothing for it.
    std::vector<sGathered> m_gathered;
};

// The input system; null before it is created and after it is destroyed.
cInputSystem* getInputSystem();

} // namespace Engine
