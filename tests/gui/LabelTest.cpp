#include "engine/gui/Label.h"

#include "engine/core/Strings.h"
#include "engine/gui/GlyphQuad.h"
#include "engine/media/Texture.h"
#include "tests/gui/LabelFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::DrawCall;

namespace {

class LabelTest : public TestSupport::LabelFixture {};

std::string labelAt(float x, const std::string& keys, const std::string& text = "a b") {
    return "<L Visible=\"1\" position=\"" + std::to_string(x) + ",50\" " + LabelTest::FONT_KEYS + " String=\"" + text +
           "\" SpaceWidth=\"10\" " + keys + "/>";
}

} // namespace

TEST_F(LabelTest, LettersAreCentredOnTheLineForEachAlignment) {
    start();
    // 'a' and 'b' step 10 px each and the space 10 px; all three scaled by Multiplier and,
    // for the advance, by Intersymbol.
    struct Case {
        const char* keys;
        float width, a, b;
    } cases[] = {
        {"Multiplier=\"2\"", 60, -20, 20},
        {"Multiplier=\"2\" Align=\"1\"", 60, 10, 50},
        {"Multiplier=\"2\" Align=\"2\"", 60, -50, -10},
        {"Multiplier=\"2\" Align=\"7\"", 60, 10, 50},
        {"Multiplier=\"2\" Intersymbol=\"2\"", 120, -40, 40},
        {"Multiplier=\"2\" Intersymbol=\"2\" Align=\"2\"", 120, -100, -20},
        {"Intersymbol=\"0.5\" Align=\"1\"", 15, 2.5f, 12.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        cLabel* label = load(labelAt(300, c.keys));
        EXPECT_FLOAT_EQ(label->getTextWidth(), c.width);
        ui.step();
        ASSERT_EQ(ui.draws().size(), 2u);
        EXPECT_FLOAT_EQ(drawnCentres()[0], 300 + c.a);
        EXPECT_FLOAT_EQ(drawnCentres()[1], 300 + c.b);
        owned.clear();
    }
}

TEST_F(LabelTest, EachLetterShowsItsGlyphAtTheGlyphsSizeCentredOnTheLabelsY) {
    start();
    cLabel* label = load(labelAt(300, "Multiplier=\"2\" Color=\"FF102030\"", "a|"));
    ui.step();
    ASSERT_EQ(ui.draws().size(), 2u);
    const DrawCall& a = ui.draws()[0];
    const DrawCall& bar = ui.draws()[1];
    EXPECT_EQ(a.texture, label->getPicture());
    // v flipped: the glyph's upper half of the picture is the top half of texture space.
    EXPECT_FLOAT_EQ(a.quad.textureRect[0], u(L'a'));
    EXPECT_FLOAT_EQ(a.quad.textureRect[1], 0.0f);
    EXPECT_FLOAT_EQ(a.quad.textureRect[2], u(L'a') + 0.1f);
    EXPECT_FLOAT_EQ(a.quad.textureRect[3], 0.5f);
    EXPECT_FLOAT_EQ(a.quad.vertices[0].position.y, 40);
    EXPECT_FLOAT_EQ(a.quad.vertices[3].position.y, 60);
    EXPECT_FLOAT_EQ(a.quad.vertices[3].position.x - a.quad.vertices[0].position.x, 20);
    EXPECT_FLOAT_EQ(bar.quad.vertices[0].position.y, 30);
    EXPECT_FLOAT_EQ(bar.quad.vertices[3].position.y, 70);
    EXPECT_EQ(a.quad.vertices[0].color, 0xFF102030u);
    EXPECT_FLOAT_EQ(label->getTextHeight(), 40);

    // The height keeps the tallest letter of every layout.
    label->setText(L"a");
    EXPECT_FLOAT_EQ(label->getTextHeight(), 40);
    EXPECT_FLOAT_EQ(label->getTextWidth(), 20);

    // A new colour relays the letters.
    label->setColor(cColor(1, 0, 0, 0.5f));
    ui.step();
    ASSERT_EQ(ui.draws().size(), 1u);
    EXPECT_EQ(ui.draws()[0].quad.vertices[2].color, 0x80FF0000u);
}

TEST_F(LabelTest, CharactersTheFontLacksTakeNoRoomAndLineBreaksAreSkipped) {
    start();
    cLabel* label = load(labelAt(300, "Align=\"1\"", "a/n&#x416;b"));
    EXPECT_EQ(label->getText(), std::wstring(L"a\n\x416"
                                             L"b"));
    EXPECT_FLOAT_EQ(label->getTextWidth(), 20);
    EXPECT_TRUE(label->canDisplay(L'a'));
    EXPECT_FALSE(label->canDisplay(L'\x416'));
    ui.step();
    EXPECT_EQ(drawnCentres(), (std::vector<float>{305, 315}));

    label->setText(L"\x416\x417");
    EXPECT_FLOAT_EQ(label->getTextWidth(), 0);
    ui.step();
    EXPECT_TRUE(ui.draws().empty());
    // The same text again changes nothing.
    ui.step();
    label->setText(L"\x416\x417");
    EXPECT_FALSE(label->isDirty());
}

TEST_F(LabelTest, AMissingAlignResetsTheAlignmentToCentre) {
    start();
    ui.writeFile("plain.xml", labelAt(300, ""));
    cLabel label(nullptr);
    label.setAlign(ALIGN_RIGHT);
    label.loadXML(ui.layout("plain.xml"));
    EXPECT_EQ(label.getAlign(), uint32_t(ALIGN_CENTER));
}

TEST_F(LabelTest, ALayoutWithoutFontOrTextureIsRefusedByFileName) {
    start();
    for (const char* key : {"Font", "Texture"}) {
        const std::string keys = std::string(key) == "Font" ? "Texture=\"fonts/t.tga\"" : "Font=\"fonts/t.fnt\"";
        const std::string file = std::string("ui/no_") + (key[0] == 'F' ? "font" : "texture") + ".xml";
        ui.writeFile(file, "<Screen><Title String=\"Hi\" " + keys + "/></Screen>");
        IXmlNode* screen = ui.layout(file);
        IXmlNode* title = nullptr;
        ASSERT_TRUE(screen->findNode("Title", title));
        cLabel label(nullptr);
        try {
            label.loadXML(title);
            ADD_FAILURE() << key << " not required";
        } catch (const std::string& text) {
            EXPECT_EQ(text, "Layout \"" + file + "\": the label \"Hi\" has no \"" + key + "\".");
        }
    }
}

TEST_F(LabelTest, ReorderRightToLeftReversesAllButRunsOfLatinLettersAndDigits) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"abc 12!", L"!12 abc"}, {L"", L""}, {L"\x5D0\x5D1 ok", L"ok \x5D1\x5D0"}, {L"a-b", L"b-a"}, {L"xyz", L"xyz"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(cLabel::reorderRightToLeft(text), expected);
}

