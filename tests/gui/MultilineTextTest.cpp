#include "engine/gui/MultilineText.h"

#include "engine/core/Strings.h"
#include "engine/gui/Background.h"
#include "engine/gui/Label.h"
#include "tests/gui/LabelFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Engine;

namespace {

// Letters of the synthetic font step 10 px, spaces too ("SpaceWidth" 10).
class MultilineTextTest : public TestSupport::LabelFixture {
protected:
    cMultilineText* text(const std::string& keys, const std::string& body = "", float width = 200) {
        return load<cMultilineText>(std::string("<T Visible=\"1\" Enable=\"1\" position=\"500,300\" size=\"") +
                                        std::to_string(width) + ",200\" " + FONT_KEYS +
                                        " Align=\"1\" SpaceWidth=\"10\" " + keys + ">" + body + "</T>",
                                    "t" + std::to_string(++files) + ".xml");
    }
    static std::vector<std::wstring> texts(const cMultilineText& t) {
        std::vector<std::wstring> out;
        for (cLabel* line : t.getLines())
            out.push_back(line->getText());
        return out;
    }
    static std::vector<float> ys(const cMultilineText& t) {
        std::vector<float> out;
        for (cLabel* line : t.getLines())
            out.push_back(line->getPosition().y);
        return out;
    }
    int files = 0;
};

using Lines = std::vector<std::wstring>;

} // namespace

TEST_F(MultilineTextTest, LineFeedsSplitTheTextIntoLines) {
    start();
    const std::pair<const char*, Lines> cases[] = {
        {"a/nb", {L"a", L"b"}}, {"a/n/nb", {L"a", L"", L"b"}}, {"a/n", {L"a"}}, {"", {}}, {"one line", {L"one line"}},
    };
    for (const auto& [string, lines] : cases) {
        cMultilineText* t = text(std::string("String=\"") + string + "\"");
        EXPECT_EQ(texts(*t), lines) << string;
    }
    // The child element "Text" wins over the attribute.
    owned.clear();
    cMultilineText* t = text("String=\"x\"", "<Text>a/nb/nc</Text>");
    EXPECT_EQ(texts(*t), (Lines{L"a", L"b", L"c"}));
    // The lines are copies of the hidden template: aligned, coloured and drawn as it says.
    ui.step();
    EXPECT_EQ(ui.draws().size(), 3u);
    EXPECT_FLOAT_EQ(t->getLines()[1]->getTextWidth(), 10);
    EXPECT_EQ(t->getLines()[1]->getAlign(), uint32_t(ALIGN_LEFT));
}

TEST_F(MultilineTextTest, VerticalAlignmentsPlaceTheBlockInTheBox) {
    start();
    const std::pair<const char*, std::vector<float>> cases[] = {
        {"VerticalAlign=\"0\"", {260, 300, 340}},
        {"VerticalAlign=\"1\"", {220, 260, 300}},
        {"VerticalAlign=\"2\"", {300, 340, 380}},
        {"VerticalAlign=\"3\"", {300, 340, 380}},
        {"", {300, 340, 380}},
        {"VerticalAlign=\"0\" Interlinear=\"20\"", {280, 300, 320}},
        {"VerticalAlign=\"1\" Interlinear=\"20\"", {210, 230, 250}},
        {"VerticalAlign=\"2\" Interlinear=\"20\"", {350, 370, 390}},
    };
    for (const auto& [keys, expected] : cases)
        EXPECT_EQ(ys(*text(std::string("String=\"a/nb/nc\" ") + keys)), expected) << keys;
}

TEST_F(MultilineTextTest, WordWrappingCutsAtTheLastSpaceThatFits) {
    start();
    const std::tuple<const char*, float, Lines> cases[] = {
        {"aa bb cc", 55, {L"aa bb", L"cc"}},
        {"aa bb cc", 200, {L"aa bb cc"}},
        {"abcdefgh", 35, {L"abcdefgh"}},
        {"ab cdefgh ij", 35, {L"ab", L"cdefgh", L"ij"}},
        // A line that starts with a space keeps wrapping the rest.
        {" aa bb cc dd", 55, {L" aa", L"bb cc", L"dd"}},
    };
    for (const auto& [string, width, lines] : cases) {
        cMultilineText* t = text(std::string("String=\"") + string + "\" WrapText=\"1\"", "", width);
        EXPECT_EQ(texts(*t), lines) << string << " in " << width;
    }
}

TEST_F(MultilineTextTest, CharacterWrappingCutsInsideWordsAndTrimsContinuations) {
    start();
    const std::tuple<const char*, float, Lines> cases[] = {
        {"abcdefgh", 35, {L"abc", L"def", L"gh"}},
        {"aa bb cc", 55, {L"aa bb", L"cc"}},
        {"abcdefgh  ij", 35, {L"abc", L"def", L"gh ", L"ij"}},
        {"ab\t\t cd", 25, {L"ab", L"cd"}},
        // Not even one letter fits: one letter per line, and no endless loop.
        {"abc", 5, {L"a", L"b", L"c"}},
    };
    for (const auto& [string, width, lines] : cases) {
        cMultilineText* t = text(std::string("String=\"") + string + "\" WrapText=\"1\" WrapStyle=\"1\"", "", width);
        EXPECT_EQ(texts(*t), lines) << string << " in " << width;
    }
}

