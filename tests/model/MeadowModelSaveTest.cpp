#include "engine/core/ProfileManager.h"
#include "engine/core/Random.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/UnitsFeature.h"
#include "tests/model/ModelFixture.h"
#include "tests/model/fakes/FakeMatchStatistics.h"
#include "tests/model/fakes/MemoryStream.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using TestFakes::MemoryStream;
using TestModel::thrownPlainText;
using TestModel::thrownText;

namespace {

std::unique_ptr<cMeadowModel> fixtureModel() {
    auto model = TestModel::makeFixtureModel();
    // The fixture's first_level_objects hold four types; a level takes five.
    model->getAllowedTypes().push_back(5);
    return model;
}

std::string saveBytes(cMeadowModel& model) {
    MemoryStream stream;
    model.save(stream);
    return stream.bytes();
}

void putInt(std::string& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + size_t(i)] = char(uint32_t(value) >> (8 * i));
}

void putFloat(std::string& bytes, size_t offset, float value) {
    int32_t bits;
    std::memcpy(&bits, &value, 4);
    putInt(bytes, offset, bits);
}

// Fixture level 0 in play, with something in every part of the save: a second fired trigger,
// a delivered vehicle, charged bonuses and gold-prize counters.
class MeadowModelSave : public ::testing::Test {
protected:
    void SetUp() override {
        Engine::randomSeed(11);
        m_model = fixtureModel();
        m_model->loadLevel(0);
        m_model->getFiredTriggers().push_back(7);
        cVehiclesFeature* vehicles = m_model->getVehiclesFeature();
        cVehicleModel* delivered = vehicles->getVehicles().front().get();
        delivered->setState(cVehicleModel::FULL);
        vehicles->removeVehicle(delivered);
        m_model->getBonus(31)->points = 12;
        m_model->getBonus(31)->available = 1;
        m_model->setGoldPrizesTotal(2);
        m_model->setGoldPrizesLeft(1);
        m_model->getCell(0, 3)->setFrozen(true);
        m_model->getObject(1, 1)->setBonusTag(cMeadowObjectModel::BLAST_BONUS);
        m_bytes = saveBytes(*m_model);
    }

    // A model with another level on its board (in the editor: 2 × 2 admits no move), to
    // resume into.
    std::unique_ptr<cMeadowModel> otherModel() {
        auto model = fixtureModel();
        model->setEditorMode(true);
        model->loadLevel(1);
        return model;
    }

    // Resuming the bytes into a model set up with level 1 fails with the message and leaves it as it was.
    void expectRefused(const std::string& bytes, const std::string& message) {
        auto model = otherModel();
        const std::string before = saveBytes(*model);
        MemoryStream stream(bytes);
        EXPECT_EQ(thrownText([&] { model->loadLevel(0, &stream); }), message);
        EXPECT_EQ(model->getCurrentLevel(), 1);
        EXPECT_EQ(saveBytes(*model), before);
    }

    std::unique_ptr<cMeadowModel> m_model;
    std::string m_bytes;
    // Offsets in the fixture save: header, two fired triggers, then 3 × 4 cells of 19 bytes.
    static constexpr size_t CELLS = 4 * 4 + 2 * 4;
    static constexpr size_t PIECES = CELLS + 12 * 19;
};

