#pragma once

// A dialog with one button per look of an upgrade, built from its own layout. The panel makes
// it with the confirmation dialog and keeps it hidden: the panel's own variant buttons offer the
// looks on the map.

#include "engine/core/Singleton.h"
#include "engine/gui/Button.h"
#include "engine/gui/InputHooks.h"
#include "game/shell/EffectDialog.h"

#include <vector>

namespace Engine {
class cFrameButton;
}
class cUpgradeButtonsPanel;
class IUpgradePreview;

class cVariantsDlg : public cEffectDialog, public Engine::cSingleton<cVariantsDlg> {
public:
    static constexpr const char* LAYOUT = "Meadow/View/VariantsDlg.xml";

    explicit cVariantsDlg(cUpgradeButtonsPanel* panel);
    ~cVariantsDlg() override;

    // The dialog's keys, then one hidden button per child of "Variants", tagged with its index.
    void loadXML(const Engine::IXmlNode* node) override;
    // The widget's own, with Escape while the dialog takes input.
    void startProcessing() override;
    void stopProcessing() override;

    static void onVariantClicked(Engine::cButton* button);
    void onEscape();
    void close();

    void setPreview(IUpgradePreview* preview) { m_previewView = preview; }
    IUpgradePreview* getPreview() const { return m_previewView; }
    const std::vector<Engine::cFrameButton*>& getVariantButtons() const { return m_variantButtons; }

private:
    static void escapeHook(void* dialog);

    cUpgradeButtonsPanel* m_panel;
    IUpgradePreview* m_previewView = nullptr;
    std::vector<Engine::cFrameButton*> m_variantButtons;
    Engine::cInputHooks m_keyHooks;
};
