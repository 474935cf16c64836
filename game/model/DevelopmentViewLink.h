#pragma once

// What the controller needs of the development screen, which owns the level flow.

class IDevelopmentView {
public:
    virtual ~IDevelopmentView() = default;

    // Disables or enables the screen's buttons, upgrade panel and unit views.
    virtual void lockInterface(bool locked) = 0;
    virtual void resumeMusic() = 0;
};
