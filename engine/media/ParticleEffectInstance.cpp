#include "engine/media/ParticleEffectInstance.h"

#include <algorithm>
#include <cmath>

namespace Engine {

namespace {

constexpr float DEGREES = 3.14159265358979f / 180.0f;

float sizeAt(const std::vector<cParticleSizeKey>& keys, float age) {
    if (keys.empty())
        return 16;
    if (age <= keys.front().age)
        return keys.front().size;
    for (size_t i = 1; i < keys.size(); ++i)
        if (age < keys[i].age) {
            const cParticleSizeKey& p = keys[i - 1];
            const cParticleSizeKey& n = keys[i];
            return p.size + (n.size - p.size) * (age - p.age) / (n.age - p.age);
        }
    return keys.back().size;
}

uint32_t colorAt(const std::vector<cParticleColorKey>& keys, float age) {
    auto pack = [](float r, float g, float b, float a) {
        return uint32_t(a + 0.5f) << 24 | uint32_t(r + 0.5f) << 16 | uint32_t(g + 0.5f) << 8 | uint32_t(b + 0.5f);
    };
    if (keys.empty())
        return 0xFFFFFFFFu;
    const cParticleColorKey* p = &keys.front();
    const cParticleColorKey* n = p;
    float k = 0;
    if (age > keys.back().age) {
        p = n = &keys.back();
    } else if (age > p->age) {
        for (size_t i = 1; i < keys.size(); ++i)
            if (age <= keys[i].age) {
                p = &keys[i - 1];
                n = &keys[i];
                k = n->age > p->age ? (age - p->age) / (n->age - p->age) : 1;
                break;
            }
    }
    return pack(p->r + (n->r - p->r) * k, p->g + (n->g - p->g) * k, p->b + (n->b - p->b) * k, p->a + (n->a - p->a) * k);
}

} // namespace

cParticleEffectInstance::cParticleEffectInstance(cParticleLibrary& library, std::shared_ptr<cParticleFileData> data,
                                                 size_t emitter, uint32_t seed)
    : m_library(library), m_data(std::move(data)), m_state(seed) {
    if (emitter < m_data->effect.emitters.size())
        for (const cParticleLayerDesc& desc : m_data->effect.emitters[emitter].layers) {
            cLayer layer;
            layer.desc = &desc;
            layer.particles.reserve(desc.maxParticles);
            m_layers.push_back(std::move(layer));
            m_totalQuads += desc.maxParticles;
        }
}

uint32_t cParticleEffectInstance::nextRandom() {
    m_state = m_state * 214013u + 2531011u;
    return (m_state >> 16) & 0x7FFF;
}

void cParticleEffectInstance::setPosition(float x, float y, float z) {
    m_drawX = x;
    m_drawY = y;
    m_drawZ = z;
}

size_t cParticleEffectInstance::getParticleCount() const {
    size_t count = 0;
    for (const cLayer& layer : m_layers)
        count += layer.particles.size();
    return count;
}

void cParticleEffectInstance::restartSchedule() {
    for (cLayer& layer : m_layers) {
        layer.debt = 0;
        layer.burstDone = false;
    }
}

void cParticleEffectInstance::advanceTime(float, float step) {
    if (!(step > 0))
        return;
    for (cLayer& layer : m_layers) {
        const cParticleLayerDesc& d = *layer.desc;
        const float keep = std::max(0.0f, 1 - d.drag * step);
        std::vector<cParticle>& particles = layer.particles;
        for (size_t i = 0; i < particles.size();) {
            cParticle& p = particles[i];
            p.age += step;
            if (p.age >= p.life) {
                p = particles.back();
                particles.pop_back();
                continue;
            }
            p.vx = (p.vx + d.gravityX * step) * keep;
            p.vy = (p.vy + d.gravityY * step) * keep;
            p.x += p.vx * step;
            p.y += p.vy * step;
            p.rotation += p.spin * step;
            ++i;
        }
    }
}

void cParticleEffectInstance::update(float time, float step, float x, float y, float, int emitting) {
    if (time < m_lastTime)
        restartSchedule();
    m_lastTime = time;
    const float fromX = m_placed ? m_emitterX : x;
    const float fromY = m_placed ? m_emitterY : y;
    m_emitterX = x;
    m_emitterY = y;
    m_placed = true;
    if (!emitting || !(step >= 0))
        return;
    for (cLayer& layer : m_layers) {
        const cParticleLayerDesc& d = *layer.desc;
        uint32_t count = 0;
        if (!layer.burstDone && (time >= d.start || time + step > d.start)) {
            layer.burstDone = true;
            count += d.burst;
        }
        const float end = d.duration > 0 ? d.start + d.duration : INFINITY;
        const float overlap = std::min(time + step, end) - std::max(time, d.start);
        if (overlap > 0 && d.rate > 0) {
            layer.debt += d.rate * overlap;
            // More than a full layer is never due; this also keeps the debt finite.
            if (!(layer.debt <= float(d.maxParticles)))
                layer.debt = float(d.maxParticles);
            const float whole = std::floor(layer.debt);
            layer.debt -= whole;
            count += uint32_t(whole);
        }
        count = std::min<uint32_t>(count, d.maxParticles - uint32_t(layer.particles.size()));
        // New particles spread along the emitter's path of this step.
        for (uint32_t i = 0; i < count; ++i) {
            const float k = float(i + 1) / float(count);
            emit(layer, 1, fromX + (x - fromX) * k, fromY + (y - fromY) * k, 0);
        }
    }
}

void cParticleEffectInstance::emit(cLayer& layer, uint32_t count, float x, float y, float) {
    const cParticleLayerDesc& d = *layer.desc;
    for (uint32_t i = 0; i < count && layer.particles.size() < d.maxParticles; ++i) {
        cParticle p;
        p.x = x;
        p.y = y;
        if (d.shape == PARTICLE_SHAPE_RECTANGLE) {
            p.x += (random01() - 0.5f) * d.shapeWidth;
            p.y += (random01() - 0.5f) * d.shapeHeight;
        } else if (d.shape == PARTICLE_SHAPE_CIRCLE) {
            const float r = d.shapeWidth * std::sqrt(random01());
            const float a = random01() * 360 * DEGREES;
            p.x += r * std::cos(a);
            p.y += r * std::sin(a);
        }
        const float direction = (d.angle + (random01() - 0.5f) * d.spread) * DEGREES;
        const float speed = between(d.speedMin, d.speedMax);
        p.vx = std::cos(direction) * speed;
        p.vy = std::sin(direction) * speed;
        p.age = 0;
        p.life = between(d.lifeMin, d.lifeMax);
        p.rotation = between(d.rotationMin, d.rotationMax) * DEGREES;
        p.spin = between(d.spinMin, d.spinMax) * DEGREES;
        p.sizeFactor = 1 - d.sizeJitter * random01();
        layer.particles.push_back(p);
    }
}

uint32_t cParticleEffectInstance::fillVertices(std::vector<cParticleVertex>& out) const {
    out.resize(size_t(getParticleCount()) * 4);
    cParticleVertex* v = out.data();
    for (const cLayer& layer : m_layers) {
        const cParticleLayerDesc& d = *layer.desc;
        for (const cParticle& p : layer.particles) {
            const float age = p.age / p.life;
            const float half = 0.5f * sizeAt(d.sizes, age) * p.sizeFactor * m_scale;
            const uint32_t color = colorAt(d.colors, age);
            const float c = std::cos(p.rotation) * half, s = std::sin(p.rotation) * half;
            const float cx = p.x * m_scale + m_drawX, cy = p.y * m_scale + m_drawY;
            // Corners top-left, bottom-left, bottom-right, top-right of the turned square.
            const float corners[4][4] = {{-1, -1, 0, 0}, {-1, 1, 0, 1}, {1, 1, 1, 1}, {1, -1, 1, 0}};
            for (const auto& corner : corners) {
                v->x = cx + corner[0] * c - corner[1] * s;
                v->y = cy + corner[0] * s + corner[1] * c;
                v->z = m_drawZ;
                v->color = color;
                v->u = corner[2];
                v->v = corner[3];
                ++v;
            }
        }
    }
    return uint32_t(out.size() / 4);
}

void cParticleEffectInstance::toSheet(const std::vector<cParticleLibrary::cSheetRegion>& regions) {
    cParticleVertex* v = m_vertices.data();
    const size_t white = regions.size() - 1;
    for (const cLayer& layer : m_layers) {
        const cParticleLayerDesc& d = *layer.desc;
        const cParticleLibrary::cSheetRegion& r = regions[d.texture < white ? d.texture : white];
        const bool additive = d.blend == PARTICLE_BLEND_ADDITIVE;
        for (size_t i = 0; i < layer.particles.size() * 4; ++i, ++v) {
            v->u = r.u0 + (r.u1 - r.u0) * v->u;
            v->v = r.v0 + (r.v1 - r.v0) * v->v;
            const uint32_t a = v->color >> 24;
            auto times = [a](uint32_t c) { return (c * a + 127) / 255; };
            v->color = (additive ? 0 : a << 24) | times((v->color >> 16) & 0xFF) << 16 |
                       times((v->color >> 8) & 0xFF) << 8 | times(v->color & 0xFF);
        }
    }
}

void cParticleEffectInstance::render() {
    IPyroGraphicsDevice* device = m_library.getGraphicsDevice();
    if (!device || m_totalQuads == 0)
        return;
    const uint32_t quads = fillVertices(m_vertices);
    if (quads == 0)
        return;
    if (m_library.isBatching()) {
        if (const auto* regions = m_library.getSheetRegions(m_data.get())) {
            toSheet(*regions);
            m_library.addBatchQuads(m_vertices);
            return;
        }
        // Drawn on its own, after what the batch holds.
        m_library.flushBatch();
    }
    if (!m_buffer || m_bufferGeneration != m_library.getDeviceGeneration()) {
        m_buffer.reset();
        m_bufferGeneration = m_library.getDeviceGeneration();
        int32_t result =
            device->createVertexBuffer(m_buffer, m_totalQuads * 4, sizeof(cParticleVertex), PARTICLE_VERTEX_FLAGS, 0);
        if (result < 0 || !m_buffer) {
            m_lastError = result < 0 ? result : -1;
            m_buffer.reset();
            return;
        }
    }
    int32_t result = m_buffer->update(m_vertices.data(), 0, quads * 4 * uint32_t(sizeof(cParticleVertex)));
    if (result < 0) {
        m_lastError = result;
        return;
    }
    device->setRenderState(PYRO_STATE_ALPHA_BLEND, 1);
    const uint32_t capacity = m_library.getQuadCapacity();
    uint32_t first = 0;
    for (size_t i = 0; i < m_layers.size();) {
        // A run of layers with the same texture and blend is one draw.
        const cParticleLayerDesc& d = *m_layers[i].desc;
        uint32_t count = 0;
        size_t j = i;
        for (; j < m_layers.size() && m_layers[j].desc->texture == d.texture && m_layers[j].desc->blend == d.blend; ++j)
            count += uint32_t(m_layers[j].particles.size());
        if (count > 0) {
            IPyroTexture* texture = d.texture < m_data->textures.size() ? m_data->textures[d.texture].get() : nullptr;
            device->setTexture(0, texture);
            device->setBlendFunc(4, d.blend == PARTICLE_BLEND_ADDITIVE ? 1 : 5);
            for (uint32_t done = 0; done < count;) {
                const uint32_t chunk = std::min(count - done, capacity);
                result = device->drawQuads(m_buffer.get(), first + done, chunk);
                if (result < 0)
                    m_lastError = result;
                done += chunk;
            }
        }
        first += count;
        i = j;
    }
    device->setTexture(0, nullptr);
}

} // namespace Engine
