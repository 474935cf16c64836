#pragma once

// What the walking characters need of a building view: the model unit it shows, the graph point
// in front of it, and the work look the characters switch on while they are inside. Apart from
// the view, so the character models and their tests need no widget.

#include <cstdint>

class cMeadowUnit;

class IUnitView {
public:
    virtual ~IUnitView() = default;

    virtual cMeadowUnit* getUnit() const = 0;
    virtual int32_t getPoint() const = 0;
    virtual void setWorking(bool on) = 0;
    // How long a character stays inside, in seconds.
    virtual float getWorkTime() const = 0;
    virtual void playVoices() = 0;
};
