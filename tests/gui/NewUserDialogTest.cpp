// The first-player dialog loaded from the shipped layout: the name filter, OK only with a name,
// Enter and OK making the player once, the fade that deletes it, one instance at a time.

#include "engine/gui/NewUserDialog.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/EditBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "tests/gui/DialogFixture.h"

#include <gtest/gtest.h>

#include <list>
#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class NewUserDialogTest : public ::testing::Test {
protected:
    NewUserDialogTest() {
        TestSupport::installDialogs(ui);
        ui.start();
    }
    ~NewUserDialogTest() override {
        if (getNewUserDialog())
            delete getNewUserDialog();
    }
    cNewUserDialog* open() {
        auto* dialog = new cNewUserDialog();
        dialog->setCompleteCallback([this] { ++completions; });
        dialog->show();
        dialog->enable();
        ui.step();
        return dialog;
    }

    UiHarness ui;
    TestSupport::ProfileCleanup profiles;
    int completions = 0;
};

} // namespace

TEST_F(NewUserDialogTest, TheShippedLayoutGivesTextsAFieldAndADisabledOk) {
    cNewUserDialog* dialog = open();
    EXPECT_EQ(dialog->getTexts().size(), 2u);
    EXPECT_EQ(dialog->getLayers().size(), 3u) << "panel, logo and the name's backing";
    EXPECT_TRUE(dialog->getNameEdit()->isVisible());
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"");
    EXPECT_FALSE(dialog->getOkButton()->isEnabled());
    EXPECT_EQ(dialog->getOkButton()->getState(), cButton::BUTTON_DISABLED);
}

TEST_F(NewUserDialogTest, TheNameTakesOnlyNameCharactersTheFontCanShow) {
    cNewUserDialog* dialog = open();
    // Spaces, a no-break space, accented letters, punctuation and a line break are refused;
    // backspace mends a slip.
    ui.type(L"An n\u00A0\u00E9\u00C5!_.\r\nX\ba-07");
    ui.step();
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"Anna-07");
    ui.type(L"\b\b\b\b\b\b\b\b\b");
    ui.step();
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"");

    // A name character the edit's font has no glyph for is refused too: the digits font has
    // digits and '-' but no letters.
    cEditBox digits(nullptr);
    digits.setFont("Fonts/Digits30.fnt");
    digits.setTexture("Fonts/Digits30.png");
    const struct {
        wchar_t character;
        bool text, digitsOnly;
    } cases[] = {{L'A', true, false}, {L'z', true, false},  {L'7', true, true},  {L'-', true, true},
                 {8, true, true},     {L' ', false, false}, {160, false, false}, {L'\u00E9', false, false},
                 {L'x', true, true},  {L'_', false, false}, {0, false, false},   {L'\u0416', false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(dialog->acceptNameChar(c.character), c.text) << int(c.character);
        EXPECT_EQ(acceptNameChar(&digits, c.character), c.digitsOnly) << int(c.character);
    }
}

TEST_F(NewUserDialogTest, OkIsEnabledOnlyWithAName) {
    cNewUserDialog* dialog = open();
    cTextButton* ok = dialog->getOkButton();
    ui.type(L"A");
    ui.step();
    EXPECT_TRUE(ok->isEnabled());
    ui.type(L"\b");
    ui.step();
    EXPECT_FALSE(ok->isEnabled());

    // Enter and OK with an empty name do nothing.
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    dialog->onNewUserOk();
    ui.step();
    EXPECT_EQ(getProfileManager(), nullptr);
    EXPECT_EQ(completions, 0);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(NewUserDialogTest, EnterWithANameMakesThePlayerOnceAndFadesTheDialogAway) {
    TestSupport::makePlayers({L"Old"});
    cNewUserDialog* dialog = open();
    ui.type(L"Ann");
    ui.step();
    // Enter twice and a click on OK in the frames of the fade: only the first counts.
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    dialog->onNewUserOk();
    EXPECT_EQ(completions, 1);
    ASSERT_NE(getProfileManager(), nullptr);
    EXPECT_EQ(getProfileManager()->getCurrentName(), L"Ann");
    std::list<std::wstring> names;
    getProfileManager()->getProfileNames(names);
    EXPECT_EQ(names.size(), 2u) << "Old is kept";
    EXPECT_EQ(dialog->getFadeMode(), FADE_OUT_DELETE);

    ui.run(1.0f);
    EXPECT_EQ(getNewUserDialog(), nullptr) << "deleted after its fade";
    EXPECT_FALSE(isWidgetAlive(dialog));
}

TEST_F(NewUserDialogTest, TheOkButtonMakesThePlayerToo) {
    cNewUserDialog* dialog = open();
    ui.type(L"Bob");
    ui.step();
    const cVector2 at = dialog->getOkButton()->getPosition();
    TestSupport::clickAt(ui, at.x, at.y);
    EXPECT_EQ(completions, 1);
    ASSERT_NE(getProfileManager(), nullptr);
    EXPECT_EQ(getProfileManager()->getCurrentName(), L"Bob");
}

TEST_F(NewUserDialogTest, ASecondDialogWhileOneExistsThrows) {
    open();
    try {
        cNewUserDialog second;
        FAIL() << "a second dialog was made";
    } catch (const char* text) {
        EXPECT_STREQ(text, "Object already exist.");
    }
    EXPECT_NE(getNewUserDialog(), nullptr) << "the first one stays";
    delete getNewUserDialog();
    EXPECT_EQ(getNewUserDialog(), nullptr);
    cNewUserDialog again;
    EXPECT_EQ(getNewUserDialog(), &again);
}
