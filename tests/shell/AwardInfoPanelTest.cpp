// The award announcement on its shipped layout and picture: every award's description, laid
// out on the sign, stays on the sign's paper, right of the badge and below the title.

#include "game/shell/AwardInfoPanel.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/MultilineText.h"
#include "game/shell/Award.h"
#include "tests/shell/ShippedShell.h"
#include "tests/support/LayoutBoxes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Engine;
using TestSupport::Box;

namespace {

const int AWARD_COUNT = 21;

// Where the sign's picture (drawn by tools/artgen/AwardArt.cpp) leaves room for the text, from
// its top left corner: right of the badge's slot, below the title, inside the paper, whose
// edge lies 20 pixels inside the picture's sides and 28 above its bottom.
Box textRoom(const cSprite& sign) {
    const Box picture = TestSupport::spriteBox(sign);
    return {picture.left + 128, picture.top + 56, picture.right - 24, picture.bottom - 30};
}

} // namespace

TEST(AwardInfoPanelTest, EveryShippedDescriptionFitsOnTheSignRightOfTheBadgeAndBelowTheTitle) {
    TestSupport::UiHarness ui;
    TestShell::installTutorialAndAwards(ui);
    ui.start();
    auto* panel = new cAwardInfoPanel(nullptr);
    const Box room = textRoom(*panel);
    auto expectOnTheSign = [&](const std::wstring& text) {
        panel->getInfoText()->setText(text, true);
        const auto& lines = panel->getInfoText()->getLines();
        ASSERT_FALSE(lines.empty());
        for (cLabel* line : lines) {
            const Box box = TestSupport::textBox(*line);
            EXPECT_TRUE(box.inside(room)) << box << " outside " << room;
        }
    };
    for (int index = 0; index < AWARD_COUNT; ++index) {
        auto* award = new cAward(nullptr, index);
        SCOPED_TRACE(award->getDescText());
        EXPECT_LE(TestSupport::spriteBox(*award).right, room.left + 4) << "the badge";
        expectOnTheSign(award->getDescText());
        award->hide();
        deleteWidgetLater(award);
    }
    // A longer description (a translation, a later award) has room for a third line.
    expectOnTheSign(L"A description of three\nlines shows every one\nof them on the sign.");
    EXPECT_EQ(3u, panel->getInfoText()->getLines().size());
    panel->hide();
    deleteWidgetLater(panel);
    ui.step();
}
