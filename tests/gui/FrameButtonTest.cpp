// Frame and texture buttons: the frame or texture of each state, and the frame button's
// cross-fade through its transition panel, read from the panel and from the recorded draws.

#include "engine/gui/FrameButton.h"
#include "engine/core/ResourceManager.h"
#include "engine/gui/TextureButton.h"
#include "engine/media/Texture.h"
#include "tests/gui/ButtonScript.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class FrameButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ButtonScript::log().clear();
        ui.start();
        ui.writePicture("frames.tga", 4, 1, 0xFFFFFFFFu);
    }
    template <class Button> std::unique_ptr<Button> load(const std::string& keys) {
        ui.writeFile("b.xml", "<B Visible=\"1\" Enable=\"1\" position=\"100,100\" size=\"100,50\" " + keys + "/>");
        auto button = std::make_unique<Button>(nullptr);
        button->loadXML(ui.layout("b.xml"));
        getResourceManager()->forgetResource("b.xml");
        return button;
    }
    // "frame/alpha of the transition panel", "-" for a hidden panel.
    static std::string look(cFrameButton& button) {
        cPanel* panel = button.getTransitionPanel();
        char alpha[16] = "-";
        if (panel && panel->isVisible())
            std::snprintf(alpha, sizeof(alpha), "%g", panel->getAlpha());
        return std::to_string(button.getAnimFrame()) + "/" + alpha;
    }
    UiHarness ui;
};

const char* const FRAMES = "Picture=\"frames.tga\" frames_count=\"4\" anim_columns=\"4\" frame_normal=\"0\" "
                           "frame_hover=\"1\" frame_pressed=\"2\" frame_disabled=\"3\" ";

} // namespace

TEST_F(FrameButtonTest, EachStateShowsItsFrameAndTheOldFrameFadesOut) {
    auto button = load<cFrameButton>(std::string(FRAMES) + "normal_hover_time=\"0.25\" hover_down_time=\"0.125\"");
    ASSERT_NE(button->getTransitionPanel(), nullptr);
    EXPECT_EQ(look(*button), "0/-");
    const std::string seen =
        ButtonScript::run(ui, "m100,100 s s s s p s s r s m300,300 s", [&] { return look(*button); });
    // Hover over a fading normal frame, pressed over a fading hover frame, no fade from pressed
    // to hover, and normal over a fading hover frame.
    EXPECT_EQ(seen, "1/0.75 1/0.5 1/0.25 1/- 2/0.5 2/- 1/- 0/0.75");

    // The old frame is drawn above the new one with the fade's alpha.
    ASSERT_EQ(ui.draws().size(), 2u);
    EXPECT_FLOAT_EQ(ui.draws()[0].quad.textureRect[0], 0.0f);
    EXPECT_EQ(ui.draws()[0].alpha(), 255u);
    EXPECT_FLOAT_EQ(ui.draws()[1].quad.textureRect[0], 0.25f);
    EXPECT_EQ(ui.draws()[1].alpha(), 191u);
}

TEST_F(FrameButtonTest, AReleaseOutsideFadesThePressedFrameOutOverTheNormalOne) {
    auto button =
        load<cFrameButton>(std::string(FRAMES) + "deep=\"4\" normal_hover_time=\"0.5\" hover_down_time=\"0.25\"");
    // The old frame is drawn just above the button.
    EXPECT_FLOAT_EQ(button->getTransitionPanel()->getDepth(), 4.001f);
    const std::string seen =
        ButtonScript::run(ui, "m100,100 s s s s s s s s p s s s s m300,300 r s s", [&] { return look(*button); });
    EXPECT_EQ(seen, "1/0.875 1/0.75 1/0.625 1/0.5 1/0.375 1/0.25 1/0.125 1/- 2/0.75 2/0.5 2/0.25 2/- 0/0.75 0/0.5");
}

TEST_F(FrameButtonTest, AFadeGoesOnWhileTheButtonIsDisabled) {
    auto button = load<cFrameButton>(std::string(FRAMES) + "normal_hover_time=\"0.25\" AbsoluteEnable=\"1\"");
    ui.moveTo(100, 100);
    ui.step();
    button->disable();
    EXPECT_EQ(look(*button), "3/0.75");
    ui.step();
    EXPECT_EQ(look(*button), "3/0.5");
    ui.steps(2);
    EXPECT_EQ(look(*button), "3/-");
}

TEST_F(FrameButtonTest, WithoutFadeTimesThereIsNoTransitionPanelAndCopiesHaveTheirOwn) {
    auto plain = load<cFrameButton>(FRAMES);
    EXPECT_EQ(plain->getTransitionPanel(), nullptr);
    EXPECT_FALSE(plain->getPlayAnimation());

    auto fading = load<cFrameButton>(std::string(FRAMES) + "normal_hover_time=\"0.25\"");
    cFrameButton copy(*fading);
    ASSERT_NE(copy.getTransitionPanel(), nullptr);
    EXPECT_NE(copy.getTransitionPanel(), fading->getTransitionPanel());
    EXPECT_EQ(copy.getTransitionPanel()->getParent(), &copy);
    EXPECT_EQ(copy.getFrameOfState(cButton::BUTTON_PRESSED), 2u);
}

TEST_F(FrameButtonTest, ShownUnderTheCursorItShowsTheHoverFrame) {
    ui.moveTo(100, 100);
    ui.step();
    auto button = load<cFrameButton>(FRAMES);
    EXPECT_EQ(button->getState(), cButton::BUTTON_HOVER);
    EXPECT_EQ(button->getAnimFrame(), 1);
}

TEST_F(FrameButtonTest, TextureButtonsFallBackToTheNormalTexture) {
    ui.writePicture("n.tga", 2, 2, 0xFF0000FFu);
    ui.writePicture("p.tga", 2, 2, 0xFF00FF00u);
    ui.writePicture("d.tga", 2, 2, 0xFFFF0000u);
    auto button = load<cTextureButton>("Picture=\"n.tga\" texture_pressed=\"p.tga\" texture_disabled=\"d.tga\"");
    auto name = [&] { return button->getPicture() ? button->getPicture()->getName() : std::string("none"); };
    EXPECT_EQ(ButtonScript::run(ui, "m100,100 s p s r s m300,300 s", name), "n.tga p.tga n.tga n.tga");
    button->disable();
    EXPECT_EQ(name(), "d.tga");

    cTextureButton copy(*button);
    EXPECT_EQ(copy.getStateTexture(cButton::BUTTON_PRESSED), button->getStateTexture(cButton::BUTTON_PRESSED));
    EXPECT_EQ(copy.getStateTexture(cButton::BUTTON_HOVER), button->getStateTexture(cButton::BUTTON_NORMAL));
}
