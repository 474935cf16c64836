#include "EffectPreview.h"

#include "engine/media/ImageDecoder.h"
#include "engine/media/ParticleEffectInstance.h"
#include "engine/media/ParticleLibrary.h"

#include <algorithm>
#include <cmath>
#include <locale>
#include <memory>
#include <sstream>

namespace Pfxc {

using namespace Engine;

namespace {

struct cTexture {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
};

void paintQuad(cPicture& out, int frameX, const cParticleVertex* v, const cTexture* texture, bool additive) {
    // Corners: top-left, bottom-left, bottom-right, top-right.
    const float ex = v[3].x - v[0].x, ey = v[3].y - v[0].y; // along u
    const float fx = v[1].x - v[0].x, fy = v[1].y - v[0].y; // along v
    const float det = ex * fy - ey * fx;
    if (std::fabs(det) < 1e-6f)
        return;
    float minX = v[0].x, maxX = v[0].x, minY = v[0].y, maxY = v[0].y;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, v[i].x);
        maxX = std::max(maxX, v[i].x);
        minY = std::min(minY, v[i].y);
        maxY = std::max(maxY, v[i].y);
    }
    const int size = out.height;
    const uint32_t c = v[0].color;
    const float cr = float((c >> 16) & 0xFF) / 255, cg = float((c >> 8) & 0xFF) / 255, cb = float(c & 0xFF) / 255,
                ca = float(c >> 24) / 255;
    for (int y = std::max(0, int(minY)); y <= std::min(size - 1, int(maxY)); ++y)
        for (int x = std::max(0, int(minX)); x <= std::min(size - 1, int(maxX)); ++x) {
            const float px = float(x) + 0.5f - v[0].x, py = float(y) + 0.5f - v[0].y;
            const float u = (px * fy - py * fx) / det, w = (ex * py - ey * px) / det;
            if (u < 0 || u > 1 || w < 0 || w > 1)
                continue;
            float a = ca;
            if (texture) {
                int tx = std::min(texture->width - 1, int(u * float(texture->width)));
                int ty = std::min(texture->height - 1, int(w * float(texture->height)));
                a *= float(texture->argb[size_t(ty * texture->width + tx)] >> 24) / 255;
            }
            uint8_t* d = &out.rgba[(size_t(y) * size_t(out.width) + size_t(frameX + x)) * 4];
            const float src[3] = {cr, cg, cb};
            for (int k = 0; k < 3; ++k) {
                float value = float(d[k]) / 255;
                value = additive ? value + src[k] * a : value * (1 - a) + src[k] * a;
                d[k] = uint8_t(std::lround(std::min(1.0f, value) * 255));
            }
        }
}

} // namespace

cPreviewOptions cEffectPreview::readOptions(const std::string& xml) {
    cPreviewOptions options;
    const size_t at = xml.find("<preview");
    if (at == std::string::npos)
        return options;
    const std::string element = xml.substr(at, xml.find('>', at) - at);
    options.circlePath = element.find("path=\"circle\"") != std::string::npos;
    const size_t times = element.find("times=\"");
    if (times != std::string::npos) {
        std::istringstream in(element.substr(times + 7, element.find('"', times + 7) - times - 7));
        in.imbue(std::locale::classic());
        options.times.clear();
        float t;
        while (in >> t)
            options.times.push_back(t);
    }
    return options;
}

cPicture cEffectPreview::render(const std::vector<uint8_t>& effectFile, const cParticleEffectDesc& effect,
                                const cPreviewOptions& options) {
    std::vector<cTexture> textures(effect.textures.size());
    for (size_t i = 0; i < textures.size(); ++i) {
        cImage image;
        cImageDecoder::decode(effect.textures[i].data(), effect.textures[i].size(), image);
        textures[i] = {image.width, image.height, image.pixels};
    }
    const int size = options.frameSize;
    cPicture out;
    out.width = size * int(options.times.size());
    out.height = size;
    out.rgba.resize(size_t(out.width) * size_t(out.height) * 4);
    for (size_t i = 0; i < out.rgba.size(); i += 4) {
        out.rgba[i] = 0x3E;
        out.rgba[i + 1] = 0x8E;
        out.rgba[i + 2] = 0x41;
        out.rgba[i + 3] = 255;
    }
    cParticleLibrary library;
    IParticleFile* file = library.loadBytes(effectFile.data(), effectFile.size(), "preview");
    const std::vector<cParticleLayerDesc>& layers = effect.emitters[0].layers;
    for (size_t frame = 0; frame < options.times.size(); ++frame) {
        std::unique_ptr<cParticleEffectInstance> instance(
            static_cast<cParticleEffectInstance*>(library.createEffect(file->getEmitter(0)->getId())));
        const float centre = float(size) / 2;
        for (float t = 0; t < options.times[frame] - 1e-4f; t += 0.05f) {
            float x = centre, y = centre;
            if (options.circlePath) {
                x += 60 * std::cos(t * 4);
                y += 60 * std::sin(t * 4);
            }
            instance->advanceTime(t, 0.05f);
            instance->update(t, 0.05f, x, y, 0, 1);
        }
        std::vector<cParticleVertex> vertices;
        instance->fillVertices(vertices);
        size_t quad = 0;
        for (size_t l = 0; l < layers.size(); ++l) {
            const cTexture* texture = layers[l].texture < textures.size() ? &textures[layers[l].texture] : nullptr;
            for (size_t p = 0; p < instance->getParticles(l).size(); ++p, ++quad)
                paintQuad(out, int(frame) * size, &vertices[quad * 4], texture,
                          layers[l].blend == PARTICLE_BLEND_ADDITIVE);
        }
    }
    library.destroyFile(file);
    return out;
}

} // namespace Pfxc
