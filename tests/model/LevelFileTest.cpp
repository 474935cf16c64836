#include "engine/core/Random.h"
#include "game/model/MeadowModel.h"
#include "tests/model/ModelFixture.h"
#include "tests/support/FileServices.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

using TestModel::thrownText;

namespace {

// Two ordinary types, vehicles of up to three slots, money = 1.5 × Σ k × amount.
const char* const kModelXml =
    "<Model max_objects_on_level=\"2\" max_vehicle_slots=\"3\" vehicle_money_param=\"1.5\" color_groups_amount=\"2\" "
    "first_level_objects=\"1_2\" random_levels_start_number=\"1\">"
    "<GameObjects><O type=\"1\" category=\"1\" color_group=\"0\"/><O type=\"2\" category=\"1\" color_group=\"1\"/>"
    "</GameObjects><GameResources><R id=\"money\" type=\"1\"/></GameResources><Units/>"
    "<LevelAchievements><A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements></Model>";

const char* const kLevelsXml =
    "<Levels><Level bonuses_amount=\"2\" size=\"3 2\" vehicle_attr=\"1\"><Rows>"
    "<Row cells=\"1_17_2\" objects=\"0_2_0\"/><Row cells=\"257_0_65537\" objects=\"0_0_0\"/></Rows>"
    "<Vehicles><Vehicle money=\"5\" has_bonus=\"1\"><Slot object=\"1\" amount=\"3\"/><Slot object=\"2\" amount=\"2\"/>"
    "</Vehicle></Vehicles></Level>"
    "<Level size=\"1 1\"><Rows><Row cells=\"1\" objects=\"0\"/></Rows></Level></Levels>";

// What the editor writes for kLevelsXml with level 0 on the board, unchanged.
const wchar_t* const kWrittenLevels = L"<Levels>\n"
                                      L"<Level bonuses_amount=\"2\" size=\"3 2\" vehicle_attr=\"1\">\n"
                                      L"<Rows>\n"
                                      L"<Row cells=\"1_17_2\" objects=\"0_2_0\"/>\n"
                                      L"<Row cells=\"257_0_65537\" objects=\"0_0_0\"/>\n"
                                      L"</Rows>\n"
                                      L"<Vehicles>\n"
                                      L"<Vehicle money=\"10\" has_bonus=\"1\">\n"
                                      L"<Slot object=\"1\" amount=\"3\"/>\n"
                                      L"<Slot object=\"2\" amount=\"2\"/>\n"
                                      L"</Vehicle>\n"
                                      L"</Vehicles>\n"
                                      L"</Level>\n"
                                      L"<Level bonuses_amount=\"1\" size=\"1 1\" vehicle_attr=\"0\">\n"
                                      L"<Rows>\n"
                                      L"<Row cells=\"1\" objects=\"0\"/>\n"
                                      L"</Rows>\n"
                                      L"<Vehicles>\n"
                                      L"</Vehicles>\n"
                                      L"</Level>\n"
                                      L"</Levels>\n";

std::unique_ptr<cMeadowModel> editorModel(const std::string& levels = kLevelsXml) {
    auto model = TestModel::makeModel(kModelXml, levels);
    model->setEditorMode(true);
    return model;
}

std::string oneLevel(const std::string& size, const std::string& rows) {
    return "<Levels><Level size=\"" + size + "\"><Rows>" + rows + "</Rows></Level></Levels>";
}

TEST(MeadowModelLevelFile, FixtureLevelIsSetUpCellByCell) {
    auto model = TestModel::makeFixtureModel();
    model->getAllowedTypes().push_back(5);
    Engine::randomSeed(7);
    model->loadLevel(0);

    ASSERT_EQ(model->getRows(), 3);
    ASSERT_EQ(model->getColumns(), 4);
    EXPECT_EQ(model->getBoardSize(), Engine::cVector2(4.0f, 3.0f));
    // type, locks, trigger of every cell, row 0 first ("1_1_2_1", "1_17_1_257", "0_1_1_1").
    const int expected[3][4][2] = {
        {{1, 0}, {1, 0}, {2, 0}, {1, 0}}, {{1, 0}, {1, 1}, {1, 0}, {1, 0}}, {{0, 0}, {1, 0}, {1, 0}, {1, 0}}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            cCellModel* cell = model->getCell(r, c);
            ASSERT_NE(cell, nullptr) << r << "," << c;
            EXPECT_EQ(cell->getType(), expected[r][c][0]) << r << "," << c;
            EXPECT_EQ(cell->getLocks(), expected[r][c][1]) << r << "," << c;
            // Every cell that can hold a piece got one at the start; the cell of type 0 none.
            EXPECT_EQ(model->getObject(r, c) != nullptr, expected[r][c][0] != 0) << r << "," << c;
        }
    }
    EXPECT_EQ(model->getLevelTypes().size(), 5u);
    // The locked piece stood for level index 1; the vehicle cell's piece became a vehicle piece.
    EXPECT_EQ(model->getObject(1, 1)->getType(), model->getLevelTypes()[0]);
    EXPECT_EQ(model->getObject(1, 3)->getType(), int32_t(cMeadowObjectModel::VEHICLE_OBJECT_TYPE));
    EXPECT_TRUE(model->getObject(1, 3)->getPrizeFlag());
    EXPECT_FALSE(model->getCell(1, 3)->getVehicleFlag());
    // Wood (0,2) and the locked cell are what the level-end test walks.
    EXPECT_EQ(model->getComplexCells().size(), 2u);
    ASSERT_EQ(model->getFiredTriggers(), std::vector<int32_t>{0});
    EXPECT_EQ(model->getVehiclesFeature()->getVehicles().size(), 2u);
    EXPECT_TRUE(model->getLevelVehicleAttr());
}