TEST_F(MultilineTextTest, SettersTakeEffectAtTheNextRelayout) {
    start();
    cMultilineText* t = text("String=\"a/nb\"");
    t->setVerticalAlign(VALIGN_CENTER);
    t->setWrapText(true);
    t->setWrapStyle(WRAP_CHARACTERS);
    t->setLocalized(false);
    ui.step();
    EXPECT_EQ(ys(*t), (std::vector<float>{300, 340}));

    t->setInterlinear(20);
    ui.step();
    EXPECT_EQ(ys(*t), (std::vector<float>{290, 310}));

    t->setText(L"x/ny/nz", true);
    EXPECT_EQ(texts(*t), (Lines{L"x", L"y", L"z"}));
    // Old lines are hidden at once and deleted at the end of the frame.
    ui.step();
    EXPECT_EQ(ui.draws().size(), 3u);
    EXPECT_EQ(t->getChildren().size(), 4u); // three lines and the template

    t->setTextColor(0xFF00FF00u);
    t->setText(L"q");
    ui.step();
    ASSERT_EQ(ui.draws().size(), 1u);
    EXPECT_EQ(ui.draws()[0].quad.vertices[0].color, 0xFF00FF00u);
}

TEST_F(MultilineTextTest, ACopyShowsNothingUntilItIsGivenAText) {
    start();
    cMultilineText* t = text("String=\"a/nb\" Interlinear=\"30\"");
    cMultilineText copy(*t);
    copy.setParent(nullptr);
    copy.show();
    copy.enable();
    ui.step();
    EXPECT_TRUE(copy.getLines().empty());
    EXPECT_FLOAT_EQ(copy.getInterlinear(), 30);
    copy.setText(L"c/nd/ne");
    ui.step();
    EXPECT_EQ(texts(copy), (Lines{L"c", L"d", L"e"}));
    EXPECT_EQ(ys(copy), (std::vector<float>{300, 330, 360}));
}

TEST_F(MultilineTextTest, TheTextIsTranslatedOnceAsAWhole) {
    start();
    cStrings strings;
    strings.setDumpStrings(true);
    cMultilineText* t = text("String=\"Hi\"");
    t->setInterlinear(20);
    ui.step();
    t->relayout();
    EXPECT_EQ(texts(*t), (Lines{L"!!!!!!!Hi"}));
    EXPECT_EQ(t->getText(), L"Hi");
    strings.setDumpStrings(false);
}

TEST_F(MultilineTextTest, BackgroundsMakeLabelsAndMultilineTextsOfTheirTextGroups) {
    start();
    ui.writeFile("b.xml", std::string("<B Visible=\"1\"><BackText><L Visible=\"1\" String=\"ab\" ") + FONT_KEYS +
                              "/></BackText><BackMultitext><M Visible=\"1\" String=\"a/nb\" " + FONT_KEYS +
                              "/></BackMultitext></B>");
    cBackground background(nullptr);
    background.loadXML(ui.layout("b.xml"));
    ASSERT_EQ(background.getLayers().size(), 2u);
    int labels = 0, texts = 0;
    for (cWidget* layer : background.getLayers()) {
        labels += dynamic_cast<cLabel*>(layer) != nullptr;
        texts += dynamic_cast<cMultilineText*>(layer) != nullptr;
    }
    EXPECT_EQ(labels, 1);
    EXPECT_EQ(texts, 1);
    ui.step();
    EXPECT_EQ(ui.draws().size(), 4u);
}

TEST_F(MultilineTextTest, TheTemplatesLookReachesNewLinesAndTheAlphaEveryLine) {
    start();
    cMultilineText* t = text("String=\"ab/nc\"");
    t->setMultiplier(2);
    t->setAlign(ALIGN_RIGHT);
    EXPECT_FLOAT_EQ(t->getMultiplier(), 2);
    EXPECT_EQ(t->getAlign(), uint32_t(ALIGN_RIGHT));
    // Existing lines keep their look until the lines are made again.
    EXPECT_FLOAT_EQ(t->getLines()[0]->getTextWidth(), 20);
    t->setText(L"ab/nc", true);
    EXPECT_FLOAT_EQ(t->getLines()[0]->getTextWidth(), 20);
    t->setText(L"ab/ncd", true);
    ASSERT_EQ(t->getLines().size(), 2u);
    EXPECT_FLOAT_EQ(t->getLines()[0]->getTextWidth(), 40);
    EXPECT_EQ(t->getLines()[1]->getAlign(), uint32_t(ALIGN_RIGHT));

    t->setAlpha(0.5f);
    for (cLabel* line : t->getLines())
        EXPECT_FLOAT_EQ(line->getAlpha(), 0.5f);
    ui.step();
    ASSERT_EQ(ui.draws().size(), 4u);
    for (const auto& draw : ui.draws())
        EXPECT_EQ(draw.quad.vertices[0].color >> 24, 0x80u);
    // Lines made later take the text's alpha too.
    t->setText(L"e", true);
    EXPECT_FLOAT_EQ(t->getLines()[0]->getAlpha(), 0.5f);
}
