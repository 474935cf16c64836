// Caption buttons over the synthetic font: the hover wave of the letters, the state looks of a
// text button (colour, offset, letter scale), copies from prototypes, and state indices that
// name no state. Driven by scripted mouse input through the harness.

#include "engine/gui/ButtonCaption.h"

#include "engine/gui/FrameTextButton.h"
#include "engine/gui/TextButton.h"
#include "engine/gui/TextureTextButton.h"
#include "tests/gui/ButtonScript.h"
#include "tests/gui/LabelFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

using namespace Engine;

namespace {

class ButtonCaptionTest : public TestSupport::LabelFixture {
protected:
    // A 100 x 40 button at (200, 100) whose caption "AB" has the given keys.
    template <class Button> Button* button(const std::string& captionKeys, const std::string& buttonKeys = "") {
        return load<Button>("<B Visible=\"1\" Enable=\"1\" position=\"200,100\" size=\"100,40\" deep=\"5\" " +
                            buttonKeys + "><Text Visible=\"1\" Enable=\"1\" String=\"AB\" " + FONT_KEYS + " " +
                            captionKeys + "/></B>");
    }
    // How far each letter's centre is off the caption's line.
    static std::string wave(cButtonCaption& caption) {
        std::ostringstream out;
        const char* separator = "";
        for (const cSpriteQuad& quad : caption.getQuads()) {
            out << separator
                << (quad.vertices[1].position.y + quad.vertices[2].position.y) * 0.5f - caption.getPosition().y;
            separator = ",";
        }
        return out.str();
    }
    static std::string look(cTextButton& b) {
        cButtonCaption& c = *b.getCaption();
        std::ostringstream out;
        out << b.getState() << ":" << std::hex << c.getColor().toARGB() << std::dec << ":" << c.getPosition().x << ","
            << c.getPosition().y << ":" << c.getMultiplier();
        return out.str();
    }
};

const char* const WAVE_KEYS = "Offset=\"4\" Speed=\"40\" Multiplier=\"1\"";

} // namespace

TEST_F(ButtonCaptionTest, HoverWavesTheLettersApartAndBackStoppingExactlyOnTheirPlaces) {
    start();
    // 40 px/s over 1/16 s frames: 2.5 px a frame, the second frame stops on 4; letters 0, 2, ...
    // go down, letters 1, 3, ... go up.
    const char* expected = "0,0 2.5,-2.5 4,-4 4,-4 1.5,-1.5 0,0 0,0";
    const char* script = "m0,0 s m200,100 s s s m0,0 s s s";
    {
        SCOPED_TRACE("frame text button");
        auto* b = button<cFrameTextButton>(WAVE_KEYS);
        EXPECT_EQ(ButtonScript::run(ui, script, [b] { return wave(*b->getCaption()); }), expected);
        EXPECT_FALSE(b->getCaption()->isWaveMoving());
        owned.clear();
    }
    {
        SCOPED_TRACE("texture text button");
        auto* b = button<cTextureTextButton>(WAVE_KEYS);
        EXPECT_EQ(ButtonScript::run(ui, script, [b] { return wave(*b->getCaption()); }), expected);
        owned.clear();
    }
    {
        SCOPED_TRACE("text button");
        auto* b = button<cTextButton>(WAVE_KEYS);
        EXPECT_EQ(ButtonScript::run(ui, script, [b] { return wave(*b->getCaption()); }), expected);
    }
}

TEST_F(ButtonCaptionTest, StepsThatAreNotExactInBinaryStillStopExactlyOnThePlace) {
    start();
    auto* b = button<cFrameTextButton>(WAVE_KEYS);
    ui.moveTo(200, 100);
    for (int frame = 0; frame < 4; ++frame)
        ui.step(0.03f);
    EXPECT_EQ(wave(*b->getCaption()), "4,-4");
    ui.moveTo(0, 0);
    for (int frame = 0; frame < 4; ++frame)
        ui.step(0.03f);
    EXPECT_EQ(wave(*b->getCaption()), "0,0");
    // The frame that finds every letter in place ends the wave.
    EXPECT_TRUE(b->getCaption()->isWaveMoving());
    ui.step(0.03f);
    EXPECT_FALSE(b->getCaption()->isWaveMoving());
}

TEST_F(ButtonCaptionTest, ARelayoutPutsTheLettersBackOnTheLine) {
    start();
    auto* b = button<cFrameTextButton>(WAVE_KEYS);
    ButtonScript::run(ui, "m200,100 s s s", [] { return ""; });
    ASSERT_EQ(wave(*b->getCaption()), "4,-4");
    b->getCaption()->setColor(cColor(1, 0, 0, 1));
    // The wave has stopped moving: the letters stay on the line until the state changes.
    ui.step();
    EXPECT_EQ(wave(*b->getCaption()), "0,0");
}

TEST_F(ButtonCaptionTest, ATextButtonGivesItsCaptionTheLookOfEachState) {
    start();
    auto* b = button<cTextButton>("Color=\"FF102030\" color_hover=\"FF00FF00\" color_disabled=\"80808080\" "
                                  "offset=\"0,5\" offset_pressed=\"3,7\" Multiplier=\"1\" Multiplier_pressed=\"2\"");
    // Right after loading the caption already stands at the normal state's offset.
    EXPECT_EQ(look(*b), "1:ff102030:200,105:1");
    // Hover without "offset_hover" uses "offset"; pressed without "color_pressed" the label colour.
    EXPECT_EQ(ButtonScript::run(ui, "m0,0 s m200,100 s p s r s m0,0 s", [b] { return look(*b); }),
              "1:ff102030:200,105:1 2:ff00ff00:200,105:1 3:ff102030:203,107:2 2:ff00ff00:200,105:1 "
              "1:ff102030:200,105:1");
    b->disable();
    EXPECT_EQ(look(*b), "0:80808080:200,105:1");
}

