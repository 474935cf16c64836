#include "tests/support/UiHarness.h"

#include "engine/core/Constants.h"
#include "engine/core/File.h"
#include "engine/core/FileSystem.h"
#include "engine/core/FrameManager.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/Settings.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/media/InputSystem.h"
#include "engine/media/ParticleLibrary.h"
#include "engine/media/SoundSample.h"
#include "engine/platform/Cursor.h"
#include "engine/platform/GlContext.h"
#include "engine/platform/headless/NullAudioOutput.h"
#include "engine/platform/headless/RecordingRenderDevice.h"
#include "engine/platform/headless/ScriptedInputDevices.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace TestSupport {

// The frame manager reads the cursor through the application's window.
class UiHarness::Application : public Engine::cApplicationBase {
public:
    explicit Application(Platform::IWindow* window)
        : Engine::cApplicationBase(Engine::cApplicationDesc()), m_window(window) {}
    Platform::IWindow* getWindow() const override { return m_window; }
    void* getInstance() const override { return nullptr; }

private:
    Platform::IWindow* m_window;
};

void FixedStepTimer::tickFrameTimer() {
    m_delta = m_step;
    m_time += m_step;
}

void FixedStepTimer::tickAndReset() {
    tickFrameTimer();
    m_delta = 0;
}

RecordingGraphics::RecordingGraphics(Platform::IWindow* window, std::unique_ptr<Platform::IRenderDevice> device)
    : Engine::cGraphicsDevice(window, std::move(device)) {}

RecordingGraphics::~RecordingGraphics() {
    Engine::releaseParticleFiles();
}

Engine::IParticleLibrary* RecordingGraphics::getParticleLibrary() {
    return m_particleLibrary ? m_particleLibrary : Engine::cGraphicsDevice::getParticleLibrary();
}

void RecordingGraphics::beginFrame() {
    m_draws.clear();
    m_meshDraws = 0;
    m_meshRecords.clear();
    m_pyroDraws.clear();
    Engine::cGraphicsDevice::beginFrame();
}

void RecordingGraphics::drawSprite(const Engine::cSpriteQuad& quad, const Engine::cTexture* texture,
                                   uint32_t renderType, uint8_t alphaRef) {
    DrawCall call;
    call.texture = texture;
    call.quad = quad;
    call.renderType = renderType;
    call.alphaRef = alphaRef;
    m_draws.push_back(call);
    Engine::cGraphicsDevice::drawSprite(quad, texture, renderType, alphaRef);
}

void RecordingGraphics::drawMesh(Engine::cMeshDrawRecord* record, uint32_t renderType, uint8_t alphaRef) {
    ++m_meshDraws;
    m_meshRecords.push_back(record);
    Engine::cGraphicsDevice::drawMesh(record, renderType, alphaRef);
}

void RecordingGraphics::drawPyroEffect(Engine::cParticleDrawRecord* record) {
    m_pyroDraws.push_back(record);
    Engine::cGraphicsDevice::drawPyroEffect(record);
}

RecordingSound::RecordingSound(bool audible)
    : Engine::cSoundSystem(audible ? std::make_unique<Platform::cNullAudioOutput>()
                                   : std::unique_ptr<Platform::IAudioOutput>()) {}

std::string RecordingSound::nameOf(const Engine::cSoundSample* sample) const {
    if (!sample)
        return "(none)";
    try {
        return sample->getName();
    } catch (...) {
        return "(unnamed)";
    }
}

Engine::cSoundChannel* RecordingSound::play(Engine::cSoundSample* sample, bool loop, bool start) {
    m_log.push_back("play " + nameOf(sample));
    return Engine::cSoundSystem::play(sample, loop, start);
}

void RecordingSound::playOnce(Engine::cSoundSample* sample) {
    m_log.push_back("playOnce " + nameOf(sample));
    Engine::cSoundSystem::playOnce(sample);
}

Engine::cSoundChannel* RecordingSound::playMusic(Engine::cSoundSample* sample, bool loop, bool start) {
    m_log.push_back("music " + nameOf(sample));
    return Engine::cSoundSystem::playMusic(sample, loop, start);
}

UiHarness::UiHarness(float frameTime) : m_frameTime(frameTime) {
    m_folders.writeData("sys/constants.xml", std::string("<constants><game app_directory=\"") +
                                                 DataFolders::APP_DIRECTORY +
                                                 "\" window_title=\"Meadow\"/><graphics/></constants>");
    m_folders.writeData("sys/settings.xml",
                        "<settings><graphics width=\"1024\" height=\"768\" fullscreen=\"0\"/></settings>");
    m_window.setDesktopSize(1280, 1024);
}

UiHarness::~UiHarness() {
    // Widgets handed over for deletion still hold resources of the services below; those they
    // hand over in turn (an emitter its particles) go too.
    while (!Engine::getPendingDeletions().empty())
        Engine::flushDeferredDeletions();
    m_frameManager.reset();
    m_sound.reset();
    m_timer.reset();
    m_input.reset();
    m_graphics.reset();
    m_settings.reset();
    m_constants.reset();
    m_resources.reset();
    m_fileSystem.reset();
    m_application.reset();
}

void UiHarness::start() {
    if (m_started)
        return;
    // The engine throws texts of several types; the tests see one with the message.
    try {
        auto device = std::make_unique<Platform::cRecordingRenderDevice>();
        m_renderDevice = device.get();
        startServices(std::move(device));
    } catch (const char* text) {
        throw std::runtime_error(text);
    } catch (const std::string& text) {
        throw std::runtime_error(text);
    } catch (const std::wstring& text) {
        throw std::runtime_error(Engine::wideToNarrow(text));
    }
}

