#pragma once

// Base of every file-backed object the engine caches: a reference count and a kind. The path
// is known to the resource manager only; getName asks it.

#include <cstdint>
#include <string>

namespace Engine {

enum eResourceKind {
    RESOURCE_TEXTURE = 0,
    RESOURCE_XML = 1,
    RESOURCE_FONT = 2,
    RESOURCE_VERTEX_SHADER = 3,
    RESOURCE_SOUND = 4,
    RESOURCE_MESH = 5,
    RESOURCE_ANIMATION = 6,
    RESOURCE_TEXT_TEXTURE = 7,
    RESOURCE_UNKNOWN = 8,
};

class cResource {
public:
    // The path is not stored: the manager registers the resource under it.
    explicit cResource(const std::string& path);
    // Unregisters the resource from the manager when one still exists.
    virtual ~cResource();

    cResource(const cResource&) = delete;
    cResource& operator=(const cResource&) = delete;

    virtual int getKind() const = 0;
    // Drop and re-create the device or library object behind the resource.
    virtual void unload() {}
    virtual void load() {}
    virtual void addRef();
    virtual bool isReferenced() const;
    virtual int getRefCount() const;
    // Lowers the count; true when it reached 0 or less. Never deletes the resource: the
    // manager's purge does.
    virtual bool decRef();
    // The path the manager holds this resource under; throws "Unknown resource." otherwise.
    virtual std::string getName() const;

protected:
    int32_t m_refCount = 1;
};

} // namespace Engine
