// Trigger numbers, triggers opening waiting cells, hidden pieces, prize cells and pass-down.

#include "game/model/MeadowModel.h"

#include "game/model/Signal.h"
#include "tests/model/BoardBuilder.h"

#include <gtest/gtest.h>

using Engine::cVector2;
using TestModel::thrownText;

namespace {

std::string at(int r, int c) {
    return "(" + std::to_string(r) + "," + std::to_string(c) + ")";
}

TEST(MeadowModel, TriggerNumbersAreHandedOutFromOne) {
    auto model = TestBoard::make({"1"});
    EXPECT_EQ(model->getNextTriggerNumber(), 1);
    model->useTriggerNumber(1);
    model->useTriggerNumber(2);
    EXPECT_EQ(model->getNextTriggerNumber(), 3);
    model->freeTriggerNumber(1);
    EXPECT_EQ(model->getNextTriggerNumber(), 1);
    for (int n = 1; n < 256; ++n)
        model->useTriggerNumber(n);
    EXPECT_EQ(thrownText([&] { model->getNextTriggerNumber(); }),
              "cMeadowModel::getNextTriggerNumber(): there is no free trigger number");
    EXPECT_EQ(thrownText([&] { model->useTriggerNumber(256); }),
              "cMeadowModel::useTriggerNumber(): wrong trigger number: 256");
    EXPECT_EQ(thrownText([&] { model->freeTriggerNumber(-1); }),
              "cMeadowModel::freeTriggerNumber(): wrong trigger number: -1");
}

TEST(MeadowModel, FiredTriggersEnableTheCellsWaitingForThem) {
    auto model = TestBoard::make({"12"});
    model->getCell(0, 1)->setAwaitedTrigger(7);
    EXPECT_TRUE(model->isTriggerFired(0));
    EXPECT_FALSE(model->isTriggerFired(7));
    EXPECT_TRUE(model->getCell(0, 0)->isEnabled());
    EXPECT_FALSE(model->getCell(0, 1)->isEnabled());
    model->getFiredTriggers().push_back(7);
    EXPECT_TRUE(model->isTriggerFired(7));
    EXPECT_TRUE(model->getCell(0, 1)->isEnabled());
}

TEST(MeadowModel, ADestroyedPieceFiresTheFirstTriggerBesideIt) {
    auto model = TestBoard::make({"123", "451", "123"});
    std::vector<std::string> log;
    model->m_hiddenObjectShownSignal.connect(
        [&](cMeadowObjectModel* p) { log.push_back("shown" + at(p->getRow(), p->getColumn())); });
    model->m_prizeCellSignal.connect([&](int32_t r, int32_t c) { log.push_back("prize" + at(r, c)); });
    for (int c : {0, 1}) {
        model->getCell(2, c)->setAwaitedTrigger(7);
        model->getObject(2, c)->setState(cMeadowObjectModel::HIDDEN_STATE);
        model->getObject(2, c)->setFlagB(true);
    }
    model->getCell(2, 0)->setGoldPrizeFlag(true);
    model->getCell(1, 2)->setTriggerNumber(7);
    model->getCell(0, 1)->setTriggerNumber(3);

    EXPECT_EQ(model->getNeighbourPositions(cVector2(1.0f, 1.0f)), cVector2(0.0f, 1.0f)); // 3 comes first
    EXPECT_TRUE(log.empty());
    model->getCell(0, 1)->setTriggerNumber(0);
    EXPECT_EQ(model->getNeighbourPositions(cVector2(1.0f, 1.0f)), cVector2(1.0f, 2.0f));
    EXPECT_EQ(log, (std::vector<std::string>{"shown(2,0)", "shown(2,1)", "prize(2,0)"}));
    EXPECT_EQ(model->getObject(2, 0)->getState(), cMeadowObjectModel::IDLE);
    EXPECT_FALSE(model->getObject(2, 1)->getFlagB());
    EXPECT_EQ(model->getNeighbourPositions(cVector2(0.0f, 0.0f)), cVector2(-1.0f, -1.0f));

    // Trigger 7 fires again from a stale cell: its pieces are no longer hidden.
    EXPECT_EQ(thrownText([&] { model->showHiddenObjects(7); }),
              "cMeadowModel::showHiddenObjects(): object has not HIDDEN_STATE, (2, 0).");
}

TEST(MeadowModel, PrizeCellsTurnTheirPiecesIntoPrizes) {
    auto model = TestBoard::make({"123", "451"});
    model->getCell(0, 0)->setVehicleFlag(true);
    model->getCell(0, 1)->setGoldPrizeFlag(true);
    model->getCell(0, 2)->setGoldPrizeFlag(true);
    model->getCell(0, 2)->setVehicleFlag(true);
    model->getCell(1, 1)->setGoldPrizeFlag(true);
    model->getCell(1, 1)->setAwaitedTrigger(5); // hidden: counted, not converted
    model->convertPrizeCells();
    EXPECT_EQ(TestBoard::draw(*model), (TestBoard::tRows{"123", "VGG"}));
    EXPECT_TRUE(model->getObject(0, 0)->getPrizeFlag());
    EXPECT_FALSE(model->getCell(0, 2)->getVehicleFlag());
    EXPECT_FALSE(model->getCell(0, 2)->getGoldPrizeFlag());
    EXPECT_TRUE(model->getCell(1, 1)->getGoldPrizeFlag());
    EXPECT_EQ(model->getGoldPrizesTotal(), 3);
    EXPECT_EQ(model->getGoldPrizesLeft(), 3);
}

TEST(MeadowModel, PrizePiecesWithNothingOpenBelowPassDown) {
    auto model = TestBoard::make({"12", "34", "51"});
    auto makePrize = [&](int r, int c, int32_t type) {
        cMeadowObjectModel* piece = model->getObject(r, c);
        piece->setPrizeFlag(true);
        piece->setType(type);
        return piece;
    };
    cMeadowObjectModel* vehiclePiece = makePrize(0, 0, 101);
    cMeadowObjectModel* goldOnHidden = makePrize(2, 1, 102);
    makePrize(2, 0, 102);                  // open cells below: stays
    makePrize(1, 0, 102)->setExchanging(); // busy: stays
    for (int r : {0, 1})
        model->getCell(r, 1)->setAwaitedTrigger(6);
    model->setGoldPrizesLeft(2);
    model->getVehiclesFeature()->addVehicle()->setState(cVehicleModel::WAITING);
    std::vector<cMeadowObjectModel*> passed;
    model->m_objectPassedDownSignal.connect([&](cMeadowObjectModel* p) { passed.push_back(p); });

    model->passDownObjects();
    EXPECT_EQ(passed, (std::vector<cMeadowObjectModel*>{vehiclePiece, goldOnHidden}));
    EXPECT_EQ(model->getObject(0, 0), nullptr);
    EXPECT_EQ(model->getObject(2, 1), nullptr);
    EXPECT_EQ(vehiclePiece->getPosition(), cVector2(0.0f, 0.0f));
    EXPECT_EQ(model->getGoldPrizesLeft(), 1);
    EXPECT_EQ(model->getVehiclesFeature()->getActiveVehicle()->getState(), cVehicleModel::LAUNCHED_FRONT);

    // No vehicle is left waiting: the piece still passes down and the game goes on.
    passed.clear();
    model->setObject(0, 0, vehiclePiece);
    EXPECT_NO_THROW(model->testPassDownObjects());
    EXPECT_EQ(passed, (std::vector<cMeadowObjectModel*>{vehiclePiece}));
    EXPECT_EQ(model->getObject(0, 0), nullptr);
    EXPECT_EQ(model->getVehiclesFeature()->getActiveVehicle()->getState(), cVehicleModel::LAUNCHED_FRONT);
}

TEST(MeadowModel, TransientCellFlagsAreCleared) {
    auto model = TestBoard::make({"12", "34"});
    model->getCell(0, 1)->setBlockFlag(true);
    model->getCell(1, 0)->setBlockFlag(true);
    EXPECT_TRUE(model->isCellBlocked(0, 1));
    model->clearTransientCellFlags();
    EXPECT_FALSE(model->getCell(0, 1)->isBlockFlagSet());
    EXPECT_FALSE(model->getCell(1, 0)->isBlockFlagSet());
    EXPECT_EQ(model->getVehicleObjectType(), 101);
    EXPECT_EQ(model->getGoldPrizeObjectType(), 102);
}

} // namespace
