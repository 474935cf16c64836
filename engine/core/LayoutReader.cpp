#include "engine/core/LayoutReader.h"

#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"
#include "engine/core/XmlNode.h"

#include <cmath>
#include <set>

namespace Engine {

namespace {

bool contains(const cXmlDocument& tree, const IXmlNode* node) {
    if (&tree == node)
        return true;
    for (auto child = tree.nodesBegin(); child != tree.nodesEnd(); ++child)
        if (contains(*child->second, node))
            return true;
    return false;
}

} // namespace

bool cLayoutReader::readFloat(const IXmlNode* node, const wchar_t* key, float& out) {
    // The parser never gives NaN: it marks an attribute that is missing or does not parse.
    float value = NAN;
    parseFloat(value, node->getAttribute(key));
    if (std::isnan(value))
        return false;
    out = value;
    return true;
}

bool cLayoutReader::readInt(const IXmlNode* node, const wchar_t* key, int& out) {
    float value = float(out);
    if (!readFloat(node, key, value))
        return false;
    out = int(value);
    return true;
}

bool cLayoutReader::readVector(const IXmlNode* node, const wchar_t* key, cVector2& out) {
    const std::wstring& text = node->getAttribute(key);
    if (text.empty())
        return false;
    parseVector2(out, text);
    return true;
}

bool cLayoutReader::readColor(const IXmlNode* node, const wchar_t* key, cColor& out) {
    const std::wstring& text = node->getAttribute(key);
    if (text.empty())
        return false;
    parseColor(out, text);
    return true;
}

bool cLayoutReader::readDivisor(const IXmlNode* node, const wchar_t* key, float& out, float forbidden) {
    float value = out;
    if (!readFloat(node, key, value))
        return false;
    if (value == forbidden)
        throw cStringA("Layout \"" + layoutName(node) + "\": \"" + wideToNarrow(key) + "\" must not be " +
                       (forbidden == 0.0f ? std::string("0") : std::to_string(int(forbidden))) +
                       ": it is used as a divisor.");
    out = value;
    return true;
}

std::string cLayoutReader::layoutName(const IXmlNode* node) {
    cResourceManager* manager = getResourceManager();
    if (!manager)
        return "?";
    std::set<std::string> names;
    manager->collectNames(names);
    for (const std::string& name : names) {
        const cResource* resource = manager->findEntry(name);
        if (resource && resource->getKind() == RESOURCE_XML)
            if (const auto* document = dynamic_cast<const cXmlDocument*>(resource))
                if (contains(*document, node))
                    return name;
    }
    return "?";
}

} // namespace Engine
