#include "game/shell/TutorialManager.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/PieceView.h"
#include "game/shell/ActionTip.h"
#include "game/shell/ArrowHelpTip.h"
#include "game/shell/AwardTipDlg.h"
#include "game/shell/CommonHelpTip.h"
#include "game/shell/TutorialTips.h"
#include "tests/gui/LabelFixture.h"
#include "tests/model/ModelFixture.h"
#include "tests/shell/ShippedShell.h"
#include "tests/support/LayoutBoxes.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Engine;

namespace {

struct Font : TestSupport::LabelFixture {
    static std::string bytes() { return fontBytes(); }
};

class FakeOwner : public ITutorialOwner {
public:
    bool hasBoardModel() override { return true; }
    void lockInput(bool locked) override { log += locked ? "lock " : "unlock "; }
    bool isInterfaceActivated() override { return activated; }
    std::string log;
    bool activated = false;
};

int& releasedPieces() {
    static int count = 0;
    return count;
}

// A piece view as the board screen makes it: a panel that a tip may hold.
class HeldPiece : public cPanel, public IPieceView, public ITutorialHeldPiece {
public:
    explicit HeldPiece(const cVector2& at) : cPanel(nullptr) {
        setPosition(at);
        piece.setState(5);
        piece.setFlagB(true);
        show();
        enable();
    }
    cMeadowObjectModel* getObject() override { return &piece; }
    bool isVisible() override { return cWidget::isVisible(); }
    void setVisible(bool) override {}
    bool isEnabled() override { return cWidget::isEnabled(); }
    void detachInput() override {}
    void releaseFromTip() override { ++releasedPieces(); }
    cMeadowObjectModel piece;
};

const char* const PANEL = "Visible=\"1\" Enable=\"1\" position=\"0,0\" size=\"300,120\" Picture=\"p.tga\"";

class TutorialTest : public ::testing::Test {
protected:
    TutorialTest() : ui(0.0625f) {}
    void SetUp() override {
        gBoolProps.clear();
        releasedPieces() = 0;
        const std::string font = TestSupport::LabelFixture::FONT_KEYS;
        ui.writeFile("fonts/t.fnt", Font::bytes());
        ui.writePicture("fonts/t.tga", 100, 20, 0xFFFFFFFFu);
        ui.writePicture("p.tga", 4, 4, 0xFFFFFFFF);
        std::string tips;
        for (int id = 0; id < 26; ++id)
            tips += "<Tip Center=\"512,384\" Timer=\"" + std::string(id == 1 ? "5" : "0") + "\"><Text>tip " +
                    std::to_string(id) + "</Text></Tip>";
        ui.writeFile("Meadow/View/Tutorial/Tutorial.xml",
                     "<Tutorial Visible=\"1\" Enable=\"1\" show_fade_time=\"0.5\"><Tips>" + tips +
                         "</Tips><Fader Visible=\"1\" size=\"2048,1536\" Picture=\"p.tga\"/></Tutorial>");
        const std::string image =
            std::string("<Image ") + PANEL + "><Text Visible=\"1\" position=\"0,-10\" size=\"260,80\" " + font +
            "/><OkButton Visible=\"1\" Enable=\"1\" position=\"0,40\" size=\"80,30\" " + "Picture=\"p.tga\"/>";
        ui.writeFile("Meadow/View/Tutorial/CommonHelpTip.xml",
                     "<Tip Visible=\"1\" Enable=\"1\" TranparencySpeed=\"4\">" + image + "</Image></Tip>");
        const std::string arrow = "<Tip Visible=\"1\" Enable=\"1\" TranparencySpeed=\"4\" PointedOffset=\"200,100\" "
                                  "ArrowOffset=\"120,40\" arrow_frequency=\"4\">" +
                                  image + "<Arrow Visible=\"1\" size=\"40,40\" Picture=\"p.tga\"/></Image></Tip>";
        ui.writeFile("Meadow/View/Tutorial/ArrowHelpTip.xml", arrow);
        ui.writeFile("Meadow/View/Tutorial/ActionTip.xml", arrow);
        ui.start();
    }
    void TearDown() override {
        tutorial.reset();
        gBoolProps.clear();
    }
    cTutorialManager& make() {
        tutorial = std::make_unique<cTutorialManager>();
        tutorial->setOwner(&owner);
        return *tutorial;
    }
    bool ask(int id, int type, cWidget* control, const cVector2& at = cVector2()) {
        return tutorial->checkAndShow(id, type, control, nullptr, at, true);
    }

