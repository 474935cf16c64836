// A shipped level with a vehicle played on the real board screen with the shipped layouts: the
// board makes its vehicle panel, the vehicle drives in, and every kind of bought bonus (chicken,
// bear, instant mix, cat) is used through the controller and finishes with the input unlocked, or
// with the level won.

#include "engine/core/FrameWidget.h"
#include "engine/core/Random.h"
#include "engine/core/WidgetSets.h"
#include "game/level/BoardParts.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/BonusEffect.h"
#include "game/level/bonus/CatBonusEffect.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/FlyingNumber.h"
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
    void TearDown() override {
        // Flying numbers and running cats are root widgets that the harness does not delete: they
        // finish first.
        auto flying = [] {
            for (IFrameWidget* widget : getLiveWidgets())
                if (dynamic_cast<cFlyingNumber*>(widget) || dynamic_cast<cCatBonusEffect*>(widget))
                    return true;
            return false;
        };
        for (int frame = 0; frame < 600 && flying(); ++frame)
            ui.step();
        EXPECT_FALSE(flying());
        ScreenRig::TearDown();
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
    // As untilQuiet, or until the level is won and its results show.
    bool untilQuietOrWon(int limit = 600) {
        for (int frame = 0; frame < limit; ++frame) {
            if (!model->getVehiclesFeature()->hasVehicles() && board->getResultsView()->isVisible())
                return true;
            if (untilQuiet(1))
                return true;
        }
        return false;
    }
    // Drives the level's vehicle in; answers its view once it takes pieces.
    cVehicleView* driveIn() {
        auto* panel = dynamic_cast<cVehiclePanel*>(board->getVehiclePanel());
        EXPECT_NE(nullptr, panel);
        if (!panel || panel->getViews().size() != 1u)
            return nullptr;
        cVehicleView* view = panel->getViews().front();
        EXPECT_TRUE(untilQuiet());
        if (view->getVehicle()->getState() == cVehicleModel::WAITING)
            model->getVehiclesFeature()->launchNextVehicle();
        for (int frame = 0; frame < 300 && view->getVehicle()->getState() != cVehicleModel::TAKING_PIECES; ++frame)
            ui.step();
        EXPECT_EQ(int(cVehicleModel::TAKING_PIECES), view->getVehicle()->getState());
        EXPECT_EQ(panel->getActiveVehiclePos(), view->getPosition());
        return view;
    }
    // Aims the bonus at the cell and uses it as a click there does.
    void use(int type, cMeadowCellView* cell) {
        ASSERT_NE(nullptr, cell);
        IBonusEffect* effect = controller->createBonusEffect(type);
        ASSERT_NE(nullptr, effect);
        controller->setBonusEffectPosition(cell->getRow(), cell->getColumn());
        ASSERT_TRUE(effect->canApply());
        controller->setInputLocked(true);
        controller->updateBonusEffectPosition(cell);
    }
    // A resting piece on a plain cell in the middle of the board; one of the type anywhere on it.
    cMeadowCellView* middleCell(int type = -1) {
        for (int row = type < 0 ? model->getRows() / 2 : 0; row < model->getRows(); ++row)
            for (int column = 1; column < model->getColumns() - 1; ++column) {
                cMeadowObjectModel* piece = model->getObject(row, column);
                if (piece && (type < 0 || piece->getType() == type) && !piece->isBusy() && !piece->getPrizeFlag() &&
                    !model->isCellBlocked(row, column) && model->getCell(row, column)->getLocks() == 0)
                    return board->getFieldView()->findCellView(row, column);
            }
        return nullptr;
    }

    Owner owner;
};

} // namespace

TEST_F(VehicleBonusPlayTest, TheVehicleDrivesInAndEveryBonusIsUsedToItsEnd) {
    ASSERT_NE(nullptr, driveIn());
    for (int type : {11, 12, 31, 32}) {
        SCOPED_TRACE(type);
        ASSERT_TRUE(untilQuiet());
        use(type, middleCell());
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_TRUE(untilQuiet()) << "the bonus never finished";
    }
    ASSERT_TRUE(untilQuiet());
    controller->createBonusEffect(71);
    controller->applyBonusImmediately();
    EXPECT_EQ(1, sounds.count("mix_effect"));
    EXPECT_TRUE(untilQuiet()) << "the mix never finished";
    // The cat goes last: every piece of one kind at once may fill the truck, and a level won so
    // keeps the input locked under its results.
    ASSERT_TRUE(untilQuiet());
    use(41, middleCell());
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(untilQuietOrWon()) << "the cat never finished";
    EXPECT_GE(controller->getBonusesUsed(), 5);
    EXPECT_EQ(2, sounds.count("chicken_effect"));
    EXPECT_EQ(2, sounds.count("bear_fall2"));
    EXPECT_EQ(1, sounds.count("cat_effect"));
}

TEST_F(VehicleBonusPlayTest, ACatThatFillsTheTruckWinsTheLevelAndItsResultsShow) {
    cVehicleView* view = driveIn();
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(untilQuiet());
    // Given a board with nothing left to clear and a truck that wants one more piece of a kind.
    for (cCellModel* cell : model->getComplexCells())
        cell->setType(1);
    board->refresh();
    cVehicleSlotRecord& slot = view->getVehicle()->getSlotByIndex(0);
    slot.loaded = slot.needed - 1;
    cMeadowCellView* cell = middleCell(slot.objectType);
    ASSERT_NE(nullptr, cell);
    ASSERT_TRUE(untilQuiet());

    use(41, cell);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(1, sounds.count("cat_effect"));
    ASSERT_TRUE(untilQuietOrWon());
    EXPECT_FALSE(model->getVehiclesFeature()->hasVehicles());
    EXPECT_EQ(1u, model->getVehiclesFeature()->getProcessedVehicles().size());
    EXPECT_TRUE(board->getResultsView()->isVisible());
    EXPECT_TRUE(controller->isInputLocked());
}
