#pragma once

// A tutorial tip that points at a control or a point with a swinging arrow. Its panel sits
// towards the middle of the screen from the pointed point; it closes when its target is gone.

#include "game/shell/CommonHelpTip.h"

class cTutorialManager;

class cArrowHelpTip : public cCommonHelpTip {
public:
    explicit cArrowHelpTip(cTutorialManager* manager);
    ~cArrowHelpTip() override;

    // Swings the arrow; closes when the target died or the tip was recorded as shown.
    void process() override;
    // The tip's keys, "Arrow" inside "Image", "PointedOffset", "ArrowOffset", "arrow_frequency".
    void loadXML(const Engine::IXmlNode* node) override;
    void loadLayout() override;
    void place() override;
    Engine::cWidget* getTarget() const override { return m_target; }
    // The OK button closes at once.
    void onOk() override;

    void setTarget(Engine::cWidget* target) {
        m_target = target;
        m_hasTarget = target != nullptr;
    }
    void setFollowTarget(bool follow) { m_followTarget = follow; }
    void setFixedPoint(const Engine::cVector2& point) { m_fixedPoint = point; }
    Engine::cPanel* getArrow() const { return m_arrow; }
    const Engine::cVector2& getPointedOffset() const { return m_pointedOffset; }
    const Engine::cVector2& getArrowOffset() const { return m_arrowOffset; }
    float getArrowFrequency() const { return m_arrowFrequency; }
    // The point the tip points at now.
    Engine::cVector2 getPointedPoint() const;

protected:
    // Advances the swing and places the tip.
    void swing();

    cTutorialManager* m_manager;
    Engine::cWidget* m_target = nullptr;
    bool m_hasTarget = false;
    bool m_followTarget = false;
    Engine::cVector2 m_fixedPoint;
    Engine::cVector2 m_pointedOffset;
    Engine::cVector2 m_arrowOffset;
    Engine::cPanel* m_arrow;
    Engine::cVector2 m_arrowBase;
    Engine::cVector2 m_swingDirection;
    float m_arrowFrequency = 2.0f;
    float m_phase = 0;
    float m_halfWidth;
    float m_halfHeight;
};
