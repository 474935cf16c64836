// The map on the shipped data drawn on OpenGL (Mesa EGL, software): buildings at different
// levels and variants stand where their skins are, over the meadow; a new player's map shows a
// marked plot where each building will stand; the pond's ripples move on the water; the new
// player's next-level hint is drawn over the map and its interface; the money and the offers'
// prices read at the WCAG AA contrast. With MEADOW_UPDATE_DOCS=1 the village is written to
// docs/map-screenshot.png and the new player's map to docs/map-first.png.

#include "engine/core/String.h"
#include "engine/gui/CoinText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "game/development/UnitView.h"
#include "game/development/UpgradeButton.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/development/UpgradeVariant.h"
#include "game/model/MeadowModel.h"
#include "game/model/UnitsFeature.h"
#include "game/shell/ArrowHelpTip.h"
#include "game/shell/PictureSequence.h"
#include "game/shell/TutorialManager.h"
#include "tests/development/DevelopmentFixture.h"
#include "tests/support/PixelTest.h"
#include "tests/support/TextContrast.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using Engine::cVector2;
using TestMap::DevelopmentFixture;

namespace {

const int WIDTH = 1024, HEIGHT = 768;

// Unit, level, variant: a village part way through the game.
const int kBuilt[][3] = {{0, 3, 0},  {2, 2, 1},  {6, 1, 2},  {8, 2, 0},  {3, 1, 1},  {22, 2, 0}, {4, 2, 2},
                         {5, 1, 0},  {1, 1, 1},  {7, 1, 2},  {13, 3, 1}, {15, 2, 0}, {20, 2, 2}, {18, 1, 0},
                         {17, 2, 1}, {16, 1, 0}, {19, 2, 0}, {23, 1, 0}, {21, 1, 0}, {12, 1, 2}};

} // namespace

class MapPixelTest : public DevelopmentFixture {
protected:
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

TEST_F(MapPixelTest, BuildingsAtTheirLevelsStandOnTheMeadow) {
    if (!start(false, "profiles", true))
        GTEST_SKIP() << "No headless OpenGL: " << glFailure;
    // The heroine waits at a crossing, in front of no building.
    Engine::gIntProps["PimbrelNode"] = 27;
    map->open();
    map->show();
    map->enable();
    cUnitsFeature* units = map->getModel()->getUnitsFeature();
    for (const auto& built : kBuilt)
        units->getUnit(built[0])->setLevelAndVariant(built[1], built[2]);
    ui.run(1.0f);
    const std::vector<uint32_t> full = frame();
    if (const char* update = std::getenv("MEADOW_UPDATE_DOCS"); update && std::string(update) == "1") {
        ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_DOCS_DIR) + "/map-screenshot.png", full, WIDTH, 0, 0,
                                             WIDTH, HEIGHT));
    }

    // Each building covers the meadow around its centre (a pier or a bird house only in places):
    // with its skin hidden the meadow shows there.
    for (const auto& built : kBuilt) {
        cMeadowUnit* unit = units->getUnit(built[0]);
        const cVector2 centre = map->getUnitView(unit)->getCurrentVariant()->getPosition();
        map->setUnitSkinShown(unit, false);
        const std::vector<uint32_t> without = frame();
        map->setUnitSkinShown(unit, true);
        int changed = 0;
        for (int dy = -20; dy <= 20; dy += 10)
            for (int dx = -20; dx <= 20; dx += 10)
                changed += TestSupport::colorsDiffer(at(full, centre + cVector2(float(dx), float(dy))),
                                                     at(without, centre + cVector2(float(dx), float(dy))));
        EXPECT_GE(changed, 4) << "unit " << built[0];
    }
}

TEST_F(MapPixelTest, ANewPlayersMapShowsAMarkedPlotWhereEachBuildingWillStand) {
    if (!start(false, "profiles", true))
        GTEST_SKIP() << "No headless OpenGL: " << glFailure;
    Engine::gIntProps["PimbrelNode"] = 30;
    map->open();
    map->show();
    map->enable();
    ui.run(1.0f);
    const std::vector<uint32_t> full = frame();
    if (const char* update = std::getenv("MEADOW_UPDATE_DOCS"); update && std::string(update) == "1") {
        ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_DOCS_DIR) + "/map-first.png", full, WIDTH, 0, 0, WIDTH,
                                             HEIGHT));
    }
    // Each plot is drawn over the meadow at the end of its path: with it hidden the grass and the
    // path's end show there.
    for (cUnitView* view : map->getUnitViews()) {
        Engine::cPanel* plot = view->getPlot();
        ASSERT_NE(plot, nullptr);
        plot->hide();
        const std::vector<uint32_t> without = frame();
        plot->show();
        const cVector2 centre = plot->getPosition();
        int changed = 0;
        for (int dy = -12; dy <= 12; dy += 6)
            for (int dx = -30; dx <= 30; dx += 10)
                changed += TestSupport::colorsDiffer(at(full, centre + cVector2(float(dx), float(dy))),
                                                     at(without, centre + cVector2(float(dx), float(dy))));
        EXPECT_GE(changed, 12) << "unit " << view->getUnit()->getId();
    }
}

