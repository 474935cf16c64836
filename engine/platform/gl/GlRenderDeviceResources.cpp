// The OpenGL render device's resources: programs, textures, vertex and index buffers, vertex
// shaders.

#include "engine/platform/gl/GlRenderDevice.h"

#include "engine/platform/gl/GlShaders.h"

#include <GL/glext.h>

#include <algorithm>
#include <cstring>

namespace Platform {

cGlRenderDevice::cProgram cGlRenderDevice::linkProgram(const char* vertexSource, std::string& error) {
    cProgram program;
    GLuint vertex = compileShader(GL_VERTEX_SHADER, vertexSource, error);
    if (!vertex)
        return program;
    GLuint id = glCreateProgram();
    glAttachShader(id, vertex);
    glAttachShader(id, m_fragmentShader);
    glBindAttribLocation(id, 0, "a_position");
    glBindAttribLocation(id, 1, "a_weights");
    glBindAttribLocation(id, 2, "a_indices");
    glBindAttribLocation(id, 3, "a_normal");
    glBindAttribLocation(id, 4, "a_color");
    glBindAttribLocation(id, 6, "a_texcoord");
    glLinkProgram(id);
    glDetachShader(id, vertex);
    glDetachShader(id, m_fragmentShader);
    glDeleteShader(vertex);
    GLint ok = 0;
    glGetProgramiv(id, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetProgramInfoLog(id, sizeof(log) - 1, nullptr, log);
        error = log;
        glDeleteProgram(id);
        return program;
    }
    program.id = id;
    auto at = [id](const char* name) { return glGetUniformLocation(id, name); };
    program.world = at("u_world");
    program.viewProj = at("u_viewProj");
    program.blendWeights = at("u_blendWeights");
    program.indexedBlend = at("u_indexedBlend");
    program.lighting = at("u_lighting");
    program.vertexColor = at("u_vertexColor");
    program.ambient = at("u_ambient");
    program.matDiffuse = at("u_matDiffuse");
    program.matAmbient = at("u_matAmbient");
    program.matEmissive = at("u_matEmissive");
    program.lightCount = at("u_lightCount");
    program.lightDiffuse = at("u_lightDiffuse");
    program.lightAmbient = at("u_lightAmbient");
    program.lightPosition = at("u_lightPosition");
    program.lightDirection = at("u_lightDirection");
    program.lightFactors = at("u_lightFactors");
    program.lightCone = at("u_lightCone");
    program.pixelOffset = at("u_pixelOffset");
    program.texture = at("u_texture");
    program.textured = at("u_textured");
    program.alphaTest = at("u_alphaTest");
    program.alphaFunc = at("u_alphaFunc");
    program.alphaRef = at("u_alphaRef");
    program.constants = at("u_constants");
    glUseProgram(id);
    glUniform1i(program.texture, 0);
    m_boundProgram = nullptr;
    return program;
}

tResult cGlRenderDevice::createTexture(int width, int height, ePool, tTextureHandle& out) {
    out = 0;
    if (width <= 0 || height <= 0 || width > m_maxTextureSize || height > m_maxTextureSize)
        return RESULT_INVALID_CALL;
    cTexture texture;
    texture.width = width;
    texture.height = height;
    glGenTextures(1, &texture.id);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, m_boundTexture);
    out = m_nextHandle++;
    m_textures[out] = texture;
    return RESULT_OK;
}

void cGlRenderDevice::updateTexture(tTextureHandle handle, int x, int y, int width, int height, const uint32_t* pixels,
                                    int pitch) {
    auto it = m_textures.find(handle);
    if (it == m_textures.end() || x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > it->second.width ||
        y + height > it->second.height || pitch % 4 != 0)
        return;
    const bool whole = x == 0 && y == 0 && width == it->second.width && height == it->second.height;
    if (!it->second.cleared && !whole)
        clearTexture(it->second);
    glBindTexture(GL_TEXTURE_2D, it->second.id);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch / 4);
    if (!it->second.cleared)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    else
        glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    it->second.cleared = true;
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glBindTexture(GL_TEXTURE_2D, m_boundTexture);
}

void cGlRenderDevice::clearTexture(cTexture& texture) {
    const std::vector<uint32_t> zeros(size_t(texture.width) * size_t(texture.height), 0u);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texture.width, texture.height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 zeros.data());
    glBindTexture(GL_TEXTURE_2D, m_boundTexture);
    texture.cleared = true;
}

bool cGlRenderDevice::getTextureSize(tTextureHandle texture, int& width, int& height) const {
    auto it = m_textures.find(texture);
    if (it == m_textures.end())
        return false;
    width = it->second.width;
    height = it->second.height;
    return true;
}

