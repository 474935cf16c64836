// The awards and the tutorial as the program wires them into the front end, walked through the
// frame loop on the shipped files: the menus' awards buttons open the awards dialog, each player
// who becomes current gets a tutorial of their own, and the board controller's award manager is
// the game's.

#include "engine/core/ProfileManager.h"
#include "engine/gui/EditBox.h"
#include "engine/gui/ListBox.h"
#include "engine/gui/SelectUserDialog.h"
#include "engine/gui/TextButton.h"
#include "engine/gui/TextureTextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/AwardButton.h"
#include "game/shell/AwardTipDlg.h"
#include "game/shell/ExitDialog.h"
#include "game/shell/GameMenuDlg.h"
#include "game/shell/LoadingScreen.h"
#include "game/shell/MainMenu.h"
#include "game/shell/TutorialManager.h"
#include "tests/shell/AwardFixture.h"
#include "tests/shell/FrontEndFixture.h"

#include <memory>
#include <string>

using namespace Engine;

namespace {

template <class T> int countLive() {
    int count = 0;
    for (IFrameWidget* widget : getLiveWidgets())
        if (dynamic_cast<T*>(widget))
            ++count;
    return count;
}

class AwardsAndTutorialStartTest : public FrontEndTest::Fixture {
protected:
    void SetUp() override {
        // Logos off: the program start goes straight to the loading screen.
        writeData("Logo=\"0\"");
        ui.start();
    }
    void click(const cVector2& at) {
        ui.moveTo(at.x, at.y);
        ui.step();
        ui.press();
        ui.step();
        ui.release();
        ui.step();
    }
    // A player who has played before, with these profile flags set.
    static void addPlayer(const wchar_t* name, std::initializer_list<const char*> flags) {
        delete getProfileManager();
        new cProfileManager(name);
        for (const char* flag : flags)
            gBoolProps[flag] = true;
        delete getProfileManager();
    }
    // The menu on screen for the last player added, as the loading screen leaves it.
    cMainMenu* openMenu() {
        registerPlayerDialogs();
        registerAwardsAndTutorial();
        registerMap();
        onLoadingFinished();
        ui.run(1.0f);
        return getMainMenu();
    }
    // Ben has the cat award and has seen tip 3; Anna, current, has the matches award and tip 5.
    cMainMenu* openMenuForAnnaAndBen() {
        addPlayer(L"Ben", {"AwardCatBonus", "tut3"});
        addPlayer(L"Anna", {"AwardNMatches", "tut5"});
        return openMenu();
    }
    void chooseInPlayerList(cMainMenu* menu, int row) {
        click(menu->getChangeUserButton()->getPosition());
        ui.run(1.0f);
        ASSERT_NE(getSelectUserDialog(), nullptr);
        click(getSelectUserDialog()->getUserList()->getRow(row)->getPosition());
        ui.tapKey(Platform::KEY_ENTER);
        ui.run(1.5f);
        ASSERT_EQ(getSelectUserDialog(), nullptr);
    }
    // Opens the awards from the main menu; the dialog once faded in.
    cAwardTipDlg* openAwards(cMainMenu* menu) {
        click(menu->getAwardsButton()->getPosition());
        ui.run(1.0f);
        return cAwardTipDlg::getInstance();
    }
    static bool given(cAwardTipDlg* dialog, const char* name) {
        for (int type = 0; type < AWARD_COUNT; ++type)
            if (std::string(gAwardTypeNames[type]) == name)
                return dialog->getButton(type)->isGiven();
        ADD_FAILURE() << name;
        return false;
    }
};

TEST_F(AwardsAndTutorialStartTest, TheMenusAwardsButtonOpensTheDialogAndEscapeOrReturnCloseIt) {
    cMainMenu* menu = openMenuForAnnaAndBen();
    ASSERT_NE(menu, nullptr);
    cAwardTipDlg* dialog = openAwards(menu);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(dialog->getButtonCount(), AWARD_COUNT);
    EXPECT_TRUE(given(dialog, "AwardNMatches"));
    EXPECT_FALSE(given(dialog, "AwardCatBonus")) << "Ben's, not Anna's";

    // Escape leaves the awards only: the menu's own Escape (the exit question) stays quiet.
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.0f);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(countLive<cExitDialog>(), 0);

    // Again, through the return button, on the same dialog.
    ASSERT_EQ(openAwards(menu), dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(menu->isVisible());
    click(dialog->getReturnButton()->getPosition());
    ui.run(1.0f);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());

    // Escape once the dialog is gone belongs to the menu again.
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.0f);
    EXPECT_EQ(countLive<cExitDialog>(), 1);
}

TEST_F(AwardsAndTutorialStartTest, TheInGameMenusAwardButtonOpensTheDialogAndComesBack) {
    registerAwardsAndTutorial();
    new cProfileManager(L"Anna");
    FrontEndTest::FakeMap owner;
    auto* menu = new cGameMenuDlg();
    menu->m_developmentView = &owner;
    menu->enable();
    menu->fadeIn();
    ui.run(1.0f);
    click(menu->getAwardButton()->getPosition());
    ui.run(1.0f);
    cAwardTipDlg* dialog = cAwardTipDlg::getInstance();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(menu->isVisible());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.0f);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_TRUE(owner.calls.empty()) << "Escape closed the awards, not the menu";
}

