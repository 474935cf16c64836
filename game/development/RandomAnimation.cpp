#include "game/development/RandomAnimation.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/development/BuildingScreen.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/shell/RandomFloat.h"

cRandomAnimation::cRandomAnimation(Engine::cWidget* parent, IBuildingScreen* layer) : cButton(parent), m_layer(layer) {}

cRandomAnimation::~cRandomAnimation() = default;

void cRandomAnimation::process() {
    cButton::process();
    m_voiceCooldown -= Engine::frameDelta();
}

void cRandomAnimation::loadXML(const Engine::IXmlNode* node) {
    cButton::loadXML(node);
    Engine::parseFloat(m_probability, node->getAttribute(L"probability"));
}

void cRandomAnimation::clicked() {
    if (m_layer && m_layer->isLevelScreenOpen())
        return;
    cButton::clicked();
    if (m_voiceCooldown > 0)
        return;
    IGameSounds* sounds = GameServices::getGameSounds();
    if (sounds && !m_voiceId.empty())
        sounds->play(m_voiceId);
    m_voiceCooldown = randomFloat(m_silenceTime.x, m_silenceTime.y);
    if (m_layer)
        if (cMeadowController* controller = m_layer->getController())
            controller->addAnimalsCareClick();
}
