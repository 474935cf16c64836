#include "tests/level/BoardRig.h"

#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/GameServices.h"
#include "game/shell/VisualStates.h"
#include "tests/model/ShippedModel.h"

namespace TestLevel {

void loadShippedLooks(TestStates& looks, TestSupport::UiHarness& ui) {
    Engine::IXmlNode* table = nullptr;
    ASSERT_TRUE(ui.layout("Meadow/View/DevelopmentView.xml")->findNode("States", table));
    looks.load(table);
}

cMeadowView* openBoardScreen(IVisualStates* owner, cMeadowModel* model, cMeadowController* controller,
                             bool withoutControls, bool playTest) {
    auto* board = new cMeadowView(owner, model, controller);
    board->setPlayTest(playTest);
    board->initLevel(withoutControls);
    controller->setLevelView(board);
    return board;
}

void BoardRig::buildBoard(bool withController, bool editor) {
    if (withController)
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, editor);
    board = std::make_unique<cMeadowView>(&states, model.get(), controller.get(), editor);
    field = std::make_unique<cMeadowFieldView>(board.get(), model.get(), controller.get(), editor);
    board->setFieldView(field.get());
    field->initField(board.get());
    board->createGameObjectsPrototypes();
    board->createGameObjects();
}

void BoardRig::placePieces(bool withInput) {
    for (auto& entry : board->getObjectViews()) {
        entry.second->setPosition(field->getCellPositionOfView(entry.second));
        entry.second->show();
        if (withInput)
            entry.second->attachInput();
    }
}

void BoardRig::linkBoard() {
    controller->setLevelView(board.get());
    controller->setInputLocked(false);
}

void BoardRig::closeBoard() {
    if (controller)
        controller->setLevelView(nullptr);
    field.reset();
    board.reset();
    controller.reset();
}

void ScreenRig::TearDown() {
    closeScreen();
    controller.reset();
    GameServices::setGameSounds(nullptr);
}

void ScreenRig::startShipped(TestStates& looks, std::initializer_list<const char*> folders) {
    writeShippedBoard(ui);
    for (const char* folder : folders)
        writeShippedTree(ui, folder);
    ui.start();
    loadShippedLooks(looks, ui);
    GameServices::setGameSounds(&sounds);
    model = TestShipped::makeModel();
}

void ScreenRig::closeScreen() {
    if (Engine::isWidgetAlive(board)) {
        board->close();
        ui.step();
    }
}

} // namespace TestLevel
