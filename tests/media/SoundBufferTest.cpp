#include "engine/media/SoundBuffer.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace Engine;

namespace {

TEST(SoundBuffer, MonoChunksGrowTheBufferGeometrically) {
    // A long mono sound arrives from the decoder in many small chunks; reallocating for each one
    // made loading a half-minute sound take tens of seconds.
    cSoundBuffer buffer(44100, {});
    const std::vector<int16_t> chunk(64, 7);
    std::set<const int16_t*> blocks;
    for (int i = 0; i < 1000; ++i) {
        buffer.appendSamples(chunk.data(), chunk.size(), 1);
        blocks.insert(buffer.getFrames().data());
    }
    EXPECT_EQ(buffer.getFrameCount(), 1000u * 64u);
    EXPECT_EQ(buffer.getFrames()[2 * 64 * 1000 - 1], 7);
    EXPECT_LT(blocks.size(), 40u);
}

} // namespace
