#include "game/development/UnitView.h"

#include "engine/core/WidgetSets.h"
#include "engine/gui/Panel.h"
#include "game/development/AnimationSet.h"
#include "game/development/DropAnimation.h"
#include "game/development/RandomAnimation.h"
#include "game/development/UpgradeVariant.h"
#include "game/shell/Tip.h"
#include "game/shell/TipManager.h"
#include "tests/development/BuildingFixture.h"

#include <algorithm>

using Engine::cVector2;
using TestBuildings::BuildingFixture;

namespace {

std::string skin(const std::string& position) {
    return "<Skins><Skin position=\"" + position + "\" size=\"40,40\" deep=\"7\" Picture=\"p/skin.tga\"/></Skins>";
}

// A part that starts at the time and falls 50 units at 100 per second: four frames of 1/8 s.
std::string part(float time, int x, int y) {
    const std::string at = std::to_string(x) + "," + std::to_string(y);
    return "<Part time=\"" + std::to_string(time) + "\" src_pos=\"" + std::to_string(x) + "," + std::to_string(y - 50) +
           "\" dst_pos=\"" + at +
           "\" speed=\"100\" size=\"30,10\" deep=\"9\" dust_offset=\"0,5\" dust_height=\"6\" Picture=\"p/part.tga\"/>";
}

std::string variant(const std::string& position, const std::string& parts = "", const std::string& extra = "") {
    return "<Variant position=\"" + position + "\" size=\"40,40\" Enable=\"1\"><Icon Picture=\"p/icon.tga\"/>" +
           skin(position) + (parts.empty() ? "" : "<Parts>" + parts + "</Parts>") + extra + "</Variant>";
}

const std::string kAnimals = "<Animals><Set voice_id=\"chicken_voice\"><A Picture=\"p/animal.tga\" size=\"8,8\" "
                             "anim_length=\"1\" probability=\"1\"/></Set></Animals>";
const std::string kWorks = "<Works><Work Picture=\"p/work.tga\" size=\"8,8\" anim_length=\"2.5\"/></Works>";

} // namespace

class UnitViewTest : public BuildingFixture {
protected:
    // The building file of the id: one list of variants per upgrade level.
    void building(int id, const std::vector<std::vector<std::string>>& upgrades, const std::string& keys = "") {
        std::string xml = "<Building point=\"" + std::to_string(id + 100) +
                          "\" Visible=\"1\" Enable=\"1\" unit_sound=\"hens\" silence_timer=\"1.5 0.5\" " + keys +
                          "><Upgrades>";
        for (const auto& variants : upgrades) {
            xml += "<Upgrade>";
            if (!variants.empty()) {
                xml += "<Variants>";
                for (const std::string& v : variants)
                    xml += v;
                xml += "</Variants>";
            }
            xml += "</Upgrade>";
        }
        ui.writeFile(cUnitView::getXmlFilePath(id), xml + "</Upgrades></Building>");
    }

    cUnitView* view(int id, int levels) {
        units.push_back(TestBuildings::makeUnit(id, levels, model.get()));
        auto* v = new cUnitView(&screen, units.back().get());
        return v;
    }

    // Frames until the drop-in ends, at most 100.
    int dropFrames(cUnitView* v) {
        int frames = 0;
        while (v->isDropping() && frames < 100)
            ui.step(), ++frames;
        return frames;
    }

    void TearDown() override {
        root.reset();
        units.clear();
        BuildingFixture::TearDown();
    }

    std::vector<std::unique_ptr<cMeadowUnit>> units;
};

TEST_F(UnitViewTest, BuildingFilesAreNamedByUnitIdAndOtherIdsFail) {
    const std::pair<int, const char*> files[] = {{0, "hen_house"},    {4, "bakery_house"},       {13, "warehouse"},
                                                 {17, "seed_bed"},    {23, "butterfly_factory"}, {24, "cats_factory"},
                                                 {25, "dogs_factory"}};
    for (const auto& [id, name] : files)
        EXPECT_EQ(cUnitView::getXmlFilePath(id), std::string("Meadow/View/buildings/") + name + ".xml");
    for (int id : {-1, 26}) {
        try {
            cUnitView::getXmlFilePath(id);
            ADD_FAILURE() << id;
        } catch (const Engine::cStringA& e) {
            EXPECT_EQ(std::string(e.c_str()), "cUnitView::getXmlFilePath(): unknown unit's id: " + std::to_string(id));
        }
    }
}

