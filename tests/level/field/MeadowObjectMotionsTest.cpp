// The piece view's motions stepped by hand with exact frame times: the model states they
// write, where they end, and the shakes, level-end falls and zero-length moves that must end.

#include "tests/level/MoveFixture.h"

#include <cmath>

using namespace Engine;
using TestLevel::MoveTest;

namespace {

const std::vector<std::string> BOARD = {"1121", "3434", "2342", "4233"};
const float DT = 0.125f;

} // namespace

class MeadowObjectMotionsTest : public MoveTest {
protected:
    // Steps until the motion reports its end; answers the calls made (-1 past the limit).
    template <typename Step> int run(Step step, int limit = 200) {
        for (int calls = 1; calls <= limit; ++calls)
            if (step())
                return calls;
        return -1;
    }
};

TEST_F(MeadowObjectMotionsTest, AnExchangeRunsTwoHalfEllipsesAndEndsIdleOnTheTargets) {
    play(BOARD);
    cMeadowObjectView* left = view(0, 1);
    cMeadowObjectView* right = view(0, 2);
    model->swapObjects(piece(0, 1), piece(0, 2));
    left->setTargetPosition(at(0, 2));
    right->setTargetPosition(at(0, 1));
    left->startExchange(true, true);
    right->startExchange(true, false);
    EXPECT_FALSE(left->isInputAttached());
    // A quarter of the way (w = 4 pi per second): the left piece below the row and larger, the
    // right one above it and smaller.
    left->stepExchange(0.0625f);
    right->stepExchange(0.0625f);
    EXPECT_GT(left->getPosition().y, at(0, 1).y);
    EXPECT_LT(right->getPosition().y, at(0, 1).y);
    EXPECT_GT(left->getSize().x, left->getBaseSize().x);
    EXPECT_LT(right->getSize().x, right->getBaseSize().x);
    EXPECT_FLOAT_EQ(5.5f, left->getDepth());
    EXPECT_FLOAT_EQ(4.5f, right->getDepth());
    EXPECT_EQ(4, run([&] { return left->stepExchange(0.0625f); }));
    right->endExchange();
    left->endExchange();
    EXPECT_EQ(at(0, 2), left->getPosition());
    EXPECT_EQ(at(0, 1), right->getPosition());
    EXPECT_FLOAT_EQ(5, left->getDepth());
    EXPECT_EQ(left->getBaseSize(), left->getSize());
    EXPECT_EQ(cMeadowObjectModel::IDLE, left->getObject()->getState());
    EXPECT_TRUE(left->isInputAttached());
    // Someone reset the state meanwhile: the end is refused.
    right->getObject()->setIdle();
    EXPECT_THROW(right->onEndMoving(), const char*);
}

TEST_F(MeadowObjectMotionsTest, AMatchPulseGrowsShrinksHidesAndEndsAfterTheDelay) {
    play(BOARD);
    cMeadowObjectView* v = view(1, 1);
    const cVector2 base = v->getBaseSize();
    v->startMatch();
    EXPECT_EQ(cMeadowObjectModel::STATE_3, v->getObject()->getState());
    // inc_size_time 0.5, inc_size_param 2: the size at t is 2 - 4 (0.5 - t)^2 times the base.
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(v->stepMatch(DT));
    EXPECT_EQ(base * 2.0f, v->getSize());
    // It is gone at 0.5 + sqrt(0.5) = 1.207 s and ends after_match_delay (0.125 s) later.
    int calls = 5 + run([&] { return v->stepMatch(DT); });
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(12, calls); // t = 1.25 hides it, t = 1.375 >= 1.332 ends it
}

