#pragma once

// Our mixer behind the audio output: loaded samples, channels playing them in volume groups,
// and the sum of all playing channels as 16-bit stereo. Every operation locks, since the output
// pulls on its own thread. A streamed sample decodes as its channels play, on that thread.

#include "engine/media/SoundBuffer.h"
#include "engine/media/SoundStream.h"
#include "engine/platform/AudioOutput.h"

#include <map>
#include <memory>
#include <mutex>

namespace Engine {

class cSoundMixer : public Platform::IAudioSource {
public:
    enum eChannelStatus { CHANNEL_STOPPED = 0, CHANNEL_PLAYING = 1, CHANNEL_PAUSED = 2 };
    enum eError { ERROR_UNKNOWN_SAMPLE = -1 };

    // A handle above 0 for the sample.
    int addSample(std::shared_ptr<const cSoundBuffer> sample);
    int addSample(std::shared_ptr<const cStreamedSound> sample);
    // Channels already playing the sample play it to their end.
    void removeSample(int sample);
    bool isStreamed(int sample) const;
    // Bytes the loaded samples hold: decoded frames, and the files of streamed ones.
    size_t getSampleMemory() const;

    // A channel handle above 0, or a negative error. Volume 0-100. A channel that is not kept
    // is dropped when it ends; a kept one stays until stopChannel. A paused channel starts
    // playing but paused on its own, before the output can pull a frame of it.
    int play(int sample, bool loop, int group, bool start, int volume, bool keep, bool paused = false);
    int getStatus(int channel) const;
    // A channel's own pause, apart from the pause of everything.
    void pauseChannel(int channel, bool pause);
    // Plays a channel that is not playing, from the start when it had ended.
    void startChannel(int channel);
    void stopChannel(int channel);
    void setChannelVolume(int channel, int volume);
    int getChannelVolume(int channel) const;
    // Sets the volume of every channel of the group; new channels bring their own.
    void setGroupVolume(int group, int volume);
    void setPaused(bool paused);
    size_t getChannelCount() const;

    void fillAudio(int16_t* frames, int frameCount) noexcept override;

private:
    enum eState { READY, PLAYING, ENDED };
    struct sSample {
        std::shared_ptr<const cSoundBuffer> buffer;
        std::shared_ptr<const cStreamedSound> streamed;
    };
    struct sChannel {
        std::shared_ptr<const cSoundBuffer> sample;
        std::unique_ptr<cSoundStream> stream;
        size_t position = 0;
        bool loop = false;
        bool keep = true;
        bool paused = false;
        eState state = READY;
        int group = 0;
        int volume = 100;
    };

    // Adds the channel's frames to the mix; false when the channel has ended.
    bool mixBuffer(sChannel& channel, int frameCount);
    bool mixStream(sChannel& channel, int frameCount);
    int addEntry(sSample sample);

    mutable std::mutex m_mutex;
    std::map<int, sSample> m_samples;
    std::map<int, sChannel> m_channels;
    bool m_paused = false;
    std::vector<int32_t> m_mix;
};

} // namespace Engine
