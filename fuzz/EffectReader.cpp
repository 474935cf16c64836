// libFuzzer target: effect file bytes through the particle library's loader (format reader and
// texture decoding), then a second of simulation and a vertex fill of what it made.

#include "engine/media/ParticleEffectInstance.h"
#include "engine/media/ParticleLibrary.h"
#include "engine/media/PyroGraphicsDevice.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Engine::cParticleLibrary library;
    try {
        Engine::IParticleFile* file = library.loadBytes(data, size, "fuzz.pfx");
        for (size_t i = 0; i < file->getEmitterCount(); ++i) {
            std::unique_ptr<Engine::IParticleEffectInstance> effect(library.createEffect(file->getEmitter(i)->getId()));
            for (int step = 0; step < 20; ++step) {
                effect->advanceTime(0.05f * float(step), 0.05f);
                effect->update(0.05f * float(step), 0.05f, 10, 10, 0, 1);
            }
            std::vector<Engine::cParticleVertex> vertices;
            static_cast<Engine::cParticleEffectInstance*>(effect.get())->fillVertices(vertices);
        }
        library.destroyFile(file);
    } catch (const Engine::CPyroException&) {
    }
    return 0;
}
