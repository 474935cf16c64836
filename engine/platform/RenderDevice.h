#pragma once

// The drawing operations the graphics device needs from the platform. This half creates and
// fills the device objects: textures of 32-bit A8R8G8B8 texels, vertex and index buffers and
// vertex programs. Render states, samplers, transforms and draws complete it.

#include <cstddef>
#include <cstdint>

namespace Platform {

// Results carry the values of the Direct3D results they stand for, so the engine's error
// names apply to them.
using tResult = int32_t;
constexpr tResult RESULT_OK = 0;
constexpr tResult RESULT_OUT_OF_VIDEO_MEMORY = int32_t(0x8876017C); // D3DERR_OUTOFVIDEOMEMORY
constexpr tResult RESULT_INVALID_CALL = int32_t(0x8876086C);        // D3DERR_INVALIDCALL
constexpr tResult RESULT_OUT_OF_MEMORY = int32_t(0x8007000E);       // E_OUTOFMEMORY

// Where an object lives, with the Direct3D pool numbers. Default-pool objects may fail for
// lack of video memory; managed ones are kept by the device.
enum ePool { POOL_DEFAULT = 0, POOL_MANAGED = 1, POOL_SYSTEM_MEMORY = 2 };

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
    virtual void destroyBuffer(tBufferHandle buffer) = 0;

    // A vertex program from the bytes of a shader file, fed by one stream of a position (three
    // floats), a packed diffuse colour and one pair of texture coordinates.
    virtual tResult createVertexShader(const uint8_t* bytes, size_t count, tShaderHandle& out) = 0;
    virtual void destroyVertexShader(tShaderHandle shader) = 0;
};

} // namespace Platform
