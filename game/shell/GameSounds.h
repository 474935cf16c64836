#pragma once

// The game's sounds by id: the table read from "Meadow/Sounds/GameSounds.xml", played once,
// looped, as music, or once with a cool-down that keeps rapid repeats from piling up. It is a
// widget only to get the per-frame update that counts the cool-downs down.

#include "engine/core/Singleton.h"
#include "engine/gui/Widget.h"

#include <map>
#include <string>
#include <vector>

namespace Engine {
class cSoundChannel;
class cSoundSample;
class ISoundSystem;
} // namespace Engine

class cGameSounds : public Engine::cWidget, public Engine::cSingleton<cGameSounds> {
public:
    struct tSound {
        float coolDown = 0;
        Engine::cSoundSample* sample = nullptr;
    };

    // Reads the table; throws "Object already exist." for a second one.
    cGameSounds();
    ~cGameSounds() override;

    void onUpdate() override;
    void loadXML(const Engine::IXmlNode* root) override;

    void play(const std::string& id);
    // The caller owns the channel and deletes it to stop the sound.
    Engine::cSoundChannel* playLoop(const std::string& id);
    Engine::cSoundChannel* playMusic(const std::string& id);
    // Plays unless the sound is cooling down, then cools it down for minimum + up to spread s.
    void playSingle(const std::string& id, float minimum, float spread);

    bool hasSound(const std::string& id) const { return m_sounds.count(id) != 0; }
    size_t getSoundCount() const { return m_sounds.size(); }
    float getCoolDown(const std::string& id) const;
    size_t getCoolingCount() const { return m_cooling.size(); }

private:
    Engine::cSoundSample* find(const std::string& id) const;
    void clearSounds();

    std::map<std::string, tSound*> m_sounds;
    std::vector<float*> m_cooling;
    Engine::ISoundSystem* m_soundSystem = nullptr;
};
