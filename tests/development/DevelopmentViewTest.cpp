#include "game/development/DevelopmentView.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/gui/FrameButton.h"
#include "engine/gui/Label.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "engine/media/InputSystem.h"
#include "game/development/Butterfly.h"
#include "game/development/CatPersonModel.h"
#include "game/development/CatPersonView.h"
#include "game/development/PersonageModel.h"
#include "game/development/PersonageView.h"
#include "game/development/UnitView.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/UnitsFeature.h"
#include "game/shell/ActionQueue.h"
#include "game/shell/GameSounds.h"
#include "game/shell/ParticleEmitter.h"
#include "game/shell/ParticleSprite.h"
#include "game/shell/PictureSequence.h"
#include "game/shell/YesNoFrame.h"
#include "tests/development/DevelopmentFixture.h"
#include "tests/support/FileSizeLimit.h"

using Engine::cVector2;
using TestMap::DevelopmentFixture;
using TestMap::FakeLevelScreen;

namespace {

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Engine::cStringA& e) {
        return e.c_str();
    }
    return "no error";
}

} // namespace

using DevelopmentViewTest = DevelopmentFixture;

TEST_F(DevelopmentViewTest, ReadsTheShippedLayoutAndItsLookTable) {
    start();
    EXPECT_EQ(map->getHideInterfaceTime(), 0.6f);
    EXPECT_EQ(map->getButterflyMaximum(), 4);
    EXPECT_EQ(map->getVariantAlpha(), 0.6f);
    EXPECT_EQ(map->getMovableInterfaces().size(), 2u);
    // The pond's ripples: looping runs of eight frames, each frame a picture of its own.
    ASSERT_EQ(map->getWaves().size(), 4u);
    for (cPictureSequence* wave : map->getWaves()) {
        EXPECT_EQ(wave->getFrameCount(), 8u);
        EXPECT_TRUE(wave->getAnimLoop());
        EXPECT_EQ(wave->frameAt(wave->getAnimLength() / 2), 4);
    }
    EXPECT_FALSE(map->getSavedLevelMessage().empty());
    EXPECT_FALSE(map->isVisible());
    // The buttons wait for the screen to be shown.
    EXPECT_FALSE(map->getNextLevelButton()->isEnabled());
    EXPECT_FALSE(map->getMainMenuButton()->isEnabled());
    // Every look the board screen and the heroine ask for.
    for (const char* id : {"pers_idle",       "pers_talk",
                           "pers_move_up",    "pers_move_up_right",
                           "pers_move_right", "pers_move_down_right",
                           "pers_move_down",  "pimbrel_joy",
                           "pimbrel_hat",     "pimbrel_sneeze",
                           "selection",       "cell0",
                           "simple0",         "simple1",
                           "wood0",           "wood1",
                           "iron0",           "iron1",
                           "cell_locks1",     "cell_locks2"})
        EXPECT_NE(map->getVisualState(id).getPicture(), nullptr) << id;
    EXPECT_EQ(errorOf([&] { map->getVisualState("pers_fly"); }),
              "cDevelopmentView::getVisualState(): visual state for a given id was not found: id = pers_fly");
    EXPECT_ANY_THROW(cDevelopmentView second(nullptr, false));
}

