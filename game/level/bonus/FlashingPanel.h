#pragma once

// The glow of a bonus button that can be bought: while flashing its alpha pulses along a sine.

#include "engine/gui/Panel.h"

#include <string>

class cFlashingPanel : public Engine::cPanel {
public:
    // Reads the named layout ("flash_period" after the panel keys).
    cFlashingPanel(Engine::cWidget* parent, const std::string& layout);
    ~cFlashingPanel() override;

    void process() override;
    void loadXML(const Engine::IXmlNode* node) override;

    bool isFlashing() const { return m_flashing; }
    void setFlashing(bool flashing) { m_flashing = flashing; }
    float getPhaseSpeed() const { return m_phaseSpeed; }

private:
    bool m_flashing = false;
    float m_phaseSpeed = 0;
    float m_phaseTime = 0;
};
