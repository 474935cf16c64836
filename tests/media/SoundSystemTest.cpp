#include "engine/media/SoundSystem.h"

#include "engine/core/FatalError.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/Settings.h"
#include "engine/core/String.h"
#include "engine/media/SoundChannel.h"
#include "engine/media/SoundMixer.h"
#include "engine/media/SoundSample.h"
#include "engine/platform/headless/NullAudioOutput.h"
#include "tests/media/SoundFiles.h"
#include "tests/support/DataFolders.h"
#include "tests/support/FileServices.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace Engine;
using Platform::cNullAudioOutput;

namespace {

// Left and right samples of the test tone; the second half is loud, to show clamping.
const std::vector<int16_t> kTone = {1000, -1000, 2001, -2001, 30000, -30000, 99, -99};

class SoundSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folders.writeData("tone.wav", TestSupport::makeWav(kTone, 2, 44100));
        m_folders.writeData("one.wav", TestSupport::makeWav({10000, 10000}, 2, 44100));
        m_folders.writeData("broken.wav", "RIFF....WAVEjunk");
        m_files = std::make_unique<cFileSystem>(m_folders.dataFolder(), "pack");
        m_sound = std::make_unique<cSoundSystem>();
        m_output = cNullAudioOutput::current();
        ASSERT_NE(m_output, nullptr);
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
    // The left samples of the next frames.
    std::vector<int> left(int frames) {
        std::vector<int16_t> pcm = m_output->pull(frames);
        std::vector<int> out;
        for (int i = 0; i < frames; ++i)
            out.push_back(pcm[size_t(i) * 2]);
        return out;
    }

    TestSupport::DataFolders m_folders;
    std::unique_ptr<cFileSystem> m_files;
    std::unique_ptr<cSoundSystem> m_sound;
    cNullAudioOutput* m_output = nullptr;
    std::vector<std::unique_ptr<cSoundSample>> m_samples;
};

