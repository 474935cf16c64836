#include "engine/platform/sdl/SdlAudioOutput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

using namespace Platform;

namespace {

class cCountingSource : public IAudioSource {
public:
    std::atomic<int> frames{0};
    void fillAudio(int16_t* out, int frameCount) noexcept override {
        for (int i = 0; i < frameCount * AUDIO_CHANNELS; ++i)
            out[i] = 0;
        frames += frameCount;
    }
};

// SDL's dummy driver pulls like a sound card without one being there.
TEST(SdlAudioOutput, PullsFromTheSourceUntilStopped) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::unique_ptr<IAudioOutput> output = createSdlAudioOutput();
    if (!output)
        GTEST_SKIP() << "SDL's dummy audio driver did not open";
    cCountingSource source;
    output->start(source);
    for (int i = 0; i < 200 && source.frames.load() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GT(source.frames.load(), 0);

    output->stop();
    int after = source.frames.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(source.frames.load(), after);
    output.reset();
    unsetenv("SDL_AUDIODRIVER");
}

} // namespace
