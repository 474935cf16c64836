#pragma once

// One drifting cloud of a layer; it deletes itself once it has left the 1024-wide screen.

#include "engine/gui/Panel.h"

#include <cstdint>

class cCloud : public Engine::cPanel {
public:
    explicit cCloud(Engine::cWidget* parent);
    cCloud(const cCloud& other) = default;

    void process() override;
    // The panel keys, "type" and "Speed".
    void loadXML(const Engine::IXmlNode* node) override;

    uint32_t getType() const { return m_type; }
    float getSpeed() const { return m_speed; }
    void setSpeed(float speed) { m_speed = speed; }

private:
    uint32_t m_type = 0;
    float m_speed = 0;
};