TEST_F(MeadowObjectMotionsTest, AppearDescendFallAndLandingWriteTheirStatesAndRestOnTheCell) {
    play(BOARD);
    cMeadowObjectView* v = view(2, 2);
    v->setTargetPosition(at(2, 2));
    v->startAppear();
    EXPECT_EQ(cMeadowObjectModel::STATE_6, v->getObject()->getState());
    EXPECT_EQ(cVector2(0, 0), v->getSize());
    EXPECT_EQ(2, run([&] { return v->stepAppear(DT); })); // match_effect_time 0.25
    EXPECT_EQ(v->getBaseSize(), v->getSize());
    EXPECT_EQ(cMeadowObjectModel::IDLE, v->getObject()->getState());
    EXPECT_TRUE(v->isInputAttached());

    v->setPosition(at(3, 2));
    v->startDescend();
    EXPECT_EQ(cMeadowObjectModel::STATE_8, v->getObject()->getState());
    EXPECT_GT(run([&] { return v->stepDescend(DT); }), 0);
    EXPECT_EQ(at(2, 2), v->getPosition());
    EXPECT_EQ(cMeadowObjectModel::IDLE, v->getObject()->getState());

    // A slide waits no delay but its first call still moves nothing.
    v->setPosition(at(3, 2));
    v->startFall(768, true);
    EXPECT_EQ(cMeadowObjectModel::STATE_18, v->getObject()->getState());
    EXPECT_FLOAT_EQ(15, v->getDepth());
    EXPECT_FALSE(v->stepFall(DT));
    EXPECT_EQ(at(3, 2), v->getPosition());
    EXPECT_GT(run([&] { return v->stepFall(DT); }), 0);
    EXPECT_EQ(at(2, 2), v->getPosition());
    EXPECT_FLOAT_EQ(5, v->getDepth());
    EXPECT_EQ(cMeadowObjectModel::STATE_18, v->getObject()->getState()) << "left to the field view";

    // The landing dips below the cell and lasts 2 (v / 5) / bouncing_speed.
    v->startLanding();
    EXPECT_EQ(cMeadowObjectModel::STATE_19, v->getObject()->getState());
    const float duration = 2 * v->getSpeed() / 1024;
    EXPECT_FLOAT_EQ(duration, v->getBounceTimeLeft());
    v->stepLanding(duration / 4);
    EXPECT_GT(v->getPosition().y, at(2, 2).y);
    EXPECT_FALSE(v->stepLanding(duration / 2));
    EXPECT_TRUE(v->stepLanding(duration / 4 + 1e-4f));
    EXPECT_EQ(at(2, 2), v->getPosition());
    EXPECT_EQ(cMeadowObjectModel::IDLE, v->getObject()->getState());
}

TEST_F(MeadowObjectMotionsTest, MovesShorterThanAStepOrOfZeroLengthArriveAtOnce) {
    play(BOARD);
    cMeadowObjectView* v = view(1, 1);
    const cVector2 cell = at(1, 1);
    struct Case {
        const char* name;
        cVector2 start;
    };
    for (const Case& c : {Case{"on the target", cell}, Case{"a hair away", cell + cVector2(0.0f, 1e-4f)},
                          Case{"less than a step away", cell + cVector2(0.5f, 1.0f)}}) {
        SCOPED_TRACE(c.name);
        v->setTargetPosition(cell);
        v->setPosition(c.start);
        v->startDescend();
        EXPECT_TRUE(v->stepDescend(DT));
        EXPECT_EQ(cell, v->getPosition());
        v->setPosition(c.start);
        v->startFall(768, true);
        EXPECT_FALSE(v->stepFall(DT)); // the slide's one waiting call
        EXPECT_TRUE(v->stepFall(DT));
        EXPECT_EQ(cell, v->getPosition());
    }
}

TEST_F(MeadowObjectMotionsTest, AMotionEndsTheShakesAndAShakeEndsIdleOnlyWhileItStillOwnsThePiece) {
    play(BOARD);
    // The controller's board checks stay still: only the views run.
    controller->setInputLocked(true);
    cMeadowObjectView* v = view(2, 1);
    // A shake interrupted by a fall: the fall goes on, the shake never snaps it back.
    v->startShake();
    EXPECT_EQ(cMeadowObjectModel::MOVING, v->getObject()->getState());
    frame();
    v->setTargetPosition(at(1, 1));
    v->startFall(768, false);
    EXPECT_FALSE(v->isShaking());
    for (int i = 0; i < 8; ++i) { // past shake_time (0.25 s)
        frame();
        v->stepFall(0.0625f);
    }
    EXPECT_EQ(cMeadowObjectModel::STATE_18, v->getObject()->getState());
    EXPECT_NE(at(2, 1), v->getPosition());

    // A piece the model took over while it shook is left to its new owner.
    cMeadowObjectView* w = view(3, 3);
    w->startShake();
    frame();
    w->getObject()->setFalling();
    for (int i = 0; i < 8; ++i)
        frame();
    EXPECT_FALSE(w->isShaking());
    EXPECT_EQ(cMeadowObjectModel::FALLING, w->getObject()->getState());
    EXPECT_FALSE(w->isInputAttached());

    // An undisturbed shake ends idle on the cell, taking clicks again.
    cMeadowObjectView* u = view(0, 0);
    u->startShake();
    for (int i = 0; i < 8; ++i)
        frame();
    EXPECT_EQ(cMeadowObjectModel::IDLE, u->getObject()->getState());
    EXPECT_EQ(at(0, 0), u->getPosition());
    EXPECT_TRUE(u->isInputAttached());
}

