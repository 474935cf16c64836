#include "game/development/PersonageView.h"

#include "engine/gui/FrameTextButton.h"
#include "engine/gui/MultilineText.h"
#include "game/development/BubbleView.h"
#include "game/development/Graph.h"
#include "tests/development/ViewFixture.h"

#include <cmath>

using namespace TestViews;
using Engine::cVector2;

namespace {

// A corner walk: right from 0 to 1 (16 units at 16 per second), then down to 2 (32 at 8).
const std::string kCorner = graphXml({{0, 100, 100}, {1, 116, 100}, {2, 116, 132}}, {{0, 1}, {1, 2}});

struct Walk {
    cVector2 d;
    const char* look;
    cVector2 size;
    float speed;
    bool mirrored;
};

const float kSin40 = std::sin(40.0f * 3.14159265f / 180.0f), kCos40 = std::cos(40.0f * 3.14159265f / 180.0f);

} // namespace

using PersonageViewTest = ViewFixture;

TEST_F(PersonageViewTest, DirectionsChooseLookSizeSpeedAndMirror) {
    start();
    cPersonageView* view = heroine(heroineXml(kCorner));
    // In order: straight up and down keep the mirror of the walk before.
    const Walk walks[] = {
        {{1, 0}, "pers_move_right", {30, 3}, 16, false},
        {{-1, 0}, "pers_move_right", {30, 3}, 16, true},
        {{0, -1}, "pers_move_up", {10, 1}, 8, true},
        {{0, 1}, "pers_move_down", {50, 5}, 8, true},
        {{-kSin40, -kCos40}, "pers_move_up_right", {20, 2}, 32, true},
        {{kSin40, -kCos40}, "pers_move_up_right", {20, 2}, 32, false},
        {{0, -1}, "pers_move_up", {10, 1}, 8, false},
        {{1, 1}, "pers_move_down_right", {40, 4}, 32, false},
        {{-1, 1}, "pers_move_down_right", {40, 4}, 32, true},
        {{-3, 20}, "pers_move_down", {50, 5}, 8, true},
        // A zero walk changes nothing.
        {{0, 0}, "pers_move_down", {50, 5}, 8, true},
    };
    for (const Walk& w : walks) {
        view->setMoveAnimation(w.d);
        EXPECT_EQ(lookOf(*view), w.look) << w.d.x << "," << w.d.y;
        EXPECT_EQ(view->getSize(), w.size) << w.look;
        EXPECT_EQ(view->getSpeed(), w.speed) << w.look;
        EXPECT_EQ(view->getInverseX(), w.mirrored) << w.d.x << "," << w.d.y;
    }
    // A walk that keeps its look does not restart its animation.
    view->setAnimPosition(0.5f);
    view->setMoveAnimation({0, 3});
    EXPECT_EQ(view->getAnimPosition(), 0.5f);
}

TEST_F(PersonageViewTest, WalksThePathFrameByFrameArrivesExactlyAndTalks) {
    start();
    cPersonageView* view = heroine(heroineXml(kCorner));
    cPersonageModel& model = *view->getModel();
    unitAt(model, 2);
    model.setCurrentPoint(0);
    view->placeAtCurrentPoint();
    EXPECT_EQ(view->getPosition(), cVector2(100, 100));
    EXPECT_EQ(view->getDepth(), 100);
    EXPECT_EQ(lookOf(*view), "pers_idle");

    model.setCurrentPoint(2);
    model.setState(cPersonageModel::PERSONAGE_MOVE);
    view->startMoving();
    // The first frame finds her on node 0 and sets off along the path; 16 frames of 1 unit to 1.
    for (int frame = 1; frame <= 17; ++frame) {
        ui.step();
        EXPECT_EQ(view->getDepth(), view->getPosition().y) << frame;
    }
    EXPECT_EQ(view->getPosition(), cVector2(116, 100));
    EXPECT_EQ(view->getDestination()->getIndex(), 2);
    EXPECT_EQ(lookOf(*view), "pers_move_down");
    // Down at 8 units a second: half a unit a frame, the depth following y.
    ui.step();
    EXPECT_EQ(view->getPosition(), cVector2(116.0f, 100.5f));
    EXPECT_EQ(view->getDepth(), 100.5f);
    ui.steps(62);
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_MOVE);
    ui.step();
    EXPECT_EQ(view->getPosition(), cVector2(116, 132));
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_TALK);
    EXPECT_TRUE(view->isTalking());
    EXPECT_EQ(lookOf(*view), "pers_talk");
    EXPECT_EQ(view->getSize(), cVector2(64, 112));
    EXPECT_EQ(view->getBubble()->getText()->getText(), L"R\nX");
    EXPECT_TRUE(view->getBubble()->isVisible());
    // Drawn raised by "HeightOffset"; hit where she is drawn.
    EXPECT_EQ(Engine::quadCenter(view->getQuad()), cVector2(116, 76));
    EXPECT_TRUE(view->isPointInside({116, 25}));
    EXPECT_FALSE(view->isPointInside({116, 140}));
    // Leaving the screen hides the bubble at once.
    view->hideBubble();
    EXPECT_FALSE(view->getBubble()->isVisible());
}

