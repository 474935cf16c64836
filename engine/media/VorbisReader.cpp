#include "engine/media/VorbisReader.h"

#include "engine/core/String.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Engine {

namespace {

[[noreturn]] void fail(const char* why) {
    throw cStringA(std::string("Ogg Vorbis: ") + why);
}

// The file in memory as libvorbisfile reads it: seekable, so that the length is known before
// decoding and a loop can start over. Nothing here can fail or throw.
struct cMemorySource {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    size_t position = 0;

    static size_t read(void* buffer, size_t size, size_t count, void* self) {
        auto* source = static_cast<cMemorySource*>(self);
        if (size == 0)
            return 0;
        const size_t items = std::min(count, (source->size - source->position) / size);
        std::memcpy(buffer, source->bytes + source->position, items * size);
        source->position += items * size;
        return items;
    }
    static int seek(void* self, ogg_int64_t offset, int origin) {
        auto* source = static_cast<cMemorySource*>(self);
        const int64_t base = origin == SEEK_SET   ? 0
                             : origin == SEEK_CUR ? int64_t(source->position)
                                                  : int64_t(source->size);
        const int64_t target = base + offset;
        if (target < 0 || target > int64_t(source->size))
            return -1;
        source->position = size_t(target);
        return 0;
    }
    static long tell(void* self) { return long(static_cast<cMemorySource*>(self)->position); }
};

constexpr size_t CHUNK_FRAMES = 4096;

} // namespace

struct cVorbisDecoder::cState {
    cMemorySource source;
    OggVorbis_File file;
    bool open = false;
    ~cState() {
        if (open)
            ov_clear(&file);
    }
};

cVorbisDecoder::cVorbisDecoder(const uint8_t* bytes, size_t size) : m_state(std::make_unique<cState>()) {
    m_state->source.bytes = bytes;
    m_state->source.size = size;
    ov_callbacks callbacks;
    callbacks.read_func = &cMemorySource::read;
    callbacks.seek_func = &cMemorySource::seek;
    callbacks.close_func = nullptr; // the caller owns the bytes
    callbacks.tell_func = &cMemorySource::tell;
    if (ov_open_callbacks(&m_state->source, &m_state->file, nullptr, 0, callbacks) != 0)
        fail("not a Vorbis stream");
    m_state->open = true;

    const vorbis_info* info = ov_info(&m_state->file, -1);
    if (!info || info->channels < 1 || info->channels > 2)
        fail("unsupported channel count");
    if (info->rate < 1000 || info->rate > 192000)
        fail("unsupported sample rate");
    m_channels = info->channels;
    m_rate = int(info->rate);
    const ogg_int64_t total = ov_pcm_total(&m_state->file, -1);
    if (total < 0)
        fail("no length");
    m_frames = total;
}

cVorbisDecoder::~cVorbisDecoder() = default;

size_t cVorbisDecoder::read(int16_t* stereo, size_t count) {
    const bool bigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
    if (m_channels == 1 && m_mono.size() < CHUNK_FRAMES)
        m_mono.resize(CHUNK_FRAMES);
    size_t done = 0;
    while (done < count) {
        const size_t want = std::min(count - done, CHUNK_FRAMES);
        char* target =
            m_channels == 2 ? reinterpret_cast<char*>(stereo + done * 2) : reinterpret_cast<char*>(m_mono.data());
        int section = 0;
        const long got = ov_read(&m_state->file, target, int(want * size_t(m_channels) * sizeof(int16_t)), bigEndian, 2,
                                 1, &section);
        if (got == 0)
            break;
        if (got == OV_HOLE)
            continue; // a gap in the data: carry on after it
        if (got < 0)
            fail("corrupt stream");
        // Chained streams must keep one layout throughout.
        const vorbis_info* current = ov_info(&m_state->file, section);
        if (!current || current->channels != m_channels || current->rate != m_rate)
            fail("stream changes its layout");
        const size_t frames = size_t(got) / sizeof(int16_t) / size_t(m_channels);
        if (m_channels == 1)
            for (size_t i = 0; i < frames; ++i)
                stereo[(done + i) * 2] = stereo[(done + i) * 2 + 1] = m_mono[i];
        done += frames;
    }
    return done;
}

void cVorbisDecoder::rewind() {
    if (ov_pcm_seek(&m_state->file, 0) != 0)
        fail("cannot start over");
}

std::vector<uint8_t> cVorbisReader::readAll(IDataStream& stream) {
    std::vector<uint8_t> bytes(size_t(std::max<int32_t>(stream.getSize(), 0)));
    size_t filled = 0;
    while (filled < bytes.size()) {
        const int32_t got = stream.read(bytes.data() + filled, int32_t(bytes.size() - filled));
        if (got <= 0)
            break;
        filled += size_t(got);
    }
    bytes.resize(filled);
    return bytes;
}

cSoundBuffer cVorbisReader::read(IDataStream& stream) {
    const std::vector<uint8_t> bytes = readAll(stream);
    return read(bytes.data(), bytes.size());
}

cSoundBuffer cVorbisReader::read(const uint8_t* bytes, size_t size) {
    cVorbisDecoder decoder(bytes, size);
    if (decoder.getFrameCount() > MAX_FRAMES)
        fail("sound too long");
    std::vector<int16_t> frames(size_t(decoder.getFrameCount()) * 2);
    size_t count = decoder.read(frames.data(), size_t(decoder.getFrameCount()));
    // A last page that tells too few frames: what follows is still the sound's.
    int16_t more[CHUNK_FRAMES * 2];
    while (size_t got = decoder.read(more, CHUNK_FRAMES)) {
        if (int64_t(count + got) > MAX_FRAMES)
            fail("sound too long");
        frames.resize(count * 2);
        frames.insert(frames.end(), more, more + got * 2);
        count += got;
    }
    frames.resize(count * 2);
    cSoundBuffer buffer(decoder.getSampleRate(), std::move(frames));
    buffer.fit();
    return buffer;
}

} // namespace Engine
