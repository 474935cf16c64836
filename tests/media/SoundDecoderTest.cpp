#include "engine/media/SoundDecoder.h"

#include "engine/core/String.h"
#include "engine/media/VorbisReader.h"
#include "engine/media/WavReader.h"
#include "tests/media/SoundFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

using namespace Engine;
using TestSupport::cMemoryStream;

namespace {

std::vector<int16_t> frames(const cSoundBuffer& buffer) {
    return buffer.getFrames();
}

TEST(SoundDecoder, WavStereo16BitAtOutputRateIsExact) {
    const std::vector<int16_t> samples = {1000, -1000, 32767, -32768, 0, 5};
    cMemoryStream stream(TestSupport::makeWav(samples, 2, 44100));
    cSoundBuffer buffer = cSoundDecoder::decode(stream);
    EXPECT_EQ(buffer.getSampleRate(), 44100);
    EXPECT_EQ(frames(buffer), samples);
}

TEST(SoundDecoder, WavMonoAnd8BitBecomeStereo) {
    cMemoryStream mono(TestSupport::makeWav({100, -200}, 1, 44100));
    EXPECT_EQ(frames(cWavReader::read(mono)), (std::vector<int16_t>{100, 100, -200, -200}));

    cMemoryStream eight(TestSupport::makeWav({0x7F00, -0x8000, 0}, 1, 44100, 8));
    EXPECT_EQ(frames(cWavReader::read(eight)), (std::vector<int16_t>{0x7F00, 0x7F00, -0x8000, -0x8000, 0, 0}));
}

TEST(SoundDecoder, ResamplesToTheOutputRate) {
    // 22050 Hz: every second output frame lies halfway between two input frames.
    cMemoryStream stream(TestSupport::makeWav({0, 1000, 2000}, 1, 22050));
    cSoundBuffer buffer = cSoundDecoder::decode(stream);
    EXPECT_EQ(buffer.getSampleRate(), 44100);
    EXPECT_EQ(frames(buffer), (std::vector<int16_t>{0, 0, 500, 500, 1000, 1000, 1500, 1500, 2000, 2000, 2000, 2000}));
}

TEST(SoundDecoder, BadFilesAreRefusedWithAReason) {
    std::string good = TestSupport::makeWav({1, 2, 3, 4}, 2, 44100);
    std::string badFormat = good;
    badFormat[12 + 8 + 8] = 3; // format tag: float
    std::string threeChannels = good;
    threeChannels[12 + 8 + 8 + 2] = 3;
    std::string noData = good.substr(0, 12 + 8 + 8 + 16);
    const std::string cases[] = {"",
                                 "RIF",
                                 "RIFF\x04\0\0\0WAVE",
                                 "OggS not really",
                                 "MThd",
                                 badFormat,
                                 threeChannels,
                                 noData,
                                 TestSupport::makeOgg({}, 1, 44100).substr(0, 60)};
    for (const std::string& bytes : cases) {
        cMemoryStream stream(bytes);
        EXPECT_THROW(cSoundDecoder::decode(stream), cStringA) << bytes.size();
    }
}

TEST(SoundDecoder, WavWithDataSizeBeyondTheFileReadsWhatIsThere) {
    std::string bytes = TestSupport::makeWav({7, 8, 9, 10}, 2, 44100);
    bytes[bytes.size() - 8 - 4] = char(0xFF); // data size far too large
    bytes.resize(bytes.size() - 1);           // and a frame cut in half
    cMemoryStream stream(bytes);
    EXPECT_EQ(frames(cWavReader::read(stream)), (std::vector<int16_t>{7, 8}));
}

TEST(SoundDecoder, OggVorbisDecodesCloseToTheSource) {
    const std::vector<int16_t> sine = TestSupport::makeSine(22050, 12000, 100);
    cMemoryStream stream(TestSupport::makeOgg(sine, 1, 44100));
    cSoundBuffer buffer = cSoundDecoder::decode(stream);
    ASSERT_EQ(buffer.getFrameCount(), sine.size());
    long worst = 0;
    for (size_t i = 0; i < sine.size(); ++i) {
        EXPECT_EQ(buffer.getFrames()[i * 2], buffer.getFrames()[i * 2 + 1]);
        worst = std::max(worst, std::labs(long(buffer.getFrames()[i * 2]) - sine[i]));
    }
    EXPECT_LT(worst, 1500); // lossy, but the same wave
}

TEST(SoundDecoder, OggVorbisReadsAStreamThatCannotSeek) {
    const std::vector<int16_t> sine = TestSupport::makeSine(4410, 8000, 50);
    cMemoryStream stream(TestSupport::makeOgg(sine, 1, 44100));
    stream.refuseSeeks = true;
    EXPECT_EQ(cVorbisReader::read(stream).getFrameCount(), sine.size());
}

TEST(SoundDecoder, AFailingReadInsideTheDecoderReachesTheCaller) {
    const std::vector<int16_t> sine = TestSupport::makeSine(44100, 8000, 50);
    cMemoryStream stream(TestSupport::makeOgg(sine, 1, 44100));
    stream.throwAfter = 6000;
    EXPECT_THROW(cVorbisReader::read(stream), std::runtime_error);
}

} // namespace
