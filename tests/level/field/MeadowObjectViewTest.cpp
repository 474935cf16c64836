// Piece views: the bomb fire of a blast piece, the press-and-drag routing to the controller,
// the hover animation and the clone's deep-processing option.

#include "tests/level/LevelFixture.h"

#include "engine/gui/PyroEffect.h"
#include "game/model/MeadowObjectModel.h"

using namespace Engine;
using TestLevel::BoardTest;

class MeadowObjectViewTest : public BoardTest {
protected:
    // The view of the piece at the cell, placed there, shown and taking input.
    cMeadowObjectView* placed(int row, int column) {
        cMeadowObjectView* view = board->getGameObjectView(model->getObject(row, column));
        view->setPosition(field->getCellPosition(row, column));
        view->show();
        view->attachInput();
        return view;
    }
};

TEST_F(MeadowObjectViewTest, ABlastPieceBurnsAFireThatFollowsItsFrameOffset) {
    build({"1_1"});
    cMeadowObjectView* plain = placed(0, 0);
    cMeadowObjectView* blast = placed(0, 1);
    model->getObject(0, 1)->setBonusTag(201);
    ui.step();
    EXPECT_EQ(nullptr, plain->getFireEffect());
    cPyroEffect* fire = blast->getFireEffect();
    ASSERT_NE(nullptr, fire);
    EXPECT_EQ(nullptr, fire->getParent());
    EXPECT_TRUE(fire->isVisible());
    EXPECT_TRUE(fire->isPlaying());
    ASSERT_EQ(0, blast->getAnimFrame());
    EXPECT_EQ(blast->getPosition() + cVector2(1, 2), fire->getPosition());
    blast->setPosition(cVector2(10, 20));
    EXPECT_EQ(cVector2(11, 22), fire->getPosition());
    // The next step makes no second fire; a crash takes it away.
    ui.step();
    EXPECT_EQ(fire, blast->getFireEffect());
    blast->removeFireEffect();
    EXPECT_EQ(nullptr, blast->getFireEffect());
    for (cMeadowObjectView* view : {plain, blast})
        view->detachInput();
}

TEST_F(MeadowObjectViewTest, APressInsideClicksAndADragOntoTheNextPieceClearsTheDragFlag) {
    build({"1_1_1"}, false, true);
    // The layout gives no "show_next_move_time": the board tells the controller 30 s.
    controller->setHintDelay(5);
    { cMeadowView again(&states, model.get(), controller.get()); }
    EXPECT_FLOAT_EQ(30, controller->getHintDelay());
    cMeadowObjectView* views[3];
    for (int column = 0; column < 3; ++column)
        views[column] = placed(0, column);
    // A press outside every piece clicks nothing.
    ui.moveTo(10, 10);
    ui.step();
    ui.press(0);
    ui.step();
    EXPECT_FALSE(controller->isDragging());
    ui.release(0);
    ui.step();
    ui.moveTo(views[0]->getPosition().x, views[0]->getPosition().y);
    ui.step();
    ui.press(0);
    ui.step();
    EXPECT_TRUE(controller->isDragging());
    ui.moveTo(views[1]->getPosition().x, views[1]->getPosition().y);
    ui.step();
    EXPECT_FALSE(controller->isDragging());
    // Hovered past the start delay (0 here), the piece plays its animation.
    ui.step();
    EXPECT_TRUE(views[1]->getPlayAnimation());
    // Detached, a piece takes neither presses nor hovers.
    views[2]->detachInput();
    ui.moveTo(views[2]->getPosition().x, views[2]->getPosition().y);
    ui.step();
    ui.press(0);
    ui.step();
    EXPECT_FALSE(controller->isDragging());
    EXPECT_FALSE(views[2]->getPlayAnimation());
    for (cMeadowObjectView* view : {views[0], views[1]})
        view->detachInput();
}

TEST_F(MeadowObjectViewTest, ClonesDoNotTakeTheMouseFromTheirNeighbours) {
    build({"1"});
    board->getObjectProto()->setDeepProcessing(true);
    cMeadowObjectView copy(*board->getObjectProto());
    EXPECT_FALSE(copy.getDeepProcessing());
}
