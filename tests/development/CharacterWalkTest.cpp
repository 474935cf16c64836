// The heroine and a cat walk between the shipped buildings, on the shipped character files, game
// model and atlases, through their views frame by frame. The heroine's looks are the development
// screen's: here small pictures of our own under her look ids.

#include "engine/core/ProfileManager.h"
#include "engine/core/Random.h"
#include "engine/gui/MultilineText.h"
#include "game/development/Graph.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/UnitsFeature.h"
#include "tests/development/ViewFixture.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/TempFolder.h"

#include <filesystem>

using namespace TestViews;
using Engine::cVector2;

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(MEADOW_SOURCE_DIR) / "Data";

std::string shipped(const std::string& name) {
    return TestSupport::readFileBytes((kData / name).string());
}

class CharacterWalkTest : public ViewFixture {
protected:
    void SetUp() override {
        if (!fs::exists(kData / cMeadowModel::MODEL_FILE))
            GTEST_SKIP() << "the game model is not on this branch yet";
        Engine::randomSeed(5);
        Engine::gIntProps.clear();
        for (const char* file :
             {cPersonageModel::FILE_NAME, "Meadow/View/personage/cat1/cat.xml", "Fonts/Text16.fnt", "Fonts/Text16.png"})
            ui.writeFile(file, shipped(file));
        // The cat's looks and the bubble come from the shipped atlases.
        for (const std::string& name : TestSupport::shippedAtlasFiles(kData.string()))
            ui.writeFile(name, shipped(name));
        // The heroine's looks are the development screen's: each of ours under its id.
        for (const char* id : {"pimbrel_joy", "pimbrel_hat", "pimbrel_sneeze"})
            ui.writePicture(lookPicture(id), 4, 4, 0xFF405060u);
        start();
        for (const char* id : {"pimbrel_joy", "pimbrel_hat", "pimbrel_sneeze"})
            screen.looks[id].setPicture(lookPicture(id));

        modelRoot = TestModel::parseXml(shipped(cMeadowModel::MODEL_FILE));
        levelsRoot = TestModel::parseXml(shipped(cMeadowModel::LEVELS_FILE));
        game = std::make_unique<cMeadowModel>(modelRoot.get(), levelsRoot.get());
        controller = std::make_unique<cMeadowController>(game.get(), nullptr, false);
    }
    void TearDown() override {
        ViewFixture::TearDown();
        controller.reset();
        Engine::gIntProps.clear();
    }

    // Every building built, standing at its own point (the point is the unit id).
    void addBuildings(cPersonageModel& model) {
        cUnitsFeature* features = game->getUnitsFeature();
        for (int32_t i = 0; i < features->getUnitCount(); ++i) {
            cMeadowUnit* unit = features->getUnit(i);
            unit->setLevel(1);
            buildings.push_back(std::make_unique<CountingUnitView>(unit, unit->getId()));
            model.addUnitPoint(unit->getId(), buildings.back().get());
        }
    }

    // Steps frames until the condition holds; false after a minute.
    template <class F> bool stepUntil(F done, cPersonageView* view) {
        for (int frame = 0; frame < 960; ++frame) {
            if (done())
                return true;
            ui.step();
            EXPECT_EQ(view->getDepth(), view->getPosition().y);
        }
        return done();
    }

    std::unique_ptr<Engine::cXmlDocument> modelRoot, levelsRoot;
    std::unique_ptr<cMeadowModel> game;
    std::unique_ptr<cMeadowController> controller;
    std::vector<std::unique_ptr<CountingUnitView>> buildings;
};

} // namespace

TEST_F(CharacterWalkTest, TheHeroineWalksAcrossTheMapTalksWorksAndComesOut) {
    cPersonageView* view = heroine(shipped(cPersonageModel::FILE_NAME));
    cPersonageModel& model = *view->getModel();
    addBuildings(model);
    model.setCurrentPoint(2); // the mill house, upper left
    view->placeAtCurrentPoint();
    // To the pier in the lower right corner.
    model.setCurrentPoint(16);
    model.setState(cPersonageModel::PERSONAGE_MOVE);
    view->startMoving();
    ASSERT_TRUE(stepUntil([&] { return view->isTalking(); }, view));
    const cVector2 pier = model.getGraph()->getNode(16)->getPosition();
    EXPECT_LE((view->getPosition() - pier).length(), 90 * TestSupport::UiHarness::FRAME_TIME);
    EXPECT_FALSE(view->getBubble()->getText()->getText().empty());
    // The bubble is drawn over every building and character (their depth is their y), under the
    // buildings' tips (800) and the dialogs; its text over the bubble.
    EXPECT_GT(view->getBubble()->getDepth(), 768);
    EXPECT_LT(view->getBubble()->getText()->getDepth(), 800);
    EXPECT_GT(view->getBubble()->getText()->getDepth(), view->getBubble()->getDepth());
    ASSERT_TRUE(stepUntil([&] { return view->isWorking(); }, view));
    EXPECT_FALSE(view->isVisible());
    ASSERT_TRUE(model.getWorkUnit());
    EXPECT_EQ(model.getWorkUnit()->getPoint(), 16);
    EXPECT_TRUE(static_cast<CountingUnitView*>(model.getWorkUnit())->m_working);
    ASSERT_TRUE(stepUntil([&] { return !view->isWorking(); }, view));
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(lookOf(*view), "pers_idle");
}

TEST_F(CharacterWalkTest, TheFirstCatWalksToTheBirdHouseAndPlaysItsScene) {
    cCatPersonView* view = cat(shipped(cCatPersonModel::fileName(0)), 0);
    cPersonageModel& model = *view->getModel();
    addBuildings(model);
    model.setCurrentPoint(13); // the warehouse, on the left
    view->placeAtCurrentPoint();
    model.setCurrentPoint(22);
    model.setState(cPersonageModel::PERSONAGE_MOVE);
    view->startMoving();
    ASSERT_TRUE(stepUntil([&] { return view->isWorking(); }, view));
    const cVector2 birdHouse = model.getGraph()->getNode(22)->getPosition();
    EXPECT_LE((view->getPosition() - birdHouse).length(), 110 * TestSupport::UiHarness::FRAME_TIME);
    EXPECT_EQ(view->getPicture(), view->getVisualState("cat1_birds").getPicture());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(sounds.log, std::vector<std::string>{"cat_voice0"});
    EXPECT_EQ(static_cast<CountingUnitView*>(model.getWorkUnit())->voices, 1);
    ASSERT_TRUE(stepUntil([&] { return !view->isWorking(); }, view));
    EXPECT_EQ(model.getState(), cPersonageModel::PERSONAGE_IDLE);
    EXPECT_EQ(view->getPicture(), view->getVisualState("cat_pers_idle").getPicture());
}
