// The board's tips: the bonus tip's description and the vehicle tip's message with its one
// number (never reading the data as a format).

#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "game/level/bonus/BonusPanel.h"
#include "game/level/bonus/BonusTip.h"
#include "game/level/bonus/BonusView.h"
#include "game/level/vehicles/VehicleTip.h"
#include "game/model/GameResource.h"
#include "game/model/MeadowModel.h"
#include "game/model/VehicleModel.h"
#include "game/model/VehicleViewLink.h"
#include "tests/level/ShippedBoard.h"
#include "tests/model/ShippedModel.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Engine;

namespace {

class VehicleLink : public IVehicleView {
public:
    cVehicleModel* getVehicle() override { return &vehicle; }
    cVehicleModel vehicle{3};
};

class GameTipsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestLevel::writeShippedBoard(ui);
        ui.start();
        model = TestShipped::makeModel();
        control = new cPanel(nullptr);
    }
    void TearDown() override { delete control; }

    TestSupport::UiHarness ui;
    std::unique_ptr<cMeadowModel> model;
    cPanel* control = nullptr;
};

} // namespace

TEST_F(GameTipsTest, BonusTipShowsTheDescriptionOfItsButtonsBonusAndKeepsItsTextWithoutOne) {
    model->getBonus(31)->available = 1;
    auto* panel = new cBonusPanel(nullptr, model.get(), nullptr);
    auto* tip = static_cast<cBonusTip*>(panel->getButtons().at(0)->getTip());
    tip->updateContent();
    EXPECT_EQ(model->getBonus(31)->description, tip->getDescriptionText()->getText());
    EXPECT_FALSE(tip->getDescriptionText()->getText().empty());

    cBonusTip lonely(control);
    lonely.getDescriptionText()->setText(L"layout");
    lonely.updateContent();
    EXPECT_EQ(L"layout", lonely.getDescriptionText()->getText());
    delete panel;
}

TEST_F(GameTipsTest, VehicleMessageTakesOneNumberAndNeverReadsTheDataAsAFormat) {
    const struct {
        const wchar_t* format;
        const wchar_t* expected;
    } cases[] = {
        {L"pays %d coins", L"pays 120 coins"},
        {L"%s and %n then %d", L"%s and %n then 120"},
        {L"%d and %d", L"120 and %d"},
        {L"100%% sure: %5d|%-4i|%03d", L"100% sure:   120|%-4i|%03d"},
        {L"%", L"%"},
        {L"%x %ls %d", L"%x %ls 120"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, cVehicleTip::formatMessage(c.format, 120)) << std::string(c.format, c.format + 2);
    EXPECT_EQ(L"-7", cVehicleTip::formatMessage(L"%d", -7));
    // A message longer than the buffer is cut, not overrun.
    EXPECT_EQ(cVehicleTip::MESSAGE_LIMIT, cVehicleTip::formatMessage(std::wstring(600, L'a') + L"%d", 1).size());
    EXPECT_GE(cVehicleTip::MESSAGE_LIMIT, cVehicleTip::formatMessage(L"%999999999d", 1).size());

    VehicleLink link;
    link.vehicle.setMoney(120);
    cVehicleTip tip(control);
    EXPECT_EQ(L"Fill this truck and it pays %d coins.", tip.getMessage());
    tip.setVehicleView(&link);
    tip.updateContent();
    EXPECT_EQ(L"Fill this truck and it pays 120 coins.", tip.getMessageText()->getText());
    tip.setMessage(L"%s%n%s%s%s");
    tip.updateContent();
    EXPECT_EQ(L"%s%n%s%s%s", tip.getMessageText()->getText());
}
