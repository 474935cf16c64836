#include "tests/development/BuildingFixture.h"

#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "tests/model/ModelFixture.h"

namespace TestBuildings {

BuildingFixture::BuildingFixture() = default;
BuildingFixture::~BuildingFixture() = default;

void BuildingFixture::start() {
    Engine::randomSeed(1);
    for (const char* picture : {"p/skin.tga", "p/part.tga", "p/animal.tga", "p/work.tga", "p/icon.tga"})
        ui.writePicture(picture, 4, 4, 0xFF808080u);
    ui.start();
    root = std::make_unique<Engine::cPanel>(nullptr);
    root->show();
    root->enable();
    screen.widget = root.get();
    model = TestModel::makeModel(TestModel::minimalModelXml());
    controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
    screen.controller = controller.get();
}

void BuildingFixture::TearDown() {
    owned.clear();
    root.reset();
    controller.reset();
    model.reset();
}

} // namespace TestBuildings
