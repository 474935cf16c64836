// The board's calls into the tutorial and the awards: prize and bonus pieces held under their
// tips while the tutorial runs, the next-move hint giving way to the tutorial's move tip, and
// the matched-pieces award checked for every piece the board counts.

#include "tests/level/MoveFixture.h"

#include "engine/core/ProfileManager.h"
#include "game/model/CellModel.h"
#include "game/model/Signal.h"
#include "game/shell/CommonHelpTip.h"
#include "game/shell/TutorialManager.h"
#include "tests/gui/LabelFixture.h"
#include "tests/model/fakes/FakeAwardManager.h"

#include <functional>
#include <memory>
#include <vector>

using namespace Engine;
using TestLevel::MoveTest;

namespace {

const std::vector<std::string> BOARD = {"1121", "3434", "2342", "4233"};

struct Font : TestSupport::LabelFixture {
    static std::string bytes() { return fontBytes(); }
};

class BoardOwner : public ITutorialOwner {
public:
    bool hasBoardModel() override { return true; }
    void lockInput(bool) override {}
    bool isInterfaceActivated() override { return false; }
};

// Notes the model's matched-pieces count at each check of the matched-pieces award.
class MatchAwards : public TestFakes::FakeAwardManager {
public:
    explicit MatchAwards(std::function<int()> count) : m_count(std::move(count)) {}
    void checkAwardNMatches() override { seen.push_back(m_count()); }
    std::vector<int> seen;

private:
    std::function<int()> m_count;
};

} // namespace

class BoardTutorialTest : public MoveTest {
protected:
    void SetUp() override {
        MoveTest::SetUp();
        gBoolProps.clear();
    }
    void TearDown() override {
        tutorial.reset();
        MoveTest::TearDown();
        GameServices::setAwardManagerFactory(nullptr);
        gBoolProps.clear();
    }

    // The tutorial with tip 1 after five seconds and every other tip at once; the field takes
    // it when the board screen inits it.
    cTutorialManager& startTutorial() {
        const std::string font = TestSupport::LabelFixture::FONT_KEYS;
        ui.writeFile("fonts/t.fnt", Font::bytes());
        ui.writePicture("fonts/t.tga", 100, 20, 0xFFFFFFFFu);
        ui.writePicture("p.tga", 4, 4, 0xFFFFFFFFu);
        std::string tips;
        for (int id = 0; id < cTutorialManager::TIP_COUNT; ++id)
            tips += "<Tip Center=\"512,384\" Timer=\"" + std::string(id == 1 ? "5" : "0") + "\"><Text>tip " +
                    std::to_string(id) + "</Text></Tip>";
        ui.writeFile("Meadow/View/Tutorial/Tutorial.xml",
                     "<Tutorial Visible=\"1\" Enable=\"1\" show_fade_time=\"0.5\"><Tips>" + tips +
                         "</Tips><Fader Visible=\"1\" size=\"2048,1536\" Picture=\"p.tga\"/></Tutorial>");
        const std::string image = "<Image Visible=\"1\" Enable=\"1\" size=\"300,120\" Picture=\"p.tga\"><Text "
                                  "Visible=\"1\" size=\"260,80\" " +
                                  font +
                                  "/><OkButton Visible=\"1\" Enable=\"1\" position=\"0,40\" size=\"80,30\" "
                                  "Picture=\"p.tga\"/>";
        ui.writeFile("Meadow/View/Tutorial/CommonHelpTip.xml",
                     "<Tip Visible=\"1\" Enable=\"1\" TranparencySpeed=\"4\">" + image + "</Image></Tip>");
        const std::string arrow = "<Tip Visible=\"1\" Enable=\"1\" TranparencySpeed=\"4\" PointedOffset=\"200,100\" "
                                  "ArrowOffset=\"120,40\" arrow_frequency=\"4\">" +
                                  image + "<Arrow Visible=\"1\" size=\"40,40\" Picture=\"p.tga\"/></Image></Tip>";
        ui.writeFile("Meadow/View/Tutorial/ArrowHelpTip.xml", arrow);
        tutorial = std::make_unique<cTutorialManager>();
        tutorial->setOwner(&owner);
        field->initField(board.get());
        return *tutorial;
    }

    // The prize flag of the cell set and signalled; one frame converts the idle piece there.
    cMeadowObjectModel* convertPrize(int row, int column, bool vehicle) {
        cCellModel* cell = model->getCell(row, column);
        if (vehicle)
            cell->setVehicleFlag(true);
        else
            cell->setGoldPrizeFlag(true);
        model->m_prizeCellSignal(row, column);
        frame();
        return piece(row, column);
    }

    // The tip on screen points at the view, which is lit and holds its piece; closing the tip
    // as the player does lets both go.
    void expectHeldUntilClosed(int tipId, cMeadowObjectModel* held) {
        cMeadowObjectView* heldView = board->getGameObjectView(held);
        ASSERT_EQ(tipId, tutorial->getCurrentTipId());
        EXPECT_EQ(heldView, tutorial->getCurrentTip()->getTarget());
        EXPECT_EQ(22, held->getState());
        EXPECT_TRUE(heldView->isHighlighted());
        tutorial->getCurrentTip()->close();
        ui.step();
        EXPECT_EQ(-1, tutorial->getCurrentTipId());
        EXPECT_TRUE(tutorial->isTipShown(tipId));
        EXPECT_EQ(cMeadowObjectModel::IDLE, held->getState());
        EXPECT_FALSE(heldView->isHighlighted());
    }

