#include "game/development/ConfirmVariantDlg.h"

#include "engine/core/String.h"
#include "engine/gui/MultilineText.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/development/UpgradeScreen.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowUnit.h"

#include <string>

using namespace Engine;

cConfirmVariantDlg::cConfirmVariantDlg(cUpgradeButtonsPanel* panel) : cYesNoFrame(nullptr, LAYOUT), m_panel(panel) {
    setMessage(getText()->getText());
}

cConfirmVariantDlg::~cConfirmVariantDlg() = default;

void cConfirmVariantDlg::setVariant(IUpgradePreview* preview, int32_t index) {
    m_previewView = preview;
    m_variantIndex = index;
    const int32_t count = preview ? preview->getVariantCount() : 0;
    if (index < 0 || index >= count)
        throw cStringA("cConfirmVariantDlg::setVariant(): wrong index of variant: " + std::to_string(index));
    IUpgradeScreen* screen = m_panel->getScreen();
    m_previewVariant = index;
    preview->setVariantShown(index, true, screen->getVariantAlpha());
    screen->setUnitSkinShown(preview->getUnit(), false);
}

bool cConfirmVariantDlg::restoreLook() {
    // A second answer before the fade-out ends finds nothing selected.
    if (!m_previewView || m_previewVariant < 0)
        return false;
    m_previewView->setVariantShown(m_previewVariant, false, 1.0f);
    m_panel->getScreen()->setUnitSkinShown(m_previewView->getUnit(), true);
    return true;
}

void cConfirmVariantDlg::onYes() {
    if (!restoreLook())
        return;
    cMeadowUnit* unit = m_previewView->getUnit();
    if (cMeadowController* controller = m_panel->getScreen()->getController())
        controller->selectUnitVariant(unit->getId(), m_variantIndex, unit->getLevel());
    m_previewView = nullptr;
    m_previewVariant = -1;
    m_panel->onConfirmClosed(nullptr);
}

void cConfirmVariantDlg::onNo() {
    if (!restoreLook())
        return;
    if (m_previewView->getVariantCount() == 1)
        m_previewView = nullptr;
    m_previewVariant = -1;
    m_panel->onConfirmClosed(m_previewView);
}
