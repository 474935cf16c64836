#include "engine/core/ProfileManager.h"
#include "game/model/MainMenuLink.h"
#include "game/model/Signal.h"
#include "tests/model/ControllerFixture.h"
#include "tests/model/fakes/FakeMainMenu.h"
#include "tests/model/fakes/FakeVehicleView.h"

using TestController::ControllerTest;
using TestModel::thrownText;

namespace {

void clearSelectionOf(cMeadowModel& model) {
    if (cMeadowObjectModel* selected = model.getSelected())
        selected->setSelected(false);
    model.setSelectionPointers(nullptr, nullptr);
}

class MeadowController : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        startLevel(0);
        // No run anywhere; exchanging (0,1) and (1,1) makes row 0 all type 1.
        setTypes({{1, 3, 1}, {2, 1, 4}, {3, 4, 3}});
        // A wood cell keeps the level going.
        m_model->getCell(2, 2)->setType(2);
        m_model->getComplexCells().push_back(m_model->getCell(2, 2));
    }
};

TEST_F(MeadowController, IsASingleton) {
    EXPECT_EQ(cMeadowController::getInstance(), m_controller.get());
    EXPECT_EQ(TestModel::thrownPlainText([&] { cMeadowController second(m_model.get(), nullptr, false); }),
              "Object already exist.");
    EXPECT_EQ(cMeadowController::getInstance(), m_controller.get());
}

TEST_F(MeadowController, LegalSwapMatchesPaysAndRefills) {
    cMeadowObjectModel* lower = m_model->getObject(0, 1);
    click(0, 1);
    click(1, 1);
    EXPECT_EQ(m_view->count("animateExchange()"), 1);
    EXPECT_EQ(lower->getState(), int32_t(cMeadowObjectModel::EXCHANGING));
    EXPECT_EQ(m_model->getObject(1, 1), lower);

    m_view->step(0.0f);
    EXPECT_EQ(m_view->count("showMatchedFigures(false)"), 1);
    EXPECT_EQ(m_model->getResourcePoints(1), 30);
    EXPECT_EQ(m_awards->count("checkAward1xMoney()"), 1);
    EXPECT_EQ(m_awards->count("checkAwardXinRow(3)"), 1);
    EXPECT_EQ(m_sounds.count("play(match1)"), 1);
    EXPECT_EQ(m_statistics.m_counters[0], 1);
    EXPECT_EQ(m_model->getSelected(), nullptr);
    EXPECT_EQ(m_view->count("animateSwapBack()"), 0);

    stepUntilIdle();
    EXPECT_EQ(countPieces(), 9);
    EXPECT_GE(m_model->getResourcePoints(1), 30);
}

TEST_F(MeadowController, IllegalSwapSwapsBack) {
    cMeadowObjectModel* a = m_model->getObject(0, 0);
    cMeadowObjectModel* b = m_model->getObject(1, 0);
    click(0, 0);
    click(1, 0);
    m_view->step(0.0f);
    EXPECT_EQ(m_view->count("animateSwapBack()"), 1);
    EXPECT_EQ(m_model->getObject(0, 0), a);
    EXPECT_EQ(m_model->getObject(1, 0), b);
    EXPECT_EQ(m_model->getResourcePoints(1), 0);
}

TEST_F(MeadowController, RunElsewhereDoesNotKeepTheSwap) {
    // A run in row 2 that the swapped pieces are not part of.
    setTypes({{1, 3, 1}, {2, 1, 4}, {4, 4, 4}});
    click(0, 0);
    click(1, 0);
    m_view->step(0.0f);
    EXPECT_EQ(m_view->count("animateSwapBack()"), 1);
}

TEST_F(MeadowController, DragOntoANeighbourSwaps) {
    m_controller->setLeftButtonHeld(true);
    click(0, 1);
    // Entering the neighbour clears the flag and clicks it.
    m_controller->setLeftButtonHeld(false);
    click(1, 1);
    EXPECT_EQ(m_view->count("animateExchange()"), 1);

    m_controller->setLeftButtonHeld(true);
    m_controller->setInputLocked(true);
    EXPECT_FALSE(m_controller->isLeftButtonHeld());
    EXPECT_EQ(m_development.count("lockInterface(true)"), 1);
}

