#include "game/model/CellView.h"
#include "tests/model/ControllerFixture.h"
#include "tests/model/fakes/FakeCellView.h"

using TestController::ControllerTest;
using TestFakes::FakeCellView;
using TestModel::thrownText;

namespace {

// Level 2 in the editor: (0,1) is locked and holds level index 2, (1,2) has no type.
class MeadowControllerEditor : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        m_controller->setEditor(true);
        m_model->setEditorMode(true);
        startLevel(2);
    }
    void cellClick(int row, int column) {
        FakeCellView cell(row, column);
        m_controller->cellClicked(&cell);
    }
    void setMode(int32_t mode) { m_controller->setMode(mode); }
    size_t freePieces() const { return m_model->getObjectPool()->getFreeCount(); }
};

TEST_F(MeadowControllerEditor, CellsModePaintsTypesAndAwaitedTriggers) {
    setMode(cMeadowController::EDIT_CELLS_MODE);
    m_controller->setEditorCellType(3);
    m_controller->setPaintedTrigger(5);
    cellClick(1, 0);
    EXPECT_EQ(m_model->getCell(1, 0)->getType(), 3);
    EXPECT_EQ(m_model->getCell(1, 0)->getAwaitedTrigger(), 5);
    cellClick(1, 0);
    EXPECT_EQ(m_model->getCell(1, 0)->getType(), 1);
    EXPECT_EQ(m_view->count("refresh()"), 2);

    // The right button paints type 0; on a cell of type 0 it gives type 1.
    m_controller->setRightButtonHeld(true);
    cellClick(1, 2);
    EXPECT_EQ(m_model->getCell(1, 2)->getType(), 1);
    EXPECT_EQ(m_model->getCell(1, 2)->getAwaitedTrigger(), 0);

    // Painting type 0 over the locked piece takes piece and locks away.
    TestFakes::FakePieceView* view = m_view->viewAt(0, 1);
    const size_t free = freePieces();
    cellClick(0, 1);
    EXPECT_EQ(m_model->getCell(0, 1)->getType(), 0);
    EXPECT_EQ(m_model->getCell(0, 1)->getLocks(), 0);
    EXPECT_EQ(m_model->getObject(0, 1), nullptr);
    EXPECT_EQ(freePieces(), free + 1);
    EXPECT_EQ(view->count("detachInput()"), 1);
    EXPECT_EQ(view->count("setVisible(false)"), 1);

    // Nothing that would wait to be cleared stays on a cell without type.
    cCellModel* cell = m_model->getCell(2, 0);
    cell->setTriggerNumber(m_model->getNextTriggerNumber());
    m_model->useTriggerNumber(cell->getTriggerNumber());
    cell->setGoldPrizeFlag(true);
    cellClick(2, 0);
    EXPECT_EQ(cell->getType(), 0);
    EXPECT_EQ(cell->getTriggerNumber(), 0);
    EXPECT_FALSE(cell->getGoldPrizeFlag());
    EXPECT_FALSE(cell->isComplex());
    EXPECT_EQ(m_model->getNextTriggerNumber(), 1);
}

TEST_F(MeadowControllerEditor, LocksModeKeepsOnePiecePerCell) {
    setMode(cMeadowController::EDIT_CELL_LOCKS_MODE);
    cMeadowObjectModel* piece = m_model->getObject(0, 1);
    const size_t free = freePieces();
    m_controller->setEditorLockCount(2);
    cellClick(0, 1);
    EXPECT_EQ(m_model->getCell(0, 1)->getLocks(), 2);
    EXPECT_EQ(m_model->getObject(0, 1), piece);
    EXPECT_EQ(piece->getType(), 2);
    EXPECT_EQ(freePieces(), free);

    // A fresh lock gets a piece of level index 1.
    m_controller->setEditorLockCount(1);
    cellClick(2, 2);
    ASSERT_NE(m_model->getObject(2, 2), nullptr);
    EXPECT_EQ(m_model->getObject(2, 2)->getType(), 1);
    EXPECT_EQ(m_model->getCell(2, 2)->getLocks(), 1);

    // The same count only refreshes; count 0 takes the piece away.
    m_view->clear();
    cellClick(2, 2);
    EXPECT_EQ(m_view->calls(), std::vector<std::string>{"refresh()"});
    m_controller->setEditorLockCount(0);
    cellClick(2, 2);
    EXPECT_EQ(m_model->getObject(2, 2), nullptr);
    EXPECT_EQ(m_model->getCell(2, 2)->getLocks(), 0);

    // Nothing at all on a cell without type; a negative count is an error.
    m_view->clear();
    cellClick(1, 2);
    EXPECT_TRUE(m_view->calls().empty());
    m_controller->setEditorLockCount(-1);
    EXPECT_EQ(thrownText([&] { cellClick(0, 1); }), "cMeadowController::cellClicked(): wrong number of cell locks: -1");
}

