// The map's two tips: the game-object tip of every unit (the first one too) with its produce
// line only when the unit brings a piece, and the lug tip's text and placement.

#include "game/development/GameObjectTip.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "game/development/LugTip.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/UnitUpgrade.h"
#include "game/model/UnitsFeature.h"
#include "tests/model/ShippedModel.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace Engine;

namespace {

class GameObjectTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::string> names = TestSupport::shippedAtlasFiles(MEADOW_DATA_DIR);
        names.push_back("Meadow/View/GameObjects.xml");
        for (const auto& entry : std::filesystem::directory_iterator(std::string(MEADOW_DATA_DIR) + "/Fonts"))
            names.push_back("Fonts/" + entry.path().filename().string());
        for (const std::string& name : names)
            ui.writeFile(name, TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name));
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

TEST_F(GameObjectTipTest, GameObjectTipDescribesEveryUnitTheFirstTooAndShowsTheProduceLineOnlyWhenItProduces) {
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

TEST_F(GameObjectTipTest, LugTipNamesTheUpgradeOfItsIndexOrTheNextAndNothingPastTheLast) {
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

TEST_F(GameObjectTipTest, LugTipBodyStaysHomeAndSlidesOnlyByTheExcessTowardTheLug) {
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
