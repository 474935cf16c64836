// The vehicle view and its slots on a small board: the drive with a fixed frame time, the doors,
// the slots' amounts, the flights of pieces into the doors, the departure and its payment.

#include "tests/level/VehicleFixture.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Panel.h"
#include "engine/gui/PyroEffect.h"
#include "game/level/vehicles/IconText.h"
#include "game/level/vehicles/StateAnimation.h"
#include "game/level/vehicles/VehicleSlot.h"
#include "game/level/vehicles/VehicleTip.h"
#include "game/level/vehicles/VehicleView.h"
#include "game/model/MeadowObjectModel.h"
#include "game/shell/ArrowHelpTip.h"
#include "game/shell/SubstrateProgressBar.h"
#include "game/shell/TutorialManager.h"
#include "game/shell/TweenSprite.h"
#include "tests/gui/LabelFixture.h"

#include <memory>
#include <string>

using namespace Engine;
using TestLevel::VehicleBoardTest;

class VehicleViewTest : public VehicleBoardTest {
protected:
    std::unique_ptr<cVehicleView> makeView(cVehicleModel* vehicle, const cVector2& at) {
        auto view = std::make_unique<cVehicleView>(nullptr, vehicle, board.get(), false);
        view->setPosition(at);
        return view;
    }
};

TEST_F(VehicleViewTest, DriveAcceleratesToTheMiddleBrakesAfterItAndStopsExactlyOnTheTarget) {
    buildBoard();
    cVehicleModel* vehicle = addVehicle({2});
    auto view = makeView(vehicle, cVector2(0, 700));
    view->move(400, 700);
    EXPECT_TRUE(view->isMoving());
    EXPECT_EQ(200.0f, view->getMidpoint().x);
    float lastX = 0, lastSpeed = 0;
    int frames = 0;
    while (view->isMoving() && frames < 200) {
        ui.step(0.125f);
        ++frames;
        const float x = view->getPosition().x, speed = view->getVelocity().x;
        if (!view->isMoving())
            break;
        // Speeding up while the moved view is short of the middle, slowing down after it.
        if (x < 200)
            EXPECT_FLOAT_EQ(lastSpeed + 12.5f, speed) << "frame " << frames;
        else
            EXPECT_FLOAT_EQ(lastSpeed - 12.5f, speed) << "frame " << frames;
        EXPECT_GE(x, lastX);
        lastX = x;
        lastSpeed = speed;
    }
    ASSERT_FALSE(view->isMoving());
    EXPECT_EQ(cVector2(400, 700), view->getPosition());
    EXPECT_EQ(int(cVehicleModel::TAKING_PIECES), vehicle->getState());
    EXPECT_EQ(1, sounds.count("vehicle_arrived"));
    EXPECT_TRUE(view->getSlots()[0]->isDoorsOpening());
    EXPECT_GT(view->getSlots()[0]->getDoorsTime(), 0.0f);
    // A second call while standing on the target arrives at once instead of failing.
    vehicle->setState(cVehicleModel::LAUNCHED_FRONT);
    EXPECT_NO_THROW(view->move(400, 700));
    EXPECT_FALSE(view->isMoving());
    EXPECT_EQ(int(cVehicleModel::TAKING_PIECES), vehicle->getState());
}

TEST_F(VehicleViewTest, ATargetBehindTheAccelerationArrivesInTheFirstFrameAndMoveWhileDrivingIsIgnored) {
    buildBoard();
    auto back = makeView(addVehicle({1}), cVector2(300, 700));
    back->move(100, 700);
    ui.step(0.125f);
    EXPECT_FALSE(back->isMoving());
    EXPECT_EQ(cVector2(100, 700), back->getPosition());

    auto ahead = makeView(addVehicle({1}), cVector2(0, 700));
    ahead->move(400, 700);
    ahead->move(100, 700);
    EXPECT_EQ(cVector2(400, 700), ahead->getTarget());
}

