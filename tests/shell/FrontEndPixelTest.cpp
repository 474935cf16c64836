// The front end drawn by OpenGL on headless EGL with the shipped pictures, walked as a player
// walks it: the team's logo, the title, the loading screen, the main menu, the options, the
// credits, the exit question and the in-game menu. Sample points check the sky, the wood, the
// paper and the green buttons; every text shown on each screen reads at the WCAG AA contrast
// against the pixels around its letters. With MEADOW_UPDATE_DOCS=1 each screen is also written to docs/
// (front-logo.png, front-title.png, front-loading.png, front-menu.png, front-options.png,
// front-credits.png, front-exit.png, front-game-menu.png).

#include "engine/core/ProfileManager.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "engine/platform/RenderDevice.h"
#include "game/shell/Credits.h"
#include "game/shell/ExitDialog.h"
#include "game/shell/GameMenuDlg.h"
#include "game/shell/LoadingScreen.h"
#include "game/shell/MainMenu.h"
#include "game/shell/Options.h"
#include "tests/shell/FrontEndFixture.h"
#include "tests/support/PixelTest.h"
#include "tests/support/TextContrast.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

using namespace Engine;

namespace {

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;
const char* const LEVEL_BACKDROP = "Meadow/Images/Backgrounds/level_bg1.png";

int channel(uint32_t pixel, int shift) {
    return int((pixel >> shift) & 255u);
}
bool isSky(uint32_t p) {
    return channel(p, 0) > 0xC0 && channel(p, 0) > channel(p, 16) + 40;
}
bool isGreen(uint32_t p) {
    return channel(p, 8) > channel(p, 16) + 30 && channel(p, 8) > channel(p, 0) + 30;
}
bool isPaper(uint32_t p) {
    return channel(p, 16) > 0xE0 && channel(p, 8) > 0xD0 && channel(p, 0) > 0x98 && channel(p, 16) > channel(p, 0);
}
bool isDark(uint32_t p) {
    return channel(p, 16) < 0x20 && channel(p, 8) < 0x20 && channel(p, 0) < 0x20;
}

class FrontEndPixelTest : public FrontEndTest::Fixture {
protected:
    bool start(std::string& reason) {
        // The clouds are dealt from the engine's generator: the same sky whatever ran before.
        randomSeed(1);
        writeData();
        // Long enough that the loading line stays up while its letters are measured.
        writeLog(240);
        copy(LEVEL_BACKDROP);
        return ui.startGl(reason);
    }
    void shoot(const char* name) {
        ui.steps(2);
        ASSERT_TRUE(ui.renderDevice().readBackBuffer(0, 0, WIDTH, HEIGHT, pixels));
        if (const char* update = std::getenv("MEADOW_UPDATE_DOCS"); update && std::string(update) == "1") {
            ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_DOCS_DIR) + "/" + name, pixels, WIDTH, 0, 0, WIDTH,
                                                 HEIGHT));
        }
    }
    uint32_t at(int x, int y) const { return pixels[size_t(y * WIDTH + x)]; }
    // How many of the box's pixels pass.
    template <class Test> int count(int left, int top, int width, int height, Test test) const {
        int n = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                n += test(at(x, y)) ? 1 : 0;
        return n;
    }
    // Every text shown reads at its AA figure, the named ones among them.
    void expectTextsRead(const char* screen, std::initializer_list<const wchar_t*> named) {
        const std::vector<std::wstring> measured = TestSupport::expectShownTextsRead(
            [this] {
                std::vector<uint32_t> frame;
                ui.steps(2);
                ui.renderDevice().readBackBuffer(0, 0, WIDTH, HEIGHT, frame);
                return frame;
            },
            WIDTH, screen);
        for (const wchar_t* text : named)
            EXPECT_NE(std::find(measured.begin(), measured.end(), text), measured.end())
                << screen << ": \"" << wideToNarrow(text) << "\" is not shown";
    }
    void clickAt(const cVector2& point) {
        ui.click(point.x, point.y);
        ui.step();
    }

    std::vector<uint32_t> pixels;
};

