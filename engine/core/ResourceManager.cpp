#include "engine/core/ResourceManager.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/FileSystem.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"

#include <vector>

namespace Engine {

namespace {

// Atlas paths and picture names: lower case with '/' as separator.
std::string atlasName(const std::wstring& text) {
    std::wstring name = text;
    toLowerWide(name);
    replaceChar(name, L'\\', L'/');
    return lowerCaseNarrow(wideToNarrow(name));
}

} // namespace

cResourceManager* getResourceManager() {
    return cResourceManager::getInstance();
}

cResourceManager::cResourceManager() {
    m_loaders[RESOURCE_XML] = [](const std::string& path) -> cResource* { return new cXmlDocument(path); };
    // Files written, moved or deleted must be read again at the next get.
    IFileSystem* fileSystem = getFileSystem();
    if (fileSystem)
        fileSystem->setForgetHook([this](const std::string& name) { forgetResource(name); });
    if (fileSystem && fileSystem->exists("atlases.xml")) {
        try {
            readAtlases();
        } catch (...) {
            // No destructor runs for a constructor that throws: the documents read so far and
            // the forget hook go here.
            releaseAll();
            throw;
        }
    }
}

cResourceManager::~cResourceManager() {
    releaseAll();
}

void cResourceManager::releaseAll() {
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
    for (cResource* document : m_forgottenDocuments)
        delete document;
    m_forgottenDocuments.clear();
    m_atlasMap.clear();
    m_atlasImages.clear();
    m_deviceSet.clear();
    m_owners.clear();
}

void cResourceManager::readAtlases() {
    const cDocumentHold atlases(getXml("atlases.xml"));
    for (int i = 0; i < atlases->getNodeCount(); ++i) {
        IXmlNode* atlas = nullptr;
        if (!atlases->getNodeAt(i, atlas))
            continue;
        std::wstring text;
        atlas->getValue("Path", text);
        m_atlasImages.push_back(atlasName(text));
        const int32_t index = int32_t(m_atlasImages.size()) - 1;

        std::wstring mapPath;
        atlas->getValue("Map", mapPath);
        const cDocumentHold map(getXml(wideToNarrow(mapPath)));
        // A picture without "Pos" or "Size" keeps the previous picture's values.
        cAtlasFrame frame;
        frame.index = index;
        for (int j = 0; j < map->getNodeCount(); ++j) {
            IXmlNode* picture = nullptr;
            if (!map->getNodeAt(j, picture))
                continue;
            std::wstring name;
            picture->getValue("Name", name);
            picture->getValue("Pos", frame.position);
            picture->getValue("Size", frame.size);
            m_atlasMap.insert({atlasName(name), frame});
        }
    }
}

IXmlNode* cResourceManager::getXml(const std::string& path) {
    return static_cast<cXmlDocument*>(getResource(path, RESOURCE_XML));
}

cResource* cResourceManager::getResource(const std::string& path, int kind) {
    const std::string key = lowerCaseNarrow(path);
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

cResource* cResourceManager::getDeviceResource(const std::string& path, int kind) {
    cResource* resource = getResource(path, kind);
    m_deviceSet.insert(resource);
    return resource;
}

void cResourceManager::setLoader(int kind, tResourceLoader loader) {
    m_loaders[kind] = std::move(loader);
}

void cResourceManager::setGetter(int kind, tResourceLoader getter) {
    m_getters[kind] = std::move(getter);
}

cResource* cResourceManager::getByKind(const std::string& path, int kind) {
    auto getter = m_getters.find(kind);
    if (getter != m_getters.end() && getter->second)
        return getter->second(path);
    if (kind == RESOURCE_TEXTURE || kind == RESOURCE_VERTEX_SHADER || kind == RESOURCE_MESH)
        return getDeviceResource(path, kind);
    return getResource(path, kind);
}

void cResourceManager::forgetResource(const std::string& path) {
    auto found = m_names.find(path);
    if (found == m_names.end())
        return;
    cResource* resource = found->second;
    auto owner = m_owners.find(resource);
    if (owner != m_owners.end() && owner->second == path)
        m_owners.erase(owner);
    m_deviceSet.erase(resource);
    m_names.erase(found);
    if (resource->getKind() == RESOURCE_XML)
        m_forgottenDocuments.push_back(resource);
}

void cResourceManager::unregister(const cResource* resource) {
    auto owner = m_owners.find(resource);
    if (owner == m_owners.end())
        return;
    auto named = m_names.find(owner->second);
    if (named != m_names.end() && named->second == resource)
        m_names.erase(named);
    m_deviceSet.erase(const_cast<cResource*>(resource));
    m_owners.erase(owner);
}

void cResourceManager::destroyAllSounds() {
    std::vector<cResource*> sounds;
    for (cResource* resource : m_deviceSet)
        if (resource->getKind() == RESOURCE_SOUND)
            sounds.push_back(resource);
    for (cResource* sound : sounds)
        delete sound;
}

void cResourceManager::unloadAll() {
    for (cResource* resource : m_deviceSet)
        resource->unload();
}

void cResourceManager::loadAll() {
    for (cResource* resource : m_deviceSet)
        resource->load();
}

void cResourceManager::reloadTextures() {
    for (auto& entry : m_owners)
        if (entry.first->getKind() == RESOURCE_TEXTURE) {
            cResource* texture = const_cast<cResource*>(entry.first);
            texture->unload();
            texture->load();
        }
}

std::string cResourceManager::getResourceName(const cResource* resource) const {
    auto owner = m_owners.find(resource);
    if (owner == m_owners.end())
        throw "Unknown resource.";
    return owner->second;
}

void cResourceManager::writeResourceLog(const std::string& path) {
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<ResourceLog>\n";
    for (const auto& entry : m_owners) {
        text += L"<Tag Path=\"" + escapeXml(narrowToWide(entry.second)) + L"\"";
        text += L" Type=\"" + narrowToWide(std::to_string(entry.first->getKind())) + L"\"";
        text += L" />\n";
    }
    text += L"</ResourceLog>";

    const std::string bytes = wideToUtf16Bytes(text);
    std::unique_ptr<cFile> file = getFileSystem()->openWrite(path, true);
    if (file->write(bytes.data(), int32_t(bytes.size())) != int32_t(bytes.size()))
        throw cStringA("Cannot write the resource log \"" + path + "\".");
    file->close();
}

void cResourceManager::readResourceLog(const IXmlNode* root, int first, int end) {
    if (!root)
        return;
    for (int i = first; i < end; ++i) {
        IXmlNode* entry = nullptr;
        if (!root->getNodeAt(i, entry))
            continue;
        const std::string path = wideToNarrow(entry->getAttribute(L"Path"));
        int kind = -1;
        parseInt(kind, entry->getAttribute(L"Type"));
        if (kind < RESOURCE_TEXTURE || kind > RESOURCE_ANIMATION)
            continue;
        getByKind(path, kind)->decRef();
    }
}

void cResourceManager::destroyUnreferenced() {
    // Collect first: each deletion unregisters its resource and so changes the maps.
    std::vector<cResource*> unused;
    for (const auto& entry : m_names)
        if (entry.second->getRefCount() <= 0)
            unused.push_back(entry.second);
    for (cResource* resource : unused)
        delete resource;
}

void cResourceManager::purgeUnused() {
    destroyUnreferenced();
}

void cResourceManager::collectNames(std::set<std::string>& names) const {
    names.clear();
    for (const auto& entry : m_owners)
        names.insert(entry.second);
}

int cResourceManager::kindFromExtension(const std::string& extension) {
    static const std::map<std::string, int> kinds = {
        {"dds", RESOURCE_TEXTURE},   {"jng", RESOURCE_TEXTURE}, {"png", RESOURCE_TEXTURE},
        {"jpg", RESOURCE_TEXTURE},   {"tga", RESOURCE_TEXTURE}, {"bmp", RESOURCE_TEXTURE},
        {"xml", RESOURCE_XML},       {"fnt", RESOURCE_FONT},    {"vsh", RESOURCE_VERTEX_SHADER},
        {"ogg", RESOURCE_SOUND},     {"wav", RESOURCE_SOUND},   {"mesh", RESOURCE_MESH},
        {"anim", RESOURCE_ANIMATION}};
    auto found = kinds.find(extension);
    return found == kinds.end() ? RESOURCE_UNKNOWN : found->second;
}

void cResourceManager::getByExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    const int kind =
        kindFromExtension(dot == std::string::npos ? std::string() : lowerCaseNarrow(path.substr(dot + 1)));
    if (kind != RESOURCE_UNKNOWN)
        getByKind(path, kind);
}

cResource* cResourceManager::findEntry(const std::string& path) const {
    auto found = m_names.find(path);
    return found == m_names.end() ? nullptr : found->second;
}

bool cResourceManager::isAtlasImage(const std::string& path) const {
    for (const std::string& image : m_atlasImages)
        if (image == path)
            return true;
    return false;
}

bool cResourceManager::hasAtlasEntryFor(const cResource* resource) const {
    return resource && hasAtlasEntry(resource->getName());
}

bool cResourceManager::hasAtlasEntry(const std::string& name) const {
    return m_atlasMap.count(lowerCaseNarrow(name)) > 0;
}

const cAtlasFrame& cResourceManager::getAtlasEntry(const std::string& name) const {
    static const cAtlasFrame noFrame;
    auto found = m_atlasMap.find(lowerCaseNarrow(name));
    return found == m_atlasMap.end() ? noFrame : found->second;
}

bool cResourceManager::findAtlasImage(const std::string& name, std::string& imagePath) const {
    auto found = m_atlasMap.find(lowerCaseNarrow(name));
    if (found == m_atlasMap.end() || found->second.index < 0 || size_t(found->second.index) >= m_atlasImages.size())
        return false;
    imagePath = m_atlasImages[size_t(found->second.index)];
    return true;
}

} // namespace Engine