TEST_F(LabelTest, RightToLeftLabelsLayOutTheReorderedTextUnlessTheyIgnoreIt) {
    start("RightToLeftEnable=\"1\"");
    load(labelAt(300, "Align=\"1\"", "ab!"));
    ui.step();
    ASSERT_EQ(ui.draws().size(), 3u);
    EXPECT_FLOAT_EQ(ui.draws()[0].quad.textureRect[0], u(L'!'));
    EXPECT_FLOAT_EQ(ui.draws()[1].quad.textureRect[0], u(L'a'));
    owned.clear();

    load(labelAt(300, "Align=\"1\" IgnoreRightToLeft=\"1\"", "ab!"));
    ui.step();
    ASSERT_EQ(ui.draws().size(), 3u);
    EXPECT_FLOAT_EQ(ui.draws()[0].quad.textureRect[0], u(L'a'));
}

TEST_F(LabelTest, ALabelMadeInCodeHasOneGlyphQuadPerLetterOneDepthStepApart) {
    start();
    cLabel label(nullptr);
    label.setPosition(cVector2(100, 50));
    label.setDepth(1.0f);
    label.setAlign(ALIGN_LEFT);
    label.setColor(cColor(0.0f, 1.0f, 0.0f, 1.0f));
    label.setFont("fonts/t.fnt");
    label.setTexture("fonts/t.tga");
    label.setText(L"ab c");
    label.show();
    label.setAlpha(0.5f);
    ASSERT_EQ(label.getGlyphQuads().size(), 3u);
    EXPECT_EQ(label.getChildren().size(), 3u);
    const float depths[] = {1.0f, 1.01f, 1.03f};
    const float xs[] = {105, 115, 135};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(label.getGlyphQuads()[i]->getDepth(), depths[i]);
        EXPECT_FLOAT_EQ(label.getGlyphQuads()[i]->getPosition().x, xs[i]);
    }
    ui.step();
    // The letters draw; the label itself does not.
    ASSERT_EQ(ui.draws().size(), 3u);
    EXPECT_FALSE(label.isInDrawList());
    const DrawCall& c = ui.draws()[2];
    EXPECT_FLOAT_EQ(c.quad.textureRect[0], u(L'c'));
    EXPECT_FLOAT_EQ(c.quad.vertices[0].position.x, 130);
    EXPECT_FLOAT_EQ(c.quad.vertices[3].position.y, 55);
    EXPECT_EQ(c.quad.vertices[0].color, 0x8000FF00u);
    EXPECT_EQ(c.texture, label.getGlyphQuads()[2]->getPicture());
}

