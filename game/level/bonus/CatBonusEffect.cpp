#include "game/level/bonus/CatBonusEffect.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/RunningCat.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"

using namespace Engine;

namespace {

const char* const LAYOUT = "Meadow/View/bonuses/CatBonus.xml";

} // namespace

cCatBonusEffect::cCatBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType)
    : cBonusEffect(board, model, bonusType) {
    setParent(nullptr);
    m_catPrototype = new cRunningCat(this, board);
    loadLayoutFile(*this, LAYOUT);
    showIdleIcon();
}

cCatBonusEffect::~cCatBonusEffect() {
    // The running cats are root widgets of their own.
    for (cRunningCat* cat : m_runningCats)
        delete cat;
}

void cCatBonusEffect::loadXML(const IXmlNode* node) {
    cBonusEffect::loadXML(node);
    IXmlNode* child = nullptr;
    if (node->findNode("Cat", child))
        m_catPrototype->loadXML(child);
    m_catPrototype->hide();
}

void cCatBonusEffect::collectTargets(float row, float column) {
    m_targetCells.clear();
    cMeadowObjectModel* pointed = m_model->getObject(int(row), int(column));
    if (!isTakeablePiece(pointed))
        return;
    for (cMeadowObjectModel* piece : m_model->getObjectList(true))
        if (isTakeablePiece(piece) && piece->getType() == pointed->getType())
            m_targetCells.push_back(piece->getPosition());
}

bool cCatBonusEffect::setTargetCell(float row, float column) {
    if (!cBonusEffect::setTargetCell(row, column))
        return false;
    collectTargets(row, column);
    return true;
}

bool cCatBonusEffect::canApply() {
    if (int(m_targetRow) == -1 || int(m_targetColumn) == -1)
        return false;
    return isTakeablePiece(m_model->getObject(int(m_targetRow), int(m_targetColumn)));
}

void cCatBonusEffect::apply() {
    collectTargets(m_targetRow, m_targetColumn);
    deleteIcons();
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play("cat_effect");
    captureTargets();
    onEffectFinished();
}

void cCatBonusEffect::onEffectFinished() {
    cMeadowController* controller = cMeadowController::getInstance();
    cMeadowFieldView* field = m_board ? m_board->getFieldView() : nullptr;
    for (const cVector2& cell : m_targetCells) {
        const int row = int(cell.x), column = int(cell.y);
        if (m_model->getObject(row, column) && !m_model->isLockedCell(row, column)) {
            cRunningCat* cat = new cRunningCat(*m_catPrototype);
            cat->launch(field ? field->getCellPosition(row, column) : cVector2());
            cat->enable();
            m_runningCats.push_back(cat);
        }
        if (controller)
            controller->applyBonusAtPosition(cell, nullptr);
    }
    if (controller)
        controller->onBonusEffectFinished(false);
}

void cCatBonusEffect::process() {
    cBonusEffect::process();
    if (m_runningCats.empty())
        return;
    const float dt = frameDelta();
    for (auto it = m_runningCats.begin(); it != m_runningCats.end(); ++it) {
        if ((*it)->step(dt)) {
            deleteWidgetLater(*it);
            m_runningCats.erase(it);
            if (m_runningCats.empty()) {
                hide();
                deleteWidgetLater(this);
            }
            return;
        }
    }
}