void cGlRenderDevice::destroyTexture(tTextureHandle handle) {
    auto it = m_textures.find(handle);
    if (it == m_textures.end())
        return;
    if (m_boundTexture == it->second.id) {
        glBindTexture(GL_TEXTURE_2D, 0);
        m_boundTexture = 0;
    }
    glDeleteTextures(1, &it->second.id);
    m_textures.erase(it);
    if (m_state.texture == handle)
        m_state.texture = 0;
}

tResult cGlRenderDevice::createVertexBuffer(uint32_t bytes, uint32_t, bool dynamic, ePool, tBufferHandle& out) {
    out = 0;
    if (bytes == 0)
        return RESULT_INVALID_CALL;
    cBuffer buffer;
    buffer.dynamic = dynamic;
    buffer.shadow.assign(bytes, 0);
    glGenBuffers(1, &buffer.id);
    glBindBuffer(GL_ARRAY_BUFFER, buffer.id);
    glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, dynamic ? GL_STREAM_DRAW : GL_STATIC_DRAW);
    m_layoutValid = false;
    out = m_nextHandle++;
    m_buffers[out] = std::move(buffer);
    return RESULT_OK;
}

tResult cGlRenderDevice::createIndexBuffer(uint32_t bytes, bool dynamic, ePool, tBufferHandle& out) {
    out = 0;
    if (bytes == 0)
        return RESULT_INVALID_CALL;
    cBuffer buffer;
    buffer.index = true;
    buffer.dynamic = dynamic;
    buffer.shadow.assign(bytes, 0);
    glGenBuffers(1, &buffer.id);
    // Index buffers are bound to the vertex array at draw time; filling goes through the copy
    // target so that the array's binding stays as it is.
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffer.id);
    glBufferData(GL_COPY_WRITE_BUFFER, bytes, nullptr, dynamic ? GL_STREAM_DRAW : GL_STATIC_DRAW);
    out = m_nextHandle++;
    m_buffers[out] = std::move(buffer);
    return RESULT_OK;
}

void* cGlRenderDevice::lockBuffer(tBufferHandle handle, bool) {
    auto it = m_buffers.find(handle);
    if (it == m_buffers.end() || it->second.locked)
        return nullptr;
    it->second.locked = true;
    return it->second.shadow.data();
}

void cGlRenderDevice::unlockBuffer(tBufferHandle handle) {
    auto it = m_buffers.find(handle);
    if (it == m_buffers.end() || !it->second.locked)
        return;
    cBuffer& buffer = it->second;
    buffer.locked = false;
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffer.id);
    // A fresh store each time: the GPU may still read the previous frame's.
    glBufferData(GL_COPY_WRITE_BUFFER, GLsizeiptr(buffer.shadow.size()), buffer.shadow.data(),
                 buffer.dynamic ? GL_STREAM_DRAW : GL_STATIC_DRAW);
}

void cGlRenderDevice::unlockBuffer(tBufferHandle handle, uint32_t writtenBytes) {
    auto it = m_buffers.find(handle);
    if (it == m_buffers.end() || !it->second.locked)
        return;
    cBuffer& buffer = it->second;
    buffer.locked = false;
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffer.id);
    // A fresh store of what was written: a frame's sprites fill a fraction of the batch's buffers.
    glBufferData(GL_COPY_WRITE_BUFFER, GLsizeiptr(std::min<size_t>(writtenBytes, buffer.shadow.size())),
                 buffer.shadow.data(), buffer.dynamic ? GL_STREAM_DRAW : GL_STATIC_DRAW);
}

void cGlRenderDevice::destroyBuffer(tBufferHandle handle) {
    auto it = m_buffers.find(handle);
    if (it == m_buffers.end())
        return;
    if (m_layoutBuffer == it->second.id)
        m_layoutValid = false;
    glDeleteBuffers(1, &it->second.id);
    m_buffers.erase(it);
    if (m_state.vertexBuffer == handle)
        m_state.vertexBuffer = 0;
    if (m_state.indexBuffer == handle)
        m_state.indexBuffer = 0;
}

tResult cGlRenderDevice::createVertexShader(const uint8_t* bytes, size_t count, tShaderHandle& out) {
    out = 0;
    if (!bytes || count == 0)
        return RESULT_INVALID_CALL;
    std::string source(reinterpret_cast<const char*>(bytes), count);
    std::string error;
    cProgram program = linkProgram(source.c_str(), error);
    if (!program.id)
        return RESULT_INVALID_CALL;
    out = m_nextHandle++;
    m_shaders[out] = program;
    return RESULT_OK;
}

void cGlRenderDevice::destroyVertexShader(tShaderHandle shader) {
    auto it = m_shaders.find(shader);
    if (it == m_shaders.end())
        return;
    if (m_boundProgram == &it->second)
        m_boundProgram = nullptr;
    glDeleteProgram(it->second.id);
    m_shaders.erase(it);
    if (m_state.shader == shader)
        m_state.shader = 0;
}

} // namespace Platform
