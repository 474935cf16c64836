#include "game/shell/AwardButton.h"

#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/media/Texture.h"
#include "game/shell/AwardProgressPanel.h"
#include "game/shell/AwardTipDlg.h"

using namespace Engine;

namespace {

cTexture* take(cTexture* texture) {
    if (texture)
        texture->addRef();
    return texture;
}

void release(cTexture*& texture) {
    if (texture)
        texture->decRef();
    texture = nullptr;
}

} // namespace

cAwardButton::cAwardButton(cWidget* parent, int32_t index)
    : cButton(parent), m_index(index), m_additive(new cPanel(this)) {}

cAwardButton::~cAwardButton() {
    hide();
    disable();
    release(m_normalTexture);
    release(m_disabledTexture);
}

void cAwardButton::loadXML(const IXmlNode* node) {
    node->getValue("DescText", m_descText);
    parseFloat(m_threshold, node->getAttribute(L"AwardData"));
    IXmlNode* button = nullptr;
    if (!node->findNode("Button", button))
        return;
    cButton::loadXML(button);
    release(m_normalTexture);
    release(m_disabledTexture);
    m_normalTexture = take(getPicture());
    const std::string dark = wideToNarrow(button->getAttribute(L"texture_disabled"));
    cResourceManager* resources = getResourceManager();
    m_disabledTexture = !dark.empty() && resources ? resources->getTexture(dark) : take(getPicture());
    parseLong(m_progressType, button->getAttribute(L"progress_type"));
    IXmlNode* additive = nullptr;
    if (button->findNode("Additive", additive))
        m_additive->loadXML(additive);
    m_additive->hide();
}

void cAwardButton::setTexture(cTexture* texture) {
    if (texture && texture != m_texture) {
        texture->addRef();
        releaseTexture();
        m_texture = texture;
    }
    invalidate();
}

void cAwardButton::applyState(int state) {
    switch (state) {
    case BUTTON_NORMAL:
    case BUTTON_HOVER:
        setRenderType(getRenderType() | 0x20);
        setTexture(m_normalTexture);
        break;
    case BUTTON_DISABLED:
    case BUTTON_PRESSED:
        setRenderType(getRenderType() & ~0x20u);
        setTexture(m_disabledTexture);
        break;
    default:
        break;
    }
}

void cAwardButton::applyGivenState() {
    applyState(m_given ? BUTTON_NORMAL : BUTTON_DISABLED);
}

void cAwardButton::setGiven(bool given) {
    m_given = given;
    applyGivenState();
}

void cAwardButton::startProcessing() {
    cButton::startProcessing();
    applyGivenState();
}

void cAwardButton::stopProcessing() {
    cButton::stopProcessing();
    if (m_progressPanel)
        m_progressPanel->setFadeDirection(-1);
    applyGivenState();
}

void cAwardButton::attachProgressPanel(const cAwardProgressPanel* prototype) {
    m_progressPanel = new cAwardProgressPanel(*prototype);
    m_progressPanel->setParent(this);
    m_progressPanel->getText()->setText(m_descText, true);
    m_progressPanel->placeNear(getPosition());
    m_progressPanel->hide();
    m_progressPanel->enable();
}

void cAwardButton::onMouseEnter() {
    cButton::onMouseEnter();
    if (!isEnabled())
        return;
    if (m_progressPanel)
        m_progressPanel->showProgress();
    m_additive->show();
    if (m_given) {
        if (cAwardTipDlg* dialog = cAwardTipDlg::getInstance())
            dialog->playPyro(this, true);
    } else {
        applyState(BUTTON_DISABLED);
    }
}

void cAwardButton::onMouseLeave() {
    cButton::onMouseLeave();
    if (!m_given)
        applyState(BUTTON_DISABLED);
    if (m_progressPanel)
        m_progressPanel->setFadeDirection(-1);
    m_additive->hide();
    if (m_given)
        if (cAwardTipDlg* dialog = cAwardTipDlg::getInstance())
            dialog->playPyro(this, false);
}
