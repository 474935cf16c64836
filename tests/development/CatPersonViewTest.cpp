#include "game/development/CatPersonView.h"

#include "game/development/Graph.h"
#include "game/model/MeadowModel.h"
#include "tests/development/ViewFixture.h"

#include <cmath>

using namespace TestViews;
using Engine::cVector2;

namespace {

// The bird house (22) and an ordinary building (5), 16 units apart.
const std::string kYard = graphXml({{5, 100, 100}, {22, 116, 100}}, {{5, 22}});

} // namespace

using CatPersonViewTest = ViewFixture;

TEST_F(CatPersonViewTest, DirectionsUseItsOwnLooksMirroredForTheRight) {
    start();
    cCatPersonView* view = cat(catXml(kYard));
    const float s = std::sin(40.0f * 3.14159265f / 180.0f), c = std::cos(40.0f * 3.14159265f / 180.0f);
    const struct {
        cVector2 d;
        const char* look;
        cVector2 size;
        float speed;
        bool mirrored;
    } walks[] = {
        {{-1, 0}, "cat_pers_move_left", {30, 3}, 16, false},
        {{1, 0}, "cat_pers_move_left", {30, 3}, 16, true},
        // Straight up or down faces as drawn.
        {{0, -1}, "cat_pers_move_up", {10, 1}, 8, false},
        {{s, -c}, "cat_pers_move_up_left", {20, 2}, 32, true},
        {{-s, -c}, "cat_pers_move_up_left", {20, 2}, 32, false},
        {{1, 1}, "cat_pers_move_down_left", {40, 4}, 32, true},
        {{0, 1}, "cat_pers_move_down", {50, 5}, 8, false},
        {{0, 0}, "cat_pers_move_down", {50, 5}, 8, false},
    };
    for (const auto& w : walks) {
        view->setMoveAnimation(w.d);
        EXPECT_EQ(lookOf(*view), w.look) << w.d.x << "," << w.d.y;
        EXPECT_EQ(view->getSize(), w.size) << w.look;
        EXPECT_EQ(view->getSpeed(), w.speed) << w.look;
        EXPECT_EQ(view->getInverseX(), w.mirrored) << w.d.x << "," << w.d.y;
    }
}

TEST_F(CatPersonViewTest, PlaysItsSceneAtTheBirdHouseAndWorksAMomentElsewhere) {
    start();
    TestCharacters::GroupController controller;
    controller.setGroup(1);
    cCatPersonView* view = cat(catXml(kYard), 2);
    cPersonageModel& model = *view->getModel();
    CountingUnitView* ordinary = unitAt(model, 5);
    CountingUnitView* birdHouse = unitAt(model, 22);
    model.setCurrentPoint(5);
    view->placeAtCurrentPoint();
    EXPECT_EQ(lookOf(*view), "cat_pers_idle");

    model.setCurrentPoint(22);
    model.setState(cPersonageModel::PERSONAGE_MOVE);
    view->startMoving();
    ui.steps(17);
    EXPECT_EQ(view->getPosition(), cVector2(116, 100));
    EXPECT_TRUE(view->isWorking());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(lookOf(*view), "c_birds");
    EXPECT_EQ(view->getSize(), cVector2(64, 56));
    EXPECT_FALSE(view->getInverseX());
    // The scene's 1.5 s, counted from the frame of arrival.
    EXPECT_EQ(view->getWorkTimeLeft(), 1.5f - TestSupport::UiHarness::FRAME_TIME);
    EXPECT_EQ(sounds.log, std::vector<std::string>{"cat_voice2"});
    EXPECT_EQ(birdHouse->voices, 1);
    EXPECT_TRUE(birdHouse->m_working);
    ui.steps(22);
    EXPECT_TRUE(view->isWorking());
    ui.step();
    EXPECT_FALSE(view->isWorking());
    EXPECT_FALSE(birdHouse->m_working);
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(lookOf(*view), "cat_pers_idle");

    // At the ordinary building its 0.01 s end in the frame of arrival, silently.
    model.setCurrentPoint(5);
    model.setState(cPersonageModel::PERSONAGE_MOVE);
    view->startMoving();
    ui.steps(16);
    EXPECT_TRUE(view->isMoving());
    ui.step();
    EXPECT_EQ(view->getPosition(), cVector2(100, 100));
    EXPECT_EQ(model.getWorkUnit(), ordinary);
    EXPECT_FALSE(view->isWorking());
    EXPECT_FALSE(ordinary->m_working);
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(lookOf(*view), "cat_pers_idle");
    EXPECT_EQ(sounds.log.size(), 1u);
}

TEST_F(CatPersonViewTest, TheUpdatePassDoesNotCountItsSceneTwice) {
    start();
    TestCharacters::GroupController controller;
    cCatPersonView* view = cat(catXml(kYard, std::string("AbsoluteEnable=\"1\" ") + kCalm));
    ASSERT_TRUE(view->isAbsoluteEnabled());
    cPersonageModel& model = *view->getModel();
    unitAt(model, 22);
    model.setCurrentPoint(22);
    view->placeAtCurrentPoint();
    model.setState(cPersonageModel::PERSONAGE_MOVE);
    view->startMoving();
    ui.step();
    ASSERT_TRUE(view->isWorking());
    // The scene's 1.5 s still take 24 frames of 1/16 s.
    ui.steps(22);
    EXPECT_TRUE(view->isWorking());
    ui.step();
    EXPECT_FALSE(view->isWorking());
}

