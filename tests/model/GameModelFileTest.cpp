// The shipped model description and levels load into the board model and hold together:
// every matchable piece pays every run, every bonus has its product, every unit can be built
// up group after group.

#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "tests/model/ShippedModel.h"
#include "tests/support/DataFolders.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class GameModelFile : public ::testing::Test {
protected:
    std::unique_ptr<cMeadowModel> m_model = TestShipped::makeModel();
};

TEST_F(GameModelFile, SettingsLetALevelUseFiveColourGroups) {
    cMeadowModel& model = *m_model;
    EXPECT_GE(model.m_maxObjectsOnLevel, 1);
    EXPECT_LE(model.m_maxObjectsOnLevel, 5);
    EXPECT_GE(model.m_colorGroupsAmount, 5);
    EXPECT_GT(model.m_updateTime, 0.0f);
    EXPECT_GT(model.m_blastedBonusPrice, 0);
    EXPECT_GT(model.m_animalsCareClicks, 0);
    EXPECT_GT(model.m_superCombo, 0);
    EXPECT_GT(model.m_ultraCombo, model.m_superCombo);
    EXPECT_LT(model.m_randomLevelsStartNumber, model.getLevelCount());
    EXPECT_EQ(model.getLevelCount(), 100);

    // The first level's pieces fill a level on their own, each from its own colour group.
    std::set<int32_t> groups;
    for (int32_t type : model.getAllowedTypes()) {
        EXPECT_EQ(model.getTypeCategory(type), 1) << type;
        groups.insert(model.getColourGroup(type));
    }
    EXPECT_GE(int32_t(groups.size()), model.m_maxObjectsOnLevel);
}

TEST_F(GameModelFile, EveryMatchablePiecePaysRunsOfThreeToSevenAndPrizesPayOnArrival) {
    cMeadowModel& model = *m_model;
    for (int32_t category = 1; category < cMeadowModel::CATEGORY_COUNT; ++category) {
        for (int32_t type : model.getTypesOfCategory(category)) {
            if (category == 10) {
                EXPECT_NE(model.findTransformationRule(type, 1), nullptr) << type;
                continue;
            }
            for (int32_t amount = 3; amount <= 7; ++amount)
                EXPECT_NE(model.findTransformationRule(type, amount), nullptr) << type << "_" << amount;
        }
    }
    for (int32_t prize : {101, 102})
        EXPECT_EQ(model.getTypeCategory(prize), 10);
    for (int32_t special : {201, 202, 203, 204})
        EXPECT_EQ(model.getTypeCategory(special), 11);
}

TEST_F(GameModelFile, EveryBonusIsChargedByAProductThatLooksLikeAnOrdinaryPiece) {
    cMeadowModel& model = *m_model;
    ASSERT_FALSE(model.getBonuses().empty());
    EXPECT_NO_THROW(model.getResourcePoints(1));
    std::set<int32_t> ordinaryGroups;
    for (int32_t type : model.getTypesOfCategory(1))
        ordinaryGroups.insert(model.getColourGroup(type));
    for (cGameResource* bonus : model.getBonuses()) {
        SCOPED_TRACE(bonus->id);
        EXPECT_GT(bonus->price, 0);
        EXPECT_FALSE(bonus->name.empty());
        EXPECT_FALSE(bonus->description.empty());
        const int32_t product = bonus->objectType;
        EXPECT_GT(model.getTypeCategory(product), 1);
        EXPECT_LT(model.getTypeCategory(product), 10);
        EXPECT_TRUE(ordinaryGroups.count(model.getColourGroup(product)));
        EXPECT_EQ(model.getBonusTypeForObjectType(product), bonus->type);
    }
}

TEST_F(GameModelFile, TwentySixUnitsEachWithUpgradesThatSayTheirPiece) {
    cUnitsFeature& units = *m_model->getUnitsFeature();
    ASSERT_EQ(units.getUnitCount(), 26);
    for (int32_t i = 0; i < units.getUnitCount(); ++i) {
        const cMeadowUnit& unit = *units.getUnit(i);
        SCOPED_TRACE("unit " + std::to_string(i));
        EXPECT_GE(unit.getMaxLevel(), 1);
        EXPECT_LE(unit.getMaxLevel(), 3);
        int32_t price = 0;
        for (int32_t level = 1; level <= unit.getMaxLevel(); ++level) {
            const cUnitUpgrade& upgrade = unit.getUpgrade(level);
            EXPECT_EQ(upgrade.level, level);
            EXPECT_GE(upgrade.price, price);
            price = upgrade.price;
            EXPECT_FALSE(upgrade.name.empty());
            EXPECT_FALSE(upgrade.description.empty());
            EXPECT_FALSE(upgrade.primaryPhrase.empty());
            EXPECT_FALSE(upgrade.regularPhrase.empty());
            EXPECT_GE(upgrade.randomPhrases.size(), 2u);
            if (upgrade.object != -1) {
                EXPECT_NO_THROW(m_model->getTypeCategory(upgrade.object));
            }
        }
    }
}

TEST_F(GameModelFile, BuyingWhatEachGroupOffersOpensTheNextUntilAllIsBuilt) {
    cMeadowModel& model = *m_model;
    cUnitsFeature& units = *model.getUnitsFeature();
    for (int32_t round = 0; round < 100 && !units.isFullyUpgraded(); ++round) {
        const int32_t group = model.getCurrentGroup();
        bool bought = false;
        for (int32_t i = 0; i < units.getUnitCount(); ++i) {
            cMeadowUnit* unit = units.getUnit(i);
            if (!unit->hasNextUpgrade() || unit->getNextUpgrade().group > group)
                continue;
            model.addResourcePoints(1, unit->getNextUpgrade().price);
            units.upgradeUnit(unit, 0);
            bought = true;
        }
        ASSERT_TRUE(bought) << "group " << group << " offers nothing and is not complete";
    }
    EXPECT_TRUE(units.isFullyUpgraded());
    EXPECT_EQ(model.getResourcePoints(1), 0);
}

