// The map's tool-tips on the shipped map: hovering a building shows its game-object tip with
// the name of the building's upgrade and the piece it brings onto the board, beside the building
// and above the map; a building that brings no piece shows no produce line; an upgrade offer's
// tip names its upgrade, with the lug pointing at the offer.

#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "game/development/DevelopmentView.h"
#include "game/development/GameObjectTip.h"
#include "game/development/LugTip.h"
#include "game/development/UnitView.h"
#include "game/development/UpgradeButton.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/development/UpgradeVariant.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/UnitUpgrade.h"
#include "game/model/UnitsFeature.h"
#include "game/shell/TipManager.h"
#include "tests/development/DevelopmentFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using Engine::cVector2;

namespace {

class MapTipsTest : public TestMap::DevelopmentFixture {
protected:
    void TearDown() override {
        DevelopmentFixture::TearDown();
        manager.reset();
    }
    // The map made after the tool-tip manager, as the game makes them, opened from the menu.
    void openMap() {
        start();
        manager = std::make_unique<cTipManager>();
        map.reset();
        // Its dialogs go at the frame's deletion flush.
        ui.step();
        map = std::make_unique<cDevelopmentView>(nullptr, false);
        map->setMainMenu(&menu);
        openFromMenu();
    }
    cGameObjectTip* tipOf(cMeadowUnit* unit) {
        cUpgradeVariant* variant = map->getUnitView(unit)->getCurrentVariant();
        return variant ? dynamic_cast<cGameObjectTip*>(variant->getTip()) : nullptr;
    }
    // The cursor rests on the building until its tip has faded in.
    void hover(cMeadowUnit* unit) {
        const cVector2 at = map->getUnitView(unit)->getCurrentVariant()->getPosition();
        ui.moveTo(at.x, at.y);
        ui.run(1.5f);
    }

    // The cursor leaves every offer, then rests on this one: the frames until its tip is fully
    // in, or -1 when it never is.
    int framesToShow(cUpgradeButton* offer) {
        ui.moveTo(1000, 400);
        ui.run(0.5f);
        const cVector2 at = offer->getPosition();
        ui.moveTo(at.x, at.y);
        for (int frame = 1; frame <= 200; ++frame) {
            ui.step();
            if (offer->getTip()->isVisible() && offer->getTip()->getAlpha() >= 1.0f)
                return frame;
        }
        return -1;
    }
    void setMoney(int32_t money) {
        cMeadowModel* model = map->getModel();
        model->addResourcePoints(1, money - model->getResourcePoints(1));
        map->getUpgradePanel()->updateButtons(true);
    }

    std::unique_ptr<cTipManager> manager;
};

} // namespace

TEST_F(MapTipsTest, HoveringABuildingShowsItsUpgradesNameAndThePieceItBringsBesideIt) {
    openMap();
    cUnitsFeature* units = map->getModel()->getUnitsFeature();
    cMeadowUnit* henHouse = units->getUnit(0);
    henHouse->setLevelAndVariant(2, 1);
    ASSERT_NE(henHouse->getObjectType(), -1);
    cGameObjectTip* tip = tipOf(henHouse);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->getUnit(), henHouse);
    EXPECT_TRUE(manager->hasClient(map->getUnitView(henHouse)->getCurrentVariant()));

    hover(henHouse);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_FLOAT_EQ(tip->getAlpha(), 1.0f);
    EXPECT_EQ(tip->getCaptionText()->getText(), henHouse->getName());
    EXPECT_TRUE(tip->getProduceText()->isVisible());
    EXPECT_TRUE(tip->getProduceIcon()->isVisible());
    EXPECT_NE(tip->getProduceIcon()->getPicture(), nullptr);
    EXPECT_NE(tip->getPicture(), nullptr);
    // Beside the building, whole on the screen, above the map's buildings and interface.
    const cVector2 at = tip->getPosition(), size = tip->getSize();
    const cVector2 building = map->getUnitView(henHouse)->getCurrentVariant()->getPosition();
    EXPECT_NE(at, building);
    EXPECT_GE(at.x - size.x / 2, 0);
    EXPECT_LE(at.x + size.x / 2, 1024);
    EXPECT_GE(at.y - size.y / 2, 0);
    EXPECT_LE(at.y + size.y / 2, 768);
    EXPECT_GT(tip->getDepth(), map->getNextLevelButton()->getDepth());

    // Off the building the tip goes.
    ui.moveTo(1000, 400);
    ui.run(1.0f);
    EXPECT_FALSE(tip->isVisible());
}

TEST_F(MapTipsTest, ABuildingThatBringsNoPieceShowsNoProduceLine) {
    openMap();
    cUnitsFeature* units = map->getModel()->getUnitsFeature();
    cMeadowUnit* quiet = nullptr;
    for (int32_t index = 0; index < units->getUnitCount() && !quiet; ++index) {
        cMeadowUnit* unit = units->getUnit(index);
        if (unit->getUpgradeCount() > 1) {
            unit->setLevelAndVariant(1, 0);
            if (unit->getObjectType() == -1)
                quiet = unit;
        }
    }
    ASSERT_NE(quiet, nullptr);
    cGameObjectTip* tip = tipOf(quiet);
    ASSERT_NE(tip, nullptr);
    hover(quiet);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->getCaptionText()->getText(), quiet->getName());
    EXPECT_FALSE(tip->getProduceText()->isVisible());
    EXPECT_FALSE(tip->getProduceIcon()->isVisible());
}