TEST_F(PersonageViewTest, ASegmentWithoutSpeedCountsAsWalkedWhereSheStands) {
    start();
    std::string xml = heroineXml(kCorner);
    const std::string fast = "moving_speed_x=\"16\"";
    xml.replace(xml.find(fast), fast.size(), "moving_speed_x=\"0\"");
    cPersonageView* view = heroine(xml);
    cPersonageModel& model = *view->getModel();
    unitAt(model, 2);
    model.setCurrentPoint(0);
    view->placeAtCurrentPoint();
    model.setCurrentPoint(2);
    model.setState(cPersonageModel::PERSONAGE_MOVE);
    view->startMoving();
    // Node 0 at once, then node 1 at the first step along 0-1 without moving: she heads for node 2
    // from where she stands, down and to the right.
    ui.steps(2);
    EXPECT_EQ(view->getPosition(), cVector2(100, 100));
    EXPECT_EQ(view->getDestination()->getIndex(), 2);
    EXPECT_EQ(lookOf(*view), "pers_move_down_right");
    EXPECT_EQ(view->getSpeed(), 32);
    for (int frame = 0; frame < 40 && !view->isTalking(); ++frame)
        ui.step();
    EXPECT_TRUE(view->isTalking());
    EXPECT_LE((view->getPosition() - cVector2(116, 132)).length(), 2.0f);
}

TEST_F(PersonageViewTest, TalkThenWorkInsideWithoutAbsoluteEnableThenIdle) {
    start();
    // The file does not set "AbsoluteEnable": her work countdown must run all the same.
    cPersonageView* view = heroine(heroineXml(kCorner));
    cPersonageModel& model = *view->getModel();
    CountingUnitView* unit = unitAt(model, 2);
    model.setCurrentPoint(2);
    view->placeAtCurrentPoint();
    model.setState(cPersonageModel::PERSONAGE_MOVE);
    view->startMoving();
    ui.step();
    ASSERT_TRUE(view->isTalking());
    // Talk 1 s, then the bubble fades out for 0.25 s and sends her inside.
    ui.run(1.0f);
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_WORK);
    EXPECT_TRUE(view->getBubble()->isHiding());
    EXPECT_TRUE(view->isVisible());
    ui.run(0.25f);
    EXPECT_TRUE(view->isWorking());
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(unit->m_working);
    // The unit's work time is 2 s, counted from the frame she went in.
    const float left = view->getWorkTimeLeft();
    EXPECT_GE(left, 1.8f);
    EXPECT_LE(left, 2.0f);
    int frames = 0;
    while (view->isWorking() && frames < 100) {
        ui.step();
        ++frames;
    }
    EXPECT_EQ(frames, int(std::ceil(left / TestSupport::UiHarness::FRAME_TIME)));
    EXPECT_TRUE(view->isVisible());
    EXPECT_FALSE(unit->m_working);
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(lookOf(*view), "pers_idle");
}

TEST_F(PersonageViewTest, WithABoardScreenOpenNoBubbleShowsAndWorkWaits) {
    start();
    cPersonageView* view = heroine(heroineXml(kCorner));
    cPersonageModel& model = *view->getModel();
    unitAt(model, 2);
    screen.levelScreenOpen = true;
    model.setCurrentPoint(2);
    view->placeAtCurrentPoint();
    model.setState(cPersonageModel::PERSONAGE_MOVE);
    view->startMoving();
    ui.step();
    EXPECT_TRUE(view->isTalking());
    EXPECT_FALSE(view->getBubble()->isVisible());
    // The talk time runs; with no bubble on show she goes in at once instead of waiting for ever.
    ui.run(1.0f);
    EXPECT_TRUE(view->isWorking());
    ui.run(5.0f);
    EXPECT_TRUE(view->isWorking());
    screen.levelScreenOpen = false;
    ui.run(2.0f);
    EXPECT_FALSE(view->isWorking());
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
}

TEST_F(PersonageViewTest, FunnyEventShowsItsLineThenWillToWorkDecidesTheWalk) {
    start();
    TestCharacters::GroupController controller;
    controller.setGroup(3);
    for (const char* will : {"0", "1"}) {
        cPersonageView* view = heroine(heroineXml(
            kCorner, std::string("min_idle_time=\"0.0625\" max_idle_time=\"0.0625\" will_to_work=\"") + will + "\""));
        cPersonageModel& model = *view->getModel();
        unitAt(model, 2);
        model.setCurrentPoint(0);
        view->placeAtCurrentPoint();
        ui.step();
        EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_FUNNY_EVENT) << will;
        EXPECT_TRUE(view->isFunnyTalking());
        EXPECT_EQ(lookOf(*view), "ev");
        EXPECT_EQ(view->getSize(), cVector2(70, 70));
        EXPECT_EQ(view->getBubble()->getText()->getText(), L"Hi\n");
        ui.run(1.0f);
        EXPECT_FALSE(view->isFunnyTalking());
        EXPECT_TRUE(view->getBubble()->isHiding());
        if (std::string(will) == "0") {
            EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
            EXPECT_FALSE(view->isMoving());
        } else {
            EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_MOVE);
            EXPECT_TRUE(view->isMoving());
            EXPECT_EQ(model.getCurrentPoint(), 2);
        }
        widgets.clear();
    }
}