TEST_F(MeadowController, ScreenNamesReachTheSameValuesAndTheLevelStateResets) {
    cMeadowController& c = *m_controller;
    c.setDragging(true);
    c.setRightButtonDown(true);
    c.setEditCellType(3);
    c.setEditCellLocks(2);
    c.setEditObjectIndex(4);
    c.setEditSlotType(5);
    c.setEditTriggerLink(7);
    EXPECT_TRUE(c.isLeftButtonHeld() && c.isDragging());
    EXPECT_TRUE(c.isRightButtonHeld() && c.isRightButtonDown());
    EXPECT_EQ(c.getEditorCellType(), 3);
    EXPECT_EQ(c.getEditorLockCount(), 2);
    EXPECT_EQ(c.getEditorObjectIndex(), 4);
    EXPECT_EQ(c.getEditorSlotObject(), 5);
    EXPECT_EQ(c.getPaintedTrigger(), 7);
    EXPECT_EQ(c.getEditCellType() + c.getEditCellLocks() + c.getEditObjectIndex() + c.getEditSlotType(), 14);
    EXPECT_EQ(c.getEditTriggerLink(), 7);

    c.setBonusesUsed(1);
    c.setBlastsUsed(2);
    c.setLightningsUsed(3);
    c.setLevelFinished(true);
    c.resetLevelState();
    EXPECT_EQ(c.getBonusesUsed(), 0);
    EXPECT_EQ(c.getBlastsUsed(), 0);
    EXPECT_EQ(c.getLightningsUsed(), 0);
    EXPECT_FALSE(c.isLevelFinished());
    // The editing values live on across levels.
    EXPECT_EQ(c.getEditCellType(), 3);
}

TEST_F(MeadowController, SecondClickKeepsTheSelectionAndAFarClickMovesIt) {
    click(0, 0);
    click(0, 0);
    EXPECT_EQ(m_model->getSelected(), m_model->getObject(0, 0));
    click(2, 2);
    EXPECT_EQ(m_model->getSelected(), m_model->getObject(2, 2));
    EXPECT_EQ(m_view->count("updateSelection()"), 3);
    EXPECT_EQ(m_view->count("animateExchange()"), 0);
}

TEST_F(MeadowController, LockedHeldOrTippedInputIgnoresClicks) {
    TestFakes::FakeTutorialManager tutorial;
    struct Case {
        const char* name;
        std::function<void()> block;
        std::function<void()> unblock;
    } cases[] = {
        {"locked", [&] { m_controller->setInputLocked(true); }, [&] { m_controller->setInputLocked(false); }},
        {"trigger hold", [&] { m_controller->setTriggerHold(true); }, [&] { m_controller->setTriggerHold(false); }},
        {"tutorial tip",
         [&] {
             tutorial.m_tipId = 4;
             GameServices::setTutorialManager(&tutorial);
         },
         [&] { GameServices::setTutorialManager(nullptr); }},
        {"hidden view", [&] { m_view->viewAt(0, 0)->m_visible = false; },
         [&] { m_view->viewAt(0, 0)->m_visible = true; }},
        {"disabled view", [&] { m_view->viewAt(0, 0)->m_enabled = false; },
         [&] { m_view->viewAt(0, 0)->m_enabled = true; }},
        {"no board screen", [&] { m_controller->setLevelView(nullptr); },
         [&] { m_controller->setLevelView(m_view.get()); }},
    };
    for (const Case& test : cases) {
        test.block();
        m_view->clear();
        m_controller->update(1.0f);
        click(0, 0);
        EXPECT_EQ(m_model->getSelected(), nullptr) << test.name;
        EXPECT_GE(m_controller->getHintTimer(), 1.0f) << test.name;
        EXPECT_EQ(m_view->count("updateSelection()"), 0) << test.name;
        test.unblock();
    }
}

