#include "engine/platform/sdl/SdlAudioOutput.h"

#include "engine/platform/System.h"
#include "engine/platform/sdl/SdlCallbackError.h"

#include <SDL.h>

#include <cstring>
#include <dlfcn.h>
#include <string>

namespace Platform {

namespace {

class cSdlAudioOutput : public IAudioOutput {
public:
    ~cSdlAudioOutput() override {
        if (m_device)
            SDL_CloseAudioDevice(m_device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    // The audio subsystem is held from here until destruction, also when opening fails.
    bool open() {
        SDL_AudioSpec wanted;
        SDL_zero(wanted);
        wanted.freq = AUDIO_SAMPLE_RATE;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = AUDIO_CHANNELS;
        wanted.samples = 1024;
        wanted.callback = &cSdlAudioOutput::callback;
        wanted.userdata = this;
        // No changes allowed: SDL converts to the device's own format behind the callback.
        m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
        return m_device != 0;
    }

    void start(IAudioSource& source) override {
        SDL_LockAudioDevice(m_device);
        m_source = &source;
        SDL_UnlockAudioDevice(m_device);
        SDL_PauseAudioDevice(m_device, 0);
    }
    void stop() override {
        SDL_PauseAudioDevice(m_device, 1);
        SDL_LockAudioDevice(m_device);
        m_source = nullptr;
        SDL_UnlockAudioDevice(m_device);
    }

private:
    static void SDLCALL callback(void* self, Uint8* stream, int length) {
        auto* output = static_cast<cSdlAudioOutput*>(self);
        std::memset(stream, 0, size_t(length));
        // The source promises not to throw; this guard keeps SDL's thread alive if one ever does.
        try {
            if (output->m_source)
                output->m_source->fillAudio(reinterpret_cast<int16_t*>(stream),
                                            length / int(sizeof(int16_t) * AUDIO_CHANNELS));
        } catch (...) {
            std::memset(stream, 0, size_t(length));
            cSdlCallbackError::keep("SDL audio callback", std::current_exception());
        }
    }

    SDL_AudioDeviceID m_device = 0;
    IAudioSource* m_source = nullptr;
};

// ALSA prints every step of its failed probing to stderr (a screen of text on a machine without
// a sound card). SDL loads the same library later, so a silent handler set here holds for it.
void silentAlsaError(const char*, int, const char*, int, const char*, ...) {}

void quietAlsa() {
    static const bool done = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!alsa)
            return true;
        using SetHandler = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
        if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
            set(&silentAlsaError);
        // The library stays loaded: SDL's own handle to it shares the handler.
        return true;
    }();
    (void)done;
}

void reportSilence(const char* reason) {
    report(std::string("No audio device (") + (reason && *reason ? reason : "unknown reason") +
           "): the program runs silent.");
}

} // namespace

std::unique_ptr<IAudioOutput> createSdlAudioOutput() {
    quietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reportSilence(SDL_GetError());
        return nullptr;
    }
    auto output = std::make_unique<cSdlAudioOutput>();
    if (!output->open()) {
        reportSilence(SDL_GetError());
        return nullptr;
    }
    return output;
}

} // namespace Platform
