// The award announcement, the awards dialog and a tutorial tip drawn with the shipped layouts,
// pictures and fonts on OpenGL (Mesa EGL, software) over a level background; their texts read at
// the WCAG AA contrast. With MEADOW_UPDATE_DOCS=1 each is also written to docs/
// (award-announcement.png, awards-dialog.png, tutorial-tip.png).

#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/gui/Panel.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/ArrowHelpTip.h"
#include "game/shell/AwardButton.h"
#include "game/shell/AwardInfoPanel.h"
#include "game/shell/AwardManager.h"
#include "game/shell/AwardProgressPanel.h"
#include "game/shell/AwardTipDlg.h"
#include "game/shell/TutorialManager.h"
#include "tests/shell/AwardFixture.h"
#include "tests/shell/ShippedShell.h"
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

namespace {

const int WIDTH = 1024, HEIGHT = 768;
const char* const BACKDROP = "Meadow/Images/Backgrounds/level_bg1.png";

struct Box {
    int left, top, width, height;
};

int channel(uint32_t pixel, int shift) {
    return int((pixel >> shift) & 255u);
}
bool isPaper(uint32_t p) {
    return channel(p, 16) > 0xE0 && channel(p, 8) > 0xD0 && channel(p, 0) > 0x98 && channel(p, 16) > channel(p, 0);
}
bool isGold(uint32_t p) {
    return channel(p, 16) > 0xD0 && channel(p, 8) > 0x90 && channel(p, 0) < 0x90;
}
bool isInk(uint32_t p) {
    return channel(p, 16) < 0x80 && channel(p, 8) < 0x70 && channel(p, 0) < 0x60;
}
// Neither gold nor any bright colour: the dark badge of an award not given.
bool isDim(uint32_t p) {
    return std::abs(channel(p, 16) - channel(p, 0)) < 24 && channel(p, 16) < 0xA0;
}

class AwardPixelTest : public ::testing::Test {
protected:
    bool start() {
        gBoolProps.clear();
        TestShell::installTutorialAndAwards(ui);
        ui.writeFile(BACKDROP, TestShell::shippedFile(BACKDROP));
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
        model = TestModel::makeModel(TestAwards::modelXml());
        cAwardManager::registerFactory();
        GameServices::setMainMenu(&menu);
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
        return true;
    }
    void TearDown() override {
        delete cAwardTipDlg::getInstance();
        tutorial.reset();
        controller.reset();
        GameServices::setAwardManagerFactory(nullptr);
        GameServices::setMainMenu(nullptr);
        gBoolProps.clear();
    }
    void frame() {
        ui.steps(1);
        ASSERT_TRUE(ui.renderDevice().readBackBuffer(0, 0, WIDTH, HEIGHT, pixels));
    }
    uint32_t at(int x, int y) const { return pixels[size_t(y * WIDTH + x)]; }
    template <class Test> int count(const Box& box, Test test) const {
        int n = 0;
        for (int y = box.top; y < box.top + box.height; ++y)
            for (int x = box.left; x < box.left + box.width; ++x)
                n += test(at(x, y)) ? 1 : 0;
        return n;
    }
    static Box around(const cVector2& centre, int halfWidth, int halfHeight) {
        return {int(centre.x) - halfWidth, int(centre.y) - halfHeight, 2 * halfWidth, 2 * halfHeight};
    }
    // Every text shown reads at its AA figure, the named ones among them.
    void expectTextsRead(const char* screen, std::initializer_list<const wchar_t*> named) {
        const std::vector<std::wstring> measured = TestSupport::expectShownTextsRead(
            [this] {
                frame();
                return pixels;
            },
            WIDTH, screen);
        for (const wchar_t* text : named)
            EXPECT_NE(std::find(measured.begin(), measured.end(), text), measured.end())
                << screen << ": \"" << wideToNarrow(text) << "\" is not shown";
    }
    void writeDocs(const char* name, const Box& box) {
        const char* update = std::getenv("MEADOW_UPDATE_DOCS");
        if (!update || std::string(update) != "1")
            return;
        ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_DOCS_DIR) + "/" + name, pixels, WIDTH, box.left,
                                             box.top, box.width, box.height))
            << name;
    }

    TestSupport::UiHarness ui;
    TestFakes::FakeMainMenu menu;
    std::unique_ptr<cPanel> backdrop;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    std::unique_ptr<cTutorialManager> tutorial;
    std::vector<uint32_t> pixels;
    std::string skipReason;
};

} // namespace

