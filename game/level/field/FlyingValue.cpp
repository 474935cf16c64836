#include "game/level/field/FlyingValue.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/PyroEffect.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"

#include <cmath>

using namespace Engine;

cFlyingValue::cFlyingValue(cWidget* parent) : cLabel(parent), m_effect(new cPyroEffect(this, std::string())) {
    m_effect->hide();
}

cFlyingValue::cFlyingValue(const cFlyingValue& other)
    : cLabel(other), m_source(other.m_source), m_destination(other.m_destination),
      m_sourceMultiplier(other.m_sourceMultiplier), m_ownMultiplier(other.m_ownMultiplier), m_speed(other.m_speed),
      m_acceleration(other.m_acceleration),
      m_effect(other.m_effect->getEffect() ? new cPyroEffect(*other.m_effect) : new cPyroEffect(this, std::string())),
      m_zoneRadius(other.m_zoneRadius), m_showTime(other.m_showTime) {
    // A copy of an effect without a file would look for the file "".
    m_effect->setParent(this);
    m_effect->hide();
}

cFlyingValue::~cFlyingValue() = default;

void cFlyingValue::loadXML(const IXmlNode* node) {
    cLabel::loadXML(node);
    cLayoutReader::readFloat(node, L"src_mult", m_sourceMultiplier);
    m_ownMultiplier = getMultiplier();
    cLayoutReader::readFloat(node, L"speed", m_speed);
    cLayoutReader::readFloat(node, L"acceleration", m_acceleration);
    IXmlNode* element = nullptr;
    if (node->findNode("PyroEffect", element)) {
        m_effect->loadXML(element);
        // The layout places the effect from the label, which moves it along.
        m_effect->setPosition(getPosition() + m_effect->getPosition());
        m_effect->hide();
    }
    cLayoutReader::readFloat(node, L"value_zone_radius", m_zoneRadius);
    cLayoutReader::readFloat(node, L"show_time", m_showTime);
}

void cFlyingValue::launch() {
    m_shown = true;
    setPosition(m_destination);
    setMultiplier(m_ownMultiplier);
    setAlpha(0);
    m_timer = m_showTime;
    const cVector2 way = m_destination - m_source;
    m_distance = std::sqrt(way.x * way.x + way.y * way.y);
    // A copy plays, so that the next launch still has the effect to copy.
    if (m_effect->getEffect()) {
        auto* burst = new cPyroEffect(*m_effect);
        burst->setParent(this);
        burst->play(true, 0, nullptr);
        burst->show();
    }
    // Without a fade-in the value is there at once.
    if (m_showTime <= 0)
        setAlpha(1);
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play("line" + std::to_string(m_index + 1));
}

void cFlyingValue::reset() {
    m_shown = false;
    setMultiplier(m_ownMultiplier);
    setPosition(m_destination);
    setAlpha(1);
    m_timer = 0;
}

void cFlyingValue::process() {
    cLabel::process();
    if (m_timer <= 0)
        return;
    m_timer -= frameDelta();
    if (m_timer <= 0) {
        m_timer = 0;
        setAlpha(1);
        reset();
        return;
    }
    setAlpha(1.0f - m_timer / m_showTime);
}
