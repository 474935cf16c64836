// Buttons driven through the real input system: states and callback order for scripted mouse
// input, sounds, locks, deep processing, hit masks and input callbacks of deleted buttons.

#include "engine/gui/Button.h"
#include "engine/core/ResourceManager.h"
#include "tests/gui/ButtonScript.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ButtonScript::log().clear();
        ui.writeFile("sounds/click.ogg", "recorded, never decoded");
        ui.writeFile("sounds/hover.ogg", "recorded, never decoded");
        ui.start();
    }
    // A 100 x 50 button centred on (100, 100), shown and enabled, with logging callbacks.
    std::unique_ptr<cButton> makeButton(const std::string& keys = "", const std::string& position = "100,100",
                                        const std::string& size = "100,50") {
        ui.writeFile("button.xml", "<B Visible=\"1\" Enable=\"1\" position=\"" + position + "\" size=\"" + size +
                                       "\" " + keys +
                                       "><Sounds Click=\"sounds/click.ogg\" Hover=\"sounds/hover.ogg\"/></B>");
        auto button = std::make_unique<cButton>(nullptr);
        ButtonScript::connect(*button);
        button->loadXML(ui.layout("button.xml"));
        getResourceManager()->forgetResource("button.xml");
        return button;
    }
    UiHarness ui;
};

struct ScriptCase {
    const char* name;
    const char* keys;
    const char* script;
    const char* states;
    const char* calls;
    std::vector<std::string> sounds;
};

} // namespace

TEST_F(ButtonTest, ScriptedPressesAndReleases) {
    const ScriptCase cases[] = {
        {"press and release inside",
         "",
         "m100,100 s p s r s",
         "2 3 2",
         "hover unhover press hover click",
         {"playOnce sounds/hover.ogg", "playOnce sounds/click.ogg"}},
        {"click sound at the release",
         "SoundOnUnclick=\"1\"",
         "m100,100 s p s m101,100 s r s",
         "2 3 3 2",
         "hover unhover press hover click",
         {"playOnce sounds/hover.ogg", "playOnce sounds/click.ogg"}},
        {"release outside",
         "",
         "m100,100 s p s m300,300 r s",
         "2 3 1",
         "hover unhover press unhover",
         {"playOnce sounds/hover.ogg", "playOnce sounds/click.ogg"}},
        {"press outside, then over it",
         "",
         "m300,300 s p s m100,100 s r s",
         "1 1 2 2",
         "hover",
         {"playOnce sounds/hover.ogg"}},
        {"press and release in one poll",
         "",
         "m100,100 s p r s",
         "2 2",
         "hover unhover press hover click",
         {"playOnce sounds/hover.ogg", "playOnce sounds/click.ogg"}},
        {"leave and come back",
         "",
         "m100,100 s m200,100 s m149,124 s",
         "2 1 2",
         "hover unhover hover",
         {"playOnce sounds/hover.ogg", "playOnce sounds/hover.ogg"}},
        {"deep processing: press at the next process",
         "IsDeepProcessing=\"1\"",
         "m100,100 s p s r s",
         "2 3 2",
         "hover unhover press hover click",
         {"playOnce sounds/hover.ogg", "playOnce sounds/click.ogg"}},
        {"deep processing: press and release in one poll",
         "IsDeepProcessing=\"1\"",
         "m100,100 s p r s s",
         "2 2 2",
         "hover unhover press hover click",
         {"playOnce sounds/hover.ogg", "playOnce sounds/click.ogg"}},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui.moveTo(0, 0);
        ui.step();
        ButtonScript::log().clear();
        ui.sounds().clear();
        auto button = makeButton(c.keys);
        EXPECT_EQ(ButtonScript::run(ui, c.script, ButtonScript::stateOf(*button)), c.states);
        EXPECT_EQ(ButtonScript::joined(), c.calls);
        EXPECT_EQ(ui.sounds(), c.sounds);
    }
}

TEST_F(ButtonTest, HiddenOrDisabledIsDisabledAndShownUnderTheCursorHovers) {
    ui.moveTo(100, 100);
    ui.step();
    auto button = makeButton();
    EXPECT_EQ(button->getState(), cButton::BUTTON_HOVER);
    button->hide();
    EXPECT_EQ(button->getState(), cButton::BUTTON_DISABLED);
    EXPECT_FALSE(button->isListening());
    ButtonScript::log().clear();
    ui.sounds().clear();

    // Shown under a resting cursor: hover at once, with its callback and sound.
    button->show();
    EXPECT_EQ(button->getState(), cButton::BUTTON_HOVER);
    EXPECT_TRUE(button->isListening());
    EXPECT_EQ(ButtonScript::joined(), "hover");
    EXPECT_EQ(ui.sounds(), std::vector<std::string>{"playOnce sounds/hover.ogg"});

    button->disable();
    EXPECT_EQ(button->getState(), cButton::BUTTON_DISABLED);
    ui.moveTo(300, 300);
    ui.step();
    button->enable();
    EXPECT_EQ(button->getState(), cButton::BUTTON_NORMAL);
}