TEST(MeadowModelLevelFile, LevelNumberOutsideTheListIsRefused) {
    auto model = editorModel();
    model->loadLevel(1);
    for (int32_t level : {-1, 2, 1000}) {
        EXPECT_EQ(thrownText([&] { model->loadLevel(level); }),
                  "cMeadowModel::loadLevel(): level number is out of range [0..1]: " + std::to_string(level));
        EXPECT_EQ(model->getCurrentLevel(), 1);
        EXPECT_EQ(model->getRows(), 1);
    }
}

TEST(MeadowModelLevelFile, BadRowsAreRefusedWithTheirReason) {
    struct Case {
        const char* size;
        const char* rows;
        const char* message;
    } cases[] = {
        {"2 1", "<Row cells=\"1_1_1\" objects=\"0\"/>",
         "cMeadowModel::parseCells(): row 0 has more cells than the board has columns: 3"},
        {"2 1", "<Row cells=\"1_1\" objects=\"0_0_0\"/>",
         "cMeadowModel::parseObjects(): row 0 has more objects than the board has columns: 3"},
        {"2 1", "<Row cells=\"1_x\" objects=\"0\"/>", "cMeadowModel::parseCells(): wrong cell code in (0, 1): x"},
        {"2 1", "<Row cells=\"1_4294967296\" objects=\"0\"/>",
         "cMeadowModel::parseCells(): wrong cell code in (0, 1): 4294967296"},
        {"2 1", "<Row cells=\"1_4\" objects=\"0\"/>", "cMeadowModel::parseCells(): wrong cell type in (0, 1): 4"},
        {"2 1", "<Row cells=\"17_1\" objects=\"6_0\"/>",
         "cMeadowModel::parseObjects(): index of object is out of range [0..5]: 6"},
        {"2 1", "<Row cells=\"17_1\" objects=\"-1_0\"/>",
         "cMeadowModel::parseObjects(): index of object is out of range [0..5]: -1"},
        {"2 1", "<Row cells=\"0_1\" objects=\"1_0\"/>",
         "cMeadowModel::parseObjects(): cannot place object because cell(0, 0) is not visible"},
    };
    for (const Case& test : cases) {
        auto model = editorModel(oneLevel(test.size, test.rows));
        EXPECT_EQ(thrownText([&] { model->loadLevel(0); }), test.message) << test.rows;
    }
}