TEST_F(MeadowControllerEditor, LockedObjectsModeSetsTheIndexOnLockedCellsOnly) {
    setMode(cMeadowController::EDIT_LOCKED_OBJECTS_MODE);
    m_controller->setEditorObjectIndex(3);
    cellClick(0, 1);
    EXPECT_EQ(m_model->getObject(0, 1)->getType(), 3);
    cellClick(0, 0);
    EXPECT_EQ(m_model->getObject(0, 0), nullptr);
    // Only a level index 1 to 5 can be stored.
    m_controller->setEditorObjectIndex(-1);
    cellClick(0, 1);
    EXPECT_EQ(m_model->getObject(0, 1)->getType(), 3);
    m_controller->setEditorObjectIndex(0);
    cellClick(0, 1);
    EXPECT_EQ(m_model->getObject(0, 1), nullptr);
}

TEST_F(MeadowControllerEditor, PrizeAndTriggerModesToggle) {
    setMode(cMeadowController::EDIT_CELL_VEHICLES_MODE);
    cellClick(1, 0);
    EXPECT_TRUE(m_model->getCell(1, 0)->getVehicleFlag());
    setMode(cMeadowController::EDIT_CELL_GOLD_PRIZE_MODE);
    cellClick(1, 0);
    EXPECT_TRUE(m_model->getCell(1, 0)->getGoldPrizeFlag());
    EXPECT_FALSE(m_model->getCell(1, 0)->getVehicleFlag());
    cellClick(1, 2);
    EXPECT_FALSE(m_model->getCell(1, 2)->getGoldPrizeFlag());

    setMode(cMeadowController::EDIT_CELL_TRIGGERS_MODE);
    cellClick(1, 0);
    cellClick(2, 0);
    EXPECT_EQ(m_model->getCell(1, 0)->getTriggerNumber(), 1);
    EXPECT_EQ(m_model->getCell(2, 0)->getTriggerNumber(), 2);
    cellClick(1, 0);
    EXPECT_EQ(m_model->getCell(1, 0)->getTriggerNumber(), 0);
    EXPECT_EQ(m_model->getNextTriggerNumber(), 1);

    // What the editor made is what the level record gets.
    m_model->updateLevelInfo(2);
    EXPECT_EQ(m_model->getLevels()[2].cellTexts[1], L"513_1_0");
    EXPECT_EQ(m_model->getLevels()[2].cellTexts[2], L"131073_1_1");
}

TEST_F(MeadowControllerEditor, UnknownModeIsAnErrorAndLockedInputDoesNothing) {
    setMode(8);
    EXPECT_EQ(thrownText([&] { cellClick(0, 0); }), "cMeadowController::cellClicked(): unknown controller mode: 8");
    setMode(cMeadowController::EDIT_CELLS_MODE);
    m_controller->setInputLocked(true);
    m_view->clear();
    cellClick(0, 0);
    EXPECT_EQ(m_model->getCell(0, 0)->getType(), 1);
    EXPECT_TRUE(m_view->calls().empty());
    m_controller->setInputLocked(false);
    setMode(cMeadowController::PLAY_MODE);
    cellClick(0, 0);
    EXPECT_EQ(m_view->count("refresh()"), 1);
}

TEST_F(MeadowControllerEditor, ModesThatNeedACellNameTheirCase) {
    const std::pair<int32_t, const char*> cases[] = {
        {cMeadowController::EDIT_CELLS_MODE, "EDIT_CELLS_MODE"},
        {cMeadowController::EDIT_CELL_VEHICLES_MODE, "EDIT_CELL_VEHICLES_MODE"},
        {cMeadowController::EDIT_CELL_GOLD_PRIZE_MODE, "EDIT_CELL_GOLD_PRIZE_MODE"},
        {cMeadowController::EDIT_CELL_TRIGGERS_MODE, "EDIT_CELL_TRIGGERS_MODE"},
    };
    for (const auto& k : cases) {
        setMode(k.first);
        EXPECT_EQ(thrownText([&] { cellClick(5, 5); }),
                  std::string("cMeadowController::cellClicked(): case ") + k.second + ": cell is 0");
    }
}

TEST_F(MeadowControllerEditor, VehiclesAndSlots) {
    m_controller->addVehicle();
    cVehiclesFeature* vehicles = m_model->getVehiclesFeature();
    ASSERT_EQ(vehicles->getVehicles().size(), 1u);
    cVehicleModel* vehicle = vehicles->getVehicles()[0].get();
    m_controller->addVehicleSlot(vehicle, 4);
    EXPECT_EQ(vehicle->getSlotCount(), 0);
    m_controller->setEditorSlotObject(2);
    m_controller->addVehicleSlot(vehicle, 4);
    ASSERT_EQ(vehicle->getSlotCount(), 1);
    EXPECT_EQ(vehicle->getSlots()[0].objectIndex, 2);
    EXPECT_EQ(vehicle->getSlots()[0].objectType, m_model->getLevelTypes()[1]);
    m_controller->removeVehicle(vehicle);
    EXPECT_FALSE(vehicles->hasVehicles());
    EXPECT_EQ(m_view->count("updateVehicles()"), 3);
}

