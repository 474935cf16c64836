// The shipped character files: they load through the character models, their graphs are
// connected and hold every building point of docs/map-plan.md where the plan puts it, and they
// give every key the character views and the speech bubble read.

#include "engine/core/ProfileManager.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"
#include "game/development/CatPersonModel.h"
#include "game/development/PersonageModel.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/ModelXml.h"
#include "game/model/UnitsFeature.h"
#include "tests/development/CharacterFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

using namespace TestCharacters;

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(MEADOW_SOURCE_DIR) / "Data";
// Groups the phrases must cover: the model's groups and the one reached after the last.
constexpr int kLastGroup = 6;

struct BuildingPoint {
    int unit;
    std::string name;
    int point;
    Engine::cVector2 position;
};

std::vector<BuildingPoint> mapPlan() {
    const std::string text =
        TestSupport::readFileBytes((fs::path(MEADOW_SOURCE_DIR) / "docs" / "map-plan.md").string());
    static const std::regex row(R"(\| (\d+) \| ([a-z ]+) \| (\d+) \| (\d+) \| (\d+) \|)");
    std::vector<BuildingPoint> points;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), row); it != std::sregex_iterator(); ++it)
        points.push_back({std::stoi((*it)[1]), (*it)[2], std::stoi((*it)[3]),
                          Engine::cVector2(std::stof((*it)[4]), std::stof((*it)[5]))});
    return points;
}

std::unique_ptr<Engine::cXmlDocument> loadData(const std::string& name) {
    return TestModel::parseXml(TestSupport::readFileBytes((kData / name).string()));
}

// Every node reaches every other one along the arcs.
bool isConnected(cGraph& graph) {
    const std::vector<int32_t> nodes = graph.getNodeIndices();
    std::set<int32_t> reached{nodes.front()};
    std::vector<int32_t> open{nodes.front()};
    while (!open.empty()) {
        const int32_t u = open.back();
        open.pop_back();
        for (cGraphNode* v : graph.getNeighbours(u))
            if (reached.insert(v->getIndex()).second)
                open.push_back(v->getIndex());
    }
    return reached.size() == nodes.size();
}

void expectAttributes(Engine::IXmlNode* node, const std::vector<const wchar_t*>& keys) {
    for (const wchar_t* key : keys)
        EXPECT_FALSE(node->getAttribute(key).empty()) << Engine::wideToNarrow(key);
}

Engine::IXmlNode* child(Engine::IXmlNode* node, const char* name) {
    Engine::IXmlNode* found = nullptr;
    EXPECT_TRUE(node->findNode(name, found) && found) << name;
    return found;
}

// The keys of a character view, its graph overlay and its bubble.
void expectViewKeys(Engine::IXmlNode* root) {
    expectAttributes(root, {L"size", L"HeightOffset", L"size_up", L"size_up_left", L"size_left", L"size_left_down",
                            L"size_down", L"moving_speed_x", L"moving_speed_y", L"moving_speed_xy", L"max_idle_time",
                            L"min_idle_time", L"will_to_work", L"large_node_size", L"normal_node_size"});
    if (Engine::IXmlNode* node = child(root, "NodeProto"))
        expectAttributes(node, {L"Picture", L"size"});
    if (Engine::IXmlNode* arc = child(root, "ArcProto"))
        expectAttributes(arc, {L"Picture", L"size"});
}

struct CharacterFile {
    std::string name;
    bool cat;
};

const CharacterFile kFiles[] = {{cPersonageModel::FILE_NAME, false},
                                {cCatPersonModel::fileName(0), true},
                                {cCatPersonModel::fileName(1), true},
                                {cCatPersonModel::fileName(2), true}};

std::unique_ptr<cPersonageModel> loadCharacter(const CharacterFile& file) {
    std::unique_ptr<cPersonageModel> model;
    if (file.cat)
        model = std::make_unique<cCatPersonModel>();
    else
        model = std::make_unique<cPersonageModel>();
    auto document = loadData(file.name);
    model->loadXML(document.get(), file.name);
    return model;
}

} // namespace

