#include "engine/media/PyroGraphicsDevice.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace Engine {

using namespace Platform;

namespace {

// The library's blend factors 0 to 8.
const uint32_t BLEND_TABLE[9] = {BLEND_ZERO,         BLEND_ONE,           BLEND_DEST_COLOR, BLEND_INV_DEST_COLOR,
                                 BLEND_SRC_ALPHA,    BLEND_INV_SRC_ALPHA, BLEND_DEST_ALPHA, BLEND_INV_DEST_ALPHA,
                                 BLEND_SRC_ALPHA_SAT};

} // namespace

uint32_t pyroVertexFormat(uint32_t flags) {
    uint32_t format = 0;
    if (flags & PYRO_VERTEX_XYZRHW)
        format |= PYRO_FVF_XYZRHW;
    else if (flags & PYRO_VERTEX_XYZ)
        format |= FVF_XYZ;
    if (flags & PYRO_VERTEX_DIFFUSE)
        format |= FVF_DIFFUSE;
    if (flags & PYRO_VERTEX_TEX1)
        format |= 0x100;
    if (flags & PYRO_VERTEX_TEX2)
        format |= 0x200;
    if (flags & PYRO_VERTEX_TEX3)
        format |= 0x300;
    if (flags & PYRO_VERTEX_TEX4)
        format |= 0x400;
    return format;
}

int32_t cPyroBufferOverLockable::update(const void* data, uint32_t offset, uint32_t size) {
    int32_t result = m_buffer->lock();
    if (result < 0)
        return result;
    std::memcpy(static_cast<uint8_t*>(m_buffer->getData()) + offset, data, size);
    return m_buffer->unlock();
}

int32_t IPyroGraphicsDevice::createLockableBuffer(std::unique_ptr<IPyroLockableBuffer>& out, uint32_t) {
    out.reset();
    return 1;
}

int32_t IPyroGraphicsDevice::createVertexBuffer(std::unique_ptr<IPyroVertexBuffer>& out, uint32_t vertexCount,
                                                uint32_t vertexSize, uint32_t, uint32_t) {
    out.reset();
    std::unique_ptr<IPyroLockableBuffer> buffer;
    int32_t result = createLockableBuffer(buffer, vertexCount * vertexSize);
    if (result != 0 || !buffer)
        return result ? result : 1;
    out = std::make_unique<cPyroBufferOverLockable>(std::move(buffer));
    return 0;
}

cPyroVertexBuffer::~cPyroVertexBuffer() {
    m_device.destroyBuffer(m_buffer);
}

int32_t cPyroVertexBuffer::update(const void* data, uint32_t offset, uint32_t size) {
    if (uint64_t(offset) + size > m_bytes)
        return RESULT_INVALID_CALL;
    void* memory = m_device.lockBuffer(m_buffer, false);
    if (!memory)
        return RESULT_INVALID_CALL;
    std::memcpy(static_cast<uint8_t*>(memory) + offset, data, size);
    m_device.unlockBuffer(m_buffer);
    return 0;
}

cPyroIndexBuffer::~cPyroIndexBuffer() {
    if (m_data)
        m_device.unlockBuffer(m_buffer);
    m_device.destroyBuffer(m_buffer);
}

int32_t cPyroIndexBuffer::lock() {
    m_data = m_device.lockBuffer(m_buffer, false);
    return m_data ? 0 : RESULT_INVALID_CALL;
}

int32_t cPyroIndexBuffer::unlock() {
    if (!m_data)
        return RESULT_INVALID_CALL;
    m_device.unlockBuffer(m_buffer);
    m_data = nullptr;
    return 0;
}

cPyroTexture::~cPyroTexture() {
    m_device.destroyTexture(m_texture);
}

cPyroGraphicsDevice::cPyroGraphicsDevice(IRenderDevice& device, uint32_t quadCapacity) : m_device(device) {
    createQuadIndexBuffer(std::min(std::max(quadCapacity, 1u), MAX_QUAD_CAPACITY));
}

cPyroGraphicsDevice::~cPyroGraphicsDevice() = default;

void cPyroGraphicsDevice::createQuadIndexBuffer(uint32_t quads) {
    std::unique_ptr<IPyroLockableBuffer> buffer;
    int32_t result = createIndexBuffer(buffer, 0, quads, 0);
    if (result < 0 || !buffer)
        throw CPyroGraphicsException("Can't create quad index buffer", result);
    result = buffer->lock();
    if (result < 0)
        throw CPyroGraphicsException("Can't create quad index buffer", result);
    auto* indices = static_cast<uint16_t*>(buffer->getData());
    for (uint32_t k = 0; k < quads; ++k) {
        const uint16_t v = uint16_t(4 * k);
        const uint16_t quad[6] = {v, uint16_t(v + 2), uint16_t(v + 3), v, uint16_t(v + 1), uint16_t(v + 2)};
        std::memcpy(indices + 6 * k, quad, sizeof(quad));
    }
    buffer->unlock();
    m_quadIndices.reset(static_cast<cPyroIndexBuffer*>(buffer.release()));
    m_quadCapacity = quads;
}