TEST_F(MeadowModelSave, SaveThenResumeGivesTheSameBoardCountersAndVehicles) {
    auto resumed = fixtureModel();
    MemoryStream stream(m_bytes);
    resumed->loadLevel(0, &stream);

    EXPECT_EQ(saveBytes(*resumed), m_bytes);
    EXPECT_EQ(resumed->getBoardSize(), Engine::cVector2(4.0f, 3.0f));
    EXPECT_EQ(resumed->getFiredTriggers(), (std::vector<int32_t>{0, 7}));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(resumed->getCell(r, c)->getPackedCode(), m_model->getCell(r, c)->getPackedCode());
    EXPECT_TRUE(resumed->getCell(0, 3)->isFrozen());
    // Kept pieces: the locked one with its bonus tag and the vehicle piece; the rest regenerated.
    EXPECT_EQ(resumed->getObject(1, 1)->getType(), m_model->getObject(1, 1)->getType());
    EXPECT_EQ(resumed->getObject(1, 1)->getBonusTag(), int32_t(cMeadowObjectModel::BLAST_BONUS));
    EXPECT_EQ(resumed->getObject(1, 3)->getType(), int32_t(cMeadowObjectModel::VEHICLE_OBJECT_TYPE));
    EXPECT_TRUE(resumed->getCell(1, 3)->isBlockFlagSet());
    EXPECT_NE(resumed->getObject(0, 0), nullptr);
    EXPECT_EQ(resumed->getComplexCells().size(), 2u);

    cVehiclesFeature* vehicles = resumed->getVehiclesFeature();
    ASSERT_EQ(vehicles->getVehicles().size(), 1u);
    ASSERT_EQ(vehicles->getProcessedVehicles().size(), 1u);
    EXPECT_EQ(vehicles->getProcessedVehicles()[0]->getState(), int32_t(cVehicleModel::FULL));
    EXPECT_EQ(vehicles->getVehicles()[0]->getSlotCount(), 1);
    EXPECT_EQ(resumed->getBonus(31)->points, 12);
    EXPECT_EQ(resumed->getBonus(31)->available, 1);
    EXPECT_EQ(resumed->getGoldPrizesTotal(), 2);
    EXPECT_EQ(resumed->getGoldPrizesLeft(), 1);
    // The bear's object type joined the level types because it is charged.
    EXPECT_TRUE(resumed->isLevelType(7));
}

TEST(MeadowModelSaveLayout, FieldsAreLittleEndianWithFixedWidths) {
    auto model = TestModel::makeModel("<Model max_objects_on_level=\"1\" first_level_objects=\"1\" "
                                      "color_groups_amount=\"1\"><GameObjects><O type=\"1\" category=\"1\"/>"
                                      "</GameObjects><GameResources><R id=\"money\" type=\"1\"/></GameResources>"
                                      "<Units/><LevelAchievements/></Model>",
                                      "<Levels><Level size=\"1 1\"><Rows><Row cells=\"17\" objects=\"1\"/></Rows>"
                                      "</Level></Levels>");
    model->setEditorMode(true);
    model->loadLevel(0);
    std::string expected;
    auto add = [&](std::initializer_list<int> bytes) {
        for (int b : bytes)
            expected += char(b);
    };
    add({0, 0, 0x80, 0x3F, 0, 0, 0x80, 0x3F});                            // columns 1.0, rows 1.0
    add({0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0});                            // vehicle_attr 0; one fired trigger: 0
    add({1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});       // cell: type 1, one lock
    add({1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}); // one piece: index 1 at (0, 0)
    add({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});    // no vehicles, no bonuses, gold 0/0
    EXPECT_EQ(saveBytes(*model), expected);
}

TEST_F(MeadowModelSave, TruncatedSavesAreRefusedAndChangeNothing) {
    for (size_t length = 0; length < m_bytes.size(); length += 7)
        expectRefused(m_bytes.substr(0, length), "SaveStream: unexpected end of the level save");
    expectRefused(m_bytes.substr(0, m_bytes.size() - 1), "SaveStream: unexpected end of the level save");
}

