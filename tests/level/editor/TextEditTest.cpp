// The editor's text edit over the synthetic font of the label tests: every letter and a space
// step 10 pixels, so line cuts and caret places come out exact. The rectangle is 60 x 48 around
// (300, 100): lines at x0 = 270 and y = 84, 100, 116 (interlinear 16). Input goes through the
// real input system: characters, the arrow keys, Delete and the left button.

#include "game/level/editor/TextEdit.h"

#include "engine/core/String.h"
#include "engine/gui/Label.h"
#include "engine/gui/Panel.h"
#include "engine/gui/Widget.h"
#include "engine/platform/KeyCodes.h"
#include "tests/gui/LabelFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Engine;

namespace {

class TextEditTest : public TestSupport::LabelFixture {
protected:
    void SetUp() override {
        start();
        ui.writePicture("caret.tga", 2, 2, 0xFFFFFFFFu);
        parent = new cWidget(nullptr);
        parent->show();
        parent->enable();
        owned.emplace_back(parent);
    }

    cTextEdit* edit(const std::string& keys = "") {
        ui.writeFile("edit.xml", "<TextEdit Visible=\"1\" Enable=\"1\" size=\"60,48\" position=\"300,100\" row=\"3\" "
                                 "interlinear=\"16\" blinkPeriod=\"0.25\" " +
                                     keys + "><Proto " + FONT_KEYS +
                                     " SpaceWidth=\"10\" Align=\"1\"/><Cursor size=\"2,14\" "
                                     "Picture=\"caret.tga\"/></TextEdit>");
        auto* e = new cTextEdit(parent);
        e->loadXML(ui.layout("edit.xml"));
        e->setChangeCallback([](cTextEdit* changed) { changes().push_back(changed->getText()); });
        e->show();
        e->enable();
        changes().clear();
        return e;
    }

    static std::vector<std::wstring>& changes() {
        static std::vector<std::wstring> list;
        return list;
    }

    static std::vector<std::wstring> lines(const cTextEdit* e) {
        std::vector<std::wstring> out;
        for (const cLabel* label : e->getLines())
            out.push_back(label->getText());
        return out;
    }

    void focus() {
        ui.click(300, 100);
        ui.step();
    }

    cWidget* parent = nullptr;
};

} // namespace

TEST_F(TextEditTest, TypingEnterBackspaceDeleteAndArrowsEditAtTheCaret) {
    struct Case {
        const wchar_t* typed;
        std::vector<int> keys; // after the typing
        const wchar_t* after;  // typed after the keys
        const wchar_t* text;
        int caret;
    } cases[] = {
        {L"abc", {}, L"", L"abc", 3},
        {L"abc", {Platform::KEY_LEFT, Platform::KEY_LEFT}, L"x", L"axbc", 2},
        {L"abc", {Platform::KEY_LEFT, Platform::KEY_DELETE}, L"", L"ab", 2},
        {L"abc", {Platform::KEY_DELETE}, L"", L"abc", 3}, // Delete at the end does nothing
        {L"ab\b\b\b", {}, L"", L"", 0},                   // backspace at 0 does nothing
        {L"a\rb", {}, L"", L"a\nb", 3},                   // Enter is a line break
        {L"ab", {Platform::KEY_LEFT, Platform::KEY_LEFT, Platform::KEY_LEFT, Platform::KEY_RIGHT}, L"", L"ab", 1},
        {L"ab", {Platform::KEY_RIGHT}, L"c", L"abc", 3}, // right at the end stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.typed)));
        cTextEdit* e = edit();
        focus();
        ui.type(c.typed);
        ui.step();
        for (int key : c.keys) {
            ui.tapKey(key);
            ui.step();
        }
        ui.type(c.after);
        ui.step();
        EXPECT_EQ(e->getText(), c.text);
        EXPECT_EQ(e->getCaret(), c.caret);
        e->hide();
        e->disable();
    }
}

TEST_F(TextEditTest, EveryChangeIsReportedAndAFullTextIgnoresKeysEnterIncluded) {
    cTextEdit* e = edit("MaxLength=\"3\"");
    focus();
    ui.type(L"ab\bcd\re");
    ui.step();
    EXPECT_EQ(e->getText(), L"acd");
    EXPECT_EQ(changes(), (std::vector<std::wstring>{L"a", L"ab", L"a", L"ac", L"acd"}));
    ui.tapKey(Platform::KEY_LEFT);
    ui.step();
    ui.tapKey(Platform::KEY_DELETE);
    ui.step();
    EXPECT_EQ(e->getText(), L"ac");
    EXPECT_EQ(changes().back(), L"ac");
}

