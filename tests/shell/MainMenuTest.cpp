#include "game/shell/MainMenu.h"

#include "engine/core/Application.h"
#include "engine/core/FatalError.h"
#include "engine/core/ProfileManager.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/Panel.h"
#include "engine/gui/ProgressBar.h"
#include "engine/gui/Slider.h"
#include "engine/gui/TextButton.h"
#include "engine/media/SoundSystem.h"
#include "engine/platform/KeyCodes.h"
#include "engine/platform/Window.h"
#include "game/shell/Credits.h"
#include "game/shell/ExitDialog.h"
#include "game/shell/MatchStatistics.h"
#include "game/shell/Options.h"
#include "tests/shell/FrontEndFixture.h"

using namespace Engine;

namespace {

template <class T> T* findLive() {
    for (IFrameWidget* widget : getLiveWidgets())
        if (auto* found = dynamic_cast<T*>(widget))
            return found;
    return nullptr;
}

template <class T> int countLive() {
    int count = 0;
    for (IFrameWidget* widget : getLiveWidgets())
        if (dynamic_cast<T*>(widget))
            ++count;
    return count;
}

class MainMenuTest : public FrontEndTest::Fixture {
protected:
    void SetUp() override {
        writeData();
        ui.start();
    }
    // The menu on screen for a player, with the map behind it when asked.
    cMainMenu* openMenu(bool withMap = true) {
        new cProfileManager(L"Anna");
        auto* menu = new cMainMenu();
        menu->startUser();
        if (withMap) {
            registerMap();
            menu->setNextScreen(FrontEnd::createMap());
        }
        menu->fadeIn();
        menu->enable();
        ui.run(1.0f);
        return menu;
    }
    // The harness draws at no measured rate: the detail call depends on it, not on the test.
    static std::vector<std::string> withoutDetail(std::vector<std::string> calls) {
        if (!calls.empty() && calls.front() == "lowDetail")
            calls.erase(calls.begin());
        return calls;
    }
    static cVector2 at(cButton* button) { return button->getPosition(); }
    void click(cButton* button) {
        ui.click(at(button).x, at(button).y);
        ui.step();
    }
};

// On a machine with sound: the options offer the volume sliders.
class MainMenuAudibleTest : public MainMenuTest {
protected:
    void SetUp() override {
        writeData();
        ui.setAudible(true);
        ui.start();
    }
};

TEST_F(MainMenuTest, StartWithoutASavedLevelPlaysTheCurrentLevel) {
    cMainMenu* menu = openMenu();
    click(menu->getStartButton());
    // A second click while the switcher covers the menu starts nothing more.
    click(menu->getStartButton());
    ui.run(2.0f);
    EXPECT_EQ(withoutDetail(map->calls), (std::vector<std::string>{"open", "playLevel"}));
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(menu->getMusicChannel(), nullptr);
    EXPECT_EQ(menu->getAmbientChannel(), nullptr);
}

TEST_F(MainMenuTest, StartWithASavedLevelShowsTheMap) {
    cMainMenu* menu = openMenu();
    gIntProps["HasBinarySave"] = 1;
    click(menu->getStartButton());
    ui.run(2.0f);
    EXPECT_EQ(withoutDetail(map->calls), (std::vector<std::string>{"open", "showMap"}));
}

TEST_F(MainMenuTest, StartWithoutAMapKeepsTheMenu) {
    cMainMenu* menu = openMenu(false);
    click(menu->getStartButton());
    ui.run(2.0f);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->getStartButton()->getClickCallback() != nullptr);
}

TEST_F(MainMenuTest, LowFrameRateSetsTheMapsLowDetail) {
    const struct {
        float fps;
        int frames;
        bool low;
    } cases[] = {{20, 4, true}, {25, 4, false}, {0, 0, false}};
    registerMap();
    for (const auto& c : cases) {
        auto* menu = new cMainMenu();
        menu->setNextScreen(FrontEnd::createMap());
        for (int i = 0; i < c.frames; ++i)
            menu->countFrame(c.fps);
        cMainMenu::onStartClicked(menu->getStartButton());
        const bool low = !map->calls.empty() && map->calls.front() == "lowDetail";
        EXPECT_EQ(low, c.low) << c.fps;
        EXPECT_FALSE(menu->isMeasuring());
        EXPECT_EQ(menu->getFramesCounted(), 0.0f);
        ui.run(2.0f);
        onDestroyGame(nullptr);
        ui.step();
    }
}

TEST_F(MainMenuTest, EscapeAsksOnceAndYesClosesTheWindow) {
    cMainMenu* menu = openMenu();
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    ui.run(1.0f);
    EXPECT_EQ(countLive<cExitDialog>(), 1);
    EXPECT_FALSE(menu->isVisible());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.0f);
    EXPECT_EQ(countLive<cExitDialog>(), 1);
    cExitDialog* dialog = findLive<cExitDialog>();
    click(dialog->getYesButton());
    EXPECT_TRUE(getApplication()->getWindow()->isDestroyed());
}

