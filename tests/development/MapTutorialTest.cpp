// The map's share of the tutorial on the shipped data: the map is the tutorial's owner while it
// is open; a new player gets the next-level hint once the map is idle, and it holds the map until
// its OK; the hint waits for drop-ins and the slide and starts its delay over after a level; the
// upgrade hint points at an affordable offer; the seed bed's show-all hint leaves only the
// show-all button usable and closes itself when the player slides the interface out.

#include "engine/core/ProfileManager.h"
#include "engine/gui/FrameButton.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "game/development/UnitView.h"
#include "game/development/UpgradeButton.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/model/MeadowModel.h"
#include "game/shell/ActionQueue.h"
#include "game/shell/CommonHelpTip.h"
#include "game/shell/TutorialManager.h"
#include "tests/development/DevelopmentFixture.h"

using Engine::cVector2;
using TestMap::DevelopmentFixture;
using TestMap::FakeLevelScreen;

namespace {

class MapTutorialTest : public DevelopmentFixture {
protected:
    // The shipped map and a new player's tutorial.
    void startWithTutorial() {
        start();
        tutorial = std::make_unique<cTutorialManager>();
    }
    void click(const cVector2& at) {
        ui.moveTo(at.x, at.y);
        ui.step();
        ui.press();
        ui.step();
        ui.release();
        ui.step();
    }
    // Frames of a given length in seconds, with the condition never holding.
    template <class Condition> bool neverDuring(float seconds, Condition condition) {
        for (float t = 0; t < seconds; t += 0.125f) {
            ui.step();
            if (condition())
                return false;
        }
        return true;
    }
    void TearDown() override {
        DevelopmentFixture::TearDown();
        tutorial.reset();
    }

    std::unique_ptr<cTutorialManager> tutorial;
};

} // namespace

TEST_F(MapTutorialTest, ANewPlayerOnTheMapGetsTheNextLevelHintWhichHoldsTheMapUntilItsOk) {
    startWithTutorial();
    EXPECT_EQ(tutorial->getOwner(), nullptr);
    openFromMenu();
    EXPECT_EQ(tutorial->getOwner(), static_cast<ITutorialOwner*>(map.get()));
    EXPECT_TRUE(map->hasBoardModel());
    EXPECT_FALSE(Engine::gBoolProps["tut0"]);

    ASSERT_TRUE(stepUntil([&] { return tutorial->getCurrentTipId() == 0; }));
    cCommonHelpTip* tip = tutorial->getCurrentTip();
    EXPECT_EQ(tip->getTarget(), map->getNextLevelButton());
    EXPECT_EQ(tutorial->getFader()->getPosition(), map->getNextLevelButton()->getPosition());
    // The tip is modal: the map takes no input until it closes.
    EXPECT_FALSE(map->isEnabled());
    ui.run(1.0f);
    EXPECT_EQ(tip->getText()->getText(), tutorial->getTipText(0));

    click(tip->getOkButton()->getPosition());
    ui.run(0.5f);
    EXPECT_FALSE(tutorial->hasCurrentTip());
    EXPECT_TRUE(Engine::gBoolProps["tut0"]);
    EXPECT_TRUE(map->isEnabled());
    EXPECT_TRUE(map->getNextLevelButton()->isEnabled());

    // A closed map is no longer asked for anything.
    map->close();
    EXPECT_EQ(tutorial->getOwner(), nullptr);
}

TEST_F(MapTutorialTest, TheNextLevelHintWaitsForAnIdleMapAndStartsItsDelayOverAfterALevel) {
    startWithTutorial();
    // A building dropping in.
    map->setUnitUpgrading(true);
    openFromMenu();
    EXPECT_TRUE(neverDuring(2.0f, [&] { return tutorial->isTipPending(0); }));
    map->setUnitUpgrading(false);

    // The interface slid out, and on its way back.
    map->hideInterface();
    EXPECT_TRUE(neverDuring(2.0f, [&] { return tutorial->isTipPending(0); }));
    map->onAnyInput();
    ui.step();
    EXPECT_TRUE(map->getSlideQueue()->isRunning());
    EXPECT_FALSE(tutorial->isTipPending(0));
    ASSERT_TRUE(stepUntil([&] { return tutorial->isTipPending(0); }));
    EXPECT_FALSE(map->getSlideQueue()->isRunning());

    // A level started otherwise than by the button: the hint is dropped while the level runs ...
    map->playLevel(false);
    ASSERT_TRUE(stepUntil([&] { return map->getLevelScreen() != nullptr; }));
    EXPECT_FALSE(tutorial->isTipPending(0));
    EXPECT_TRUE(neverDuring(2.0f, [&] { return tutorial->isTipPending(0); }));
    // ... and waits its whole delay again when the map is back.
    factory.last()->switchToOwner();
    ASSERT_TRUE(stepUntil([&] { return tutorial->isTipPending(0); }));
    EXPECT_GT(tutorial->getTipCountdown(0), tutorial->getTipTimer(0) - 0.5f);
    ASSERT_TRUE(stepUntil([&] { return tutorial->getCurrentTipId() == 0; }));

    tutorial->closeCurrentTip();
    EXPECT_TRUE(tutorial->isTipShown(0));
}

