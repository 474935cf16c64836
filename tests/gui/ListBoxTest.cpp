// The list box: rows copied from the template, the rows shown in the window and the scroll
// buttons that can scroll, scrolling and selection by scripted clicks, and clearing.

#include "engine/gui/ListBox.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/WidgetSets.h"
#include "tests/gui/ButtonScript.h"
#include "tests/gui/LabelFixture.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

void onSelect(int row, cListBox*) {
    ButtonScript::log().push_back("select" + std::to_string(row));
}

// The window is 200 high around (500, 400): rows at 325, 375, 425 and 475 with "Interlinear" 50.
class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ButtonScript::log().clear();
        ui.start();
    }
    std::unique_ptr<cListBox> load(const std::string& keys, const std::string& strings = "") {
        ui.writeFile("l.xml", "<L Visible=\"1\" Enable=\"1\" position=\"500,400\" size=\"200,200\" " + keys +
                                  "><UpButton Visible=\"1\" Enable=\"1\" position=\"500,280\" size=\"40,20\"/>"
                                  "<DownButton Visible=\"1\" Enable=\"1\" position=\"500,520\" size=\"40,20\"/>"
                                  "<Button Visible=\"1\" Enable=\"1\" size=\"180,40\"/>" +
                                  strings + "</L>");
        auto box = std::make_unique<cListBox>(nullptr);
        box->setSelectCallback(onSelect);
        box->loadXML(ui.layout("l.xml"));
        getResourceManager()->forgetResource("l.xml");
        return box;
    }
    static std::string describe(const cListBox& box) {
        std::string shown;
        for (size_t i = 0; i < box.getRowCount(); ++i)
            if (box.getRow(i)->isVisible())
                shown += (shown.empty() ? "" : ",") + std::to_string(i);
        return "first=" + std::to_string(box.getFirstRow()) + " shown=" + shown +
               (box.getUpButton()->isVisible() ? " up" : " -") + (box.getDownButton()->isVisible() ? " down" : " -");
    }
    UiHarness ui;
};

struct LayoutCase {
    const char* name;
    const char* keys;
    int rows;
    unsigned firstRow;
    const char* expected;
};

} // namespace

TEST_F(ListBoxTest, Layouts) {
    const char* window = "TopLeft=\"0,0\" BottomRight=\"200,200\" ";
    const LayoutCase cases[] = {
        {"first page", window, 6, 0, "first=0 shown=0,1,2,3 - down"},
        {"last rows move back to fill the window", window, 6, 4, "first=2 shown=2,3,4,5 up -"},
        {"first row past the end", window, 6, 10, "first=2 shown=2,3,4,5 up -"},
        {"fewer rows than room", window, 3, 0, "first=0 shown=0,1,2 - -"},
        {"no rows", window, 0, 0, "first=0 shown= - -"},
        {"Interlinear 0 shows every row", "TopLeft=\"0,0\" BottomRight=\"200,200\" Interlinear=\"0\"", 3, 0,
         "first=0 shown=0,1,2 - -"},
        {"a window upside down has no room", "TopLeft=\"0,200\" BottomRight=\"200,0\"", 3, 0, "first=0 shown= - down"},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto box = load(c.keys);
        for (int i = 0; i < c.rows; ++i)
            box->addString(L"row " + std::to_wstring(i));
        box->setFirstRow(c.firstRow);
        box->layout();
        EXPECT_EQ(describe(*box), c.expected);
    }
}

TEST_F(ListBoxTest, RowsAreCopiesOfTheTemplatePlacedOneBelowTheOther) {
    auto box = load("TopLeft=\"0,0\" BottomRight=\"200,200\"",
                    "<Strings Count=\"3\" str0=\"Anna\" str1=\"Ben\" str2=\"Cleo\"/>");
    EXPECT_FALSE(box->getRowTemplate()->isVisible());
    ASSERT_EQ(box->getRowCount(), 3u);
    EXPECT_EQ(box->getRowText(2), L"Cleo");
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(box->getRow(i)->getParent(), box.get());
        EXPECT_EQ(box->getRow(i)->getUserData(), int32_t(i));
        EXPECT_EQ(box->getRow(i)->getPosition(), cVector2(500.0f, 325.0f + 50.0f * float(i)));
        EXPECT_EQ(box->getRow(i)->getSize(), cVector2(180, 40));
    }
}

