#pragma once

// The question that ends a purchase: while it is up the building shows the chosen look instead
// of its own; yes buys the upgrade with that look, no puts the building's look back.

#include "engine/core/Singleton.h"
#include "engine/core/Vector2.h"
#include "game/shell/YesNoFrame.h"

#include <cstdint>

class cUpgradeButtonsPanel;
class IUpgradePreview;

class cConfirmVariantDlg : public cYesNoFrame, public Engine::cSingleton<cConfirmVariantDlg> {
public:
    static constexpr const char* LAYOUT = "Meadow/View/ConfirmVariantDlg.xml";

    // Hidden, asking the question its layout gives the text.
    explicit cConfirmVariantDlg(cUpgradeButtonsPanel* panel);
    ~cConfirmVariantDlg() override;

    // Shows the variant of the preview on the map in place of the building's look.
    void setVariant(IUpgradePreview* preview, int32_t index);
    void onYes() override;
    void onNo() override;

    IUpgradePreview* getPreview() const { return m_previewView; }
    int32_t getVariantIndex() const { return m_variantIndex; }
    // The index of the variant shown now, -1 when none.
    int32_t getPreviewVariant() const { return m_previewVariant; }

private:
    // Hides the preview and shows the building's own look; false when nothing was selected.
    bool restoreLook();
    // Moves the dialog above or below the look when its place would cover it; back to its
    // place otherwise.
    void keepClearOf(const Engine::cVector2& centre, const Engine::cVector2& size);

    cUpgradeButtonsPanel* m_panel;
    IUpgradePreview* m_previewView = nullptr;
    int32_t m_variantIndex = -1;
    int32_t m_previewVariant = -1;
    // How far the dialog stands from its place in the layout.
    Engine::cVector2 m_shift;
};