TEST(MeadowModelLevelFile, SetUpStepsThrowTheirMessages) {
    auto model = editorModel();
    model->loadLevel(0);
    EXPECT_EQ(thrownText([&] { model->parseCells(0, "1_1_1"); }),
              "cMeadowModel::parseCells(): cell must not be defined yet! in (0, 0)");

    // In the editor the locked piece at (0, 1) still holds its index 2.
    model->getLevelTypes() = {1, 2, 1, 2, 1, 2};
    EXPECT_EQ(thrownText([&] { model->convertIndeciesToTypes(); }),
              "cMeadowModel::convertIndeciesToTypes(): wrong amount of level objects: 6");
    model->getLevelTypes() = {1, 2};
    model->getObject(0, 1)->setType(7);
    EXPECT_EQ(thrownText([&] { model->convertIndeciesToTypes(); }),
              "cMeadowModel::convertIndeciesToTypes(): index of object is out of range [1..5]: 7");
    model->getObject(0, 1)->setType(2);
    model->convertIndeciesToTypes();
    EXPECT_EQ(model->getObject(0, 1)->getType(), 2);

    // From a save, every piece but a prize piece must stand on a locked cell.
    cMeadowObjectModel* loose = model->getObjectPool()->acquire();
    loose->setType(1);
    model->setObject(0, 0, loose);
    EXPECT_EQ(thrownText([&] { model->defineLevelObjects(true); }),
              "cMeadowModel::defineLevelObjects(): wrong object in cell (0, 0)");

    // Two ordinary types cannot fill a level of three.
    auto play = TestModel::makeModel(kModelXml, kLevelsXml);
    play->m_maxObjectsOnLevel = 3;
    EXPECT_EQ(thrownText([&] { play->loadLevel(1); }),
              "cMeadowModel::defineLevelObjects(): number of needed empty types on the level is greater then common "
              "amount of empty types: 3");

    // A board with a hole cannot be folded back into its record.
    model->createBoard(1, 1);
    EXPECT_EQ(thrownText([&] { model->updateLevelInfo(0); }),
              "cMeadowModel::updateLevelInfo(): cell is not defined in (0, 0)");
}

TEST(MeadowModelLevelFile, PiecesOnCellsWaitingForATriggerStartHidden) {
    // (0, 0) is locked and waits for trigger 3; (0, 1) is locked and waits for nothing.
    auto model = editorModel(oneLevel("2 1", "<Row cells=\"50331665_17\" objects=\"1_1\"/>"));
    model->loadLevel(0);
    EXPECT_EQ(model->getObject(0, 0)->getState(), int32_t(cMeadowObjectModel::HIDDEN_STATE));
    EXPECT_EQ(model->getObject(0, 1)->getState(), int32_t(cMeadowObjectModel::IDLE));
    EXPECT_EQ(model->getCell(0, 0)->getAwaitedTrigger(), 3);
}

TEST(MeadowModelLevelFile, HugeOrBrokenSizesAreRefusedBeforeUse) {
    const std::string larger = "cMeadowModel::loadAllLevels(): level 0 is larger than 256 x 256 cells";
    const std::string wrong = "cMeadowModel::loadAllLevels(): wrong size of level 0";
    const std::pair<const char*, std::string> cases[] = {
        {"100000 2", larger}, {"2 2000000000", larger}, {"2 -5", wrong}, {"-3 2", wrong}, {"1e30 1", larger}};
    for (const auto& [size, message] : cases) {
        std::string levels = "<Levels><Level size=\"" + std::string(size) + "\"/></Levels>";
        EXPECT_EQ(thrownText([&] { editorModel(levels); }), message) << size;
    }
}

