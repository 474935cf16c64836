#pragma once

// Attribute reads of layout files: a missing or unparsable key keeps the value it had, and keys
// used as divisors are refused at load time with an error naming the layout and the key.

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

#include <string>

namespace Engine {

class IXmlNode;

class cLayoutReader {
public:
    // True when the attribute was there and parsed.
    static bool readFloat(const IXmlNode* node, const wchar_t* key, float& out);
    static bool readInt(const IXmlNode* node, const wchar_t* key, int& out);
    // True when the attribute was there.
    static bool readVector(const IXmlNode* node, const wchar_t* key, cVector2& out);
    static bool readColor(const IXmlNode* node, const wchar_t* key, cColor& out);
    // readFloat, then throws when the key gives forbidden (a divisor of 0).
    static bool readDivisor(const IXmlNode* node, const wchar_t* key, float& out, float forbidden = 0.0f);
    // The cached layout file holding the element, for error texts ("?" when unknown).
    static std::string layoutName(const IXmlNode* node);
};

} // namespace Engine
