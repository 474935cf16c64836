// A shipped level with a vehicle played on the real board screen with the shipped layouts: the
// board makes its vehicle panel, the vehicle drives in, and every kind of bought bonus (chicken,
// bear, cat, instant mix) is used through the controller and finishes with the input unlocked.

#include "engine/core/Random.h"
#include "engine/core/WidgetSets.h"
#include "game/level/BoardParts.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/BonusEffect.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/vehicles/VehiclePanel.h"
#include "game/level/vehicles/VehicleView.h"
#include "game/model/BonusEffectLink.h"
#include "game/model/CellModel.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/VehiclesFeature.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/Screen.h"
#include "tests/level/ShippedBoard.h"
#include "tests/level/TestStates.h"
#include "tests/model/ShippedModel.h"

#include <gtest/gtest.h>

using namespace Engine;

namespace {

const char* const STATES = R"(<States>
  <S id="selection" Picture="Meadow/Images/Cells/selection.png" frames_count="8" anim_columns="8"/>
  <S id="cell0" Picture="Meadow/Images/Cells/cell0.png"/>
  <S id="simple0" Picture="Meadow/Images/Cells/simple0.png"/>
  <S id="simple1" Picture="Meadow/Images/Cells/simple1.png"/>
  <S id="wood0" Picture="Meadow/Images/Cells/wood0.png"/>
  <S id="wood1" Picture="Meadow/Images/Cells/wood1.png"/>
  <S id="iron0" Picture="Meadow/Images/Cells/iron0.png"/>
  <S id="iron1" Picture="Meadow/Images/Cells/iron1.png"/>
  <S id="cell_locks1" Picture="Meadow/Images/Cells/cell_locks1.png"/>
  <S id="cell_locks2" Picture="Meadow/Images/Cells/cell_locks2.png"/>
  <S id="wood_part_0" Picture="Meadow/Images/Cells/wood_part_0.png"/>
  <S id="wood_part_1" Picture="Meadow/Images/Cells/wood_part_1.png"/>
  <S id="wood_part_2" Picture="Meadow/Images/Cells/wood_part_2.png"/>
  <S id="wood_part_3" Picture="Meadow/Images/Cells/wood_part_3.png"/>
  <S id="iron_part_0" Picture="Meadow/Images/Cells/iron_part_0.png"/>
  <S id="iron_part_1" Picture="Meadow/Images/Cells/iron_part_1.png"/>
  <S id="iron_part_2" Picture="Meadow/Images/Cells/iron_part_2.png"/>
  <S id="iron_part_3" Picture="Meadow/Images/Cells/iron_part_3.png"/>
  <S id="mixing_bees" Picture="Meadow/Images/Board/bee.png" frames_count="8" anim_columns="8"/>
  <S id="falling_bear" Picture="Meadow/Images/Bonus/bear_falling.png"/>
  <S id="eating_bear" Picture="Meadow/Images/Bonus/bear_eating.png" frames_count="8" anim_columns="8"
      anim_length="0.8" PlayAnimation="1"/>
  <S id="cat_move_up" Picture="Meadow/Images/Board/bonus_cat.png"/>
  <S id="cat_move_up_left" Picture="Meadow/Images/Board/bonus_cat.png"/>
  <S id="cat_move_left" Picture="Meadow/Images/Board/bonus_cat.png"/>
  <S id="cat_move_down_left" Picture="Meadow/Images/Board/bonus_cat.png"/>
  <S id="cat_move_down" Picture="Meadow/Images/Board/bonus_cat.png"/>
</States>)";

class Owner : public IBoardOwner {
public:
    const cVisual& getVisualState(const std::string& id) const override { return states.getVisualState(id); }
    cScreen* getOwnerScreen() override { return nullptr; }
    void resumeMusic() override {}
    void restartLevel() override {}
    void onLevelCompleted(ILevelScreen*) override {}
    void showGameMenu() override {}
    void setLevelButtonsEnabled(bool) override {}
    bool isLevelEditorMode() override { return false; }
    void setLevelRunning(bool) override {}
    TestLevel::TestStates states;
};

class VehicleBonusPlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestLevel::writeShippedBoard(ui);
        ui.writeFile("States.xml", STATES);
        ui.start();
        owner.states.load(ui.layout("States.xml"));
        GameServices::setGameSounds(&sounds);
        // The board's own bonus effects, whatever an earlier test left in the factory.
        BoardParts::setBonusEffectFactory([](cMeadowView* board, cMeadowModel* model, int type) {
            return static_cast<IBonusEffect*>(cBonusEffect::create(board, model, type));
        });
        model = TestShipped::makeModel();
        // After the model, which seeds the generator with the time as the game does.
        randomSeed(5);
        model->loadLevel(64);
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
        board = new cMeadowView(&owner, model.get(), controller.get());
        board->setPlayTest(false);
        board->initLevel(false);
        controller->setLevelView(board);
        board->refresh();
        board->enable();
        board->fadeIn();
        board->startLevel(false);
    }
    void TearDown() override {
        if (isWidgetAlive(board)) {
            board->close();
            ui.step();
        }
        controller.reset();
        GameServices::setGameSounds(nullptr);
    }
    // Frames until the board is quiet and takes input; false when it never is.
    bool untilQuiet(int limit = 600) {
        for (int frame = 0; frame < limit; ++frame) {
            ui.step();
            if (!controller->isInputLocked() && !board->getFieldView()->isInputLocked() && !board->isFieldBusy() &&
                !controller->getBonusEffect() && !model->hasBusyObject())
                return true;
        }
        return false;
    }
    // A resting piece on a plain cell in the middle of the board.
    cMeadowCellView* middleCell() {
        for (int row = model->getRows() / 2; row < model->getRows(); ++row)
            for (int column = 1; column < model->getColumns() - 1; ++column) {
                cMeadowObjectModel* piece = model->getObject(row, column);
                if (piece && !piece->isBusy() && !piece->getPrizeFlag() && !model->isCellBlocked(row, column) &&
                    model->getCell(row, column)->getLocks() == 0)
                    return board->getFieldView()->findCellView(row, column);
            }
        return nullptr;
    }

    TestSupport::UiHarness ui;
    TestLevel::SoundBook sounds;
    Owner owner;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    cMeadowView* board = nullptr;
};

} // namespace

TEST_F(VehicleBonusPlayTest, TheVehicleDrivesInAndEveryBonusIsUsedToItsEnd) {
    auto* panel = dynamic_cast<cVehiclePanel*>(board->getVehiclePanel());
    ASSERT_NE(nullptr, panel);
    ASSERT_EQ(1u, panel->getViews().size());
    cVehicleView* view = panel->getViews().front();
    ASSERT_TRUE(untilQuiet());
    if (view->getVehicle()->getState() == cVehicleModel::WAITING)
        model->getVehiclesFeature()->launchNextVehicle();
    for (int frame = 0; frame < 300 && view->getVehicle()->getState() != cVehicleModel::TAKING_PIECES; ++frame)
        ui.step();
    EXPECT_EQ(int(cVehicleModel::TAKING_PIECES), view->getVehicle()->getState());
    EXPECT_EQ(panel->getActiveVehiclePos(), view->getPosition());

    for (int type : {11, 12, 31, 32, 41}) {
        SCOPED_TRACE(type);
        ASSERT_TRUE(untilQuiet());
        cMeadowCellView* cell = middleCell();
        ASSERT_NE(nullptr, cell);
        IBonusEffect* effect = controller->createBonusEffect(type);
        ASSERT_NE(nullptr, effect);
        controller->setBonusEffectPosition(cell->getRow(), cell->getColumn());
        ASSERT_TRUE(effect->canApply());
        controller->setInputLocked(true);
        controller->updateBonusEffectPosition(cell);
        EXPECT_TRUE(untilQuiet()) << "the bonus never finished";
    }
    ASSERT_TRUE(untilQuiet());
    controller->createBonusEffect(71);
    controller->applyBonusImmediately();
    EXPECT_EQ(1, sounds.count("mix_effect"));
    EXPECT_TRUE(untilQuiet()) << "the mix never finished";
    EXPECT_GE(controller->getBonusesUsed(), 5);
    EXPECT_EQ(2, sounds.count("chicken_effect"));
    EXPECT_EQ(2, sounds.count("bear_fall2"));
    EXPECT_EQ(1, sounds.count("cat_effect"));
}
