#include "tests/development/CharacterFixture.h"

#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "tests/model/ModelFixture.h"

namespace TestCharacters {

GroupController::GroupController() : model(TestModel::makeModel(TestModel::minimalModelXml())) {
    controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
}

GroupController::~GroupController() = default;

void GroupController::setGroup(int32_t group) {
    model->setCurrentGroup(group);
}

} // namespace TestCharacters