TEST_F(MeadowModelSave, ForeignOrCorruptSavesAreRefusedAndChangeNothing) {
    struct Case {
        std::function<void(std::string&)> corrupt;
        std::string message;
    } cases[] = {
        {[](std::string& b) { putFloat(b, 0, std::numeric_limits<float>::quiet_NaN()); },
         "cMeadowModel::load(): wrong number of columns in the level save"},
        {[](std::string& b) { putFloat(b, 4, 2000.0f); },
         "cMeadowModel::load(): wrong number of rows in the level save"},
        // The board screen holds at most 256 rows and 256 columns.
        {[](std::string& b) { putFloat(b, 4, 257.0f); },
         "cMeadowModel::load(): wrong number of rows in the level save"},
        {[](std::string& b) { putFloat(b, 0, 257.0f); },
         "cMeadowModel::load(): wrong number of columns in the level save"},
        {[](std::string& b) { putFloat(b, 4, 2.5f); }, "cMeadowModel::load(): wrong number of rows in the level save"},
        {[](std::string& b) { putInt(b, 12, -1); }, "SaveStream: negative count in the level save: -1"},
        // A foreign count reads the cells as triggers and stops there, never allocating for it.
        {[](std::string& b) { putInt(b, 12, 0x7FFFFFFF); },
         "cMeadowModel::load(): wrong fired trigger in the level save: 16777216"},
        {[](std::string& b) { putInt(b, 20, 256); },
         "cMeadowModel::load(): wrong fired trigger in the level save: 256"},
        {[](std::string& b) { putInt(b, CELLS, 9); }, "cMeadowModel::load(): wrong cell in the level save in (0, 0)"},
        {[](std::string& b) { putInt(b, CELLS + 19 + 9, 300); },
         "cMeadowModel::load(): wrong cell in the level save in (0, 1)"},
        {[](std::string& b) { putFloat(b, PIECES + 4 + 4, 99.0f); },
         "cMeadowModel::load(): object is outside the board in the level save: (99.000000, 1.000000)"},
        {[](std::string& b) { putInt(b, PIECES + 4, 424242); },
         "cMeadowModel::load(): wrong object in the level save in (1, 1)"},
        {[](std::string& b) { putFloat(b, PIECES + 4 + 17 + 8, 1.0f); },
         "cMeadowModel::load(): two objects in (1, 1) in the level save"},
        {[](std::string& b) { putFloat(b, PIECES + 4 + 8, 0.0f); },
         "cMeadowModel::load(): wrong object in cell (1, 0) in the level save"},
        {[](std::string& b) { putInt(b, b.size() - 8 - 4 * 8 - 4, 3); },
         "cMeadowModel::load(): sizes of bonuses from xml and binary save are not equal"},
        {[](std::string& b) { putInt(b, b.size() - 4, 5); },
         "cMeadowModel::load(): wrong gold prize counters in the level save"},
        {[](std::string& b) { b += '\0'; }, "cMeadowModel::load(): unexpected data after the end of the level save"},
    };
    for (const Case& test : cases) {
        std::string bytes = m_bytes;
        test.corrupt(bytes);
        expectRefused(bytes, test.message);
    }
}

TEST_F(MeadowModelSave, ResumingOverLiveVehiclesIsRefused) {
    auto model = fixtureModel();
    model->loadLevel(0);
    MemoryStream stream(m_bytes);
    EXPECT_EQ(thrownPlainText([&] { model->loadLevel(0, &stream); }),
              "cVehiclesFeature::load(): list of vehicles is not empty");
    cVehiclesFeature* vehicles = model->getVehiclesFeature();
    while (vehicles->hasVehicles())
        vehicles->removeVehicle(vehicles->getActiveVehicle());
    stream.rewind();
    EXPECT_EQ(thrownPlainText([&] { model->loadLevel(0, &stream); }),
              "cVehiclesFeature::load(): list of processed vehicles is not empty");
}

TEST_F(MeadowModelSave, ResumingConvertsNoPrizeCellAndKeepsTheCharges) {
    std::string bytes = m_bytes;
    // (0, 0) still carries its vehicle flag, as a cell waiting for a trigger would.
    bytes[CELLS + 17] = 1;
    auto resumed = fixtureModel();
    MemoryStream stream(bytes);
    resumed->loadLevel(0, &stream);
    EXPECT_TRUE(resumed->getCell(0, 0)->getVehicleFlag());
    EXPECT_NE(resumed->getObject(0, 0)->getType(), int32_t(cMeadowObjectModel::VEHICLE_OBJECT_TYPE));
    EXPECT_FALSE(resumed->getObject(0, 0)->getPrizeFlag());
    EXPECT_EQ(resumed->getBonus(31)->points, 12);
}

