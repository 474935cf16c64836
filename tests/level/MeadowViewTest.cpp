// The board screen's piece half: one prototype per type, one view per piece cloned by the copy
// rules, looks by type, the owner's named looks, the crush-effect index, the money text, and the
// layout keys refused as divisors.

#include "tests/level/LevelFixture.h"

#include "engine/core/WidgetSets.h"
#include "engine/gui/Label.h"
#include "engine/gui/PyroEffect.h"
#include "engine/gui/TextButton.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/FlyingNumber.h"
#include "game/model/CellModel.h"

#include <cmath>

using namespace Engine;
using TestLevel::BoardTest;

class MeadowViewTest : public BoardTest {};

TEST_F(MeadowViewTest, OnePrototypePerLevelTypeAndSpecialTypeEachWithItsLook) {
    build({"1_1_1", "1_1_1"});
    std::vector<int> types;
    for (auto& entry : board->getObjectPrototypes()) {
        types.push_back(entry.first);
        EXPECT_FALSE(entry.second->isVisible());
        EXPECT_FALSE(entry.second->isEnabled());
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 201}), types);
    const cVisual blast = board->getLevelObjectState(201);
    EXPECT_EQ(4u, blast.getFramesCount());
    EXPECT_THROW(board->getLevelObjectState(9), std::string);
}

TEST_F(MeadowViewTest, EachPieceGetsOneViewClonedFromItsTypePrototype) {
    build({"1_1_1", "1_1_1"});
    cMeadowObjectModel* piece = model->getObject(1, 2);
    cMeadowObjectView* view = board->getGameObjectView(piece);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(view, board->getGameObjectView(piece));
    EXPECT_EQ(6u, board->getObjectViews().size());
    EXPECT_EQ(piece, view->getObject());
    EXPECT_EQ(field.get(), view->getFieldView());
    EXPECT_TRUE(view->isEnabled());
    EXPECT_FALSE(view->getPlayAnimation());
    EXPECT_EQ(board->getObjectPrototypes().at(piece->getType())->getPicture(), view->getPicture());
    // A piece that changed type is shown with its new look.
    piece->setType(piece->getType() == 1 ? 2 : 1);
    board->getGameObjectView(piece);
    EXPECT_EQ(board->getObjectPrototypes().at(piece->getType())->getPicture(), view->getPicture());
    // A type without prototype makes no view.
    cMeadowObjectModel loose;
    loose.setType(9);
    EXPECT_EQ(nullptr, board->getGameObjectView(&loose));
}

TEST_F(MeadowViewTest, ClonesCopyTheLayoutValuesButNotTheBindingAndOwnTheirPanels) {
    build({"1_1_1", "1_1_1"});
    cMeadowObjectView* proto = board->getObjectProto();
    EXPECT_EQ(cVector2(50, 50), proto->getBaseSize());
    EXPECT_EQ(cVector2(200, 200), proto->getGrowRate());   // 50 / 0.25
    EXPECT_EQ(cVector2(100, 100), proto->getShrinkRate()); // 50 / 0.5
    EXPECT_FLOAT_EQ(float(4 * M_PI), proto->getShakeOmega());
    EXPECT_FLOAT_EQ(4, proto->getPulseK());                        // (2 - 1) / 0.25
    EXPECT_FLOAT_EQ(0.5f + std::sqrt(0.5f), proto->getPulseEnd()); // T + sqrt(P / k)
    EXPECT_FLOAT_EQ(0.5f, proto->getNewLevelMaxDelay());
    proto->setTargetPosition(cVector2(7, 7));
    proto->setModel(model->getObject(0, 0));

    cMeadowObjectView copy(*proto);
    EXPECT_EQ(nullptr, copy.getObject());
    EXPECT_EQ(cVector2(0, 0), copy.getTargetPosition());
    EXPECT_EQ(cVector2(50, 50), copy.getBaseSize());
    EXPECT_FLOAT_EQ(300, copy.getFallingSpeed());
    EXPECT_FLOAT_EQ(0.5f, copy.getNewLevelMaxDelay());
    EXPECT_FALSE(copy.isInputAttached());
    ASSERT_NE(proto->getDecoration(), copy.getDecoration());
    EXPECT_EQ(&copy, copy.getDecoration()->getParent());
    EXPECT_EQ(&copy, copy.getOverlay()->getParent());
    EXPECT_EQ(9u, copy.getOverlay()->getRenderType());
    EXPECT_FLOAT_EQ(5.001f, copy.getOverlay()->getDepth());
    EXPECT_NEAR(0.5f, copy.getOverlay()->getColor().a, 0.01f); // "80FF0000"
    EXPECT_FALSE(copy.getOverlay()->isVisible());
    proto->setModel(nullptr);
}

