#include "engine/media/SoundStream.h"

#include "engine/core/String.h"
#include "engine/platform/AudioOutput.h"

#include <algorithm>

namespace Engine {

cStreamedSound::cStreamedSound(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {
    m_bytes.shrink_to_fit();
    cVorbisDecoder decoder(m_bytes.data(), m_bytes.size());
    // Resampling works on whole sounds: a stream plays at the output's rate as it is.
    if (decoder.getSampleRate() != Platform::AUDIO_SAMPLE_RATE)
        throw cStringA(std::string("Ogg Vorbis: a streamed sound must be at the output's rate"));
    m_frames = size_t(decoder.getFrameCount());
}

std::unique_ptr<cSoundStream> cStreamedSound::open() const {
    return std::make_unique<cSoundStream>(shared_from_this());
}

cSoundStream::cSoundStream(std::shared_ptr<const cStreamedSound> sound)
    : m_sound(std::move(sound)), m_decoder(m_sound->m_bytes.data(), m_sound->m_bytes.size()),
      m_block(BLOCK_FRAMES * 2) {
    decodeBlock();
}

void cSoundStream::decodeBlock() noexcept {
    m_begin = m_end = 0;
    try {
        m_end = m_decoder.read(m_block.data(), BLOCK_FRAMES);
    } catch (...) {
        // A damaged place: the sound ends here.
    }
    m_exhausted = m_end == 0;
}

bool cSoundStream::finished() noexcept {
    if (m_begin == m_end && !m_exhausted)
        decodeBlock();
    return m_begin == m_end;
}

size_t cSoundStream::next(size_t count, const int16_t*& frames) noexcept {
    if (finished())
        return 0;
    const size_t run = std::min(count, m_end - m_begin);
    frames = m_block.data() + m_begin * 2;
    m_begin += run;
    return run;
}

bool cSoundStream::rewind() noexcept {
    try {
        m_decoder.rewind();
    } catch (...) {
        m_begin = m_end = 0;
        m_exhausted = true;
        return false;
    }
    decodeBlock();
    return true;
}

} // namespace Engine
