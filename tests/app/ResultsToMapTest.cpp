// From a level's results back to the map through the program's wiring on the shipped data: the
// map comes up after the usual fade of a screen switch, never after a long black screen.

#include "game/model/CellModel.h"
#include "game/model/MeadowModel.h"
#include "tests/app/GameSession.h"

#include <gtest/gtest.h>

TEST(ResultsToMap, TheMapComesUpAfterTheUsualFadeWithoutABlackGap) {
    GameSession::Session session(false, true);
    session.startRecording();
    ASSERT_NE(session.startToMenu(), nullptr);
    cMeadowView* board = session.openBoard();
    ASSERT_NE(board, nullptr);
    // Nothing left to clear: the level ends and the results come.
    cMeadowModel* model = board->getModel();
    for (cCellModel* cell : model->getComplexCells()) {
        cell->setLocks(0);
        cell->setType(1);
        cell->setTriggerNumber(0);
    }
    model->getGoldPrizesLeft() = 0;
    ASSERT_TRUE(session.runUntil([&] { return board->getResultsView()->getContinueButton()->isEnabled(); }, 60.0f));
    session.ui.run(0.5f);

    // The board's cover (its hide time), then the frame that turns to the map; at most the frame
    // or two at the top of the fade are black.
    const float cover = board->getHideTime();
    ASSERT_GT(cover, 0);
    const GameSession::ResultsToMap passage = GameSession::leaveResultsForMap(session, board, [] { return 0.0f; });
    EXPECT_LE(passage.frames, int(cover / TestSupport::UiHarness::FRAME_TIME) + 2);
    EXPECT_LE(passage.blackFrames, 2);
    EXPECT_TRUE(GameSession::Session::mapView()->isVisible());
    // The fade ends on the map, which then takes input.
    EXPECT_TRUE(session.runUntil(GameSession::Session::mapShown, 2.0f));
}
