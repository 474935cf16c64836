#include "engine/gui/Panel.h"

#include "engine/core/FrameTimer.h"

namespace Engine {

cPanel::cPanel(cWidget* parent) : cSprite(parent) {}

cPanel::cPanel(const cPanel& other)
    : cSprite(other), m_onHideHook(other.m_onHideHook), m_onShowAction(other.m_onShowAction),
      m_onProcessHook(other.m_onProcessHook) {}

cPanel::~cPanel() = default;

void cPanel::process() {
    if (m_onProcessHook)
        m_onProcessHook(this);
    if (m_playAnimation) {
        advanceAnimation(frameDelta());
    }
    runActions();
    cSprite::process();
}

void cPanel::loadXML(const IXmlNode* node) {
    cSprite::loadXML(node);
}

void cPanel::onShow() {
    cSprite::onShow();
    queueAction(m_onShowAction);
}

void cPanel::onHide() {
    cSprite::onHide();
    if (m_onHideHook)
        m_onHideHook(this);
}

} // namespace Engine
