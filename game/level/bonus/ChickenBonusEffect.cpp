#include "game/level/bonus/ChickenBonusEffect.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "game/model/CellModel.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"

using namespace Engine;

namespace {

const char* const LAYOUT = "Meadow/View/bonuses/ChickenBonus.xml";

} // namespace

cChickenBonusEffect::cChickenBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType)
    : cBonusEffect(board, model, bonusType) {
    loadLayoutFile(*this, LAYOUT);
    showIdleIcon();
}

void cChickenBonusEffect::loadXML(const IXmlNode* node) {
    cBonusEffect::loadXML(node);
}

bool cChickenBonusEffect::setTargetCell(float row, float column) {
    if (!cBonusEffect::setTargetCell(row, column))
        return false;
    m_targetCells.assign(1, cVector2(row, column));
    return true;
}

bool cChickenBonusEffect::canApply() {
    if (m_targetCells.size() != 1)
        return false;
    const int row = int(m_targetCells[0].x), column = int(m_targetCells[0].y);
    cCellModel* cell = m_model->getCell(row, column);
    return isTakeablePiece(m_model->getObject(row, column)) && cell && !cell->isFrozen();
}

void cChickenBonusEffect::apply() {
    cBonusEffect::apply();
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play("chicken_effect");
    // Nothing would count a work time down: the input would stay locked.
    if (!m_workIcon)
        onEffectFinished();
}

void cChickenBonusEffect::onEffectFinished() {
    if (m_targetCells.size() != 1)
        throw cStringA("cChickenBonusEffect::onEffectFinished(): bonus area has wrong number of cell: " +
                       std::to_string(m_targetCells.size()));
    if (cMeadowController* controller = cMeadowController::getInstance()) {
        controller->applyBonusAtPosition(m_targetCells[0], this);
        if (m_bonusType == 12)
            controller->applyBonusAtPosition(m_targetCells[0], this);
        controller->onBonusEffectFinished(true);
    }
}
