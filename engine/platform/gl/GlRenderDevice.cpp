#include "engine/platform/gl/GlRenderDevice.h"

#include "engine/platform/gl/GlShaders.h"

#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform {

namespace {

constexpr int CONSTANT_REGISTERS = 96;
constexpr GLenum MAX_ANISOTROPY = 0x84FE;     // GL_TEXTURE_MAX_ANISOTROPY
constexpr GLenum MAX_ANISOTROPY_MAX = 0x84FF; // GL_MAX_TEXTURE_MAX_ANISOTROPY

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

// Unpacked 0xAARRGGBB as r, g, b, a floats.
void unpackColor(uint32_t color, float out[4]) {
    out[0] = float((color >> 16) & 0xFF) / 255.0f;
    out[1] = float((color >> 8) & 0xFF) / 255.0f;
    out[2] = float(color & 0xFF) / 255.0f;
    out[3] = float(color >> 24) / 255.0f;
}

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

GLuint compileShader(GLenum type, const char* source, std::string& error) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof(log) - 1, nullptr, log);
        error = log;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

bool hasGlExtension(const char* name) {
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const GLubyte* extension = glGetStringi(GL_EXTENSIONS, GLuint(i));
        if (extension && std::strcmp(reinterpret_cast<const char*>(extension), name) == 0)
            return true;
    }
    return false;
}

// The states a device applies, in the order GL hears them after a reset.
const eRenderState APPLIED_STATES[] = {
    RS_Z_ENABLE,       RS_FILL_MODE,    RS_Z_WRITE_ENABLE, RS_ALPHA_TEST_ENABLE,
    RS_SRC_BLEND,      RS_DEST_BLEND,   RS_CULL_MODE,      RS_Z_FUNC,
    RS_ALPHA_REF,      RS_ALPHA_FUNC,   RS_DITHER_ENABLE,  RS_ALPHA_BLEND_ENABLE,
    RS_STENCIL_ENABLE, RS_STENCIL_FAIL, RS_STENCIL_Z_FAIL, RS_STENCIL_PASS,
    RS_STENCIL_FUNC,   RS_STENCIL_REF,  RS_STENCIL_MASK,   RS_STENCIL_WRITE_MASK,
    RS_LIGHTING,       RS_AMBIENT,      RS_VERTEX_BLEND,   RS_INDEXED_VERTEX_BLEND_ENABLE,
    RS_BLEND_OP};
const eSamplerState APPLIED_SAMPLER_STATES[] = {SS_ADDRESS_U,  SS_ADDRESS_V,  SS_MAG_FILTER,
                                                SS_MIN_FILTER, SS_MIP_FILTER, SS_MAX_ANISOTROPY};

} // namespace

cGlRenderDevice::cGlRenderDevice(std::unique_ptr<IGlContext> context, const cPresentParameters& parameters)
    : m_context(std::move(context)), m_parameters(parameters) {
    m_context->makeCurrent();
    GLint major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    if (major * 10 + minor < 33)
        throw std::string("OpenGL 3.3 is needed; the context offers ") + std::to_string(major) + "." +
            std::to_string(minor);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &m_maxTextureSize);
    if (hasGlExtension("GL_EXT_texture_filter_anisotropic") || hasGlExtension("GL_ARB_texture_filter_anisotropic"))
        glGetFloatv(MAX_ANISOTROPY_MAX, &m_maxAnisotropy);

    std::string error;
    m_fragmentShader = compileShader(GL_FRAGMENT_SHADER, FRAGMENT_PROGRAM, error);
    if (!m_fragmentShader)
        throw std::string("OpenGL fragment shader: ") + error;
    m_fixed = linkProgram(FIXED_VERTEX_PROGRAM, error);
    if (!m_fixed.id) {
        glDeleteShader(m_fragmentShader);
        throw std::string("OpenGL vertex shader: ") + error;
    }
    glGenVertexArrays(1, &m_vertexArray);
    glBindVertexArray(m_vertexArray);
    glGenSamplers(1, &m_sampler);
    glBindSampler(0, m_sampler);
    glActiveTexture(GL_TEXTURE0);
    int drawableWidth = 0, drawableHeight = 0;
    m_context->getDrawableSize(drawableWidth, drawableHeight);
    if (drawableWidth > 0 && drawableHeight > 0) {
        GLint depth = 0, stencil = 0;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &depth);
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL, GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE,
                                              &stencil);
        m_windowTargetUsable = glGetError() == GL_NO_ERROR && depth >= 24 && stencil >= 8;
    }
    createFramebuffer(parameters.width, parameters.height);
    chooseTarget();
    m_context->setVsync(parameters.windowed);
    m_state.setDefaults();
    applyStateSet(m_state, true);
}

