// The shipped vehicle, bonus and board-effect layouts under the UI harness: a shipped level with
// a vehicle drives it in, and every bonus effect, the wave, the lightning and the cell parts load
// their shipped elements with the shipped pictures.

#include "tests/level/BonusFixture.h"
#include "tests/level/ShippedBoard.h"
#include "tests/model/ShippedModel.h"

#include "engine/core/Random.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/PyroEffect.h"
#include "engine/gui/Sprite.h"
#include "game/level/bonus/BearBonusEffect.h"
#include "game/level/bonus/CatBonusEffect.h"
#include "game/level/bonus/ChickenBonusEffect.h"
#include "game/level/bonus/InstantBonusEffect.h"
#include "game/level/bonus/RunningCat.h"
#include "game/level/field/CellEffect.h"
#include "game/level/field/CellPart.h"
#include "game/level/field/FlyingNumber.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/level/field/WaveSprite.h"
#include "game/level/vehicles/IconText.h"
#include "game/level/vehicles/StateAnimation.h"
#include "game/level/vehicles/VehiclePanel.h"
#include "game/level/vehicles/VehicleSlot.h"
#include "game/level/vehicles/VehicleTip.h"
#include "game/level/vehicles/VehicleView.h"
#include "game/shell/TweenSprite.h"

#include <algorithm>
#include <cmath>

using namespace Engine;

namespace {

// The lowest and highest depth among the widget and its drawn descendants; the vehicle's tip
// belongs to the tutorial's depths and is left out.
struct DepthRange {
    float low = 1e9f, high = -1e9f;
    void add(const cWidget* widget) {
        if (dynamic_cast<const cVehicleTip*>(widget) || dynamic_cast<const cTweenSprite*>(widget))
            return;
        if (const auto* sprite = dynamic_cast<const cSprite*>(widget)) {
            low = std::min(low, sprite->getDepth());
            high = std::max(high, sprite->getDepth());
        }
        for (const cWidget* child : widget->getChildren())
            add(child);
    }
};

class ShippedVehiclesTest : public TestLevel::BoardRig {
protected:
    void SetUp() override {
        GameServices::setGameSounds(&sounds);
        TestLevel::writeShippedBoard(ui);
        ui.start();
        loadShippedLooks();
        model = TestShipped::makeModel();
        // After the model, which seeds the generator with the time as the game does.
        randomSeed(5);
        // The first shipped level with a vehicle whose views start enabled.
        model->loadLevel(LEVEL);
        model->resetObjectStates();
        buildBoard(true);
    }
    void TearDown() override {
        panel.reset();
        closeBoard();
        GameServices::setGameSounds(nullptr);
    }
    IXmlNode* fieldElement(const char* name) {
        IXmlNode* element = nullptr;
        EXPECT_TRUE(ui.layout("Meadow/View/FieldView.xml")->findNode(name, element)) << name;
        return element;
    }

    static constexpr int LEVEL = 64;
    TestLevel::SoundBook sounds;
    std::unique_ptr<cVehiclePanel> panel;
};

} // namespace

TEST_F(ShippedVehiclesTest, AShippedLevelsVehicleDrivesInAndOpensItsDoors) {
    ASSERT_TRUE(model->getVehiclesFeature()->hasVehicles());
    panel = std::make_unique<cVehiclePanel>(board.get(), model.get());
    ASSERT_FALSE(panel->getViews().empty());
    cVehicleView* view = panel->getViews().front();
    cVehicleModel* vehicle = view->getVehicle();
    EXPECT_EQ(4, view->getColorsNumber());
    EXPECT_LE(view->getColorsNumber(), cVehicleSlot::countColours(ui.layout("Meadow/View/VehicleSlot.xml")));
    ASSERT_FALSE(view->getSlots().empty());
    EXPECT_NE(nullptr, view->getSlots().front()->getDriver());
    EXPECT_NE(nullptr, view->getSlots().back()->getDoors()->getPicture());
    EXPECT_NE(nullptr, view->getSlots().front()->getPicture());
    ASSERT_TRUE(model->getVehiclesFeature()->launchNextVehicle());
    for (int frame = 0; frame < 200 && vehicle->getState() != cVehicleModel::TAKING_PIECES; ++frame) {
        panel->update();
        ui.step(0.0625f);
    }
    EXPECT_EQ(int(cVehicleModel::TAKING_PIECES), vehicle->getState());
    EXPECT_EQ(panel->getActiveVehiclePos(), view->getPosition());
    EXPECT_EQ(1, sounds.count("vehicle_arrived"));
    ui.run(1.0f);
    cPanel* doors = view->getSlots().back()->getDoors();
    EXPECT_FLOAT_EQ(doors->getAnimLength(), doors->getAnimPosition());
}

