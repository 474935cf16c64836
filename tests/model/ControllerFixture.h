#pragma once

// A board model, a controller and a board screen that plays along without drawing: its piece
// views are made on demand, matched pieces leave the board when the figures are shown (wood
// and iron wear down, locks come off), and every exchange or motion ends when the test steps
// a frame. The test then only clicks, drags and steps, as the player and the frame loop would.

#include "engine/core/Random.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "tests/model/ModelFixture.h"
#include "tests/model/fakes/FakeAwardManager.h"
#include "tests/model/fakes/FakeBonusEffect.h"
#include "tests/model/fakes/FakeDevelopmentView.h"
#include "tests/model/fakes/FakeGameSounds.h"
#include "tests/model/fakes/FakeLevelView.h"
#include "tests/model/fakes/FakeMatchStatistics.h"
#include "tests/model/fakes/FakePieceView.h"
#include "tests/model/fakes/FakeTutorialManager.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>

namespace TestController {

// Four ordinary types with rules for runs of 3 to 7, the bear as the one bonus, and the blast
// piece as the one special bonus piece.
inline std::string modelXml() {
    std::string objects;
    for (int type = 1; type <= 4; ++type) {
        objects +=
            "<O type=\"" + std::to_string(type) + "\" category=\"1\" color_group=\"" + std::to_string(type - 1) + "\">";
        for (int amount = 3; amount <= 7; ++amount)
            objects += "<Rule amount=\"" + std::to_string(amount) + "\" money=\"" + std::to_string(amount * 10) +
                       "\" bonus_points=\"1\"/>";
        objects += "</O>";
    }
    return "<Model max_objects_on_level=\"4\" max_vehicle_slots=\"3\" color_groups_amount=\"4\" update_time=\"0.25\" "
           "fall_obj_sound_delay=\"0.125\" combo_sound_delay=\"0.5\" seria_buffer_time=\"2.5\" "
           "vehicle_money_param=\"1\" first_level_objects=\"1_2_3_4\" blasted_bonus_price=\"3\"><GameObjects>" +
           objects +
           "<O type=\"9\" category=\"2\" color_group=\"0\"/><O type=\"201\" "
           "category=\"11\"/></GameObjects><GameResources><R id=\"money\" type=\"1\"/>"
           "<R id=\"bear\" type=\"31\" object_type=\"9\" category=\"1\" price=\"50\"/></GameResources><Units/>"
           "<LevelAchievements><A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements></Model>";
}

// Level 0: 3 × 3 simple cells. Level 1: 4 × 4 with one wood cell. Level 2: 3 × 3 with a
// locked cell holding level index 2 and a cell without type.
inline const char* levelsXml() {
    return "<Levels>"
           "<Level size=\"3 3\"><Rows><Row cells=\"1_1_1\" objects=\"0_0_0\"/><Row cells=\"1_1_1\" objects=\"0_0_0\"/>"
           "<Row cells=\"1_1_1\" objects=\"0_0_0\"/></Rows></Level>"
           "<Level size=\"4 4\"><Rows><Row cells=\"1_2_1_1\" objects=\"0_0_0_0\"/><Row cells=\"1_1_1_1\" "
           "objects=\"0_0_0_0\"/><Row cells=\"1_1_1_1\" objects=\"0_0_0_0\"/><Row cells=\"1_1_1_1\" "
           "objects=\"0_0_0_0\"/></Rows></Level>"
           "<Level size=\"3 3\"><Rows><Row cells=\"1_17_1\" objects=\"0_2_0\"/><Row cells=\"1_1_0\" objects=\"0_0_0\"/>"
           "<Row cells=\"1_1_1\" objects=\"0_0_0\"/></Rows></Level>"
           "</Levels>";
}

// The board screen, playing along.
class PlayingLevelView : public TestFakes::FakeLevelView {
public:
    PlayingLevelView(cMeadowModel* model, cMeadowController* controller) : m_model(model), m_controller(controller) {}

    IPieceView* getGameObjectView(cMeadowObjectModel* piece) override {
        record("getGameObjectView()");
        return view(piece);
    }
    TestFakes::FakePieceView* view(cMeadowObjectModel* piece) {
        if (!piece)
            return nullptr;
        auto& slot = m_views[piece];
        if (!slot)
            slot = std::make_unique<TestFakes::FakePieceView>(piece);
        return slot.get();
    }
    TestFakes::FakePieceView* viewAt(int row, int column) { return view(m_model->getObject(row, column)); }

