#include "engine/media/VertexShader.h"

#include "engine/core/DirectXError.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/media/TextureFactory.h"

namespace Engine {

cVertexShader* IResourceManager::getVertexShader(const std::string& path) {
    return static_cast<cVertexShader*>(getDeviceResource(path, RESOURCE_VERTEX_SHADER));
}

cVertexShader::cVertexShader(const std::string& path) : cResource(path) {
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem || !getTextureFactory())
        throw cStringA("Cannot load vertex shader \"" + path + "\": no file system or graphics device.");
    if (fileSystem->readFile(path, m_bytes) <= 0)
        throw cStringA("Cannot load vertex shader \"" + path + "\": the file is empty.");
    load();
}

cVertexShader::~cVertexShader() {
    unload();
}

int cVertexShader::getKind() const {
    return RESOURCE_VERTEX_SHADER;
}

void cVertexShader::load() {
    cTextureFactory* factory = getTextureFactory();
    if (!factory || m_handle)
        return;
    const Platform::tResult result = factory->createVertexShader(m_bytes.data(), m_bytes.size(), m_handle);
    if (result != Platform::RESULT_OK)
        throwDirectXError(result, "CreateVertexShader(...)");
}

void cVertexShader::unload() {
    if (cTextureFactory* factory = getTextureFactory())
        factory->deleteVertexShader(m_handle);
    m_handle = 0;
}

} // namespace Engine