TEST_F(MeadowController, AFinishedSwapClosesTheMoveTipButNoOtherTip) {
    TestFakes::FakeTutorialManager tutorial;
    GameServices::setTutorialManager(&tutorial);
    for (int tipId : {4, 1}) {
        SCOPED_TRACE(tipId);
        tutorial.m_tipId = -1;
        tutorial.clear();
        // A swap that swaps back leaves the board as it was for the next case.
        click(0, 0);
        click(1, 0);
        // The tip came up while the pieces were on their way.
        tutorial.m_tipId = tipId;
        m_view->step(0.0f);
        EXPECT_EQ(tutorial.count("closeCurrentTip()"), tipId == 1 ? 1 : 0);
        EXPECT_EQ(tutorial.m_tipId, tipId == 1 ? -1 : tipId);
        EXPECT_EQ(m_view->count("animateSwapBack()"), 1);
        tutorial.m_tipId = -1;
        stepUntilIdle();
        m_view->clear();
    }
    GameServices::setTutorialManager(nullptr);
}

TEST_F(MeadowController, BusyPiecesAndLiveEffectsOnlyResetTheHintTimer) {
    m_model->getObject(0, 0)->setFalling();
    m_controller->update(1.0f);
    click(0, 0);
    EXPECT_EQ(m_model->getSelected(), nullptr);
    EXPECT_EQ(m_controller->getHintTimer(), 0.0f);

    m_controller->createBonusEffect(31);
    click(1, 1);
    EXPECT_EQ(m_model->getSelected(), nullptr);
}

TEST_F(MeadowController, InvalidPieceIsAnError) {
    m_model->getObject(0, 0)->setValid(false);
    EXPECT_EQ(thrownText([&] { click(0, 0); }),
              "cMeadowController::objectClicked(): model object is not valid, bonus type = -1");
    TestFakes::FakePieceView empty;
    EXPECT_EQ(thrownText([&] { m_controller->objectClicked(&empty); }),
              "cMeadowController::objectClicked(): model object is null");
}

TEST_F(MeadowController, HintAppearsAfterItsDelay) {
    const float dt = 0.0625f;
    for (int i = 0; i < 479; ++i)
        m_controller->update(dt);
    EXPECT_EQ(m_view->count("showHint()"), 0);
    m_controller->update(dt);
    ASSERT_EQ(m_view->count("showHint()"), 1);
    EXPECT_GT(m_controller->getHintFirst().x, -1.0f);
    EXPECT_TRUE(m_model->isNeighbour(
        m_model->getObject(int(m_controller->getHintFirst().x), int(m_controller->getHintFirst().y)),
        m_model->getObject(int(m_controller->getHintSecond().x), int(m_controller->getHintSecond().y))));

    // Never while the input is locked; the timer restarts anyway.
    m_controller->setInputLocked(true);
    m_controller->update(30.0f);
    EXPECT_EQ(m_view->count("showHint()"), 1);
    EXPECT_EQ(m_controller->getHintTimer(), 0.0f);

    // A board in motion has no move to show, not even the last one.
    m_controller->setInputLocked(false);
    m_model->getObject(0, 0)->setExchanging();
    m_controller->update(30.0f);
    EXPECT_EQ(m_view->count("showHint()"), 1);
    EXPECT_EQ(m_controller->getHintFirst(), Engine::cVector2(-1.0f, -1.0f));
}

