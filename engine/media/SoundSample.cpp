#include "engine/media/SoundSample.h"

#include "engine/core/ResourceManager.h"
#include "engine/media/SoundSystem.h"

namespace Engine {

cSoundSample::cSoundSample(const std::string& path) : cResource(path) {
    if (cSoundSystem* sound = getSoundSystem())
        m_handle = sound->loadSample(path);
}

cSoundSample::~cSoundSample() {
    if (cSoundSystem* sound = getSoundSystem())
        sound->unloadSample(m_handle);
}

void registerSoundSampleLoader(IResourceManager& manager) {
    manager.setLoader(RESOURCE_SOUND, [](const std::string& path) -> cResource* { return new cSoundSample(path); });
}

} // namespace Engine
