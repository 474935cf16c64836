#pragma once

// A butterfly over the map: it grows in at a random place, heads for the middle of the screen,
// turns and changes speed now and then, and leaves for good when it flies off the screen.

#include "engine/gui/Panel.h"

class cDevelopmentView;

class cButterfly : public Engine::cPanel {
public:
    // Reads "Meadow/View/Butterfly.xml" and loads one of its kinds at random.
    explicit cButterfly(cDevelopmentView* screen);
    ~cButterfly() override;

    void process() override;
    void loadXML(const Engine::IXmlNode* root) override;
    // Leaves the screen's list and goes to the deferred deletion.
    virtual void destroy();

    float getSpeed() const { return m_speed; }
    const Engine::cVector2& getDirection() const { return m_direction; }
    const Engine::cVector2& getFullSize() const { return m_fullSize; }
    float getAppearTime() const { return m_appearTime; }
    static const Engine::cVector2& getSpeedRange() { return s_speedRange; }

private:
    cDevelopmentView* m_screen;
    float m_speed = 0;
    Engine::cVector2 m_direction;
    float m_turnChance = 0;
    float m_turnAngle = 0;
    Engine::cVector2 m_screenSize{1024, 768};
    Engine::cVector2 m_areaMin;
    Engine::cVector2 m_areaMax;
    float m_appearTime = 0;
    Engine::cVector2 m_growthRate;
    Engine::cVector2 m_fullSize;
    float m_bufferTime = 0;

    static inline Engine::cVector2 s_speedRange;
    static inline float s_speedChangeChance = 0;
};
