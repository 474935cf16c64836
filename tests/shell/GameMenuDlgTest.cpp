#include "game/shell/GameMenuDlg.h"

#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/shell/AwardTipDlg.h"
#include "game/shell/GameStart.h"
#include "game/shell/Options.h"
#include "game/shell/YesNoFrame.h"
#include "tests/shell/FrontEndFixture.h"

using namespace Engine;

namespace {

class GameMenuDlgTest : public FrontEndTest::Fixture {
protected:
    void SetUp() override {
        writeData();
        ui.start();
        new cGameSounds();
        menu = new cGameMenuDlg();
        menu->m_developmentView = &owner;
        open();
    }
    // As the map opens it over the board.
    void open() {
        menu->enable();
        menu->fadeIn();
        ui.run(1.0f);
    }
    void click(cButton* button) {
        ui.click(button->getPosition().x, button->getPosition().y);
        ui.step();
    }
    // The question's answer by its button, once it has faded in.
    void answer(bool yes) {
        ASSERT_NE(menu->getQuestion(), nullptr);
        ui.run(1.0f);
        cYesNoFrame* frame = menu->getQuestion();
        click(yes ? static_cast<cButton*>(frame->getYesButton()) : frame->getNoButton());
        ui.run(1.0f);
    }

    FrontEndTest::FakeMap owner;
    cGameMenuDlg* menu = nullptr;
};

TEST_F(GameMenuDlgTest, ReadsItsTextsAndButtons) {
    EXPECT_EQ(menu->getExitText(), L"Leave this level? Its progress will be lost.");
    EXPECT_EQ(menu->getMainMenuText(), L"Go to the main menu? This level is kept and offered again at the next Play.");
    EXPECT_EQ(menu->getReplayText(), L"Start this level again from the beginning?");
    EXPECT_EQ(menu->getEffectWidgets().size(), 8u);
    EXPECT_EQ(menu->getResumeButton()->getPosition(), cVector2(512, 136));
    EXPECT_EQ(menu->getMainMenuButton()->getPosition(), cVector2(512, 628));
    EXPECT_THROW(new cGameMenuDlg(), const char*);
}

TEST_F(GameMenuDlgTest, ResumeByButtonEscapeOrEnter) {
    click(menu->getResumeButton());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"resumeGame", "resumeGame", "resumeGame"}));
}

TEST_F(GameMenuDlgTest, EscapeDuringAQuestionAnswersOnlyTheQuestion) {
    // Escape while the menu still fades out behind the question.
    click(menu->getReplayButton());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    ui.run(1.0f);
    EXPECT_TRUE(owner.calls.empty());
    EXPECT_EQ(menu->getQuestion(), nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
}

TEST_F(GameMenuDlgTest, QuestionsLeadToTheirActionsOnYes) {
    const struct {
        const char* button;
        std::wstring question;
        std::vector<std::string> calls;
    } cases[] = {
        {"replay", menu->getReplayText(), {"replayLevel"}},
        // The map loses the level; the main menu keeps it for the next Play.
        {"main menu", menu->getMainMenuText(), {"saveOff", "goToMainMenu"}},
        {"map", menu->getExitText(), {"backToMap"}},
    };
    for (const auto& c : cases) {
        owner.calls.clear();
        const std::string name = c.button;
        cTextButton* button = name == "replay"      ? menu->getReplayButton()
                              : name == "main menu" ? menu->getMainMenuButton()
                                                    : menu->getMapButton();
        click(button);
        ASSERT_NE(menu->getQuestion(), nullptr) << name;
        EXPECT_EQ(menu->getQuestion()->getMessage(), c.question) << name;
        answer(false);
        EXPECT_TRUE(owner.calls.empty()) << name;
        EXPECT_TRUE(menu->isVisible()) << name;
        click(button);
        answer(true);
        EXPECT_EQ(owner.calls, c.calls) << name;
        EXPECT_FALSE(menu->isVisible()) << name;
        open();
    }
}

TEST_F(GameMenuDlgTest, TutorialResumesTheLevel) {
    click(menu->getTutorialButton());
    EXPECT_EQ(owner.calls, std::vector<std::string>{"resumeGame"});
}

TEST_F(GameMenuDlgTest, OptionsComeBackToTheMenu) {
    click(menu->getOptionsButton());
    ui.run(1.0f);
    ASSERT_NE(cOptions::getInstance(), nullptr);
    EXPECT_FALSE(menu->isVisible());
    click(cOptions::getInstance()->getOkButton());
    ui.run(1.0f);
    EXPECT_EQ(cOptions::getInstance(), nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
}

TEST_F(GameMenuDlgTest, AwardsOpenThroughTheProgramsDialog) {
    click(menu->getAwardButton());
    ui.run(1.0f);
    EXPECT_TRUE(menu->isVisible());
    std::function<void()> closed;
    FrontEnd::setAwardsDialog([&](std::function<void()> done) { closed = done; });
    click(menu->getAwardButton());
    ui.run(1.0f);
    ASSERT_TRUE(closed);
    EXPECT_FALSE(menu->isVisible());
    closed();
    ui.run(1.0f);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(owner.calls.empty());
}

// Quick hands: a second click or a key while the menu still fades out behind what its button
// opened reaches only what was opened.
TEST_F(GameMenuDlgTest, AMenuThatWasLeftTakesNoMoreClicksOrKeys) {
    registerAwardsAndTutorial();
    enum eThen { CLICK_OPTIONS, PRESS_ENTER, PRESS_ESCAPE };
    const struct {
        const char* name;
        bool awards;
        eThen then;
        float after;
    } cases[] = {
        {"options clicked twice", false, CLICK_OPTIONS, 0.25f},
        {"enter after options", false, PRESS_ENTER, 0.5f},
        {"escape after options", false, PRESS_ESCAPE, 0.5f},
        {"escape after awards", true, PRESS_ESCAPE, 0.1875f},
    };
    for (const auto& c : cases) {
        owner.calls.clear();
        click(c.awards ? menu->getAwardButton() : menu->getOptionsButton());
        ui.run(c.after - 0.125f);
        if (c.then == CLICK_OPTIONS)
            EXPECT_NO_THROW(click(menu->getOptionsButton())) << c.name;
        else
            ui.tapKey(c.then == PRESS_ENTER ? Platform::KEY_ENTER : Platform::KEY_ESCAPE);
        ui.run(1.0f);
        EXPECT_TRUE(owner.calls.empty()) << c.name;
        if (c.awards) {
            // Escape closed the awards alone, and the menu came back.
            EXPECT_FALSE(cAwardTipDlg::getInstance()->isVisible()) << c.name;
        } else {
            ASSERT_NE(cOptions::getInstance(), nullptr) << c.name;
            EXPECT_TRUE(cOptions::getInstance()->isVisible()) << c.name;
            click(cOptions::getInstance()->getOkButton());
            ui.run(1.0f);
        }
        EXPECT_TRUE(menu->isVisible()) << c.name;
        EXPECT_TRUE(menu->isEnabled()) << c.name;
        // Back, it answers again.
        ui.tapKey(Platform::KEY_ESCAPE);
        ui.step();
        EXPECT_EQ(owner.calls, std::vector<std::string>{"resumeGame"}) << c.name;
    }
}

} // namespace