TEST_F(UnitViewTest, ARestoredLevelShowsItsSkinAtOnceWithoutPartsVoicesOrSounds) {
    start();
    building(0, {{variant("100,100")}, {variant("200,100", part(0, 200, 100)), variant("300,100", "", kAnimals)}});
    cUnitView* v = view(0, 2);
    EXPECT_EQ(v->getPoint(), 100);
    EXPECT_EQ(v->getCurrentVariant(), nullptr);
    units.back()->setLevelAndVariant(2, 1);
    cUpgradeVariant* shown = v->getCurrentVariant();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(shown->getParts().empty());
    EXPECT_TRUE(shown->getSkins()[0]->isVisible());
    EXPECT_EQ(v->getPosition(), cVector2(300, 100));
    EXPECT_FALSE(v->isDropping());
    // The animals start at once.
    EXPECT_EQ(shown->getAnimals()[0]->getCurrent(), 0);
    EXPECT_TRUE(sounds.log.empty());
    EXPECT_EQ(screen.log, (std::vector<std::string>{"cat?0"}));
}

TEST_F(UnitViewTest, AnUpgradeDropsItsPartsInOverlappingAndEndsWhenTheLastLands) {
    start();
    building(17, {{variant("100,100")},
                  {variant("200,300", part(0, 200, 250) + part(0.25f, 200, 260) + part(3, 0, 0), kAnimals)}});
    cUnitView* v = view(17, 2);
    units.back()->upgrade(0);
    ASSERT_EQ(dropFrames(v), 0 + 1); // No parts: finished in the first frame.
    cUpgradeVariant* first = v->getCurrentVariant();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(sounds.log, (std::vector<std::string>{"hens~1.5+0.5"}));
    screen.log.clear();
    sounds.log.clear();

    units.back()->upgrade(0);
    cUpgradeVariant* second = v->getCurrentVariant();
    ASSERT_NE(second, first);
    EXPECT_EQ(v->getPreviousVariant(), first);
    EXPECT_FALSE(second->isVisible());
    EXPECT_TRUE(first->isVisible());
    ASSERT_EQ(second->getParts().size(), 3u);
    // Part 1 starts at once and lands in frame 4; part 2 starts in frame 2 (0.25 s) and lands
    // in frame 5; part 3 would start at 3 s but nothing falls any more by then.
    cDropAnimation* late = second->getParts()[2];
    EXPECT_EQ(dropFrames(v), 5);
    EXPECT_EQ(screen.log, (std::vector<std::string>{"upgrading", "cat?17", "dust 200,255 d9 w30 h6",
                                                    "dust 200,265 d9 w30 h6", "upgraded", "money", "showAllTip"}));
    EXPECT_EQ(sounds.log,
              (std::vector<std::string>{"part_fall~0.1+0", "part_fall~0.1+0", "chicken_voice", "hens~1.5+0.5"}));
    EXPECT_TRUE(second->isVisible());
    EXPECT_TRUE(second->getParts().empty());
    EXPECT_EQ(v->getPreviousVariant(), nullptr);
    ui.step();
    EXPECT_FALSE(Engine::isWidgetAlive(first));
    EXPECT_FALSE(Engine::isWidgetAlive(late));
}