TEST_F(MeadowViewTest, NamedLooksComeFromTheOwner) {
    build({"1"});
    EXPECT_EQ(states.getVisualState("wood1").getPicture(), board->getVisualState("wood1").getPicture());
    EXPECT_THROW(board->getVisualState("nothing"), std::string);
}

TEST_F(MeadowViewTest, CrushEffectIndexIsCheckedAgainstTheLayoutsEffects) {
    build({"1"});
    EXPECT_EQ(4u, board->getMatchEffectCount());
    // Each call hands out a fresh root copy of the layout's effect, idle until played.
    std::unique_ptr<cPyroEffect> first(board->getCellCrushAnimation(3));
    std::unique_ptr<cPyroEffect> second(board->getCellCrushAnimation(3));
    ASSERT_NE(nullptr, first);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(nullptr, first->getParent());
    EXPECT_EQ("fx/burst.pfx", first->getFileName());
    EXPECT_FALSE(first->isPlaying());
    for (int index : {4, -1}) {
        try {
            board->getCellCrushAnimation(index);
            FAIL() << index;
        } catch (const std::string& error) {
            EXPECT_EQ("cMeadowView::getCellCrushAnimation(): effect index is wrong: " + std::to_string(index), error);
        }
    }
}

TEST_F(MeadowViewTest, InvalidPiecesAreHiddenUnlessTheyAreBeingDestroyed) {
    build({"1_1"});
    for (auto& entry : board->getObjectViews())
        entry.second->show();
    cMeadowObjectModel* gone = model->getObject(0, 0);
    cMeadowObjectModel* dying = model->getObject(0, 1);
    gone->isValid() = false;
    dying->isValid() = false;
    dying->setDestroying();
    board->hideInvalidObjectViews();
    EXPECT_FALSE(board->getGameObjectView(gone)->isVisible());
    EXPECT_TRUE(board->getGameObjectView(dying)->isVisible());
    board->setObjectViewsEnabled(false);
    EXPECT_FALSE(board->getObjectViews().at(gone)->isEnabled());
}

TEST_F(MeadowViewTest, ABonusPieceShowsAtItsCellAndTakesInput) {
    build({"1_1"});
    cMeadowObjectModel* piece = model->getObject(0, 1);
    board->showBonusObject(piece);
    cMeadowObjectView* view = board->getObjectViews().at(piece);
    EXPECT_EQ(field->getCellPosition(0, 1), view->getPosition());
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(view->isInputAttached());
    view->detachInput();
}

