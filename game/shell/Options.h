#pragma once

// The options: sound and music volumes (0-100) with bars that show them, and full screen. The
// volumes go into the player's profile when the dialog is deleted. Opened from the main menu
// and from the in-game menu, each with its own handler for OK.

#include "engine/core/Singleton.h"
#include "engine/gui/Background.h"

namespace Engine {
class cButton;
class cCheckBox;
class cLabel;
class cPanel;
class cProgressBar;
class cSlider;
class cTextButton;
} // namespace Engine

class cOptions : public Engine::cSingleton<cOptions>, public Engine::cBackground {
public:
    using tHandler = void (*)(Engine::cWidget* dialog);

    // Reads "UI/Options.xml". A second one throws "Object already exist.".
    cOptions();
    ~cOptions() override;

    virtual tHandler& getHandlerRef() { return m_handler; }
    virtual void setHandler(tHandler handler) { m_handler = handler; }

    void loadXML(const Engine::IXmlNode* node) override;
    // Follows the setting when the window was switched by a key.
    void process() override;

    // Throws "cOptions::onOk(): handler is not specified" without a handler.
    static void onOk(Engine::cButton* button);
    static void onFullScreenChecked(Engine::cCheckBox* box, bool on);
    static void onSoundSlider(float value);
    static void onMusicSlider(float value);

    Engine::cTextButton* getOkButton() const { return m_okButton; }
    Engine::cSlider* getSoundSlider() const { return m_soundVolume; }
    Engine::cSlider* getMusicSlider() const { return m_musicVolume; }
    Engine::cCheckBox* getFullScreen() const { return m_fullScreen; }
    Engine::cProgressBar* getMusicBar() const { return m_musicFloat; }
    Engine::cProgressBar* getSoundBar() const { return m_soundFloat; }

private:
    tHandler m_handler = nullptr;
    Engine::cPanel* m_back;
    Engine::cPanel* m_logo;
    Engine::cPanel* m_podlogka;
    Engine::cTextButton* m_okButton;
    Engine::cSlider* m_soundVolume;
    Engine::cSlider* m_musicVolume;
    Engine::cCheckBox* m_fullScreen;
    Engine::cLabel* m_fullScreenText;
    Engine::cLabel* m_musicText;
    Engine::cLabel* m_soundText;
    Engine::cLabel* m_label;
    Engine::cProgressBar* m_musicFloat;
    Engine::cProgressBar* m_soundFloat;
};

// The full-screen setting ("graphics", "fullscreen"), off when missing.
bool isFullScreenSet();
