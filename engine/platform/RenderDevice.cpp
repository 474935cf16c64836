#include "engine/platform/RenderDevice.h"

namespace Platform {

uint32_t getVertexSize(uint32_t vertexFormat) {
    uint32_t size = 0;
    switch (vertexFormat & FVF_POSITION_MASK) {
    case FVF_XYZ:
        size = 12;
        break;
    case FVF_XYZB1:
        size = 16;
        break;
    case FVF_XYZB2:
        size = 20;
        break;
    case FVF_XYZB3:
        size = 24;
        break;
    case FVF_XYZB4:
        size = 28;
        break;
    case FVF_XYZB5:
        size = 32;
        break;
    default:
        break;
    }
    if (vertexFormat & FVF_NORMAL)
        size += 12;
    if (vertexFormat & FVF_DIFFUSE)
        size += 4;
    if (vertexFormat & FVF_SPECULAR)
        size += 4;
    if (vertexFormat & FVF_TEX1)
        size += 8;
    return size;
}

void getDefaultRenderStates(uint32_t (&states)[RENDER_STATE_LIMIT]) {
    for (uint32_t& state : states)
        state = 0;
    states[RS_Z_ENABLE] = 1;
    states[RS_FILL_MODE] = FILL_SOLID;
    states[RS_Z_WRITE_ENABLE] = 1;
    states[RS_SRC_BLEND] = BLEND_ONE;
    states[RS_DEST_BLEND] = BLEND_ZERO;
    states[RS_CULL_MODE] = CULL_CCW;
    states[RS_Z_FUNC] = CMP_LESS_EQUAL;
    states[RS_ALPHA_FUNC] = CMP_ALWAYS;
    states[RS_STENCIL_FAIL] = STENCIL_KEEP;
    states[RS_STENCIL_Z_FAIL] = STENCIL_KEEP;
    states[RS_STENCIL_PASS] = STENCIL_KEEP;
    states[RS_STENCIL_FUNC] = CMP_ALWAYS;
    states[RS_STENCIL_MASK] = 0xFFFFFFFFu;
    states[RS_STENCIL_WRITE_MASK] = 0xFFFFFFFFu;
    states[RS_LIGHTING] = 1;
    states[RS_BLEND_OP] = BLEND_OP_ADD;
}

void getDefaultSamplerStates(uint32_t (&states)[SAMPLER_STATE_LIMIT]) {
    for (uint32_t& state : states)
        state = 0;
    states[SS_ADDRESS_U] = ADDRESS_WRAP;
    states[SS_ADDRESS_V] = ADDRESS_WRAP;
    states[SS_MAG_FILTER] = FILTER_POINT;
    states[SS_MIN_FILTER] = FILTER_POINT;
    states[SS_MIP_FILTER] = FILTER_NONE;
    states[SS_MAX_ANISOTROPY] = 1;
}

} // namespace Platform
