#include "game/level/field/CellPart.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "game/shell/RandomFloat.h"
#include "game/shell/VisualStates.h"

#include <algorithm>
#include <string>

using namespace Engine;

cCellPart::cCellPart(cWidget* parent) : cPanel(parent) {}

cCellPart::cCellPart(const cCellPart& other)
    : cPanel(other), m_lifeTime(other.m_lifeTime), m_fadeStart(other.m_fadeStart), m_fadeRate(other.m_fadeRate),
      m_speed(other.m_speed), m_sideSpeed(other.m_sideSpeed), m_sideSpeedSpread(other.m_sideSpeedSpread),
      m_turnSpeed(other.m_turnSpeed), m_turnSpeedSpread(other.m_turnSpeedSpread), m_delay(other.m_delay),
      m_startAngleRange(other.m_startAngleRange), m_startOffsetRange(other.m_startOffsetRange) {}

cCellPart::~cCellPart() = default;

void cCellPart::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    cLayoutReader::readFloat(node, L"life_time", m_lifeTime);
    cLayoutReader::readFloat(node, L"start_alpha_time", m_fadeStart);
    cLayoutReader::readFloat(node, L"speed", m_speed);
    cLayoutReader::readFloat(node, L"orto_speed", m_sideSpeed);
    cLayoutReader::readFloat(node, L"orto_speed_delta", m_sideSpeedSpread);
    cLayoutReader::readFloat(node, L"angle_speed", m_turnSpeed);
    cLayoutReader::readFloat(node, L"angle_speed_delta", m_turnSpeedSpread);
    cLayoutReader::readFloat(node, L"ext_effect_time", m_delay);
    cLayoutReader::readFloat(node, L"ext_effect_angle", m_startAngleRange);
    cLayoutReader::readFloat(node, L"ext_initial_offset", m_startOffsetRange);
    if (m_lifeTime != 0)
        m_fadeRate = 1.0f / (m_lifeTime - m_fadeStart);
}

void cCellPart::setVisualState(int cellType, int index, const IVisualStates& looks) {
    std::string name;
    if (cellType == 2)
        name = "wood_part_" + std::to_string(index);
    else if (cellType == 3)
        name = "iron_part_" + std::to_string(index);
    else
        throw cStringA("cCellPart::setVisualState(): attempt to destroy a simple cell");
    const cVisual& look = looks.getVisualState(name);
    if (static_cast<const cVisual&>(*this) != look) {
        static_cast<cVisual&>(*this) = look;
        invalidate();
    }
}

void cCellPart::launch(bool delayed) {
    const auto* cell = dynamic_cast<const cSprite*>(getParent());
    // A part on the cell's very centre has no way out: it stays and fades (a zero vector keeps
    // its length 0 when normalised).
    m_velocity = getPosition() - (cell ? cell->getPosition() : getPosition());
    m_velocity.normalize();
    m_velocity = m_velocity * m_speed;
    m_turnSpeed += randomFloat(-m_turnSpeedSpread, m_turnSpeedSpread);
    m_sideSpeed += randomFloat(-m_sideSpeedSpread, m_sideSpeedSpread);
    show();
    enable();
    if (delayed) {
        m_delayed = true;
        setAngle(randomFloat(-m_startAngleRange, m_startAngleRange));
        cVector2 direction = m_velocity;
        direction.normalize();
        setPosition(getPosition() + direction * randomFloat(0, m_startOffsetRange));
    }
}

void cCellPart::process() {
    cPanel::process();
    const float dt = frameDelta();
    if (m_delayed) {
        m_delay -= dt;
        if (m_delay <= 0)
            m_delayed = false;
        return;
    }
    if (m_lifeTime > 0) {
        m_lifeTime -= dt;
        m_fadeStart -= dt;
        // A fade that would start only as the part ends leaves it untouched.
        if (m_lifeTime > 0 && m_fadeStart < 0 && getAlpha() > 0)
            setAlpha(std::max(0.0f, getAlpha() - m_fadeRate * dt));
        setAngle(getAngle() + m_turnSpeed * dt);
    }
    if (m_lifeTime <= 0) {
        hide();
        deleteWidgetLater(this);
        return;
    }
    cVector2 side = m_velocity;
    side.normalize();
    side.rotate(90.0f);
    m_velocity = m_velocity + side * (m_sideSpeed * dt);
    setPosition(getPosition() + m_velocity * dt);
}
