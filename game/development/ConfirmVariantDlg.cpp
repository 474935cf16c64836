#include "game/development/ConfirmVariantDlg.h"

#include "engine/core/String.h"
#include "engine/gui/MultilineText.h"
#include "engine/media/GraphicsDevice.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/development/UpgradeScreen.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowUnit.h"

#include <algorithm>
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
    cVector2 centre, size;
    preview->getVariantBox(index, centre, size);
    keepClearOf(centre, size);
    preview->setVariantShown(index, true, screen->getVariantAlpha());
    screen->setUnitSkinShown(preview->getUnit(), false);
}

void cConfirmVariantDlg::keepClearOf(const cVector2& centre, const cVector2& size) {
    // The question asks about the look on the map: the player must see both.
    constexpr float MARGIN = 8;
    moveBy(cVector2() - m_shift);
    m_shift = cVector2();
    if (size.x <= 0 || size.y <= 0 || m_effectWidgets.empty())
        return;
    float top = 1e9f, bottom = -1e9f, left = 1e9f, right = -1e9f;
    for (const sEffectRecord& record : m_effectWidgets) {
        top = std::min(top, record.homePosition.y - record.homeSize.y * 0.5f);
        bottom = std::max(bottom, record.homePosition.y + record.homeSize.y * 0.5f);
        left = std::min(left, record.homePosition.x - record.homeSize.x * 0.5f);
        right = std::max(right, record.homePosition.x + record.homeSize.x * 0.5f);
    }
    const float lookTop = centre.y - size.y * 0.5f, lookBottom = centre.y + size.y * 0.5f;
    if (right <= centre.x - size.x * 0.5f || left >= centre.x + size.x * 0.5f || bottom + MARGIN <= lookTop ||
        top >= lookBottom + MARGIN)
        return;
    IGraphicsDevice* graphics = getGraphicsDevice();
    const float height = graphics ? float(graphics->getScreenHeight()) : 768.0f;
    const float up = lookTop - MARGIN - bottom, down = lookBottom + MARGIN - top;
    const bool upFits = top + up >= 0, downFits = bottom + down <= height;
    if (!upFits && !downFits)
        return;
    m_shift = cVector2(0.0f, upFits && (!downFits || -up <= down) ? up : down);
    moveBy(m_shift);
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
