// A scripted session without an end, for the kill test (scripts/kill-test): the program starts on
// the user folder MEADOW_SESSION_USER_DIR names, checks that the start went well, then plays on
// (levels won, upgrades bought, levels left half-way and resumed, quits and starts again) until it
// is killed or has made MEADOW_SESSION_ROUNDS rounds. Without the variable it is skipped.
//
// MEADOW_SESSION_SEED=<n> replays a session: it seeds the session's choices, and the game's
// own generator in place of the time (round r of the run with n + r). MEADOW_SESSION_LEVELS=<first>-<last>
// (level numbers as the lines below give them, from 0) lets a new player start at level <first>
// and ends the session once it has won as many levels as the range holds (past the last level
// the game draws them at random); it then fails when a level was not won.
//
// It prints one line per step the kill test reads: "SESSION start player=<0|1> next=<level>
// saved=<0|1>", "SESSION resumed level=<level>", "SESSION won level=<level> moves=<n>",
// "SESSION left level=<level>", "SESSION bought", "SESSION quit [moves=<n> tips=<n>]", and at
// the end of a level range "SESSION done won=<n>".

#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "game/development/DevelopmentView.h"
#include "game/model/MeadowModel.h"
#include "game/model/RandomDraw.h"
#include "tests/app/EndToEndPlayer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <random>
#include <string>

using EndToEnd::GameRun;
using EndToEnd::ScriptedPlayer;

namespace {

void say(const std::string& line) {
    std::printf("SESSION %s\n", line.c_str());
    std::fflush(stdout);
}

int32_t levelNow(ScriptedPlayer& player) {
    cDevelopmentView* view = player.mapView();
    return view && view->getModel() ? view->getModel()->getCurrentLevel() : -1;
}

TEST(EndToEndSession, PlaysUntilKilled) {
    const char* folder = std::getenv("MEADOW_SESSION_USER_DIR");
    if (!folder || !*folder)
        GTEST_SKIP() << "MEADOW_SESSION_USER_DIR names no user folder: run by scripts/kill-test";
    const char* roundsText = std::getenv("MEADOW_SESSION_ROUNDS");
    const int32_t rounds = roundsText ? std::atoi(roundsText) : 1000000;
    const char* seedText = std::getenv("MEADOW_SESSION_SEED");
    const uint32_t seed = seedText ? uint32_t(std::strtoul(seedText, nullptr, 10)) : uint32_t(std::time(nullptr));
    std::mt19937 choose(seed);
    int32_t firstLevel = -1, levelsToWin = 0, levelsWon = 0;
    if (const char* range = std::getenv("MEADOW_SESSION_LEVELS"); range && *range) {
        char* end = nullptr;
        firstLevel = int32_t(std::strtol(range, &end, 10));
        const int32_t lastLevel = *end == '-' ? int32_t(std::strtol(end + 1, nullptr, 10)) : firstLevel;
        ASSERT_TRUE(firstLevel >= 0 && lastLevel >= firstLevel) << "MEADOW_SESSION_LEVELS=" << range;
        levelsToWin = lastLevel - firstLevel + 1;
    }
    struct cSeedPin {
        ~cSeedPin() { RandomDraw::pinSeed(std::nullopt); }
    } seedPin;

    for (int32_t round = 0;; ++round) {
        if (seedText)
            RandomDraw::pinSeed(seed + uint32_t(round));
        GameRun run(folder);
        ScriptedPlayer player(run);
        ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
        const bool known = player.menuShown();
        if (!known) {
            ASSERT_TRUE(player.createPlayer(L"Robin")) << player.describe();
            if (firstLevel >= 0)
                Engine::gIntProps["NextAvailableLevel"] = firstLevel;
        }
        ASSERT_EQ(Engine::wideToNarrow(Engine::getProfileManager()->getCurrentName()), "Robin");
        const int32_t next = Engine::gIntProps["NextAvailableLevel"];
        const bool saved = Engine::gIntProps["HasBinarySave"] != 0;
        const auto savedLevel = Engine::gIntProps.find("BinarySaveLevel");
        const int32_t savedOn = savedLevel == Engine::gIntProps.end() ? -1 : savedLevel->second;
        say("start player=" + std::to_string(known ? 1 : 0) + " next=" + std::to_string(next) +
            " saved=" + std::to_string(saved ? 1 : 0));
        if (round >= rounds || (levelsToWin > 0 && levelsWon >= levelsToWin)) {
            ASSERT_TRUE(player.quit()) << player.describe();
            say("quit");
            if (levelsToWin > 0)
                say("done won=" + std::to_string(levelsWon));
            return;
        }

        ASSERT_TRUE(player.startFromMenu()) << player.describe();
        if (player.savedLevelOffered()) {
            ASSERT_TRUE(saved) << "a level is offered that the profile does not name";
            ASSERT_TRUE(player.answerSavedLevel(true)) << player.describe();
            say("resumed level=" + std::to_string(levelNow(player)));
            // A random level too comes back as the level it was saved on.
            if (savedOn >= 0) {
                ASSERT_EQ(levelNow(player), savedOn) << player.describe();
            }
        } else {
            ASSERT_FALSE(saved) << "the profile names a saved level that is not offered: " << player.describe();
        }
        // Past the last level the levels are drawn at random.
        if (!player.mapView()->getModel()->isRandomLevel()) {
            ASSERT_EQ(levelNow(player), next) << player.describe();
        }

        // A few levels, each won or left half-way; then the menu, and now and then a quit.
        for (int32_t levels = 0; levels < 3; ++levels) {
            if (choose() % 3 == 0) {
                player.playMoves(int32_t(1 + choose() % 4));
                if (player.waitForRest()) {
                    say("left level=" + std::to_string(levelNow(player)));
                    ASSERT_TRUE(player.leaveLevelForMenu()) << player.describe();
                    break;
                }
            }
            const int32_t movesBefore = player.moves();
            ASSERT_TRUE(player.playToResults()) << player.describe();
            ++levelsWon;
            say("won level=" + std::to_string(levelNow(player)) +
                " moves=" + std::to_string(player.moves() - movesBefore));
            ASSERT_TRUE(player.continueToMap()) << player.describe();
            if (player.affordableUpgrade() && choose() % 2 == 0) {
                ASSERT_TRUE(player.buyUpgrade()) << player.describe();
                say("bought");
            }
            if (levels == 2 || choose() % 4 == 0 || (levelsToWin > 0 && levelsWon >= levelsToWin)) {
                ASSERT_TRUE(player.leaveMapForMenu()) << player.describe();
                break;
            }
            ASSERT_TRUE(player.playNextLevel()) << player.describe();
        }
        ASSERT_TRUE(player.quit()) << player.describe();
        say("quit moves=" + std::to_string(player.moves()) + " tips=" + std::to_string(player.tipsClosed()));
    }
}

} // namespace
