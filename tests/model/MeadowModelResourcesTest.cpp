// Resource and bonus records of the board model.

#include "game/model/MeadowModel.h"

#include "engine/core/Random.h"
#include "tests/model/ModelFixture.h"

#include <gtest/gtest.h>

using TestModel::thrownText;

namespace {

TEST(MeadowModel, MoneyIsResourceOneAndFeedsAchievementZero) {
    auto model = TestModel::makeFixtureModel();
    model->addResourcePoints(1, 30);
    model->addResourcePoints(1, -5);
    model->addResourcePoints(2, 7);
    EXPECT_EQ(model->getResourcePoints(1), 25);
    EXPECT_EQ(model->getResourcePoints(2), 7);
    EXPECT_EQ(model->getLevelAchievements()->getValue(0), 25);
    model->getBonus(31)->points = 9;
    model->resetResourcePoints();
    EXPECT_EQ(model->getResourcePoints(1), 0);
    EXPECT_EQ(model->getBonus(31)->points, 9); // bonuses keep their charge
    EXPECT_EQ(thrownText([&] { model->addResourcePoints(31, 1); }),
              "cMeadowModel::addResourcePoints(): resource type was not found: type = 31");
    EXPECT_EQ(thrownText([&] { model->getResourcePoints(5); }),
              "cMeadowModel::getResourcePoints(): resource type was not found: type = 5");
}

TEST(MeadowModel, BonusesChargeUpToTheirPriceAndAreSpent) {
    auto model = TestModel::makeFixtureModel();
    cGameResource& bear = *model->getBonus(31); // price 50
    bear.points = 45;
    model->addBonusPoints(31, 10);
    EXPECT_EQ(bear.points, 55);
    EXPECT_TRUE(bear.charged);
    model->addBonusPoints(31, 10);
    EXPECT_EQ(bear.points, 50);
    EXPECT_TRUE(model->useBonus(31));
    EXPECT_EQ(bear.points, 0);
    EXPECT_EQ(bear.uses, 1);
    bear.points = 50;
    EXPECT_TRUE(model->payForBonus(31));
    EXPECT_EQ(bear.uses, 2);

    bear.points = 20;
    model->addBonus(31);
    EXPECT_EQ(bear.points, 0);
    EXPECT_EQ(bear.available, 1);
}

TEST(MeadowModel, UnknownBonusesThrowTheirMessages) {
    auto model = TestModel::makeFixtureModel();
    EXPECT_EQ(thrownText([&] { model->addBonus(1); }),
              "cMeadowModel::addBonus(): bonus with a given type was not found: type = 1");
    EXPECT_EQ(thrownText([&] { model->addBonusPoints(99, 1); }),
              "cMeadowModel::addBonusPoints(): bonus type was not found: type = 99");
    EXPECT_EQ(thrownText([&] { model->getBonus(98); }),
              "cMeadowModel::getBonus(): bonus with a given type was not found: type = 98");
    EXPECT_EQ(thrownText([&] { model->useBonus(97); }),
              "cMeadowModel::getBonus(): bonus with a given type was not found: type = 97");
    EXPECT_EQ(thrownText([&] { model->getObjectTypeForResource(1); }),
              "cMeadowModel::getObjectTypeForResource(): object that gives a needed resource was not found, resource "
              "type = 1");
}

TEST(MeadowModel, MapsBonusesAndObjectTypes) {
    auto model = TestModel::makeFixtureModel();
    EXPECT_TRUE(model->isBonusType(41));
    EXPECT_FALSE(model->isBonusType(1)); // a resource, not a bonus
    EXPECT_EQ(model->getBonusTypeForObjectType(8), 41);
    EXPECT_EQ(model->getBonusTypeForObjectType(1), -1);
    EXPECT_TRUE(model->isBonusObjectType(9));
    EXPECT_FALSE(model->isBonusObjectType(2));
    EXPECT_EQ(model->getObjectTypeForResource(71), 11);
}

TEST(MeadowModel, OffersOneAvailableBonusPerCategory) {
    auto model = TestModel::makeFixtureModel();
    EXPECT_TRUE(model->getAvailableBonuses().empty());
    model->addBonus(11); // chicken, category 1
    model->addBonus(31); // bear, category 1, greater type: replaces the chicken
    model->addBonus(71);
    EXPECT_EQ(TestModel::ids(model->getAvailableBonuses()), (std::vector<std::string>{"bear", "mixer"}));
}

TEST(MeadowModel, AVehicleBringsAFullyChargedBonus) {
    auto model = TestModel::makeFixtureModel();
    EXPECT_EQ(model->chooseVehicleBonus(), nullptr);

    model->addBonus(31);
    EXPECT_EQ(model->chooseVehicleBonus(), model->getBonus(31));
    EXPECT_EQ(model->getBonus(31)->points, 50);

    model->addBonus(41); // two offered: the less charged one
    model->getBonus(31)->points = 10;
    model->getBonus(41)->points = 5;
    EXPECT_EQ(model->chooseVehicleBonus(), model->getBonus(41));
    EXPECT_EQ(model->getBonus(41)->points, 80);

    model->addBonus(71); // three offered: a random one whose object type is not on the level
    model->getLevelTypes() = {7, 8};
    EXPECT_EQ(model->chooseVehicleBonus(), model->getBonus(71));
    model->getLevelTypes() = {7, 8, 11};
    EXPECT_EQ(model->chooseVehicleBonus(), nullptr); // no candidate left
}

TEST(MeadowModel, AVehicleBonusIsDrawnWithTheGenerator) {
    auto model = TestModel::makeFixtureModel();
    model->addBonus(31);
    model->addBonus(41);
    model->addBonus(71);
    Engine::randomSeed(5);
    std::vector<int32_t> candidates = {31, 41, 71};
    int32_t expected = candidates[size_t(Engine::randomNext() * 3 / 32768)];
    Engine::randomSeed(5);
    EXPECT_EQ(model->chooseVehicleBonus()->type, expected);
}

} // namespace
