// The engine's three dialogs drawn with the shipped layouts, pictures and fonts on OpenGL (Mesa
// EGL, software) over a level background: sample points check the panel's paper, the button
// faces and the ink of the texts; every text reads at the WCAG AA contrast. With
// MEADOW_UPDATE_DOCS=1 each dialog is also written to docs/ (dialog-yes-no.png,
// dialog-new-user.png, dialog-select-user.png).

#include "engine/core/String.h"
#include "engine/gui/EditBox.h"
#include "engine/gui/NewUserDialog.h"
#include "engine/gui/Panel.h"
#include "engine/gui/SelectUserDialog.h"
#include "engine/gui/TextButton.h"
#include "engine/gui/YesNoDialog.h"
#include "tests/gui/DialogFixture.h"
#include "tests/support/PixelTest.h"
#include "tests/support/TextContrast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

const int WIDTH = 1024, HEIGHT = 768;
const char* const BACKDROP = "Meadow/Images/Backgrounds/level_bg1.png";

struct Box {
    int left, top, width, height;
};

int channel(uint32_t pixel, int shift) {
    return int((pixel >> shift) & 255u);
}

// Light cream paper: warm, bright, a little yellow.
bool isPaper(uint32_t p) {
    return channel(p, 16) > 0xE0 && channel(p, 8) > 0xD0 && channel(p, 0) > 0x98 && channel(p, 16) > channel(p, 0);
}
// The leaf green of a button face.
bool isGreen(uint32_t p) {
    return channel(p, 8) > channel(p, 16) + 30 && channel(p, 8) > channel(p, 0) + 30;
}
// The grey of a disabled face.
bool isGrey(uint32_t p) {
    return std::abs(channel(p, 16) - channel(p, 8)) < 12 && std::abs(channel(p, 8) - channel(p, 0)) < 16 &&
           channel(p, 8) > 0x90;
}
bool isInk(uint32_t p) {
    return channel(p, 16) < 0x70 && channel(p, 8) < 0x60 && channel(p, 0) < 0x50;
}
bool isWhite(uint32_t p) {
    return channel(p, 16) > 0xF0 && channel(p, 8) > 0xF0 && channel(p, 0) > 0xF0;
}

class DialogPixelTest : public ::testing::Test {
protected:
    // False (and the test skipped) without EGL.
    bool start() {
        TestSupport::installDialogs(ui);
        ui.writeFile(BACKDROP, TestSupport::shippedFile(BACKDROP));
        std::string reason;
        if (!ui.startGl(reason)) {
            skipReason = reason;
            return false;
        }
        backdrop = std::make_unique<cPanel>(nullptr);
        backdrop->setPicture(BACKDROP);
        backdrop->setPosition(cVector2(WIDTH / 2, HEIGHT / 2));
        backdrop->setSize(cVector2(WIDTH, HEIGHT));
        backdrop->show();
        return true;
    }
    void frame() {
        ui.steps(2);
        ASSERT_TRUE(ui.renderDevice().readBackBuffer(0, 0, WIDTH, HEIGHT, pixels));
    }
    uint32_t at(int x, int y) const { return pixels[size_t(y * WIDTH + x)]; }
    // How many pixels of the box pass the test.
    template <class Test> int count(const Box& box, Test test) const {
        int n = 0;
        for (int y = box.top; y < box.top + box.height; ++y)
            for (int x = box.left; x < box.left + box.width; ++x)
                n += test(at(x, y)) ? 1 : 0;
        return n;
    }
    // The box of a text centred on (x, y).
    static Box around(const cVector2& centre, int halfWidth, int halfHeight) {
        return {int(centre.x) - halfWidth, int(centre.y) - halfHeight, 2 * halfWidth, 2 * halfHeight};
    }
    // Every text shown reads at its AA figure, the named ones among them.
    void expectTextsRead(const char* dialog, std::initializer_list<const wchar_t*> named) {
        const std::vector<std::wstring> measured = TestSupport::expectShownTextsRead(
            [this] {
                frame();
                return pixels;
            },
            WIDTH, dialog);
        for (const wchar_t* text : named)
            EXPECT_NE(std::find(measured.begin(), measured.end(), text), measured.end())
                << dialog << ": \"" << wideToNarrow(text) << "\" is not shown";
    }
    void writeDocs(const char* name, const Box& box) {
        if (const char* update = std::getenv("MEADOW_UPDATE_DOCS"); update && std::string(update) == "1") {
            ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_DOCS_DIR) + "/" + name, pixels, WIDTH, box.left,
                                                 box.top, box.width, box.height));
        }
    }

    UiHarness ui;
    TestSupport::ProfileCleanup profiles;
    std::unique_ptr<cPanel> backdrop;
    std::vector<uint32_t> pixels;
    std::string skipReason;
};

} // namespace