TEST_F(UnitViewTest, BuyingAgainDuringADropInReleasesTheEarlierSkin) {
    start();
    const std::string falling = variant("100,100", part(0, 100, 50));
    building(3, {{falling}, {falling}, {falling}});
    cUnitView* v = view(3, 3);
    units.back()->upgrade(0);
    dropFrames(v);
    cUpgradeVariant* built = v->getCurrentVariant();
    units.back()->upgrade(0);
    ui.step();
    cUpgradeVariant* dropping = v->getCurrentVariant();
    units.back()->upgrade(0);
    ui.step();
    // The first skin would otherwise stay drawn with nobody holding it.
    EXPECT_FALSE(Engine::isWidgetAlive(built));
    EXPECT_EQ(v->getPreviousVariant(), dropping);
    dropFrames(v);
    ui.step();
    EXPECT_FALSE(Engine::isWidgetAlive(dropping));
    EXPECT_TRUE(v->getCurrentVariant()->isVisible());
}

TEST_F(UnitViewTest, CatsAndDogsFactoriesGreetWithTheVariantsVoice) {
    start();
    building(24, {{variant("1,1"), variant("2,2"), variant("3,3")}});
    building(25, {{variant("1,1"), variant("2,2"), variant("3,3")}});
    building(5, {{variant("1,1"), variant("2,2"), variant("3,3")}});
    view(24, 1);
    view(25, 1);
    view(5, 1);
    for (auto& unit : units)
        unit->upgrade(2);
    EXPECT_EQ(sounds.log, (std::vector<std::string>{"cat_voice2", "dog_voice2"}));
}

TEST_F(UnitViewTest, ALevelBoughtWithoutItsVariantLoadsEveryVariantAsAPreview) {
    start();
    building(6, {{variant("10,10"), variant("20,20", part(0, 20, 0)), variant("30,30")}});
    cUnitView* v = view(6, 1);
    units.back()->upgrade(-1);
    const std::vector<cUpgradeVariant*> previews = v->getAllVariants();
    ASSERT_EQ(previews.size(), 3u);
    for (cUpgradeVariant* p : previews)
        EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(previews[1]->getPosition(), cVector2(20, 20));
    EXPECT_EQ(v->getCurrentVariant(), nullptr);
    try {
        v->loadAllVariants();
        ADD_FAILURE();
    } catch (const Engine::cStringA& e) {
        EXPECT_STREQ(e.c_str(), "cUnitView::loadAllVariants(): garbage in unit's variants");
    }
}

TEST_F(UnitViewTest, IconsFollowTheUpgradesEvenWhenOneHasNoVariants) {
    start();
    const std::string withIcon =
        "<Variant><Icon Picture=\"p/icon.tga\" anim_length=\"7\"/>" + skin("1,1") + "</Variant>";
    building(7, {{withIcon}, {}, {withIcon}});
    cUnitView* v = view(7, 3);
    ASSERT_EQ(v->getUpgradeIcons().size(), 3u);
    EXPECT_EQ(v->getUpgradeIcon(0).getAnimLength(), 7);
    EXPECT_EQ(v->getUpgradeIcon(1).getPicture(), nullptr);
    EXPECT_EQ(v->getUpgradeIcon(2).getAnimLength(), 7);
    const std::pair<int, const char*> errors[] = {{3, "cUnitView::getUpgradeIcon(): wrong upgrade level: 3"},
                                                  {-1, "cUnitView::getUpgradeIcon(): wrong upgrade level: -1"}};
    for (const auto& [index, text] : errors) {
        try {
            v->getUpgradeIcon(index);
            ADD_FAILURE() << index;
        } catch (const Engine::cStringA& e) {
            EXPECT_STREQ(e.c_str(), text);
        }
    }
    building(8, {});
    try {
        view(8, 1)->getUpgradeIcon(0);
        ADD_FAILURE();
    } catch (const Engine::cStringA& e) {
        EXPECT_STREQ(e.c_str(), "cUnitView::getUpgradeIcon(): number of variants in 0");
    }
}

TEST_F(UnitViewTest, MissingSkinsNameTheLevelVariantAndUnit) {
    start();
    building(9, {{variant("1,1")}});
    view(9, 3);
    cMeadowUnit& unit = *units.back();
    try {
        unit.setLevelAndVariant(1, 2);
        ADD_FAILURE();
    } catch (const Engine::cStringA& e) {
        EXPECT_STREQ(e.c_str(),
                     "cUnitView::updateUpgradeSkin(): skins for upgrade number = 1 and variant number 2 was not found "
                     "for unit with id = 9");
    }
    try {
        unit.setLevelAndVariant(2, 0);
        ADD_FAILURE();
    } catch (const Engine::cStringA& e) {
        EXPECT_STREQ(e.c_str(),
                     "cUnitView::updateUpgradeSkin(): skins for upgrade number = 2 was not found for unit with id = 9");
    }
}

