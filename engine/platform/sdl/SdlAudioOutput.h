#pragma once

// The default audio device through SDL2, converted by SDL to whatever the device takes.

#include "engine/platform/AudioOutput.h"

namespace Platform {

// Null when SDL's audio cannot start or no device opens.
std::unique_ptr<IAudioOutput> createSdlAudioOutput();

} // namespace Platform
