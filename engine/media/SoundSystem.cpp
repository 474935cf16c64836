#include "engine/media/SoundSystem.h"

#include "engine/core/DecodeAhead.h"
#include "engine/core/ExceptionLog.h"
#include "engine/core/FileSystem.h"
#include "engine/core/MathFunctions.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/Settings.h"
#include "engine/core/String.h"
#include "engine/media/SoundChannel.h"
#include "engine/media/SoundDecoder.h"
#include "engine/media/SoundMixer.h"
#include "engine/media/SoundSample.h"
#include "engine/media/SoundStream.h"

#include <algorithm>
#include <thread>

namespace Engine {

namespace {

// A sample whose file was skipped at loading holds no sound.
bool isSkipped(const cSoundSample* sample) {
    return sample && sample->getHandle() == 0;
}

} // namespace

cSoundSystem* getSoundSystem() {
    return cSingleton<cSoundSystem>::getInstance();
}

cSoundSystem::cSoundSystem() : cSoundSystem(Platform::createAudioOutput()) {}

cSoundSystem::cSoundSystem(std::unique_ptr<Platform::IAudioOutput> output) : m_output(std::move(output)) {
    start();
}

void cSoundSystem::start() {
    if (!m_output)
        return;
    m_mixer = std::make_unique<cSoundMixer>();
    m_output->start(*m_mixer);
    if (cSettings* settings = getSettings()) {
        settings->getValue(L"Sound", L"Music", m_musicVolume);
        settings->getValue(L"Sound", L"Sound", m_soundVolume);
    }
    setMusicVolume(m_musicVolume);
    setSoundVolume(m_soundVolume);
}

cSoundSystem::~cSoundSystem() {
    m_prefetch.reset();
    if (!m_mixer)
        return;
    if (cSettings* settings = getSettings()) {
        try {
            settings->setValue(L"Sound", L"Music", m_musicVolume);
            settings->setValue(L"Sound", L"Sound", m_soundVolume);
        } catch (...) {
            // Keeping the volumes is not worth failing the shut-down for.
        }
    }
    m_output->stop();
    m_output.reset();
    m_mixer.reset();
}

int cSoundSystem::appliedVolume(int volume) {
    // Out-of-range settings would otherwise take the root of a negative number or overdrive.
    if (volume <= 0)
        return 0;
    if (volume > 100)
        volume = 100;
    return int(approxSqrt(float(volume) / 100.0f) * 100.0f);
}

void cSoundSystem::setSoundVolume(int volume) {
    m_soundVolume = volume;
    m_appliedSoundVolume = appliedVolume(volume);
    if (m_mixer)
        m_mixer->setGroupVolume(GROUP_EFFECTS, m_appliedSoundVolume);
}

void cSoundSystem::setMusicVolume(int volume) {
    m_musicVolume = volume;
    m_appliedMusicVolume = appliedVolume(volume);
    if (m_mixer)
        m_mixer->setGroupVolume(GROUP_MUSIC, m_appliedMusicVolume);
}

void cSoundSystem::setPaused(bool paused) {
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (m_mixer)
        m_mixer->setPaused(paused);
}

int cSoundSystem::loadSample(const std::string& path) {
    if (!m_mixer)
        return 0;
    try {
        cLoadedSound sound;
        if (!m_prefetch || !m_prefetch->take(lowerCaseNarrow(path), sound)) {
            IFileSystem* files = getFileSystem();
            if (!files)
                throw cStringA("no file system");
            std::unique_ptr<IDataStream> stream = files->openRead(path);
            if (!stream)
                throw cStringA("File \"" + path + "\" not found.");
            sound = cSoundDecoder::load(*stream);
        }
        if (sound.streamed)
            return m_mixer->addSample(std::move(sound.streamed));
        return m_mixer->addSample(std::move(sound.buffer));
    } catch (...) {
        // One missing sound is not worth the game: it plays without it, as without a sound card.
        if (m_skipped.insert(path).second)
            logError("Sound file \"" + path + "\" cannot be loaded (" + describeException(std::current_exception()) +
                     "); the game plays without it.");
        return 0;
    }
}

void cSoundSystem::prefetchSamples(const std::vector<std::string>& paths) {
    IFileSystem* files = getFileSystem();
    IResourceManager* resources = getResourceManager();
    if (!m_mixer || !files)
        return;
    if (!m_prefetch) {
        const unsigned threads = std::min(4u, std::max(1u, std::thread::hardware_concurrency() / 2));
        m_prefetch = std::make_unique<cDecodeAhead<cLoadedSound>>(
            [](const std::vector<uint8_t>& bytes) { return cSoundDecoder::load(bytes); }, nullptr, 0, threads);
    }
    for (const std::string& path : paths) {
        const std::string key = lowerCaseNarrow(path);
        if (m_prefetch->has(key) || (resources && resources->findEntry(key)))
            continue;
        std::vector<uint8_t> bytes;
        // A file that cannot be read is left to the load, which reports it.
        if (files->exists(path) && files->readFile(path, bytes) > 0)
            m_prefetch->add(key, std::move(bytes));
    }
}

void cSoundSystem::endPrefetch() {
    m_prefetch.reset();
}

void cSoundSystem::unloadSample(int handle) {
    if (m_mixer && handle > 0)
        m_mixer->removeSample(handle);
}

cSoundChannel* cSoundSystem::playIn(int group, cSoundSample* sample, bool loop, bool start, bool keep, bool paused) {
    const int volume = group == GROUP_MUSIC ? m_appliedMusicVolume : m_appliedSoundVolume;
    const int handle = m_mixer->play(sample ? sample->getHandle() : 0, loop, group, start, volume, keep, paused);
    if (!keep)
        return nullptr;
    auto* channel = new cSoundChannel(handle, sample);
    channel->setKind(group);
    return channel;
}

cSoundChannel* cSoundSystem::play(cSoundSample* sample, bool loop, bool start) {
    if (!m_mixer || isSkipped(sample))
        return nullptr;
    // Paused in the same step as it starts: the output thread must not hear its first frames.
    return playIn(GROUP_EFFECTS, sample, loop, true, true, !start);
}

void cSoundSystem::playOnce(cSoundSample* sample) {
    if (m_mixer && !isSkipped(sample))
        playIn(GROUP_EFFECTS, sample, false, true, false);
}

cSoundChannel* cSoundSystem::playMusic(cSoundSample* sample, bool loop, bool start) {
    if (!m_mixer || isSkipped(sample))
        return nullptr;
    return playIn(GROUP_MUSIC, sample, loop, start, true);
}

} // namespace Engine
