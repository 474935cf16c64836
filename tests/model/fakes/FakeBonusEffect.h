#pragma once

#include "game/model/BonusEffectLink.h"
#include "tests/model/fakes/CallLog.h"

namespace TestFakes {

class FakeBonusEffect : public IBonusEffect, public CallLog {
public:
    explicit FakeBonusEffect(int type) : m_type(type) {}

    int getBonusType() override { return m_type; }
    bool isImmediate() override { return m_immediate; }
    void setImmediate(bool immediate) override {
        record("setImmediate(" + boolText(immediate) + ")");
        m_immediate = immediate;
    }
    void setTargetCell(const Engine::cVector2& cell) override {
        record("setTargetCell(" + std::to_string(int(cell.x)) + ", " + std::to_string(int(cell.y)) + ")");
        m_target = cell;
    }
    Engine::cVector2 getTargetCell() override { return m_target; }
    bool canApply() override { return m_canApply; }
    void apply() override { record("apply()"); }

    int m_type;
    bool m_immediate = false;
    bool m_canApply = true;
    Engine::cVector2 m_target{-1.0f, -1.0f};
};

} // namespace TestFakes