TEST_F(DevelopmentViewTest, OpensOnTheShippedDataPlaysLevelOneAndComesBack) {
    start();
    openFromMenu();
    ASSERT_EQ(map->getUnitViews().size(), 26u);
    for (size_t id = 0; id < 26; ++id)
        EXPECT_EQ(map->getUnitViews()[id]->getPoint(), int32_t(id));
    ASSERT_NE(map->getPimbrelModel(), nullptr);
    EXPECT_NE(map->getCatModel(), nullptr);
    EXPECT_EQ(map->getCatView(), nullptr);
    EXPECT_TRUE(map->getNextLevelButton()->isEnabled());
    EXPECT_TRUE(map->getMainMenuButton()->isEnabled());
    EXPECT_EQ(map->getMoneyText()->getText(),
              Engine::narrowToWide(std::to_string(map->getModel()->getResourcePoints(1))));
    const int32_t level = map->getModel()->getNextLevelNumber();
    map->getPimbrelModel()->setCurrentPoint(30);

    // A second click during the fade starts one level only.
    map->onNextLevelClicked();
    map->onNextLevelClicked();
    ASSERT_TRUE(stepUntil([&] { return map->getLevelScreen() != nullptr; }));
    ASSERT_EQ(factory.screens.size(), 1u);
    FakeLevelScreen* board = factory.last();
    EXPECT_EQ(board->log, (std::vector<std::string>{"play", "init", "refresh", "start"}));
    EXPECT_EQ(map->getModel()->getCurrentLevel(), level);
    EXPECT_TRUE(map->getUnitViews().empty());
    EXPECT_EQ(map->getPimbrelModel(), nullptr);
    EXPECT_EQ(map->getCatModel(), nullptr);
    EXPECT_EQ(Engine::gIntProps["PimbrelNode"], 30);
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 0);
    EXPECT_FALSE(map->getMoneyText()->isVisible());
    ui.steps(4);

    // The level ends: the board switches back, the map rebuilds itself and shows.
    board->switchToOwner();
    ASSERT_TRUE(stepUntil([&] { return map->isVisible() && map->getLevelScreen() == nullptr; }));
    ASSERT_TRUE(stepUntil([&] { return map->getNextLevelButton()->isEnabled(); }));
    EXPECT_EQ(map->getUnitViews().size(), 26u);
    ASSERT_NE(map->getPimbrelModel(), nullptr);
    EXPECT_EQ(map->getPimbrelModel()->getCurrentPoint(), 30);
    EXPECT_FALSE(map->isLevelRunning());
    EXPECT_TRUE(map->getMoneyText()->isVisible());
    EXPECT_FALSE(saveExists());

    // And again: the cat's pointers were cleared at the first level's start.
    ASSERT_NE(playNextLevel(), nullptr);
    EXPECT_EQ(factory.screens.size(), 2u);
}

TEST_F(DevelopmentViewTest, LeavingALevelForTheMenuSavesItAndThePromptResumesOrDropsIt) {
    start();
    openFromMenu();
    const int32_t level = map->getModel()->getNextLevelNumber();
    FakeLevelScreen* board = playNextLevel();
    ASSERT_NE(board, nullptr);
    // The in-game menu's main-menu button: the level is no longer running, the board still open.
    map->setLevelRunning(false);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    EXPECT_TRUE(board->closed);
    EXPECT_TRUE(saveExists());
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 1);
    EXPECT_EQ(map->getModel(), nullptr);

    // Back from the menu: the prompt, with the interface locked.
    openFromMenu();
    ASSERT_NE(map->getSavedLevelPrompt(), nullptr);
    EXPECT_FALSE(map->getNextLevelButton()->isEnabled());
    EXPECT_FALSE(map->getUnitViews()[0]->isEnabled());
    // No: the file goes, the flag waits for the next progress write.
    map->onSavedLevelNo();
    map->onSavedLevelYes();
    EXPECT_EQ(map->getSavedLevelPrompt(), nullptr);
    EXPECT_FALSE(saveExists());
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 1);
    EXPECT_TRUE(map->getNextLevelButton()->isEnabled());
    EXPECT_FALSE(map->isLevelRunning());

    // Once more with a save, answered yes: the level resumes from the file.
    board = playNextLevel();
    map->setLevelRunning(false);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 2; }));
    openFromMenu();
    ASSERT_NE(map->getSavedLevelPrompt(), nullptr);
    map->onSavedLevelYes();
    ASSERT_TRUE(stepUntil([&] { return map->getLevelScreen() != nullptr; }));
    EXPECT_EQ(map->getModel()->getCurrentLevel(), level);
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 0);
}

