#include "game/shell/Clouds.h"
#include "engine/core/Random.h"
#include "engine/core/WidgetSets.h"
#include "game/shell/Cloud.h"
#include "game/shell/RandomFloat.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class CloudsTest : public ::testing::Test {
protected:
    CloudsTest() : ui(0.125f) {}
    void SetUp() override {
        ui.start();
        randomSeed(3);
    }
    void TearDown() override {
        if (isWidgetAlive(clouds))
            delete clouds;
    }
    // Three layers, one cloud prototype each of width 200 and speed 800.
    void load(const std::string& attributes, const std::string& speed = "800") {
        std::string xml = "<Clouds Visible=\"1\" Enable=\"1\" " + attributes + ">";
        for (int i = 0; i < 3; ++i)
            xml += "<Cloud type=\"" + std::to_string(i) + "\" size=\"200 50\" Speed=\"" + speed + "\"/>";
        xml += "</Clouds>";
        const std::string name = "clouds" + std::to_string(++files) + ".xml";
        ui.writeFile(name, xml);
        clouds = new cClouds(nullptr);
        clouds->loadXML(ui.layout(name));
    }
    std::string loadError(const std::string& attributes, const std::string& speed = "800") {
        try {
            load(attributes, speed);
        } catch (const std::string& text) {
            return text;
        } catch (const char* text) {
            return text;
        }
        return "";
    }

    UiHarness ui;
    cClouds* clouds = nullptr;
    int files = 0;
};

const char* PERIODS = "Period0=\"0.1 0.1\" Period1=\"100 100\" Period2=\"100 100\" ";

} // namespace

TEST(RandomFloat, ScalesTheFifteenBitGenerator) {
    randomSeed(7);
    const int r = randomNext();
    EXPECT_FLOAT_EQ(randomFloat(2, 4, 7), 2 + float(r) * 2 / 32767);
    EXPECT_FLOAT_EQ(randomFloat(1, 1), 1);
}

TEST_F(CloudsTest, StartCountsRoundUp) {
    load(std::string(PERIODS) + "MaxStartClouds0=\"2.5\" MaxStartClouds1=\"0\" MaxStartClouds2=\"1\"");
    clouds->createStartClouds();
    EXPECT_EQ(clouds->getCloudCount(), 4);
}

TEST_F(CloudsTest, CloudLeavingTheScreenIsDeleted) {
    load(PERIODS);
    // Spawned in the first frame at x = 1 - 100 = -99, moving right 100 per frame; deleted in the
    // first frame in which x - 100 exceeds 1024.
    cCloud* first = nullptr;
    for (int frame = 0; frame < 3 && !first; ++frame) {
        ui.step();
        for (cWidget* child : clouds->getChildren())
            if (child->isEnabled())
                first = static_cast<cCloud*>(child);
    }
    ASSERT_TRUE(first);
    float lastX = first->getPosition().x;
    for (int frame = 0; frame < 30 && isWidgetAlive(first); ++frame) {
        lastX = first->getPosition().x;
        ui.step();
    }
    EXPECT_FALSE(isWidgetAlive(first));
    // Handed over in the first frame that began with x - 100 beyond 1024.
    EXPECT_GT(lastX - 100, 1024);
    EXPECT_LE(lastX - 200, 1024);
}

TEST_F(CloudsTest, LeftDirectionStartsAtTheRightEdge) {
    load(std::string(PERIODS) + "left_direction=\"1\" YInterval1=\"100 200\"");
    ui.step();
    for (cWidget* child : clouds->getChildren()) {
        auto* cloud = static_cast<cCloud*>(child);
        EXPECT_LT(cloud->getSpeed(), 0);
        if (cloud->isEnabled()) {
            EXPECT_FLOAT_EQ(cloud->getPosition().x, 1024 + 100 - 1 - 100);
        }
        if (cloud->getType() == 1) {
            EXPECT_GE(cloud->getPosition().y, 100);
            EXPECT_LE(cloud->getPosition().y, 200);
        }
    }
}

TEST_F(CloudsTest, LayoutsThatWouldPileUpCloudsAreRefused) {
    EXPECT_EQ(loadError("Period0=\"100 100\" Period1=\"100 100\""),
              "cClouds::loadXML(): the period of cloud layer 2 is not above 0");
    delete clouds;
    clouds = nullptr;
    EXPECT_EQ(loadError(PERIODS, "0"), "cClouds::loadXML(): a cloud of layer 0 has no speed");
    delete clouds;
    clouds = nullptr;
    ui.writeFile("two.xml", "<Clouds><Cloud type=\"0\" Speed=\"1\"/><Cloud type=\"1\" Speed=\"1\"/></Clouds>");
    clouds = new cClouds(nullptr);
    try {
        clouds->loadXML(ui.layout("two.xml"));
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "All cloud types not found.");
    }
}
