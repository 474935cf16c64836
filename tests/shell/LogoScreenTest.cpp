#include "game/shell/LogoScreen.h"

#include "engine/core/Application.h"
#include "engine/core/Constants.h"
#include "engine/gui/Panel.h"
#include "engine/media/Texture.h"
#include "engine/platform/KeyCodes.h"
#include "engine/platform/headless/HeadlessWindow.h"
#include "game/shell/LoadingScreen.h"
#include "game/shell/MainMenu.h"
#include "game/shell/TipManager.h"
#include "tests/shell/FrontEndFixture.h"

using namespace Engine;

namespace {

class LogoScreenTest : public FrontEndTest::Fixture {
protected:
    cLogoScreen* logo() {
        for (IFrameWidget* widget : getLiveWidgets())
            if (auto* screen = dynamic_cast<cLogoScreen*>(widget))
                return screen;
        return nullptr;
    }
    cLoadingScreen* loading() {
        for (IFrameWidget* widget : getLiveWidgets())
            if (auto* screen = dynamic_cast<cLoadingScreen*>(widget))
                return screen;
        return nullptr;
    }
    std::string shownPicture() {
        cTexture* texture = logo()->getPicture()->getPicture();
        return texture ? texture->getName() : "";
    }
};

TEST_F(LogoScreenTest, CreateCallbackLeavesTipsSoundsAndTheLogoScreen) {
    writeData();
    ui.start();
    EXPECT_TRUE(onCreateGame(nullptr));
    EXPECT_NE(cTipManager::getInstance(), nullptr);
    EXPECT_NE(cGameSounds::getInstance(), nullptr);
    ASSERT_NE(logo(), nullptr);
    EXPECT_EQ(getMainMenu(), nullptr);
    EXPECT_FALSE(logo()->areLogosOff());
}

TEST_F(LogoScreenTest, LogosOffStartsLoadingInTheFirstFrame) {
    writeData("Logo=\"0\"");
    writeLog(3);
    ui.start();
    onCreateGame(nullptr);
    ui.step();
    ASSERT_NE(getMainMenu(), nullptr);
    EXPECT_FALSE(getMainMenu()->isVisible());
    EXPECT_TRUE(soundPlayed("play meadow/sounds/preloader_ambient.ogg"));
    EXPECT_EQ(logo(), nullptr);
    EXPECT_NE(loading(), nullptr);
    EXPECT_FALSE(soundPlayed("main_menu_music"));
}

TEST_F(LogoScreenTest, LogosShowFourSecondsEachAndMissingOnesAreSkipped) {
    writeData();
    ui.start();
    onCreateGame(nullptr);
    ui.run(0.5f);
    ASSERT_NE(logo(), nullptr);
    // "Logo/Logo2.png" is not shipped: after the team's logo comes the title.
    EXPECT_EQ(logo()->getLogoIndex(), 1);
    EXPECT_EQ(shownPicture(), "logo.png");
    EXPECT_EQ(logo()->getPicture()->getSize(), cVector2(520, 300));
    ui.run(4.0f);
    EXPECT_EQ(logo()->getLogoIndex(), 3);
    EXPECT_EQ(shownPicture(), "logo/logo3.png");
    EXPECT_EQ(getMainMenu(), nullptr);
    ui.run(4.25f);
    EXPECT_NE(getMainMenu(), nullptr);
    ui.run(1.0f);
    EXPECT_EQ(logo(), nullptr);
}

TEST_F(LogoScreenTest, PressAndReleaseOfAKeySkipExactlyOneLogo) {
    writeData();
    ui.start();
    onCreateGame(nullptr);
    ui.run(0.5f);
    ASSERT_EQ(logo()->getLogoIndex(), 1);
    ui.tapKey(Platform::KEY_SPACE);
    ui.step();
    EXPECT_EQ(logo()->getLogoIndex(), 3);
    EXPECT_EQ(logo()->getTimer(), 0.0625f);
    ui.keyDown(Platform::KEY_SPACE);
    ui.step();
    ui.keyUp(Platform::KEY_SPACE);
    ui.step();
    // The last logo's key starts the loading once.
    ASSERT_NE(getMainMenu(), nullptr);
    EXPECT_TRUE(logo() == nullptr || logo()->isStarted());
}

TEST_F(LogoScreenTest, MissingFirstLogoShowsTheNextOne) {
    writeData();
    ui.writeFile("Logo.png", "");
    ui.writeFile("Logo/Logo2.png", FrontEndTest::readShipped("Logo.png"));
    ui.start();
    onCreateGame(nullptr);
    ui.run(0.5f);
    EXPECT_EQ(logo()->getLogoIndex(), 2);
    EXPECT_EQ(shownPicture(), "logo/logo2.png");
    EXPECT_TRUE(isFileMissingOrEmpty("Logo.png"));
    EXPECT_TRUE(isFileMissingOrEmpty("nothing.png"));
    EXPECT_FALSE(isFileMissingOrEmpty("Logo/Logo2.png"));
}

TEST_F(LogoScreenTest, DestroyCallbackDuringTheLogosDeletesOnlyWhatExists) {
    writeData();
    ui.start();
    onCreateGame(nullptr);
    ui.step();
    EXPECT_TRUE(onDestroyGame(nullptr));
    EXPECT_EQ(cTipManager::getInstance(), nullptr);
    EXPECT_EQ(getMainMenu(), nullptr);
    EXPECT_EQ(logo(), nullptr) << "a program closed during the logos releases their screen";
}

TEST_F(LogoScreenTest, DestroyCallbackDuringTheLoadingReleasesTheLoadingScreen) {
    writeData("Logo=\"0\"");
    writeLog(3);
    ui.start();
    onCreateGame(nullptr);
    ui.steps(3);
    ASSERT_NE(loading(), nullptr);
    EXPECT_TRUE(onDestroyGame(nullptr));
    EXPECT_EQ(loading(), nullptr);
    EXPECT_EQ(logo(), nullptr);
    EXPECT_TRUE(getPendingDeletions().empty()) << "what the screens handed over has gone too";
}

TEST(GameStart, WindowTitleShowsTheVersionOnlyWhenAsked) {
    const struct {
        const char* attributes;
        const wchar_t* title;
    } cases[] = {
        {"window_title=\"Meadow\"", L"made by the window"},
        {"window_title=\"Meadow\" show_version=\"0\"", L"made by the window"},
        {"window_title=\"Meadow\" show_version=\"1\"", L"Meadow - v1.10"},
        {"show_version=\"1\"", L" - v1.10"},
    };
    for (const auto& c : cases) {
        TestSupport::UiHarness ui;
        ui.writeFile("sys/constants.xml",
                     std::string("<constants><game app_directory=\"Meadow Test\" ") + c.attributes + "/></constants>");
        ui.start();
        Platform::cHeadlessWindow window(L"made by the window");
        cApplicationDesc desc;
        desc.hWnd = &window;
        makeWindowTitle(desc);
        EXPECT_EQ(window.getTitle(), c.title) << c.attributes;
    }
}

} // namespace
