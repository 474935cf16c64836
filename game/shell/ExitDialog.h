#pragma once

// The question before the game closes: a "yes" button that shies away from a cursor coming
// near it (it keeps still once the cursor is on it) and three bees that react to the buttons.

#include "engine/core/Vector2.h"
#include "engine/gui/Background.h"

namespace Engine {
class cButton;
class cMultilineText;
class cPanel;
class cTextButton;
} // namespace Engine

class cExitDialog : public Engine::cBackground {
public:
    using tAnswer = void (*)(cExitDialog* dialog);
    static constexpr float SHY_DISTANCE = 80.0f;
    static constexpr float SHY_OFFSET = 30.0f;
    static constexpr float SHY_SPEED = 120.0f;
    static constexpr int BEES = 3;

    // Reads "UI/YesNoExit.xml"; both answers hide the dialog until the opener sets its own.
    explicit cExitDialog(Engine::cWidget* parent);
    ~cExitDialog() override;

    void loadXML(const Engine::IXmlNode* node) override;
    void process() override;
    // Where the yes button heads for a cursor at that point.
    Engine::cVector2 shyTarget(const Engine::cVector2& cursor) const;
    // Shows only that bee.
    void showBee(int index);

    Engine::cTextButton* getYesButton() const { return m_yesButton; }
    Engine::cTextButton* getNoButton() const { return m_noButton; }
    Engine::cPanel* getBee(int index) const { return m_bees[index]; }
    const Engine::cVector2& getHome() const { return m_home; }

    tAnswer m_onYes;
    tAnswer m_onNo;

private:
    static void yesClicked(Engine::cButton* button);
    static void noClicked(Engine::cButton* button);
    static void yesHovered(Engine::cButton* button);
    static void noHovered(Engine::cButton* button);
    static void unhovered(Engine::cButton* button);

    Engine::cVector2 m_home;
    Engine::cTextButton* m_yesButton;
    Engine::cTextButton* m_noButton;
    Engine::cMultilineText* m_text;
    Engine::cPanel* m_bees[BEES];
};
