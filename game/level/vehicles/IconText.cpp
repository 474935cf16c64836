#include "game/level/vehicles/IconText.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Panel.h"

using namespace Engine;

cIconText::cIconText(cWidget* parent) : cRotatedLabel(parent) {
    m_icon = new cPanel(this);
}

cIconText::~cIconText() = default;

void cIconText::loadXML(const IXmlNode* node) {
    cRotatedLabel::loadXML(node);
    IXmlNode* icon = nullptr;
    if (!node->findNode("Icon", icon))
        throw "cIconText::loadXML(): Can't find Icon";
    parseBool(m_hasDisableView, node->getAttribute(L"HasDisableView"));
    m_icon->loadXML(icon);
    m_icon->setPosition(getPosition() + m_icon->getPosition());
}

void cIconText::startProcessing() {
    cRotatedLabel::startProcessing();
    if (m_hasDisableView)
        m_icon->setAnimFrame(0);
}

void cIconText::stopProcessing() {
    cLabel::stopProcessing();
    if (m_hasDisableView)
        m_icon->setAnimFrame(1);
}

void cIconText::setIconVisual(const cVisual& look) {
    static_cast<cVisual&>(*m_icon) = look;
    m_icon->invalidate();
}