TEST_F(MeadowController, LevelEndsWhenTheLevelOverRuleHolds) {
    m_controller->update(0.25f);
    EXPECT_FALSE(m_controller->isLevelFinished());
    // The wood is cleared: the next periodic test ends the level.
    m_model->getCell(2, 2)->setType(1);
    m_controller->update(0.125f);
    EXPECT_FALSE(m_controller->isLevelFinished());
    m_controller->update(0.125f);
    EXPECT_TRUE(m_controller->isLevelFinished());
    EXPECT_TRUE(m_controller->isInputLocked());

    m_view->m_fieldBusy = true;
    m_controller->update(0.125f);
    EXPECT_EQ(m_view->count("finishLevel()"), 0);
    m_view->m_fieldBusy = false;
    m_controller->update(0.125f);
    EXPECT_EQ(m_view->count("finishLevel()"), 1);
    EXPECT_EQ(m_model->getNextAvailableLevel(), 1);
    // A screen that keeps updating does not complete the level twice.
    m_controller->update(0.125f);
    EXPECT_EQ(m_model->getNextAvailableLevel(), 1);
    EXPECT_EQ(m_view->count("finishLevel()"), 1);
}

TEST_F(MeadowController, MatchSoundsCountUpAndWrap) {
    m_model->m_comboSoundDelay = 0.0f;
    std::vector<std::string> played;
    for (int i = 0; i < 17 * 8; ++i)
        m_controller->playMatchSound();
    for (const std::string& call : m_sounds.calls())
        played.push_back(call);
    // Cycle 1 plays "match" alone, cycles 2 to 6 each with "match_add" 1 to 5, cycle 7 alone
    // again (the extra number wrapped to 0), cycle 8 with "match_add1".
    ASSERT_EQ(played.size(), size_t(17 + 5 * 34 + 17 + 34));
    EXPECT_EQ(played[0], "play(match1)");
    EXPECT_EQ(played[16], "play(match17)");
    EXPECT_EQ(played[17], "play(match_add1)");
    EXPECT_EQ(played[18], "play(match1)");
    EXPECT_EQ(played[17 + 4 * 34], "play(match_add5)");
    EXPECT_EQ(played[17 + 5 * 34], "play(match1)");
    EXPECT_EQ(played[17 + 5 * 34 + 1], "play(match2)");
    EXPECT_EQ(played[17 + 5 * 34 + 17], "play(match_add1)");
    EXPECT_EQ(m_controller->getExtraSoundNumber(), 1);
}

TEST_F(MeadowController, MatchSoundTimerHoldsBackSounds) {
    m_controller->playMatchSound();
    m_controller->playMatchSound();
    EXPECT_EQ(m_sounds.calls().size(), 1u);
    EXPECT_EQ(m_controller->getMatchSoundNumber(), 1);
    m_controller->update(0.5f);
    m_controller->playMatchSound();
    EXPECT_EQ(m_sounds.count("play(match2)"), 1);
}

TEST_F(MeadowController, SeriesCountsFiguresAndBestCombo) {
    cMeadowFigure figure(m_model.get(), true);
    for (int c = 0; c < 4; ++c)
        figure.addObject(m_model->getObject(0, c % 3));
    m_controller->onFigureMatched(figure);
    m_controller->onFigureMatched(figure);
    EXPECT_EQ(m_controller->getSeriesFigures(), 2);
    EXPECT_EQ(m_awards->count("checkAwardXfiguresSeria(2)"), 1);
    EXPECT_EQ(m_statistics.m_counters[1], 2);
    m_controller->continueTurn();
    EXPECT_EQ(m_statistics.m_bestCombo, 2);
    EXPECT_EQ(m_sounds.count("playSingle(object_fall)"), 1);
}

TEST_F(MeadowController, EditorSkipsAwards) {
    m_controller->setEditor(true);
    m_controller->onBlastBonusUsed();
    m_controller->checkLevelEndAwards();
    EXPECT_TRUE(m_awards->calls().empty());
    m_controller->setEditor(false);
    m_controller->onBlastBonusUsed();
    m_controller->onLightningBonusUsed();
    EXPECT_EQ(m_awards->count("checkAwardBombBonus()"), 1);
    EXPECT_EQ(m_awards->count("checkAwardLightningBonus()"), 1);
}

