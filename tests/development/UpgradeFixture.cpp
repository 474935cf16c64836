#include "tests/development/UpgradeFixture.h"

#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/UnitsFeature.h"
#include "tests/model/ModelFixture.h"

namespace TestUpgrades {

UpgradeFixture::UpgradeFixture() = default;
UpgradeFixture::~UpgradeFixture() = default;

void UpgradeFixture::startModel() {
    model = TestModel::makeModel(modelXml(extraUnits()));
    controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
    screen.model = model.get();
    screen.controller = controller.get();
}

void UpgradeFixture::setMoney(int32_t money) {
    model->addResourcePoints(1, money - model->getResourcePoints(1));
}

cMeadowUnit* UpgradeFixture::unit(int32_t id) const {
    return model->getUnitsFeature()->getUnit(id);
}

} // namespace TestUpgrades
