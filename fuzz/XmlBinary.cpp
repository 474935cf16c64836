// libFuzzer target: the pre-parsed binary form of an XML tree.

#include "engine/core/XmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes;
    bytes.reserve(size + 1);
    bytes.push_back('>');
    bytes.insert(bytes.end(), data, data + size);
    Engine::cXmlDocument document;
    if (document.parseBytes(bytes.data(), bytes.size())) {
        Engine::tXmlNodeList all;
        document.collectNodes("a", all);
        for (Engine::IXmlNode* node : all)
            node->asWString();
    }
    return 0;
}
