#pragma once

// A tool-tip: a panel with texts and pictures, owned by the control it explains (a child of
// it), that waits its delay, fades in beside the control and fades out. At most one tip is up:
// every live tip is listed, and showing one hides the others.

#include "engine/core/Vector2.h"
#include "engine/gui/Panel.h"

#include <map>
#include <set>
#include <string>

namespace Engine {
class cMultilineText;
}

class cTip : public Engine::cPanel {
public:
    // The speed of a tip's fades, in alpha per second.
    static constexpr float FADE_SPEED = 3.3f;

    explicit cTip(Engine::cWidget* owner);
    ~cTip() override;
    cTip(const cTip&) = delete;
    cTip& operator=(const cTip&) = delete;

    // Keeps the tip on screen, counts the delay down and fades, then the panel's step.
    void process() override;
    // The same step for a tip registered for updates, while it is visible and its control, being
    // disabled, does not run it: the step runs once a frame either way.
    void onUpdate() override;
    // "ShowDelayTime", the "Panel" keys with "deep" and "Offset", the "Texts" and "Pics" lists;
    // then hidden at alpha 0.
    void loadXML(const Engine::IXmlNode* node) override;
    void onHide() override;
    // Every child takes the same alpha.
    void setAlpha(float alpha) override;
    // A tip with a fixed depth keeps it whatever depth it is given.
    void setDepth(float depth) override;

    // Fills the texts from the owner just before the tip starts showing.
    virtual void updateContent() {}
    // Beside the point, opening toward the middle of the screen, the picture mirrored to match.
    virtual void placeAt(const Engine::cVector2& point);

    // Hides every other tip, then waits the delay and fades in.
    void startShowing();
    void startHiding() { m_fadeDirection = -1; }

    // The object whose data a concrete tip shows; not owned.
    void setOwner(void* owner) { m_owner = owner; }
    void* getOwner() const { return m_owner; }
    float getFadeDirection() const { return m_fadeDirection; }
    float getShowDelay() const { return m_showDelay; }
    float getDelayLeft() const { return m_delayLeft; }
    float getFixedDepth() const { return m_fixedDepth; }
    const Engine::cVector2& getOffset() const { return m_offset; }
    // The text filed under the tag, or null.
    Engine::cMultilineText* getTaggedText(const std::string& tag) const;
    // The tip's own visible flag, whatever its owner's.
    bool isShownFlagSet() const { return m_visible; }

    static const std::set<cTip*>& getLiveTips();

protected:
    // Registers the tip for the update hook whatever its control's flags, so it waits and fades
    // in over a disabled control too (an unaffordable offer, a bonus not yet charged).
    void updateAlsoOverDisabledControl();

    Engine::cVector2 m_offset;
    float m_fadeDirection = 0;
    float m_showDelay = 0;
    float m_delayLeft = 0;
    float m_fixedDepth = 0;
    std::map<std::string, Engine::cMultilineText*> m_taggedTexts;
    void* m_owner = nullptr;
};

// Hides at once, without a fade, every tip whose own visible flag is set.
void hideAllTips();
