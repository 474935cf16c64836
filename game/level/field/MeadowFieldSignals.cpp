// The field view's share of the model's signals (bonus pieces going off, hidden pieces shown,
// prize cells), the selection sprite, and the board's mouse codes in play and editor modes.

#include "game/level/field/MeadowFieldView.h"

#include "engine/core/FrameManager.h"
#include "engine/gui/PyroEffect.h"
#include "engine/media/InputSystem.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/BonusPanel.h"
#include "game/level/field/CellEffect.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/level/field/WaveSprite.h"
#include "game/model/BonusEffectLink.h"
#include "game/model/CellModel.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/Signal.h"
#include "game/shell/TutorialManager.h"

using namespace Engine;

namespace {

template <int CODE> void editorButton(void* user) {
    static_cast<cMeadowFieldView*>(user)->onEditorButton(CODE);
}
void leftUp(void* user) {
    static_cast<cMeadowFieldView*>(user)->onLeftButtonUp();
}
void bonusClick(void* user) {
    static_cast<cMeadowFieldView*>(user)->onBonusClick();
}
void bonusCancel(void* user) {
    static_cast<cMeadowFieldView*>(user)->onBonusCancel();
}

} // namespace

void cMeadowFieldView::connectSignals() {
    if (!m_model)
        return;
    cMeadowModel& model = *m_model;
    m_connections.push_back(
        model.m_blastBonusSignal.connect([this](cMeadowObjectModel* piece, bool wave) { onBlastBonus(piece, wave); }));
    m_connections.push_back(model.m_cellBlastedSignal.connect([this](cCellModel* cell) { onCellBlasted(cell); }));
    m_connections.push_back(model.m_lightningBonusSignal.connect(
        [this](cMeadowObjectModel* piece, bool flag) { onLightningBonus(piece, flag); }));
    m_connections.push_back(model.m_cellLightningSignal.connect([this](cCellModel* cell) { onCellLightning(cell); }));
    m_connections.push_back(
        model.m_hiddenObjectShownSignal.connect([this](cMeadowObjectModel* piece) { onHiddenObjectShown(piece); }));
    m_connections.push_back(
        model.m_unusedObjectSignal.connect([this](cMeadowObjectModel* piece) { onUnusedObject(piece); }));
    m_connections.push_back(
        model.m_objectPassedDownSignal.connect([this](cMeadowObjectModel* piece) { onObjectPassedDown(piece); }));
    m_connections.push_back(
        model.m_prizeCellSignal.connect([this](int32_t row, int32_t column) { onPrizeCell(row, column); }));
    m_connections.push_back(
        model.m_unusedCellSignal.connect([this](int32_t row, int32_t column) { onUnusedCell(row, column); }));
}

// ---- Bonus pieces going off ----

void cMeadowFieldView::onCellBlasted(cCellModel* cell) {
    const int row = cell->getRow(), column = cell->getColumn();
    cMeadowObjectModel* piece = m_model->getObject(row, column);
    if (piece && piece->getState() == cMeadowObjectModel::IDLE && !piece->getPrizeFlag()) {
        piece->setState(cMeadowObjectModel::BLASTED);
        piece->setBonusTag(cMeadowObjectModel::BLAST_BONUS);
        m_model->addBonusPointsForObject(piece);
    }
    m_crashFromSignal = true;
    crashCell(cVector2(float(row), float(column)), nullptr);
    m_crashFromSignal = false;
    if (piece)
        piece->setBonusTag(0);
}

void cMeadowFieldView::onCellLightning(cCellModel* cell) {
    const int row = cell->getRow(), column = cell->getColumn();
    cMeadowObjectModel* piece = m_model->getObject(row, column);
    if (piece && piece->getState() == cMeadowObjectModel::IDLE && !piece->getPrizeFlag()) {
        piece->setState(cMeadowObjectModel::BLASTED);
        m_model->addBonusPointsForObject(piece);
    }
    m_crashFromSignal = true;
    crashCell(cVector2(float(row), float(column)), nullptr);
    m_crashFromSignal = false;
    if (piece)
        piece->setBonusTag(0);
}

