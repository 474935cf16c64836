#pragma once

// The engine's resource service: every file-backed resource is created from a path of the file
// system's name space, cached under that path (lower case) and handed out with a reference.
// Resources are deleted only by a purge of the unreferenced ones or when the manager ends.
// Kinds outside the core (textures, fonts, sounds...) register their loaders with setLoader;
// their typed getters are defined by the library that holds the kind's class.
// The manager also owns the atlas table of "atlases.xml" and writes and reads the resource log.

#include "engine/core/Resource.h"
#include "engine/core/Singleton.h"
#include "engine/core/Vector2.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace Engine {

class IXmlNode;
class cTexture;
class cFontResource;
class cSoundSample;
class cMesh;
class cMeshAnimation;
class cVertexShader;

// Creates a resource of one kind from its path; throws when the file cannot be loaded.
using tResourceLoader = std::function<cResource*(const std::string& path)>;

// Where a picture of an atlas lies: the atlas image's index (below 0: no frame), the top-left
// corner and the size, in image pixels.
struct cAtlasFrame {
    int32_t index = -1;
    cVector2 position;
    cVector2 size;
};

class IResourceManager {
public:
    virtual ~IResourceManager() = default;

    // Typed getters: the cached resource of the lower-cased path with one more reference, or a
    // new one. Defined with their classes (engine/media), so only code that links them calls them.
    // A texture path that names a picture of an atlas gives the atlas image's texture.
    cTexture* getTexture(const std::string& path);
    cFontResource* getFont(const std::string& path);
    cSoundSample* getSoundSample(const std::string& path);
    cMesh* getMesh(const std::string& path);
    cMeshAnimation* getAnimation(const std::string& path);
    cVertexShader* getVertexShader(const std::string& path);
    // The texture's atlas flag; false for no texture.
    bool isAtlasTexture(const cTexture* texture) const;

    // The cached document of that path (loaded on first use), with one more reference.
    virtual IXmlNode* getXml(const std::string& path) = 0;
    // Drops the path (compared exactly) from the cache without destroying the resource, so the
    // next get reads the file again.
    virtual void forgetResource(const std::string& path) = 0;
    virtual void unregister(const cResource* resource) = 0;
    // Deletes every sound sample of the device set (samples never enter it).
    virtual void destroyAllSounds() = 0;
    // unload or load on every resource of the device set.
    virtual void unloadAll() = 0;
    virtual void loadAll() = 0;
    // unload then load on every registered texture.
    virtual void reloadTextures() = 0;
    // Throws "Unknown resource." when the resource is not registered.
    virtual std::string getResourceName(const cResource* resource) const = 0;
    // Writes the list of cached paths and kinds (UTF-16 XML) to the user folder.
    virtual void writeResourceLog(const std::string& path) = 0;
    // Gets and at once releases the resources of the log entries [first, end) of the root.
    virtual void readResourceLog(const IXmlNode* root, int first, int end) = 0;
    // Delete every registered resource whose reference count is 0 or less.
    virtual void destroyUnreferenced() = 0;
    virtual void purgeUnused() = 0;
    // Clears the set and inserts every registered path.
    virtual void collectNames(std::set<std::string>& names) const = 0;
    // Takes a reference on the resource of the kind the path's extension names; nothing for an
    // unknown extension.
    virtual void getByExtension(const std::string& path) = 0;
    // The resource registered under exactly that path, or null; no reference is added.
    virtual cResource* findEntry(const std::string& path) const = 0;
    virtual bool isAtlasImage(const std::string& path) const = 0;
    virtual bool hasAtlasEntryFor(const cResource* resource) const = 0;
    virtual bool hasAtlasEntry(const std::string& name) const = 0;
    // The frame of a picture name in any letter case, or "no frame" (index -1) when none.
    virtual const cAtlasFrame& getAtlasEntry(const std::string& name) const = 0;
    // The atlas image path that a picture name stands for; false when it is no picture.
    virtual bool findAtlasImage(const std::string& name, std::string& imagePath) const = 0;

    // Shared rule of the typed getters: the cached resource of the lower-cased path (throws
    // "Wrong resource type." when it is of another kind) with one more reference, or a new one
    // made by the kind's loader. The device variant also enters it in the device set.
    virtual cResource* getResource(const std::string& path, int kind) = 0;
    virtual cResource* getDeviceResource(const std::string& path, int kind) = 0;
    virtual void setLoader(int kind, tResourceLoader loader) = 0;
    // How the log reader and getByExtension get a resource of a kind whose typed getter does more
    // than the shared rule (textures map atlas pictures); set with the kind's loader.
    virtual void setGetter(int kind, tResourceLoader getter) = 0;
};

class cResourceManager : public IResourceManager, public cSingleton<cResourceManager> {
public:
    // Reads "atlases.xml" and its map files when the file system holds it.
    cResourceManager();
    ~cResourceManager() override;

    IXmlNode* getXml(const std::string& path) override;
    void forgetResource(const std::string& path) override;
    void unregister(const cResource* resource) override;
    void destroyAllSounds() override;
    void unloadAll() override;
    void loadAll() override;
    void reloadTextures() override;
    std::string getResourceName(const cResource* resource) const override;
    void writeResourceLog(const std::string& path) override;
    void readResourceLog(const IXmlNode* root, int first, int end) override;
    void destroyUnreferenced() override;
    void purgeUnused() override;
    void collectNames(std::set<std::string>& names) const override;
    void getByExtension(const std::string& path) override;
    cResource* findEntry(const std::string& path) const override;
    bool isAtlasImage(const std::string& path) const override;
    bool hasAtlasEntryFor(const cResource* resource) const override;
    bool hasAtlasEntry(const std::string& name) const override;
    const cAtlasFrame& getAtlasEntry(const std::string& name) const override;
    bool findAtlasImage(const std::string& name, std::string& imagePath) const override;
    cResource* getResource(const std::string& path, int kind) override;
    cResource* getDeviceResource(const std::string& path, int kind) override;
    void setLoader(int kind, tResourceLoader loader) override;
    void setGetter(int kind, tResourceLoader getter) override;

    // The kind of a lower-case extension ("png" -> RESOURCE_TEXTURE); RESOURCE_UNKNOWN otherwise.
    static int kindFromExtension(const std::string& extension);

private:
    void readAtlases();
    // Deletes every resource it owns and lets go of the file system's forget hook.
    void releaseAll();
    // Gets a resource of a kind as its typed getter would (kinds 0 to 6).
    cResource* getByKind(const std::string& path, int kind);

    std::map<std::string, cResource*> m_names;
    std::map<const cResource*, std::string> m_owners;
    std::set<cResource*> m_deviceSet;
    std::vector<std::string> m_atlasImages;
    std::map<std::string, cAtlasFrame> m_atlasMap;
    std::map<int, tResourceLoader> m_loaders;
    std::map<int, tResourceLoader> m_getters;
    // Forgotten documents: their users never release them (decRef changes nothing), so the
    // manager frees them when it ends instead of losing them.
    std::vector<cResource*> m_forgottenDocuments;
};

// The resource manager; null before it is created and after it is destroyed.
cResourceManager* getResourceManager();

} // namespace Engine
