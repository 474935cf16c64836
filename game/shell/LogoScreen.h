#pragma once

// The first screen: up to three logo pictures, four seconds each with a two-second fade-in, any
// key or click skipping to the next; then it creates the hidden main menu with its ambient
// sound and the loading screen, and fades itself out. Constant "Logo" false skips the logos.

#include "engine/gui/InputHooks.h"
#include "engine/gui/Widget.h"

#include <string>

namespace Engine {
class cPanel;
}

// True when the file system has no such file or it is empty.
bool isFileMissingOrEmpty(const std::string& path);

class cLogoScreen : public Engine::cWidget {
public:
    static constexpr float LOGO_TIME = 4.0f;
    static constexpr int LAST_LOGO = 3;

    cLogoScreen();
    ~cLogoScreen() override;

    void process() override;
    void showNextLogo();
    // The input callback (every key or button event) and the step's way on: of each pair of
    // calls only the first acts, so the press and the release of one key skip one logo.
    static void showNextAfterLogo(void* logoScreen);
    // The pairing starts afresh (a new program start, and tests).
    static void resetKeyPairing() { s_actOnNextCall = true; }

    Engine::cPanel* getPicture() const { return m_picture; }
    int getLogoIndex() const { return m_logoIndex; }
    bool isStarted() const { return m_started; }
    bool areLogosOff() const { return m_logosOff; }
    float getTimer() const { return m_timer; }

private:
    void showPicture(const std::string& path);
    void startLoading();

    Engine::cPanel* m_picture = nullptr;
    bool m_started = false;
    float m_timer = 0;
    int m_logoIndex = 0;
    bool m_logosOff = false;
    Engine::cInputHooks m_keyHook;

    static inline bool s_actOnNextCall = true;
};