TEST_F(ListBoxTest, StringCountsOutOfRange) {
    EXPECT_EQ(load("", "<Strings Count=\"-2\" str0=\"a\"/>")->getRowCount(), 0u);
    EXPECT_EQ(load("", "<Strings Count=\"4294967295\"/>")->getRowCount(), 0u);
    EXPECT_EQ(load("", "<Strings Count=\"100000000\"/>")->getRowCount(), 1000u);
}

TEST_F(ListBoxTest, ScrollAndSelectByClicks) {
    auto box = load("TopLeft=\"0,0\" BottomRight=\"200,200\"");
    for (int i = 0; i < 6; ++i)
        box->addString(L"row");
    auto seen = [&] { return describe(*box); };
    // Down twice (the second reaches the last page), down once more changes nothing; a click on
    // the second visible row selects row 3; then up to the top and once more.
    EXPECT_EQ(ButtonScript::run(ui, "m500,520 p s r s p s r s m500,375 p s r s m500,280 p s r s p s r s", seen),
              "first=0 shown=0,1,2,3 - down first=1 shown=1,2,3,4 up down first=1 shown=1,2,3,4 up down "
              "first=2 shown=2,3,4,5 up - first=2 shown=2,3,4,5 up - first=2 shown=2,3,4,5 up - "
              "first=2 shown=2,3,4,5 up - first=1 shown=1,2,3,4 up down first=1 shown=1,2,3,4 up down "
              "first=0 shown=0,1,2,3 - down");
    EXPECT_EQ(ButtonScript::joined(), "select3");
}

TEST_F(ListBoxTest, ClearHidesTheRowsAtOnce) {
    auto box = load("TopLeft=\"0,0\" BottomRight=\"200,200\"");
    for (int i = 0; i < 6; ++i)
        box->addString(L"row");
    cTextureTextButton* old = box->getRow(0);
    box->clear();
    EXPECT_EQ(box->getRowCount(), 0u);
    EXPECT_TRUE(isWidgetAlive(old));
    EXPECT_FALSE(old->isVisible());
    EXPECT_FALSE(old->isListening());
    EXPECT_EQ(describe(*box), "first=0 shown= - -");
    ui.step();
    EXPECT_FALSE(isWidgetAlive(old));
    box->addString(L"again");
    EXPECT_EQ(describe(*box), "first=0 shown=0 - -");
}

namespace {

class ListBoxRowTextTest : public TestSupport::LabelFixture {};

} // namespace

TEST_F(ListBoxRowTextTest, RowsShowTheirStrings) {
    start();
    // Room for two rows (at 375 and 425) around (500, 400).
    auto* box = load<cListBox>(std::string("<L Visible=\"1\" Enable=\"1\" position=\"500,400\" TopLeft=\"0,0\" "
                                           "BottomRight=\"200,100\"><Button Visible=\"1\" Enable=\"1\" "
                                           "size=\"180,40\"><Text Visible=\"1\" Enable=\"1\" Multiplier=\"1\" ") +
                               FONT_KEYS + "/></Button><Strings Count=\"2\" str0=\"Anna\" str1=\"Ben\"/></L>");
    box->addString(L"Cleo");
    auto letters = [&] {
        size_t count = 0;
        for (const TestSupport::DrawCall& call : ui.draws())
            count += call.texture == box->getRow(0)->getCaption()->getPicture();
        return count;
    };
    ui.step();
    const wchar_t* texts[] = {L"Anna", L"Ben", L"Cleo"};
    for (size_t i = 0; i < 3; ++i) {
        cButtonCaption* caption = box->getRow(i)->getCaption();
        EXPECT_EQ(caption->getText(), texts[i]);
        EXPECT_EQ(caption->getParent(), box->getRow(i));
        EXPECT_EQ(caption->isVisible(), i < 2);
    }
    EXPECT_EQ(box->getRow(1)->getCaption()->getPosition(), cVector2(500, 425));
    EXPECT_EQ(box->getRow(1)->getCaption()->getQuads().size(), 3u);
    EXPECT_EQ(letters(), 4u + 3u);
    box->scrollDown();
    ui.step();
    EXPECT_EQ(box->getRow(2)->getCaption()->getPosition(), cVector2(500, 425));
    EXPECT_EQ(letters(), 3u + 4u);
}