TEST_F(MainMenuTest, NoClosesTheQuestionAndBringsTheMenuBack) {
    cMainMenu* menu = openMenu();
    click(menu->getExitButton());
    ui.run(1.0f);
    cExitDialog* dialog = findLive<cExitDialog>();
    ASSERT_NE(dialog, nullptr);
    click(dialog->getNoButton());
    ui.run(1.0f);
    EXPECT_EQ(countLive<cExitDialog>(), 0);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_FALSE(getApplication()->getWindow()->isDestroyed());
}

TEST_F(MainMenuTest, ExitYesShiesAwayAndBeesFollowTheButtons) {
    openMenu();
    auto* dialog = new cExitDialog(nullptr);
    dialog->fadeIn();
    dialog->enable();
    ui.run(1.0f);
    const cVector2 home = dialog->getHome();
    EXPECT_EQ(home, cVector2(392, 486));
    EXPECT_EQ(dialog->shyTarget(home - cVector2(40, 0)), home + cVector2(15, 0));
    EXPECT_EQ(dialog->shyTarget(home - cVector2(0, 100)), home);
    // 60 below the centre, off the button: pushed 7.5 up, no faster than 120 a second.
    ui.moveTo(home.x, home.y + 60);
    ui.step();
    ui.step();
    const float y = dialog->getYesButton()->getPosition().y;
    EXPECT_LT(y, home.y);
    EXPECT_GE(y, home.y - 7.5f);
    ui.moveTo(100, 100);
    ui.run(1.0f);
    EXPECT_EQ(dialog->getYesButton()->getPosition(), home);
    EXPECT_TRUE(dialog->getBee(0)->isVisible());
    ui.moveTo(dialog->getNoButton()->getPosition().x, dialog->getNoButton()->getPosition().y);
    ui.step();
    EXPECT_TRUE(dialog->getBee(1)->isVisible());
    EXPECT_FALSE(dialog->getBee(0)->isVisible());
    ui.moveTo(home.x, home.y);
    ui.steps(2);
    EXPECT_TRUE(dialog->getBee(2)->isVisible());
    EXPECT_FALSE(dialog->getBee(1)->isVisible());
    // Leaving while pressed keeps the bee of the hover.
    ui.press();
    ui.step();
    ui.moveTo(700, 200);
    ui.step();
    EXPECT_TRUE(dialog->getBee(2)->isVisible());
    ui.release();
    ui.step();
}

TEST_F(MainMenuTest, OptionsSetVolumesAndStoreThemInTheProfile) {
    cMainMenu* menu = openMenu();
    click(menu->getOptionsButton());
    ui.run(1.0f);
    cOptions* options = cOptions::getInstance();
    ASSERT_NE(options, nullptr);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_THROW(new cOptions(), const char*);
    cOptions::onSoundSlider(37.8f);
    cOptions::onMusicSlider(64.0f);
    EXPECT_EQ(getSoundSystem()->getSoundVolume(), 37);
    EXPECT_FLOAT_EQ(options->getSoundBar()->getCurrentValue(), 37.8f);
    EXPECT_EQ(getSoundSystem()->getMusicVolume(), 64);
    click(options->getOkButton());
    ui.run(1.0f);
    EXPECT_EQ(cOptions::getInstance(), nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(gBoolProps["SaveSettings"]);
    EXPECT_EQ(gUIntProps["SoundVolume"], 37u);
    EXPECT_EQ(gUIntProps["MusicVolume"], 64u);
    // A player who closed the options gets the volumes back; one who never did, 50 and 50.
    getSoundSystem()->setSoundVolume(90);
    applySoundSettings();
    EXPECT_EQ(getSoundSystem()->getSoundVolume(), 37);
    gBoolProps["SaveSettings"] = false;
    applySoundSettings();
    EXPECT_EQ(getSoundSystem()->getSoundVolume(), 50);
    EXPECT_EQ(getSoundSystem()->getMusicVolume(), 50);
}

// As on any desktop slider: press the thumb or the track, move with the button held over a few
// frames, release; the thumb and the volume follow the cursor all the way, and stop at the release.
TEST_F(MainMenuAudibleTest, OptionsVolumeSlidersDrag) {
    cMainMenu* menu = openMenu();
    click(menu->getOptionsButton());
    ui.run(1.0f);
    cOptions* options = cOptions::getInstance();
    ASSERT_NE(options, nullptr);
    for (bool onThumb : {true, false}) {
        cSlider* slider = options->getSoundSlider();
        const float left = slider->getPosition().x - slider->getSize().x / 2;
        const float y = slider->getPosition().y;
        // Track x for a value, the thumb's centre at the value.
        auto xOf = [&](float value) { return left + slider->getSize().x * value / 100.0f; };
        const cVector2 start = onThumb ? slider->getThumb()->getPosition() : cVector2(xOf(20), y);
        ui.moveTo(start.x, start.y);
        ui.step();
        ui.press();
        ui.step();
        for (float value : {30.0f, 45.0f, 60.0f, 75.0f}) {
            ui.moveTo(xOf(value), y + 6);
            ui.step();
            ui.step();
            EXPECT_NEAR(slider->getValue(), value, 0.5f) << (onThumb ? "thumb" : "track");
            EXPECT_NEAR(slider->getThumb()->getPosition().x, xOf(value), 0.5f);
            EXPECT_EQ(getSoundSystem()->getSoundVolume(), int(slider->getValue()));
        }
        ui.release();
        ui.step();
        ui.moveTo(xOf(10), y);
        ui.steps(2);
        EXPECT_NEAR(slider->getValue(), 75.0f, 0.5f);
        // Back to the middle for the next round.
        slider->setValue(50);
        slider->updateThumb();
        ui.step();
    }
}

// Quick hands: a second click on Options, or Escape, while the menu fades out behind the options.
TEST_F(MainMenuTest, AMenuThatWasLeftTakesNoMoreClicksOrKeys) {
    cMainMenu* menu = openMenu();
    click(menu->getOptionsButton());
    ui.run(0.125f);
    EXPECT_NO_THROW(click(menu->getOptionsButton()));
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.0f);
    EXPECT_EQ(countLive<cOptions>(), 1);
    EXPECT_EQ(findLive<cExitDialog>(), nullptr);
}

