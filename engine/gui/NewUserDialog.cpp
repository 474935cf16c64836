#include "engine/gui/NewUserDialog.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/EditBox.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"

#include <cwchar>

namespace Engine {

const wchar_t* const NAME_CHARACTERS = L"-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

bool acceptNameChar(const cEditBox* edit, wchar_t character) {
    if (character == 8)
        return true;
    if (character == 160 || character == 0 || !std::wcschr(NAME_CHARACTERS, character))
        return false;
    return edit->canDisplay(character);
}

cNewUserDialog* getNewUserDialog() {
    return cSingleton<cNewUserDialog>::getInstance();
}

cNewUserDialog::cNewUserDialog()
    : cBackground(nullptr), m_okButton(new cTextButton(this)), m_nameEdit(new cEditBox(this)) {
    m_okButton->setClickCallback(okClicked);
    loadLayoutFile(*this, "UI/NewUser.xml");
    m_nameEdit->setCharFilter([this](wchar_t character) { return acceptNameChar(character); });
    m_nameEdit->setChangeCallback([this](cEditBox*) { onNewUserNameChanged(); });
}

cNewUserDialog::~cNewUserDialog() {
    m_keys.removeAll();
}

void cNewUserDialog::loadXML(const IXmlNode* node) {
    cBackground::loadXML(node);
    IXmlNode* child = nullptr;
    if (m_backing && node->findNode("PodlogkaPodImia", child))
        m_backing->loadXML(child);
    if (node->findNode("NameEdit", child))
        m_nameEdit->loadXML(child);
    if (node->findNode("OkButton", child))
        m_okButton->loadXML(child);
    IXmlNode* texts = nullptr;
    if (!node->findNode("Texts", texts))
        return;
    for (int i = 0; i < texts->getChildCount(); ++i) {
        if (!texts->getNodeAt(i, child))
            continue;
        auto* label = new cLabel(this);
        m_texts.insert(label);
        label->loadXML(child);
    }
}

void cNewUserDialog::startProcessing() {
    cBackground::startProcessing();
    m_keys.removeAll();
    m_keys.addKey(Platform::KEY_ENTER, enterKey, this);
}

void cNewUserDialog::stopProcessing() {
    cBackground::stopProcessing();
    m_keys.removeAll();
}

bool cNewUserDialog::acceptNameChar(wchar_t character) const {
    return Engine::acceptNameChar(m_nameEdit, character);
}

void cNewUserDialog::onNewUserNameChanged() {
    if (m_nameEdit->getText().empty())
        m_okButton->disable();
    else if (!m_okButton->isEnabled())
        m_okButton->enable();
}

void cNewUserDialog::onNewUserOk() {
    const std::wstring name = m_nameEdit->getText();
    // A second OK in the frame of the first (button and Enter) must not make the player again.
    if (name.empty() || getFadeMode() == FADE_OUT_DELETE)
        return;
    switchProfile(name);
    fadeOutAndDelete();
    if (m_onComplete)
        m_onComplete();
}

void cNewUserDialog::okClicked(cButton* button) {
    static_cast<cNewUserDialog*>(button->getParent())->onNewUserOk();
}

void cNewUserDialog::enterKey(void* dialog) {
    static_cast<cNewUserDialog*>(dialog)->onNewUserOk();
}

} // namespace Engine
