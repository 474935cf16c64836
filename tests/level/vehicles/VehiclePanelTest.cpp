// The vehicle panel over a small board: views in the model's order, the drive of the active
// vehicle, one departure per call, blocked and waiting vehicles.

#include "tests/level/VehicleFixture.h"

#include "game/level/field/FlyingNumber.h"
#include "game/level/vehicles/VehiclePanel.h"
#include "game/level/vehicles/VehicleView.h"

#include <memory>

using namespace Engine;
using TestLevel::VehicleBoardTest;

class VehiclePanelTest : public VehicleBoardTest {
protected:
    std::unique_ptr<cVehiclePanel> makePanel() { return std::make_unique<cVehiclePanel>(board.get(), model.get()); }
};

TEST_F(VehiclePanelTest, WithoutVehiclesThePanelHasNoViewsAndItsUpdatesDoNothing) {
    buildBoard();
    auto panel = makePanel();
    EXPECT_TRUE(panel->getViews().empty());
    EXPECT_NO_THROW(panel->update());
    EXPECT_NO_THROW(panel->updateVehicles());
    EXPECT_EQ(cVector2(400, 700), panel->getActiveVehiclePos());
}

TEST_F(VehiclePanelTest, TheActiveVehicleArrivesThenDrivesToItsPlaceWhileTheOthersWait) {
    buildBoard();
    cVehicleModel* first = addVehicle({1});
    cVehicleModel* second = addVehicle({2});
    first->setState(cVehicleModel::LAUNCHED_BEHIND);
    second->setState(cVehicleModel::LAUNCHED_BEHIND);
    auto panel = makePanel();
    ASSERT_EQ(2u, panel->getViews().size());
    cVehicleView* firstView = panel->getViews().front();
    cVehicleView* secondView = panel->getViews().back();
    EXPECT_EQ(first, firstView->getVehicle());
    EXPECT_EQ(cVector2(0, 700), firstView->getPosition());
    EXPECT_TRUE(firstView->isEnabled());
    EXPECT_FALSE(secondView->isEnabled());

    panel->update();
    EXPECT_EQ(int(cVehicleModel::LAUNCHED_FRONT), first->getState());
    EXPECT_FALSE(firstView->isMoving());
    for (int frame = 0; frame < 100 && first->getState() != cVehicleModel::TAKING_PIECES; ++frame) {
        panel->update();
        ui.step(0.125f);
    }
    EXPECT_EQ(int(cVehicleModel::TAKING_PIECES), first->getState());
    EXPECT_EQ(cVector2(400, 700), firstView->getPosition());
    // The one behind is not the model's active vehicle: it waits, however long.
    for (int frame = 0; frame < 10; ++frame)
        panel->update();
    EXPECT_EQ(int(cVehicleModel::LAUNCHED_BEHIND), second->getState());
    EXPECT_EQ(cVector2(0, 700), secondView->getPosition());
}

TEST_F(VehiclePanelTest, TwoFullVehiclesInOneFrameLeaveOnePerCall) {
    buildBoard();
    cVehicleModel* first = addVehicle({1});
    cVehicleModel* second = addVehicle({1});
    auto panel = makePanel();
    cVehicleView* firstView = panel->getViews().front();
    cVehicleView* secondView = panel->getViews().back();
    first->setState(cVehicleModel::FULL);
    second->setState(cVehicleModel::FULL);
    panel->update();
    ASSERT_EQ(1u, panel->getViews().size());
    EXPECT_TRUE(firstView->isLeaving());
    EXPECT_FALSE(secondView->isLeaving());
    panel->update();
    EXPECT_TRUE(panel->getViews().empty());
    EXPECT_TRUE(secondView->isLeaving());
    EXPECT_EQ(2, sounds.count("vehicle"));
    ui.run(1.0f);
    EXPECT_EQ(TestLevel::countLive<cFlyingNumber>(), 0) << "the money the vehicles paid flies up and goes";
}

TEST_F(VehiclePanelTest, ABlockedVehicleIsStoppedOnEveryUpdateAndKept) {
    buildBoard();
    cVehicleModel* vehicle = addVehicle({1});
    vehicle->setState(cVehicleModel::LAUNCHED_FRONT);
    auto panel = makePanel();
    cVehicleView* view = panel->getViews().front();
    panel->update();
    EXPECT_TRUE(view->isMoving());
    vehicle->setBlocked(true);
    panel->update();
    EXPECT_FALSE(view->isMoving());
    vehicle->setState(cVehicleModel::FULL);
    panel->update();
    EXPECT_EQ(1u, panel->getViews().size());
    EXPECT_FALSE(view->isLeaving());
}

TEST_F(VehiclePanelTest, UpdateVehiclesLetsAFullFirstVehicleLeaveAndDrivesTheNextOne) {
    buildBoard();
    cVehicleModel* first = addVehicle({1});
    cVehicleModel* second = addVehicle({2});
    auto panel = makePanel();
    cVehicleView* secondView = panel->getViews().back();
    first->setState(cVehicleModel::FULL);
    panel->updateVehicles();
    ASSERT_EQ(1u, panel->getViews().size());
    EXPECT_EQ(second, secondView->getVehicle());
    EXPECT_TRUE(secondView->isMoving());
    EXPECT_TRUE(secondView->isEnabled());
    ui.run(1.0f);
    EXPECT_EQ(TestLevel::countLive<cFlyingNumber>(), 0) << "the money the vehicle paid flies up and goes";
}

TEST_F(VehiclePanelTest, APieceForAVehicleWithoutAViewIsAnError) {
    buildBoard();
    addVehicle({1});
    auto panel = makePanel();
    cVehicleModel stranger(3);
    EXPECT_THROW(panel->addFlyingObject(&stranger, board->getGameObjectView(model->getObject(0, 0))), const char*);
}
