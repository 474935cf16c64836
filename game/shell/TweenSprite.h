#pragma once

// The runner of tweens: each frame it advances the value records it holds and sends the start,
// update and finish notices to its tweens. It owns neither records nor tweens.

#include "engine/gui/Sprite.h"

#include <vector>

class cTween;
class cTweenValues;

class cTweenSprite : public Engine::cSprite {
public:
    explicit cTweenSprite(Engine::cWidget* parent);

    // processTweens with the frame time.
    void process() override;
    void addTweenValues(cTweenValues* values);
    void addTween(cTween* tween);
    // Each does nothing for a pointer not in the list.
    void removeTweenValues(cTweenValues* values);
    void removeTween(cTween* tween);
    void processTweens(float elapsed);

    const std::vector<cTweenValues*>& getTweenValues() const { return m_values; }
    const std::vector<cTween*>& getTweens() const { return m_tweens; }

private:
    enum eNotice { NOTICE_START, NOTICE_UPDATE, NOTICE_FINISH };
    bool hasValues(const cTweenValues* values) const;
    void notify(eNotice notice, cTweenValues* record);

    std::vector<cTweenValues*> m_values;
    std::vector<cTween*> m_tweens;
};
