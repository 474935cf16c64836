#include "engine/gui/Sprite.h"
#include "engine/core/DrawList.h"
#include "engine/core/XmlNode.h"
#include "engine/media/Texture.h"
#include "tests/gui/WidgetProbe.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class SpriteTest : public ::testing::Test {
protected:
    // A sprite loaded from the attributes (and inner XML) of one element.
    std::unique_ptr<SpriteProbe> load(const std::string& attributes, const std::string& inner = "") {
        const std::string name = "s" + std::to_string(m_files++) + ".xml";
        ui.writeFile(name, "<S " + attributes + ">" + inner + "</S>");
        auto sprite = std::make_unique<SpriteProbe>(nullptr);
        sprite->loadXML(ui.layout(name));
        return sprite;
    }

    UiHarness ui;
    int m_files = 0;
};

} // namespace

TEST_F(SpriteTest, ColourAndAlphaKeys) {
    struct Case {
        const char* attributes;
        cColor expected;
    };
    const Case cases[] = {
        {"color=\"FF8000\"", cColor(1, 128 / 255.0f, 0, 1)},
        {"color=\"40FF8000\"", cColor(1, 128 / 255.0f, 0, 64 / 255.0f)},
        {"color=\"40FF8000\" alpha=\"0.5\"", cColor(1, 128 / 255.0f, 0, 0.5f)},
        {"alpha=\"0.25\"", cColor(1, 1, 1, 0.25f)},
        {"color=\"zz\" alpha=\"many\"", cColor(1, 1, 1, 1)},
    };
    for (const Case& c : cases) {
        auto sprite = load(c.attributes);
        SCOPED_TRACE(c.attributes);
        EXPECT_FLOAT_EQ(sprite->getColor().r, c.expected.r);
        EXPECT_FLOAT_EQ(sprite->getColor().g, c.expected.g);
        EXPECT_FLOAT_EQ(sprite->getColor().b, c.expected.b);
        EXPECT_FLOAT_EQ(sprite->getAlpha(), c.expected.a);
    }
}

TEST_F(SpriteTest, TileSetsTheTiledFlagOnlyWhenBothComponentsArePositive) {
    EXPECT_EQ(load("size=\"100,60\" tile=\"2,3\"")->getRenderType(), 0x200u);
    EXPECT_EQ(load("size=\"100,60\" tile=\"2,0\"")->getRenderType(), 0u);
    EXPECT_EQ(load("tile=\"2,3\" RenderType=\"9\"")->getRenderType(), 0x209u);
}

TEST_F(SpriteTest, NumbersAndFlags) {
    auto sprite = load("position=\"10,20\" size=\"30,-40\" angle=\"45\" AlphaRef=\"7\" anim_position=\"0.5\" "
                       "InverceX=\"1\" InverceY=\"1\" DoubleAnimRender=\"1\" MultiSprites=\"0\" yaw=\"180\" "
                       "pitch=\"90\" scale=\"1,2,3\" LightingEnable=\"1\" LightTable=\"2\" Power=\"4\" "
                       "AnimBlendTime=\"0.3\" IsAniblend=\"1\" deep=\"7\"");
    EXPECT_EQ(sprite->getPosition(), cVector2(10.0f, 20.0f));
    EXPECT_EQ(sprite->getSize(), cVector2(30.0f, -40.0f));
    EXPECT_EQ(sprite->getAngle(), 45.0f);
    EXPECT_EQ(sprite->getAlphaRef(), 7);
    EXPECT_EQ(sprite->getAnimPosition(), 0.5f);
    EXPECT_TRUE(sprite->getInverseX() && sprite->getInverseY() && sprite->getDoubleAnimRender());
    EXPECT_FALSE(sprite->getMultiSprites());
    EXPECT_NEAR(sprite->getYaw(), 3.14159265f, 1e-6f);
    EXPECT_NEAR(sprite->getPitch(), 1.5707963f, 1e-6f);
    EXPECT_EQ(sprite->getScale().z, 3.0f);
    EXPECT_TRUE(sprite->getLightingEnable());
    EXPECT_EQ(sprite->getLightTable(), 2);
    EXPECT_EQ(sprite->getPower(), 4.0f);
    EXPECT_EQ(sprite->getAnimBlendTime(), 0.3f);
    EXPECT_TRUE(sprite->getIsAniblend());
    EXPECT_EQ(sprite->getDepth(), 7.0f);
}

TEST_F(SpriteTest, BadNumbersKeepTheirValues) {
    auto sprite = load("position=\"left\" size=\"wide\" angle=\"x\" deep=\"deep\" frames_count=\"0\" "
                       "anim_columns=\"0\" anim_rows=\"-\" anim_length=\"-2\"");
    EXPECT_EQ(sprite->getPosition(), cVector2(0.0f, 0.0f));
    EXPECT_EQ(sprite->getSize(), cVector2(1.0f, 1.0f));
    EXPECT_EQ(sprite->getAngle(), 0.0f);
    EXPECT_EQ(sprite->getDepth(), 0.0f);
    EXPECT_EQ(sprite->getFramesCount(), 1u);
    EXPECT_EQ(sprite->getAnimColumns(), 1u);
    EXPECT_EQ(sprite->getAnimRows(), 1u);
    EXPECT_EQ(sprite->getAnimLength(), 1.0f);
}

