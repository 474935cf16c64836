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

namespace Platform {

namespace {

std::string hexText(uint32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += digits[(value >> shift) & 0xF];
    return text;
}

} // namespace

std::vector<std::string> cRecordingRenderDevice::getCalls(const std::string& prefix) const {
    std::vector<std::string> calls;
    for (const std::string& call : m_calls)
        if (call.compare(0, prefix.size(), prefix) == 0)
            calls.push_back(call);
    return calls;
}

uint32_t cRecordingRenderDevice::getRenderState(eRenderState state) const {
    return unsigned(state) < RENDER_STATE_LIMIT ? m_state.renderStates[state] : 0;
}

void cRecordingRenderDevice::setRenderState(eRenderState state, uint32_t value) {
    record("setRenderState " + std::to_string(state) + " " + std::to_string(value));
    if (unsigned(state) < RENDER_STATE_LIMIT)
        m_state.renderStates[state] = value;
}

uint32_t cRecordingRenderDevice::getSamplerState(eSamplerState state) const {
    return unsigned(state) < SAMPLER_STATE_LIMIT ? m_state.samplerStates[state] : 0;
}

void cRecordingRenderDevice::setSamplerState(eSamplerState state, uint32_t value) {
    record("setSamplerState " + std::to_string(state) + " " + std::to_string(value));
    if (unsigned(state) < SAMPLER_STATE_LIMIT)
        m_state.samplerStates[state] = value;
}

void cRecordingRenderDevice::setTexture(tTextureHandle texture) {
    record("setTexture " + std::to_string(texture));
    m_state.texture = texture;
}

void cRecordingRenderDevice::setTransform(int slot, const cDeviceMatrix& matrix) {
    record("setTransform " + std::to_string(slot));
    if (slot == TRANSFORM_VIEW)
        m_state.view = matrix;
    else if (slot == TRANSFORM_PROJECTION)
        m_state.projection = matrix;
    else if (slot >= TRANSFORM_WORLD && slot < TRANSFORM_WORLD + MAX_WORLD_MATRICES)
        m_state.worlds[slot - TRANSFORM_WORLD] = matrix;
}

void cRecordingRenderDevice::setMaterial(const cMaterial& material) {
    record("setMaterial");
    m_state.material = material;
}

void cRecordingRenderDevice::setLight(int index, const cLight& light) {
    record("setLight " + std::to_string(index));
    if (index >= 0 && index < MAX_LIGHTS)
        m_state.lights[index] = light;
}

void cRecordingRenderDevice::enableLight(int index, bool enable) {
    record("enableLight " + std::to_string(index) + (enable ? " 1" : " 0"));
    if (index >= 0 && index < MAX_LIGHTS)
        m_state.lightEnabled[index] = enable;
}

void cRecordingRenderDevice::setStreamSource(tBufferHandle buffer, uint32_t stride) {
    record("setStreamSource " + std::to_string(buffer) + " " + std::to_string(stride));
    m_state.vertexBuffer = buffer;
    m_state.stride = stride;
}

void cRecordingRenderDevice::setIndices(tBufferHandle buffer) {
    record("setIndices " + std::to_string(buffer));
    m_state.indexBuffer = buffer;
}

void cRecordingRenderDevice::setVertexFormat(uint32_t vertexFormat) {
    record("setVertexFormat " + hexText(vertexFormat));
    m_state.vertexFormat = vertexFormat;
    m_state.shader = 0;
}

void cRecordingRenderDevice::setVertexShader(tShaderHandle shader) {
    record("setVertexShader " + std::to_string(shader));
    m_state.shader = shader;
}

void cRecordingRenderDevice::setVertexShaderConstants(int firstRegister, const float*, int registerCount) {
    record("setVertexShaderConstants " + std::to_string(firstRegister) + " " + std::to_string(registerCount));
}

void cRecordingRenderDevice::drawIndexedTriangles(uint32_t baseVertex, uint32_t minVertex, uint32_t vertexCount,
                                                  uint32_t startIndex, uint32_t triangleCount) {
    record("drawIndexedTriangles " + std::to_string(baseVertex) + " " + std::to_string(minVertex) + " " +
           std::to_string(vertexCount) + " " + std::to_string(startIndex) + " " + std::to_string(triangleCount));
}

void cRecordingRenderDevice::drawTriangles(uint32_t startVertex, uint32_t triangleCount) {
    record("drawTriangles " + std::to_string(startVertex) + " " + std::to_string(triangleCount));
}

void cRecordingRenderDevice::clear(uint32_t flags, uint32_t color, float, uint32_t) {
    record("clear " + std::to_string(flags) + " " + hexText(color));
    if (flags & CLEAR_TARGET)
        m_clearColor = color;
}

tResult cRecordingRenderDevice::present() {
    record("present");
    return m_lost ? RESULT_DEVICE_LOST : RESULT_OK;
}

tResult cRecordingRenderDevice::testCooperativeLevel() {
    if (!m_lost)
        return RESULT_OK;
    return m_resettable ? RESULT_DEVICE_NOT_RESET : RESULT_DEVICE_LOST;
}

tResult cRecordingRenderDevice::reset(const cPresentParameters& parameters) {
    record("reset " + sizeText(parameters.width, parameters.height) + (parameters.windowed ? " windowed" : " full"));
    if ((m_lost && !m_resettable) || m_failingResets > 0) {
        if (m_failingResets > 0)
            --m_failingResets;
        return RESULT_INVALID_CALL;
    }
    m_lost = false;
    m_present = parameters;
    m_state.setDefaults();
    return RESULT_OK;
}

void cRecordingRenderDevice::getBackBufferSize(int& width, int& height) const {
    width = m_present.width;
    height = m_present.height;
}

void cRecordingRenderDevice::simulateDeviceLoss(bool resettable, int failingResets) {
    m_lost = true;
    m_resettable = resettable;
    m_failingResets = failingResets;
}

void cRecordingRenderDevice::saveState() {
    record("saveState");
    m_saved.push_back(m_state);
}

void cRecordingRenderDevice::restoreState() {
    record("restoreState");
    if (m_saved.empty())
        return;
    m_state = m_saved.back();
    m_saved.pop_back();
}

bool cRecordingRenderDevice::readBackBuffer(int x, int y, int width, int height, std::vector<uint32_t>& out) {
    if (x < 0 || y < 0 || width < 0 || height < 0 || x + width > m_present.width || y + height > m_present.height)
        return false;
    out.assign(size_t(width) * size_t(height), m_clearColor);
    return true;
}

} // namespace Platform
