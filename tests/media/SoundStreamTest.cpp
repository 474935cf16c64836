// Long sounds stream as they play; short ones are decoded whole into buffers of their exact size.

#include "engine/media/SoundStream.h"

#include "engine/core/File.h"
#include "engine/core/FileSystem.h"
#include "engine/media/SoundChannel.h"
#include "engine/media/SoundDecoder.h"
#include "engine/media/SoundMixer.h"
#include "engine/media/SoundSample.h"
#include "engine/media/SoundSystem.h"
#include "engine/platform/headless/NullAudioOutput.h"
#include "tests/media/SoundFiles.h"
#include "tests/support/DataFolders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Engine;
using Platform::cNullAudioOutput;

namespace {

// A stereo sound of the given length: two sines and a slow sweep, so that no stretch repeats.
std::vector<int16_t> stereoMusic(int frames) {
    std::vector<int16_t> samples(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / 44100.0;
        samples[size_t(i) * 2] = int16_t(std::lround(9000 * std::sin(2 * M_PI * (220 + 40 * t) * t)));
        samples[size_t(i) * 2 + 1] = int16_t(std::lround(7000 * std::sin(2 * M_PI * 330 * t)));
    }
    return samples;
}

class SoundStreamTest : public ::testing::Test {
protected:
    // The services over the data files written so far.
    void start() {
        m_files = std::make_unique<cFileSystem>(m_folders.dataFolder(), "pack");
        m_sound = std::make_unique<cSoundSystem>();
        m_output = cNullAudioOutput::current();
    }
    void TearDown() override {
        m_samples.clear();
        m_sound.reset();
        m_files.reset();
    }
    cSoundSample* sample(const std::string& path) {
        m_samples.push_back(std::make_unique<cSoundSample>(path));
        return m_samples.back().get();
    }
    // The whole decode of a data file, as the mixer plays it at a volume.
    std::vector<int16_t> decoded(const std::string& path, int volume) {
        cFile file(m_folders.dataPath(path), GENERIC_READ, OPEN_EXISTING);
        std::vector<int16_t> frames = cSoundDecoder::decode(file).getFrames();
        for (int16_t& value : frames)
            value = int16_t(int32_t(value) * volume / 100);
        return frames;
    }
    // Pulls frames in blocks of the given size, as an output does.
    std::vector<int16_t> pull(size_t frames, int block) {
        std::vector<int16_t> out;
        while (out.size() < frames * 2) {
            const int count = int(std::min<size_t>(size_t(block), frames - out.size() / 2));
            std::vector<int16_t> pulled = m_output->pull(count);
            out.insert(out.end(), pulled.begin(), pulled.end());
        }
        return out;
    }

    TestSupport::DataFolders m_folders;
    std::unique_ptr<cFileSystem> m_files;
    std::unique_ptr<cSoundSystem> m_sound;
    cNullAudioOutput* m_output = nullptr;
    std::vector<std::unique_ptr<cSoundSample>> m_samples;
};

TEST_F(SoundStreamTest, AStreamedTrackLoopsWithoutAGapOrAClick) {
    const int frames = (cSoundDecoder::STREAM_SECONDS + 1) * 44100 + 123;
    const std::string file = TestSupport::makeOgg(stereoMusic(frames), 2, 44100);
    m_folders.writeData("music.ogg", file);
    start();
    cSoundSample* music = sample("music.ogg");
    ASSERT_TRUE(m_sound->getMixer()->isStreamed(music->getHandle()));
    // The compressed file is what the sound holds, not its frames.
    EXPECT_LE(m_sound->getMixer()->getSampleMemory(), file.size());

    std::unique_ptr<cSoundChannel> channel(m_sound->playMusic(music, true, true));
    const std::vector<int16_t> whole =
        decoded("music.ogg", m_sound->getMixer()->getChannelVolume(channel->getHandle()));
    ASSERT_EQ(whole.size(), size_t(frames) * 2);
    // Blocks that do not divide the sound: the loop point falls inside one.
    const std::vector<int16_t> heard = pull(size_t(frames) * 2 + 5000, 1031);
    for (size_t i = 0; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], whole[i % whole.size()]) << "frame " << i / 2 << " of " << frames;
    EXPECT_TRUE(channel->isPlaying());
}

