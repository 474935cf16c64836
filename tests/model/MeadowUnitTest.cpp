#include "game/model/MeadowUnit.h"

#include "engine/core/Random.h"
#include "engine/core/Strings.h"
#include "game/model/Signal.h"
#include "tests/model/ModelFixture.h"
#include "tests/support/FileServices.h"

#include <gtest/gtest.h>

using TestModel::thrownText;

namespace {

TEST(MeadowUnit, ReadsUpgradesAndPhrasesAfterTheDefaultOne) {
    auto model = TestModel::makeFixtureModel();
    cUnitsFeature& units = *model->getUnitsFeature();
    ASSERT_EQ(units.getUnitCount(), 3);
    cMeadowUnit& barn = *units.getUnit(0);
    EXPECT_EQ(barn.getIndex(), 0);
    EXPECT_FALSE(barn.isForbidden());
    EXPECT_EQ(barn.getLevel(), 0);
    EXPECT_EQ(barn.getMaxLevel(), 2);
    EXPECT_TRUE(barn.hasNextUpgrade());

    const cUnitUpgrade& none = barn.getUpgrade(0);
    EXPECT_EQ(none.level, 0);
    EXPECT_EQ(none.price, 0);
    EXPECT_EQ(none.object, -1);
    EXPECT_EQ(barn.getPrice(), 0);
    EXPECT_EQ(barn.getObjectType(), -1);

    const cUnitUpgrade& first = barn.getNextUpgrade();
    EXPECT_EQ(first.level, 1);
    EXPECT_EQ(first.price, 100);
    EXPECT_EQ(first.object, 7);
    EXPECT_EQ(first.group, 0);
    EXPECT_EQ(first.name, L"Barn");
    EXPECT_EQ(first.description, L"A small barn");
    EXPECT_EQ(first.primaryPhrase, L"The barn is up!");
    EXPECT_EQ(first.regularPhrase, L"The barn keeps the hay dry.");
    EXPECT_EQ(first.randomPhrases, (std::vector<std::wstring>{L"Hay again?", L"Smells of summer."}));
    EXPECT_EQ(barn.getUpgrade(2).object, -1); // "object" left out

    cMeadowUnit& well = *units.getUnit(1);
    EXPECT_TRUE(well.isForbidden());
    EXPECT_TRUE(well.getUpgrade(1).randomPhrases.empty()); // "Phrases" without "Randoms"

    cMeadowUnit& fence = *units.getUnit(2);
    EXPECT_EQ(fence.getUpgradeCount(), 1);
    EXPECT_EQ(fence.getMaxLevel(), 0);
    EXPECT_FALSE(fence.hasNextUpgrade());
}

TEST(MeadowUnit, UpgradingMovesToTheNextUpgradeAndTellsListeners) {
    auto model = TestModel::makeFixtureModel();
    cMeadowUnit& barn = *model->getUnitsFeature()->getUnit(0);
    std::vector<std::string> heard;
    boost::signals2::scoped_connection changed = barn.m_changedSignal.connect(
        [&](cMeadowUnit* u) { heard.push_back("changed " + std::to_string(u->getLevel())); });
    boost::signals2::scoped_connection restored = barn.m_restoredSignal.connect(
        [&](cMeadowUnit* u) { heard.push_back("restored " + std::to_string(u->getLevel())); });
    barn.upgrade(2);
    EXPECT_EQ(barn.getLevel(), 1);
    EXPECT_EQ(barn.getVariant(), 2);
    EXPECT_EQ(barn.getName(), L"Barn");
    EXPECT_EQ(barn.getPrice(), 100);
    EXPECT_EQ(barn.getObjectType(), 7);
    EXPECT_EQ(barn.getPrimaryPhrase(), L"The barn is up!");
    barn.setLevelAndVariant(2, 1);
    EXPECT_EQ(barn.getName(), L"Big barn");
    EXPECT_EQ(heard, (std::vector<std::string>{"changed 1", "restored 2"}));
}

TEST(MeadowUnit, RandomPhrasesFollowTheGeneratorAndMayBeMissing) {
    auto model = TestModel::makeFixtureModel();
    cMeadowUnit& barn = *model->getUnitsFeature()->getUnit(0);
    EXPECT_EQ(barn.getRandomPhrase(), L""); // the default upgrade has none
    barn.upgrade(0);
    Engine::randomSeed(11);
    std::vector<std::wstring> expected;
    for (int i = 0; i < 8; ++i)
        expected.push_back(barn.getUpgrade(1).randomPhrases[size_t(Engine::randomNext() * 2 / 32768)]);
    Engine::randomSeed(11);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(barn.getRandomPhrase(), expected[size_t(i)]);
}

TEST(MeadowUnit, GroupsKeysAndClones) {
    auto model = TestModel::makeFixtureModel();
    cMeadowUnit& barn = *model->getUnitsFeature()->getUnit(0);
    EXPECT_TRUE(barn.hasUpgradeInGroup(1));
    EXPECT_TRUE(barn.hasUpgradeInGroup(0));
    EXPECT_FALSE(barn.hasUpgradeInGroup(5));
    EXPECT_EQ(barn.getUpgradeInGroup(1).level, 2);
    EXPECT_EQ(thrownText([&] { barn.getUpgradeInGroup(5); }),
              "cMeadowUnit::getUpgradeInGroup(): there is no upgrade in this unit for a group: 5");
    EXPECT_FALSE(model->getUnitsFeature()->getUnit(2)->hasUpgradeInGroup(0));

    cMeadowUnit& fence = *model->getUnitsFeature()->getUnit(2);
    fence.setIndex(4);
    EXPECT_EQ(fence.getLevelKey(), "unit_lvl_4");
    EXPECT_EQ(fence.getVariantKey(), "unit_var_4");

    barn.upgrade(1);
    int heard = 0;
    boost::signals2::scoped_connection changed = barn.m_changedSignal.connect([&](cMeadowUnit*) { ++heard; });
    std::unique_ptr<cMeadowUnit> preview = barn.clone();
    preview->upgrade(-1);
    EXPECT_EQ(heard, 0); // the clone has no listeners
    EXPECT_EQ(preview->getLevel(), 2);
    EXPECT_EQ(barn.getLevel(), 1);
    EXPECT_EQ(preview->getId(), 0);
    EXPECT_EQ(preview->getName(), L"Big barn");
    EXPECT_EQ(thrownText([&] { preview->getUpgrade(3); }), "cMeadowUnit::getUpgrade(): wrong upgrade index: 3");
    EXPECT_EQ(thrownText([&] { preview->upgrade(-1); }), "cMeadowUnit::upgrade(): there is no next upgrade for unit 0");
}

TEST(MeadowUnit, PhrasesAreTranslatedThroughTheLocalisedStrings) {
    TestSupport::FileServices services;
    TestModel::writeModelFile(services, "GameModel.xml");
    TestModel::writeModelFile(services, "GameLevels.xml");
    services.writeData("sys/strings.xml", "<Strings><s><text>The barn is up!</text><translation>Die Scheune steht!"
                                          "</translation></s><s><text>Hay again?</text><translation>Schon wieder Heu?"
                                          "</translation></s></Strings>");
    services.start();
    {
        Engine::cStrings strings;
        cMeadowModel model;
        const cUnitUpgrade& barn = model.getUnitsFeature()->getUnit(0)->getUpgrade(1);
        EXPECT_EQ(barn.primaryPhrase, L"Die Scheune steht!");
        EXPECT_EQ(barn.regularPhrase, L"The barn keeps the hay dry.");
        EXPECT_EQ(barn.randomPhrases, (std::vector<std::wstring>{L"Schon wieder Heu?", L"Smells of summer."}));
        EXPECT_EQ(barn.name, L"Barn"); // names are shown through the labels' own translation
    }
    services.stop();
}

} // namespace
