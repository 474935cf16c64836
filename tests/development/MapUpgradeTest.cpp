// Buying on the map itself: the shipped map with its own upgrade panel, a click on an offer, a
// look among the three, yes in the question, and the building drops in at its new level.

#include "engine/core/String.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/development/ConfirmVariantDlg.h"
#include "game/development/DevelopmentView.h"
#include "game/development/UnitView.h"
#include "game/development/UpgradeButton.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/development/UpgradeVariant.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/UnitUpgrade.h"
#include "game/model/UnitsFeature.h"
#include "tests/development/DevelopmentFixture.h"

using Engine::cVector2;

namespace {

class MapUpgradeTest : public TestMap::DevelopmentFixture {
protected:
    // The first offer of the row the player can buy now.
    cUpgradeButton* firstAffordable() const {
        for (cUpgradeButton* button : map->getUpgradePanel()->getButtons())
            if (button->isVisible() && button->isEnabled() && button->getUnit() && button->getUpgrade() &&
                button->getUpgrade()->level == button->getUnit()->getLevel() + 1)
                return button;
        return nullptr;
    }
};

TEST_F(MapUpgradeTest, TheMapShowsItsPanelAndHidesItForALevel) {
    start();
    openFromMenu();
    cUpgradeButtonsPanel* panel = map->getUpgradePanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->getParent(), map.get());
    EXPECT_EQ(panel->getScreen(), static_cast<IUpgradeScreen*>(map.get()));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_EQ(panel->getModel(), map->getModel());
    // The row was read from the model when the map opened.
    EXPECT_EQ(panel->getTargets().size(), map->getModel()->getUnitsFeature()->getUnitLevelTargets().size());
    EXPECT_FALSE(panel->getTargets().empty());

    ASSERT_NE(playNextLevel(), nullptr);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(panel->isEnabled());
    factory.last()->switchToOwner();
    ASSERT_TRUE(stepUntil([&] { return map->getNextLevelButton()->isEnabled(); }));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->isEnabled());

    // The menu's way out closes the map: the panel hides with it and lets go of the buildings.
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    EXPECT_FALSE(panel->isVisible());
    for (cUpgradeButton* button : panel->getButtons())
        EXPECT_EQ(button->getUnit(), nullptr);
}

TEST_F(MapUpgradeTest, BuyingAnOfferThroughThePanelDropsTheBuildingIn) {
    start();
    openFromMenu();
    map->getModel()->addResourcePoints(1, 100000);
    cUpgradeButtonsPanel* panel = map->getUpgradePanel();
    panel->updateButtons(true);
    ui.step();
    cUpgradeButton* offer = firstAffordable();
    ASSERT_NE(offer, nullptr);
    cMeadowUnit* unit = offer->getUnit();
    const int32_t level = unit->getLevel();
    const int32_t money = map->getModel()->getResourcePoints(1);
    const int32_t price = offer->getUpgrade()->price;
    cUnitView* view = map->getUnitView(unit);
    cUpgradeVariant* before = view->getCurrentVariant();

    // Hovering shows the next look as a ghost and hides the building's own.
    ui.moveTo(offer->getPosition().x, offer->getPosition().y);
    ui.step();
    ASSERT_NE(offer->getPreview(), nullptr);
    ASSERT_EQ(offer->getPreview()->getVariantCount(), 3);
    EXPECT_EQ(offer->getPreviewUnit()->getLevel(), level + 1);
    EXPECT_EQ(unit->getLevel(), level) << "a preview raises its copy only";
    if (before) {
        EXPECT_FALSE(before->isVisible());
    }

    // Three looks spread out; the second is asked about and bought.
    click(offer->getPosition());
    ui.run(1.5f);
    const std::vector<cUpgradeButton*>& looks = panel->getVariantButtons();
    ASSERT_TRUE(looks[1]->isVisible());
    ASSERT_TRUE(looks[1]->isEnabled());
    click(looks[1]->getPosition());
    ASSERT_TRUE(panel->getConfirmDlg()->isVisible());
    EXPECT_EQ(panel->getConfirmDlg()->getVariantIndex(), 1);
    EXPECT_FALSE(map->getNextLevelButton()->isEnabled()) << "the question locks the map";
    ui.run(1.0f);
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();

    EXPECT_EQ(unit->getLevel(), level + 1);
    EXPECT_EQ(unit->getVariant(), 1);
    EXPECT_EQ(map->getModel()->getResourcePoints(1), money - price);
    EXPECT_TRUE(view->isDropping());
    EXPECT_TRUE(map->isUnitUpgrading());
    cUpgradeVariant* dropping = view->getCurrentVariant();
    ASSERT_NE(dropping, nullptr);
    EXPECT_NE(dropping, before);

    ASSERT_TRUE(stepUntil([&] { return !view->isDropping(); }));
    EXPECT_FALSE(map->isUnitUpgrading());
    EXPECT_EQ(view->getCurrentVariant(), dropping);
    EXPECT_TRUE(dropping->isVisible());
    EXPECT_EQ(map->getMoneyText()->getText(), Engine::narrowToWide(std::to_string(money - price)));
    ui.run(1.5f);
    // The row came back with the bought level ticked and the map unlocked.
    EXPECT_EQ(panel->getSelectedButton(), nullptr);
    EXPECT_TRUE(map->getNextLevelButton()->isEnabled());
    EXPECT_TRUE(map->getMainMenuButton()->isEnabled());
}

} // namespace
