#include "game/development/LugTip.h"

#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/MultilineText.h"
#include "game/model/MeadowUnit.h"

#include <cmath>

using namespace Engine;

cLugTip::cLugTip(cWidget* owner) : cGameObjectTip(owner), m_lug(new cPanel(this)) {
    updateAlsoOverDisabledControl();
}

cLugTip::~cLugTip() = default;

void cLugTip::loadXML(const IXmlNode* node) {
    cGameObjectTip::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("Lug", element)) {
        m_lug->loadXML(element);
        m_lugPosition = m_lug->getPosition();
    }
    cLayoutReader::readFloat(node, L"lug_offset", m_lugOffset);
    cLayoutReader::readVector(node, L"tip_pos", m_tipPos);
    m_halfTipWidth = getSize().x / 2;
    m_halfLugWidth = m_lug->getSize().x / 2;
}

void cLugTip::updateContent() {
    cMeadowUnit* unit = getUnit();
    if (!unit)
        return;
    const int index = m_upgradeIndex >= 0 ? m_upgradeIndex : unit->getLevel() + 1;
    if (index < 0 || index >= unit->getUpgradeCount()) {
        m_captionText->setText(std::wstring(), true);
        m_produceText->setText(std::wstring(), true);
        m_bonusText->setText(std::wstring(), true);
        return;
    }
    const cUnitUpgrade& upgrade = unit->getUpgrade(index);
    m_captionText->setText(upgrade.name, true);
    m_produceText->setText(m_giveBonusMsg + L" " + std::to_wstring(upgrade.level), true);
    m_bonusText->setText(upgrade.description, true);
}

void cLugTip::placeAt(const cVector2&) {
    cVector2 place = m_tipPos;
    const float distance = std::fabs(m_tipPos.x - m_lugPosition.x);
    const float room = m_halfTipWidth - m_halfLugWidth - m_lugOffset;
    if (distance > room)
        place.x = m_lugPosition.x < m_tipPos.x ? m_tipPos.x - (distance - room) : m_tipPos.x + (distance - room);
    setPosition(place);
    m_lug->setPosition(m_lugPosition);
}
