// Matched figures: positions, matched state and the bonuses the level screen puts on them.

#include "game/model/MeadowFigure.h"

#include "tests/model/BoardBuilder.h"

#include <gtest/gtest.h>

using Engine::cVector2;
using TestModel::thrownText;

namespace {

cMeadowFigure rowFigure(cMeadowModel& model, int row) {
    cMeadowFigure figure(&model, true);
    for (int c = 0; c < model.getColumns(); ++c)
        figure.addObject(model.getObject(row, c));
    return figure;
}

TEST(MeadowFigure, StartsEmptyAndKeepsPositions) {
    auto model = TestBoard::make({"111"});
    cMeadowFigure figure(model.get(), false);
    EXPECT_EQ(figure.getType(), 0);
    EXPECT_FALSE(figure.getFlag());
    EXPECT_FALSE(figure.isRowFigure());
    EXPECT_EQ(figure.getBonusPosition(), cVector2(-1.0f, -1.0f));
    EXPECT_EQ(figure.getBonusObject(), nullptr);
    figure = rowFigure(*model, 0);
    figure.setPosition(1, -1.0f, -1.0f);
    EXPECT_EQ(figure.getPosition(1), cVector2(-1.0f, -1.0f));
    EXPECT_EQ(figure.getPosition(2), cVector2(0.0f, 2.0f));
    EXPECT_EQ(thrownText([&] { figure.getPosition(3); }), "cMeadowFigure::getPosition(): index in figure is wrong: 3");
    EXPECT_EQ(thrownText([&] { figure.setPosition(-1, 0, 0); }),
              "cMeadowFigure::setPosition(): index in figure is wrong: -1");
}

TEST(MeadowFigure, MatchedStateReachesThePiecesStillListed) {
    auto model = TestBoard::make({"1111"});
    cMeadowFigure figure = rowFigure(*model, 0);
    figure.setPosition(3, -1.0f, -1.0f);
    figure.setMatchedState();
    EXPECT_EQ(TestBoard::states(*model), TestBoard::tRows{"XXX-"});
}

TEST(MeadowFigure, BonusGoesOnceOnAnOpenPieceAtTheBonusPosition) {
    struct Case {
        const char* name;
        int state;
        bool blocked;
        bool put;
    } cases[] = {{"idle", cMeadowObjectModel::IDLE, false, true},
                 {"matched", cMeadowObjectModel::MATCHED, false, true},
                 {"state 3", cMeadowObjectModel::STATE_3, false, false},
                 {"destroying", cMeadowObjectModel::DESTROYING, false, false},
                 {"locked cell", cMeadowObjectModel::IDLE, true, false}};
    for (const Case& k : cases) {
        auto model = TestBoard::make({"1111"});
        cMeadowFigure figure = rowFigure(*model, 0);
        cMeadowObjectModel* target = model->getObject(0, 1);
        target->setState(k.state);
        if (k.blocked)
            model->getCell(0, 1)->setLocks(1);
        figure.setBonus(cMeadowObjectModel::BLAST_BONUS); // no bonus position yet
        EXPECT_EQ(figure.getBonusObject(), nullptr) << k.name;
        figure.setBonusPosition(cVector2(0.0f, 1.0f));
        figure.setBonus(cMeadowObjectModel::BLAST_BONUS);
        EXPECT_EQ(figure.getBonusObject(), k.put ? target : nullptr) << k.name;
        EXPECT_EQ(target->getBonusTag(), k.put ? 201 : 0) << k.name;
        EXPECT_EQ(target->getType(), k.put ? 201 : 1) << k.name;
    }

    auto model = TestBoard::make({"1111"});
    cMeadowFigure figure = rowFigure(*model, 0);
    figure.setBonusPosition(cVector2(0.0f, 1.0f));
    figure.setBonus(cMeadowObjectModel::BLAST_BONUS);
    figure.setBonusPosition(cVector2(0.0f, 2.0f));
    figure.setBonus(cMeadowObjectModel::ROW_LIGHTNING_BONUS);
    EXPECT_EQ(TestBoard::draw(*model), TestBoard::tRows{"1B11"});
}

TEST(MeadowFigure, CrossLightningReplacesTheBonusPiece) {
    auto model = TestBoard::make({"11111"});
    cMeadowFigure figure = rowFigure(*model, 0);
    figure.setBonusPosition(cVector2(0.0f, 0.0f));
    figure.setBonus(cMeadowObjectModel::ROW_LIGHTNING_BONUS);
    figure.setCrossLightningBonus(2);
    EXPECT_EQ(TestBoard::draw(*model), TestBoard::tRows{"R1X11"});
    EXPECT_EQ(figure.getBonusObject(), model->getObject(0, 2));
    EXPECT_EQ(model->getObject(0, 2)->getBonusTag(), 204);

    EXPECT_EQ(thrownText([&] { figure.setCrossLightningBonus(5); }),
              "cMeadowFigure::setCrossLightningBonus(): index in figure is wrong: 5");
    figure.setPosition(4, -1.0f, 3.0f);
    EXPECT_EQ(thrownText([&] { figure.setCrossLightningBonus(4); }),
              "cMeadowFigure::setCrossLightningBonus(): invalid position of object");
}

} // namespace
