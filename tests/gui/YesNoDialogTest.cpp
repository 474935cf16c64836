// The yes/no dialog loaded from the shipped layout, answered by keys and the mouse through the
// real input system, with its pause and the screen it blocks.

#include "engine/gui/YesNoDialog.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "tests/gui/DialogFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class YesNoDialogTest : public ::testing::Test {
protected:
    YesNoDialogTest() { TestSupport::installDialogs(ui); }

    // A shown and enabled screen under the dialog.
    cPanel* makeScreen() {
        auto* screen = new cPanel(nullptr);
        screen->show();
        screen->enable();
        return screen;
    }
    // A dialog whose answers are logged and then delete it.
    cYesNoDialog* makeDialog(cWidget* blocked, const char* layout = nullptr) {
        auto* dialog = new cYesNoDialog(blocked, layout);
        dialog->setYesCallback([this](cYesNoDialog* d) {
            answers.push_back("yes");
            deleteWidgetLater(d);
        });
        dialog->setNoCallback([this](cYesNoDialog* d) {
            answers.push_back("no");
            deleteWidgetLater(d);
        });
        dialog->show();
        dialog->enable();
        return dialog;
    }

    UiHarness ui;
    std::vector<std::string> answers;
};

} // namespace

TEST_F(YesNoDialogTest, TheShippedLayoutPlacesPanelTextAndButtons) {
    ui.start();
    cYesNoDialog dialog(nullptr);
    EXPECT_FALSE(dialog.isVisible()) << "its user shows it";
    EXPECT_EQ(dialog.getPosition(), cVector2(512, 384));
    EXPECT_NE(dialog.getPicture(), nullptr);
    EXPECT_EQ(dialog.getPauseYes(), 0.0f);
    EXPECT_EQ(dialog.getYesButton()->getCaption()->getText(), L"Yes");
    EXPECT_EQ(dialog.getNoButton()->getCaption()->getText(), L"No");
    EXPECT_LT(dialog.getYesButton()->getPosition().x, dialog.getNoButton()->getPosition().x);

    dialog.setText(L"Delete the player?");
    EXPECT_EQ(dialog.getTextBox()->getText(), L"Delete the player?");
    EXPECT_FALSE(dialog.getTextBox()->getLines().empty()) << "laid out at once";
}

TEST_F(YesNoDialogTest, EnterAndSpaceAnswerYesEscapeNoOnRelease) {
    ui.start();
    const struct {
        int key;
        const char* answer;
    } cases[] = {{Platform::KEY_ENTER, "yes"}, {Platform::KEY_SPACE, "yes"}, {Platform::KEY_ESCAPE, "no"}};
    for (const auto& c : cases) {
        answers.clear();
        cYesNoDialog* dialog = makeDialog(nullptr);
        ui.step();
        ui.keyDown(c.key);
        ui.step();
        EXPECT_TRUE(answers.empty()) << "a press does not answer";
        ui.keyUp(c.key);
        ui.step();
        EXPECT_EQ(answers, std::vector<std::string>{c.answer}) << c.key;
        EXPECT_FALSE(isWidgetAlive(dialog));
        // The keys left with the dialog.
        ui.tapKey(c.key);
        ui.step();
        EXPECT_EQ(answers.size(), 1u);
    }
}

TEST_F(YesNoDialogTest, TheButtonsAnswerWithTheMouse) {
    ui.start();
    cYesNoDialog* dialog = makeDialog(nullptr);
    TestSupport::clickAt(ui, dialog->getNoButton()->getPosition().x, dialog->getNoButton()->getPosition().y);
    EXPECT_EQ(answers, std::vector<std::string>{"no"});
    dialog = makeDialog(nullptr);
    TestSupport::clickAt(ui, dialog->getYesButton()->getPosition().x, dialog->getYesButton()->getPosition().y);
    EXPECT_EQ(answers, (std::vector<std::string>{"no", "yes"}));
    // A tick on the way in and a click for each answer (the cache names files in lower case).
    const std::vector<std::string>& sounds = ui.sounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "playOnce meadow/sounds/btn_clicked.ogg"), 2);
    EXPECT_GE(std::count(sounds.begin(), sounds.end(), "playOnce meadow/sounds/btn_hovered.ogg"), 2);
}

TEST_F(YesNoDialogTest, DefaultAnswersDeleteTheDialogAndFreeTheBlockedScreen) {
    ui.start();
    cPanel* screen = makeScreen();
    auto* dialog = new cYesNoDialog(screen);
    dialog->show();
    dialog->enable();
    EXPECT_FALSE(screen->isEnabled()) << "blocked from the start";
    // Something below enables the screen again: the dialog takes it back each frame.
    screen->enable();
    ui.step();
    EXPECT_FALSE(screen->isEnabled());

    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    EXPECT_FALSE(isWidgetAlive(dialog)) << "deleted at the end of the frame";
    EXPECT_TRUE(screen->isEnabled());
    delete screen;
}

TEST_F(YesNoDialogTest, HidingOrDisablingTheDialogFreesTheScreen) {
    ui.start();
    cPanel* screen = makeScreen();
    cYesNoDialog* dialog = makeDialog(screen);
    ui.step();
    dialog->hide();
    EXPECT_TRUE(screen->isEnabled());
    dialog->show();
    EXPECT_FALSE(screen->isEnabled());
    dialog->disable();
    EXPECT_TRUE(screen->isEnabled());
    delete dialog;
    delete screen;
}

TEST_F(YesNoDialogTest, AScreenDeletedBeforeTheDialogIsNotTouched) {
    ui.start();
    cPanel* screen = makeScreen();
    cYesNoDialog* dialog = makeDialog(screen);
    ui.step();
    delete screen;
    ui.step();
    EXPECT_EQ(dialog->getBlockedWidget(), nullptr);
    dialog->hide();
    dialog->show();
    delete dialog;
}

TEST_F(YesNoDialogTest, PauseYesKeepsYesDisabledAfterEachShowButEnterStillAnswers) {
    ui.writeFile("UI/YesNo.xml", TestSupport::shippedWith("UI/YesNo.xml", "PauseYes=\"0\"", "PauseYes=\"1\""));
    ui.start();
    cYesNoDialog* dialog = makeDialog(nullptr);
    EXPECT_EQ(dialog->getPauseYes(), 1.0f);
    cTextButton* yes = dialog->getYesButton();
    // 16 frames of 1/16 s make the second; the button comes back in the frame after it.
    for (int frame = 1; frame <= 16; ++frame) {
        ui.step();
        EXPECT_FALSE(yes->isEnabled()) << frame;
        EXPECT_EQ(yes->getState(), cButton::BUTTON_DISABLED) << frame;
    }
    ui.step();
    EXPECT_TRUE(yes->isEnabled());
    EXPECT_FLOAT_EQ(dialog->getPauseLeft(), -0.1f);

    // Shown again: the pause starts over, and Enter answers during it.
    dialog->hide();
    dialog->show();
    ui.step();
    EXPECT_FALSE(yes->isEnabled());
    EXPECT_TRUE(dialog->getNoButton()->isEnabled());
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    EXPECT_EQ(answers, std::vector<std::string>{"yes"});
}