TEST_F(DevelopmentViewTest, AFailedLevelSaveKeepsTheOldSaveAndItsFlag) {
    start();
    openFromMenu();
    playNextLevel();
    map->saveGame(true);
    ASSERT_TRUE(saveExists());
    const std::string saved = TestSupport::readFileBytes(ui.folders().userPath(map->getSaveFilePath()));
    ASSERT_FALSE(saved.empty());
    Engine::gIntProps["HasBinarySave"] = 0;
    {
        TestSupport::FileSizeLimit full(16);
        try {
            map->saveGame(true);
        } catch (...) {
            // The profile cannot be written on a full disk either.
        }
    }
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 0);
    EXPECT_EQ(TestSupport::readFileBytes(ui.folders().userPath(map->getSaveFilePath())), saved);
}

// A save the model refuses would be offered on every start and end the game each time: it goes
// aside as ".bad", the profile stops naming it and the level starts fresh.
TEST_F(DevelopmentViewTest, ARefusedSaveIsSetAsideAndTheLevelStartsFresh) {
    struct Case {
        const char* name;
        std::function<std::string(const std::string&)> spoil;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"truncated", [](const std::string& bytes) { return bytes.substr(0, bytes.size() / 2); },
         "unexpected end of the level save"},
        {"garbage", [](const std::string&) { return std::string("This is not a level save at all."); },
         "cMeadowModel::load(): wrong number of columns"},
        {"level number out of range",
         [](const std::string& bytes) {
             Engine::gIntProps["BinarySaveLevel"] = 100000;
             return bytes;
         },
         "the saved level is out of range"},
    };
    start();
    auto leaveForMenu = [&] {
        const int closes = menu.closes;
        map->goToMainMenu();
        return stepUntil([&] { return menu.closes == closes + 1; });
    };
    for (const Case& spoilt : cases) {
        SCOPED_TRACE(spoilt.name);
        openFromMenu();
        const int32_t level = map->getModel()->getNextLevelNumber();
        ASSERT_NE(playNextLevel(), nullptr);
        map->setLevelRunning(false);
        ASSERT_TRUE(leaveForMenu());
        const std::string path = ui.folders().userPath(map->getSaveFilePath());
        const std::string bad = spoilt.spoil(TestSupport::readFileBytes(path));
        TestSupport::writeFileBytes(path, bad);
        Engine::gIntProps["money"] = 1234;
        Engine::gIntProps["unit_lvl_0"] = 1;

        openFromMenu();
        ASSERT_NE(map->getSavedLevelPrompt(), nullptr);
        map->onSavedLevelYes();
        // Set aside at once, before the level's own progress write.
        EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 0);
        EXPECT_EQ(Engine::gIntProps.count("BinarySaveLevel"), 0u);
        EXPECT_FALSE(saveExists());
        EXPECT_EQ(TestSupport::readFileBytes(path + ".bad"), bad);
        EXPECT_NE(TestSupport::readFileBytes("error.log").find(spoilt.reason), std::string::npos);
        ASSERT_TRUE(stepUntil([&] { return map->getLevelScreen() != nullptr; }));
        cMeadowModel* model = map->getModel();
        EXPECT_EQ(model->getCurrentLevel(), level);
        EXPECT_EQ(model->getRows(), model->getCurrentLevelInfo()->rows);
        EXPECT_EQ(model->getResourcePoints(1), 1234);
        EXPECT_EQ(model->getUnitsFeature()->getUnit(0)->getLevel(), 1);

        // The player plays on: the level ends and the next start offers nothing.
        factory.last()->switchToOwner();
        ASSERT_TRUE(stepUntil([&] { return map->getNextLevelButton()->isEnabled(); }));
        ASSERT_TRUE(leaveForMenu());
        openFromMenu();
        EXPECT_EQ(map->getSavedLevelPrompt(), nullptr);
        EXPECT_EQ(Engine::gIntProps["money"], 1234);
        ASSERT_TRUE(leaveForMenu());
    }
}

