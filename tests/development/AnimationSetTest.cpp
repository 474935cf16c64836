#include "game/development/AnimationSet.h"

#include "game/development/RandomAnimation.h"
#include "game/model/MeadowModel.h"
#include "tests/development/BuildingFixture.h"

#include <algorithm>
#include <map>
#include <set>

using Engine::cVector2;
using TestBuildings::BuildingFixture;

namespace {

std::string animal(const std::string& keys) {
    return "<Animal Picture=\"p/animal.tga\" frames_count=\"2\" anim_columns=\"2\" anim_length=\"0.5\" "
           "size=\"20,20\" Enable=\"1\" " +
           keys + "/>";
}

} // namespace

class AnimationSetTest : public BuildingFixture {
protected:
    cAnimationSet& set(const std::string& xml) {
        const std::string file = "set" + std::to_string(sets.size()) + ".xml";
        ui.writeFile(file, xml);
        sets.push_back(std::make_unique<cAnimationSet>(root.get(), &screen));
        sets.back()->loadXML(ui.layout(file));
        return *sets.back();
    }
    void TearDown() override {
        sets.clear();
        BuildingFixture::TearDown();
    }
    std::vector<std::unique_ptr<cAnimationSet>> sets;
};

TEST_F(AnimationSetTest, LoadsHiddenAnimationsWithTheSetsVoiceThenAlwaysShowsOne) {
    start();
    cAnimationSet& hens =
        set("<Set voice_id=\"chicken_voice\" silence_time=\"2 4\">" + animal("probability=\"0\"") + "</Set>");
    ASSERT_EQ(hens.getAnimations().size(), 1u);
    EXPECT_EQ(hens.getVoiceId(), "chicken_voice");
    EXPECT_EQ(hens.getCurrent(), -1);
    EXPECT_FALSE(hens.getAnimations()[0]->isVisible());
    // Probability 0 still shows: the fallback is animation 0 itself.
    for (int i = 0; i < 20; ++i) {
        hens.update(0.125f);
        EXPECT_EQ(hens.getCurrent(), 0);
        EXPECT_TRUE(hens.getAnimations()[0]->isVisible());
    }
    hens.showCurrent(false);
    EXPECT_FALSE(hens.getAnimations()[0]->isVisible());
    // The next step brings the animation on show back.
    hens.update(0.125f);
    EXPECT_TRUE(hens.getAnimations()[0]->isVisible());
}

TEST_F(AnimationSetTest, ChoosesTheRareAnimationByItsProbabilityForOneOrTwoLoops) {
    start();
    cAnimationSet& cows = set("<Set>" + animal("probability=\"1\"") + animal("probability=\"1\"") + "</Set>");
    std::map<int, int> chosen;
    std::set<float> lengths;
    for (int choice = 0; choice < 400; ++choice) {
        cows.update(0.125f);
        ++chosen[cows.getCurrent()];
        lengths.insert(cows.getTimeLeft());
        EXPECT_TRUE(cows.getAnimations()[size_t(cows.getCurrent())]->isVisible());
        EXPECT_FALSE(cows.getAnimations()[size_t(1 - cows.getCurrent())]->isVisible());
        // Run the choice out.
        while (cows.getTimeLeft() > 0)
            cows.update(0.125f);
    }
    EXPECT_NEAR(chosen[1], 200, 40);
    // Exactly the animation's length or twice it.
    EXPECT_EQ(lengths, (std::set<float>{0.5f, 1.0f}));
}

TEST_F(AnimationSetTest, AClickPlaysTheVoiceOncePerSilenceAndCountsOneCareClick) {
    start();
    cAnimationSet& goats = set("<Set voice_id=\"goat_voice\" silence_time=\"1 1\">" +
                               animal("probability=\"1\" position=\"100,100\"") + "</Set>");
    goats.update(0.125f);
    ui.step();
    const int care = model->getAnimalsCare();
    ui.click(100, 100);
    ui.step();
    ui.click(100, 100);
    ui.step();
    EXPECT_EQ(std::count(sounds.log.begin(), sounds.log.end(), "goat_voice"), 1);
    EXPECT_EQ(model->getAnimalsCare(), care + 1);
    // After the silence the next click plays and counts again.
    ui.run(1.0f);
    ui.click(100, 100);
    ui.step();
    EXPECT_EQ(std::count(sounds.log.begin(), sounds.log.end(), "goat_voice"), 2);
    EXPECT_EQ(model->getAnimalsCare(), care + 2);
}

TEST_F(AnimationSetTest, AnimalsIgnoreClicksWhileABoardScreenIsOpen) {
    start();
    cAnimationSet& sheep =
        set("<Set voice_id=\"sheep_voice\">" + animal("probability=\"1\" position=\"50,50\"") + "</Set>");
    sheep.update(0.125f);
    ui.step();
    screen.levelScreenOpen = true;
    ui.click(50, 50);
    ui.steps(2);
    EXPECT_TRUE(sounds.log.empty());
    EXPECT_EQ(sheep.getAnimations()[0]->getVoiceCooldown() <= 0, true);
    EXPECT_EQ(model->getAnimalsCare(), 0);
}