TEST_F(AwardPixelTest, TheAnnouncementHangsAtTheTopWithTheBadgeAndTheDescription) {
    if (!start())
        GTEST_SKIP() << "No headless OpenGL: " << skipReason;
    auto* awards = static_cast<cAwardManager*>(controller->getAwardManager());
    awards->giveAward(9);
    ui.run(1.0f);
    cAwardInfoPanel* panel = awards->getInfoPanel();
    ASSERT_EQ(panel->getPosition(), panel->getDstPos());
    frame();
    const cVector2 centre = panel->getPosition();
    // Paper right of the badge, the badge's gold rim, and two lines of ink.
    EXPECT_TRUE(isPaper(at(int(centre.x) + 180, int(centre.y) + 40))) << std::hex << at(int(centre.x) + 180, 122);
    EXPECT_GT(count(around(cVector2(centre.x - 152, centre.y - 4), 40, 40), isGold), 900);
    EXPECT_GT(count({int(centre.x) - 60, int(centre.y) + 2, 270, 52}, isInk), 300);
    // Below the sign the level shows.
    EXPECT_FALSE(isPaper(at(512, 300)));
    writeDocs("award-announcement.png", {262, 0, 500, 200});
    expectTextsRead("announcement", {});
}

TEST_F(AwardPixelTest, TheDialogShowsGivenAwardsBrightOthersDarkAndAProgressPanel) {
    if (!start())
        GTEST_SKIP() << "No headless OpenGL: " << skipReason;
    for (const char* name : {"Award1xMoney", "AwardNLevels", "AwardNMatches", "AwardChickenBonus", "AwardAnimalsCare",
                             "AwardCatBonus", "AwardXinRow", "AwardFiveMinutes"})
        gBoolProps[name] = true;
    model->addResourcePoints(1, 12480);
    auto* dialog = new cAwardTipDlg(nullptr);
    dialog->fadeIn();
    ui.run(0.5f);
    cAwardButton* given = dialog->getButton(0);
    cAwardButton* notGiven = dialog->getButton(1);
    ui.moveTo(notGiven->getPosition().x, notGiven->getPosition().y);
    ui.run(0.5f);
    frame();
    EXPECT_GT(count(around(given->getPosition(), 40, 40), isGold), 1200);
    // A dark badge away from the cursor (the hovered one glows).
    cAwardButton* dark = dialog->getButton(3);
    EXPECT_LT(count(around(dark->getPosition(), 40, 40), isGold), 50);
    EXPECT_GT(count(around(dark->getPosition(), 30, 30), isDim), 1500);
    // The progress panel opens below and to the right, with its text and bar.
    const cVector2 panel = notGiven->getProgressPanel()->getPosition();
    EXPECT_GT(panel.x, notGiven->getPosition().x);
    EXPECT_TRUE(isPaper(at(int(panel.x) + 100, int(panel.y) - 40)));
    EXPECT_GT(count(around(panel, 110, 50), isInk), 400);
    writeDocs("awards-dialog.png", {72, 64, 880, 640});
    expectTextsRead("awards", {L"Awards", L"Back"});
}

TEST_F(AwardPixelTest, ATutorialTipPointsAtItsControlOverADarkenedScreen) {
    if (!start())
        GTEST_SKIP() << "No headless OpenGL: " << skipReason;
    tutorial = std::make_unique<cTutorialManager>();
    struct Owner : ITutorialOwner {
        bool hasBoardModel() override { return true; }
        void lockInput(bool) override {}
        bool isInterfaceActivated() override { return false; }
    } owner;
    tutorial->setOwner(&owner);
    cPanel target(nullptr);
    target.setPosition(cVector2(300, 560));
    tutorial->startTipTimer(12, 0);
    ASSERT_TRUE(tutorial->checkAndShow(12, cTutorialManager::TIP_ARROW, &target, nullptr, cVector2(), false));
    ui.run(0.75f);
    frame();
    auto* tip = static_cast<cArrowHelpTip*>(tutorial->getCurrentTip());
    const cVector2 note = tip->getImage()->getPosition();
    EXPECT_TRUE(isPaper(at(int(note.x) + 150, int(note.y) - 60)))
        << std::hex << at(int(note.x) + 150, int(note.y) - 60);
    EXPECT_GT(count(around(note, 170, 50), isInk), 600);
    EXPECT_GT(count(around(tip->getArrow()->getPosition(), 24, 24), isGold), 200);
    expectTextsRead("tip", {L"OK"});
    frame();
    tutorial->closeCurrentTip();
    std::vector<uint32_t> darkened = pixels;
    ui.run(0.5f);
    frame();
    // The fader darkened the corner far from the control; its hole leaves the control clear.
    const uint32_t cornerDark = darkened[size_t(740 * WIDTH + 1000)], cornerClear = at(1000, 740);
    EXPECT_LT(channel(cornerDark, 8) + 30, channel(cornerClear, 8));
    const uint32_t holeDark = darkened[size_t(560 * WIDTH + 300)], holeClear = at(300, 560);
    EXPECT_GT(channel(holeDark, 8) + 20, channel(holeClear, 8));
    pixels = darkened;
    writeDocs("tutorial-tip.png", {180, 150, 640, 460});
}