// Past the last level the levels are drawn at random: a saved one comes back as the level it was.
TEST_F(DevelopmentViewTest, ARandomLevelResumesAsTheLevelItWasSavedOn) {
    start();
    Engine::gBoolProps["IsRandomLevel"] = true;
    openFromMenu();
    cMeadowModel* model = map->getModel();
    std::vector<bool> vehicleAttrs;
    for (const cLevelInfo& record : model->getLevels())
        vehicleAttrs.push_back(record.vehicleAttr);
    ASSERT_NE(playNextLevel(), nullptr);
    const int32_t level = model->getCurrentLevel();
    ASSERT_GE(level, 20);
    map->setLevelRunning(false);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    EXPECT_EQ(Engine::gIntProps["BinarySaveLevel"], level);

    // The draw the resume would take names another level.
    auto resumeOnAnotherDraw = [&](int32_t avoided) {
        openFromMenu();
        EXPECT_NE(map->getSavedLevelPrompt(), nullptr);
        int32_t drawn = avoided;
        uint32_t seed = 0;
        while (drawn == avoided) {
            Engine::randomSeed(++seed);
            drawn = map->getModel()->getNextLevelNumber();
        }
        Engine::randomSeed(seed);
        map->onSavedLevelYes();
        stepUntil([&] { return map->getLevelScreen() != nullptr; });
        return drawn;
    };
    resumeOnAnotherDraw(level);
    model = map->getModel();
    ASSERT_NE(map->getLevelScreen(), nullptr);
    EXPECT_EQ(model->getCurrentLevel(), level);
    EXPECT_EQ(model->getCurrentLevelInfo(), &model->getLevels()[size_t(level)]);
    EXPECT_EQ(model->getRows(), model->getLevels()[size_t(level)].rows);
    EXPECT_EQ(model->getColumns(), model->getLevels()[size_t(level)].columns);
    for (size_t i = 0; i < vehicleAttrs.size(); ++i)
        EXPECT_EQ(model->getLevels()[i].vehicleAttr, vehicleAttrs[i]) << "level " << i;

    // A profile from before the number was kept resumes on the level drawn, as it always did.
    map->setLevelRunning(false);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 2; }));
    Engine::gIntProps.erase("BinarySaveLevel");
    const int32_t drawn = resumeOnAnotherDraw(level);
    ASSERT_NE(map->getLevelScreen(), nullptr);
    EXPECT_EQ(map->getModel()->getCurrentLevel(), drawn);
}

// The "profiles" folder gets one slash before the player's ID; without it the ID stands alone.
TEST_F(DevelopmentViewTest, SaveFileSitsInTheProfilesFolder) {
    start(false, "profiles");
    EXPECT_EQ(map->getSaveFilePath(), "profiles/" + Engine::getProfileManager()->getCurrentProfileId() + ".save");
}

TEST_F(DevelopmentViewTest, SaveFileKeepsTheProfilesFoldersOwnSlash) {
    start(false, "profiles/");
    EXPECT_EQ(map->getSaveFilePath(), "profiles/" + Engine::getProfileManager()->getCurrentProfileId() + ".save");
}

TEST_F(DevelopmentViewTest, SaveFileWithoutProfilesFolder) {
    start(false, "");
    EXPECT_EQ(map->getSaveFilePath(), Engine::getProfileManager()->getCurrentProfileId() + ".save");
}

