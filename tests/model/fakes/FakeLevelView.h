#pragma once

// Records what the controller asks of the board screen; answers from settable values.

#include "game/model/LevelView.h"
#include "game/model/PieceView.h"
#include "tests/model/fakes/CallLog.h"

#include <map>

namespace TestFakes {

class FakeLevelView : public ILevelView, public CallLog {
public:
    void setInputLocked(bool locked) override { record("setInputLocked(" + boolText(locked) + ")"); }
    void refresh() override { record("refresh()"); }
    void updateSelection() override { record("updateSelection()"); }
    void showMatchedFigures(const tFigureList&, bool cascade) override {
        record("showMatchedFigures(" + boolText(cascade) + ")");
    }
    void animateExchange(IPieceView*, IPieceView*) override { record("animateExchange()"); }
    void animateSwapBack(IPieceView*, IPieceView*) override { record("animateSwapBack()"); }
    void crashCell(const Engine::cVector2& position, IBonusEffect*) override {
        record("crashCell(" + std::to_string(int(position.x)) + ", " + std::to_string(int(position.y)) + ")");
    }
    void startObjectMotions() override { record("startObjectMotions()"); }
    IPieceView* getGameObjectView(cMeadowObjectModel* piece) override {
        record("getGameObjectView()");
        auto it = m_views.find(piece);
        return it == m_views.end() ? nullptr : it->second;
    }
    void showHint(const Engine::cVector2&, const Engine::cVector2&) override { record("showHint()"); }
    void hideHint() override { record("hideHint()"); }
    void updateVehicles() override { record("updateVehicles()"); }
    bool isFieldBusy() override { return m_fieldBusy; }
    void finishLevel() override { record("finishLevel()"); }
    void resumeMusic() override { record("resumeMusic()"); }
    bool isShown() override { return m_shown; }
    bool isEnabled() override { return m_enabled; }

    void setView(cMeadowObjectModel* piece, IPieceView* view) { m_views[piece] = view; }

    bool m_fieldBusy = false;
    bool m_shown = true;
    bool m_enabled = true;

private:
    std::map<cMeadowObjectModel*, IPieceView*> m_views;
};

} // namespace TestFakes
