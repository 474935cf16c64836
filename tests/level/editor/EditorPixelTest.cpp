// The level editor drawn on OpenGL (Mesa EGL, software) with the shipped layouts and pictures:
// a shipped level with a locked piece, a vehicle cell and a vehicle, its tools beside the board.
// Sample points show the backdrop, the tool icons and the pieces' index markers. With
// MEADOW_UPDATE_DOCS=1 the frame is also written to docs/editor-screenshot.png.

#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "game/level/editor/EditorVehicleView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/MeadowObjectModel.h"
#include "tests/level/EditorFixture.h"
#include "tests/support/PixelTest.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace Engine;
using TestEditor::EditorTest;

namespace {

const int WIDTH = 1024, HEIGHT = 768;

class EditorPixelTest : public EditorTest {
protected:
    std::vector<uint32_t> frame() {
        ui.steps(2);
        std::vector<uint32_t> pixels;
        ui.renderDevice().readBackBuffer(0, 0, WIDTH, HEIGHT, pixels);
        return pixels;
    }
    static uint32_t at(const std::vector<uint32_t>& pixels, const cVector2& point, float dx = 0, float dy = 0) {
        return pixels[size_t(int(point.y + dy) * WIDTH + int(point.x + dx))];
    }
};

TEST_F(EditorPixelTest, TheEditorDrawsItsToolsAndThePiecesByIndex) {
    std::string reason;
    if (!startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;
    open(93);
    // A few edits so the picture shows them: locked pieces of several indices, a vehicle cell
    // and a vehicle that wants index 2, a trigger.
    clickWidget(tool(editor->getLockButtons(), 2));
    clickCell(1, 1);
    clickWidget(tool(editor->getLockButtons(), 1));
    clickCell(1, 2);
    clickWidget(tool(editor->getIndexButtons(), 3));
    clickCell(1, 2);
    clickWidget(tool(editor->getLockButtons(), 3));
    clickCell(0, 3);
    clickWidget(tool(editor->getLockButtons(), 5));
    clickCell(2, 4);
    clickWidget(editor->getIncVehiclesButton());
    clickWidget(tool(editor->getIndexButtons(), 2));
    clickWidget(*editor->getVehicleViews().begin());
    ui.moveTo(1000, 10);
    const std::vector<uint32_t> full = frame();
    if (const char* update = std::getenv("MEADOW_UPDATE_DOCS"); update && std::string(update) == "1") {
        ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_DOCS_DIR) + "/editor-screenshot.png", full, WIDTH, 0, 0,
                                             WIDTH, HEIGHT));
    }

    // The backdrop's cream paper between the tool rows.
    const uint32_t paper = at(full, cVector2(830, 610));
    EXPECT_GT((paper >> 16) & 255u, 200u);
    EXPECT_GT((paper >> 8) & 255u, 190u);

    // Hiding the index markers, the tool icons and the vehicle changes their pixels.
    std::vector<cSprite*> shown;
    for (int row = 0; row < model->getRows(); ++row)
        for (int column = 0; column < model->getColumns(); ++column)
            if (cMeadowObjectModel* piece = model->getObject(row, column))
                shown.push_back(editor->getGameObjectView(piece));
    ASSERT_GE(shown.size(), 2u);
    const size_t pieces = shown.size();
    for (cTextButton* button : editor->getCellButtons())
        button->forEachChild([&](cWidget* child) {
            if (auto* icon = dynamic_cast<cPanel*>(child))
                shown.push_back(icon);
        });
    shown.push_back(*editor->getVehicleViews().begin());
    std::vector<cVector2> places;
    for (cSprite* sprite : shown)
        places.push_back(sprite->getPosition());
    for (cSprite* sprite : shown)
        sprite->hide();
    const std::vector<uint32_t> bare = frame();
    // Somewhere on the markers' rims, around the twine or chain drawn over their centres.
    auto changed = [&](const cVector2& place) {
        for (int k = 0; k < 16; ++k) {
            const float angle = float(k) * 0.3927f;
            const float dx = 21.0f * std::cos(angle), dy = 21.0f * std::sin(angle);
            if (TestSupport::colorsDiffer(at(full, place, dx, dy), at(bare, place, dx, dy)))
                return true;
        }
        return false;
    };
    for (size_t i = 0; i < places.size(); ++i)
        EXPECT_TRUE(changed(places[i])) << (i < pieces ? "piece " : "tool or vehicle ") << i;
}

} // namespace