TEST_F(MapPixelTest, ThePondsRipplesMoveOnTheWater) {
    if (!start(false, "profiles", true))
        GTEST_SKIP() << "No headless OpenGL: " << glFailure;
    Engine::gIntProps["PimbrelNode"] = 30;
    map->open();
    map->show();
    map->enable();
    ui.run(0.5f);
    ASSERT_EQ(map->getWaves().size(), 4u);
    const std::vector<uint32_t> before = frame();
    // A little later every ripple shows another frame: some of its pixels change.
    ui.run(0.5f);
    const std::vector<uint32_t> later = frame();
    for (cPictureSequence* wave : map->getWaves()) {
        const cVector2 centre = wave->getPosition(), half = wave->getSize() * 0.5f;
        int changed = 0;
        for (float y = centre.y - half.y; y < centre.y + half.y; y += 1)
            for (float x = centre.x - half.x; x < centre.x + half.x; x += 1)
                changed += TestSupport::colorsDiffer(at(before, cVector2(x, y)), at(later, cVector2(x, y)));
        EXPECT_GE(changed, 8) << centre.x << "," << centre.y;
    }
    // The water around them stays the pond's.
    EXPECT_FALSE(TestSupport::colorsDiffer(at(before, cVector2(1010, 520)), at(later, cVector2(1010, 520))));
}

TEST_F(MapPixelTest, TheNextLevelHintIsDrawnOverTheMapAndItsInterface) {
    if (!start(false, "profiles", true))
        GTEST_SKIP() << "No headless OpenGL: " << glFailure;
    cTutorialManager tutorial;
    Engine::gIntProps["PimbrelNode"] = 30;
    openFromMenu();
    ASSERT_TRUE(stepUntil([&] { return tutorial.getCurrentTipId() == 0; }));
    ui.run(1.0f);
    auto* tip = dynamic_cast<cArrowHelpTip*>(tutorial.getCurrentTip());
    ASSERT_NE(tip, nullptr);
    const std::vector<uint32_t> hinted = frame();
    const cVector2 note = tip->getImage()->getPosition(), arrow = tip->getArrow()->getPosition();
    tutorial.closeCurrentTip();
    ui.run(0.5f);
    const std::vector<uint32_t> plain = frame();
    // The note's paper and its arrow cover what is drawn there, the map's bottom bar too.
    for (const cVector2& point : {note + cVector2(-120, -50), note + cVector2(120, -50), arrow})
        EXPECT_TRUE(TestSupport::colorsDiffer(at(plain, point), at(hinted, point))) << point.x << "," << point.y;
    EXPECT_GT(arrow.y, map->getMovableInterfaces()[1]->getPosition().y - 55) << "the arrow reaches over the bar";
    const uint32_t paper = at(hinted, note + cVector2(-120, -50));
    EXPECT_GT(int((paper >> 16) & 255u), 200) << std::hex << paper;
    EXPECT_GT(int((paper >> 8) & 255u), 200) << std::hex << paper;
    // The bar beside the pointed button lies under the fader's shade.
    const cVector2 bar(300, 720);
    EXPECT_LT(int((at(hinted, bar) >> 8) & 255u), int((at(plain, bar) >> 8) & 255u) - 20);
}

TEST_F(MapPixelTest, TheUpgradeRowAndThePlayButtonShowOverTheBottomBar) {
    if (!start(false, "profiles", true))
        GTEST_SKIP() << "No headless OpenGL: " << glFailure;
    Engine::gIntProps["PimbrelNode"] = 30;
    openFromMenu();
    cUpgradeButton* offer = map->getUpgradePanel()->getButtons()[0];
    ASSERT_TRUE(offer->isVisible());
    const std::vector<uint32_t> full = frame();
    offer->hide();
    const std::vector<uint32_t> withoutOffer = frame();
    offer->show();
    map->getNextLevelButton()->hide();
    const std::vector<uint32_t> withoutPlay = frame();
    map->getNextLevelButton()->show();
    int offerPixels = 0, playPixels = 0;
    for (int dy = -20; dy <= 20; dy += 10)
        for (int dx = -20; dx <= 20; dx += 10) {
            const cVector2 d{float(dx), float(dy)};
            offerPixels += TestSupport::colorsDiffer(at(full, offer->getPosition() + d),
                                                     at(withoutOffer, offer->getPosition() + d));
            playPixels += TestSupport::colorsDiffer(at(full, map->getNextLevelButton()->getPosition() + d),
                                                    at(withoutPlay, map->getNextLevelButton()->getPosition() + d));
        }
    EXPECT_GE(offerPixels, 10);
    EXPECT_GE(playPixels, 10);
}

TEST_F(MapPixelTest, TheMoneyAndTheOfferPricesRead) {
    if (!start(false, "profiles", true))
        GTEST_SKIP() << "No headless OpenGL: " << glFailure;
    Engine::gIntProps["PimbrelNode"] = 30;
    openFromMenu();
    // Enough for the first offers, not for the later ones: prices in both colours.
    map->getModel()->addResourcePoints(1, 12480);
    map->updateMoneyText();
    map->getUpgradePanel()->updateButtons(false);
    ui.run(0.5f);
    const std::vector<std::wstring> read = TestSupport::expectShownTextsRead([this] { return frame(); }, WIDTH, "map");
    auto measured = [&](const std::wstring& text) { return std::count(read.begin(), read.end(), text) > 0; };
    EXPECT_TRUE(measured(L"12480")) << "the money";
    int prices = 0, dearPrices = 0;
    for (cUpgradeButton* offer : map->getUpgradePanel()->getButtons())
        if (offer->isVisible() && offer->getPrice()->isVisible()) {
            EXPECT_TRUE(measured(offer->getPrice()->getText())) << Engine::wideToNarrow(offer->getPrice()->getText());
            ++prices;
            dearPrices += offer->getPrice()->getColor().toARGB() == offer->getDisabledTextColor().toARGB();
        }
    EXPECT_GE(prices, 8);
    EXPECT_GT(dearPrices, 0);
    EXPECT_LT(dearPrices, prices);
}
