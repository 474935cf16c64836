#pragma once

// Tweens that move a sprite (with its children) from a start to an end position, and the kind
// that tells its owner which item landed when it arrives.

#include "engine/core/Vector2.h"
#include "game/shell/Tween.h"

#include <functional>

namespace Engine {
class cSprite;
class cWidget;
} // namespace Engine

class cMoveTween : public cTween {
public:
    cMoveTween(Engine::cSprite* target, const Engine::cVector2& start, const Engine::cVector2& end, float duration,
               int equation, int easeType, float delay, bool autoDelete);

    void toEnd() override;
    // The end becomes the start, then the values move back to it.
    void toStart() override;
    // Moves a live target to the current position.
    void apply() override;

    const Engine::cVector2& getCurrent() const { return m_current; }
    const Engine::cVector2& getStart() const { return m_start; }
    const Engine::cVector2& getEnd() const { return m_end; }
    Engine::cSprite* getTarget() const { return m_target; }

protected:
    Engine::cVector2 m_current;
    Engine::cVector2 m_start;
    Engine::cVector2 m_end;
    Engine::cSprite* m_target;
};

// On arrival calls the owner's landing operation with the item, while the owner lives.
class cCallbackMoveTween : public cMoveTween {
public:
    using tLanding = std::function<void(int item)>;

    cCallbackMoveTween(Engine::cSprite* target, const Engine::cVector2& start, const Engine::cVector2& end,
                       float duration, int equation, int easeType, float delay, bool autoDelete, Engine::cWidget* owner,
                       int item, tLanding landing);

    bool onFinish(cTweenValues* record) override;

private:
    Engine::cWidget* m_owner;
    int m_item;
    tLanding m_landing;
};
