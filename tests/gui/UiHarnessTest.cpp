// The harness itself: its scripted input reaches the input system's listeners in the frame
// that follows (characters before keys), the frame manager sees the cursor, and plays are
// recorded.

#include "tests/support/UiHarness.h"
#include "engine/core/FrameManager.h"
#include "engine/core/ResourceManager.h"
#include "engine/media/InputSystem.h"
#include "engine/media/SoundSample.h"
#include "engine/platform/KeyCodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

std::vector<std::string> g_events;

void onPress(void*) {
    g_events.push_back("press");
}
void onRelease(void*) {
    g_events.push_back("release");
}
void onEscapeUp(void*) {
    g_events.push_back("escape up");
}
void onChar(int character, void*) {
    g_events.push_back(std::string("char ") + char(character));
}

} // namespace

TEST(UiHarnessTest, ScriptedInputArrivesInTheNextFrame) {
    g_events.clear();
    UiHarness ui;
    ui.start();
    cInputSystem* input = getInputSystem();
    input->addKeyCallback(INPUT_MOUSE_BUTTON_DOWN, onPress, nullptr);
    input->addKeyCallback(INPUT_MOUSE_BUTTON_UP, onRelease, nullptr);
    input->addKeyCallback(Platform::KEY_ESCAPE, onEscapeUp, nullptr);
    input->addCharCallback(onChar, nullptr);

    ui.moveTo(300, 200);
    ui.step();
    EXPECT_EQ(*ui.frameManager().getCursorPosition(), cVector2(300, 200));
    ui.click(310, 210);
    EXPECT_EQ(g_events, (std::vector<std::string>{"press"}));
    ui.step();
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.type(L"ok");
    ui.step();
    EXPECT_EQ(g_events, (std::vector<std::string>{"press", "release", "char o", "char k", "escape up"}));

    input->removeKeyCallback(INPUT_MOUSE_BUTTON_DOWN, onPress, nullptr);
    input->removeKeyCallback(INPUT_MOUSE_BUTTON_UP, onRelease, nullptr);
    input->removeKeyCallback(Platform::KEY_ESCAPE, onEscapeUp, nullptr);
    input->removeCharCallback(onChar, nullptr);
}

TEST(UiHarnessTest, FramesHaveTheFixedStepAndPlaysAreRecorded) {
    UiHarness ui;
    ui.writeFile("sounds/click.ogg", "not decoded: the recording sound system is disabled");
    ui.start();
    ui.run(1.0f);
    EXPECT_DOUBLE_EQ(ui.timer().getTime(), 1.0);
    ui.step(0.125f);
    EXPECT_EQ(ui.timer().getDelta(), 0.125f);

    cSoundSample* sample = getResourceManager()->getSoundSample("sounds/click.ogg");
    getSoundSystem()->playOnce(sample);
    sample->decRef();
    EXPECT_EQ(ui.sounds(), (std::vector<std::string>{"playOnce sounds/click.ogg"}));
}
