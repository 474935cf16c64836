// The progress bar: the picture is cut on the moving side to the current fraction, the values
// are clamped, and the lid sits on the moving edge.

#include "engine/gui/ProgressBar.h"
#include "engine/core/ResourceManager.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

// 100 x 20 around (200, 100): x from 150 to 250, y from 90 to 110.
class ProgressBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        // One atlas entry: 64 x 32 at (64, 0) of a 256 x 256 image.
        ui.writeFile("atlases.xml", "<Atlases><A><Path>atlas/ui.tga</Path><Map>atlas/map.xml</Map></A></Atlases>");
        ui.writeFile("atlas/map.xml", "<M><P><Name>ui/bar.png</Name><Pos>64 0</Pos><Size>64 32</Size></P></M>");
        ui.writePicture("atlas/ui.tga", 256, 256, 0xFFFFFFFFu);
        ui.start();
        ui.writePicture("bar.tga", 4, 4, 0xFF336699u);
    }
    std::unique_ptr<cProgressBar> load(const std::string& keys, const std::string& picture = "bar.tga") {
        ui.writeFile("p.xml", "<P Visible=\"1\" Enable=\"1\" Picture=\"" + picture +
                                  "\" position=\"200,100\" size=\"100,20\" " + keys +
                                  "><Lid Visible=\"1\" size=\"4,4\"/></P>");
        auto bar = std::make_unique<cProgressBar>(nullptr);
        bar->loadXML(ui.layout("p.xml"));
        getResourceManager()->forgetResource("p.xml");
        return bar;
    }
    UiHarness ui;
};

struct EdgeCase {
    const char* name;
    const char* keys;
    float left, top, right, bottom;     // the quad's corners
    float uLeft, vTop, uRight, vBottom; // its texture rectangle
    float lidX, lidY;
    float stored;
};

} // namespace

TEST_F(ProgressBarTest, TheMovingEdgeCutsThePicture) {
    const EdgeCase cases[] = {
        {"left", "Side=\"0\" ProgressCurrentValue=\"25\"", 225, 90, 250, 110, 0.75f, 0, 1, 1, 225, 100, 25},
        {"right", "Side=\"1\" ProgressCurrentValue=\"25\"", 150, 90, 175, 110, 0, 0, 0.25f, 1, 175, 100, 25},
        {"top", "Side=\"2\" ProgressCurrentValue=\"25\"", 150, 105, 250, 110, 0, 0.75f, 1, 1, 200, 105, 25},
        {"bottom", "Side=\"3\" ProgressCurrentValue=\"25\"", 150, 90, 250, 95, 0, 0, 1, 0.25f, 200, 95, 25},
        {"without a side the left edge moves", "ProgressCurrentValue=\"50\"", 200, 90, 250, 110, 0.5f, 0, 1, 1, 200,
         100, 50},
        {"above the maximum", "Side=\"1\" ProgressCurrentValue=\"150\"", 150, 90, 250, 110, 0, 0, 1, 1, 250, 100, 100},
        {"below 0", "Side=\"1\" ProgressCurrentValue=\"-5\"", 150, 90, 150, 110, 0, 0, 0, 1, 150, 100, 0},
        {"a maximum of 0 is empty", "Side=\"1\" ProgressMaxValue=\"0\" ProgressCurrentValue=\"5\"", 150, 90, 150, 110,
         0, 0, 0, 1, 150, 100, 0},
        {"tiles are not used", "Side=\"1\" ProgressCurrentValue=\"50\" tile=\"10,10\"", 150, 90, 200, 110, 0, 0, 0.5f,
         1, 200, 100, 50},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto bar = load(c.keys);
        const cSpriteQuad& quad = bar->getQuad();
        EXPECT_FLOAT_EQ(quad.vertices[0].position.x, c.left);
        EXPECT_FLOAT_EQ(quad.vertices[0].position.y, c.top);
        EXPECT_FLOAT_EQ(quad.vertices[3].position.x, c.right);
        EXPECT_FLOAT_EQ(quad.vertices[3].position.y, c.bottom);
        EXPECT_FLOAT_EQ(quad.textureRect[0], c.uLeft);
        EXPECT_FLOAT_EQ(quad.textureRect[1], c.vTop);
        EXPECT_FLOAT_EQ(quad.textureRect[2], c.uRight);
        EXPECT_FLOAT_EQ(quad.textureRect[3], c.vBottom);
        ASSERT_NE(bar->getLid(), nullptr);
        EXPECT_EQ(bar->getLid()->getPosition(), cVector2(c.lidX, c.lidY));
        EXPECT_FLOAT_EQ(bar->getCurrentValue(), c.stored);
    }
}

