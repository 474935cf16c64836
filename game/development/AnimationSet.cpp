#include "game/development/AnimationSet.h"

#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "game/development/RandomAnimation.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/ModelXml.h"
#include "game/shell/RandomFloat.h"

namespace {

float fraction() {
    return float(Engine::randomNext()) * (1.0f / 32768.0f);
}

} // namespace

cAnimationSet::cAnimationSet(Engine::cWidget* layer, IBuildingScreen* screen) : m_layer(layer), m_screen(screen) {}

cAnimationSet::~cAnimationSet() {
    // The screen may be deleting its children, these among them.
    for (cRandomAnimation* animation : m_animations)
        if (animation && Engine::isWidgetAlive(animation))
            Engine::deleteWidgetLater(animation);
    m_animations.clear();
}

void cAnimationSet::loadXML(Engine::IXmlNode* node) {
    Engine::cVector2 silence;
    Engine::parseVector2(silence, node->getAttribute(L"silence_time"));
    m_voiceId = ModelXml::readWord(node, L"voice_id");
    const std::vector<Engine::IXmlNode*> children = ModelXml::children(node);
    m_animations.assign(children.size(), nullptr);
    for (size_t i = 0; i < children.size(); ++i) {
        auto* animation = new cRandomAnimation(m_layer, m_screen);
        m_animations[i] = animation;
        animation->loadXML(children[i]);
        animation->setVoice(m_voiceId, silence);
        animation->hide();
    }
}

void cAnimationSet::update(float dt) {
    const int count = int(m_animations.size());
    if (count == 0)
        return;
    if (m_timeLeft > 0) {
        m_timeLeft -= dt;
        if (m_current >= 0 && m_current < count && !m_animations[m_current]->isVisible())
            m_animations[m_current]->show();
        return;
    }
    if (m_current >= 0 && m_current < count)
        m_animations[m_current]->hide();
    m_current = int(fraction() * float(count));
    const float p = randomFloat(0, 1);
    if (m_animations[m_current]->getProbability() < p)
        m_current = 0;
    const int loops = int(2 * fraction() + 1);
    cRandomAnimation* chosen = m_animations[m_current];
    m_timeLeft = chosen->getAnimLength() * float(loops);
    chosen->setAnimPosition(0);
    chosen->show();
}

void cAnimationSet::showCurrent(bool show) {
    if (m_current < 0 || m_current >= int(m_animations.size()))
        return;
    if (show)
        m_animations[m_current]->show();
    else
        m_animations[m_current]->hide();
}

void cAnimationSet::playVoice() {
    // Bees and butterflies have no voice.
    if (m_voiceId.empty())
        return;
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play(m_voiceId);
}
