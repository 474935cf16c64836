#include "engine/media/InputSystem.h"

#include "engine/platform/SystemPreferences.h"
#include "engine/platform/headless/ScriptedInputDevices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Engine;
using Platform::cScriptedInputDevices;

namespace {

// Records every call as text, e.g. "520" for an event callback or "char 65".
struct sLog {
    std::vector<std::string> calls;
};

struct sTag {
    sLog* log;
    int code;
};

void recordEvent(void* user) {
    auto* tag = static_cast<sTag*>(user);
    tag->log->calls.push_back(std::to_string(tag->code));
}

void recordChar(int character, void* user) {
    static_cast<sLog*>(user)->calls.push_back("char " + std::to_string(character));
}

void recordVirtualKey(int key, void* user) {
    static_cast<sLog*>(user)->calls.push_back("vk " + std::to_string(key));
}

void recordAxis(int code, int value, void* user) {
    static_cast<sLog*>(user)->calls.push_back(std::to_string(code) + "=" + std::to_string(value));
}

class cFixedPreferences : public Platform::ISystemPreferences {
public:
    bool set = false;
    std::string value;
    bool readSwapMouseButtons(std::string& out) override {
        out = value;
        return set;
    }
};

class InputSystemTest : public ::testing::Test {
protected:
    void SetUp() override { make(false); }
    void TearDown() override {
        m_input.reset();
        Platform::setSystemPreferences(nullptr);
    }

    void make(bool withJoystick) {
        m_input.reset();
        auto devices = std::make_unique<cScriptedInputDevices>(withJoystick);
        m_devices = devices.get();
        m_input = std::make_unique<cInputSystem>(std::move(devices));
    }

    // Registers a recording callback for each code, tagged with the code.
    void listen(std::initializer_list<int> codes) {
        for (int code : codes) {
            m_tags.push_back(std::make_unique<sTag>(sTag{&m_log, code}));
            m_input->addKeyCallback(code, recordEvent, m_tags.back().get());
        }
    }

    std::vector<std::string> poll() {
        m_log.calls.clear();
        m_input->pollInput();
        return m_log.calls;
    }