    BoardOwner owner;
    std::unique_ptr<cTutorialManager> tutorial;
};

TEST_F(BoardTutorialTest, APrizePieceShowsItsTipAndIsHeldUntilTheTipCloses) {
    play(BOARD);
    startTutorial();
    cMeadowObjectModel* gold = convertPrize(1, 2, false);
    ASSERT_EQ(cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE, gold->getType());
    expectHeldUntilClosed(18, gold);
    cMeadowObjectModel* vehicle = convertPrize(2, 1, true);
    ASSERT_EQ(101, vehicle->getType());
    expectHeldUntilClosed(19, vehicle);
}

TEST_F(BoardTutorialTest, WithoutARunningTutorialAPrizePieceStaysFree) {
    for (bool withTutorial : {false, true}) {
        SCOPED_TRACE(withTutorial ? "tutorial switched off" : "no tutorial");
        play(BOARD);
        if (withTutorial)
            startTutorial().setTutorialEnabled(false);
        cMeadowObjectModel* gold = convertPrize(1, 2, false);
        EXPECT_EQ(cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE, gold->getType());
        EXPECT_EQ(cMeadowObjectModel::IDLE, gold->getState());
        EXPECT_FALSE(view(1, 2)->isHighlighted());
        if (tutorial) {
            EXPECT_EQ(-1, tutorial->getCurrentTipId());
        }
        TearDown();
    }
}

TEST_F(BoardTutorialTest, EachNewBonusPieceShowsTheTipOfItsKind) {
    play(BOARD);
    startTutorial();
    // A plain piece shown again has no tip.
    board->showBonusObject(piece(1, 1));
    EXPECT_EQ(-1, tutorial->getCurrentTipId());
    EXPECT_EQ(cMeadowObjectModel::IDLE, piece(1, 1)->getState());
    for (int tag : {201, 202, 203, 204}) {
        SCOPED_TRACE(tag);
        piece(1, 1)->setBonusTag(tag);
        board->showBonusObject(piece(1, 1));
        expectHeldUntilClosed(tag - 180, piece(1, 1));
    }
}

TEST_F(BoardTutorialTest, AFourInARowHoldsItsNewBlastPieceUnderTheBlastTip) {
    play({"11213", "34142", "23424", "42331"});
    startTutorial();
    click(0, 2);
    click(1, 2);
    for (int frames = 0; frames < 200 && tutorial->getCurrentTipId() != 21; ++frames)
        frame();
    ASSERT_EQ(cMeadowObjectModel::BLAST_BONUS, piece(0, 2)->getBonusTag());
    expectHeldUntilClosed(21, piece(0, 2));
    EXPECT_GT(settle(), 0);
}

TEST_F(BoardTutorialTest, TheMoveHintGivesWayToTheTutorialsMoveTipAndClearingItStartsTipOneAgain) {
    play(BOARD);
    startTutorial();
    auto askMoveTip = [&] {
        return tutorial->checkAndShow(1, cTutorialManager::TIP_COMMON, nullptr, nullptr, cVector2(), false);
    };
    EXPECT_FALSE(askMoveTip());
    ui.run(2);
    EXPECT_FLOAT_EQ(3, tutorial->getTipCountdown(1));
    board->showNextMove(cVector2(0, 2), cVector2(0, 3));
    ASSERT_NE(nullptr, board->getCurrentPrompt());
    // Clearing the hint restarts and calls off tip 1.
    board->clearPrompts();
    EXPECT_EQ(nullptr, board->getCurrentPrompt());
    EXPECT_FLOAT_EQ(5, tutorial->getTipCountdown(1));
    EXPECT_FALSE(tutorial->isTipPending(1));
    // With tip 1 on screen a new hint is not shown.
    EXPECT_FALSE(askMoveTip());
    ui.run(5.5f);
    ASSERT_TRUE(askMoveTip());
    board->showNextMove(cVector2(0, 2), cVector2(0, 3));
    EXPECT_EQ(nullptr, board->getCurrentPrompt());
    EXPECT_EQ(1, tutorial->getCurrentTipId());
    tutorial->closeCurrentTip();
}

TEST_F(BoardTutorialTest, EveryPieceTheBoardCountsChecksTheMatchedPiecesAward) {
    MatchAwards* awards = nullptr;
    GameServices::setAwardManagerFactory([&] {
        auto made = std::make_unique<MatchAwards>([this] { return int(model->getMatchedObjects()); });
        awards = made.get();
        return std::unique_ptr<IAwardManager>(std::move(made));
    });
    play(BOARD);
    ASSERT_NE(nullptr, awards);
    const int before = model->getMatchedObjects();
    click(0, 2);
    click(0, 3);
    ASSERT_GT(settle(), 0);
    const int matched = model->getMatchedObjects() - before;
    ASSERT_GE(matched, 3);
    // Each check comes right after its piece was counted.
    std::vector<int> expected;
    for (int count = before + 1; count <= before + matched; ++count)
        expected.push_back(count);
    EXPECT_EQ(expected, awards->seen);

    // A crashed piece that a bonus caught counts and checks; a free one does neither.
    awards->seen.clear();
    piece(2, 1)->setState(cMeadowObjectModel::BLASTED);
    field->crashCell(cVector2(2, 1), nullptr);
    EXPECT_EQ(std::vector<int>{before + matched + 1}, awards->seen);
    field->crashCell(cVector2(3, 3), nullptr);
    EXPECT_EQ(1u, awards->seen.size());
    EXPECT_EQ(before + matched + 1, model->getMatchedObjects());
    ui.run(1);
}
