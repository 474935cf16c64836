#include "engine/core/XmlDocument.h"

#include "engine/core/ByteOrder.h"
#include "engine/core/DataStream.h"
#include "engine/core/DocumentHold.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/ScopeExit.h"
#include "engine/core/String.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

namespace Engine {

namespace {

// Deeper trees are refused so that the recursive copy, decode and destruction stay within the
// stack; real layouts nest a few dozen levels.
const size_t kMaxDepth = 1000;
// Nodes that "copy" may create in one parse: each copy can double the tree, so a small file
// could otherwise ask for an exponential amount of memory.
const size_t kMaxCopiedNodes = 250000;

void setErrorText(const std::string& text) {
    errorCallStack() = text;
}

// Expat hands out UTF-8; the engine keeps UTF-16 units. Expat guarantees well-formed input here.
void appendUtf8(std::wstring& out, const char* s, size_t length) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
    const unsigned char* end = p + length;
    // Most text is ASCII: widen it in one go.
    size_t ascii = 0;
    while (ascii < length && p[ascii] < 0x80)
        ++ascii;
    size_t start = out.size();
    out.resize(start + ascii);
    std::copy(p, p + ascii, out.begin() + ptrdiff_t(start));
    p += ascii;
    while (p < end) {
        uint32_t c = *p;
        if (c < 0x80) {
            out.push_back(wchar_t(c));
            ++p;
            continue;
        }
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
        c &= 0x3Fu >> extra;
        ++p;
        for (int i = 0; i < extra && p < end; ++i, ++p)
            c = (c << 6) | (*p & 0x3Fu);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(wchar_t(0xD800 + (c >> 10)));
            out.push_back(wchar_t(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(wchar_t(c));
        }
    }
}

std::wstring fromUtf8(const char* s) {
    std::wstring out;
    appendUtf8(out, s, std::strlen(s));
    return out;
}

// Element names are narrow: ASCII stays as it is, other text goes through wideToNarrow.
std::string narrowName(const char* s) {
    size_t length = std::strlen(s);
    if (std::all_of(s, s + length, [](char c) { return uint8_t(c) < 0x80; }))
        return std::string(s, length);
    return wideToNarrow(fromUtf8(s));
}

size_t treeHeight(const cXmlDocument& node) {
    size_t height = 0;
    for (auto it = node.nodesBegin(); it != node.nodesEnd(); ++it)
        height = std::max(height, treeHeight(*it->second));
    return height + 1;
}

size_t treeSize(const cXmlDocument& node) {
    size_t size = 1;
    for (auto it = node.nodesBegin(); it != node.nodesEnd(); ++it)
        size += treeSize(*it->second);
    return size;
}

} // namespace

// State of one Expat run over a document.
struct cXmlDocument::cParser {
    cXmlDocument& m_document;
    XML_Parser m_parser = nullptr;
    // Open elements; null inside an element that "remove" dropped.
    std::vector<cXmlDocument*> m_nodes;
    std::vector<cXmlNodeCounter> m_counters;
    // Documents read for "copy" when no resource manager caches them.
    std::vector<std::unique_ptr<cXmlDocument>> m_ownSources;
    size_t m_copyBudget = kMaxCopiedNodes;
    std::string m_error;
    std::exception_ptr m_failure;

    explicit cParser(cXmlDocument& document) : m_document(document) {}

    bool stopped() const { return m_failure || !m_error.empty(); }

    void fail(const std::string& reason) {
        m_error = reason;
        XML_StopParser(m_parser, XML_FALSE);
    }

    static void XMLCALL onStartElement(void* data, const XML_Char* name, const XML_Char** attributes) {
        cParser& parser = *static_cast<cParser*>(data);
        if (parser.stopped())
            return;
        try {
            parser.startElement(name, attributes);
        } catch (...) {
            parser.m_failure = std::current_exception();
            XML_StopParser(parser.m_parser, XML_FALSE);
        }
    }

    static void XMLCALL onEndElement(void* data, const XML_Char*) {
        cParser& parser = *static_cast<cParser*>(data);
        if (!parser.m_nodes.empty()) {
            parser.m_nodes.pop_back();
            parser.m_counters.pop_back();
        }
    }

