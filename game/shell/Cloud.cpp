#include "game/shell/Cloud.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"

#include <cmath>

using namespace Engine;

cCloud::cCloud(cWidget* parent) : cPanel(parent) {}

void cCloud::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    parseUInt(m_type, node->getAttribute(L"type"));
    parseFloat(m_speed, node->getAttribute(L"Speed"));
}

void cCloud::process() {
    cPanel::process();
    const float halfWidth = std::fabs(getSize().x) / 2;
    const cVector2& position = getPosition();
    if ((m_speed > 0 && position.x - halfWidth > 1024) || (m_speed < 0 && position.x + halfWidth < 0))
        deleteWidgetLater(this);
    setPosition(cVector2(position.x + m_speed * frameDelta(), position.y));
}
