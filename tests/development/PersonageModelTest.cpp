#include "game/development/PersonageModel.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/Random.h"
#include "tests/development/CharacterFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace TestCharacters;

namespace {

// Four points in a row; "wave" speaks in groups 0 to 4, "yawn" in 2 and 3, "quiet" never.
const char* kHeroine = "<Personage><Graph><Points>"
                       "<Point index=\"0\" position=\"0 0\"/><Point index=\"1\" position=\"100 0\"/>"
                       "<Point index=\"2\" position=\"200 0\"/><Point index=\"3\" position=\"300 0\"/>"
                       "</Points><Arcs><Arc node1=\"0\" node2=\"1\"/><Arc node1=\"1\" node2=\"2\"/>"
                       "<Arc node1=\"2\" node2=\"3\"/></Arcs></Graph><PersonageFunnyEvents>"
                       "<Event id=\"wave\" time=\"2.5\" size=\"80 120\" group=\"3\"><Phrases>"
                       "<Phrase phrase=\"Hello there!\" group=\"0 1\"/><Phrase phrase=\"What a day.\" group=\"2 4\"/>"
                       "</Phrases></Event>"
                       "<Event id=\"yawn\" time=\"1.5\" size=\"60 100\"><Phrases>"
                       "<Phrase phrase=\"So sleepy.\" group=\"2.9 3.9\"/></Phrases></Event>"
                       "<Event id=\"quiet\" time=\"1\"/>"
                       "</PersonageFunnyEvents></Personage>";

std::vector<std::string> ids(const std::vector<cFunnyEvent>& events) {
    std::vector<std::string> result;
    for (const cFunnyEvent& e : events)
        result.push_back(e.m_id);
    return result;
}

struct PersonageModel : ::testing::Test {
    void SetUp() override {
        Engine::randomSeed(7);
        Engine::gIntProps.clear();
        auto document = TestModel::parseXml(kHeroine);
        model.loadXML(document.get());
    }
    void TearDown() override { Engine::gIntProps.clear(); }

    // A built building at the point.
    FakeUnitView& addUnit(int32_t point, std::unique_ptr<cMeadowUnit> unit) {
        units.push_back(std::move(unit));
        views.push_back(std::make_unique<FakeUnitView>(units.back().get(), point));
        model.addUnitPoint(point, views.back().get());
        return *views.back();
    }

    cPersonageModel model;
    std::vector<std::unique_ptr<cMeadowUnit>> units;
    std::vector<std::unique_ptr<FakeUnitView>> views;
};

} // namespace

TEST_F(PersonageModel, LoadsTheGraphAndTheRepertoire) {
    ASSERT_EQ(model.getGraph()->getNodeCount(), 4);
    ASSERT_EQ(model.getFunnyEvents().size(), 3u);
    const cFunnyEvent& wave = model.getFunnyEvents()[0];
    EXPECT_EQ(wave.m_id, "wave");
    EXPECT_FLOAT_EQ(wave.m_time, 2.5f);
    EXPECT_EQ(wave.m_size, Engine::cVector2(80.0f, 120.0f));
    EXPECT_EQ(wave.m_group, 3);
    ASSERT_EQ(wave.m_phrases.size(), 2u);
    EXPECT_EQ(wave.m_phrases[1].m_text, L"What a day.");
    EXPECT_EQ(wave.m_phrases[1].m_groups, Engine::cVector2(2.0f, 4.0f));
    EXPECT_TRUE(model.getFunnyEvents()[2].m_phrases.empty());
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(TestModel::thrownText([&] { model.getCurrentFunnyEvent(); }),
              "cPersonageModel::getCurrentFunnyEvent(): current event is not defined");
}

TEST_F(PersonageModel, RefusesAFileWithoutGraphOrEvents) {
    struct Case {
        const char* xml;
        std::string error;
    } cases[] = {
        {"<P><PersonageFunnyEvents/></P>", "cPersonageModel::loadXML(): graph structure is undefined"},
        {"<P><Graph><Points/><Arcs/></Graph></P>", "cPersonageModel::loadXML(): no funny evens"},
        {"<P><Graph><Arcs/></Graph><PersonageFunnyEvents/></P>", "cGraph::loadXML(): graph hasn't points"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        cPersonageModel other;
        auto document = TestModel::parseXml(c.xml);
        EXPECT_EQ(TestModel::thrownText([&] { other.loadXML(document.get()); }), c.error);
    }
}

TEST_F(PersonageModel, EventsAndLinesFollowTheCurrentGroup) {
    EXPECT_TRUE(model.getAvailableFunnyEvents().empty()) << "no controller, no events";
    EXPECT_FALSE(model.startFunnyEvent());

    GroupController board;
    struct Case {
        int group;
        std::vector<std::string> events;
        std::wstring waveLine;
    } cases[] = {
        {0, {"wave"}, L"Hello there!"},        {1, {"wave"}, L"Hello there!"}, {2, {"wave", "yawn"}, L"What a day."},
        {3, {"wave", "yawn"}, L"What a day."}, {4, {"wave"}, L"What a day."},  {5, {}, L""},
    };
    const cFunnyEvent& wave = model.getFunnyEvents()[0];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        board.setGroup(c.group);
        EXPECT_EQ(ids(model.getAvailableFunnyEvents()), c.events);
        EXPECT_EQ(wave.getRandomPhrase(c.group), c.waveLine);
    }
}

