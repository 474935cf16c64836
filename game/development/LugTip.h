#pragma once

// The tool-tip of an upgrade button: the upgrade's name, level and description in a body that
// stays at its home place and slides sideways only as far as keeps its lug under it, the lug
// pointing at the button.

#include "game/development/GameObjectTip.h"

class cLugTip : public cGameObjectTip {
public:
    explicit cLugTip(Engine::cWidget* owner);
    ~cLugTip() override;

    void loadXML(const Engine::IXmlNode* node) override;
    // The unit's upgrade of the index, or its next one for -1; a unit without that upgrade
    // leaves the texts empty.
    void updateContent() override;
    // The given point is not used: the body is placed by its home and the lug.
    void placeAt(const Engine::cVector2& point) override;

    virtual int& getUpgradeIndex() { return m_upgradeIndex; }
    virtual void setUpgradeIndex(int index) { m_upgradeIndex = index; }

    void setLugPosition(const Engine::cVector2& position) { m_lugPosition = position; }
    const Engine::cVector2& getLugPosition() const { return m_lugPosition; }
    const Engine::cVector2& getTipPosition() const { return m_tipPos; }
    Engine::cPanel* getLug() const { return m_lug; }
    float getLugOffset() const { return m_lugOffset; }

private:
    Engine::cPanel* m_lug;
    float m_lugOffset = 0;
    Engine::cVector2 m_tipPos;
    Engine::cVector2 m_lugPosition;
    float m_halfTipWidth = 0;
    float m_halfLugWidth = 0;
    int m_upgradeIndex = -1;
};