TEST_F(PersonageViewTest, FailuresNameTheOperation) {
    start();
    cPersonageView* view = heroine(heroineXml(kCorner));
    cPersonageModel& model = *view->getModel();
    model.setState(7);
    EXPECT_EQ(TestModel::thrownText([&] { view->updateVisualState(); }),
              "cPersonageView::updateVisualState(): unknown model state: 7");
    EXPECT_EQ(TestModel::thrownText([&] { view->keepMoving(); }),
              "cPersonageView::keepMoving(): destination node is not defined");
    EXPECT_EQ(TestModel::thrownText([&] { view->startWorking(); }),
              "cPersonageView::startWorking(): working unit is undefined in the model.");
    // Nodes 0 and 3 are not joined.
    cPersonageView* apart = heroine(heroineXml(graphXml({{0, 100, 100}, {3, 300, 100}}, {})));
    apart->getModel()->setCurrentPoint(3);
    EXPECT_EQ(TestModel::thrownText([&] { apart->onEndMoving(0); }),
              "cPersonageView::onEndMoving(): path was not found for points: 0 -> 3");
}

TEST_F(PersonageViewTest, WithoutAnEventToShowHerIdleTimeStartsAgain) {
    start();
    // No controller: no funny event is available.
    cPersonageView* view =
        heroine(heroineXml(kCorner, "min_idle_time=\"0.0625\" max_idle_time=\"0.0625\" will_to_work=\"1\""));
    view->getModel()->setCurrentPoint(0);
    view->placeAtCurrentPoint();
    ui.step();
    EXPECT_EQ(view->getModel()->getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(view->getIdleTimeLeft(), 0.0625f);
    EXPECT_FALSE(view->isMoving());
    // Hidden, she does not count at all.
    view->hide();
    ui.steps(3);
    EXPECT_EQ(view->getIdleTimeLeft(), 0.0625f);
}

TEST_F(PersonageViewTest, TheEditorOverlaysTheGraphOnTheScreenUnlessALevelRuns) {
    start();
    Engine::cWidget* map = new Engine::cWidget(nullptr);
    widgets.emplace_back(map);
    map->show();
    map->enable();
    screen.widget = map;
    screen.editorMode = true;
    const std::string protos = "<NodeProto Picture=\"looks/ev.tga\" size=\"18 18\" Enable=\"1\">"
                               "<Text Font=\"fonts/t.fnt\" Texture=\"fonts/t.tga\"/></NodeProto>"
                               "<ArcProto Picture=\"looks/ev.tga\" size=\"10 4\"/>";
    cPersonageView* view = heroine(
        heroineXml(kCorner + protos, std::string(kCalm) + " large_node_size=\"28 28\" normal_node_size=\"18 18\""));
    view->placeAtCurrentPoint();
    const auto& nodes = view->getNodeWidgets();
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes.at(2)->getPosition(), cVector2(116, 132));
    EXPECT_TRUE(nodes.at(2)->isVisible());
    EXPECT_EQ(nodes.at(2)->getParent(), map);
    EXPECT_EQ(nodes.at(2)->getCaption()->getText(), L"2") << "captioned with its index";
    const auto& arcs = view->getArcWidgets();
    ASSERT_EQ(arcs.size(), 2u);
    // Arc 1-2 runs straight down: centred between its nodes, as long as they are apart.
    EXPECT_EQ(arcs[1]->getPosition(), cVector2(116, 116));
    EXPECT_EQ(arcs[1]->getSize(), cVector2(32, 4));
    EXPECT_FLOAT_EQ(arcs[1]->getAngle(), -90);
    // Hovering node 1's button grows the buttons of its neighbours; leaving it shrinks them.
    ui.moveTo(116, 100);
    ui.step();
    EXPECT_EQ(nodes.at(0)->getSize(), cVector2(28, 28));
    EXPECT_EQ(nodes.at(2)->getSize(), cVector2(28, 28));
    EXPECT_EQ(nodes.at(1)->getSize(), cVector2(18, 18));
    ui.moveTo(300, 300);
    ui.step();
    EXPECT_EQ(nodes.at(0)->getSize(), cVector2(18, 18));
    EXPECT_EQ(nodes.at(2)->getSize(), cVector2(18, 18));
    // Placed again while a level runs, the overlay goes.
    screen.levelRunning = true;
    view->placeAtCurrentPoint();
    EXPECT_TRUE(view->getNodeWidgets().empty());
    EXPECT_TRUE(view->getArcWidgets().empty());
    ui.step();
    EXPECT_EQ(map->getChildren().size(), 2u); // the two prototypes
}
