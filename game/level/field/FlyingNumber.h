#pragma once

// A signed number with an icon that rises from a place and fades out, then deletes itself:
// points earned on the board, money paid for a piece or by a vehicle.

#include "engine/gui/Panel.h"

#include <string>

namespace Engine {
class cLabel;
}

class cFlyingNumber : public Engine::cPanel {
public:
    // Reads the named layout, places itself at (x, y) plus "offset" (plus a random scatter within
    // "random_radius" when asked) and starts flying at once.
    cFlyingNumber(Engine::cWidget* parent, float x, float y, int number, bool scatter, const std::string& layout);
    ~cFlyingNumber() override;

    void process() override;
    void loadXML(const Engine::IXmlNode* node) override;

    Engine::cLabel* getNumber() const { return m_number; }
    Engine::cPanel* getIcon() const { return m_icon; }
    const Engine::cVector2& getVelocity() const { return m_velocity; }
    float getTimeLeft() const { return m_timeLeft; }

private:
    void setAllAlpha(float alpha);

    Engine::cLabel* m_number = nullptr;
    Engine::cPanel* m_icon = nullptr;
    float m_randomRadius = 0;
    Engine::cVector2 m_offset;
    Engine::cVector2 m_velocity{0, 1};
    float m_fadeRate = 0;
    float m_timeLeft = 1.0f;
    Engine::cVector2 m_rise{0, 1};
    Engine::cColor m_negativeColor{1.0f, 96.0f / 255.0f, 96.0f / 255.0f, 1.0f};
};
