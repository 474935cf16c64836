#include "game/model/UnitsFeature.h"

#include "engine/core/ProfileManager.h"
#include "game/model/Signal.h"
#include "tests/model/ModelFixture.h"

#include <gtest/gtest.h>

using TestModel::thrownText;

namespace {

struct UnitsFeature : ::testing::Test {
    void SetUp() override {
        model = TestModel::makeFixtureModel();
        units = model->getUnitsFeature();
        model->addResourcePoints(1, 1000);
        Engine::gIntProps.clear();
    }
    void TearDown() override { Engine::gIntProps.clear(); }

    std::unique_ptr<cMeadowModel> model;
    cUnitsFeature* units = nullptr;
};

TEST_F(UnitsFeature, BuyingAnUpgradePaysAndUnlocksItsObjectAndBonus) {
    EXPECT_FALSE(units->isUnitUpgraded(0));
    EXPECT_FALSE(units->upgradeUnit(units->getUnit(0), 1)); // the well's group-0 upgrade is still missing
    EXPECT_TRUE(units->isUnitUpgraded(0));
    EXPECT_EQ(model->getResourcePoints(1), 900);
    EXPECT_EQ(model->getBonus(31)->available, 1); // the bear charged by object type 7
    EXPECT_EQ(model->getAllowedTypes(), (std::vector<int32_t>{1, 2, 3, 4, 7}));
    EXPECT_EQ(model->getUnlockedTypes(), (std::vector<int32_t>{7}));
    EXPECT_EQ(model->getCurrentGroup(), 0);

    EXPECT_TRUE(units->buyUpgrade(units->getUnit(1), 0)); // completes group 0
    EXPECT_EQ(model->getCurrentGroup(), 1);
    EXPECT_EQ(model->getResourcePoints(1), 840);
    EXPECT_EQ(model->getUnlockedTypes(), (std::vector<int32_t>{7, 5}));

    EXPECT_TRUE(units->upgradeUnit(units->getUnit(0), 2)); // the big barn completes group 1
    EXPECT_EQ(model->getCurrentGroup(), 2);
    EXPECT_EQ(model->getResourcePoints(1), 590);
    EXPECT_EQ(model->getUnlockedTypes().size(), 2u); // the big barn brings no object
}

TEST_F(UnitsFeature, APurchaseDoesNotCheckTheBalance) {
    model->resetResourcePoints();
    units->upgradeUnit(units->getUnit(1), 0);
    EXPECT_EQ(model->getResourcePoints(1), -60);
}

TEST_F(UnitsFeature, AUnitWithoutAFurtherUpgradeCannotBeBought) {
    EXPECT_EQ(thrownText([&] { units->upgradeUnit(units->getUnit(2), 0); }),
              "cMeadowUnit::upgrade(): there is no next upgrade for unit 2");
    EXPECT_EQ(units->getUnit(2)->getLevel(), 0);
}

TEST_F(UnitsFeature, AGroupWithoutUpgradesIsComplete) {
    model->setCurrentGroup(9);
    EXPECT_TRUE(units->isGroupComplete());
    model->setCurrentGroup(0);
    EXPECT_FALSE(units->isGroupComplete());
}

TEST_F(UnitsFeature, TargetsListTheUnreachedByGroupAndPriceThenTheReachedByPrice) {
    auto names = [&] {
        std::vector<std::wstring> result;
        for (const auto& target : units->getUnitLevelTargets())
            result.push_back(target.second->name);
        return result;
    };
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"Well", L"Barn", L"Big barn"}));
    units->upgradeUnit(units->getUnit(1), 0);
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"Barn", L"Big barn", L"Well"}));
    units->upgradeUnit(units->getUnit(0), 0);
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"Big barn", L"Well", L"Barn"}));
    EXPECT_FALSE(units->isFullyUpgraded());
    units->upgradeUnit(units->getUnit(0), 0);
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"Well", L"Barn", L"Big barn"}));
    EXPECT_TRUE(units->isFullyUpgraded());
}

TEST_F(UnitsFeature, UpgradedUnitsOfferTheirBonuses) {
    model->getBonus(31)->points = 20;
    units->getUnit(0)->setLevel(1);
    units->getUnit(1)->setLevel(1); // the well's object 5 has no bonus
    units->addUnitBonuses();
    EXPECT_EQ(model->getBonus(31)->available, 1);
    EXPECT_EQ(model->getBonus(31)->points, 0);
    EXPECT_EQ(model->getBonus(41)->available, 0);
}

TEST_F(UnitsFeature, KeepsLevelsAndVariantsInTheProfile) {
    units->upgradeUnit(units->getUnit(0), 2);
    units->saveProgress();
    EXPECT_EQ(Engine::gIntProps["unit_lvl_0"], 1);
    EXPECT_EQ(Engine::gIntProps["unit_var_0"], 2);
    EXPECT_EQ(Engine::gIntProps["unit_lvl_2"], 0);

    auto other = TestModel::makeFixtureModel();
    std::vector<int> restored;
    boost::signals2::scoped_connection connection = other->getUnitsFeature()->getUnit(0)->m_restoredSignal.connect(
        [&](cMeadowUnit* unit) { restored.push_back(unit->getVariant()); });
    other->getUnitsFeature()->loadProgress();
    EXPECT_EQ(other->getUnitsFeature()->getUnit(0)->getLevel(), 1);
    EXPECT_EQ(restored, (std::vector<int>{2}));
    EXPECT_EQ(other->getUnitsFeature()->getUnit(1)->getLevel(), 0);
}

TEST_F(UnitsFeature, LevelsReadFromTheProfileAreClampedToTheUpgrades) {
    Engine::gIntProps["unit_lvl_0"] = 9;
    Engine::gIntProps["unit_lvl_1"] = -4;
    Engine::gIntProps["unit_lvl_2"] = 3;
    units->getUnit(1)->setLevel(1);
    units->loadProgress();
    EXPECT_EQ(units->getUnit(0)->getLevel(), 2);
    EXPECT_EQ(units->getUnit(0)->getName(), L"Big barn");
    EXPECT_EQ(units->getUnit(1)->getLevel(), 0);
    EXPECT_EQ(units->getUnit(2)->getLevel(), 0);
}

} // namespace
