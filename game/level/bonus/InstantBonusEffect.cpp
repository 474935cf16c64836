#include "game/level/bonus/InstantBonusEffect.h"

#include "game/level/MeadowView.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"

cInstantBonusEffect::cInstantBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType)
    : cBonusEffect(board, model, bonusType) {
    m_immediate = true;
}

bool cInstantBonusEffect::canApply() {
    for (cMeadowObjectModel* piece : m_model->getObjectList(true))
        if (piece->getState() != cMeadowObjectModel::HIDDEN_STATE && piece->isBusy())
            return false;
    return true;
}

void cInstantBonusEffect::apply() {
    m_model->mixObjects();
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play("mix_effect");
    if (m_board)
        m_board->startMixingAnimation();
    // The board's own mix (no moves left) is no bought bonus: the controller holds another
    // effect or none then.
    cMeadowController* controller = cMeadowController::getInstance();
    if (controller && controller->getBonusEffect() == this) {
        controller->releaseBonusEffect(true);
        controller->setBonusesUsed(controller->getBonusesUsed() + 1);
    }
}
