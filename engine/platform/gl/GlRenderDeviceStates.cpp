// The OpenGL render device's states: render and sampler states, transforms, material, lights
// and the vertex streams.

#include "engine/platform/gl/GlRenderDevice.h"

#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform {

namespace {

constexpr GLenum MAX_ANISOTROPY = 0x84FE; // GL_TEXTURE_MAX_ANISOTROPY

GLenum blendFactor(uint32_t blend) {
    switch (blend) {
    case BLEND_ZERO:
        return GL_ZERO;
    case BLEND_ONE:
        return GL_ONE;
    case BLEND_SRC_COLOR:
        return GL_SRC_COLOR;
    case BLEND_INV_SRC_COLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case BLEND_SRC_ALPHA:
        return GL_SRC_ALPHA;
    case BLEND_INV_SRC_ALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case BLEND_DEST_ALPHA:
        return GL_DST_ALPHA;
    case BLEND_INV_DEST_ALPHA:
        return GL_ONE_MINUS_DST_ALPHA;
    case BLEND_DEST_COLOR:
        return GL_DST_COLOR;
    case BLEND_INV_DEST_COLOR:
        return GL_ONE_MINUS_DST_COLOR;
    case BLEND_SRC_ALPHA_SAT:
        return GL_SRC_ALPHA_SATURATE;
    default:
        return GL_ONE;
    }
}

GLenum blendEquation(uint32_t op) {
    switch (op) {
    case BLEND_OP_SUBTRACT:
        return GL_FUNC_SUBTRACT;
    case BLEND_OP_REV_SUBTRACT:
        return GL_FUNC_REVERSE_SUBTRACT;
    case BLEND_OP_MIN:
        return GL_MIN;
    case BLEND_OP_MAX:
        return GL_MAX;
    default:
        return GL_FUNC_ADD;
    }
}

GLenum compareFunction(uint32_t function) {
    switch (function) {
    case CMP_NEVER:
        return GL_NEVER;
    case CMP_LESS:
        return GL_LESS;
    case CMP_EQUAL:
        return GL_EQUAL;
    case CMP_LESS_EQUAL:
        return GL_LEQUAL;
    case CMP_GREATER:
        return GL_GREATER;
    case CMP_NOT_EQUAL:
        return GL_NOTEQUAL;
    case CMP_GREATER_EQUAL:
        return GL_GEQUAL;
    default:
        return GL_ALWAYS;
    }
}

GLenum stencilOperation(uint32_t op) {
    switch (op) {
    case STENCIL_ZERO:
        return GL_ZERO;
    case STENCIL_REPLACE:
        return GL_REPLACE;
    case STENCIL_INCR_SAT:
        return GL_INCR;
    case STENCIL_DECR_SAT:
        return GL_DECR;
    case STENCIL_INVERT:
        return GL_INVERT;
    case STENCIL_INCR:
        return GL_INCR_WRAP;
    case STENCIL_DECR:
        return GL_DECR_WRAP;
    default:
        return GL_KEEP;
    }
}

GLint addressMode(uint32_t mode) {
    switch (mode) {
    case ADDRESS_MIRROR:
        return GL_MIRRORED_REPEAT;
    case ADDRESS_CLAMP:
        return GL_CLAMP_TO_EDGE;
    default:
        return GL_REPEAT;
    }
}

} // namespace

uint32_t cGlRenderDevice::getRenderState(eRenderState state) const {
    return unsigned(state) < RENDER_STATE_LIMIT ? m_state.renderStates[state] : 0;
}

void cGlRenderDevice::setRenderState(eRenderState state, uint32_t value) {
    if (unsigned(state) >= RENDER_STATE_LIMIT || m_state.renderStates[state] == value)
        return;
    m_state.renderStates[state] = value;
    applyRenderState(state, value);
}

void cGlRenderDevice::applyRenderState(eRenderState state, uint32_t value) {
    const uint32_t* s = m_state.renderStates;
    switch (state) {
    case RS_Z_ENABLE:
        value ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
        break;
    case RS_FILL_MODE:
        glPolygonMode(GL_FRONT_AND_BACK, value == FILL_POINT ? GL_POINT : value == FILL_WIREFRAME ? GL_LINE : GL_FILL);
        break;
    case RS_Z_WRITE_ENABLE:
        glDepthMask(value ? GL_TRUE : GL_FALSE);
        break;
    case RS_SRC_BLEND:
    case RS_DEST_BLEND:
        glBlendFunc(blendFactor(s[RS_SRC_BLEND]), blendFactor(s[RS_DEST_BLEND]));
        break;
    case RS_CULL_MODE:
        if (value == CULL_NONE) {
            glDisable(GL_CULL_FACE);
        } else {
            // The picture is not mirrored, so clockwise on screen is clockwise for GL too.
            glEnable(GL_CULL_FACE);
            glCullFace(GL_BACK);
            glFrontFace(value == CULL_CCW ? GL_CW : GL_CCW);
        }
        break;
    case RS_Z_FUNC:
        glDepthFunc(compareFunction(value));
        break;
    case RS_DITHER_ENABLE:
        value ? glEnable(GL_DITHER) : glDisable(GL_DITHER);
        break;
    case RS_ALPHA_BLEND_ENABLE:
        value ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
        break;
    case RS_STENCIL_ENABLE:
        value ? glEnable(GL_STENCIL_TEST) : glDisable(GL_STENCIL_TEST);
        break;
    case RS_STENCIL_FAIL:
    case RS_STENCIL_Z_FAIL:
    case RS_STENCIL_PASS:
        glStencilOp(stencilOperation(s[RS_STENCIL_FAIL]), stencilOperation(s[RS_STENCIL_Z_FAIL]),
                    stencilOperation(s[RS_STENCIL_PASS]));
        break;
    case RS_STENCIL_FUNC:
    case RS_STENCIL_REF:
    case RS_STENCIL_MASK:
        glStencilFunc(compareFunction(s[RS_STENCIL_FUNC]), GLint(s[RS_STENCIL_REF]), s[RS_STENCIL_MASK]);
        break;
    case RS_STENCIL_WRITE_MASK:
        glStencilMask(value);
        break;
    case RS_BLEND_OP:
        glBlendEquation(blendEquation(value));
        break;
    default:
        m_uniformsDirty = true;
        break; // alpha test, lighting, ambient and blending are uniforms
    }
}

