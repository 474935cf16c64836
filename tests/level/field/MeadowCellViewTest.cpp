// Cell views: looks per type and variant, lock overlays, trigger and editor icons, the depth of
// a broken wood cell, the arrivals, the crush effect and the editor's presses and sweeps.

#include "tests/level/LevelFixture.h"

#include "engine/core/Random.h"
#include "engine/gui/Label.h"
#include "engine/gui/ProgressBar.h"
#include "engine/gui/PyroEffect.h"
#include "game/level/field/CellPart.h"
#include "game/model/CellModel.h"

#include <cmath>
#include <set>

using namespace Engine;
using TestLevel::BoardTest;

class MeadowCellViewTest : public BoardTest {};

TEST_F(MeadowCellViewTest, LookIdsDrawAVariantOfTheCellTypeFromTheSeededGenerator) {
    cMeadowCellView::s_simpleTypes = 2;
    cMeadowCellView::s_woodTypes = 3;
    cMeadowCellView::s_ironTypes = 0;
    randomSeed(11);
    std::set<std::string> wood, simple;
    for (int i = 0; i < 100; ++i) {
        wood.insert(cMeadowCellView::getCellVisualStateId(2));
        simple.insert(cMeadowCellView::getCellVisualStateId(1));
    }
    EXPECT_EQ((std::set<std::string>{"wood0", "wood1", "wood2"}), wood);
    EXPECT_EQ((std::set<std::string>{"simple0", "simple1"}), simple);
    EXPECT_EQ("iron0", cMeadowCellView::getCellVisualStateId(3));
    EXPECT_EQ("cell0", cMeadowCellView::getCellVisualStateId(0));
    EXPECT_THROW(cMeadowCellView::getCellVisualStateId(4), std::string);
    EXPECT_THROW(cMeadowCellView::getCellVisualStateId(-1), std::string);
    // The same sequence again gives the same variants.
    randomSeed(11);
    const std::string first = cMeadowCellView::getCellVisualStateId(2);
    randomSeed(11);
    EXPECT_EQ(first, cMeadowCellView::getCellVisualStateId(2));
}

TEST_F(MeadowCellViewTest, CellsTakeTheirTypeLookLockOverlayAndRenderType) {
    build({"1_2_3", "17_33_1"});
    auto pictureOf = [this](const char* id) { return states.getVisualState(id).getPicture(); };
    const std::set<cTexture*> simple{pictureOf("simple0"), pictureOf("simple1")};
    EXPECT_TRUE(simple.count(cell(0, 0)->getPicture()));
    EXPECT_TRUE(cell(0, 1)->getPicture() == pictureOf("wood0") || cell(0, 1)->getPicture() == pictureOf("wood1"));
    EXPECT_EQ(pictureOf("iron0"), cell(0, 2)->getPicture());
    EXPECT_EQ(0u, cell(0, 0)->getRenderType());
    EXPECT_EQ(4u, cell(0, 1)->getRenderType());
    EXPECT_EQ(4u, cell(0, 2)->getRenderType());
    EXPECT_FALSE(cell(0, 0)->getLocksPicture()->isVisible());
    EXPECT_TRUE(cell(1, 0)->getLocksPicture()->isVisible());
    EXPECT_EQ(pictureOf("cell_locks1"), cell(1, 0)->getLocksPicture()->getPicture());
    EXPECT_EQ(pictureOf("cell_locks2"), cell(1, 1)->getLocksPicture()->getPicture());
    // A lock taken off hides the overlay at the next refresh.
    model->getCell(1, 0)->setLocks(0);
    cell(1, 0)->updateFromModel();
    EXPECT_FALSE(cell(1, 0)->getLocksPicture()->isVisible());
}

TEST_F(MeadowCellViewTest, AWoodCellBrokenToSimpleMovesDownOnce) {
    build({"2_1"});
    const float depth = cell(0, 0)->getDepth();
    model->getCell(0, 0)->setType(1);
    cell(0, 0)->updateFromModel();
    EXPECT_FLOAT_EQ(depth - 0.5f, cell(0, 0)->getDepth());
    cell(0, 0)->updateFromModel();
    EXPECT_FLOAT_EQ(depth - 0.5f, cell(0, 0)->getDepth());
    EXPECT_EQ(0u, cell(0, 0)->getRenderType());
}

