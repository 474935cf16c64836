#pragma once

// A render device without GL for logic tests: it keeps every object's content in memory,
// records each call as a line of text, and can be told to refuse sizes or run out of memory.

#include "engine/platform/RenderDevice.h"

#include <map>
#include <string>
#include <vector>

namespace Platform {

class cRecordingRenderDevice : public IRenderDevice {
public:
    cRecordingRenderDevice() = default;
    ~cRecordingRenderDevice() override = default;

    int getMaxTextureSize() const override { return m_maxTextureSize; }
    bool supportsNonPowerOfTwo() const override { return m_nonPowerOfTwo; }

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
    void destroyBuffer(tBufferHandle buffer) override;

    tResult createVertexShader(const uint8_t* bytes, size_t count, tShaderHandle& out) override;
    void destroyVertexShader(tShaderHandle shader) override;

    // Scripting.
    void setMaxTextureSize(int size) { m_maxTextureSize = size; }
    void setNonPowerOfTwo(bool allowed) { m_nonPowerOfTwo = allowed; }
    // Every creation in that pool fails with the result until it is set back to RESULT_OK.
    void setPoolFailure(ePool pool, tResult result);

    // Inspection.
    const std::vector<std::string>& getCalls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    size_t getTextureCount() const { return m_textures.size(); }
    size_t getBufferCount() const { return m_buffers.size(); }
    size_t getShaderCount() const { return m_shaders.size(); }
    // Texels of a live texture, rows top first; empty for an unknown handle.
    std::vector<uint32_t> getTexels(tTextureHandle texture) const;
    ePool getTexturePool(tTextureHandle texture) const;
    std::vector<uint8_t> getBufferBytes(tBufferHandle buffer) const;
    std::vector<uint8_t> getShaderBytes(tShaderHandle shader) const;

private:
    struct cTextureData {
        int width = 0, height = 0;
        ePool pool = POOL_MANAGED;
        std::vector<uint32_t> texels;
    };
    struct cBufferData {
        bool index = false;
        uint32_t vertexFormat = 0;
        bool dynamic = false;
        ePool pool = POOL_MANAGED;
        bool locked = false;
        std::vector<uint8_t> bytes;
    };

    tResult poolResult(ePool pool) const;
    tResult createBuffer(bool index, uint32_t bytes, uint32_t vertexFormat, bool dynamic, ePool pool,
                         tBufferHandle& out);
    void record(const std::string& call) { m_calls.push_back(call); }

    int m_maxTextureSize = 4096;
    bool m_nonPowerOfTwo = true;
    std::map<int, tResult> m_poolFailures;
    uint32_t m_nextHandle = 1;
    std::map<tTextureHandle, cTextureData> m_textures;
    std::map<tBufferHandle, cBufferData> m_buffers;
    std::map<tShaderHandle, std::vector<uint8_t>> m_shaders;
    std::vector<std::string> m_calls;
};

} // namespace Platform
