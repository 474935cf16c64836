// The first shipped level played through the real controller and the board screen as its level
// view, with the shipped layouts and looks, by scripted clicks: each move is a hint of the
// model's, the one nearest a cell still to clear. After every move the board must come to rest:
// no piece left moving, every piece idle and shown on its cell. The play ends with the level won
// or without a move.

#include "tests/level/BoardRig.h"
#include "tests/level/ShippedBoard.h"

#include "engine/core/Random.h"
#include "game/level/field/MeadowCellView.h"
#include "game/model/CellModel.h"
#include "tests/model/ShippedModel.h"

#include <cmath>
#include <set>

using namespace Engine;

class MeadowFieldPlayTest : public TestLevel::BoardRig {
protected:
    void TearDown() override {
        ui.run(1.0f);
        closeBoard();
    }

    // The board screen's frame runs the controller's update.
    void frame() { ui.step(); }
    // The board screen has ended the level: its results come up and it takes no more input.
    bool finished() { return controller->isLevelFinished() && !board->isEnabled(); }

    bool atRest() {
        if (field->isBusy() || model->hasBusyObject())
            return false;
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column)
                if (cMeadowObjectModel* piece = model->getObject(row, column)) {
                    if (piece->getState() != cMeadowObjectModel::IDLE)
                        return false;
                } else if (model->getCell(row, column)->isEnabled()) {
                    return false;
                }
        return true;
    }
    void expectAtRest() {
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column) {
                cMeadowObjectModel* piece = model->getObject(row, column);
                ASSERT_NE(nullptr, piece) << row << "," << column;
                ASSERT_EQ(cMeadowObjectModel::IDLE, piece->getState()) << row << "," << column;
                cMeadowObjectView* view = board->getGameObjectView(piece);
                ASSERT_TRUE(view->isVisible()) << row << "," << column;
                ASSERT_EQ(field->getCellPosition(row, column), view->getPosition()) << row << "," << column;
            }
    }
    // Distance from the move to the nearest cell still to clear.
    float score(const cVector2& a, const cVector2& b) {
        float best = 1e9f;
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column)
                if (model->getCell(row, column)->isComplex())
                    for (const cVector2& p : {a, b})
                        best = std::min(best, std::fabs(p.x - float(row)) + std::fabs(p.y - float(column)));
        return best;
    }
    void clickCell(const cVector2& cell) {
        const cVector2 p = field->getCellPosition(int(cell.x), int(cell.y));
        ui.click(p.x, p.y);
        frame();
    }
};

TEST_F(MeadowFieldPlayTest, TheFirstShippedLevelPlaysToItsEndWithoutStuckPieces) {
    TestLevel::writeShippedBoard(ui);
    ui.start();
    loadShippedLooks();
    randomSeed(5);
    model = TestShipped::makeModel();
    model->loadLevel(0);
    // The level's start seeds the generator with the clock: the board is dealt again from a
    // fixed seed so every run plays the same game.
    randomSeed(5);
    for (int row = 0; row < model->getRows(); ++row)
        for (int column = 0; column < model->getColumns(); ++column)
            if (model->getObject(row, column))
                model->removeObjectAt(row, column);
    model->generateStartBoard();
    buildBoard(true);
    // The pieces stand where the level's arrival would have put them.
    model->resetObjectStates();
    placePieces(true);
    linkBoard();
    int complexAtStart = 0;
    for (int row = 0; row < model->getRows(); ++row)
        for (int column = 0; column < model->getColumns(); ++column)
            complexAtStart += model->getCell(row, column)->isComplex() ? 1 : 0;
    ASSERT_GT(complexAtStart, 0);

    int moves = 0;
    bool outOfMoves = false;
    while (!finished() && moves < 200) {
        // Rest: the board's views and model agree and nothing moves.
        int frames = 0;
        while (!atRest() && !finished() && frames++ < 600)
            frame();
        if (finished())
            break;
        ASSERT_LT(frames, 600) << "the board never came to rest after move " << moves;
        expectAtRest();
        // Every hint the model rotates through; the one nearest a cell to clear is played.
        std::set<std::pair<int, int>> seen;
        cVector2 bestA(-1, -1), bestB(-1, -1);
        for (int i = 0; i < 40; ++i) {
            cVector2 a(-1, -1), b(-1, -1);
            if (!model->findPossibleMove(a, b) || a.x < 0)
                break;
            if (!seen.insert({int(a.x) * 16 + int(a.y), int(b.x) * 16 + int(b.y)}).second)
                break;
            if (bestA.x < 0 || score(a, b) < score(bestA, bestB)) {
                bestA = a;
                bestB = b;
            }
        }
        if (bestA.x < 0) {
            outOfMoves = true;
            break;
        }
        clickCell(bestA);
        clickCell(bestB);
        ++moves;
        // Let the cascade check of the controller pick up what the move left.
        for (int i = 0; i < 8; ++i)
            frame();
    }
    for (int i = 0; i < 400 && !finished() && !outOfMoves; ++i)
        frame();
    // This deal is won; another could end without a move, which is a proper end too.
    EXPECT_TRUE(finished() || outOfMoves) << "moves " << moves;
    EXPECT_TRUE(finished());
    if (finished()) {
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column)
                EXPECT_FALSE(model->getCell(row, column)->isComplex()) << row << "," << column;
    }
    EXPECT_GT(model->getMatchedObjects(), 0);
    EXPECT_FALSE(field->isBusy());
    // The shipped crush and explosion effects end and go: none is left over the cells.
    ui.run(1.5f);
    int effectsLeft = 0;
    for (const auto& entry : field->getCells())
        for (Engine::cWidget* child : entry.second->getChildren())
            effectsLeft += child->getKind() == Engine::WIDGET_KIND_PYRO ? 1 : 0;
    for (Engine::cWidget* child : field->getChildren())
        effectsLeft += child->getKind() == Engine::WIDGET_KIND_PYRO && child->isVisible() &&
                               static_cast<Engine::cSprite*>(child)->getUseOffset()
                           ? 1
                           : 0;
    EXPECT_EQ(0, effectsLeft);
}
