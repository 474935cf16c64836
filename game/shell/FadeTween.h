#pragma once

// A tween that fades a sprite's alpha; it always deletes itself when it finishes.

#include "game/shell/Tween.h"

namespace Engine {
class cSprite;
}

class cFadeTween : public cTween {
public:
    cFadeTween(Engine::cSprite* target, float startAlpha, float endAlpha, float duration, int equation, int easeType,
               float delay);

    void toEnd() override;
    // The end becomes the start, then the alpha moves back to it.
    void toStart() override;
    // Sets a live target's alpha to the current value.
    void apply() override;

    float getCurrent() const { return m_current; }

private:
    float m_current;
    float m_start;
    float m_end;
    Engine::cSprite* m_target;
};
