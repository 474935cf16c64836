#include "game/shell/ArrowHelpTip.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Panel.h"
#include "engine/media/GraphicsDevice.h"
#include "game/shell/TutorialManager.h"

#include <cmath>

using namespace Engine;

cArrowHelpTip::cArrowHelpTip(cTutorialManager* manager) : m_manager(manager), m_arrow(new cPanel(m_image)) {
    IGraphicsDevice* device = getGraphicsDevice();
    m_halfWidth = device ? float(device->getScreenWidth()) / 2 : 512.0f;
    m_halfHeight = device ? float(device->getScreenHeight()) / 2 : 384.0f;
}

cArrowHelpTip::~cArrowHelpTip() = default;

void cArrowHelpTip::loadXML(const IXmlNode* node) {
    cCommonHelpTip::loadXML(node);
    IXmlNode* image = nullptr;
    IXmlNode* arrow = nullptr;
    if (node->findNode("Image", image) && image->findNode("Arrow", arrow))
        m_arrow->loadXML(arrow);
    parseVector2(m_pointedOffset, node->getAttribute(L"PointedOffset"));
    parseVector2(m_arrowOffset, node->getAttribute(L"ArrowOffset"));
    parseFloat(m_arrowFrequency, node->getAttribute(L"arrow_frequency"));
}

void cArrowHelpTip::loadLayout() {
    loadFile("Meadow/View/Tutorial/ArrowHelpTip.xml");
}

cVector2 cArrowHelpTip::getPointedPoint() const {
    if (m_followTarget && m_hasTarget && isWidgetAlive(m_target))
        if (auto* sprite = dynamic_cast<const cSprite*>(m_target))
            return sprite->getPosition();
    return m_fixedPoint;
}

void cArrowHelpTip::place() {
    const cVector2 q = getPointedPoint();
    const bool right = m_halfWidth < q.x, low = m_halfHeight < q.y;
    m_arrow->setInverseX(right);
    m_arrow->setInverseY(q.y <= m_halfHeight);
    cVector2 centre(right ? q.x - m_pointedOffset.x : q.x + m_pointedOffset.x,
                    low ? q.y - m_pointedOffset.y : q.y + m_pointedOffset.y);
    m_arrowBase = cVector2(right ? centre.x + m_arrowOffset.x : centre.x - m_arrowOffset.x,
                           low ? centre.y + m_arrowOffset.y : centre.y - m_arrowOffset.y);
    m_image->setPosition(centre);
    const cVector2 way = centre - m_arrowBase;
    const float length = std::sqrt(way.x * way.x + way.y * way.y);
    m_swingDirection = length > 0 ? cVector2(way.x / length * 8, way.y / length * 8) : cVector2();
    const float s = std::sin(m_phase);
    m_arrow->setPosition(cVector2(std::trunc(m_arrowBase.x + m_swingDirection.x * s),
                                  std::trunc(m_arrowBase.y + m_swingDirection.y * s)));
}

void cArrowHelpTip::swing() {
    m_phase += m_arrowFrequency * (frameDelta());
    place();
}

void cArrowHelpTip::process() {
    const bool targetGone = m_hasTarget && !isWidgetAlive(m_target);
    if (targetGone || (m_manager && m_manager->isTipShown(m_tipId))) {
        close();
        return;
    }
    swing();
}

void cArrowHelpTip::onOk() {
    close();
}
