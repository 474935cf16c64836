#pragma once

// An XML document read through Expat, and every element node of it: the document object is the
// root element and each child element is a further cXmlDocument owned by its parent.
// An element whose first attribute is "copy" inherits the attributes and children of another
// element ("path/to/element" or "file.xml|path/to/element"); in such an element a child whose
// first attribute is "remove" deletes the inherited children of its name. A file whose first
// byte is '>' holds the pre-parsed binary form of the tree.

#include "engine/core/Resource.h"
#include "engine/core/XmlNode.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Engine {

class IDataStream;

// Children started inside one open element while parsing: the name of the last one, how many of
// that name came in an unbroken run, and how many in all.
struct cXmlNodeCounter {
    std::string m_lastName;
    int32_t m_runCount = 0;
    int32_t m_count = 0;
};

class cXmlDocument : public IXmlNode, public cResource {
public:
    // Attributes sorted by name (ordinal), one entry per name.
    using tAttribute = std::pair<std::wstring, std::wstring>;
    using tAttributes = std::vector<tAttribute>;
    using tChildren = std::multimap<std::string, cXmlDocument*, std::less<>>;

    // An empty node.
    cXmlDocument();
    // Reads and parses a file of the file system's name space. A malformed file of the user
    // folder is kept as "<name>.bad", deleted under its name, and the file it shadowed is read
    // instead. Throws on failure: the cString "<reason> line L char C filename: <path>".
    explicit cXmlDocument(const std::string& path);
    ~cXmlDocument() override;

    // Parses bytes (XML text, or the binary form when the first byte is '>') into this node,
    // replacing what it held. False on malformed data, with the reason in errorCallStack.
    bool parseBytes(const uint8_t* data, size_t size);
    // Reads the whole stream and parses it as parseBytes does.
    bool parseStream(IDataStream& stream);

    // Deep copy of the source's attributes and children (the children with their text, the node
    // keeps its own); marks the node and every copied descendant as copied, so later elements
    // merge into them (and a merging element replaces the inherited text).
    void copyFrom(const cXmlDocument& source);

    bool decRef() override;
    int getKind() const override;

    int getNodes(const std::string& name, tXmlNodeList& nodes) const override;
    bool findNode(const std::string& name, IXmlNode*& node) const override;
    bool getNodeAt(int index, IXmlNode*& node, std::string* name = nullptr) const override;

    bool getValue(const std::string& name, bool& out) const override;
    bool getValue(const std::string& name, cColor& out) const override;
    bool getValue(const std::string& name, cVector2& out) const override;
    bool getValue(const std::string& name, int64_t& out) const override;
    bool getValue(const std::string& name, double& out) const override;
    bool getValue(const std::string& name, float& out) const override;
    bool getValue(const std::string& name, uint32_t& out) const override;
    bool getValue(const std::string& name, int32_t& out) const override;
    bool getValue(const std::string& name, std::wstring& out) const override;
    bool getValue(const std::string& name, std::string& out) const override;

    int collectNodes(const std::string& name, tXmlNodeList& nodes) const override;

    std::string asString() const override;
    std::wstring asWString() const override;
    float asFloat() const override;
    double asDouble() const override;
    int asInt() const override;
    unsigned asUInt() const override;
    int32_t asLong() const override;
    uint32_t asULong() const override;
    int64_t asLongLong() const override;
    cVector2 asVector2() const override;
    cColor asColor() const override;
    bool asBool() const override;

    const std::wstring& getAttribute(const wchar_t* name) const override;
    const std::wstring& getAttribute(const std::wstring& name) const override;

    int getNodeCount() const override;
    int countNodes(const std::string& name) const override;
    int getAttributeCount() const override;
    int getChildCount() const override;

    // Children in name order (children of one name in document order).
    tChildren::const_iterator nodesBegin() const { return m_children.begin(); }
    tChildren::const_iterator nodesEnd() const { return m_children.end(); }
    const tAttributes& getAttributes() const { return m_attributes; }
    // The attribute at that index in name order, or null past the last one.
    const tAttributes::value_type* getAttributeAt(int index) const;
    tAttributes::const_iterator attributesBegin() const { return m_attributes.begin(); }
    tAttributes::const_iterator attributesEnd() const { return m_attributes.end(); }
    const std::wstring& getText() const { return m_text; }
    bool isCopied() const { return m_copied; }

private:
    struct cParser;
    friend struct cParser;

    void clear();
    void deleteChildren();
    // Every change of the children goes through here: it drops getNodeAt's remembered position.
    void childrenChanged();
    void loadFile(const std::string& path);
    bool parseStream(IDataStream& stream, std::vector<uint8_t>* keep);
    bool parseText(const uint8_t* data, size_t size);
    bool readBinary(const uint8_t* data, size_t size);
    static bool readBinaryNode(cXmlDocument& node, const uint8_t*& p, const uint8_t* end, int depth);
    void copyTree(const cXmlDocument& source);
    const cXmlDocument* firstChild(std::string_view name) const;
    const std::wstring* findAttribute(std::wstring_view name) const;
    // Adds a batch of attributes; a name already present keeps its value unless overriding.
    void addAttributes(tAttributes&& batch, bool override);

    tAttributes m_attributes;
    tChildren m_children;
    std::wstring m_text;
    bool m_copied = false;
    mutable int m_cachedIndex = -1;
    mutable tChildren::const_iterator m_cachedPosition;
};

} // namespace Engine
