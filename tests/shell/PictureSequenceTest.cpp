#include "game/shell/PictureSequence.h"
#include "engine/core/ResourceManager.h"
#include "engine/media/Texture.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class PictureSequenceTest : public ::testing::Test {
protected:
    PictureSequenceTest() : ui(0.5f) {}
    void SetUp() override {
        const uint32_t colors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
        for (int i = 0; i < 4; ++i)
            ui.writePicture("p" + std::to_string(i) + ".tga", 4, 4, colors[i]);
        ui.writeFile("seq.xml", "<Seq Visible=\"1\" Enable=\"1\" size=\"4 4\" anim_length=\"2\" PlayAnimation=\"1\" "
                                "anim_loop=\"0\" Picture=\"p0.tga\" Picture1=\"p1.tga\" Picture2=\"p2.tga\" "
                                "Picture3=\"p3.tga\" Picture5=\"p0.tga\"/>");
        ui.start();
        sequence = new cPictureSequence(nullptr);
        sequence->loadXML(ui.layout("seq.xml"));
    }
    void TearDown() override { delete sequence; }
    bool shows(const std::string& path) {
        cTexture* texture = getResourceManager()->getTexture(path);
        const bool same = texture == sequence->getPicture();
        texture->decRef();
        return same;
    }

    UiHarness ui;
    cPictureSequence* sequence = nullptr;
};

} // namespace

TEST_F(PictureSequenceTest, FramesUpToTheFirstMissingPicture) {
    EXPECT_EQ(sequence->getFrameCount(), 4u);
    const struct {
        float time;
        int frame;
    } table[] = {{0, 0}, {0.49f, 0}, {0.5f, 1}, {1.0f, 2}, {1.5f, 3}, {1.99f, 3}, {2.0f, 3}, {7.0f, 3}};
    for (const auto& row : table)
        EXPECT_EQ(sequence->frameAt(row.time), row.frame) << row.time;
}

TEST_F(PictureSequenceTest, StepsThroughThePicturesAndHoldsTheLast) {
    const char* expected[] = {"p1.tga", "p2.tga", "p3.tga", "p3.tga", "p3.tga"};
    for (const char* path : expected) {
        ui.step();
        EXPECT_TRUE(shows(path)) << path;
    }
}
