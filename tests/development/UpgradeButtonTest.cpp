#include "game/shell/Tip.h"
#include "game/shell/TipManager.h"
#include "tests/development/UpgradeFixture.h"

using namespace Engine;
using TestUpgrades::place;

namespace {

class UpgradeButtonTest : public TestUpgrades::UpgradeFixture {};

} // namespace

TEST_F(UpgradeButtonTest, TipsShowOnlyOnTheOpenMapWithTipsEnabled) {
    screen.withTips = true;
    openPanel(100);
    cUpgradeButton* first = button(0);
    ASSERT_NE(first->getTip(), nullptr);
    EXPECT_EQ(first->getTip()->getParent(), first);
    screen.log.clear();

    screen.tipsEnabled = false;
    first->setShowing();
    screen.levelScreenOpen = true;
    screen.tipsEnabled = true;
    first->setShowing();
    EXPECT_TRUE(screen.log.empty());
    EXPECT_FALSE(first->isShowing());

    screen.levelScreenOpen = false;
    first->setShowing();
    // The tip learns the building, the button's x for its lug and the level offered.
    EXPECT_EQ(screen.log, std::vector<std::string>{"tip 1 at 112 level 1"});
    EXPECT_TRUE(first->isShowing());
    EXPECT_GT(first->getTip()->getFadeDirection(), 0.0f);
    first->setHiding();
    EXPECT_FALSE(first->isShowing());
    EXPECT_LT(first->getTip()->getFadeDirection(), 0.0f);
}

TEST_F(UpgradeButtonTest, WithoutATipHidingIsAnError) {
    openPanel(100);
    EXPECT_EQ(button(0)->getTip(), nullptr);
    try {
        button(0)->setHiding();
        FAIL() << "no exception";
    } catch (const char* text) {
        EXPECT_STREQ(text, "cTipClient::setHiding(): m_tip is null");
    }
}

TEST_F(UpgradeButtonTest, ScrollAndReturnButtonsTakePartInTheTipsWithoutATip) {
    cTipManager tips;
    screen.withTips = true;
    openPanel(0);
    cTipFrameButton* left = panel->getScrollLeftButton();
    EXPECT_TRUE(tips.hasClient(left));
    EXPECT_TRUE(tips.hasClient(panel->getReturnButton()));
    EXPECT_TRUE(tips.hasClient(button(0)));
    EXPECT_EQ(left->getTip(), nullptr);
    left->setShowing();
    EXPECT_TRUE(left->isShowing());
    left->setHiding();
    EXPECT_FALSE(left->isShowing());
    delete panel;
    panel = nullptr;
    EXPECT_FALSE(tips.hasClient(left));
}

TEST_F(UpgradeButtonTest, AButtonWithoutABuildingOffersNothing) {
    openPanel(100);
    cUpgradeButton* spare = panel->getSpareButton();
    spare->setUnit(nullptr);
    spare->setUpgrade(1, nullptr);
    EXPECT_EQ(spare->getUpgrade(), nullptr);
    spare->onHover();
    spare->onClicked();
    EXPECT_EQ(spare->getPreview(), nullptr);
    EXPECT_FALSE(panel->getConfirmDlg()->isVisible());

    // A bought-out building previews and sells nothing either.
    unit(1)->setLevel(1);
    panel->updateButtons(false);
    button(0)->onHover();
    button(0)->onClicked();
    EXPECT_EQ(button(0)->getPreview(), nullptr);
    EXPECT_FALSE(panel->getConfirmDlg()->isVisible());
}
