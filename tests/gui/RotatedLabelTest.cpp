#include "engine/gui/RotatedLabel.h"

#include "engine/gui/CoinText.h"
#include "engine/gui/Panel.h"
#include "tests/gui/LabelFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Engine;

namespace {

class RotatedLabelTest : public TestSupport::LabelFixture {
protected:
    // How far the grouping moved each drawn letter, against a plain label of the same text.
    std::vector<float> shifts(const std::string& text, const std::string& keys = "") {
        const std::string element = std::string("<L Visible=\"1\" position=\"300,50\" ") + FONT_KEYS + " String=\"" +
                                    text + "\" " + keys + "/>";
        load(element, "plain.xml");
        ui.step();
        const std::vector<float> plain = drawnCentres();
        owned.clear();
        load<cRotatedLabel>(element, "rotated.xml");
        ui.step();
        std::vector<float> moved = drawnCentres();
        owned.clear();
        for (size_t i = 0; i < moved.size() && i < plain.size(); ++i)
            moved[i] -= plain[i];
        return moved;
    }
};

} // namespace

TEST_F(RotatedLabelTest, DigitsFallIntoGroupsOfThreeFromTheRight) {
    start();
    EXPECT_EQ(shifts("1234567", "DegreeOffset=\"6\""), (std::vector<float>{0, 4, 2, 0, 4, 2, 0}));
    // The default offset is 4; letters break a run of digits.
    const std::vector<float> moved = shifts("12x1234", "");
    const float expected[] = {4.0f / 3, 0, 0, 0, 8.0f / 3, 4.0f / 3, 0};
    ASSERT_EQ(moved.size(), 7u);
    for (size_t i = 0; i < 7; ++i)
        EXPECT_NEAR(moved[i], expected[i], 1e-4f) << i;
    // Three letters or fewer are never moved.
    EXPECT_EQ(shifts("123", "DegreeOffset=\"6\""), (std::vector<float>{0, 0, 0}));
}

TEST_F(RotatedLabelTest, TheGroupingSurvivesARebuildOfTheQuads) {
    start();
    auto* label = load<cRotatedLabel>(std::string("<L Visible=\"1\" position=\"300,50\" ") + FONT_KEYS +
                                      " String=\"1234\" DegreeOffset=\"3\" Align=\"1\"/>");
    EXPECT_FLOAT_EQ(label->getDegreeOffset(), 3);
    label->setPosition(cVector2(100, 50));
    ui.step();
    EXPECT_EQ(drawnCentres(), (std::vector<float>{105, 117, 126, 135}));
}

TEST_F(RotatedLabelTest, CoinTextPlacesItsCoinBesideTheLabelAndGreysItWhenDisabled) {
    start();
    ui.writePicture("coin.tga", 2, 1, 0xFFFFCC00u);
    auto* text = load<cCoinText>(std::string("<L Visible=\"1\" Enable=\"1\" position=\"300,50\" ") + FONT_KEYS +
                                 " String=\"100\"><Coin Visible=\"1\" Picture=\"coin.tga\" position=\"-30,2\" "
                                 "size=\"16,16\" frames_count=\"2\" anim_columns=\"2\"/></L>");
    cPanel* coin = text->getCoin();
    EXPECT_EQ(coin->getParent(), text);
    EXPECT_EQ(coin->getPosition(), cVector2(270, 52));
    EXPECT_EQ(coin->getAnimFrame(), 0);
    ui.step();
    EXPECT_EQ(ui.draws().size(), 4u);
    text->disable();
    EXPECT_EQ(coin->getAnimFrame(), 1);
    text->enable();
    EXPECT_EQ(coin->getAnimFrame(), 0);

    try {
        load<cCoinText>(std::string("<L ") + FONT_KEYS + " String=\"1\"/>", "nocoin.xml");
        ADD_FAILURE() << "no coin accepted";
    } catch (const char* text) {
        EXPECT_STREQ(text, "Can't find Coin");
    }
}