TEST_F(ProgressBarTest, UpdateLidFollowsNewValuesAndTheDrawIsTheCutQuad) {
    auto bar = load("Side=\"1\" ProgressCurrentValue=\"25\" angle=\"180\"");
    // Turned half way the right side is drawn on the left.
    EXPECT_EQ(bar->getLid()->getPosition(), cVector2(225, 100));
    bar->setCurrentValue(50);
    bar->updateLid();
    EXPECT_EQ(bar->getLid()->getPosition(), cVector2(200, 100));

    ui.step();
    ASSERT_EQ(ui.draws().size(), 2u);
    // The lid has no picture.
    const cSpriteQuad& drawn = ui.draws()[ui.draws()[0].texture ? 0 : 1].quad;
    EXPECT_FLOAT_EQ(drawn.vertices[0].position.x, 250);
    EXPECT_FLOAT_EQ(drawn.vertices[1].position.x, 200);
    EXPECT_FLOAT_EQ(drawn.textureRect[2], 0.5f);
}

TEST_F(ProgressBarTest, CopiesHaveTheirOwnLid) {
    auto bar = load("Side=\"3\" ProgressMaxValue=\"10\" ProgressCurrentValue=\"5\"");
    cProgressBar copy(*bar);
    EXPECT_EQ(copy.getSide(), 3u);
    EXPECT_FLOAT_EQ(copy.getMaxValue(), 10);
    ASSERT_NE(copy.getLid(), nullptr);
    EXPECT_NE(copy.getLid(), bar->getLid());
    EXPECT_EQ(copy.getLid()->getParent(), &copy);
    EXPECT_EQ(copy.getLid()->getPosition(), cVector2(200, 100));
}

TEST_F(ProgressBarTest, AnAtlasPictureIsCutWithinItsFrameAndTheBarFades) {
    const struct {
        const char* keys;
        float uLeft, vTop, uRight, vBottom;
    } cases[] = {
        {"Side=\"1\" ProgressCurrentValue=\"25\"", 0.25f, 0, 0.3125f, 0.125f},
        {"Side=\"0\" ProgressCurrentValue=\"25\"", 0.4375f, 0, 0.5f, 0.125f},
        {"Side=\"2\" ProgressCurrentValue=\"25\"", 0.25f, 0.09375f, 0.5f, 0.125f},
        {"Side=\"3\" ProgressCurrentValue=\"75\"", 0.25f, 0, 0.5f, 0.09375f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        auto bar = load(c.keys, "ui/bar.png");
        const cSpriteQuad& quad = bar->getQuad();
        EXPECT_FLOAT_EQ(quad.textureRect[0], c.uLeft);
        EXPECT_FLOAT_EQ(quad.textureRect[1], c.vTop);
        EXPECT_FLOAT_EQ(quad.textureRect[2], c.uRight);
        EXPECT_FLOAT_EQ(quad.textureRect[3], c.vBottom);
    }

    // The sprite's alpha times the fade of the root.
    auto bar = load("Side=\"1\" ProgressCurrentValue=\"50\" TranparencySpeed=\"4\"");
    bar->setAlpha(0.5f);
    bar->updateLid();
    EXPECT_EQ(bar->getQuad().vertices[3].color >> 24, 128u);
    bar->fadeOut();
    ui.step();
    EXPECT_EQ(bar->getQuad().vertices[0].color >> 24, 96u);
}