cGlRenderDevice::~cGlRenderDevice() {
    m_context->makeCurrent();
    for (auto& texture : m_textures)
        glDeleteTextures(1, &texture.second.id);
    for (auto& buffer : m_buffers)
        glDeleteBuffers(1, &buffer.second.id);
    for (auto& shader : m_shaders)
        glDeleteProgram(shader.second.id);
    glDeleteProgram(m_fixed.id);
    glDeleteShader(m_fragmentShader);
    glDeleteSamplers(1, &m_sampler);
    glDeleteVertexArrays(1, &m_vertexArray);
    releaseFramebuffer();
}

void cGlRenderDevice::createFramebuffer(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    glGenFramebuffers(1, &m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glGenRenderbuffers(1, &m_colorBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, m_colorBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colorBuffer);
    glGenRenderbuffers(1, &m_depthStencilBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, m_depthStencilBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, m_depthStencilBuffer);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        releaseFramebuffer();
        throw std::string("OpenGL: the back buffer of ") + std::to_string(width) + "x" + std::to_string(height) +
            " with depth and stencil cannot be made";
    }
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE,
                                          &m_stencilBits);
    glViewport(0, 0, width, height);
    m_parameters.width = width;
    m_parameters.height = height;
    m_uniformsDirty = true;
}

void cGlRenderDevice::chooseTarget() {
    int width = 0, height = 0;
    if (m_windowTargetUsable)
        m_context->getDrawableSize(width, height);
    const bool direct = width == m_parameters.width && height == m_parameters.height && width > 0;
    m_target = direct ? 0 : m_framebuffer;
    glBindFramebuffer(GL_FRAMEBUFFER, m_target);
}

void cGlRenderDevice::releaseFramebuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (m_framebuffer)
        glDeleteFramebuffers(1, &m_framebuffer);
    if (m_colorBuffer)
        glDeleteRenderbuffers(1, &m_colorBuffer);
    if (m_depthStencilBuffer)
        glDeleteRenderbuffers(1, &m_depthStencilBuffer);
    m_framebuffer = m_colorBuffer = m_depthStencilBuffer = 0;
}

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
    std::vector<uint32_t> zeros(size_t(width) * size_t(height), 0u);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, zeros.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, m_boundTexture);
    if (glGetError() == GL_OUT_OF_MEMORY) {
        glDeleteTextures(1, &texture.id);
        return RESULT_OUT_OF_VIDEO_MEMORY;
    }
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
    glBindTexture(GL_TEXTURE_2D, it->second.id);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch / 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glBindTexture(GL_TEXTURE_2D, m_boundTexture);
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

void cGlRenderDevice::clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    if (m_lost)
        return;
    GLbitfield mask = 0;
    if (flags & CLEAR_TARGET) {
        float c[4];
        unpackColor(color, c);
        glClearColor(c[0], c[1], c[2], c[3]);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & CLEAR_Z_BUFFER) {
        glClearDepth(z);
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & CLEAR_STENCIL) {
        glClearStencil(GLint(stencil));
        glStencilMask(0xFFFFFFFFu);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    // A clear ignores the write masks of the states, as the device's clear does.
    glDisable(GL_SCISSOR_TEST);
    glClear(mask);
    glDepthMask(m_state.renderStates[RS_Z_WRITE_ENABLE] ? GL_TRUE : GL_FALSE);
    glStencilMask(m_state.renderStates[RS_STENCIL_WRITE_MASK]);
}

