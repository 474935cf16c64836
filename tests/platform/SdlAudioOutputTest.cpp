#include "engine/platform/sdl/SdlAudioOutput.h"

#include "engine/platform/System.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

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

namespace {

std::vector<std::string> g_reports;

// What the code writes to stderr while it runs.
template <class F> std::string stderrOf(F&& action) {
    std::fflush(stderr);
    char path[] = "/tmp/meadow-stderr-XXXXXX";
    int capture = mkstemp(path);
    int saved = dup(2);
    dup2(capture, 2);
    action();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::string text = TestSupport::readFileBytes(path);
    close(capture);
    unlink(path);
    return text;
}

TEST(SdlAudioOutput, MachineWithoutSoundRunsSilentWithOneLogLine) {
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("ALSA_CONFIG_PATH", "/nonexistent-alsa.conf", 1);
    g_reports.clear(); // a repeated run starts afresh
    setReportHandler([](const std::string& text) { g_reports.push_back(text); });
    std::unique_ptr<IAudioOutput> output;
    std::string printed = stderrOf([&] { output = createSdlAudioOutput(); });
    setReportHandler(nullptr);
    unsetenv("ALSA_CONFIG_PATH");
    unsetenv("SDL_AUDIODRIVER");
    if (output)
        GTEST_SKIP() << "this machine has a sound card";
    EXPECT_EQ(printed.find("ALSA lib"), std::string::npos) << printed;
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_NE(g_reports[0].find("the program runs silent."), std::string::npos) << g_reports[0];
}

} // namespace
