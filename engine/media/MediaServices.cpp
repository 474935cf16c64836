#include "engine/media/MediaServices.h"

#include "engine/core/Application.h"
#include "engine/core/InputLink.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/ServiceFactory.h"
#include "engine/core/SoundLink.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/InputSystem.h"
#include "engine/media/SoundSample.h"
#include "engine/media/SoundSystem.h"

namespace Engine {

namespace {

// The input and sound systems are the application's input and sound links themselves.
IInputLink* createInputSystem(cApplicationDesc&) {
    // Sound samples are resources whether or not the sound system is made (with the no-sound
    // flag they load as nothing), so their loader is registered with the input system, which
    // always exists.
    if (IResourceManager* resources = getResourceManager())
        registerSoundSampleLoader(*resources);
    return new cInputSystem();
}

ISoundLink* createSoundSystem() {
    return new cSoundSystem();
}

} // namespace

void registerMediaServices() {
    cServiceFactory factory = getServiceFactory();
    factory.createGraphicsDevice = [](cApplicationDesc& desc) -> IGraphicsLink* { return new cGraphicsDevice(desc); };
    factory.createInputSystem = &createInputSystem;
    factory.createSoundSystem = &createSoundSystem;
    setServiceFactory(factory);
}

} // namespace Engine
