// A shipped level with a vehicle played on the real board screen with the shipped layouts: the
// board makes its vehicle panel, the vehicle drives in, and every kind of bought bonus (chicken,
// bear, instant mix, cat) is used through the controller and finishes with the input unlocked, or
// with the level won.

#include "engine/core/Random.h"
#include "engine/core/WidgetSets.h"
#include "game/level/AchievementsView.h"
#include "game/level/BoardParts.h"
#include "game/level/BonusEffect.h"
#include "game/level/MeadowCellView.h"
#include "game/level/MeadowFieldView.h"
#include "game/level/MeadowView.h"
#include "game/level/VehiclePanel.h"
#include "game/level/VehicleView.h"
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

    // Aims the bonus at a resting middle piece and uses it as a click there does.
    auto use = [this](int type) {
        ASSERT_TRUE(untilQuiet());
        cMeadowCellView* cell = middleCell();
        ASSERT_NE(nullptr, cell);
        IBonusEffect* effect = controller->createBonusEffect(type);
        ASSERT_NE(nullptr, effect);
        controller->setBonusEffectPosition(cell->getRow(), cell->getColumn());
        ASSERT_TRUE(effect->canApply());
        controller->setInputLocked(true);
        controller->updateBonusEffectPosition(cell);
    };
    for (int type : {11, 12, 31, 32}) {
        SCOPED_TRACE(type);
        use(type);
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
    use(41);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(untilQuietOrWon()) << "the cat never finished";
    EXPECT_GE(controller->getBonusesUsed(), 5);
    EXPECT_EQ(2, sounds.count("chicken_effect"));
    EXPECT_EQ(2, sounds.count("bear_fall2"));
    EXPECT_EQ(1, sounds.count("cat_effect"));
}