TEST(CharacterData, GraphsAreConnectedAndHoldEveryBuildingPoint) {
    const std::vector<BuildingPoint> plan = mapPlan();
    ASSERT_EQ(plan.size(), 26u);
    std::set<int> points;
    for (const BuildingPoint& b : plan) {
        EXPECT_TRUE(points.insert(b.point).second) << "point shared by two buildings: " << b.point;
        EXPECT_TRUE(b.position.x >= 40 && b.position.x <= 984 && b.position.y >= 120 && b.position.y <= 658)
            << b.name << " stands off the open map";
    }
    for (const CharacterFile& file : kFiles) {
        SCOPED_TRACE(file.name);
        std::unique_ptr<cPersonageModel> model;
        ASSERT_NO_THROW(model = loadCharacter(file));
        cGraph& graph = *model->getGraph();
        EXPECT_TRUE(isConnected(graph));
        for (const BuildingPoint& b : plan) {
            ASSERT_TRUE(graph.hasNode(b.point)) << b.name;
            EXPECT_EQ(graph.getNode(b.point)->getPosition(), b.position) << b.name;
        }
        if (!file.cat) {
            EXPECT_GE(graph.getNodeCount(), 20);
            EXPECT_LE(graph.getNodeCount(), 40);
        }
    }
}

TEST(CharacterData, TheHeroineHasALineForEveryGroupAndEveryViewKey) {
    auto document = loadData(cPersonageModel::FILE_NAME);
    cPersonageModel pimbrel;
    pimbrel.loadXML(document.get(), cPersonageModel::FILE_NAME);
    ASSERT_GE(pimbrel.getFunnyEvents().size(), 3u);
    std::set<std::string> ids;
    for (const cFunnyEvent& event : pimbrel.getFunnyEvents()) {
        SCOPED_TRACE(event.m_id);
        EXPECT_TRUE(ids.insert(event.m_id).second) << "repeated id";
        EXPECT_EQ(event.m_id.rfind("pimbrel_", 0), 0u) << "looks of the heroine start with pimbrel_";
        EXPECT_GT(event.m_time, 0.0f);
        EXPECT_GT(event.m_size.x * event.m_size.y, 0.0f);
        for (int group = 0; group <= kLastGroup; ++group)
            EXPECT_TRUE(event.hasPhraseForGroup(group)) << "group " << group;
        for (const cFunnyPhrase& phrase : event.m_phrases)
            EXPECT_LE(phrase.m_text.size(), 40u) << "a bubble line stays short";
    }

    expectViewKeys(document.get());
    expectAttributes(document.get(), {L"talking_time"});
    Engine::IXmlNode* bubble = child(document.get(), "PersonageBubble");
    ASSERT_TRUE(bubble);
    expectAttributes(bubble, {L"Picture", L"size", L"bubble_offset", L"effect_time"});
    Engine::cVector2 size;
    Engine::parseVector2(size, bubble->getAttribute(L"size"));
    EXPECT_GT(size.x * size.y, 0.0f) << "a bubble of size 0 is refused";
    if (Engine::IXmlNode* text = child(bubble, "Text"))
        expectAttributes(text, {L"Font", L"Texture", L"size"});
}

TEST(CharacterData, EveryCatHasItsLooksAndABirdHouseSceneInEveryGroup) {
    static const char* const kMoves[] = {"cat_pers_idle",      "cat_pers_move_up",        "cat_pers_move_up_left",
                                         "cat_pers_move_left", "cat_pers_move_down_left", "cat_pers_move_down"};
    GroupController board;
    for (int variant = 0; variant < 3; ++variant) {
        const std::string name = cCatPersonModel::fileName(variant);
        SCOPED_TRACE(name);
        auto document = loadData(name);
        cCatPersonModel cat;
        ASSERT_NO_THROW(cat.loadXML(document.get(), name));
        expectViewKeys(document.get());
        expectAttributes(document.get(), {L"cat_silence_time"});

        std::set<std::string> looks;
        Engine::IXmlNode* states = child(document.get(), "States");
        ASSERT_TRUE(states);
        for (Engine::IXmlNode* state : ModelXml::children(states)) {
            looks.insert(Engine::wideToNarrow(state->getAttribute(L"id")));
            expectAttributes(state, {L"Picture"});
        }
        for (const char* move : kMoves)
            EXPECT_TRUE(looks.count(move)) << move;
        for (const cFunnyEvent& event : cat.getFunnyEvents()) {
            EXPECT_TRUE(looks.count(event.m_id)) << event.m_id;
            EXPECT_GT(event.m_time, 0.0f) << event.m_id;
        }

        const std::string birds = cat.getFunnyEvents().back().m_id;
        for (int group = 0; group <= kLastGroup; ++group) {
            board.setGroup(group);
            const std::vector<cFunnyEvent> available = cat.getAvailableFunnyEvents();
            ASSERT_GE(available.size(), 2u) << "group " << group;
            EXPECT_EQ(available.back().m_id, birds) << "group " << group;
        }
    }
}

