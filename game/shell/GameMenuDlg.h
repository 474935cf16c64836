#pragma once

// The pause menu of a level: resume, replay, awards, main menu, map, options and tutorial. The
// buttons that leave the level ask first in a yes/no frame. From the moment the menu starts to
// fade out (a button left it, or the level resumed) until it fades in again it takes no keys and
// no clicks: what the button opened has them alone. Owned by the map, which opens it over the board.

#include "engine/core/Singleton.h"
#include "engine/gui/Button.h"
#include "engine/gui/InputHooks.h"
#include "game/shell/EffectDialog.h"

#include <string>

namespace Engine {
class cTextButton;
}

class IMapScreen;
class cYesNoFrame;

class cGameMenuDlg : public cEffectDialog, public Engine::cSingleton<cGameMenuDlg> {
public:
    // Hidden; reads "Meadow/View/GameMenu.xml". A second one throws "Object already exist.".
    // The map's question ("ExitCurrentGameString") says the level is lost; the main menu's
    // ("MainMenuString") that it is kept, as the level is saved for the next Play.
    cGameMenuDlg();
    ~cGameMenuDlg() override;

    void loadXML(const Engine::IXmlNode* node) override;
    // The widget's own, then Escape and Enter resume the level.
    void startProcessing() override;
    void stopProcessing() override;
    // Takes keys and clicks again (once visible and enabled).
    void fadeIn() override;
    // Takes no more keys or clicks.
    void fadeOut() override;

    // The map that owns the menu; set by it right after construction.
    IMapScreen* m_developmentView = nullptr;

    const std::wstring& getExitText() const { return m_exitText; }
    const std::wstring& getMainMenuText() const { return m_mainMenuText; }
    const std::wstring& getReplayText() const { return m_replayText; }
    Engine::cTextButton* getResumeButton() const { return m_resumeButton; }
    Engine::cTextButton* getReplayButton() const { return m_replayButton; }
    Engine::cTextButton* getAwardButton() const { return m_awardButton; }
    Engine::cTextButton* getMainMenuButton() const { return m_mainMenuButton; }
    Engine::cTextButton* getOptionsButton() const { return m_optionsButton; }
    Engine::cTextButton* getTutorialButton() const { return m_tutorialButton; }
    Engine::cTextButton* getMapButton() const { return m_mapButton; }
    // The question on screen, or null.
    cYesNoFrame* getQuestion() const { return m_question; }
    // Fading out or faded out: keys and clicks are not taken.
    bool isLeft() const { return m_left; }

    void resume();
    // Fades the menu in and enables it.
    void restoreMenu();

    static void onResumeClicked(Engine::cButton* button);
    static void onReplayClicked(Engine::cButton* button);
    static void onAwardClicked(Engine::cButton* button);
    static void onMainMenuClicked(Engine::cButton* button);
    static void onOptionsClicked(Engine::cButton* button);
    static void onTutorialClicked(Engine::cButton* button);
    static void onMapClicked(Engine::cButton* button);

private:
    using tYesAction = void (*)(cGameMenuDlg* menu);
    void ask(const std::wstring& question, void (*onYes)(cYesNoFrame*));
    void listenToKeys();
    static void resumeKey(void* menu);
    static void replayYes(cYesNoFrame* frame);
    static void mainMenuYes(cYesNoFrame* frame);
    static void mapYes(cYesNoFrame* frame);
    static void answeredNo(cYesNoFrame* frame);
    static void onOptionsClosed(Engine::cWidget* dialog);

    Engine::cTextButton* m_resumeButton;
    Engine::cTextButton* m_replayButton;
    Engine::cTextButton* m_awardButton;
    Engine::cTextButton* m_mainMenuButton;
    Engine::cTextButton* m_optionsButton;
    Engine::cTextButton* m_tutorialButton;
    Engine::cTextButton* m_mapButton;
    std::wstring m_exitText;
    std::wstring m_mainMenuText;
    std::wstring m_replayText;
    cYesNoFrame* m_question = nullptr;
    bool m_left = false;
    Engine::cInputHooks m_keys;
};

cGameMenuDlg* getGameMenu();
