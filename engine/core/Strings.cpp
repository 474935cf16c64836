#include "engine/core/Strings.h"

#include "engine/core/Constants.h"
#include "engine/core/DocumentHold.h"
#include "engine/core/ExceptionLog.h"
#include "engine/core/FileSystem.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"

namespace Engine {

namespace {

const char* const kStringsFile = "sys/strings.xml";
const char* const kDumpFile = "strdubp.xml";

} // namespace

cStrings::cStrings() {
    if (cConstants* constants = getConstants())
        constants->getValue(L"game", L"DumpStrings", m_dumpStrings);
    if (!getFileSystem()->exists(kStringsFile))
        return;
    const cDocumentHold root(kStringsFile);
    IXmlNode* entry = nullptr;
    for (int i = 0; root->getNodeAt(i, entry); ++i) {
        std::wstring text, translation;
        entry->getValue("text", text);
        entry->getValue("translation", translation);
        m_translations[text] = translation;
    }
}

cStrings::~cStrings() {
    if (m_dumpStrings) {
        try {
            writeDump();
        } catch (...) {
            logException("Missing strings not written: ", std::current_exception());
        }
    }
    m_translations.clear();
    m_missing.clear();
}

const std::wstring& cStrings::translate(const std::wstring& text) {
    static std::wstring result;
    if (text.empty())
        return text;
    auto found = m_translations.find(text);
    if (found != m_translations.end())
        return found->second;
    result = text;
    if (!m_dumpStrings)
        return result;
    result = L"!!!!!!!" + text;
    m_translations[text] = result;
    m_missing.insert(text);
    return result;
}

std::wstring cStrings::dumpText() const {
    std::wstring out = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<Strings>";
    for (const std::wstring& text : m_missing) {
        std::wstring escaped = escapeXml(text);
        out += L"<s>\n<text>" + escaped + L"</text>\n<translation>" + escaped + L"</translation>\n</s>";
    }
    out += L"</Strings>";
    return out;
}

void cStrings::writeDump() {
    const std::string bytes = wideToUtf16Bytes(dumpText());
    auto file = getFileSystem()->openWrite(kDumpFile, true);
    if (file->write(bytes.data(), int32_t(bytes.size())) != int32_t(bytes.size()))
        throw std::string("Can't write file \"") + kDumpFile + "\".";
    // Closing renames the finished file over the old one and throws when that fails.
    file->close();
}

cStrings* getStrings() {
    return cSingleton<cStrings>::getInstance();
}

} // namespace Engine
