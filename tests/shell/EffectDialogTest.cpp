#include "game/shell/EffectDialog.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Sprite.h"
#include "game/shell/GameSounds.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// One picture 40 x 20 at home (100, 200) flying out of (500, 400).
class EffectDialogTest : public ::testing::Test {
protected:
    EffectDialogTest() : ui(0.125f) {}
    void SetUp() override {
        const std::string ogg = readFile(std::filesystem::path(MEADOW_SOURCE_DATA_DIR) / "Meadow/Sounds/match1.ogg");
        ui.writeFile("s/show.ogg", ogg);
        ui.writeFile("s/hide.ogg", ogg);
        ui.writeFile("Meadow/Sounds/GameSounds.xml", "<GameSounds><Sounds>"
                                                     "<Sound id=\"show_frame\" path=\"s/show.ogg\"/>"
                                                     "<Sound id=\"hide_frame\" path=\"s/hide.ogg\"/>"
                                                     "</Sounds></GameSounds>");
        ui.writePicture("p.tga", 4, 4, 0xFFFFFFFF);
        ui.start();
        sounds = std::make_unique<cGameSounds>();
        ui.sounds().clear();
    }
    cEffectDialog* load(const std::string& keys) {
        ui.writeFile("d.xml", "<D Visible=\"0\" Enable=\"1\" show_position=\"500,400\" " + keys +
                                  "><Background><A Visible=\"1\" Picture=\"p.tga\" position=\"100,200\" "
                                  "size=\"40,20\"/></Background></D>");
        dialog = new cEffectDialog(nullptr);
        dialog->loadXML(ui.layout("d.xml"));
        EXPECT_EQ(dialog->getEffectWidgets().size(), 1u);
        picture = dialog->getEffectWidgets().front().widget;
        return dialog;
    }
    // Position and size of the picture after each of n frames.
    std::vector<std::string> frames(int n) {
        std::vector<std::string> out;
        for (int i = 0; i < n; ++i) {
            ui.step();
            out.push_back(geometry());
        }
        return out;
    }
    std::string geometry() const {
        const cVector2 p = picture->getPosition(), s = picture->getSize();
        std::ostringstream text;
        text << p.x << "," << p.y << " " << s.x << "x" << s.y;
        return text.str();
    }

    UiHarness ui;
    std::unique_ptr<cGameSounds> sounds;
    cEffectDialog* dialog = nullptr;
    cSprite* picture = nullptr;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(EffectDialogTest, FliesOutPulsesOnceAndFliesBack) {
    load(
        "ShowTime=\"0.5\" HideTime=\"0.25\" scale_time=\"0.5\" scale_param=\"0.2\" BreakColumns=\"3\" BreakRows=\"2\"");
    EXPECT_EQ(dialog->getBreakColumns(), 3u);
    EXPECT_EQ(dialog->getBreakRows(), 2u);
    EXPECT_EQ(geometry(), "500,400 0x0");

    dialog->fadeIn();
    EXPECT_EQ(ui.sounds(), Lines{"playOnce s/show.ogg"});
    EXPECT_EQ(picture->getAlpha(), 0);
    // Three flight steps, home with the end of the fade, then the pulse up and down and the reset.
    EXPECT_EQ(frames(8), (Lines{"400,350 10x5", "300,300 20x10", "200,250 30x15", "100,200 44x22", "100,200 48x24",
                                "100,200 44x22", "100,200 40x20", "100,200 40x20"}));
    EXPECT_FALSE(dialog->isPulseRunning());
    EXPECT_EQ(picture->getAlpha(), 1);

    dialog->fadeOut();
    EXPECT_EQ(ui.sounds().back(), "playOnce s/hide.ogg");
    EXPECT_EQ(frames(2), (Lines{"300,300 20x10", "500,400 0x0"}));
    EXPECT_FALSE(dialog->isVisible());
    delete dialog;
}

TEST_F(EffectDialogTest, WithoutScaleTimeThePulseEndsAtOnce) {
    load("ShowTime=\"0.25\" scale_param=\"0.5\"");
    dialog->fadeIn();
    EXPECT_EQ(frames(3), (Lines{"300,300 20x10", "100,200 40x20", "100,200 40x20"}));
    EXPECT_FALSE(dialog->isPulseRunning());
    delete dialog;
}

TEST_F(EffectDialogTest, PulseRunsOutBeforeTheFlightBack) {
    load("ShowTime=\"0.125\" HideTime=\"1\" scale_time=\"0.5\"");
    dialog->fadeIn();
    ui.step();
    ASSERT_TRUE(dialog->isPulseRunning());
    dialog->fadeOutAndDelete();
    // No visible change from a pulse of scale_param 0, then the rest of the fade from home.
    EXPECT_EQ(frames(6), (Lines{"100,200 40x20", "100,200 40x20", "100,200 40x20", "100,200 40x20", "150,225 15x7.5",
                                "200,250 10x5"}));
    ui.step();
    EXPECT_TRUE(isWidgetAlive(dialog));
    ui.step();
    EXPECT_FALSE(isWidgetAlive(dialog));
}

TEST_F(EffectDialogTest, FadeOutShorterThanThePulseLeavesNoPulseForTheNextFadeIn) {
    load("ShowTime=\"0.5\" HideTime=\"0.125\" scale_time=\"1\" scale_param=\"1\"");
    dialog->fadeIn();
    ui.steps(5);
    ASSERT_TRUE(dialog->isPulseRunning());
    dialog->fadeOut();
    ui.step();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->isPulseRunning());
    dialog->fadeIn();
    EXPECT_EQ(frames(1), Lines{"400,350 10x5"});
    delete dialog;
}

TEST_F(EffectDialogTest, RegisteringAgainKeepsOneRecordAndDeletedWidgetsLeave) {
    load("ShowTime=\"0.5\"");
    picture->setPosition(300, 100);
    picture->setSize(cVector2(8, 8));
    dialog->addEffectWidget(picture);
    ASSERT_EQ(dialog->getEffectWidgets().size(), 1u);
    EXPECT_EQ(dialog->getEffectWidgets().front().homePosition, cVector2(300, 100));
    EXPECT_EQ(geometry(), "500,400 0x0");

    auto* extra = new cSprite(dialog);
    dialog->addEffectWidget(extra);
    dialog->addEffectWidget(new cWidget(dialog));
    EXPECT_EQ(dialog->getEffectWidgets().size(), 2u);
    deleteWidgetLater(extra);
    dialog->fadeIn();
    ui.steps(6);
    EXPECT_EQ(dialog->getEffectWidgets().size(), 1u);
    EXPECT_EQ(geometry(), "300,100 8x8");
    delete dialog;
}

TEST_F(EffectDialogTest, PulseStepPastItsEndDoesNotShrinkBelowHome) {
    load("ShowTime=\"0.125\" scale_time=\"0.3\" scale_param=\"1\"");
    dialog->fadeIn();
    ui.steps(2);
    EXPECT_GT(picture->getSize().x, 40);
    ui.step();
    EXPECT_EQ(geometry(), "100,200 40x20");
    ui.step();
    EXPECT_FALSE(dialog->isPulseRunning());
    delete dialog;
}
