#include "game/development/VariantsDlg.h"

#include "engine/core/XmlNode.h"
#include "engine/gui/FrameButton.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/Visual.h"
#include "engine/platform/KeyCodes.h"
#include "game/development/UpgradeButtonsPanel.h"

using namespace Engine;

cVariantsDlg::cVariantsDlg(cUpgradeButtonsPanel* panel) : cEffectDialog(nullptr), m_panel(panel) {
    loadLayoutFile(*this, LAYOUT);
}

cVariantsDlg::~cVariantsDlg() = default;

void cVariantsDlg::loadXML(const IXmlNode* node) {
    cEffectDialog::loadXML(node);
    IXmlNode* variants = nullptr;
    if (!node->findNode("Variants", variants) || !variants)
        return;
    const int count = variants->getChildCount();
    for (int i = 0; i < count; ++i) {
        IXmlNode* child = nullptr;
        if (!variants->getNodeAt(i, child) || !child)
            continue;
        auto* button = new cFrameButton(this);
        button->loadXML(child);
        button->hide();
        button->setClickCallback(onVariantClicked);
        button->setUserData(i);
        addEffectWidget(button);
        m_variantButtons.push_back(button);
    }
}

void cVariantsDlg::startProcessing() {
    cEffectDialog::startProcessing();
    if (m_keyHooks.empty())
        m_keyHooks.addKey(Platform::KEY_ESCAPE, escapeHook, this);
}

void cVariantsDlg::stopProcessing() {
    cEffectDialog::stopProcessing();
    m_keyHooks.removeAll();
}

void cVariantsDlg::escapeHook(void* dialog) {
    static_cast<cVariantsDlg*>(dialog)->onEscape();
}

void cVariantsDlg::onVariantClicked(cButton* button) {
    auto* dialog = dynamic_cast<cVariantsDlg*>(button->getParent());
    if (!dialog)
        return;
    dialog->m_panel->confirmVariant(dialog->m_previewView, button->getUserData());
    dialog->close();
}

void cVariantsDlg::onEscape() {
    close();
    m_panel->updateButtons(true);
}

void cVariantsDlg::close() {
    m_previewView = nullptr;
    for (cFrameButton* button : m_variantButtons) {
        static_cast<cVisual&>(*button) = cVisual();
        button->hide();
    }
    m_panel->fadeOutVariantsDlg();
}