TEST_F(DevelopmentViewTest, EditorLevelButtonsStandInRowsAndAReopenReplacesThem) {
    start(true);
    map->open();
    const std::vector<Engine::cTextButton*> first = map->getLevelButtons();
    const size_t count = size_t(map->getModel()->getLevelCount());
    ASSERT_EQ(first.size(), count);
    ASSERT_GT(count, 19u);
    EXPECT_EQ(first[0]->getPosition(), cVector2(60, 90));
    EXPECT_EQ(first[1]->getPosition(), cVector2(112, 90));
    EXPECT_EQ(first[17]->getPosition(), cVector2(60 + 17 * 52, 90));
    EXPECT_EQ(first[18]->getPosition(), cVector2(60, 130));
    EXPECT_EQ(first[19]->getPosition(), cVector2(112, 130));
    EXPECT_FALSE(map->getNextLevelButton()->isEnabled());
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    map->open();
    ui.step();
    for (Engine::cTextButton* button : first)
        EXPECT_FALSE(Engine::isWidgetAlive(button));
    EXPECT_EQ(map->getLevelButtons().size(), count);
}

TEST_F(DevelopmentViewTest, TheShowAllSlideMovesTheInterfaceOutAndAnyInputBringsItBack) {
    start();
    openFromMenu();
    const cVector2 menuAt = map->getMainMenuButton()->getPosition();
    const cVector2 playAt = map->getNextLevelButton()->getPosition();
    const cVector2 barAt = map->getMovableInterfaces()[1]->getPosition();
    map->hideInterface();
    EXPECT_TRUE(map->isInterfaceHidden());
    ui.run(1.0f);
    EXPECT_EQ(map->getMainMenuButton()->getPosition(), cVector2(menuAt.x, -menuAt.y));
    EXPECT_EQ(map->getNextLevelButton()->getPosition(), cVector2(playAt.x, 2 * 768 - playAt.y));
    EXPECT_EQ(map->getMovableInterfaces()[1]->getPosition(), cVector2(barAt.x, 2 * 768 - barAt.y));
    // Clicks on show-all are ignored until the interface is back.
    EXPECT_EQ(map->getShowAllButton()->getClickCallback(), nullptr);
    ui.click(500, 400);
    ui.run(1.0f);
    EXPECT_FALSE(map->isInterfaceHidden());
    EXPECT_EQ(map->getMainMenuButton()->getPosition(), menuAt);
    EXPECT_EQ(map->getNextLevelButton()->getPosition(), playAt);
    EXPECT_NE(map->getShowAllButton()->getClickCallback(), nullptr);
}

TEST_F(DevelopmentViewTest, OnlyTheCatsFactoryMakesTheCatAndOnlyOnce) {
    start();
    map->open();
    cUnitsFeature* units = map->getModel()->getUnitsFeature();
    EXPECT_FALSE(map->createCatView(units->getUnit(23)));
    EXPECT_EQ(map->getCatView(), nullptr);
    EXPECT_EQ(errorOf([&] { map->getUnitView(nullptr); }), "cDevelopmentView::getUnitView(): model unit is 0");
}

TEST_F(DevelopmentViewTest, ClosingStoresTheHeroinesPlaceAndDestroyingTwiceIsHarmless) {
    start();
    openFromMenu();
    map->getPimbrelModel()->setCurrentPoint(12);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    EXPECT_EQ(Engine::gIntProps["PersonagePoint"], 12);
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 0);
    EXPECT_EQ(map->getPimbrelModel(), nullptr);
    EXPECT_EQ(map->getCatModel(), nullptr);
    map->close();
    // Reopening finds no cat left over.
    map->open();
    EXPECT_NE(map->getCatModel(), nullptr);
}

TEST_F(DevelopmentViewTest, ClosingTheGameWhileThePromptIsUpKeepsTheSavedLevel) {
    start();
    openFromMenu();
    playNextLevel();
    map->setLevelRunning(false);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    openFromMenu();
    ASSERT_NE(map->getSavedLevelPrompt(), nullptr);
    map.reset();
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 1);
    EXPECT_TRUE(Engine::getFileSystem()->exists("profiles/" + profile->getCurrentProfileId() + ".save"));
}

