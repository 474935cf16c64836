#include "game/development/CatPersonModel.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/Random.h"
#include "tests/development/CharacterFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace TestCharacters;

namespace {

std::string catXml(const std::string& points, const std::string& events) {
    return "<Cat><Graph><Points>" + points + "</Points><Arcs/></Graph><PersonageFunnyEvents>" + events +
           "</PersonageFunnyEvents></Cat>";
}

const char* kPoints = "<P index=\"3\" position=\"0 0\"/><P index=\"5\" position=\"10 0\"/>"
                      "<P index=\"22\" position=\"20 0\"/>";
// "stretch" and "nap" wander, "roll" only in group 2, "birds" at the bird house.
const char* kEvents = "<E id=\"stretch\" time=\"1\"/><E id=\"roll\" group=\"2\" time=\"1\"/>"
                      "<E id=\"nap\" time=\"3\"/><E id=\"birds\" time=\"4\" size=\"90 60\"/>";

std::vector<std::string> ids(const std::vector<cFunnyEvent>& events) {
    std::vector<std::string> result;
    for (const cFunnyEvent& e : events)
        result.push_back(e.m_id);
    return result;
}

struct CatPersonModel : ::testing::Test {
    void SetUp() override {
        Engine::randomSeed(11);
        Engine::gIntProps.clear();
        auto document = TestModel::parseXml(catXml(kPoints, kEvents));
        cat.loadXML(document.get(), cCatPersonModel::fileName(0));
    }
    void TearDown() override { Engine::gIntProps.clear(); }

    FakeUnitView& addUnit(int32_t point, int32_t id, int32_t level) {
        units.push_back(makeUnit(id, level));
        views.push_back(std::make_unique<FakeUnitView>(units.back().get(), point));
        cat.addUnitPoint(point, views.back().get());
        return *views.back();
    }

    cCatPersonModel cat;
    GroupController board;
    std::vector<std::unique_ptr<cMeadowUnit>> units;
    std::vector<std::unique_ptr<FakeUnitView>> views;
};

} // namespace

TEST_F(CatPersonModel, ACatWithoutNodesOrWithoutTwoEverydayEventsIsRefused) {
    EXPECT_EQ(cCatPersonModel::fileName(2), "Meadow/View/personage/cat3/cat.xml");
    struct Case {
        std::string xml;
        std::string error;
    } cases[] = {
        {catXml("", kEvents),
         "cCatPersonModel::loadXML(): the graph of Meadow/View/personage/cat2/cat.xml has no nodes"},
        {catXml(kPoints, "<E id=\"nap\"/><E id=\"roll\" group=\"2\"/>"),
         "cCatPersonModel::loadXML(): Meadow/View/personage/cat2/cat.xml needs at least two funny events of group "
         "0, the bird-house one last"},
    };
    for (const Case& c : cases) {
        cCatPersonModel other;
        auto document = TestModel::parseXml(c.xml);
        EXPECT_EQ(TestModel::thrownText([&] { other.loadXML(document.get(), cCatPersonModel::fileName(1)); }), c.error);
    }
}

TEST_F(CatPersonModel, WandersToRandomNodesAndKeepsItsBuildings) {
    addUnit(5, 1, 1);
    std::set<int32_t> reached;
    for (int i = 0; i < 30; ++i) {
        cat.reset();
        EXPECT_EQ(cat.getState(), cPersonageModel::PERSONAGE_IDLE);
        reached.insert(cat.getCurrentPoint());
        cat.setState(cPersonageModel::PERSONAGE_WORK);
        EXPECT_TRUE(cat.chooseUnitGoal());
        EXPECT_EQ(cat.getState(), cPersonageModel::PERSONAGE_WORK) << "the view sets the walk";
        reached.insert(cat.getCurrentPoint());
    }
    EXPECT_EQ(reached, (std::set<int32_t>{3, 5, 22}));
    EXPECT_EQ(cat.getUnitPoints().size(), 1u);
}

TEST_F(CatPersonModel, NeverTalksNorGoesWhereItIsAsked) {
    addUnit(5, 1, 1);
    cat.setCurrentPoint(3);
    cat.storePoint();
    EXPECT_TRUE(Engine::gIntProps.empty());
    EXPECT_FALSE(cat.goToUnitPoint(5));
    cat.talkAbout(5);
    cat.talkAbout(99);
    EXPECT_EQ(cat.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(cat.getRegularPhrase(), L"");
}

TEST_F(CatPersonModel, EventsOfItsGroupOrOfEveryGroup) {
    board.setGroup(1);
    EXPECT_EQ(ids(cat.getAvailableFunnyEvents()), (std::vector<std::string>{"stretch", "nap", "birds"}));
    board.setGroup(2);
    EXPECT_EQ(ids(cat.getAvailableFunnyEvents()), (std::vector<std::string>{"stretch", "roll", "nap", "birds"}));
}

TEST_F(CatPersonModel, TheLastEventPlaysOnlyAtTheBirdHouse) {
    auto document = TestModel::parseXml(catXml(kPoints, "<E id=\"stretch\"/><E id=\"nap\"/><E id=\"birds\"/>"));
    cat.loadXML(document.get());
    std::set<std::string> shown;
    for (int i = 0; i < 40; ++i)
        if (cat.startFunnyEvent())
            shown.insert(cat.getCurrentFunnyEvent().m_id);
    EXPECT_EQ(shown, (std::set<std::string>{"stretch", "nap"}));

    cCatPersonModel other;
    auto two = TestModel::parseXml(catXml(kPoints, "<E id=\"stretch\"/><E id=\"birds\"/>"));
    other.loadXML(two.get());
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(other.startFunnyEvent(), i % 2 == 0) << "only the first, every other time";
        if (i % 2 == 0) {
            EXPECT_EQ(other.getCurrentFunnyEvent().m_id, "stretch");
        }
    }
}

TEST_F(CatPersonModel, WorksOnlyAtBuiltBuildingsAndWatchesBirdsAtTheBirdHouse) {
    FakeUnitView& shed = addUnit(3, 4, 0);
    FakeUnitView& barn = addUnit(5, 8, 1);
    FakeUnitView& birdHouse = addUnit(22, cCatPersonModel::BIRD_HOUSE, 1);

    EXPECT_FALSE(cat.work(3)) << "not built yet";
    EXPECT_FALSE(shed.m_working);
    EXPECT_FALSE(cat.work(7));
    EXPECT_EQ(cat.getState(), cPersonageModel::PERSONAGE_IDLE);

    EXPECT_TRUE(cat.work(5));
    EXPECT_TRUE(barn.m_working);
    EXPECT_EQ(cat.getWorkUnit(), &barn);
    EXPECT_EQ(cat.getState(), cPersonageModel::PERSONAGE_WORK);
    EXPECT_THROW(cat.getCurrentFunnyEvent(), std::string);

    board.setGroup(2);
    EXPECT_TRUE(cat.work(22));
    EXPECT_TRUE(birdHouse.m_working);
    EXPECT_EQ(cat.getCurrentFunnyEvent().m_id, "birds");
    EXPECT_EQ(cat.getCurrentFunnyEvent().m_size, Engine::cVector2(90.0f, 60.0f));
}
