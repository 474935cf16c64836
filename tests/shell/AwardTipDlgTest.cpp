#include "game/shell/AwardTipDlg.h"
#include "engine/core/ProfileManager.h"
#include "engine/gui/Label.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/PyroEffect.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/AwardButton.h"
#include "game/shell/AwardProgressPanel.h"
#include "game/shell/SubstrateProgressBar.h"
#include "tests/model/fakes/FakeMainMenu.h"
#include "tests/shell/AwardFixture.h"
#include "tests/shell/ShippedShell.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Engine;

namespace {

int& returns() {
    static int count = 0;
    return count;
}
void countReturn() {
    ++returns();
}

// The awards dialog on the shipped files, with a controller for the progress values.
class AwardTipDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        gBoolProps.clear();
        returns() = 0;
        TestShell::installTutorialAndAwards(ui);
        ui.start();
        model = TestModel::makeModel(TestAwards::modelXml());
        cAwardManager::registerFactory();
        GameServices::setMainMenu(&menu);
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
    }
    void TearDown() override {
        delete cAwardTipDlg::getInstance();
        controller.reset();
        GameServices::setAwardManagerFactory(nullptr);
        GameServices::setMainMenu(nullptr);
        gBoolProps.clear();
    }
    // As an opener does: return callback, Escape, fade-in.
    cAwardTipDlg* open() {
        auto* dialog = cAwardTipDlg::getInstance() ? cAwardTipDlg::getInstance() : new cAwardTipDlg(nullptr);
        dialog->m_returnCallback = countReturn;
        getInputSystem()->addKeyCallback(Platform::KEY_ESCAPE, cAwardTipDlg::onReturn, dialog);
        dialog->fadeIn();
        ui.run(0.5f);
        return dialog;
    }
    void hover(cAwardButton* button) {
        ui.moveTo(button->getPosition().x, button->getPosition().y);
        ui.run(0.5f);
    }

    TestSupport::UiHarness ui;
    TestFakes::FakeMainMenu menu;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
};

} // namespace

TEST_F(AwardTipDlgTest, TheShippedFileGivesTwentyOneAwardsBrightWhenGivenDarkWhenNot) {
    gBoolProps["AwardNMatches"] = true;
    cAwardTipDlg* dialog = open();
    ASSERT_EQ(dialog->getButtonCount(), AWARD_COUNT);
    for (int i = 0; i < AWARD_COUNT; ++i) {
        cAwardButton* button = dialog->getButton(i);
        ASSERT_NE(button->getNormalTexture(), nullptr) << i;
        ASSERT_NE(button->getDisabledTexture(), button->getNormalTexture()) << i;
        EXPECT_EQ(button->isGiven(), i == 7) << i;
        EXPECT_EQ(button->getPicture(), i == 7 ? button->getNormalTexture() : button->getDisabledTexture()) << i;
        EXPECT_FALSE(button->getDescText().empty()) << i;
        EXPECT_EQ(button->getProgressPanel()->getText()->getText(), button->getDescText()) << i;
    }
    EXPECT_EQ(dialog->getCaptionText()->getText(), L"Awards");
    // A dark award stays dark under the cursor.
    hover(dialog->getButton(0));
    EXPECT_EQ(dialog->getButton(0)->getPicture(), dialog->getButton(0)->getDisabledTexture());
}