TEST_F(MapTipsTest, AnOfferThePlayerCannotBuyShowsItsTipAsSoonAsAnAffordableOne) {
    openMap();
    setMoney(0);
    cUpgradeButton* tooDear = nullptr;
    cUpgradeButton* locked = nullptr;
    for (cUpgradeButton* button : map->getUpgradePanel()->getButtons()) {
        const cUnitUpgrade* upgrade = button->getUpgrade();
        if (!button->isVisible() || !upgrade || !button->getUnit())
            continue;
        if (button->getLockIcon()->isVisible()) {
            if (!locked)
                locked = button;
        } else if (!tooDear && upgrade->level == button->getUnit()->getLevel() + 1 && upgrade->price > 0) {
            tooDear = button;
        }
    }
    ASSERT_NE(tooDear, nullptr);
    ASSERT_NE(locked, nullptr);
    EXPECT_FALSE(tooDear->isEnabled());
    EXPECT_FALSE(locked->isEnabled());

    // The disabled offers' tips wait and fade in, naming their upgrade and its level.
    for (cUpgradeButton* offer : {tooDear, locked}) {
        auto* tip = dynamic_cast<cLugTip*>(offer->getTip());
        ASSERT_NE(tip, nullptr);
        EXPECT_GT(framesToShow(offer), 0);
        ASSERT_TRUE(tip->isVisible());
        const cUnitUpgrade& upgrade = offer->getUnit()->getUpgrade(offer->getUpgrade()->level);
        EXPECT_EQ(tip->getCaptionText()->getText(), upgrade.name);
        EXPECT_EQ(tip->getProduceText()->getText(), L"Level " + std::to_wstring(upgrade.level));
        EXPECT_EQ(tip->getBonusText()->getText(), upgrade.description);
        EXPECT_EQ(tip->getLug()->getPosition().x, offer->getPosition().x);
    }
    const int disabledFrames = framesToShow(tooDear);

    // Once affordable, the same offer's tip takes as long: one step a frame either way.
    setMoney(100000);
    ASSERT_TRUE(tooDear->isEnabled());
    EXPECT_EQ(framesToShow(tooDear), disabledFrames);
    EXPECT_TRUE(tooDear->getTip()->isVisible());

    ui.moveTo(1000, 400);
    ui.run(1.0f);
    EXPECT_FALSE(tooDear->getTip()->isVisible());
}

TEST_F(MapTipsTest, HoveringAnOfferShowsItsUpgradeWithTheLugPointingAtIt) {
    openMap();
    // An offer the player can afford.
    map->getModel()->addResourcePoints(1, 100000);
    map->getUpgradePanel()->updateButtons(true);
    cUpgradeButton* offer = nullptr;
    for (cUpgradeButton* button : map->getUpgradePanel()->getButtons())
        if (button->isVisible() && button->isEnabled() && !offer && button->getPosition().x < 300)
            offer = button;
    ASSERT_NE(offer, nullptr);
    auto* tip = dynamic_cast<cLugTip*>(offer->getTip());
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(manager->hasClient(offer));

    const cVector2 at = offer->getPosition();
    ui.moveTo(at.x, at.y);
    ui.run(1.5f);
    ASSERT_TRUE(tip->isVisible());
    EXPECT_FLOAT_EQ(tip->getAlpha(), 1.0f);
    cMeadowUnit* unit = tip->getUnit();
    ASSERT_NE(unit, nullptr);
    const cUnitUpgrade& upgrade = unit->getUpgrade(offer->getUpgrade()->level);
    EXPECT_EQ(tip->getCaptionText()->getText(), upgrade.name);
    EXPECT_EQ(tip->getProduceText()->getText(), L"Level " + std::to_wstring(upgrade.level));
    EXPECT_EQ(tip->getBonusText()->getText(), upgrade.description);
    // The lug points down at the offer from above it; the body slid left to keep it under itself
    // and stays whole on the screen, above the panel.
    EXPECT_EQ(tip->getLug()->getPosition().x, at.x);
    EXPECT_LT(tip->getLug()->getPosition().y, at.y - offer->getSize().y / 2);
    const cVector2 body = tip->getPosition(), size = tip->getSize();
    EXPECT_LT(body.x, tip->getTipPosition().x);
    EXPECT_LE(std::fabs(body.x - at.x), size.x / 2 - tip->getLugOffset());
    EXPECT_GE(body.x - size.x / 2, 0);
    EXPECT_LT(body.y + size.y / 2, tip->getLug()->getPosition().y + 1);
    EXPECT_NE(tip->getLug()->getPicture(), nullptr);
}
