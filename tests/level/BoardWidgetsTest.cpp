// The small self-animating widgets of the board: flying numbers, state animations, bouncing
// sprites, the flashing glow, the icon label and the sinus move, under the UI harness.

#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Label.h"
#include "engine/gui/PyroEffect.h"
#include "game/level/bonus/FlashingPanel.h"
#include "game/level/field/BouncingSprite.h"
#include "game/level/field/FlyingNumber.h"
#include "game/level/field/FlyingValue.h"
#include "game/level/field/SinusSprite.h"
#include "game/level/vehicles/IconText.h"
#include "game/level/vehicles/StateAnimation.h"
#include "game/model/GameServices.h"
#include "tests/model/fakes/FakeGameSounds.h"
#include "tests/support/CountingDocuments.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

const char* const FONT = "Font=\"Fonts/Digits30.fnt\" Texture=\"Fonts/Digits30.png\" SpaceWidth=\"9\"";

void writeFont(UiHarness& ui) {
    for (const char* name : {"Fonts/Digits30.fnt", "Fonts/Digits30.png"})
        ui.writeFile(name, TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name));
    ui.writePicture("art/star.tga", 2, 2, 0xFFFFFF00u);
}

std::string flyingXml(const std::string& attributes) {
    return "<FlyingNumber Visible=\"1\" Enable=\"1\" " + attributes + "><Number Visible=\"1\" " + FONT +
           " color=\"FFC83D\"/><Icon Visible=\"1\" size=\"8,8\" Picture=\"art/star.tga\"/></FlyingNumber>";
}

} // namespace

TEST(FlyingNumberTest, RisesAlongItsDirectionFadingOutThenDeletesItself) {
    UiHarness ui(0.125f);
    writeFont(ui);
    ui.writeFile("fly.xml", flyingXml("offset=\"0,-10\" fly_up_dir=\"0,-60\" fly_up_time=\"0.5\""));
    ui.start();
    auto* number = new cFlyingNumber(nullptr, 100, 200, 25, false, "fly.xml");
    EXPECT_EQ(cVector2(100, 190), number->getPosition());
    EXPECT_EQ(L"+25", number->getNumber()->getText());
    EXPECT_EQ(cVector2(0, -120), number->getVelocity());
    ui.steps(2);
    EXPECT_NEAR(160, number->getPosition().y, 0.01f);
    EXPECT_NEAR(0.5f, number->getAlpha(), 0.01f);
    EXPECT_NEAR(0.5f, number->getNumber()->getAlpha(), 0.01f);
    ui.steps(1);
    EXPECT_TRUE(isWidgetAlive(number));
    ui.steps(2);
    EXPECT_FALSE(isWidgetAlive(number));
}

TEST(FlyingNumberTest, ZeroAndLessShowAMinusInTheNegativeColour) {
    UiHarness ui;
    writeFont(ui);
    ui.writeFile("fly.xml", flyingXml("DisableTextColor=\"FF102030\""));
    ui.start();
    const struct {
        int amount;
        const wchar_t* text;
        bool negative;
    } cases[] = {{25, L"+25", false}, {0, L"-0", true}, {-7, L"-7", true}};
    for (const auto& c : cases) {
        cFlyingNumber number(nullptr, 0, 0, c.amount, false, "fly.xml");
        EXPECT_EQ(std::wstring(c.text), number.getNumber()->getText());
        const cColor color = number.getNumber()->getColor();
        EXPECT_EQ(c.negative, std::fabs(color.r - 0x10 / 255.0f) < 0.01f) << c.amount;
    }
}

TEST(FlyingNumberTest, ARefusedLayoutIsGivenBack) {
    UiHarness ui;
    writeFont(ui);
    ui.writeFile("fly.xml", flyingXml("fly_up_time=\"0\""));
    ui.start();
    TestSupport::CountingDocuments documents;
    EXPECT_THROW(cFlyingNumber(nullptr, 0, 0, 1, false, "fly.xml"), cStringA);
    EXPECT_EQ(TestSupport::CountingDocuments::count("fly.xml"), 0);
}

TEST(FlyingNumberTest, ScatterStaysWithinTheRandomRadius) {
    UiHarness ui;
    writeFont(ui);
    ui.writeFile("fly.xml", flyingXml("random_radius=\"10\""));
    ui.start();
    randomSeed(4);
    for (int i = 0; i < 20; ++i) {
        cFlyingNumber number(nullptr, 50, 50, 1, true, "fly.xml");
        EXPECT_LE(std::fabs(number.getPosition().x - 50), 10.0f);
        EXPECT_LE(std::fabs(number.getPosition().y - 50), 10.0f);
    }
}

