#pragma once

// The graphics device the particle library draws through: blend states, vertex and index
// buffers, textures and quad draws over the engine's render device. The interfaces below are
// the particle library's; cPyroGraphicsDevice and its buffers are the engine's implementation.
// Every call returns a 32-bit result: 0 or positive for success, a negative device error.

#include "engine/platform/RenderDevice.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace Engine {

// Vertex flags of the library.
enum ePyroVertexFlags : uint32_t {
    PYRO_VERTEX_XYZ = 0x1,
    PYRO_VERTEX_XYZRHW = 0x4,
    PYRO_VERTEX_DIFFUSE = 0x8,
    PYRO_VERTEX_TEX1 = 0x10000,
    PYRO_VERTEX_TEX2 = 0x20000,
    PYRO_VERTEX_TEX3 = 0x40000,
    PYRO_VERTEX_TEX4 = 0x80000
};
// The render-state number of alpha blending.
constexpr uint32_t PYRO_STATE_ALPHA_BLEND = 0;
// The render-state number of the alpha test.
constexpr uint32_t PYRO_STATE_ALPHA_TEST = 1;
// Pre-transformed positions in the Direct3D vertex format.
constexpr uint32_t PYRO_FVF_XYZRHW = 0x4;

// The Direct3D vertex format of the library's vertex flags (a transformed position wins).
uint32_t pyroVertexFormat(uint32_t flags);

// The library's exception, with the device's error code beside its text.
class CPyroException : public std::runtime_error {
public:
    explicit CPyroException(const std::string& text, int32_t code = 0) : std::runtime_error(text), m_code(code) {}
    int32_t getCode() const { return m_code; }

private:
    int32_t m_code;
};

class CPyroGraphicsException : public CPyroException {
public:
    using CPyroException::CPyroException;
};

class IPyroObject {
public:
    virtual ~IPyroObject() = default;
    virtual int32_t getReserved0() { return 0; }
    virtual int32_t getReserved1() { return 0; }
};

class IPyroLockableBuffer : public IPyroObject {
public:
    virtual int32_t lock() = 0;
    virtual int32_t unlock() = 0;
    virtual void* getData() = 0;
};

class IPyroVertexBuffer : public IPyroObject {
public:
    virtual int32_t update(const void* data, uint32_t offset, uint32_t size) = 0;
};

class IPyroTexture : public IPyroObject {};

// An image the library hands over: bytes red, green, blue, alpha per pixel, rows in order.
struct cPyroImage {
    const uint8_t* pixels = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
};

// The interface's own vertex buffer over a lockable buffer.
class cPyroBufferOverLockable : public IPyroVertexBuffer {
public:
    explicit cPyroBufferOverLockable(std::unique_ptr<IPyroLockableBuffer> buffer) : m_buffer(std::move(buffer)) {}
    int32_t update(const void* data, uint32_t offset, uint32_t size) override;

private:
    std::unique_ptr<IPyroLockableBuffer> m_buffer;
};

class IPyroGraphicsDevice {
public:
    virtual ~IPyroGraphicsDevice() = default;
    virtual int32_t setRenderState(uint32_t state, uint32_t value) = 0;
    virtual int32_t setBlendFunc(uint32_t source, uint32_t destination) = 0;
    // Not supported by default (1).
    virtual int32_t createLockableBuffer(std::unique_ptr<IPyroLockableBuffer>& out, uint32_t bytes);
    virtual int32_t createVertexBuffer(std::unique_ptr<IPyroVertexBuffer>& out, uint32_t vertexCount,
                                       uint32_t vertexSize, uint32_t flags, uint32_t usage);
    // A buffer of count groups of six 16-bit indices.
    virtual int32_t createIndexBuffer(std::unique_ptr<IPyroLockableBuffer>& out, uint32_t usage, uint32_t count,
                                      uint32_t pool) = 0;
    virtual int32_t createTexture(std::unique_ptr<IPyroTexture>& out, const cPyroImage& image, uint32_t flags) = 0;
    virtual int32_t createIntRecord(std::unique_ptr<IPyroObject>& out, int32_t a, int32_t b, int32_t c, int32_t d) = 0;
    virtual int32_t setOption(uint32_t) { return 0; }
    virtual int32_t setTexture(uint32_t stage, IPyroTexture* texture) = 0;
    // Not supported by default (1).
    virtual int32_t draw(IPyroVertexBuffer*, uint32_t, uint32_t, uint32_t) { return 1; }
    // Draws quads [first, first + count) of the buffer, four vertices each.
    virtual int32_t drawQuads(IPyroVertexBuffer* buffer, uint32_t first, uint32_t count) {
        return draw(buffer, first, count, 0);
    }
    virtual int32_t flush() { return 0; }
};

