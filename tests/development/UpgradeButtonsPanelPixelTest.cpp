// The upgrade row drawn on OpenGL (Mesa EGL, software) with its shipped layouts and pictures and
// the buildings' pictures as icons: locks, ticks and prices show where the model says. With
// MEADOW_UPDATE_DOCS=1 the bottom of the frame is also written to docs/upgrade-panel.png.

#include "engine/gui/CoinText.h"
#include "engine/gui/Panel.h"
#include "tests/development/UpgradeFixture.h"
#include "tests/support/PixelTest.h"

#include <cstdio>
#include <cstdlib>

using namespace Engine;
using TestUpgrades::place;

namespace {

const int WIDTH = 1024, HEIGHT = 768, STRIP_TOP = 640;

class UpgradeButtonsPanelPixelTest : public TestUpgrades::UpgradeFixture {
protected:
    bool drawsPixels() const override { return true; }

    std::vector<uint32_t> frame() {
        ui.steps(2);
        std::vector<uint32_t> pixels;
        ui.renderDevice().readBackBuffer(0, 0, WIDTH, HEIGHT, pixels);
        return pixels;
    }
    static uint32_t at(const std::vector<uint32_t>& pixels, const cVector2& point) {
        return pixels[size_t(int(point.y) * WIDTH + int(point.x))];
    }
};

} // namespace

TEST_F(UpgradeButtonsPanelPixelTest, TheRowDrawsIconsPricesLocksAndTicks) {
    // The buildings' pictures serve as their icons, as the building files give them.
    screen.pictures = {{0, "Map/Images/Buildings/bakery1_1.png"},
                       {1, "Map/Images/Buildings/mill_house1_1.png"},
                       {2, "Map/Images/Buildings/pier1_1.png"},
                       {3, "Map/Images/Buildings/fountain1_1.png"},
                       {4, "Map/Images/Buildings/bee_house1_1.png"}};
    // The well is bought; 120 coins left.
    unit(3)->setLevel(1);
    openPanel(120);
    ASSERT_EQ(row(), (std::vector<std::string>{"1:1", "2:2", "0:1", "2:1", "4:1", "0:2", "0:3", "3:1"}));
    const std::vector<uint32_t> full = frame();
    if (const char* update = std::getenv("MEADOW_UPDATE_DOCS"); update && std::string(update) == "1") {
        ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_SOURCE_DIR) + "/docs/upgrade-panel.png", full, WIDTH, 0,
                                             STRIP_TOP, WIDTH, HEIGHT - STRIP_TOP));
    }

    // Each mark shows where the model has it: hiding it changes its pixels, and no other
    // button has one there.
    const auto marks = [&](cPanel* (cUpgradeButton::*mark)() const) {
        std::vector<bool> shown;
        for (int i = 0; i < 8; ++i)
            (button(i)->*mark)()->hide();
        const std::vector<uint32_t> without = frame();
        for (int i = 0; i < 8; ++i) {
            cPanel* panelMark = (button(i)->*mark)();
            shown.push_back(
                TestSupport::colorsDiffer(at(full, panelMark->getPosition()), at(without, panelMark->getPosition())));
        }
        panel->updateButtons(false);
        return shown;
    };
    EXPECT_EQ(marks(&cUpgradeButton::getLockIcon),
              (std::vector<bool>{false, false, false, false, true, true, true, false}));
    EXPECT_EQ(marks(&cUpgradeButton::getTickIcon2),
              (std::vector<bool>{false, false, false, false, false, false, false, true}));
    // The icons are drawn on every button: somewhere in its box the picture shows.
    for (int i = 0; i < 8; ++i)
        button(i)->getIcon()->hide();
    const std::vector<uint32_t> noIcons = frame();
    for (int i = 0; i < 8; ++i) {
        const cVector2 centre = button(i)->getIcon()->getPosition();
        int changed = 0;
        for (int dy = -16; dy <= 16; dy += 8)
            for (int dx = -20; dx <= 20; dx += 10) {
                const cVector2 point = centre + cVector2(float(dx), float(dy));
                changed += TestSupport::colorsDiffer(at(full, point), at(noIcons, point)) ? 1 : 0;
            }
        EXPECT_GT(changed, 2) << i;
    }
}
