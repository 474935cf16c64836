#pragma once

// Creates every device object of the engine (textures, vertex and index buffers, vertex
// shaders) on the platform's render device, and keeps the texture-memory counter. The graphics
// device derives from it; tests make one over a recording device.

#include "engine/core/Singleton.h"
#include "engine/platform/RenderDevice.h"

#include <cstddef>
#include <cstdint>

namespace Engine {

struct cImage;

// What the decoder tells of an image file: its own size in pixels.
struct cImageInfo {
    uint32_t width = 0;
    uint32_t height = 0;
};

class cTextureFactory : public cSingleton<cTextureFactory> {
public:
    // The device may come later (setRenderDevice) when the owner creates it in its constructor.
    explicit cTextureFactory(Platform::IRenderDevice* device = nullptr);
    ~cTextureFactory() override;

    void setRenderDevice(Platform::IRenderDevice* device) { m_device = device; }
    Platform::IRenderDevice* getRenderDevice() const { return m_device; }

    // Buffers of 16-bit indices and of vertices; a default-pool buffer that finds no video
    // memory is made once more in the managed pool. The device's result is returned.
    Platform::tResult createIndexBuffer(uint32_t indexCount, Platform::tBufferHandle& out, Platform::ePool pool);
    Platform::tResult createVertexBuffer(uint32_t vertexCount, uint32_t vertexSize, uint32_t vertexFormat,
                                         Platform::tBufferHandle& out, Platform::ePool pool);
    Platform::tResult createVertexShader(const uint8_t* bytes, size_t count, Platform::tShaderHandle& out);
    void deleteVertexShader(Platform::tShaderHandle shader);

    // Without bytes: an empty (transparent black) texture of width x height, or of the next
    // powers of two where the device needs them. With bytes: the
    // decoded image file in a texture of the image's size, or of the next powers of two where
    // the device needs them; info gets the image's own size. Throws a narrow cString when the
    // bytes cannot be decoded and the Direct3D-style error when the device refuses.
    void createTexture(const uint8_t* bytes, size_t count, Platform::tTextureHandle& out, Platform::ePool pool,
                       cImageInfo* info, int width, int height);
    // The same for an image decoded already.
    void createTexture(const cImage& image, Platform::tTextureHandle& out, Platform::ePool pool, cImageInfo* info);
    // Size of a device texture (0 x 0 for none) and its release.
    void getTextureSize(Platform::tTextureHandle texture, int& width, int& height) const;
    void releaseTexture(Platform::tTextureHandle texture);

    // Bytes of texture memory in use, as the statistics overlay shows them.
    void addTextureMemory(int32_t bytes) { m_textureMemory += bytes; }
    void subTextureMemory(int32_t bytes) { m_textureMemory -= bytes; }
    int32_t getTextureMemory() const { return m_textureMemory; }

private:
    Platform::IRenderDevice& device() const;
    // Creates an empty texture, once more in the managed pool when the default pool has no room.
    Platform::tResult makeTexture(int width, int height, Platform::ePool pool, Platform::tTextureHandle& out);

    Platform::IRenderDevice* m_device = nullptr;
    int32_t m_textureMemory = 0;
};

// The texture factory; null before the graphics device exists.
cTextureFactory* getTextureFactory();

} // namespace Engine