TEST_F(MeadowCellViewTest, TriggerCellsShowAStillTriggerIconOnItsBase) {
    build({"65537_1"});
    cMeadowCellView* trigger = cell(0, 0);
    ASSERT_NE(nullptr, trigger->getTriggerIcon());
    ASSERT_NE(nullptr, trigger->getTriggerBaseIcon());
    EXPECT_TRUE(trigger->getTriggerIcon()->isVisible());
    EXPECT_FALSE(trigger->getTriggerIcon()->isEnabled());
    EXPECT_EQ(trigger->getPosition(), trigger->getTriggerIcon()->getPosition());
    EXPECT_EQ(nullptr, cell(0, 1)->getTriggerIcon());
    trigger->enableTriggerIcon();
    EXPECT_TRUE(trigger->getTriggerIcon()->isEnabled());
    model->getCell(0, 0)->setTriggerNumber(0);
    trigger->updateFromModel();
    EXPECT_EQ(nullptr, trigger->getTriggerIcon());
    EXPECT_EQ(nullptr, trigger->getTriggerBaseIcon());
}

TEST_F(MeadowCellViewTest, VehicleAndGoldIconsShowOnlyInTheEditor) {
    // 0x101 and 0x201: simple cells with the vehicle and the gold-prize flag.
    build({"257_513"});
    EXPECT_EQ(nullptr, cell(0, 0)->getVehicleIcon());
    EXPECT_EQ(nullptr, cell(0, 1)->getGoldIcon());
    field.reset();
    board.reset();
    build({"257_513_0"}, true);
    ASSERT_NE(nullptr, cell(0, 0)->getVehicleIcon());
    EXPECT_TRUE(cell(0, 0)->getVehicleIcon()->isVisible());
    ASSERT_NE(nullptr, cell(0, 1)->getGoldIcon());
    // The editor shows a hole with its type's look.
    EXPECT_EQ(states.getVisualState("cell0").getPicture(), cell(0, 2)->getPicture());
}

TEST_F(MeadowCellViewTest, ArrivalsGrowTheCellAndFillTheBorders) {
    build({"1"});
    cMeadowCellView* view = cell(0, 0);
    view->startArrive(1.0f);
    EXPECT_TRUE(model->getCell(0, 0)->isFrozen());
    EXPECT_FALSE(view->stepArrive(0.25f));
    EXPECT_FLOAT_EQ(15, view->getSize().x);
    EXPECT_FLOAT_EQ(0.25f, view->getAlpha());
    EXPECT_TRUE(view->stepArrive(0.75f));
    EXPECT_EQ(cVector2(60, 60), view->getSize());
    EXPECT_FALSE(model->getCell(0, 0)->isFrozen());

    view->startBorderArrive(0.5f);
    EXPECT_FALSE(view->stepBorderArrive(0.25f));
    EXPECT_FLOAT_EQ(0.5f, view->getBorderValue(0));
    EXPECT_FALSE(view->stepBorderArrive(0.25f)); // borders full; the scale-in starts
    EXPECT_FLOAT_EQ(100, view->getBorderValue(0));
    EXPECT_TRUE(view->stepBorderArrive(0.5f));
    EXPECT_EQ(cVector2(60, 60), view->getSize());
}

TEST_F(MeadowCellViewTest, BorderValuesReachOnlyTheShownEnabledPieces) {
    build({"1_1"});
    cMeadowCellView* left = cell(0, 0);
    ASSERT_FALSE(left->getBorder(2)->isVisible()); // the right neighbour is there
    left->getBorder(4)->disable();
    left->setBordersValue(40);
    EXPECT_FLOAT_EQ(40, left->getBorder(0)->getCurrentValue());
    EXPECT_FLOAT_EQ(0, left->getBorder(2)->getCurrentValue());
    EXPECT_FLOAT_EQ(0, left->getBorder(4)->getCurrentValue());
}

