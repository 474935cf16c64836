#pragma once

// A line of the results view's summary: a label that fades in at its place with a numbered
// sound ("line" + number) and a burst of its particle effect ("PyroEffect").

#include "engine/gui/Label.h"

namespace Engine {
class cPyroEffect;
}

class cFlyingValue : public Engine::cLabel {
public:
    explicit cFlyingValue(Engine::cWidget* parent);
    // The layout values, not shown, index -1.
    cFlyingValue(const cFlyingValue& other);
    ~cFlyingValue() override;

    void process() override;
    // The label keys, then "src_mult", "speed", "acceleration", the child "PyroEffect" (placed
    // from the label's position), "value_zone_radius", "show_time".
    void loadXML(const Engine::IXmlNode* node) override;

    void launch();
    void reset();

    virtual bool getShown() const { return m_shown; }
    virtual void setShown(bool shown) { m_shown = shown; }
    virtual const Engine::cVector2& getSource() const { return m_source; }
    virtual void setSource(const Engine::cVector2& source) { m_source = source; }
    virtual const Engine::cVector2& getDestination() const { return m_destination; }
    virtual void setDestination(const Engine::cVector2& destination) { m_destination = destination; }
    virtual float getSourceMultiplier() const { return m_sourceMultiplier; }
    virtual void setSourceMultiplier(float multiplier) { m_sourceMultiplier = multiplier; }
    virtual float getOwnMultiplier() const { return m_ownMultiplier; }
    virtual void setOwnMultiplier(float multiplier) { m_ownMultiplier = multiplier; }
    virtual int getIndex() const { return m_index; }
    virtual void setIndex(int index) { m_index = index; }

    // The hidden effect each launch plays a copy of.
    Engine::cPyroEffect* getEffect() const { return m_effect; }
    float getDistance() const { return m_distance; }
    float getTimer() const { return m_timer; }

private:
    bool m_shown = false;
    Engine::cVector2 m_source;
    Engine::cVector2 m_destination;
    float m_distance = 0;
    float m_sourceMultiplier = 0;
    float m_ownMultiplier = 0;
    float m_speed = 0;
    float m_acceleration = 0;
    Engine::cPyroEffect* m_effect;
    float m_zoneRadius = 0;
    int m_index = -1;
    float m_showTime = 0;
    float m_timer = 0;
};
