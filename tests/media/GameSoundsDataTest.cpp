// The shipped sounds: every id the game plays is named by "Meadow/Sounds/GameSounds.xml", and
// every file it names decodes through the engine, neither clipped nor silent; loops meet
// themselves without a jump. Loaded by the sound system, the music and the ambience stream and
// the effects are held at their exact size.

#include "engine/core/File.h"
#include "engine/core/FileSystem.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"
#include "engine/media/SoundChannel.h"
#include "engine/media/SoundDecoder.h"
#include "engine/media/SoundMixer.h"
#include "engine/media/SoundSample.h"
#include "engine/media/SoundSystem.h"
#include "engine/platform/headless/NullAudioOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace Engine;

namespace {

const std::string kData = MEADOW_SHIPPED_DATA_DIR;

struct SoundEntry {
    std::string id;
    std::string path;
};

std::vector<SoundEntry> readGameSounds() {
    cFile file(kData + "/Meadow/Sounds/GameSounds.xml", GENERIC_READ, OPEN_EXISTING);
    cXmlDocument document;
    EXPECT_TRUE(document.parseStream(file));
    IXmlNode* sounds = nullptr;
    std::vector<SoundEntry> entries;
    if (!document.findNode("Sounds", sounds))
        return entries;
    for (int i = 0; i < sounds->getChildCount(); ++i) {
        IXmlNode* node = nullptr;
        sounds->getNodeAt(i, node);
        entries.push_back({wideToNarrow(node->getAttribute(L"id")), wideToNarrow(node->getAttribute(L"path"))});
    }
    return entries;
}

// The results view plays "line" + the line's number for each level achievement of the model.
int levelAchievementCount() {
    cFile file(kData + "/Meadow/Model/GameModel.xml", GENERIC_READ, OPEN_EXISTING);
    cXmlDocument document;
    EXPECT_TRUE(document.parseStream(file));
    IXmlNode* achievements = nullptr;
    if (!document.findNode("LevelAchievements", achievements))
        return 0;
    return achievements->getChildCount();
}

// The ids the game plays by name, the variants of the cat and dog prefixes, the numbered match
// sounds of a series, the takes the board picks crash sounds from and the results' lines.
std::vector<std::string> idsTheGamePlays() {
    std::vector<std::string> ids{"preloader_ambient",
                                 "main_menu_music",
                                 "game_music",
                                 "btn_hovered",
                                 "btn_clicked",
                                 "object_crash",
                                 "bomb_explosion",
                                 "lightning_bonus",
                                 "iron_cell_crash",
                                 "wood_cell_crash",
                                 "chain_crash",
                                 "vehicle",
                                 "vehicle_move",
                                 "vehicle_arrived",
                                 "chicken_effect",
                                 "cow_effect",
                                 "cow_butted",
                                 "bear_fall1",
                                 "bear_fall2",
                                 "cat_effect",
                                 "mix_effect",
                                 "on_achievements",
                                 "match",
                                 "match_add",
                                 "line",
                                 "buy_unit",
                                 "object_fall",
                                 "part_fall",
                                 "fanfare_bonus",
                                 "award_given",
                                 "simple_match",
                                 "match_67",
                                 "best_match",
                                 "show_frame",
                                 "hide_frame",
                                 "field_appear",
                                 "cat_voice",
                                 "chicken_voice",
                                 "cow_voice",
                                 "goat_voice",
                                 "sheep_voice",
                                 "dog_voice",
                                 "bird_voice",
                                 "gold_down",
                                 "truck_down",
                                 "loading_finished",
                                 "trigger_effect",
                                 "object_fall_new_level",
                                 "object_fall_end_level",
                                 "no_moves"};
    for (int variant = 0; variant < 3; ++variant) {
        ids.push_back("cat_voice" + std::to_string(variant));
        ids.push_back("dog_voice" + std::to_string(variant));
    }
    for (int n = 1; n <= 17; ++n)
        ids.push_back("match" + std::to_string(n));
    for (int n = 1; n <= 5; ++n)
        ids.push_back("match_add" + std::to_string(n));
    for (int n = 1; n <= 3; ++n) {
        ids.push_back("wood_cell_crash" + std::to_string(n));
        ids.push_back("chain_crash" + std::to_string(n));
    }
    for (int n = 1; n <= 2; ++n)
        ids.push_back("iron_cell_crash" + std::to_string(n));
    const int lines = levelAchievementCount();
    EXPECT_GE(lines, 4);
    for (int n = 1; n <= lines; ++n)
        ids.push_back("line" + std::to_string(n));
    return ids;
}

// Played looped or as music: these must repeat without a seam.
const std::set<std::string> kLooped{"preloader_ambient", "main_menu_music", "game_music", "vehicle_move"};

double decibels(double level) {
    return 20.0 * std::log10(std::max(level, 1e-9) / 32768.0);
}

TEST(GameSoundsData, EveryIdTheGamePlaysIsThereOnce) {
    std::vector<SoundEntry> entries = readGameSounds();
    std::map<std::string, int> count;
    for (const SoundEntry& entry : entries)
        ++count[entry.id];
    for (const auto& [id, times] : count)
        EXPECT_EQ(times, 1) << "duplicated sound id: " << id;
    for (const std::string& id : idsTheGamePlays())
        EXPECT_EQ(count.count(id), 1u) << "missing sound id: " << id;
}

TEST(GameSoundsData, EverySoundDecodesNeitherClippedNorSilent) {
    std::set<std::string> checked;
    for (const SoundEntry& entry : readGameSounds()) {
        if (!checked.insert(entry.path).second)
            continue;
        SCOPED_TRACE(entry.id + " " + entry.path);
        cFile file(kData + "/" + entry.path, GENERIC_READ, OPEN_EXISTING);
        cSoundBuffer buffer = cSoundDecoder::decode(file);
        const std::vector<int16_t>& samples = buffer.getFrames();
        ASSERT_GT(buffer.getFrameCount(), 1000u);
        double peak = 0.0, sum = 0.0;
        size_t fullScale = 0;
        for (int16_t s : samples) {
            peak = std::max(peak, std::fabs(double(s)));
            sum += double(s) * s;
            fullScale += s >= 32767 || s <= -32767;
        }
        double rms = std::sqrt(sum / double(samples.size()));
        EXPECT_EQ(fullScale, 0u) << "clipped samples";
        EXPECT_LT(decibels(peak), -0.5);
        EXPECT_GT(decibels(peak), -24.0) << "hardly audible";
        EXPECT_GT(decibels(rms), -50.0) << "nearly silent";
        EXPECT_LT(decibels(rms), -8.0) << "too loud for its peak";
    }
}

TEST(GameSoundsData, LoopsAreLongEnoughAndHaveNoSeam) {
    for (const SoundEntry& entry : readGameSounds()) {
        if (!kLooped.count(entry.id))
            continue;
        SCOPED_TRACE(entry.id);
        cFile file(kData + "/" + entry.path, GENERIC_READ, OPEN_EXISTING);
        cSoundBuffer buffer = cSoundDecoder::decode(file);
        const std::vector<int16_t>& s = buffer.getFrames();
        size_t frames = buffer.getFrameCount();
        if (entry.id.find("music") != std::string::npos) {
            EXPECT_GE(frames, size_t(44100) * 60) << "music shorter than a minute";
        }
        // The jump from the last frame back to the first is no bigger than the steps the sound
        // takes inside itself.
        for (int c = 0; c < 2; ++c) {
            double steps = 0.0;
            for (size_t i = 1; i < frames; ++i)
                steps += std::fabs(double(s[i * 2 + c]) - s[(i - 1) * 2 + c]);
            double meanStep = steps / double(frames - 1);
            double seam = std::fabs(double(s[size_t(c)]) - s[(frames - 1) * 2 + c]);
            EXPECT_LT(seam, 4.0 * meanStep + 64.0) << "channel " << c;
        }
    }
}

// The RMS level of the sound over the frames [from, to), both channels.
double rmsOf(const std::vector<int16_t>& frames, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from * 2; i < to * 2; ++i)
        sum += double(frames[i]) * frames[i];
    return to > from ? std::sqrt(sum / double((to - from) * 2)) : 0.0;
}