    void showMatchedFigures(const tFigureList& figures, bool cascade) override {
        FakeLevelView::showMatchedFigures(figures, cascade);
        for (const cMeadowFigure& figure : figures) {
            for (const Engine::cVector2& at : figure.getPositions()) {
                cMeadowObjectModel* piece = m_model->getObject(int(at.x), int(at.y));
                if (!piece)
                    continue;
                cCellModel* cell = m_model->getCell(int(at.x), int(at.y));
                if (cell->getLocks() > 0) {
                    cell->setLocks(cell->getLocks() - 1);
                    piece->setIdle();
                    continue;
                }
                if (cell->getType() > 1)
                    cell->setType(cell->getType() - 1);
                m_model->removeObjectFromGrid(piece);
                m_model->incMatchedObjects();
                m_model->releaseObject(piece);
            }
            m_controller->onFigureMatched(figure);
            m_controller->playMatchSound();
        }
    }
    void animateExchange(IPieceView* first, IPieceView* second) override {
        FakeLevelView::animateExchange(first, second);
        m_exchange = {first, second};
    }
    void animateSwapBack(IPieceView* first, IPieceView* second) override {
        FakeLevelView::animateSwapBack(first, second);
        m_swapBack = {first, second};
    }
    void startObjectMotions() override {
        FakeLevelView::startObjectMotions();
        m_motion = true;
    }
    void setInputLocked(bool locked) override {
        FakeLevelView::setInputLocked(locked);
        m_locked = locked;
    }
    void finishLevel() override {
        FakeLevelView::finishLevel();
        m_controller->setInputLocked(true);
    }

    // Ends the animations started since the last frame, then runs the controller's frame
    // unless the screen is locked.
    void step(float dt) {
        if (m_exchange.first) {
            auto pair = m_exchange;
            m_exchange = {};
            pair.first->getObject()->setIdle();
            pair.second->getObject()->setIdle();
            m_controller->onExchangeFinished(pair.first, pair.second);
        }
        if (m_swapBack.first) {
            m_swapBack.first->getObject()->setIdle();
            m_swapBack.second->getObject()->setIdle();
            m_swapBack = {};
        }
        if (m_motion) {
            m_motion = false;
            m_model->resetObjectStates();
            m_controller->continueTurn();
        }
        if (!m_locked)
            m_controller->update(dt);
    }
    bool isAnimating() const { return m_exchange.first || m_swapBack.first || m_motion; }
    bool isLocked() const { return m_locked; }

private:
    cMeadowModel* m_model;
    cMeadowController* m_controller;
    std::map<cMeadowObjectModel*, std::unique_ptr<TestFakes::FakePieceView>> m_views;
    std::pair<IPieceView*, IPieceView*> m_exchange{nullptr, nullptr};
    std::pair<IPieceView*, IPieceView*> m_swapBack{nullptr, nullptr};
    bool m_motion = false;
    bool m_locked = false;
};

// Model, controller, board screen and the shell's services, for one level.
class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        GameServices::setGameSounds(&m_sounds);
        GameServices::setMatchStatistics(&m_statistics);
        m_model = TestModel::makeModel(modelXml(), levelsXml());
        GameServices::setAwardManagerFactory([this] {
            auto awards = std::make_unique<TestFakes::FakeAwardManager>();
            m_awards = awards.get();
            return std::unique_ptr<IAwardManager>(std::move(awards));
        });
        m_controller = std::make_unique<cMeadowController>(m_model.get(), &m_development, false);
        m_view = std::make_unique<PlayingLevelView>(m_model.get(), m_controller.get());
        m_controller->setLevelView(m_view.get());
    }
    void TearDown() override {
        m_controller.reset();
        GameServices::setAwardManagerFactory(nullptr);
        GameServices::setGameSounds(nullptr);
        GameServices::setMatchStatistics(nullptr);
        GameServices::setTutorialManager(nullptr);
    }

    // The level on the board, its pieces at rest.
    void startLevel(int level, unsigned seed = 5) {
        Engine::randomSeed(seed);
        m_model->loadLevel(level);
        m_model->resetObjectStates();
    }
    // Puts the piece types row by row, row 0 first.
    void setTypes(const std::vector<std::vector<int>>& types) {
        for (size_t r = 0; r < types.size(); ++r)
            for (size_t c = 0; c < types[r].size(); ++c)
                m_model->getObject(int(r), int(c))->setType(types[r][c]);
    }
    int countPieces() const {
        int count = 0;
        for (int r = 0; r < m_model->getRows(); ++r)
            for (int c = 0; c < m_model->getColumns(); ++c)
                count += m_model->getObject(r, c) ? 1 : 0;
        return count;
    }
    void click(int row, int column) { m_controller->objectClicked(m_view->viewAt(row, column)); }
    void stepUntilIdle(float dt = 0.0625f, int frames = 64) {
        for (int i = 0; i < frames && m_view->isAnimating(); ++i)
            m_view->step(dt);
    }

    TestFakes::FakeGameSounds m_sounds;
    TestFakes::FakeMatchStatistics m_statistics;
    TestFakes::FakeDevelopmentView m_development;
    TestFakes::FakeAwardManager* m_awards = nullptr;
    std::unique_ptr<cMeadowModel> m_model;
    std::unique_ptr<cMeadowController> m_controller;
    std::unique_ptr<PlayingLevelView> m_view;
};

} // namespace TestController