tResult cGlRenderDevice::present() {
    if (m_lost)
        return RESULT_DEVICE_LOST;
    int width = 0, height = 0;
    m_context->getDrawableSize(width, height);
    if (width > 0 && height > 0) {
        if (m_target != 0) {
            glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
            bool same = width == m_parameters.width && height == m_parameters.height;
            glBlitFramebuffer(0, 0, m_parameters.width, m_parameters.height, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                              same ? GL_NEAREST : GL_LINEAR);
        }
        m_context->swapBuffers();
        // The window may have changed size: the next frame goes where it fits.
        chooseTarget();
    } else {
        glFlush();
    }
    return RESULT_OK;
}

tResult cGlRenderDevice::testCooperativeLevel() {
    if (!m_lost)
        return RESULT_OK;
    return m_resettable ? RESULT_DEVICE_NOT_RESET : RESULT_DEVICE_LOST;
}

tResult cGlRenderDevice::reset(const cPresentParameters& parameters) {
    if ((m_lost && !m_resettable) || m_failingResets > 0) {
        if (m_failingResets > 0)
            --m_failingResets;
        return RESULT_INVALID_CALL;
    }
    m_context->makeCurrent();
    releaseFramebuffer();
    try {
        createFramebuffer(parameters.width, parameters.height);
    } catch (const std::string&) {
        return RESULT_OUT_OF_VIDEO_MEMORY;
    }
    chooseTarget();
    m_parameters.windowed = parameters.windowed;
    m_context->setVsync(parameters.windowed);
    m_lost = false;
    m_saved.clear();
    m_state.setDefaults();
    applyStateSet(m_state, true);
    m_layoutValid = false;
    return RESULT_OK;
}

void cGlRenderDevice::getBackBufferSize(int& width, int& height) const {
    width = m_parameters.width;
    height = m_parameters.height;
}

void cGlRenderDevice::simulateDeviceLoss(bool resettable, int failingResets) {
    m_lost = true;
    m_resettable = resettable;
    m_failingResets = failingResets;
}

void cGlRenderDevice::applyStateSet(const cRenderStateSet& target, bool force) {
    cRenderStateSet previous = m_state;
    m_state = target;
    for (eRenderState state : APPLIED_STATES)
        if (force || previous.renderStates[state] != target.renderStates[state])
            applyRenderState(state, target.renderStates[state]);
    for (eSamplerState state : APPLIED_SAMPLER_STATES)
        if (force || previous.samplerStates[state] != target.samplerStates[state])
            applySamplerState(state, target.samplerStates[state]);
    m_uniformsDirty = true;
    m_lightsDirty = true;
}

void cGlRenderDevice::saveState() {
    m_saved.push_back(m_state);
}

void cGlRenderDevice::restoreState() {
    if (m_saved.empty())
        return;
    cRenderStateSet target = m_saved.back();
    m_saved.pop_back();
    applyStateSet(target, false);
}

bool cGlRenderDevice::readBackBuffer(int x, int y, int width, int height, std::vector<uint32_t>& out) {
    if (x < 0 || y < 0 || width < 0 || height < 0 || x + width > m_parameters.width || y + height > m_parameters.height)
        return false;
    out.assign(size_t(width) * size_t(height), 0u);
    if (width == 0 || height == 0)
        return true;
    std::vector<uint32_t> rows(out.size());
    // The frame being drawn: in the window's back buffer when drawn straight into it.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_target);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(x, m_parameters.height - y - height, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, rows.data());
    // GL's rows run bottom first.
    for (int row = 0; row < height; ++row)
        std::memcpy(&out[size_t(row) * size_t(width)], &rows[size_t(height - 1 - row) * size_t(width)],
                    size_t(width) * 4);
    return true;
}

std::unique_ptr<IRenderDevice> createGlRenderDevice(std::unique_ptr<IGlContext> context,
                                                    const cPresentParameters& parameters) {
    return std::make_unique<cGlRenderDevice>(std::move(context), parameters);
}

} // namespace Platform
