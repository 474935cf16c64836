#pragma once

// The motion lists of the field view: the pieces on their way through a move (swaps and swaps
// back, matched figures, crashes, delayed captures, bounces, refills, falls and landings), the
// pieces passed down to the vehicles, the falls that open and close a level and the mixing
// bees, each stepped every frame in a fixed order. The field view owns one and hands on what
// a finished motion leads to.

#include "game/model/MeadowFigure.h"

#include <functional>
#include <list>
#include <utility>

class cMeadowFieldView;
class cMeadowObjectView;

// Steps every element of a list; a finished one leaves the list and is then handed to `done`.
template <typename T, typename Step, typename Done> void stepMotionList(std::list<T>& list, Step step, Done done) {
    for (auto it = list.begin(); it != list.end();) {
        if (step(*it)) {
            T element = *it;
            it = list.erase(it);
            done(element);
        } else {
            ++it;
        }
    }
}

class cFieldMotions {
public:
    using tViewPair = std::pair<cMeadowObjectView*, cMeadowObjectView*>;
    using tViews = std::list<cMeadowObjectView*>;

    explicit cFieldMotions(cMeadowFieldView& field) : m_field(field) {}
    cFieldMotions(const cFieldMotions&) = delete;
    cFieldMotions& operator=(const cFieldMotions&) = delete;

    // ---- Starting motions ----
    // The two pieces of a swap (or of a swap back) head for each other's cells.
    void startExchange(cMeadowObjectView* a, cMeadowObjectView* b);
    void startSwapBack(cMeadowObjectView* a, cMeadowObjectView* b);
    void addDyingFigure(const cMeadowFigure& figure) { m_dyingFigures.push_back(figure); }
    void addCrashing(cMeadowObjectView* view) { m_crashing.push_back(view); }
    void addDelayedCapture(cMeadowObjectView* view) { m_delayedCaptures.push_back(view); }
    void addBouncing(cMeadowObjectView* view) { m_bouncing.push_back(view); }
    void addMixing(cMeadowObjectView* view) { m_mixing.push_back(view); }
    // Every piece the model has appearing, descending, falling or sliding starts that motion.
    void startObjectMotions();
    // A piece passed down leaves the board for the vehicles' corner.
    void startPassDown(cMeadowObjectView* view);
    // The level's pieces, column by column, fall in from above the board.
    void startNewLevelFalls(float startY);
    // The board's resting pieces fall off the screen; true when one falls.
    bool startEndLevelFalls();

    // ---- The frame ----
    // The move's lists in their order; true when a motion that the turn waits for has ended.
    bool stepMove(float dt);
    // True when the last piece falling in has just landed; `landed` hears of each one.
    bool stepNewLevelFalls(float dt, const std::function<void(cMeadowObjectView*)>& landed);
    // True when the last mixing bee has just ended.
    bool stepMixing(float dt);
    void stepToVehicle(float dt);
    void stepEndLevelFalls(float dt);

    // The lists of a move (not the passes down, the bounces, the captures or the level falls).
    void clear();
    // A motion of a move is still under way.
    bool isBusy() const;
    bool isEndLevelEffectDone() const { return m_endLevelEffectDone; }

    const std::list<tViewPair>& getExchangePairs() const { return m_exchangePairs; }
    const std::list<tViewPair>& getSwapBackPairs() const { return m_swapBackPairs; }
    std::list<cMeadowFigure>& getDyingFigures() { return m_dyingFigures; }
    const tViews& getCrashing() const { return m_crashing; }
    const tViews& getDelayedCaptures() const { return m_delayedCaptures; }
    const tViews& getBouncing() const { return m_bouncing; }
    const tViews& getAppearing() const { return m_appearing; }
    const tViews& getDescending() const { return m_descending; }
    const tViews& getFalling() const { return m_falling; }
    const tViews& getLanding() const { return m_landing; }
    const tViews& getToVehicle() const { return m_toVehicle; }
    const tViews& getNewLevelFalls() const { return m_newLevelFalls; }
    const tViews& getMixing() const { return m_mixing; }
    const tViews& getEndLevelFalls() const { return m_endLevelFalls; }

private:
    void startExchangePair(cMeadowObjectView* a, cMeadowObjectView* b);
    bool stepFigure(cMeadowFigure& figure, float dt);

    cMeadowFieldView& m_field;
    // Walked in this order every frame.
    std::list<tViewPair> m_exchangePairs, m_swapBackPairs;
    std::list<cMeadowFigure> m_dyingFigures;
    tViews m_crashing, m_delayedCaptures, m_bouncing, m_appearing, m_descending, m_falling, m_landing, m_newLevelFalls,
        m_mixing, m_toVehicle, m_endLevelFalls;
    bool m_endLevelEffectDone = false;
};