TEST_F(SpriteTest, FramesAreLimitedByTheGrid) {
    EXPECT_EQ(load("frames_count=\"10\" anim_columns=\"3\" anim_rows=\"3\"")->getFramesCount(), 9u);
    EXPECT_EQ(load("frames_count=\"5\" anim_columns=\"3\" anim_rows=\"3\"")->getFramesCount(), 5u);
}

TEST_F(SpriteTest, MissingDeepResetsTheDepthAndShiftsTheChildren) {
    ui.writeFile("d.xml", "<S position=\"5,5\"/>");
    SpriteProbe parent(nullptr);
    parent.setDepth(3);
    auto* child = new SpriteProbe(&parent);
    child->setDepth(4);
    parent.loadXML(ui.layout("d.xml"));
    EXPECT_EQ(parent.getDepth(), 0.0f);
    EXPECT_EQ(child->getDepth(), 1.0f);
    EXPECT_EQ(child->getPosition(), cVector2(5.0f, 5.0f));
}

TEST_F(SpriteTest, MissingPictureNamesTheFile) {
    try {
        load("Picture=\"art/missing.png\"");
        FAIL() << "no error";
    } catch (const std::string& text) {
        EXPECT_EQ(text, "Picture \"art/missing.png\": File \"art/missing.png\" not found, and there is no atlas list "
                        "\"atlases.xml\" in the data folder.");
    }
}

TEST_F(SpriteTest, PictureHoldsOneReference) {
    ui.writePicture("art/a.tga", 4, 4, 0xFFFFFFFFu);
    auto sprite = load("Picture=\"art/a.tga\"");
    cTexture* texture = sprite->getPicture();
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->getRefCount(), 1);
    {
        cVisual look(*sprite);
        EXPECT_EQ(texture->getRefCount(), 2);
        EXPECT_FALSE(look != *sprite);
    }
    EXPECT_EQ(texture->getRefCount(), 1);
    sprite->setPicture("");
    EXPECT_EQ(sprite->getPicture(), nullptr);
    EXPECT_EQ(texture->getRefCount(), 0);
}

TEST_F(SpriteTest, VisualAssignmentAndComparison) {
    ui.writePicture("art/a.tga", 4, 4, 0xFFFFFFFFu);
    ui.writePicture("art/b.tga", 4, 4, 0xFFFFFFFFu);
    ui.start();
    cVisual a, b;
    a.setPicture("art/a.tga");
    b.setPicture("art/b.tga");
    b.setFramesCount(3);
    EXPECT_TRUE(a != b);
    a = b;
    EXPECT_FALSE(a != b);
    EXPECT_EQ(a.getFramesCount(), 3u);
    EXPECT_EQ(b.getPicture()->getRefCount(), 2);
}

TEST_F(SpriteTest, TwoPicturesOfOneAtlasCompareApart) {
    ui.writeFile("atlases.xml", "<Atlases><A><Path>atlas/ui.tga</Path><Map>atlas/map.xml</Map></A></Atlases>");
    ui.writeFile("atlas/map.xml", "<M><P><Name>ui/a.png</Name><Pos>0 0</Pos><Size>32 32</Size></P>"
                                  "<P><Name>ui/b.png</Name><Pos>32 0</Pos><Size>32 32</Size></P></M>");
    ui.writePicture("atlas/ui.tga", 64, 32, 0xFFFFFFFFu);
    ui.start();
    cVisual a, b, c;
    a.setPicture("ui/a.png");
    b.setPicture("ui/b.png");
    c.setPicture("ui/a.png");
    ASSERT_EQ(a.getPicture(), b.getPicture());
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a == c);
}

TEST_F(SpriteTest, HitTestFollowsTheTurnedAndMirroredRectangle) {
    struct Case {
        cVector2 size;
        float angle;
        cVector2 point; // relative to the centre
        bool inside;
    };
    const Case cases[] = {
        {{100.0f, 20.0f}, 0, {50.0f, 10.0f}, true},   {{100.0f, 20.0f}, 0, {50.5f, 0.0f}, false},
        {{100.0f, 20.0f}, 0, {-50.0f, -10.0f}, true}, {{100.0f, 20.0f}, 90, {0.0f, 49.0f}, true},
        {{100.0f, 20.0f}, 90, {49.0f, 0.0f}, false},  {{-100.0f, 20.0f}, 0, {40.0f, 5.0f}, true},
        {{100.0f, -20.0f}, 0, {-40.0f, -5.0f}, true}, {{-100.0f, -20.0f}, 90, {0.0f, 49.0f}, true},
        {{100.0f, 20.0f}, 45, {30.0f, -30.0f}, true}, {{100.0f, 20.0f}, 45, {30.0f, 30.0f}, false},
    };
    for (const Case& c : cases) {
        cSprite sprite(nullptr);
        sprite.setPosition(cVector2(200, 300));
        sprite.setSize(c.size);
        sprite.setAngle(c.angle);
        EXPECT_EQ(sprite.hitTest(cVector2(200, 300) + c.point), c.inside)
            << c.size.x << "x" << c.size.y << " at " << c.angle << ": " << c.point.x << "," << c.point.y;
    }
}

