// The engine's player dialogs as the program wires them into the front end, walked through the
// frame loop on the shipped layouts: the first start asks for a name before the menu opens, and
// the menu's change of player opens the player list.

#include "engine/core/ProfileManager.h"
#include "engine/gui/EditBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/ListBox.h"
#include "engine/gui/NewUserDialog.h"
#include "engine/gui/SelectUserDialog.h"
#include "engine/gui/TextButton.h"
#include "engine/gui/TextureTextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/shell/LoadingScreen.h"
#include "game/shell/MainMenu.h"
#include "tests/shell/FrontEndFixture.h"

#include <list>

using namespace Engine;

namespace {

class PlayerDialogsTest : public FrontEndTest::Fixture {
protected:
    void click(const cVector2& at) {
        ui.moveTo(at.x, at.y);
        ui.step();
        ui.press();
        ui.step();
        ui.release();
        ui.step();
    }
    // The menu on screen for the current player, as the loading screen leaves it.
    cMainMenu* openMenu() {
        registerPlayerDialogs();
        registerMap();
        onLoadingFinished();
        ui.run(1.0f);
        return getMainMenu();
    }
    // Ben and Anna have played; Anna last.
    cMainMenu* openMenuForAnnaAndBen() {
        for (const wchar_t* name : {L"Ben", L"Anna"}) {
            delete getProfileManager();
            new cProfileManager(name);
        }
        delete getProfileManager();
        return openMenu();
    }
    // The list is gone and the menu is back, for that player.
    void expectMenuFor(cMainMenu* menu, const wchar_t* name, size_t playerCount) {
        EXPECT_EQ(getSelectUserDialog(), nullptr) << "faded out and deleted";
        ASSERT_NE(getProfileManager(), nullptr);
        EXPECT_EQ(getProfileManager()->getCurrentName(), name);
        EXPECT_EQ(players().size(), playerCount);
        EXPECT_TRUE(menu->isVisible());
        EXPECT_TRUE(menu->isEnabled());
        EXPECT_EQ(menu->getUserName()->getText(), name);
    }
    static std::list<std::wstring> players() {
        std::list<std::wstring> names;
        if (cProfileManager* profiles = getProfileManager())
            profiles->getProfileNames(names);
        return names;
    }
};

TEST_F(PlayerDialogsTest, FirstStartAsksForANameThenOpensTheMenu) {
    writeData("Logo=\"0\"");
    writeLog(3);
    ui.start();
    registerMap();
    onCreateGame(nullptr);
    ASSERT_FALSE(profilesFileExists());
    ui.run(3.0f);
    ui.tapKey(Platform::KEY_SPACE);
    ui.run(1.0f);

    cNewUserDialog* dialog = getNewUserDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_FALSE(getMainMenu()->isVisible());
    EXPECT_EQ(map, nullptr) << "no map before a player exists";

    // Enter with no name does nothing.
    ui.tapKey(Platform::KEY_ENTER);
    ui.run(0.5f);
    EXPECT_EQ(getNewUserDialog(), dialog);
    EXPECT_EQ(getProfileManager(), nullptr);

    ui.type(L"Anna");
    ui.step();
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"Anna");
    ui.tapKey(Platform::KEY_ENTER);
    ui.run(1.5f);
    EXPECT_EQ(getNewUserDialog(), nullptr) << "faded out and deleted";
    ASSERT_NE(getProfileManager(), nullptr);
    EXPECT_EQ(getProfileManager()->getCurrentName(), L"Anna");
    EXPECT_TRUE(profilesFileExists()) << "the next start goes straight to the menu";
    cMainMenu* menu = getMainMenu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(menu->getUserName()->getText(), L"Anna");
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(menu->getNextScreen(), map);
    EXPECT_TRUE(soundPlayed("music meadow/sounds/main_menu_music.ogg"));
}

TEST_F(PlayerDialogsTest, ChangeOfPlayerOpensThePlayerList) {
    writeData();
    ui.start();
    cMainMenu* menu = openMenuForAnnaAndBen();
    ASSERT_NE(menu, nullptr);
    click(menu->getChangeUserButton()->getPosition());
    ui.run(1.0f);
    cSelectUserDialog* dialog = getSelectUserDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_TRUE(dialog->getExitButton()->isVisible());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(menu->isEnabled());
    ASSERT_EQ(dialog->getUserList()->getCount(), 2);
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"Anna");

    click(dialog->getUserList()->getRow(1)->getPosition());
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"Ben");
    ui.tapKey(Platform::KEY_ENTER);
    ui.run(1.5f);
    expectMenuFor(menu, L"Ben", 2);
}

TEST_F(PlayerDialogsTest, ANewNameInThePlayerListMakesThatPlayer) {
    writeData();
    ui.start();
    cMainMenu* menu = openMenuForAnnaAndBen();
    ASSERT_NE(menu, nullptr);
    click(menu->getChangeUserButton()->getPosition());
    ui.run(1.0f);
    ASSERT_NE(getSelectUserDialog(), nullptr);
    ui.type(L"\b\b\b\bCleo");
    ui.step();
    EXPECT_EQ(getSelectUserDialog()->getNameEdit()->getText(), L"Cleo");
    ui.tapKey(Platform::KEY_ENTER);
    ui.run(1.5f);
    expectMenuFor(menu, L"Cleo", 3);
}

TEST_F(PlayerDialogsTest, EscapeInThePlayerListKeepsThePlayer) {
    writeData();
    ui.start();
    cMainMenu* menu = openMenuForAnnaAndBen();
    ASSERT_NE(menu, nullptr);
    click(menu->getChangeUserButton()->getPosition());
    ui.run(1.0f);
    ASSERT_NE(getSelectUserDialog(), nullptr);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.5f);
    expectMenuFor(menu, L"Anna", 2);
    // The menu answers again: a second change of player opens the list once more.
    click(menu->getChangeUserButton()->getPosition());
    ui.run(1.0f);
    EXPECT_NE(getSelectUserDialog(), nullptr);
}

// A row makes its player current at once, and deleting the current player makes another one
// current: leaving the list afterwards must bring the menu back for the player now current, not
// show the old name over another player's profile.
TEST_F(PlayerDialogsTest, LeavingTheListAfterARowWasChosenKeepsThatPlayer) {
    writeData();
    ui.start();
    cMainMenu* menu = openMenuForAnnaAndBen();
    ASSERT_NE(menu, nullptr);
    click(menu->getChangeUserButton()->getPosition());
    ui.run(1.0f);
    ASSERT_NE(getSelectUserDialog(), nullptr);
    click(getSelectUserDialog()->getUserList()->getRow(1)->getPosition());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.5f);
    expectMenuFor(menu, L"Ben", 2);
}

TEST_F(PlayerDialogsTest, LeavingTheListAfterDeletingTheCurrentPlayerShowsTheNextOne) {
    writeData();
    ui.start();
    cMainMenu* menu = openMenuForAnnaAndBen();
    ASSERT_NE(menu, nullptr);
    click(menu->getChangeUserButton()->getPosition());
    ui.run(1.0f);
    cSelectUserDialog* dialog = getSelectUserDialog();
    ASSERT_NE(dialog, nullptr);
    click(dialog->getDeleteButton()->getPosition());
    ui.run(1.0f);
    ui.tapKey(Platform::KEY_ENTER);
    ui.run(1.0f);
    ASSERT_EQ(dialog->getUserList()->getCount(), 1);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.5f);
    expectMenuFor(menu, L"Ben", 1);
}

} // namespace
