#include "engine/media/SoundChannel.h"

#include "engine/core/FatalError.h"
#include "engine/core/String.h"
#include "engine/media/SoundMixer.h"
#include "engine/media/SoundSample.h"
#include "engine/media/SoundSystem.h"

namespace Engine {

namespace {

// The mixer of a working sound system, or null when sound is disabled or gone.
cSoundMixer* mixer() {
    cSoundSystem* sound = getSoundSystem();
    return sound ? sound->getMixer() : nullptr;
}

} // namespace

cSoundChannel::cSoundChannel(int handle, cSoundSample* sample) : m_handle(handle), m_sample(sample) {
    if (handle < 0) {
        errorCallStack() = "Error sound channel creating. Error code:" + std::to_string(handle);
        throw cStringA(errorCallStack());
    }
    if (m_sample)
        m_sample->addRef();
}

cSoundChannel::~cSoundChannel() {
    if (cSoundMixer* m = mixer())
        m->stopChannel(m_handle);
    if (m_sample)
        m_sample->decRef();
}

bool cSoundChannel::isPlaying() const {
    cSoundMixer* m = mixer();
    return m && m->getStatus(m_handle) == cSoundMixer::CHANNEL_PLAYING;
}

bool cSoundChannel::isPaused() const {
    cSoundMixer* m = mixer();
    return !m || m->getStatus(m_handle) == cSoundMixer::CHANNEL_PAUSED;
}

void cSoundChannel::resume() {
    cSoundMixer* m = mixer();
    if (!m)
        return;
    if (isPaused())
        m->pauseChannel(m_handle, false);
    if (!isPlaying())
        m->startChannel(m_handle);
}

void cSoundChannel::pause() {
    cSoundMixer* m = mixer();
    if (!m || isPaused())
        return;
    m->pauseChannel(m_handle, true);
}

float cSoundChannel::groupFactor() const {
    cSoundSystem* sound = getSoundSystem();
    if (!sound)
        return 0.0f;
    switch (m_kind) {
    case KIND_EFFECT:
        return float(sound->getSoundVolume()) / 100.0f;
    case KIND_MUSIC:
        return float(sound->getMusicVolume()) / 100.0f;
    default:
        return 0.0f;
    }
}

void cSoundChannel::setVolume(int volume) {
    if (cSoundMixer* m = mixer())
        m->setChannelVolume(m_handle, int(float(volume) * groupFactor()));
}

int cSoundChannel::getVolume() const {
    cSoundMixer* m = mixer();
    const float factor = groupFactor();
    if (!m || factor <= 0.0f)
        return 0;
    return int(float(m->getChannelVolume(m_handle)) / factor);
}

} // namespace Engine