TEST_F(GameModelFile, EightPiecesFiveFromTheStartAndThreeFromUpgradesEachInItsOwnColourGroup) {
    cMeadowModel& model = *m_model;
    const std::vector<int32_t> ordinary = model.getTypesOfCategory(1);
    EXPECT_EQ(ordinary.size(), 8u);
    std::set<int32_t> groups;
    for (int32_t type : ordinary)
        groups.insert(model.getColourGroup(type));
    EXPECT_EQ(groups.size(), ordinary.size());
    EXPECT_LE(int32_t(groups.size()), model.m_colorGroupsAmount);

    const std::vector<int32_t> start = model.getAllowedTypes();
    EXPECT_EQ(start.size(), 5u);
    std::set<int32_t> unlocked;
    cUnitsFeature& units = *model.getUnitsFeature();
    for (int32_t i = 0; i < units.getUnitCount(); ++i) {
        const cMeadowUnit& unit = *units.getUnit(i);
        for (int32_t level = 1; level <= unit.getMaxLevel(); ++level) {
            const int32_t object = unit.getUpgrade(level).object;
            if (object != -1 && model.getTypeCategory(object) == 1)
                unlocked.insert(object);
        }
    }
    for (int32_t type : start)
        EXPECT_FALSE(unlocked.count(type)) << type;
    EXPECT_EQ(unlocked.size(), 3u);
}

// A restart rebuilds the allowed pieces and the bonuses from each unit's current upgrade only, so
// a later upgrade that named no piece would take away what the earlier one gave.
TEST_F(GameModelFile, ARestartKeepsThePieceAndBonusOfEachUnitsLatestProduct) {
    cMeadowModel& live = *m_model;
    cUnitsFeature& units = *live.getUnitsFeature();
    auto restarted = TestShipped::makeModel();
    cUnitsFeature& restartedUnits = *restarted->getUnitsFeature();
    std::vector<int32_t> latestProduct(size_t(units.getUnitCount()), -1);
    for (int32_t round = 0; round < 100 && !units.isFullyUpgraded(); ++round) {
        const int32_t group = live.getCurrentGroup();
        for (int32_t i = 0; i < units.getUnitCount(); ++i) {
            cMeadowUnit* unit = units.getUnit(i);
            if (!unit->hasNextUpgrade() || unit->getNextUpgrade().group > group)
                continue;
            live.addResourcePoints(1, unit->getNextUpgrade().price);
            units.upgradeUnit(unit, 0);
            restartedUnits.getUnit(i)->upgrade(0);
            if (unit->getObjectType() != -1)
                latestProduct[size_t(i)] = unit->getObjectType();
            else if (latestProduct[size_t(i)] != -1)
                ADD_FAILURE() << "unit " << i << " drops its product at level " << unit->getLevel();
        }
        SCOPED_TRACE("after group " + std::to_string(group));
        restarted->getAllowedTypes().assign({1, 2, 3, 4, 5});
        restarted->addUnitTypesToAllowed();
        restartedUnits.addUnitBonuses();
        auto pieces = [](cMeadowModel& model) {
            std::set<int32_t> types;
            for (int32_t type : model.getAllowedTypes())
                if (model.getTypeCategory(type) == 1)
                    types.insert(type);
            return types;
        };
        EXPECT_EQ(pieces(*restarted), pieces(live));
        std::set<int32_t> restartedBonuses;
        for (const cGameResource* bonus : restarted->getAvailableBonuses())
            restartedBonuses.insert(bonus->type);
        for (int32_t product : latestProduct) {
            const int32_t bonus = product == -1 ? -1 : restarted->getBonusTypeForObjectType(product);
            EXPECT_TRUE(bonus == -1 || restartedBonuses.count(bonus)) << "bonus " << bonus;
        }
    }
}

// The game's own way in: the data folder, the file system and the resource manager.
TEST_F(GameModelFile, TheGameReadsBothShippedFilesFromItsDataFolder) {
    TestSupport::DataFolders folders;
    for (const char* name : {"GameModel.xml", "GameLevels.xml"})
        folders.writeData(std::string("Meadow/Model/") + name,
                          TestSupport::readFileBytes(TestShipped::modelPath(name)));
    Engine::cFileSystem fileSystem(folders.dataFolder(), "pack");
    Engine::cResourceManager resources;
    cMeadowModel model;
    EXPECT_EQ(model.getLevelCount(), 100);
    EXPECT_EQ(model.getUnitsFeature()->getUnitCount(), 26);
}

TEST_F(GameModelFile, FourLevelAchievementsWithTheSummaryFourth) {
    const auto& achievements = m_model->getLevelAchievements()->getAchievements();
    ASSERT_EQ(achievements.size(), 4u);
    for (int32_t id = 0; id < 4; ++id) {
        EXPECT_EQ(achievements[size_t(id)].id, id);
        EXPECT_FALSE(achievements[size_t(id)].name.empty());
    }
    cLevelAchievements& values = *m_model->getLevelAchievements();
    values.setValue(0, 10);
    values.setValue(1, 20);
    values.setValue(2, 30);
    values.updateSummary();
    EXPECT_EQ(values.getValue(3), 60);
}

} // namespace