TEST_F(CatPersonViewTest, MewsWhenClickedThenKeepsSilentForAWhile) {
    start();
    TestCharacters::GroupController controller;
    cCatPersonView* view = cat(catXml(kYard));
    view->clicked();
    EXPECT_EQ(sounds.log, std::vector<std::string>{"cat_voice0"});
    EXPECT_EQ(view->getVoiceCooldown(), 2.0f);
    ui.steps(31);
    view->clicked();
    EXPECT_EQ(sounds.log.size(), 1u);
    ui.step();
    view->clicked();
    EXPECT_EQ(sounds.log.size(), 2u);
    // Never while a board screen is open.
    ui.steps(40);
    screen.levelScreenOpen = true;
    view->clicked();
    EXPECT_EQ(sounds.log.size(), 2u);
}

TEST_F(CatPersonViewTest, AClickWhereItIsDrawnMewsAndCountsAsAnimalCare) {
    start();
    TestCharacters::GroupController controller;
    cCatPersonView* view = cat(catXml(kYard), 1);
    view->getModel()->setCurrentPoint(5);
    view->placeAtCurrentPoint();
    ui.step();
    // Its feet stand at (100, 100); the picture is raised by 56 units.
    ui.click(100, 110);
    ui.steps(2);
    EXPECT_TRUE(sounds.log.empty());
    ui.click(100, 30);
    ui.steps(2);
    EXPECT_EQ(sounds.log, std::vector<std::string>{"cat_voice1"});
    EXPECT_EQ(controller.model->getAnimalsCare(), 1);
}

TEST_F(CatPersonViewTest, WhenItsIdleTimeRunsOutItWandersToARandomNode) {
    start();
    // will_to_work 0: it always sets off rather than play an event.
    cCatPersonView* view = cat(catXml(kYard, "min_idle_time=\"0.25\" max_idle_time=\"0.25\" will_to_work=\"0\""));
    cPersonageModel& model = *view->getModel();
    model.setCurrentPoint(5);
    view->placeAtCurrentPoint();
    bool walked = false, reached = false;
    for (int frame = 0; frame < 200 && !reached; ++frame) {
        ui.step();
        walked = walked || view->isMoving();
        reached = (view->getPosition() - cVector2(116, 100)).length() < 1.0f;
    }
    EXPECT_TRUE(walked);
    EXPECT_TRUE(reached);
    // No building there: it stands idle again.
    ui.step();
    EXPECT_FALSE(view->isWorking());
}

TEST_F(CatPersonViewTest, FunnyEventsPlayWithoutABubbleAndItNeverTalks) {
    start();
    TestCharacters::GroupController controller;
    // will_to_work 1: at the end of its idle time it always plays an event rather than walk.
    cCatPersonView* view = cat(catXml(kYard, "min_idle_time=\"0.0625\" max_idle_time=\"0.0625\" will_to_work=\"1\""));
    cPersonageModel& model = *view->getModel();
    model.setCurrentPoint(5);
    view->placeAtCurrentPoint();
    ui.step();
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_FUNNY_EVENT);
    EXPECT_TRUE(view->isFunnyTalking());
    const std::string look = lookOf(*view);
    EXPECT_TRUE(look == "c_wash" || look == "c_nap") << look;
    EXPECT_FALSE(view->getBubble()->isVisible());
    // Its 1 s counts from the frame it began.
    ui.steps(14);
    EXPECT_TRUE(view->isFunnyTalking());
    ui.step();
    EXPECT_FALSE(view->isFunnyTalking());
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(lookOf(*view), "cat_pers_idle");

    EXPECT_EQ(TestModel::thrownText([&] { view->startTalking(); }), "cCatPersonView::startTalking(): cat cannot talk");
    model.setState(cPersonageModel::PERSONAGE_TALK);
    EXPECT_EQ(TestModel::thrownText([&] { view->updateVisualState(); }),
              "cCatPersonView::updateVisualState(): cat cannot talk");
    EXPECT_EQ(TestModel::thrownText([&] { view->getVisualState("none"); }),
              "cCatPersonView::getVisualState(): visual state for a given id was not found: id = none");
    model.setState(cPersonageModel::PERSONAGE_WORK);
    EXPECT_EQ(TestModel::thrownText([&] { view->updateVisualState(); }),
              "cCatPersonView::updateVisualState(): working unit is undefined in the model.");
    EXPECT_EQ(TestModel::thrownText([&] { view->startWorking(); }),
              "cCatPersonView::startWorking(): working unit is undefined in the model.");
    model.setState(9);
    EXPECT_EQ(TestModel::thrownText([&] { view->updateVisualState(); }),
              "cCatPersonView::updateVisualState(): unknown model state: 9");
    cCatPersonView* apart = cat(catXml(graphXml({{5, 100, 100}, {22, 116, 100}}, {})), 1);
    apart->getModel()->setCurrentPoint(22);
    EXPECT_EQ(TestModel::thrownText([&] { apart->onEndMoving(5); }),
              "cCatPersonView::onEndMoving(): path was not found");
}
