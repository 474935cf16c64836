#pragma once

// A parsed XML element as every loader sees it: child lookup by name, typed reads of child
// element text and of the node's own text, and attribute lookup. Attribute names, values and
// text are UTF-16 (one unit per wchar_t); element names are narrow.

#include "engine/core/Math.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Engine {

class IXmlNode;
using tXmlNodeList = std::vector<IXmlNode*>;

class IXmlNode {
public:
    // A document handed out by the resource manager stays cached: releasing it changes nothing.
    virtual bool decRef() = 0;
    virtual ~IXmlNode() = default;

    // Appends every child of that name in document order; returns how many were appended.
    virtual int getNodes(const std::string& name, tXmlNodeList& nodes) const = 0;
    // The first child of that name in document order; false (node untouched) when none.
    virtual bool findNode(const std::string& name, IXmlNode*& node) const = 0;
    // The child at that position of the children in name order, with its element name.
    virtual bool getNodeAt(int index, IXmlNode*& node, std::string* name = nullptr) const = 0;

    // The text of the first child element of that name (not an attribute), converted. False
    // with out untouched when there is no such child; text that does not parse leaves out too.
    // The engine's 32-bit long is int32_t, so int also serves long.
    virtual bool getValue(const std::string& name, bool& out) const = 0;
    virtual bool getValue(const std::string& name, cColor& out) const = 0;
    virtual bool getValue(const std::string& name, cVector2& out) const = 0;
    virtual bool getValue(const std::string& name, int64_t& out) const = 0;
    virtual bool getValue(const std::string& name, double& out) const = 0;
    virtual bool getValue(const std::string& name, float& out) const = 0;
    virtual bool getValue(const std::string& name, uint32_t& out) const = 0;
    virtual bool getValue(const std::string& name, int32_t& out) const = 0;
    virtual bool getValue(const std::string& name, std::wstring& out) const = 0;
    virtual bool getValue(const std::string& name, std::string& out) const = 0;

    // getNodes on this node, then collectNodes on every child in name order; the list's size.
    virtual int collectNodes(const std::string& name, tXmlNodeList& nodes) const = 0;

    // The node's own text converted; text that does not parse gives 0 (false).
    virtual std::string asString() const = 0;
    virtual std::wstring asWString() const = 0;
    virtual float asFloat() const = 0;
    virtual double asDouble() const = 0;
    virtual int asInt() const = 0;
    virtual unsigned asUInt() const = 0;
    virtual int32_t asLong() const = 0;
    virtual uint32_t asULong() const = 0;
    virtual int64_t asLongLong() const = 0;
    virtual cVector2 asVector2() const = 0;
    // One hexadecimal number taken as 0xAARRGGBB, alpha included (six digits give alpha 0).
    virtual cColor asColor() const = 0;
    virtual bool asBool() const = 0;

    // The attribute's value, or a shared empty string when the element has no such attribute.
    virtual const std::wstring& getAttribute(const wchar_t* name) const = 0;
    virtual const std::wstring& getAttribute(const std::wstring& name) const = 0;

    virtual int getNodeCount() const = 0;
    virtual int countNodes(const std::string& name) const = 0;
    virtual int getAttributeCount() const = 0;
    virtual int getChildCount() const = 0;
};

} // namespace Engine