TEST_F(AwardTipDlgTest, AGivenAwardPlaysTheEffectUnderTheCursorWithoutProgress) {
    gBoolProps["AwardNMatches"] = true;
    cAwardTipDlg* dialog = open();
    cAwardButton* button = dialog->getButton(7);
    hover(button);
    ASSERT_NE(dialog->getCurrentPyro(), nullptr);
    EXPECT_EQ(dialog->getCurrentPyro()->getPosition(), button->getPosition());
    EXPECT_TRUE(button->getAdditive()->isVisible());
    cAwardProgressPanel* panel = button->getProgressPanel();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->getProgress()->isVisible());
    EXPECT_FALSE(panel->getProgressText()->isVisible());
    EXPECT_EQ(panel->getText()->getPosition(), panel->getTextHome());
    ui.moveTo(512, 700);
    ui.run(0.5f);
    EXPECT_EQ(dialog->getCurrentPyro(), nullptr);
    EXPECT_FALSE(button->getAdditive()->isVisible());
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(AwardTipDlgTest, ProgressShowsCountsCutAndTimesWithHours) {
    model->setMatchedObjects(123);
    menu.m_runTime = 75.9f;
    menu.m_playTime = 4500;
    cAwardTipDlg* dialog = open();
    const struct {
        int award;
        const wchar_t* text;
    } table[] = {
        {7, L"123/1000"},
        // No level open: the money made on the level reads 0.
        {4, L"0/3000"},
        // An hour needed, a minute and a quarter played.
        {8, L"01:15/1:00:00"},
        {9, L"1:15:00/10:00:00"},
    };
    for (const auto& row : table) {
        cAwardButton* button = dialog->getButton(row.award);
        hover(button);
        cAwardProgressPanel* panel = button->getProgressPanel();
        EXPECT_EQ(panel->getProgressText()->getText(), row.text) << row.award;
        EXPECT_TRUE(panel->getProgress()->isVisible()) << row.award;
        // The description moves up by one line of progress.
        EXPECT_EQ(panel->getText()->getPosition().y, panel->getTextHome().y - panel->getProgressText()->getSize().y)
            << row.award;
    }
    EXPECT_NEAR(dialog->getButton(9)->getProgressPanel()->getProgress()->getValue(), 4500, 1e-3);
}

// From the main menu before the map has been opened there is no controller: the progress comes
// from the player's saved counters and each award's own amount.
TEST_F(AwardTipDlgTest, WithoutAControllerTheProgressComesFromThePlayersSavedCounters) {
    controller.reset();
    ui.writeFile(cMeadowModel::MODEL_FILE, TestShell::shippedFile(cMeadowModel::MODEL_FILE));
    gIntProps["money"] = 1234;
    gIntProps["NextAvailableLevel"] = 7;
    gIntProps["MatchedObjects"] = 321;
    gIntProps["AnimalsCare"] = 12;
    menu.m_playTime = 4500;
    cAwardTipDlg* dialog = open();
    const struct {
        int award;
        const wchar_t* text;
    } table[] = {
        {0, L"1234/5000"}, {1, L"1234/25000"},       {2, L"7/10"}, {4, L"0/3000"}, {7, L"321/1000"},
        {12, L"12/50"},    {9, L"1:15:00/10:00:00"},
    };
    for (const auto& row : table) {
        cAwardButton* button = dialog->getButton(row.award);
        hover(button);
        cAwardProgressPanel* panel = button->getProgressPanel();
        EXPECT_TRUE(panel->isVisible()) << row.award;
        EXPECT_TRUE(panel->getProgress()->isVisible()) << row.award;
        EXPECT_EQ(panel->getProgressText()->getText(), row.text) << row.award;
    }
    gIntProps.clear();
}

// The panel follows the pointer from award to award, also from the one under the cursor when
// the dialog opened.
TEST_F(AwardTipDlgTest, ThePanelFollowsThePointer) {
    // The first award's place in the shipped file.
    ui.moveTo(176, 236);
    cAwardTipDlg* dialog = open();
    EXPECT_TRUE(dialog->getButton(0)->getProgressPanel()->isVisible());
    for (int award : {8, 20, 3, 0}) {
        hover(dialog->getButton(award));
        for (int other = 0; other < AWARD_COUNT; ++other)
            EXPECT_EQ(dialog->getButton(other)->getProgressPanel()->isVisible(), other == award)
                << award << " " << other;
    }
}

