// Cell parts, the blast wave and the lightning on a small board (cells 64 px apart around
// (500, 400)).

#include "tests/level/BonusFixture.h"

#include "engine/core/WidgetSets.h"
#include "engine/gui/Panel.h"
#include "engine/gui/PyroEffect.h"
#include "game/level/field/CellEffect.h"
#include "game/level/field/CellPart.h"
#include "game/level/field/WaveSprite.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowObjectModel.h"

#include <cmath>
#include <memory>

using namespace Engine;
using TestLevel::BonusBoardTest;

class CellEffectsTest : public BonusBoardTest {
protected:
    void writeEffectFiles(const std::string& part) {
        ui.writeFile("fx/part.xml", part);
        ui.writeFile("fx/wave.xml", "<BombCellsEffect deep=\"9\" alpha=\"0\" charge=\"300000\" length=\"0.25\" "
                                    "wave_speed=\"512\" min_offset=\"2\"/>");
        // The cells' sparks live a while, as the shipped ones do, and go by themselves.
        ui.writeFile("fx/lightning.xml",
                     "<LightningEffect time=\"0.5\"><EffectCore pyro_file=\"fx/burst.pfx\"/>"
                     "<EffectCell Enable=\"1\" pyro_file=\"fx/burst.pfx\" LiveTime=\"0.25\"/><AnimPic Visible=\"1\" "
                     "size=\"200,20\" Picture=\"art/icon.tga\"/></LightningEffect>");
        ui.writeFile("Parts/States.xml", "<States><S id=\"wood_part_2\" Picture=\"art/p2.tga\"/><S id=\"iron_part_1\" "
                                         "Picture=\"art/p3.tga\"/></States>");
    }
    void buildEffects(const std::vector<std::string>& rows, const std::string& part = "<Part/>") {
        writeEffectFiles(part);
        buildBonusBoard(rows);
        states.load(ui.layout("Parts/States.xml"));
    }
    // A part under the cell view at (0, 0), offset from its centre.
    cCellPart* makePart(const cVector2& offset) {
        cCellPart* part = new cCellPart(cell(0, 0));
        part->loadXML(ui.layout("fx/part.xml"));
        part->setPosition(cell(0, 0)->getPosition() + offset);
        return part;
    }
};

TEST_F(CellEffectsTest, APartFliesOutwardTurnsFadesAndDeletesItself) {
    buildEffects({"2_1"}, "<Part size=\"10,10\" life_time=\"1\" start_alpha_time=\"0.5\" speed=\"80\" "
                          "angle_speed=\"90\"/>");
    cCellPart* part = makePart(cVector2(3, 4));
    EXPECT_FLOAT_EQ(2.0f, part->getFadeRate());
    cCellPart copy(*part);
    EXPECT_EQ(1.0f, copy.getLifeTime());
    EXPECT_EQ(80.0f, copy.getSpeed());
    part->launch(false);
    EXPECT_FLOAT_EQ(48.0f, part->getVelocity().x);
    EXPECT_FLOAT_EQ(64.0f, part->getVelocity().y);
    const cVector2 start = part->getPosition();
    ui.step(0.25f);
    EXPECT_FLOAT_EQ(start.x + 12.0f, part->getPosition().x);
    EXPECT_FLOAT_EQ(22.5f, part->getAngle());
    EXPECT_EQ(1.0f, part->getAlpha());
    ui.step(0.25f);
    ui.step(0.25f);
    EXPECT_FLOAT_EQ(0.5f, part->getAlpha());
    ui.step(0.25f);
    EXPECT_FALSE(isWidgetAlive(part));
}

TEST_F(CellEffectsTest, APartOnTheCellCentreStaysWithoutANanAndOneFadingAtItsEndNeverFades) {
    buildEffects({"2_1"}, "<Part size=\"10,10\" life_time=\"0.5\" start_alpha_time=\"0.5\" speed=\"80\" "
                          "orto_speed=\"30\" ext_effect_time=\"0.25\" ext_initial_offset=\"10\"/>");
    cCellPart* part = makePart(cVector2(0, 0));
    part->launch(true);
    EXPECT_TRUE(part->isDelayed());
    EXPECT_EQ(cVector2(0, 0), part->getVelocity());
    ui.step(0.25f);
    EXPECT_FALSE(part->isDelayed());
    ui.step(0.25f);
    EXPECT_FALSE(std::isnan(part->getPosition().x));
    EXPECT_EQ(cell(0, 0)->getPosition(), part->getPosition());
    EXPECT_EQ(1.0f, part->getAlpha());
    ui.step(0.25f);
    EXPECT_FALSE(isWidgetAlive(part));
}

TEST_F(CellEffectsTest, PartsTakeTheLookOfTheirCellTypeAndASimpleCellDoesNotBreak) {
    buildEffects({"2_1"});
    cCellPart* part = makePart(cVector2(1, 0));
    part->setVisualState(2, 2, *board);
    EXPECT_EQ(board->getVisualState("wood_part_2").getPicture(), part->getPicture());
    part->setVisualState(3, 1, *board);
    EXPECT_EQ(board->getVisualState("iron_part_1").getPicture(), part->getPicture());
    EXPECT_THROW(part->setVisualState(1, 0, *board), std::string);
}

