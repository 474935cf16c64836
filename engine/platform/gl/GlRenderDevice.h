#pragma once

// The render device on OpenGL 3.3 core, over an SDL2 or EGL context. It draws into a
// framebuffer of its own (colour, depth and stencil) that present shows through the context,
// keeps a shadow of every state so that GL hears only changes, does the fixed-function work in
// a small shader (alpha test by discard, lighting, vertex blending) and simulates device loss.

#include "engine/platform/GlContext.h"
#include "engine/platform/RenderStateSet.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Platform {

class cGlRenderDevice : public IRenderDevice {
public:
    // Throws a narrow std::string when a shader or the framebuffer cannot be made.
    cGlRenderDevice(std::unique_ptr<IGlContext> context, const cPresentParameters& parameters);
    ~cGlRenderDevice() override;

    int getMaxTextureSize() const override { return m_maxTextureSize; }
    bool supportsNonPowerOfTwo() const override { return true; }
    bool supportsStencil() const override { return m_stencilBits > 0; }
    tResult createTexture(int width, int height, ePool pool, tTextureHandle& out) override;
    void updateTexture(tTextureHandle texture, int x, int y, int width, int height, const uint32_t* pixels,
                       int pitch) override;
    bool getTextureSize(tTextureHandle texture, int& width, int& height) const override;
    void destroyTexture(tTextureHandle texture) override;
    tResult createVertexBuffer(uint32_t bytes, uint32_t vertexFormat, bool dynamic, ePool pool,
                               tBufferHandle& out) override;
    tResult createIndexBuffer(uint32_t bytes, bool dynamic, ePool pool, tBufferHandle& out) override;
    void* lockBuffer(tBufferHandle buffer, bool discard) override;
    void unlockBuffer(tBufferHandle buffer) override;
    void unlockBuffer(tBufferHandle buffer, uint32_t writtenBytes) override;
    void destroyBuffer(tBufferHandle buffer) override;
    // The bytes are GLSL vertex source that writes v_color and v_texcoord and reads u_constants.
    tResult createVertexShader(const uint8_t* bytes, size_t count, tShaderHandle& out) override;
    void destroyVertexShader(tShaderHandle shader) override;

    uint32_t getRenderState(eRenderState state) const override;
    void setRenderState(eRenderState state, uint32_t value) override;
    uint32_t getSamplerState(eSamplerState state) const override;
    void setSamplerState(eSamplerState state, uint32_t value) override;
    void setTexture(tTextureHandle texture) override;
    void setTransform(int slot, const cDeviceMatrix& matrix) override;
    void setMaterial(const cMaterial& material) override;
    void setLight(int index, const cLight& light) override;
    void enableLight(int index, bool enable) override;
    void setStreamSource(tBufferHandle buffer, uint32_t stride) override;
    void setIndices(tBufferHandle buffer) override;
    void setVertexFormat(uint32_t vertexFormat) override;
    void setVertexShader(tShaderHandle shader) override;
    void setVertexShaderConstants(int firstRegister, const float* data, int registerCount) override;
    void beginScene() override {}
    void endScene() override {}
    void drawIndexedTriangles(uint32_t baseVertex, uint32_t minVertex, uint32_t vertexCount, uint32_t startIndex,
                              uint32_t triangleCount) override;
    void drawTriangles(uint32_t startVertex, uint32_t triangleCount) override;
    void clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    tResult present() override;
    tResult testCooperativeLevel() override;
    tResult reset(const cPresentParameters& parameters) override;
    void getBackBufferSize(int& width, int& height) const override;
    void simulateDeviceLoss(bool resettable, int failingResets = 0) override;
    void saveState() override;
    void restoreState() override;
    bool readBackBuffer(int x, int y, int width, int height, std::vector<uint32_t>& out) override;