    static void XMLCALL onCharacterData(void* data, const XML_Char* text, int length) {
        cParser& parser = *static_cast<cParser*>(data);
        if (parser.stopped())
            return;
        try {
            if (parser.m_nodes.empty())
                appendUtf8(parser.m_document.m_text, text, size_t(length));
            else if (cXmlDocument* node = parser.m_nodes.back())
                appendUtf8(node->m_text, text, size_t(length));
        } catch (...) {
            parser.m_failure = std::current_exception();
            XML_StopParser(parser.m_parser, XML_FALSE);
        }
    }

    void ignoreElement() {
        m_nodes.push_back(nullptr);
        m_counters.emplace_back();
    }

    void startElement(const char* rawName, const char** attributes) {
        if (m_nodes.size() >= kMaxDepth) {
            fail("elements nested too deeply");
            return;
        }
        cXmlDocument* node = nullptr;
        cXmlNodeCounter* counter = nullptr;
        std::string name;
        if (m_nodes.empty()) {
            node = &m_document;
        } else {
            cXmlDocument* parent = m_nodes.back();
            if (!parent) {
                ignoreElement();
                return;
            }
            name = narrowName(rawName);
            counter = &m_counters.back();
            if (name == counter->m_lastName) {
                ++counter->m_runCount;
            } else {
                counter->m_lastName = name;
                counter->m_runCount = 1;
            }
            if (parent->m_copied) {
                bool remove = attributes[0] && std::strcmp(attributes[0], "remove") == 0;
                cXmlDocument* existing = nullptr;
                auto range = parent->m_children.equal_range(name);
                int position = counter->m_runCount - 1;
                for (auto it = range.first; it != range.second; ++it, --position) {
                    if (position == 0) {
                        existing = it->second;
                        break;
                    }
                }
                if (remove) {
                    if (existing) {
                        for (auto it = range.first; it != range.second; ++it)
                            delete it->second;
                        parent->m_children.erase(range.first, range.second);
                        parent->childrenChanged();
                    }
                    --counter->m_runCount;
                    ignoreElement();
                    return;
                }
                if (existing) {
                    node = existing;
                    // The element in the file gives the merged node its text.
                    if (node->m_copied)
                        node->m_text.clear();
                }
            }
            if (!node) {
                std::unique_ptr<cXmlDocument> child(new cXmlDocument());
                parent->m_children.emplace(name, child.get());
                parent->childrenChanged();
                node = child.release();
            }
        }

        const char** attribute = attributes;
        if (attribute[0] && std::strcmp(attribute[0], "copy") == 0) {
            copyInto(*node, fromUtf8(attribute[1]));
            if (stopped())
                return;
            attribute += 2;
        }
        if (attribute[0]) {
            tAttributes batch;
            size_t count = 0;
            while (attribute[2 * count])
                ++count;
            batch.reserve(count);
            for (; attribute[0]; attribute += 2)
                batch.emplace_back(fromUtf8(attribute[0]), fromUtf8(attribute[1]));
            node->addAttributes(std::move(batch), true);
        }

        if (counter)
            ++counter->m_count;
        m_nodes.push_back(node);
        m_counters.emplace_back();
    }

