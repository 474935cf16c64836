#pragma once

// A render device without GL for logic tests: it keeps every object's content in memory,
// records each call as a line of text, and can be told to refuse sizes or run out of memory.

#include "engine/platform/RenderDevice.h"
#include "engine/platform/RenderStateSet.h"

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
    bool supportsStencil() const override { return m_stencil; }

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
    void beginScene() override { record("beginScene"); }
    void endScene() override { record("endScene"); }
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
    // The back buffer holds the colour of the last clear of the target.
    bool readBackBuffer(int x, int y, int width, int height, std::vector<uint32_t>& out) override;

    // Scripting.
    void setMaxTextureSize(int size) { m_maxTextureSize = size; }
    void setNonPowerOfTwo(bool allowed) { m_nonPowerOfTwo = allowed; }
    void setStencil(bool available) { m_stencil = available; }
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
    // The states as last set, and the device's present parameters.
    const cRenderStateSet& getState() const { return m_state; }
    const cPresentParameters& getPresentParameters() const { return m_present; }
    // Lines of the recorded calls that start with the prefix.
    std::vector<std::string> getCalls(const std::string& prefix) const;

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
    bool m_stencil = true;
    std::map<int, tResult> m_poolFailures;
    uint32_t m_nextHandle = 1;
    std::map<tTextureHandle, cTextureData> m_textures;
    std::map<tBufferHandle, cBufferData> m_buffers;
    std::map<tShaderHandle, std::vector<uint8_t>> m_shaders;
    std::vector<std::string> m_calls;
    cRenderStateSet m_state;
    std::vector<cRenderStateSet> m_saved;
    cPresentParameters m_present{800, 600, true};
    uint32_t m_clearColor = 0;
    bool m_lost = false;
    bool m_resettable = false;
    int m_failingResets = 0;
};

} // namespace Platform
