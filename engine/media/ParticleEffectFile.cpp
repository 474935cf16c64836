#include "engine/media/ParticleEffectFile.h"

namespace Engine {

cParticleEffectFile::cParticleEffectFile(cParticleLibrary& library, std::shared_ptr<cParticleFileData> data,
                                         const std::vector<uint32_t>& emitterIds)
    : m_library(library), m_data(std::move(data)) {
    for (uint32_t id : emitterIds)
        m_emitters.emplace_back(id);
}

void cParticleEffectFile::prepare() {
    unprepare();
    IPyroGraphicsDevice* device = m_library.getGraphicsDevice();
    if (!device)
        return;
    m_data->textures.resize(m_data->pixels.size());
    for (size_t i = 0; i < m_data->pixels.size(); ++i) {
        const cParticleFileData::cPixels& pixels = m_data->pixels[i];
        // A texture the device refuses leaves its particles untextured rather than unseen.
        device->createTexture(m_data->textures[i], cPyroImage{pixels.rgba.data(), pixels.width, pixels.height}, 0);
    }
}

void cParticleEffectFile::unprepare() {
    m_data->textures.clear();
}

} // namespace Engine
