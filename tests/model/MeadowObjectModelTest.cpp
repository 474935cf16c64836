#include "game/model/MeadowObjectModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

TEST(MeadowObjectModel, StartsIdleOffTheBoard) {
    cMeadowObjectModel piece;
    EXPECT_EQ(piece.getState(), cMeadowObjectModel::IDLE);
    EXPECT_FALSE(piece.isValid());
    EXPECT_EQ(piece.getPosition(), Engine::cVector2(-1.0f, -1.0f));
    EXPECT_EQ(piece.getBonusTag(), 0);
    EXPECT_TRUE(piece.isMatchable());
}

TEST(MeadowObjectModel, BusyStatesAreExactlyTheListedOnes) {
    const int busy[] = {1, 3, 6, 8, 10, 11, 12, 13, 14, 18, 19};
    for (int state = 0; state <= 22; ++state) {
        cMeadowObjectModel piece;
        piece.setState(state);
        bool expected = std::find(std::begin(busy), std::end(busy), state) != std::end(busy);
        EXPECT_EQ(piece.isInBusyState(), expected) << state;
        EXPECT_EQ(piece.isBusy(), state != 0) << state;
    }
}

TEST(MeadowObjectModel, StateSettersStoreTheirNumbers) {
    struct {
        void (cMeadowObjectModel::*setter)();
        int state;
    } cases[] = {{&cMeadowObjectModel::setState8, 8},        {&cMeadowObjectModel::setState6, 6},
                 {&cMeadowObjectModel::setAppearing, 5},     {&cMeadowObjectModel::setDescending, 7},
                 {&cMeadowObjectModel::setSentToVehicle, 9}, {&cMeadowObjectModel::setMovingToVehicle, 10},
                 {&cMeadowObjectModel::setCaptured, 11},     {&cMeadowObjectModel::setDestroying, 12},
                 {&cMeadowObjectModel::setMixing, 13},       {&cMeadowObjectModel::setMoving, 15},
                 {&cMeadowObjectModel::setFalling, 16},      {&cMeadowObjectModel::setSliding, 17},
                 {&cMeadowObjectModel::setState18, 18}};
    for (const auto& c : cases) {
        cMeadowObjectModel piece;
        (piece.*c.setter)();
        EXPECT_EQ(piece.getState(), c.state);
    }
}

TEST(MeadowObjectModel, BonusPrizeOrBusyPiecesDoNotMatch) {
    cMeadowObjectModel tagged, prize, busy;
    tagged.setBonusTag(cMeadowObjectModel::BLAST_BONUS);
    prize.setPrizeFlag(true);
    busy.setFalling();
    EXPECT_FALSE(tagged.isMatchable());
    EXPECT_FALSE(prize.isMatchable());
    EXPECT_FALSE(busy.isMatchable());
}

TEST(MeadowObjectModel, SameTypeComparesTypesOnly) {
    cMeadowObjectModel a, b;
    a.setType(4);
    b.setType(4);
    b.setFalling();
    EXPECT_TRUE(a.isSameType(b));
    b.setType(5);
    EXPECT_FALSE(a.isSameType(b));
    a.setHorizontalCount(2);
    a.setVerticalCount(3);
    a.resetCounts();
    EXPECT_EQ(a.getHorizontalCount(), 0);
    EXPECT_EQ(a.getVerticalCount(), 0);
}

} // namespace