TEST_F(TextEditTest, LinesWrapAtSpacesAndBreaksAndALongWordIsCutInside) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"ab cd ef gh", {L"ab cd ", L"ef gh"}},
        {L"abcdefghij", {L"abcdef", L"ghij"}},
        {L"a\nb", {L"a\n", L"b"}},
        {L"a\n", {L"a\n", L""}},                      // a final break opens an empty line
        {L"a\nb\nc\nd\ne", {L"a\n", L"b\n", L"c\n"}}, // only the rows in view
        {L"", {}},
    };
    cTextEdit* e = edit();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        e->setText(L"-");
        e->setText(c.text);
        EXPECT_EQ(lines(e), c.lines);
        for (size_t i = 0; i < e->getLines().size() && i < 3; ++i) {
            EXPECT_FLOAT_EQ(e->getLines()[i]->getPosition().x, 270.0f);
            EXPECT_FLOAT_EQ(e->getLines()[i]->getPosition().y, 84.0f + 16.0f * float(i));
        }
    }
}

TEST_F(TextEditTest, TheCaretStandsAfterTheCharactersBeforeItAndStaysWithinTheText) {
    cTextEdit* e = edit();
    focus();
    // Empty: at the left edge of the first line.
    EXPECT_TRUE(e->isCaretShown());
    EXPECT_FLOAT_EQ(e->getCursor()->getPosition().x, 271.0f);
    EXPECT_FLOAT_EQ(e->getCursor()->getPosition().y, 84.0f);
    ui.type(L"ab cd ef");
    ui.step();
    // "ab cd " on the first line, "ef" on the second: the caret after "ef".
    EXPECT_FLOAT_EQ(e->getCursor()->getPosition().x, 291.0f);
    EXPECT_FLOAT_EQ(e->getCursor()->getPosition().y, 100.0f);

    // The text set from outside puts the caret before its last character; an empty text at 0,
    // so the next character lands inside the text.
    e->setText(L"12");
    EXPECT_EQ(e->getCaret(), 1);
    e->setText(L"");
    EXPECT_EQ(e->getCaret(), 0);
    ui.type(L"5");
    ui.step();
    EXPECT_EQ(e->getText(), L"5");
}

TEST_F(TextEditTest, ACaretOnALineOutOfViewIsNotDrawn) {
    cTextEdit* e = edit();
    focus();
    ui.type(L"a\rb\rc\rd");
    ui.step();
    EXPECT_EQ(e->getCaret(), 7);
    EXPECT_EQ(e->getLines().size(), 3u);
    EXPECT_FALSE(e->isCaretShown());
    ui.steps(3);
    EXPECT_FALSE(e->getCursor()->isVisible());
    for (int i = 0; i < 2; ++i) {
        ui.tapKey(Platform::KEY_LEFT);
        ui.step();
    }
    EXPECT_EQ(e->getCaret(), 5);
    EXPECT_TRUE(e->isCaretShown());
    EXPECT_FLOAT_EQ(e->getCursor()->getPosition().y, 116.0f);
}

TEST_F(TextEditTest, AClickInsideFocusesAndAClickElsewhereTakesTheFocus) {
    cTextEdit* e = edit();
    EXPECT_FALSE(e->isFocused());
    ui.type(L"a");
    ui.step();
    EXPECT_EQ(e->getText(), L"");
    focus();
    EXPECT_TRUE(e->isFocused());
    focus(); // inside again: still focused
    EXPECT_TRUE(e->isFocused());
    ui.click(331, 100); // just outside the right edge
    ui.step();
    EXPECT_FALSE(e->isFocused());
    EXPECT_FALSE(e->getCursor()->isVisible());
    ui.click(330, 124); // the corner counts as inside
    ui.step();
    EXPECT_TRUE(e->isFocused());
    EXPECT_TRUE(edit("defaultFocus=\"1\"")->isFocused());
}

TEST_F(TextEditTest, TheCaretBlinksWhileFocused) {
    cTextEdit* e = edit("defaultFocus=\"1\" Text=\"ab\"");
    ui.step();
    const bool first = e->getCursor()->isVisible();
    EXPECT_TRUE(first);
    ui.steps(4); // 0.25 s at 1/16 s
    EXPECT_NE(e->getCursor()->isVisible(), first);
    ui.steps(4);
    EXPECT_EQ(e->getCursor()->isVisible(), first);
}

TEST_F(TextEditTest, ARectangleNarrowerThanOneLetterThrows) {
    cTextEdit* e = edit();
    ui.writeFile("narrow.xml", std::string("<TextEdit size=\"5,20\"><Proto ") + FONT_KEYS +
                                   "/><Cursor size=\"2,14\" Picture=\"caret.tga\"/></TextEdit>");
    auto* narrow = new cTextEdit(parent);
    narrow->loadXML(ui.layout("narrow.xml"));
    EXPECT_THROW(narrow->setText(L"ab"), cStringA);
    (void)e;
}
