#pragma once

// The animals of a building: a set of alternative animations of which one always shows. The next
// is drawn at random, each kept with its own probability (else the usual first one), and plays
// once or twice before the next draw.

#include "engine/core/Vector2.h"

#include <string>
#include <vector>

namespace Engine {
class IXmlNode;
class cWidget;
} // namespace Engine
class IBuildingScreen;
class cRandomAnimation;

class cAnimationSet {
public:
    cAnimationSet(Engine::cWidget* layer, IBuildingScreen* screen);
    // The animations go to the deferred deletion.
    ~cAnimationSet();
    cAnimationSet(const cAnimationSet&) = delete;
    cAnimationSet& operator=(const cAnimationSet&) = delete;

    // "silence_time" and "voice_id", then one hidden animation per child.
    void loadXML(Engine::IXmlNode* node);
    void update(float dt);
    void showCurrent(bool show);
    void playVoice();

    int getCurrent() const { return m_current; }
    float getTimeLeft() const { return m_timeLeft; }
    const std::vector<cRandomAnimation*>& getAnimations() const { return m_animations; }
    const std::string& getVoiceId() const { return m_voiceId; }

private:
    Engine::cWidget* m_layer;
    IBuildingScreen* m_screen;
    int m_current = -1;
    float m_timeLeft = 0;
    std::vector<cRandomAnimation*> m_animations;
    std::string m_voiceId;
};
