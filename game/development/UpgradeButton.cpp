#include "game/development/UpgradeButton.h"

#include "engine/core/FrameManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/CoinText.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/Panel.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/development/UpgradeScreen.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/shell/Tip.h"

#include <string>

using namespace Engine;

namespace {

void loadChild(const IXmlNode* node, const char* name, cWidget* widget) {
    IXmlNode* child = nullptr;
    if (node->findNode(name, child) && child)
        widget->loadXML(child);
}

const cVector2& cursorPosition() {
    static const cVector2 none;
    IFrameManager* frames = getFrameManager();
    return frames ? *frames->getCursorPosition() : none;
}

} // namespace

cUpgradeButton::cUpgradeButton(cUpgradeButtonsPanel* panel, IUpgradeScreen* screen)
    : cFrameButton(panel), m_panel(panel), m_screen(screen), m_icon(new cPanel(this)), m_price(new cCoinText(this)),
      m_lockIcon(new cPanel(this)), m_tickIcon(new cPanel(this)), m_tickIcon2(new cPanel(this)) {
    createTip();
    loadLayoutFile(*this, LAYOUT);
    setHoverCallback(hoverHook);
    setUnhoverCallback(unhoverHook);
}

cUpgradeButton::~cUpgradeButton() {
    dropPreview();
}

void cUpgradeButton::loadXML(const IXmlNode* node) {
    cFrameButton::loadXML(node);
    cTipClient::loadXML(node);
    // The client's keys drop a client without a "Tip"; this button's tip comes from the screen.
    if (m_tip)
        registerTip();
    parseColor(m_enabledTextColor, node->getAttribute(L"enabled_text_color"));
    parseColor(m_disabledTextColor, node->getAttribute(L"disabled_text_color"));
    parseFloat(m_disableIconAlpha, node->getAttribute(L"disable_icon_alpha"));
    loadChild(node, "Icon", m_icon);
    loadChild(node, "Price", m_price);
    loadChild(node, "LockIcon", m_lockIcon);
    loadChild(node, "TickIcon", m_tickIcon);
    loadChild(node, "TickIcon2", m_tickIcon2);
    m_lockIcon->hide();
    m_tickIcon->hide();
    m_tickIcon2->hide();
}

void cUpgradeButton::startProcessing() {
    cFrameButton::startProcessing();
    m_price->setColor(m_enabledTextColor);
}

void cUpgradeButton::stopProcessing() {
    cFrameButton::stopProcessing();
    m_price->setColor(m_disabledTextColor);
    // The label lays its letters out again in the new colour.
    m_price->stopProcessing();
}

void cUpgradeButton::unclicked() {
    const bool wasPressed = getState() == BUTTON_PRESSED;
    cFrameButton::unclicked();
    if (wasPressed && isWidgetAlive(this) && cFrameButton::isPointInside(cursorPosition()))
        onClicked();
}

void cUpgradeButton::setIconLook(const cVisual& look) {
    if (static_cast<const cVisual&>(*m_icon) != look)
        static_cast<cVisual&>(*m_icon) = look;
    m_icon->invalidate();
}

void cUpgradeButton::setUpgrade(int32_t nextGroup, const cUnitUpgrade* upgrade) {
    if (!m_unit)
        return;
    if (upgrade)
        m_upgrade = upgrade;
    if (!m_upgrade)
        return;
    if (m_tip)
        m_tip->placeAt(getPosition());
    cMeadowModel* model = m_screen->getModel();
    if (m_unit->getLevel() < m_upgrade->level) {
        m_price->setText(std::to_wstring(m_upgrade->price));
        m_price->show();
        // Only the next level can be bought: a later level waits, however cheap it is.
        const bool next = m_upgrade->level == m_unit->getLevel() + 1;
        const int32_t money = model ? model->getResourcePoints(1) : 0;
        if (next && money >= m_upgrade->price && m_screen->areUpgradesAllowed()) {
            enable();
            m_icon->setAlpha(1.0f);
        } else {
            disable();
            m_icon->setAlpha(m_disableIconAlpha);
        }
        if (m_upgrade->group < nextGroup) {
            m_lockIcon->hide();
            m_icon->setAlpha(1.0f);
        } else {
            m_lockIcon->show();
            disable();
            m_icon->setAlpha(m_disableIconAlpha);
        }
        m_tickIcon->hide();
        m_tickIcon2->hide();
    } else {
        m_price->hide();
        disable();
        m_lockIcon->hide();
        m_tickIcon->show();
        m_tickIcon2->show();
        m_icon->setAlpha(1.0f);
    }
    setIconLook(m_screen->getUpgradeIcon(m_unit, m_upgrade->level - 1));
}

