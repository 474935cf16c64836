#include "game/development/DropAnimation.h"

#include "tests/development/BuildingFixture.h"

using Engine::cVector2;
using TestBuildings::BuildingFixture;

namespace {

struct Fall {
    const char* keys;
    float dt;
    int landingFrame;
    cVector2 landing;
};

} // namespace

using DropAnimationTest = BuildingFixture;

TEST_F(DropAnimationTest, ReadsItsKeysAndStartsHiddenUntilStarted) {
    start();
    ui.writeFile("part.xml", "<Part time=\"1.5\" src_pos=\"10,-20\" dst_pos=\"10,80\" speed=\"100\" accel=\"-5\" "
                             "dust_offset=\"0,30\" dust_height=\"12\" size=\"40,20\" Visible=\"0\"/>");
    auto* part = new cDropAnimation(nullptr);
    owned.emplace_back(part);
    part->loadXML(ui.layout("part.xml"));
    EXPECT_EQ(part->getTime(), 1.5f);
    EXPECT_EQ(part->getSrcPos(), cVector2(10, -20));
    EXPECT_EQ(part->getDstPos(), cVector2(10, 80));
    EXPECT_EQ(part->getSpeed(), 100);
    EXPECT_EQ(part->getAccel(), -5);
    EXPECT_EQ(part->getDustOffset(), cVector2(0, 30));
    EXPECT_EQ(part->getDustHeight(), 12);
    EXPECT_FALSE(part->isStarted());
    EXPECT_FALSE(part->isVisible());
    part->start();
    EXPECT_TRUE(part->isStarted());
    EXPECT_TRUE(part->isVisible());
    EXPECT_EQ(part->getPosition(), cVector2(10, -20));
    EXPECT_EQ(part->getCurrentSpeed(), 100);
}

TEST_F(DropAnimationTest, FallsUntilItReachesOrPassesItsLandingPointAndStandsThereExactly) {
    start();
    const Fall falls[] = {
        // Already there: lands on the first step.
        {"src_pos=\"5,5\" dst_pos=\"5,5\" speed=\"100\"", 0.125f, 1, {5, 5}},
        // No speed at all: jumps onto the landing point at once.
        {"src_pos=\"0,0\" dst_pos=\"0,50\" speed=\"0\" accel=\"0\"", 0.125f, 1, {0, 50}},
        // 12.5 a frame over 50: exactly there in frame 4.
        {"src_pos=\"0,0\" dst_pos=\"0,50\" speed=\"100\"", 0.125f, 4, {0, 50}},
        // Over 60: frame 5 would pass the point and stops on it.
        {"src_pos=\"0,0\" dst_pos=\"0,60\" speed=\"100\"", 0.125f, 5, {0, 60}},
        // The speed grows before each move: 3.125, 6.25, ... reach 46.875 in frame 5 and pass 50 in 6.
        {"src_pos=\"0,0\" dst_pos=\"50,0\" speed=\"0\" accel=\"200\"", 0.125f, 6, {50, 0}},
        // Braked: 37.5 + 25 + 12.5 = 75 of 100, then speed 0 in frame 4 puts it on the point.
        {"src_pos=\"0,0\" dst_pos=\"0,100\" speed=\"400\" accel=\"-800\"", 0.125f, 4, {0, 100}},
    };
    int files = 0;
    for (const Fall& f : falls) {
        const std::string file = "fall" + std::to_string(++files) + ".xml";
        ui.writeFile(file, std::string("<Part ") + f.keys + "/>");
        auto* part = new cDropAnimation(nullptr);
        owned.emplace_back(part);
        part->loadXML(ui.layout(file));
        part->start();
        int frame = 0;
        bool landed = false;
        while (!landed && frame < 100)
            landed = part->update(f.dt), ++frame;
        EXPECT_EQ(frame, f.landingFrame) << f.keys;
        EXPECT_EQ(part->getPosition(), f.landing) << f.keys;
    }
}
