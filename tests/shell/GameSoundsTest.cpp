#include "game/shell/GameSounds.h"
#include "engine/core/Random.h"
#include "engine/media/SoundChannel.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using TestSupport::UiHarness;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const std::filesystem::path SOUNDS = std::filesystem::path(MEADOW_SOURCE_DATA_DIR) / "Meadow" / "Sounds";

class GameSoundsTest : public ::testing::Test {
protected:
    GameSoundsTest() : ui(0.125f) {}
    void SetUp() override {
        ui.writeFile("Meadow/Sounds/match1.ogg", readFile(SOUNDS / "match1.ogg"));
        ui.writeFile("Meadow/Sounds/GameSounds.xml", "<GameSounds><Sounds>"
                                                     "<Sound id=\"object_fall\" path=\"Meadow/Sounds/match1.ogg\"/>"
                                                     "<Any id=\"match\" path=\"Meadow/Sounds/match1.ogg\"/>"
                                                     "</Sounds></GameSounds>");
        ui.start();
        sounds = std::make_unique<cGameSounds>();
        ui.sounds().clear();
    }
    int plays() const {
        int count = 0;
        for (const std::string& line : const_cast<UiHarness&>(ui).sounds())
            count += line.rfind("playOnce", 0) == 0;
        return count;
    }

    UiHarness ui;
    std::unique_ptr<cGameSounds> sounds;
};

} // namespace

TEST_F(GameSoundsTest, CoolDownKeepsRepeatsFromPilingUp) {
    Engine::randomSeed(5);
    sounds->playSingle("object_fall", 0.3f, 0.2f);
    sounds->playSingle("object_fall", 0.3f, 0.2f);
    EXPECT_EQ(plays(), 1);
    const float coolDown = sounds->getCoolDown("object_fall");
    EXPECT_GE(coolDown, 0.3f);
    EXPECT_LE(coolDown, 0.5f);
    ui.steps(2);
    EXPECT_FLOAT_EQ(sounds->getCoolDown("object_fall"), coolDown - 0.25f);
    sounds->playSingle("object_fall", 0.3f, 0.2f);
    EXPECT_EQ(plays(), 1);
    ui.steps(3); // 0.625 s in all
    EXPECT_EQ(sounds->getCoolDown("object_fall"), 0);
    EXPECT_EQ(sounds->getCoolingCount(), 0u);
    sounds->playSingle("object_fall", 0.3f, 0.2f);
    EXPECT_EQ(plays(), 2);
}

TEST_F(GameSoundsTest, ZeroCoolDownListsTheSoundOnce) {
    sounds->playSingle("match", 0, 0);
    sounds->playSingle("match", 0, 0);
    EXPECT_EQ(plays(), 2);
    EXPECT_EQ(sounds->getCoolingCount(), 1u);
    ui.step();
    EXPECT_EQ(sounds->getCoolingCount(), 0u);
}

TEST_F(GameSoundsTest, UnknownIdsThrowTheirTexts) {
    struct Case {
        std::function<void()> call;
        std::string text;
    };
    const Case cases[] = {
        {[&] { sounds->play("Match"); }, "Unknown sound id: Match"},
        {[&] { sounds->playLoop("none"); }, "Unknown sound id: none"},
        {[&] { sounds->playMusic("none"); }, "Unknown sound id: none"},
        {[&] { sounds->playSingle("MATCH", 0, 0); }, "cGameSounds::playSingle(): unknown sound id: MATCH"},
    };
    for (const Case& row : cases) {
        try {
            row.call();
            ADD_FAILURE() << row.text;
        } catch (const std::string& text) {
            EXPECT_EQ(text, row.text);
        }
    }
}

TEST_F(GameSoundsTest, PlaysOnceLoopedAndAsMusic) {
    sounds->play("match");
    std::unique_ptr<Engine::cSoundChannel> loop(sounds->playLoop("match"));
    std::unique_ptr<Engine::cSoundChannel> music(sounds->playMusic("object_fall"));
    ASSERT_EQ(ui.sounds().size(), 3u);
    EXPECT_EQ(ui.sounds()[0].rfind("playOnce ", 0), 0u);
    EXPECT_EQ(ui.sounds()[1].rfind("play ", 0), 0u);
    EXPECT_EQ(ui.sounds()[2].rfind("music ", 0), 0u);
}

TEST_F(GameSoundsTest, SecondTableAndDuplicatedIdsAreRefused) {
    EXPECT_THROW(cGameSounds(), const char*);
    ui.writeFile("Meadow/Sounds/Twice.xml",
                 "<GameSounds><Sounds><Sound id=\"a\" path=\"Meadow/Sounds/match1.ogg\"/>"
                 "<Sound id=\"a\" path=\"Meadow/Sounds/match1.ogg\"/></Sounds></GameSounds>");
    try {
        sounds->loadXML(ui.layout("Meadow/Sounds/Twice.xml"));
        FAIL();
    } catch (const std::string& text) {
        EXPECT_EQ(text, "cGameSounds::loadXML(): duplicated sound id: a");
    }
}

TEST(GameSoundsData, ShippedTableHoldsEveryIdTheGamePlays) {
    UiHarness ui;
    for (const auto& entry : std::filesystem::directory_iterator(SOUNDS))
        ui.writeFile("Meadow/Sounds/" + entry.path().filename().string(), readFile(entry.path()));
    ui.start();
    cGameSounds sounds;
    const char* ids[] = {"preloader_ambient",
                         "main_menu_music",
                         "game_music",
                         "btn_hovered",
                         "btn_clicked",
                         "object_crash",
                         "bomb_explosion",
                         "lightning_bonus",
                         "iron_cell_crash",
                         "wood_cell_crash",
                         "chain_crash",
                         "vehicle",
                         "vehicle_move",
                         "vehicle_arrived",
                         "chicken_effect",
                         "cow_effect",
                         "cow_butted",
                         "bear_fall1",
                         "bear_fall2",
                         "cat_effect",
                         "mix_effect",
                         "on_achievements",
                         "match",
                         "match_add",
                         "line",
                         "buy_unit",
                         "object_fall",
                         "part_fall",
                         "fanfare_bonus",
                         "award_given",
                         "simple_match",
                         "match_67",
                         "best_match",
                         "show_frame",
                         "hide_frame",
                         "field_appear",
                         "chicken_voice",
                         "cow_voice",
                         "goat_voice",
                         "sheep_voice",
                         "bird_voice",
                         "gold_down",
                         "truck_down",
                         "loading_finished",
                         "trigger_effect",
                         "object_fall_new_level",
                         "object_fall_end_level",
                         "no_moves",
                         "cat_voice0",
                         "dog_voice0"};
    for (const char* id : ids)
        EXPECT_TRUE(sounds.hasSound(id)) << id;
}
