#include "game/level/editor/MeadowEditorView.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/FrameManager.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "game/level/editor/EditorVehicleView.h"
#include "game/level/editor/TextEdit.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/shell/LevelScreenLink.h"

#include <algorithm>
#include <locale>
#include <sstream>

using namespace Engine;

namespace {

const char* const OBJECTS = "Meadow/View/GameObjects.xml";
const char* const EDITOR_LAYOUT = "Meadow/View/MeadowEditorView.xml";

enum eIconKind { CELL_ICONS, LOCK_ICONS, OBJECT_ICONS_FIRST, OBJECT_ICONS, NO_ICONS };

cMeadowEditorView* editorOf(cButton* button) {
    cWidget* parent = button ? button->getParent() : nullptr;
    return dynamic_cast<cMeadowEditorView*>(parent);
}

void decRowsClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->decRows();
}
void incRowsClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->incRows();
}
void decColumnsClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->decColumns();
}
void incColumnsClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->incColumns();
}
void backClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->back();
}
void saveClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->save();
}
void playClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->playTest();
}
void incVehiclesClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->incVehicles();
}
void decVehiclesClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->decVehicles();
}
void cellToolClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->onCellTool(static_cast<cTextButton*>(b));
}
void lockToolClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->onLockTool(static_cast<cTextButton*>(b));
}
void indexToolClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->onIndexTool(static_cast<cTextButton*>(b));
}
void triggerToolClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->onTriggerTool(static_cast<cTextButton*>(b));
}
void objectToolClicked(cButton* b) {
    if (auto* e = editorOf(b))
        e->onObjectTool(static_cast<cTextButton*>(b));
}
void moneyChanged(cTextEdit* edit) {
    if (auto* e = dynamic_cast<cMeadowEditorView*>(edit->getParent()))
        e->onMoneyChanged();
}
void hasBonusChanged(cCheckBox* box, bool checked) {
    if (auto* e = dynamic_cast<cMeadowEditorView*>(box->getParent()))
        e->onHasBonusChanged(checked);
}

void enableAll(const std::vector<cTextButton*>& buttons) {
    for (cTextButton* button : buttons)
        button->enable();
}

} // namespace

IPieceView* cMeadowEditorView::cLink::getGameObjectView(cMeadowObjectModel* piece) {
    return m_editor->getGameObjectView(piece);
}

bool cMeadowEditorView::cLink::isShown() {
    return m_editor->isVisible();
}

bool cMeadowEditorView::cLink::isEnabled() {
    return m_editor->cWidget::isEnabled();
}

cMeadowEditorView::cMeadowEditorView(IEditorOwner* owner, cMeadowModel* model, cMeadowController* controller)
    // The editor hides the level background anyway: no particle effects or clouds behind it.
    : cMeadowView(owner, model, controller, true, true), m_editorOwner(owner) {
    m_editButtonProto = new cTextButton(this);
    m_editorBack = new cPanel(this);
    loadEditorObjectStates(cDocumentHold(OBJECTS).get());
    loadLayoutFile(*this, EDITOR_LAYOUT);
}

cMeadowEditorView::~cMeadowEditorView() {
    // A closed editor has let go of the controller, which may be gone by now.
    if (!isClosed() && getController() && getController()->getLevelView() == &m_link)
        getController()->setLevelView(nullptr);
    delete m_ownField;
}

cMeadowEditorView* cMeadowEditorView::create(IEditorOwner* owner, cMeadowModel* model, cMeadowController* controller) {
    auto* editor = new cMeadowEditorView(owner, model, controller);
    editor->initLevel(false);
    if (controller)
        controller->setLevelView(editor->getLevelView());
    editor->refresh();
    editor->enable();
    editor->fadeIn();
    editor->startShow();
    editor->startLevel(false);
    editor->setInputLocked(false);
    return editor;
}

void cMeadowEditorView::process() {
    cGroupFader::process();
}

void cMeadowEditorView::loadEditorObjectStates(const IXmlNode* root) {
    for (int i = 0; i < root->getNodeCount(); ++i) {
        IXmlNode* child = nullptr;
        if (!root->getNodeAt(i, child))
            continue;
        cVisual look;
        look.loadXML(child);
        m_editorStates[wideToNarrow(child->getAttribute(L"id"))] = look;
    }
}