TEST_F(MeadowObjectMotionsTest, EndOfLevelFallsStartRowByRowAndABoardWithoutRowsNeverHangs) {
    play(BOARD);
    // end_level_delta_time 0.5, end_level_dt 1, no fluctuation: row r of n waits 0.5 + r / n.
    struct Case {
        int row, rows;
        float delay;
    };
    for (const Case& c : {Case{0, 4, 0.5f}, Case{2, 4, 1.0f}, Case{3, 4, 1.25f}, Case{3, 0, 0.5f}}) {
        cMeadowObjectView* v = view(c.row, 1);
        v->startEndLevelFall(768, c.rows);
        EXPECT_FLOAT_EQ(c.delay, v->getEndLevelDelay()) << c.row << "/" << c.rows;
        EXPECT_EQ(cMeadowObjectModel::STATE_8, v->getObject()->getState());
    }
    cMeadowObjectView* v = view(0, 1);
    const int calls = run([&] { return v->stepEndLevelFall(0.0625f); });
    ASSERT_GT(calls, 8);
    EXPECT_FLOAT_EQ(768 + 100, v->getPosition().y);
    EXPECT_EQ(cMeadowObjectModel::IDLE, v->getObject()->getState());
    EXPECT_FALSE(v->isInputAttached());
}

TEST_F(MeadowObjectMotionsTest, CapturesBouncesDestroysAndBeesEndWhereTheyShould) {
    play(BOARD);
    cMeadowObjectView* v = view(1, 2);
    v->captureWithDelay(0.25f);
    EXPECT_EQ(cMeadowObjectModel::CAPTURED, v->getObject()->getState());
    EXPECT_EQ(3, run([&] { return v->stepDelay(DT); })); // the delay must fall below 0
    EXPECT_EQ(cMeadowObjectModel::IDLE, v->getObject()->getState());

    // bouncing_time 0.125, bouncing_speed 1024: out for half the time, back for the rest.
    v->startBounce(3, 4, 0.0625f);
    EXPECT_FALSE(v->stepBounce(0.0625f));
    EXPECT_EQ(at(1, 2), v->getPosition()) << "still waiting";
    EXPECT_FALSE(v->stepBounce(0.03125f));
    EXPECT_NEAR(at(1, 2).x + 0.6f * 32, v->getPosition().x, 1e-3f);
    EXPECT_GT(run([&] { return v->stepBounce(0.03125f); }), 0);
    EXPECT_EQ(at(1, 2), v->getPosition());
    EXPECT_EQ(cMeadowObjectModel::IDLE, v->getObject()->getState());

    v->startDestroy();
    EXPECT_FLOAT_EQ(0, v->getAlpha());
    EXPECT_EQ(4, run([&] { return v->stepDestroy(DT); })); // destroy_effect_time 0.5
    EXPECT_FALSE(v->isVisible());
    EXPECT_FLOAT_EQ(1, v->getAlpha());
    EXPECT_EQ(v->getBaseSize(), v->getSize());

    // A bee closer than bee_min_dist flies straight to its target and lands idle there.
    cMeadowObjectView* bee = view(2, 2);
    bee->getObject()->setMixing();
    bee->setTargetPosition(at(2, 2) + cVector2(-30, 0));
    bee->startMixing(states.getVisualState("selection"), 1.0f);
    EXPECT_TRUE(bee->getDecoration()->getInverseX()) << "flying left";
    EXPECT_EQ(bee->getBaseSize() * 0.8f, bee->getSize());
    const int calls = run([&] { return bee->stepMixing(0.0625f); });
    EXPECT_EQ(12, calls); // 30 px at bee_speed 40: 0.75 s
    EXPECT_EQ(at(2, 2) + cVector2(-30, 0), bee->getPosition());
    EXPECT_FALSE(bee->getDecoration()->isVisible());
    EXPECT_EQ(cMeadowObjectModel::IDLE, bee->getObject()->getState());
    EXPECT_TRUE(bee->isInputAttached());
}
