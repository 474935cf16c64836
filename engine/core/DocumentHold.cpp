#include "engine/core/DocumentHold.h"

#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

namespace Engine {

cDocumentHold::cDocumentHold(const std::string& path) {
    cResourceManager* manager = getResourceManager();
    if (!manager)
        throw cStringA("cannot read \"" + path + "\": there is no resource manager");
    m_document = manager->getXml(path);
    if (!m_document)
        throw cStringA("cannot read \"" + path + "\"");
}

cDocumentHold& cDocumentHold::operator=(cDocumentHold&& other) noexcept {
    if (this != &other) {
        reset();
        m_document = other.m_document;
        other.m_document = nullptr;
    }
    return *this;
}

void cDocumentHold::reset() noexcept {
    if (m_document)
        m_document->decRef();
    m_document = nullptr;
}

} // namespace Engine