TEST_F(MapTutorialTest, TheNextLevelButtonRecordsTheHintBeforeItShows) {
    startWithTutorial();
    // The player is quicker than the hint's delay.
    map->setUnitUpgrading(true);
    openFromMenu();
    map->setUnitUpgrading(false);
    ASSERT_FALSE(tutorial->hasCurrentTip());
    FakeLevelScreen* board = playNextLevel();
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(tutorial->isTipShown(0));
    EXPECT_TRUE(Engine::gBoolProps["tut0"]);
    board->switchToOwner();
    ASSERT_TRUE(stepUntil([&] { return map->isVisible() && map->getLevelScreen() == nullptr; }));
    EXPECT_TRUE(neverDuring(3.0f, [&] { return tutorial->hasCurrentTip(); }));
}

TEST_F(MapTutorialTest, AnAffordableOfferGetsTheUpgradeHintAndTheOffersSwitchTheTutorial) {
    startWithTutorial();
    tutorial->setTipShown(0);
    openFromMenu();
    map->getModel()->addResourcePoints(1, 100000);
    map->getUpgradePanel()->updateButtons(true);
    ASSERT_TRUE(stepUntil([&] { return tutorial->getCurrentTipId() == 2; }));
    const cVector2 pointed = tutorial->getFader()->getPosition();
    bool onAnOffer = false;
    for (cUpgradeButton* button : map->getUpgradePanel()->getButtons())
        onAnOffer = onAnOffer || (button->isVisible() && button->getPosition() == pointed);
    EXPECT_TRUE(onAnOffer);
    EXPECT_FALSE(map->isEnabled());
    tutorial->closeCurrentTip();
    EXPECT_TRUE(map->isEnabled());
    EXPECT_TRUE(tutorial->isTipShown(2));

    // The panel switches the tutorial off while an offer is picked and on when its row is rebuilt.
    map->setTutorialTipsShown(false);
    EXPECT_FALSE(tutorial->isTutorialEnabled());
    map->getUpgradePanel()->updateButtons(true);
    EXPECT_TRUE(tutorial->isTutorialEnabled());
}

TEST_F(MapTutorialTest, TheShowAllHintLeavesOnlyTheShowAllButtonAndClosesWhenTheInterfaceSlidesOut) {
    startWithTutorial();
    tutorial->setTipShown(0);
    openFromMenu();
    // The seed bed has landed.
    map->showShowAllTip();
    ASSERT_EQ(tutorial->getCurrentTipId(), 25);
    EXPECT_EQ(tutorial->getCurrentTip()->getTarget(), map->getShowAllButton());
    EXPECT_FALSE(map->isInterfaceActivated());
    // An action tip leaves the screen usable, but only its button answers.
    EXPECT_TRUE(map->isEnabled());
    EXPECT_TRUE(map->getShowAllButton()->isEnabled());
    EXPECT_FALSE(map->getNextLevelButton()->isEnabled());
    EXPECT_FALSE(map->getMainMenuButton()->isEnabled());
    EXPECT_FALSE(map->getUpgradePanel()->isEnabled());
    EXPECT_FALSE(map->getUnitViews()[0]->isEnabled());
    ui.run(1.0f);

    click(map->getShowAllButton()->getPosition());
    EXPECT_TRUE(map->isInterfaceHidden());
    EXPECT_TRUE(map->isInterfaceActivated());
    ASSERT_TRUE(stepUntil([&] { return !tutorial->hasCurrentTip(); }));
    EXPECT_TRUE(Engine::gBoolProps["tut25"]);
    EXPECT_GT(tutorial->getBlockTime(), 0);
    EXPECT_TRUE(map->getNextLevelButton()->isEnabled());
    EXPECT_TRUE(map->getUnitViews()[0]->isEnabled());

    // Another seed bed later: the hint is done and the interface stays as it is.
    ui.run(3.5f);
    map->showShowAllTip();
    EXPECT_FALSE(tutorial->hasCurrentTip());
    EXPECT_TRUE(map->getUnitViews()[0]->isEnabled());
}

TEST_F(MapTutorialTest, WithoutATutorialTheMapAsksNothingAndTheSeedBedLocksNothing) {
    start();
    openFromMenu();
    map->showShowAllTip();
    map->checkUpgradeHint(cVector2(100, 700));
    map->setTutorialTipsShown(false);
    ui.run(2.0f);
    EXPECT_TRUE(map->isEnabled());
    EXPECT_TRUE(map->getNextLevelButton()->isEnabled());
    EXPECT_TRUE(map->getUnitViews()[0]->isEnabled());
}
