#include "engine/media/MediaServices.h"

#include "engine/core/Application.h"
#include "engine/core/ServiceFactory.h"
#include "engine/media/InputSystem.h"
#include "engine/media/SoundSystem.h"
#include "engine/platform/System.h"
#include "engine/platform/WindowMessages.h"
#include "engine/platform/headless/HeadlessWindow.h"
#include "engine/platform/headless/ScriptedInputDevices.h"
#include "tests/support/DataFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace Engine;

namespace {

std::string g_calls;

void onLeftPress(void*) {
    g_calls += "press ";
}
void onChar(int character, void*) {
    g_calls += "char " + std::to_string(character) + " ";
}
void onVirtualKey(int key, void*) {
    g_calls += "vk " + std::to_string(key) + " ";
}

// The program's own start-up: the application makes the input and sound systems through the
// media layer's factories, and the window and the frame loop reach them.
TEST(MediaServices, TheApplicationMakesAndFeedsTheInputAndSoundSystems) {
    TestSupport::DataFolders folders;
    folders.writeData("sys/settings.xml", "<settings><Sound Music=\"20\"/></settings>");
    namespace fs = std::filesystem;
    const std::string dataFolder =
        fs::relative(folders.dataPath(""), fs::path(Platform::getExecutablePath()).parent_path()).string();
    cApplicationDesc desc;
    desc.dataFolder = dataFolder.c_str();
    registerMediaServices();
    std::unique_ptr<cApplication> application(createApplication(&desc));

    cInputSystem* input = getInputSystem();
    ASSERT_NE(input, nullptr);
    ASSERT_NE(getSoundSystem(), nullptr);
    EXPECT_FALSE(getSoundSystem()->isDisabled());
    EXPECT_EQ(getSoundSystem()->getMusicVolume(), 20);

    g_calls.clear();
    input->addKeyCallback(INPUT_MOUSE_BUTTON_DOWN, onLeftPress, nullptr);
    input->addCharCallback(onChar, nullptr);
    input->addVirtualKeyCallback(onVirtualKey, nullptr);
    Platform::cScriptedInputDevices::current()->getMouse().press(0);
    auto* window = static_cast<Platform::cHeadlessWindow*>(application->getWindow());
    window->inject(Platform::WM_KEYDOWN, 65);
    window->inject(Platform::WM_CHAR, 'a');
    application->setFrameLimit(1);
    application->runMainLoop();
    EXPECT_EQ(g_calls, "char 97 vk 65 press ");

    // A deactivated window pauses the sound and gets no device input.
    g_calls.clear();
    mainWindowProc(Platform::WM_ACTIVATE, Platform::WA_INACTIVE, 0);
    Platform::cScriptedInputDevices::current()->getMouse().press(0);
    input->pollInput();
    EXPECT_EQ(g_calls, "");
    EXPECT_TRUE(getSoundSystem()->isPaused());

    application.reset();
    EXPECT_EQ(getInputSystem(), nullptr);
    EXPECT_EQ(getSoundSystem(), nullptr);
    setServiceFactory(cServiceFactory());
}

} // namespace
