// The game's four tips: the bonus tip's description, the vehicle tip's message with its one
// number (never reading the data as a format), the game-object tip of every unit (the first
// one too) with its produce line only when the unit brings a piece, and the lug tip's text and
// placement.

#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "game/level/BonusPanel.h"
#include "game/level/BonusTip.h"
#include "game/level/BonusView.h"
#include "game/level/GameObjectTip.h"
#include "game/level/LugTip.h"
#include "game/level/VehicleTip.h"
#include "game/model/GameResource.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/UnitsFeature.h"
#include "game/model/VehicleModel.h"
#include "game/model/VehicleView.h"
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
        ui.writeFile("tips.xml", TIPS);
        ui.start();
        model = TestShipped::makeModel();
        control = new cPanel(nullptr);
    }
    void TearDown() override { delete control; }

    static constexpr const char* TIPS = R"(<Tips>
  <ObjectTip ShowDelayTime="0.5" GiveBonusMsg="Gives bonus level">
    <Panel Visible="0" position="500,300" size="300,160" deep="60"/>
    <CaptionText Visible="1" position="500,250" size="280,30" deep="61" Font="Fonts/Text22.fnt"
        Texture="Fonts/Text22.png" SpaceWidth="7" String="caption"/>
    <ProduceText Visible="1" position="500,290" size="280,30" deep="61" Font="Fonts/Text16.fnt"
        Texture="Fonts/Text16.png" SpaceWidth="5" String="Brings:"/>
    <BonusText Visible="1" position="500,330" size="280,30" deep="61" Font="Fonts/Text16.fnt"
        Texture="Fonts/Text16.png" SpaceWidth="5" String="bonus"/>
    <ProduceIcon Visible="1" position="600,290" size="40,40" deep="61"/>
    <Lug Visible="1" position="500,390" size="40,20" deep="61"/>
  </ObjectTip>
  <LugTip lug_offset="10" tip_pos="500,300">
    <Panel Visible="0" position="500,300" size="300,160" deep="60"/>
    <Lug Visible="1" position="500,390" size="40,20" deep="61"/>
  </LugTip>
</Tips>)";

    TestSupport::UiHarness ui;
    std::unique_ptr<cMeadowModel> model;
    cPanel* control = nullptr;
};

IXmlNode* child(IXmlNode* root, const char* name) {
    IXmlNode* node = nullptr;
    root->findNode(name, node);
    return node;
}

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

TEST_F(GameTipsTest, GameObjectTipDescribesEveryUnitTheFirstTooAndShowsTheProduceLineOnlyWhenItProduces) {
    auto* tip = new cGameObjectTip(control);
    tip->loadXML(child(ui.layout("tips.xml"), "ObjectTip"));
    // Shown, so each part's visibility is its own flag.
    control->show();
    tip->show();
    EXPECT_EQ(L"Gives bonus level", tip->getGiveBonusMessage());
    cMeadowUnit* first = model->getUnitsFeature()->getUnit(0);
    ASSERT_EQ(0, first->getId());
    first->setLevel(1);
    ASSERT_NE(-1, first->getObjectType());
    tip->setUnit(first);
    tip->updateContent();
    EXPECT_EQ(first->getName(), tip->getCaptionText()->getText());
    EXPECT_TRUE(tip->getProduceIcon()->isVisible());
    EXPECT_NE(nullptr, tip->getProduceIcon()->getPicture());
    // The next upgrade brings another piece: its picture, from the same atlas.
    const cVector2 firstFrame = tip->getProduceIcon()->getFrame().position;
    first->setLevel(2);
    ASSERT_NE(21, first->getObjectType());
    tip->updateContent();
    EXPECT_NE(firstFrame, tip->getProduceIcon()->getFrame().position);
    first->setLevel(1);

    cMeadowUnit* idle = model->getUnitsFeature()->getUnit(1);
    ASSERT_EQ(-1, idle->getObjectType());
    tip->setUnit(idle);
    tip->updateContent();
    EXPECT_EQ(idle->getName(), tip->getCaptionText()->getText());
    EXPECT_FALSE(tip->getProduceText()->isVisible());
    EXPECT_FALSE(tip->getProduceIcon()->isVisible());
    tip->setUnit(first);
    tip->updateContent();
    EXPECT_TRUE(tip->getProduceText()->isVisible());
    EXPECT_TRUE(tip->getProduceIcon()->isVisible());
}

TEST_F(GameTipsTest, LugTipNamesTheUpgradeOfItsIndexOrTheNextAndNothingPastTheLast) {
    auto* tip = new cLugTip(control);
    tip->loadXML(child(ui.layout("tips.xml"), "ObjectTip"));
    cMeadowUnit* unit = model->getUnitsFeature()->getUnit(0);
    tip->setUnit(unit);
    tip->setUpgradeIndex(-1);
    tip->updateContent();
    const cUnitUpgrade& next = unit->getUpgrade(unit->getLevel() + 1);
    EXPECT_EQ(next.name, tip->getCaptionText()->getText());
    EXPECT_EQ(L"Gives bonus level " + std::to_wstring(next.level), tip->getProduceText()->getText());
    EXPECT_EQ(next.description, tip->getBonusText()->getText());
    tip->setUpgradeIndex(0);
    tip->updateContent();
    EXPECT_EQ(unit->getUpgrade(0).name, tip->getCaptionText()->getText());

    // The last upgrade reached: no next record to read.
    unit->setLevel(unit->getUpgradeCount() - 1);
    tip->setUpgradeIndex(-1);
    tip->updateContent();
    EXPECT_EQ(L"", tip->getCaptionText()->getText());
    EXPECT_EQ(L"", tip->getProduceText()->getText());
    EXPECT_EQ(L"", tip->getBonusText()->getText());
}

TEST_F(GameTipsTest, LugTipBodyStaysHomeAndSlidesOnlyByTheExcessTowardTheLug) {
    auto* tip = new cLugTip(control);
    tip->loadXML(child(ui.layout("tips.xml"), "LugTip"));
    // Room = 150 - 20 - 10 = 120 either side of 500.
    const struct {
        float lugX;
        float bodyX;
    } cases[] = {{500, 500}, {620, 500}, {380, 500}, {650, 530}, {300, 420}};
    for (const auto& c : cases) {
        tip->setLugPosition(cVector2(c.lugX, 390.0f));
        tip->placeAt(cVector2(0, 0));
        EXPECT_FLOAT_EQ(c.bodyX, tip->getPosition().x) << c.lugX;
        EXPECT_FLOAT_EQ(300, tip->getPosition().y);
        EXPECT_EQ(cVector2(c.lugX, 390.0f), tip->getLug()->getPosition());
    }
}
