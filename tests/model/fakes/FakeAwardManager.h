#pragma once

#include "game/model/AwardManagerLink.h"
#include "tests/model/fakes/CallLog.h"

#include <map>

namespace TestFakes {

class FakeAwardManager : public IAwardManager, public CallLog {
public:
    void checkAward1xMoney() override { record("checkAward1xMoney()"); }
    void checkAward5xMoney() override { record("checkAward5xMoney()"); }
    void checkAwardXmoneyOnLevel() override { record("checkAwardXmoneyOnLevel()"); }
    void checkAwardFiveMinutes() override { record("checkAwardFiveMinutes()"); }
    void checkAwardXtimeInGame() override { record("checkAwardXtimeInGame()"); }
    void checkAwardFanOfGame() override { record("checkAwardFanOfGame()"); }
    void checkAwardNLevels() override { record("checkAwardNLevels()"); }
    void checkAwardAllLevels() override { record("checkAwardAllLevels()"); }
    void checkAwardNoBonusesOnLevel() override { record("checkAwardNoBonusesOnLevel()"); }
    void checkBonusAward(int bonusType) override { record("checkBonusAward(" + std::to_string(bonusType) + ")"); }
    void checkAwardXbonusesUsing() override { record("checkAwardXbonusesUsing()"); }
    void checkAwardBombBonus() override { record("checkAwardBombBonus()"); }
    void checkAwardLightningBonus() override { record("checkAwardLightningBonus()"); }
    void checkAwardXinRow(int size) override { record("checkAwardXinRow(" + std::to_string(size) + ")"); }
    void checkAwardXfiguresSeria(int figures) override {
        record("checkAwardXfiguresSeria(" + std::to_string(figures) + ")");
    }
    void checkAwardAnimalsCare() override { record("checkAwardAnimalsCare()"); }
    void checkAwardNMatches() override { record("checkAwardNMatches()"); }
    void checkAwardMaxUpgrade(bool fullyUpgraded) override {
        record("checkAwardMaxUpgrade(" + boolText(fullyUpgraded) + ")");
    }
    void onAwardTipClosed() override { record("onAwardTipClosed()"); }
    bool hasQueuedAwards() override { return m_queued; }
    float getThreshold(int awardType) override {
        auto it = m_thresholds.find(awardType);
        return it == m_thresholds.end() ? 0.0f : it->second;
    }

    bool m_queued = false;
    std::map<int, float> m_thresholds;
};

} // namespace TestFakes