void cMeadowFieldView::onBlastBonus(cMeadowObjectModel* piece, bool wave) {
    if (wave) {
        m_blastWave->start(int(piece->getPosition().x), int(piece->getPosition().y), m_rows, m_columns);
        return;
    }
    m_crashFromSignal = true;
    crashCell(piece->getPosition(), nullptr);
    m_crashFromSignal = false;
    piece->setBonusTag(0);
    m_model->addBonusPointsForObject(piece);
    if (cMeadowCellView* cellView = findCellView(int(piece->getPosition().x), int(piece->getPosition().y))) {
        // The explosion plays once over the cell and deletes itself.
        auto* explosion = new cPyroEffect(*m_bombEffect);
        explosion->setParent(this);
        explosion->setOffset(cellView->getPosition());
        explosion->show();
        explosion->play(true);
    }
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->playSingle("bomb_explosion", m_cellCrashBufferTime, 0);
    if (m_controller) {
        ++m_controller->getBlastsUsed();
        m_controller->onBlastBonusUsed();
    }
}

void cMeadowFieldView::onLightningBonus(cMeadowObjectModel* piece, bool) {
    if (cMeadowCellView* centre = findCellView(int(piece->getPosition().x), int(piece->getPosition().y))) {
        const int tag = piece->getBonusTag();
        const bool cross = tag == cMeadowObjectModel::CROSS_LIGHTNING_BONUS;
        for (int direction : {cross ? int(cMeadowObjectModel::COLUMN_LIGHTNING_BONUS) : tag,
                              cross ? int(cMeadowObjectModel::ROW_LIGHTNING_BONUS) : 0})
            if (direction)
                (new cCellEffect(*m_lightningEffect))->start(centre, direction);
    }
    m_crashFromSignal = true;
    crashCell(piece->getPosition(), nullptr);
    m_crashFromSignal = false;
    piece->setBonusTag(0);
    m_model->addBonusPointsForObject(piece);
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->playSingle("lightning_bonus", m_cellCrashBufferTime, 0);
    if (m_controller) {
        ++m_controller->getLightningsUsed();
        m_controller->onLightningBonusUsed();
    }
}

// ---- Hidden pieces, unused pieces and cells, prize cells ----

void cMeadowFieldView::onHiddenObjectShown(cMeadowObjectModel* piece) {
    cMeadowObjectView* view = m_boardView ? m_boardView->getGameObjectView(piece) : nullptr;
    if (!view)
        return;
    view->setPosition(cVector2(m_origin.x + float(piece->getColumn()) * m_cellDistance,
                               m_origin.y - float(piece->getRow()) * m_cellDistance));
    view->show();
    view->attachInput();
}

void cMeadowFieldView::onUnusedObject(cMeadowObjectModel* piece) {
    if (cMeadowObjectView* view = m_boardView ? m_boardView->getGameObjectView(piece) : nullptr)
        view->hide();
}

void cMeadowFieldView::onUnusedCell(int row, int column) {
    if (cMeadowCellView* view = findCellView(row, column))
        view->updateFromModel();
}

void cMeadowFieldView::onPrizeCell(int row, int column) {
    m_prizeCells.push_back(cVector2(float(row), float(column)));
}

bool cMeadowFieldView::showPrizeCell(float row, float column) {
    cMeadowObjectModel* piece = m_model->getObject(int(row), int(column));
    cCellModel* cell = m_model->getCell(int(row), int(column));
    if (!piece || piece->getState() != cMeadowObjectModel::IDLE || !cell)
        return false;
    m_model->convertPrizeCell(piece, cell);
    if (cMeadowObjectView* view = m_boardView ? m_boardView->getGameObjectView(piece) : nullptr) {
        cVisual look = m_boardView->getLevelObjectState(piece->getType());
        if (static_cast<const cVisual&>(*view) != look) {
            view->cVisual::operator=(look);
            view->invalidate();
        }
        view->getDecoration()->hide();
        const int type = piece->getType();
        const int tipId = type == 102 ? 18 : type == 101 ? 19 : -1;
        // The tip holds the piece and lights it until the player closes the tip.
        if (m_tutorial && tipId >= 0 &&
            m_tutorial->checkAndShow(tipId, cTutorialManager::TIP_ARROW, view, nullptr, view->getPosition(), false)) {
            piece->setState(22);
            view->setHighlighted(true);
        }
    }
    return true;
}