TEST_F(AwardsAndTutorialStartTest, TheFirstPlayerGetsATutorialAndTheAwardsFromTheProgramStart) {
    writeLog(3);
    registerMap();
    onCreateGame(nullptr);
    ui.run(3.0f);
    ui.tapKey(Platform::KEY_SPACE);
    ui.run(1.0f);
    EXPECT_EQ(cTutorialManager::getInstance(), nullptr) << "no tutorial before a player exists";
    ui.type(L"Cleo");
    ui.step();
    ui.tapKey(Platform::KEY_ENTER);
    ui.run(1.5f);
    ASSERT_NE(getProfileManager(), nullptr);
    ASSERT_EQ(getProfileManager()->getCurrentName(), L"Cleo");

    cTutorialManager* tutorial = cTutorialManager::getInstance();
    ASSERT_NE(tutorial, nullptr);
    EXPECT_EQ(countLive<cTutorialManager>(), 1);
    for (int id = 0; id < cTutorialManager::TIP_COUNT; ++id) {
        EXPECT_FALSE(tutorial->isTipShown(id)) << id;
        EXPECT_EQ(gBoolProps.count("tut" + std::to_string(id)), 1u) << "the profile gains every key";
    }
    EXPECT_EQ(tutorial->getCurrentTipId(), -1);
    EXPECT_EQ(GameServices::getTutorialManager(), tutorial);

    // The create callback registered the awards for the menu too.
    cAwardTipDlg* dialog = openAwards(getMainMenu());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());

    onDestroyGame(nullptr);
    EXPECT_EQ(cTutorialManager::getInstance(), nullptr);
    EXPECT_EQ(cAwardTipDlg::getInstance(), nullptr);
    EXPECT_EQ(GameServices::getTutorialManager(), nullptr);
    EXPECT_FALSE(GameServices::getAwardManagerFactory());
}

TEST_F(AwardsAndTutorialStartTest, AChangeOfPlayerSwapsTheTutorialAndTheAwardsShown) {
    cMainMenu* menu = openMenuForAnnaAndBen();
    ASSERT_NE(menu, nullptr);
    cTutorialManager* annas = cTutorialManager::getInstance();
    ASSERT_NE(annas, nullptr);
    EXPECT_TRUE(annas->isTipShown(5));
    EXPECT_FALSE(annas->isTipShown(3));

    // Leaving the list without a choice keeps Anna's tutorial.
    click(menu->getChangeUserButton()->getPosition());
    ui.run(1.0f);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.5f);
    EXPECT_EQ(cTutorialManager::getInstance(), annas);

    chooseInPlayerList(menu, 1);
    ASSERT_EQ(getProfileManager()->getCurrentName(), L"Ben");
    cTutorialManager* bens = cTutorialManager::getInstance();
    ASSERT_NE(bens, nullptr);
    EXPECT_EQ(countLive<cTutorialManager>(), 1) << "Anna's is gone";
    EXPECT_TRUE(bens->isTipShown(3));
    EXPECT_FALSE(bens->isTipShown(5));
    EXPECT_EQ(GameServices::getTutorialManager(), bens);

    cAwardTipDlg* dialog = openAwards(menu);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(given(dialog, "AwardCatBonus"));
    EXPECT_FALSE(given(dialog, "AwardNMatches"));
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.0f);

    // A new name in the list: a new player whose tutorial starts from nothing.
    click(menu->getChangeUserButton()->getPosition());
    ui.run(1.0f);
    ASSERT_NE(getSelectUserDialog(), nullptr);
    ui.type(L"\b\b\b\bCleo");
    ui.step();
    ui.tapKey(Platform::KEY_ENTER);
    ui.run(1.5f);
    ASSERT_EQ(getProfileManager()->getCurrentName(), L"Cleo");
    cTutorialManager* cleos = cTutorialManager::getInstance();
    ASSERT_NE(cleos, nullptr);
    EXPECT_EQ(countLive<cTutorialManager>(), 1);
    EXPECT_FALSE(cleos->isTipShown(3));
    EXPECT_FALSE(cleos->isTipShown(5));
}

TEST_F(AwardsAndTutorialStartTest, TheControllersAwardManagerIsTheGames) {
    registerAwardsAndTutorial();
    new cProfileManager(L"Anna");
    gBoolProps["AwardNMatches"] = true;
    std::unique_ptr<cMeadowModel> model = TestModel::makeModel(TestAwards::modelXml());
    auto controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
    auto* awards = dynamic_cast<cAwardManager*>(controller->getAwardManager());
    ASSERT_NE(awards, nullptr);
    EXPECT_TRUE(awards->isEnabled());
    EXPECT_EQ(awards->getController(), controller.get());
    EXPECT_TRUE(awards->isGiven(7)) << "the player's awards";
    EXPECT_FALSE(awards->isGiven(0));
    EXPECT_GT(awards->getThreshold(7), 0.0f) << "the shipped thresholds";
}

} // namespace