TEST_F(ShippedVehiclesTest, EveryBonusEffectLoadsItsShippedLayout) {
    for (int type : {11, 12, 31, 32, 41, 71}) {
        cBonusEffect* effect = cBonusEffect::create(board.get(), model.get(), type);
        ASSERT_NE(nullptr, effect) << type;
        if (type != 71) {
            ASSERT_NE(nullptr, effect->getIdleIcon()) << type;
            EXPECT_NE(nullptr, effect->getIdleIcon()->getPicture()) << type;
        }
        if (auto* chicken = dynamic_cast<cChickenBonusEffect*>(effect)) {
            ASSERT_NE(nullptr, chicken->getWorkIcon());
            EXPECT_FLOAT_EQ(0.8f, chicken->getWorkTime());
        }
        if (auto* bear = dynamic_cast<cBearBonusEffect*>(effect)) {
            EXPECT_EQ(2u, bear->getSplashes().size());
            EXPECT_NE(nullptr, bear->getBear()->getPicture());
            EXPECT_NE(nullptr, bear->getSplashes()[0]->getPicture());
        }
        if (auto* cat = dynamic_cast<cCatBonusEffect*>(effect)) {
            cRunningCat runner(*cat->getCatPrototype());
            runner.launch(cVector2(900, 700));
            EXPECT_NE(nullptr, runner.getPicture());
            EXPECT_EQ(520.0f, runner.getSpeed());
        }
        delete effect;
    }
}

TEST_F(ShippedVehiclesTest, TheWaveTheLightningAndTheCellPartsLoadTheirShippedElements) {
    cWaveSprite wave(field.get(), field.get());
    wave.loadXML(fieldElement("BombCellsEffect"));
    EXPECT_EQ(300000.0f, wave.getCharge());
    EXPECT_EQ(2.0f, wave.getMinOffset());
    cCellEffect lightning(field.get(), model.get());
    lightning.loadXML(fieldElement("LightningEffect"));
    EXPECT_EQ(256.0f, lightning.getHalfBeam());
    EXPECT_NE(nullptr, lightning.getBeamA()->getPicture());
    EXPECT_FALSE(lightning.getCore()->getFileName().empty());
    IXmlNode* prototype = nullptr;
    ASSERT_TRUE(fieldElement("CellPrototype")->findNode("PartProto", prototype));
    cCellPart part(nullptr);
    part.loadXML(prototype);
    EXPECT_FLOAT_EQ(2.5f, part.getFadeRate());
    part.setVisualState(2, 0, *board);
    EXPECT_NE(nullptr, part.getPicture());
}

// Every shipped level with vehicles, the largest boards among them: the vehicle that has driven in
// stands wholly on the screen, beside the board's cells.
TEST_F(ShippedVehiclesTest, EveryShippedVehicleStandsOnTheScreenBesideItsBoard) {
    panel.reset();
    closeBoard();
    int levels = 0;
    for (int level = 0; level < model->getLevelCount(); ++level) {
        model->clearLevel();
        model->loadLevel(level);
        if (!model->getVehiclesFeature()->hasVehicles())
            continue;
        SCOPED_TRACE(level);
        ++levels;
        model->resetObjectStates();
        buildBoard(true);
        float right = -1e9f;
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column)
                if (const cMeadowCellView* cell = field->findCellView(row, column)) {
                    const cVector2 at = cell->getPosition(), half = cell->getSize() * 0.5f;
                    right = std::max(right, at.x + std::abs(half.x));
                }
        auto levelPanel = std::make_unique<cVehiclePanel>(board.get(), model.get());
        ASSERT_FALSE(levelPanel->getViews().empty());
        cVehicleView* view = levelPanel->getViews().front();
        ASSERT_TRUE(model->getVehiclesFeature()->launchNextVehicle());
        for (int frame = 0; frame < 200 && view->getVehicle()->getState() != cVehicleModel::TAKING_PIECES; ++frame) {
            levelPanel->update();
            ui.step(0.0625f);
        }
        ASSERT_EQ(int(cVehicleModel::TAKING_PIECES), view->getVehicle()->getState());
        for (const cVehicleSlot* slot : view->getSlots()) {
            const cVector2 at = slot->getPosition();
            const cVector2 half(std::abs(slot->getSize().x) * 0.5f, std::abs(slot->getSize().y) * 0.5f);
            EXPECT_GE(at.x - half.x, 0.0f);
            EXPECT_LE(at.x + half.x, 1024.0f);
            EXPECT_GE(at.y - half.y, 0.0f);
            EXPECT_LE(at.y + half.y, 768.0f);
            // Right of the board: under a board of nine rows there is no room.
            EXPECT_GE(at.x - half.x, right)
                << "a slot at " << at.x << "," << at.y << " beside the board up to " << right;
        }
        levelPanel.reset();
        closeBoard();
        ui.steps(2);
    }
    EXPECT_GE(levels, 10);
}

