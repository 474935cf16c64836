#pragma once

// A panel that plays its child panels one after another, each for a random number of its
// animation cycles (the loading screen's chickens, the vehicle slots).

#include "engine/gui/Panel.h"

#include <cstdint>
#include <vector>

class cStateAnimation : public Engine::cPanel {
public:
    struct State {
        Engine::cPanel* widget = nullptr;
        int32_t minCycles = 0;
        int32_t maxCycles = 0;
    };

    explicit cStateAnimation(Engine::cWidget* parent);
    ~cStateAnimation() override;

    void process() override;
    // The panel keys, then one state per child of "States" ("PlayCycles": minimum, maximum).
    void loadXML(const Engine::IXmlNode* node) override;
    void setAlpha(float alpha) override;

    virtual void reset();
    virtual void setState(int index);
    virtual bool& getHold() { return m_hold; }
    virtual void setHold(bool hold) { m_hold = hold; }
    void removeState(int index);

    size_t getStateCount() const { return m_stateList.size(); }
    const State& getStateAt(size_t index) const { return *m_stateList[index]; }
    uint32_t getCurrent() const { return m_current; }
    float getTimeLeft() const { return m_timeLeft; }

private:
    void startCurrent();

    std::vector<State*> m_stateList;
    uint32_t m_current = 0;
    float m_timeLeft = 0;
    bool m_hold = false;
};