TEST_F(MeadowController, ResumeAfterAwardUnlocksAndResumesMusic) {
    m_controller->setInputLocked(true);
    m_controller->resumeAfterAward();
    EXPECT_FALSE(m_controller->isInputLocked());
    EXPECT_EQ(m_awards->count("onAwardTipClosed()"), 1);
    EXPECT_EQ(m_view->count("resumeMusic()"), 1);
    EXPECT_EQ(m_development.count("lockInterface(false)"), 1);
    m_controller->setLevelView(nullptr);
    m_controller->resumeAfterAward();
    EXPECT_EQ(m_development.count("resumeMusic()"), 1);
}

TEST_F(MeadowController, AwardProgressAndStartMoney) {
    m_awards->m_thresholds[1] = 500.0f;
    m_model->addResourcePoints(1, 120);
    float current = -1.0f, needed = -1.0f;
    m_controller->getAwardProgress(1, current, needed);
    EXPECT_EQ(current, 120.0f);
    EXPECT_EQ(needed, 500.0f);
    m_controller->getAwardProgress(4, current, needed);
    EXPECT_EQ(current, 120.0f); // the board money achievement
    current = -1.0f;
    m_controller->getAwardProgress(11, current, needed);
    EXPECT_EQ(current, -1.0f);
    TestFakes::FakeMainMenu menu;
    menu.m_runTime = 80.0f;
    menu.m_playTime = 60.0f;
    GameServices::setMainMenu(&menu);
    m_controller->getAwardProgress(8, current, needed);
    EXPECT_EQ(current, 80.0f);
    m_controller->getAwardProgress(9, current, needed);
    EXPECT_EQ(current, 60.0f);
    GameServices::setMainMenu(nullptr);
    m_controller->rememberStartLevelMoney();
    EXPECT_EQ(Engine::gIntProps["StartLevelMoney"], 120);
    Engine::gIntProps.erase("StartLevelMoney");
}

TEST_F(MeadowController, WholeLevelIsPlayedToItsEndThroughTheControllerAlone) {
    startLevel(1, 3);
    m_controller->setHintDelay(0.125f);
    const float dt = 0.0625f;
    int moves = 0;
    for (int frame = 0; frame < 20000 && m_view->count("finishLevel()") == 0; ++frame) {
        const int hints = m_view->count("showHint()");
        m_view->step(dt);
        if (m_view->count("showHint()") > hints && !m_view->isAnimating()) {
            const Engine::cVector2 a = m_controller->getHintFirst(), b = m_controller->getHintSecond();
            click(int(a.x), int(a.y));
            click(int(b.x), int(b.y));
            ++moves;
        }
    }
    ASSERT_EQ(m_view->count("finishLevel()"), 1) << moves << " moves";
    EXPECT_GT(moves, 0);
    EXPECT_EQ(m_model->getCell(0, 1)->getType(), 1);
    EXPECT_GT(m_model->getResourcePoints(1), 0);
    EXPECT_EQ(m_model->getNextAvailableLevel(), 1);
    EXPECT_TRUE(m_controller->isInputLocked());
}

TEST_F(MeadowController, PieceArrivingInItsVehicleIsLoadedAndReleased) {
    cVehicleModel* vehicle = m_model->getVehiclesFeature()->addVehicle();
    const int32_t type = m_model->getObject(0, 0)->getType();
    vehicle->addSlot(1, 2, type);
    vehicle->setState(cVehicleModel::TAKING_PIECES);
    cMeadowObjectModel* piece = m_model->getObject(0, 0);
    ASSERT_EQ(m_model->getVehiclesFeature()->sendObject(piece), vehicle);
    const size_t free = m_model->getObjectPool()->getFreeCount();
    TestFakes::FakeVehicleView vehicleView(vehicle);
    m_controller->sendObjectToVehicle(m_view->viewAt(0, 0), &vehicleView);
    EXPECT_EQ(vehicle->getSlots()[0].loaded, 1);
    EXPECT_EQ(m_model->getObject(0, 0), nullptr);
    EXPECT_EQ(m_model->getObjectPool()->getFreeCount(), free + 1);
    EXPECT_EQ(m_view->count("refresh()"), 1);

    m_controller->removeObject(m_view->viewAt(1, 1));
    EXPECT_EQ(m_model->getObject(1, 1), nullptr);
    EXPECT_EQ(m_model->getObjectPool()->getFreeCount(), free + 2);
}

