#pragma once

// The UI test harness: the real frame manager driven by a fixed-step timer, scripted mouse and
// keyboard through the real input system, a sound system that records what it is asked to play,
// a graphics device over the recording render device that records every sprite draw of the
// frame, and a temporary data and user folder with the file system and resource manager over
// it. step() runs one whole frame: input poll, update and process walks, fades, timed
// callbacks, the draw pass and the deferred deletions.
//
// Files written before start() land in the data folder (atlases are read at start); files
// written after it go through the file system into the user folder, visible at once.
// Widgets that hold resources must go before the harness: declare the harness first. Widgets
// still waiting for deferred deletion are deleted when it ends.

#include "engine/core/Application.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/Vector2.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/SoundSystem.h"
#include "engine/media/SpriteQuad.h"
#include "engine/platform/headless/HeadlessWindow.h"
#include "tests/support/DataFolders.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Engine {
class cConstants;
class cSettings;
class cFileSystem;
class cResourceManager;
class cInputSystem;
class cFrameManager;
class cTexture;
class IXmlNode;
} // namespace Engine

namespace Platform {
class cRecordingRenderDevice;
class cScriptedInputDevices;
} // namespace Platform

namespace TestSupport {

// A frame timer whose every frame lasts exactly the step it is given.
class FixedStepTimer : public Engine::IFrameTimer {
public:
    explicit FixedStepTimer(float step) : m_step(step) {}
    void tickFrameTimer() override;
    void tickAndReset() override;
    float getDelta() const override { return m_delta * m_speed; }
    float getRealDelta() const override { return m_delta; }
    float getSpeed() const override { return m_speed; }
    void setSpeed(float speed) override { m_speed = speed; }
    float getMinFps() const override { return 1.0f; }
    void setMinFps(float) override {}
    float getFps() const override { return m_step > 0 ? 1.0f / m_step : 0.0f; }
    double getTime() const override { return m_time; }
    bool takeTickDue() override { return true; }
    bool exchangeTickDue(bool) override { return true; }
    // The length of the next frames.
    void setStep(float step) { m_step = step; }

private:
    float m_step;
    float m_delta = 0;
    float m_speed = 1.0f;
    double m_time = 0;
};

// One sprite draw as the graphics device received it.
struct DrawCall {
    const Engine::cTexture* texture = nullptr;
    Engine::cSpriteQuad quad;
    uint32_t renderType = 0;
    uint8_t alphaRef = 0;

    uint32_t alpha() const { return quad.vertices[0].color >> 24; }
};

class RecordingGraphics : public Engine::cGraphicsDevice {
public:
    RecordingGraphics(Platform::IWindow* window, std::unique_ptr<Platform::IRenderDevice> device);
    // The shared effect files go back to the library that made them (a fake one too).
    ~RecordingGraphics() override;
    void beginFrame() override;
    void drawSprite(const Engine::cSpriteQuad& quad, const Engine::cTexture* texture, uint32_t renderType,
                    uint8_t alphaRef) override;
    void drawMesh(Engine::cMeshDrawRecord* record, uint32_t renderType, uint8_t alphaRef) override;
    void drawPyroEffect(Engine::cParticleDrawRecord* record) override;
    // A particle library in place of the device's own (not owned; null: the device's own). It
    // must outlive the harness.
    void setParticleLibrary(Engine::IParticleLibrary* library) { m_particleLibrary = library; }
    Engine::IParticleLibrary* getParticleLibrary() override;
    // The draws of the last frame, in draw order.
    const std::vector<DrawCall>& draws() const { return m_draws; }
    int meshDraws() const { return m_meshDraws; }
    const std::vector<Engine::cMeshDrawRecord*>& meshRecords() const { return m_meshRecords; }
    const std::vector<Engine::cParticleDrawRecord*>& pyroDraws() const { return m_pyroDraws; }

private:
    std::vector<DrawCall> m_draws;
    int m_meshDraws = 0;
    std::vector<Engine::cMeshDrawRecord*> m_meshRecords;
    std::vector<Engine::cParticleDrawRecord*> m_pyroDraws;
    Engine::IParticleLibrary* m_particleLibrary = nullptr;
};

// A sound system that writes "play <name>", "playOnce <name>" and "music <name>": disabled, or
// audible over a null audio output as on a machine with a sound card.
class RecordingSound : public Engine::cSoundSystem {
public:
    explicit RecordingSound(bool audible = false);
    Engine::cSoundChannel* play(Engine::cSoundSample* sample, bool loop, bool start) override;
    void playOnce(Engine::cSoundSample* sample) override;
    Engine::cSoundChannel* playMusic(Engine::cSoundSample* sample, bool loop, bool start) override;
    std::vector<std::string>& log() { return m_log; }

private:
    std::string nameOf(const Engine::cSoundSample* sample) const;
    std::vector<std::string> m_log;
};

class UiHarness {
public:
    static constexpr float FRAME_TIME = 0.0625f;

