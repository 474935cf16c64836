#pragma once

// A sound file loaded for playing: a resource of kind RESOURCE_SOUND ("ogg", "wav"), loaded by
// the sound system when it is made (decoded whole, or kept to stream when long) and unloaded when
// it is destroyed.

#include "engine/core/Resource.h"

#include <string>

namespace Engine {

class IResourceManager;

class cSoundSample : public cResource {
public:
    // Loads the file through the sound system; without one (or with sound disabled) the sample
    // holds nothing and plays nothing; so does one whose file is missing or broken (logged).
    explicit cSoundSample(const std::string& path);
    ~cSoundSample() override;

    int getKind() const override { return RESOURCE_SOUND; }
    // The sound system's handle of the loaded sound; 0 when nothing was loaded.
    int getHandle() const { return m_handle; }

private:
    int m_handle = 0;
};

// Makes the manager create cSoundSample for kind RESOURCE_SOUND.
void registerSoundSampleLoader(IResourceManager& manager);

} // namespace Engine