TEST_F(MeadowControllerEditor, ContinueTurnInTheEditorOnlyClearsTheSelection) {
    m_model->setSelected(m_model->getObject(0, 1));
    m_controller->continueTurn();
    EXPECT_EQ(m_model->getSelected(), nullptr);
    EXPECT_EQ(m_sounds.count("playSingle(object_fall)"), 0);
}

// Level 0 in play, with the bear charged.
class MeadowControllerBonus : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        startLevel(0);
        m_model->getBonus(31)->points = 60;
    }
};

TEST_F(MeadowControllerBonus, EffectsAreMadeByTheBoardScreenForKnownTypes) {
    for (int32_t type : {11, 12, 31, 32, 41, 71}) {
        m_view->clear();
        ASSERT_NE(m_controller->createBonusEffect(type), nullptr);
        EXPECT_EQ(m_view->count("createBonusEffect(" + std::to_string(type) + ")"), 1);
        m_controller->releaseBonusEffect(true);
        EXPECT_EQ(m_view->count("deleteBonusEffect(" + std::to_string(type) + ")"), 1);
        EXPECT_EQ(m_controller->getBonusEffect(), nullptr);
    }
    m_controller->createBonusEffect(31);
    m_controller->releaseBonusEffect(false);
    EXPECT_EQ(m_view->count("deleteBonusEffect(31)"), 0);
    EXPECT_EQ(thrownText([&] { m_controller->createBonusEffect(99); }),
              "cMeadowController::createBonusEffect(): unknown bonus type: type = 99");
    m_controller->createBonusEffect(31);
    EXPECT_EQ(thrownText([&] { m_controller->createBonusEffect(41); }),
              "cMeadowController::createBonusEffect(): cannot create a new bonus effect because old was not deleted, "
              "type = 31");
}

TEST_F(MeadowControllerBonus, ImmediateBonusSpendsAndAppliesOrIsDropped) {
    EXPECT_EQ(thrownText([&] { m_controller->applyBonusImmediately(); }),
              "cMeadowController::applyBonusImmediately(): bonus is now set");
    m_controller->createBonusEffect(31);
    m_controller->applyBonusImmediately();
    EXPECT_TRUE(m_controller->isInputLocked());
    EXPECT_EQ(m_model->getBonus(31)->points, 10);
    EXPECT_EQ(m_model->getBonus(31)->uses, 1);
    EXPECT_EQ(m_view->m_effects.back()->count("apply()"), 1);

    m_controller->onBonusEffectFinished(true);
    EXPECT_EQ(m_view->count("deleteBonusEffect(31)"), 1);
    EXPECT_EQ(m_controller->getBonusEffect(), nullptr);
    EXPECT_EQ(m_controller->getBonusesUsed(), 1);
    EXPECT_FALSE(m_controller->isInputLocked());
    EXPECT_EQ(m_development.count("lockInterface(false)"), 1);

    m_controller->createBonusEffect(31);
    m_view->m_effects.back()->m_canApply = false;
    m_controller->applyBonusImmediately();
    EXPECT_EQ(m_view->count("deleteBonusEffect(31)"), 2);
    EXPECT_EQ(m_controller->getBonusEffect(), nullptr);
    EXPECT_EQ(m_model->getBonus(31)->points, 10);
}

TEST_F(MeadowControllerBonus, EffectFollowingTheCursorAppliesAtTheCell) {
    m_controller->createBonusEffect(31);
    FakeCellView cell(1, 2);
    m_controller->updateBonusEffectPosition(&cell);
    TestFakes::FakeBonusEffect* effect = m_view->m_effects.back().get();
    EXPECT_EQ(effect->calls(), (std::vector<std::string>{"setTargetCell(1, 2)", "setImmediate(true)", "apply()"}));
    EXPECT_EQ(m_awards->count("checkBonusAward(31)"), 1);
    EXPECT_EQ(m_awards->count("checkAwardXbonusesUsing()"), 1);
    EXPECT_EQ(m_model->getBonus(31)->points, 10);

    m_controller->setBonusEffectPosition(2, 0);
    EXPECT_EQ(effect->getTargetCell(), Engine::cVector2(2.0f, 0.0f));
}

TEST_F(MeadowControllerBonus, BonusAtAPositionHitsThePieceThere) {
    m_controller->applyBonusAtPosition(Engine::cVector2(1.0f, 1.0f), nullptr);
    EXPECT_EQ(m_view->count("crashCell(1, 1)"), 1);
    // A bonus piece goes off instead.
    m_model->getObject(2, 2)->setBonusTag(cMeadowObjectModel::BLAST_BONUS);
    m_controller->applyBonusAtPosition(Engine::cVector2(2.0f, 2.0f), nullptr);
    EXPECT_EQ(m_view->count("crashCell(2, 2)"), 0);
}

} // namespace
