#include "engine/media/InputSystem.h"

#include "engine/platform/SystemPreferences.h"

#include <algorithm>
#include <iterator>

namespace Engine {

using Platform::eDeviceResult;

namespace {

bool validCode(int code) {
    return code >= 0 && code < INPUT_CODE_COUNT;
}

// A listener pass walks a copy of the set taken when the pass begins, so that a listener may add
// or remove listeners, itself included. A listener removed during the pass is not called any
// more: its owner may be gone.
template <typename Callback>
std::vector<typename cCallbackSet<Callback>::Pair> snapshot(const cCallbackSet<Callback>& set) {
    std::vector<typename cCallbackSet<Callback>::Pair> pairs;
    set.forEach([&pairs](const auto& pair) { pairs.push_back(pair); });
    return pairs;
}

template <typename Callback, typename... Args>
void callIfHeld(const cCallbackSet<Callback>& set, const typename cCallbackSet<Callback>::Pair& pair, Args... args) {
    if (set.contains(pair.first, pair.second))
        pair.first(args..., pair.second);
}

} // namespace

cInputSystem* getInputSystem() {
    return cSingleton<cInputSystem>::getInstance();
}

cInputSystem::cInputSystem(std::unique_ptr<Platform::IInputDevices> devices) : m_devices(std::move(devices)) {
    if (!m_devices)
        m_devices = Platform::createInputDevices();
    m_chars.reserve(QUEUE_SIZE);
    m_virtualKeys.reserve(QUEUE_SIZE);
    m_events.reserve(Platform::INPUT_BUFFER_SIZE);
    m_gathered.reserve(64);
    m_savedCursor = m_devices->getCursor();
    buildKeyNames();
    clearAllKeyCallbacks();
}

cInputSystem::~cInputSystem() {
    m_devices->setCursor(m_savedCursor);
    m_devices.reset();
}

void cInputSystem::addKeyCallback(int code, tInputCallback callback, void* user) {
    if (callback && validCode(code))
        m_keyCallbacks[code].add(callback, user);
}

void cInputSystem::removeKeyCallback(int code, tInputCallback callback, void* user) {
    if (callback && validCode(code))
        m_keyCallbacks[code].remove(callback, user);
}

size_t cInputSystem::getKeyCallbackCount(int code) const {
    return validCode(code) ? m_keyCallbacks[code].size() : 0;
}

void cInputSystem::clearKeyCallbacks(int code) {
    if (validCode(code))
        m_keyCallbacks[code].clear();
}

void cInputSystem::clearAllKeyCallbacks() {
    for (auto& set : m_keyCallbacks)
        set.clear();
}

void cInputSystem::addCharCallback(tCharCallback callback, void* user) {
    if (callback)
        m_charCallbacks.add(callback, user);
}

void cInputSystem::clearCharCallbacks() {
    m_charCallbacks.clear();
}

void cInputSystem::removeCharCallback(tCharCallback callback, void* user) {
    m_charCallbacks.remove(callback, user);
}

void cInputSystem::addMouseMoveCallback(tAxisCallback callback, void* user) {
    if (callback)
        m_mouseMoveCallbacks.add(callback, user);
}

void cInputSystem::removeMouseMoveCallback(tAxisCallback callback, void* user) {
    m_mouseMoveCallbacks.remove(callback, user);
}

void cInputSystem::addVirtualKeyCallback(tVirtualKeyCallback callback, void* user) {
    if (callback)
        m_virtualKeyCallbacks.add(callback, user);
}

void cInputSystem::removeVirtualKeyCallback(tVirtualKeyCallback callback, void* user) {
    m_virtualKeyCallbacks.remove(callback, user);
}

void cInputSystem::clearVirtualKeyCallbacks() {
    m_virtualKeyCallbacks.clear();
}

void cInputSystem::addJoystickAxisCallback(tAxisCallback callback, void* user) {
    if (callback)
        m_joystickAxisCallbacks.add(callback, user);
}

void cInputSystem::removeJoystickAxisCallback(tAxisCallback callback, void* user) {
    m_joystickAxisCallbacks.remove(callback, user);
}

void cInputSystem::pushChar(int character) {
    if (m_chars.size() < QUEUE_SIZE)
        m_chars.push_back(uint16_t(character & 0xFFFF));
}

void cInputSystem::pushVirtualKey(int virtualKey) {
    if (m_virtualKeys.size() < QUEUE_SIZE)
        m_virtualKeys.push_back(virtualKey);
}

void cInputSystem::requestClick() {
    m_clickRequested = true;
}

void cInputSystem::requestWheelReset() {
    m_wheelResetRequested = true;
}

bool cInputSystem::usable(Platform::IInputDevice& device, eDeviceResult result) {
    switch (result) {
    case eDeviceResult::OK:
        return true;
    case eDeviceResult::NOT_ACQUIRED:
    case eDeviceResult::LOST:
        // A lost device is taken back like an unacquired one; its data waits for the next frame.
        device.acquire();
        return false;
    default:
        return false;
    }
}

bool cInputSystem::readDevice(Platform::IInputDevice& device) {
    m_events.clear();
    return usable(device, device.readEvents(m_events));
}

void cInputSystem::gather(int code) {
    m_keyCallbacks[code].forEach([this, code](const tCallPair& pair) { m_gathered.push_back({code, pair}); });
}

bool cInputSystem::readSwapMouseButtons() {
    std::string value;
    if (!Platform::getSystemPreferences().readSwapMouseButtons(value))
        return false;
    // One character, as the desktop stores the flag; "0" means not swapped.
    return value.size() == 1 && value[0] != '0';
}

void cInputSystem::pollInput() {
    // Characters and virtual keys queued during a pass wait for the next poll.
    if (!m_chars.empty()) {
        std::vector<uint16_t> chars;
        chars.swap(m_chars);
        m_chars.reserve(QUEUE_SIZE);
        const auto listeners = snapshot(m_charCallbacks);
        for (uint16_t character : chars)
            for (const auto& pair : listeners)
                callIfHeld(m_charCallbacks, pair, int(character));
    }
    if (!m_virtualKeys.empty()) {
        std::vector<int> keys;
        keys.swap(m_virtualKeys);
        m_virtualKeys.reserve(QUEUE_SIZE);
        const auto listeners = snapshot(m_virtualKeyCallbacks);
        for (int key : keys)
            for (const auto& pair : listeners)
                callIfHeld(m_virtualKeyCallbacks, pair, key);
    }

    m_gathered.clear();

    if (readDevice(m_devices->keyboard())) {
        for (const auto& event : m_events) {
            if (event.index < 0 || event.index >= Platform::KEY_CODE_COUNT)
                continue;
            gather(event.index + (event.pressed ? INPUT_KEY_PRESSED_BASE : 0));
            gather(INPUT_ANY);
        }
    }

    if (readDevice(m_devices->mouse())) {
        bool swapped = !m_events.empty() && readSwapMouseButtons();
        for (const auto& event : m_events) {
            if (event.index < 0 || event.index >= Platform::MOUSE_BUTTON_COUNT)
                continue;
            int button = event.index;
            if (swapped && button < 2)
                button = 1 - button;
            gather((event.pressed ? INPUT_MOUSE_BUTTON_DOWN : INPUT_MOUSE_BUTTON_UP) + button);
            gather(INPUT_ANY);
        }
    }

    Platform::IJoystickDevice* joystick = m_devices->joystick();
    if (joystick && readDevice(*joystick)) {
        for (const auto& event : m_events) {
            if (event.index < 0 || event.index >= Platform::JOYSTICK_BUTTON_COUNT)
                continue;
            gather((event.pressed ? INPUT_JOY_BUTTON_DOWN : INPUT_JOY_BUTTON_UP) + event.index);
            gather(INPUT_ANY);
        }
    }

    if (m_clickRequested) {
        m_clickRequested = false;
        gather(INPUT_MOUSE_LEFT_DOWN);
        gather(INPUT_MOUSE_LEFT_UP);
    }

    // Callbacks may register and unregister freely; a pair removed by an earlier callback of
    // this frame is not called any more, since its owner may be gone.
    for (size_t i = 0; i < m_gathered.size(); ++i) {
        const sGathered call = m_gathered[i];
        if (m_keyCallbacks[call.code].contains(call.pair.first, call.pair.second))
            call.pair.first(call.pair.second);
    }
    m_gathered.clear();

    if (m_wheelResetRequested) {
        m_wheelResetRequested = false;
        for (const auto& pair : snapshot(m_mouseMoveCallbacks))
            callIfHeld(m_mouseMoveCallbacks, pair, int(INPUT_MOUSE_WHEEL), 0);
    }

    // Each axis listener in turn gets all of its values before the next one.
    Platform::sMouseState mouse;
    if (usable(m_devices->mouse(), m_devices->mouse().readState(mouse))) {
        for (const auto& pair : snapshot(m_mouseMoveCallbacks)) {
            if (mouse.dx != 0)
                callIfHeld(m_mouseMoveCallbacks, pair, int(INPUT_MOUSE_DX), int(mouse.dx));
            if (mouse.dy != 0)
                callIfHeld(m_mouseMoveCallbacks, pair, int(INPUT_MOUSE_DY), int(mouse.dy));
            if (mouse.wheel != 0)
                callIfHeld(m_mouseMoveCallbacks, pair, int(INPUT_MOUSE_WHEEL), int(mouse.wheel));
        }
    }

    joystick = m_devices->joystick();
    Platform::sJoystickState state;
    if (joystick && usable(*joystick, joystick->readState(state))) {
        for (const auto& pair : snapshot(m_joystickAxisCallbacks)) {
            for (int axis = 0; axis < Platform::JOYSTICK_AXIS_COUNT; ++axis)
                callIfHeld(m_joystickAxisCallbacks, pair, INPUT_JOY_AXIS + axis, int(state.axes[axis]));
            for (int hat = 0; hat < Platform::JOYSTICK_HAT_COUNT; ++hat) {
                if (state.hats[hat] != Platform::JOYSTICK_HAT_CENTRED)
                    callIfHeld(m_joystickAxisCallbacks, pair, INPUT_JOY_AXIS + Platform::JOYSTICK_AXIS_COUNT + hat,
                               int(state.hats[hat]));
            }
        }
    }

    m_keyboardStateFresh = false;
}

void cInputSystem::refreshKeyboardState() {
    std::fill(std::begin(m_keyboardState), std::end(m_keyboardState), uint8_t(0));
    uint8_t state[Platform::KEY_CODE_COUNT] = {};
    // On failure every key reads as up.
    if (m_devices->keyboard().readState(state) == eDeviceResult::OK)
        std::copy(std::begin(state), std::end(state), m_keyboardState);
    m_keyboardStateFresh = true;
}

bool cInputSystem::isKeyDown(int keyCode) {
    if (keyCode < 0 || keyCode >= Platform::KEY_CODE_COUNT)
        return false;
    if (!m_keyboardStateFresh)
        refreshKeyboardState();
    return (m_keyboardState[keyCode] & 0x80) != 0;
}

const std::string& cInputSystem::getKeyName(int keyCode) {
    return m_keyNames[keyCode];
}

void cInputSystem::setMouseExclusive(bool exclusive) {
    if (exclusive == m_mouseExclusive)
        return;
    m_mouseExclusive = exclusive;
    Platform::IMouseDevice& mouse = m_devices->mouse();
    mouse.unacquire();
    mouse.setExclusive(exclusive);
    mouse.acquire();
}

void cInputSystem::setJoystickExclusive(bool exclusive) {
    Platform::IJoystickDevice* joystick = m_devices->joystick();
    if (exclusive == m_joystickExclusive || !joystick)
        return;
    m_joystickExclusive = exclusive;
    joystick->unacquire();
    joystick->setExclusive(exclusive);
    joystick->acquire();
}

void cInputSystem::setCursor(Platform::CursorHandle cursor) {
    if (cursor == m_cursor)
        return;
    m_cursor = cursor;
    m_devices->setCursor(cursor);
}

void cInputSystem::restoreCursor() {
    m_cursor = m_savedCursor;
    m_devices->setCursor(m_savedCursor);
}

bool cInputSystem::acquireDevices() {
    bool ok = m_devices->keyboard().acquire();
    ok = m_devices->mouse().acquire() && ok;
    if (Platform::IJoystickDevice* joystick = m_devices->joystick())
        ok = joystick->acquire() && ok;
    return ok;
}

bool cInputSystem::unacquireDevices() {
    bool ok = m_devices->keyboard().unacquire();
    ok = m_devices->mouse().unacquire() && ok;
    if (Platform::IJoystickDevice* joystick = m_devices->joystick())
        ok = joystick->unacquire() && ok;
    return ok;
}

void cInputSystem::buildKeyNames() {
    static const std::pair<int, const char*> kNames[] = {
        {1, "Esc"},
        {2, "1"},
        {3, "2"},
        {4, "3"},
        {5, "4"},
        {6, "5"},
        {7, "6"},
        {8, "7"},
        {9, "8"},
        {10, "9"},
        {11, "0"},
        {12, "-"},
        {13, "="},
        {14, "Back"},
        {15, "Tab"},
        {16, "Q"},
        {17, "W"},
        {18, "E"},
        {19, "R"},
        {20, "T"},
        {21, "Y"},
        {22, "U"},
        {23, "I"},
        {24, "O"},
        {25, "P"},
        {26, "["},
        {27, "]"},
        {28, "Enter"},
        {29, "L Ctr"},
        {30, "A"},
        {31, "S"},
        {32, "D"},
        {33, "F"},
        {34, "G"},
        {35, "H"},
        {36, "J"},
        {37, "K"},
        {38, "L"},
        {39, ";"},
        {40, "'"},
        {41, "`"},
        {42, "L Shift"},
        {43, "\\"},
        {44, "Z"},
        {45, "X"},
        {46, "C"},
        {47, "V"},
        {48, "B"},
        {49, "N"},
        {50, "M"},
        {51, ","},
        {52, "."},
        {53, "/"},
        {54, "R Shift"},
        {55, "*"},
        {56, "L Menu"},
        {57, "Space"},
        {58, "Caps Lock"},
        {59, "F1"},
        {60, "F2"},
        {61, "F3"},
        {62, "F4"},
        {63, "F5"},
        {64, "F6"},
        {65, "F7"},
        {66, "F8"},
        {67, "F9"},
        {68, "F10"},
        {69, "Num Lock"},
        {70, "Scrol"},
        {71, "NumPad 7"},
        {72, "NumPad 8"},
        {73, "NumPad 9"},
        {74, "NumPad -"},
        {75, "NumPad 4"},
        {76, "NumPad 5"},
        {77, "NumPad 6"},
        {78, "NumPad +"},
        {79, "NumPad 1"},
        {80, "NumPad 2"},
        {81, "NumPad 3"},
        {82, "NumPad 0"},
        {83, "NumPad ."},
        {86, "OEM_102"},
        {87, "F11"},
        {88, "F12"},
        {100, "F13"},
        {101, "F14"},
        {102, "F15"},
        {112, "KANA"},
        {115, "Abnt C1"},
        {121, "Convert"},
        {123, "No Convert"},
        {125, "Yen"},
        {126, "Abnt C2"},
        {141, "NumPad ="},
        {144, "Pre Vtrack"},
        {145, "At"},
        {146, "Colon"},
        {147, "Underline"},
        {148, "Kanji"},
        {149, "Stop"},
        {150, "Ax"},
        {151, "Unlabeled"},
        {153, "Next Track"},
        {156, "NumPad Enter"},
        {157, "R Ctr"},
        {160, "Mute"},
        {161, "Calculator"},
        {162, "PlayPause"},
        {164, "MediaStop"},
        {174, "Volume Down"},
        {176, "Volume Up"},
        {178, "Webhome"},
        {179, "NumPad ."},
        {181, "NumPad /"},
        {183, "SYSRQ"},
        {184, "R Alt"},
        {197, "Pause"},
        {199, "Home"},
        {200, "Up"},
        {201, "PgUp"},
        {203, "Left"},
        {205, "Right"},
        {207, "End"},
        {208, "Down"},
        {209, "PgDn"},
        {210, "Insert"},
        {211, "Delete"},
        {219, "L Win"},
        {220, "R Win"},
        {221, "Menu"},
        {222, "Power"},
        {223, "Sleep"},
        {227, "Wake"},
        {229, "WebSearch"},
        {230, "WebFavorites"},
        {231, "WebRefresh"},
        {232, "WebStop"},
        {233, "WebForward"},
        {234, "WebBack"},
        {235, "MyComputer"},
        {236, "Mail"},
        {237, "MediaSelect"},
    };
    for (const auto& entry : kNames)
        m_keyNames.emplace(entry.first, entry.second);
}

} // namespace Engine
