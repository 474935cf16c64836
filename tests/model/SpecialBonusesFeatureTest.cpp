// Bonus pieces going off: blasts, lightnings and the chains between them.

#include "game/model/SpecialBonusesFeature.h"

#include "game/model/GameServices.h"
#include "game/model/Signal.h"
#include "tests/model/BoardBuilder.h"
#include "tests/model/fakes/FakeGameSounds.h"

#include <gtest/gtest.h>

namespace {

// A board whose signals are written down as "blast(r,c,done)", "lightning(r,c)",
// "cell(r,c)" and "lit(r,c)", and whose sounds go to a recording fake.
class SpecialBonusesFeatureTest : public ::testing::Test {
protected:
    void SetUp() override { GameServices::setGameSounds(&m_sounds); }
    void TearDown() override { GameServices::setGameSounds(nullptr); }

    void make(const TestBoard::tRows& rows) {
        m_model = TestBoard::make(rows);
        auto at = [](int r, int c) { return "(" + std::to_string(r) + "," + std::to_string(c) + ")"; };
        m_model->m_blastBonusSignal.connect([=](cMeadowObjectModel* p, bool done) {
            m_log.push_back("blast" + at(p->getRow(), p->getColumn()) + (done ? "done" : ""));
        });
        m_model->m_lightningBonusSignal.connect(
            [=](cMeadowObjectModel* p, bool) { m_log.push_back("lightning" + at(p->getRow(), p->getColumn())); });
        m_model->m_cellBlastedSignal.connect(
            [=](cCellModel* cell) { m_log.push_back("cell" + at(cell->getRow(), cell->getColumn())); });
        m_model->m_cellLightningSignal.connect(
            [=](cCellModel* cell) { m_log.push_back("lit" + at(cell->getRow(), cell->getColumn())); });
    }

    cMeadowObjectModel* tag(int r, int c, int32_t bonus) {
        cMeadowObjectModel* piece = m_model->getObject(r, c);
        piece->setType(bonus);
        piece->setBonusTag(bonus);
        return piece;
    }

    bool setOff(int r, int c) { return cSpecialBonusesFeature::testObject(m_model.get(), m_model->getObject(r, c)); }

    std::unique_ptr<cMeadowModel> m_model;
    std::vector<std::string> m_log;
    TestFakes::FakeGameSounds m_sounds;
};

using tLog = std::vector<std::string>;

TEST_F(SpecialBonusesFeatureTest, BlastInACornerHitsItsThreeNeighbours) {
    make({"123", "451", "123"});
    cMeadowObjectModel* bomb = tag(0, 0, cMeadowObjectModel::BLAST_BONUS);
    EXPECT_TRUE(setOff(0, 0));
    EXPECT_EQ(m_log, (tLog{"blast(0,0)", "cell(1,0)", "cell(1,1)", "cell(0,1)", "blast(0,0)done"}));
    EXPECT_EQ(bomb->getState(), cMeadowObjectModel::BLASTED);
    EXPECT_EQ(m_sounds.count("play(simple_match)"), 1);
}

TEST_F(SpecialBonusesFeatureTest, BlastPassesOverCellsThatAreNotEnabled) {
    make({"123", "451", "123"});
    tag(1, 1, cMeadowObjectModel::BLAST_BONUS);
    m_model->getCell(2, 1)->setAwaitedTrigger(4);
    m_model->getCell(0, 0)->setType(0);
    setOff(1, 1);
    EXPECT_EQ(m_log, (tLog{"blast(1,1)", "cell(1,0)", "cell(2,0)", "cell(2,2)", "cell(1,2)", "cell(0,2)", "cell(0,1)",
                           "blast(1,1)done"}));
}

TEST_F(SpecialBonusesFeatureTest, LightningsRunToTheFirstClosedCell) {
    struct Case {
        int32_t bonus;
        tLog log;
    } cases[] = {
        {cMeadowObjectModel::ROW_LIGHTNING_BONUS, {"lightning(2,1)", "lit(2,0)", "lit(2,2)"}},
        {cMeadowObjectModel::COLUMN_LIGHTNING_BONUS, {"lightning(2,1)", "lit(1,1)", "lit(0,1)", "lit(3,1)"}},
        {cMeadowObjectModel::CROSS_LIGHTNING_BONUS,
         {"lightning(2,1)", "lit(2,0)", "lit(2,2)", "lit(1,1)", "lit(0,1)", "lit(3,1)"}},
    };
    for (const Case& k : cases) {
        make({"1234", "1234", "1234", "1234"});
        m_log.clear();
        m_model->getCell(2, 3)->setAwaitedTrigger(6); // waits: stops the row and hides (2, 4) beyond
        tag(2, 1, k.bonus);
        EXPECT_TRUE(setOff(2, 1));
        EXPECT_EQ(m_log, k.log) << k.bonus;
    }
}

TEST_F(SpecialBonusesFeatureTest, HitBonusPiecesGoOffInAChainWithoutACellSignal) {
    make({"1234", "1234"});
    tag(0, 0, cMeadowObjectModel::BLAST_BONUS);
    tag(0, 1, cMeadowObjectModel::ROW_LIGHTNING_BONUS);
    setOff(0, 0);
    EXPECT_EQ(m_log, (tLog{"blast(0,0)", "cell(1,0)", "cell(1,1)", "lightning(0,1)", "lit(0,2)", "lit(0,3)",
                           "blast(0,0)done"}));
    EXPECT_EQ(m_sounds.count("play(simple_match)"), 2);
}

TEST_F(SpecialBonusesFeatureTest, NeighbouringBlastsSetEachOtherOffOnceEach) {
    make({"12", "12"});
    tag(0, 0, cMeadowObjectModel::BLAST_BONUS);
    tag(0, 1, cMeadowObjectModel::BLAST_BONUS);
    EXPECT_TRUE(setOff(0, 0));
    EXPECT_EQ(m_log, (tLog{"blast(0,0)", "cell(1,0)", "cell(1,1)", "blast(0,1)", "cell(1,0)", "cell(1,1)",
                           "blast(0,1)done", "blast(0,0)done"}));
    EXPECT_FALSE(setOff(0, 1)); // already gone off
}

TEST_F(SpecialBonusesFeatureTest, PiecesBeingDestroyedOrWithoutATagDoNotGoOff) {
    make({"123"});
    tag(0, 0, cMeadowObjectModel::BLAST_BONUS);
    tag(0, 1, cMeadowObjectModel::BLAST_BONUS)->setDestroying();
    EXPECT_FALSE(setOff(0, 1));
    EXPECT_FALSE(setOff(0, 2));
    tag(0, 2, 205);
    EXPECT_FALSE(setOff(0, 2));
    EXPECT_EQ(m_model->getObject(0, 2)->getState(), cMeadowObjectModel::IDLE);
    EXPECT_FALSE(cSpecialBonusesFeature::testObject(m_model.get(), nullptr));
    EXPECT_TRUE(m_log.empty());
    setOff(0, 0);
    EXPECT_EQ(m_log, (tLog{"blast(0,0)", "cell(0,1)", "blast(0,0)done"}));
}

TEST_F(SpecialBonusesFeatureTest, NothingToHitPlaysNoSound) {
    make({"1"});
    tag(0, 0, cMeadowObjectModel::CROSS_LIGHTNING_BONUS);
    EXPECT_TRUE(setOff(0, 0));
    EXPECT_EQ(m_log, tLog{"lightning(0,0)"});
    EXPECT_EQ(m_sounds.count("play(simple_match)"), 0);
}

} // namespace
