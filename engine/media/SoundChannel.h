#pragma once

// One playing sound, kept by its caller to pause, resume or stop it; deleting it stops the
// sound. Made by cSoundSystem::play and playMusic.

namespace Engine {

class cSoundSample;

class cSoundChannel {
public:
    enum eKind { KIND_NONE = 0, KIND_EFFECT = 1, KIND_MUSIC = 2 };

    // Takes a reference on the sample. A negative handle (a failed play) throws the narrow
    // cString "Error sound channel creating. Error code:" + handle, also set as errorCallStack.
    cSoundChannel(int handle, cSoundSample* sample);
    // Stops the sound and gives the sample reference back.
    virtual ~cSoundChannel();

    cSoundChannel(const cSoundChannel&) = delete;
    cSoundChannel& operator=(const cSoundChannel&) = delete;

    // False when sound is disabled.
    bool isPlaying() const;
    // True when sound is disabled.
    bool isPaused() const;
    void resume();
    void pause();
    // Volume 0-100 within the channel's group.
    void setVolume(int volume);
    int getVolume() const;

    int getHandle() const { return m_handle; }
    int getKind() const { return m_kind; }
    void setKind(int kind) { m_kind = kind; }

private:
    float groupFactor() const;

    int m_handle;
    cSoundSample* m_sample;
    int m_kind = KIND_NONE;
};

} // namespace Engine
