#include "engine/platform/AudioOutput.h"

#include "engine/platform/DisplayBackend.h"
#include "engine/platform/System.h"
#include "engine/platform/headless/NullAudioOutput.h"

namespace Platform {

std::unique_ptr<IAudioOutput> createAudioOutput() {
    if (isHeadless() || !getDisplayBackend().createAudioOutput)
        return std::make_unique<cNullAudioOutput>();
    return getDisplayBackend().createAudioOutput();
}

} // namespace Platform
