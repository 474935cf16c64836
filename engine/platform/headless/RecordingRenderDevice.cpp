#include "engine/platform/headless/RecordingRenderDevice.h"

#include <cstring>

namespace Platform {

namespace {

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

std::string sizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

} // namespace

void cRecordingRenderDevice::setPoolFailure(ePool pool, tResult result) {
    if (result == RESULT_OK)
        m_poolFailures.erase(pool);
    else
        m_poolFailures[pool] = result;
}

tResult cRecordingRenderDevice::poolResult(ePool pool) const {
    auto it = m_poolFailures.find(pool);
    return it == m_poolFailures.end() ? RESULT_OK : it->second;
}

tResult cRecordingRenderDevice::createTexture(int width, int height, ePool pool, tTextureHandle& out) {
    out = 0;
    std::string call = "createTexture " + sizeText(width, height) + " pool " + std::to_string(pool);
    tResult result = poolResult(pool);
    if (result == RESULT_OK && (width <= 0 || height <= 0 || width > m_maxTextureSize || height > m_maxTextureSize ||
                                (!m_nonPowerOfTwo && (!isPowerOfTwo(width) || !isPowerOfTwo(height)))))
        result = RESULT_INVALID_CALL;
    if (result != RESULT_OK) {
        record(call + " failed");
        return result;
    }
    out = m_nextHandle++;
    cTextureData& texture = m_textures[out];
    texture.width = width;
    texture.height = height;
    texture.pool = pool;
    texture.texels.assign(size_t(width) * size_t(height), 0u);
    record(call + " -> " + std::to_string(out));
    return RESULT_OK;
}

void cRecordingRenderDevice::updateTexture(tTextureHandle texture, int x, int y, int width, int height,
                                           const uint32_t* pixels, int pitch) {
    record("updateTexture " + std::to_string(texture) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
           sizeText(width, height));
    auto it = m_textures.find(texture);
    if (it == m_textures.end() || x < 0 || y < 0 || width < 0 || height < 0 || x + width > it->second.width ||
        y + height > it->second.height)
        return;
    const uint8_t* source = reinterpret_cast<const uint8_t*>(pixels);
    for (int row = 0; row < height; ++row)
        std::memcpy(&it->second.texels[size_t(y + row) * size_t(it->second.width) + size_t(x)],
                    source + size_t(row) * size_t(pitch), size_t(width) * 4);
}

bool cRecordingRenderDevice::getTextureSize(tTextureHandle texture, int& width, int& height) const {
    auto it = m_textures.find(texture);
    if (it == m_textures.end())
        return false;
    width = it->second.width;
    height = it->second.height;
    return true;
}

void cRecordingRenderDevice::destroyTexture(tTextureHandle texture) {
    record("destroyTexture " + std::to_string(texture));
    m_textures.erase(texture);
}

tResult cRecordingRenderDevice::createBuffer(bool index, uint32_t bytes, uint32_t vertexFormat, bool dynamic,
                                             ePool pool, tBufferHandle& out) {
    out = 0;
    std::string call = std::string(index ? "createIndexBuffer " : "createVertexBuffer ") + std::to_string(bytes) +
                       " pool " + std::to_string(pool);
    tResult result = poolResult(pool);
    if (result == RESULT_OK && bytes == 0)
        result = RESULT_INVALID_CALL;
    if (result != RESULT_OK) {
        record(call + " failed");
        return result;
    }
    out = m_nextHandle++;
    cBufferData& buffer = m_buffers[out];
    buffer.index = index;
    buffer.vertexFormat = vertexFormat;
    buffer.dynamic = dynamic;
    buffer.pool = pool;
    buffer.bytes.assign(bytes, 0);
    record(call + " -> " + std::to_string(out));
    return RESULT_OK;
}

tResult cRecordingRenderDevice::createVertexBuffer(uint32_t bytes, uint32_t vertexFormat, bool dynamic, ePool pool,
                                                   tBufferHandle& out) {
    return createBuffer(false, bytes, vertexFormat, dynamic, pool, out);
}

tResult cRecordingRenderDevice::createIndexBuffer(uint32_t bytes, bool dynamic, ePool pool, tBufferHandle& out) {
    return createBuffer(true, bytes, 0, dynamic, pool, out);
}

void* cRecordingRenderDevice::lockBuffer(tBufferHandle buffer, bool discard) {
    record("lockBuffer " + std::to_string(buffer) + (discard ? " discard" : ""));
    auto it = m_buffers.find(buffer);
    if (it == m_buffers.end() || it->second.locked)
        return nullptr;
    it->second.locked = true;
    return it->second.bytes.data();
}

void cRecordingRenderDevice::unlockBuffer(tBufferHandle buffer) {
    record("unlockBuffer " + std::to_string(buffer));
    auto it = m_buffers.find(buffer);
    if (it != m_buffers.end())
        it->second.locked = false;
}

void cRecordingRenderDevice::destroyBuffer(tBufferHandle buffer) {
    record("destroyBuffer " + std::to_string(buffer));
    m_buffers.erase(buffer);
}

tResult cRecordingRenderDevice::createVertexShader(const uint8_t* bytes, size_t count, tShaderHandle& out) {
    out = 0;
    if (!bytes || count == 0) {
        record("createVertexShader failed");
        return RESULT_INVALID_CALL;
    }
    out = m_nextHandle++;
    m_shaders[out].assign(bytes, bytes + count);
    record("createVertexShader " + std::to_string(count) + " -> " + std::to_string(out));
    return RESULT_OK;
}

void cRecordingRenderDevice::destroyVertexShader(tShaderHandle shader) {
    record("destroyVertexShader " + std::to_string(shader));
    m_shaders.erase(shader);
}

std::vector<uint32_t> cRecordingRenderDevice::getTexels(tTextureHandle texture) const {
    auto it = m_textures.find(texture);
    return it == m_textures.end() ? std::vector<uint32_t>() : it->second.texels;
}

ePool cRecordingRenderDevice::getTexturePool(tTextureHandle texture) const {
    auto it = m_textures.find(texture);
    return it == m_textures.end() ? POOL_DEFAULT : it->second.pool;
}

std::vector<uint8_t> cRecordingRenderDevice::getBufferBytes(tBufferHandle buffer) const {
    auto it = m_buffers.find(buffer);
    return it == m_buffers.end() ? std::vector<uint8_t>() : it->second.bytes;
}

std::vector<uint8_t> cRecordingRenderDevice::getShaderBytes(tShaderHandle shader) const {
    auto it = m_shaders.find(shader);
    return it == m_shaders.end() ? std::vector<uint8_t>() : it->second;
}

} // namespace Platform
