#include "engine/media/Texture.h"

#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/media/ImageDecoder.h"
#include "engine/media/TextureFactory.h"

#include <memory>
#include <vector>

namespace Engine {

namespace {

// One buffer serves every texture load, so loading allocates nothing once it has grown.
std::vector<uint8_t>& fileBuffer() {
    static std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> reserved;
        reserved.reserve(0x100000);
        return reserved;
    }();
    return bytes;
}

} // namespace

cTexture* IResourceManager::getTexture(const std::string& path) {
    std::string imagePath;
    if (findAtlasImage(path, imagePath)) {
        cTexture* atlas = getTexture(imagePath);
        atlas->setAtlas(true);
        return atlas;
    }
    // Pictures live in the atlases: without the list every one of them is missing, and the first
    // would be reported as if it alone were lost.
    IFileSystem* files = getFileSystem();
    if (files && !files->exists(path) && !files->exists("atlases.xml"))
        throw cStringA("File \"" + path +
                       "\" not found, and there is no atlas list \"atlases.xml\" in the data folder.");
    return static_cast<cTexture*>(getDeviceResource(path, RESOURCE_TEXTURE));
}

bool IResourceManager::isAtlasTexture(const cTexture* texture) const {
    return texture && texture->isAtlas();
}

cTexture::cTexture(const std::string& path) : cResource(path) {
    loadFromFile(path);
}

cTexture::cTexture(Platform::tTextureHandle texture) : cResource(std::string()), m_texture(texture) {}

cTexture::~cTexture() {
    releaseDeviceTexture();
}

int cTexture::getKind() const {
    return RESOURCE_TEXTURE;
}

void cTexture::unload() {
    releaseDeviceTexture();
}

void cTexture::load() {
    loadFromFile(getName());
}

void cTexture::loadFromFile(const std::string& path) {
    std::vector<uint8_t>& bytes = fileBuffer();
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem)
        throw cStringA("Cannot load texture \"" + path + "\": no file system.");
    // Read straight into the shared buffer: it grows to the largest file and is never given up.
    std::unique_ptr<IDataStream> stream = fileSystem->openRead(path);
    const int32_t size = stream->getSize();
    if (size <= 0)
        throw cImageError("Cannot load texture \"" + path + "\": the file is empty.");
    bytes.resize(size_t(size));
    if (stream->read(bytes.data(), size) != size)
        throw cImageError("Cannot load texture \"" + path + "\": the file cannot be read whole.");
    stream.reset();
    cTextureFactory* factory = getTextureFactory();
    if (!factory)
        throw cStringA("Cannot load texture \"" + path + "\": no graphics device.");

    releaseDeviceTexture();
    cImageInfo info;
    Platform::tTextureHandle texture = 0;
    try {
        factory->createTexture(bytes.data(), size_t(size), texture, Platform::POOL_MANAGED, &info, 0, 0);
    } catch (const cImageError& error) {
        throw cImageError("Cannot load texture \"" + path + "\": " + error);
    }
    int width = 0, height = 0;
    factory->getTextureSize(texture, width, height);
    attachDeviceTexture(texture, width, height);
    m_textureSize = cIntPair(width, height);
    m_imageSize = cIntPair(int32_t(info.width), int32_t(info.height));
    m_uvScale = cVector2(float(info.width) / float(width), float(info.height) / float(height));
    m_halfTexel = cVector2(0.5f / float(width), 0.5f / float(height));
}

void cTexture::attachDeviceTexture(Platform::tTextureHandle texture, int width, int height) {
    releaseDeviceTexture();
    m_texture = texture;
    m_countedBytes = texture ? int32_t(width) * int32_t(height) * 4 : 0;
    if (cTextureFactory* factory = getTextureFactory())
        factory->addTextureMemory(m_countedBytes);
}

void cTexture::releaseDeviceTexture() {
    if (cTextureFactory* factory = getTextureFactory()) {
        factory->subTextureMemory(m_countedBytes);
        factory->releaseTexture(m_texture);
    }
    m_countedBytes = 0;
    m_texture = 0;
}

} // namespace Engine
