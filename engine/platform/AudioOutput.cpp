#include "engine/platform/AudioOutput.h"

#include "engine/platform/System.h"
#include "engine/platform/headless/NullAudioOutput.h"
#include "engine/platform/sdl/SdlAudioOutput.h"

namespace Platform {

std::unique_ptr<IAudioOutput> createAudioOutput() {
    if (isHeadless())
        return std::make_unique<cNullAudioOutput>();
    return createSdlAudioOutput();
}

} // namespace Platform