    // "copy": an element path from the document's root, or "file|path" from another document.
    void copyInto(cXmlDocument& node, const std::wstring& value) {
        const cXmlDocument* source = &m_document;
        cDocumentHold held;
        std::wstring path = value;
        size_t bar = value.find(L'|');
        if (bar != std::wstring::npos)
            path = value.substr(bar + 1);
        if (bar != std::wstring::npos && bar > 0) {
            std::string file = wideToNarrow(value.substr(0, bar));
            if (cResourceManager* manager = getResourceManager()) {
                held = cDocumentHold(manager->getXml(file));
                source = static_cast<cXmlDocument*>(held.get());
            } else {
                m_ownSources.emplace_back(new cXmlDocument(file));
                source = m_ownSources.back().get();
            }
        }
        size_t start = 0;
        while (source && start <= path.size()) {
            size_t end = path.find_first_of(L"/\\", start);
            if (end == std::wstring::npos)
                end = path.size();
            if (end > start) {
                source = source->firstChild(wideToNarrow(path.substr(start, end - start)));
            }
            start = end + 1;
        }
        if (!source || source == &node)
            return;
        size_t size = treeSize(*source);
        if (m_nodes.size() + treeHeight(*source) > kMaxDepth) {
            fail("\"copy\" nests elements too deeply");
            return;
        }
        if (size > m_copyBudget) {
            fail("\"copy\" makes the document too large");
            return;
        }
        m_copyBudget -= size;
        node.copyFrom(*source);
    }
};

cXmlDocument::cXmlDocument() : cResource(std::string()) {}

cXmlDocument::cXmlDocument(const std::string& path) : cResource(path) {
    // A throwing constructor runs no destructor: the children made so far are freed here.
    try {
        loadFile(path);
    } catch (...) {
        deleteChildren();
        throw;
    }
}

cXmlDocument::~cXmlDocument() {
    deleteChildren();
}

void cXmlDocument::deleteChildren() {
    for (auto& child : m_children)
        delete child.second;
    m_children.clear();
    childrenChanged();
}

void cXmlDocument::clear() {
    deleteChildren();
    m_attributes.clear();
    m_text.clear();
    m_copied = false;
}

namespace {

// One buffer serves every parse; a parse that starts while it is in use (a "copy" from another
// file) reads into a buffer of its own.
std::vector<uint8_t> g_parseBuffer;
bool g_parseBufferBusy = false;

// Documents being loaded, outermost first: a "copy" chain that comes back to one of them would
// otherwise load it again without end.
std::vector<std::string> g_loading;

class cLoadingGuard {
public:
    explicit cLoadingGuard(const std::string& path) {
        std::string key = path;
        toLowerNarrow(key);
        if (std::find(g_loading.begin(), g_loading.end(), key) != g_loading.end()) {
            std::string chain;
            for (const std::string& name : g_loading)
                chain += name + " -> ";
            errorCallStack() = "XML \"copy\" loop: " + chain + key;
            throw cStringA(errorCallStack());
        }
        g_loading.push_back(key);
    }
    ~cLoadingGuard() { g_loading.pop_back(); }
    cLoadingGuard(const cLoadingGuard&) = delete;
    cLoadingGuard& operator=(const cLoadingGuard&) = delete;
};

// Keeps the bytes of a malformed user file beside it before the file makes way for the one it
// shadowed, so that a player's data is never simply thrown away.
void keepMalformedCopy(IFileSystem& fileSystem, const std::string& path, const uint8_t* data, size_t size) {
    try {
        std::unique_ptr<cFile> copy = fileSystem.openWrite(path + ".bad", true);
        copy->write(data, int32_t(size));
        copy->close();
    } catch (...) {
        // The copy is a courtesy; failing to make it must not stop the game from starting.
    }
}

} // namespace

void cXmlDocument::loadFile(const std::string& path) {
    cLoadingGuard guard(path);
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem)
        throw cStringA("File \"" + path + "\" not found.");
    bool userFile = fileSystem->isUserFile(path);
    for (;;) {
        std::vector<uint8_t> bytes;
        bool parsed = false;
        {
            std::unique_ptr<IDataStream> stream = fileSystem->openRead(path);
            parsed = parseStream(*stream, userFile ? &bytes : nullptr);
        }
        if (parsed)
            return;
        std::string message = errorCallStack() + " filename: " + path;
        if (userFile) {
            userFile = false;
            keepMalformedCopy(*fileSystem, path, bytes.data(), bytes.size());
            if (fileSystem->deleteFile(path) && fileSystem->exists(path))
                continue;
        }
        clear();
        setErrorText(message);
        throw cStringA(message);
    }
}

bool cXmlDocument::parseStream(IDataStream& stream) {
    return parseStream(stream, nullptr);
}

bool cXmlDocument::parseStream(IDataStream& stream, std::vector<uint8_t>* keep) {
    int32_t size = stream.getSize();
    if (size <= 0) {
        clear();
        setErrorText("empty file");
        return false;
    }
    std::vector<uint8_t> own;
    std::vector<uint8_t>* buffer = &own;
    bool shared = !g_parseBufferBusy;
    if (shared) {
        if (g_parseBuffer.size() < size_t(size))
            g_parseBuffer.resize(std::max(size_t(size), size_t(1) << 20));
        buffer = &g_parseBuffer;
        g_parseBufferBusy = true;
    } else {
        own.resize(size_t(size));
    }
    const cScopeExit release([shared] {
        if (shared)
            g_parseBufferBusy = false;
    });
    if (stream.read(buffer->data(), size) != size) {
        clear();
        setErrorText("the file could not be read whole");
        return false;
    }
    if (keep)
        keep->assign(buffer->begin(), buffer->begin() + size);
    return parseBytes(buffer->data(), size_t(size));
}

bool cXmlDocument::parseBytes(const uint8_t* data, size_t size) {
    clear();
    if (!data || size == 0) {
        setErrorText("empty file");
        return false;
    }
    if (data[0] == '>')
        return readBinary(data, size);
    return parseText(data, size);
}