cSoundBuffer decodeShipped(const std::string& path) {
    cFile file(kData + "/" + path, GENERIC_READ, OPEN_EXISTING);
    return cSoundDecoder::decode(file);
}

// The menu loops its ambience in the effects group under its music in the music group, both at
// the group volume of the player's settings (full until the player changes them): the ambience
// is a quiet bed well under the music, at every second of its loop, not a second piece.
TEST(GameSoundsData, TheMenuAmbienceIsAQuietBedUnderTheMenuMusic) {
    const double effectsGain = cSoundSystem::appliedVolume(100) / 100.0;
    const double musicGain = cSoundSystem::appliedVolume(100) / 100.0;
    const cSoundBuffer ambience = decodeShipped("Meadow/Sounds/preloader_ambient.ogg");
    const cSoundBuffer music = decodeShipped("Meadow/Sounds/main_menu_music.ogg");
    const double musicLevel = decibels(rmsOf(music.getFrames(), 0, music.getFrameCount()) * musicGain);
    const double bedLevel = decibels(rmsOf(ambience.getFrames(), 0, ambience.getFrameCount()) * effectsGain);
    double loudestSecond = -200.0;
    for (size_t from = 0; from + 44100 <= ambience.getFrameCount(); from += 22050)
        loudestSecond =
            std::max(loudestSecond, decibels(rmsOf(ambience.getFrames(), from, from + 44100) * effectsGain));
    EXPECT_LE(bedLevel, musicLevel - 12.0) << "the ambience as a whole against the music's " << musicLevel << " dB";
    EXPECT_LE(loudestSecond, musicLevel - 6.0)
        << "the ambience's loudest second against the music's " << musicLevel << " dB";
}

