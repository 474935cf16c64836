#pragma once

// The drawing operations the graphics device needs from the platform: device objects (textures
// of 32-bit A8R8G8B8 texels, vertex and index buffers, vertex programs), render states,
// samplers, transforms, lights and material, draws, clear, present with device loss and reset,
// state save/restore and read-back. Values follow Direct3D 8 so that the engine's constants
// keep their meaning; the screen has y downwards and pixel centres on integer coordinates.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Platform {

// Results carry the values of the Direct3D results they stand for, so the engine's error
// names apply to them.
using tResult = int32_t;
constexpr tResult RESULT_OK = 0;
constexpr tResult RESULT_OUT_OF_VIDEO_MEMORY = int32_t(0x8876017C); // D3DERR_OUTOFVIDEOMEMORY
constexpr tResult RESULT_INVALID_CALL = int32_t(0x8876086C);        // D3DERR_INVALIDCALL
constexpr tResult RESULT_OUT_OF_MEMORY = int32_t(0x8007000E);       // E_OUTOFMEMORY
constexpr tResult RESULT_DEVICE_LOST = int32_t(0x88760868);         // D3DERR_DEVICELOST
constexpr tResult RESULT_DEVICE_NOT_RESET = int32_t(0x88760869);    // D3DERR_DEVICENOTRESET

// Where an object lives, with the Direct3D pool numbers. Default-pool objects may fail for
// lack of video memory; managed ones are kept by the device.
enum ePool { POOL_DEFAULT = 0, POOL_MANAGED = 1, POOL_SYSTEM_MEMORY = 2 };

// Render states by their Direct3D 8 numbers.
enum eRenderState {
    RS_Z_ENABLE = 7,
    RS_FILL_MODE = 8,
    RS_Z_WRITE_ENABLE = 14,
    RS_ALPHA_TEST_ENABLE = 15,
    RS_SRC_BLEND = 19,
    RS_DEST_BLEND = 20,
    RS_CULL_MODE = 22,
    RS_Z_FUNC = 23,
    RS_ALPHA_REF = 24,
    RS_ALPHA_FUNC = 25,
    RS_DITHER_ENABLE = 26,
    RS_ALPHA_BLEND_ENABLE = 27,
    RS_STENCIL_ENABLE = 52,
    RS_STENCIL_FAIL = 53,
    RS_STENCIL_Z_FAIL = 54,
    RS_STENCIL_PASS = 55,
    RS_STENCIL_FUNC = 56,
    RS_STENCIL_REF = 57,
    RS_STENCIL_MASK = 58,
    RS_STENCIL_WRITE_MASK = 59,
    RS_LIGHTING = 137,
    RS_AMBIENT = 139, // packed 0xAARRGGBB
    RS_VERTEX_BLEND = 151,
    RS_INDEXED_VERTEX_BLEND_ENABLE = 167,
    RS_BLEND_OP = 171,
    RENDER_STATE_LIMIT = 256
};

enum eBlend {
    BLEND_ZERO = 1,
    BLEND_ONE = 2,
    BLEND_SRC_COLOR = 3,
    BLEND_INV_SRC_COLOR = 4,
    BLEND_SRC_ALPHA = 5,
    BLEND_INV_SRC_ALPHA = 6,
    BLEND_DEST_ALPHA = 7,
    BLEND_INV_DEST_ALPHA = 8,
    BLEND_DEST_COLOR = 9,
    BLEND_INV_DEST_COLOR = 10,
    BLEND_SRC_ALPHA_SAT = 11
};
enum eBlendOp {
    BLEND_OP_ADD = 1,
    BLEND_OP_SUBTRACT = 2,
    BLEND_OP_REV_SUBTRACT = 3,
    BLEND_OP_MIN = 4,
    BLEND_OP_MAX = 5
};
enum eCompare {
    CMP_NEVER = 1,
    CMP_LESS = 2,
    CMP_EQUAL = 3,
    CMP_LESS_EQUAL = 4,
    CMP_GREATER = 5,
    CMP_NOT_EQUAL = 6,
    CMP_GREATER_EQUAL = 7,
    CMP_ALWAYS = 8
};
enum eStencilOp {
    STENCIL_KEEP = 1,
    STENCIL_ZERO = 2,
    STENCIL_REPLACE = 3,
    STENCIL_INCR_SAT = 4,
    STENCIL_DECR_SAT = 5,
    STENCIL_INVERT = 6,
    STENCIL_INCR = 7,
    STENCIL_DECR = 8
};
enum eCull { CULL_NONE = 1, CULL_CW = 2, CULL_CCW = 3 };
enum eFill { FILL_POINT = 1, FILL_WIREFRAME = 2, FILL_SOLID = 3 };
// Vertex blending: the number of weights per vertex (the last matrix takes the rest).
enum eVertexBlend {
    VERTEX_BLEND_DISABLE = 0,
    VERTEX_BLEND_1_WEIGHT = 1,
    VERTEX_BLEND_2_WEIGHTS = 2,
    VERTEX_BLEND_3_WEIGHTS = 3
};

