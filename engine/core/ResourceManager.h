#pragma once

// The engine's resource service: every file-backed resource is created from a path of the file
// system's name space, cached under that path (lower case) and handed out with a reference.
// Kinds outside the core (textures, fonts, sounds...) register their loaders with setLoader.

#include "engine/core/Resource.h"
#include "engine/core/Singleton.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace Engine {

class IXmlNode;

// Creates a resource of one kind from its path; throws when the file cannot be loaded.
using tResourceLoader = std::function<cResource*(const std::string& path)>;

class IResourceManager {
public:
    virtual ~IResourceManager() = default;

    // The cached document of that path (loaded on first use), with one more reference.
    virtual IXmlNode* getXml(const std::string& path) = 0;
    // Drops the path (compared exactly) from the cache without destroying the resource, so the
    // next get reads the file again.
    virtual void forgetResource(const std::string& path) = 0;
    virtual void unregister(const cResource* resource) = 0;
    // Throws "Unknown resource." when the resource is not registered.
    virtual std::string getResourceName(const cResource* resource) const = 0;
    // The resource registered under exactly that path, or null; no reference is added.
    virtual cResource* findEntry(const std::string& path) const = 0;

    // Shared rule of the typed getters: the cached resource of the lower-cased path (throws
    // "Wrong resource type." when it is of another kind) with one more reference, or a new one
    // made by the kind's loader.
    virtual cResource* getResource(const std::string& path, int kind) = 0;
    virtual void setLoader(int kind, tResourceLoader loader) = 0;
};

class cResourceManager : public IResourceManager, public cSingleton<cResourceManager> {
public:
    cResourceManager();
    ~cResourceManager() override;

    IXmlNode* getXml(const std::string& path) override;
    void forgetResource(const std::string& path) override;
    void unregister(const cResource* resource) override;
    std::string getResourceName(const cResource* resource) const override;
    cResource* findEntry(const std::string& path) const override;
    cResource* getResource(const std::string& path, int kind) override;
    void setLoader(int kind, tResourceLoader loader) override;

private:
    std::map<std::string, cResource*> m_names;
    std::map<const cResource*, std::string> m_owners;
    std::map<int, tResourceLoader> m_loaders;
};

// The resource manager; null before it is created and after it is destroyed.
cResourceManager* getResourceManager();

} // namespace Engine