TEST_F(MeadowCellViewTest, ACrushPlaysACopyOfTheBoardsEffectAtTheCell) {
    build({"1_1"});
    cMeadowCellView* view = cell(0, 1);
    view->startCrushAnimation(2);
    cPyroEffect* effect = nullptr;
    for (cWidget* child : view->getChildren())
        if (child->getKind() == WIDGET_KIND_PYRO)
            effect = static_cast<cPyroEffect*>(child);
    ASSERT_NE(nullptr, effect);
    EXPECT_EQ(view->getPosition(), effect->getPosition());
    EXPECT_TRUE(effect->isVisible());
    EXPECT_TRUE(effect->isPlaying());
    EXPECT_THROW(view->startCrushAnimation(4), std::string);
}

TEST_F(MeadowCellViewTest, ABrokenWoodOrIronCellThrowsFourPartsFromItsQuartersAndASimpleOneNone) {
    build({"2_3_1"});
    // Part i of the prototype's 20 x 12 starts a quarter of that size off the cell's centre.
    const cVector2 offsets[4] = {cVector2(-5, -3), cVector2(5, -3), cVector2(5, 3), cVector2(-5, 3)};
    for (const char* kind : {"wood_part_", "iron_part_"}) {
        SCOPED_TRACE(kind);
        cMeadowCellView* view = cell(0, kind[0] == 'w' ? 0 : 1);
        EXPECT_FALSE(view->getPartProto()->isVisible());
        view->spawnParts(false);
        const std::vector<cCellPart*> parts = thrownParts(view);
        ASSERT_EQ(4u, parts.size());
        std::set<int> seen;
        for (cCellPart* part : parts) {
            int index = 0;
            while (index < 4 && states.getVisualState(kind + std::to_string(index)).getPicture() != part->getPicture())
                ++index;
            ASSERT_LT(index, 4);
            seen.insert(index);
            EXPECT_EQ(view->getPosition() + offsets[index], part->getPosition());
            EXPECT_FLOAT_EQ(view->getDepth() + 1.0f, part->getDepth());
            EXPECT_TRUE(part->isVisible());
            EXPECT_FALSE(part->isDelayed());
            // Each flies away from the centre through its own quarter.
            EXPECT_GT(part->getVelocity().dot(offsets[index]), 0.0f);
            EXPECT_FLOAT_EQ(100.0f, part->getVelocity().length());
        }
        EXPECT_EQ(4u, seen.size());
    }
    // The flag reaches each part's launch (the four thrown before are not delayed).
    cell(0, 0)->spawnParts(true);
    size_t delayed = 0;
    for (cCellPart* part : thrownParts(cell(0, 0)))
        delayed += part->isDelayed() ? 1 : 0;
    EXPECT_EQ(4u, delayed);
    // A simple cell does not break and leaves no stray part behind.
    EXPECT_THROW(cell(0, 2)->spawnParts(false), std::string);
    EXPECT_TRUE(thrownParts(cell(0, 2)).empty());
    // The parts go with their life time; the prototype stays.
    ui.run(1.0f);
    EXPECT_TRUE(thrownParts(cell(0, 0)).empty());
    EXPECT_TRUE(thrownParts(cell(0, 1)).empty());
    EXPECT_NE(nullptr, cell(0, 0)->getPartProto());
}

