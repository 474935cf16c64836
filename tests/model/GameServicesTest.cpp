// The game shell's and the screens' services as the model and the controller reach them,
// with the recording fakes the controller's tests drive them through.

#include "game/model/GameServices.h"

#include "game/model/MeadowObjectModel.h"
#include "game/model/VehicleModel.h"

#include "tests/model/fakes/FakeAwardManager.h"
#include "tests/model/fakes/FakeBonusEffect.h"
#include "tests/model/fakes/FakeCellView.h"
#include "tests/model/fakes/FakeDevelopmentView.h"
#include "tests/model/fakes/FakeGameSounds.h"
#include "tests/model/fakes/FakeLevelView.h"
#include "tests/model/fakes/FakeMainMenu.h"
#include "tests/model/fakes/FakeMatchStatistics.h"
#include "tests/model/fakes/FakePieceView.h"
#include "tests/model/fakes/FakeTutorialManager.h"
#include "tests/model/fakes/FakeVehicleView.h"

#include <gtest/gtest.h>

namespace {

TEST(GameServices, MissingServicesAreNullUntilRegistered) {
    EXPECT_EQ(GameServices::getGameSounds(), nullptr);
    EXPECT_EQ(GameServices::getTutorialManager(), nullptr);
    EXPECT_EQ(GameServices::getMatchStatistics(), nullptr);
    TestFakes::FakeGameSounds sounds;
    TestFakes::FakeTutorialManager tutorial;
    TestFakes::FakeMatchStatistics statistics;
    GameServices::setGameSounds(&sounds);
    GameServices::setTutorialManager(&tutorial);
    GameServices::setMatchStatistics(&statistics);
    GameServices::getGameSounds()->play("buy_unit");
    GameServices::getTutorialManager()->setTipShown(2);
    GameServices::getMatchStatistics()->countFigure(4);
    EXPECT_EQ(sounds.calls(), (std::vector<std::string>{"play(buy_unit)"}));
    EXPECT_EQ(tutorial.calls(), (std::vector<std::string>{"setTipShown(2)"}));
    EXPECT_EQ(statistics.getCounter(1), 1);
    GameServices::setGameSounds(nullptr);
    GameServices::setTutorialManager(nullptr);
    GameServices::setMatchStatistics(nullptr);
    EXPECT_EQ(GameServices::getGameSounds(), nullptr);
}

TEST(GameServices, TheAwardManagerComesFromTheShellsFactory) {
    EXPECT_EQ(GameServices::createAwardManager(), nullptr);
    GameServices::setAwardManagerFactory([] { return std::make_unique<TestFakes::FakeAwardManager>(); });
    std::unique_ptr<IAwardManager> awards = GameServices::createAwardManager();
    EXPECT_NE(awards, nullptr);
    GameServices::setAwardManagerFactory(nullptr);

    TestFakes::FakeMainMenu menu;
    menu.m_playTime = 90.0f;
    GameServices::setMainMenu(&menu);
    EXPECT_FLOAT_EQ(GameServices::getMainMenu()->getPlayTime(), 90.0f);
    GameServices::setMainMenu(nullptr);
    EXPECT_FALSE(GameServices::isQuitting());
    GameServices::setQuitting(true);
    EXPECT_TRUE(GameServices::isQuitting());
    GameServices::setQuitting(false);
}

TEST(GameServices, FakesRecordTheCallsTheyReceive) {
    cMeadowObjectModel piece;
    TestFakes::FakePieceView pieceView(&piece);
    TestFakes::FakeLevelView level;
    level.setView(&piece, &pieceView);
    ILevelView& view = level;
    view.setInputLocked(true);
    EXPECT_EQ(view.getGameObjectView(&piece), &pieceView);
    view.crashCell(Engine::cVector2(2.0f, 1.0f), nullptr);
    IBonusEffect* effect41 = view.createBonusEffect(41);
    EXPECT_EQ(effect41->getBonusType(), 41);
    view.deleteBonusEffect(effect41);
    EXPECT_EQ(level.calls(), (std::vector<std::string>{"setInputLocked(true)", "getGameObjectView()", "crashCell(2, 1)",
                                                       "createBonusEffect(41)", "deleteBonusEffect(41)"}));
    IPieceView& p = pieceView;
    p.detachInput();
    p.setVisible(false);
    EXPECT_EQ(p.getObject(), &piece);
    EXPECT_FALSE(p.isVisible());

    TestFakes::FakeBonusEffect effect(41);
    IBonusEffect& e = effect;
    e.setTargetCell(Engine::cVector2(1.0f, 3.0f));
    e.setImmediate(true);
    e.apply();
    EXPECT_EQ(e.getTargetCell(), Engine::cVector2(1.0f, 3.0f));
    EXPECT_EQ(effect.calls(), (std::vector<std::string>{"setTargetCell(1, 3)", "setImmediate(true)", "apply()"}));

    TestFakes::FakeDevelopmentView development;
    static_cast<IDevelopmentView&>(development).lockInterface(false);
    EXPECT_EQ(development.count("lockInterface(false)"), 1);

    TestFakes::FakeAwardManager awards;
    awards.m_thresholds[3] = 250.0f;
    IAwardManager& a = awards;
    a.checkAwardXinRow(5);
    a.checkAwardMaxUpgrade(true);
    EXPECT_FLOAT_EQ(a.getThreshold(3), 250.0f);
    EXPECT_EQ(awards.calls(), (std::vector<std::string>{"checkAwardXinRow(5)", "checkAwardMaxUpgrade(true)"}));

    TestFakes::FakeCellView cell(4, 2);
    EXPECT_EQ(static_cast<ICellView&>(cell).getRow(), 4);
    cVehicleModel vehicle(3);
    TestFakes::FakeVehicleView vehicleView(&vehicle);
    EXPECT_EQ(static_cast<IVehicleView&>(vehicleView).getVehicle(), &vehicle);
}

} // namespace
