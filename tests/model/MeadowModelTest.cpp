#include "game/model/MeadowModel.h"

#include "engine/core/FileSystem.h"
#include "engine/core/Random.h"
#include "engine/core/ResourceManager.h"
#include "game/model/Signal.h"
#include "tests/model/ModelFixture.h"
#include "tests/support/DataFolders.h"

#include <gtest/gtest.h>

using TestModel::makeFixtureModel;
using TestModel::makeModel;
using TestModel::minimalModelXml;
using TestModel::thrownText;

namespace {

TEST(MeadowModel, ReadsTheSettingsOfTheDescription) {
    auto model = makeFixtureModel();
    EXPECT_EQ(model->m_maxObjectsOnLevel, 5);
    EXPECT_EQ(model->m_maxBonusesOnLevel, 2);
    EXPECT_EQ(model->m_maxVehicleSlots, 3);
    EXPECT_FLOAT_EQ(model->m_movesMultiplier, 1.25f);
    EXPECT_EQ(model->m_maxHelpMoves, 7);
    EXPECT_EQ(model->m_colorGroupsAmount, 6);
    EXPECT_FLOAT_EQ(model->m_updateTime, 0.25f);
    EXPECT_FLOAT_EQ(model->m_fallObjSoundDelay, 0.125f);
    EXPECT_FLOAT_EQ(model->m_comboSoundDelay, 0.5f);
    EXPECT_FLOAT_EQ(model->m_seriaBufferTime, 2.5f);
    EXPECT_EQ(model->m_superCombo, 4);
    EXPECT_EQ(model->m_ultraCombo, 7);
    EXPECT_FLOAT_EQ(model->m_vehicleMoneyParam, 1.5f);
    EXPECT_EQ(model->m_animalsCareClicks, 12);
    EXPECT_EQ(model->m_blastedBonusPrice, 3);
    EXPECT_EQ(model->m_randomLevelsStartNumber, 1);
    EXPECT_EQ(model->getAllowedTypes(), (std::vector<int32_t>{1, 2, 3, 4}));
}

TEST(MeadowModel, MissingSettingsKeepTheirInitialValues) {
    auto model = makeModel(minimalModelXml("max_objects_on_level=\"\""));
    EXPECT_EQ(model->m_maxObjectsOnLevel, 0);
    EXPECT_EQ(model->m_maxHelpMoves, 10);
    EXPECT_FLOAT_EQ(model->m_updateTime, 0.5f);
    EXPECT_TRUE(model->getAllowedTypes().empty());
}

TEST(MeadowModel, FirstLevelObjectsSplitAtUnderscores) {
    struct {
        const char* text;
        std::vector<int32_t> types;
    } cases[] = {{"1_2_3", {1, 2, 3}}, {"1__2", {1, 0, 2}}, {"1_2_", {1, 2}}, {"7", {7}}, {"x_3", {0, 3}}, {"", {}}};
    for (const auto& c : cases) {
        auto model = makeModel(minimalModelXml(std::string("first_level_objects=\"") + c.text + "\""));
        EXPECT_EQ(model->getAllowedTypes(), c.types) << c.text;
    }
}

TEST(MeadowModel, ReadsObjectTypesCategoriesColourGroupsAndRules) {
    auto model = makeFixtureModel();
    EXPECT_EQ(model->getTypeCategory(1), 1);
    EXPECT_EQ(model->getTypeCategory(9), 3);
    EXPECT_EQ(model->getTypeCategory(11), 11);
    EXPECT_EQ(model->getColourGroup(2), 1);
    EXPECT_EQ(model->getColourGroup(11), 0); // missing colour group reads as 0
    EXPECT_EQ(model->getOrdinaryTypeCount(), 5);
    EXPECT_EQ(model->getTypesOfCategory(1), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(model->getTypesOfCategory(2), (std::vector<int32_t>{7, 8}));
    EXPECT_EQ(model->getTypesOfCategory(10), (std::vector<int32_t>{102}));
    EXPECT_EQ(thrownText([&] { model->getTypeCategory(6); }), "cMeadowModel::getTypeCategory(): unknown type: 6");

    // A later rule with the same key replaces the earlier one; a rule without amount is keyed _0.
    ASSERT_NE(model->findTransformationRule(1, 3), nullptr);
    EXPECT_EQ(*model->findTransformationRule(1, 3), std::make_pair(6, 1));
    EXPECT_EQ(*model->findTransformationRule(1, 4), std::make_pair(10, 2));
    EXPECT_EQ(*model->findTransformationRule(2, 0), std::make_pair(2, 9));
    EXPECT_EQ(model->findTransformationRule(1, 5), nullptr);
    EXPECT_EQ(cMeadowModel::makeRuleKey(3, 4), "3_4");
}

TEST(MeadowModel, ReadsResourcesAndBonusesInFileOrder) {
    auto model = makeFixtureModel();
    EXPECT_EQ(TestModel::ids(model->getResources()), (std::vector<std::string>{"money", "stars"}));
    EXPECT_EQ(TestModel::ids(model->getBonuses()), (std::vector<std::string>{"bear", "cat", "chicken", "mixer"}));

    const cGameResource& bear = *model->getBonus(31);
    EXPECT_EQ(bear.objectType, 7);
    EXPECT_EQ(bear.category, 1);
    EXPECT_EQ(bear.price, 50);
    EXPECT_EQ(bear.name, L"Bear");
    EXPECT_EQ(bear.description, L"Stamps on a square of pieces");
    EXPECT_EQ(bear.special, 1);
    EXPECT_EQ(bear.byClick, 0);
    EXPECT_EQ(bear.points, 0);
    const cGameResource& money = *model->getResources()[0];
    EXPECT_EQ(money.type, 1);
    EXPECT_EQ(money.objectType, -1);
    EXPECT_EQ(money.category, -1);
    EXPECT_EQ(money.name, L"Coins");
}

TEST(MeadowModel, MalformedDescriptionsThrowTheirMessages) {
    const std::string achievements =
        "<LevelAchievements><A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements>";
    struct {
        std::string xml;
        std::string message;
    } cases[] = {
        {"<Model><GameObjects/><Units/>" + achievements + "</Model>",
         "cMeadowModel::loadModelResources(): incorrect GameModel.xml: <GameResources> tag is absent or resources are "
         "not defined."},
        {"<Model><GameResources/><Units/>" + achievements + "</Model>",
         "cMeadowModel::loadModelSettings(): incorrect GameModel.xml: <GameObject> tag is absent or no one object is "
         "defined."},
        {"<Model><GameResources/><GameObjects><O type=\"1\" category=\"1\"/><O type=\"1\" "
         "category=\"2\"/></GameObjects>"
         "<Units/>" +
             achievements + "</Model>",
         "cMeadowModel::loadModelObjectTypes(): duplicated game object type in GameModel.xml"},
        {"<Model><GameResources/><GameObjects><O type=\"4\" category=\"12\"/></GameObjects><Units/>" + achievements +
             "</Model>",
         "cMeadowModel::loadModelObjectTypes(): category of game object type 4 is out of range [0..11] in "
         "GameModel.xml: 12"},
        {"<Model><GameResources/><GameObjects/>" + achievements + "</Model>",
         "cUnitsFeature::loadUnits(): incorrect GameModel.xml: <Units> tag is absent or units are not defined."},
        {"<Model><GameResources/><GameObjects/><Units><U/></Units>" + achievements + "</Model>",
         "cMeadowUnit::loadUnits(): incorrect GameModel.xml: some unit hasn't upgrades."},
        {"<Model><GameResources/><GameObjects/><Units/></Model>",
         "cLevelAchievements::loadXML(): incorrect GameModel.xml: <LevelAchievements> tag is absent."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(thrownText([&] { makeModel(c.xml); }), c.message) << c.xml;
}

TEST(MeadowModel, EmptySectionsAreAccepted) {
    auto model = makeModel("<Model><GameResources/><GameObjects/><Units/><LevelAchievements/></Model>");
    EXPECT_TRUE(model->getResources().empty());
    EXPECT_TRUE(model->getBonuses().empty());
    EXPECT_EQ(model->getOrdinaryTypeCount(), 0);
    EXPECT_EQ(model->getUnitsFeature()->getUnitCount(), 0);
}

TEST(MeadowModel, ReadsEveryLevelRecord) {
    auto model = makeFixtureModel();
    ASSERT_EQ(model->getLevelCount(), 3);
    cLevelInfo& first = model->getLevels()[0];
    EXPECT_EQ(first.rows, 3);
    EXPECT_EQ(first.columns, 4);
    EXPECT_EQ(first.cellTexts, (std::vector<std::wstring>{L"1_1_2_1", L"1_17_1_257", L"0_1_1_1"}));
    EXPECT_EQ(first.objectTexts[1], L"0_1_0_0");
    EXPECT_EQ(first.bonusesAmount, 2);
    EXPECT_TRUE(first.vehicleAttr);
    ASSERT_EQ(first.vehicles.size(), 2u);
    // The file's money is replaced by the computed one: (1×3 + 2×5 + 3×2) × 1.5.
    EXPECT_EQ(first.vehicles[0]->getMoney(), 28);
    EXPECT_EQ(first.vehicles[1]->getMoney(), 6);
    EXPECT_TRUE(first.vehicles[0]->hasBonus());
    EXPECT_EQ(first.vehicles[0]->getState(), cVehicleModel::WAITING);
    EXPECT_EQ(first.vehicles[0]->getSlotCount(), 3);

    cLevelInfo& second = model->getLevels()[1];
    EXPECT_EQ(second.bonusesAmount, 1);
    EXPECT_FALSE(second.vehicleAttr);
    EXPECT_TRUE(second.vehicles.empty());
}

TEST(MeadowModel, MalformedLevelFilesThrow) {
    EXPECT_EQ(thrownText([] { makeModel(minimalModelXml(), "<Levels/>"); }),
              "cMeadowModel::loadAllLevels(): there is no one level is defined");
    EXPECT_EQ(thrownText([] {
                  makeModel(minimalModelXml(),
                            "<Levels><Level size=\"1 1\"><Rows><Row/><Row/></Rows></Level></Levels>");
              }),
              "cMeadowModel::loadAllLevels(): level 0 has more rows than its size");
    for (const char* size : {"-1 2", "3 -2"})
        EXPECT_EQ(thrownText([&] {
                      makeModel(minimalModelXml(), std::string("<Levels><Level size=\"") + size + "\"/></Levels>");
                  }),
                  "cMeadowModel::loadAllLevels(): wrong size of level 0")
            << size;
    // The board screen holds at most 256 rows and 256 columns.
    for (const char* size : {"2 1e30", "1025 1", "257 1", "1 257"})
        EXPECT_EQ(thrownText([&] {
                      makeModel(minimalModelXml(), std::string("<Levels><Level size=\"") + size + "\"/></Levels>");
                  }),
                  "cMeadowModel::loadAllLevels(): level 0 is larger than 256 x 256 cells")
            << size;
    EXPECT_EQ(makeModel(minimalModelXml(), "<Levels><Level size=\"256 256\"/></Levels>")->getLevels()[0].rows, 256);
}

TEST(MeadowModel, IsNotASingleton) {
    auto first = makeFixtureModel();
    auto second = makeFixtureModel();
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(second->getLevelCount(), 3);
}

TEST(MeadowModel, StartsWithThePropertyPairsInitialValues) {
    auto model = makeFixtureModel();
    EXPECT_FALSE(model->isBoardChanged());
    EXPECT_EQ(model->getCurrentLevel(), -1);
    EXPECT_EQ(model->getCurrentGroup(), 0);
    EXPECT_FALSE(model->isEditorMode());
    EXPECT_TRUE(model->getFlag5());
    EXPECT_FALSE(model->isRandomLevel());
    EXPECT_FALSE(model->isFinished());
    EXPECT_EQ(model->getGoldPrizesTotal(), 0);
    EXPECT_EQ(model->getGoldPrizesLeft(), 0);
    EXPECT_EQ(model->getAnimalsCare(), 0);
    EXPECT_EQ(model->getTriggerTable().size(), 256u);
    EXPECT_EQ(model->getConstantOne(), 1);
    model->incMatchedObjects();
    model->incMatchedObjects();
    EXPECT_EQ(model->getMatchedObjects(), 2);
}

// ---- Level-end test ----

// A one-row board with a wood cell and a locked cell still to clear.
struct LevelEndBoard {
    LevelEndBoard() {
        model = makeFixtureModel();
        model->createBoard(1, 3);
        model->getFiredTriggers().push_back(0);
        wood = model->createCell(0, 0, 2);
        locked = model->createCell(0, 1, 1 + 16);
        model->createCell(0, 2, 1);
        model->getComplexCells() = {wood, locked};
    }
    std::unique_ptr<cMeadowModel> model;
    cCellModel* wood = nullptr;
    cCellModel* locked = nullptr;
};

TEST(MeadowModel, EndsWhenNoComplexCellGoldPrizeOrVehicleIsLeft) {
    LevelEndBoard board;
    auto& model = board.model;
    cCellModel* wood = board.wood;
    cCellModel* locked = board.locked;
    EXPECT_FALSE(model->isGameFinished());
    wood->setType(1);
    EXPECT_FALSE(model->isGameFinished());
    EXPECT_EQ(model->getComplexCells(), (std::vector<cCellModel*>{locked}));
    locked->setLocks(0);
    model->setGoldPrizesLeft(1);
    EXPECT_FALSE(model->isGameFinished()); // a gold prize is still to be reached
    EXPECT_TRUE(model->getComplexCells().empty());
    model->setGoldPrizesLeft(0);
    model->getVehiclesFeature()->addVehicle();
    EXPECT_FALSE(model->isGameFinished()); // a vehicle still waits
    model->getVehiclesFeature()->clear();
    EXPECT_TRUE(model->isGameFinished());
}

TEST(MeadowModel, FinishedEndsTheLevelAtOnceAndOnlyOnce) {
    LevelEndBoard board;
    auto& model = board.model;
    model->setFinished(true);
    EXPECT_TRUE(model->isGameFinished());
    EXPECT_FALSE(model->isFinished());
    EXPECT_FALSE(model->isGameFinished());
}

TEST(MeadowModel, ANullComplexCellThrows) {
    LevelEndBoard board;
    auto& model = board.model;
    cCellModel* wood = board.wood;
    cCellModel* locked = board.locked;
    model->getComplexCells().push_back(nullptr);
    wood->setType(1);
    locked->setLocks(0);
    EXPECT_EQ(thrownText([&] { model->isGameFinished(); }), "cMeadowModel::isGameFinished(): cell is 0");
}

TEST(MeadowModel, CompletingALevelMovesToTheNextOneThenToRandomPlay) {
    auto model = makeFixtureModel();
    model->setNextAvailableLevel(1);
    model->completeLevel();
    EXPECT_EQ(model->getNextAvailableLevel(), 2);
    EXPECT_FALSE(model->isRandomLevel());
    model->completeLevel();
    EXPECT_EQ(model->getNextAvailableLevel(), 0);
    EXPECT_TRUE(model->isRandomLevel());
}

TEST(MeadowModel, CompletingALevelSumsTheAchievements) {
    auto model = makeFixtureModel();
    model->addResourcePoints(1, 15); // board money, achievement 0
    model->getLevelAchievements()->setValue(2, 40);
    cVehicleModel* vehicle = model->getVehiclesFeature()->addVehicle();
    vehicle->setMoney(25);
    model->getVehiclesFeature()->removeVehicle(vehicle);
    model->completeLevel();
    EXPECT_EQ(model->getLevelAchievements()->getValue(1), 25);
    EXPECT_EQ(model->getLevelAchievements()->getValue(3), 15 + 25 + 40);
}

// ---- Random draws ----

TEST(MeadowModel, RandomTypesFollowTheSeededGenerator) {
    auto model = makeFixtureModel();
    model->getLevelTypes() = {11, 12, 13, 14, 15};
    Engine::randomSeed(7);
    std::vector<int32_t> expected;
    for (int i = 0; i < 20; ++i)
        expected.push_back(model->getLevelTypes()[size_t(Engine::randomNext() * 5 / 32768)]);
    Engine::randomSeed(7);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(model->getRandomLevelType(), expected[size_t(i)]);
}

TEST(MeadowModel, RandomTypeDrawsFailClearly) {
    auto model = makeModel(minimalModelXml());
    EXPECT_EQ(thrownText([&] { model->getRandomAllowedType(); }),
              "cMeadowModel::getRandomAllowedType(): there are no allowed types");
    EXPECT_EQ(thrownText([&] { model->getRandomLevelType(); }),
              "cMeadowModel::getRandomLevelType(): there are no level types");
    model->getAllowedTypes() = {300};
    model->getLevelTypes() = {-1};
    EXPECT_EQ(thrownText([&] { model->getRandomAllowedType(); }),
              "cMeadowModel::getRandomAllowedType(): wrong object type");
    EXPECT_EQ(thrownText([&] { model->getRandomLevelType(); }),
              "cMeadowModel::getRandomLevelType(): wrong object type");
    model->getLevelTypes() = {256};
    EXPECT_EQ(model->getRandomLevelType(), 256);
}

// ---- Signals ----

TEST(MeadowModel, SignalsReachConnectedListenersUntilTheyDisconnect) {
    auto model = makeFixtureModel();
    std::vector<std::string> heard;
    {
        boost::signals2::scoped_connection points =
            model->m_pointsEarnedSignal.connect([&](const Engine::cVector2& at, const int32_t& amount) {
                heard.push_back("points " + std::to_string(int(at.x)) + "," + std::to_string(int(at.y)) + " " +
                                std::to_string(amount));
            });
        boost::signals2::scoped_connection prize = model->m_prizeCellSignal.connect(
            [&](int32_t r, int32_t c) { heard.push_back("prize " + std::to_string(r * 10 + c)); });
        boost::signals2::scoped_connection noMoves =
            model->m_noMovesSignal.connect([&] { heard.push_back("no moves"); });
        model->m_pointsEarnedSignal(Engine::cVector2(2.0f, 3.0f), 15);
        model->m_prizeCellSignal(1, 2);
        model->m_noMovesSignal();
    }
    model->m_noMovesSignal();
    EXPECT_EQ(heard, (std::vector<std::string>{"points 2,3 15", "prize 12", "no moves"}));
}

// The game's own way in: both files read from the data folder through the resource manager.
TEST(MeadowModel, ReadsBothFilesThroughTheResourceManager) {
    TestSupport::DataFolders folders;
    TestModel::writeModelFile(folders, "GameModel.xml");
    TestModel::writeModelFile(folders, "GameLevels.xml");
    Engine::cFileSystem fileSystem(folders.dataFolder(), "pack");
    Engine::cResourceManager resources;
    cMeadowModel model;
    EXPECT_EQ(model.getLevelCount(), 3);
    EXPECT_EQ(model.getUnitsFeature()->getUnitCount(), 3);
    EXPECT_EQ(model.m_maxVehicleSlots, 3);
}

TEST(MeadowModel, AMissingFileFailsTheConstruction) {
    TestSupport::DataFolders folders;
    TestModel::writeModelFile(folders, "GameModel.xml");
    Engine::cFileSystem fileSystem(folders.dataFolder(), "pack");
    Engine::cResourceManager resources;
    EXPECT_EQ(thrownText([] { cMeadowModel model; }), "File \"meadow/model/gamelevels.xml\" not found.");
}

} // namespace
