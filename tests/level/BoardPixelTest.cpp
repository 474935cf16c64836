// A shipped level set up by the model and drawn by the board's views with the shipped layouts
// and pictures on OpenGL (Mesa EGL, software). Pieces, borders and locks are checked where the
// model has them by drawing the frame again without them; the special pieces glow; the coin count
// and the menu button's caption read at the WCAG AA contrast; a vehicle driving in passes behind
// the cells. With MEADOW_UPDATE_DOCS=1 the board's frame is also written to docs/board-screenshot.png.

#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/gui/Label.h"
#include "engine/gui/ProgressBar.h"
#include "game/level/MeadowView.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/level/vehicles/IconText.h"
#include "game/level/vehicles/VehiclePanel.h"
#include "game/level/vehicles/VehicleSlot.h"
#include "game/level/vehicles/VehicleView.h"
#include "game/model/CellModel.h"
#include "game/model/VehicleModel.h"
#include "game/model/VehiclesFeature.h"
#include "tests/level/BoardRig.h"
#include "tests/level/ShippedBoard.h"
#include "tests/model/ShippedModel.h"
#include "tests/support/PixelTest.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextContrast.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

const int WIDTH = 1024, HEIGHT = 768;
// A level with holes, wood and iron cells and single and double locks.
const int LEVEL = 90;

class BoardPixelTest : public TestLevel::BoardRig {
protected:
    void TearDown() override {
        panel.reset();
        closeBoard();
    }

    std::vector<uint32_t> frame() {
        ui.steps(2);
        std::vector<uint32_t> pixels;
        ui.renderDevice().readBackBuffer(0, 0, WIDTH, HEIGHT, pixels);
        return pixels;
    }
    static uint32_t at(const std::vector<uint32_t>& pixels, const cVector2& point, float dx = 0, float dy = 0) {
        return pixels[size_t(int(point.y + dy) * WIDTH + int(point.x + dx))];
    }

    std::unique_ptr<cVehiclePanel> panel;
};

} // namespace

