#pragma once

// The move cycle on a small board: the real controller drives the field and piece views
// through a board link that forwards the level-view contract as the board screen does. Each
// frame is the harness's frame (1/16 s) followed by the controller's update, as the board
// screen's frame runs it. Boards are written as rows of piece types, row 0 first.

#include "game/level/MeadowView.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/BonusEffectLink.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/LevelView.h"
#include "game/model/MeadowController.h"
#include "tests/level/LevelFixture.h"
#include "tests/level/ShippedBoard.h"
#include "tests/support/TempFolder.h"

#include <string>
#include <vector>

namespace TestLevel {

// The board screen as the controller sees it, with the test's own end of the level and bonus
// effect: every other request is the board screen's own. The board screen is not the
// controller's level view itself, so its frame does not run the controller (where that falls in
// the frame's walk depends on where the board and its field lie in memory): the test runs it
// after the harness's frame, in a fixed order.
class BoardLink : public ILevelView {
public:
    explicit BoardLink(cMeadowView& board) : m_board(board) {}

    void setInputLocked(bool locked) override {
        this->locked = locked;
        m_board.setInputLocked(locked);
    }
    void refresh() override { m_board.refresh(); }
    void updateSelection() override { m_board.updateSelection(); }
    void showMatchedFigures(const tFigureList& figures, bool cascade) override {
        m_board.showMatchedFigures(figures, cascade);
    }
    void animateExchange(IPieceView* first, IPieceView* second) override { m_board.animateExchange(first, second); }
    void animateSwapBack(IPieceView* first, IPieceView* second) override { m_board.animateSwapBack(first, second); }
    void crashCell(const Engine::cVector2& position, IBonusEffect* effect) override {
        m_board.crashCell(position, effect);
    }
    void startObjectMotions() override { m_board.startObjectMotions(); }
    IPieceView* getGameObjectView(cMeadowObjectModel* piece) override { return m_board.getGameObjectView(piece); }
    void showHint(const Engine::cVector2& first, const Engine::cVector2& second) override {
        m_board.showHint(first, second);
    }
    void hideHint() override { m_board.hideHint(); }
    void updateVehicles() override { m_board.updateVehicles(); }
    bool isFieldBusy() override { return m_board.isFieldBusy(); }
    void finishLevel() override { ++finished; }
    void resumeMusic() override { m_board.resumeMusic(); }
    bool isShown() override { return m_board.isShown(); }
    bool isEnabled() override { return m_board.isEnabled(); }
    IBonusEffect* createBonusEffect(int) override { return effect; }
    void deleteBonusEffect(IBonusEffect*) override { ++deleted; }

    // While the screen is locked its frame does not run the controller's update.
    bool locked = true;
    int finished = 0;
    int deleted = 0;
    IBonusEffect* effect = nullptr;

private:
    cMeadowView& m_board;
};

// A bought bonus that only records where it was aimed and when it acted.
class FakeEffect : public IBonusEffect {
public:
    int getBonusType() override { return type; }
    bool isImmediate() override { return immediate; }
    void setImmediate(bool value) override { immediate = value; }
    void setTargetCell(const Engine::cVector2& cell) override { target = cell; }
    Engine::cVector2 getTargetCell() override { return target; }
    bool canApply() override { return true; }
    void apply() override { ++applied; }

    int type = 11;
    bool immediate = false;
    Engine::cVector2 target{-1, -1};
    int applied = 0;
};

// Motion keys with round values for frame-by-frame scripts at 1/16 s.
inline std::string motionProto() {
    return pieceProto("falling_speed_side=\"160\" falling_acceleration=\"0\" before_match_delay=\"0.0625\" "
                      "bouncing_speed=\"1024\" bouncing_time=\"0.125\" after_match_delay=\"0.125\" "
                      "exchange_ellipse_b=\"8\" exchange_size_delta=\"0.25\" exchange_delta_deep=\"0.5\" "
                      "exchange_w_speed=\"12.566370614359172\" new_level_speed=\"64\" new_level_accel=\"0\" "
                      "end_level_delta_time=\"0.5\" end_level_dt=\"1\" end_level_fluct=\"0\" "
                      "end_level_accel=\"1024\" shake_time=\"0.25\" shake_amp=\"2\" bee_min_dist=\"40\"");
}

class MoveTest : public BoardTest {
protected:
    void TearDown() override {
        // Flying numbers delete themselves when they have flown: none may outlive the harness.
        if (ui.started())
            ui.run(1.0f);
        closeBoard();
        link.reset();
        GameServices::setGameSounds(nullptr);
    }

    void writeExtraFiles() override {
        // The bonus pieces a figure makes have prototypes and looks of their own.
        std::string objects = objectsXml();
        objects.insert(objects.find("</GameObjects>"), "<Object id=\"obj202\" Picture=\"art/p201.tga\"/>"
                                                       "<Object id=\"obj203\" Picture=\"art/p201.tga\"/>"
                                                       "<Object id=\"obj204\" Picture=\"art/p201.tga\"/>"
                                                       "<Object id=\"obj101\" Picture=\"art/p201.tga\"/>"
                                                       "<Object id=\"obj102\" Picture=\"art/p201.tga\"/>");
        ui.writeFile("Meadow/View/GameObjects.xml", objects);
        // The money paid for a piece passed down flies as a number.
        for (const char* name : {"Fonts/Digits30.fnt", "Fonts/Digits30.png"})
            ui.writeFile(name, TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name));
        ui.writeFile("Meadow/View/FlyingNumber.xml",
                     "<FlyingNumber Visible=\"1\" Enable=\"1\" fly_up_dir=\"0,-60\" fly_up_time=\"0.5\">"
                     "<Number Visible=\"1\" Font=\"Fonts/Digits30.fnt\" Texture=\"Fonts/Digits30.png\" "
                     "SpaceWidth=\"9\"/><Icon Visible=\"1\" size=\"8,8\" Picture=\"art/p1.tga\"/>"
                     "</FlyingNumber>");
    }