    TestSupport::UiHarness ui;
    FakeOwner owner;
    std::unique_ptr<cTutorialManager> tutorial;
};

} // namespace

TEST_F(TutorialTest, ATipWithATimerShowsAboutItsTimerAfterTheFirstRequest) {
    make();
    cPanel target(nullptr);
    target.setPosition(cVector2(300, 600));
    int frames = 0;
    while (!ask(1, cTutorialManager::TIP_ARROW, &target) && frames < 200) {
        ui.step();
        ++frames;
    }
    // Five seconds at sixteen frames a second.
    EXPECT_EQ(frames, 80);
    EXPECT_EQ(tutorial->getCurrentTipId(), 1);
    EXPECT_TRUE(isTutorialTipOpen());
    EXPECT_EQ(owner.log, "lock ");
    // Every other request answers no while a tip is on screen.
    EXPECT_FALSE(ask(3, cTutorialManager::TIP_ARROW, &target));
    // A pending tip's countdown stands still while a pointed tip shows.
    tutorial->startTipTimer(4, 1.0f);
    ui.run(2);
    EXPECT_EQ(tutorial->getTipCountdown(4), 1.0f);
    tutorial->closeCurrentTip();
    EXPECT_TRUE(tutorial->isTipShown(1));
    EXPECT_TRUE(gBoolProps["tut1"]);
    ui.run(0.5f);
    EXPECT_EQ(tutorial->getTipCountdown(4), 0.5f);
}

TEST_F(TutorialTest, TipsZeroTwoAndTwentyFiveBlockTheNextTipForThreeSeconds) {
    make();
    cPanel target(nullptr);
    target.setPosition(cVector2(300, 600));
    for (int id : {0, 2, 3}) {
        ASSERT_TRUE(ask(id, cTutorialManager::TIP_ARROW, &target)) << id;
        tutorial->getCurrentTip()->close();
        ui.step();
        const bool blocked = !ask(5, cTutorialManager::TIP_ARROW, &target);
        EXPECT_EQ(blocked, id != 3) << id;
        if (!blocked) {
            tutorial->closeCurrentTip();
            continue;
        }
        ui.run(2.75f);
        EXPECT_FALSE(ask(5, cTutorialManager::TIP_ARROW, &target)) << id;
        ui.run(0.25f);
        ASSERT_TRUE(ask(5, cTutorialManager::TIP_ARROW, &target)) << id;
        // Tip 5 was recorded only for this round.
        tutorial->getCurrentTip()->close();
        tutorial->startTipTimer(5, 0);
        ui.step();
    }
}

TEST_F(TutorialTest, TipSeventeenIsNeverRecordedAndAPlainTipsOkDeletesIt) {
    make();
    ASSERT_TRUE(ask(17, cTutorialManager::TIP_COMMON, nullptr));
    cCommonHelpTip* tip = tutorial->getCurrentTip();
    EXPECT_EQ(tip->getText()->getText(), L"tip 17");
    EXPECT_EQ(tip->getImage()->getPosition(), cVector2(512, 384));
    ui.run(0.5f);
    ui.click(512, 424);
    ui.run(0.5f);
    EXPECT_FALSE(isWidgetAlive(tip));
    EXPECT_FALSE(tutorial->isTipShown(17));
    EXPECT_FALSE(gBoolProps["tut17"]);
    EXPECT_TRUE(ask(17, cTutorialManager::TIP_COMMON, nullptr));
}

