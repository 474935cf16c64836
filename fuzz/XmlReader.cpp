// libFuzzer target: XML text through the document reader, "copy" and "remove" included, then a
// walk over the tree with the typed getters.

#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void walk(const Engine::IXmlNode& node, int depth) {
    node.asFloat();
    node.asColor();
    node.asVector2();
    node.asString();
    node.getAttribute(L"copy");
    float value = 0;
    node.getValue("Speed", value);
    Engine::tXmlNodeList list;
    node.getNodes("Item", list);
    if (depth > 64)
        return;
    Engine::IXmlNode* child = nullptr;
    for (int i = 0; node.getNodeAt(i, child); ++i)
        walk(*child, depth + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Inputs starting with '>' belong to the binary form's target.
    if (size > 0 && data[0] == '>')
        return 0;
    Engine::cXmlDocument document;
    try {
        if (document.parseBytes(data, size))
            walk(document, 0);
    } catch (const Engine::cStringA&) {
        // A "copy" from another file: there is no file system here.
    } catch (const std::string&) {
    }
    return 0;
}
