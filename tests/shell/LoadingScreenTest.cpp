#include "game/shell/LoadingScreen.h"

#include "engine/core/FileSystem.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/Resource.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/gui/Label.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/ProgressBar.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/shell/GameMenuDlg.h"
#include "game/shell/MainMenu.h"
#include "game/shell/MatchStatistics.h"
#include "tests/shell/FrontEndFixture.h"

#include <filesystem>
#include <set>
#include <string>

using namespace Engine;

namespace {

const std::string FONT = "Font=\"Fonts/Text22.fnt\" Texture=\"Fonts/Text22.png\" String=\"Loading\"";
int g_finished = 0;
void countFinish() {
    ++g_finished;
}

class LoadingScreenTest : public FrontEndTest::Fixture {
protected:
    void SetUp() override {
        g_finished = 0;
        writeData();
    }
    // The loading layout with the chicken count; the rest as in the game.
    void writeLayout(int chickens) {
        ui.writeFile(
            "UI/Load.xml",
            "<Load Visible=\"1\" Enable=\"1\" delta_t=\"0\" chicken_number=\"" + std::to_string(chickens) +
                "\" start_pos=\"300,300\" chicken_offset=\"100,0\" chicken_alpha_show=\"0.125\" "
                "chicken_fall_time=\"0.25\" chicken_fall_delay=\"0.125\">"
                "<Progress Visible=\"1\" position=\"512,556\" size=\"414,18\" Picture=\"UI/Front/bar_fill.png\" "
                "Side=\"1\" ProgressMaxValue=\"100\"/>"
                "<LoadText Visible=\"1\" position=\"512,640\" size=\"500,40\" " +
                FONT + "/><ContinueText Visible=\"1\" position=\"512,640\" size=\"500,40\" " + FONT +
                "/>"
                "<Chicken Visible=\"1\" size=\"72,128\" Picture=\"UI/Front/chicken.png\" frames_count=\"4\" "
                "anim_columns=\"4\"/></Load>");
    }
    // Frames until the screen waits for a key, at most limit.
    int framesToFinish(cLoadingScreen* screen, int limit) {
        for (int frame = 1; frame <= limit; ++frame) {
            ui.step();
            if (screen->isFinished())
                return frame;
        }
        return -1;
    }
};

TEST_F(LoadingScreenTest, TenEntriesThreeChickensQueueAtZeroThreeAndSix) {
    writeLayout(3);
    writeLog(10);
    ui.start();
    new cGameSounds();
    auto* screen = new cLoadingScreen("dev_view_log.xml", countFinish, 1);
    EXPECT_EQ(screen->getTotal(), 10u);
    EXPECT_EQ(screen->getEntriesPerChicken(), 3u);
    const int queuedAfter[] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 3};
    for (int frame = 0; frame < 10; ++frame) {
        ui.step();
        EXPECT_EQ(screen->getChickensQueued(), queuedAfter[frame]) << "frame " << frame + 1;
        EXPECT_EQ(screen->getLoaded(), unsigned(frame + 1));
        EXPECT_FALSE(screen->isFinished()) << "frame " << frame + 1;
    }
    // The bar lags one step: after the tenth entry it shows nine tenths.
    EXPECT_FLOAT_EQ(screen->getProgress()->getCurrentValue(), 90.0f);
    // The last chicken falls from frame 9 and would land in frame 13; with everything loaded it
    // falls the rest of the way at eight times its pace and lands in frame 11, and the screen waits.
    EXPECT_FALSE(screen->allLanded());
    ui.step();
    EXPECT_TRUE(screen->allLanded());
    EXPECT_TRUE(screen->isFinished());
    EXPECT_FLOAT_EQ(screen->getProgress()->getCurrentValue(), 100.0f);
    EXPECT_FALSE(screen->getLoadText()->isVisible());
    EXPECT_TRUE(screen->getContinueText()->isVisible());
    EXPECT_TRUE(soundPlayed("meadow/sounds/loading_finished.ogg"));
    EXPECT_EQ(screen->getChickens()[2]->getPosition(), cVector2(500, 556));
    EXPECT_EQ(g_finished, 0);
}