TEST_F(VehicleViewTest, DoorsRunForwardThenBackAndEndExactlyOpenOrShut) {
    buildBoard();
    auto view = makeView(addVehicle({1, 1}), cVector2(0, 700));
    cVehicleSlot* last = view->getSlots().back();
    ASSERT_NE(nullptr, last->getDoors());
    EXPECT_EQ(nullptr, view->getSlots().front()->getDoors());
    view->show();
    view->enable();
    view->openDoors();
    const float open[] = {0.2f, 0.4f, 0.5f};
    for (float expected : open) {
        ui.step(0.2f);
        EXPECT_FLOAT_EQ(expected, last->getDoors()->getAnimPosition());
    }
    EXPECT_EQ(0.0f, last->getDoorsTime());
    view->closeDoors();
    const float shut[] = {0.3f, 0.1f, 0.0f};
    for (float expected : shut) {
        ui.step(0.2f);
        EXPECT_NEAR(expected, last->getDoors()->getAnimPosition(), 1e-6f);
    }
    EXPECT_EQ(0.0f, last->getDoors()->getAnimPosition());
    // The driver of the cab nods from the arrival on.
    cStateAnimation* driver = view->getSlots().front()->getDriver();
    ASSERT_NE(nullptr, driver);
    EXPECT_EQ(1u, driver->getCurrent());
}

TEST_F(VehicleViewTest, SlotsShowTheMissingAmountAndTheLoadedShareOrTheCompletedIcon) {
    buildBoard();
    cVehicleModel* vehicle = addVehicle({6, 2, 4});
    vehicle->getSlotByIndex(0).loaded = 3;
    vehicle->getSlotByIndex(1).loaded = 2;
    auto view = makeView(vehicle, cVector2(0, 700));
    view->update();
    const auto& slots = view->getSlots();
    ASSERT_EQ(3u, slots.size());
    EXPECT_TRUE(slots[0]->isFirst() && !slots[0]->isLast());
    EXPECT_TRUE(slots[2]->isLast() && !slots[2]->isFirst());
    EXPECT_EQ(L"3", slots[0]->getSlotText()->getText());
    EXPECT_FLOAT_EQ(50.0f, slots[0]->getProgress()->getValue());
    EXPECT_EQ(board->getLevelObjectState(1).getPicture(), slots[0]->getSlotText()->getIcon()->getPicture());
    EXPECT_TRUE(slots[1]->getCompletedIcon()->isVisible());
    EXPECT_FALSE(slots[1]->getSlotText()->isVisible());
    EXPECT_FALSE(slots[1]->getProgress()->isVisible());
    EXPECT_FALSE(slots[0]->getCompletedIcon()->isVisible());
    // One colour for the whole vehicle, placed by the slot offsets.
    EXPECT_EQ(slots[0]->getColour(), slots[2]->getColour());
    EXPECT_EQ(cVector2(-200, 700), slots[2]->getPosition());
    EXPECT_EQ(L"30", view->getMoney()->getText());
    // The view's tip tells the money of its own vehicle.
    auto* tip = dynamic_cast<cVehicleTip*>(view->getTip());
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(L"Pays 30", cVehicleTip::formatMessage(tip->getMessage(), view->getVehicle()->getMoney()));
    EXPECT_EQ(view.get(), view->getControl());
}

TEST_F(VehicleViewTest, ASlotMoreInTheModelMakesTheSlotWidgetsAnew) {
    buildBoard();
    cVehicleModel* vehicle = addVehicle({1, 1});
    auto view = makeView(vehicle, cVector2(0, 700));
    cVehicleSlot* oldLast = view->getSlots().back();
    EXPECT_TRUE(oldLast->isLast());
    vehicle->addSlot(3, 2, 3);
    view->update();
    ASSERT_EQ(3u, view->getSlots().size());
    EXPECT_FALSE(oldLast->isVisible());
    EXPECT_NE(oldLast, view->getSlots()[1]);
    EXPECT_TRUE(view->getSlots()[2]->isLast());
    EXPECT_EQ(L"2", view->getSlots()[2]->getSlotText()->getText());
}

