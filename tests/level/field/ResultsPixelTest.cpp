// The results of a won level drawn with the shipped layout, pictures and fonts on OpenGL (Mesa
// EGL, software) over a level background, once every line is in. With MEADOW_UPDATE_DOCS=1 the
// frame is also written to docs/results-panel.png.

#include "engine/gui/Label.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/FlyingValue.h"
#include "game/model/LevelAchievements.h"
#include "game/model/MeadowModel.h"
#include "game/shell/SubstrateProgressBar.h"
#include "tests/level/ShippedBoard.h"
#include "tests/model/ShippedModel.h"
#include "tests/support/LayoutBoxes.h"
#include "tests/support/PixelTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace Engine;

namespace {

const int WIDTH = 1024, HEIGHT = 768;

int channel(uint32_t pixel, int shift) {
    return int((pixel >> shift) & 255u);
}
// The dark ink of the lines and numbers (brown, green, the money line's orange).
bool isInk(uint32_t p) {
    return channel(p, 16) < 0xC0 && channel(p, 8) < 0x90 && channel(p, 0) < 0x60;
}

} // namespace

TEST(ResultsPixelTest, TheResultsOfAWonLevelShowEveryLineOnThePaper) {
    TestSupport::UiHarness ui;
    TestLevel::writeShippedBoard(ui);
    std::string reason;
    if (!ui.startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;
    cPanel backdrop(nullptr);
    backdrop.setPicture("Meadow/Images/Backgrounds/level_bg1.png");
    backdrop.setPosition(cVector2(WIDTH / 2, HEIGHT / 2));
    backdrop.setSize(cVector2(WIDTH, HEIGHT));
    backdrop.show();
    std::unique_ptr<cMeadowModel> model = TestShipped::makeModel();
    cLevelAchievements* records = model->getLevelAchievements();
    records->setValue(0, 1240);
    records->setValue(1, 0);
    records->setValue(2, 350);
    records->updateSummary();
    model->getCurrentLevel() = 0;
    auto* view = new cAchievementsView(nullptr, model.get());
    view->enable();
    view->fadeIn();
    ui.run(6.0f);
    ASSERT_TRUE(view->getContinueButton()->isEnabled());
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(ui.renderDevice().readBackBuffer(0, 0, WIDTH, HEIGHT, pixels));
    if (const char* update = std::getenv("MEADOW_UPDATE_DOCS"); update && std::string(update) == "1") {
        ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_DOCS_DIR) + "/results-panel.png", pixels, WIDTH, 232,
                                             154, 560, 460));
    }
    // Ink in the box of every line's text and of every number but the nothing sign.
    auto ink = [&](const TestSupport::Box& box) {
        int count = 0;
        for (int y = int(box.top); y < int(box.bottom); ++y)
            for (int x = int(box.left); x < int(box.right); ++x)
                count += isInk(pixels[size_t(y * WIDTH + x)]) ? 1 : 0;
        return count;
    };
    ASSERT_EQ(4u, view->getLines().size());
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        for (cLabel* line : view->getLines()[i]->getText()->getLines())
            EXPECT_GT(ink(TestSupport::textBox(*line)), 100);
        cFlyingValue* value = view->getValues()[i];
        if (value->getText() != view->getNothingString()) {
            EXPECT_GT(ink(TestSupport::textBox(*value)), 100);
        }
    }
    EXPECT_GT(ink(TestSupport::textBox(*view->getProgressText())), 100);
    delete view;
    ui.step();
}
