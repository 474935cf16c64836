#pragma once

// The whole program on the shipped data folder, run headless through the frame loop with a user
// folder that outlives the run, and a scripted player who sees the screens and the board's model
// but acts only with the mouse: presses on a piece and lets go on its neighbour, clicks buttons
// where they are on the screen, and closes every tutorial tip that shows with its OK button.

#include "engine/core/Vector2.h"
#include "tests/support/UiHarness.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Engine {
class cSprite;
}
class cDevelopmentView;
class cMapScreen;
class cUpgradeButton;
class cMeadowModel;
class cMeadowView;

namespace EndToEnd {

// One start of the program: the services, the game's wiring and its create callback, as the
// program's entry point makes them; the destructor ends the game as the message loop does.
class GameRun {
public:
    // userFolder: the base of the user folder (what MEADOW_USER_DIR names), kept between runs.
    // With soundSystem the engine's own sound system plays on the null audio output, which each
    // frame pulls (TestSupport::UiHarness::heard()); else the harness records what is played.
    explicit GameRun(const std::string& userFolder, bool soundSystem = false);
    ~GameRun();
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    TestSupport::UiHarness& ui() { return *m_ui; }
    // The main window was closed (the exit dialog's yes): the message loop would end now.
    bool windowClosed() const;

private:
    std::unique_ptr<TestSupport::UiHarness> m_ui;
    bool m_ended = false;
};

class ScriptedPlayer {
public:
    explicit ScriptedPlayer(GameRun& run) : m_run(run), m_ui(run.ui()) {}

    // One frame; a tutorial tip that shows is closed with its OK button first, an awards board
    // the player opened with its return button.
    void step();
    // Frames until the condition holds or the game time runs out.
    bool runUntil(const std::function<bool()>& condition, float seconds = 20.0f);
    void click(const Engine::cSprite* widget);
    void click(const Engine::cVector2& at);
    // Presses at one place, moves to the other and lets go there.
    void drag(const Engine::cVector2& from, const Engine::cVector2& to);

    // The logos and the loading screen passed: the new-player dialog or the main menu takes input.
    bool reachFrontEnd(float seconds = 60.0f);
    bool newPlayerDialogShown() const;
    bool menuShown() const;
    // Types the name into the new-player dialog and clicks its OK button; the menu comes.
    bool createPlayer(const std::wstring& name);
    // The menu's start: the map opens and either a level starts or the saved level is offered.
    bool startFromMenu();
    // The saved-level question on the map: yes resumes the level.
    bool savedLevelOffered() const;
    bool answerSavedLevel(bool resume);

    cMapScreen* map() const;
    cDevelopmentView* mapView() const;
    bool mapShown() const;
    // The board screen of the running level, when it shows and takes moves.
    cMeadowView* board() const;
    bool boardReady() const;
    bool resultsShown() const;
    // The board at rest for a few frames, taking moves (false when the results came instead).
    bool waitForRest(float seconds = 30.0f);

    // Makes the move the greedy player picks, by mouse (a drag from one piece to the other, or
    // two clicks on a bonus piece); false when none could be made.
    bool makeMove();
    // Moves until the level's results show, at most `moves` moves (false when they do not show).
    bool playToResults(int32_t moves = 400);
    // Makes up to `moves` moves and stops while the level still runs.
    int32_t playMoves(int32_t moves);
    // The results' continue button: the map comes back.
    bool continueToMap();
    // The first upgrade on the map's row the player can pay for, or null.
    cUpgradeButton* affordableUpgrade();
    // Buys the first upgrade the player can pay for (the last look when it has several).
    bool buyUpgrade();
    // The map's next-level button: the board shows the next level.
    bool playNextLevel();
    // The board's menu button, then main menu and yes: the level is kept and the menu comes.
    bool leaveLevelForMenu();
    // The map's main-menu button.
    bool leaveMapForMenu();
    // The menu's exit button and yes: the main window closes.
    bool quit();

    TestSupport::UiHarness& ui() { return m_ui; }
    // Moves made and tutorial tips closed so far.
    int32_t moves() const { return m_moves; }
    int32_t tipsClosed() const { return m_tipsClosed; }
    int32_t awardsClosed() const { return m_awardsClosed; }
    // What shows now, for failure messages.
    std::string describe() const;

private:
    bool closeTip();

    GameRun& m_run;
    TestSupport::UiHarness& m_ui;
    int32_t m_moves = 0;
    int32_t m_tipsClosed = 0;
    int32_t m_awardsClosed = 0;
};

// The board as rows of text, the top row first, and the waiting vehicles: for failure messages.
std::string describeBoard(cMeadowModel& model);

// True while a screen switch is under way.
bool switching();

// Whether the shipped sound (a path in the data folder) was heard in the audio the harness pulled
// (TestSupport::UiHarness::heard()). The mixer starts a sound at the start of a pull and adds it
// at full volume to whatever else plays, so where it was played, the sound's share of the audio
// is the whole sound in each of its pieces of about 50 ms. Returns the least, over the pulls,
// of the largest piece's departure from that share: about 0 where it was played, far more for
// a sound that was not, however alike.
double heardMismatch(TestSupport::UiHarness& ui, const std::string& path);

} // namespace EndToEnd