TEST_F(TutorialTest, AProfileFlagHidesItsTipAndANewPlayerGainsTheTwentySixFlags) {
    gBoolProps["tut3"] = true;
    make();
    cPanel target(nullptr);
    EXPECT_TRUE(tutorial->isTipShown(3));
    EXPECT_FALSE(ask(3, cTutorialManager::TIP_ARROW, &target));
    EXPECT_EQ(gBoolProps.size(), 26u);
    EXPECT_FALSE(gBoolProps["tut25"]);
}

TEST_F(TutorialTest, AnArrowTipOpensTowardsTheMiddleFromEachQuarter) {
    make();
    const struct {
        cVector2 point;
        cVector2 panel;
        bool mirrorX;
        bool mirrorY;
    } table[] = {
        {{800, 200}, {600, 300}, true, true},
        {{200, 200}, {400, 300}, false, true},
        {{200, 600}, {400, 500}, false, false},
        {{800, 600}, {600, 500}, true, false},
    };
    for (const auto& row : table) {
        cPanel target(nullptr);
        target.setPosition(row.point);
        ASSERT_TRUE(ask(6, cTutorialManager::TIP_ARROW, &target));
        auto* tip = static_cast<cArrowHelpTip*>(tutorial->getCurrentTip());
        EXPECT_EQ(tip->getImage()->getPosition(), row.panel);
        EXPECT_EQ(tip->getArrow()->getInverseX(), row.mirrorX);
        EXPECT_EQ(tip->getArrow()->getInverseY(), row.mirrorY);
        // The arrow sits between the panel and the point, at the arrow offset before it swings.
        const cVector2 base(row.mirrorX ? row.panel.x + 120 : row.panel.x - 120,
                            row.point.y > 384 ? row.panel.y + 40 : row.panel.y - 40);
        EXPECT_EQ(tip->getArrow()->getPosition(), base);
        // The fader darkens around the pointed control.
        EXPECT_TRUE(tutorial->getFader()->isVisible());
        EXPECT_EQ(tutorial->getFader()->getPosition(), row.point);
        tutorial->closeCurrentTip();
        tutorial->startTipTimer(6, 0);
        ui.step();
    }
}

TEST_F(TutorialTest, ErrorsOfTheRequestAndASecondManager) {
    make();
    try {
        ask(5, cTutorialManager::TIP_ARROW, nullptr);
        ADD_FAILURE();
    } catch (const char* text) {
        EXPECT_STREQ(text,
                     "cTutorialManager::checkAndShow(): neither position nor control was specified for showing tip");
    }
    EXPECT_FALSE(tutorial->hasCurrentTip());
    try {
        ask(6, 7, nullptr, cVector2(10, 10));
        ADD_FAILURE();
    } catch (const std::string& text) {
        EXPECT_EQ(text, "cTutorialManager::checkAndShow(): unknown type of tip: 7");
    }
    try {
        cTutorialManager second;
        ADD_FAILURE();
    } catch (const char* text) {
        EXPECT_STREQ(text, "Object already exist.");
    }
}

TEST_F(TutorialTest, AHeldPieceIsLetGoWhenItsTipClosesButADeadOneIsNotTouched) {
    make();
    auto* piece = new HeldPiece(cVector2(300, 300));
    ASSERT_TRUE(ask(18, cTutorialManager::TIP_ARROW, piece));
    tutorial->getCurrentTip()->close();
    EXPECT_EQ(releasedPieces(), 1);
    EXPECT_EQ(piece->piece.getState(), 0);
    EXPECT_FALSE(piece->piece.getFlagB());

    ASSERT_TRUE(ask(19, cTutorialManager::TIP_ARROW, piece));
    cCommonHelpTip* tip = tutorial->getCurrentTip();
    ui.run(0.5f);
    deleteWidgetLater(piece);
    ui.steps(2);
    // The tip saw its target go and closed without touching it.
    EXPECT_FALSE(isWidgetAlive(tip));
    EXPECT_FALSE(tutorial->hasCurrentTip());
    EXPECT_EQ(releasedPieces(), 1);
    EXPECT_TRUE(tutorial->isTipShown(19));
}