TEST(MeadowModelLevelFile, ShortRowsLeaveTheirLastCellsUndefined) {
    auto model = editorModel(oneLevel("3 2", "<Row cells=\"1_2\" objects=\"\"/><Row cells=\"\" objects=\"\"/>"));
    model->loadLevel(0);
    EXPECT_EQ(model->getCell(0, 0)->getType(), 1);
    EXPECT_EQ(model->getCell(0, 1)->getType(), 2);
    EXPECT_EQ(model->getCell(0, 2), nullptr);
    EXPECT_EQ(model->getCell(1, 0)->getType(), 0); // an empty text is one cell of code 0
    EXPECT_EQ(model->getCell(1, 1), nullptr);
    EXPECT_EQ(thrownText([&] { model->getCellType(0, 2); }),
              "cMeadowModel::getCellType(): cell is not defined in (0, 2)");
    EXPECT_EQ(thrownText([&] { model->isLockedCell(1, 2); }),
              "cMeadowModel::isLockedCell(): cell is not defined in (1, 2)");
    // A code 0 on a cell of type 0 is accepted.
    auto zero = editorModel(oneLevel("2 1", "<Row cells=\"0_1\" objects=\"0_0\"/>"));
    EXPECT_EQ(thrownText([&] { zero->loadLevel(0); }), "");
    // Too many cells stay refused.
    auto wide = editorModel(oneLevel("2 1", "<Row cells=\"1_1_1\" objects=\"\"/>"));
    EXPECT_NE(thrownText([&] { wide->loadLevel(0); }), "");
}

TEST(MeadowModelLevelFile, TriggerNumbersOfTheLevelAreNotHandedOutAgain) {
    auto model = editorModel();
    model->loadLevel(0);
    // Cell (1,2) carries trigger 1, so the editor's next free number is 2.
    EXPECT_EQ(model->getNextTriggerNumber(), 2);
}

TEST(MeadowModelLevelFile, UpdateLevelInfoFoldsTheBoardBack) {
    auto model = editorModel();
    model->loadLevel(0);
    // A piece on an unlocked cell is not stored.
    model->getObject(1, 1) ? void() : model->setObject(1, 1, model->getObjectPool()->acquire());
    model->getObject(1, 1)->setType(2);
    model->getCell(0, 0)->setType(3);
    model->updateLevelInfo(0);
    const cLevelInfo& record = model->getLevels()[0];
    EXPECT_EQ(record.cellTexts[0], L"3_17_2");
    EXPECT_EQ(record.objectTexts[1], L"0_0_0");
    EXPECT_EQ(record.objectTexts[0], L"0_2_0");

    // A locked cell without its piece cannot be stored.
    model->removeObjectAt(0, 1);
    EXPECT_EQ(thrownText([&] { model->updateLevelInfo(0); }),
              "cMeadowModel::updateLevelInfo(): there is no object in a locked cell (0, 1)");
    EXPECT_EQ(model->getLevels()[0].cellTexts[0], L"3_17_2");
}

TEST(MeadowModelLevelFile, EditorGeometryStopsAt256RowsAndColumns) {
    auto model = editorModel();
    model->loadLevel(0);
    while (model->getRows() < 256)
        model->addRow();
    while (model->getColumns() < 256)
        model->addColumn();
    EXPECT_EQ(thrownText([&] { model->addRow(); }),
              "cMeadowModel::addRow(): the board has the largest number of rows: 256");
    EXPECT_EQ(thrownText([&] { model->addColumn(); }),
              "cMeadowModel::addColumn(): the board has the largest number of columns: 256");
    EXPECT_EQ(model->getRows(), 256);
    EXPECT_EQ(model->getColumns(), 256);
}

