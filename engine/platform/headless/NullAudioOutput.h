#pragma once

// An audio output without a device: nothing is pulled until a test asks for frames.

#include "engine/platform/AudioOutput.h"

#include <vector>

namespace Platform {

class cNullAudioOutput : public IAudioOutput {
public:
    cNullAudioOutput();
    ~cNullAudioOutput() override;

    // The null output made last and still alive, for tests whose output was made by the
    // sound system; null when there is none.
    static cNullAudioOutput* current();

    void start(IAudioSource& source) override { m_source = &source; }
    void stop() override { m_source = nullptr; }
    bool isStarted() const { return m_source != nullptr; }

    // Pulls frameCount stereo frames (interleaved); silence when not started.
    std::vector<int16_t> pull(int frameCount);

private:
    IAudioSource* m_source = nullptr;
};

} // namespace Platform
