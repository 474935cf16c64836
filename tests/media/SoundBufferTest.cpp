#include "engine/media/SoundBuffer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Engine;

namespace {

TEST(SoundBuffer, MonoChunksGrowTheBufferGeometrically) {
    // A long mono sound arrives from the decoder in many small chunks; reallocating for each one
    // made loading a half-minute sound take tens of seconds.
    cSoundBuffer buffer(44100, {});
    const std::vector<int16_t> chunk(64, 7);
    int reallocations = 0;
    for (int i = 0; i < 1000; ++i) {
        const int16_t* before = buffer.getFrames().data();
        buffer.appendSamples(chunk.data(), chunk.size(), 1);
        reallocations += buffer.getFrames().data() != before;
    }
    EXPECT_EQ(buffer.getFrameCount(), 1000u * 64u);
    EXPECT_EQ(buffer.getFrames()[2 * 64 * 1000 - 1], 7);
    EXPECT_LT(reallocations, 40);
}

} // namespace
