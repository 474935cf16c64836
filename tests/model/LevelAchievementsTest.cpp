#include "game/model/LevelAchievements.h"

#include "tests/model/ModelFixture.h"

#include <gtest/gtest.h>

using TestModel::thrownText;

namespace {

cLevelAchievements load(const std::string& children) {
    auto root = TestModel::parseXml("<Model><LevelAchievements>" + children + "</LevelAchievements></Model>");
    cLevelAchievements achievements;
    achievements.loadXML(root.get());
    return achievements;
}

TEST(LevelAchievements, ReadsRecordsInFileOrder) {
    auto model = TestModel::makeFixtureModel();
    const auto& records = model->getLevelAchievements()->getAchievements();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].name, L"Board money");
    EXPECT_EQ(records[3].id, 3);
    EXPECT_TRUE(records[3].show);
    EXPECT_EQ(records[4].id, 5);
    EXPECT_FALSE(records[4].show);
    cLevelAchievements defaults = load("<A name=\"x\"/>");
    EXPECT_EQ(defaults.getAchievements()[0].id, 0);
    EXPECT_TRUE(defaults.getAchievements()[0].show);
}

TEST(LevelAchievements, ValuesGoToTheFirstRecordOfAnId) {
    cLevelAchievements achievements = load("<A id=\"4\"/><A id=\"4\"/><A id=\"0\"/><A id=\"3\"/>");
    achievements.setValue(4, 10);
    achievements.addValue(4, 5);
    achievements.addValue(9, 5); // no such record: nothing
    achievements.setValue(9, 5);
    EXPECT_EQ(achievements.getValue(4), 15);
    EXPECT_EQ(achievements.getAchievements()[1].value, 0);
    EXPECT_EQ(achievements.getValue(9), 0);
    achievements.reset();
    EXPECT_EQ(achievements.getValue(4), 0);
}

TEST(LevelAchievements, TheFourthRecordSumsTheOthers) {
    cLevelAchievements achievements = load("<A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/>");
    achievements.setValue(0, 10);
    achievements.setValue(1, 20);
    achievements.setValue(2, 30);
    achievements.setValue(3, 999);
    achievements.updateSummary();
    EXPECT_EQ(achievements.getValue(3), 60);
    achievements.updateSummary();
    EXPECT_EQ(achievements.getValue(3), 60);

    // Past the fourth record the last one stays out of the sum.
    cLevelAchievements six = load("<A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/><A id=\"4\"/><A id=\"5\"/>");
    for (int id : {0, 1, 2, 3, 4, 5})
        six.setValue(id, 1 << id);
    six.updateSummary();
    EXPECT_EQ(six.getValue(3), 1 + 2 + 4 + 16);
    six.updateSummary();
    EXPECT_EQ(six.getValue(3), 1 + 2 + 4 + 16);
}

TEST(LevelAchievements, ASummaryNeedsItsRecord) {
    cLevelAchievements empty = load("");
    EXPECT_EQ(thrownText([&] { empty.updateSummary(); }),
              "cLevelAchievements::updateSummary(): there are no any achievements");
    cLevelAchievements three = load("<A id=\"0\"/><A id=\"1\"/><A id=\"2\"/>");
    EXPECT_EQ(thrownText([&] { three.updateSummary(); }),
              "cLevelAchievements::updateSummary(): there is no summary achievement, achievements amount = 3");
}

} // namespace
