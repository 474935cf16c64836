#pragma once

// One falling part of a newly bought building: it starts at its start point when the drop-in
// reaches its time and falls with a changing speed until it reaches its landing point exactly.

#include "engine/gui/Panel.h"

class cDropAnimation : public Engine::cPanel {
public:
    explicit cDropAnimation(Engine::cWidget* parent);
    ~cDropAnimation() override;

    // The panel's keys, then "time", "src_pos", "dst_pos", "speed", "accel", "dust_offset",
    // "dust_height"; a missing key keeps 0.
    void loadXML(const Engine::IXmlNode* node) override;

    // At the start point with the start speed, shown.
    void start();
    // One step of dt seconds; true when the part stands on its landing point.
    bool update(float dt);

    virtual float& getTime() { return m_time; }
    virtual void setTime(const float& time) { m_time = time; }
    virtual Engine::cVector2& getSrcPos() { return m_srcPos; }
    virtual void setSrcPos(const Engine::cVector2& position) { m_srcPos = position; }
    virtual Engine::cVector2& getDstPos() { return m_dstPos; }
    virtual void setDstPos(const Engine::cVector2& position) { m_dstPos = position; }
    virtual float& getCurrentSpeed() { return m_currentSpeed; }
    virtual void setCurrentSpeed(const float& speed) { m_currentSpeed = speed; }
    virtual Engine::cVector2& getDustOffset() { return m_dustOffset; }
    virtual void setDustOffset(const Engine::cVector2& offset) { m_dustOffset = offset; }
    virtual float& getDustHeight() { return m_dustHeight; }
    virtual void setDustHeight(const float& height) { m_dustHeight = height; }
    virtual bool& isStarted() { return m_started; }
    virtual void setStarted(const bool& started) { m_started = started; }

    float getSpeed() const { return m_speed; }
    float getAccel() const { return m_accel; }

private:
    float m_time = 0;
    Engine::cVector2 m_srcPos;
    Engine::cVector2 m_dstPos;
    float m_speed = 0;
    float m_currentSpeed = 0;
    float m_accel = 0;
    Engine::cVector2 m_dustOffset;
    float m_dustHeight = 0;
    bool m_started = false;
};
