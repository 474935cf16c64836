#include "engine/gui/YesNoDialog.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"

namespace Engine {

namespace {

void deleteDialog(cYesNoDialog* dialog) {
    deleteWidgetLater(dialog);
}

} // namespace

cYesNoDialog::cYesNoDialog(cWidget* blockedWidget, const char* layoutPath)
    : cPanel(nullptr), m_yesButton(new cTextButton(this)), m_noButton(new cTextButton(this)),
      m_textBox(new cMultilineText(this)), m_onYes(deleteDialog), m_onNo(deleteDialog), m_blockedWidget(blockedWidget) {
    m_yesButton->setClickCallback(onYesClicked);
    m_noButton->setClickCallback(onNoClicked);
    loadLayoutFile(*this, layoutPath ? layoutPath : "UI/YesNo.xml");
}

cYesNoDialog::~cYesNoDialog() {
    if (isEnabled())
        stopProcessing();
}

cWidget* cYesNoDialog::blockedWidget() {
    if (m_blockedWidget && !isWidgetAlive(m_blockedWidget))
        m_blockedWidget = nullptr;
    return m_blockedWidget;
}

void cYesNoDialog::process() {
    cPanel::process();
    if (cWidget* blocked = blockedWidget(); blocked && blocked->isEnabled())
        blocked->disable();
    if (m_pauseYes == 0)
        return;
    m_pauseLeft -= frameDelta();
    if (m_pauseLeft < 0) {
        m_pauseLeft = -0.1f;
        m_yesButton->enable();
    } else {
        m_yesButton->disable();
    }
}

void cYesNoDialog::loadXML(const IXmlNode* node) {
    IXmlNode* child = nullptr;
    if (node->findNode("Background", child))
        cPanel::loadXML(child);
    parseFloat(m_pauseYes, node->getAttribute(L"PauseYes"));
    if (node->findNode("YesButton", child))
        m_yesButton->loadXML(child);
    if (node->findNode("NoButton", child))
        m_noButton->loadXML(child);
    if (node->findNode("Text", child))
        m_textBox->loadXML(child);
}

void cYesNoDialog::onShow() {
    cPanel::onShow();
    m_pauseLeft = m_pauseYes;
}

void cYesNoDialog::startProcessing() {
    cPanel::startProcessing();
    if (cWidget* blocked = blockedWidget())
        blocked->disable();
    m_keys.removeAll();
    m_keys.addKey(Platform::KEY_ENTER, yesKey, m_yesButton);
    m_keys.addKey(Platform::KEY_SPACE, yesKey, m_yesButton);
    m_keys.addKey(Platform::KEY_ESCAPE, noKey, m_noButton);
}

void cYesNoDialog::stopProcessing() {
    cPanel::stopProcessing();
    if (cWidget* blocked = blockedWidget())
        blocked->enable();
    m_keys.removeAll();
}

void cYesNoDialog::setText(const std::wstring& text) {
    m_textBox->setText(text, true);
}

void cYesNoDialog::onYesClicked(cButton* button) {
    auto* dialog = static_cast<cYesNoDialog*>(button->getParent());
    if (dialog && dialog->m_onYes)
        dialog->m_onYes(dialog);
}

void cYesNoDialog::onNoClicked(cButton* button) {
    auto* dialog = static_cast<cYesNoDialog*>(button->getParent());
    if (dialog && dialog->m_onNo)
        dialog->m_onNo(dialog);
}

void cYesNoDialog::yesKey(void* button) {
    onYesClicked(static_cast<cButton*>(button));
}

void cYesNoDialog::noKey(void* button) {
    onNoClicked(static_cast<cButton*>(button));
}

} // namespace Engine
