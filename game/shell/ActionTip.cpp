#include "game/shell/ActionTip.h"

using namespace Engine;

cActionTip::cActionTip(cTutorialManager* manager) : cArrowHelpTip(manager) {}

cActionTip::~cActionTip() = default;

void cActionTip::loadLayout() {
    loadFile("Meadow/View/Tutorial/ActionTip.xml");
}

void cActionTip::process() {
    swing();
    if (isClosing())
        return;
    if (m_doneCheck && m_doneCheck(m_target))
        close();
}
