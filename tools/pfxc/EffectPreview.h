#pragma once

// A picture of an effect for people to look at: frames at a few times side by side, simulated
// by the engine's particle library and painted on the meadow's grass green.

#include "TexturePainter.h"

#include "engine/media/ParticleEffectFormat.h"

#include <string>
#include <vector>

namespace Pfxc {

struct cPreviewOptions {
    std::vector<float> times{0.2f, 0.5f, 1.0f, 2.0f};
    bool circlePath = false; // the emitter runs round a circle, as a trail's would
    int frameSize = 200;
};

class cEffectPreview {
public:
    // The options of the XML's <preview> element, if any.
    static cPreviewOptions readOptions(const std::string& xml);
    static cPicture render(const std::vector<uint8_t>& effectFile, const Engine::cParticleEffectDesc& effect,
                           const cPreviewOptions& options);
};

} // namespace Pfxc