TEST_F(VehicleViewTest, AOneSlotVehicleHasTheCabTheDriverAndTheDoors) {
    buildBoard();
    auto view = makeView(addVehicle({2}), cVector2(0, 700));
    ASSERT_EQ(1u, view->getSlots().size());
    cVehicleSlot* only = view->getSlots()[0];
    EXPECT_NE(nullptr, only->getDriver());
    EXPECT_NE(nullptr, only->getDoors());
    EXPECT_EQ(only->getDoors()->getDepth(), only->getLoadDepth());
}

TEST_F(VehicleViewTest, MoreColoursThanTheSlotLayoutHasAreRefusedWhenTheLayoutLoads) {
    writeVehicleFiles("3");
    writeFiles();
    build({"1_1_1"}, false, true);
    cVehicleModel* vehicle = addVehicle({1});
    EXPECT_THROW(cVehicleView(nullptr, vehicle, board.get(), false), std::string);
}

TEST_F(VehicleViewTest, PiecesFlyIntoTheDoorsOnePerFrameAndTheControllerLoadsThem) {
    buildBoard({"1_1_1"});
    // Pieces of type 1 at both ends of the row, at equal distances from the first point.
    model->getObject(0, 0)->setType(1);
    model->getObject(0, 2)->setType(1);
    cVehicleModel* vehicle = addVehicle({2}, 40);
    vehicle->setState(cVehicleModel::TAKING_PIECES);
    auto view = makeView(vehicle, cVector2(500, 700));
    view->show();
    view->enable();
    cMeadowObjectView* left = board->getGameObjectView(model->getObject(0, 0));
    cMeadowObjectView* right = board->getGameObjectView(model->getObject(0, 2));
    for (cMeadowObjectView* piece : {left, right}) {
        model->getVehiclesFeature()->sendObject(piece->getObject());
        view->addArrivingObject(piece);
        EXPECT_EQ(int(cMeadowObjectModel::MOVING_TO_VEHICLE), piece->getObject()->getState());
    }
    EXPECT_EQ(cVector2(500, 600), view->getFirstPoint());
    int frames = 0;
    while (view->getArrivingCount() == 2 && frames++ < 100) {
        ui.step(0.125f);
        EXPECT_LE(left->getSize().x, left->getBaseSize().x);
    }
    EXPECT_EQ(1u, view->getArrivingCount());
    EXPECT_EQ(1u, view->getTweens()->getTweens().size());
    // Shrunk close to half its size along the way (the last step lands without a rescale).
    EXPECT_NEAR(left->getBaseSize().x * 0.5f, left->getSize().x, 1.0f);
    EXPECT_FLOAT_EQ(view->getSlots().back()->getLoadDepth() - 10.0f, left->getDepth());
    ui.step(0.125f);
    EXPECT_EQ(0u, view->getArrivingCount());
    ui.run(1.0f);
    EXPECT_TRUE(view->getTweens()->getTweens().empty());
    EXPECT_FALSE(left->isVisible());
    EXPECT_FALSE(right->isVisible());
    EXPECT_EQ(left->getBaseSize(), left->getSize());
    EXPECT_EQ(left->getBaseDepth(), left->getDepth());
    EXPECT_EQ(int(cVehicleModel::FULL), vehicle->getState());
    EXPECT_EQ(40, model->getResourcePoints(1));
}

TEST_F(VehicleViewTest, ALeavingVehiclePaysDrivesOffAndDeletesItselfAndOneWithoutMoneyLeavesQuietly) {
    buildBoard();
    for (int money : {25, 0}) {
        cVehicleModel* vehicle = addVehicle({1}, money);
        cPanel holder(nullptr);
        holder.show();
        holder.enable();
        cVehicleView* view = new cVehicleView(&holder, vehicle, board.get(), false);
        view->setPosition(cVector2(400, 700));
        view->show();
        view->enable();
        sounds.log.clear();
        EXPECT_NO_THROW(view->leave());
        EXPECT_TRUE(view->isLeaving());
        EXPECT_EQ(600.0f, view->getTarget().x);
        EXPECT_EQ(1, sounds.count("vehicle"));
        EXPECT_FALSE(view->getSlots()[0]->isDoorsOpening());
        int frames = 0;
        while (!holder.getChildren().empty() && frames++ < 100)
            ui.step(0.125f);
        // Position first, then velocity: after n frames of 1/8 s the view has gone
        // 100 / 64 × n (n − 1) / 2 pixels, 200 or more from n = 17 on; frame 18 finds it there.
        EXPECT_EQ(18, frames) << money;
    }
}

