// The player dialog loaded from the shipped layout with the players Ann and Bob: typing names,
// choosing rows, OK, Exit and Cancel, and deleting players through the yes/no question.

#include "engine/gui/SelectUserDialog.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/Strings.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/EditBox.h"
#include "engine/gui/ListBox.h"
#include "engine/gui/TextButton.h"
#include "engine/gui/YesNoDialog.h"
#include "engine/platform/KeyCodes.h"
#include "tests/gui/DialogFixture.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <list>
#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class SelectUserDialogTest : public ::testing::Test {
protected:
    SelectUserDialogTest() { TestSupport::installDialogs(ui); }
    ~SelectUserDialogTest() override {
        if (getSelectUserDialog())
            delete getSelectUserDialog();
    }
    cSelectUserDialog* open(bool hideExit = false) {
        ui.start();
        TestSupport::makePlayers({L"Ann", L"Bob"});
        auto* dialog = new cSelectUserDialog(hideExit, true);
        dialog->setOkCallback([this](cSelectUserDialog*) { log += "ok "; });
        dialog->setExitCallback([this](cSelectUserDialog*) { log += "exit "; });
        dialog->show();
        dialog->enable();
        ui.step();
        return dialog;
    }
    static std::wstring current() { return getProfileManager() ? getProfileManager()->getCurrentName() : L"(none)"; }
    static std::wstring rows(const cSelectUserDialog* dialog) {
        std::wstring text;
        for (int i = 0; i < dialog->getUserList()->getCount(); ++i)
            text += (i ? L"," : L"") + dialog->getUserList()->getString(i);
        return text;
    }
    // Which of OK (with its caption while enabled), Delete, Cancel and Exit show, and which are
    // disabled.
    static std::string buttons(const cSelectUserDialog* dialog) {
        std::string text;
        const auto add = [&](const char* name, const cTextButton* button) {
            if (!button->isVisible())
                return;
            text += text.empty() ? "" : " ";
            text += name;
            if (!button->isEnabled())
                text += "(off)";
        };
        std::string ok = "ok";
        if (dialog->getOkButton()->isEnabled() &&
            dialog->getOkButton()->getCaption()->getText() == dialog->getStringNew())
            ok = "create";
        add(ok.c_str(), dialog->getOkButton());
        add("delete", dialog->getDeleteButton());
        add("cancel", dialog->getCancelButton());
        add("exit", dialog->getExitButton());
        return text;
    }
    void click(const cWidget* widget) {
        const cVector2 at = static_cast<const cSprite*>(widget)->getPosition();
        TestSupport::clickAt(ui, at.x, at.y);
    }

    UiHarness ui;
    TestSupport::ProfileCleanup profiles;
    std::string log;
};

} // namespace

TEST_F(SelectUserDialogTest, ShowsThePlayersWithTheCurrentOneInTheField) {
    cSelectUserDialog* dialog = open();
    EXPECT_EQ(rows(dialog), L"Ann,Bob");
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"Bob");
    EXPECT_EQ(dialog->getStringOk(), L"OK");
    EXPECT_EQ(dialog->getStringNew(), L"Create");
    EXPECT_FALSE(dialog->getStringConfirm().empty());
    EXPECT_EQ(buttons(dialog), "ok delete exit");
    EXPECT_NE(dialog->getBigLogo()->getPicture(), nullptr);
    EXPECT_NE(dialog->getBacking()->getPicture(), nullptr);
    EXPECT_NE(dialog->getBackground()->getPicture(), nullptr);
    EXPECT_TRUE(dialog->getEnterNameText()->isVisible());
}

TEST_F(SelectUserDialogTest, TypingANameChoosesBetweenOkWithDeleteAndCreateWithCancel) {
    cSelectUserDialog* dialog = open();
    const struct {
        const wchar_t* typed;
        const wchar_t* field;
        const char* buttons;
    } steps[] = {
        {L"\b\b\b", L"", "ok(off) cancel exit"}, {L"Cy", L"Cy", "create cancel exit"},
        {L"\b\bAnn", L"Ann", "ok delete exit"},  {L"a", L"Anna", "create cancel exit"},
        {L"\b", L"Ann", "ok delete exit"},       {L"\b\b\b", L"", "ok(off) cancel exit"},
    };
    for (const auto& s : steps) {
        ui.type(s.typed);
        ui.step();
        EXPECT_EQ(dialog->getNameEdit()->getText(), s.field);
        EXPECT_EQ(buttons(dialog), s.buttons)
            << "after typing into " << std::string(s.field, s.field + wcslen(s.field));
    }
    // Enter with no name does nothing.
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    EXPECT_EQ(log, "");
    EXPECT_EQ(current(), L"Bob");
}

TEST_F(SelectUserDialogTest, ChoosingARowMakesThatPlayerCurrentAtOnce) {
    cSelectUserDialog* dialog = open();
    ui.type(L"\b\b\bCy");
    ui.step();
    click(dialog->getUserList()->getRow(0));
    EXPECT_EQ(dialog->getSelectedRow(), 0);
    EXPECT_EQ(current(), L"Ann") << "before OK";
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"Ann");
    EXPECT_EQ(buttons(dialog), "ok delete exit");
    EXPECT_EQ(log, "");

    click(dialog->getOkButton());
    EXPECT_EQ(log, "ok ");
    EXPECT_EQ(current(), L"Ann");
    ui.run(1.0f);
    EXPECT_EQ(getSelectUserDialog(), nullptr) << "faded out and deleted";
}

