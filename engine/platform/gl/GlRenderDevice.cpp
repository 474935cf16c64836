// The OpenGL render device: context, back buffer and presentation, device loss, state sets
// and read-back. Resources, states and draws live in the GlRenderDevice*.cpp beside it.

#include "engine/platform/gl/GlRenderDevice.h"

#include "engine/platform/gl/GlShaders.h"

#include <GL/glext.h>

#include <algorithm>
#include <cstring>

namespace Platform {

namespace {

constexpr GLenum MAX_ANISOTROPY_MAX = 0x84FF; // GL_MAX_TEXTURE_MAX_ANISOTROPY

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

void cGlRenderDevice::unpackColor(uint32_t color, float out[4]) {
    out[0] = float((color >> 16) & 0xFF) / 255.0f;
    out[1] = float((color >> 8) & 0xFF) / 255.0f;
    out[2] = float(color & 0xFF) / 255.0f;
    out[3] = float(color >> 24) / 255.0f;
}

GLuint cGlRenderDevice::compileShader(GLenum type, const char* source, std::string& error) {
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
    if (m_lastFrame)
        glDeleteSync(m_lastFrame);
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
        // No swap paces the frames: the renderer may take one frame while the next is made, never
        // more, or the frames queued behind it hold their drawing memory (a software renderer's
        // bins of a busy frame take megabytes).
        glFlush();
        if (m_lastFrame) {
            glClientWaitSync(m_lastFrame, 0, GL_TIMEOUT_IGNORED);
            glDeleteSync(m_lastFrame);
        }
        m_lastFrame = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
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
