// The edit box over the synthetic font: every letter and the caret ('_') step 10 pixels, so
// widths and caret positions come out exact. Characters are typed through the real input system.

#include "engine/gui/EditBox.h"

#include "engine/media/InputSystem.h"
#include "engine/platform/SystemPreferences.h"
#include "tests/gui/LabelFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Engine;

namespace {

struct HebrewKeyboard : Platform::ISystemPreferences {
    bool readSwapMouseButtons(std::string&) override { return false; }
    uint16_t readKeyboardLanguageId() override { return Platform::LANGUAGE_HEBREW; }
};

// Installs a Hebrew keyboard layout for the scope.
struct HebrewLayout {
    HebrewKeyboard keyboard;
    HebrewLayout() { Platform::setSystemPreferences(&keyboard); }
    ~HebrewLayout() { Platform::setSystemPreferences(nullptr); }
};

constexpr wchar_t ALEPH = 0x05D0;

class EditBoxTest : public TestSupport::LabelFixture {
protected:
    // MaxLength 1000 unless the keys say otherwise.
    cEditBox* edit(std::string keys = "") {
        if (keys.find("MaxLength") == std::string::npos)
            keys += " MaxLength=\"1000\"";
        cEditBox* box = load<cEditBox>("<E Visible=\"1\" Enable=\"1\" position=\"300,50\" " + std::string(FONT_KEYS) +
                                       " SpaceWidth=\"10\" " + keys + "/>");
        box->setChangeCallback([this](cEditBox* e) { changes.push_back(e->getText()); });
        return box;
    }
    float caretX(cEditBox* box) { return box->getCaret()->getPosition().x; }

    std::vector<std::wstring> changes;
};

TEST_F(EditBoxTest, TypedCharactersAndBackspaceEditTheTextAndEveryEventIsReported) {
    start();
    struct Case {
        const wchar_t* typed;
        const wchar_t* text;
        size_t changes;
    } cases[] = {
        {L"abc\b\b", L"a", 5},
        {L"a\b\b\b", L"", 4},             // an empty text stays empty, still reported
        {L"a\rb\nc", L"abc", 5},          // line breaks are never typed
        {L"a\x416 b\xA0", L"a b\xA0", 5}, // no glyph: dropped; both spaces typed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.typed)));
        changes.clear();
        cEditBox* box = edit();
        ui.type(c.typed);
        ui.step();
        EXPECT_EQ(box->getText(), c.text);
        EXPECT_EQ(changes.size(), c.changes);
        owned.clear();
    }
}

TEST_F(EditBoxTest, OnlyAVisibleEnabledEditBoxTakesCharacters) {
    start();
    cEditBox* box = edit();
    box->hide();
    ui.type(L"a");
    ui.step();
    box->show();
    box->disable();
    ui.type(L"b");
    ui.step();
    EXPECT_EQ(box->getText(), L"");
    EXPECT_TRUE(changes.empty());
    box->enable();
    ui.type(L"c");
    ui.step();
    EXPECT_EQ(box->getText(), L"c");
}

TEST_F(EditBoxTest, AFilterKeepsCharactersOutSilently) {
    start();
    cEditBox* box = edit();
    box->setCharFilter([](wchar_t c) { return c < L'0' || c > L'9'; });
    ui.type(L"a1b2\b");
    ui.step();
    EXPECT_EQ(box->getText(), L"a");
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"a", L"ab", L"a"}));
}

TEST_F(EditBoxTest, TextCaretAndNextCharacterStayBelowMaxLengthHoweverManyArriveInAFrame) {
    start();
    // Text width + caret width + the next character's width must stay below MaxLength; the
    // caret and the characters are scaled by Multiplier and Intersymbol as the letters are.
    struct Case {
        const char* keys;
        const wchar_t* typed;
        const wchar_t* text;
    } cases[] = {
        {"MaxLength=\"50\"", L"abcdef", L"abc"},
        {"MaxLength=\"50.5\"", L"abcdef", L"abcd"},
        {"MaxLength=\"50\"", L"a b c", L"a b"},
        {"MaxLength=\"50\" Multiplier=\"2\"", L"abcdef", L"a"},
        {"MaxLength=\"50\" Intersymbol=\"2\"", L"a  b", L"a"},
        {"MaxLength=\"90\" Multiplier=\"2\" Intersymbol=\"0.5\"", L"abcdef", L"abcdef"},
        {"MaxLength=\"60\" Multiplier=\"2\" Intersymbol=\"0.5\"", L"abcdef", L"abcd"},
    };
    for (const Case& c : cases) {
        for (bool oneFramePerCharacter : {false, true}) {
            SCOPED_TRACE(std::string(c.keys) + (oneFramePerCharacter ? " one per frame" : " all in one frame"));
            cEditBox* box = edit(c.keys);
            for (const wchar_t* at = c.typed; *at; ++at) {
                ui.type(std::wstring(1, *at));
                if (oneFramePerCharacter)
                    ui.step();
            }
            ui.step();
            EXPECT_EQ(box->getText(), c.text);
            owned.clear();
        }
    }
}