TEST_F(DevelopmentViewTest, TheCatsFactoryMakesTheCatOnceWhateverItsLevelIsRestoredAgain) {
    start();
    // The shipped cats name pictures still to be drawn: the same cats with a picture that exists.
    for (int variant = 0; variant < 3; ++variant) {
        std::string cat = TestMap::shippedBytes(cCatPersonModel::fileName(variant));
        const std::string prefix = "Picture=\"Meadow/Images/Personage/";
        for (size_t at = cat.find(prefix); at != std::string::npos; at = cat.find(prefix, at + 1))
            cat.replace(at, cat.find('"', at + prefix.size()) - at, "Picture=\"Map/Images/Interface/dust.png");
        ui.writeFile(cCatPersonModel::fileName(variant), cat);
    }
    openFromMenu();
    cMeadowUnit* factoryUnit = map->getModel()->getUnitsFeature()->getUnit(24);
    factoryUnit->upgrade(1);
    ASSERT_NE(map->getCatView(), nullptr);
    EXPECT_NE(std::find(sounds.log.begin(), sounds.log.end(), "cat_voice1"), sounds.log.end());
    ASSERT_TRUE(stepUntil([&] { return !map->getUnitViews()[24]->isDropping(); }));
    // Restored once more (a second open of the same progress): still the one cat, no error.
    cCatPersonView* cat = map->getCatView();
    factoryUnit->setLevelAndVariant(1, 1);
    EXPECT_EQ(map->getCatView(), cat);
    EXPECT_FALSE(map->createCatView(factoryUnit));
}

TEST_F(DevelopmentViewTest, ReturningFromTheEditorsLevelKeepsTheOneHeroine) {
    start(true);
    map->open();
    cPersonageModel* heroine = map->getPimbrelModel();
    map->openLevel(0);
    ASSERT_NE(factory.last(), nullptr);
    // The editor is made, set up, shown with its group, and its level started.
    EXPECT_EQ(factory.last()->log, (std::vector<std::string>{"editor", "init", "refresh", "groupFadeIn", "start"}));
    EXPECT_FALSE(map->getController()->isInputLocked());
    map->onLevelCompleted(map->getLevelScreen());
    EXPECT_EQ(map->getPimbrelModel(), heroine);
    EXPECT_EQ(map->getLevelScreen(), nullptr);
    EXPECT_TRUE(map->getLevelButtons()[0]->isEnabled());
}

// The editor's play test replaces the editor by a board screen: the editor's completion, arriving
// after it, leaves the board screen running; the board screen's own completion brings the map back.
TEST_F(DevelopmentViewTest, ACompletionFromAScreenTheMapHasReplacedIsIgnored) {
    start(true);
    map->open();
    map->openLevel(0);
    FakeLevelScreen* editor = factory.last();
    ASSERT_NE(editor, nullptr);
    map->startLevel(0);
    FakeLevelScreen* board = factory.last();
    ASSERT_NE(board, editor);
    EXPECT_TRUE(editor->closed);
    EXPECT_EQ(map->getLevelScreen(), board);

    map->onLevelCompleted(editor);
    map->onLevelCompleted(nullptr);
    EXPECT_EQ(map->getLevelScreen(), board);
    EXPECT_TRUE(map->isLevelRunning());
    EXPECT_EQ(map->getController()->getLevelView(), board);

    map->onLevelCompleted(board);
    EXPECT_EQ(map->getLevelScreen(), nullptr);
    EXPECT_FALSE(map->isLevelRunning());
    EXPECT_EQ(map->getController()->getLevelView(), nullptr);
}

