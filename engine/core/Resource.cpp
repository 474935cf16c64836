#include "engine/core/Resource.h"

#include "engine/core/ResourceManager.h"

namespace Engine {

cResource::cResource(const std::string&) {}

cResource::~cResource() {
    if (IResourceManager* manager = getResourceManager())
        manager->unregister(this);
}

void cResource::addRef() {
    ++m_refCount;
}

bool cResource::isReferenced() const {
    return m_refCount > 0;
}

int cResource::getRefCount() const {
    return m_refCount;
}

bool cResource::decRef() {
    --m_refCount;
    return m_refCount <= 0;
}

std::string cResource::getName() const {
    IResourceManager* manager = getResourceManager();
    if (!manager)
        throw "Unknown resource.";
    return manager->getResourceName(this);
}

} // namespace Engine
