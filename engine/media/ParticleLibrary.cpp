#include "engine/media/ParticleLibrary.h"

#include "engine/core/Log.h"
#include "engine/media/ImageDecoder.h"
#include "engine/media/ParticleEffectFile.h"
#include "engine/media/ParticleEffectInstance.h"
#include "engine/media/PyroFileStream.h"

#include <algorithm>
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
    // The sheet and the batch buffer belong to the device that made them.
    releaseSheet();
    m_batchBuffer.reset();
    m_batchBufferQuads = 0;
    m_batchVertices.clear();
    m_batching = false;
    m_device = device;
    ++m_deviceGeneration;
}

void cParticleLibrary::releaseSheet() {
    m_sheet.reset();
    m_regions.clear();
    m_sheetMade = false;
}

void cParticleLibrary::makeSheet() {
    releaseSheet();
    m_sheetMade = true;
    if (!m_device)
        return;
    // Each texture with a border of one texel that repeats its edge, so that linear sampling
    // at a region's edge reads what a clamped texture of its own would; texel (1, 1) is white.
    struct cPlace {
        const cParticleFileData::cPixels* pixels;
        uint32_t x, y;
    };
    constexpr uint32_t MAX_SIDE = 2048;
    std::vector<const cParticleFileData*> files;
    uint32_t width = 256;
    for (const cParticleEffectFile* file : m_files) {
        files.push_back(file->getData().get());
        for (const cParticleFileData::cPixels& pixels : file->getData()->pixels)
            while (pixels.width + 2 > width && width < MAX_SIDE)
                width *= 2;
    }
    std::vector<cPlace> places;
    std::map<const cParticleFileData*, std::pair<size_t, size_t>> ranges;
    uint32_t x = 3, y = 0, shelf = 3;
    for (const cParticleFileData* data : files) {
        const size_t first = places.size();
        uint32_t fx = x, fy = y, fshelf = shelf;
        bool fits = true;
        for (const cParticleFileData::cPixels& pixels : data->pixels) {
            const uint32_t w = pixels.width + 2, h = pixels.height + 2;
            if (fx + w > width) {
                fx = 0;
                fy += fshelf;
                fshelf = 0;
            }
            if (w > width || fy + h > MAX_SIDE) {
                fits = false;
                break;
            }
            places.push_back({&pixels, fx + 1, fy + 1});
            fx += w;
            fshelf = std::max(fshelf, h);
        }
        if (!fits) {
            // Left off the sheet: its effects draw on their own.
            places.resize(first);
            continue;
        }
        x = fx, y = fy, shelf = fshelf;
        ranges[data] = {first, places.size()};
    }
    const uint32_t height = y + shelf;
    std::vector<uint8_t> rgba(size_t(width) * height * 4, 0);
    auto texel = [&](uint32_t tx, uint32_t ty) { return rgba.data() + (size_t(ty) * width + tx) * 4; };
    for (uint32_t ty = 0; ty < 3; ++ty)
        for (uint32_t tx = 0; tx < 3; ++tx)
            std::fill(texel(tx, ty), texel(tx, ty) + 4, uint8_t(255));
    for (const cPlace& place : places) {
        const cParticleFileData::cPixels& p = *place.pixels;
        for (int32_t ty = -1; ty <= int32_t(p.height); ++ty)
            for (int32_t tx = -1; tx <= int32_t(p.width); ++tx) {
                const uint32_t sx = uint32_t(std::min(std::max(tx, 0), int32_t(p.width) - 1));
                const uint32_t sy = uint32_t(std::min(std::max(ty, 0), int32_t(p.height) - 1));
                const uint8_t* from = p.rgba.data() + (size_t(sy) * p.width + sx) * 4;
                uint8_t* to = texel(uint32_t(int32_t(place.x) + tx), uint32_t(int32_t(place.y) + ty));
                // Premultiplied: an additive and an alpha layer then blend alike.
                for (int c = 0; c < 3; ++c)
                    to[c] = uint8_t((uint32_t(from[c]) * from[3] + 127) / 255);
                to[3] = from[3];
            }
    }
    if (m_device->createTexture(m_sheet, cPyroImage{rgba.data(), width, height}, 0) < 0 || !m_sheet) {
        m_sheet.reset();
        return;
    }
    const float fw = float(width), fh = float(height);
    for (const auto& range : ranges) {
        std::vector<cSheetRegion>& regions = m_regions[range.first];
        for (size_t i = range.second.first; i < range.second.second; ++i) {
            const cPlace& place = places[i];
            regions.push_back({float(place.x) / fw, float(place.y) / fh, float(place.x + place.pixels->width) / fw,
                               float(place.y + place.pixels->height) / fh});
        }
        // The white texel's centre, for layers without a texture.
        regions.push_back({1.5f / fw, 1.5f / fh, 1.5f / fw, 1.5f / fh});
    }
}

const std::vector<cParticleLibrary::cSheetRegion>* cParticleLibrary::getSheetRegions(const cParticleFileData* data) {
    // Only a file whose textures are all on the device: it would draw untextured otherwise.
    if (data->textures.size() != data->pixels.size())
        return nullptr;
    for (const auto& texture : data->textures)
        if (!texture)
            return nullptr;
    if (!m_sheetMade)
        makeSheet();
    if (!m_sheet)
        return nullptr;
    auto found = m_regions.find(data);
    return found == m_regions.end() ? nullptr : &found->second;
}

void cParticleLibrary::beginBatch() {
    if (m_batching)
        flushBatch();
    m_batching = true;
}

void cParticleLibrary::endBatch() {
    flushBatch();
    m_batching = false;
}

void cParticleLibrary::addBatchQuads(const std::vector<cParticleVertex>& vertices) {
    m_batchVertices.insert(m_batchVertices.end(), vertices.begin(), vertices.end());
}

void cParticleLibrary::flushBatch() {
    const uint32_t quads = uint32_t(m_batchVertices.size() / 4);
    if (quads == 0 || !m_device || !m_sheet) {
        m_batchVertices.clear();
        return;
    }
    if (!m_batchBuffer || m_batchBufferQuads < quads) {
        m_batchBuffer.reset();
        // Room to grow, so that a busier frame does not make a buffer again each time.
        const uint32_t room = std::max(quads + quads / 2, 1024u);
        if (m_device->createVertexBuffer(m_batchBuffer, room * 4, sizeof(cParticleVertex), PARTICLE_VERTEX_FLAGS, 0) <
                0 ||
            !m_batchBuffer) {
            m_batchBuffer.reset();
            m_batchBufferQuads = 0;
            m_batchVertices.clear();
            return;
        }
        m_batchBufferQuads = room;
    }
    const int32_t result =
        m_batchBuffer->update(m_batchVertices.data(), 0, uint32_t(m_batchVertices.size() * sizeof(cParticleVertex)));
    m_batchVertices.clear();
    if (result < 0)
        return;
    m_device->setRenderState(PYRO_STATE_ALPHA_BLEND, 1);
    // An additive quad's alpha is 0: a test on alpha would drop it.
    m_device->setRenderState(PYRO_STATE_ALPHA_TEST, 0);
    m_device->setTexture(0, m_sheet.get());
    m_device->setBlendFunc(1, 5);
    for (uint32_t done = 0; done < quads;) {
        const uint32_t chunk = std::min(quads - done, QUAD_CAPACITY);
        m_device->drawQuads(m_batchBuffer.get(), done, chunk);
        done += chunk;
    }
    m_device->setTexture(0, nullptr);
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
    releaseSheet();
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
    releaseSheet();
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