TEST_F(DevelopmentViewTest, ButterfliesComeOnlyWithTheButterflyFactoryAndNeverMoreThanTheMaximum) {
    start();
    openFromMenu();
    ui.run(20.0f);
    EXPECT_EQ(cDevelopmentView::getButterflyCount(), 0);
    map->getModel()->getUnitsFeature()->getUnit(23)->setLevelAndVariant(1, 0);
    size_t most = 0;
    for (int frame = 0; frame < 400; ++frame) {
        ui.step();
        most = std::max(most, map->getButterflies().size());
        EXPECT_EQ(int(map->getButterflies().size()), cDevelopmentView::getButterflyCount());
        for (cButterfly* butterfly : map->getButterflies())
            EXPECT_NEAR(butterfly->getDirection().length(), 1.0f, 1e-4f);
    }
    EXPECT_GT(most, 0u);
    EXPECT_LE(most, 4u);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    EXPECT_EQ(cDevelopmentView::getButterflyCount(), 0);
}

// The count is the program's: a map destroyed with butterflies out must not leave them counted.
TEST_F(DevelopmentViewTest, AMapDestroyedWithItsButterfliesOutLeavesNoneCounted) {
    start();
    openFromMenu();
    map->getModel()->getUnitsFeature()->getUnit(23)->setLevelAndVariant(1, 0);
    // One comes at a chance of 1 in 100 a frame (the model seeds with the time): nearly always in
    // a few hundred frames, but only a few thousand make missing it unlikely.
    for (int frame = 0; frame < 3000 && map->getButterflies().empty(); ++frame)
        ui.step();
    ASSERT_FALSE(map->getButterflies().empty());
    map.reset();
    EXPECT_EQ(cDevelopmentView::getButterflyCount(), 0);
}

TEST_F(DevelopmentViewTest, ARestartReplaysTheLevelOnTheSameBoardAndTheMapButtonComesBack) {
    start();
    openFromMenu();
    FakeLevelScreen* board = playNextLevel();
    ASSERT_NE(board, nullptr);
    const int32_t level = map->getModel()->getCurrentLevel();
    board->log.clear();
    map->restartLevel();
    EXPECT_EQ(board->log, (std::vector<std::string>{"clear", "init restart", "refresh", "start"}));
    EXPECT_EQ(map->getModel()->getCurrentLevel(), level);
    EXPECT_EQ(map->getLevelScreen(), board);
    EXPECT_TRUE(map->isLevelRunning());
    ui.steps(4);
    map->backToMap();
    ASSERT_TRUE(stepUntil([&] { return map->isVisible() && !map->isLevelRunning(); }));
    EXPECT_FALSE(saveExists());
    EXPECT_EQ(map->getUnitViews().size(), 26u);
}

TEST_F(DevelopmentViewTest, LandingDustIsAWiderCopyOfThePrototypeAtThePoint) {
    start();
    openFromMenu();
    auto emitters = [&] {
        std::vector<cParticleEmitter*> found;
        map->forEachChild([&](Engine::cWidget* child) {
            if (auto* emitter = dynamic_cast<cParticleEmitter*>(child))
                found.push_back(emitter);
        });
        return found;
    };
    ASSERT_TRUE(emitters().empty());
    map->startUnitDust(cVector2(300, 200), 196.4f, 200, 14);
    const std::vector<cParticleEmitter*> dust = emitters();
    ASSERT_EQ(dust.size(), 1u);
    EXPECT_EQ(dust[0]->getOrigin(), cVector2(300, 200));
    EXPECT_EQ(dust[0]->getWidthRef(), 200);
    EXPECT_FLOAT_EQ(dust[0]->getPeriod(), map->getUnitDustEffect()->getPeriod() / 2);
    EXPECT_FLOAT_EQ(dust[0]->getPrototype()->getDepth(), 196.4f);
    // It goes by itself once its puffs are gone.
    ASSERT_TRUE(stepUntil([&] { return emitters().empty(); }));
}