TEST_F(ButtonTest, LockedButtonsKeepTheirState) {
    ui.moveTo(100, 100);
    ui.step();
    auto button = makeButton();
    ButtonScript::log().clear();
    button->lock();
    EXPECT_EQ(ButtonScript::run(ui, "p s r s m300,300 s m100,100 s", ButtonScript::stateOf(*button)), "2 2 2 2");
    EXPECT_EQ(ButtonScript::joined(), "");
    button->unlock();
    EXPECT_EQ(ButtonScript::run(ui, "p s r s", ButtonScript::stateOf(*button)), "3 2");
}

TEST_F(ButtonTest, OnlyTheTopMostDeepProcessingButtonReacts) {
    auto low = makeButton("IsDeepProcessing=\"1\" deep=\"10\"");
    auto high = makeButton("IsDeepProcessing=\"1\" deep=\"20\"", "140,100");
    low->setUserData(1);
    high->setUserData(2);
    auto states = [&] { return std::to_string(low->getState()) + std::to_string(high->getState()); };

    // 60-150 is the low one, 90-190 the high one.
    EXPECT_EQ(ButtonScript::run(ui, "m70,100 s m120,100 s p s r s m170,100 s", states), "21 12 13 12 12");
    // Leaving the high one frees the capture; the low one takes it with the next movement.
    const std::string back = ButtonScript::run(ui, "m70,100 s m71,100 s", states);
    EXPECT_EQ(back.substr(back.size() - 2), "21");
    // Only the high one is pressed and clicked over the overlap.
    EXPECT_EQ(ButtonScript::joined().find("1press"), std::string::npos);
    EXPECT_NE(ButtonScript::joined().find("2unhover 2press 2hover 2click"), std::string::npos);
}

TEST_F(ButtonTest, DeletingTheCapturingButtonFreesTheMouseForTheOthers) {
    auto low = makeButton("IsDeepProcessing=\"1\" deep=\"10\"");
    auto high = makeButton("IsDeepProcessing=\"1\" deep=\"20\"", "140,100");
    low->setUserData(1);
    ButtonScript::run(ui, "m120,100 s", [] { return ""; });
    ASSERT_EQ(cButton::getCapturingButton(), high.get());
    // A press waits for the capturing button's process; the button goes before it.
    ui.press();
    high.reset();
    EXPECT_EQ(cButton::getCapturingButton(), nullptr);
    ui.step();
    ButtonScript::log().clear();
    EXPECT_EQ(ButtonScript::run(ui, "r s m121,100 s p s r s", ButtonScript::stateOf(*low)), "1 2 3 2");
    EXPECT_EQ(ButtonScript::joined(), "1hover 1unhover 1press 1hover 1click");
}

TEST_F(ButtonTest, SilencedButtonsPlayNoSound) {
    for (const char* keys : {"", "SoundOnUnclick=\"1\""}) {
        SCOPED_TRACE(keys);
        ui.moveTo(0, 0);
        ui.step();
        auto button = makeButton(keys);
        button->setSoundsEnabled(false);
        ui.sounds().clear();
        ButtonScript::log().clear();
        EXPECT_EQ(ButtonScript::run(ui, "m100,100 s p s r s", ButtonScript::stateOf(*button)), "2 3 2");
        EXPECT_EQ(ButtonScript::joined(), "hover unhover press hover click");
        EXPECT_TRUE(ui.sounds().empty());
    }
}

TEST_F(ButtonTest, ADeletedButtonLeavesNoInputCallback) {
    // The deleted button's memory is kept and zeroed: a callback left behind would call through
    // a null virtual table.
    alignas(cButton) static unsigned char storage[sizeof(cButton)];
    auto* doomed = new (storage) cButton(nullptr);
    doomed->setPosition(100, 100);
    doomed->setSize(cVector2(100, 50));
    doomed->show();
    doomed->enable();
    ASSERT_TRUE(doomed->isListening());

    static cButton* victim = nullptr;
    victim = doomed;
    auto killer = makeButton();
    killer->setClickCallback([](cButton* button) {
        if (!victim)
            return ButtonScript::onClick(button);
        victim->~cButton();
        victim = nullptr;
        std::memset(storage, 0, sizeof(storage));
        ButtonScript::log().push_back("deleted");
    });
    ButtonScript::log().clear();
    ButtonScript::run(ui, "m100,100 s p s r s p s r s m300,300 s", [] { return ""; });
    EXPECT_EQ(ButtonScript::joined(), "hover unhover press hover deleted unhover press hover click unhover");
}

