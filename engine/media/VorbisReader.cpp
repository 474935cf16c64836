#include "engine/media/VorbisReader.h"

#include "engine/core/String.h"

#include <vorbis/vorbisfile.h>

#include <cerrno>
#include <exception>

namespace Engine {

namespace {

[[noreturn]] void fail(const char* why) {
    throw cStringA(std::string("Ogg Vorbis: ") + why);
}

// The stream as libvorbisfile reads it, once from its start. Nothing may unwind through the library: a failure is
// kept here, the library is told that reading failed, and the failure is thrown after it returns.
class cVorbisSource {
public:
    // The stream must stand at its start; getSize may move a file there anyway.
    explicit cVorbisSource(IDataStream& stream) : m_stream(stream) { m_size = stream.getSize(); }

    void rethrow() {
        if (m_error)
            std::rethrow_exception(m_error);
    }

    static size_t read(void* buffer, size_t size, size_t count, void* self) {
        auto* source = static_cast<cVorbisSource*>(self);
        try {
            if (size == 0 || count == 0)
                return 0;
            int64_t want = int64_t(size) * int64_t(count);
            if (want > source->m_size - source->m_position)
                want = source->m_size - source->m_position;
            if (want <= 0)
                return 0;
            int32_t got = source->m_stream.read(buffer, int32_t(want));
            if (got < 0)
                got = 0;
            source->m_position += got;
            return size_t(got) / size;
        } catch (...) {
            source->m_error = std::current_exception();
            errno = EIO;
            return 0;
        }
    }

private:
    IDataStream& m_stream;
    int64_t m_size = 0;
    int64_t m_position = 0;
    std::exception_ptr m_error;
};

class cVorbisFile {
public:
    ~cVorbisFile() {
        if (m_open)
            ov_clear(&m_file);
    }
    OggVorbis_File m_file;
    bool m_open = false;
};

} // namespace

cSoundBuffer cVorbisReader::read(IDataStream& stream) {
    cVorbisSource source(stream);
    ov_callbacks callbacks;
    callbacks.read_func = &cVorbisSource::read;
    // Read front to back, never seeking: the whole file is decoded in order anyway, and a pack
    // entry would have to be inflated again from its start for every seek back.
    callbacks.seek_func = nullptr;
    callbacks.close_func = nullptr; // the caller owns the stream
    callbacks.tell_func = nullptr;

    cVorbisFile file;
    int opened = ov_open_callbacks(&source, &file.m_file, nullptr, 0, callbacks);
    source.rethrow();
    if (opened != 0)
        fail("not a Vorbis stream");
    file.m_open = true;

    const vorbis_info* info = ov_info(&file.m_file, -1);
    if (!info || info->channels < 1 || info->channels > 2)
        fail("unsupported channel count");
    const int channels = info->channels;
    const long rate = info->rate;
    if (rate < 1000 || rate > 192000)
        fail("unsupported sample rate");

    cSoundBuffer buffer(int(rate), {});
    int16_t samples[4096];
    const bool bigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
    int64_t frames = 0;
    for (;;) {
        int section = 0;
        long got = ov_read(&file.m_file, reinterpret_cast<char*>(samples), sizeof(samples), bigEndian, 2, 1, &section);
        source.rethrow();
        if (got == 0)
            break;
        if (got == OV_HOLE)
            continue; // a gap in the data: carry on after it
        if (got < 0)
            fail("corrupt stream");
        // Chained streams must keep one layout throughout.
        const vorbis_info* current = ov_info(&file.m_file, section);
        if (!current || current->channels != channels || current->rate != rate)
            fail("stream changes its layout");
        const size_t frameCount = size_t(got) / sizeof(int16_t) / size_t(channels);
        frames += int64_t(frameCount);
        if (frames > MAX_FRAMES)
            fail("sound too long");
        buffer.appendSamples(samples, frameCount, channels);
    }
    return buffer;
}

} // namespace Engine
