#include "game/shell/TutorialTips.h"

namespace {

ITutorialTips* s_tutorial = nullptr;

} // namespace

ITutorialTips* getTutorialTips() {
    return s_tutorial;
}

void setTutorialTips(ITutorialTips* tutorial) {
    s_tutorial = tutorial;
}

bool isTutorialTipOpen() {
    return s_tutorial && s_tutorial->isTutorialTipOpen();
}
