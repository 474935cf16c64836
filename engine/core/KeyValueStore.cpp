#include "engine/core/KeyValueStore.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"

#include <iomanip>
#include <locale>
#include <sstream>

namespace Engine {

namespace {

std::wostringstream classicStream() {
    std::wostringstream out;
    out.imbue(std::locale::classic());
    return out;
}

template <typename T> std::wstring formatDecimal(T value) {
    std::wostringstream out = classicStream();
    out << value;
    return out.str();
}

// Element and attribute names the settings file can hold; anything else would make the whole
// file unreadable at the next start.
bool isXmlName(const std::wstring& name) {
    if (name.empty())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        wchar_t c = name[i];
        bool start = (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || c == L':' || c >= 0xC0;
        bool more = (c >= L'0' && c <= L'9') || c == L'-' || c == L'.' || c == 0xB7;
        if (!(start || (i > 0 && more)))
            return false;
        if (c == 0xD7 || c == 0xF7 || (c >= 0xD800 && c < 0xE000))
            return false;
    }
    return true;
}

// Runs a 32-bit parser for a wider caller variable. The parser writes only on success, so two
// runs from different starting values agree exactly when the text parsed.
template <typename Wide, typename Narrow>
void parseWidened(Wide& out, const std::wstring& text, Narrow& (*parser)(Narrow&, const std::wstring&)) {
    Narrow first = 0, second = 1;
    parser(first, text);
    parser(second, text);
    if (first == second)
        out = Wide(first);
}

} // namespace

cKeyValueStore::cKeyValueStore(const std::string& fileName) : m_fileName(fileName) {}

void cKeyValueStore::loadFromXml(const std::string& fileName) {
    const cDocumentHold root(fileName);
    auto* document = dynamic_cast<cXmlDocument*>(root.get());
    if (document) {
        for (auto section = document->nodesBegin(); section != document->nodesEnd(); ++section) {
            Section& keys = m_sections[narrowToWide(section->first)];
            for (const auto& attribute : section->second->getAttributes())
                keys[attribute.first] = attribute.second;
        }
    }
}

const std::wstring* cKeyValueStore::find(const std::wstring& section, const std::wstring& key) {
    auto keys = m_sections.find(section);
    if (keys != m_sections.end()) {
        auto value = keys->second.find(key);
        if (value != keys->second.end())
            return &value->second;
    }
    entry(section, key);
    return nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, cColor& out) {
    const std::wstring* text = find(section, key);
    if (text)
        parseColor(out, *text);
    return text != nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, std::wstring& out) {
    const std::wstring* text = find(section, key);
    if (text)
        out = *text;
    return text != nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, std::string& out) {
    const std::wstring* text = find(section, key);
    if (text)
        out = wideToNarrow(*text);
    return text != nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, cVector3& out) {
    const std::wstring* text = find(section, key);
    if (text)
        parseVector3(out, *text);
    return text != nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, float& out) {
    const std::wstring* text = find(section, key);
    if (text)
        parseFloat(out, *text);
    return text != nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, unsigned long& out) {
    const std::wstring* text = find(section, key);
    if (text)
        parseWidened(out, *text, parseUInt); // decimal: unlike the property tables, no "0x" form
    return text != nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, long& out) {
    const std::wstring* text = find(section, key);
    if (text)
        parseWidened(out, *text, parseLong);
    return text != nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, unsigned int& out) {
    const std::wstring* text = find(section, key);
    if (text)
        parseUInt(out, *text);
    return text != nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, int& out) {
    const std::wstring* text = find(section, key);
    if (text)
        parseInt(out, *text);
    return text != nullptr;
}

bool cKeyValueStore::getValue(const std::wstring& section, const std::wstring& key, bool& out) {
    const std::wstring* text = find(section, key);
    if (text)
        parseBool(out, *text);
    return text != nullptr;
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, const cColor& value) {
    entry(section, key) = formatColor(value);
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    entry(section, key) = value;
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, const std::string& value) {
    entry(section, key) = narrowToWide(value);
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, const cVector3& value) {
    entry(section, key) = formatVector3(value);
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, float value) {
    entry(section, key) = formatFloat(value);
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, unsigned long value) {
    entry(section, key) = formatDecimal(uint32_t(value));
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, long value) {
    entry(section, key) = formatDecimal(int32_t(value));
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, unsigned int value) {
    entry(section, key) = formatDecimal(value);
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, int value) {
    entry(section, key) = formatDecimal(value);
}

void cKeyValueStore::setValue(const std::wstring& section, const std::wstring& key, bool value) {
    entry(section, key) = value ? L"1" : L"0";
}

std::wstring cKeyValueStore::toXmlText() const {
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><main>";
    for (const auto& section : m_sections) {
        if (!isXmlName(section.first))
            continue;
        text += L"<" + section.first + L" ";
        for (const auto& key : section.second) {
            if (isXmlName(key.first))
                text += key.first + L"=\"" + escapeXml(key.second) + L"\" ";
        }
        text += L"/>";
    }
    text += L"</main>";
    return text;
}

std::wstring cKeyValueStore::formatColor(const cColor& value) {
    // All eight digits: a shorter text would be read back as 0xRRGGBB and lose a zero alpha.
    std::wostringstream out = classicStream();
    out << L"0x" << std::hex << std::setw(8) << std::setfill(L'0') << value.toARGB();
    return out.str();
}

std::wstring cKeyValueStore::formatFloat(float value) {
    return formatDecimal(value);
}

std::wstring cKeyValueStore::formatDouble(double value) {
    return formatDecimal(value);
}

std::wstring cKeyValueStore::formatVector2(const cVector2& value) {
    return formatFloat(value.x) + L" " + formatFloat(value.y);
}

std::wstring cKeyValueStore::formatVector3(const cVector3& value) {
    return formatFloat(value.x) + L" " + formatFloat(value.y) + L" " + formatFloat(value.z);
}

} // namespace Engine