TEST_F(DialogPixelTest, YesNoShowsPaperGreenButtonsAndItsQuestion) {
    if (!start())
        GTEST_SKIP() << "No headless OpenGL: " << skipReason;
    auto dialog = std::make_unique<cYesNoDialog>(nullptr);
    dialog->setText(L"Do you really want to delete this player?");
    dialog->show();
    dialog->enable();
    frame();

    // Sample points: the paper, the yes and no faces under their gloss.
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 512, 300, 0xFFFFF4D7u));
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 432, 422, 0xFF74BB77u));
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 592, 422, 0xFF74BB77u));
    EXPECT_TRUE(isPaper(at(512, 300))) << std::hex << at(512, 300);
    EXPECT_TRUE(isPaper(at(330, 400))) << std::hex << at(330, 400);
    for (cTextButton* button : {dialog->getYesButton(), dialog->getNoButton()}) {
        const cVector2 c = button->getPosition();
        EXPECT_GT(count(around(c, 50, 16), isGreen), 1200) << c.x;
        EXPECT_GT(count(around(c, 24, 10), isWhite), 60) << "caption at " << c.x;
    }
    // Two lines of ink: the question is wrapped inside the panel.
    EXPECT_GT(count({350, 310, 324, 18}, isInk), 150);
    EXPECT_GT(count({350, 338, 324, 18}, isInk), 150);
    // Outside the panel the meadow shows.
    EXPECT_FALSE(isPaper(at(200, 384)));
    writeDocs("dialog-yes-no.png", {272, 232, 480, 304});
    expectTextsRead("yes/no", {L"Yes", L"No"});
}

TEST_F(DialogPixelTest, NewUserShowsLogoFieldTypedNameAndOk) {
    if (!start())
        GTEST_SKIP() << "No headless OpenGL: " << skipReason;
    auto* dialog = new cNewUserDialog();
    dialog->show();
    dialog->enable();
    frame();
    // Disabled OK while the name is empty: a grey face.
    EXPECT_GT(count(around(dialog->getOkButton()->getPosition(), 80, 18), isGrey), 3000);

    ui.type(L"Anna");
    frame();
    EXPECT_GT(count(around(dialog->getOkButton()->getPosition(), 80, 18), isGreen), 3000);
    EXPECT_GT(count(around(dialog->getOkButton()->getPosition(), 24, 10), isWhite), 60);
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 300, 320, 0xFFFFF5DAu));
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 512, 515, 0xFF7ABB7Cu));
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 620, 440, 0xFFF6F1E2u)) << "the name field";
    EXPECT_TRUE(isPaper(at(300, 320))) << std::hex << at(300, 320);
    // Title, hint and the typed name in ink.
    EXPECT_GT(count({380, 308, 264, 28}, isInk), 400);
    EXPECT_GT(count({400, 374, 224, 22}, isInk), 250);
    EXPECT_GT(count({368, 428, 60, 24}, isInk), 120);
    // The logo's green letters above the panel.
    EXPECT_GT(count({300, 150, 424, 80}, isGreen), 3000);
    writeDocs("dialog-new-user.png", {232, 90, 560, 530});
    expectTextsRead("new player", {L"Welcome to Meadow!", L"Please type your name:", L"Anna", L"OK"});
    delete dialog;
}

TEST_F(DialogPixelTest, SelectUserShowsRowsArrowFieldAndButtons) {
    if (!start())
        GTEST_SKIP() << "No headless OpenGL: " << skipReason;
    TestSupport::makePlayers({L"Ann", L"Cleo", L"Dan", L"Eve", L"Bob"});
    auto* dialog = new cSelectUserDialog(false, true);
    dialog->show();
    dialog->enable();
    frame();

    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 300, 300, 0xFFFFF5D9u));
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 372, 604, 0xFF7FC281u));
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 652, 604, 0xFF7FC281u));
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 650, 542, 0xFFF6F1E2u)) << "the name field";
    EXPECT_TRUE(isPaper(at(300, 300))) << std::hex << at(300, 300);
    // Four rows of names in ink, and the arrow down to the fifth.
    for (int row = 0; row < 4; ++row)
        EXPECT_GT(count({450, 326 + 44 * row, 100, 20}, isInk), 80) << row;
    EXPECT_GT(count({710, 440, 40, 40}, isGreen), 600) << "down arrow";
    EXPECT_EQ(count({710, 324, 40, 40}, isGreen), 0) << "no arrow up from the first row";
    // The current player in the field, OK and Delete green, Exit green.
    EXPECT_GT(count({434, 530, 50, 24}, isInk), 100);
    for (cTextButton* button : {dialog->getOkButton(), dialog->getDeleteButton(), dialog->getExitButton()}) {
        const cVector2 c = button->getPosition();
        EXPECT_GT(count(around(c, 50, 16), isGreen), 1200) << c.x;
        EXPECT_GT(count(around(c, 30, 10), isWhite), 60) << "caption at " << c.x;
    }
    EXPECT_GT(count({300, 80, 424, 100}, isGreen), 3000) << "logo";
    writeDocs("dialog-select-user.png", {200, 40, 624, 660});
    expectTextsRead("player list", {L"Who is playing?", L"Cleo", L"Your name:", L"OK", L"Delete", L"Exit"});
    delete dialog;
}
