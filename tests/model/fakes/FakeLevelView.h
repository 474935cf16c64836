#pragma once

// Records what the controller asks of the board screen; answers from settable values.

#include "game/model/BonusEffectLink.h"
#include "game/model/LevelView.h"
#include "game/model/PieceView.h"
#include "tests/model/fakes/CallLog.h"
#include "tests/model/fakes/FakeBonusEffect.h"

#include <map>
#include <memory>
#include <vector>

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
    // Makes recording effects, kept until the view goes; deleting one only records it.
    IBonusEffect* createBonusEffect(int bonusType) override {
        record("createBonusEffect(" + std::to_string(bonusType) + ")");
        m_effects.push_back(std::make_unique<FakeBonusEffect>(bonusType));
        return m_effects.back().get();
    }
    void deleteBonusEffect(IBonusEffect* effect) override {
        record("deleteBonusEffect(" + std::to_string(effect ? effect->getBonusType() : 0) + ")");
    }

    void setView(cMeadowObjectModel* piece, IPieceView* view) { m_views[piece] = view; }

    bool m_fieldBusy = false;
    bool m_shown = true;
    bool m_enabled = true;

    std::vector<std::unique_ptr<FakeBonusEffect>> m_effects;

private:
    std::map<cMeadowObjectModel*, IPieceView*> m_views;
};

} // namespace TestFakes
