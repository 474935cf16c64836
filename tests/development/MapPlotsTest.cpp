// The plots of the shipped map: a new player's map shows, where each building will stand, a
// marked plot at the end of its path; a building that drops in covers its plot, which then goes,
// and a map opened on a village with bought buildings shows plots only for the others.

#include "engine/gui/Panel.h"
#include "game/development/DevelopmentView.h"
#include "game/development/Graph.h"
#include "game/development/PersonageModel.h"
#include "game/development/UnitView.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/UnitsFeature.h"
#include "tests/development/DevelopmentFixture.h"

#include <set>

using Engine::cVector2;
using TestMap::DevelopmentFixture;

namespace {

class MapPlotsTest : public DevelopmentFixture {
protected:
    // The units whose plot shows.
    std::set<int32_t> plotsShown() const {
        std::set<int32_t> shown;
        for (cUnitView* view : map->getUnitViews())
            if (view->getPlot() && view->getPlot()->isVisible())
                shown.insert(view->getUnit()->getId());
        return shown;
    }
    static std::set<int32_t> allBut(std::set<int32_t> bought) {
        std::set<int32_t> others;
        for (int32_t id = 0; id < 26; ++id)
            if (!bought.count(id))
                others.insert(id);
        return others;
    }
};

} // namespace

TEST_F(MapPlotsTest, ANewPlayersMapShowsAPlotWhereEachBuildingWillStand) {
    start();
    openFromMenu();
    ASSERT_EQ(map->getUnitViews().size(), 26u);
    EXPECT_EQ(plotsShown(), allBut({}));
    cGraph* graph = map->getPimbrelModel()->getGraph();
    for (cUnitView* view : map->getUnitViews()) {
        Engine::cPanel* plot = view->getPlot();
        ASSERT_NE(plot, nullptr) << view->getUnit()->getId();
        EXPECT_NE(plot->getPicture(), nullptr) << view->getUnit()->getId();
        // Its front lies at the end of the path, on the building's point; under every character.
        const cVector2 point = graph->getNode(view->getPoint())->getPosition();
        EXPECT_EQ(plot->getPosition().x, point.x) << view->getUnit()->getId();
        EXPECT_EQ(plot->getPosition().y + plot->getSize().y / 2, point.y) << view->getUnit()->getId();
        EXPECT_LT(plot->getDepth(), 100) << view->getUnit()->getId();
    }
}

TEST_F(MapPlotsTest, ABoughtBuildingCoversItsPlotWhichGoesOnceItHasLanded) {
    start();
    openFromMenu();
    cUnitsFeature* units = map->getModel()->getUnitsFeature();
    cMeadowUnit* bench = units->getUnit(18);
    cUnitView* view = map->getUnitView(bench);
    map->getModel()->addResourcePoints(1, 1000);
    units->upgradeUnit(bench, 0);
    ASSERT_TRUE(view->isDropping());
    EXPECT_TRUE(view->getPlot()->isVisible()) << "the parts land on the plot";
    ASSERT_TRUE(stepUntil([&] { return !view->isDropping(); }));
    EXPECT_EQ(plotsShown(), allBut({18}));

    // The village as saved: a map opened again shows plots only where nothing is built.
    units->getUnit(0)->setLevelAndVariant(2, 1);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    openFromMenu();
    EXPECT_EQ(plotsShown(), allBut({0, 18}));
}