TEST(FlyingValueTest, EachLaunchPlaysABurstOfItsEffectAtItsPlaceThatGoesAtTheEndOfItsLife) {
    UiHarness ui(0.25f);
    writeFont(ui);
    ui.writeFile("Effects/sparkle.pfx",
                 TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/Effects/sparkle.pfx"));
    ui.writeFile("value.xml", std::string("<V Visible=\"1\" Enable=\"1\" show_time=\"0.5\" ") + FONT +
                                  "><PyroEffect Enable=\"1\" position=\"0,-4\" pyro_file=\"Effects/sparkle.pfx\" "
                                  "LiveTime=\"0.75\"/></V>");
    ui.start();
    cFlyingValue prototype(nullptr);
    prototype.loadXML(ui.layout("value.xml"));
    ASSERT_NE(nullptr, prototype.getEffect()->getEffect());
    EXPECT_FALSE(prototype.getEffect()->isVisible());
    auto* line = new cFlyingValue(prototype);
    line->setDestination(cVector2(30, 40));
    line->show();
    auto bursts = [&] {
        std::vector<cPyroEffect*> found;
        for (cWidget* child : line->getChildren())
            if (auto* effect = dynamic_cast<cPyroEffect*>(child))
                if (effect != line->getEffect() && isWidgetAlive(effect))
                    found.push_back(effect);
        return found;
    };
    line->launch();
    ASSERT_EQ(1u, bursts().size());
    cPyroEffect* burst = bursts()[0];
    EXPECT_TRUE(burst->isVisible());
    EXPECT_TRUE(burst->isPlaying());
    EXPECT_EQ(cVector2(30, 36), burst->getPosition());
    EXPECT_FALSE(line->getEffect()->isVisible());
    ui.steps(2);
    EXPECT_TRUE(burst->isPlaying());
    ui.steps(3);
    EXPECT_TRUE(bursts().empty());
    line->launch();
    EXPECT_EQ(1u, bursts().size());
    deleteWidgetLater(line);
    ui.step();
}

TEST(FlyingValueTest, ALineWithoutAFadeInIsThereAtOnce) {
    UiHarness ui(0.25f);
    writeFont(ui);
    ui.writeFile("value.xml", std::string("<V Visible=\"1\" Enable=\"1\" show_time=\"0\" ") + FONT + "/>");
    ui.start();
    cFlyingValue prototype(nullptr);
    prototype.loadXML(ui.layout("value.xml"));
    cFlyingValue line(prototype);
    line.setDestination(cVector2(30, 40));
    line.show();
    line.enable();
    line.launch();
    EXPECT_FLOAT_EQ(1, line.getAlpha());
    ui.steps(2);
    EXPECT_FLOAT_EQ(1, line.getAlpha());
    EXPECT_EQ(cVector2(30, 40), line.getPosition());
}

TEST(StateAnimationTest, StatesPlayARandomCycleCountBetweenTheBoundsAndWrapAround) {
    UiHarness ui(0.25f);
    ui.writePicture("art/a.tga", 2, 2, 0xFFFF0000u);
    ui.writeFile("states.xml", "<S Visible=\"1\" Enable=\"1\"><States>"
                               "<A Picture=\"art/a.tga\" anim_length=\"1\" PlayCycles=\"2,5\"/>"
                               "<B Picture=\"art/a.tga\" anim_length=\"0.5\" PlayCycles=\"3,3\"/></States></S>");
    ui.start();
    randomSeed(9);
    std::set<float> lengths;
    cStateAnimation animation(nullptr);
    animation.loadXML(ui.layout("states.xml"));
    ASSERT_EQ(2u, animation.getStateCount());
    for (int i = 0; i < 60; ++i) {
        animation.setState(0);
        lengths.insert(animation.getTimeLeft());
    }
    EXPECT_EQ((std::set<float>{2, 3, 4}), lengths);
    animation.setState(1);
    EXPECT_FLOAT_EQ(1.5f, animation.getTimeLeft());
    EXPECT_TRUE(animation.getStateAt(1).widget->isVisible());
    EXPECT_FALSE(animation.getStateAt(0).widget->isVisible());
    for (int index : {-1, 2}) {
        animation.setState(index);
        EXPECT_EQ(0u, animation.getCurrent());
    }
    animation.setState(1);
    ui.steps(7); // 1.5 s played out: back to the first state
    EXPECT_EQ(0u, animation.getCurrent());
    animation.setHold(true);
    animation.setState(1);
    ui.steps(7);
    EXPECT_EQ(1u, animation.getCurrent());
}

TEST(BouncingSpriteTest, LandsBouncesAtTheElasticityAndStops) {
    UiHarness ui;
    ui.writeFile("bounce.xml", "<B speed=\"100\" acceleration=\"0\" k_elasticity=\"0.25\" jumps_count=\"1\"/>");
    ui.start();
    cBouncingSprite sprite(nullptr);
    sprite.loadXML(ui.layout("bounce.xml"));
    sprite.start(cVector2(0, 0), cVector2(0, 50));
    sprite.step(0.25f);
    EXPECT_TRUE(sprite.isMoving());
    sprite.step(0.5f);
    EXPECT_FALSE(sprite.isMoving()); // one jump: stops on the first landing
    EXPECT_EQ(cVector2(0, 50), sprite.getPosition());

    // With three jumps it leaves at half the landing speed (the root of 0.25).
    ui.writeFile("bounce3.xml", "<B speed=\"100\" acceleration=\"400\" k_elasticity=\"0.25\" jumps_count=\"3\"/>");
    cBouncingSprite three(nullptr);
    three.loadXML(ui.layout("bounce3.xml"));
    three.start(cVector2(0, 0), cVector2(0, 30));
    three.step(0.25f); // 25 px at 100, speed now 200
    three.step(0.25f); // lands
    EXPECT_FALSE(three.isFalling());
    EXPECT_NEAR(-150, three.getVelocity().y, 1.0f); // (100 + 400 x 0.5) x 0.5, reversed
    EXPECT_EQ(2, three.getJumpsLeft());
}

TEST(FlashingPanelTest, PulsesAlongASineWhileFlashing) {
    UiHarness ui(0.5f);
    ui.writePicture("art/glow.tga", 2, 2, 0xFFFFFFFFu);
    ui.writeFile("glow.xml", "<G Visible=\"1\" Enable=\"1\" Picture=\"art/glow.tga\" flash_period=\"6.2831853\"/>");
    ui.start();
    cFlashingPanel glow(nullptr, "glow.xml");
    EXPECT_NEAR(1.0f, glow.getPhaseSpeed(), 1e-5f);
    ui.step();
    EXPECT_FLOAT_EQ(1.0f, glow.getAlpha()); // not flashing: untouched
    glow.setFlashing(true);
    ui.step();
    EXPECT_NEAR(0.5f, glow.getAlpha(), 1e-5f); // sin(0)
    ui.step();
    EXPECT_NEAR(0.5f + 0.5f * std::sin(0.5f), glow.getAlpha(), 1e-5f);
}

TEST(IconTextTest, TheIconSitsBesideTheLabelAndShowsItsSecondFrameWhileDisabled) {
    UiHarness ui;
    writeFont(ui);
    ui.writeFile("icon.xml", std::string("<L Visible=\"1\" position=\"100,50\" HasDisableView=\"1\" ") + FONT +
                                 "><Icon position=\"-20,0\" size=\"8,8\" Picture=\"art/star.tga\" frames_count=\"2\" "
                                 "anim_columns=\"2\"/></L>");
    ui.writeFile("bare.xml", std::string("<L ") + FONT + "/>");
    ui.writePicture("art/dot.tga", 2, 2, 0xFF00FF00u);
    ui.writeFile("look.xml", "<Look Picture=\"art/dot.tga\" frames_count=\"2\" anim_columns=\"2\"/>");
    ui.start();
    cIconText text(nullptr);
    text.loadXML(ui.layout("icon.xml"));
    EXPECT_EQ(cVector2(80, 50), text.getIcon()->getPosition());
    text.enable();
    EXPECT_EQ(0, text.getIcon()->getAnimFrame());
    text.disable();
    EXPECT_EQ(1, text.getIcon()->getAnimFrame());
    cVisual look;
    look.loadXML(ui.layout("look.xml"));
    text.setIconVisual(look);
    EXPECT_EQ(look.getPicture(), text.getIcon()->getPicture());
    EXPECT_NE(nullptr, text.getIcon()->getPicture());
    cIconText bare(nullptr);
    EXPECT_THROW(bare.loadXML(ui.layout("bare.xml")), const char*);
}

TEST(SinusSpriteTest, WobblesSidewaysOnTheWayAndFinishesAtTheDuration) {
    UiHarness ui;
    ui.writeFile("sinus.xml", "<S sinus_move_speed=\"100\" sinus_amplitude=\"10\" sinus_seed=\"1.5707963\" "
                              "sinus_period=\"1000\"/>");
    ui.start();
    cSinusSprite sprite(nullptr);
    sprite.loadXML(ui.layout("sinus.xml"));
    sprite.setPosition(cVector2(0, 0));
    sprite.startSinusMove(cVector2(100, 0));
    EXPECT_FLOAT_EQ(1.0f, sprite.getMoveDuration());
    EXPECT_FALSE(sprite.stepSinusMove(0.5f));
    // Mid-path: the full amplitude across the path, sin(50/1000 + pi/2) of it.
    EXPECT_NEAR(50, sprite.getPosition().x, 1e-3f);
    EXPECT_NEAR(10 * std::sin(0.05f + 1.5707963f), sprite.getPosition().y, 1e-3f);
    EXPECT_TRUE(sprite.stepSinusMove(0.5f));
    cSinusSprite still(nullptr);
    still.loadXML(ui.layout("sinus.xml"));
    still.startSinusMove(still.getPosition());
    EXPECT_TRUE(still.stepSinusMove(0.0625f));
}

TEST(FlyingNumberTest, TheShippedLayoutsLoadWithTheShippedArt) {
    UiHarness ui;
    std::vector<std::string> names = TestSupport::shippedAtlasFiles(MEADOW_DATA_DIR);
    const std::vector<std::string> fonts = TestSupport::shippedFontFiles(MEADOW_DATA_DIR);
    names.insert(names.end(), fonts.begin(), fonts.end());
    names.insert(names.end(), {"Meadow/View/FlyingNumber.xml", "Meadow/View/VehicleFlyingNumber.xml"});
    for (const std::string& name : names)
        ui.writeFile(name, TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name));
    ui.start();
    for (const char* layout : {"Meadow/View/FlyingNumber.xml", "Meadow/View/VehicleFlyingNumber.xml"}) {
        cFlyingNumber number(nullptr, 300, 300, 40, true, layout);
        EXPECT_NE(nullptr, number.getIcon()->getPicture()) << layout;
        EXPECT_LT(number.getVelocity().y, 0) << layout;
    }
}

