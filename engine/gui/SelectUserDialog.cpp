#include "engine/gui/SelectUserDialog.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/EditBox.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/ListBox.h"
#include "engine/gui/NewUserDialog.h"
#include "engine/gui/TextButton.h"
#include "engine/gui/YesNoDialog.h"
#include "engine/platform/KeyCodes.h"

#include <list>

namespace Engine {

cSelectUserDialog* getSelectUserDialog() {
    return cSingleton<cSelectUserDialog>::getInstance();
}

cSelectUserDialog::cSelectUserDialog(bool hideExit, bool loadNow)
    : cBackground(nullptr), m_userList(new cListBox(this)), m_nameEdit(new cEditBox(this)),
      m_okButton(new cTextButton(this)), m_exitButton(new cTextButton(this)), m_deleteButton(new cTextButton(this)),
      m_cancelButton(new cTextButton(this)), m_background(new cPanel(this)), m_bigLogo(new cPanel(this)),
      m_backing(new cPanel(this)), m_enterNameText(new cLabel(this)), m_hideExit(hideExit) {
    m_deleteButton->setClickCallback(deleteClicked);
    m_okButton->setClickCallback(okClicked);
    m_exitButton->setClickCallback(exitClicked);
    m_cancelButton->setClickCallback(cancelClicked);
    m_nameEdit->setChangeCallback([this](cEditBox*) { onSelectNameEdited(); });
    m_nameEdit->setCharFilter([this](wchar_t character) { return acceptNameChar(m_nameEdit, character); });
    m_userList->setSelectCallback(rowSelected);
    if (loadNow)
        reloadLayout();
    m_ready = true;
}

cSelectUserDialog::~cSelectUserDialog() {
    m_keys.removeAll();
}

void cSelectUserDialog::reloadLayout() {
    loadLayoutFile(*this, "UI/SelectUser.xml");
}

void cSelectUserDialog::refillUserList() {
    m_userList->clear();
    cProfileManager* profiles = getProfileManager();
    if (!profiles)
        return;
    std::list<std::wstring> names;
    profiles->getProfileNames(names);
    for (const std::wstring& name : names)
        m_userList->addString(name);
}

void cSelectUserDialog::loadXML(const IXmlNode* node) {
    cBackground::loadXML(node);
    m_stringOk = node->getAttribute(L"StringOK");
    m_stringNew = node->getAttribute(L"StringNew");
    m_stringConfirm = node->getAttribute(L"StringConfirm");
    const std::pair<const char*, cWidget*> children[] = {
        {"Background", m_background},       {"BigLogo", m_bigLogo},   {"PodlogkaPodImia", m_backing},
        {"EnterNameText", m_enterNameText}, {"NameEdit", m_nameEdit}, {"OkButton", m_okButton},
    };
    IXmlNode* child = nullptr;
    for (const auto& [name, widget] : children)
        if (node->findNode(name, child))
            widget->loadXML(child);
    if (node->findNode("ExitButton", child))
        m_exitButton->loadXML(child);
    if (m_hideExit)
        m_exitButton->hide();
    if (node->findNode("DeleteButton", child))
        m_deleteButton->loadXML(child);
    m_deleteButton->hide();
    if (node->findNode("CancelButton", child))
        m_cancelButton->loadXML(child);
    m_cancelButton->hide();
    if (node->findNode("UserList", child)) {
        m_userList->loadXML(child);
        // Rows show player names, which are never translated.
        m_userList->getRowTemplate()->getCaption()->setLocalized(false);
        refillUserList();
    }
}

bool cSelectUserDialog::nameExists(const std::wstring& name) const {
    for (int i = 0; i < m_userList->getCount(); ++i)
        if (m_userList->getString(i) == name)
            return true;
    return false;
}

void cSelectUserDialog::onSelectNameEdited() {
    const std::wstring& text = m_nameEdit->getText();
    if (text.empty()) {
        m_okButton->disable();
        m_deleteButton->hide();
        m_cancelButton->show();
        return;
    }
    m_okButton->show();
    m_okButton->enable();
    if (nameExists(text)) {
        m_okButton->setText(m_stringOk);
        if (!m_deleteButton->isVisible())
            m_deleteButton->show();
        m_cancelButton->hide();
    } else {
        m_okButton->setText(m_stringNew);
        m_deleteButton->hide();
        m_cancelButton->show();
    }
}

void cSelectUserDialog::process() {
    cBackground::process();
    if (m_nameEdit->getText().empty())
        m_okButton->disable();
    else if (!m_okButton->isEnabled())
        m_okButton->enable();
}

void cSelectUserDialog::onUserSelected(int row) {
    if (row < 0 || row >= m_userList->getCount())
        return;
    const std::wstring name = m_userList->getString(row);
    m_nameEdit->setText(name);
    m_selectedRow = row;
    switchProfile(name);
    m_deleteButton->show();
    m_deleteButton->enable();
    m_okButton->show();
    m_okButton->setText(m_stringOk);
    m_cancelButton->hide();
}

void cSelectUserDialog::onSelectOk() {
    const std::wstring name = m_nameEdit->getText();
    // A second OK in the frame of the first (button and Enter) must not act again.
    if (name.empty() || getFadeMode() == FADE_OUT_DELETE)
        return;
    switchProfile(name);
    disable();
    fadeOutAndDelete();
    if (m_onOk)
        m_onOk(this);
}

void cSelectUserDialog::leave() {
    disable();
    fadeOutAndDelete();
    if (m_onExit)
        m_onExit(this);
}

void cSelectUserDialog::onSelectCancel() {
    if (m_userList->getCount() == 0 || getFadeMode() == FADE_OUT_DELETE)
        return;
    leave();
}

void cSelectUserDialog::onSelectExit() {
    if (m_userList->getCount() == 0 || !m_exitButton->isEnabled() || !m_exitButton->isVisible() ||
        getFadeMode() == FADE_OUT_DELETE)
        return;
    leave();
}

void cSelectUserDialog::onDeleteClicked() {
    disable();
    hide();
    auto* question = new cYesNoDialog(nullptr);
    question->setYesCallback([](cYesNoDialog* dialog) {
        if (cSelectUserDialog* owner = getSelectUserDialog())
            owner->onDeleteConfirmed(dialog);
        else
            deleteWidgetLater(dialog);
    });
    question->setNoCallback([](cYesNoDialog* dialog) {
        if (cSelectUserDialog* owner = getSelectUserDialog())
            owner->onDeleteRefused(dialog);
        else
            deleteWidgetLater(dialog);
    });
    question->setText(m_stringConfirm);
    question->show();
    question->enable();
}

void cSelectUserDialog::onDeleteConfirmed(cYesNoDialog* question) {
    const std::wstring name = m_nameEdit->getText();
    if (!name.empty()) {
        if (cProfileManager* profiles = getProfileManager())
            profiles->deleteProfile(name);
        refillUserList();
        m_deleteButton->hide();
        m_nameEdit->setText(L"");
        // The Exit button stays as it was while players are left: Escape and Exit still close.
        if (m_userList->getCount() == 0)
            m_exitButton->hide();
        const std::wstring current = getProfileManager() ? getProfileManager()->getCurrentName() : std::wstring();
        switchProfile(current);
    }
    deleteWidgetLater(question);
    enable();
    show();
    if (m_userList->getCount() == 0) {
        m_deleteButton->hide();
        m_cancelButton->show();
        m_cancelButton->disable();
    }
}

void cSelectUserDialog::onDeleteRefused(cYesNoDialog* question) {
    deleteWidgetLater(question);
    enable();
    show();
}

void cSelectUserDialog::startProcessing() {
    cBackground::startProcessing();
    m_keys.removeAll();
    m_keys.addKey(Platform::KEY_ENTER, enterKey, this);
    m_keys.addKey(Platform::KEY_ESCAPE, escapeKey, this);
    if (getProfileManager() && m_ready) {
        m_nameEdit->setText(getProfileManager()->getCurrentName());
        onSelectNameEdited();
        m_cancelButton->enable();
    }
}

void cSelectUserDialog::stopProcessing() {
    cBackground::stopProcessing();
    m_keys.removeAll();
}

void cSelectUserDialog::deleteClicked(cButton* button) {
    static_cast<cSelectUserDialog*>(button->getParent())->onDeleteClicked();
}

void cSelectUserDialog::okClicked(cButton* button) {
    static_cast<cSelectUserDialog*>(button->getParent())->onSelectOk();
}

void cSelectUserDialog::exitClicked(cButton* button) {
    static_cast<cSelectUserDialog*>(button->getParent())->onSelectExit();
}

void cSelectUserDialog::cancelClicked(cButton* button) {
    static_cast<cSelectUserDialog*>(button->getParent())->onSelectCancel();
}

void cSelectUserDialog::rowSelected(int row, cListBox* list) {
    static_cast<cSelectUserDialog*>(list->getParent())->onUserSelected(row);
}

void cSelectUserDialog::enterKey(void* dialog) {
    static_cast<cSelectUserDialog*>(dialog)->onSelectOk();
}

void cSelectUserDialog::escapeKey(void* dialog) {
    static_cast<cSelectUserDialog*>(dialog)->onSelectExit();
}

} // namespace Engine