TEST_F(MeadowController, SpecialPieceGoesOffOnItsSecondClickOrWhenSwapped) {
    int blasts = 0;
    m_model->m_blastBonusSignal.connect([&](cMeadowObjectModel*, bool done) { blasts += done ? 1 : 0; });
    auto makeBomb = [&](int row, int column) {
        cMeadowObjectModel* bomb = m_model->getObject(row, column);
        bomb->setType(cMeadowObjectModel::BLAST_BONUS);
        bomb->setBonusTag(cMeadowObjectModel::BLAST_BONUS);
        return bomb;
    };
    cMeadowObjectModel* bomb = makeBomb(1, 1);
    click(1, 1);
    EXPECT_EQ(blasts, 0);
    click(1, 1);
    EXPECT_EQ(blasts, 1);
    EXPECT_EQ(bomb->getState(), int32_t(cMeadowObjectModel::BLASTED));
    EXPECT_EQ(m_view->count("animateExchange()"), 0);

    // Swapped with its neighbour, it goes off where it lands and the swap is kept.
    bomb->setIdle();
    clearSelectionOf(*m_model);
    cMeadowObjectModel* other = m_model->getObject(1, 0);
    click(1, 0);
    click(1, 1);
    ASSERT_EQ(m_view->count("animateExchange()"), 1);
    m_view->step(0.0f);
    EXPECT_EQ(blasts, 2);
    EXPECT_EQ(m_view->count("animateSwapBack()"), 0);
    EXPECT_EQ(m_view->count("showMatchedFigures(false)"), 0);
    EXPECT_EQ(m_model->getObject(1, 0), bomb);
    EXPECT_EQ(m_model->getObject(1, 1), other);
}

TEST_F(MeadowController, SwapLongAfterTheLastMatchStartsANewSeries) {
    struct Case {
        float wait;
        int32_t seriesFigures;
    } cases[] = {{0.0f, 6}, {3.0f, 1}}; // the series buffer is 2.5 s
    for (const Case& k : cases) {
        stepUntilIdle();
        setTypes({{1, 3, 1}, {2, 1, 4}, {3, 4, 3}});
        m_model->resetObjectStates();
        if (k.wait > 0.0f)
            m_controller->update(k.wait);
        m_controller->setSeriesFigures(5);
        click(0, 1);
        click(1, 1);
        m_view->step(0.0f);
        EXPECT_EQ(m_controller->getSeriesFigures(), k.seriesFigures) << k.wait;
    }
}

TEST_F(MeadowController, FiguresAreOnlyThoseHoldingASwappedPiece) {
    setTypes({{1, 1, 1}, {2, 3, 4}, {3, 4, 3}});
    ASSERT_TRUE(m_model->hasMatches());
    tFigureList figures;
    EXPECT_TRUE(m_controller->isObjectsInFigures(m_view->viewAt(1, 1), m_view->viewAt(0, 1), figures));
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].getBonusPosition(), Engine::cVector2(0.0f, 1.0f));
    EXPECT_EQ(
        thrownText([&] { m_controller->isObjectsInFigures(m_view->viewAt(1, 1), m_view->viewAt(0, 1), figures); }),
        "cMeadowController::isObjectsInFigures(): figures vector is not empty");

    tFigureList others;
    EXPECT_FALSE(m_controller->isObjectsInFigures(m_view->viewAt(1, 0), m_view->viewAt(1, 1), others));
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0].getBonusPosition(), Engine::cVector2(-1.0f, -1.0f));
}

