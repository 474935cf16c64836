#pragma once

// The tutorial's tips as the controller sees them. The tutorial may be absent.

class ITutorialManager {
public:
    virtual ~ITutorialManager() = default;

    // Id of the tip on screen; -1 when none.
    virtual int getCurrentTipId() = 0;
    virtual bool hasCurrentTip() = 0;
    virtual void closeCurrentTip() = 0;
    virtual void setTipShown(int tipId) = 0;
};
