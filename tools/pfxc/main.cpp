// pfxc: compiles an XML effect description into our binary particle effect format.
// Usage: pfxc INPUT.xml OUTPUT.pfx [PREVIEW.png]

#include "EffectCompiler.h"
#include "EffectPreview.h"
#include "TexturePainter.h"

#include "engine/media/ParticleEffectFormat.h"
#include "engine/media/ParticleLibrary.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw "cannot write " + path;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: pfxc INPUT.xml OUTPUT.pfx [PREVIEW.png]\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in)
            throw std::string("cannot read ") + argv[1];
        const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Engine::cParticleEffectDesc effect = Pfxc::cEffectCompiler::compile(xml);
        // The writer checks what the engine's reader will check, and the library what it can draw.
        const std::vector<uint8_t> bytes = Engine::cParticleEffectFormat::write(effect);
        for (const Engine::cParticleEmitterDesc& emitter : effect.emitters)
            for (const Engine::cParticleLayerDesc& layer : emitter.layers)
                if (layer.maxParticles > Engine::cParticleLibrary::QUAD_CAPACITY)
                    throw "emitter \"" + emitter.name + "\": a layer holds more particles than the library draws (" +
                        std::to_string(Engine::cParticleLibrary::QUAD_CAPACITY) + ")";
        writeFile(argv[2], bytes);
        if (argc == 4) {
            Pfxc::cPicture preview =
                Pfxc::cEffectPreview::render(bytes, effect, Pfxc::cEffectPreview::readOptions(xml));
            writeFile(argv[3], Pfxc::cTexturePainter::encodePng(preview));
        }
    } catch (const std::string& error) {
        std::cerr << argv[1] << ": " << error << "\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << argv[1] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
