#pragma once

// The loading screen: it preloads the resources listed in a resource log a few entries per step
// while chickens drop one by one onto its progress bar, then waits for a key or a click and
// calls its finish callback. Without the log file it finishes at once.

#include "engine/core/DocumentHold.h"
#include "engine/gui/Background.h"
#include "engine/gui/InputHooks.h"
#include "engine/gui/Panel.h"

#include <string>
#include <vector>

namespace Engine {
class cMultilineText;
class cProgressBar;
class cPyroEffect;
} // namespace Engine

class cTweenSprite;

// A chicken of the loading screen: frame 0 is its falling pose, held until it lands; then it
// cycles through the other frames.
class cLoadingChicken : public Engine::cPanel {
public:
    explicit cLoadingChicken(Engine::cWidget* parent);
    void process() override;

    bool m_hold = true;
    float m_fallDelay = 0;

    // Drops the falling pose: from now on the other frames.
    void land();
    bool hasLanded() const { return m_landed; }

private:
    bool m_landed = false;
    float m_time = 0;
};

class cLoadingScreen : public Engine::cBackground {
public:
    using tFinishCallback = void (*)();
    // Frames per second of a landed chicken.
    static constexpr float CHICKEN_FPS = 8.0f;
    // How many times their pace the chickens fall and wait once everything is loaded.
    static constexpr float CATCH_UP = 8.0f;

    cLoadingScreen(const std::string& logPath, tFinishCallback onFinish, unsigned batch);
    ~cLoadingScreen() override;

    void loadXML(const Engine::IXmlNode* node) override;
    void process() override;

    virtual void onChickenLanded(int chicken);
    virtual bool isKeyHandled() const { return m_keyHandled; }
    virtual void setKeyHandled(bool handled) { m_keyHandled = handled; }

    // The input callback once loading is done.
    static void onLoadingKey(void* loadingScreen);
    // The log's pictures start decoding ahead on worker threads, for whatever loads them first
    // (the main menu, made before the screen, or the screen's steps); the screen ends it.
    static void prefetchPictures(const std::string& logPath);

    unsigned getLoaded() const { return m_loaded; }
    unsigned getTotal() const { return m_total; }
    unsigned getEntriesPerChicken() const { return m_entriesPerChicken; }
    int getChickensQueued() const { return m_chickensQueued; }
    int getChickenCount() const { return m_chickenCount; }
    bool isFinished() const { return m_finished; }
    bool allLanded() const { return m_allLanded; }
    const std::vector<cLoadingChicken*>& getChickens() const { return m_chickens; }
    Engine::cProgressBar* getProgress() const { return m_progress; }
    Engine::cMultilineText* getLoadText() const { return m_loadText; }
    Engine::cMultilineText* getContinueText() const { return m_continueText; }

private:
    void step();
    void dropChicken(int index);
    void finish();

    std::string m_logName;
    Engine::cDocumentHold m_log;
    tFinishCallback m_onFinish;
    unsigned m_loaded = 0;
    unsigned m_total = 0;
    unsigned m_batch;
    unsigned m_entriesPerChicken = 0;
    int m_chickensQueued = 0;
    float m_deltaT = 0;
    float m_stepTimer = 0;
    bool m_maxKnown = false;
    float m_progressMax = 0;
    Engine::cProgressBar* m_progress = nullptr;
    Engine::cPanel* m_progressPic = nullptr;
    bool m_firstFrame = true;
    std::vector<cLoadingChicken*> m_chickens;
    int m_chickenCount = 0;
    Engine::cVector2 m_startPos;
    Engine::cVector2 m_chickenOffset;
    float m_alphaShow = 0;
    float m_fallTime = 0;
    float m_fallDelay = 0;
    std::vector<cLoadingChicken*> m_pending;
    int m_landed = 0;
    bool m_allLanded = false;
    cTweenSprite* m_runner = nullptr;
    Engine::cMultilineText* m_loadText = nullptr;
    Engine::cMultilineText* m_continueText = nullptr;
    Engine::cPyroEffect* m_landEffect = nullptr;
    Engine::cPyroEffect* m_finishEffect = nullptr;
    bool m_finished = false;
    bool m_keyHandled = false;
    Engine::cInputHooks m_keyHook;
    bool m_prefetching = false;
};

// The logo screen's finish callback: the main menu with the map behind it, or first the
// new-player dialog when nobody has played yet; the menu music starts in both cases.
void onLoadingFinished();
// The new-player dialog's callback: the menu for the new player.
void onNewUserCreated();
