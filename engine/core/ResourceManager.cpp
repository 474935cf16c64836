#include "engine/core/ResourceManager.h"

#include "engine/core/FileSystem.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"

namespace Engine {

cResourceManager* getResourceManager() { return cResourceManager::getInstance(); }

cResourceManager::cResourceManager() {
    m_loaders[RESOURCE_XML] = [](const std::string& path) -> cResource* { return new cXmlDocument(path); };
    // Files written, moved or deleted must be read again at the next get.
    if (IFileSystem* fileSystem = getFileSystem())
        fileSystem->setForgetHook([this](const std::string& name) { forgetResource(name); });
}

cResourceManager::~cResourceManager() {
    if (IFileSystem* fileSystem = getFileSystem())
        fileSystem->setForgetHook(nullptr);
    // Each deletion unregisters the resource and so shrinks the map.
    while (!m_names.empty()) {
        cResource* resource = m_names.begin()->second;
        if (m_owners.count(resource)) {
            delete resource;
        } else {
            m_names.erase(m_names.begin());
        }
    }
    m_owners.clear();
}

IXmlNode* cResourceManager::getXml(const std::string& path) {
    return static_cast<cXmlDocument*>(getResource(path, RESOURCE_XML));
}

cResource* cResourceManager::getResource(const std::string& path, int kind) {
    std::string key = path;
    toLowerNarrow(key);
    auto found = m_names.find(key);
    if (found != m_names.end()) {
        if (found->second->getKind() != kind)
            throw "Wrong resource type.";
        found->second->addRef();
        return found->second;
    }
    auto loader = m_loaders.find(kind);
    if (loader == m_loaders.end() || !loader->second)
        throw cStringA("No loader for the resource \"" + path + "\".");
    cResource* resource = loader->second(key);
    m_names[key] = resource;
    m_owners[resource] = key;
    return resource;
}

void cResourceManager::setLoader(int kind, tResourceLoader loader) { m_loaders[kind] = std::move(loader); }

void cResourceManager::forgetResource(const std::string& path) {
    auto found = m_names.find(path);
    if (found == m_names.end())
        return;
    auto owner = m_owners.find(found->second);
    if (owner != m_owners.end() && owner->second == path)
        m_owners.erase(owner);
    m_names.erase(found);
}

void cResourceManager::unregister(const cResource* resource) {
    auto owner = m_owners.find(resource);
    if (owner == m_owners.end())
        return;
    auto named = m_names.find(owner->second);
    if (named != m_names.end() && named->second == resource)
        m_names.erase(named);
    m_owners.erase(owner);
}

std::string cResourceManager::getResourceName(const cResource* resource) const {
    auto owner = m_owners.find(resource);
    if (owner == m_owners.end())
        throw "Unknown resource.";
    return owner->second;
}

cResource* cResourceManager::findEntry(const std::string& path) const {
    auto found = m_names.find(path);
    return found == m_names.end() ? nullptr : found->second;
}

} // namespace Engine
