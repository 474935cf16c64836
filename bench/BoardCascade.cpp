// One frame of a cascade on a 9 x 9 board, the board screen's views and the model together:
// the harness's frame (field view, piece and cell views, drawn into the recording device) and
// the controller's update. Each time the board comes to rest the bottom four rows are taken
// away (untimed), so 45 pieces fall and 36 appear; only frames that start with
// 30 pieces or more in motion are timed. The goal is under 1 ms of CPU per frame; the counter
// "moving" is the mean number of pieces in motion in the timed frames.

#include "engine/platform/headless/RecordingRenderDevice.h"
#include "game/level/MeadowView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/LevelView.h"
#include "game/model/MeadowController.h"
#include "tests/level/LevelFixture.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

class cBoardLink : public ILevelView {
public:
    cBoardLink(cMeadowView& board, cMeadowFieldView& field) : m_board(board), m_field(field) {}
    void setInputLocked(bool locked) override { m_field.setInputLocked(locked); }
    void refresh() override { m_field.updateSelection(); }
    void updateSelection() override { m_field.updateSelection(); }
    void showMatchedFigures(const tFigureList& figures, bool cascade) override {
        m_field.updateMatchedFigures(figures, cascade);
    }
    void animateExchange(IPieceView* a, IPieceView* b) override {
        m_field.exchangeObjects(a->getObject(), b->getObject());
    }
    void animateSwapBack(IPieceView* a, IPieceView* b) override {
        m_field.swapBack(static_cast<cMeadowObjectView*>(a), static_cast<cMeadowObjectView*>(b));
    }
    void crashCell(const Engine::cVector2& position, IBonusEffect* effect) override {
        m_field.crashCell(position, effect);
    }
    void startObjectMotions() override { m_field.startObjectMotions(); }
    IPieceView* getGameObjectView(cMeadowObjectModel* piece) override { return m_board.getGameObjectView(piece); }
    void showHint(const Engine::cVector2&, const Engine::cVector2&) override {}
    void hideHint() override {}
    void updateVehicles() override {}
    bool isFieldBusy() override { return m_field.isBusy(); }
    void finishLevel() override {}
    void resumeMusic() override {}
    bool isShown() override { return true; }
    bool isEnabled() override { return true; }
    IBonusEffect* createBonusEffect(int) override { return nullptr; }
    void deleteBonusEffect(IBonusEffect*) override {}

private:
    cMeadowView& m_board;
    cMeadowFieldView& m_field;
};

int movingPieces(cMeadowModel& model) {
    int moving = 0;
    for (int row = 0; row < model.getRows(); ++row)
        for (int column = 0; column < model.getColumns(); ++column)
            if (cMeadowObjectModel* piece = model.getObject(row, column))
                moving += piece->getState() != cMeadowObjectModel::IDLE ? 1 : 0;
    return moving;
}

void BoardCascadeFrame(benchmark::State& state) {
    TestSupport::UiHarness ui;
    ui.writeFile("Meadow/View/MeadowView.xml",
                 TestLevel::meadowViewXml(TestLevel::pieceProto(
                     "falling_speed_side=\"300\" falling_acceleration=\"1200\" bouncing_speed=\"1200\" "
                     "bouncing_time=\"0.04\" after_match_delay=\"0.1\" before_match_delay=\"0.05\"")));
    ui.writeFile("Meadow/View/FieldView.xml", TestLevel::fieldViewXml());
    ui.writeFile("Meadow/View/GameObjects.xml", TestLevel::objectsXml());
    ui.writeFile("States.xml", TestLevel::statesXml());
    // The panels every board screen makes.
    TestLevel::writeBoardPanels(ui);
    // The crush and explosion particles of a cascade are part of its frame.
    ui.writeFile("fx/burst.pfx",
                 TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/Effects/match_burst_red.pfx"));
    for (const char* name :
         {"bee",    "icon",   "border", "selection", "cell0",  "simple0", "simple1", "wood0", "wood1",
          "iron0",  "locks1", "locks2", "p1",        "p2",     "p3",      "p4",      "p201",  "wpart0",
          "wpart1", "wpart2", "wpart3", "ipart0",    "ipart1", "ipart2",  "ipart3"})
        ui.writePicture(std::string("art/") + name + ".tga", 2, 2, 0xFF808080u);
    ui.start();
    TestLevel::TestStates states;
    states.load(ui.layout("States.xml"));

    Engine::randomSeed(7);
    // Cascades make runs of four and more: they pay too.
    std::string description = TestLevel::modelXml();
    std::string rules;
    for (int amount = 3; amount <= 9; ++amount)
        rules += "<Rule amount=\"" + std::to_string(amount) + "\" money=\"" + std::to_string(amount * 10) +
                 "\" bonus_points=\"1\"/>";
    for (size_t at = description.find("<Rule amount=\"3\""); at != std::string::npos;
         at = description.find("<Rule amount=\"3\"", at + rules.size()))
        description.replace(at, description.find("/>", at) + 2 - at, rules);
    auto model =
        TestModel::makeModel(description, TestLevel::levelsXml(std::vector<std::string>(9, "1_1_1_1_1_1_1_1_1")));
    model->setEditorMode(true);
    model->loadLevel(0);
    model->setEditorMode(false);
    model->getLevelTypes() = {1, 2, 3, 4};
    model->generateStartBoard();
    model->resetObjectStates();
    model->getGoldPrizesLeft() = 1;
    auto controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
    auto board = std::make_unique<cMeadowView>(&states, model.get(), controller.get());
    auto field = std::make_unique<cMeadowFieldView>(board.get(), model.get(), controller.get(), false);
    board->setFieldView(field.get());
    field->initField(board.get());
    board->createGameObjectsPrototypes();
    board->createGameObjects();
    for (auto& entry : board->getObjectViews()) {
        entry.second->setPosition(field->getCellPositionOfView(entry.second));
        entry.second->show();
        entry.second->attachInput();
    }
    cBoardLink link(*board, *field);
    controller->setLevelView(&link);
    controller->setInputLocked(false);

    // Only frames that start with at least 30 pieces in motion are timed; the others run
    // untimed in between.
    auto restart = [&] {
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 9; ++column)
                if (cMeadowObjectModel* piece = model->getObject(row, column)) {
                    if (cMeadowObjectView* view = board->getGameObjectView(piece))
                        view->hide();
                    model->removeObjectAt(row, column);
                }
        model->checkAfterMove();
        field->startObjectMotions();
    };
    auto runFrame = [&] {
        ui.step();
        controller->update(TestSupport::UiHarness::FRAME_TIME);
    };
    long long moving = 0;
    long long frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        while (movingPieces(*model) < 30) {
            if (!field->isBusy() && !model->hasBusyObject())
                restart();
            else
                runFrame();
        }
        moving += movingPieces(*model);
        ++frames;
        // The device's log of calls would otherwise grow for the whole run and its copies be timed.
        ui.recordingDevice()->clearCalls();
        state.ResumeTiming();
        runFrame();
    }
    state.counters["moving"] = frames ? double(moving) / double(frames) : 0.0;
    controller->setLevelView(nullptr);
    ui.run(1.0f);
    field.reset();
    board.reset();
    controller.reset();
}
BENCHMARK(BoardCascadeFrame)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

} // namespace

int main(int argc, char** argv) {
    setenv("MEADOW_HEADLESS", "1", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