TEST_F(BoardPixelTest, AShippedLevelDrawsItsCellsBordersLocksAndPieces) {
    TestLevel::writeShippedBoard(ui);
    std::string reason;
    if (!ui.startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;
    loadShippedLooks();

    randomSeed(3);
    model = TestShipped::makeModel();
    model->loadLevel(LEVEL);
    // The level's start seeds the generator with the clock: the pieces are dealt again from a
    // fixed seed so the picture is the same on every run.
    // Pieces held by locks stay, with types drawn from the seed.
    std::sort(model->getLevelTypes().begin(), model->getLevelTypes().end());
    randomSeed(3);
    for (int row = 0; row < model->getRows(); ++row)
        for (int column = 0; column < model->getColumns(); ++column)
            if (cMeadowObjectModel* piece = model->getObject(row, column)) {
                if (model->getCell(row, column)->getLocks() > 0)
                    piece->setType(model->getLevelTypes()[size_t(randomNext()) % model->getLevelTypes().size()]);
                else
                    model->removeObjectAt(row, column);
            }
    model->generateStartBoard();
    // The four special pieces on plain cells of the lowest rows, away from the selection.
    std::vector<cMeadowObjectModel*> specials;
    for (int row = 0; row < model->getRows() / 2 && specials.size() < 4; ++row)
        for (int column = row % 2; column < model->getColumns() && specials.size() < 4; column += 2)
            if (cMeadowObjectModel* piece = model->getObject(row, column))
                if (!model->getCell(row, column)->isComplex()) {
                    piece->setType(int32_t(201 + specials.size()));
                    specials.push_back(piece);
                }
    ASSERT_EQ(specials.size(), 4u);
    model->resetObjectStates();
    randomSeed(1);
    buildBoard(false);
    placePieces(false);
    // A selected piece shows the selection frame: the first unlocked one from the middle row.
    for (int column = model->getColumns() / 2; column < model->getColumns(); ++column)
        if (cMeadowObjectModel* piece = model->getObject(model->getRows() / 2, column))
            if (model->getCell(model->getRows() / 2, column)->getLocks() == 0) {
                model->setSelected(piece);
                break;
            }
    field->updateSelection();
    model->addResourcePoints(1, 12480);
    board->updateMoneyText();

    const std::vector<uint32_t> full = frame();
    if (const char* update = std::getenv("MEADOW_UPDATE_DOCS"); update && std::string(update) == "1") {
        ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_DOCS_DIR) + "/board-screenshot.png", full, WIDTH, 0, 0,
                                             WIDTH, HEIGHT));
    }

    // The coin count over the sky and the menu button's caption read.
    const std::vector<std::wstring> read =
        TestSupport::expectShownTextsRead([this] { return frame(); }, WIDTH, "board");
    for (const std::wstring& text : {board->getMoneyText()->getText(), std::wstring(L"Menu")})
        EXPECT_EQ(std::count(read.begin(), read.end(), text), 1) << "not measured: " << wideToNarrow(text);

    // Every piece, lock and outer border side shows where the model has one: hiding them
    // changes those pixels.
    int pieces = 0, locks = 0, borders = 0;
    for (auto& entry : board->getObjectViews())
        entry.second->hide();
    const std::vector<uint32_t> noPieces = frame();
    // The special pieces glow: the ring of the cell just outside any piece's silhouette (a piece
    // fills about 80 % of its cell) grows brighter around them, by a clear margin over any
    // ordinary piece, whose ring only its shadow darkens.
    auto ringGain = [&](const cVector2& centre) {
        double gain = 0;
        int pixels = 0;
        for (int dy = -32; dy <= 32; ++dy)
            for (int dx = -32; dx <= 32; ++dx)
                if (const int squared = dx * dx + dy * dy; squared >= 26 * 26 && squared <= 31 * 31) {
                    gain += TestSupport::relativeLuminance(at(full, centre, float(dx), float(dy))) -
                            TestSupport::relativeLuminance(at(noPieces, centre, float(dx), float(dy)));
                    ++pixels;
                }
        return gain / pixels;
    };
    double brightestOrdinary = -1;
    for (auto& entry : board->getObjectViews())
        if (entry.first->getType() < 100 && entry.first != model->getSelected() &&
            !model->getCell(entry.first->getRow(), entry.first->getColumn())->isComplex())
            brightestOrdinary = std::max(brightestOrdinary, ringGain(entry.second->getPosition()));
    for (cMeadowObjectModel* special : specials) {
        const double gain = ringGain(board->getObjectViews().at(special)->getPosition());
        EXPECT_GT(gain, brightestOrdinary + 0.1) << "type " << special->getType() << ": ring brighter by " << gain
                                                 << ", an ordinary piece's by up to " << brightestOrdinary;
    }
    for (auto& entry : board->getObjectViews()) {
        if (model->getCell(entry.first->getRow(), entry.first->getColumn())->getLocks() > 0)
            continue; // the padlock covers the piece's centre
        ++pieces;
        EXPECT_TRUE(
            TestSupport::colorsDiffer(at(full, entry.second->getPosition()), at(noPieces, entry.second->getPosition())))
            << "piece at " << entry.first->getRow() << ", " << entry.first->getColumn();
    }
    for (auto& entry : field->getCells()) {
        cMeadowCellView* cell = entry.second;
        if (cell->getLocks() > 0) {
            ++locks;
            cell->getLocksPicture()->hide();
        }
        if (cell->getBorder(0)->isVisible()) {
            ++borders;
            cell->getBorder(0)->hide();
        }
    }
    const std::vector<uint32_t> bare = frame();
    for (auto& entry : field->getCells()) {
        cMeadowCellView* cell = entry.second;
        const cCellModel* model = cell->getModelObject();
        if (cell->getLocks() > 0) {
            EXPECT_TRUE(TestSupport::colorsDiffer(at(noPieces, cell->getPosition(), 0, 20),
                                                  at(bare, cell->getPosition(), 0, 20)))
                << "lock at " << cell->getRow() << ", " << cell->getColumn();
        }
        if (const_cast<cCellModel*>(model)->isEnabled() &&
            !field->hasNeighbourCell(0, cell->getRow(), cell->getColumn())) {
            EXPECT_TRUE(TestSupport::colorsDiffer(at(noPieces, cell->getPosition(), 0, -37),
                                                  at(bare, cell->getPosition(), 0, -37)))
                << "top border at " << cell->getRow() << ", " << cell->getColumn();
        }
    }
    EXPECT_GT(pieces, 30);
    EXPECT_GT(locks, 0);
    EXPECT_GT(borders, 7);
}