struct MaskCase {
    const char* name;
    const char* keys;
    const char* size;
    std::vector<cVector2> inside;
    std::vector<cVector2> outside;
};

TEST_F(ButtonTest, HitMasks) {
    // 4 x 2: the left half opaque; 3 x 3 with only the top-left or the bottom-right texel opaque.
    const uint32_t o = 0xFF000000u, t = 0x00FFFFFFu;
    ui.writePicture("half.tga", 4, 2, {o, o, t, t, o, o, t, t});
    ui.writePicture("corner.tga", 3, 3, {o, t, t, t, t, t, t, t, t});
    ui.writePicture("far.tga", 3, 3, {t, t, t, t, t, t, t, t, o});
    ui.writePicture("empty.tga", 2, 2, t);
    const MaskCase cases[] = {
        {"plain",
         "texture_mask=\"half.tga\"",
         "100,50",
         {{51, 100}, {99, 80}, {60, 124}},
         {{120, 100}, {149, 100}, {300, 100}}},
        {"mirrored",
         "texture_mask=\"half.tga\" InverceX=\"1\"",
         "100,50",
         {{120, 100}, {149, 124}},
         {{51, 100}, {60, 100}}},
        {"mirrored by its size",
         "texture_mask=\"half.tga\"",
         "-100,50",
         {{120, 100}, {150, 100}},
         {{50, 100}, {60, 100}}},
        {"turned half way", "texture_mask=\"half.tga\" angle=\"180\"", "100,50", {{120, 100}, {149, 100}}, {{51, 100}}},
        {"turned half way and mirrored",
         "texture_mask=\"half.tga\" angle=\"180\" InverceX=\"1\"",
         "100,50",
         {{51, 100}},
         {{149, 100}}},
        // Drawn turned by 90 degrees and mirrored, the opaque texel lands on the top left.
        {"turned a quarter and mirrored",
         "texture_mask=\"corner.tga\" angle=\"90\" InverceX=\"1\"",
         "100,100",
         {{75, 75}, {51, 51}},
         {{125, 75}, {75, 125}, {125, 125}}},
        {"the far corner reads the last texel",
         "texture_mask=\"far.tga\"",
         "100,100",
         {{150, 150}},
         {{149, 149}, {50, 50}}},
        {"a mask without a set pixel is no mask", "texture_mask=\"empty.tga\"", "100,50", {{51, 100}, {149, 100}}, {}},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto button = makeButton(c.keys, "100,100", c.size);
        for (const cVector2& point : c.inside)
            EXPECT_TRUE(button->isPointInside(point)) << point.x << "," << point.y;
        for (const cVector2& point : c.outside)
            EXPECT_FALSE(button->isPointInside(point)) << point.x << "," << point.y;
    }
}

TEST_F(ButtonTest, CopiesKeepCallbacksSoundsAndMask) {
    const uint32_t o = 0xFF000000u, t = 0x00FFFFFFu;
    ui.writePicture("half.tga", 4, 2, {o, o, t, t, o, o, t, t});
    auto original = makeButton("texture_mask=\"half.tga\" SoundOnUnclick=\"1\" IsDeepProcessing=\"1\"");
    original->setSoundsEnabled(false);
    original->setUserCallback(ButtonScript::onPress);
    cButton copy(*original);
    EXPECT_EQ(copy.getClickCallback(), original->getClickCallback());
    EXPECT_EQ(copy.getUserCallback(), ButtonScript::onPress);
    EXPECT_EQ(copy.getClickSound(), original->getClickSound());
    EXPECT_TRUE(copy.getSoundsEnabled());
    EXPECT_TRUE(copy.getSoundOnUnclick());
    EXPECT_TRUE(copy.getDeepProcessing());
    EXPECT_TRUE(copy.hasHitMask());
    EXPECT_FALSE(copy.isPointInside(cVector2(140, 100)));
    EXPECT_FALSE(copy.isListening());
}

TEST_F(ButtonTest, SetVisualStateTakesADifferentLook) {
    ui.writePicture("a.tga", 2, 2, 0xFFFFFFFFu);
    auto button = makeButton();
    cVisual look;
    look.setPicture("a.tga");
    look.setFramesCount(3);
    button->setVisualState(look);
    EXPECT_TRUE(static_cast<const cVisual&>(*button) == look);
    EXPECT_TRUE(button->isDirty());
    button->getQuad();
    button->setVisualState(look);
    EXPECT_FALSE(button->isDirty());
}
