#pragma once

// A loaded effect file of our particle library: the effect description, its textures decoded
// to RGBA and, while prepared, their device textures. The data is shared with the instances
// made from it, so an instance outlives neither badly nor with stale textures.

#include "engine/media/ParticleEffectFormat.h"
#include "engine/media/ParticleLibrary.h"
#include "engine/media/PyroGraphicsDevice.h"

#include <memory>
#include <vector>

namespace Engine {

struct cParticleFileData {
    cParticleEffectDesc effect;
    // Decoded textures: RGBA bytes, rows top first.
    struct cPixels {
        uint32_t width = 0, height = 0;
        std::vector<uint8_t> rgba;
    };
    std::vector<cPixels> pixels;
    // Device textures while prepared (null entries where the device refused).
    std::vector<std::unique_ptr<IPyroTexture>> textures;
};

class cParticleEffectFile : public IParticleFile {
public:
    class cEmitter : public IParticleEmitter {
    public:
        explicit cEmitter(uint32_t id) : m_id(id) {}
        uint32_t getId() const override { return m_id; }

    private:
        uint32_t m_id;
    };

    cParticleEffectFile(cParticleLibrary& library, std::shared_ptr<cParticleFileData> data,
                        const std::vector<uint32_t>& emitterIds);

    void prepare() override;
    void unprepare() override;
    size_t getEmitterCount() const override { return m_emitters.size(); }
    IParticleEmitter* getEmitter(size_t index) override {
        return index < m_emitters.size() ? &m_emitters[index] : nullptr;
    }

    const std::shared_ptr<cParticleFileData>& getData() const { return m_data; }

private:
    cParticleLibrary& m_library;
    std::shared_ptr<cParticleFileData> m_data;
    std::vector<cEmitter> m_emitters;
};

} // namespace Engine
