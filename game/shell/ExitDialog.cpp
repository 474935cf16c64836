#include "game/shell/ExitDialog.h"

#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"

#include <algorithm>
#include <cmath>

using namespace Engine;

namespace {

void hideDialog(cExitDialog* dialog) {
    static_cast<cWidget*>(dialog)->hide();
}

cExitDialog* dialogOf(cButton* button) {
    return static_cast<cExitDialog*>(button->getParent());
}

float lengthOf(const cVector2& v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

} // namespace

cExitDialog::cExitDialog(cWidget* parent)
    : cBackground(parent), m_onYes(hideDialog), m_onNo(hideDialog), m_yesButton(new cTextButton(this)),
      m_noButton(new cTextButton(this)), m_text(new cMultilineText(this)) {
    for (cPanel*& bee : m_bees)
        bee = new cPanel(this);
    loadLayoutFile(*this, "UI/YesNoExit.xml");
    m_yesButton->setClickCallback(yesClicked);
    m_noButton->setClickCallback(noClicked);
    m_yesButton->setHoverCallback(yesHovered);
    m_noButton->setHoverCallback(noHovered);
    m_yesButton->setUnhoverCallback(unhovered);
    m_noButton->setUnhoverCallback(unhovered);
    m_home = m_yesButton->getPosition();
    showBee(0);
}

cExitDialog::~cExitDialog() = default;

void cExitDialog::loadXML(const IXmlNode* node) {
    cBackground::loadXML(node);
    const char* names[] = {"YesButton", "NoButton", "Text", "Bee0", "Bee1", "Bee2"};
    cWidget* widgets[] = {m_yesButton, m_noButton, m_text, m_bees[0], m_bees[1], m_bees[2]};
    for (int i = 0; i < 6; ++i) {
        IXmlNode* element = nullptr;
        if (node->findNode(names[i], element))
            widgets[i]->loadXML(element);
    }
}

void cExitDialog::showBee(int index) {
    for (int i = 0; i < BEES; ++i) {
        if (i == index)
            m_bees[i]->show();
        else
            m_bees[i]->hide();
    }
}

cVector2 cExitDialog::shyTarget(const cVector2& cursor) const {
    const cVector2 away = m_yesButton->getPosition() - cursor;
    const float distance = lengthOf(away);
    const float push = std::max(0.0f, (1.0f - distance / SHY_DISTANCE) * SHY_OFFSET);
    if (distance <= 0)
        return m_home;
    return m_home + away * (push / distance);
}

void cExitDialog::process() {
    cBackground::process();
    const int state = m_yesButton->getState();
    // The cursor on the button holds it still, so it can be pressed and clicked.
    if (state == cButton::BUTTON_HOVER || state == cButton::BUTTON_PRESSED)
        return;
    const cVector2* cursor = getFrameManager()->getCursorPosition();
    if (!cursor)
        return;
    const cVector2 way = shyTarget(*cursor) - m_yesButton->getPosition();
    const float length = lengthOf(way);
    if (length <= 0)
        return;
    const float step = std::min(length, SHY_SPEED * frameDelta());
    m_yesButton->setPosition(m_yesButton->getPosition() + way * (step / length));
}

void cExitDialog::yesClicked(cButton* button) {
    cExitDialog* dialog = dialogOf(button);
    if (dialog->m_onYes)
        dialog->m_onYes(dialog);
}

void cExitDialog::noClicked(cButton* button) {
    cExitDialog* dialog = dialogOf(button);
    if (dialog->m_onNo)
        dialog->m_onNo(dialog);
}

void cExitDialog::yesHovered(cButton* button) {
    dialogOf(button)->showBee(2);
}

void cExitDialog::noHovered(cButton* button) {
    dialogOf(button)->showBee(1);
}

void cExitDialog::unhovered(cButton* button) {
    if (button->getState() == cButton::BUTTON_PRESSED)
        return;
    // The cursor may have gone straight onto the other button, which has shown its bee already.
    cExitDialog* dialog = dialogOf(button);
    cButton* other = button == dialog->m_yesButton ? static_cast<cButton*>(dialog->m_noButton) : dialog->m_yesButton;
    if (other->getState() == cButton::BUTTON_HOVER || other->getState() == cButton::BUTTON_PRESSED)
        return;
    dialog->showBee(0);
}
