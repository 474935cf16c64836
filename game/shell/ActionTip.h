#pragma once

// A tutorial tip that points at a control and closes by itself once the player has done what
// it asks, told by its done check.

#include "game/shell/ArrowHelpTip.h"

class cActionTip : public cArrowHelpTip {
public:
    using tDoneCheck = bool (*)(Engine::cWidget* control);

    explicit cActionTip(cTutorialManager* manager);
    ~cActionTip() override;

    void process() override;
    void loadLayout() override;

    void setDoneCheck(tDoneCheck check) { m_doneCheck = check; }

private:
    tDoneCheck m_doneCheck = nullptr;
};