const cVisual& cMeadowEditorView::getEditorObjectVisualState(int type) const {
    const std::string id = "obj" + std::to_string(type);
    auto found = m_editorStates.find(id);
    if (found == m_editorStates.end())
        throw cStringA("cMeadowEditorView::getEditorObjectVisualState(): visual state for a given id was not found: "
                       "id = " +
                       id);
    return found->second;
}

const cVisual& cMeadowEditorView::getEditorLook(const std::string& id) const {
    auto found = m_editorLooks.find(id);
    if (found != m_editorLooks.end())
        return found->second;
    return getVisualState(id);
}

cTextButton* cMeadowEditorView::newButton(const IXmlNode* root, const char* name, void (*click)(cButton*)) {
    auto* button = new cTextButton(this);
    IXmlNode* child = nullptr;
    if (root->findNode(name, child))
        button->loadXML(child);
    button->setClickCallback(click);
    return button;
}

void cMeadowEditorView::readButtonList(const IXmlNode* root, const wchar_t* posKey, const wchar_t* offsetKey,
                                       const char* listName, std::vector<cTextButton*>& buttons,
                                       void (*click)(cButton*), int iconKind) {
    cVector2 pos, step;
    cLayoutReader::readVector(root, posKey, pos);
    cLayoutReader::readVector(root, offsetKey, step);
    IXmlNode* list = nullptr;
    if (!root->findNode(listName, list))
        return;
    for (int i = 0; i < list->getNodeCount(); ++i) {
        IXmlNode* child = nullptr;
        if (!list->getNodeAt(i, child))
            continue;
        auto* button = new cTextButton(this);
        button->loadXML(child);
        button->setPosition(pos);
        button->show();
        pos += step;
        int value = 0;
        cLayoutReader::readInt(child, iconKind == NO_ICONS ? L"index" : L"type", value);
        button->setUserData(value);
        button->setClickCallback(click);
        buttons.push_back(button);
        if (iconKind == NO_ICONS || (iconKind == OBJECT_ICONS_FIRST && value == 0) || !m_iconProto)
            continue;
        auto* icon = new cPanel(*m_iconProto);
        icon->setParent(button);
        icon->setPosition(button->getPosition());
        if (iconKind == CELL_ICONS)
            icon->cVisual::operator=(getVisualState(cMeadowCellView::getCellVisualStateId(value)));
        else if (iconKind == LOCK_ICONS)
            icon->cVisual::operator=(getEditorLook("cell_locks" + std::to_string(value)));
        else
            icon->cVisual::operator=(getEditorObjectVisualState(value));
        icon->invalidate();
        icon->show();
        if (iconKind == OBJECT_ICONS_FIRST || iconKind == OBJECT_ICONS)
            icon->disable();
    }
}

