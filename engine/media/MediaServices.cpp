#include "engine/media/MediaServices.h"

#include "engine/core/Application.h"
#include "engine/core/InputLink.h"
#include "engine/core/ServiceFactory.h"
#include "engine/core/SoundLink.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/InputSystem.h"
#include "engine/media/SoundSystem.h"

#include <memory>

namespace Engine {

namespace {

// The input system as the window procedure and the frame loop reach it; owns the system.
class cInputSystemLink : public IInputLink {
public:
    cInputSystemLink() : m_system(std::make_unique<cInputSystem>()) {}
    void addKeyCallback(int code, tEventCallback callback, void* user) override {
        m_system->addKeyCallback(code, callback, user);
    }
    void removeKeyCallback(int code, tEventCallback callback, void* user) override {
        m_system->removeKeyCallback(code, callback, user);
    }
    void pollInput() override { m_system->pollInput(); }
    void pushVirtualKey(int virtualKey) override { m_system->pushVirtualKey(virtualKey); }
    void pushChar(int character) override { m_system->pushChar(character); }
    bool acquireDevices() override { return m_system->acquireDevices(); }
    bool unacquireDevices() override { return m_system->unacquireDevices(); }

private:
    std::unique_ptr<cInputSystem> m_system;
};

// The sound system as the window procedure reaches it; owns the system.
class cSoundSystemLink : public ISoundLink {
public:
    cSoundSystemLink() : m_system(std::make_unique<cSoundSystem>()) {}
    void setPaused(bool paused) override { m_system->setPaused(paused); }

private:
    std::unique_ptr<cSoundSystem> m_system;
};

} // namespace

void registerMediaServices() {
    cServiceFactory factory = getServiceFactory();
    factory.createGraphicsDevice = [](cApplicationDesc& desc) -> IGraphicsLink* { return new cGraphicsDevice(desc); };
    factory.createInputSystem = [](cApplicationDesc&) -> IInputLink* { return new cInputSystemLink(); };
    factory.createSoundSystem = []() -> ISoundLink* { return new cSoundSystemLink(); };
    setServiceFactory(factory);
}

} // namespace Engine
