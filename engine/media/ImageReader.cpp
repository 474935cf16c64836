#include "engine/media/ImageReader.h"

#include "engine/core/FileSystem.h"
#include "engine/media/ImageDecoder.h"

namespace Engine {

bool cImageReader::decode(const std::string& path) {
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem)
        throw cImageError("Cannot read image \"" + path + "\": no file system.");
    const int32_t size = fileSystem->readFile(path, m_bytes);
    if (size <= 0)
        throw cImageError("Cannot read image \"" + path + "\": the file is empty.");
    if (cImageDecoder::isPvr(m_bytes.data(), size_t(size)))
        return false;
    cImage image;
    try {
        cImageDecoder::decode(m_bytes.data(), size_t(size), image);
    } catch (const cImageError& error) {
        throw cImageError("Cannot read image \"" + path + "\": " + error);
    }
    m_width = image.width;
    m_height = image.height;
    m_pixels.swap(image.pixels);
    return true;
}

int cImageReader::loadImagePixels(const std::string& path, std::vector<cColor>& pixels, int& width, int& height) {
    if (!decode(path))
        return 0;
    width = m_width;
    height = m_height;
    pixels.resize(m_pixels.size());
    for (size_t i = 0; i < m_pixels.size(); ++i)
        pixels[i].fromARGB(m_pixels[i]);
    return 0;
}

int cImageReader::loadAlphaMask(const std::string& path, cBitMask& mask) {
    if (!decode(path))
        return 0;
    mask.resize(size_t(m_width), size_t(m_height));
    for (int i = 0; i < m_height; ++i)
        for (int j = 0; j < m_width; ++j)
            mask.set(size_t(j), size_t(i), uint8_t(m_pixels[size_t(i) * size_t(m_width) + size_t(j)] >> 24));
    return 0;
}

} // namespace Engine
