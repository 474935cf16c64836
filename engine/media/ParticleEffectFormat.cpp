#include "engine/media/ParticleEffectFormat.h"

#include "engine/core/ByteOrder.h"

#include <cmath>
#include <cstring>

namespace Engine {

namespace {

class cReader {
public:
    cReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    const uint8_t* take(size_t bytes) {
        if (bytes > m_size - m_position)
            throw std::string("Particle effect: unexpected end of file");
        const uint8_t* at = m_data + m_position;
        m_position += bytes;
        return at;
    }
    uint8_t u8() { return *take(1); }
    uint16_t u16() { return readUint16LE(take(2)); }
    uint32_t u32() { return readUint32LE(take(4)); }
    float f32() {
        uint32_t bits = u32();
        float value;
        std::memcpy(&value, &bits, 4);
        if (!std::isfinite(value))
            throw std::string("Particle effect: a number is not finite");
        return value;
    }
    // A count below the limit whose items (at least itemSize bytes each) fit in what is left.
    uint32_t count(uint32_t limit, size_t itemSize, const char* what) {
        uint32_t n = u32();
        if (n > limit || (itemSize && n > (m_size - m_position) / itemSize))
            throw std::string("Particle effect: too many ") + what;
        return n;
    }
    bool atEnd() const { return m_position == m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

class cWriter {
public:
    void u8(uint8_t v) { m_bytes.push_back(v); }
    void u16(uint16_t v) {
        u8(uint8_t(v));
        u8(uint8_t(v >> 8));
    }
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            u8(uint8_t(v >> (8 * i)));
    }
    void f32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        u32(bits);
    }
    void bytes(const void* data, size_t size) {
        auto* p = static_cast<const uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + size);
    }
    std::vector<uint8_t>& result() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

// Bytes of a layer without its keys.
constexpr size_t LAYER_FIXED_BYTES = 4 + 4 + 8 + 4 + 4 + 4 * 17 + 4 + 4;

} // namespace

std::string cParticleEffectFormat::checkLayer(const cParticleLayerDesc& l, size_t textureCount) {
    if (l.texture != cParticleLayerDesc::NO_TEXTURE && l.texture >= textureCount)
        return "texture index out of range";
    if (l.blend > PARTICLE_BLEND_ADDITIVE)
        return "unknown blend";
    if (l.shape > PARTICLE_SHAPE_CIRCLE)
        return "unknown shape";
    if (l.maxParticles == 0 || l.maxParticles > MAX_PARTICLES)
        return "particle limit out of range";
    if (l.lifeMin <= 0 || l.lifeMax < l.lifeMin)
        return "life out of range";
    if (l.rate < 0 || l.start < 0 || l.duration < 0 || l.shapeWidth < 0 || l.shapeHeight < 0 || l.drag < 0 ||
        l.sizeJitter < 0 || l.sizeJitter > 1 || l.speedMax < l.speedMin || l.spinMax < l.spinMin ||
        l.rotationMax < l.rotationMin)
        return "value out of range";
    if (l.sizes.size() > MAX_KEYS || l.colors.size() > MAX_KEYS)
        return "too many keys";
    float previous = 0;
    for (const cParticleSizeKey& key : l.sizes) {
        if (key.age < previous || key.age > 1 || key.size < 0)
            return "size keys out of order";
        previous = key.age;
    }
    previous = 0;
    for (const cParticleColorKey& key : l.colors) {
        if (key.age < previous || key.age > 1)
            return "colour keys out of order";
        previous = key.age;
    }
    return "";
}

void cParticleEffectFormat::read(const uint8_t* bytes, size_t size, cParticleEffectDesc& out) {
    cReader r(bytes, size);
    if (size < 4 || std::memcmp(r.take(4), MAGIC, 4) != 0)
        throw std::string("Particle effect: not an effect file");
    const uint16_t version = r.u16();
    if (version != VERSION)
        throw "Particle effect: unknown version " + std::to_string(version);
    r.u16(); // flags, none defined
    cParticleEffectDesc effect;
    const uint32_t textureCount = r.count(MAX_TEXTURES, 4, "textures");
    const uint32_t emitterCount = r.count(MAX_EMITTERS, 8, "emitters");
    effect.textures.resize(textureCount);
    for (std::vector<uint8_t>& texture : effect.textures) {
        const uint32_t length = r.count(UINT32_MAX, 1, "texture bytes");
        const uint8_t* data = r.take(length);
        texture.assign(data, data + length);
    }
    effect.emitters.resize(emitterCount);
    for (cParticleEmitterDesc& emitter : effect.emitters) {
        const uint32_t nameLength = r.count(MAX_NAME, 1, "name bytes");
        const uint8_t* name = r.take(nameLength);
        emitter.name.assign(reinterpret_cast<const char*>(name), nameLength);
        emitter.layers.resize(r.count(MAX_LAYERS, LAYER_FIXED_BYTES, "layers"));
        for (cParticleLayerDesc& l : emitter.layers) {
            l.texture = r.u32();
            l.blend = r.u8();
            l.shape = r.u8();
            r.u16();
            l.shapeWidth = r.f32();
            l.shapeHeight = r.f32();
            l.maxParticles = r.u32();
            l.burst = r.u32();
            l.rate = r.f32();
            l.start = r.f32();
            l.duration = r.f32();
            l.lifeMin = r.f32();
            l.lifeMax = r.f32();
            l.speedMin = r.f32();
            l.speedMax = r.f32();
            l.angle = r.f32();
            l.spread = r.f32();
            l.gravityX = r.f32();
            l.gravityY = r.f32();
            l.drag = r.f32();
            l.spinMin = r.f32();
            l.spinMax = r.f32();
            l.rotationMin = r.f32();
            l.rotationMax = r.f32();
            l.sizeJitter = r.f32();
            l.sizes.resize(r.count(MAX_KEYS, 8, "size keys"));
            for (cParticleSizeKey& key : l.sizes) {
                key.age = r.f32();
                key.size = r.f32();
            }
            l.colors.resize(r.count(MAX_KEYS, 8, "colour keys"));
            for (cParticleColorKey& key : l.colors) {
                key.age = r.f32();
                key.r = r.u8();
                key.g = r.u8();
                key.b = r.u8();
                key.a = r.u8();
            }
            std::string fault = checkLayer(l, textureCount);
            if (!fault.empty())
                throw "Particle effect: " + fault;
        }
    }
    if (!r.atEnd())
        throw std::string("Particle effect: bytes after the end");
    out = std::move(effect);
}

std::vector<uint8_t> cParticleEffectFormat::write(const cParticleEffectDesc& effect) {
    if (effect.textures.size() > MAX_TEXTURES || effect.emitters.size() > MAX_EMITTERS)
        throw std::string("Particle effect: too many textures or emitters");
    cWriter w;
    w.bytes(MAGIC, 4);
    w.u16(VERSION);
    w.u16(0);
    w.u32(uint32_t(effect.textures.size()));
    w.u32(uint32_t(effect.emitters.size()));
    for (const std::vector<uint8_t>& texture : effect.textures) {
        w.u32(uint32_t(texture.size()));
        w.bytes(texture.data(), texture.size());
    }
    for (const cParticleEmitterDesc& emitter : effect.emitters) {
        if (emitter.name.size() > MAX_NAME || emitter.layers.size() > MAX_LAYERS)
            throw "Particle effect: emitter \"" + emitter.name + "\" is too large";
        w.u32(uint32_t(emitter.name.size()));
        w.bytes(emitter.name.data(), emitter.name.size());
        w.u32(uint32_t(emitter.layers.size()));
        for (const cParticleLayerDesc& l : emitter.layers) {
            std::string fault = checkLayer(l, effect.textures.size());
            if (!fault.empty())
                throw "Particle effect: emitter \"" + emitter.name + "\": " + fault;
            w.u32(l.texture);
            w.u8(l.blend);
            w.u8(l.shape);
            w.u16(0);
            for (float v : {l.shapeWidth, l.shapeHeight})
                w.f32(v);
            w.u32(l.maxParticles);
            w.u32(l.burst);
            for (float v :
                 {l.rate, l.start, l.duration, l.lifeMin, l.lifeMax, l.speedMin, l.speedMax, l.angle, l.spread,
                  l.gravityX, l.gravityY, l.drag, l.spinMin, l.spinMax, l.rotationMin, l.rotationMax, l.sizeJitter})
                w.f32(v);
            w.u32(uint32_t(l.sizes.size()));
            for (const cParticleSizeKey& key : l.sizes) {
                w.f32(key.age);
                w.f32(key.size);
            }
            w.u32(uint32_t(l.colors.size()));
            for (const cParticleColorKey& key : l.colors) {
                w.f32(key.age);
                w.u8(key.r);
                w.u8(key.g);
                w.u8(key.b);
                w.u8(key.a);
            }
        }
    }
    return std::move(w.result());
}

} // namespace Engine
