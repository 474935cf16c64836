#include "game/level/field/FlyingNumber.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"

#include <cstdlib>

using namespace Engine;

cFlyingNumber::cFlyingNumber(cWidget* parent, float x, float y, int number, bool scatter, const std::string& layout)
    : cPanel(parent) {
    m_number = new cLabel(this);
    m_icon = new cPanel(this);
    loadLayoutFile(*this, layout);
    float rx = 0, ry = 0;
    if (scatter) {
        rx = (float(randomNext()) * 2.0f / 32767.0f - 1.0f) * m_randomRadius;
        ry = (float(randomNext()) * 2.0f / 32767.0f - 1.0f) * m_randomRadius;
    }
    setPosition(cVector2(x, y) + m_offset + cVector2(rx, ry));
    m_velocity = m_rise * (1.0f / m_timeLeft);
    m_fadeRate = 1.0f / m_timeLeft;
    setAllAlpha(1.0f);
    m_number->setText((number > 0 ? L"+" : L"-") + wstringFromInt(std::abs(number)));
    if (number <= 0)
        m_number->setColor(m_negativeColor);
    m_number->show();
    show();
    enable();
}

cFlyingNumber::~cFlyingNumber() = default;

void cFlyingNumber::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    IXmlNode* child = nullptr;
    if (node->findNode("Number", child))
        m_number->loadXML(child);
    if (node->findNode("Icon", child))
        m_icon->loadXML(child);
    cLayoutReader::readVector(node, L"offset", m_offset);
    cLayoutReader::readVector(node, L"fly_up_dir", m_rise);
    cLayoutReader::readDivisor(node, L"fly_up_time", m_timeLeft);
    cLayoutReader::readFloat(node, L"random_radius", m_randomRadius);
    cLayoutReader::readColor(node, L"DisableTextColor", m_negativeColor);
}

void cFlyingNumber::setAllAlpha(float alpha) {
    setAlpha(alpha);
    m_number->setAlpha(alpha);
    m_icon->setAlpha(alpha);
}

void cFlyingNumber::process() {
    cPanel::process();
    if (m_timeLeft <= 0)
        return;
    const float dt = frameDelta();
    m_timeLeft -= dt;
    if (m_timeLeft <= 0) {
        deleteWidgetLater(this);
        return;
    }
    setPosition(getPosition() + m_velocity * dt);
    if (getAlpha() > 0)
        setAllAlpha(getAlpha() - m_fadeRate * dt);
}
