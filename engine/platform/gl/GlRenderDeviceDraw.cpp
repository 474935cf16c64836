// The OpenGL render device's draws: vertex layouts, the uniforms of the fixed and the
// programmable vertex stage, and the draw calls.

#include "engine/platform/gl/GlRenderDevice.h"

#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform {

namespace {

cDeviceMatrix multiply(const cDeviceMatrix& a, const cDeviceMatrix& b) {
    cDeviceMatrix r;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a.m[4 * row + k] * b.m[4 * k + column];
            r.m[4 * row + column] = sum;
        }
    return r;
}

} // namespace

void cGlRenderDevice::setupVertexLayout(uint32_t baseVertex) {
    auto it = m_buffers.find(m_state.vertexBuffer);
    GLuint id = it == m_buffers.end() ? 0 : it->second.id;
    // The fixed format of a vertex program's stream.
    uint32_t format = m_state.shader ? uint32_t(FVF_XYZ | FVF_DIFFUSE | FVF_TEX1) : m_state.vertexFormat;
    uint32_t stride = m_state.stride ? m_state.stride : getVertexSize(format);
    if (m_layoutValid && m_layoutBuffer == id && m_layoutFormat == format && m_layoutStride == stride &&
        m_layoutBase == baseVertex)
        return;
    m_layoutValid = true;
    m_layoutBuffer = id;
    m_layoutFormat = format;
    m_layoutStride = stride;
    m_layoutBase = baseVertex;
    glBindBuffer(GL_ARRAY_BUFFER, id);
    size_t offset = size_t(baseVertex) * stride;
    auto attribute = [&](GLuint location, GLint size, GLenum type, GLboolean normalized, size_t bytes) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, size, type, normalized, GLsizei(stride), reinterpret_cast<void*>(offset));
        offset += bytes;
    };
    auto absent = [](GLuint location, float x, float y, float z, float w) {
        glDisableVertexAttribArray(location);
        glVertexAttrib4f(location, x, y, z, w);
    };
    attribute(0, 3, GL_FLOAT, GL_FALSE, 12);
    int betas = 0;
    switch (format & FVF_POSITION_MASK) {
    case FVF_XYZB1:
        betas = 1;
        break;
    case FVF_XYZB2:
        betas = 2;
        break;
    case FVF_XYZB3:
        betas = 3;
        break;
    case FVF_XYZB4:
        betas = 4;
        break;
    case FVF_XYZB5:
        betas = 5;
        break;
    default:
        break;
    }
    bool indexed = betas > 0 && (format & FVF_LASTBETA_UBYTE4);
    int weights = indexed ? betas - 1 : betas;
    if (weights > 0) {
        size_t start = offset;
        attribute(1, std::min(weights, 4), GL_FLOAT, GL_FALSE, 0);
        offset = start + size_t(weights) * 4;
    } else {
        absent(1, 0, 0, 0, 0);
    }
    if (indexed)
        attribute(2, 4, GL_UNSIGNED_BYTE, GL_FALSE, 4);
    else
        absent(2, 0, 1, 2, 3);
    if (format & FVF_NORMAL)
        attribute(3, 3, GL_FLOAT, GL_FALSE, 12);
    else
        absent(3, 0, 0, 0, 0);
    if (format & FVF_DIFFUSE)
        attribute(4, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, 4);
    else
        absent(4, 1, 1, 1, 1);
    if (format & FVF_SPECULAR)
        offset += 4;
    if (format & FVF_TEX1)
        attribute(6, 2, GL_FLOAT, GL_FALSE, 8);
    else
        absent(6, 0, 0, 0, 0);
}