TEST(FlyingValueTest, ALaunchedLineFadesInAtItsPlaceWithItsNumberedSound) {
    UiHarness ui(0.25f);
    writeFont(ui);
    ui.writeFile("value.xml", std::string("<V Visible=\"1\" Enable=\"1\" Multiplier=\"0.5\" src_mult=\"2\" "
                                          "show_time=\"1\" speed=\"30\" ") +
                                  FONT + "/>");
    ui.start();
    TestFakes::FakeGameSounds sounds;
    GameServices::setGameSounds(&sounds);
    cFlyingValue prototype(nullptr);
    prototype.loadXML(ui.layout("value.xml"));
    cFlyingValue line(prototype);
    EXPECT_EQ(-1, line.getIndex());
    EXPECT_FLOAT_EQ(2, line.getSourceMultiplier());
    EXPECT_FLOAT_EQ(0.5f, line.getOwnMultiplier());
    line.setIndex(0);
    line.setSource(cVector2(0, 0));
    line.setDestination(cVector2(30, 40));
    line.show();
    line.enable();
    line.launch();
    EXPECT_TRUE(line.getShown());
    EXPECT_FLOAT_EQ(50, line.getDistance());
    EXPECT_EQ(cVector2(30, 40), line.getPosition());
    EXPECT_FLOAT_EQ(0, line.getAlpha());
    EXPECT_EQ(1, sounds.count("play(line1)"));
    ui.steps(2);
    EXPECT_NEAR(0.5f, line.getAlpha(), 1e-5f);
    ui.steps(2);
    EXPECT_FLOAT_EQ(1, line.getAlpha());
    EXPECT_FALSE(line.getShown());
    GameServices::setGameSounds(nullptr);
}

