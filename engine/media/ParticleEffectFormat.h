#pragma once

// Our particle effect files (docs/particle-format.md): embedded PNG textures and emitters made
// of particle layers, little-endian, with a version number. The reader checks every count
// against the bytes left before it allocates and refuses values the simulation cannot use.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Engine {

enum eParticleBlend : uint8_t { PARTICLE_BLEND_ALPHA = 0, PARTICLE_BLEND_ADDITIVE = 1 };
enum eParticleShape : uint8_t { PARTICLE_SHAPE_POINT = 0, PARTICLE_SHAPE_RECTANGLE = 1, PARTICLE_SHAPE_CIRCLE = 2 };

struct cParticleSizeKey {
    float age = 0; // 0 at birth, 1 at death
    float size = 0;
};

struct cParticleColorKey {
    float age = 0;
    uint8_t r = 255, g = 255, b = 255, a = 255;
};

// One stream of particles of an emitter.
struct cParticleLayerDesc {
    static constexpr uint32_t NO_TEXTURE = 0xFFFFFFFFu;

    uint32_t texture = NO_TEXTURE;
    uint8_t blend = PARTICLE_BLEND_ALPHA;
    uint8_t shape = PARTICLE_SHAPE_POINT;
    float shapeWidth = 0, shapeHeight = 0; // rectangle size; a circle's radius in the width
    uint32_t maxParticles = 64;
    uint32_t burst = 0;
    float rate = 0;
    float start = 0;
    float duration = 0; // 0: emits for ever
    float lifeMin = 1, lifeMax = 1;
    float speedMin = 0, speedMax = 0;
    float angle = 0, spread = 360; // degrees, 0 to the right and 90 downwards
    float gravityX = 0, gravityY = 0;
    float drag = 0;
    float spinMin = 0, spinMax = 0;         // degrees per second
    float rotationMin = 0, rotationMax = 0; // degrees at birth
    float sizeJitter = 0;                   // 0 to 1: how much smaller a particle may be born
    std::vector<cParticleSizeKey> sizes;
    std::vector<cParticleColorKey> colors;
};

struct cParticleEmitterDesc {
    std::string name;
    std::vector<cParticleLayerDesc> layers;
};

struct cParticleEffectDesc {
    std::vector<std::vector<uint8_t>> textures; // PNG files
    std::vector<cParticleEmitterDesc> emitters;
};

class cParticleEffectFormat {
public:
    static constexpr char MAGIC[4] = {'M', 'P', 'F', 'X'};
    static constexpr uint16_t VERSION = 1;
    static constexpr uint32_t MAX_TEXTURES = 64;
    static constexpr uint32_t MAX_EMITTERS = 256;
    static constexpr uint32_t MAX_LAYERS = 32;
    static constexpr uint32_t MAX_KEYS = 64;
    static constexpr uint32_t MAX_NAME = 256;
    static constexpr uint32_t MAX_PARTICLES = 65536;

    // Throws a std::string naming what is wrong.
    static void read(const uint8_t* bytes, size_t size, cParticleEffectDesc& out);
    // Throws a std::string when the description breaks a rule the reader checks.
    static std::vector<uint8_t> write(const cParticleEffectDesc& effect);
    // The reader's rules for one layer; empty when it is sound.
    static std::string checkLayer(const cParticleLayerDesc& layer, size_t textureCount);
};

} // namespace Engine