uint32_t cGlRenderDevice::getSamplerState(eSamplerState state) const {
    return unsigned(state) < SAMPLER_STATE_LIMIT ? m_state.samplerStates[state] : 0;
}

void cGlRenderDevice::setSamplerState(eSamplerState state, uint32_t value) {
    if (unsigned(state) >= SAMPLER_STATE_LIMIT || m_state.samplerStates[state] == value)
        return;
    m_state.samplerStates[state] = value;
    applySamplerState(state, value);
}

void cGlRenderDevice::applySamplerState(eSamplerState state, uint32_t) {
    const uint32_t* s = m_state.samplerStates;
    switch (state) {
    case SS_ADDRESS_U:
        glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_S, addressMode(s[SS_ADDRESS_U]));
        break;
    case SS_ADDRESS_V:
        glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_T, addressMode(s[SS_ADDRESS_V]));
        break;
    case SS_MAG_FILTER:
    case SS_MIN_FILTER:
    case SS_MAX_ANISOTROPY:
    case SS_MIP_FILTER: {
        // Textures have one level, so the mip filter does not matter; anisotropic filtering is
        // linear filtering with the anisotropy limit raised.
        bool anisotropic = s[SS_MAG_FILTER] == FILTER_ANISOTROPIC || s[SS_MIN_FILTER] == FILTER_ANISOTROPIC;
        glSamplerParameteri(m_sampler, GL_TEXTURE_MAG_FILTER,
                            s[SS_MAG_FILTER] >= FILTER_LINEAR ? GL_LINEAR : GL_NEAREST);
        glSamplerParameteri(m_sampler, GL_TEXTURE_MIN_FILTER,
                            s[SS_MIN_FILTER] >= FILTER_LINEAR ? GL_LINEAR : GL_NEAREST);
        if (m_maxAnisotropy > 0)
            glSamplerParameterf(m_sampler, MAX_ANISOTROPY,
                                anisotropic ? std::min(m_maxAnisotropy, std::max(1.0f, float(s[SS_MAX_ANISOTROPY])))
                                            : 1.0f);
        break;
    }
    default:
        break;
    }
}

void cGlRenderDevice::setTexture(tTextureHandle texture) {
    m_state.texture = texture;
}

void cGlRenderDevice::setTransform(int slot, const cDeviceMatrix& matrix) {
    if (slot == TRANSFORM_VIEW)
        m_state.view = matrix;
    else if (slot == TRANSFORM_PROJECTION)
        m_state.projection = matrix;
    else if (slot >= TRANSFORM_WORLD && slot < TRANSFORM_WORLD + MAX_WORLD_MATRICES)
        m_state.worlds[slot - TRANSFORM_WORLD] = matrix;
    else
        return;
    m_uniformsDirty = true;
}

void cGlRenderDevice::setMaterial(const cMaterial& material) {
    m_state.material = material;
    m_lightsDirty = true;
}

void cGlRenderDevice::setLight(int index, const cLight& light) {
    if (index < 0 || index >= MAX_LIGHTS)
        return;
    m_state.lights[index] = light;
    m_lightsDirty = true;
}

void cGlRenderDevice::enableLight(int index, bool enable) {
    if (index < 0 || index >= MAX_LIGHTS)
        return;
    m_state.lightEnabled[index] = enable;
    m_lightsDirty = true;
}

void cGlRenderDevice::setStreamSource(tBufferHandle buffer, uint32_t stride) {
    m_state.vertexBuffer = buffer;
    m_state.stride = stride;
}

void cGlRenderDevice::setIndices(tBufferHandle buffer) {
    m_state.indexBuffer = buffer;
}

void cGlRenderDevice::setVertexFormat(uint32_t vertexFormat) {
    m_state.vertexFormat = vertexFormat;
    m_state.shader = 0;
}

void cGlRenderDevice::setVertexShader(tShaderHandle shader) {
    m_state.shader = shader;
    m_uniformsDirty = true;
}

void cGlRenderDevice::setVertexShaderConstants(int firstRegister, const float* data, int registerCount) {
    if (!data || firstRegister < 0 || registerCount <= 0 || firstRegister + registerCount > CONSTANT_REGISTERS)
        return;
    std::memcpy(&m_constants[firstRegister * 4], data, size_t(registerCount) * 4 * sizeof(float));
    m_uniformsDirty = true;
}

} // namespace Platform