TEST_F(FrontEndPixelTest, PlayerWalksFromTheLogosToTheMenuAndItsDialogs) {
    std::string reason;
    if (!start(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;
    { cProfileManager first(L"Anna"); }
    onCreateGame(nullptr);

    ui.run(2.5f);
    shoot("front-logo.png");
    EXPECT_TRUE(isDark(at(20, 20)));
    EXPECT_GT(count(462, 320, 100, 30, isSky), 500) << "the badge's sky";

    ui.tapKey(Platform::KEY_SPACE);
    ui.run(2.5f);
    shoot("front-title.png");
    EXPECT_GT(count(240, 300, 500, 60, isGreen), 3000) << "the title's letters";

    ui.tapKey(Platform::KEY_SPACE);
    // Midway: the loading takes twenty entries a step, a chicken drops with each.
    ui.steps(6);
    shoot("front-loading.png");
    EXPECT_TRUE(isSky(at(40, 30)));
    EXPECT_GT(count(300, 550, 420, 12, isPaper), 200) << "the bar's cream track";
    expectTextsRead("loading", {L"Loading the meadow..."});

    ui.run(6.0f);
    expectTextsRead("loaded", {L"Click or press a key to continue"});
    ui.tapKey(Platform::KEY_SPACE);
    ui.run(1.5f);
    cMainMenu* menu = getMainMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->isVisible());
    shoot("front-menu.png");
    EXPECT_TRUE(isSky(at(40, 30)));
    EXPECT_GT(count(440, 280, 140, 20, isGreen), 1500) << "the start button";
    EXPECT_GT(count(420, 660, 180, 30, isGreen), 0) << "the hills";
    expectTextsRead("main menu", {L"Play", L"Options", L"Awards", L"Credits", L"Exit", L"Player:", L"Anna", L"Change"});

    clickAt(menu->getOptionsButton()->getPosition());
    ui.run(1.5f);
    shoot("front-options.png");
    ASSERT_NE(cOptions::getInstance(), nullptr);
    EXPECT_GT(count(300, 290, 420, 30, isPaper), 3000) << "the paper of the options";
    expectTextsRead("options", {L"Options", L"Sounds", L"Music", L"Full screen", L"OK"});
    clickAt(cOptions::getInstance()->getOkButton()->getPosition());
    ui.run(1.5f);

    clickAt(menu->getCreditsButton()->getPosition());
    ui.run(1.5f);
    shoot("front-credits.png");
    ASSERT_NE(cCredits::getInstance(), nullptr);
    expectTextsRead("credits", {L"Meadow", L"Thank you for playing!", L"Back"});
    clickAt(cCredits::getInstance()->getReturnButton()->getPosition());
    ui.run(1.5f);

    ui.moveTo(900, 700);
    clickAt(menu->getExitButton()->getPosition());
    ui.moveTo(900, 700);
    ui.run(1.5f);
    shoot("front-exit.png");
    EXPECT_GT(count(430, 330, 160, 40, isPaper), 2000) << "the question's paper";
    EXPECT_GT(count(330, 470, 120, 30, isGreen), 1500) << "the yes button";
    expectTextsRead("exit question", {L"Yes", L"No"});

    ui.moveTo(632, 486);
    ui.step();
    clickAt(cVector2(632, 486));
    ui.run(1.5f);
    EXPECT_TRUE(menu->isVisible());

    // The in-game menu over a level's backdrop.
    menu->hide();
    getFixedBackground()->hide();
    cPanel backdrop(nullptr);
    backdrop.setPicture(LEVEL_BACKDROP);
    backdrop.setPosition(cVector2(WIDTH / 2, HEIGHT / 2));
    backdrop.setSize(cVector2(WIDTH, HEIGHT));
    backdrop.show();
    auto* gameMenu = new cGameMenuDlg();
    gameMenu->enable();
    gameMenu->fadeIn();
    ui.run(1.5f);
    shoot("front-game-menu.png");
    EXPECT_GT(count(440, 130, 140, 12, isGreen), 600) << "the resume button";
    expectTextsRead("game menu", {L"Resume", L"Replay", L"Awards", L"Options", L"Tutorial", L"Map", L"Main menu"});
    delete gameMenu;
}

} // namespace
