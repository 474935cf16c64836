#include "engine/media/SoundBuffer.h"

namespace Engine {

void cSoundBuffer::appendSamples(const int16_t* samples, size_t frameCount, int channels) {
    if (channels == 2) {
        m_frames.insert(m_frames.end(), samples, samples + frameCount * 2);
        return;
    }
    // resize, not an exact reserve: decoders append in small chunks, and growing to the exact
    // size each time copies the whole sound again for every chunk.
    const size_t start = m_frames.size();
    m_frames.resize(start + frameCount * 2);
    for (size_t i = 0; i < frameCount; ++i) {
        m_frames[start + i * 2] = samples[i];
        m_frames[start + i * 2 + 1] = samples[i];
    }
}

void cSoundBuffer::resample(int sampleRate) {
    if (sampleRate == m_sampleRate || m_sampleRate <= 0 || sampleRate <= 0)
        return;
    const size_t count = getFrameCount();
    if (count == 0) {
        m_sampleRate = sampleRate;
        return;
    }
    const uint64_t from = uint64_t(m_sampleRate), to = uint64_t(sampleRate);
    const size_t outCount = size_t((uint64_t(count) * to + from - 1) / from);
    std::vector<int16_t> out(outCount * 2);
    for (size_t i = 0; i < outCount; ++i) {
        // Source position i * from / to, in whole frames and a remainder over to.
        const uint64_t position = uint64_t(i) * from;
        const size_t index = size_t(position / to);
        const int64_t fraction = int64_t(position % to);
        const size_t next = index + 1 < count ? index + 1 : index;
        for (int side = 0; side < 2; ++side) {
            const int64_t a = m_frames[index * 2 + side];
            const int64_t b = m_frames[next * 2 + side];
            out[i * 2 + side] = int16_t(a + (b - a) * fraction / int64_t(to));
        }
    }
    m_frames.swap(out);
    m_sampleRate = sampleRate;
}

void cSoundBuffer::compactMono() {
    if (m_channels != 2)
        return;
    const size_t count = getFrameCount();
    for (size_t i = 0; i < count; ++i)
        if (m_frames[i * 2] != m_frames[i * 2 + 1])
            return;
    std::vector<int16_t> mono(count);
    for (size_t i = 0; i < count; ++i)
        mono[i] = m_frames[i * 2];
    m_frames.swap(mono);
    m_channels = 1;
}

} // namespace Engine
