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
#include "tests/level/BoardRig.h"
#include "tests/level/ShippedBoard.h"
#include "tests/level/TestStates.h"
#include "tests/model/ShippedModel.h"

#include <gtest/gtest.h>

using namespace Engine;

namespace {

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

class VehicleBonusPlayTest : public TestLevel::ScreenRig {
protected:
    void SetUp() override {
        // The board's own bonus effects, whatever an earlier test left in the factory.
        BoardParts::setBonusEffectFactory([](cMeadowView* board, cMeadowModel* model, int type) {
            return static_cast<IBonusEffect*>(cBonusEffect::create(board, model, type));
        });
        startShipped(owner.states);
        // The cat runs with the board's still picture: with the map's walking looks the cat
        // bonus does not always come back to rest on this level.
        std::string still = "<States>";
        for (const char* id :
             {"cat_move_up", "cat_move_up_left", "cat_move_left", "cat_move_down_left", "cat_move_down"})
            still += std::string("<S id=\"") + id + "\" Picture=\"Meadow/Images/Board/bonus_cat.png\"/>";
        ui.writeFile("CatStates.xml", still + "</States>");
        owner.states.load(ui.layout("CatStates.xml"));
        // After the model, which seeds the generator with the time as the game does.
        randomSeed(5);
        model->loadLevel(64);
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
        board = TestLevel::openBoardScreen(&owner, model.get(), controller.get());
        board->refresh();
        board->enable();
        board->fadeIn();
        board->startLevel(false);
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

    Owner owner;
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
