#pragma once

// The screen base that, besides fading itself, fades a list of further widgets (not its own
// children, not owned) in or out together on request.

#include "engine/gui/Fader.h"

#include <vector>

namespace Engine {
class cSprite;
}

class cGroupFader : public Engine::cFader {
public:
    enum eGroupState {
        GROUP_IDLE = 0,
        GROUP_SHOWING = 1,
        GROUP_HIDING = 2,
    };

    explicit cGroupFader(Engine::cWidget* parent);
    ~cGroupFader() override;

    void process() override;
    void startShow();
    void startHide();
    // The sprite starts at alpha 0.
    void addFadingWidget(Engine::cSprite* sprite);
    int getGroupState() const { return m_groupState; }

    virtual void onShown() {}
    virtual void onHidden() {}

private:
    std::vector<Engine::cSprite*> m_fadingWidgets;
    int m_groupState = GROUP_IDLE;
    float m_groupTimer = 0;
};