TEST_F(ButtonCaptionTest, UseTextPositionKeepsTheCaptionsOwnPosition) {
    start();
    auto* b = button<cTextButton>("position=\"50,60\" offset=\"0,5\" offset_hover=\"9,9\" Multiplier=\"1\"",
                                  "UseTextPosition=\"1\"");
    EXPECT_EQ(ButtonScript::run(ui, "m0,0 s m200,100 s",
                                [b] {
                                    return std::to_string(int(b->getCaption()->getPosition().x)) + "," +
                                           std::to_string(int(b->getCaption()->getPosition().y));
                                }),
              "50,60 50,60");
    EXPECT_FLOAT_EQ(b->getCaption()->getDepth(), 6);
}

TEST_F(ButtonCaptionTest, StateMultipliers) {
    start();
    // Never loaded: the natural letter scale; loaded without "Multiplier": 0 unless a state's key.
    cButtonCaption unloaded(nullptr);
    auto* b = button<cTextButton>("Multiplier_hover=\"1.5\"");
    struct Case {
        cButtonCaption* caption;
        float multipliers[4];
    } cases[] = {{&unloaded, {1, 1, 1, 1}}, {b->getCaption(), {0, 0, 1.5f, 0}}};
    for (const Case& c : cases)
        for (int state = 0; state < 4; ++state)
            EXPECT_FLOAT_EQ(c.caption->getStateMultiplier(state), c.multipliers[state]) << state;
}

TEST_F(ButtonCaptionTest, AStateIndexThatNamesNoStateIsRefused) {
    start();
    auto* frame = button<cFrameTextButton>(WAVE_KEYS);
    auto* text =
        button<cTextButton>("Color=\"FF102030\" color_hover=\"FF00FF00\" offset_hover=\"0,9\" Multiplier=\"1\"");
    ButtonScript::run(ui, "m200,100 s", [] { return ""; });
    ASSERT_TRUE(frame->getCaption()->isWaveOn());
    const std::string before = look(*text);
    for (int state : {4, 7, -1}) {
        SCOPED_TRACE(state);
        frame->setState(state);
        text->setState(state);
        EXPECT_TRUE(frame->getCaption()->isWaveOn());
        EXPECT_EQ(look(*text).substr(look(*text).find(':')), before.substr(before.find(':')));
        EXPECT_EQ(text->getCaption()->getStateColor(state).toARGB(), 0xFF102030u);
        EXPECT_EQ(text->getCaption()->getStateOffset(state), cVector2(0, 0));
        EXPECT_FLOAT_EQ(text->getCaption()->getStateMultiplier(state), 1);
    }
}

TEST_F(ButtonCaptionTest, CopiesKeepTheTemplatesCaptionWithNoLetterMoving) {
    start();
    auto* prototype = button<cTextButton>("Color=\"FF102030\" color_pressed=\"FF0000FF\" offset_pressed=\"2,3\" "
                                          "Multiplier=\"1\" Multiplier_pressed=\"2\" Offset=\"4\" Speed=\"40\"");
    auto* rowPrototype = button<cTextureTextButton>(WAVE_KEYS);
    ButtonScript::run(ui, "m200,100 s", [] { return ""; });
    ASSERT_TRUE(prototype->getCaption()->isWaveMoving());

    auto* copy = new cTextButton(*prototype);
    owned.emplace_back(copy);
    auto* fromFrame = new cTextButton(static_cast<const cFrameTextButton&>(*prototype));
    owned.emplace_back(fromFrame);
    auto* row = new cTextureTextButton(*rowPrototype);
    owned.emplace_back(row);
    for (cTextButton* b : {copy, fromFrame}) {
        cButtonCaption* caption = b->getCaption();
        ASSERT_NE(caption, prototype->getCaption());
        EXPECT_EQ(caption->getParent(), b);
        EXPECT_EQ(caption->getText(), L"AB");
        EXPECT_FALSE(caption->isWaveMoving());
        EXPECT_FLOAT_EQ(caption->getWaveOffset(), 4);
        EXPECT_EQ(caption->getStateColor(3).toARGB(), 0xFF0000FFu);
        EXPECT_EQ(caption->getStateOffset(3), cVector2(2, 3));
        EXPECT_FLOAT_EQ(caption->getStateMultiplier(3), 2);
        // A copy behaves as a text button.
        b->setState(cButton::BUTTON_PRESSED);
        EXPECT_EQ(look(*b), "3:ff0000ff:202,103:2");
    }
    EXPECT_EQ(row->getCaption()->getParent(), row);
    EXPECT_EQ(row->getCaption()->getText(), L"AB");
    EXPECT_FALSE(row->getCaption()->isWaveMoving());
}

TEST_F(ButtonCaptionTest, SetTextRelaysTheCaptionOnlyWhenTheTextDiffers) {
    start();
    auto* b = button<cTextureTextButton>(WAVE_KEYS);
    ui.step();
    b->setText(L"AB");
    EXPECT_FALSE(b->getCaption()->isDirty());
    b->setText(L"ABC");
    EXPECT_TRUE(b->getCaption()->isDirty());
    ui.step();
    EXPECT_EQ(b->getCaption()->getQuads().size(), 3u);
}

TEST_F(ButtonCaptionTest, SetAlphaReachesTheCaption) {
    start();
    auto* b = button<cFrameTextButton>(WAVE_KEYS);
    b->setAlpha(0.25f);
    EXPECT_FLOAT_EQ(b->getAlpha(), 0.25f);
    EXPECT_FLOAT_EQ(b->getCaption()->getAlpha(), 0.25f);
}