// ---- Selection and mouse codes ----

void cMeadowFieldView::registerInput(bool add) {
    m_inputHooks.removeAll();
    if (!add)
        return;
    if (m_editorMode) {
        m_inputHooks.addKey(INPUT_MOUSE_RIGHT_DOWN, editorButton<INPUT_MOUSE_RIGHT_DOWN>, this);
        m_inputHooks.addKey(INPUT_MOUSE_RIGHT_UP, editorButton<INPUT_MOUSE_RIGHT_UP>, this);
        m_inputHooks.addKey(INPUT_MOUSE_LEFT_DOWN, editorButton<INPUT_MOUSE_LEFT_DOWN>, this);
        m_inputHooks.addKey(INPUT_MOUSE_LEFT_UP, editorButton<INPUT_MOUSE_LEFT_UP>, this);
    } else {
        m_inputHooks.addKey(INPUT_MOUSE_LEFT_UP, leftUp, this);
        m_inputHooks.addKey(INPUT_MOUSE_LEFT_DOWN, bonusClick, this);
        m_inputHooks.addKey(INPUT_MOUSE_RIGHT_DOWN, bonusCancel, this);
    }
}

void cMeadowFieldView::setInputLocked(bool locked) {
    // Registered once at most: a second unlock must not make every click count twice.
    if (locked == m_inputLocked)
        return;
    m_inputLocked = locked;
    if (m_editorMode)
        for (auto& entry : m_cells) {
            if (locked)
                entry.second->detachEditorInput();
            else
                entry.second->attachEditorInput();
        }
    registerInput(!locked);
}

void cMeadowFieldView::onEditorButton(int code) {
    if (!m_controller)
        return;
    if (code == INPUT_MOUSE_RIGHT_DOWN || code == INPUT_MOUSE_RIGHT_UP)
        m_controller->setRightButtonDown(code == INPUT_MOUSE_RIGHT_DOWN);
    else
        m_controller->setDragging(code == INPUT_MOUSE_LEFT_DOWN);
}

void cMeadowFieldView::onLeftButtonUp() {
    if (m_controller)
        m_controller->setDragging(false);
}

cMeadowCellView* cMeadowFieldView::cellAtCursor(bool visibleOnly) const {
    const IFrameManager* frames = getFrameManager();
    if (!frames)
        return nullptr;
    const cVector2 cursor = *frames->getCursorPosition();
    for (const auto& entry : m_cells) {
        cMeadowCellView* view = entry.second;
        if (visibleOnly && !view->isVisible())
            continue;
        if (view->hitTest(cursor) && view->getModelObject() && view->getModelObject()->isEnabled())
            return view;
    }
    return nullptr;
}

void cMeadowFieldView::onBonusClick() {
    IBonusEffect* effect = m_controller ? m_controller->getBonusEffect() : nullptr;
    if (!effect || effect->isImmediate())
        return;
    if (cMeadowCellView* view = cellAtCursor(false))
        m_controller->updateBonusEffectPosition(view);
    else
        giveUpBonus();
}

void cMeadowFieldView::onBonusCancel() {
    IBonusEffect* effect = m_controller ? m_controller->getBonusEffect() : nullptr;
    if (effect && !effect->isImmediate())
        giveUpBonus();
}

void cMeadowFieldView::giveUpBonus() {
    m_controller->releaseBonusEffect(true);
    // The panel kept its buttons dark while the bonus waited for a target.
    if (cBonusPanel* panel = m_boardView ? m_boardView->getBonusPanel() : nullptr)
        panel->refresh();
}

void cMeadowFieldView::trackBonusTarget() {
    if (!m_controller || !m_controller->getBonusEffect())
        return;
    cMeadowCellView* view = cellAtCursor(true);
    m_controller->setBonusEffectPosition(view ? view->getRow() : -1, view ? view->getColumn() : -1);
}
