#include "engine/gui/Fader.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Sprite.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class CountingFader : public cFader {
public:
    using cFader::cFader;
    void onFadedIn() override { ++fadedIn; }
    void onFadedOut() override {
        ++fadedOut;
        cFader::onFadedOut();
    }
    int fadedIn = 0, fadedOut = 0;
};

class FaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui.start();
        fader = new CountingFader(nullptr);
        child = new cSprite(fader);
        child->show();
        fader->enable();
    }
    void TearDown() override {
        if (isWidgetAlive(fader))
            delete fader;
    }
    // The child's alpha after each of n frames.
    std::vector<float> run(int frames) {
        std::vector<float> values;
        for (int i = 0; i < frames; ++i) {
            ui.step();
            values.push_back(child->getAlpha());
        }
        return values;
    }

    UiHarness ui;
    CountingFader* fader = nullptr;
    cSprite* child = nullptr;
};

} // namespace

TEST_F(FaderTest, FadeInOverTheShowTime) {
    fader->setShowTime(0.5f);
    fader->fadeIn();
    EXPECT_TRUE(fader->isVisible());
    EXPECT_EQ(child->getAlpha(), 0.0f);
    const std::vector<float> values = run(9);
    for (int i = 0; i < 7; ++i)
        EXPECT_FLOAT_EQ(values[size_t(i)], 0.125f * float(i + 1));
    EXPECT_EQ(values[7], 1.0f);
    EXPECT_EQ(fader->getState(), cFader::FADER_IDLE);
    EXPECT_EQ(fader->fadedIn, 1);
}

TEST_F(FaderTest, ReversalMidFadeContinuesFromTheValueReached) {
    fader->fadeIn();
    run(8); // half of 1 s
    EXPECT_FLOAT_EQ(child->getAlpha(), 0.5f);
    fader->fadeOut();
    EXPECT_FLOAT_EQ(fader->getTimer(), 0.5f);
    const std::vector<float> values = run(8);
    EXPECT_FLOAT_EQ(values[0], 0.4375f);
    EXPECT_EQ(values[7], 0.0f);
    EXPECT_EQ(fader->fadedOut, 1);
    EXPECT_FALSE(fader->isVisible());

    // And back: a fade-in from the middle of a fade-out.
    fader->show();
    fader->setFadeValue(1);
    fader->fadeOut();
    run(4);
    fader->fadeIn();
    EXPECT_FLOAT_EQ(fader->getTimer(), 0.25f);
}

TEST_F(FaderTest, FadeOutFromZeroEndsInTheNextFrame) {
    fader->show();
    fader->fadeOut();
    ui.step();
    EXPECT_EQ(fader->fadedOut, 1);
    EXPECT_FALSE(fader->isVisible());
}

TEST_F(FaderTest, FadeOutAndDeleteFromIdleTakesTheWholeHideTime) {
    fader->show();
    fader->setFadeValue(0.3f);
    fader->fadeOutAndDelete();
    EXPECT_EQ(fader->getTimer(), 1.0f);
    run(15);
    EXPECT_TRUE(isWidgetAlive(fader));
    EXPECT_FLOAT_EQ(child->getAlpha(), 0.0625f);
    ui.step();
    EXPECT_FALSE(isWidgetAlive(fader));
}

TEST_F(FaderTest, HidingMidFadeStopsWhereItIs) {
    fader->fadeIn();
    run(4);
    fader->hide();
    EXPECT_EQ(fader->getState(), cFader::FADER_IDLE);
    EXPECT_FLOAT_EQ(child->getAlpha(), 0.25f);
    fader->show();
    run(2);
    EXPECT_FLOAT_EQ(child->getAlpha(), 0.25f);
}

TEST_F(FaderTest, ZeroTimesReversedMidFadeStillEnd) {
    struct Case {
        float showTime, hideTime;
        bool reverseToOut;
    };
    const Case cases[] = {{0, 0, true}, {0, 1, true}, {0, 0, false}, {1, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.showTime << " " << c.hideTime << " " << c.reverseToOut);
        fader->setShowTime(c.showTime);
        fader->setHideTime(c.hideTime);
        fader->fadedIn = fader->fadedOut = 0;
        if (c.reverseToOut) {
            fader->fadeIn();
            fader->fadeOut();
        } else {
            fader->show();
            fader->setFadeValue(1);
            fader->fadeOut();
            fader->fadeIn();
        }
        run(c.showTime + c.hideTime > 0 ? 17 : 1);
        EXPECT_EQ(fader->getState(), cFader::FADER_IDLE);
        EXPECT_EQ(fader->fadedOut, c.reverseToOut ? 1 : 0);
        EXPECT_EQ(fader->fadedIn, c.reverseToOut ? 0 : 1);
    }
}

TEST_F(FaderTest, LoadsTimesAndLayers) {
    ui.writeFile("f.xml", "<F Visible=\"1\" Enable=\"1\" ShowTime=\"0.25\" HideTime=\"x\">"
                          "<Background><P Visible=\"1\"/><Q Visible=\"1\"/></Background></F>");
    CountingFader loaded(nullptr);
    loaded.loadXML(ui.layout("f.xml"));
    EXPECT_EQ(loaded.getShowTime(), 0.25f);
    EXPECT_EQ(loaded.getHideTime(), 1.0f);
    loaded.fadeIn();
    ui.steps(2);
    for (cWidget* layer : loaded.getLayers())
        EXPECT_FLOAT_EQ(static_cast<cSprite*>(layer)->getAlpha(), 0.5f);
}
