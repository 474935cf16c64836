#include "game/model/ModelXml.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

using Engine::IXmlNode;

namespace ModelXml {

int32_t readInt(IXmlNode* node, const wchar_t* name, int32_t fallback) {
    int value = fallback;
    Engine::parseInt(value, node->getAttribute(name));
    return value;
}

float readFloat(IXmlNode* node, const wchar_t* name, float fallback) {
    float value = fallback;
    Engine::parseFloat(value, node->getAttribute(name));
    return value;
}

bool readBool(IXmlNode* node, const wchar_t* name, bool fallback) {
    bool value = fallback;
    Engine::parseBool(value, node->getAttribute(name));
    return value;
}

std::string readWord(IXmlNode* node, const wchar_t* name) {
    std::string value;
    Engine::parseString(value, node->getAttribute(name));
    return value;
}

std::vector<IXmlNode*> children(IXmlNode* node) {
    std::vector<IXmlNode*> result;
    int count = node->getNodeCount();
    for (int i = 0; i < count; ++i) {
        IXmlNode* child = nullptr;
        if (node->getNodeAt(i, child) && child)
            result.push_back(child);
    }
    return result;
}

} // namespace ModelXml
