#pragma once

// Section -> key -> text store read from XML (elements are sections, attributes are keys), the
// common part of the constants and the settings. Typed lookups leave the caller's value alone when
// the key is missing or its text does not parse.

#include "engine/core/Math.h"

#include <map>
#include <string>

namespace Engine {

class cKeyValueStore {
public:
    using Section = std::map<std::wstring, std::wstring>;
    using Sections = std::map<std::wstring, Section>;

    explicit cKeyValueStore(const std::string& fileName);
    virtual ~cKeyValueStore() = default;

    cKeyValueStore(const cKeyValueStore&) = delete;
    cKeyValueStore& operator=(const cKeyValueStore&) = delete;

    // Reads the document through the resource manager; sections and keys merge into the store.
    void loadFromXml(const std::string& fileName);

    // A missing key is added with an empty text (so the settings file lists it) and gives false;
    // a present key gives true, and its text is parsed into out only when it parses.
    // long and unsigned long are 32-bit values, as in the files.
    bool getValue(const std::wstring& section, const std::wstring& key, cColor& out);
    bool getValue(const std::wstring& section, const std::wstring& key, std::wstring& out);
    bool getValue(const std::wstring& section, const std::wstring& key, std::string& out);
    bool getValue(const std::wstring& section, const std::wstring& key, cVector3& out);
    bool getValue(const std::wstring& section, const std::wstring& key, float& out);
    bool getValue(const std::wstring& section, const std::wstring& key, unsigned long& out);
    bool getValue(const std::wstring& section, const std::wstring& key, long& out);
    bool getValue(const std::wstring& section, const std::wstring& key, unsigned int& out);
    bool getValue(const std::wstring& section, const std::wstring& key, int& out);
    bool getValue(const std::wstring& section, const std::wstring& key, bool& out);

    void setValue(const std::wstring& section, const std::wstring& key, const cColor& value);
    void setValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    void setValue(const std::wstring& section, const std::wstring& key, const std::string& value);
    void setValue(const std::wstring& section, const std::wstring& key, const cVector3& value);
    void setValue(const std::wstring& section, const std::wstring& key, float value);
    void setValue(const std::wstring& section, const std::wstring& key, unsigned long value);
    void setValue(const std::wstring& section, const std::wstring& key, long value);
    void setValue(const std::wstring& section, const std::wstring& key, unsigned int value);
    void setValue(const std::wstring& section, const std::wstring& key, int value);
    void setValue(const std::wstring& section, const std::wstring& key, bool value);

    // The whole store as the one-line XML text of the settings file.
    std::wstring toXmlText() const;

    const std::string& getFileName() const { return m_fileName; }
    void clear() { m_sections.clear(); }

    // Value texts as the setters store them.
    static std::wstring formatColor(const cColor& value);
    static std::wstring formatFloat(float value);
    static std::wstring formatDouble(double value);
    static std::wstring formatVector2(const cVector2& value);
    static std::wstring formatVector3(const cVector3& value);

private:
    std::wstring& entry(const std::wstring& section, const std::wstring& key) { return m_sections[section][key]; }
    // The stored text of the key, or null after adding the missing key with an empty text.
    const std::wstring* find(const std::wstring& section, const std::wstring& key);

    Sections m_sections;
    std::string m_fileName;
};

} // namespace Engine
