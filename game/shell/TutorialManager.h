#pragma once

// The tutorial: up to 26 numbered tips, each shown at most once per player. Game code asks for
// a tip whenever the situation it explains is present; the manager decides whether it may show
// now (delays, a block after some tips, one tip at a time, nothing over a dialog), shows it,
// darkens the surroundings of a pointed control, and records the tip in the player's profile
// when it closes. The texts, places and delays come from "Meadow/View/Tutorial/Tutorial.xml".

#include "engine/core/Singleton.h"
#include "engine/core/Vector2.h"
#include "engine/gui/Widget.h"
#include "game/model/TutorialManagerLink.h"
#include "game/shell/TutorialTips.h"

#include <string>

namespace Engine {
class cPanel;
}
class cCommonHelpTip;

// What the tutorial needs of the map screen, which implements it: the tutorial runs only while
// the screen has its board model; tips hold the screen's input while they show.
class ITutorialOwner {
public:
    virtual ~ITutorialOwner() = default;
    virtual bool hasBoardModel() = 0;
    virtual void lockInput(bool locked) = 0;
    // The screen's interface was activated (tip 25 is then done).
    virtual bool isInterfaceActivated() = 0;
};

// A piece view held and highlighted while a tip points at it implements this to be let go.
class ITutorialHeldPiece {
public:
    virtual ~ITutorialHeldPiece() = default;
    virtual void releaseFromTip() = 0;
};

class cTutorialManager : public Engine::cWidget,
                         public Engine::cSingleton<cTutorialManager>,
                         public ITutorialManager,
                         public ITutorialTips {
public:
    static constexpr int TIP_COUNT = 26;
    enum eTipType : int {
        TIP_COMMON = 0,
        TIP_ARROW = 1,
        TIP_ACTION = 2,
    };
    using tDoneCheck = bool (*)(Engine::cWidget* control);

    // Reads the player's 26 flags and the layout; registers itself as the game's tutorial.
    cTutorialManager();
    ~cTutorialManager() override;

    // Fader fade-in, the block time, and the countdowns of pending tips.
    void process() override;
    // The widget keys, "Tips", "Fader" and "show_fade_time".
    void loadXML(const Engine::IXmlNode* node) override;

    // True when a tip widget was created now. Type 0 plain, 1 arrow, 2 action tip.
    bool checkAndShow(int id, int type, Engine::cWidget* control, void* ignored, const Engine::cVector2& position,
                      bool followTarget);
    // While held (a board announcement shows), no tip shows; the first one asked meanwhile is
    // asked for again when the last hold ends.
    void holdTips(bool hold);
    bool areTipsHeld() const { return m_holds > 0; }
    bool isTipShown(int id) const;
    int getCurrentTipId() override;
    bool hasCurrentTip() override { return m_currentTip != nullptr; }
    float getTipTimer(int id) const;
    float getTipCountdown(int id) const;
    bool isTipPending(int id) const;
    void startTipTimer(int id, float seconds);
    void resetTipTimer(int id);
    void cancelTip(int id);
    // Records the tip (state, profile flag); never tip 17.
    void setTipShown(int tipId) override;
    void writeTipFlag(int id);
    // Closes the tip on screen as the player would, and records it (not tip 17).
    void closeCurrentTip() override;
    // Called by a tip widget as it closes.
    void onTipClosed(cCommonHelpTip* tip, bool closed);
    bool isTutorialTipOpen() const override { return m_currentTip != nullptr; }

    void setOwner(ITutorialOwner* owner) { m_owner = owner; }
    ITutorialOwner* getOwner() const { return m_owner; }
    bool isTutorialEnabled() const { return m_enabled; }
    void setTutorialEnabled(bool enabled) { m_enabled = enabled; }
    cCommonHelpTip* getCurrentTip() const { return m_currentTip; }
    Engine::cPanel* getFader() const { return m_fader; }
    float getBlockTime() const { return m_blockTime; }
    const std::wstring& getTipText(int id) const;
    const Engine::cVector2& getTipCenter(int id) const;

private:
    struct sTip {
        int id = 0;
        std::wstring text;
        Engine::cVector2 center;
        float textMultiplier = -1;
        float textInterlinear = -1;
        tDoneCheck doneCheck = nullptr;
        bool pending = false;
        float timer = 0;
        float countdown = 0;
    };

    sTip* tip(int id);
    const sTip* tip(int id) const;
    void lockOwner(bool locked);
    void hideFader();
    // Lets go a piece that the closing tip held, unless it is gone.
    void releaseHeldPiece(cCommonHelpTip* closing);
    static bool isInterfaceActivated(Engine::cWidget* control);

    struct sRequest {
        int id = -1;
        int type = 0;
        Engine::cWidget* control = nullptr;
        Engine::cVector2 position;
        bool followTarget = false;
    };

    bool m_enabled = true;
    int m_holds = 0;
    sRequest m_heldRequest;
    sTip m_tips[TIP_COUNT];
    int m_tipStates[TIP_COUNT] = {};
    cCommonHelpTip* m_currentTip = nullptr;
    Engine::cPanel* m_fader;
    float m_showFadeTime = 0;
    float m_fadeInLeft = 0;
    float m_blockTime = 0;
    ITutorialOwner* m_owner = nullptr;
};