TEST_F(MeadowModelSave, ABoardWithAHoleCannotBeSaved) {
    m_model->createBoard(2, 2);
    m_model->createCell(0, 0, 1);
    MemoryStream stream;
    EXPECT_EQ(thrownText([&] { m_model->save(stream); }), "cMeadowModel::save(): cell is not defined in (0, 1)");
}

TEST_F(MeadowModelSave, KeptPiecesOnCellsWaitingForATriggerResumeHidden) {
    std::string bytes = m_bytes;
    // The locked cell (1, 1) waits for trigger 9, which has not fired.
    putInt(bytes, CELLS + (4 + 1) * 19 + 13, 9);
    auto resumed = fixtureModel();
    MemoryStream stream(bytes);
    resumed->loadLevel(0, &stream);
    EXPECT_EQ(resumed->getObject(1, 1)->getState(), int32_t(cMeadowObjectModel::HIDDEN_STATE));
    EXPECT_FALSE(resumed->getCell(1, 1)->isEnabled());
}

TEST_F(MeadowModelSave, StoredVehicleAttrOtherThanOneResumesAsFalse) {
    std::string bytes = m_bytes;
    putInt(bytes, 8, 2);
    auto model = fixtureModel();
    MemoryStream stream(bytes);
    model->loadLevel(0, &stream);
    EXPECT_FALSE(model->getLevelVehicleAttr());
}

TEST_F(MeadowModelSave, PrizePiecesBlockTheirCellsWhenTheTypeListFillsEarly) {
    auto model = fixtureModel();
    model->setEditorMode(true);
    // The charged bear alone fills the list before the board is walked.
    model->m_maxObjectsOnLevel = 1;
    MemoryStream stream(m_bytes);
    model->loadLevel(0, &stream);
    EXPECT_EQ(model->getLevelTypes(), std::vector<int32_t>{7});
    EXPECT_TRUE(model->getCell(1, 3)->isBlockFlagSet());
}

TEST_F(MeadowModelSave, BoardWithoutKeptPiecesSavesNone) {
    m_model->getCell(1, 1)->setLocks(0);
    m_model->getObject(1, 3)->setPrizeFlag(false);
    const std::string bytes = saveBytes(*m_model);
    int32_t count;
    std::memcpy(&count, bytes.data() + PIECES, 4);
    EXPECT_EQ(count, 0);
    // Resuming regenerates every piece.
    auto resumed = fixtureModel();
    MemoryStream stream(bytes);
    resumed->loadLevel(0, &stream);
    EXPECT_NE(resumed->getObject(1, 1), nullptr);
}

class MeadowModelProgress : public ::testing::Test {
protected:
    void SetUp() override {
        Engine::cProfileManager::clearAll();
        GameServices::setMatchStatistics(&m_statistics);
    }
    void TearDown() override {
        GameServices::setMatchStatistics(nullptr);
        Engine::cProfileManager::clearAll();
    }
    TestFakes::FakeMatchStatistics m_statistics;
};

