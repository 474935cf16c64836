// The level editor's second half: the vehicles of the level, the money and has-bonus edits, the
// validation of the level and the writing of the levels file, and the play test.

#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/MessageBox.h"
#include "game/level/editor/EditorVehicleView.h"
#include "game/level/editor/MeadowEditorView.h"
#include "game/level/editor/TextEdit.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/LevelChecker.h"
#include "game/model/LevelInfo.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/VehicleModel.h"
#include "game/model/VehiclesFeature.h"
#include "game/shell/LevelScreenLink.h"

#include <locale>
#include <sstream>

using namespace Engine;

namespace {

// The vehicle-cell message, in UTF-8 for the platform's message box.
const char* const VEHICLE_CELLS_MESSAGE =
    "\xD0\xA7\xD0\xB8\xD1\x81\xD0\xBB\xD0\xBE \xD0\xBA\xD0\xBB\xD0\xB5\xD1\x82\xD0\xBE\xD0\xBA \xD1\x81 "
    "\xD0\xBC\xD0\xB0\xD1\x88\xD0\xB8\xD0\xBD\xD0\xBA\xD0\xB0\xD0\xBC\xD0\xB8 \xD0\xBD\xD0\xB5 "
    "\xD1\x80\xD0\xB0\xD0\xB2\xD0\xBD\xD0\xBE \xD1\x87\xD0\xB8\xD1\x81\xD0\xBB\xD1\x83 "
    "\xD0\xBC\xD0\xB0\xD1\x88\xD0\xB8\xD0\xBD\xD0\xBE\xD0\xBA \xD0\xBD\xD0\xB0 "
    "\xD1\x83\xD1\x80\xD0\xBE\xD0\xB2\xD0\xBD\xD0\xB5";

} // namespace

int cMeadowEditorView::readNumber(const std::wstring& text) {
    std::istringstream in(wideToNarrow(text));
    in.imbue(std::locale::classic());
    int value = 0;
    if (!(in >> value))
        return 0;
    return value;
}

void cMeadowEditorView::createVehicleView() {
    const auto& vehicles = getModel()->getVehiclesFeature()->getVehicles();
    const float n = float(vehicles.size());
    cVector2 pos = m_lastVehiclePos + m_vehiclesDistance * (n - 1.0f);
    for (const auto& vehicle : vehicles) {
        auto* view = new cEditorVehicleView(this, vehicle.get(), true);
        view->setPosition(pos);
        view->setSize(view->getSelectionSize());
        pos -= m_vehiclesDistance;
        view->update();
        view->enable();
        view->show();
        view->setClickCallback(cEditorVehicleView::clickHook);
        view->listenToRightPress(true);
        m_vehicleViews.push_back(view);
    }
    m_selectedVehicleView = nullptr;
}

void cMeadowEditorView::clearVehicleViews() {
    for (cEditorVehicleView* view : m_vehicleViews) {
        view->hide();
        view->listenToRightPress(false);
        deleteWidgetLater(view);
    }
    m_vehicleViews.clear();
    m_selectedVehicleView = nullptr;
}

void cMeadowEditorView::updateVehicles() {
    if (getModel()->getVehiclesFeature()->getVehicles().size() != m_vehicleViews.size()) {
        clearVehicleViews();
        createVehicleView();
    }
    for (cEditorVehicleView* view : m_vehicleViews)
        view->update();
}

void cMeadowEditorView::selectVehicleView(cEditorVehicleView* view, bool shift, bool ctrl, bool right) {
    for (cEditorVehicleView* each : m_vehicleViews)
        each->showSelection(false);
    m_selectedVehicleView = view;
    view->showSelection(true);
    cVehicleModel* vehicle = view->getVehicle();
    if (shift)
        getController()->addVehicleSlot(vehicle, right ? -1 : 1);
    if (ctrl)
        getController()->addVehicleSlot(vehicle, right ? -10 : 10);
    // A slot change may have rebuilt the views; the vehicle's money is read again.
    m_moneyEdit->setText(wstringFromInt(vehicle->getMoney()));
    m_hasBonusCheckBox->setChecked(vehicle->hasBonus());
}

void cMeadowEditorView::onMoneyChanged() {
    if (!m_selectedVehicleView)
        return;
    m_selectedVehicleView->getVehicle()->setMoney(readNumber(m_moneyEdit->getText()));
    updateVehicles();
}

void cMeadowEditorView::onHasBonusChanged(bool checked) {
    if (!m_selectedVehicleView)
        return;
    m_selectedVehicleView->getVehicle()->setHasBonus(checked);
    updateVehicles();
}

void cMeadowEditorView::incVehicles() {
    getController()->addVehicle();
}

void cMeadowEditorView::decVehicles() {
    if (m_vehicleViews.empty())
        return;
    cEditorVehicleView* view = m_selectedVehicleView ? m_selectedVehicleView : m_vehicleViews.back();
    getController()->removeVehicle(view->getVehicle());
}

bool cMeadowEditorView::checkVehicleCells(std::string& message) {
    cMeadowModel* model = getModel();
    if (model->countVehicleCells() == int32_t(model->getVehiclesFeature()->getVehicles().size()))
        return true;
    message = VEHICLE_CELLS_MESSAGE;
    return false;
}

void cMeadowEditorView::showMessage(const std::string& text, const std::string& caption) {
    Platform::showMessageBox(text, caption, Platform::MessageBoxIcon::WARNING);
}

bool cMeadowEditorView::validateLevel() {
    std::string message;
    if (!checkVehicleCells(message)) {
        showMessage(message, "Validation error");
        return false;
    }
    const int amount = readNumber(m_bonusesAmountEdit->getText());
    if (amount != 1 && amount != 2) {
        showMessage("Set 1 or 2 bonuses amount", "Wrong amount of bonuses");
        m_bonusesAmountEdit->setText(L"1");
        return false;
    }
    cMeadowModel* model = getModel();
    model->setLevelBonusesAmount(amount);
    for (cEditorVehicleView* view : m_vehicleViews)
        view->getVehicle()->computeMoney(model->getVehicleMoneyParam());
    updateVehicles();
    // A level that breaks the board's rules is never written; the checker says what is wrong.
    std::vector<std::string> problems;
    try {
        model->updateLevelInfo(model->getCurrentLevel());
        if (const cLevelInfo* record = model->getCurrentLevelInfo())
            problems = cLevelChecker::checkLayout(*record);
    } catch (const cStringA& text) {
        problems.push_back(text.c_str());
    }
    if (!problems.empty()) {
        std::string text;
        for (const std::string& problem : problems)
            text += (text.empty() ? "" : "\n") + problem;
        showMessage(text, "Validation error");
        return false;
    }
    model->writeLevelsXml();
    return true;
}

void cMeadowEditorView::save() {
    validateLevel();
}

void cMeadowEditorView::playTest() {
    validateLevel();
    setInputLocked(true);
    const int level = getModel()->getCurrentLevel();
    IEditorOwner* owner = m_editorOwner;
    close();
    if (owner) {
        owner->onLevelCompleted(this);
        owner->startLevel(level);
    }
}