// Sampler states of texture stage 0, by their Direct3D 8 texture-stage numbers.
enum eSamplerState {
    SS_ADDRESS_U = 13,
    SS_ADDRESS_V = 14,
    SS_MAG_FILTER = 16,
    SS_MIN_FILTER = 17,
    SS_MIP_FILTER = 18,
    SS_MAX_ANISOTROPY = 21,
    SAMPLER_STATE_LIMIT = 32
};
enum eTextureFilter { FILTER_NONE = 0, FILTER_POINT = 1, FILTER_LINEAR = 2, FILTER_ANISOTROPIC = 3 };
enum eTextureAddress { ADDRESS_WRAP = 1, ADDRESS_MIRROR = 2, ADDRESS_CLAMP = 3 };

// Transform slots: world matrix i of indexed vertex blending is TRANSFORM_WORLD + i.
enum eTransform { TRANSFORM_VIEW = 2, TRANSFORM_PROJECTION = 3, TRANSFORM_WORLD = 256 };
// World matrices the devices keep for vertex blending.
constexpr int MAX_WORLD_MATRICES = 48;

// Vertex format bits (Direct3D FVF codes) the devices understand.
enum eVertexFormat : uint32_t {
    FVF_XYZ = 0x002,
    FVF_XYZB1 = 0x006,
    FVF_XYZB2 = 0x008,
    FVF_XYZB3 = 0x00A,
    FVF_XYZB4 = 0x00C,
    FVF_XYZB5 = 0x00E,
    FVF_POSITION_MASK = 0x00E,
    FVF_NORMAL = 0x010,
    FVF_DIFFUSE = 0x040,
    FVF_SPECULAR = 0x080,
    FVF_TEX1 = 0x100,
    FVF_LASTBETA_UBYTE4 = 0x1000
};
// Bytes of one vertex of the format (position, weights, normal, colours, one pair of
// texture coordinates).
uint32_t getVertexSize(uint32_t vertexFormat);

enum eClearFlags { CLEAR_TARGET = 1, CLEAR_Z_BUFFER = 2, CLEAR_STENCIL = 4 };

// A 4 x 4 matrix, row by row, row-vector convention (the translation is row 3).
struct cDeviceMatrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

struct cColorValue {
    float r = 0, g = 0, b = 0, a = 0;
};

enum eLightType { LIGHT_POINT = 1, LIGHT_SPOT = 2, LIGHT_DIRECTIONAL = 3 };

// A light with the fields of a Direct3D 8 light; positions and directions in world space.
struct cLight {
    uint32_t type = LIGHT_POINT;
    cColorValue diffuse, specular, ambient;
    float position[3] = {0, 0, 0};
    float direction[3] = {0, 0, 0};
    float range = 0, falloff = 0, attenuation0 = 0, attenuation1 = 0, attenuation2 = 0, theta = 0, phi = 0;
};
constexpr int MAX_LIGHTS = 8;

struct cMaterial {
    cColorValue diffuse, ambient, specular, emissive;
    float power = 0;
};

// What the back buffer is: its size in pixels and whether it shows in a window.
struct cPresentParameters {
    int width = 0;
    int height = 0;
    bool windowed = true;
};

// Handles of device objects; 0 is none.
using tTextureHandle = uint32_t;
using tBufferHandle = uint32_t;
using tShaderHandle = uint32_t;

class IRenderDevice {
public:
    virtual ~IRenderDevice() = default;

    // Largest texture side in texels, and whether sides that are not powers of two are taken.
    virtual int getMaxTextureSize() const = 0;
    virtual bool supportsNonPowerOfTwo() const = 0;
    // Whether the back buffer has a stencil buffer beside its depth buffer.
    virtual bool supportsStencil() const = 0;

    // A texture of exactly width x height texels, all 0 (transparent black). A size the device
    // does not take gives RESULT_INVALID_CALL and no texture.
    virtual tResult createTexture(int width, int height, ePool pool, tTextureHandle& out) = 0;
    // Writes a rectangle of texels from 0xAARRGGBB words; pitch is the byte distance of the
    // source rows. The rectangle must lie inside the texture.
    virtual void updateTexture(tTextureHandle texture, int x, int y, int width, int height, const uint32_t* pixels,
                               int pitch) = 0;
    // False for an unknown handle.
    virtual bool getTextureSize(tTextureHandle texture, int& width, int& height) const = 0;
    virtual void destroyTexture(tTextureHandle texture) = 0;