TEST_F(MeadowViewTest, LayoutKeysUsedAsDivisorsAreRefusedWithTheirName) {
    const struct {
        const char* key;
        const char* value;
    } cases[] = {{"match_effect_time", "0"}, {"destroy_effect_time", "0"}, {"shake_period", "0"},
                 {"inc_size_time", "0"},     {"sinus_move_speed", "0"},    {"inc_size_param", "1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        TestSupport::UiHarness harness;
        // The attribute given twice would be malformed XML: the case's value replaces the default.
        std::string proto = TestLevel::pieceProto();
        const std::string key = std::string(c.key) + "=\"";
        const size_t at = proto.find(key);
        if (at != std::string::npos)
            proto.replace(at + key.size(), proto.find('"', at + key.size()) - at - key.size(), c.value);
        else
            proto.insert(proto.find(' '), " " + key + c.value + "\"");
        harness.writeFile("Meadow/View/MeadowView.xml", TestLevel::meadowViewXml(proto));
        harness.writePicture("art/bee.tga", 2, 2, 0xFF808080u);
        harness.writePicture("art/icon.tga", 2, 2, 0xFF808080u);
        TestLevel::writeBoardPanels(harness);
        harness.start();
        TestLevel::TestStates owner;
        try {
            cMeadowView view(&owner, nullptr, nullptr);
            FAIL() << "accepted";
        } catch (const std::string& error) {
            EXPECT_NE(std::string::npos, error.find(std::string("\"") + c.key + "\"")) << error;
            EXPECT_NE(std::string::npos, error.find("meadow/view/meadowview.xml")) << error;
        }
    }
}

TEST_F(MeadowViewTest, TheNextMoveHintUsesTheRowOrColumnPromptAtTheMidpoint) {
    build({"1_1", "1_1"});
    // Both prompts are started by the layout and wait hidden.
    EXPECT_FALSE(board->getPromptHoriz()->isVisible());
    EXPECT_FALSE(board->getPromptVert()->isVisible());
    const struct {
        cVector2 a, b;
        bool horizontal;
    } cases[] = {{cVector2(0, 0), cVector2(0, 1), true}, {cVector2(1.5f, 1.0f), cVector2(0, 1), false}};
    for (const auto& c : cases) {
        board->showNextMove(c.a, c.b);
        cPyroEffect* shown = c.horizontal ? board->getPromptHoriz() : board->getPromptVert();
        cPyroEffect* other = c.horizontal ? board->getPromptVert() : board->getPromptHoriz();
        const cVector2 pa = field->getCellPosition(int(c.a.x), int(c.a.y));
        const cVector2 pb = field->getCellPosition(int(c.b.x), int(c.b.y));
        EXPECT_EQ(shown, board->getCurrentPrompt());
        EXPECT_TRUE(shown->isVisible());
        EXPECT_FALSE(other->isVisible());
        EXPECT_EQ(cVector2((pa.x + pb.x) * 0.5f, (pa.y + pb.y) * 0.5f), shown->getOffset());
    }
    board->clearPrompts();
    EXPECT_EQ(nullptr, board->getCurrentPrompt());
    EXPECT_FALSE(board->getPromptVert()->isVisible());
}

TEST_F(MeadowViewTest, ABackgroundVariantShowsItsPicturesAndStartsItsEffectsUnlessTheyAreOff) {
    const std::string backs = "<LevelBacks><V><Pictures><P size=\"4,4\" Picture=\"art/icon.tga\"/>"
                              "<P size=\"4,4\" Picture=\"art/bee.tga\"/></Pictures><BackPyro>"
                              "<E Enable=\"1\" Visible=\"1\" pyro_file=\"fx/burst.pfx\"/></BackPyro></V></LevelBacks>"
                              "<EditButton Visible=\"1\" size=\"8,8\" Picture=\"art/icon.tga\"/>";
    std::string layout = TestLevel::meadowViewXml();
    layout.insert(layout.find("<MatchEffects>"), backs);
    writeFiles(layout);
    build({"1"});
    // One variant is always the chosen one.
    EXPECT_EQ(2u, board->getBackPictures().size());
    ASSERT_EQ(1u, board->getBackPyro().size());
    EXPECT_TRUE(board->getBackPyro()[0]->isPlaying());
    EXPECT_EQ(nullptr, board->getClouds());
    // The edit button is hidden whatever its layout says.
    EXPECT_FALSE(board->getEditButton()->isVisible());

    cMeadowView plain(&states, model.get(), nullptr, false, true);
    EXPECT_EQ(2u, plain.getBackPictures().size());
    EXPECT_TRUE(plain.getBackPyro().empty());
}

TEST_F(MeadowViewTest, ALayoutWithoutBackgroundsHasNoBackPictures) {
    build({"1"});
    EXPECT_TRUE(board->getBackPictures().empty());
    EXPECT_TRUE(board->getBackPyro().empty());
}

TEST_F(MeadowViewTest, ABoardDeletedWithoutClosingTakesItsResultsViewAlong) {
    build({"1"});
    cAchievementsView* results = board->getResultsView();
    ASSERT_TRUE(isWidgetAlive(results));
    EXPECT_EQ(results->getParent(), nullptr) << "a root widget of its own";
    field.reset();
    board.reset();
    EXPECT_FALSE(isWidgetAlive(results));

    // A sweep of every root widget (the end of a program run) may take the results view first.
    build({"1"});
    delete board->getResultsView();
    field.reset();
    board.reset();
}

TEST_F(MeadowViewTest, TheMoneyTextFollowsTheResourcePointsOnlyWhenTheyChange) {
    build({"1_1"});
    model->addResourcePoints(1, 40);
    board->showFlyingNumber(cVector2(0, 1), 40);
    EXPECT_EQ(L"40", board->getMoneyText()->getText());
    board->getMoneyText()->setText(L"x");
    board->updateMoneyText(); // the same total: the label is not written again
    EXPECT_EQ(L"x", board->getMoneyText()->getText());
    // An amount below 1 shows no number and leaves the label alone.
    model->addResourcePoints(1, 5);
    board->showFlyingNumber(cVector2(0, 1), 0);
    EXPECT_EQ(L"x", board->getMoneyText()->getText());
    board->showFlyingNumber(cVector2(0, 0), 5);
    EXPECT_EQ(L"45", board->getMoneyText()->getText());
    ui.run(1.0f);
    EXPECT_EQ(TestLevel::countLive<cFlyingNumber>(), 0) << "the numbers fly their half second and go";
}

TEST_F(MeadowViewTest, IdlePiecesAndVisibleCellsShakeWhileAFigureIsMatched) {
    writeFiles(TestLevel::meadowViewXml(TestLevel::pieceProto("shake_amp=\"3\" shake_time=\"0.25\"")),
               TestLevel::fieldViewXml("shake_amp=\"4\" shake_period=\"1\" shake_time=\"0.5\""));
    build({"1_1"});
    // The cell view moves with its shake; the cell's grid place does not.
    const cVector2 home = field->getCellPosition(0, 0), cellHome = field->findCellView(0, 1)->getPosition();
    cMeadowObjectView* views[2];
    for (int column = 0; column < 2; ++column) {
        views[column] = board->getGameObjectView(model->getObject(0, column));
        views[column]->setPosition(field->getCellPosition(0, column));
        views[column]->show();
        views[column]->attachInput();
    }
    model->getObject(0, 1)->setMoving();
    board->shakeIdleObjects();
    EXPECT_FALSE(views[0]->isInputAttached());
    EXPECT_EQ(cMeadowObjectModel::MOVING, model->getObject(0, 0)->getState());
    EXPECT_TRUE(views[1]->isInputAttached());
    ui.step(0.125f); // a quarter of the 0.5 s period: the full amplitude
    EXPECT_NEAR(home.x + 3, views[0]->getPosition().x, 1e-3f);
    EXPECT_NE(cellHome, field->findCellView(0, 1)->getPosition());
    EXPECT_EQ(cellHome, field->getCellPosition(0, 1));
    // A highlighted piece skips its step: the shake stands still.
    views[0]->setHighlighted(true);
    ui.step(0.125f);
    EXPECT_NEAR(home.x + 3, views[0]->getPosition().x, 1e-3f);
    EXPECT_TRUE(views[0]->getPlayAnimation());
    views[0]->setHighlighted(false);
    EXPECT_FALSE(views[0]->getPlayAnimation());
    ui.step(0.25f);
    EXPECT_EQ(home, views[0]->getPosition());
    EXPECT_EQ(cMeadowObjectModel::IDLE, model->getObject(0, 0)->getState());
    EXPECT_TRUE(views[0]->isInputAttached());
    for (cMeadowObjectView* view : views)
        view->detachInput();
}

TEST_F(MeadowViewTest, ADuplicatedLevelTypeAndAPieceWithoutPrototypeAreRefused) {
    build({"1_1"});
    model->getLevelTypes() = {1, 2, 1};
    cMeadowView twice(&states, model.get(), nullptr);
    twice.setFieldView(field.get());
    try {
        twice.createGameObjectsPrototypes();
        FAIL() << "accepted";
    } catch (const std::string& error) {
        EXPECT_EQ("cMeadowView::createGameObjectsPrototypes(): duplicated type in level objects: 1", error);
    }
    model->getLevelTypes() = {1, 2, 3, 4};
    model->getObject(0, 1)->setType(9);
    cMeadowView stranger(&states, model.get(), nullptr);
    stranger.setFieldView(field.get());
    stranger.createGameObjectsPrototypes();
    EXPECT_THROW(stranger.createGameObjects(), const char*);
}