    sLog m_log;
    std::vector<std::unique_ptr<sTag>> m_tags;
    cScriptedInputDevices* m_devices = nullptr;
    std::unique_ptr<cInputSystem> m_input;
};

using Calls = std::vector<std::string>;

TEST_F(InputSystemTest, KeyPressAndReleaseInOneFrameRunInEventOrderWithAnyAfterEach) {
    listen({57, 256 + 57, INPUT_ANY});
    m_devices->getKeyboard().press(57);
    m_devices->getKeyboard().release(57);

    EXPECT_EQ(poll(), (Calls{"313", "1100", "57", "1100"}));
    EXPECT_EQ(poll(), Calls{}); // delivered once
}

TEST_F(InputSystemTest, DevicesAreReadKeyboardMouseJoystickThenClickRequest) {
    make(true);
    listen({INPUT_ANY, 28, 520, 512, 1056 + 3});
    m_input->requestClick();
    m_devices->getJoystick()->press(3);
    m_devices->getMouse().press(0);
    m_devices->getKeyboard().release(28);

    EXPECT_EQ(poll(), (Calls{"28", "1100", "520", "1100", "1059", "1100", "520", "512"}));
}

TEST_F(InputSystemTest, MouseButtonsFollowTheSwapPreference) {
    cFixedPreferences preferences;
    Platform::setSystemPreferences(&preferences);
    listen({512, 513, 520, 521, 522, 514});

    struct sCase {
        bool set;
        const char* value;
        Calls expected;
    };
    const sCase cases[] = {
        {false, "", {"520", "512", "522", "514"}},
        {true, "1", {"521", "513", "522", "514"}},
        {true, "0", {"520", "512", "522", "514"}},
        {true, "10", {"520", "512", "522", "514"}}, // not a one-character flag
    };
    for (const sCase& c : cases) {
        preferences.set = c.set;
        preferences.value = c.value;
        m_devices->getMouse().press(0);
        m_devices->getMouse().release(0);
        m_devices->getMouse().press(2);
        m_devices->getMouse().release(2);
        EXPECT_EQ(poll(), c.expected) << c.value;
    }
}

TEST_F(InputSystemTest, JoystickButtonsAndAxesWithValues) {
    make(true);
    ASSERT_TRUE(m_input->hasJoystick());
    listen({1024 + 31, 1056 + 31});
    m_input->addJoystickAxisCallback(recordAxis, &m_log);
    Platform::cScriptedJoystick& joystick = *m_devices->getJoystick();
    joystick.press(31);
    joystick.release(31);
    joystick.setAxis(0, -32768);
    joystick.setAxis(7, 32768);
    joystick.setHat(2, 9000);

    EXPECT_EQ(poll(), (Calls{"1087", "1055", "1088=-32768", "1089=0", "1090=0", "1091=0", "1092=0", "1093=0", "1094=0",
                             "1095=32768", "1098=9000"}));
}

TEST_F(InputSystemTest, NoJoystickMeansNoJoystickCalls) {
    EXPECT_FALSE(m_input->hasJoystick());
    m_input->addJoystickAxisCallback(recordAxis, &m_log);
    m_input->setJoystickExclusive(true);
    EXPECT_FALSE(m_input->isJoystickExclusive());
    EXPECT_EQ(poll(), Calls{});
}

TEST_F(InputSystemTest, MouseAxesOnlyWhenMovedAndWheelReset) {
    m_input->addMouseMoveCallback(recordAxis, &m_log);
    EXPECT_EQ(poll(), Calls{});

    m_devices->getMouse().move(3, 0, -120);
    EXPECT_EQ(poll(), (Calls{"528=3", "530=-120"}));

    m_input->requestWheelReset();
    m_devices->getMouse().move(0, -7);
    EXPECT_EQ(poll(), (Calls{"530=0", "529=-7"}));
}

TEST_F(InputSystemTest, CharactersAndVirtualKeysReachListenersInArrivalOrder) {
    m_input->pushChar(0x41);
    m_input->pushVirtualKey(13);
    EXPECT_EQ(poll(), Calls{}); // nobody listened: both queues are emptied

    m_input->addCharCallback(recordChar, &m_log);
    m_input->addVirtualKeyCallback(recordVirtualKey, &m_log);
    m_input->pushVirtualKey(37);
    m_input->pushChar(0x10428); // only the low 16 bits are kept
    m_input->pushChar(0x44);
    EXPECT_EQ(poll(), (Calls{"char 1064", "char 68", "vk 37"}));
}

struct sAxisTag {
    sLog* log;
    const char* name;
    cInputSystem* input = nullptr;
    sAxisTag* victim = nullptr; // removed from the mouse-axis listeners at this one's first call
};

void recordTaggedAxis(int code, int value, void* user) {
    auto* tag = static_cast<sAxisTag*>(user);
    tag->log->calls.push_back(std::string(tag->name) + " " + std::to_string(code) + "=" + std::to_string(value));
    if (tag->victim) {
        tag->input->removeMouseMoveCallback(recordTaggedAxis, tag->victim);
        tag->victim = nullptr;
    }
}

TEST_F(InputSystemTest, EachAxisListenerGetsItsValuesInTurn) {
    make(true);
    // Pairs of one callback run in the order of their user pointers: a, then b.
    sAxisTag tags[2] = {{&m_log, "a"}, {&m_log, "b"}};
    m_input->addMouseMoveCallback(recordTaggedAxis, &tags[0]);
    m_input->addMouseMoveCallback(recordTaggedAxis, &tags[1]);
    m_devices->getMouse().move(3, -4);
    EXPECT_EQ(poll(), (Calls{"a 528=3", "a 529=-4", "b 528=3", "b 529=-4"}));

    m_input->addJoystickAxisCallback(recordTaggedAxis, &tags[0]);
    m_input->addJoystickAxisCallback(recordTaggedAxis, &tags[1]);
    m_devices->getJoystick()->setHat(0, 0);
    const Calls calls = poll();
    ASSERT_EQ(calls.size(), 18u);
    EXPECT_EQ(calls[8], "a 1096=0");
    EXPECT_EQ(calls[9], "b 1088=0");
    EXPECT_EQ(calls[17], "b 1096=0");

    // A listener removed by an earlier one during the pass is not called any more.
    m_input->removeJoystickAxisCallback(recordTaggedAxis, &tags[0]);
    m_input->removeJoystickAxisCallback(recordTaggedAxis, &tags[1]);
    tags[0].input = m_input.get();
    tags[0].victim = &tags[1];
    m_devices->getMouse().move(1, 2);
    EXPECT_EQ(poll(), (Calls{"a 528=1", "a 529=2"}));
}

TEST_F(InputSystemTest, ListenersAreRemovedAndClearedPerKind) {
    make(true);
    m_input->addCharCallback(recordChar, &m_log);
    m_input->addVirtualKeyCallback(recordVirtualKey, &m_log);
    m_input->addMouseMoveCallback(recordAxis, &m_log);
    m_input->addJoystickAxisCallback(recordAxis, &m_log);
    listen({1, 520, INPUT_ANY});
    m_input->removeCharCallback(recordChar, &m_log);
    m_input->removeVirtualKeyCallback(recordVirtualKey, &m_log);
    m_input->removeMouseMoveCallback(recordAxis, &m_log);
    m_input->removeJoystickAxisCallback(recordAxis, &m_log);
    m_input->clearAllKeyCallbacks();
    m_input->pushChar('x');
    m_input->pushVirtualKey(13);
    m_input->requestWheelReset();
    m_devices->getMouse().move(5, 5, 120);
    m_devices->getMouse().press(0);
    m_devices->getKeyboard().release(1);
    EXPECT_EQ(poll(), Calls{});

    m_input->addCharCallback(recordChar, &m_log);
    m_input->addVirtualKeyCallback(recordVirtualKey, &m_log);
    m_input->clearCharCallbacks();
    m_input->clearVirtualKeyCallbacks();
    m_input->pushChar('x');
    m_input->pushVirtualKey(13);
    EXPECT_EQ(poll(), Calls{});
}

TEST_F(InputSystemTest, FullQueuesDropFurtherEntries) {
    m_input->addCharCallback(recordChar, &m_log);
    for (int i = 0; i < 1030; ++i)
        m_input->pushChar('a');
    EXPECT_EQ(poll().size(), cInputSystem::QUEUE_SIZE);
}

TEST_F(InputSystemTest, RegistrationsAreSetsOfPairs) {
    sTag tag{&m_log, 1};
    m_input->addKeyCallback(1, recordEvent, &tag);
    m_input->addKeyCallback(1, recordEvent, &tag);
    m_input->addKeyCallback(1, nullptr, &tag);
    m_devices->getKeyboard().release(1);
    EXPECT_EQ(poll(), Calls{"1"});

    m_input->removeKeyCallback(1, recordEvent, &tag);
    m_devices->getKeyboard().release(1);
    EXPECT_EQ(poll(), Calls{});

    m_input->addKeyCallback(1, recordEvent, &tag);
    m_input->clearKeyCallbacks(1);
    m_devices->getKeyboard().release(1);
    EXPECT_EQ(poll(), Calls{});
}

TEST_F(InputSystemTest, CodesOutsideTheTableAreIgnored) {
    sTag tag{&m_log, -1};
    m_input->addKeyCallback(-1, recordEvent, &tag);
    m_input->addKeyCallback(INPUT_CODE_COUNT, recordEvent, &tag);
    m_input->removeKeyCallback(5000, recordEvent, &tag);
    m_input->clearKeyCallbacks(-7);
    EXPECT_FALSE(m_input->isKeyDown(256));
    EXPECT_FALSE(m_input->isKeyDown(-1));
    // A device reporting codes outside its range is ignored too.
    listen({INPUT_ANY});
    m_devices->getKeyboard().press(300);
    m_devices->getMouse().press(8);
    EXPECT_EQ(poll(), Calls{});
}

struct sSelfRemover {
    cInputSystem* input;
    int calls = 0;
    void* victim = nullptr; // a pair removed by this callback before it runs
};

void removeSelf(void* user) {
    auto* self = static_cast<sSelfRemover*>(user);
    ++self->calls;
    self->input->removeKeyCallback(520, removeSelf, self);
    if (self->victim)
        self->input->removeKeyCallback(520, removeSelf, self->victim);
}

TEST_F(InputSystemTest, ACallbackMayRemoveItselfAndOthersDuringDispatch) {
    sSelfRemover pair[2] = {{m_input.get()}, {m_input.get()}};
    // Pairs run in the order of their user pointers: the first removes the second.
    pair[0].victim = &pair[1];
    m_input->addKeyCallback(520, removeSelf, &pair[0]);
    m_input->addKeyCallback(520, removeSelf, &pair[1]);
    m_devices->getMouse().press(0);
    m_devices->getMouse().release(0);
    m_devices->getMouse().press(0);
    poll();
    EXPECT_EQ(pair[0].calls, 1);
    EXPECT_EQ(pair[1].calls, 0);
}

TEST_F(InputSystemTest, LostOrUnacquiredDeviceIsAcquiredAgainOnTheNextPoll) {
    listen({30 + 256});
    m_devices->getKeyboard().failNextRead(Platform::eDeviceResult::LOST);
    m_devices->getKeyboard().press(30);
    EXPECT_EQ(poll(), Calls{});
    EXPECT_EQ(m_devices->getKeyboard().getAcquireCount(), 1);
    EXPECT_EQ(poll(), Calls{"286"});

    m_input->unacquireDevices();
    m_devices->getKeyboard().press(30);
    EXPECT_EQ(poll(), Calls{});
    EXPECT_EQ(poll(), Calls{"286"});

    m_devices->getKeyboard().failNextRead(Platform::eDeviceResult::FAILED);
    m_devices->getKeyboard().press(30);
    EXPECT_EQ(poll(), Calls{});
    EXPECT_EQ(poll(), Calls{"286"});
}

TEST_F(InputSystemTest, KeyboardStateIsReadOncePerFrame) {
    m_devices->getKeyboard().press(42);
    EXPECT_TRUE(m_input->isKeyDown(42));
    EXPECT_FALSE(m_input->isKeyDown(29));
    EXPECT_EQ(m_devices->getKeyboard().getStateReadCount(), 1);

    m_devices->getKeyboard().release(42);
    EXPECT_TRUE(m_input->isKeyDown(42)); // still this frame's state
    m_input->pollInput();
    EXPECT_FALSE(m_input->isKeyDown(42));
    EXPECT_EQ(m_devices->getKeyboard().getStateReadCount(), 2);
}

TEST_F(InputSystemTest, KeyNames) {
    EXPECT_EQ(m_input->getKeyName(38), "L");
    EXPECT_EQ(m_input->getKeyName(1), "Esc");
    EXPECT_EQ(m_input->getKeyName(41), "`");
    EXPECT_EQ(m_input->getKeyName(43), "\\");
    EXPECT_EQ(m_input->getKeyName(83), "NumPad .");
    EXPECT_EQ(m_input->getKeyName(179), "NumPad .");
    EXPECT_EQ(m_input->getKeyName(70), "Scrol");
    EXPECT_EQ(m_input->getKeyName(237), "MediaSelect");
    EXPECT_EQ(m_input->getKeyName(84), "");
    EXPECT_EQ(m_input->getKeyName(-5), "");
}

TEST_F(InputSystemTest, CursorIsSetOnChangeAndRestored) {
    m_input.reset();
    auto devices = std::make_unique<cScriptedInputDevices>();
    int saved = 0, other = 0;
    devices->setCursor(&saved);
    cScriptedInputDevices* raw = devices.get();
    m_input = std::make_unique<cInputSystem>(std::move(devices));
    EXPECT_EQ(m_input->getCursor(), nullptr);

    m_input->setCursor(&other);
    m_input->setCursor(&other);
    EXPECT_EQ(raw->getCursorChangeCount(), 2);
    EXPECT_EQ(raw->getCursor(), &other);
    m_input->restoreCursor();
    EXPECT_EQ(m_input->getCursor(), &saved);
    EXPECT_EQ(raw->getCursor(), &saved);
}

TEST_F(InputSystemTest, MouseExclusiveReacquiresOnlyOnChange) {
    m_input->setMouseExclusive(false);
    EXPECT_EQ(m_devices->getMouse().getAcquireCount(), 0);
    m_input->setMouseExclusive(true);
    EXPECT_TRUE(m_input->isMouseExclusive());
    EXPECT_TRUE(m_devices->getMouse().isExclusive());
    EXPECT_EQ(m_devices->getMouse().getAcquireCount(), 1);
}

TEST_F(InputSystemTest, JoystickExclusiveReacquiresOnlyOnChange) {
    make(true);
    Platform::cScriptedJoystick& joystick = *m_devices->getJoystick();
    m_input->setJoystickExclusive(false);
    EXPECT_EQ(joystick.getAcquireCount(), 0);
    m_input->setJoystickExclusive(true);
    m_input->setJoystickExclusive(true);
    EXPECT_TRUE(m_input->isJoystickExclusive());
    EXPECT_TRUE(joystick.isExclusive());
    EXPECT_EQ(joystick.getAcquireCount(), 1);
    m_input->setJoystickExclusive(false);
    EXPECT_FALSE(joystick.isExclusive());
    EXPECT_EQ(joystick.getAcquireCount(), 2);
}

TEST_F(InputSystemTest, IsASingletonWithGetter) {
    EXPECT_EQ(getInputSystem(), m_input.get());
    try {
        cInputSystem second(std::make_unique<cScriptedInputDevices>());
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "Object already exist.");
    }
    m_input.reset();
    EXPECT_EQ(getInputSystem(), nullptr);
    // Headless runs get scripted devices by default.
    cInputSystem input;
    EXPECT_NE(cScriptedInputDevices::current(), nullptr);
}

} // namespace