    // The board of the rows of piece types given (row 0 first; '.' a hole, '#' a cell without
    // a piece), the controller over it, every piece at its cell, shown and taking clicks.
    void play(const std::vector<std::string>& types, unsigned seed = 11) {
        if (!ui.started()) {
            // Each crush effect lies at a depth of its own (20 + index): tests tell them apart by it.
            std::string meadowView = meadowViewXml(motionProto());
            const size_t end = meadowView.find("</MatchEffects>");
            size_t at = meadowView.find("<MatchEffects>");
            for (int index = 0; (at = meadowView.find("deep=\"11\"", at)) < end; ++index)
                meadowView.replace(at, 9, "deep=\"" + std::to_string(20 + index) + "\"");
            writeFiles(meadowView);
        }
        GameServices::setGameSounds(&sounds);
        sounds.log.clear();
        std::vector<std::string> rows;
        for (const std::string& line : types) {
            std::string row;
            for (char c : line)
                row += std::string(row.empty() ? "" : "_") + (c == '.' ? "0" : "1");
            rows.push_back(row);
        }
        Engine::randomSeed(seed);
        std::string description = modelXml();
        // Runs of four to nine pay as well.
        std::string rules;
        for (int amount = 3; amount <= 9; ++amount)
            rules += "<Rule amount=\"" + std::to_string(amount) + "\" money=\"" + std::to_string(amount * 10) +
                     "\" bonus_points=\"1\"/>";
        for (size_t at = description.find("<Rule amount=\"3\""); at != std::string::npos;
             at = description.find("<Rule amount=\"3\"", at + rules.size())) {
            const size_t end = description.find("/>", at) + 2;
            description.replace(at, end - at, rules);
        }
        description.insert(
            description.find("</GameObjects>"),
            "<O type=\"202\" category=\"11\"/><O type=\"203\" category=\"11\"/>"
            "<O type=\"204\" category=\"11\"/><O type=\"101\" category=\"10\" color_group=\"-1\">"
            "<Rule amount=\"1\" money=\"40\" bonus_points=\"0\"/></O><O type=\"102\" "
            "category=\"10\" color_group=\"-1\"><Rule amount=\"1\" money=\"50\" bonus_points=\"0\"/></O>");
        // A bought bonus to aim.
        description.insert(description.find("</GameResources>"), "<R id=\"chicken\" type=\"11\" price=\"40\"/>");
        loadModel(description, rows);
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column) {
                const char c = types[size_t(row)][size_t(column)];
                if (c >= '1' && c <= '9')
                    model->createObjectAt(row, column)->setType(c - '0');
            }
        model->resetObjectStates();
        // A level with nothing left to clear would end at the controller's first check.
        model->getGoldPrizesLeft() = 1;
        buildBoard(true);
        placePieces(true);
        link = std::make_unique<BoardLink>(*board);
        controller->setLevelView(link.get());
        controller->setInputLocked(false);
        Engine::randomSeed(seed);
    }

    // One frame of the board screen.
    void frame() {
        ui.step();
        if (!link->locked)
            controller->update(TestSupport::UiHarness::FRAME_TIME);
    }
    // Frames until the field is at rest and the controller has nothing left to start (at most
    // the limit); answers the frames run.
    int settle(int limit = 400) {
        for (int frames = 1; frames <= limit; ++frames) {
            frame();
            if (!field->isBusy() && !model->hasBusyObject() && !model->hasMatches() && isFull())
                return frames;
        }
        return -1;
    }

    // Every enabled cell holds a piece.
    bool isFull() {
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column)
                if (model->getCell(row, column)->isEnabled() && !model->getObject(row, column))
                    return false;
        return true;
    }
    // The crush effects a cell plays now, by index (their depth less 20).
    std::vector<int> crushes(int row, int column) {
        std::vector<int> indices;
        for (Engine::cWidget* child : field->findCellView(row, column)->getChildren())
            if (child->getKind() == Engine::WIDGET_KIND_PYRO && child->isVisible())
                indices.push_back(int(static_cast<Engine::cSprite*>(child)->getDepth()) - 20);
        return indices;
    }
    cMeadowObjectModel* piece(int row, int column) { return model->getObject(row, column); }
    cMeadowObjectView* view(int row, int column) { return board->getGameObjectView(piece(row, column)); }
    Engine::cVector2 at(int row, int column) { return field->getCellPosition(row, column); }
    void click(int row, int column) {
        const Engine::cVector2 p = at(row, column);
        ui.click(p.x, p.y);
        frame();
        frame();
    }
    // The types of the board as rows (row 0 first); '.' an empty place.
    std::vector<std::string> types() {
        std::vector<std::string> rows;
        for (int row = 0; row < model->getRows(); ++row) {
            std::string line;
            for (int column = 0; column < model->getColumns(); ++column) {
                cMeadowObjectModel* p = piece(row, column);
                line += p ? char('0' + p->getType() % 10) : '.';
            }
            rows.push_back(line);
        }
        return rows;
    }

    SoundBook sounds;
    std::unique_ptr<BoardLink> link;
};

} // namespace TestLevel