TEST_F(MeadowController, TriggerHoldOnlyAdvancesTheTimers) {
    setTypes({{1, 3, 1}, {4, 4, 4}, {3, 2, 3}}); // a cascade waits in the middle row
    cMeadowObjectModel* top = m_model->getObject(2, 0);
    m_controller->setTriggerHold(true);
    m_controller->update(40.0f);
    EXPECT_EQ(m_controller->getHintTimer(), 40.0f);
    EXPECT_EQ(m_controller->getIdleTimer(), 40.0f);
    EXPECT_TRUE(m_view->calls().empty());
    EXPECT_EQ(m_awards->count("checkAwardFiveMinutes()"), 0);

    // Figures paid under the hold wait for the trigger effect before the board moves on.
    ASSERT_TRUE(m_model->hasMatches());
    tFigureList figures = m_model->collectFigures();
    m_controller->processFigures(figures, true);
    EXPECT_EQ(m_view->count("showMatchedFigures(true)"), 1);
    EXPECT_EQ(m_view->count("startObjectMotions()"), 0);
    EXPECT_EQ(countPieces(), 6);

    m_controller->setTriggerHold(false);
    m_controller->update(0.25f);
    EXPECT_EQ(m_view->count("startObjectMotions()"), 1);
    EXPECT_EQ(m_model->getObject(1, 0), top);
}

TEST_F(MeadowController, PeriodicStepPaysACascadeThenPassesPrizesDown) {
    setTypes({{1, 3, 1}, {2, 1, 4}, {4, 4, 4}});
    cMeadowObjectModel* prize = m_model->getObject(0, 0);
    prize->setType(cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE);
    prize->setPrizeFlag(true);
    m_model->setGoldPrizesLeft(1);
    std::vector<cMeadowObjectModel*> passed;
    m_model->m_objectPassedDownSignal.connect([&](cMeadowObjectModel* p) { passed.push_back(p); });

    m_controller->update(0.125f);
    EXPECT_EQ(m_view->count("showMatchedFigures(true)"), 0);
    EXPECT_TRUE(passed.empty());
    m_controller->update(0.125f);
    EXPECT_EQ(m_view->count("showMatchedFigures(true)"), 1);
    EXPECT_EQ(m_model->getResourcePoints(1), 30);
    EXPECT_EQ(passed, std::vector<cMeadowObjectModel*>{prize});
    EXPECT_EQ(m_model->getObject(0, 0), nullptr);
    EXPECT_EQ(m_model->getGoldPrizesLeft(), 0);
}

TEST_F(MeadowController, ContinueTurnMovesOnOnlyWhileTheLevelLasts) {
    m_model->removeObjectAt(2, 0);
    m_controller->setLevelFinished(true);
    m_controller->continueTurn();
    EXPECT_EQ(m_sounds.count("playSingle(object_fall)"), 1);
    EXPECT_EQ(m_model->getObject(2, 0), nullptr);
    EXPECT_TRUE(m_view->calls().empty());

    m_controller->setLevelFinished(false);
    m_controller->continueTurn();
    EXPECT_NE(m_model->getObject(2, 0), nullptr);
    EXPECT_EQ(m_view->count("startObjectMotions()"), 1);

    // A run left at rest is paid by the next periodic step: counts cleared, no refresh.
    m_model->resetObjectStates();
    setTypes({{1, 1, 1}, {2, 3, 4}, {3, 4, 3}});
    m_view->clear();
    m_controller->continueTurn();
    EXPECT_TRUE(m_view->calls().empty());
    EXPECT_EQ(m_model->getObject(0, 1)->getHorizontalCount(), 0);
}

