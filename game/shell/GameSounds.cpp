#include "game/shell/GameSounds.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/Resource.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/ScopeExit.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/media/SoundSample.h"
#include "engine/media/SoundSystem.h"
#include "game/shell/RandomFloat.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace Engine;

cGameSounds::cGameSounds() : cWidget(nullptr) {
    loadLayoutFile(*this, "Meadow/Sounds/GameSounds.xml");
    m_soundSystem = getSoundSystem();
    hide();
    disable();
    enableAbsolute();
}

cGameSounds::~cGameSounds() {
    clearSounds();
}

void cGameSounds::clearSounds() {
    m_cooling.clear();
    for (auto& entry : m_sounds) {
        if (entry.second->sample)
            entry.second->sample->decRef();
        delete entry.second;
    }
    m_sounds.clear();
}

void cGameSounds::loadXML(const IXmlNode* root) {
    clearSounds();
    IXmlNode* sounds = nullptr;
    if (!root || !root->findNode("Sounds", sounds))
        return;
    // Every sound decodes ahead, side by side, while the loads below take them in turn.
    cSoundSystem* soundSystem = getSoundSystem();
    if (soundSystem) {
        std::vector<std::string> paths;
        for (int i = 0; i < sounds->getChildCount(); ++i) {
            IXmlNode* node = nullptr;
            if (sounds->getNodeAt(i, node))
                paths.push_back(wideToNarrow(node->getAttribute(L"path")));
        }
        soundSystem->prefetchSamples(paths);
    }
    // What a failed load leaves decoding is dropped with the workers.
    const cScopeExit endPrefetch([soundSystem] {
        if (soundSystem)
            soundSystem->endPrefetch();
    });
    for (int i = 0; i < sounds->getChildCount(); ++i) {
        IXmlNode* node = nullptr;
        if (!sounds->getNodeAt(i, node))
            continue;
        std::string id = wideToNarrow(node->getAttribute(L"id"));
        if (m_sounds.count(id))
            throw std::string("cGameSounds::loadXML(): duplicated sound id: ") + id;
        std::string path = wideToNarrow(node->getAttribute(L"path"));
        auto* sound = new tSound;
        sound->sample = static_cast<cSoundSample*>(getResourceManager()->getResource(path, RESOURCE_SOUND));
        m_sounds[id] = sound;
    }
}

cSoundSample* cGameSounds::find(const std::string& id) const {
    auto it = m_sounds.find(id);
    if (it == m_sounds.end())
        throw std::string("Unknown sound id: ") + id;
    return it->second->sample;
}

void cGameSounds::play(const std::string& id) {
    cSoundSample* sample = find(id);
    if (m_soundSystem)
        m_soundSystem->playOnce(sample);
}

cSoundChannel* cGameSounds::playLoop(const std::string& id) {
    cSoundSample* sample = find(id);
    return m_soundSystem ? m_soundSystem->play(sample, true, true) : nullptr;
}

cSoundChannel* cGameSounds::playMusic(const std::string& id) {
    cSoundSample* sample = find(id);
    return m_soundSystem ? m_soundSystem->playMusic(sample, true, true) : nullptr;
}

void cGameSounds::playSingle(const std::string& id, float minimum, float spread) {
    auto it = m_sounds.find(id);
    if (it == m_sounds.end())
        throw std::string("cGameSounds::playSingle(): unknown sound id: ") + id;
    tSound* sound = it->second;
    if (sound->coolDown > 0)
        return;
    if (m_soundSystem)
        m_soundSystem->playOnce(sound->sample);
    sound->coolDown = minimum + randomFloat(0, spread);
    // A cool-down of 0 leaves the record listed until the next update: list it once.
    if (std::find(m_cooling.begin(), m_cooling.end(), &sound->coolDown) == m_cooling.end())
        m_cooling.push_back(&sound->coolDown);
}

float cGameSounds::getCoolDown(const std::string& id) const {
    auto it = m_sounds.find(id);
    return it == m_sounds.end() ? 0.0f : it->second->coolDown;
}

void cGameSounds::onUpdate() {
    cWidget::onUpdate();
    if (m_cooling.empty())
        return;
    const float dt = frameDelta();
    for (auto it = m_cooling.begin(); it != m_cooling.end();) {
        **it -= dt;
        if (**it <= 0) {
            **it = 0;
            it = m_cooling.erase(it);
        } else {
            ++it;
        }
    }
}
