#include "engine/media/Texture.h"

#include "engine/core/DecodeAhead.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/ScopeExit.h"
#include "engine/core/String.h"
#include "engine/media/ImageDecoder.h"
#include "engine/media/TextureFactory.h"

#include <algorithm>
#include <memory>
#include <thread>
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

// Decoded pixels that may wait to be uploaded: two 2048 x 2048 atlases, decoding side by side.
constexpr size_t PREFETCH_BUDGET = size_t(34) << 20;

std::unique_ptr<cDecodeAhead<cImage>>& prefetch() {
    static std::unique_ptr<cDecodeAhead<cImage>> decoder;
    return decoder;
}

// The pixel bytes a picture decodes to, from a PNG's header; other files count their own size.
size_t decodedSize(const std::vector<uint8_t>& bytes) {
    if (bytes.size() >= 24 && cImageDecoder::detectFormat(bytes.data(), bytes.size()) == IMAGE_PNG) {
        const size_t width = size_t(bytes[16]) << 24 | size_t(bytes[17]) << 16 | size_t(bytes[18]) << 8 | bytes[19];
        const size_t height = size_t(bytes[20]) << 24 | size_t(bytes[21]) << 16 | size_t(bytes[22]) << 8 | bytes[23];
        return std::min(width * height, cImageDecoder::MAX_PIXELS) * 4;
    }
    return bytes.size();
}

} // namespace

void prefetchTextures(const std::vector<std::string>& paths) {
    IResourceManager* resources = getResourceManager();
    IFileSystem* files = getFileSystem();
    if (!resources || !files)
        return;
    if (!prefetch()) {
        const unsigned threads = std::min(4u, std::max(1u, std::thread::hardware_concurrency() / 2));
        prefetch() = std::make_unique<cDecodeAhead<cImage>>(
            [](const std::vector<uint8_t>& bytes) {
                cImage image;
                cImageDecoder::decode(bytes.data(), bytes.size(), image);
                return image;
            },
            decodedSize, PREFETCH_BUDGET, threads);
    }
    std::vector<std::pair<std::string, std::vector<uint8_t>>> pictures;
    for (const std::string& path : paths) {
        std::string name = lowerCaseNarrow(path);
        std::string atlas;
        if (resources->findAtlasImage(name, atlas))
            name = lowerCaseNarrow(atlas);
        if (resources->findEntry(name) || prefetch()->has(name) || !files->exists(name))
            continue;
        std::vector<uint8_t> bytes;
        if (files->readFile(name, bytes) > 0 && !cImageDecoder::isPvr(bytes.data(), bytes.size()))
            pictures.emplace_back(name, std::move(bytes));
    }
    // The biggest first: each is uploaded while the small ones are still to decode, so that a
    // picture and its texture side by side never add to the most the load holds at its end.
    std::stable_sort(pictures.begin(), pictures.end(),
                     [](const auto& a, const auto& b) { return decodedSize(a.second) > decodedSize(b.second); });
    for (auto& file : pictures)
        prefetch()->add(file.first, std::move(file.second));
}

void endTexturePrefetch() {
    prefetch().reset();
}

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
    if (prefetch()) {
        const std::string key = lowerCaseNarrow(path);
        // The picture counts against the prefetch's budget until it is uploaded and freed.
        const cScopeExit release([&key] {
            if (prefetch())
                prefetch()->release(key);
        });
        cImage image;
        bool decoded = false;
        try {
            decoded = prefetch()->take(key, image, true);
        } catch (const cImageError& error) {
            throw cImageError("Cannot load texture \"" + path + "\": " + error);
        }
        if (decoded) {
            cTextureFactory* factory = getTextureFactory();
            if (!factory)
                throw cStringA("Cannot load texture \"" + path + "\": no graphics device.");
            releaseDeviceTexture();
            Platform::tTextureHandle texture = 0;
            cImageInfo info;
            factory->createTexture(image, texture, Platform::POOL_MANAGED, &info);
            image = cImage();
            attachImage(texture, info);
            return;
        }
    }
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
    attachImage(texture, info);
}

void cTexture::attachImage(Platform::tTextureHandle texture, const cImageInfo& info) {
    cTextureFactory* factory = getTextureFactory();
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