// A purchase buys the next level at its own price, or nothing: never a level an offer was made
// for that is not the next one, and never on money short of the price.
TEST(MeadowControllerUnits, PurchaseTakesOnlyTheNextLevelItCanPay) {
    TestFakes::FakeGameSounds sounds;
    GameServices::setGameSounds(&sounds);
    auto model = TestModel::makeFixtureModel();
    {
        cMeadowController controller(model.get(), nullptr, false);
        cMeadowUnit* barn = model->getUnitsFeature()->getUnit(0);
        struct Case {
            int32_t money;
            int32_t level;
            bool bought;
        };
        // The barn's level 1 costs 100, level 2 costs 250.
        for (const Case& c : {Case{99, -1, false}, Case{100, 2, false}, Case{400, 2, false}, Case{100, 1, true}}) {
            barn->setLevel(0);
            model->addResourcePoints(1, c.money - model->getResourcePoints(1));
            EXPECT_EQ(controller.selectUnitVariant(0, 0, c.level), c.bought) << c.money << " " << c.level;
            EXPECT_EQ(barn->getLevel(), c.bought ? 1 : 0);
            EXPECT_EQ(model->getResourcePoints(1), c.bought ? c.money - 100 : c.money);
        }
        EXPECT_EQ(sounds.count("play(buy_unit)"), 1);
        // Exactly the price of the next level; then the unit is bought out.
        model->addResourcePoints(1, 250 - model->getResourcePoints(1));
        EXPECT_TRUE(controller.selectUnitVariant(0, 2));
        EXPECT_EQ(model->getResourcePoints(1), 0);
        model->addResourcePoints(1, 1000);
        EXPECT_FALSE(controller.selectUnitVariant(0, 0));
        EXPECT_EQ(barn->getLevel(), 2);
        EXPECT_EQ(model->getResourcePoints(1), 1000);
    }
    GameServices::setGameSounds(nullptr);
}

TEST(MeadowControllerUnits, UnitsAnimalsCareAndTheirAwards) {
    TestFakes::FakeGameSounds sounds;
    TestFakes::FakeTutorialManager tutorial;
    GameServices::setGameSounds(&sounds);
    GameServices::setTutorialManager(&tutorial);
    auto model = TestModel::makeFixtureModel();
    model->addResourcePoints(1, 500);
    TestFakes::FakeAwardManager* manager = nullptr;
    GameServices::setAwardManagerFactory([&] {
        auto awards = std::make_unique<TestFakes::FakeAwardManager>();
        manager = awards.get();
        return std::unique_ptr<IAwardManager>(std::move(awards));
    });
    {
        cMeadowController controller(model.get(), nullptr, false);
        ASSERT_NE(manager, nullptr);
        controller.selectUnitVariant(0, 1);
        EXPECT_EQ(model->getUnitsFeature()->getUnit(0)->getLevel(), 1);
        EXPECT_EQ(model->getResourcePoints(1), 400);
        EXPECT_EQ(sounds.count("play(buy_unit)"), 1);
        EXPECT_EQ(tutorial.count("setTipShown(2)"), 1);
        EXPECT_EQ(thrownText([&] { controller.selectUnitVariant(9, 0); }),
                  "cUnitsFeature::getUnit(): wrong unit index: 9");

        controller.checkUnitsAward(model->getUnitsFeature());
        EXPECT_EQ(manager->count("checkAwardMaxUpgrade(false)"), 1);
        controller.addAnimalsCareClick();
        manager->m_queued = true;
        controller.addAnimalsCareClick();
        EXPECT_EQ(model->getAnimalsCare(), 2);
        EXPECT_EQ(manager->count("checkAwardAnimalsCare()"), 1);
        EXPECT_EQ(controller.getMoney(), 400);
    }
    // The controller is gone and so is its award manager; the quitting flag is down again.
    EXPECT_EQ(cMeadowController::getInstance(), nullptr);
    EXPECT_FALSE(GameServices::isQuitting());
    // A shut-down already under way stays under way.
    GameServices::setQuitting(true);
    { cMeadowController controller(model.get(), nullptr, false); }
    EXPECT_TRUE(GameServices::isQuitting());
    GameServices::setQuitting(false);
    GameServices::setAwardManagerFactory(nullptr);
    GameServices::setGameSounds(nullptr);
    GameServices::setTutorialManager(nullptr);
}

} // namespace
