#include "engine/media/MediaResources.h"

#include "engine/core/ResourceManager.h"
#include "engine/media/FontResource.h"
#include "engine/media/Mesh.h"
#include "engine/media/MeshAnimation.h"
#include "engine/media/SoundSample.h"
#include "engine/media/Texture.h"
#include "engine/media/VertexShader.h"

namespace Engine {

cSoundSample* IResourceManager::getSoundSample(const std::string& path) {
    registerSoundSampleLoader(*this);
    return static_cast<cSoundSample*>(getResource(path, RESOURCE_SOUND));
}

void registerMediaResources() {
    cResourceManager* manager = getResourceManager();
    if (!manager)
        return;
    manager->setLoader(RESOURCE_TEXTURE, [](const std::string& path) -> cResource* { return new cTexture(path); });
    manager->setGetter(RESOURCE_TEXTURE,
                       [manager](const std::string& path) -> cResource* { return manager->getTexture(path); });
    manager->setLoader(RESOURCE_VERTEX_SHADER,
                       [](const std::string& path) -> cResource* { return new cVertexShader(path); });
    manager->setLoader(RESOURCE_MESH, [](const std::string& path) -> cResource* { return loadMeshFile(path); });
    manager->setLoader(RESOURCE_ANIMATION,
                       [](const std::string& path) -> cResource* { return new cMeshAnimation(path); });
    registerSoundSampleLoader(*manager);
    registerFontLoader(*manager);
}

} // namespace Engine
