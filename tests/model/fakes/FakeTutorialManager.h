#pragma once

#include "game/model/TutorialManagerLink.h"
#include "tests/model/fakes/CallLog.h"

namespace TestFakes {

class FakeTutorialManager : public ITutorialManager, public CallLog {
public:
    int getCurrentTipId() override { return m_tipId; }
    bool hasCurrentTip() override { return m_tipId != -1; }
    void closeCurrentTip() override {
        record("closeCurrentTip()");
        m_tipId = -1;
    }
    void setTipShown(int tipId) override { record("setTipShown(" + std::to_string(tipId) + ")"); }

    int m_tipId = -1;
};

} // namespace TestFakes