TEST_F(MeadowCellViewTest, EditorPressesAndSweepsClickTheCellsUnderTheCursor) {
    build({"1_1_1"}, true, true);
    controller->setMode(cMeadowController::EDIT_CELLS_MODE);
    controller->setEditCellType(2);
    for (int column = 0; column < 3; ++column)
        cell(0, column)->attachEditorInput();
    // A left press clicks only the cell under the cursor.
    ui.moveTo(cell(0, 0)->getPosition().x, cell(0, 0)->getPosition().y);
    ui.step();
    ui.press(0);
    ui.step();
    EXPECT_EQ(2, model->getCell(0, 0)->getType());
    EXPECT_EQ(1, model->getCell(0, 1)->getType());
    ui.release(0);
    ui.step();
    // A right press sets the right-button flag first, so the controller clears the cell; holding
    // it and sweeping onto the next cell clicks that one too.
    ui.moveTo(cell(0, 1)->getPosition().x, cell(0, 1)->getPosition().y);
    ui.step();
    ui.press(1);
    ui.step();
    EXPECT_TRUE(controller->isRightButtonDown());
    EXPECT_EQ(0, model->getCell(0, 1)->getType());
    ui.moveTo(cell(0, 2)->getPosition().x, cell(0, 2)->getPosition().y);
    ui.step();
    EXPECT_EQ(0, model->getCell(0, 2)->getType());
    // Detached, a cell takes no more presses.
    controller->setRightButtonDown(false);
    cell(0, 0)->detachEditorInput();
    ui.moveTo(cell(0, 0)->getPosition().x, cell(0, 0)->getPosition().y);
    ui.step();
    ui.press(0);
    ui.step();
    EXPECT_EQ(2, model->getCell(0, 0)->getType());
    EXPECT_FALSE(cell(0, 0)->isEditorInputAttached());
}

TEST_F(MeadowCellViewTest, ShakesSwingAroundHomeAndTheRandomOneCanFadeTheCellAway) {
    writeFiles(TestLevel::meadowViewXml(),
               TestLevel::fieldViewXml("shake_amp=\"4\" shake_period=\"1\" shake_time=\"0.5\" "
                                       "random_shake_time=\"0.5\""));
    build({"1_1"});
    cMeadowCellView* view = cell(0, 0);
    const cVector2 home = view->getPosition();
    // Along 90 degrees after a delay of one frame: the swing is vertical.
    view->startCellShake(90, 0.125f);
    ui.step(0.125f);
    EXPECT_EQ(home, view->getPosition());
    ui.step(0.125f);
    EXPECT_NEAR(home.x, view->getPosition().x, 1e-3f);
    EXPECT_NEAR(4 * std::sin(float(M_PI) / 4), std::fabs(view->getPosition().y - home.y), 1e-3f);
    ui.step(0.25f);
    ui.step(0.25f); // past the shake time
    EXPECT_EQ(home, view->getPosition());

    view->startRandomShake(true);
    ui.step(0.25f);
    EXPECT_FLOAT_EQ(0.5f, view->getAlpha());
    EXPECT_FLOAT_EQ(0.5f, view->getBorderValue(0));
    EXPECT_TRUE(view->isVisible());
    ui.step(0.375f);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(home, view->getPosition());
}

TEST_F(MeadowCellViewTest, AMatchedCellStaysFrozenForTheAfterMatchDelay) {
    writeFiles(TestLevel::meadowViewXml(), TestLevel::fieldViewXml("after_match_delay=\"0.25\""));
    build({"1"});
    cell(0, 0)->freezeForDelay();
    EXPECT_TRUE(model->getCell(0, 0)->isFrozen());
    ui.step(0.125f);
    EXPECT_TRUE(model->getCell(0, 0)->isFrozen());
    ui.step(0.125f);
    EXPECT_FALSE(model->getCell(0, 0)->isFrozen());
}

TEST_F(MeadowCellViewTest, AnEffectsRenderTypeHoldsUntilItIsSwitchedOff) {
    build({"2_65537"});
    cMeadowCellView* wood = cell(0, 0);
    wood->setEffectRenderType(true, 7);
    wood->updateFromModel();
    EXPECT_EQ(7u, wood->getRenderType());
    wood->setEffectRenderType(false, 0);
    EXPECT_EQ(4u, wood->getRenderType());
    // Clearing the icons hides the locks and drops the trigger icons.
    cMeadowCellView* trigger = cell(0, 1);
    ASSERT_NE(nullptr, trigger->getTriggerIcon());
    trigger->clearIcons();
    EXPECT_EQ(nullptr, trigger->getTriggerIcon());
    EXPECT_EQ(nullptr, trigger->getTriggerBaseIcon());
    EXPECT_FALSE(trigger->getLocksPicture()->isVisible());
    try {
        wood->setModelObject(nullptr);
        FAIL() << "accepted";
    } catch (const std::string& error) {
        EXPECT_EQ("cMeadowCellView::setModelObject(): model object is null", error);
    }
}
