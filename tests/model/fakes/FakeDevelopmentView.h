#pragma once

#include "game/model/DevelopmentViewLink.h"
#include "tests/model/fakes/CallLog.h"

namespace TestFakes {

class FakeDevelopmentView : public IDevelopmentView, public CallLog {
public:
    void lockInterface(bool locked) override { record("lockInterface(" + boolText(locked) + ")"); }
    void resumeMusic() override { record("resumeMusic()"); }
};

} // namespace TestFakes