namespace {

struct TipFont : TestSupport::LabelFixture {
    static std::string bytes() { return fontBytes(); }
};

class TipOwner : public ITutorialOwner {
public:
    bool hasBoardModel() override { return true; }
    void lockInput(bool) override {}
    bool isInterfaceActivated() override { return false; }
};

} // namespace

TEST_F(VehicleViewTest, OnlyAStandingShownVehicleAsksForItsTipWhichPointsAtIt) {
    // The tutorial's files: every tip shown as soon as it is asked for.
    const std::string font = TestSupport::LabelFixture::FONT_KEYS;
    ui.writeFile("fonts/t.fnt", TipFont::bytes());
    ui.writePicture("fonts/t.tga", 100, 20, 0xFFFFFFFFu);
    ui.writePicture("p.tga", 4, 4, 0xFFFFFFFFu);
    std::string tips;
    for (int id = 0; id < cTutorialManager::TIP_COUNT; ++id)
        tips += "<Tip Center=\"512,384\" Timer=\"0\"><Text>tip " + std::to_string(id) + "</Text></Tip>";
    ui.writeFile("Meadow/View/Tutorial/Tutorial.xml",
                 "<Tutorial Visible=\"1\" Enable=\"1\"><Tips>" + tips +
                     "</Tips><Fader size=\"2048,1536\" Picture=\"p.tga\"/></Tutorial>");
    ui.writeFile(
        "Meadow/View/Tutorial/ArrowHelpTip.xml",
        "<Tip Visible=\"1\" Enable=\"1\" PointedOffset=\"200,100\" ArrowOffset=\"120,40\"><Image Visible=\"1\" "
        "Enable=\"1\" size=\"300,120\" Picture=\"p.tga\"><Text Visible=\"1\" size=\"260,80\" " +
            font +
            "/><OkButton Visible=\"1\" Enable=\"1\" position=\"0,40\" size=\"80,30\" Picture=\"p.tga\"/>"
            "<Arrow Visible=\"1\" size=\"40,40\" Picture=\"p.tga\"/></Image></Tip>");
    buildBoard();
    gBoolProps.clear();
    TipOwner owner;
    auto tutorial = std::make_unique<cTutorialManager>();
    tutorial->setOwner(&owner);
    controller->setInputLocked(false);
    cVehicleModel* vehicle = addVehicle({2});
    // Waiting off the screen, as the shipped road has it.
    auto view = makeView(vehicle, cVector2(-100, 700));
    auto asked = [&] { return tutorial->isTipPending(3) || tutorial->getCurrentTipId() == 3; };
    // Hidden: not asked.
    view->hide();
    ui.step(0.125f);
    EXPECT_FALSE(asked());
    // Driving: not asked, nor in the frame of its arrival.
    view->move(400, 700);
    view->show();
    while (view->isMoving()) {
        ui.step(0.125f);
        EXPECT_FALSE(asked()) << view->getPosition().x;
    }
    // Standing: the arrow tip points at the vehicle's place.
    ui.step(0.125f);
    ASSERT_EQ(3, tutorial->getCurrentTipId());
    auto* tip = dynamic_cast<cArrowHelpTip*>(tutorial->getCurrentTip());
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(nullptr, tip->getTarget());
    EXPECT_EQ(cVector2(400, 700), tip->getPointedPoint());
    tutorial->closeCurrentTip();
    ui.step();
    view.reset();
    tutorial.reset();
    gBoolProps.clear();
}
