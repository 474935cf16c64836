#pragma once

// How the application creates the services that live in the layers above the core (graphics
// device, input system, sound system). The program registers the factories before it creates
// the application; a service without a factory is not created and every call to it is skipped.

namespace Engine {

struct cApplicationDesc;
class IGraphicsLink;
class IInputLink;
class ISoundLink;

struct cServiceFactory {
    IGraphicsLink* (*createGraphicsDevice)(cApplicationDesc& desc) = nullptr;
    IInputLink* (*createInputSystem)(cApplicationDesc& desc) = nullptr;
    ISoundLink* (*createSoundSystem)() = nullptr;
};

void setServiceFactory(const cServiceFactory& factory);
const cServiceFactory& getServiceFactory();

} // namespace Engine
