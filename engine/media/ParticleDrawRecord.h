#pragma once

// What a particle-effect widget hands to the graphics device's batch: where its effect stands
// and how large it is drawn. The effect draws itself through the particle library.

namespace Engine {

// The particle library's effect as the batch drives it.
class IParticleEffect {
public:
    virtual ~IParticleEffect() = default;
    virtual void setScale(float scale) = 0;
    virtual void setPosition(float x, float y, float z) = 0;
    virtual void render() = 0;
};

struct cParticleDrawRecord {
    float x = 0, y = 0;             // emitter position
    float offsetX = 0, offsetY = 0; // added after scaling
    float z = 0;
    float scale = 1;
    bool dirty = true; // position or scale changed since the effect was last placed
    IParticleEffect* effect = nullptr;
};

} // namespace Engine
