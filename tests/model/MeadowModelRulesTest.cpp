// Transformation rules: money and bonus charge paid for figures and passed-down pieces, and
// the choice of a level's piece types and offered bonuses.

#include "game/model/MeadowModel.h"

#include "engine/core/Random.h"
#include "game/model/PassDownFeature.h"
#include "game/model/Signal.h"
#include "tests/model/BoardBuilder.h"

#include <gtest/gtest.h>

using Engine::cVector2;
using TestModel::thrownText;

namespace {

// Type 3 charges the hen; 3_4 is missing on purpose; type 4 pays nothing for three.
const char* kRulesModel = R"(<Model max_objects_on_level="4" max_bonuses_on_level="2" update_time="0.5"
    blasted_bonus_price="3">
  <GameObjects>
    <Object type="3" category="1" color_group="0">
      <Rule amount="3" money="5" bonus_points="2"/>
      <Rule amount="5" money="20" bonus_points="7"/>
    </Object>
    <Object type="4" category="1" color_group="1"><Rule amount="3" money="0" bonus_points="1"/></Object>
    <Object type="101" category="10"><Rule amount="1" money="15" bonus_points="0"/></Object>
    <Object type="102" category="10"><Rule amount="1" money="40" bonus_points="0"/></Object>
  </GameObjects>
  <GameResources>
    <Resource id="money" type="1"/>
    <Resource id="hen" type="11" object_type="3" category="1" price="100"/>
  </GameResources>
  <Units/>
  <LevelAchievements><A id="0"/><A id="1"/><A id="2"/><A id="3"/></LevelAchievements>
</Model>)";

std::unique_ptr<cMeadowModel> rulesModel(const TestBoard::tRows& rows) {
    auto model = TestModel::makeModel(kRulesModel);
    TestBoard::build(*model, rows, {3, 4});
    return model;
}

tFigureList figuresOf(cMeadowModel& model) {
    EXPECT_TRUE(model.hasMatches());
    return model.collectFigures();
}

TEST(MeadowModel, FiguresPayTheirRuleAndChargeTheirBonus) {
    auto model = rulesModel({"333"});
    tFigureList figures = figuresOf(*model);
    EXPECT_EQ(model->applyTransformationRules(figures[0]), 5);
    EXPECT_EQ(model->getResourcePoints(1), 5);
    EXPECT_EQ(model->getBonus(11)->points, 2);
    EXPECT_EQ(model->getLevelAchievements()->getValue(0), 5);
}

TEST(MeadowModel, FixtureRulesPayMoneyAndChargeTheBear) {
    auto model = TestBoard::make({"777", "888"}); // 7 charges the bear; 8 has no rule
    tFigureList figures = figuresOf(*model);
    figures.erase(figures.begin()); // rows bottom first: the 8s
    model->payFigures(figures);
    EXPECT_EQ(model->getResourcePoints(1), 8);
    EXPECT_EQ(model->getBonus(31)->points, 5);
    figures = model->collectFigures();
    EXPECT_EQ(thrownText([&] { model->applyTransformationRules(figures[0]); }),
              "cMeadowModel::applyTransformationRules(): rule was not found with a given id = 8_3");
}

TEST(MeadowModel, RunsOfEightOrMorePayTheirSquareWithoutARule) {
    auto model = rulesModel({"33333333"});
    tFigureList figures = figuresOf(*model);
    ASSERT_EQ(figures[0].getPositionCount(), 8);
    EXPECT_EQ(model->applyTransformationRules(figures[0]), 64);
    EXPECT_EQ(model->getResourcePoints(1), 64);
    EXPECT_EQ(model->getBonus(11)->points, 64);
    EXPECT_FALSE(model->getBonus(11)->charged);
}

TEST(MeadowModel, MissingRuleNamesItsKey) {
    auto model = rulesModel({"3333"});
    tFigureList figures = figuresOf(*model);
    EXPECT_EQ(thrownText([&] { model->applyTransformationRules(figures[0]); }),
              "cMeadowModel::applyTransformationRules(): rule was not found with a given id = 3_4");
}

TEST(MeadowModel, PayingFiguresSignalsMoneyAndMarksThePiecesMatched) {
    auto model = rulesModel({"444..", "33333"});
    std::vector<std::pair<cVector2, int32_t>> earned;
    model->m_pointsEarnedSignal.connect(
        [&](const cVector2& position, const int32_t& money) { earned.emplace_back(position, money); });
    tFigureList figures = figuresOf(*model);
    ASSERT_EQ(figures.size(), 2u);
    model->payFigures(figures);
    ASSERT_EQ(earned.size(), 1u); // the 4s pay nothing
    EXPECT_EQ(earned[0].first, cVector2(0.0f, 1.0f));
    EXPECT_EQ(earned[0].second, 20);
    EXPECT_EQ(TestBoard::states(*model), (TestBoard::tRows{"XXX  ", "XXXXX"}));
    EXPECT_EQ(model->getBonus(11)->points, 7);
}