    explicit UiHarness(float frameTime = FRAME_TIME);
    ~UiHarness();
    UiHarness(const UiHarness&) = delete;
    UiHarness& operator=(const UiHarness&) = delete;

    // Before start(): into the data folder. After: through the file system's user folder.
    void writeFile(const std::string& name, const std::string& bytes);
    // A 32-bit TGA picture of 0xAARRGGBB texels, rows top first.
    void writePicture(const std::string& name, int width, int height, const std::vector<uint32_t>& texels);
    // A picture of one colour.
    void writePicture(const std::string& name, int width, int height, uint32_t color);
    // The layout document of a file written before (cached by the resource manager).
    Engine::IXmlNode* layout(const std::string& name);

    // Before start(): the engine's own sound system on the headless null audio output in place of
    // the recording one (sounds() then stays empty). Each step then pulls the frame's length of
    // audio from the output, as a sound card would, into heard().
    void useSoundSystem() { m_soundSystem = true; }
    // Creates the services in the application's order; the destructor ends them in reverse.
    void start();
    // The same with the OpenGL device on headless EGL, for pixel tests; false with the reason
    // (nothing started) when EGL cannot start.
    bool startGl(std::string& reason);
    bool started() const { return m_started; }
    // Before start(): the sound system mixes into a null audio output instead of running
    // disabled, so what is only offered with sound (the volume sliders) is there.
    void setAudible(bool audible) { m_audible = audible; }

    // Runs one frame of dt seconds (the harness's frame time when 0), or n frames.
    void step(float dt = 0);
    void steps(int frames);
    // Runs frames until the given seconds have passed.
    void run(float seconds);

    // Scripted input, delivered at the next step.
    void moveTo(float x, float y);
    void press(int button = 0);
    void release(int button = 0);
    // Press, one frame, release (the next frame sees the release).
    void click(float x, float y, int button = 0);
    void keyDown(int keyCode);
    void keyUp(int keyCode);
    // Presses and releases the key within the next frame.
    void tapKey(int keyCode);
    // Each UTF-16 unit reaches the character listeners at the next step.
    void type(const std::wstring& text);
    Engine::cVector2 cursor() const { return m_cursor; }

    const std::vector<DrawCall>& draws() const { return m_graphics->draws(); }
    std::vector<std::string>& sounds() { return m_recording ? m_recording->log() : m_noSounds; }
    // With the sound system: the interleaved stereo frames pulled at each step, one block a step.
    std::vector<std::vector<int16_t>>& heard() { return m_heard; }
    RecordingGraphics& graphics() { return *m_graphics; }
    FixedStepTimer& timer() { return *m_timer; }
    Engine::cFrameManager& frameManager() { return *m_frameManager; }
    // The recording device (null in GL mode) and the device in use.
    Platform::cRecordingRenderDevice* recordingDevice() { return m_renderDevice; }
    Platform::IRenderDevice& renderDevice() { return m_graphics->getDevice(); }
    DataFolders& folders() { return m_folders; }

private:
    class Application;
    void startServices(std::unique_ptr<Platform::IRenderDevice> device);

    float m_frameTime;
    bool m_started = false;
    bool m_audible = false;
    DataFolders m_folders;
    Platform::cHeadlessWindow m_window{L"Meadow"};
    Engine::cVector2 m_cursor;
    std::unique_ptr<Application> m_application;
    std::unique_ptr<Engine::cFileSystem> m_fileSystem;
    std::unique_ptr<Engine::cResourceManager> m_resources;
    std::unique_ptr<Engine::cConstants> m_constants;
    std::unique_ptr<Engine::cSettings> m_settings;
    std::unique_ptr<RecordingGraphics> m_graphics;
    Platform::cRecordingRenderDevice* m_renderDevice = nullptr;
    std::unique_ptr<Engine::cInputSystem> m_input;
    Platform::cScriptedInputDevices* m_devices = nullptr;
    std::unique_ptr<FixedStepTimer> m_timer;
    bool m_soundSystem = false;
    std::unique_ptr<Engine::cSoundSystem> m_sound;
    RecordingSound* m_recording = nullptr;
    std::vector<std::string> m_noSounds;
    std::vector<std::vector<int16_t>> m_heard;
    std::unique_ptr<Engine::cFrameManager> m_frameManager;
};

} // namespace TestSupport