TEST_F(TutorialTest, AnActionTipClosesWhenItsActionIsDone) {
    make();
    cPanel target(nullptr);
    target.setPosition(cVector2(900, 700));
    ASSERT_TRUE(ask(25, cTutorialManager::TIP_ACTION, &target));
    // The screen stays usable under an action tip.
    EXPECT_EQ(owner.log, "lock unlock ");
    ui.steps(4);
    EXPECT_TRUE(tutorial->hasCurrentTip());
    owner.activated = true;
    ui.step();
    EXPECT_FALSE(tutorial->hasCurrentTip());
    EXPECT_TRUE(tutorial->isTipShown(25));
    EXPECT_GT(tutorial->getBlockTime(), 2.5f);
}

TEST_F(TutorialTest, NothingShowsWhileDisabledOrOverTheAwardsDialog) {
    make();
    cPanel target(nullptr);
    tutorial->setTutorialEnabled(false);
    EXPECT_FALSE(ask(3, cTutorialManager::TIP_ARROW, &target, cVector2(10, 10)));
    EXPECT_FALSE(tutorial->isTipPending(3));
    tutorial->setTutorialEnabled(true);
    EXPECT_TRUE(ask(3, cTutorialManager::TIP_ARROW, &target, cVector2(10, 10)));
    EXPECT_EQ(GameServices::getTutorialManager(), tutorial.get());
    tutorial->closeCurrentTip();
    // Nor while the board controller holds its input.
    auto model = TestModel::makeModel(TestModel::minimalModelXml());
    cMeadowController controller(model.get(), nullptr, false);
    controller.lockInput();
    EXPECT_FALSE(ask(4, cTutorialManager::TIP_ARROW, &target, cVector2(10, 10)));
    controller.setInputLocked(false);
    EXPECT_TRUE(ask(4, cTutorialManager::TIP_ARROW, &target, cVector2(10, 10)));
    tutorial->closeCurrentTip();
    // Nor over the awards dialog.
    ui.writeFile("Awards/Awards.xml", "<A Visible=\"1\"/>");
    ui.writeFile("Awards/AwardTip.xml", "<T/>");
    auto* dialog = new cAwardTipDlg(nullptr);
    dialog->fadeIn();
    EXPECT_FALSE(ask(6, cTutorialManager::TIP_ARROW, &target, cVector2(10, 10)));
    dialog->hide();
    EXPECT_TRUE(ask(6, cTutorialManager::TIP_ARROW, &target, cVector2(10, 10)));
    delete dialog;
}

TEST_F(TutorialTest, WhileHeldTheFirstTipAskedWaitsForTheLastHoldToEndAndOneForAGoneControlIsDropped) {
    make();
    cPanel target(nullptr);
    tutorial->holdTips(true);
    tutorial->holdTips(true);
    EXPECT_FALSE(ask(3, cTutorialManager::TIP_ARROW, &target, cVector2(10, 10)));
    EXPECT_FALSE(ask(4, cTutorialManager::TIP_ARROW, &target, cVector2(10, 10)));
    tutorial->holdTips(false);
    EXPECT_FALSE(tutorial->hasCurrentTip());
    tutorial->holdTips(false);
    EXPECT_EQ(3, tutorial->getCurrentTipId());
    tutorial->closeCurrentTip();
    // A release without a hold changes nothing.
    tutorial->holdTips(false);
    EXPECT_FALSE(tutorial->areTipsHeld());

    auto* gone = new cPanel(nullptr);
    tutorial->holdTips(true);
    EXPECT_FALSE(ask(5, cTutorialManager::TIP_ARROW, gone));
    deleteWidgetLater(gone);
    ui.step();
    tutorial->holdTips(false);
    EXPECT_FALSE(tutorial->hasCurrentTip());
}

namespace {

class ShippedTutorialTest : public ::testing::Test {
protected:
    void SetUp() override {
        gBoolProps.clear();
        TestShell::installTutorialAndAwards(ui);
        ui.start();
    }
    void TearDown() override {
        tutorial.reset();
        gBoolProps.clear();
    }

