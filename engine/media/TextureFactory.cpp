#include "engine/media/TextureFactory.h"

#include "engine/core/DirectXError.h"
#include "engine/core/String.h"
#include "engine/media/ImageDecoder.h"
#include "engine/media/MediaResources.h"
#include "engine/media/Texture.h"

#include <vector>

namespace Engine {

namespace {

int nextPowerOfTwo(int n) {
    int p = 1;
    while (p < n && p < (1 << 30))
        p <<= 1;
    return p;
}

} // namespace

cTextureFactory* getTextureFactory() {
    return cTextureFactory::getInstance();
}

cTextureFactory::cTextureFactory(Platform::IRenderDevice* device) : m_device(device) {
    // Created after the resource manager in every run: the media kinds become known to it here.
    registerMediaResources();
}

cTextureFactory::~cTextureFactory() {
    // Pictures decoded ahead belong to the services that go with the device.
    endTexturePrefetch();
}

Platform::IRenderDevice& cTextureFactory::device() const {
    if (!m_device)
        throw "No render device.";
    return *m_device;
}

Platform::tResult cTextureFactory::createIndexBuffer(uint32_t indexCount, Platform::tBufferHandle& out,
                                                     Platform::ePool pool) {
    Platform::tResult result = device().createIndexBuffer(indexCount * 2, false, pool, out);
    if (result == Platform::RESULT_OUT_OF_VIDEO_MEMORY && pool == Platform::POOL_DEFAULT)
        result = device().createIndexBuffer(indexCount * 2, false, Platform::POOL_MANAGED, out);
    return result;
}

Platform::tResult cTextureFactory::createVertexBuffer(uint32_t vertexCount, uint32_t vertexSize, uint32_t vertexFormat,
                                                      Platform::tBufferHandle& out, Platform::ePool pool) {
    const uint32_t bytes = vertexCount * vertexSize;
    Platform::tResult result = device().createVertexBuffer(bytes, vertexFormat, false, pool, out);
    if (result == Platform::RESULT_OUT_OF_VIDEO_MEMORY && pool == Platform::POOL_DEFAULT)
        result = device().createVertexBuffer(bytes, vertexFormat, false, Platform::POOL_MANAGED, out);
    return result;
}

Platform::tResult cTextureFactory::createVertexShader(const uint8_t* bytes, size_t count,
                                                      Platform::tShaderHandle& out) {
    return device().createVertexShader(bytes, count, out);
}

void cTextureFactory::deleteVertexShader(Platform::tShaderHandle shader) {
    if (m_device && shader)
        m_device->destroyVertexShader(shader);
}

Platform::tResult cTextureFactory::makeTexture(int width, int height, Platform::ePool pool,
                                               Platform::tTextureHandle& out) {
    Platform::tResult result = device().createTexture(width, height, pool, out);
    if (result == Platform::RESULT_OUT_OF_VIDEO_MEMORY && pool == Platform::POOL_DEFAULT)
        result = device().createTexture(width, height, Platform::POOL_MANAGED, out);
    return result;
}

void cTextureFactory::createTexture(const uint8_t* bytes, size_t count, Platform::tTextureHandle& out,
                                    Platform::ePool pool, cImageInfo* info, int width, int height) {
    out = 0;
    if (!bytes) {
        if (!device().supportsNonPowerOfTwo()) {
            width = nextPowerOfTwo(width);
            height = nextPowerOfTwo(height);
        }
        const Platform::tResult result = makeTexture(width, height, pool, out);
        if (result != Platform::RESULT_OK)
            throwDirectXError(result, "CreateTexture(...)");
        return;
    }

    cImage image;
    cImageDecoder::decode(bytes, count, image);
    createTexture(image, out, pool, info);
}

void cTextureFactory::createTexture(const cImage& image, Platform::tTextureHandle& out, Platform::ePool pool,
                                    cImageInfo* info) {
    out = 0;
    if (info) {
        info->width = uint32_t(image.width);
        info->height = uint32_t(image.height);
    }
    // The image's own size where the device takes it; otherwise the next powers of two.
    int textureWidth = image.width, textureHeight = image.height;
    if (!device().supportsNonPowerOfTwo()) {
        textureWidth = nextPowerOfTwo(image.width);
        textureHeight = nextPowerOfTwo(image.height);
    }
    Platform::tResult result = makeTexture(textureWidth, textureHeight, pool, out);
    if (result != Platform::RESULT_OK &&
        (textureWidth != nextPowerOfTwo(image.width) || textureHeight != nextPowerOfTwo(image.height)))
        result = makeTexture(nextPowerOfTwo(image.width), nextPowerOfTwo(image.height), pool, out);
    if (result != Platform::RESULT_OK)
        throwDirectXError(result, "D3DXCreateTextureFromFileInMemoryEx(...)");
    device().updateTexture(out, 0, 0, image.width, image.height, image.pixels.data(), image.width * 4);
}

void cTextureFactory::getTextureSize(Platform::tTextureHandle texture, int& width, int& height) const {
    width = height = 0;
    if (m_device && texture && !m_device->getTextureSize(texture, width, height))
        width = height = 0;
}

void cTextureFactory::releaseTexture(Platform::tTextureHandle texture) {
    if (m_device && texture)
        m_device->destroyTexture(texture);
}

} // namespace Engine