TEST_F(EditBoxTest, TheCaretIsTheFontsUnderscoreAboveTheTextAndBlinks) {
    start();
    cEditBox* box = edit("BlinkingPeriod=\"0.5\" Multiplier=\"2\" Color=\"FF102030\"");
    ASSERT_NE(box->getCaret(), nullptr);
    EXPECT_FLOAT_EQ(box->getCaretWidth(), 20);
    ui.type(L"a");
    ui.step();
    // The letter, then the caret 20 deeper.
    ASSERT_EQ(ui.draws().size(), 2u);
    const TestSupport::DrawCall& caret = ui.draws()[1];
    EXPECT_FLOAT_EQ(caret.quad.textureRect[0], u(L'_'));
    EXPECT_FLOAT_EQ(caret.quad.textureRect[2], u(L'_') + 0.1f);
    EXPECT_FLOAT_EQ(caret.quad.vertices[3].position.x - caret.quad.vertices[0].position.x, 20);
    EXPECT_FLOAT_EQ(centreOf(caret.quad).x, 300 + 10 + 10);
    EXPECT_EQ(caret.quad.vertices[0].color, 0xFF102030u);
    EXPECT_FLOAT_EQ(box->getCaret()->getDepth(), box->getDepth() + 20);

    // 1/16 s frames: the timer passes 0.5 s in the 9th frame and starts again from 0.
    std::string blinks = "1";
    for (int frame = 2; frame <= 20; ++frame) {
        ui.step();
        blinks += box->getCaret()->isVisible() ? '1' : '0';
    }
    EXPECT_EQ(blinks, "11111111000000000111");
}

TEST_F(EditBoxTest, TheCaretFadesWithTheEditBox) {
    start();
    cEditBox* box = edit("TranparencySpeed=\"4\"");
    ui.type(L"a");
    ui.step();
    box->fadeOut();
    ui.step();
    // 4 a second over a 1/16 s frame: three quarters left, for the letter and the caret alike.
    ASSERT_EQ(ui.draws().size(), 2u);
    EXPECT_EQ(ui.draws()[0].alpha(), 191u);
    EXPECT_EQ(ui.draws()[1].alpha(), 191u);
}

TEST_F(EditBoxTest, TheCaretStandsBesideTheTextOnEitherSideForEachAlignment) {
    start("RightToLeftEnable=\"1\"");
    HebrewLayout hebrew;
    // "ab" is 20 px, the caret 10 px; a Hebrew letter (no glyph) puts the caret on the left.
    struct Case {
        const char* keys;
        bool left;
        float x;
    } cases[] = {
        {"Align=\"0\"", false, 315},
        {"Align=\"0\"", true, 285},
        {"Align=\"1\"", false, 325},
        {"Align=\"1\"", true, 295},
        {"Align=\"2\"", false, 305},
        {"Align=\"2\"", true, 275},
        {"Align=\"1\" Multiplier=\"2\"", false, 350},
        {"Align=\"2\" Multiplier=\"2\"", true, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + (c.left ? " left" : " right"));
        cEditBox* box = edit(c.keys);
        ui.type(c.left ? std::wstring(L"ab") + ALEPH : L"ab");
        ui.step();
        ASSERT_EQ(box->getText(), L"ab");
        EXPECT_EQ(box->isCaretLeft(), c.left);
        EXPECT_FLOAT_EQ(caretX(box), c.x);
        owned.clear();
    }
}

TEST_F(EditBoxTest, UnderAHebrewLayoutWithRightToLeftOnHebrewLettersPutTheCaretOnTheLeft) {
    start("RightToLeftEnable=\"1\"");
    const std::wstring aleph(1, ALEPH);
    struct Case {
        const char* keys;
        bool hebrew;
        std::wstring typed;
        bool left;
        float x;
    } cases[] = {
        {"", true, aleph, true, 285},
        {"", true, aleph + L"a", false, 320},  // a Latin letter moves it back
        {"", true, aleph + L"\b", true, 290},  // backspace keeps the side
        {"", true, aleph + L"\r", false, 315}, // any other character does not
        {"", false, aleph, false, 315},        // an English layout
        {"IgnoreRightToLeft=\"1\"", true, aleph, false, 315},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.keys << " hebrew " << c.hebrew << " " << testing::PrintToString(c.typed));
        HebrewKeyboard keyboard;
        if (c.hebrew)
            Platform::setSystemPreferences(&keyboard);
        cEditBox* box = edit(std::string("String=\"ab\" ") + c.keys);
        ui.type(c.typed);
        ui.step();
        Platform::setSystemPreferences(nullptr);
        EXPECT_EQ(box->isCaretLeft(), c.left);
        EXPECT_FLOAT_EQ(caretX(box), c.x);
        owned.clear();
    }
}

