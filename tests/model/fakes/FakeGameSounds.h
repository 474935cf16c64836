#pragma once

#include "game/model/GameSoundsLink.h"
#include "tests/model/fakes/CallLog.h"

namespace TestFakes {

class FakeGameSounds : public IGameSounds, public CallLog {
public:
    void play(const std::string& id) override { record("play(" + id + ")"); }
    void playSingle(const std::string& id, float, float) override { record("playSingle(" + id + ")"); }
};

} // namespace TestFakes
