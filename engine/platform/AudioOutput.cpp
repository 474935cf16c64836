#include "engine/platform/AudioOutput.h"

#include "engine/platform/headless/NullAudioOutput.h"
#include "engine/platform/sdl/SdlAudioOutput.h"

#include <cstdlib>
#include <cstring>

namespace Platform {

std::unique_ptr<IAudioOutput> createAudioOutput() {
    const char* headless = std::getenv("MEADOW_HEADLESS");
    if (headless && std::strcmp(headless, "0") != 0 && *headless)
        return std::make_unique<cNullAudioOutput>();
    return createSdlAudioOutput();
}

} // namespace Platform