bool UiHarness::startGl(std::string& reason) {
    if (m_started)
        return true;
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    std::unique_ptr<Platform::IRenderDevice> device;
    try {
        Platform::cPresentParameters parameters;
        parameters.width = 1024;
        parameters.height = 768;
        device = Platform::createGlRenderDevice(Platform::createHeadlessGlContext(), parameters);
    } catch (const std::string& error) {
        reason = error;
        return false;
    }
    startServices(std::move(device));
    return true;
}

void UiHarness::startServices(std::unique_ptr<Platform::IRenderDevice> device) {
    m_application = std::make_unique<Application>(&m_window);
    m_fileSystem = std::make_unique<Engine::cFileSystem>(m_folders.dataFolder(), "pack");
    m_resources = std::make_unique<Engine::cResourceManager>();
    m_constants = std::make_unique<Engine::cConstants>("sys/constants.xml");
    m_settings = std::make_unique<Engine::cSettings>("sys/settings.xml");
    m_graphics = std::make_unique<RecordingGraphics>(&m_window, std::move(device));
    auto devices = std::make_unique<Platform::cScriptedInputDevices>();
    m_devices = devices.get();
    m_input = std::make_unique<Engine::cInputSystem>(std::move(devices));
    m_timer = std::make_unique<FixedStepTimer>(m_frameTime);
    if (m_soundSystem) {
        m_sound = std::make_unique<Engine::cSoundSystem>();
        if (!Platform::cNullAudioOutput::current())
            throw std::runtime_error("the sound system has no null audio output: is MEADOW_HEADLESS=1 set?");
    } else {
        auto recording = std::make_unique<RecordingSound>(m_audible);
        m_recording = recording.get();
        m_sound = std::move(recording);
    }
    m_frameManager = std::make_unique<Engine::cFrameManager>();
    m_window.setClientPosition(0, 0);
    m_started = true;
    moveTo(0, 0);
}

void UiHarness::writeFile(const std::string& name, const std::string& bytes) {
    if (!m_started) {
        m_folders.writeData(name, bytes);
        return;
    }
    // A file written again with the bytes it has keeps what was read from it: the resource
    // manager forgets a written file's resource, and a texture still in use would be lost.
    if (m_fileSystem->exists(name)) {
        std::vector<uint8_t> old;
        m_fileSystem->readFile(name, old);
        if (old.size() == bytes.size() &&
            std::equal(old.begin(), old.end(), bytes.begin(), [](uint8_t a, char b) { return a == uint8_t(b); }))
            return;
    }
    std::unique_ptr<Engine::cFile> file = m_fileSystem->openWrite(name, true);
    if (!file)
        throw std::runtime_error("cannot write " + name);
    file->write(bytes.data(), int32_t(bytes.size()));
    file->close();
}

void UiHarness::writePicture(const std::string& name, int width, int height, const std::vector<uint32_t>& texels) {
    std::string bytes(18, '\0');
    bytes[2] = 2; // uncompressed true colour
    bytes[12] = char(width & 0xFF);
    bytes[13] = char(width >> 8);
    bytes[14] = char(height & 0xFF);
    bytes[15] = char(height >> 8);
    bytes[16] = 32;
    bytes[17] = 0x28; // 8 alpha bits, rows top first
    for (uint32_t texel : texels) {
        bytes += char(texel & 0xFF);
        bytes += char((texel >> 8) & 0xFF);
        bytes += char((texel >> 16) & 0xFF);
        bytes += char((texel >> 24) & 0xFF);
    }
    writeFile(name, bytes);
}

void UiHarness::writePicture(const std::string& name, int width, int height, uint32_t color) {
    writePicture(name, width, height, std::vector<uint32_t>(size_t(width) * size_t(height), color));
}

Engine::IXmlNode* UiHarness::layout(const std::string& name) {
    start();
    Engine::IXmlNode* node = m_resources->getXml(name);
    node->decRef();
    return node;
}

void UiHarness::step(float dt) {
    start();
    m_timer->setStep(dt > 0 ? dt : m_frameTime);
    m_frameManager->updateFrame();
    if (m_soundSystem)
        if (Platform::cNullAudioOutput* output = Platform::cNullAudioOutput::current())
            m_heard.push_back(
                output->pull(int(std::lround(double(m_timer->getRealDelta()) * Platform::AUDIO_SAMPLE_RATE))));
}

void UiHarness::steps(int frames) {
    for (int i = 0; i < frames; ++i)
        step();
}

void UiHarness::run(float seconds) {
    const int frames = int(std::ceil(seconds / m_frameTime - 1e-4f));
    steps(frames);
}

void UiHarness::moveTo(float x, float y) {
    start();
    const int dx = int(std::lround(x - m_cursor.x));
    const int dy = int(std::lround(y - m_cursor.y));
    m_cursor = Engine::cVector2(x, y);
    Platform::setHeadlessCursorPos(int(std::lround(x)), int(std::lround(y)));
    if (dx != 0 || dy != 0)
        m_devices->getMouse().move(dx, dy);
}

void UiHarness::press(int button) {
    start();
    m_devices->getMouse().press(button);
}

void UiHarness::release(int button) {
    start();
    m_devices->getMouse().release(button);
}

void UiHarness::click(float x, float y, int button) {
    moveTo(x, y);
    press(button);
    step();
    release(button);
}

void UiHarness::keyDown(int keyCode) {
    start();
    m_devices->getKeyboard().press(keyCode);
}

void UiHarness::keyUp(int keyCode) {
    start();
    m_devices->getKeyboard().release(keyCode);
}

void UiHarness::tapKey(int keyCode) {
    keyDown(keyCode);
    keyUp(keyCode);
}

void UiHarness::type(const std::wstring& text) {
    start();
    for (wchar_t unit : text)
        m_input->pushChar(int(unit));
}

} // namespace TestSupport