TEST(MeadowModelLevelFile, EditorGeometryChangesTheBoardAndTheRecordFollows) {
    auto model = editorModel();
    model->loadLevel(0);
    model->addRow();
    model->addColumn();
    EXPECT_EQ(model->getRows(), 3);
    EXPECT_EQ(model->getColumns(), 4);
    model->getCell(2, 3)->setType(1);
    model->updateLevelInfo(0);
    const cLevelInfo& record = model->getLevels()[0];
    EXPECT_EQ(record.rows, 3);
    EXPECT_EQ(record.columns, 4);
    EXPECT_EQ(record.cellTexts[0], L"1_17_2_0");
    EXPECT_EQ(record.cellTexts[2], L"0_0_0_1");

    model->setSelected(model->createObjectAt(2, 3));
    model->removeLastRow();
    EXPECT_EQ(model->getSelected(), nullptr);
    model->removeLastColumn();
    model->removeLastColumn();
    EXPECT_EQ(model->getBoardSize(), Engine::cVector2(2.0f, 2.0f));
    // The removed wood cell left the complex cells with the column.
    for (cCellModel* cell : model->getComplexCells())
        EXPECT_LT(cell->getColumn(), 2);
    model->updateLevelInfo(0);
    EXPECT_EQ(model->getLevels()[0].cellTexts[1], L"257_0");
}

TEST(MeadowModelLevelFile, EditorWritesTheFileAsUtf16AndReadsItBackIdentically) {
    TestSupport::FileServices services;
    services.writeConstants("");
    services.writeData("Meadow/Model/GameModel.xml", kModelXml);
    services.writeData("Meadow/Model/GameLevels.xml", kLevelsXml);
    services.start();
    {
        cMeadowModel model;
        model.setEditorMode(true);
        model.loadLevel(0);
        model.writeLevelsXml();
    }
    const std::string expected = TestSupport::utf16Bytes(kWrittenLevels, true);
    ASSERT_EQ(services.readUser("meadow/model/gamelevels.xml"), expected);

    // The cache forgot the old text: a new model reads what the editor wrote, and writing it
    // again gives the same bytes.
    cMeadowModel model;
    EXPECT_EQ(model.getLevels()[0].vehicles[0]->getMoney(), 10);
    model.setEditorMode(true);
    model.loadLevel(1);
    model.writeLevelsXml();
    EXPECT_EQ(services.readUser("meadow/model/gamelevels.xml"), expected);
}

// The editor's file in the user folder shadows the shipped one: when the model refuses it, it is
// set aside and logged by name, and every start plays the shipped levels.
TEST(MeadowModelLevelFile, ARefusedLevelsFileOfTheUserFolderIsSetAsideAndTheShippedOnePlayed) {
    TestSupport::FileServices services;
    services.writeConstants("");
    services.writeData("Meadow/Model/GameModel.xml", kModelXml);
    services.writeData("Meadow/Model/GameLevels.xml", kLevelsXml);
    const std::string refused = "<Levels><Level size=\"1 1\"><Rows><Row/><Row/></Rows></Level></Levels>";
    services.writeUser("meadow/model/gamelevels.xml", refused);
    services.start();
    auto errorLog = [] { return std::filesystem::exists("error.log") ? TestSupport::readFileBytes("error.log") : ""; };
    const size_t logged = errorLog().size();
    for (int start = 0; start < 2; ++start) {
        cMeadowModel model;
        EXPECT_EQ(model.getLevelCount(), 2) << "start " << start;
    }
    EXPECT_FALSE(services.userExists("meadow/model/gamelevels.xml"));
    EXPECT_EQ(services.readUser("meadow/model/gamelevels.xml.bad"), refused);
    const std::string log = errorLog().substr(logged);
    const std::string line = "The levels file \"" + services.userPath("meadow/model/gamelevels.xml") +
                             "\" is refused and set aside as \"" +
                             services.userPath("meadow/model/gamelevels.xml.bad") +
                             "\"; the shipped levels are played: cMeadowModel::loadAllLevels(): level 0 has more "
                             "rows than its size";
    EXPECT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find("set aside", log.find(line) + line.size()), std::string::npos) << "logged once";
}

TEST(MeadowModelLevelFile, WritingAfterClearLevelKeepsTheLevel) {
    auto model = editorModel();
    model->loadLevel(0);
    model->clearLevel();
    EXPECT_EQ(model->buildLevelsXml(), kWrittenLevels);
}

