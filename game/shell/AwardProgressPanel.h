#pragma once

// The small panel beside an award button of the awards dialog: the award's description and,
// for an award not given yet, a bar and a text of how far the player has come. It opens
// towards the middle of the screen and fades in and out on its own.

#include "engine/core/Vector2.h"
#include "engine/gui/Panel.h"

#include <string>

namespace Engine {
class cLabel;
class cMultilineText;
} // namespace Engine
class cSubstrateProgressBar;

// Seconds as "MM:SS", from an hour on as "H:MM:SS".
std::wstring formatAwardTime(int32_t seconds);

class cAwardProgressPanel : public Engine::cPanel {
public:
    explicit cAwardProgressPanel(Engine::cWidget* parent);
    // A copy of the prototype's children; its text's home is taken anew at the first placement.
    cAwardProgressPanel(const cAwardProgressPanel& other);
    ~cAwardProgressPanel() override;

    // Moves back on screen when it sticks out, then fades.
    void process() override;
    // "Text", "Progress", "ProgressText", and the panel's own keys with "Offset" from "Panel".
    void loadXML(const Engine::IXmlNode* root) override;

    // Beside point, towards the middle of the screen, its picture mirrored to match.
    void placeNear(const Engine::cVector2& point);
    // Fills the progress of its button's award and fades in.
    void showProgress();

    Engine::cMultilineText* getText() const { return m_text; }
    cSubstrateProgressBar* getProgress() const { return m_progress; }
    Engine::cLabel* getProgressText() const { return m_progressText; }
    const Engine::cVector2& getOffset() const { return m_offset; }
    const Engine::cVector2& getTextHome() const { return m_textHome; }
    float getFadeDirection() const { return m_fadeDirection; }
    void setFadeDirection(float direction) { m_fadeDirection = direction; }

private:
    void setAllAlpha(float alpha);

    Engine::cMultilineText* m_text;
    Engine::cVector2 m_offset;
    Engine::cVector2 m_textHome;
    float m_fadeDirection = 0;
    cSubstrateProgressBar* m_progress;
    Engine::cLabel* m_progressText;
};