    // Draw calls issued since creation, for statistics and benchmarks.
    uint64_t getDrawCallCount() const { return m_drawCalls; }
    std::string describe() const { return m_context->describe(); }

private:
    struct cTexture {
        GLuint id = 0;
        int width = 0, height = 0;
        // Made without storage: a picture that fills it whole comes with its storage (a software
        // renderer zeroes a storage made empty: megabytes for each atlas); before a first
        // partial update or draw it is stored as zeros.
        bool cleared = false;
    };
    void clearTexture(cTexture& texture);
    struct cBuffer {
        GLuint id = 0;
        bool index = false;
        bool dynamic = false;
        bool locked = false;
        std::vector<uint8_t> shadow;
    };
    // Uniform locations of one program.
    struct cProgram {
        GLuint id = 0;
        GLint world = -1, viewProj = -1, blendWeights = -1, indexedBlend = -1, lighting = -1, vertexColor = -1;
        GLint ambient = -1, matDiffuse = -1, matAmbient = -1, matEmissive = -1, lightCount = -1;
        GLint lightDiffuse = -1, lightAmbient = -1, lightPosition = -1, lightDirection = -1, lightFactors = -1;
        GLint lightCone = -1, pixelOffset = -1, texture = -1, textured = -1, alphaTest = -1, alphaFunc = -1;
        GLint alphaRef = -1, constants = -1;
    };

    static constexpr int CONSTANT_REGISTERS = 96;
    // Unpacked 0xAARRGGBB as r, g, b, a floats.
    static void unpackColor(uint32_t color, float out[4]);
    static GLuint compileShader(GLenum type, const char* source, std::string& error);

    void createFramebuffer(int width, int height);
    void releaseFramebuffer();
    // Binds where the next frame is drawn: the window's framebuffer when it has the back
    // buffer's size, depth and stencil; else the off-screen one, copied to the window on
    // present (full screen's fitted picture, headless contexts).
    void chooseTarget();
    cProgram linkProgram(const char* vertexSource, std::string& error);
    void applyRenderState(eRenderState state, uint32_t value);
    void applySamplerState(eSamplerState state, uint32_t value);
    // Brings GL to the target set: everything when force, else only what differs from m_state.
    void applyStateSet(const cRenderStateSet& target, bool force);
    // Uniforms, texture and vertex layout for the next draw.
    bool prepareDraw(uint32_t baseVertex);
    void setupVertexLayout(uint32_t baseVertex);

    std::unique_ptr<IGlContext> m_context;
    cPresentParameters m_parameters;
    GLuint m_framebuffer = 0, m_colorBuffer = 0, m_depthStencilBuffer = 0;
    // Without a window, the end of the frame presented before this one.
    GLsync m_lastFrame = nullptr;
    GLint m_stencilBits = 0;
    GLuint m_target = 0;               // the framebuffer frames are drawn into now
    bool m_windowTargetUsable = false; // the window's framebuffer has depth 24 and stencil 8
    GLuint m_vertexArray = 0, m_sampler = 0;
    cProgram m_fixed;
    GLuint m_fragmentShader = 0;
    int m_maxTextureSize = 4096;
    float m_maxAnisotropy = 0; // 0 without the extension

    uint32_t m_nextHandle = 1;
    std::unordered_map<uint32_t, cTexture> m_textures;
    std::unordered_map<uint32_t, cBuffer> m_buffers;
    std::unordered_map<uint32_t, cProgram> m_shaders;

    cRenderStateSet m_state;
    std::vector<cRenderStateSet> m_saved;
    float m_constants[CONSTANT_REGISTERS * 4] = {};
    bool m_uniformsDirty = true;
    bool m_lightsDirty = true;
    const cProgram* m_boundProgram = nullptr;
    GLuint m_boundTexture = 0;
    // Vertex layout last given to GL, so that a draw over the same stream skips it.
    GLuint m_layoutBuffer = 0;
    uint32_t m_layoutFormat = 0, m_layoutStride = 0, m_layoutBase = 0;
    bool m_layoutValid = false;

    bool m_lost = false;
    bool m_resettable = false;
    int m_failingResets = 0;
    uint64_t m_drawCalls = 0;
};

} // namespace Platform