TEST_F(SoundStreamTest, AStreamedSoundEndsAndReplaysFromItsStart) {
    const int frames = cSoundDecoder::STREAM_SECONDS * 44100;
    m_folders.writeData("ambience.ogg", TestSupport::makeOgg(TestSupport::makeSine(frames, 9000, 441), 1, 44100));
    start();
    cSoundSample* ambience = sample("ambience.ogg");
    ASSERT_TRUE(m_sound->getMixer()->isStreamed(ambience->getHandle()));
    std::unique_ptr<cSoundChannel> channel(m_sound->play(ambience, false, true));
    const int volume = m_sound->getMixer()->getChannelVolume(channel->getHandle());
    const std::vector<int16_t> whole = decoded("ambience.ogg", volume);

    EXPECT_EQ(pull(size_t(frames), 4000), whole);
    EXPECT_FALSE(channel->isPlaying());
    EXPECT_EQ(pull(10, 10), std::vector<int16_t>(20, 0));

    channel->resume();
    EXPECT_TRUE(channel->isPlaying());
    EXPECT_EQ(pull(100, 100), std::vector<int16_t>(whole.begin(), whole.begin() + 200));
}

TEST_F(SoundStreamTest, ShortOrResampledSoundsAreDecodedIntoBuffersOfTheirExactSizeMonoInOneChannel) {
    // A short effect, a sound too long to keep whole... at another rate, and a WAV.
    m_folders.writeData("effect.ogg", TestSupport::makeOgg(TestSupport::makeSine(30001, 9000, 50), 1, 44100));
    m_folders.writeData(
        "slow.ogg",
        TestSupport::makeOgg(TestSupport::makeSine(cSoundDecoder::STREAM_SECONDS * 22050 + 7, 9000, 50), 1, 22050));
    m_folders.writeData("tick.wav", TestSupport::makeWav(TestSupport::makeSine(999, 9000, 50), 1, 44100));
    m_folders.writeData("stereo.wav", TestSupport::makeWav({1, 2, 3, 4, 5, 6}, 2, 44100));
    const size_t bytes[] = {30001 * 2, (size_t(cSoundDecoder::STREAM_SECONDS) * 44100 + 14) * 2, 999 * 2, 3 * 4};
    size_t total = 0;
    int index = 0;
    start();
    for (const char* path : {"effect.ogg", "slow.ogg", "tick.wav", "stereo.wav"}) {
        SCOPED_TRACE(path);
        cSoundSample* effect = sample(path);
        EXPECT_FALSE(m_sound->getMixer()->isStreamed(effect->getHandle()));
        total += bytes[index++];
        EXPECT_EQ(m_sound->getMixer()->getSampleMemory(), total);
    }
}

TEST_F(SoundStreamTest, AMonoEffectHeldInOneChannelPlaysOnBothSides) {
    m_folders.writeData("tick.wav", TestSupport::makeWav({1000, -2000, 3000}, 1, 44100));
    start();
    m_sound->playOnce(sample("tick.wav"));
    const std::vector<int16_t> heard = pull(4, 4);
    const int volume = m_sound->getSoundVolume() == 100 ? cSoundSystem::appliedVolume(100) : 0;
    const std::vector<int16_t> expected = {int16_t(1000 * volume / 100),
                                           int16_t(1000 * volume / 100),
                                           int16_t(-2000 * volume / 100),
                                           int16_t(-2000 * volume / 100),
                                           int16_t(3000 * volume / 100),
                                           int16_t(3000 * volume / 100),
                                           0,
                                           0};
    EXPECT_EQ(heard, expected);
}

TEST_F(SoundStreamTest, ChannelsOfOneStreamedSoundPlayApartAndOutliveItsUnloading) {
    const int frames = cSoundDecoder::STREAM_SECONDS * 44100 + 500;
    m_folders.writeData("music.ogg", TestSupport::makeOgg(stereoMusic(frames), 2, 44100));
    start();
    cSoundSample* music = sample("music.ogg");
    std::unique_ptr<cSoundChannel> first(m_sound->playMusic(music, false, true));
    const std::vector<int16_t> whole = decoded("music.ogg", m_sound->getMixer()->getChannelVolume(first->getHandle()));
    pull(3000, 3000);
    std::unique_ptr<cSoundChannel> second(m_sound->playMusic(music, false, true));
    m_sound->unloadSample(music->getHandle());
    const std::vector<int16_t> heard = pull(10000, 1024);
    for (size_t i = 0; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], whole[i + 6000] + whole[i]) << i;
}

} // namespace