TEST_F(SelectUserDialogTest, EnterWithANewNameMakesThatPlayerOnce) {
    cSelectUserDialog* dialog = open();
    ui.type(L"\b\b\bCy");
    ui.step();
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    dialog->onSelectOk();
    EXPECT_EQ(log, "ok ");
    EXPECT_EQ(current(), L"Cy");
    std::list<std::wstring> names;
    getProfileManager()->getProfileNames(names);
    EXPECT_EQ(names.size(), 3u);
    ui.run(1.0f);
    EXPECT_EQ(getSelectUserDialog(), nullptr);
}

TEST_F(SelectUserDialogTest, ExitCancelAndEscapeCloseWithoutChangingThePlayer) {
    for (const char* way : {"exit", "cancel", "escape"}) {
        log.clear();
        cSelectUserDialog* dialog = open();
        if (std::string(way) == "exit") {
            click(dialog->getExitButton());
        } else if (std::string(way) == "cancel") {
            ui.type(L"Cy");
            ui.step();
            click(dialog->getCancelButton());
        } else {
            ui.tapKey(Platform::KEY_ESCAPE);
            ui.step();
        }
        EXPECT_EQ(log, "exit ") << way;
        EXPECT_EQ(current(), L"Bob") << way;
        ui.run(1.0f);
        EXPECT_EQ(getSelectUserDialog(), nullptr) << way;
    }
}

TEST_F(SelectUserDialogTest, RefusingTheDeleteQuestionShowsTheDialogAgainUnchanged) {
    cSelectUserDialog* dialog = open();
    click(dialog->getDeleteButton());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->isEnabled());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_EQ(rows(dialog), L"Ann,Bob");
    EXPECT_EQ(current(), L"Bob");
    EXPECT_EQ(buttons(dialog), "ok delete exit");
    EXPECT_EQ(log, "") << "the Escape answered the question only";
}

TEST_F(SelectUserDialogTest, DeletingAPlayerLeavesTheOthersAndExitStillCloses) {
    cSelectUserDialog* dialog = open();
    click(dialog->getDeleteButton());
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(rows(dialog), L"Ann");
    EXPECT_EQ(current(), L"Ann") << "the first one left becomes current";
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"Ann");
    EXPECT_EQ(buttons(dialog), "ok delete exit");
    EXPECT_EQ(log, "") << "the Enter answered the question only";

    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    EXPECT_EQ(log, "exit ");
    EXPECT_EQ(current(), L"Ann");
}

TEST_F(SelectUserDialogTest, DeletingTheLastPlayerLeavesOnlyANewName) {
    cSelectUserDialog* dialog = open();
    for (int i = 0; i < 2; ++i) {
        click(dialog->getDeleteButton());
        ui.tapKey(Platform::KEY_ENTER);
        ui.step();
    }
    EXPECT_EQ(rows(dialog), L"");
    EXPECT_EQ(getProfileManager(), nullptr);
    EXPECT_EQ(dialog->getNameEdit()->getText(), L"");
    EXPECT_EQ(buttons(dialog), "ok(off) cancel(off)");

    // Neither Escape nor Cancel leaves without a player.
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    dialog->onSelectCancel();
    dialog->onSelectExit();
    EXPECT_EQ(log, "");
    EXPECT_TRUE(dialog->isVisible());

    ui.type(L"Dee");
    ui.step();
    EXPECT_EQ(buttons(dialog), "create cancel(off)");
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    EXPECT_EQ(log, "ok ");
    EXPECT_EQ(current(), L"Dee");
}

TEST_F(SelectUserDialogTest, WithExitHiddenEscapeDoesNothing) {
    cSelectUserDialog* dialog = open(true);
    EXPECT_EQ(buttons(dialog), "ok delete");
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    EXPECT_EQ(log, "");
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SelectUserDialogTest, PlayerNamesAreNeverTranslated) {
    ui.writeFile("sys/strings.xml",
                 "<Strings><s><text>Ann</text><translation>Translated text</translation></s></Strings>");
    ui.start();
    cStrings strings;
    cSelectUserDialog* dialog = open();
    cButtonCaption* row = dialog->getUserList()->getRow(0)->getCaption();
    EXPECT_FALSE(row->getLocalized());
    cLabel plain(nullptr);
    plain.setFont("Fonts/Text22.fnt");
    plain.setTexture("Fonts/Text22.png");
    plain.setLocalized(false);
    plain.setText(L"Ann");
    EXPECT_FLOAT_EQ(row->getTextWidth(), plain.getTextWidth());
    EXPECT_EQ(dialog->getUserList()->getString(0), L"Ann");
}

TEST_F(SelectUserDialogTest, ASecondDialogWhileOneExistsThrows) {
    open();
    EXPECT_THROW(cSelectUserDialog(false, true), const char*);
    EXPECT_NE(getSelectUserDialog(), nullptr);
}
