#pragma once

// One offer of the upgrade panel: a building's upgrade level with its icon, price, lock and
// ticks, or (as a variant button) one look of the level being bought. Hovering previews the
// building's next look on the map; a click starts the purchase through the panel.

#include "engine/gui/FrameButton.h"
#include "engine/gui/Visual.h"
#include "game/shell/TipClient.h"

#include <cstdint>

namespace Engine {
class cCoinText;
class cPanel;
} // namespace Engine
class cMeadowUnit;
class cUpgradeButtonsPanel;
class IUpgradePreview;
class IUpgradeScreen;
struct cUnitUpgrade;

class cUpgradeButton : public Engine::cFrameButton, public cTipClient {
public:
    static constexpr const char* LAYOUT = "Meadow/View/UpgradeButtonBonus.xml";

    // Reads its layout.
    cUpgradeButton(cUpgradeButtonsPanel* panel, IUpgradeScreen* screen);
    ~cUpgradeButton() override;

    // The frame-button and tip-client keys, "enabled_text_color", "disabled_text_color",
    // "disable_icon_alpha" and the children "Icon", "Price", "LockIcon", "TickIcon", "TickIcon2".
    void loadXML(const Engine::IXmlNode* node) override;
    void startProcessing() override;
    void stopProcessing() override;
    // A release inside the button starts the purchase.
    void unclicked() override;

    // Shows the offer for the current group + 1; a null upgrade keeps the one it has.
    virtual void setUpgrade(int32_t nextGroup, const cUnitUpgrade* upgrade);
    // The look of a variant button: the icon only.
    virtual void showVariantLook();
    virtual bool isUpgradeButton() const { return m_isUpgradeButton; }
    virtual void setUpgradeButton(bool upgradeButton) { m_isUpgradeButton = upgradeButton; }

    void onHover();
    void onUnhover();
    void onClicked();

    // cTipClient
    void createTip() override;
    void setShowing() override;
    void setHiding() override;
    Engine::cSprite* getControl() override { return this; }

    // The building offered; none: the button does nothing.
    void setUnit(cMeadowUnit* unit) { m_unit = unit; }
    cMeadowUnit* getUnit() const { return m_unit; }
    void setVariantIndex(int32_t index) { m_variantIndex = index; }
    int32_t getVariantIndex() const { return m_variantIndex; }
    const cUnitUpgrade* getUpgrade() const { return m_upgrade; }
    void setIconLook(const Engine::cVisual& look);
    // Drops the preview view and its unit.
    void dropPreview();

    Engine::cPanel* getIcon() const { return m_icon; }
    Engine::cCoinText* getPrice() const { return m_price; }
    Engine::cPanel* getLockIcon() const { return m_lockIcon; }
    Engine::cPanel* getTickIcon() const { return m_tickIcon; }
    Engine::cPanel* getTickIcon2() const { return m_tickIcon2; }
    IUpgradePreview* getPreview() const { return m_previewView; }
    cMeadowUnit* getPreviewUnit() const { return m_previewUnit; }
    bool isPreviewShown() const { return m_previewVariant >= 0; }
    float getDisableIconAlpha() const { return m_disableIconAlpha; }
    const Engine::cColor& getEnabledTextColor() const { return m_enabledTextColor; }
    const Engine::cColor& getDisabledTextColor() const { return m_disabledTextColor; }

private:
    static void hoverHook(Engine::cButton* button);
    static void unhoverHook(Engine::cButton* button);
    // A fresh preview of the building one level up.
    void makePreview();
    void hidePreviewVariant();

    cUpgradeButtonsPanel* m_panel;
    IUpgradeScreen* m_screen;
    cMeadowUnit* m_unit = nullptr;
    Engine::cPanel* m_icon;
    Engine::cCoinText* m_price;
    Engine::cPanel* m_lockIcon;
    Engine::cPanel* m_tickIcon;
    Engine::cPanel* m_tickIcon2;
    Engine::cColor m_enabledTextColor{0, 0, 0, 0};
    Engine::cColor m_disabledTextColor{0, 0, 0, 0};
    // Owned by the preview view, which goes first.
    cMeadowUnit* m_previewUnit = nullptr;
    IUpgradePreview* m_previewView = nullptr;
    const cUnitUpgrade* m_upgrade = nullptr;
    int32_t m_variantIndex = -1;
    bool m_isUpgradeButton = true;
    // Index of the variant shown as the hover preview, -1 when none.
    int32_t m_previewVariant = -1;
    float m_disableIconAlpha = 0;
};