// The vehicle drives in across the board's rows: it and all its parts lie behind the board (under
// the cells and pieces) and above the level background and its sparkles, in their own order; a
// piece flies over it and then drops in behind its body, and the money it pays flies above all.
TEST_F(ShippedVehiclesTest, AVehicleDrivesBehindTheBoardAndAPieceDropsInBehindItsBody) {
    panel = std::make_unique<cVehiclePanel>(board.get(), model.get());
    ASSERT_FALSE(panel->getViews().empty());
    cVehicleView* view = panel->getViews().front();
    cVehicleModel* vehicle = view->getVehicle();
    ASSERT_TRUE(model->getVehiclesFeature()->launchNextVehicle());
    for (int frame = 0; frame < 200 && vehicle->getState() != cVehicleModel::TAKING_PIECES; ++frame) {
        panel->update();
        ui.step(0.0625f);
    }
    ASSERT_EQ(int(cVehicleModel::TAKING_PIECES), vehicle->getState());

    ASSERT_FALSE(board->getBackPictures().empty());
    ASSERT_FALSE(board->getBackPyro().empty());
    float background = board->getBackPictures().front()->getDepth();
    for (const cPyroEffect* sparkle : board->getBackPyro())
        background = std::max(background, sparkle->getDepth());
    DepthRange boardDepths, vehicleDepths;
    for (const auto& entry : field->getCells())
        boardDepths.add(entry.second);
    for (const auto& entry : board->getObjectViews())
        boardDepths.add(entry.second);
    vehicleDepths.add(view);
    EXPECT_LT(background, vehicleDepths.low);
    EXPECT_LT(vehicleDepths.high, boardDepths.low);
    // Within the vehicle: the body, the driver in its window, the doors, the slot's count, the pay.
    for (const cVehicleSlot* slot : view->getSlots()) {
        EXPECT_LT(view->getDepth(), slot->getDepth());
        EXPECT_LT(slot->getDepth(), slot->getLoadDepth());
        EXPECT_LT(slot->getLoadDepth(), slot->getSlotText()->getDepth());
        EXPECT_LT(slot->getSlotText()->getDepth(), view->getMoney()->getDepth());
        if (slot->getDriver()) {
            EXPECT_LT(slot->getDepth(), slot->getDriver()->getDepth());
            EXPECT_LT(slot->getDriver()->getDepth(), slot->getLoadDepth());
        }
    }

    cMeadowObjectView* piece = board->getObjectViews().begin()->second;
    piece->getObject()->setType(vehicle->getSlots().front().objectType);
    ASSERT_EQ(vehicle, model->getVehiclesFeature()->sendObject(piece->getObject()));
    view->addArrivingObject(piece);
    EXPECT_GT(piece->getDepth(), vehicleDepths.high) << "flies over the vehicle";
    for (int frame = 0; frame < 200 && view->getArrivingCount() > 0; ++frame)
        ui.step(0.0625f);
    ASSERT_EQ(0u, view->getArrivingCount());
    ASSERT_FALSE(view->getTweens()->getTweens().empty());
    EXPECT_GT(piece->getDepth(), background);
    EXPECT_LT(piece->getDepth(), vehicleDepths.low) << "drops in behind the body and the doors";
    ui.run(1.0f);
    EXPECT_FALSE(piece->isVisible());
    EXPECT_EQ(piece->getBaseDepth(), piece->getDepth());

    // The money a leaving vehicle pays.
    auto* pay = new cFlyingNumber(nullptr, 880, 400, 25, false, "Meadow/View/VehicleFlyingNumber.xml");
    DepthRange payDepths;
    payDepths.add(pay);
    EXPECT_GT(payDepths.low, boardDepths.high);
    ui.run(2.0f);
}
