#pragma once

// Reading the model description and the levels file: attributes that keep a fallback when
// they are absent or unreadable, and the child elements of an element.

#include <cstdint>
#include <string>
#include <vector>

namespace Engine {
class IXmlNode;
}

namespace ModelXml {

int32_t readInt(Engine::IXmlNode* node, const wchar_t* name, int32_t fallback);
float readFloat(Engine::IXmlNode* node, const wchar_t* name, float fallback);
bool readBool(Engine::IXmlNode* node, const wchar_t* name, bool fallback);
// The attribute as a narrow word; empty when absent.
std::string readWord(Engine::IXmlNode* node, const wchar_t* name);
// Children in name order, which is file order when they share one element name.
std::vector<Engine::IXmlNode*> children(Engine::IXmlNode* node);

} // namespace ModelXml