TEST(StateAnimationTest, ARemovedStateLeavesTheFirstToShowAndAlphaReachesTheCurrentState) {
    UiHarness ui(0.25f);
    ui.writePicture("art/a.tga", 2, 2, 0xFFFF0000u);
    ui.writeFile("states.xml", "<S Visible=\"1\" Enable=\"1\"><States>"
                               "<A Picture=\"art/a.tga\" anim_length=\"1\" PlayCycles=\"2,2\"/>"
                               "<B Picture=\"art/a.tga\" anim_length=\"1\" PlayCycles=\"2,2\"/></States></S>");
    ui.start();
    cStateAnimation animation(nullptr);
    animation.loadXML(ui.layout("states.xml"));
    animation.setState(1);
    animation.setAlpha(0.5f);
    EXPECT_FLOAT_EQ(0.5f, animation.getAlpha());
    EXPECT_FLOAT_EQ(0.5f, animation.getStateAt(1).widget->getAlpha());
    cPanel* second = animation.getStateAt(1).widget;
    animation.removeState(0);
    ASSERT_EQ(1u, animation.getStateCount());
    EXPECT_EQ(0u, animation.getCurrent());
    EXPECT_EQ(second, animation.getStateAt(0).widget);
    // The time left is kept and the next step shows the new first state.
    EXPECT_FLOAT_EQ(2, animation.getTimeLeft());
    second->hide();
    ui.step();
    EXPECT_TRUE(second->isVisible());
    EXPECT_FLOAT_EQ(1.75f, animation.getTimeLeft());
}