    // A write-only buffer of the given size. The vertex format is the Direct3D FVF code that
    // tells the draws how a vertex is laid out; index buffers hold 16-bit indices.
    virtual tResult createVertexBuffer(uint32_t bytes, uint32_t vertexFormat, bool dynamic, ePool pool,
                                       tBufferHandle& out) = 0;
    virtual tResult createIndexBuffer(uint32_t bytes, bool dynamic, ePool pool, tBufferHandle& out) = 0;
    // Memory of the whole buffer to write into until unlock; with discard the old content need
    // not be kept. Null for an unknown or already locked buffer.
    virtual void* lockBuffer(tBufferHandle buffer, bool discard) = 0;
    virtual void unlockBuffer(tBufferHandle buffer) = 0;
    // After a discarding lock in which only the first bytes were written: the rest of the buffer
    // need not reach the device (its content is undefined until written again).
    virtual void unlockBuffer(tBufferHandle buffer, uint32_t writtenBytes) {
        (void)writtenBytes;
        unlockBuffer(buffer);
    }
    virtual void destroyBuffer(tBufferHandle buffer) = 0;

    // A vertex program from the bytes of a shader file, fed by one stream of a position (three
    // floats), a packed diffuse colour and one pair of texture coordinates.
    virtual tResult createVertexShader(const uint8_t* bytes, size_t count, tShaderHandle& out) = 0;
    virtual void destroyVertexShader(tShaderHandle shader) = 0;

    // States. Every set goes to the device; the getters answer from the device's own record.
    virtual uint32_t getRenderState(eRenderState state) const = 0;
    virtual void setRenderState(eRenderState state, uint32_t value) = 0;
    virtual uint32_t getSamplerState(eSamplerState state) const = 0;
    virtual void setSamplerState(eSamplerState state, uint32_t value) = 0;
    // Texture stage 0: colour and alpha are texture x diffuse; no texture counts as white.
    virtual void setTexture(tTextureHandle texture) = 0;
    virtual void setTransform(int slot, const cDeviceMatrix& matrix) = 0;
    virtual void setMaterial(const cMaterial& material) = 0;
    // Index below MAX_LIGHTS; others are ignored.
    virtual void setLight(int index, const cLight& light) = 0;
    virtual void enableLight(int index, bool enable) = 0;

    // What the next draws read: a vertex buffer with its stride, 16-bit indices, and either a
    // fixed vertex format or a vertex program with its four-float constant registers.
    virtual void setStreamSource(tBufferHandle buffer, uint32_t stride) = 0;
    virtual void setIndices(tBufferHandle buffer) = 0;
    virtual void setVertexFormat(uint32_t vertexFormat) = 0;
    virtual void setVertexShader(tShaderHandle shader) = 0;
    virtual void setVertexShaderConstants(int firstRegister, const float* data, int registerCount) = 0;

    virtual void beginScene() = 0;
    virtual void endScene() = 0;
    // Indices count from baseVertex; the vertices used lie in [minVertex, minVertex + vertexCount).
    virtual void drawIndexedTriangles(uint32_t baseVertex, uint32_t minVertex, uint32_t vertexCount,
                                      uint32_t startIndex, uint32_t triangleCount) = 0;
    virtual void drawTriangles(uint32_t startVertex, uint32_t triangleCount) = 0;
    virtual void clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) = 0;

    // Shows the back buffer. While the device is lost it answers RESULT_DEVICE_LOST; then
    // testCooperativeLevel says RESULT_DEVICE_NOT_RESET once reset can bring it back.
    virtual tResult present() = 0;
    virtual tResult testCooperativeLevel() = 0;
    // A new back buffer; render states, transforms and lights go back to their defaults.
    virtual tResult reset(const cPresentParameters& parameters) = 0;
    virtual void getBackBufferSize(int& width, int& height) const = 0;
    // Device loss as a display-mode change by another program causes it: resettable says
    // whether a reset may bring the device back yet. failingResets makes that many resets fail.
    virtual void simulateDeviceLoss(bool resettable, int failingResets = 0) = 0;

    // Saves every state (render, sampler, texture, transforms, lights, material, streams,
    // vertex program) and puts the last saved set back.
    virtual void saveState() = 0;
    virtual void restoreState() = 0;

    // Pixels of the back buffer as 0xAARRGGBB, rows top first; false when the rectangle is not
    // inside it.
    virtual bool readBackBuffer(int x, int y, int width, int height, std::vector<uint32_t>& out) = 0;
};

// Set a state only when it differs from the device's, so that a redundant change costs no call.
inline void setRenderStateIfChanged(IRenderDevice& device, eRenderState state, uint32_t value) {
    if (device.getRenderState(state) != value)
        device.setRenderState(state, value);
}
inline void setSamplerStateIfChanged(IRenderDevice& device, eSamplerState state, uint32_t value) {
    if (device.getSamplerState(state) != value)
        device.setSamplerState(state, value);
}

// Every state at its Direct3D default: what a device has after creation and after reset.
void getDefaultRenderStates(uint32_t (&states)[RENDER_STATE_LIMIT]);
void getDefaultSamplerStates(uint32_t (&states)[SAMPLER_STATE_LIMIT]);

} // namespace Platform