class cPyroVertexBuffer : public IPyroVertexBuffer {
public:
    cPyroVertexBuffer(Platform::IRenderDevice& device, Platform::tBufferHandle buffer, uint32_t flags,
                      uint32_t vertexSize, uint32_t bytes)
        : m_device(device), m_buffer(buffer), m_flags(flags), m_vertexSize(vertexSize), m_bytes(bytes) {}
    ~cPyroVertexBuffer() override;
    // Refuses a range outside the buffer.
    int32_t update(const void* data, uint32_t offset, uint32_t size) override;

    Platform::tBufferHandle getBuffer() const { return m_buffer; }
    uint32_t getFlags() const { return m_flags; }
    uint32_t getVertexSize() const { return m_vertexSize; }
    uint32_t getVertexCount() const { return m_vertexSize ? m_bytes / m_vertexSize : 0; }

private:
    Platform::IRenderDevice& m_device;
    Platform::tBufferHandle m_buffer;
    uint32_t m_flags;
    uint32_t m_vertexSize;
    uint32_t m_bytes;
};

class cPyroIndexBuffer : public IPyroLockableBuffer {
public:
    cPyroIndexBuffer(Platform::IRenderDevice& device, Platform::tBufferHandle buffer, uint32_t bytes)
        : m_device(device), m_buffer(buffer), m_bytes(bytes) {}
    ~cPyroIndexBuffer() override;
    int32_t lock() override;
    int32_t unlock() override;
    void* getData() override { return m_data; }

    Platform::tBufferHandle getBuffer() const { return m_buffer; }
    uint32_t getSize() const { return m_bytes; }

private:
    Platform::IRenderDevice& m_device;
    Platform::tBufferHandle m_buffer;
    void* m_data = nullptr;
    uint32_t m_bytes;
};

class cPyroTexture : public IPyroTexture {
public:
    cPyroTexture(Platform::IRenderDevice& device, Platform::tTextureHandle texture)
        : m_device(device), m_texture(texture) {}
    ~cPyroTexture() override;
    Platform::tTextureHandle getTexture() const { return m_texture; }

private:
    Platform::IRenderDevice& m_device;
    Platform::tTextureHandle m_texture;
};

// Four integers given at creation, kept for the library.
class cPyroIntRecord : public IPyroObject {
public:
    cPyroIntRecord(int32_t a, int32_t b, int32_t c, int32_t d) : values{a, b, c, d} {}
    int32_t values[4];
};

class cPyroGraphicsDevice : public IPyroGraphicsDevice {
public:
    // Quads one draw may take: their 16-bit indices count from the draw's first vertex.
    static constexpr uint32_t MAX_QUAD_CAPACITY = 16384;

    // Makes the shared quad index buffer for that many quads (at most MAX_QUAD_CAPACITY);
    // throws CPyroGraphicsException "Can't create quad index buffer" when the device refuses.
    cPyroGraphicsDevice(Platform::IRenderDevice& device, uint32_t quadCapacity);
    ~cPyroGraphicsDevice() override;

    int32_t setRenderState(uint32_t state, uint32_t value) override;
    // Factors 0 to 8 of the library; any other is refused with RESULT_INVALID_CALL.
    int32_t setBlendFunc(uint32_t source, uint32_t destination) override;
    // Pre-transformed positions are refused: the render device draws none.
    int32_t createVertexBuffer(std::unique_ptr<IPyroVertexBuffer>& out, uint32_t vertexCount, uint32_t vertexSize,
                               uint32_t flags, uint32_t usage) override;
    int32_t createIndexBuffer(std::unique_ptr<IPyroLockableBuffer>& out, uint32_t usage, uint32_t count,
                              uint32_t pool) override;
    int32_t createTexture(std::unique_ptr<IPyroTexture>& out, const cPyroImage& image, uint32_t flags) override;
    int32_t createIntRecord(std::unique_ptr<IPyroObject>& out, int32_t a, int32_t b, int32_t c, int32_t d) override;
    // Stage 0 only, sampled linearly and clamped; null takes the texture away.
    int32_t setTexture(uint32_t stage, IPyroTexture* texture) override;
    // RESULT_INVALID_CALL for a missing buffer, a count past the capacity or quads past the
    // buffer's end, the device's loss code while it is lost; nothing is set or drawn then.
    int32_t drawQuads(IPyroVertexBuffer* buffer, uint32_t first, uint32_t count) override;

    uint32_t getQuadCapacity() const { return m_quadCapacity; }
    const cPyroIndexBuffer* getQuadIndexBuffer() const { return m_quadIndices.get(); }

private:
    void createQuadIndexBuffer(uint32_t quads);

    std::unique_ptr<cPyroIndexBuffer> m_quadIndices;
    Platform::IRenderDevice& m_device;
    uint32_t m_quadCapacity = 0;
};

} // namespace Engine
