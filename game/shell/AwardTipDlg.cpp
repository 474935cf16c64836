#include "game/shell/AwardTipDlg.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/PyroEffect.h"
#include "engine/gui/TextButton.h"
#include "engine/media/InputSystem.h"
#include "engine/platform/KeyCodes.h"
#include "game/shell/AwardButton.h"
#include "game/shell/AwardProgressPanel.h"

using namespace Engine;

cAwardTipDlg::cAwardTipDlg(cWidget* parent) : cFader(parent) {
    m_progressProto = new cAwardProgressPanel(nullptr);
    loadLayoutFile(*m_progressProto, "Awards/AwardTip.xml");
    m_progressProto->hide();
    m_captionText = new cLabel(this);
    m_returnButton = new cTextButton(this);
    m_pyroProto = new cPyroEffect(this, "");
    loadLayoutFile(*this, "Awards/Awards.xml");
    m_returnButton->setClickCallback(onReturnClicked);
}

cAwardTipDlg::~cAwardTipDlg() {
    hide();
    disable();
    removePyro();
    delete m_progressProto;
}

void cAwardTipDlg::loadXML(const IXmlNode* root) {
    cFader::loadXML(root);
    IXmlNode* element = nullptr;
    if (root->findNode("ReturnButton", element))
        m_returnButton->loadXML(element);
    element = nullptr;
    if (root->findNode("CaptionText", element))
        m_captionText->loadXML(element);
    element = nullptr;
    if (root->findNode("AwardPyro", element))
        m_pyroProto->loadXML(element);
    m_pyroProto->hide();
    IXmlNode* awards = nullptr;
    if (!root->findNode("Awards", awards))
        return;
    // The table has 21 places; further entries are not read.
    const int count = std::min(awards->getChildCount(), int(AWARD_COUNT));
    for (int i = 0; i < count; ++i) {
        IXmlNode* entry = nullptr;
        if (!awards->getNodeAt(i, entry))
            continue;
        auto* button = new cAwardButton(this, i);
        button->loadXML(entry);
        button->attachProgressPanel(m_progressProto);
        m_buttons[i] = button;
    }
}

void cAwardTipDlg::fadeIn() {
    m_returned = false;
    cFader::fadeIn();
}

void cAwardTipDlg::onFadedIn() {
    refreshAwards();
}

cAwardButton* cAwardTipDlg::getButton(int index) const {
    return index >= 0 && index < AWARD_COUNT ? m_buttons[index] : nullptr;
}

int cAwardTipDlg::getButtonCount() const {
    int count = 0;
    for (cAwardButton* button : m_buttons)
        count += button ? 1 : 0;
    return count;
}

void cAwardTipDlg::refreshAwards() {
    // A file with fewer awards leaves empty places: refreshing them would touch no button.
    if (getButtonCount() != AWARD_COUNT)
        return;
    for (int i = 0; i < AWARD_COUNT; ++i)
        m_buttons[i]->setGiven(gBoolProps[gAwardTypeNames[i]]);
}

void cAwardTipDlg::onReturn(void*) {
    cAwardTipDlg* dialog = getInstance();
    // Its fade-out runs in its process, so its return button still takes clicks meanwhile.
    if (!dialog || dialog->m_returned)
        return;
    dialog->m_returned = true;
    dialog->removePyro();
    dialog->m_escapeHook.removeAll();
    dialog->fadeOut();
    if (dialog->m_returnCallback)
        dialog->m_returnCallback();
}

void cAwardTipDlg::listenToEscape() {
    m_escapeHook.removeAll();
    m_escapeHook.addKey(Platform::KEY_ESCAPE, onReturn, this);
}

void cAwardTipDlg::onReturnClicked(cButton*) {
    onReturn(nullptr);
}

void cAwardTipDlg::removePyro() {
    if (!m_currentPyro)
        return;
    m_currentPyro->hide();
    deleteWidgetLater(m_currentPyro);
    m_currentPyro = nullptr;
}

void cAwardTipDlg::playPyro(cAwardButton* button, bool on) {
    removePyro();
    if (!on || !button)
        return;
    m_currentPyro = new cPyroEffect(*m_pyroProto);
    m_currentPyro->setParent(this);
    m_currentPyro->setPosition(button->getPosition());
    m_currentPyro->play();
    m_currentPyro->show();
}