void cMeadowEditorView::loadXML(const IXmlNode* node) {
    IXmlNode* child = nullptr;
    // The editor's own looks: the piece indices and the lock tools the board has no look for.
    if (node->findNode("EditorStates", child))
        for (int i = 0; i < child->getNodeCount(); ++i) {
            IXmlNode* look = nullptr;
            if (child->getNodeAt(i, look))
                m_editorLooks[wideToNarrow(look->getAttribute(L"id"))].loadXML(look);
        }
    if (node->findNode("EditBtnProto", child))
        m_editButtonProto->loadXML(child);
    m_editButtonProto->hide();
    m_decRowsButton = newButton(node, "DecRowsBtn", decRowsClicked);
    m_incRowsButton = newButton(node, "IncRowsBtn", incRowsClicked);
    m_decColumnsButton = newButton(node, "DecColsBtn", decColumnsClicked);
    m_incColumnsButton = newButton(node, "IncColsBtn", incColumnsClicked);
    m_backButton = newButton(node, "BackButton", backClicked);
    m_saveButton = newButton(node, "SaveButton", saveClicked);
    m_playButton = newButton(node, "PlayButton", playClicked);
    m_iconProto = new cPanel(this);
    if (node->findNode("IconProto", child))
        m_iconProto->loadXML(child);
    m_iconProto->hide();
    cLayoutReader::readVector(node, L"last_vehicle_pos", m_lastVehiclePos);
    cLayoutReader::readVector(node, L"vehicles_distance", m_vehiclesDistance);
    cLayoutReader::readVector(node, L"first_trigger_btn_pos", m_firstTriggerButtonPos);
    cLayoutReader::readVector(node, L"trigger_btn_offset", m_triggerButtonOffset);
    readButtonList(node, L"cells_buttons_pos", L"cells_buttons_offset", "CellsButtons", m_cellButtons, cellToolClicked,
                   CELL_ICONS);
    readButtonList(node, L"cell_lock_buttons_pos", L"cell_lock_buttons_offset", "CellLocksButtons", m_lockButtons,
                   lockToolClicked, LOCK_ICONS);
    readButtonList(node, L"obj_buttons_pos1", L"obj_buttons_offset1", "ObjectsButtons1", m_objectButtons,
                   objectToolClicked, OBJECT_ICONS_FIRST);
    readButtonList(node, L"obj_buttons_pos2", L"obj_buttons_offset2", "ObjectsButtons2", m_objectButtons,
                   objectToolClicked, OBJECT_ICONS);
    m_incVehiclesButton = newButton(node, "IncVehiclesBtn", incVehiclesClicked);
    m_decVehiclesButton = newButton(node, "DecVehiclesBtn", decVehiclesClicked);
    m_moneyLabel = new cLabel(this);
    if (node->findNode("MoneyLabel", child))
        m_moneyLabel->loadXML(child);
    m_moneyEdit = new cTextEdit(this);
    if (node->findNode("MoneyEdit", child))
        m_moneyEdit->loadXML(child);
    m_moneyEdit->setChangeCallback(moneyChanged);
    m_timeText = new cLabel(this);
    if (node->findNode("TimeLabel", child))
        m_timeText->loadXML(child);
    m_bonusesAmountLabel = new cLabel(this);
    if (node->findNode("BonusesAmountLabel", child))
        m_bonusesAmountLabel->loadXML(child);
    m_bonusesAmountEdit = new cTextEdit(this);
    if (node->findNode("BonusesAmountEdit", child))
        m_bonusesAmountEdit->loadXML(child);
    readButtonList(node, L"index_buttons_pos", L"index_buttons_offset", "IndexButtons", m_indexButtons,
                   indexToolClicked, NO_ICONS);
    m_hasBonusCheckBox = new cCheckBox(this);
    if (node->findNode("HasBonusCheckBox", child))
        m_hasBonusCheckBox->loadXML(child);
    m_hasBonusCheckBox->setChangeCallback(hasBonusChanged);
    m_hasBonusCheckBox->setChecked(false);
    if (node->findNode("EditorBack", child))
        m_editorBack->loadXML(child);
    addFadingWidget(m_editorBack);
}

void cMeadowEditorView::initLevel(bool) {
    delete m_ownField;
    m_ownField = new cMeadowFieldView(this, getModel(), getController(), true);
    setFieldView(m_ownField);
    m_ownField->initField(this);
    // The cells' arrival runs in the field's update step, as on the board screen.
    m_ownField->enableAbsolute();
    createGameObjects();
    createVehicleView();
    getGameMenuButton()->hide();
    for (cPanel* picture : getBackPictures())
        picture->hide();
}

void cMeadowEditorView::createGameObjects() {
    cMeadowModel* model = getModel();
    for (int row = 0; row < model->getRows(); ++row)
        for (int column = 0; column < model->getColumns(); ++column)
            if (cMeadowObjectModel* piece = model->getObject(row, column))
                getGameObjectView(piece);
}

std::string cMeadowEditorView::getGameObjectVisualStateId(cMeadowObjectModel* piece) const {
    const int type = piece->getType();
    if (type < 1 || type > 5)
        throw cStringA("cMeadowEditorView::getGameObjectVisualStateId(): index of object is out of range [1..5]: " +
                       std::to_string(type));
    return "index" + std::to_string(type);
}

cMeadowObjectView* cMeadowEditorView::getGameObjectView(cMeadowObjectModel* piece) {
    cMeadowObjectView*& view = m_editorObjectViews[piece];
    if (!view) {
        view = new cMeadowObjectView(*getObjectProto());
        view->setParent(this);
        view->setFieldView(getFieldView());
    }
    const cVisual& look = getEditorLook(getGameObjectVisualStateId(piece));
    if (static_cast<const cVisual&>(*view) != look) {
        view->cVisual::operator=(look);
        view->invalidate();
    }
    view->setModel(piece);
    view->enable();
    view->setPlayAnimation(false);
    view->restoreSize();
    cMeadowFieldView* field = getFieldView();
    if (field && piece->getRow() >= 0 && piece->getColumn() >= 0 && piece->getRow() < field->getRowCount() &&
        piece->getColumn() < field->getColumnCount())
        view->setPosition(field->getCellPosition(piece->getRow(), piece->getColumn()));
    view->show();
    return view;
}