// Every picture a character file names is in a shipped atlas or is a file of its own.
TEST(CharacterData, EveryPictureTheCharactersNameIsShipped) {
    static const std::regex entry("<Name>([^<]+)</Name>");
    std::set<std::string> atlased;
    for (const fs::directory_entry& file : fs::directory_iterator(kData / "Atlases")) {
        if (file.path().extension() != ".xml")
            continue;
        const std::string text = TestSupport::readFileBytes(file.path().string());
        for (auto it = std::sregex_iterator(text.begin(), text.end(), entry); it != std::sregex_iterator(); ++it)
            atlased.insert((*it)[1]);
    }
    ASSERT_FALSE(atlased.empty());
    static const std::regex picture("Picture=\"([^\"]+)\"");
    for (const CharacterFile& file : kFiles) {
        SCOPED_TRACE(file.name);
        const std::string text = TestSupport::readFileBytes((kData / file.name).string());
        int named = 0;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), picture); it != std::sregex_iterator(); ++it) {
            const std::string name = (*it)[1];
            EXPECT_TRUE(atlased.count(name) || fs::exists(kData / name)) << name;
            ++named;
        }
        EXPECT_GE(named, file.cat ? 12 : 3);
    }
}

// The heroine and each cat walk from building to building on the shipped map and data.
TEST(CharacterData, CharactersWalkBetweenTheShippedBuildings) {
    const fs::path modelFile = kData / cMeadowModel::MODEL_FILE;
    const fs::path levelsFile = kData / cMeadowModel::LEVELS_FILE;
    if (!fs::exists(modelFile) || !fs::exists(levelsFile))
        GTEST_SKIP() << "the game model " << modelFile << " is not on this branch yet";
    Engine::randomSeed(3);
    Engine::gIntProps.clear();
    auto modelRoot = TestModel::parseXml(TestSupport::readFileBytes(modelFile.string()));
    auto levelsRoot = TestModel::parseXml(TestSupport::readFileBytes(levelsFile.string()));
    cMeadowModel model(modelRoot.get(), levelsRoot.get());
    cMeadowController controller(&model, nullptr, false);
    cUnitsFeature* units = model.getUnitsFeature();
    const std::vector<BuildingPoint> plan = mapPlan();
    ASSERT_EQ(units->getUnitCount(), int32_t(plan.size()));

    std::vector<std::unique_ptr<FakeUnitView>> views;
    for (int32_t i = 0; i < units->getUnitCount(); ++i) {
        cMeadowUnit* unit = units->getUnit(i);
        unit->setLevel(1);
        views.push_back(std::make_unique<FakeUnitView>(unit, plan[size_t(unit->getId())].point));
    }
    for (const CharacterFile& file : kFiles) {
        SCOPED_TRACE(file.name);
        std::unique_ptr<cPersonageModel> character = loadCharacter(file);
        // The heroine's reset forgets the buildings; the screen registers them afterwards.
        character->reset();
        for (const auto& view : views)
            character->addUnitPoint(view->getPoint(), view.get());
        ASSERT_EQ(character->getUnitPoints().size(), plan.size());
        int32_t at = character->getCurrentPoint();
        for (int trip = 0; trip < 12; ++trip) {
            ASSERT_TRUE(character->chooseUnitGoal());
            const int32_t goal = character->getCurrentPoint();
            const cGraph::tNodeList path = character->getGraph()->findPath(at, goal);
            if (goal != at) {
                ASSERT_GE(path.size(), 2u) << at << " -> " << goal;
                EXPECT_EQ(path.front()->getIndex(), at);
                EXPECT_EQ(path.back()->getIndex(), goal);
            }
            if (character->getUnitPoints().count(goal)) {
                character->talkAbout(goal);
                if (!file.cat) {
                    EXPECT_FALSE(character->getRegularPhrase().empty()) << "unit at point " << goal;
                }
                EXPECT_TRUE(character->work(goal));
            }
            at = goal;
        }
    }
    Engine::gIntProps.clear();
}
