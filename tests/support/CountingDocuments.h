#pragma once

// While it lives, the resource manager makes XML documents whose release lowers their count.
// The engine's documents ignore decRef and stay cached, so only these show whether a loader
// gives back every document it took, also when reading it throws.

#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"

#include <string>

namespace TestSupport {

class CountingDocuments {
public:
    CountingDocuments() {
        install([](const std::string& path) -> Engine::cResource* { return new Document(path); });
    }
    ~CountingDocuments() {
        install([](const std::string& path) -> Engine::cResource* { return new Engine::cXmlDocument(path); });
    }
    CountingDocuments(const CountingDocuments&) = delete;
    CountingDocuments& operator=(const CountingDocuments&) = delete;

    // The references held on the cached document of the path; -1 when it is not cached.
    static int count(std::string path) {
        Engine::toLowerNarrow(path);
        Engine::cResourceManager* manager = Engine::getResourceManager();
        const Engine::cResource* document = manager ? manager->findEntry(path) : nullptr;
        return document ? document->getRefCount() : -1;
    }

private:
    class Document : public Engine::cXmlDocument {
    public:
        using cXmlDocument::cXmlDocument;
        bool decRef() override { return cResource::decRef(); }
    };

    static void install(Engine::tResourceLoader loader) {
        if (Engine::cResourceManager* manager = Engine::getResourceManager())
            manager->setLoader(Engine::RESOURCE_XML, std::move(loader));
    }
};

} // namespace TestSupport
