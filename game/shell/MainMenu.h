#pragma once

// The front screen over the shared sky with clouds: start, exit, options, awards, credits and
// change of player, with the player's name. It owns the menu's ambient sound and music, measures
// the frame rate while it waits for the start, keeps the player's play time ("Timer") and makes
// the player's state when a player becomes current. Start hands over to the map.

#include "engine/core/Singleton.h"
#include "engine/gui/Background.h"
#include "engine/gui/Button.h"
#include "engine/gui/InputHooks.h"
#include "game/model/MainMenuLink.h"
#include "game/shell/Screen.h"

namespace Engine {
class cLabel;
class cSoundChannel;
class cTextButton;
} // namespace Engine

class IMapScreen;

// The sky and clouds behind the menu and its dialogs, made once from "Ui/FixedBack.xml".
Engine::cBackground* getFixedBackground();

class cMainMenu : public Engine::cBackground, public cScreen, public IMainMenu, public Engine::cSingleton<cMainMenu> {
public:
    static constexpr float DEFAULT_LOW_FPS = 25.0f;

    // Hidden; reads "UI/MainMenu.xml". A second one throws "Object already exist.".
    cMainMenu();
    ~cMainMenu() override;

    void loadXML(const Engine::IXmlNode* node) override;
    void readShowHideTimes(const Engine::IXmlNode* node) override;
    void process() override;
    void onUpdate() override;
    void startProcessing() override;
    void stopProcessing() override;

    void onScreenShown(cScreenSwitcher* switcher) override;
    void onScreenHidden(cScreenSwitcher* switcher) override;
    void onScreenCovered() override;

    float getRunTime() override { return m_runTime; }
    float getPlayTime() override { return m_playTime; }

    void startAmbientSound();
    void startMusic();
    // The map the start leads to; measuring the frame rate starts.
    void setNextScreen(IMapScreen* map);
    IMapScreen* getNextScreen() const { return m_nextScreen; }
    // The player's name, statistics and tutorial state.
    void startUser();
    void loadPlayTime();
    void savePlayTime();
    // One frame of the frame-rate measure.
    void countFrame(float fps);
    // Fades the menu in and enables it.
    void comeBack();
    // Fades the menu out while the widget fades in.
    void hideBehind(Engine::cWidget* widget);

    Engine::cTextButton* getStartButton() const { return m_startButton; }
    Engine::cTextButton* getExitButton() const { return m_exitButton; }
    Engine::cTextButton* getOptionsButton() const { return m_optionsButton; }
    Engine::cTextButton* getAwardsButton() const { return m_awardsButton; }
    Engine::cTextButton* getCreditsButton() const { return m_creditsButton; }
    Engine::cTextButton* getChangeUserButton() const { return m_changeUserButton; }
    Engine::cLabel* getUserName() const { return m_userName; }
    Engine::cLabel* getUserText() const { return m_userText; }
    Engine::cSoundChannel* getAmbientChannel() const { return m_ambientChannel; }
    Engine::cSoundChannel* getMusicChannel() const { return m_musicChannel; }
    bool isMeasuring() const { return m_measuring; }
    float getFrameRateSum() const { return m_frameRateSum; }
    float getFramesCounted() const { return m_framesCounted; }
    float getLowFpsValue() const { return m_lowFpsValue; }

    static void onStartClicked(Engine::cButton* button);
    static void onExitClicked(Engine::cButton* button);
    static void onOptionsClicked(Engine::cButton* button);
    static void onAwardsClicked(Engine::cButton* button);
    static void onCreditsClicked(Engine::cButton* button);
    static void onChangeUserClicked(Engine::cButton* button);

private:
    static void escapeKey(void* menu);
    void silence();

    Engine::cTextButton* m_startButton;
    Engine::cTextButton* m_exitButton;
    Engine::cTextButton* m_optionsButton;
    Engine::cTextButton* m_awardsButton;
    Engine::cTextButton* m_creditsButton;
    Engine::cTextButton* m_changeUserButton;
    Engine::cLabel* m_userName;
    Engine::cLabel* m_userText;
    IMapScreen* m_nextScreen = nullptr;
    Engine::cSoundChannel* m_ambientChannel = nullptr;
    Engine::cSoundChannel* m_musicChannel = nullptr;
    float m_runTime = 0;
    float m_playTime = 0;
    float m_frameRateSum = 0;
    float m_framesCounted = 0;
    bool m_measuring = false;
    float m_lowFpsValue = DEFAULT_LOW_FPS;
    Engine::cInputHooks m_keys;
};

cMainMenu* getMainMenu();

// The player's volumes from the profile: 50 and 50 until the player has closed the options.
void applySoundSettings();
// A player was chosen in the player list.
void onUserChosen();