void cMeadowEditorView::setInputLocked(bool locked) {
    // The controller hands the lock back to its level view, which locks the cells.
    cMeadowController* controller = getController();
    if (controller && controller->getLevelView() == &m_link)
        controller->setInputLocked(locked);
    else
        cMeadowView::setInputLocked(locked);
}

void cMeadowEditorView::lockCells(bool locked) {
    // In editor mode the field view attaches or detaches every cell's editor input and listens
    // to the mouse buttons that make sweeps.
    if (cMeadowFieldView* field = getFieldView())
        field->setInputLocked(locked);
}

void cMeadowEditorView::refresh() {
    cMeadowFieldView* field = getFieldView();
    cMeadowModel* model = getModel();
    if (!field || !model)
        return;
    if (field->getRowCount() > 0)
        m_decRowsButton->enable();
    else
        m_decRowsButton->disable();
    if (field->getColumnCount() > 0)
        m_decColumnsButton->enable();
    else
        m_decColumnsButton->disable();
    field->updateCells(false);
    field->updateView();
    // Every piece on the board has its view in its cell; views of pieces gone are hidden.
    for (auto& entry : m_editorObjectViews) {
        cMeadowObjectModel* piece = entry.first;
        const bool onBoard = piece->isValid() && piece->getRow() >= 0 && piece->getColumn() >= 0 &&
                             piece->getRow() < model->getRows() && piece->getColumn() < model->getColumns() &&
                             model->getObject(piece->getRow(), piece->getColumn()) == piece;
        if (!onBoard)
            entry.second->hide();
    }
    createGameObjects();

    enableAll(m_objectButtons);
    const std::vector<int32_t>& bonusTypes = model->getLevelBonusTypes();
    const std::vector<int32_t>& types = model->getLevelObjectTypes();
    for (cTextButton* button : m_objectButtons) {
        const int value = button->getUserData();
        if (std::find(bonusTypes.begin(), bonusTypes.end(), value) != bonusTypes.end() ||
            std::find(types.begin(), types.end(), value) != types.end())
            button->disable();
    }
    m_bonusesAmountEdit->setText(wstringFromInt(model->getConstantOne()));
    createTriggerButtons();
}

void cMeadowEditorView::clearTriggerButtons() {
    for (cTextButton* button : m_triggerButtons) {
        button->hide();
        deleteWidgetLater(button);
    }
    m_triggerButtons.clear();
}

void cMeadowEditorView::createTriggerButtons() {
    clearTriggerButtons();
    cVector2 pos = m_firstTriggerButtonPos;
    const std::vector<int32_t>& table = getModel()->getTriggerTable();
    for (int number = 0; number < 256 && number < int(table.size()); ++number) {
        if (!table[size_t(number)])
            continue;
        auto* button = new cTextButton(*m_editButtonProto);
        button->setParent(this);
        button->setPosition(pos);
        button->show();
        pos += m_triggerButtonOffset;
        button->setUserData(number);
        button->setClickCallback(triggerToolClicked);
        button->setText(wstringFromInt(number));
        m_triggerButtons.push_back(button);
    }
}

void cMeadowEditorView::onCellTool(cTextButton* button) {
    cMeadowController* controller = getController();
    controller->setMode(cMeadowController::EDIT_CELLS_MODE);
    controller->setEditCellType(button->getUserData());
    enableAll(m_cellButtons);
    enableAll(m_objectButtons);
    button->disable();
}

void cMeadowEditorView::onLockTool(cTextButton* button) {
    cMeadowController* controller = getController();
    const int value = button->getUserData();
    if (value == 5)
        controller->setMode(cMeadowController::EDIT_CELL_TRIGGERS_MODE);
    else if (value == 4)
        controller->setMode(cMeadowController::EDIT_CELL_GOLD_PRIZE_MODE);
    else if (value == 3)
        controller->setMode(cMeadowController::EDIT_CELL_VEHICLES_MODE);
    else if (value >= 0 && value <= 2) {
        controller->setMode(cMeadowController::EDIT_CELL_LOCKS_MODE);
        controller->setEditCellLocks(value);
    }
    enableAll(m_cellButtons);
    enableAll(m_lockButtons);
    enableAll(m_objectButtons);
    button->disable();
}