TEST(GameSoundsData, EffectsAreMono) {
    std::set<std::string> checked;
    for (const SoundEntry& entry : readGameSounds()) {
        if (entry.id.find("music") != std::string::npos || !checked.insert(entry.path).second)
            continue;
        cFile file(kData + "/" + entry.path, GENERIC_READ, OPEN_EXISTING);
        cSoundBuffer buffer = cSoundDecoder::decode(file);
        const std::vector<int16_t>& s = buffer.getFrames();
        size_t differing = 0;
        for (size_t i = 0; i + 1 < s.size(); i += 2)
            differing += s[i] != s[i + 1];
        EXPECT_EQ(differing, 0u) << entry.id;
    }
}

TEST(GameSoundsData, TheSoundSystemStreamsTheMusicAndTheAmbienceAndHoldsEffectsAtTheirSize) {
    cFileSystem files(narrowToWide(kData), "pack");
    cSoundSystem sound;
    std::map<std::string, std::unique_ptr<cSoundSample>> samples;
    size_t effectBytes = 0;
    for (const SoundEntry& entry : readGameSounds()) {
        if (samples.count(entry.path))
            continue;
        SCOPED_TRACE(entry.path);
        samples[entry.path] = std::make_unique<cSoundSample>(entry.path);
        const bool streamed = sound.getMixer()->isStreamed(samples[entry.path]->getHandle());
        const bool longLoop = entry.id == "preloader_ambient" || entry.id.find("music") != std::string::npos;
        EXPECT_EQ(streamed, longLoop);
        if (!streamed) {
            cFile file(kData + "/" + entry.path, GENERIC_READ, OPEN_EXISTING);
            effectBytes += cSoundDecoder::decode(file).getFrameCount() * 2; // mono, one channel
        }
    }
    const size_t streamedBytes = sound.getMixer()->getSampleMemory() - effectBytes;
    EXPECT_LT(streamedBytes, size_t(2) << 20) << "the streamed files, compressed";

    // The menu's music across its loop point, as the output pulls it, against the whole decode.
    cSoundSample* music = samples.at("Meadow/Sounds/main_menu_music.ogg").get();
    std::unique_ptr<cSoundChannel> channel(sound.playMusic(music, true, true));
    const int volume = sound.getMixer()->getChannelVolume(channel->getHandle());
    cFile file(kData + "/Meadow/Sounds/main_menu_music.ogg", GENERIC_READ, OPEN_EXISTING);
    const std::vector<int16_t> whole = cSoundDecoder::decode(file).getFrames();
    Platform::cNullAudioOutput* output = Platform::cNullAudioOutput::current();
    size_t at = 0;
    const size_t end = whole.size() + 44100 * 2;
    while (at < end) {
        const std::vector<int16_t> heard = output->pull(1024);
        for (size_t i = 0; i < heard.size(); ++i, ++at)
            ASSERT_EQ(heard[i], int16_t(int32_t(whole[at % whole.size()]) * volume / 100)) << "frame " << at / 2;
    }
}

} // namespace
