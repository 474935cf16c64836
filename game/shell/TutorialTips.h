#pragma once

// What the tool-tips need of the tutorial: whether one of its own tips is open, which blocks
// every control's tip. The tutorial registers itself; without one no tutorial tip is ever up.

class ITutorialTips {
public:
    virtual ~ITutorialTips() = default;
    virtual bool isTutorialTipOpen() const = 0;
};

ITutorialTips* getTutorialTips();
// Null unregisters.
void setTutorialTips(ITutorialTips* tutorial);
bool isTutorialTipOpen();