void cMeadowEditorView::onIndexTool(cTextButton* button) {
    cMeadowController* controller = getController();
    const int value = button->getUserData();
    controller->setMode(cMeadowController::EDIT_LOCKED_OBJECTS_MODE);
    controller->setEditSlotType(value);
    controller->setEditObjectIndex(value);
    enableAll(m_indexButtons);
    button->disable();
}

void cMeadowEditorView::onTriggerTool(cTextButton* button) {
    cMeadowController* controller = getController();
    controller->setEditTriggerLink(button->getUserData());
    controller->setMode(cMeadowController::EDIT_CELLS_MODE);
    enableAll(m_triggerButtons);
    button->disable();
}

void cMeadowEditorView::onObjectTool(cTextButton* button) {
    cMeadowModel* model = getModel();
    const int value = button->getUserData();
    if (model->isBonusObjectType(value))
        model->addLevelBonusType(value);
    else
        model->addLevelObjectType(value);
    refresh();
}

void cMeadowEditorView::rebuildCells() {
    setInputLocked(true);
    getFieldView()->buildCells();
    setInputLocked(false);
    refresh();
}

void cMeadowEditorView::incRows() {
    if (getModel()->getRows() >= cMeadowModel::MAX_BOARD_SIDE) {
        showMessage("A board has at most " + std::to_string(cMeadowModel::MAX_BOARD_SIDE) + " rows.", "Board size");
        return;
    }
    getModel()->addRow();
    rebuildCells();
}

void cMeadowEditorView::incColumns() {
    if (getModel()->getColumns() >= cMeadowModel::MAX_BOARD_SIDE) {
        showMessage("A board has at most " + std::to_string(cMeadowModel::MAX_BOARD_SIDE) + " columns.", "Board size");
        return;
    }
    getModel()->addColumn();
    rebuildCells();
}

void cMeadowEditorView::decRows() {
    cMeadowModel* model = getModel();
    const int row = getFieldView()->getRowCount() - 1;
    for (int column = 0; column < getFieldView()->getColumnCount(); ++column) {
        cMeadowObjectModel* piece = model->getObject(row, column);
        if (!piece)
            continue;
        if (!piece->isValid())
            throw cStringA("cMeadowFieldView::decRows(): not valid model object is in the cell(" + std::to_string(row) +
                           ", " + std::to_string(column) + ").");
        getGameObjectView(piece)->hide();
    }
    model->removeLastRow();
    rebuildCells();
}

void cMeadowEditorView::decColumns() {
    cMeadowModel* model = getModel();
    const int column = getFieldView()->getColumnCount() - 1;
    for (int row = 0; row < getFieldView()->getRowCount(); ++row) {
        cMeadowObjectModel* piece = model->getObject(row, column);
        if (!piece)
            continue;
        if (!piece->isValid())
            throw cStringA("cMeadowFieldView::decColumns(): not valid model object is in the cell(" +
                           std::to_string(row) + ", " + std::to_string(column) + ").");
        getGameObjectView(piece)->hide();
    }
    model->removeLastColumn();
    rebuildCells();
}

// Nothing is written: the board screen's end of a level, which for the editor's owner is the
// switch straight back to it; the switch's hide notification closes the editor. Esc is let go
// with the rest of the input so that no game menu opens over the fade.
void cMeadowEditorView::back() {
    setInputLocked(true);
    finishLevel();
}

void cMeadowEditorView::close() {
    if (isClosed())
        return;
    clearVehicleViews();
    m_editorStates.clear();
    clearTriggerButtons();
    // The cells let go of the mouse even when the controller has another view by now.
    lockCells(true);
    // The board screen's close: signals, the controller's lock (and with it the Esc key), the
    // field view, the results view it made, and this screen go.
    cMeadowView::close();
    m_ownField = nullptr;
    if (getController() && getController()->getLevelView() == &m_link)
        getController()->setLevelView(nullptr);
    disable();
    if (cResourceManager* resources = getResourceManager())
        resources->purgeUnused();
}