TEST(SoundVolume, AppliedVolumeFollowsTheSquareRootCurve) {
    const std::pair<int, int> cases[] = {{0, 0}, {25, 50}, {50, 70}, {64, 79}, {100, 100}, {-20, 0}, {250, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(cSoundSystem::appliedVolume(c.first), c.second) << c.first;
}

TEST_F(SoundSystemTest, ASamplePlaysAtTheCurvesLevelAndEnds) {
    m_sound->setSoundVolume(25); // applied 50
    EXPECT_EQ(m_sound->getSoundVolume(), 25);
    std::unique_ptr<cSoundChannel> channel(m_sound->play(sample("tone.wav"), false, true));
    EXPECT_TRUE(channel->isPlaying());

    std::vector<int16_t> pcm = m_output->pull(5);
    EXPECT_EQ(pcm, (std::vector<int16_t>{500, -500, 1000, -1000, 15000, -15000, 49, -49, 0, 0}));
    EXPECT_FALSE(channel->isPlaying());
    EXPECT_FALSE(channel->isPaused());
}

TEST_F(SoundSystemTest, GroupsHaveTheirOwnVolumesAndChannelsAddUp) {
    cSoundSample* tone = sample("tone.wav");
    m_sound->setSoundVolume(64); // 79
    m_sound->setMusicVolume(25); // 50
    std::unique_ptr<cSoundChannel> effect(m_sound->play(tone, false, true));
    std::unique_ptr<cSoundChannel> music(m_sound->playMusic(tone, false, true));
    EXPECT_EQ(effect->getKind(), cSoundChannel::KIND_EFFECT);
    EXPECT_EQ(music->getKind(), cSoundChannel::KIND_MUSIC);
    // 1000*79/100 + 1000*50/100; the loud frame clamps.
    EXPECT_EQ(left(3), (std::vector<int>{790 + 500, 1580 + 1000, 32767}));

    m_sound->setMusicVolume(0); // reaches the playing music channel
    EXPECT_EQ(left(1), std::vector<int>{78});
}

TEST_F(SoundSystemTest, ChannelVolumeIsScaledByTheGroupVolumeAsSet) {
    m_sound->setSoundVolume(50);
    std::unique_ptr<cSoundChannel> channel(m_sound->play(sample("one.wav"), true, true));
    channel->setVolume(80); // 40 in the mixer
    EXPECT_EQ(channel->getVolume(), 80);
    EXPECT_EQ(left(1), std::vector<int>{4000});

    m_sound->setSoundVolume(0);
    EXPECT_EQ(channel->getVolume(), 0);
}

TEST_F(SoundSystemTest, PauseAndResumeKeepThePlace) {
    std::unique_ptr<cSoundChannel> channel(m_sound->play(sample("tone.wav"), false, true));
    EXPECT_EQ(left(1), std::vector<int>{1000});
    channel->pause();
    EXPECT_TRUE(channel->isPaused());
    EXPECT_FALSE(channel->isPlaying());
    EXPECT_EQ(left(2), (std::vector<int>{0, 0}));
    channel->pause(); // already paused: nothing changes
    channel->resume();
    EXPECT_TRUE(channel->isPlaying());
    EXPECT_EQ(left(2), (std::vector<int>{2001, 30000}));
}

TEST_F(SoundSystemTest, NotStartedChannelsWaitForResume) {
    std::unique_ptr<cSoundChannel> effect(m_sound->play(sample("tone.wav"), false, false));
    std::unique_ptr<cSoundChannel> music(m_sound->playMusic(sample("one.wav"), false, false));
    EXPECT_TRUE(effect->isPaused());
    EXPECT_FALSE(music->isPlaying());
    EXPECT_EQ(left(1), std::vector<int>{0});

    effect->resume();
    music->resume();
    EXPECT_EQ(left(1), std::vector<int>{1000 + 10000});
}

TEST_F(SoundSystemTest, GlobalUnpauseLeavesChannelsPausedOnTheirOwn) {
    cSoundSample* one = sample("one.wav");
    std::unique_ptr<cSoundChannel> held(m_sound->play(one, true, true));
    std::unique_ptr<cSoundChannel> running(m_sound->playMusic(one, true, true));
    held->pause();

    m_sound->setPaused(true);
    EXPECT_TRUE(m_sound->isPaused());
    EXPECT_TRUE(running->isPaused());
    EXPECT_EQ(left(1), std::vector<int>{0});

    m_sound->setPaused(false);
    EXPECT_TRUE(held->isPaused());
    EXPECT_TRUE(running->isPlaying());
    EXPECT_EQ(left(1), std::vector<int>{10000});
}

TEST_F(SoundSystemTest, LoopingMusicStartsOverAndAnEndedChannelReplaysOnResume) {
    std::unique_ptr<cSoundChannel> music(m_sound->playMusic(sample("tone.wav"), true, true));
    EXPECT_EQ(left(9), (std::vector<int>{1000, 2001, 30000, 99, 1000, 2001, 30000, 99, 1000}));
    EXPECT_TRUE(music->isPlaying());

    std::unique_ptr<cSoundChannel> once(m_sound->playMusic(sample("one.wav"), false, true));
    m_output->pull(2);
    EXPECT_FALSE(once->isPlaying());
    once->resume();
    EXPECT_TRUE(once->isPlaying());
}

TEST_F(SoundSystemTest, PlayOnceRunsToItsEndWithoutAChannel) {
    cSoundSample* tone = sample("tone.wav");
    m_sound->playOnce(tone);
    EXPECT_EQ(m_sound->getMixer()->getChannelCount(), 1u);
    EXPECT_EQ(left(4), (std::vector<int>{1000, 2001, 30000, 99}));
    m_output->pull(1);
    EXPECT_EQ(m_sound->getMixer()->getChannelCount(), 0u);
}

TEST_F(SoundSystemTest, DeletingAChannelStopsItAndReleasesTheSample) {
    cSoundSample* tone = sample("tone.wav");
    cSoundChannel* channel = m_sound->play(tone, true, true);
    EXPECT_EQ(tone->getRefCount(), 2);
    delete channel;
    EXPECT_EQ(tone->getRefCount(), 1);
    EXPECT_EQ(left(1), std::vector<int>{0});
}

// As a broken particle effect: the game goes on without the sound, and the log names it once.
TEST_F(SoundSystemTest, MissingOrBrokenFilesAreSkippedAndLoggedOnce) {
    auto errorLog = [] { return std::filesystem::exists("error.log") ? TestSupport::readFileBytes("error.log") : ""; };
    const std::string before = errorLog();
    for (int round = 0; round < 2; ++round)
        for (const char* path : {"missing.wav", "broken.wav"}) {
            SCOPED_TRACE(path);
            cSoundSample* skipped = sample(path);
            EXPECT_EQ(skipped->getHandle(), 0);
            EXPECT_EQ(m_sound->play(skipped, false, true), nullptr);
            EXPECT_EQ(m_sound->playMusic(skipped, true, true), nullptr);
            m_sound->playOnce(skipped);
        }
    EXPECT_EQ(left(1), std::vector<int>{0});
    const std::string log = errorLog().substr(before.size());
    for (const char* line : {"Sound file \"missing.wav\" cannot be loaded (File \"missing.wav\" not found.); the game "
                             "plays without it.",
                             "Sound file \"broken.wav\" cannot be loaded ("}) {
        const size_t at = log.find(line);
        EXPECT_NE(at, std::string::npos) << line << "\n" << log;
        EXPECT_EQ(log.find(line, at + 1), std::string::npos) << "logged once: " << line;
    }
    // Sounds that load still play.
    std::unique_ptr<cSoundChannel> channel(m_sound->play(sample("tone.wav"), false, true));
    EXPECT_EQ(left(1), std::vector<int>{1000});
}

TEST_F(SoundSystemTest, PrefetchedSamplesLoadAsTheFilesDoAndKeepTheirErrors) {
    m_folders.writeData("sine.ogg", TestSupport::makeOgg(TestSupport::makeSine(4410, 8000, 100), 1, 44100));
    m_files.reset();
    m_files = std::make_unique<cFileSystem>(m_folders.dataFolder(), "pack");
    const size_t before = m_sound->getMixer()->getSampleMemory();
    sample("sine.ogg");
    const size_t sineMemory = m_sound->getMixer()->getSampleMemory() - before;
    m_samples.clear();

    m_sound->prefetchSamples({"Tone.wav", "sine.ogg", "broken.wav", "missing.wav"});
    cSoundSample* tone = sample("tone.wav");
    m_sound->playOnce(tone);
    EXPECT_EQ(left(4), (std::vector<int>{1000, 2001, 30000, 99}));
    sample("sine.ogg");
    EXPECT_EQ(m_sound->getMixer()->getSampleMemory() - before - 4 * 2 * 2, sineMemory);
    // A file the prefetch could not decode is skipped at its load as without the prefetch.
    auto errorLog = [] { return std::filesystem::exists("error.log") ? TestSupport::readFileBytes("error.log") : ""; };
    const std::string logged = errorLog();
    for (const char* path : {"missing.wav", "broken.wav"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(sample(path)->getHandle(), 0);
        EXPECT_NE(errorLog().find(std::string("Sound file \"") + path + "\" cannot be loaded (", logged.size()),
                  std::string::npos);
    }
    m_sound->endPrefetch();
    EXPECT_NE(sample("one.wav")->getHandle(), 0);
}

TEST_F(SoundSystemTest, AFailedPlayThrowsTheChannelError) {
    try {
        delete m_sound->play(nullptr, false, true);
        FAIL();
    } catch (const cStringA& text) {
        EXPECT_EQ(text, "Error sound channel creating. Error code:-1");
        EXPECT_EQ(errorCallStack(), text);
    }
    m_sound->playOnce(nullptr); // ignores the failure
}

TEST_F(SoundSystemTest, UnloadedSampleStillPlaysOutOnItsChannel) {
    auto tone = std::make_unique<cSoundSample>("tone.wav");
    std::unique_ptr<cSoundChannel> channel(m_sound->play(tone.get(), false, true));
    m_sound->unloadSample(tone->getHandle());
    EXPECT_EQ(left(2), (std::vector<int>{1000, 2001}));
}

TEST_F(SoundSystemTest, SamplesAreResourcesOfTheManager) {
    cResourceManager manager;
    cSoundSample* first = manager.getSoundSample("Tone.WAV");
    cSoundSample* second = manager.getSoundSample("tone.wav");
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->getKind(), RESOURCE_SOUND);
    EXPECT_EQ(first->getRefCount(), 2);
    EXPECT_NE(first->getHandle(), 0);
}

TEST_F(SoundSystemTest, AChannelKeptPastItsSoundSystemNeverStopsTheNextOnesSounds) {
    std::unique_ptr<cSoundChannel> stale(m_sound->play(sample("one.wav"), true, true));
    m_sound.reset();
    m_sound = std::make_unique<cSoundSystem>(std::make_unique<cNullAudioOutput>());
    m_output = cNullAudioOutput::current();
    cSoundSample* fresh = sample("one.wav");
    std::unique_ptr<cSoundChannel> current(m_sound->play(fresh, true, true));
    stale.reset();
    EXPECT_TRUE(current->isPlaying());
    EXPECT_EQ(left(1), std::vector<int>{10000});
}

TEST_F(SoundSystemTest, ChannelsOutlivingTheSoundSystemDoNothing) {
    cSoundSample* tone = sample("tone.wav");
    std::unique_ptr<cSoundChannel> channel(m_sound->play(tone, false, true));
    m_sound.reset();
    EXPECT_FALSE(channel->isPlaying());
    EXPECT_TRUE(channel->isPaused());
    channel->resume();
    channel.reset();
    EXPECT_EQ(tone->getRefCount(), 1);
}

TEST(SoundSystemSettings, VolumesComeFromTheSettingsAndGoBack) {
    TestSupport::FileServices services;
    services.writeData("sys/settings.xml", "<settings><Sound Music=\"36\" Sound=\"49\"/></settings>");
    services.start();
    cSettings settings("sys/settings.xml");
    {
        cSoundSystem sound;
        EXPECT_EQ(sound.getMusicVolume(), 36);
        EXPECT_EQ(sound.getSoundVolume(), 49);
        sound.setMusicVolume(81);
        sound.setSoundVolume(4);
    }
    int music = 0, effects = 0;
    EXPECT_TRUE(settings.getValue(L"Sound", L"Music", music));
    EXPECT_TRUE(settings.getValue(L"Sound", L"Sound", effects));
    EXPECT_EQ(music, 81);
    EXPECT_EQ(effects, 4);

    // A disabled system neither reads nor writes them.
    {
        cSoundSystem silent(nullptr);
        EXPECT_EQ(silent.getMusicVolume(), 100);
        silent.setMusicVolume(5);
    }
    EXPECT_TRUE(settings.getValue(L"Sound", L"Music", music));
    EXPECT_EQ(music, 81);
}

TEST(SoundSystemDisabled, EveryCallIsANoOp) {
    cSoundSystem sound(nullptr);
    EXPECT_TRUE(sound.isDisabled());
    EXPECT_EQ(sound.getSoundVolume(), 100);
    sound.setSoundVolume(30);
    EXPECT_EQ(sound.getSoundVolume(), 30);
    sound.setMusicVolume(40);
    EXPECT_EQ(sound.getMusicVolume(), 40);
    sound.setPaused(true);
    EXPECT_TRUE(sound.isPaused());

    cSoundSample sample("not/even/there.ogg");
    EXPECT_EQ(sample.getHandle(), 0);
    EXPECT_EQ(sound.play(&sample, true, true), nullptr);
    EXPECT_EQ(sound.playMusic(&sample, true, true), nullptr);
    sound.playOnce(&sample);
    EXPECT_EQ(sound.getMixer(), nullptr);
}

TEST(SoundSystemAbsent, LoadingASampleWithoutASoundSystemIsANoOp) {
    ASSERT_EQ(getSoundSystem(), nullptr);
    cSoundSample sample("missing.ogg");
    EXPECT_EQ(sample.getHandle(), 0);
}

TEST(SoundSystemSingleton, SecondInstanceThrows) {
    cSoundSystem first(nullptr);
    EXPECT_EQ(getSoundSystem(), &first);
    try {
        cSoundSystem second(nullptr);
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "Object already exist.");
    }
}

} // namespace
