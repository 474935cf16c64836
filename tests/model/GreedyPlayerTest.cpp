// The greedy player plays shipped levels to their end through the controller, pays what the
// board pays, and keeps out of the shell's services.

#include "game/model/GreedyPlayer.h"
#include "engine/core/Random.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/Signal.h"
#include "tests/model/ModelFixture.h"
#include "tests/model/ShippedModel.h"
#include "tests/model/fakes/FakeGameSounds.h"
#include "tests/model/fakes/FakeMatchStatistics.h"

#include <gtest/gtest.h>

namespace {

TEST(GreedyPlayer, WinsShippedLevelsOfEveryKind) {
    auto model = TestShipped::makeModel();
    // Wood and iron, locks, triggers and hidden cells, prizes and vehicles, all mixed.
    for (int32_t level : {0, 20, 40, 45, 60, 70, 90, 99}) {
        SCOPED_TRACE("level " + std::to_string(level + 1));
        const cGreedyPlayer::cResult result = cGreedyPlayer::play(*model, level, 7, 200);
        EXPECT_TRUE(result.won);
        EXPECT_GT(result.moves, 0);
        EXPECT_EQ(model->getRows(), 0);
    }
}

TEST(GreedyPlayer, PutsThePlayersProgressBack) {
    auto model = TestShipped::makeModel();
    model->addResourcePoints(1, 500);
    model->setNextAvailableLevel(7);
    model->getUnlockedTypes() = {21};
    int32_t paid = 0;
    model->m_pointsEarnedSignal.connect([&](const Engine::cVector2&, const int32_t& money) { paid += money; });
    const cGreedyPlayer::cResult result = cGreedyPlayer::play(*model, 3, 1, 200);
    ASSERT_TRUE(result.won);
    EXPECT_GT(paid, 0);
    EXPECT_EQ(model->getResourcePoints(1), 500);
    EXPECT_EQ(model->getNextAvailableLevel(), 7);
    EXPECT_EQ(model->getUnlockedTypes(), std::vector<int32_t>{21});
    EXPECT_FALSE(model->isRandomLevel());
}

TEST(GreedyPlayer, DeliversEveryPrizeOfAPrizeLevel) {
    auto model = TestShipped::makeModel();
    int32_t prizeLevel = -1;
    for (int32_t level = 0; level < model->getLevelCount() && prizeLevel < 0; ++level)
        if (!model->getLevels()[size_t(level)].vehicles.empty())
            prizeLevel = level;
    ASSERT_GE(prizeLevel, 0);
    int32_t delivered = 0;
    model->m_objectPassedDownSignal.connect([&](cMeadowObjectModel*) { ++delivered; });
    const cGreedyPlayer::cResult result = cGreedyPlayer::play(*model, prizeLevel, 3, 200);
    EXPECT_TRUE(result.won);
    EXPECT_GE(delivered, int32_t(model->getLevels()[size_t(prizeLevel)].vehicles.size()));
}

TEST(GreedyPlayer, KeepsTheShellsServicesOutOfItsPlayAndPutsThemBack) {
    TestFakes::FakeGameSounds sounds;
    TestFakes::FakeMatchStatistics statistics;
    GameServices::setGameSounds(&sounds);
    GameServices::setMatchStatistics(&statistics);
    auto model = TestShipped::makeModel();
    cGreedyPlayer::play(*model, 0, 1, 200);
    EXPECT_TRUE(sounds.calls().empty());
    EXPECT_EQ(statistics.m_counters[0], 0);
    EXPECT_EQ(GameServices::getGameSounds(), &sounds);
    EXPECT_EQ(GameServices::getMatchStatistics(), &statistics);
    GameServices::setGameSounds(nullptr);
    GameServices::setMatchStatistics(nullptr);
}

TEST(GreedyPlayer, WithAControllerAliveItRefusesBeforeTouchingTheBoard) {
    auto model = TestShipped::makeModel();
    cMeadowController controller(model.get(), nullptr, false);
    EXPECT_EQ(TestModel::thrownPlainText([&] { cGreedyPlayer::play(*model, 0, 1, 10); }), "Object already exist.");
    EXPECT_EQ(model->getRows(), 0);
}

TEST(GreedyPlayer, StopsAtItsMoveBudget) {
    auto model = TestShipped::makeModel();
    const cGreedyPlayer::cResult result = cGreedyPlayer::play(*model, 99, 1, 2);
    EXPECT_FALSE(result.won);
    EXPECT_EQ(result.moves, 2);
    EXPECT_EQ(model->getRows(), 0);
}

// The move it would make on a board as it stands, for a player acting through the board screen:
// two neighbours whose swap makes a run; nothing on a board with no level.
TEST(GreedyPlayer, ChoosesAMoveOnTheBoardAsItStands) {
    auto model = TestShipped::makeModel();
    int32_t r1 = -1, c1 = -1, r2 = -1, c2 = -1;
    EXPECT_FALSE(cGreedyPlayer::chooseMove(*model, r1, c1, r2, c2));
    for (int32_t level : {0, 45, 99}) {
        SCOPED_TRACE("level " + std::to_string(level + 1));
        Engine::randomSeed(5);
        model->loadLevel(level, nullptr);
        model->resetObjectStates();
        ASSERT_TRUE(cGreedyPlayer::chooseMove(*model, r1, c1, r2, c2));
        cMeadowObjectModel* first = model->getObject(r1, c1);
        cMeadowObjectModel* second = model->getObject(r2, c2);
        ASSERT_TRUE(first && second);
        EXPECT_TRUE(model->isNeighbour(first, second));
        EXPECT_FALSE(model->hasMatches());
        model->swapInGrid(first, second);
        EXPECT_TRUE(model->hasMatches());
        model->clearLevel();
    }
}

} // namespace
