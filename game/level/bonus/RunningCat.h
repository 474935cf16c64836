#pragma once

// A cat that springs up from a cell taken by the cat bonus and runs off the screen, away from
// its centre, with the running picture of its direction.

#include "engine/gui/Panel.h"

class IVisualStates;

class cRunningCat : public Engine::cPanel {
public:
    // The looks give the running pictures; without them the cat keeps its layout's picture.
    cRunningCat(Engine::cWidget* parent, const IVisualStates* looks);
    // Every field but the direction; a root widget.
    cRunningCat(const cRunningCat& other);
    ~cRunningCat() override;

    // The panel keys, "speed", "change_dir_possibility", "change_dir_delta" and the sizes of the
    // five running pictures.
    void loadXML(const Engine::IXmlNode* node) override;

    void launch(const Engine::cVector2& position);
    // True once the cat has left the screen (it is then hidden).
    bool step(float dt);

    const Engine::cVector2& getDirection() const { return m_direction; }
    float getSpeed() const { return m_speed; }
    float getScreenWidth() const { return m_screenWidth; }
    float getScreenHeight() const { return m_screenHeight; }

private:
    const IVisualStates* m_looks;
    float m_screenWidth = 1024;
    float m_screenHeight = 768;
    float m_speed = 0;
    Engine::cVector2 m_direction;
    float m_changeDirPossibility = 0;
    float m_changeDirDelta = 0;
    Engine::cVector2 m_sizeUp;
    Engine::cVector2 m_sizeUpLeft;
    Engine::cVector2 m_sizeLeft;
    Engine::cVector2 m_sizeLeftDown;
    Engine::cVector2 m_sizeDown;
};