TEST_F(MainMenuTest, OptionsWithoutHandlerRefuseOk) {
    auto* options = new cOptions();
    try {
        cOptions::onOk(options->getOkButton());
        ADD_FAILURE() << "no throw";
    } catch (const char* text) {
        EXPECT_STREQ(text, "cOptions::onOk(): handler is not specified");
    }
    delete options;
}

TEST_F(MainMenuTest, FullScreenBoxFollowsTheSetting) {
    auto* options = new cOptions();
    options->fadeIn();
    options->enable();
    ui.run(1.0f);
    EXPECT_FALSE(options->getFullScreen()->isChecked());
    cOptions::onFullScreenChecked(options->getFullScreen(), true);
    EXPECT_TRUE(isFullScreenSet());
    ui.step();
    EXPECT_TRUE(options->getFullScreen()->isChecked());
    delete options;
}

TEST_F(MainMenuTest, CreditsComeAndGo) {
    cMainMenu* menu = openMenu();
    click(menu->getCreditsButton());
    ui.run(1.0f);
    cCredits* credits = cCredits::getInstance();
    ASSERT_NE(credits, nullptr);
    EXPECT_GE(credits->getTexts().size(), 8u);
    EXPECT_EQ(credits->getTexts().front()->getText(), L"Meadow");
    click(credits->getReturnButton());
    ui.run(1.0f);
    EXPECT_EQ(cCredits::getInstance(), nullptr);
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MainMenuTest, ChangeOfPlayerRestoresTheChosenPlayersState) {
    cMainMenu* menu = openMenu();
    cMatchStatistics::getInstance()->setCounter(0, 9);
    std::function<void()> chosen;
    FrontEnd::setSelectUserDialog([&](std::function<void()> ok, std::function<void()>) { chosen = ok; });
    click(menu->getChangeUserButton());
    ui.run(1.0f);
    ASSERT_TRUE(chosen);
    EXPECT_FALSE(menu->isEnabled());
    // The dialog switches the player: the old manager saves, the new one loads.
    delete cProfileManager::getInstance();
    new cProfileManager(L"Ben");
    gFloatProps["Timer"] = 120.0f;
    chosen();
    ui.run(1.0f);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(menu->getUserName()->getText(), L"Ben");
    EXPECT_NE(cMatchStatistics::getInstance(), nullptr);
    EXPECT_EQ(cMatchStatistics::getInstance()->getCounter(0), 0);
    EXPECT_GE(menu->getPlayTime(), 120.0f);
    EXPECT_EQ(getSoundSystem()->getSoundVolume(), 50);
}

TEST_F(MainMenuTest, ChangeOfPlayerWithoutTheDialogKeepsTheMenu) {
    cMainMenu* menu = openMenu();
    click(menu->getChangeUserButton());
    ui.run(1.0f);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(menu->getUserName()->getText(), L"Anna");
}

TEST_F(MainMenuTest, SecondMenuIsRefused) {
    auto* menu = new cMainMenu();
    EXPECT_THROW(new cMainMenu(), const char*);
    delete menu;
}

} // namespace

namespace {

// What the entry point does with an escaped failure: the text, "Restart the game please." and
// the error log in the current folder.
TEST_F(MainMenuTest, CoverWithoutAMapEndsInTheFatalReport) {
    cMainMenu* menu = openMenu(false);
    // Called as the switcher calls it once the menu is covered (outside the frame loop, which an
    // escaped failure leaves half-walked).
    try {
        menu->onScreenHidden(nullptr);
        ADD_FAILURE() << "the cover did not fail";
    } catch (...) {
        reportFatalException(std::current_exception());
    }
    const std::string text = "cMainMenu::onScreenHidden(): map is not created yet\nRestart the game please.";
    EXPECT_EQ(errorCallStack(), text);
    std::ifstream log("error.log");
    std::ostringstream content;
    content << log.rdbuf();
    EXPECT_NE(content.str().find("map is not created yet"), std::string::npos);
}

} // namespace