    TestSupport::UiHarness ui;
    FakeOwner owner;
    std::unique_ptr<cTutorialManager> tutorial;
};

} // namespace

TEST_F(ShippedTutorialTest, TheShippedFileHoldsTwentySixTipsAndEveryTipLayoutItsParts) {
    tutorial = std::make_unique<cTutorialManager>();
    for (int id = 0; id < cTutorialManager::TIP_COUNT; ++id)
        EXPECT_GT(tutorial->getTipText(id).size(), 20u) << id;
    EXPECT_EQ(tutorial->getTipTimer(1), 5.0f);
    EXPECT_NE(tutorial->getFader()->getPicture(), nullptr);
    cArrowHelpTip arrow(tutorial.get());
    arrow.loadLayout();
    cActionTip action(tutorial.get());
    action.loadLayout();
    cCommonHelpTip common;
    common.loadLayout();
    for (cCommonHelpTip* tip : {static_cast<cCommonHelpTip*>(&arrow), static_cast<cCommonHelpTip*>(&action), &common}) {
        EXPECT_NE(tip->getImage()->getPicture(), nullptr);
        EXPECT_NE(tip->getOkButton()->getPicture(), nullptr);
        EXPECT_GT(tip->getText()->getSize().x, 0);
    }
    EXPECT_NE(arrow.getArrow()->getPicture(), nullptr);
    EXPECT_NE(action.getArrow()->getPicture(), nullptr);
    EXPECT_GT(arrow.getPointedOffset().x, 0);
    // Every tip's text stands inside the text box of every kind of tip.
    for (int id = 0; id < cTutorialManager::TIP_COUNT; ++id)
        for (cCommonHelpTip* tip :
             {static_cast<cCommonHelpTip*>(&arrow), static_cast<cCommonHelpTip*>(&action), &common}) {
            tip->getText()->setText(tutorial->getTipText(id), true);
            const TestSupport::Box box = TestSupport::spriteBox(*tip->getText());
            for (cLabel* line : tip->getText()->getLines())
                EXPECT_TRUE(TestSupport::textBox(*line).inside(box))
                    << "tip " << id << ": " << TestSupport::textBox(*line) << " outside " << box;
        }
}

TEST_F(ShippedTutorialTest, ANewPlayerSeesTheMoveTipOnTheFirstLevelAndClosesItWithOk) {
    tutorial = std::make_unique<cTutorialManager>();
    tutorial->setOwner(&owner);
    // The board screen asks for the move tip at its prompt every frame until it shows.
    cPanel piece(nullptr);
    piece.setPosition(cVector2(420, 520));
    piece.setSize(cVector2(60, 60));
    float waited = 0;
    while (!tutorial->checkAndShow(1, cTutorialManager::TIP_ARROW, &piece, nullptr, cVector2(), true) && waited < 10) {
        ui.step();
        waited += ui.timer().getRealDelta();
    }
    EXPECT_NEAR(waited, 5.0f, 0.1f);
    cCommonHelpTip* tip = tutorial->getCurrentTip();
    ASSERT_NE(tip, nullptr);
    ui.run(0.5f);
    EXPECT_EQ(tip->getText()->getText(), tutorial->getTipText(1));
    EXPECT_FALSE(tip->getText()->getLines().empty());
    // The note stays on screen.
    const cVector2 at = tip->getImage()->getPosition(), size = tip->getImage()->getSize();
    EXPECT_GE(at.x - size.x / 2, 0);
    EXPECT_LE(at.x + size.x / 2, 1024);
    EXPECT_GE(at.y - size.y / 2, 0);
    EXPECT_LE(at.y + size.y / 2, 768);
    const cVector2 ok = tip->getOkButton()->getPosition();
    ui.moveTo(ok.x, ok.y);
    ui.step();
    ui.press();
    ui.step();
    ui.release();
    ui.run(0.5f);
    EXPECT_FALSE(tutorial->hasCurrentTip());
    EXPECT_TRUE(gBoolProps["tut1"]);
    EXPECT_FALSE(tutorial->getFader()->isVisible());
}