bool cGlRenderDevice::prepareDraw(uint32_t baseVertex) {
    if (m_lost)
        return false;
    const cProgram* program = &m_fixed;
    if (m_state.shader) {
        auto it = m_shaders.find(m_state.shader);
        if (it != m_shaders.end())
            program = &it->second;
    }
    if (program != m_boundProgram) {
        glUseProgram(program->id);
        m_boundProgram = program;
        m_uniformsDirty = true;
        m_lightsDirty = true;
    }
    const uint32_t* s = m_state.renderStates;
    if (m_uniformsDirty) {
        m_uniformsDirty = false;
        glUniformMatrix4fv(program->world, MAX_WORLD_MATRICES, GL_FALSE, m_state.worlds[0].m);
        cDeviceMatrix viewProj = multiply(m_state.view, m_state.projection);
        glUniformMatrix4fv(program->viewProj, 1, GL_FALSE, viewProj.m);
        bool blending = s[RS_VERTEX_BLEND] >= VERTEX_BLEND_1_WEIGHT && s[RS_VERTEX_BLEND] <= VERTEX_BLEND_3_WEIGHTS;
        glUniform1i(program->blendWeights, blending ? GLint(s[RS_VERTEX_BLEND]) : 0);
        glUniform1i(program->indexedBlend, s[RS_INDEXED_VERTEX_BLEND_ENABLE] ? 1 : 0);
        glUniform1i(program->lighting, s[RS_LIGHTING] ? 1 : 0);
        float ambient[4];
        unpackColor(s[RS_AMBIENT], ambient);
        glUniform4fv(program->ambient, 1, ambient);
        // Half a pixel onto GL's pixel centres, less 1/256 pixel: an edge lying on a pixel centre
        // then keeps the pixel on its top or left side only, as in the engine's convention
        // (GL's y-up rule alone would keep the bottom one).
        const float shift = 1.0f - 2.0f / 256.0f;
        glUniform2f(program->pixelOffset, shift / float(m_parameters.width), -shift / float(m_parameters.height));
        glUniform1i(program->alphaTest, s[RS_ALPHA_TEST_ENABLE] ? 1 : 0);
        glUniform1i(program->alphaFunc, GLint(s[RS_ALPHA_FUNC]));
        glUniform1f(program->alphaRef, float(s[RS_ALPHA_REF] & 0xFF));
        if (program->constants >= 0)
            glUniform4fv(program->constants, CONSTANT_REGISTERS, m_constants);
    }
    if (m_lightsDirty && s[RS_LIGHTING]) {
        m_lightsDirty = false;
        const cMaterial& material = m_state.material;
        glUniform4fv(program->matDiffuse, 1, &material.diffuse.r);
        glUniform4fv(program->matAmbient, 1, &material.ambient.r);
        glUniform4fv(program->matEmissive, 1, &material.emissive.r);
        float diffuse[MAX_LIGHTS * 4], lightAmbient[MAX_LIGHTS * 4], position[MAX_LIGHTS * 4],
            direction[MAX_LIGHTS * 4], factors[MAX_LIGHTS * 4], cone[MAX_LIGHTS * 2];
        int count = 0;
        for (int i = 0; i < MAX_LIGHTS; ++i) {
            if (!m_state.lightEnabled[i])
                continue;
            const cLight& light = m_state.lights[i];
            float* d = &diffuse[count * 4];
            d[0] = light.diffuse.r, d[1] = light.diffuse.g, d[2] = light.diffuse.b, d[3] = light.diffuse.a;
            float* a = &lightAmbient[count * 4];
            a[0] = light.ambient.r, a[1] = light.ambient.g, a[2] = light.ambient.b, a[3] = light.ambient.a;
            float* p = &position[count * 4];
            p[0] = light.position[0], p[1] = light.position[1], p[2] = light.position[2], p[3] = float(light.type);
            float* r = &direction[count * 4];
            r[0] = light.direction[0], r[1] = light.direction[1], r[2] = light.direction[2];
            r[3] = light.range > 0 ? light.range : 3.0e38f;
            float* f = &factors[count * 4];
            f[0] = light.attenuation0, f[1] = light.attenuation1, f[2] = light.attenuation2, f[3] = light.falloff;
            cone[count * 2] = std::cos(light.theta * 0.5f);
            cone[count * 2 + 1] = std::cos(light.phi * 0.5f);
            ++count;
        }
        glUniform1i(program->lightCount, count);
        if (count > 0) {
            glUniform4fv(program->lightDiffuse, count, diffuse);
            glUniform4fv(program->lightAmbient, count, lightAmbient);
            glUniform4fv(program->lightPosition, count, position);
            glUniform4fv(program->lightDirection, count, direction);
            glUniform4fv(program->lightFactors, count, factors);
            glUniform2fv(program->lightCone, count, cone);
        }
    }
    glUniform1i(program->vertexColor, (m_state.vertexFormat & FVF_DIFFUSE) ? 1 : 0);

    auto texture = m_textures.find(m_state.texture);
    GLuint textureId = texture == m_textures.end() ? 0 : texture->second.id;
    if (textureId && !texture->second.cleared)
        clearTexture(texture->second);
    if (textureId != m_boundTexture) {
        glBindTexture(GL_TEXTURE_2D, textureId);
        m_boundTexture = textureId;
    }
    glUniform1i(program->textured, textureId ? 1 : 0);
    setupVertexLayout(baseVertex);
    return true;
}

void cGlRenderDevice::drawIndexedTriangles(uint32_t baseVertex, uint32_t, uint32_t, uint32_t startIndex,
                                           uint32_t triangleCount) {
    auto indices = m_buffers.find(m_state.indexBuffer);
    if (triangleCount == 0 || indices == m_buffers.end() ||
        (size_t(startIndex) + size_t(triangleCount) * 3) * 2 > indices->second.shadow.size() || !prepareDraw(0))
        return;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices->second.id);
    glDrawElementsBaseVertex(GL_TRIANGLES, GLsizei(triangleCount * 3), GL_UNSIGNED_SHORT,
                             reinterpret_cast<void*>(size_t(startIndex) * 2), GLint(baseVertex));
    ++m_drawCalls;
}

void cGlRenderDevice::drawTriangles(uint32_t startVertex, uint32_t triangleCount) {
    if (triangleCount == 0 || !prepareDraw(0))
        return;
    glDrawArrays(GL_TRIANGLES, GLint(startVertex), GLsizei(triangleCount * 3));
    ++m_drawCalls;
}

} // namespace Platform
