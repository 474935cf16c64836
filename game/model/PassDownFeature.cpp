#include "game/model/PassDownFeature.h"

#include "engine/core/String.h"
#include "game/model/MeadowModel.h"

int32_t cPassDownFeature::payForObject(cMeadowModel* model, int32_t type) {
    const std::pair<int32_t, int32_t>* rule = model->findTransformationRule(type, 1);
    if (!rule)
        throw Engine::cStringA("cPassDownFeature::payForObject(): rule was not found with a given id = " +
                               cMeadowModel::makeRuleKey(type, 1));
    const int32_t money = rule->first;
    model->addResourcePoints(1, money);
    if (type == cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE)
        model->getLevelAchievements()->addValue(2, money);
    return money;
}
