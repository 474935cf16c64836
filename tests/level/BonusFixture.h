#pragma once

// The vehicle board fixture with bought bonuses in the model (chickens 11 and 12, bears 31 and
// 32 of squares 3 and 2, the cat 41, the instant mix 71), a controller whose level view makes
// the real bonus effects and writes down every cell it is asked to crash, and bonus layouts of
// round numbers.

#include "tests/level/VehicleFixture.h"

#include "engine/core/WidgetSets.h"
#include "game/level/bonus/BonusEffect.h"
#include "game/model/LevelView.h"

#include <string>
#include <utility>
#include <vector>

namespace TestLevel {

class EffectLevelView : public ILevelView {
public:
    void setInputLocked(bool value) override { locked = value; }
    void refresh() override {}
    void updateSelection() override {}
    void showMatchedFigures(const tFigureList&, bool) override {}
    void animateExchange(IPieceView*, IPieceView*) override {}
    void animateSwapBack(IPieceView*, IPieceView*) override {}
    void crashCell(const Engine::cVector2& position, IBonusEffect* effect) override {
        crashes.emplace_back(position, effect);
    }
    void startObjectMotions() override {}
    IPieceView* getGameObjectView(cMeadowObjectModel* piece) override { return board->getGameObjectView(piece); }
    void showHint(const Engine::cVector2&, const Engine::cVector2&) override {}
    void hideHint() override {}
    void updateVehicles() override {}
    bool isFieldBusy() override { return false; }
    void finishLevel() override {}
    void resumeMusic() override {}
    bool isShown() override { return true; }
    bool isEnabled() override { return true; }
    IBonusEffect* createBonusEffect(int bonusType) override {
        return cBonusEffect::create(board, board->getModel(), bonusType);
    }
    void deleteBonusEffect(IBonusEffect* effect) override {
        if (auto* widget = dynamic_cast<Engine::cWidget*>(effect))
            Engine::deleteWidgetLater(widget);
        deleted.push_back(effect);
    }

    cMeadowView* board = nullptr;
    bool locked = false;
    std::vector<std::pair<Engine::cVector2, IBonusEffect*>> crashes;
    std::vector<IBonusEffect*> deleted;
};

inline std::string bonusModelXml() {
    std::string text = modelXml();
    const std::string money = "<R id=\"money\" type=\"1\"/>";
    text.replace(text.find(money), money.size(),
                 money + "<R id=\"chicken\" type=\"11\" price=\"5\" by_click=\"1\"/><R id=\"chicken2\" type=\"12\" "
                         "price=\"8\" by_click=\"1\"/><R id=\"bear\" type=\"31\" price=\"10\" special=\"3\" "
                         "by_click=\"1\"/><R id=\"bear2\" type=\"32\" price=\"12\" special=\"2\" by_click=\"1\"/>"
                         "<R id=\"cat\" type=\"41\" price=\"10\" by_click=\"1\"/><R id=\"mix\" type=\"71\" "
                         "price=\"4\" by_click=\"0\"/>");
    return text;
}

class BonusBoardTest : public VehicleBoardTest {
protected:
    void TearDown() override {
        // An effect a test left with the controller is a live widget: it goes with this board,
        // not into the next test's frames.
        if (controller) {
            controller->releaseBonusEffect(true);
            controller->setLevelView(nullptr);
        }
        VehicleBoardTest::TearDown();
    }

    void writeBonusFiles(const std::string& chickenExtra = "<WorkIcon Visible=\"1\" position=\"5,-5\" "
                                                           "size=\"20,20\" icon_work_time=\"0.5\" "
                                                           "Picture=\"art/icon.tga\"/>") {
        bonusFilesWritten = true;
        ui.writeFile("Meadow/View/bonuses/BearBonus.xml",
                     "<BearBonus Visible=\"1\" Enable=\"1\" bear_accel=\"800\" wait_time=\"1\" shake_delay=\"0.05\">"
                     "<IdleIcon Visible=\"1\" size=\"20,20\" Picture=\"art/icon.tga\"/>"
                     "<Bear position=\"0,-100\" size=\"100,100\" deep=\"40\"/>"
                     "<Splash><S size=\"60,60\" Picture=\"art/icon.tga\"/><S size=\"80,80\" "
                     "Picture=\"art/icon.tga\"/></Splash></BearBonus>");
        ui.writeFile("Meadow/View/bonuses/CatBonus.xml",
                     "<CatBonus Visible=\"1\" Enable=\"1\"><IdleIcon Visible=\"1\" size=\"20,20\" "
                     "Picture=\"art/icon.tga\"/><Cat Visible=\"1\" Enable=\"1\" deep=\"40\" speed=\"800\" "
                     "size_up=\"10,20\" size_up_left=\"11,21\" size_left=\"12,22\" size_left_down=\"13,23\" "
                     "size_down=\"14,24\"/></CatBonus>");
        ui.writeFile("Meadow/View/bonuses/ChickenBonus.xml",
                     "<ChickenBonus Visible=\"1\" Enable=\"1\"><IdleIcon Visible=\"1\" size=\"20,20\" "
                     "Picture=\"art/icon.tga\"/>" +
                         chickenExtra + "</ChickenBonus>");
    }

    void buildBonusBoard(const std::vector<std::string>& rows, const std::string& states = "") {
        writeVehicleFiles();
        if (!bonusFilesWritten)
            writeBonusFiles();
        ui.writeFile("Bonus/States.xml",
                     "<States><S id=\"falling_bear\" Picture=\"art/icon.tga\"/><S id=\"eating_bear\" "
                     "Picture=\"art/icon.tga\" frames_count=\"4\" anim_columns=\"4\" anim_length=\"0.5\"/>"
                     "<S id=\"cat_move_up\" Picture=\"art/p1.tga\"/><S id=\"cat_move_up_left\" Picture=\"art/p2.tga\"/>"
                     "<S id=\"cat_move_left\" Picture=\"art/p3.tga\"/><S id=\"cat_move_down_left\" "
                     "Picture=\"art/p4.tga\"/><S id=\"cat_move_down\" Picture=\"art/p201.tga\"/>" +
                         states + "</States>");
        writeFiles();
        this->states.load(ui.layout("Bonus/States.xml"));
        build(rows, false, true, bonusModelXml());
        levelView.board = board.get();
        controller->setLevelView(&levelView);
    }

    EffectLevelView levelView;
    bool bonusFilesWritten = false;
};

} // namespace TestLevel
