#pragma once

#include "game/model/MainMenuLink.h"

namespace TestFakes {

class FakeMainMenu : public IMainMenu {
public:
    float getRunTime() override { return m_runTime; }
    float getPlayTime() override { return m_playTime; }

    float m_runTime = 0.0f;
    float m_playTime = 0.0f;
};

} // namespace TestFakes