void cUpgradeButton::showVariantLook() {
    m_icon->show();
    m_price->hide();
    m_lockIcon->hide();
    m_tickIcon->hide();
    m_tickIcon2->hide();
}

void cUpgradeButton::hoverHook(cButton* button) {
    static_cast<cUpgradeButton*>(button)->onHover();
}

void cUpgradeButton::unhoverHook(cButton* button) {
    static_cast<cUpgradeButton*>(button)->onUnhover();
}

void cUpgradeButton::dropPreview() {
    hidePreviewVariant();
    if (m_previewView)
        m_screen->releasePreview(m_previewView);
    m_previewView = nullptr;
    m_previewUnit = nullptr;
}

void cUpgradeButton::makePreview() {
    dropPreview();
    if (!m_unit)
        return;
    m_previewView = m_screen->createPreview(m_unit->clone());
    m_previewUnit = m_previewView->getUnit();
    // The view is listening already: the raised copy brings its looks.
    m_previewUnit->upgrade(-1);
}

void cUpgradeButton::hidePreviewVariant() {
    if (m_previewVariant < 0)
        return;
    if (m_previewView && m_previewVariant < m_previewView->getVariantCount())
        m_previewView->setVariantShown(m_previewVariant, false, 1.0f);
    m_screen->setUnitSkinShown(m_unit, true);
    m_previewVariant = -1;
}

void cUpgradeButton::onHover() {
    if (m_panel->isScrolling() || !m_unit || !m_unit->hasNextUpgrade())
        return;
    makePreview();
    const int32_t index = m_isUpgradeButton ? 0 : m_variantIndex;
    if (index < 0 || index >= m_previewView->getVariantCount())
        return;
    m_previewView->setVariantShown(index, true, m_screen->getVariantAlpha());
    m_screen->setUnitSkinShown(m_unit, false);
    m_previewVariant = index;
}

void cUpgradeButton::onUnhover() {
    if (m_panel->isScrolling())
        return;
    hidePreviewVariant();
}

void cUpgradeButton::onClicked() {
    if (m_panel->isScrolling() || !m_unit || !m_unit->hasNextUpgrade())
        return;
    makePreview();
    if (m_isUpgradeButton) {
        if (m_previewView->getVariantCount() < 2)
            m_panel->confirmVariant(m_previewView, -1);
        else
            m_panel->startShowVariantsEffect(m_unit, m_previewView);
    } else {
        m_panel->confirmVariant(m_previewView, m_variantIndex);
    }
    disable();
    m_screen->setTutorialTipsShown(false);
}

void cUpgradeButton::createTip() {
    m_tip = m_screen->createUpgradeTip(this);
    if (m_tip)
        registerTip();
}

void cUpgradeButton::setShowing() {
    if (!m_tip || m_screen->isLevelScreenOpen() || !m_screen->isTipsEnabled())
        return;
    m_screen->prepareUpgradeTip(m_tip, m_unit, getPosition().x, m_upgrade ? m_upgrade->level : -1);
    cTipClient::setShowing();
}

void cUpgradeButton::setHiding() {
    cTipClient::setHiding();
}