// A vehicle drives in from the left along its stand's row, across the board: it passes behind the
// cells and pieces (where a cell stands, the frame is the same with the vehicle hidden) and still
// shows above the level background at its stand.
TEST_F(BoardPixelTest, AVehicleDrivesInBehindTheBoardsCells) {
    TestLevel::writeShippedBoard(ui);
    std::string reason;
    if (!ui.startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;
    loadShippedLooks();

    randomSeed(3);
    model = TestShipped::makeModel();
    // The first shipped level with a vehicle.
    model->loadLevel(64);
    randomSeed(3);
    model->resetObjectStates();
    buildBoard(false);
    placePieces(false);
    panel = std::make_unique<cVehiclePanel>(board.get(), model.get());
    ASSERT_FALSE(panel->getViews().empty());
    cVehicleView* view = panel->getViews().front();
    ASSERT_TRUE(model->getVehiclesFeature()->launchNextVehicle());

    // Mid-drive: the vehicle is stopped where its cab stands over the board's middle column.
    float left = 1e9f, right = -1e9f;
    for (const auto& entry : field->getCells()) {
        left = std::min(left, entry.second->getPosition().x);
        right = std::max(right, entry.second->getPosition().x);
    }
    for (int frame = 0; frame < 400 && view->getPosition().x < (left + right) * 0.5f; ++frame) {
        panel->update();
        ui.step(1.0f / 64);
    }
    ASSERT_LT(view->getPosition().x, right);
    view->stop();
    const std::vector<uint32_t> driving = frame();
    view->hide();
    const std::vector<uint32_t> without = frame();
    view->show();
    int covered = 0;
    for (const auto& entry : field->getCells()) {
        const cVector2 at = entry.second->getPosition();
        for (const cVehicleSlot* slot : view->getSlots()) {
            const cVector2 centre = slot->getPosition();
            const cVector2 half(std::abs(slot->getSize().x) * 0.5f - 8, std::abs(slot->getSize().y) * 0.5f - 8);
            if (std::abs(at.x - centre.x) > half.x || std::abs(at.y - centre.y) > half.y)
                continue;
            ++covered;
            for (const cVector2& offset : {cVector2(0, 0), cVector2(-20, -20), cVector2(20, 20)})
                EXPECT_FALSE(TestSupport::colorsDiffer(BoardPixelTest::at(driving, at, offset.x, offset.y),
                                                       BoardPixelTest::at(without, at, offset.x, offset.y)))
                    << "the vehicle shows over the cell at " << entry.second->getRow() << ", "
                    << entry.second->getColumn();
        }
    }
    EXPECT_GE(covered, 2);

    // At its stand beside the board the vehicle is seen over the background.
    for (int frame = 0; frame < 400 && view->getVehicle()->getState() != cVehicleModel::TAKING_PIECES; ++frame) {
        panel->update();
        ui.step(1.0f / 64);
    }
    ASSERT_EQ(int(cVehicleModel::TAKING_PIECES), view->getVehicle()->getState());
    const std::vector<uint32_t> standing = frame();
    view->hide();
    const std::vector<uint32_t> empty = frame();
    const cVector2 cab = view->getSlots().front()->getPosition();
    EXPECT_TRUE(TestSupport::colorsDiffer(at(standing, cab, 10, 10), at(empty, cab, 10, 10)));
    // The money it pays and the pieces it waits for read on it.
    view->show();
    const std::vector<std::wstring> read =
        TestSupport::expectShownTextsRead([this] { return frame(); }, WIDTH, "vehicle at its stand");
    EXPECT_EQ(std::count(read.begin(), read.end(), view->getMoney()->getText()), 1);
}