TEST_F(SpriteTest, PositionAndDepthMoveEveryDescendant) {
    cSprite panel(nullptr);
    auto* child = new cSprite(&panel);
    auto* grandChild = new cSprite(child);
    auto* plain = new cWidget(&panel);
    child->setPosition(cVector2(10, 10));
    grandChild->setPosition(cVector2(20, 30));
    grandChild->setDepth(2);
    child->prepareDraw();
    grandChild->prepareDraw();

    panel.setPosition(cVector2(5, -5));
    panel.setDepth(1);
    EXPECT_EQ(child->getPosition(), cVector2(15, 5));
    EXPECT_EQ(grandChild->getPosition(), cVector2(25, 25));
    EXPECT_EQ(grandChild->getDepth(), 3.0f);
    EXPECT_TRUE(grandChild->isDirty());
    EXPECT_EQ(plain->getKind(), WIDGET_KIND_PLAIN);
}

TEST_F(SpriteTest, ActionsRunUntilTheyReturnTrue) {
    cSprite sprite(nullptr);
    int calls = 0, other = 0;
    sprite.queueAction([&](cSprite*) { return ++calls == 3; });
    sprite.queueAction([&](cSprite*) {
        ++other;
        return false;
    });
    sprite.queueAction(nullptr);
    for (int i = 0; i < 5; ++i)
        sprite.runActions();
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(other, 5);
    EXPECT_EQ(sprite.getActionCount(), 1u);
}

TEST_F(SpriteTest, ShowAndHideJoinAndLeaveTheDrawList) {
    SpriteProbe sprite(nullptr);
    EXPECT_FALSE(sprite.isInDrawList());
    sprite.show();
    sprite.show();
    EXPECT_TRUE(sprite.isInDrawList());
    EXPECT_EQ(std::count(cDrawList::getEntries().begin(), cDrawList::getEntries().end(), &sprite), 1);
    sprite.hide();
    EXPECT_FALSE(sprite.isInDrawList());
    {
        cSprite listed(nullptr);
        listed.show();
    }
    EXPECT_TRUE(cDrawList::getEntries().empty());
}

TEST_F(SpriteTest, CopyHasNoActionsAndIsNotListedUntilShown) {
    cSprite original(nullptr);
    original.setPosition(cVector2(3, 4));
    original.setColor(cColor(1, 0, 0, 0.5f));
    original.setUserData(9);
    original.setDepth(2);
    original.queueAction([](cSprite*) { return false; });
    original.show();

    std::unique_ptr<cSprite> copy(new cSprite(original));
    EXPECT_EQ(copy->getActionCount(), 0u);
    EXPECT_FALSE(copy->isInDrawList());
    EXPECT_EQ(copy->getFadeValue(), 0.0f);
    EXPECT_EQ(copy->getPosition(), cVector2(3, 4));
    EXPECT_EQ(copy->getAlpha(), 0.5f);
    EXPECT_EQ(copy->getUserData(), 9);
    EXPECT_EQ(copy->getDepth(), 2.0f);
    EXPECT_TRUE(copy->isDirty());
    copy->show();
    EXPECT_TRUE(copy->isInDrawList());
    EXPECT_EQ(copy->getFadeValue(), 1.0f);
    // The alpha is the copy's own colour, not the template's.
    copy->setAlpha(0.25f);
    EXPECT_EQ(copy->getColor().a, 0.25f);
    EXPECT_EQ(original.getAlpha(), 0.5f);
    original.setAlpha(0.75f);
    EXPECT_EQ(copy->getAlpha(), 0.25f);
}

TEST_F(SpriteTest, PyroEffectNamingAMissingFilePassesTheFileSystemsError) {
    try {
        load("", "<PyroEffects><E pyro_file=\"fx/a.pyro\"/></PyroEffects>");
        FAIL() << "no error";
    } catch (const std::string& text) {
        EXPECT_EQ(text, "File \"fx/a.pyro\" not found.");
    }
}

TEST_F(SpriteTest, SetOffsetSetsTheUseOffsetFlag) {
    cSprite sprite(nullptr);
    EXPECT_FALSE(sprite.getUseOffset());
    sprite.setOffset(cVector2(0, 0));
    EXPECT_TRUE(sprite.getUseOffset());
}
