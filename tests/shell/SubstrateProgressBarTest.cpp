#include "game/shell/SubstrateProgressBar.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class SubstrateProgressBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui.writePicture("bar.tga", 4, 4, 0xFF00FF00);
        ui.writePicture("back.tga", 4, 4, 0xFF000000);
        ui.writeFile("bar.xml",
                     "<Bar Visible=\"1\" Picture=\"bar.tga\" position=\"100,100\" size=\"80,10\" deep=\"12\" "
                     "ProgressMaxValue=\"10\" ProgressCurrentValue=\"4\">"
                     "<Substrate Visible=\"1\" Picture=\"back.tga\" position=\"100,100\" size=\"84,14\" "
                     "deep=\"11\"/></Bar>");
        ui.start();
    }
    cSubstrateProgressBar* load(cWidget* parent, bool inverse) {
        auto* bar = new cSubstrateProgressBar(parent, inverse);
        bar->loadXML(ui.layout("bar.xml"));
        return bar;
    }

    UiHarness ui;
};

} // namespace

TEST_F(SubstrateProgressBarTest, ValuesAreClampedToTheMaximumAndInverseBarsEmpty) {
    const struct {
        bool inverse;
        float maximum;
        float value;
        float newMaximum; // 0: unchanged
        float stored;     // what the bar draws
        float seen;       // what the caller reads back
    } table[] = {
        {false, 10, 3, 0, 3, 3},  {false, 10, 12, 0, 10, 10}, {true, 10, 3, 0, 7, 3},
        {true, 10, 12, 0, 0, 10}, {false, 10, 8, 5, 5, 5},    {false, 10, 3, 5, 3, 3},
        {true, 10, 8, 5, 0, 5},   {true, 10, 3, 5, 2, 3},     {true, 10, 3, 20, 17, 3},
    };
    for (const auto& row : table) {
        cSubstrateProgressBar bar(nullptr, row.inverse);
        bar.setMaximum(row.maximum);
        bar.setValue(row.value);
        if (row.newMaximum > 0)
            bar.setMaximum(row.newMaximum);
        EXPECT_EQ(bar.getCurrentValue(), row.stored) << row.inverse << " " << row.value << " " << row.newMaximum;
        EXPECT_EQ(bar.getValue(), row.seen) << row.inverse << " " << row.value << " " << row.newMaximum;
    }
}

TEST_F(SubstrateProgressBarTest, LayoutReadsTheSubstrateAndTurnsAnInverseValue) {
    cSubstrateProgressBar* plain = load(nullptr, false);
    cSubstrateProgressBar* inverse = load(nullptr, true);
    EXPECT_EQ(plain->getCurrentValue(), 4);
    EXPECT_EQ(inverse->getCurrentValue(), 6);
    EXPECT_EQ(inverse->getValue(), 4);
    ASSERT_TRUE(plain->getChildren().count(plain->getSubstrate()));
    EXPECT_EQ(plain->getSubstrate()->getSize(), cVector2(84, 14));
    EXPECT_EQ(plain->getSubstrate()->getDepth(), 11);
    delete plain;
    delete inverse;
}

TEST_F(SubstrateProgressBarTest, KeepsItsDepthWhenItsParentMoves) {
    cPanel parent(nullptr);
    cSubstrateProgressBar* bar = load(&parent, false);
    parent.setDepth(50);
    EXPECT_EQ(bar->getDepth(), 12);
    bar->setDepth(3);
    EXPECT_EQ(bar->getDepth(), 12);
    EXPECT_EQ(bar->getSubstrate()->getDepth(), 11);
}

TEST_F(SubstrateProgressBarTest, CopyClonesTheSubstrateAndMirroringTakesItAlong) {
    cSubstrateProgressBar* prototype = load(nullptr, true);
    cSubstrateProgressBar copy(*prototype);
    delete prototype;
    EXPECT_TRUE(copy.isInverse());
    ASSERT_TRUE(copy.getSubstrate());
    EXPECT_TRUE(copy.getChildren().count(copy.getSubstrate()));
    EXPECT_EQ(copy.getSubstrate()->getSize(), cVector2(84, 14));
    copy.setDepth(0);
    EXPECT_EQ(copy.getDepth(), 12);
    copy.setInverseX(true);
    EXPECT_TRUE(copy.getSubstrate()->getInverseX());
    copy.setValue(1);
    EXPECT_EQ(copy.getCurrentValue(), 9);
}
