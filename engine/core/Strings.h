#pragma once

// Localised texts: a source text is shown as its translation from "sys/strings.xml", or
// unchanged when it has none. With the constant "DumpStrings" set, texts without translation
// are marked and collected, and written at shut-down as "strdubp.xml" for the translators.

#include "engine/core/Singleton.h"

#include <map>
#include <set>
#include <string>

namespace Engine {

class IStrings {
public:
    virtual ~IStrings() = default;
    // The reference may point at a shared result that the next call replaces: copy it.
    virtual const std::wstring& translate(const std::wstring& text) = 0;
    virtual bool getDumpStrings() = 0;
    virtual void setDumpStrings(bool dump) = 0;
};

class cStrings : public IStrings, public cSingleton<cStrings> {
public:
    // Reads the translations when the name space has "sys/strings.xml"; a malformed file throws.
    cStrings();
    // Writes the collected texts when collecting; a failure is logged, never thrown.
    ~cStrings() override;

    const std::wstring& translate(const std::wstring& text) override;
    bool getDumpStrings() override { return m_dumpStrings; }
    void setDumpStrings(bool dump) override { m_dumpStrings = dump; }

private:
    // Writes "strdubp.xml" (a temporary file renamed over the old one); throws on failure.
    void writeDump();
    std::wstring dumpText() const;

    std::map<std::wstring, std::wstring> m_translations;
    std::set<std::wstring> m_missing;
    bool m_dumpStrings = false;
};

// The strings, or null before they are made and after they are gone.
cStrings* getStrings();

} // namespace Engine