TEST_F(LoadingScreenTest, OddCountsStillFinish) {
    const struct {
        int chickens;
        int entries;
        unsigned batch;
    } cases[] = {{0, 10, 1}, {3, 0, 1}, {3, 2, 1}, {3, 10, 4}, {4, 10, 3}, {1, 1, 5}};
    writeLog(0, "empty.xml");
    for (const auto& c : cases) {
        writeLayout(c.chickens);
        writeLog(c.entries, "log" + std::to_string(c.entries) + ".xml");
    }
    ui.start();
    for (const auto& c : cases) {
        writeLayout(c.chickens);
        auto* screen = new cLoadingScreen("log" + std::to_string(c.entries) + ".xml", countFinish, c.batch);
        const int frames = framesToFinish(screen, 200);
        EXPECT_GT(frames, 0) << c.chickens << " chickens, " << c.entries << " entries, batch " << c.batch;
        EXPECT_EQ(screen->getLoaded(), static_cast<unsigned>(c.entries));
        EXPECT_EQ(screen->getChickensQueued(), c.chickens);
        delete screen;
    }
}

TEST_F(LoadingScreenTest, MissingLogFinishesAtOnceAndGoesAtTheFrameEnd) {
    writeLayout(3);
    ui.start();
    auto* screen = new cLoadingScreen("dev_view_log.xml", countFinish, 1);
    EXPECT_EQ(g_finished, 1);
    EXPECT_TRUE(isWidgetAlive(screen));
    ui.step();
    EXPECT_FALSE(isWidgetAlive(screen));
    EXPECT_EQ(g_finished, 1);
}

TEST_F(LoadingScreenTest, KeyAfterLoadingFinishesOnce) {
    writeLayout(1);
    writeLog(2);
    ui.start();
    auto* screen = new cLoadingScreen("dev_view_log.xml", countFinish, 1);
    ui.tapKey(Platform::KEY_SPACE);
    ASSERT_GT(framesToFinish(screen, 50), 0);
    EXPECT_EQ(g_finished, 0);
    ui.tapKey(Platform::KEY_SPACE);
    ui.step();
    EXPECT_EQ(g_finished, 1);
    EXPECT_FALSE(isWidgetAlive(screen));
    ui.click(100, 100);
    ui.step();
    EXPECT_EQ(g_finished, 1);
}

TEST_F(LoadingScreenTest, ShippedLayoutLoadsAndFinishes) {
    writeLog(12);
    ui.start();
    auto* screen = new cLoadingScreen("dev_view_log.xml", countFinish, 1);
    EXPECT_EQ(screen->getChickenCount(), 5);
    EXPECT_GT(framesToFinish(screen, 400), 0);
}

TEST_F(LoadingScreenTest, FirstStartOpensTheNewPlayerDialogAndPlaysMusic) {
    ui.start();
    registerMap();
    int dialogs = 0;
    std::function<void()> done;
    FrontEnd::setNewUserDialog([&](std::function<void()> callback) {
        ++dialogs;
        done = callback;
    });
    new cGameSounds();
    new cMainMenu();
    getMainMenu()->hide();
    onLoadingFinished();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(soundPlayed("music meadow/sounds/main_menu_music.ogg"));
    ui.run(1.0f);
    EXPECT_FALSE(getMainMenu()->isVisible());
    EXPECT_EQ(map, nullptr);
    // The dialog makes the player current and calls back.
    new cProfileManager(L"Anna");
    done();
    ui.run(1.0f);
    EXPECT_TRUE(getMainMenu()->isVisible());
    EXPECT_EQ(getMainMenu()->getUserName()->getText(), L"Anna");
    EXPECT_NE(cMatchStatistics::getInstance(), nullptr);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(getMainMenu()->getNextScreen(), map);
}

