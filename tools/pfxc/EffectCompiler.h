#pragma once

// Reads the XML description of an effect into the effect format's description, painting the
// textures it names. Every error is a std::string naming the element or attribute at fault.

#include "engine/media/ParticleEffectFormat.h"

#include <string>

namespace Pfxc {

class cEffectCompiler {
public:
    static Engine::cParticleEffectDesc compile(const std::string& xml);
};

} // namespace Pfxc