TEST_F(MeadowModelProgress, KeysAreWrittenAndReadBack) {
    auto model = fixtureModel();
    model->setNextAvailableLevel(2);
    model->setCurrentGroup(3);
    model->setRandomLevel(true);
    model->setAnimalsCare(4);
    model->setMatchedObjects(55);
    model->addResourcePoints(1, 120);
    model->addResourcePoints(2, 7);
    m_statistics.m_bestCombo = 6;
    model->getUnitsFeature()->getUnit(0)->setLevelAndVariant(1, 2);
    model->saveProgressToProfile(true);

    EXPECT_EQ(Engine::gStringProps["Version"], "v1.10");
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 1);
    EXPECT_EQ(Engine::gIntProps["money"], 120);
    EXPECT_EQ(Engine::gIntProps["stars"], 7);
    EXPECT_EQ(Engine::gIntProps["BestCombo"], 6);
    model->saveProgressToProfile(false);
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 0);
    model->saveProgressToProfile(Engine::getProfileManager(), true);
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 1);
    model->saveProgressToProfile(false);

    m_statistics.m_bestCombo = 0;
    auto loaded = fixtureModel();
    loaded->loadProgressFromProfile();
    EXPECT_EQ(loaded->getNextAvailableLevel(), 2);
    EXPECT_EQ(loaded->getCurrentGroup(), 3);
    EXPECT_TRUE(loaded->isRandomLevel());
    EXPECT_EQ(loaded->getAnimalsCare(), 4);
    EXPECT_EQ(loaded->getMatchedObjects(), 55);
    EXPECT_EQ(loaded->getResourcePoints(1), 120);
    EXPECT_EQ(loaded->getResourcePoints(2), 7);
    EXPECT_EQ(m_statistics.m_bestCombo, 6);
    EXPECT_EQ(loaded->getUnitsFeature()->getUnit(0)->getLevel(), 1);
    // The upgraded barn offers the bear and lets its type onto levels.
    EXPECT_EQ(loaded->getBonus(31)->available, 1);
}

TEST_F(MeadowModelProgress, EmptyProfileAndEditorMode) {
    auto model = fixtureModel();
    model->loadProgressFromProfile();
    EXPECT_EQ(model->getNextAvailableLevel(), 0);
    EXPECT_EQ(model->getCurrentGroup(), 1);
    EXPECT_FALSE(model->isRandomLevel());
    EXPECT_EQ(m_statistics.m_bestCombo, 0);
    EXPECT_EQ(model->getResourcePoints(1), 0);

    Engine::gIntProps["NextAvailableLevel"] = 2;
    Engine::gIntProps["CurrentGroup"] = 3;
    Engine::gIntProps["money"] = 90;
    Engine::gBoolProps["IsRandomLevel"] = true;
    auto editor = fixtureModel();
    editor->setEditorMode(true);
    editor->loadProgressFromProfile();
    EXPECT_EQ(editor->getNextAvailableLevel(), 0);
    EXPECT_EQ(editor->getCurrentGroup(), 1);
    EXPECT_FALSE(editor->isRandomLevel());
    EXPECT_EQ(editor->getResourcePoints(1), 0);
}

} // namespace

namespace {

TEST_F(MeadowModelProgress, OutOfRangeProfileNumbersFallBackToTheNearestValidValue) {
    Engine::gIntProps["NextAvailableLevel"] = INT32_MAX;
    Engine::gIntProps["CurrentGroup"] = INT32_MAX;
    Engine::gIntProps["AnimalsCare"] = -5;
    Engine::gIntProps["money"] = INT32_MIN;
    Engine::gIntProps["unit_lvl_0"] = INT32_MAX;
    Engine::gIntProps["unit_var_0"] = -1;
    Engine::gIntProps["unit_lvl_1"] = -3;
    auto model = fixtureModel();
    model->loadProgressFromProfile();
    EXPECT_EQ(model->getNextAvailableLevel(), model->getLevelCount() - 1);
    EXPECT_EQ(model->getCurrentGroup(), cMeadowModel::PROFILE_COUNTER_MAX);
    EXPECT_EQ(model->getAnimalsCare(), 0);
    EXPECT_EQ(model->getResourcePoints(1), 0);
    cMeadowUnit* unit = model->getUnitsFeature()->getUnit(0);
    EXPECT_EQ(unit->getLevel(), unit->getMaxLevel());
    EXPECT_EQ(unit->getVariant(), 0);
    EXPECT_EQ(model->getUnitsFeature()->getUnit(1)->getLevel(), 0);

    // The next level is computed without overflow: past the last level the game starts again.
    model->completeLevel();
    EXPECT_EQ(model->getNextAvailableLevel(), 0);
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("Profile value \"NextAvailableLevel\" = 2147483647 is out of range [0, 2]; 2 is used."),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Profile value \"money\" = -2147483648 is out of range"), std::string::npos) << log;
}

} // namespace