int32_t cPyroGraphicsDevice::setRenderState(uint32_t state, uint32_t value) {
    if (state == PYRO_STATE_ALPHA_BLEND)
        m_device.setRenderState(RS_ALPHA_BLEND_ENABLE, value);
    else if (state == PYRO_STATE_ALPHA_TEST)
        m_device.setRenderState(RS_ALPHA_TEST_ENABLE, value);
    return 0;
}

int32_t cPyroGraphicsDevice::setBlendFunc(uint32_t source, uint32_t destination) {
    if (source > 8 || destination > 8)
        return RESULT_INVALID_CALL;
    m_device.setRenderState(RS_SRC_BLEND, BLEND_TABLE[source]);
    m_device.setRenderState(RS_DEST_BLEND, BLEND_TABLE[destination]);
    return 0;
}

int32_t cPyroGraphicsDevice::createVertexBuffer(std::unique_ptr<IPyroVertexBuffer>& out, uint32_t vertexCount,
                                                uint32_t vertexSize, uint32_t flags, uint32_t) {
    out.reset();
    const uint64_t bytes = uint64_t(vertexCount) * vertexSize;
    if ((flags & PYRO_VERTEX_XYZRHW) || bytes == 0 || bytes > 0xFFFFFFFFu)
        return RESULT_INVALID_CALL;
    tBufferHandle buffer = 0;
    tResult result = m_device.createVertexBuffer(uint32_t(bytes), pyroVertexFormat(flags), false, POOL_MANAGED, buffer);
    if (result != RESULT_OK)
        return result;
    out = std::make_unique<cPyroVertexBuffer>(m_device, buffer, flags, vertexSize, uint32_t(bytes));
    return 0;
}

int32_t cPyroGraphicsDevice::createIndexBuffer(std::unique_ptr<IPyroLockableBuffer>& out, uint32_t, uint32_t count,
                                               uint32_t) {
    out.reset();
    const uint64_t bytes = uint64_t(count) * 12;
    if (bytes == 0 || bytes > 0xFFFFFFFFu)
        return RESULT_INVALID_CALL;
    tBufferHandle buffer = 0;
    tResult result = m_device.createIndexBuffer(uint32_t(bytes), false, POOL_MANAGED, buffer);
    if (result != RESULT_OK)
        return result;
    out = std::make_unique<cPyroIndexBuffer>(m_device, buffer, uint32_t(bytes));
    return 0;
}

int32_t cPyroGraphicsDevice::createTexture(std::unique_ptr<IPyroTexture>& out, const cPyroImage& image, uint32_t) {
    out.reset();
    if (!image.pixels || image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384)
        return RESULT_INVALID_CALL;
    tTextureHandle texture = 0;
    tResult result = m_device.createTexture(int(image.width), int(image.height), POOL_MANAGED, texture);
    if (result != RESULT_OK)
        return result;
    // Red and blue trade places: the device takes 0xAARRGGBB words.
    std::vector<uint32_t> texels(size_t(image.width) * image.height);
    const uint8_t* p = image.pixels;
    for (uint32_t& texel : texels) {
        texel = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        p += 4;
    }
    m_device.updateTexture(texture, 0, 0, int(image.width), int(image.height), texels.data(), int(image.width * 4));
    out = std::make_unique<cPyroTexture>(m_device, texture);
    return 0;
}

int32_t cPyroGraphicsDevice::createIntRecord(std::unique_ptr<IPyroObject>& out, int32_t a, int32_t b, int32_t c,
                                             int32_t d) {
    out = std::make_unique<cPyroIntRecord>(a, b, c, d);
    return 0;
}

int32_t cPyroGraphicsDevice::setTexture(uint32_t stage, IPyroTexture* texture) {
    if (stage != 0)
        return 0;
    auto* own = static_cast<cPyroTexture*>(texture);
    m_device.setTexture(own ? own->getTexture() : 0);
    // Particles are scaled and turned: point sampling would show their texels.
    setSamplerStateIfChanged(m_device, SS_MAG_FILTER, FILTER_LINEAR);
    setSamplerStateIfChanged(m_device, SS_MIN_FILTER, FILTER_LINEAR);
    setSamplerStateIfChanged(m_device, SS_ADDRESS_U, ADDRESS_CLAMP);
    setSamplerStateIfChanged(m_device, SS_ADDRESS_V, ADDRESS_CLAMP);
    return 0;
}

int32_t cPyroGraphicsDevice::drawQuads(IPyroVertexBuffer* buffer, uint32_t first, uint32_t count) {
    if (count == 0)
        return 0;
    auto* own = dynamic_cast<cPyroVertexBuffer*>(buffer);
    if (!own || count > m_quadCapacity || (uint64_t(first) + count) * 4 > own->getVertexCount())
        return RESULT_INVALID_CALL;
    // A lost device draws nothing: the library hears of it instead of a success.
    const tResult level = m_device.testCooperativeLevel();
    if (level != RESULT_OK)
        return level;
    m_device.setStreamSource(own->getBuffer(), own->getVertexSize());
    m_device.setVertexFormat(pyroVertexFormat(own->getFlags()));
    m_device.setIndices(m_quadIndices->getBuffer());
    m_device.drawIndexedTriangles(4 * first, 0, 4 * count, 0, 2 * count);
    return 0;
}

} // namespace Engine
