// The queries of a parsed document: children by name, typed values of children and of the
// node's own text, and the sorted attributes.

#include "engine/core/XmlDocument.h"

#include "engine/core/String.h"

#include <algorithm>
#include <iterator>
#include <locale>
#include <sstream>
#include <string_view>

namespace Engine {

namespace {

const std::wstring& emptyWide() {
    static const std::wstring empty;
    return empty;
}

bool hexArgb(cColor& out, const std::wstring& text) {
    std::wistringstream in(text);
    in.imbue(std::locale::classic());
    uint32_t packed = 0;
    if (!(in >> std::hex >> packed))
        return false;
    out.fromARGB(packed);
    return true;
}

} // namespace

int cXmlDocument::getNodes(const std::string& name, tXmlNodeList& nodes) const {
    auto range = m_children.equal_range(name);
    int count = 0;
    for (auto it = range.first; it != range.second; ++it, ++count)
        nodes.push_back(it->second);
    return count;
}

// The first child of that name in document order (multimap::find may give any of them).
const cXmlDocument* cXmlDocument::firstChild(std::string_view name) const {
    auto found = m_children.lower_bound(name);
    return found == m_children.end() || found->first != name ? nullptr : found->second;
}

bool cXmlDocument::findNode(const std::string& name, IXmlNode*& node) const {
    const cXmlDocument* found = firstChild(name);
    if (!found)
        return false;
    node = const_cast<cXmlDocument*>(found);
    return true;
}

void cXmlDocument::childrenChanged() {
    m_cachedIndex = -1;
}

bool cXmlDocument::getNodeAt(int index, IXmlNode*& node, std::string* name) const {
    if (index < 0 || size_t(index) >= m_children.size())
        return false;
    // Callers walk the children by index: continuing from the last position keeps that linear.
    tChildren::const_iterator it;
    if (m_cachedIndex >= 0 && index >= m_cachedIndex) {
        it = std::next(m_cachedPosition, index - m_cachedIndex);
    } else {
        it = std::next(m_children.begin(), index);
    }
    m_cachedIndex = index;
    m_cachedPosition = it;
    node = it->second;
    if (name)
        *name = it->first;
    return true;
}

namespace {

template <typename T, typename Parse> bool childValue(const cXmlDocument* child, T& out, Parse parse) {
    if (!child)
        return false;
    parse(out, child->getText());
    return true;
}

} // namespace

bool cXmlDocument::getValue(const std::string& name, bool& out) const {
    return childValue(firstChild(name), out, parseBool);
}

bool cXmlDocument::getValue(const std::string& name, cColor& out) const {
    return childValue(firstChild(name), out, hexArgb);
}

bool cXmlDocument::getValue(const std::string& name, cVector2& out) const {
    return childValue(firstChild(name), out, parseVector2);
}

bool cXmlDocument::getValue(const std::string& name, int64_t& out) const {
    return childValue(firstChild(name), out, parseLongLong);
}

bool cXmlDocument::getValue(const std::string& name, double& out) const {
    return childValue(firstChild(name), out, parseDouble);
}

bool cXmlDocument::getValue(const std::string& name, float& out) const {
    return childValue(firstChild(name), out, parseFloat);
}

bool cXmlDocument::getValue(const std::string& name, uint32_t& out) const {
    return childValue(firstChild(name), out, parseULong);
}

bool cXmlDocument::getValue(const std::string& name, int32_t& out) const {
    return childValue(firstChild(name), out, parseInt);
}

bool cXmlDocument::getValue(const std::string& name, std::wstring& out) const {
    return childValue(firstChild(name), out, [](std::wstring& o, const std::wstring& text) { o = text; });
}

bool cXmlDocument::getValue(const std::string& name, std::string& out) const {
    return childValue(firstChild(name), out, [](std::string& o, const std::wstring& text) { o = wideToNarrow(text); });
}

int cXmlDocument::collectNodes(const std::string& name, tXmlNodeList& nodes) const {
    getNodes(name, nodes);
    for (const auto& child : m_children)
        child.second->collectNodes(name, nodes);
    return int(nodes.size());
}

std::string cXmlDocument::asString() const {
    return wideToNarrow(m_text);
}

std::wstring cXmlDocument::asWString() const {
    return m_text;
}

namespace {

template <typename T, typename Parse> T convert(const std::wstring& text, Parse parse) {
    T value{};
    parse(value, text);
    return value;
}

} // namespace

float cXmlDocument::asFloat() const {
    return convert<float>(m_text, parseFloat);
}
double cXmlDocument::asDouble() const {
    return convert<double>(m_text, parseDouble);
}
int cXmlDocument::asInt() const {
    return convert<int>(m_text, parseInt);
}
unsigned cXmlDocument::asUInt() const {
    return convert<unsigned>(m_text, parseUInt);
}
int32_t cXmlDocument::asLong() const {
    return convert<int32_t>(m_text, parseLong);
}
uint32_t cXmlDocument::asULong() const {
    return convert<uint32_t>(m_text, parseULong);
}
int64_t cXmlDocument::asLongLong() const {
    return convert<int64_t>(m_text, parseLongLong);
}
cVector2 cXmlDocument::asVector2() const {
    return convert<cVector2>(m_text, parseVector2);
}
cColor cXmlDocument::asColor() const {
    return convert<cColor>(m_text, hexArgb);
}
bool cXmlDocument::asBool() const {
    return convert<bool>(m_text, parseBool);
}

namespace {

bool byName(const cXmlDocument::tAttribute& a, const cXmlDocument::tAttribute& b) {
    return a.first < b.first;
}

} // namespace

void cXmlDocument::addAttributes(tAttributes&& batch, bool override) {
    // Sorting the whole batch keeps an element with very many attributes at n log n.
    if (m_attributes.empty()) {
        m_attributes = std::move(batch);
    } else {
        m_attributes.reserve(m_attributes.size() + batch.size());
        std::move(batch.begin(), batch.end(), std::back_inserter(m_attributes));
    }
    std::stable_sort(m_attributes.begin(), m_attributes.end(), byName);
    // Of equal names, keep the last when overriding, else the first.
    auto out = m_attributes.begin();
    for (auto it = m_attributes.begin(); it != m_attributes.end();) {
        auto next = it + 1;
        while (next != m_attributes.end() && next->first == it->first)
            ++next;
        auto kept = override ? next - 1 : it;
        if (out != kept)
            *out = std::move(*kept);
        ++out;
        it = next;
    }
    m_attributes.erase(out, m_attributes.end());
}

const std::wstring* cXmlDocument::findAttribute(std::wstring_view name) const {
    auto found = std::lower_bound(m_attributes.begin(), m_attributes.end(), name,
                                  [](const tAttribute& a, std::wstring_view key) { return a.first < key; });
    return found != m_attributes.end() && found->first == name ? &found->second : nullptr;
}

const std::wstring& cXmlDocument::getAttribute(const wchar_t* name) const {
    const std::wstring* value = findAttribute(name ? std::wstring_view(name) : std::wstring_view());
    return value ? *value : emptyWide();
}

const std::wstring& cXmlDocument::getAttribute(const std::wstring& name) const {
    const std::wstring* value = findAttribute(name);
    return value ? *value : emptyWide();
}

int cXmlDocument::getNodeCount() const {
    return int(m_children.size());
}

int cXmlDocument::countNodes(const std::string& name) const {
    return int(m_children.count(name));
}

int cXmlDocument::getAttributeCount() const {
    return int(m_attributes.size());
}

int cXmlDocument::getChildCount() const {
    return int(m_children.size());
}

const cXmlDocument::tAttributes::value_type* cXmlDocument::getAttributeAt(int index) const {
    if (index < 0 || size_t(index) >= m_attributes.size())
        return nullptr;
    return &m_attributes[size_t(index)];
}

} // namespace Engine