bool cXmlDocument::parseText(const uint8_t* data, size_t size) {
    if (size > size_t(INT32_MAX)) {
        setErrorText("file too large");
        return false;
    }
    cParser state(*this);
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(nullptr), XML_ParserFree);
    if (!parser)
        throw std::bad_alloc();
    state.m_parser = parser.get();
    XML_SetUserData(parser.get(), &state);
    XML_SetElementHandler(parser.get(), cParser::onStartElement, cParser::onEndElement);
    XML_SetCharacterDataHandler(parser.get(), cParser::onCharacterData);
    XML_Status status = XML_Parse(parser.get(), reinterpret_cast<const char*>(data), int(size), XML_TRUE);
    if (state.m_failure)
        std::rethrow_exception(state.m_failure);
    if (status == XML_STATUS_OK)
        return true;
    std::string reason = state.m_error.empty() ? XML_ErrorString(XML_GetErrorCode(parser.get())) : state.m_error;
    setErrorText(reason + " line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + " char " +
                 std::to_string(XML_GetCurrentColumnNumber(parser.get())));
    return false;
}

namespace {

bool readCount(const uint8_t*& p, const uint8_t* end, size_t unit, int32_t& count) {
    if (end - p < 4)
        return false;
    count = readInt32LE(p);
    return count >= 0 && size_t(end - p - 4) / unit >= size_t(count);
}

bool readNarrow(const uint8_t*& p, const uint8_t* end, std::string& out) {
    out.clear();
    const int used = readNarrowString(p, size_t(end - p), out);
    if (used < 0)
        return false;
    p += used;
    return true;
}

bool readWide(const uint8_t*& p, const uint8_t* end, std::wstring& out) {
    out.clear();
    const int used = readWideString(p, size_t(end - p), out);
    if (used < 0)
        return false;
    p += used;
    return true;
}

} // namespace

bool cXmlDocument::readBinary(const uint8_t* data, size_t size) {
    const uint8_t* p = data + 1;
    if (readBinaryNode(*this, p, data + size, 0))
        return true;
    setErrorText("bad binary XML data");
    return false;
}

bool cXmlDocument::readBinaryNode(cXmlDocument& node, const uint8_t*& p, const uint8_t* end, int depth) {
    if (size_t(depth) >= kMaxDepth)
        return false;
    int32_t attributes = 0;
    if (!readCount(p, end, 8, attributes))
        return false;
    p += 4;
    tAttributes batch;
    batch.reserve(size_t(std::min(attributes, int32_t(1024))));
    for (int32_t i = 0; i < attributes; ++i) {
        batch.emplace_back();
        if (!readWide(p, end, batch.back().first) || !readWide(p, end, batch.back().second))
            return false;
    }
    node.addAttributes(std::move(batch), false);
    int32_t children = 0;
    if (!readCount(p, end, 8, children))
        return false;
    p += 4;
    std::string childName;
    for (int32_t i = 0; i < children; ++i) {
        if (!readNarrow(p, end, childName))
            return false;
        std::unique_ptr<cXmlDocument> child(new cXmlDocument());
        cXmlDocument* raw = child.get();
        node.m_children.emplace(childName, child.release());
        node.childrenChanged();
        if (!readBinaryNode(*raw, p, end, depth + 1))
            return false;
    }
    return readWide(p, end, node.m_text);
}

void cXmlDocument::copyFrom(const cXmlDocument& source) {
    if (&source == this)
        return;
    // Copy into a detached node first: the source may be an ancestor of this node.
    cXmlDocument copy;
    copy.copyTree(source);
    deleteChildren();
    m_children.swap(copy.m_children);
    childrenChanged();
    m_attributes.swap(copy.m_attributes);
    m_copied = true;
}

void cXmlDocument::copyTree(const cXmlDocument& source) {
    m_copied = true;
    m_attributes = source.m_attributes;
    for (const auto& child : source.m_children) {
        std::unique_ptr<cXmlDocument> copy(new cXmlDocument());
        copy->m_text = child.second->m_text;
        copy->copyTree(*child.second);
        m_children.emplace_hint(m_children.end(), child.first, copy.release());
        childrenChanged();
    }
}

bool cXmlDocument::decRef() {
    return true;
}

int cXmlDocument::getKind() const {
    return RESOURCE_XML;
}

} // namespace Engine
