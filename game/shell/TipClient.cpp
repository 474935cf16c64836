#include "game/shell/TipClient.h"

#include "engine/core/FrameManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Sprite.h"
#include "engine/media/GraphicsDevice.h"
#include "game/shell/Tip.h"
#include "game/shell/TipManager.h"
#include "game/shell/TutorialTips.h"

#include <cmath>

using namespace Engine;

namespace {

const float DEGREES_TO_RADIANS = 3.14159265358979f / 180.0f;

cVector2 cursorPosition() {
    IFrameManager* frames = getFrameManager();
    return frames ? *frames->getCursorPosition() : cVector2();
}

// The cell of a mask that spans length units: 0 left of the start, and for a length of 0.
size_t maskCell(float offset, size_t cells, float length) {
    if (length == 0 || cells == 0)
        return 0;
    const float cell = std::trunc(offset * float(cells - 1) / length);
    return cell > 0 ? size_t(cell) : 0;
}

} // namespace

cTipClient::~cTipClient() {
    if (cTipManager* manager = cTipManager::getInstance())
        manager->removeClient(this);
}

void cTipClient::registerTip() {
    m_control = getControl();
    if (cTipManager* manager = cTipManager::getInstance())
        manager->addClient(this);
    m_pressHook.removeAll();
    if (m_control)
        m_pressHook.addKey(INPUT_MOUSE_LEFT_DOWN, onControlPressed, m_control);
}

void cTipClient::unregisterTip() {
    if (cTipManager* manager = cTipManager::getInstance())
        manager->removeClient(this);
    m_pressHook.removeAll();
    m_control = nullptr;
}

void cTipClient::onControlPressed(void* control) {
    if (static_cast<cSprite*>(control)->hitTest(cursorPosition()))
        hideAllTips();
}

void cTipClient::loadXML(const IXmlNode* node) {
    IXmlNode* tip = nullptr;
    if (node->findNode("Tip", tip)) {
        if (m_tip) {
            m_tip->loadXML(tip);
            m_tip->enable();
            if (cSprite* control = getControl())
                m_tip->placeAt(control->getPosition());
        }
    } else if (cTipManager* manager = cTipManager::getInstance()) {
        if (manager->hasClient(this))
            unregisterTip();
    }

    const std::string mask = wideToNarrow(node->getAttribute(L"texture_mask"));
    if (!mask.empty())
        if (IGraphicsDevice* graphics = getGraphicsDevice())
            graphics->loadAlphaMask(mask, m_mask);
}

void cTipClient::setShowing() {
    if (isTutorialTipOpen())
        return;
    if (!m_tip)
        throw "cTipClient::setShowing(): m_tip is null";
    m_showing = true;
    m_tip->startShowing();
}

void cTipClient::setHiding() {
    if (!m_tip)
        throw "cTipClient::setHiding(): m_tip is null";
    m_showing = false;
    m_tip->startHiding();
}

bool cTipClient::isPointInside(const cVector2& point) {
    if (!m_control)
        throw "cTipClient::isPointInside(): own control is 0";
    if (!m_control->isVisible() || !m_control->hitTest(point))
        return false;
    if (m_mask.getWidth() == 0)
        return true;
    // Into the control's unturned frame, the same turn as its hit test.
    const cVector2 centre = m_control->getPosition();
    cVector2 offset = point - centre;
    if (const float angle = m_control->getAngle(); angle != 0) {
        const float a = angle * DEGREES_TO_RADIANS;
        const float c = std::cos(a), s = std::sin(a);
        offset = cVector2(offset.x * c - offset.y * s, offset.x * s + offset.y * c);
    }
    const cVector2 size = m_control->getSize();
    const cVector2 relative(offset.x + size.x / 2, offset.y + size.y / 2);
    return m_mask.isSet(maskCell(relative.x, m_mask.getWidth(), size.x),
                        maskCell(relative.y, m_mask.getHeight(), size.y));
}