TEST(MeadowModel, BlastedPiecesChargeTheirBonusByTheBlastPrice) {
    auto model = rulesModel({"34"});
    model->addBonusPointsForObject(model->getObject(0, 0));
    model->addBonusPointsForObject(model->getObject(0, 1)); // no bonus for type 4
    model->addBonusPointsForObject(nullptr);
    EXPECT_EQ(model->getBonus(11)->points, 3);
}

TEST(PassDownFeature, PaysTheRuleForOnePieceAndCountsGoldPrizes) {
    auto model = rulesModel({"3"});
    EXPECT_EQ(cPassDownFeature::payForObject(model.get(), 102), 40);
    EXPECT_EQ(cPassDownFeature::payForObject(model.get(), 101), 15);
    EXPECT_EQ(model->getResourcePoints(1), 55);
    EXPECT_EQ(model->getLevelAchievements()->getValue(2), 40);
    EXPECT_EQ(model->getBonus(11)->points, 0);
    EXPECT_EQ(thrownText([&] { cPassDownFeature::payForObject(model.get(), 3); }),
              "cPassDownFeature::payForObject(): rule was not found with a given id = 3_1");
}

TEST(MeadowModel, EditorChoiceListsKeepTheNewestEntries) {
    auto model = TestModel::makeFixtureModel();
    model->m_maxObjectsOnLevel = 4;
    for (int type : {1, 2, 3, 4})
        model->addLevelObjectType(type);
    EXPECT_EQ(model->getLevelObjectTypes(), (std::vector<int32_t>{2, 3, 4}));
    for (int type : {7, 8, 9})
        model->addLevelBonusType(type);
    EXPECT_EQ(model->getLevelBonusTypes(), (std::vector<int32_t>{8, 9}));
    model->m_maxBonusesOnLevel = 0;
    model->getLevelBonusTypes().clear();
    model->addLevelBonusType(7);
    EXPECT_TRUE(model->getLevelBonusTypes().empty());
}

TEST(MeadowModel, LevelTypesFromTheEditorsChoices) {
    Engine::randomSeed(9);
    auto model = TestModel::makeFixtureModel(); // allowed 1 2 3 4, five types a level
    model->getLevelBonusTypes() = {7};
    model->getLevelObjectTypes() = {2};
    std::vector<bool> groups(6, false);
    model->defineLevelTypesFromChoices(groups);
    EXPECT_EQ(model->getLevelTypes(), (std::vector<int32_t>{7, 2, 3, 4, 1}));
    EXPECT_EQ(model->getBonus(31)->available, 1);
    EXPECT_EQ(groups, (std::vector<bool>{true, true, true, true, false, false}));

    // Too few allowed types to reach five: the random step stops instead of drawing for ever.
    model->getLevelTypes().clear();
    model->getAllowedTypes() = {1, 2};
    model->getLevelBonusTypes().clear();
    std::vector<bool> none(6, false);
    model->defineLevelTypesFromChoices(none);
    EXPECT_EQ(model->getLevelTypes(), (std::vector<int32_t>{2, 1}));
}

TEST(MeadowModel, UnlockedTypesKeepTheGreatestOfACategory) {
    auto model = TestModel::makeFixtureModel();
    model->getUnlockedTypes() = {8, 7, 5};
    EXPECT_TRUE(model->pruneUnlockedTypes());
    EXPECT_EQ(model->getUnlockedTypes(), (std::vector<int32_t>{8, 5}));
    EXPECT_FALSE(model->pruneUnlockedTypes());

    model->getUnlockedTypes() = {7, 8, 5};
    model->getLevelTypes() = {1};
    std::vector<bool> groups(6, false);
    model->takeUnlockedTypes(groups);
    EXPECT_EQ(model->getLevelTypes(), (std::vector<int32_t>{1, 8, 5}));
    EXPECT_TRUE(model->getUnlockedTypes().empty());
}

TEST(MeadowModel, WithoutAnUnlockedBonusTypeARandomOfferedBonusJoins) {
    auto model = TestModel::makeFixtureModel();
    model->getBonus(31)->available = 1; // bear: type 7, colour group 0
    model->getBonus(11)->available = 1; // chicken: same category, smaller type
    model->getUnlockedTypes() = {5};
    model->getLevelTypes() = {2};
    std::vector<bool> groups(6, false);
    model->takeUnlockedTypes(groups);
    EXPECT_EQ(model->getLevelTypes(), (std::vector<int32_t>{2, 5, 7}));

    // Its colour group taken: nothing joins.
    model->getLevelTypes() = {2};
    std::vector<bool> taken(6, false);
    taken[0] = true;
    model->addRandomLevelBonus(taken);
    EXPECT_EQ(model->getLevelTypes(), (std::vector<int32_t>{2}));
}

TEST(MeadowModel, UpgradedUnitsAddTheirOrdinaryTypesToTheAllowedOnes) {
    auto model = TestModel::makeFixtureModel();
    model->getUnitsFeature()->getUnit(0)->setLevel(1); // type 7, category 2
    model->getUnitsFeature()->getUnit(1)->setLevel(1); // type 5, category 1
    model->addUnitTypesToAllowed();
    EXPECT_EQ(model->getAllowedTypes(), (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

} // namespace