TEST_F(EditBoxTest, WithTTFUsageTheTextTextureMeasuresTheTextAndShowsTheCaret) {
    start("TTFUsage=\"1\"");
    cEditBox* box = nullptr;
    try {
        box = load<cEditBox>("<E Visible=\"1\" Enable=\"1\" position=\"300,50\" Align=\"1\" MaxLength=\"1000\"/>");
        ui.type(L"abc");
        ui.step();
    } catch (...) {
        GTEST_SKIP() << "No text renderer";
    }
    ASSERT_EQ(box->getText(), L"abc");
    ASSERT_NE(box->getCaret(), nullptr);
    const float text = box->getTextWidth(), caret = box->getCaretWidth();
    EXPECT_GT(text, 10);
    EXPECT_GT(caret, 0);
    EXPECT_FLOAT_EQ(caretX(box), 300 + text + caret / 2);
    EXPECT_EQ(ui.draws().size(), 2u);

    // Room for "abc" and the caret, not for one more letter, however many arrive at once.
    cEditBox* tight = load<cEditBox>("<E Visible=\"1\" Enable=\"1\" position=\"300,50\" Align=\"1\"/>", "t.xml");
    tight->setMaxLength(text + caret + 0.5f);
    ui.type(L"abcdef");
    ui.step();
    EXPECT_EQ(tight->getText(), L"abc");
    EXPECT_EQ(box->getText(), L"abcabcdef");
}

TEST_F(EditBoxTest, AFontWithoutAnUnderscoreLeavesNoVisibleCaret) {
    // The fixture's font cut short before '_' (upper-case letters stay).
    std::string font = fontBytes();
    const size_t header = 4 + 4 + 6, glyphs = 0x5E - 0x21 + 1;
    font[header - 4] = char(0x5E); // the range's last character
    font[header] = char(glyphs);   // the glyph count
    font.resize(header + 4 + glyphs * 20);
    ui.writeFile("fonts/n.fnt", font);
    start();
    cEditBox* box = load<cEditBox>("<E Visible=\"1\" Enable=\"1\" position=\"300,50\" Font=\"fonts/n.fnt\" "
                                   "Texture=\"fonts/t.tga\" MaxLength=\"25\"/>");
    ui.type(L"ABC");
    ui.step();
    EXPECT_EQ(box->getText(), L"AB");
    EXPECT_FLOAT_EQ(box->getCaretWidth(), 0);
    EXPECT_EQ(ui.draws().size(), 2u);
}

void countCharacter(int, void* user) {
    ++*static_cast<int*>(user);
}

TEST_F(EditBoxTest, ACharacterListenerLinkRegistersOnceAndLeavesNothingBehind) {
    start();
    int calls = 0;
    {
        cCharListenerLink link(countCharacter, &calls);
        link.add();
        link.add();
        EXPECT_TRUE(link.isRegistered());
        ui.type(L"a");
        ui.step();
        EXPECT_EQ(calls, 1);
        link.remove();
        ui.type(L"b");
        ui.step();
        EXPECT_EQ(calls, 1);
        link.add();
    }
    ui.type(L"c");
    ui.step();
    EXPECT_EQ(calls, 1);
}

TEST_F(EditBoxTest, AnEditBoxDeletedWhileProcessedIsNoLongerCalled) {
    start();
    // Each box deletes the other when it changes: whichever the input system calls first, the
    // other has gone before its turn.
    ui.writeFile("e.xml", std::string("<E Visible=\"1\" Enable=\"1\" ") + FONT_KEYS + " MaxLength=\"1000\"/>");
    auto make = [this] {
        auto* box = new cEditBox(nullptr);
        box->loadXML(ui.layout("e.xml"));
        return box;
    };
    cEditBox* boxes[2] = {make(), make()};
    cEditBox* survivor = nullptr;
    for (int i = 0; i < 2; ++i)
        boxes[i]->setChangeCallback([&, i](cEditBox* self) {
            if (!survivor) {
                survivor = self;
                delete boxes[1 - i];
            }
        });
    int calls = 0;
    getInputSystem()->addCharCallback(countCharacter, &calls);
    ui.type(L"x");
    ui.step();
    ASSERT_NE(survivor, nullptr);
    EXPECT_EQ(survivor->getText(), L"x");
    ui.type(L"y");
    ui.step();
    EXPECT_EQ(survivor->getText(), L"xy");

    delete survivor;
    ui.type(L"z");
    ui.step();
    EXPECT_EQ(calls, 3);
    getInputSystem()->removeCharCallback(countCharacter, &calls);
}

} // namespace