TEST_F(UnitViewTest, WorkLookSwapsAnimalsForWorkPanelsExceptAtBirdHouseAndDogsFactory) {
    start();
    for (int id : {1, 22, 25})
        building(id, {{variant("1,1", "", kAnimals + kWorks)}});
    for (int id : {1, 22, 25}) {
        cUnitView* v = view(id, 1);
        units.back()->setLevelAndVariant(1, 0);
        cUpgradeVariant* shown = v->getCurrentVariant();
        EXPECT_EQ(v->getWorkTime(), 2.5f);
        v->setWorking(true);
        const bool works = id == 1;
        EXPECT_EQ(shown->isWorking(), works) << id;
        EXPECT_EQ(shown->getWorks()[0]->isVisible(), works) << id;
        EXPECT_EQ(shown->getAnimals()[0]->getAnimations()[0]->isVisible(), !works) << id;
        v->setWorking(false);
        EXPECT_FALSE(shown->getWorks()[0]->isVisible());
        EXPECT_TRUE(shown->getAnimals()[0]->getAnimations()[0]->isVisible());
    }
    sounds.log.clear();
    units.front()->getModel();
    EXPECT_EQ(units.size(), 3u);
}

TEST_F(UnitViewTest, ClickingTheBuildingPlaysItsSoundWithItsSilence) {
    start();
    building(2, {{variant("200,200")}});
    view(2, 1);
    units.back()->setLevelAndVariant(1, 0);
    ui.step();
    ui.click(200, 200);
    ui.step();
    EXPECT_EQ(sounds.log, (std::vector<std::string>{"hens~1.5+0.5"}));
}

TEST_F(UnitViewTest, AVariantWithATipShowsItOnHoverButNotWhileALevelScreenIsOpen) {
    start();
    screen.makeTips = true;
    auto manager = std::make_unique<cTipManager>();
    const std::string tip =
        "<Tip ShowDelayTime=\"0.25\"><Panel Visible=\"0\" position=\"0,0\" size=\"50,20\" deep=\"60\"/></Tip>";
    building(0, {{variant("100,100", "", tip), variant("300,100")}});
    cUnitView* v = view(0, 1);
    units.back()->setLevelAndVariant(1, 0);
    cUpgradeVariant* shown = v->getCurrentVariant();
    ASSERT_NE(shown, nullptr);
    ASSERT_NE(shown->getTip(), nullptr);
    EXPECT_EQ(shown->getTip()->getParent(), shown);
    EXPECT_TRUE(manager->hasClient(shown));
    EXPECT_EQ(std::count(screen.log.begin(), screen.log.end(), "tip0"), 1);

    ui.moveTo(100, 100);
    ui.run(1.0f);
    EXPECT_TRUE(shown->isShowing());
    EXPECT_TRUE(shown->getTip()->isVisible());
    EXPECT_FLOAT_EQ(shown->getTip()->getAlpha(), 1.0f);
    ui.moveTo(600, 500);
    ui.run(1.0f);
    EXPECT_FALSE(shown->getTip()->isVisible());

    screen.levelScreenOpen = true;
    ui.moveTo(100, 100);
    ui.run(1.0f);
    EXPECT_FALSE(shown->isShowing());
    EXPECT_FALSE(shown->getTip()->isVisible());

    // A variant without a "Tip" asks for none.
    units.back()->setLevelAndVariant(1, 1);
    EXPECT_EQ(v->getCurrentVariant()->getTip(), nullptr);
    EXPECT_FALSE(manager->hasClient(v->getCurrentVariant()));
    EXPECT_EQ(std::count(screen.log.begin(), screen.log.end(), "tip0"), 1);
}
