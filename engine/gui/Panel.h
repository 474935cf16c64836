#pragma once

// The sprite that plays its own frame animation and runs its per-frame actions: the base of
// buttons, controls and most game panels. Its owner may set three hooks: one called first in
// every process, an action queued each time the panel is shown, one called after it is hidden.

#include "engine/gui/Sprite.h"

namespace Engine {

class cPanel : public cSprite {
public:
    using tPanelHook = void (*)(cPanel* panel);

    explicit cPanel(cWidget* parent);
    // The sprite copy and the template's three hooks.
    cPanel(const cPanel& other);
    ~cPanel() override;

    int getKind() const override { return WIDGET_KIND_PANEL; }
    // The process hook, the frame animation while it plays, the actions, the sprite's step.
    void process() override;
    void loadXML(const IXmlNode* node) override;
    // Joins the draw list and the process walk, then queues the on-show action.
    void onShow() override;
    // Leaves them, then calls the on-hide hook.
    void onHide() override;

    void setOnHideHook(tPanelHook hook) { m_onHideHook = hook; }
    tPanelHook getOnHideHook() const { return m_onHideHook; }
    void setOnShowAction(tSpriteAction action) { m_onShowAction = std::move(action); }
    const tSpriteAction& getOnShowAction() const { return m_onShowAction; }
    void setOnProcessHook(tPanelHook hook) { m_onProcessHook = hook; }
    tPanelHook getOnProcessHook() const { return m_onProcessHook; }

protected:
    tPanelHook m_onHideHook = nullptr;
    tSpriteAction m_onShowAction;
    tPanelHook m_onProcessHook = nullptr;
};

} // namespace Engine
