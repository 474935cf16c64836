// The info panel on its shipped layout: the backing and counters chosen by the level's goals,
// and the counters written as taken out of the total.

#include "game/level/field/InfoPanel.h"
#include "engine/gui/Label.h"
#include "tests/level/LevelFixture.h"
#include "tests/level/ShippedBoard.h"

using namespace Engine;

namespace {

class InfoPanelTest : public TestLevel::BoardTest {
protected:
    void writeExtraFiles() override {
        std::vector<std::string> names = TestSupport::shippedAtlasFiles(MEADOW_DATA_DIR);
        names.insert(names.end(), {"Meadow/View/InfoPanel.xml", "Fonts/Text22.fnt", "Fonts/Text22.png"});
        for (const std::string& name : names)
            ui.writeFile(name, TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name));
    }
};

} // namespace

TEST_F(InfoPanelTest, GoldPrizesOnlyUseTheGoldBackAndTheShortCounter) {
    build({"1_1", "1_1"});
    model->setGoldPrizesTotal(6);
    model->setGoldPrizesLeft(2);
    auto* panel = new cInfoPanel(board.get());
    ASSERT_NE(nullptr, panel->getGoldText());
    EXPECT_EQ(nullptr, panel->getVehiclesText());
    EXPECT_EQ(cVector2(140, 64), panel->getBack()->getSize());
    EXPECT_NE(nullptr, panel->getBack()->getPicture());
    EXPECT_EQ(cVector2(872, 130), panel->getGoldText()->getPosition());
    // The count says what it counts: the gold's icon stands left of it.
    ASSERT_NE(nullptr, panel->getGoldIcon());
    EXPECT_EQ(nullptr, panel->getVehiclesIcon());
    EXPECT_NE(nullptr, panel->getGoldIcon()->getPicture());
    EXPECT_EQ(cVector2(826, 130), panel->getGoldIcon()->getPosition());
    panel->formatProgressCounters();
    EXPECT_EQ(L"4/6", panel->getGoldText()->getText());
    model->setGoldPrizesLeft(0);
    panel->formatProgressCounters();
    EXPECT_EQ(L"6/6", panel->getGoldText()->getText());
}

TEST_F(InfoPanelTest, ALevelWithoutGoalsHasNeitherBackingNorCounters) {
    build({"1_1", "1_1"});
    cInfoPanel* panel = board->getInfoPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(nullptr, panel->getGoldText());
    EXPECT_EQ(nullptr, panel->getVehiclesText());
    EXPECT_EQ(nullptr, panel->getBack()->getPicture());
    EXPECT_EQ(nullptr, panel->getGoldIcon());
    EXPECT_EQ(nullptr, panel->getVehiclesIcon());
    panel->formatProgressCounters();
}