// The harness's sound system gives no channels, so each resume starts the music anew.
TEST_F(DevelopmentViewTest, TheMapsMusicStartsOnOpenAndOnResume) {
    start();
    ui.writeFile("Meadow/Sounds/music.ogg", TestMap::shippedBytes("Meadow/Sounds/match1.ogg"));
    ui.writeFile("Meadow/Sounds/GameSounds.xml", "<GameSounds><Sounds><Sound id=\"game_music\" "
                                                 "path=\"Meadow/Sounds/music.ogg\"/></Sounds></GameSounds>");
    auto table = std::make_unique<cGameSounds>();
    ui.sounds().clear();
    map->open();
    EXPECT_EQ(ui.sounds(), (std::vector<std::string>{"music meadow/sounds/music.ogg"}));
    map->resumeMusic();
    EXPECT_EQ(ui.sounds().size(), 2u);
    map->close();
    GameServices::setGameSounds(&sounds);
}

TEST_F(DevelopmentViewTest, LocksLeaveTheNextLevelButtonAndTheInputAloneWhileABoardIsOpen) {
    start();
    openFromMenu();
    auto unknown = TestBuildings::makeUnit(40, 1);
    EXPECT_EQ(errorOf([&] { map->getUnitView(unknown.get()); }),
              "cDevelopmentView::getUnitView(): list of units views hasn't view with id = 40");
    map->lockInterface(true);
    EXPECT_FALSE(map->getNextLevelButton()->isEnabled());
    EXPECT_FALSE(map->getShowAllButton()->isEnabled());
    EXPECT_FALSE(map->getUnitViews()[5]->isEnabled());
    map->lockInterface(false);
    EXPECT_TRUE(map->getNextLevelButton()->isEnabled());
    EXPECT_TRUE(map->getUnitViews()[5]->isEnabled());
    map->lockInput(true);
    EXPECT_FALSE(map->isEnabled());
    map->lockInput(false);
    EXPECT_TRUE(map->isEnabled());

    playNextLevel();
    map->lockInterface(false);
    EXPECT_FALSE(map->getNextLevelButton()->isEnabled());
    map->lockInput(false);
    EXPECT_FALSE(map->isEnabled());
}

// The game closed on a won level, before or after its end effect: the win is kept once and the
// board is not offered again, or resuming it would win it a second time and skip a level.
TEST_F(DevelopmentViewTest, ClosingTheGameOnAWonLevelKeepsTheWinAndSavesNoBoard) {
    start();
    openFromMenu();
    for (const bool endEffectDone : {false, true}) {
        SCOPED_TRACE(endEffectDone ? "after the end effect" : "during the end effect");
        ASSERT_NE(playNextLevel(), nullptr);
        cMeadowModel* model = map->getModel();
        cMeadowController* controller = map->getController();
        const int32_t next = model->getNextAvailableLevel();
        model->addResourcePoints(1, 25);
        const int32_t money = model->getResourcePoints(1);
        model->getComplexCells().clear();
        model->setGoldPrizesLeft(0);
        controller->update(10.0f);
        ASSERT_TRUE(controller->isLevelFinished());
        EXPECT_EQ(model->getNextAvailableLevel(), next);
        if (endEffectDone) {
            controller->update(0.1f);
            ASSERT_EQ(model->getNextAvailableLevel(), next + 1);
        }
        ASSERT_TRUE(map->isLevelRunning());
        const std::string savePath = map->getSaveFilePath();
        map.reset();
        EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 0);
        EXPECT_FALSE(Engine::getFileSystem()->exists(savePath));
        EXPECT_EQ(Engine::gIntProps["NextAvailableLevel"], next + 1);

        // The closed map's widgets go at the next frame.
        ui.steps(2);
        map = std::make_unique<cDevelopmentView>(nullptr, false);
        map->setMainMenu(&menu);
        openFromMenu();
        EXPECT_EQ(map->getSavedLevelPrompt(), nullptr);
        EXPECT_EQ(map->getModel()->getNextAvailableLevel(), next + 1);
        EXPECT_EQ(map->getModel()->getResourcePoints(1), money);
    }
}
