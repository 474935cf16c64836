#pragma once

// Everything a render device's saveState keeps: the device's own record of its states, which
// its getters answer from and which tells a device what changed.

#include "engine/platform/RenderDevice.h"

namespace Platform {

struct cRenderStateSet {
    cRenderStateSet() { setDefaults(); }
    // The states after creation or reset; objects bound are kept by the caller.
    void setDefaults() {
        getDefaultRenderStates(renderStates);
        getDefaultSamplerStates(samplerStates);
        for (cDeviceMatrix& world : worlds)
            world = cDeviceMatrix();
        view = projection = cDeviceMatrix();
        for (int i = 0; i < MAX_LIGHTS; ++i) {
            lights[i] = cLight();
            lightEnabled[i] = false;
        }
        material = cMaterial();
        texture = 0;
        vertexBuffer = indexBuffer = 0;
        stride = 0;
        vertexFormat = 0;
        shader = 0;
    }

    uint32_t renderStates[RENDER_STATE_LIMIT];
    uint32_t samplerStates[SAMPLER_STATE_LIMIT];
    cDeviceMatrix worlds[MAX_WORLD_MATRICES];
    cDeviceMatrix view, projection;
    cLight lights[MAX_LIGHTS];
    bool lightEnabled[MAX_LIGHTS];
    cMaterial material;
    tTextureHandle texture;
    tBufferHandle vertexBuffer, indexBuffer;
    uint32_t stride;
    uint32_t vertexFormat;
    tShaderHandle shader;
};

} // namespace Platform
