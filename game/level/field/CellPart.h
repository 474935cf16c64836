#pragma once

// A fragment of a broken wood or iron cell: it flies outward from the cell's centre on a curved
// path, turns, fades and deletes itself. The cell view makes four of them from its prototype.

#include "engine/gui/Panel.h"

class IVisualStates;

class cCellPart : public Engine::cPanel {
public:
    explicit cCellPart(Engine::cWidget* parent);
    // Every field but the velocity and the delayed flag.
    cCellPart(const cCellPart& other);
    ~cCellPart() override;

    void process() override;
    // The panel keys, then the flight and fade values; the fade rate follows from them.
    void loadXML(const Engine::IXmlNode* node) override;

    // The picture of part `index` of a wood (2) or iron (3) cell; a simple cell (1) does not break.
    void setVisualState(int cellType, int index, const IVisualStates& looks);
    // Starts the flight away from the parent's centre.
    void launch(bool delayed);

    float getLifeTime() const { return m_lifeTime; }
    float getFadeStart() const { return m_fadeStart; }
    float getFadeRate() const { return m_fadeRate; }
    float getSpeed() const { return m_speed; }
    float getSideSpeed() const { return m_sideSpeed; }
    float getTurnSpeed() const { return m_turnSpeed; }
    const Engine::cVector2& getVelocity() const { return m_velocity; }
    bool isDelayed() const { return m_delayed; }
    float getDelay() const { return m_delay; }

private:
    float m_lifeTime = 0;
    float m_fadeStart = 0;
    float m_fadeRate = 0;
    float m_speed = 0;
    float m_sideSpeed = 0;
    float m_sideSpeedSpread = 0;
    float m_turnSpeed = 0;
    float m_turnSpeedSpread = 0;
    Engine::cVector2 m_velocity;
    bool m_delayed = false;
    float m_delay = 0;
    float m_startAngleRange = 0;
    float m_startOffsetRange = 0;
};
