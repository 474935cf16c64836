#include "game/shell/YesNoFrame.h"

#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"

using namespace Engine;

cYesNoFrame::cYesNoFrame(cWidget* parent, const std::string& path)
    : cEffectDialog(parent), m_yesButton(new cTextButton(this)), m_noButton(new cTextButton(this)),
      m_text(new cMultilineText(this)) {
    loadLayoutFile(*this, path.empty() ? "UI/YesNoFrame.xml" : path);
    m_yesButton->setClickCallback(onYesPressed);
    m_noButton->setClickCallback(onNoPressed);
}

cYesNoFrame::~cYesNoFrame() = default;

void cYesNoFrame::loadXML(const IXmlNode* node) {
    cEffectDialog::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("YesButton", element))
        m_yesButton->loadXML(element);
    element = nullptr;
    if (node->findNode("NoButton", element))
        m_noButton->loadXML(element);
    element = nullptr;
    if (node->findNode("Text", element))
        m_text->loadXML(element);
    addEffectWidget(m_yesButton);
    addEffectWidget(m_noButton);
    addEffectWidget(m_text);
}

void cYesNoFrame::listenToKeys() {
    if (!m_keyHooks.empty())
        return;
    m_keyHooks.addKey(Platform::KEY_ENTER, onYesKey, m_yesButton);
    m_keyHooks.addKey(Platform::KEY_SPACE, onYesKey, m_yesButton);
    m_keyHooks.addKey(Platform::KEY_ESCAPE, onNoKey, m_noButton);
}

void cYesNoFrame::startProcessing() {
    cEffectDialog::startProcessing();
    if (!m_answered)
        listenToKeys();
}

void cYesNoFrame::stopProcessing() {
    m_keyHooks.removeAll();
    cEffectDialog::stopProcessing();
}

void cYesNoFrame::fadeIn() {
    if (m_answered) {
        m_answered = false;
        m_yesButton->enable();
        m_noButton->enable();
        if (isEnabled())
            listenToKeys();
    }
    cEffectDialog::fadeIn();
}

void cYesNoFrame::onFadedIn() {
    cEffectDialog::onFadedIn();
    m_text->setText(m_message, true);
}

void cYesNoFrame::setMessage(const std::wstring& message) {
    m_message = message;
    m_text->setText(std::wstring());
}

bool cYesNoFrame::takeAnswer() {
    if (m_answered)
        return false;
    // The frame itself keeps running: its fade-out is stepped in its process.
    m_answered = true;
    m_keyHooks.removeAll();
    m_yesButton->disable();
    m_noButton->disable();
    return true;
}

void cYesNoFrame::onYesPressed(cButton* button) {
    auto* frame = dynamic_cast<cYesNoFrame*>(button->getParent());
    if (!frame || !frame->takeAnswer())
        return;
    frame->onYes();
    if (frame->m_onYes)
        frame->m_onYes(frame);
}

void cYesNoFrame::onNoPressed(cButton* button) {
    auto* frame = dynamic_cast<cYesNoFrame*>(button->getParent());
    if (!frame || !frame->takeAnswer())
        return;
    frame->onNo();
    if (frame->m_onNo)
        frame->m_onNo(frame);
}

void cYesNoFrame::onYesKey(void* button) {
    onYesPressed(static_cast<cButton*>(button));
}

void cYesNoFrame::onNoKey(void* button) {
    onNoPressed(static_cast<cButton*>(button));
}
