#pragma once

// The awards dialog: the 21 awards as buttons, bright when given and dark when not, each with a
// panel of its description and progress under the cursor, the award effect on a given one, and
// a return button (or Escape) that closes it and calls its opener back.

#include "engine/core/Singleton.h"
#include "engine/gui/Fader.h"
#include "engine/gui/InputHooks.h"
#include "game/shell/AwardManager.h"

namespace Engine {
class cLabel;
class cPyroEffect;
class cTextButton;
class cButton;
} // namespace Engine
class cAwardButton;
class cAwardProgressPanel;

class cAwardTipDlg : public Engine::cFader, public Engine::cSingleton<cAwardTipDlg> {
public:
    using tReturnCallback = void (*)();

    // Reads "Awards/AwardTip.xml" for the progress panels and "Awards/Awards.xml" for the rest.
    explicit cAwardTipDlg(Engine::cWidget* parent);
    ~cAwardTipDlg() override;

    // The fader's keys, "ReturnButton", "CaptionText", "AwardPyro", and a button per award.
    void loadXML(const Engine::IXmlNode* root) override;
    // Takes a return again.
    void fadeIn() override;
    void onFadedIn() override;

    // The return button's click and the Escape key: fades out and calls the opener back, once
    // until the dialog fades in again.
    static void onReturn(void* user);
    static void onReturnClicked(Engine::cButton* button);
    // Escape returns, until the next return.
    void listenToEscape();
    // The given state of every button from the player's profile.
    void refreshAwards();
    // Plays the award effect on the button (or only removes the one playing).
    void playPyro(cAwardButton* button, bool on);
    void removePyro();

    cAwardButton* getButton(int index) const;
    int getButtonCount() const;
    Engine::cTextButton* getReturnButton() const { return m_returnButton; }
    Engine::cLabel* getCaptionText() const { return m_captionText; }
    Engine::cPyroEffect* getCurrentPyro() const { return m_currentPyro; }
    cAwardProgressPanel* getProgressPrototype() const { return m_progressProto; }

    tReturnCallback m_returnCallback = nullptr;

private:
    Engine::cTextButton* m_returnButton = nullptr;
    Engine::cLabel* m_captionText = nullptr;
    cAwardButton* m_buttons[AWARD_COUNT] = {};
    cAwardProgressPanel* m_progressProto = nullptr;
    Engine::cPyroEffect* m_pyroProto = nullptr;
    Engine::cPyroEffect* m_currentPyro = nullptr;
    bool m_returned = false;
    Engine::cInputHooks m_escapeHook;
};
