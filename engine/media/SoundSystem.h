#pragma once

// The engine's sound service: sound samples played in two volume groups, effects ("Sound") and
// music ("Music"), each with the player's volume 0-100, mixed by us and sent to the audio output.
// Without an audio device it stays in place, disabled: every play and channel operation does
// nothing and the volume setters only store their values.

#include "engine/core/Singleton.h"
#include "engine/core/SoundLink.h"
#include "engine/platform/AudioOutput.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Engine {

template <class T> class cDecodeAhead;
struct cLoadedSound;
class cSoundChannel;
class cSoundMixer;
class cSoundSample;

class ISoundSystem {
public:
    virtual ~ISoundSystem() = default;
    // Null when disabled or the sample was skipped. A channel of group 1; with start false it is
    // paused at once.
    virtual cSoundChannel* play(cSoundSample* sample, bool loop, bool start) = 0;
    // Plays once in group 1 without keeping a channel.
    virtual void playOnce(cSoundSample* sample) = 0;
    // Null when disabled or the sample was skipped. A channel of group 2; with start false it
    // waits for resume.
    virtual cSoundChannel* playMusic(cSoundSample* sample, bool loop, bool start) = 0;
    virtual bool isDisabled() const = 0;
    // Volumes as the player set them, 0-100.
    virtual int getSoundVolume() const = 0;
    virtual void setSoundVolume(int volume) = 0;
    virtual int getMusicVolume() const = 0;
    virtual void setMusicVolume(int volume) = 0;
    virtual bool isPaused() const = 0;
    // Pauses or resumes everything; channels paused on their own stay paused.
    virtual void setPaused(bool paused) = 0;
};

// Also the application's ISoundLink, through which the window pauses it.
class cSoundSystem : public ISoundSystem, public ISoundLink, public cSingleton<cSoundSystem> {
public:
    enum eGroup { GROUP_EFFECTS = 1, GROUP_MUSIC = 2 };

    // On the machine's audio output (a null output under MEADOW_HEADLESS=1). The volumes come
    // from the settings "Sound"/"Music" and "Sound"/"Sound" when there are settings.
    cSoundSystem();
    // On the given output; a null output gives a disabled system.
    explicit cSoundSystem(std::unique_ptr<Platform::IAudioOutput> output);
    // Writes the volumes back to the settings (unless disabled) and stops every sound.
    ~cSoundSystem() override;

    cSoundChannel* play(cSoundSample* sample, bool loop, bool start) override;
    void playOnce(cSoundSample* sample) override;
    cSoundChannel* playMusic(cSoundSample* sample, bool loop, bool start) override;
    bool isDisabled() const override { return !m_mixer; }
    int getSoundVolume() const override { return m_soundVolume; }
    void setSoundVolume(int volume) override;
    int getMusicVolume() const override { return m_musicVolume; }
    void setMusicVolume(int volume) override;
    bool isPaused() const override { return m_paused; }
    void setPaused(bool paused) override;

    // Decodes the file into the mixer, or keeps a long one to stream as it plays; 0 when disabled. A file that is
    // missing or not a playable sound is skipped, also 0: the game plays without it, and the "error" log names it once.
    int loadSample(const std::string& path);
    void unloadSample(int handle);
    // Sounds that loads will soon ask for, decoded ahead side by side on worker threads; a load
    // of one of them then takes what was decoded, or its error. Called on the loading thread.
    void prefetchSamples(const std::vector<std::string>& paths);
    // Stops the workers; what was not taken is dropped.
    void endPrefetch();

    // The group volume handed to the mixer for a volume as set: the whole part of
    // approxSqrt(volume / 100) * 100, the volume taken within 0-100.
    static int appliedVolume(int volume);

    // The mixer, null when disabled; channels work through it.
    cSoundMixer* getMixer() { return m_mixer.get(); }

private:
    void start();
    cSoundChannel* playIn(int group, cSoundSample* sample, bool loop, bool start, bool keep, bool paused = false);

    bool m_paused = false;
    int m_musicVolume = 100;
    int m_soundVolume = 100;
    int m_appliedMusicVolume = 100;
    int m_appliedSoundVolume = 100;
    // Null when there is no audio output: the game runs silent.
    std::unique_ptr<cSoundMixer> m_mixer;
    // Files skipped at loading, logged once each.
    std::set<std::string> m_skipped;
    std::unique_ptr<Platform::IAudioOutput> m_output;
    std::unique_ptr<cDecodeAhead<cLoadedSound>> m_prefetch;
};

// The sound system; null before it is created, after it is destroyed and when the program runs
// with the no-sound flag.
cSoundSystem* getSoundSystem();

} // namespace Engine
