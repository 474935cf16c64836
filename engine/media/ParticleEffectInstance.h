#pragma once

// One playing effect of our particle library: the layers of one emitter, their live particles
// and the emission schedule. Particles live in the coordinates of the emitter positions given
// to update; drawing scales them about (0, 0) and moves them by the draw position. Every random
// draw comes from the instance's own generator, so a seed gives the same particles every time.

#include "engine/media/ParticleEffectFile.h"
#include "engine/media/ParticleLibrary.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Engine {

// What a particle quad's corner holds: position, 0xAARRGGBB colour, texture coordinate.
struct cParticleVertex {
    float x, y, z;
    uint32_t color;
    float u, v;
};
constexpr uint32_t PARTICLE_VERTEX_FLAGS = PYRO_VERTEX_XYZ | PYRO_VERTEX_DIFFUSE | PYRO_VERTEX_TEX1;

class cParticleEffectInstance : public IParticleEffectInstance {
public:
    struct cParticle {
        float x, y, vx, vy;
        float age, life;
        float rotation, spin; // radians, radians per second
        float sizeFactor;
    };

    cParticleEffectInstance(cParticleLibrary& library, std::shared_ptr<cParticleFileData> data, size_t emitter,
                            uint32_t seed);

    // IParticleEffect
    void setScale(float scale) override { m_scale = scale; }
    void setPosition(float x, float y, float z) override;
    // Fills the instance's vertex buffer and draws one call per run of layers that share their
    // texture and blend; in the library's open batch, adds its quads there instead when its
    // file lies on the sheet.
    void render() override;

    // IParticleEffectInstance
    void advanceTime(float time, float step) override;
    void update(float time, float step, float x, float y, float z, int emit) override;

    size_t getLayerCount() const { return m_layers.size(); }
    const std::vector<cParticle>& getParticles(size_t layer) const { return m_layers[layer].particles; }
    size_t getParticleCount() const;
    // The quads of every live particle, layer by layer; returns their number.
    uint32_t fillVertices(std::vector<cParticleVertex>& out) const;
    // The result of the last draw or buffer call that failed; 0 while all went well.
    int32_t getLastError() const { return m_lastError; }

private:
    struct cLayer {
        const cParticleLayerDesc* desc;
        std::vector<cParticle> particles;
        float debt = 0;
        bool burstDone = false;
    };

    uint32_t nextRandom();
    float random01() { return float(nextRandom()) / 32767.0f; }
    float between(float low, float high) { return low + (high - low) * random01(); }
    void emit(cLayer& layer, uint32_t count, float x, float y, float z);
    void restartSchedule();
    // Moves the filled quads onto the sheet's regions, colours premultiplied, additive ones
    // with alpha 0.
    void toSheet(const std::vector<cParticleLibrary::cSheetRegion>& regions);

    cParticleLibrary& m_library;
    std::shared_ptr<cParticleFileData> m_data;
    std::vector<cLayer> m_layers;
    uint32_t m_state;
    float m_scale = 1;
    float m_drawX = 0, m_drawY = 0, m_drawZ = 0;
    float m_emitterX = 0, m_emitterY = 0;
    bool m_placed = false;
    float m_lastTime = -1;
    uint32_t m_totalQuads = 0;
    std::unique_ptr<IPyroVertexBuffer> m_buffer;
    uint32_t m_bufferGeneration = 0;
    std::vector<cParticleVertex> m_vertices;
    int32_t m_lastError = 0;
};

} // namespace Engine