TEST_F(LoadingScreenTest, WithAPlayerTheMenuOpensOverTheMap) {
    ui.start();
    { cProfileManager first(L"Ben"); }
    registerMap();
    onLoadingFinished();
    ui.run(1.0f);
    ASSERT_NE(getMainMenu(), nullptr);
    EXPECT_TRUE(getMainMenu()->isVisible());
    EXPECT_EQ(getMainMenu()->getUserName()->getText(), L"Ben");
    EXPECT_EQ(getMainMenu()->getNextScreen(), map);
    EXPECT_TRUE(getMainMenu()->isMeasuring());
}

} // namespace

namespace {

// The front end's scripted session: every screen and dialog opened once. The shipped
// "dev_view_log.xml" (written by the program's own start in tests/app/ResourceLogTest.cpp) holds
// everything it loads but its sounds, which the game's sound table loads when the game starts.
TEST_F(LoadingScreenTest, ScriptedSessionLoadsOnlyWhatTheResourceLogHolds) {
    ui.start();
    { cProfileManager first(L"Anna"); }
    new cGameSounds();
    onLoadingFinished();
    ui.run(1.0f);
    for (cButton* button : {static_cast<cButton*>(getMainMenu()->getOptionsButton()),
                            static_cast<cButton*>(getMainMenu()->getCreditsButton()),
                            static_cast<cButton*>(getMainMenu()->getExitButton())}) {
        ui.click(button->getPosition().x, button->getPosition().y);
        ui.run(1.0f);
        for (IFrameWidget* widget : getLiveWidgets())
            if (auto* root = dynamic_cast<cWidget*>(widget); root && root->isVisible() && root != getMainMenu() &&
                                                             !root->getParent() && root != getFixedBackground())
                deleteWidgetLater(root);
        ui.step();
        getMainMenu()->comeBack();
        ui.run(1.0f);
    }
    auto* gameMenu = new cGameMenuDlg();
    gameMenu->enable();
    gameMenu->fadeIn();
    ui.run(1.0f);
    cGameMenuDlg::onReplayClicked(gameMenu->getReplayButton());
    ui.run(1.0f);
    std::string text;
    {
        const std::string bytes = FrontEndTest::readShipped("dev_view_log.xml");
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            text += bytes[i];
    }
    std::set<std::string> names;
    getResourceManager()->collectNames(names);
    for (const std::string& name : names) {
        if (getResourceManager()->findEntry(name)->getKind() != RESOURCE_SOUND && name != "dev_view_log.xml") {
            EXPECT_NE(text.find("\"" + name + "\""), std::string::npos) << name;
        }
    }
    for (const char* name : {"ui/front/sky.png", "ui/front/hills.png", "ui/front/bee0.png", "ui/front/slider_thumb.png",
                             "fonts/text22.fnt", "atlases/map_images_1.png"})
        EXPECT_NE(text.find(name), std::string::npos) << name;
    delete gameMenu;
}

TEST_F(LoadingScreenTest, ShippedResourceLogPreloadsWithoutFault) {
    copy("dev_view_log.xml");
    // Every file the log names (in lower case), the map's too.
    std::string text;
    {
        const std::string bytes = FrontEndTest::readShipped("dev_view_log.xml");
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            text += bytes[i];
    }
    const std::filesystem::path data(MEADOW_SOURCE_DATA_DIR);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
        std::string name = std::filesystem::relative(entry.path(), data).generic_string();
        std::string lower = name;
        toLowerNarrow(lower);
        if (entry.is_regular_file() && text.find("\"" + lower + "\"") != std::string::npos)
            copy(name);
    }
    ui.start();
    auto* screen = new cLoadingScreen("dev_view_log.xml", countFinish, 1);
    EXPECT_GT(screen->getTotal(), 20u);
    EXPECT_GT(framesToFinish(screen, 400), 0);
    EXPECT_EQ(screen->getLoaded(), screen->getTotal());
}

} // namespace