TEST(MeadowModelLevelFile, ClearLevelEmptiesTheBoardButNotTheRecords) {
    auto model = editorModel();
    model->loadLevel(0);
    model->setGoldPrizesTotal(3);
    model->clearLevel();
    EXPECT_EQ(model->getRows(), 0);
    EXPECT_EQ(model->getCell(0, 0), nullptr);
    EXPECT_TRUE(model->getLevelTypes().empty());
    EXPECT_FALSE(model->getVehiclesFeature()->hasVehicles());
    EXPECT_EQ(model->getGoldPrizesTotal(), 0);
    EXPECT_EQ(model->getLevels()[0].rows, 2);
    // The level can be set up again.
    model->loadLevel(0);
    EXPECT_EQ(model->getRows(), 2);
}

TEST(MeadowModelLevelFile, NextLevelNumber) {
    auto model = editorModel();
    model->setNextAvailableLevel(1);
    EXPECT_EQ(model->getNextLevelNumber(), 1);
    // Random mode draws from random_levels_start_number (1) to the last level (1).
    model->setRandomLevel(true);
    model->setNextAvailableLevel(0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(model->getNextLevelNumber(), 1);
    // A start past the last level leaves nothing to draw from: the last level is played.
    model->m_randomLevelsStartNumber = 5;
    EXPECT_EQ(model->getNextLevelNumber(), 1);
    model->m_randomLevelsStartNumber = 1;

    model->setNextAvailableLevel(1);
    model->decNextAvailableLevel();
    EXPECT_EQ(model->getNextAvailableLevel(), 0);
    model->decNextAvailableLevel();
    EXPECT_EQ(model->getNextAvailableLevel(), 2);
}

TEST(MeadowModelLevelFile, BonusesAmountAndVehicleAttrOfTheCurrentLevel) {
    auto model = editorModel();
    EXPECT_EQ(model->getLevels()[1].bonusesAmount, 1);
    EXPECT_FALSE(model->getLevels()[1].vehicleAttr);
    EXPECT_TRUE(model->getLevels()[1].vehicles.empty());
    model->loadLevel(1);
    EXPECT_FALSE(model->getLevelVehicleAttr());
    model->setLevelBonusesAmount(2);
    EXPECT_EQ(model->getLevels()[1].bonusesAmount, 2);
}

} // namespace

TEST(MeadowModelLevelFile, PlayGoesOnOverTheUndefinedCellsOfShortRows) {
    const std::string rows = "<Row cells=\"1_1_1_1\" objects=\"\"/><Row cells=\"1_1\" objects=\"\"/>"
                             "<Row cells=\"1_1_1_1\" objects=\"\"/><Row cells=\"1_1_1\" objects=\"\"/>";
    auto model = TestModel::makeModel(TestSupport::readFileBytes(TestModel::fixturePath("GameModel.xml")),
                                      oneLevel("4 4", rows));
    model->getAllowedTypes().push_back(5);
    Engine::randomSeed(3);
    ASSERT_EQ(thrownText([&] { model->loadLevel(0); }), "");
    EXPECT_EQ(model->getObject(1, 2), nullptr);
    EXPECT_EQ(model->getObject(3, 3), nullptr);
    EXPECT_NE(model->getObject(1, 1), nullptr);
    // Every swap of two neighbours, each followed by the fall and the match search.
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            for (const auto& [dr, dc] : {std::pair{0, 1}, std::pair{1, 0}}) {
                cMeadowObjectModel* first = model->getObject(r, c);
                cMeadowObjectModel* second = model->getObject(r + dr, c + dc);
                if (!first || !second)
                    continue;
                EXPECT_EQ(thrownText([&] {
                              model->swapObjects(first, second);
                              model->checkAfterMove();
                          }),
                          "")
                    << r << "," << c;
            }
    Engine::cVector2 from, to;
    EXPECT_EQ(thrownText([&] { model->findPossibleMove(from, to); }), "");
}
