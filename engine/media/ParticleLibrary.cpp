#include "engine/media/ParticleLibrary.h"

#include "engine/core/Log.h"
#include "engine/media/ImageDecoder.h"
#include "engine/media/ParticleEffectFile.h"
#include "engine/media/ParticleEffectInstance.h"
#include "engine/media/PyroFileStream.h"

#include <vector>

namespace Engine {

namespace {

constexpr uint32_t MAX_TEXTURE_SIDE = 1024;

void decodeTextures(cParticleFileData& data) {
    data.pixels.resize(data.effect.textures.size());
    for (size_t i = 0; i < data.pixels.size(); ++i) {
        const std::vector<uint8_t>& png = data.effect.textures[i];
        if (cImageDecoder::detectFormat(png.data(), png.size()) != IMAGE_PNG || png.size() < 24)
            throw std::string("Particle effect: a texture is not a PNG image");
        // The header's size is checked before anything is decoded.
        const uint32_t width = uint32_t(png[16]) << 24 | uint32_t(png[17]) << 16 | uint32_t(png[18]) << 8 | png[19];
        const uint32_t height = uint32_t(png[20]) << 24 | uint32_t(png[21]) << 16 | uint32_t(png[22]) << 8 | png[23];
        if (width > MAX_TEXTURE_SIDE || height > MAX_TEXTURE_SIDE)
            throw std::string("Particle effect: a texture is larger than 1024 x 1024");
        cImage image;
        cImageDecoder::decode(png.data(), png.size(), image);
        cParticleFileData::cPixels& out = data.pixels[i];
        out.width = uint32_t(image.width);
        out.height = uint32_t(image.height);
        out.rgba.resize(image.pixels.size() * 4);
        uint8_t* p = out.rgba.data();
        for (uint32_t argb : image.pixels) {
            *p++ = uint8_t(argb >> 16);
            *p++ = uint8_t(argb >> 8);
            *p++ = uint8_t(argb);
            *p++ = uint8_t(argb >> 24);
        }
    }
    // The PNG bytes are not needed once decoded.
    data.effect.textures.clear();
}

std::function<void()>& filesRelease() {
    static std::function<void()> release;
    return release;
}

} // namespace

void setParticleFilesRelease(std::function<void()> release) {
    filesRelease() = std::move(release);
}

void releaseParticleFiles() {
    if (filesRelease())
        filesRelease()();
}

cParticleLibrary::cParticleLibrary() = default;

cParticleLibrary::~cParticleLibrary() {
    // Files their host never destroyed.
    while (!m_files.empty())
        destroyFile(*m_files.begin());
}

void cParticleLibrary::setGraphicsDevice(IPyroGraphicsDevice* device) {
    m_device = device;
    ++m_deviceGeneration;
}

IParticleFile* cParticleLibrary::loadFile(IPyroFileStream& stream, const std::string& name) {
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (;;) {
        const int32_t got = stream.read(chunk, int32_t(sizeof(chunk)));
        if (got <= 0)
            break;
        if (int64_t(bytes.size()) + got > MAX_FILE_BYTES)
            break;
        // A short read is not the end: packed streams hand out what they have at hand.
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return loadBytes(bytes.data(), bytes.size(), name);
}

IParticleFile* cParticleLibrary::loadBytes(const uint8_t* bytes, size_t size, const std::string& name) {
    auto data = std::make_shared<cParticleFileData>();
    try {
        cParticleEffectFormat::read(bytes, size, data->effect);
        decodeTextures(*data);
    } catch (const std::string& reason) {
        // Not ours: one empty emitter keeps the widget's timing and draws nothing.
        if (m_reported.insert(name).second)
            if (ILog* log = getLog())
                if (ILogSink* channel = log->getChannel(L"error", false))
                    channel->write("Particle effect \"%s\" is not in our format (%s); it draws nothing.\n",
                                   name.c_str(), reason.c_str());
        data = std::make_shared<cParticleFileData>();
        data->effect.emitters.emplace_back();
    }
    // Hosts ask for emitter 0: a file without emitters gets an empty one.
    if (data->effect.emitters.empty())
        data->effect.emitters.emplace_back();
    for (const cParticleEmitterDesc& emitter : data->effect.emitters)
        for (const cParticleLayerDesc& layer : emitter.layers)
            if (layer.maxParticles > QUAD_CAPACITY)
                throw CPyroException("Particle effect \"" + name + "\": emitter \"" + emitter.name + "\" holds up to " +
                                     std::to_string(layer.maxParticles) + " particles in a layer; the library draws " +
                                     std::to_string(QUAD_CAPACITY) + " at most");
    std::vector<uint32_t> ids;
    for (size_t i = 0; i < data->effect.emitters.size(); ++i)
        ids.push_back(m_nextEmitterId++);
    auto* file = new cParticleEffectFile(*this, data, ids);
    m_files.insert(file);
    for (size_t i = 0; i < ids.size(); ++i)
        m_emitters[ids[i]] = {file, i};
    return file;
}

void cParticleLibrary::destroyFile(IParticleFile* file) {
    auto found = m_files.find(static_cast<cParticleEffectFile*>(file));
    if (found == m_files.end())
        return;
    m_files.erase(found);
    for (auto it = m_emitters.begin(); it != m_emitters.end();)
        it = it->second.first == file ? m_emitters.erase(it) : std::next(it);
    // Its textures go now, while the device that made them exists, even if instances remain.
    file->unprepare();
    delete file;
}

IParticleEffectInstance* cParticleLibrary::createEffect(uint32_t emitterId) {
    auto found = m_emitters.find(emitterId);
    if (found == m_emitters.end())
        return nullptr;
    const uint32_t seed = m_nextSeed;
    m_nextSeed = m_nextSeed * 214013u + 2531011u;
    return new cParticleEffectInstance(*this, found->second.first->getData(), found->second.second, seed);
}

void cParticleLibrary::destroyEffect(IParticleEffectInstance* effect) {
    delete effect;
}

} // namespace Engine