TEST_F(LabelTest, GlyphQuadsAreCountedWhenTheLettersAreLaidOut) {
    start();
    cLabel label(nullptr);
    label.show();
    label.enable();
    // No font yet: nothing to lay out, nothing to run past.
    label.setText(L"abcd");
    ui.step();
    EXPECT_TRUE(label.getGlyphQuads().empty());

    label.setFont("fonts/t.fnt");
    label.setTexture("fonts/t.tga");
    ui.step();
    EXPECT_EQ(label.getGlyphQuads().size(), 4u);
    EXPECT_EQ(ui.draws().size(), 4u);

    label.setText(L"ab");
    ui.step();
    EXPECT_EQ(label.getGlyphQuads().size(), 2u);
    EXPECT_EQ(ui.draws().size(), 2u);
    ui.step();
    EXPECT_EQ(label.getChildren().size(), 2u);

    label.setText(L"a b c d e");
    ui.step();
    EXPECT_EQ(label.getGlyphQuads().size(), 5u);
    EXPECT_EQ(ui.draws().size(), 5u);
}

TEST_F(LabelTest, TextsAreTranslatedOnceWhateverHowOftenTheyAreLaidOut) {
    ui.writeFile("sys/strings.xml", "<Strings><s><text>Hello</text><translation>Salut</translation></s>"
                                    "<s><text>Salut</text><translation>Hi</translation></s></Strings>");
    start();
    cStrings strings;
    cLabel* label = load(labelAt(300, "Align=\"1\"", "Hello"));
    for (int i = 0; i < 3; ++i) {
        label->setPosition(cVector2(300.0f + float(i), 50.0f));
        EXPECT_FLOAT_EQ(label->getTextWidth(), 50) << "\"Salut\", not \"Hi\"";
    }
    EXPECT_EQ(label->getText(), L"Hello");

    // Collecting for the translators marks a missing text with seven '!' once.
    strings.setDumpStrings(true);
    label->setText(L"Bye");
    for (int i = 0; i < 3; ++i) {
        label->setPosition(cVector2(200.0f + float(i), 50.0f));
        EXPECT_FLOAT_EQ(label->getTextWidth(), 100);
    }
    strings.setDumpStrings(false);
}

TEST_F(LabelTest, ACopyTakesTheTemplatesFontSettingsAndText) {
    start();
    cLabel* original = load(labelAt(300, "Multiplier=\"2\" Align=\"1\"", "ab"));
    cLabel copy(*original);
    EXPECT_EQ(copy.getText(), L"ab");
    EXPECT_EQ(copy.getTexture(), "fonts/t.tga");
    EXPECT_FLOAT_EQ(copy.getMultiplier(), 2);
    EXPECT_EQ(copy.getAlign(), uint32_t(ALIGN_LEFT));
    EXPECT_EQ(copy.getPicture(), original->getPicture());
    copy.setPosition(cVector2(0, 0));
    EXPECT_FLOAT_EQ(copy.getTextWidth(), 40);
    copy.show();
    ui.step();
    EXPECT_EQ(ui.draws().size(), 4u);
}

TEST_F(LabelTest, WithTTFUsageTheTextIsOneRenderedQuadAlignedOnTheLabel) {
    start("TTFUsage=\"1\"");
    cLabel* label = nullptr;
    try {
        label = load("<L Visible=\"1\" position=\"300,50\" String=\"Hello\" Align=\"1\"/>");
    } catch (...) {
        GTEST_SKIP() << "No text renderer";
    }
    const float width = label->getTextWidth();
    ASSERT_GT(width, 10);
    EXPECT_TRUE(label->canDisplay(L'\x416'));
    ui.step();
    ASSERT_EQ(ui.draws().size(), 1u);
    EXPECT_EQ(ui.draws()[0].texture, label->getPicture());
    EXPECT_FLOAT_EQ(ui.draws()[0].quad.vertices[0].position.x, 300);
    EXPECT_FLOAT_EQ(ui.draws()[0].quad.vertices[1].position.x, 300 + width);
    EXPECT_FLOAT_EQ(ui.draws()[0].quad.textureRect[2], 1.0f);

    label->setAlign(ALIGN_RIGHT);
    ui.step();
    EXPECT_FLOAT_EQ(ui.draws()[0].quad.vertices[1].position.x, 300);
    label->setText(L"Hello, world");
    ui.step();
    EXPECT_GT(label->getTextWidth(), width);
}

TEST_F(LabelTest, AFontOrPictureThatDoesNotLoadLeavesTheLabelAsItWas) {
    start();
    cLabel* label = load(labelAt(300, "Align=\"1\"", "ab"));
    cTexture* picture = label->getPicture();
    ASSERT_NE(picture, nullptr);
    const int references = picture->getRefCount();
    EXPECT_ANY_THROW(label->setFont("fonts/missing.fnt"));
    EXPECT_ANY_THROW(label->setTexture("fonts/missing.tga"));
    EXPECT_EQ(label->getTexture(), "fonts/t.tga");
    EXPECT_EQ(label->getPicture(), picture);
    EXPECT_EQ(picture->getRefCount(), references);
    label->setText(L"abc");
    EXPECT_FLOAT_EQ(label->getTextWidth(), 30);
    ui.step();
    EXPECT_EQ(ui.draws().size(), 3u);
}