TEST_F(PersonageModel, TheOnlyEventPlaysEveryOtherTime) {
    GroupController board;
    board.setGroup(0);
    for (int round = 0; round < 3; ++round) {
        model.setState(cPersonageModel::PERSONAGE_IDLE);
        EXPECT_TRUE(model.startFunnyEvent());
        EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_FUNNY_EVENT);
        EXPECT_EQ(model.getCurrentFunnyEvent().m_id, "wave");
        model.setState(cPersonageModel::PERSONAGE_IDLE);
        EXPECT_FALSE(model.startFunnyEvent()) << "a repeated draw costs a chance";
        EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
        EXPECT_THROW(model.getCurrentFunnyEvent(), std::string);
    }
}

TEST_F(PersonageModel, TwoEventsNeverRepeatBackToBack) {
    GroupController board;
    board.setGroup(3);
    std::string last;
    int shown = 0;
    for (int i = 0; i < 40; ++i) {
        if (!model.startFunnyEvent()) {
            last.clear();
            continue;
        }
        EXPECT_NE(model.getCurrentFunnyEvent().m_id, last);
        last = model.getCurrentFunnyEvent().m_id;
        ++shown;
    }
    EXPECT_GT(shown, 20);
}

TEST_F(PersonageModel, BuildingPointsRegisterOnceAndOnlyOnTheGraph) {
    FakeUnitView& first = addUnit(2, makeUnit(0));
    addUnit(9, makeUnit(1)); // no such node: silently left out
    EXPECT_EQ(model.getUnitPoints().size(), 1u);
    EXPECT_EQ(model.getUnitPoints().at(2), &first);
    EXPECT_EQ(TestModel::thrownText([&] { model.addUnitPoint(2, &first); }),
              "cPersonageModel::addUnitPoint(): duplicated points for an unit: point index = 2");
}

TEST_F(PersonageModel, ThePointIsKeptInTheProfile) {
    addUnit(1, makeUnit(1));
    model.setCurrentPoint(3);
    model.reset();
    EXPECT_EQ(model.getCurrentPoint(), 0) << "a missing property reads 0";
    EXPECT_EQ(Engine::gIntProps.count("PersonagePoint"), 1u) << "and is created";
    EXPECT_TRUE(model.getUnitPoints().empty());

    model.setCurrentPoint(3);
    model.storePoint();
    EXPECT_EQ(Engine::gIntProps["PersonagePoint"], 3);
    model.setCurrentPoint(1);
    model.reset();
    EXPECT_EQ(model.getCurrentPoint(), 3);
}

TEST_F(PersonageModel, ChoosesOnlyBuiltAllowedBuildings) {
    addUnit(0, makeUnit(0, 0));
    addUnit(1, makeUnit(1, 2, true));
    model.setState(cPersonageModel::PERSONAGE_IDLE);
    model.setCurrentPoint(3);
    EXPECT_FALSE(model.chooseUnitGoal());
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(model.getCurrentPoint(), 3);

    addUnit(2, makeUnit(2));
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(model.chooseUnitGoal());
        EXPECT_EQ(model.getCurrentPoint(), 2);
        EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_MOVE);
        EXPECT_EQ(model.getLastAskedPoint(), -1);
    }
}

TEST_F(PersonageModel, AskedBuildingsGetThePrimaryLineOthersTheRegularAndARandomOne) {
    addUnit(1, makeUnit(1, 1, false, "Brand new!", "Busy as ever.", {"Smells of bread."}));
    addUnit(2, makeUnit(2, 1, false, "", "Quiet today.")); // no primary, no random lines

    EXPECT_TRUE(model.goToUnitPoint(1));
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_MOVE);
    EXPECT_EQ(model.getCurrentPoint(), 1);
    model.talkAbout(1);
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_TALK);
    EXPECT_EQ(model.getPrimaryPhrase(), L"Brand new!");
    EXPECT_EQ(model.getRegularPhrase(), L"");
    EXPECT_EQ(model.getRandomPhrase(), L"");

    model.talkAbout(2);
    EXPECT_EQ(model.getPrimaryPhrase(), L"");
    EXPECT_EQ(model.getRegularPhrase(), L"Quiet today.");
    EXPECT_EQ(model.getRandomPhrase(), L"") << "an upgrade without random lines";

    // Without a primary line the heroine does not set off, yet the point counts as asked.
    model.setState(cPersonageModel::PERSONAGE_IDLE);
    EXPECT_FALSE(model.goToUnitPoint(2));
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(model.getCurrentPoint(), 1);
    model.talkAbout(2);
    EXPECT_EQ(model.getRegularPhrase(), L"") << "the primary line, empty, is said instead";

    EXPECT_FALSE(model.goToUnitPoint(3));
    EXPECT_EQ(model.getLastAskedPoint(), 2) << "an unregistered point is not remembered";
    EXPECT_TRUE(model.chooseUnitGoal());
    model.talkAbout(1);
    EXPECT_EQ(model.getRandomPhrase(), L"Smells of bread.");
    EXPECT_EQ(TestModel::thrownText([&] { model.talkAbout(3); }),
              "cPersonageModel::talkAbout(): point 3 doesn't belong to any unit");
}

TEST_F(PersonageModel, WorkSwitchesTheBuildingsWorkLookOn) {
    FakeUnitView& bakery = addUnit(2, makeUnit(4));
    EXPECT_TRUE(model.work(2));
    EXPECT_TRUE(bakery.m_working);
    EXPECT_EQ(model.getWorkUnit(), &bakery);
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_WORK);
    EXPECT_EQ(TestModel::thrownText([&] { model.work(0); }),
              "cPersonageModel::work(): point 0 doesn't belong to any unit");
}
