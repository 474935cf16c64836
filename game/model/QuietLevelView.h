#pragma once

// The board screen without drawing, for a player that runs without one (the greedy player of
// the level checker). Every motion ends at the next frame, and what the board screen does to
// the model happens as it does there: matched pieces leave (wood and iron wear down, locks come
// off, one trigger opens on the player's move, vehicles take what they want), a four-run or a
// five-run of the player's move leaves a bonus piece, big runs take pieces around them, bonus
// pieces that go off hit their cells, and prizes that leave the board are paid.

#include "game/model/LevelView.h"
#include "game/model/PieceView.h"

#include <boost/signals2/connection.hpp>

#include <list>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class cCellModel;
class cMeadowController;
class cMeadowModel;

class cQuietLevelView : public ILevelView {
public:
    // Pieces a five-run of the player's move takes around it (the board screen's
    // "fig5_around_objects").
    static constexpr int32_t FIVE_RUN_AROUND = 8;

    cQuietLevelView(cMeadowModel& model, cMeadowController& controller);
    ~cQuietLevelView() override;
    cQuietLevelView(const cQuietLevelView&) = delete;
    cQuietLevelView& operator=(const cQuietLevelView&) = delete;

    void setInputLocked(bool locked) override { m_locked = locked; }
    void refresh() override {}
    void updateSelection() override {}
    void showMatchedFigures(const tFigureList& figures, bool cascade) override;
    void animateExchange(IPieceView* first, IPieceView* second) override { m_exchange = {first, second}; }
    void animateSwapBack(IPieceView* first, IPieceView* second) override { m_swapBack = {first, second}; }
    void crashCell(const Engine::cVector2& position, IBonusEffect* effect) override;
    // The controller asks on every check; only pieces that were given a motion start one.
    void startObjectMotions() override { m_motion = m_motion || hasMovingPiece(); }
    IPieceView* getGameObjectView(cMeadowObjectModel* piece) override { return view(piece); }
    void showHint(const Engine::cVector2&, const Engine::cVector2&) override {}
    void hideHint() override {}
    void updateVehicles() override {}
    bool isFieldBusy() override { return false; }
    void finishLevel() override;
    void resumeMusic() override {}
    bool isShown() override { return true; }
    bool isEnabled() override { return true; }
    IBonusEffect* createBonusEffect(int) override { return nullptr; }
    void deleteBonusEffect(IBonusEffect*) override {}

    IPieceView* view(cMeadowObjectModel* piece);

    // One frame: the motions started since the last one end (swaps, pieces taken around a run,
    // pieces hit), prizes that left are paid, a launched vehicle arrives, then the controller's
    // frame runs unless the screen is locked.
    void step(float dt);
    // True while something moves, waits to be hit, removed or paid.
    bool isActive() const;
    bool isFinished() const { return m_finished; }

private:
    bool hasMovingPiece() const;
    void applyFigureBonus(cMeadowFigure& figure, bool cascade);
    void takeAround(const cMeadowFigure& figure);
    // Opens the trigger at or beside the position unless one opened this frame.
    void openTriggerAt(const Engine::cVector2& position);
    void onBonusGoesOff(cMeadowObjectModel* piece);
    void onCellHit(cCellModel* cell, bool blast);

    cMeadowModel& m_model;
    cMeadowController& m_controller;
    std::vector<boost::signals2::connection> m_connections;
    std::map<cMeadowObjectModel*, std::unique_ptr<IPieceView>> m_views;
    std::pair<IPieceView*, IPieceView*> m_exchange{nullptr, nullptr};
    std::pair<IPieceView*, IPieceView*> m_swapBack{nullptr, nullptr};
    std::vector<cMeadowObjectModel*> m_passedDown;
    std::vector<cMeadowObjectModel*> m_captured;
    std::list<cMeadowObjectModel*> m_crashing;
    bool m_motion = false;
    bool m_locked = false;
    bool m_finished = false;
    bool m_triggerOpened = false;
};
