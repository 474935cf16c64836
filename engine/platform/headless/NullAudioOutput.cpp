#include "engine/platform/headless/NullAudioOutput.h"

namespace Platform {

namespace {
cNullAudioOutput* g_current = nullptr;
}

cNullAudioOutput::cNullAudioOutput() {
    g_current = this;
}

cNullAudioOutput::~cNullAudioOutput() {
    if (g_current == this)
        g_current = nullptr;
}

cNullAudioOutput* cNullAudioOutput::current() {
    return g_current;
}

std::vector<int16_t> cNullAudioOutput::pull(int frameCount) {
    std::vector<int16_t> frames(size_t(frameCount > 0 ? frameCount : 0) * AUDIO_CHANNELS, 0);
    if (m_source && frameCount > 0)
        m_source->fillAudio(frames.data(), frameCount);
    return frames;
}

} // namespace Platform