TEST_F(CellEffectsTest, TheWavePushesFartherPiecesLaterAndPutsEachBackExactlyOnItsCell) {
    buildEffects({"1_1_1_1_1_1_1_1"});
    cWaveSprite wave(field.get(), field.get());
    wave.loadXML(ui.layout("fx/wave.xml"));
    for (int column = 0; column < 8; ++column)
        board->getGameObjectView(model->getObject(0, column))->setPosition(field->getCellPosition(0, column));
    wave.start(0, 0, 1, 8);
    // 300000 / d² px: 2.03 at six cells (384 px) is pushed, 1.49 at seven cells is not; the
    // blast cell itself has no direction.
    ASSERT_EQ(6u, wave.getEntries().size());
    EXPECT_EQ(1, wave.getEntries().front().column);
    EXPECT_EQ(6, wave.getEntries().back().column);
    EXPECT_FLOAT_EQ(0.75f, wave.getLastDelay());
    EXPECT_EQ(cWaveSprite::BLAST_WAVE, model->getObject(0, 1)->getState());
    EXPECT_EQ(int(cMeadowObjectModel::IDLE), model->getObject(0, 7)->getState());
    cMeadowObjectView* near = board->getGameObjectView(model->getObject(0, 1));
    const cVector2 home = field->getCellPosition(0, 1);
    // The push reaches one cell away after 0.125 s and is full midway through the swing.
    ui.step(0.125f);
    EXPECT_EQ(home, near->getPosition());
    ui.step(0.125f);
    EXPECT_NEAR(home.x + 300000.0f / (64.0f * 64.0f), near->getPosition().x, 1e-3f);
    wave.start(0, 3, 1, 8);
    EXPECT_FLOAT_EQ(0.75f, wave.getLastDelay());
    ui.step(0.125f);
    ui.step(0.125f);
    EXPECT_EQ(home, near->getPosition());
    EXPECT_EQ(int(cMeadowObjectModel::IDLE), model->getObject(0, 1)->getState());
    ui.run(1.0f);
    EXPECT_FALSE(wave.isActive());
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(field->getCellPosition(0, column),
                  board->getGameObjectView(model->getObject(0, column))->getPosition());
        EXPECT_EQ(int(cMeadowObjectModel::IDLE), model->getObject(0, column)->getState());
    }
    // A new wave from a middle cell has its own, shorter last delay.
    wave.start(0, 4, 1, 8);
    EXPECT_FLOAT_EQ(0.5f, wave.getLastDelay());
}

TEST_F(CellEffectsTest, TheSwingIsZeroAtBothEndsAndFullMidway) {
    EXPECT_EQ(0.0f, cWaveSprite::swing(0.0f));
    EXPECT_NEAR(0.0f, cWaveSprite::swing(1.0f), 1e-6f);
    EXPECT_FLOAT_EQ(1.0f, cWaveSprite::swing(0.5f));
    EXPECT_GT(cWaveSprite::swing(0.9f), 0.0f);
}

TEST_F(CellEffectsTest, ARowLightningStopsItsSparksAtADisabledCellAndRestoresEveryTouchedCell) {
    buildEffects({"1_1_0_1_1"});
    cCellEffect prototype(field.get(), model.get());
    prototype.loadXML(ui.layout("fx/lightning.xml"));
    EXPECT_EQ(100.0f, prototype.getHalfBeam());
    EXPECT_FALSE(prototype.getCellSpark()->isVisible());
    cCellEffect* effect = new cCellEffect(prototype);
    effect->start(cell(0, 0), cMeadowObjectModel::ROW_LIGHTNING_BONUS);
    // From the board's left edge only to the right: column 1 lit, column 2 is a hole, the
    // cells behind it touched only.
    ASSERT_EQ(1u, effect->getLitCells().size());
    EXPECT_EQ(cell(0, 1), effect->getLitCells()[0]);
    EXPECT_EQ(5u, effect->getTouchedCells().size());
    EXPECT_EQ(cCellEffect::LIT_RENDER_TYPE, cell(0, 1)->getRenderType());
    EXPECT_EQ(cCellEffect::TOUCHED_RENDER_TYPE, cell(0, 3)->getRenderType());
    EXPECT_EQ(cCellEffect::LIT_RENDER_TYPE, cell(0, 0)->getRenderType());
    const cVector2 at = cell(0, 0)->getPosition();
    EXPECT_EQ(cVector2(at.x + 100, at.y), effect->getBeamA()->getPosition());
    EXPECT_EQ(cVector2(at.x - 100, at.y), effect->getBeamB()->getPosition());
    EXPECT_TRUE(effect->getBeamB()->getInverseX());
    ui.step(0.25f);
    EXPECT_TRUE(effect->isActive());
    ui.step(0.25f);
    EXPECT_FALSE(isWidgetAlive(effect));
    for (int column : {0, 1, 3, 4})
        EXPECT_EQ(0u, cell(0, column)->getRenderType()) << column;
}

TEST_F(CellEffectsTest, ACrossLightningIsAColumnAndARowEffectAndALevelClosedMeanwhileIsLeftAlone) {
    buildEffects({"1_1_1", "1_1_1", "1_1_1"});
    cCellEffect prototype(field.get(), model.get());
    prototype.loadXML(ui.layout("fx/lightning.xml"));
    cCellEffect* column = new cCellEffect(prototype);
    cCellEffect* row = new cCellEffect(prototype);
    column->start(cell(1, 1), cMeadowObjectModel::COLUMN_LIGHTNING_BONUS);
    row->start(cell(1, 1), cMeadowObjectModel::ROW_LIGHTNING_BONUS);
    EXPECT_EQ(2u, column->getLitCells().size());
    EXPECT_EQ(cell(0, 1), column->getLitCells()[0]);
    EXPECT_EQ(-90.0f, column->getBeamA()->getAngle());
    EXPECT_EQ(2u, row->getLitCells().size());
    // The board goes with its cell views before the lightning ends (the board screen first: it
    // asks its field every frame).
    board.reset();
    field.reset();
    EXPECT_NO_THROW(ui.run(1.0f));
    EXPECT_FALSE(isWidgetAlive(column));
    EXPECT_FALSE(isWidgetAlive(row));
}