TEST_F(AwardTipDlgTest, APanelNearTheRightOrBottomEdgeOpensLeftOrUpMirrored) {
    cAwardTipDlg* dialog = open();
    const struct {
        int award;
        bool left;
        bool up;
    } table[] = {{0, false, false}, {6, true, false}, {14, false, true}, {20, true, true}};
    for (const auto& row : table) {
        cAwardButton* button = dialog->getButton(row.award);
        cAwardProgressPanel* panel = button->getProgressPanel();
        EXPECT_EQ(panel->getInverseX(), row.left) << row.award;
        EXPECT_EQ(panel->getInverseY(), row.up) << row.award;
        EXPECT_EQ(panel->getPosition().x < button->getPosition().x, row.left) << row.award;
        EXPECT_EQ(panel->getPosition().y < button->getPosition().y, row.up) << row.award;
        // Whole on screen.
        EXPECT_GE(panel->getPosition().x - panel->getSize().x / 2, 0) << row.award;
        EXPECT_LE(panel->getPosition().y + panel->getSize().y / 2, 768) << row.award;
    }
}

TEST_F(AwardTipDlgTest, EscapeAndTheReturnButtonCloseAlikeAndEscapeIsRegisteredAnew) {
    cAwardTipDlg* dialog = open();
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(0.5f);
    EXPECT_EQ(returns(), 1);
    EXPECT_FALSE(dialog->isVisible());
    // The registration went with the first press.
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(0.5f);
    EXPECT_EQ(returns(), 1);
    open();
    ui.moveTo(dialog->getReturnButton()->getPosition().x, dialog->getReturnButton()->getPosition().y);
    ui.step();
    ui.press();
    ui.step();
    ui.release();
    ui.run(0.5f);
    EXPECT_EQ(returns(), 2);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(AwardTipDlgTest, ASecondClickOnReturnWhileItFadesOutDoesNotCallTheOpenerAgain) {
    cAwardTipDlg* dialog = open();
    const cVector2 at = dialog->getReturnButton()->getPosition();
    for (int click = 0; click < 2; ++click) {
        ui.click(at.x, at.y);
        ui.step();
    }
    ui.run(1.0f);
    EXPECT_EQ(returns(), 1);
    EXPECT_FALSE(dialog->isVisible());
    // Opened again, it returns again.
    open();
    ui.click(at.x, at.y);
    ui.run(1.0f);
    EXPECT_EQ(returns(), 2);
}

TEST(AwardTipDlgFileTest, AFileWithFewerAwardsIsNotRefreshed) {
    gBoolProps.clear();
    TestSupport::UiHarness ui;
    ui.writePicture("p.tga", 4, 4, 0xFFFFFFFF);
    ui.writePicture("a.tga", 4, 4, 0xFFFFD040);
    ui.writePicture("d.tga", 4, 4, 0xFF404040);
    ui.writeFile("fonts/t.fnt", TestAwards::Font::bytes());
    ui.writePicture("fonts/t.tga", 100, 20, 0xFFFFFFFFu);
    ui.writeFile("Awards/Awards.xml", TestAwards::awardsXml({"1", "2", "3"}));
    ui.writeFile("Awards/AwardTip.xml", "<T/>");
    ui.start();
    gBoolProps["Award1xMoney"] = true;
    auto* dialog = new cAwardTipDlg(nullptr);
    EXPECT_EQ(dialog->getButtonCount(), 3);
    dialog->refreshAwards();
    EXPECT_FALSE(dialog->getButton(0)->isGiven());
    EXPECT_EQ(gBoolProps.count("AwardXinRow"), 0u);
    delete dialog;
}

TEST(AwardTimeTest, TimesShowMinutesAndSecondsAndHoursFromAnHourOn) {
    const struct {
        int seconds;
        const wchar_t* text;
    } table[] = {{0, L"00:00"}, {75, L"01:15"}, {300, L"05:00"}, {3599, L"59:59"}, {7200, L"2:00:00"}, {-5, L"00:00"}};
    for (const auto& row : table)
        EXPECT_EQ(formatAwardTime(row.seconds), row.text) << row.seconds;
}
