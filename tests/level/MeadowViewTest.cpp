// The board screen's piece half: one prototype per type, one view per piece cloned by the copy
// rules, looks by type, the owner's named looks, the crush-effect index, the money text, and the
// layout keys refused as divisors.

#include "tests/level/LevelFixture.h"

#include "engine/core/WidgetSets.h"
#include "engine/gui/Label.h"
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

TEST_F(MeadowViewTest, VisualStateOfAnUnknownTypeNamesTheId) {
    build({"1_1_1"});
    try {
        cMeadowObjectView::getVisualState(7, ui.layout("Meadow/View/GameObjects.xml"));
        FAIL() << "found";
    } catch (const std::string& error) {
        EXPECT_EQ("cMeadowObjectView::getVisualState(): visual state for object id = obj7 was not found.", error);
    }
}

TEST_F(MeadowViewTest, NamedLooksComeFromTheOwner) {
    build({"1"});
    EXPECT_EQ(states.getVisualState("wood1").getPicture(), board->getVisualState("wood1").getPicture());
    EXPECT_THROW(board->getVisualState("nothing"), std::string);
}

TEST_F(MeadowViewTest, CrushEffectIndexIsCheckedAgainstTheLayoutsEffects) {
    build({"1"});
    EXPECT_EQ(4u, board->getMatchEffectCount());
    EXPECT_NO_THROW(board->getCellCrushAnimation(3));
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
