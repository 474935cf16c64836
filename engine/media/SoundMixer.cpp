#include "engine/media/SoundMixer.h"

#include <algorithm>
#include <atomic>

namespace Engine {

namespace {

int clampVolume(int volume) {
    return volume < 0 ? 0 : volume > 100 ? 100 : volume;
}

// Handles are unique in the process, also across mixers, so that a stale handle kept past a
// sound system's end never names a sound of the next one.
std::atomic<int> g_nextSample{1};
std::atomic<int> g_nextChannel{1};

int nextHandle(std::atomic<int>& counter) {
    int handle = counter.fetch_add(1);
    if (handle <= 0) {
        // Wrapped after two billion handles: start over above 0.
        counter = 2;
        handle = 1;
    }
    return handle;
}

} // namespace

int cSoundMixer::addEntry(sSample sample) {
    std::lock_guard<std::mutex> lock(m_mutex);
    int handle = nextHandle(g_nextSample);
    m_samples[handle] = std::move(sample);
    return handle;
}

int cSoundMixer::addSample(std::shared_ptr<const cSoundBuffer> sample) {
    return addEntry({std::move(sample), nullptr});
}

int cSoundMixer::addSample(std::shared_ptr<const cStreamedSound> sample) {
    return addEntry({nullptr, std::move(sample)});
}

bool cSoundMixer::isStreamed(int sample) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_samples.find(sample);
    return found != m_samples.end() && found->second.streamed;
}

size_t cSoundMixer::getSampleMemory() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    size_t bytes = 0;
    for (const auto& entry : m_samples) {
        if (entry.second.buffer)
            bytes += entry.second.buffer->getMemorySize();
        if (entry.second.streamed)
            bytes += entry.second.streamed->getMemorySize();
    }
    return bytes;
}

void cSoundMixer::removeSample(int sample) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_samples.erase(sample);
}

int cSoundMixer::play(int sample, bool loop, int group, bool start, int volume, bool keep, bool paused) {
    sSample source;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto found = m_samples.find(sample);
        if (found != m_samples.end())
            source = found->second;
    }
    if (!source.buffer && !source.streamed)
        return ERROR_UNKNOWN_SAMPLE;
    sChannel channel;
    channel.sample = source.buffer;
    // The stream opens and decodes its first block here, not on the output's thread.
    if (source.streamed) {
        try {
            channel.stream = source.streamed->open();
        } catch (...) {
            return ERROR_UNKNOWN_SAMPLE;
        }
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    channel.loop = loop;
    channel.keep = keep;
    channel.group = group;
    channel.volume = clampVolume(volume);
    channel.state = start ? PLAYING : READY;
    channel.paused = paused;
    int handle = nextHandle(g_nextChannel);
    m_channels[handle] = std::move(channel);
    return handle;
}

int cSoundMixer::getStatus(int channel) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_channels.find(channel);
    if (found == m_channels.end() || found->second.state != PLAYING)
        return CHANNEL_STOPPED;
    return found->second.paused || m_paused ? CHANNEL_PAUSED : CHANNEL_PLAYING;
}

void cSoundMixer::pauseChannel(int channel, bool pause) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_channels.find(channel);
    if (found != m_channels.end())
        found->second.paused = pause;
}

void cSoundMixer::startChannel(int channel) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_channels.find(channel);
    if (found == m_channels.end())
        return;
    sChannel& c = found->second;
    if (c.state == ENDED) {
        c.position = 0;
        if (c.stream)
            c.stream->rewind();
    }
    c.state = PLAYING;
    c.paused = false;
}

void cSoundMixer::stopChannel(int channel) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_channels.erase(channel);
}

void cSoundMixer::setChannelVolume(int channel, int volume) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_channels.find(channel);
    if (found != m_channels.end())
        found->second.volume = clampVolume(volume);
}

int cSoundMixer::getChannelVolume(int channel) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_channels.find(channel);
    return found == m_channels.end() ? 0 : found->second.volume;
}

void cSoundMixer::setGroupVolume(int group, int volume) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& entry : m_channels) {
        if (entry.second.group == group)
            entry.second.volume = clampVolume(volume);
    }
}

void cSoundMixer::setPaused(bool paused) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_paused = paused;
}

size_t cSoundMixer::getChannelCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_channels.size();
}

bool cSoundMixer::mixBuffer(sChannel& c, int frameCount) {
    const std::vector<int16_t>& pcm = c.sample->getFrames();
    const size_t length = c.sample->getFrameCount();
    const int32_t volume = c.volume;
    size_t out = 0;
    while (out < size_t(frameCount)) {
        if (c.position >= length) {
            if (c.loop && length > 0)
                c.position = 0;
            else
                return false;
        }
        const size_t run = std::min(length - c.position, size_t(frameCount) - out);
        int32_t* target = &m_mix[out * 2];
        if (c.sample->getChannels() == 1) {
            const int16_t* source = &pcm[c.position];
            for (size_t i = 0; i < run; ++i) {
                const int32_t value = int32_t(source[i]) * volume / 100;
                target[i * 2] += value;
                target[i * 2 + 1] += value;
            }
        } else {
            const int16_t* source = &pcm[c.position * 2];
            for (size_t i = 0; i < run * 2; ++i)
                target[i] += int32_t(source[i]) * volume / 100;
        }
        c.position += run;
        out += run;
    }
    return c.position < length || c.loop;
}

bool cSoundMixer::mixStream(sChannel& c, int frameCount) {
    const int32_t volume = c.volume;
    size_t out = 0;
    bool restarted = false;
    while (out < size_t(frameCount)) {
        const int16_t* source = nullptr;
        const size_t run = c.stream->next(size_t(frameCount) - out, source);
        if (run == 0) {
            // A loop starts over within the same block; a sound with nothing after its start has ended.
            if (c.loop && !restarted && c.stream->rewind()) {
                restarted = true;
                continue;
            }
            return false;
        }
        restarted = false;
        int32_t* target = &m_mix[out * 2];
        for (size_t i = 0; i < run * 2; ++i)
            target[i] += int32_t(source[i]) * volume / 100;
        out += run;
    }
    return c.loop || !c.stream->finished();
}

void cSoundMixer::fillAudio(int16_t* frames, int frameCount) noexcept {
    if (frameCount <= 0)
        return;
    const size_t samples = size_t(frameCount) * 2;
    std::lock_guard<std::mutex> lock(m_mutex);
    // Grown once to the device's block size, then reused.
    if (m_mix.size() < samples) {
        try {
            m_mix.resize(samples);
        } catch (...) {
            std::fill(frames, frames + samples, int16_t(0));
            return;
        }
    }
    std::fill(m_mix.begin(), m_mix.begin() + samples, 0);

    for (auto it = m_channels.begin(); it != m_channels.end();) {
        sChannel& c = it->second;
        if (c.state == PLAYING && !c.paused && !m_paused) {
            const bool playing = c.stream ? mixStream(c, frameCount) : mixBuffer(c, frameCount);
            if (!playing)
                c.state = ENDED;
        }
        if (c.state == ENDED && !c.keep)
            it = m_channels.erase(it);
        else
            ++it;
    }

    for (size_t i = 0; i < samples; ++i)
        frames[i] = int16_t(std::clamp<int32_t>(m_mix[i], -32768, 32767));
}

} // namespace Engine
