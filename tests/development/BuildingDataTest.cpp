// The 26 shipped building files under the shipped atlases and sound table: each loads at every
// level of the shipped model and every variant, as a restored skin and as a drop-in whose parts
// fall, overlap in time and land where the skin stands; every picture they name is packed, every
// sound id is in the game's sound table, and each stands on its point of docs/map-plan.md.

#include "engine/core/WidgetSets.h"
#include "engine/gui/Panel.h"
#include "game/development/AnimationSet.h"
#include "game/development/DropAnimation.h"
#include "game/development/UnitView.h"
#include "game/development/UpgradeVariant.h"
#include "game/model/UnitsFeature.h"
#include "tests/development/BuildingFixture.h"
#include "tests/model/ShippedModel.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <regex>
#include <set>

using TestBuildings::BuildingFixture;

namespace {

std::string shipped(const std::string& name) {
    return TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name);
}

std::set<std::string> matches(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

} // namespace

class BuildingDataTest : public BuildingFixture {
protected:
    void startShipped() {
        for (const std::string& name : TestSupport::shippedAtlasFiles(MEADOW_DATA_DIR))
            ui.writeFile(name, shipped(name));
        for (int id = 0; id < 26; ++id)
            ui.writeFile(cUnitView::getXmlFilePath(id), shipped(cUnitView::getXmlFilePath(id)));
        ui.start();
        root = std::make_unique<Engine::cPanel>(nullptr);
        root->show();
        root->enable();
        screen.widget = root.get();
        model = TestShipped::makeModel();
    }
};

TEST_F(BuildingDataTest, EveryPictureAndSoundTheBuildingsNameExists) {
    std::set<std::string> packed;
    for (const std::string& atlas : TestSupport::shippedAtlasFiles(MEADOW_DATA_DIR))
        if (atlas.size() > 4 && atlas.compare(atlas.size() - 4, 4, ".xml") == 0 && atlas != "atlases.xml") {
            const std::set<std::string> names = matches(shipped(atlas), std::regex("<Name>([^<]+)</Name>"));
            packed.insert(names.begin(), names.end());
        }
    const std::set<std::string> soundIds =
        matches(shipped("Meadow/Sounds/GameSounds.xml"), std::regex("id=\"([^\"]+)\""));
    const std::regex point(R"(\| (\d+) \| [a-z ]+ \| (\d+) \| (\d+) \| (\d+) \|)");
    const std::string plan = TestSupport::readFileBytes(std::string(MEADOW_DOCS_DIR) + "/map-plan.md");
    int planned = 0;
    for (auto it = std::sregex_iterator(plan.begin(), plan.end(), point); it != std::sregex_iterator(); ++it) {
        const std::string text = shipped(cUnitView::getXmlFilePath(std::stoi((*it)[1])));
        EXPECT_NE(text.find("point=\"" + std::string((*it)[2]) + "\""), std::string::npos) << (*it)[1];
        ++planned;
    }
    EXPECT_EQ(planned, 26);
    for (int id = 0; id < 26; ++id) {
        const std::string file = cUnitView::getXmlFilePath(id);
        const std::string text = shipped(file);
        for (const std::string& picture : matches(text, std::regex("Picture=\"([^\"]+)\"")))
            EXPECT_TRUE(packed.count(picture)) << file << ": " << picture;
        for (const std::regex& key : {std::regex("unit_sound=\"([^\"]*)\""), std::regex("voice_id=\"([^\"]+)\"")})
            for (const std::string& id : matches(text, key))
                EXPECT_TRUE(soundIds.count(id)) << file << ": " << id;
    }
}

TEST_F(BuildingDataTest, EveryBuildingLoadsAtEveryLevelAndVariantRestoredAndDroppedIn) {
    startShipped();
    cUnitsFeature& units = *model->getUnitsFeature();
    ASSERT_EQ(units.getUnitCount(), 26);
    for (int id = 0; id < 26; ++id) {
        cMeadowUnit* unit = units.getUnit(id);
        auto* view = new cUnitView(&screen, unit);
        EXPECT_EQ(view->getPoint(), id);
        EXPECT_FALSE(view->getUnitSound().empty()) << id;
        EXPECT_EQ(int(view->getUpgradeIcons().size()), unit->getMaxLevel()) << id;
        for (int level = 1; level <= unit->getMaxLevel(); ++level)
            for (int variant = 0; variant < 3; ++variant) {
                const std::string where =
                    std::to_string(id) + " level " + std::to_string(level) + " variant " + std::to_string(variant);
                unit->setLevelAndVariant(level, variant);
                cUpgradeVariant* restored = view->getCurrentVariant();
                ASSERT_NE(restored, nullptr) << where;
                ASSERT_FALSE(restored->getSkins().empty()) << where;
                EXPECT_NE(restored->getSkins()[0]->getPicture(), nullptr) << where;
                EXPECT_TRUE(restored->getParts().empty()) << where;
                EXPECT_GT(restored->getWorkTime(), 0) << where;
                const Engine::cVector2 at = restored->getPosition();

                unit->setLevelAndVariant(level - 1, 0);
                unit->upgrade(variant);
                cUpgradeVariant* dropping = view->getCurrentVariant();
                const std::vector<cDropAnimation*> parts = dropping->getParts();
                ASSERT_GE(parts.size(), 2u) << where;
                float lastStart = 0;
                for (cDropAnimation* part : parts) {
                    EXPECT_NE(part->getPicture(), nullptr) << where;
                    EXPECT_EQ(part->getDstPos(), at) << where;
                    EXPECT_GE(part->getTime(), lastStart) << where;
                    lastStart = part->getTime();
                }
                // Every part shows: each starts while an earlier one still falls.
                int frames = 0;
                size_t most = 0;
                while (view->isDropping() && frames < 200) {
                    ui.step();
                    ++frames;
                    most = std::max(most, dropping->getFallingParts().size());
                }
                EXPECT_FALSE(view->isDropping()) << where;
                EXPECT_GE(most, 2u) << where;
                EXPECT_TRUE(dropping->isVisible()) << where;
                EXPECT_TRUE(dropping->getParts().empty()) << where;
                EXPECT_EQ(std::count_if(screen.log.begin(), screen.log.end(),
                                        [](const std::string& line) { return line.rfind("dust", 0) == 0; }),
                          int(parts.size()))
                    << where;
                screen.log.clear();
            }
        Engine::deleteWidgetLater(view);
        ui.step();
    }
}
