#include "engine/core/ProfileManager.h"

#include "engine/core/Constants.h"
#include "engine/core/DocumentHold.h"
#include "engine/core/ExceptionLog.h"
#include "engine/core/FileSystem.h"
#include "engine/core/KeyValueStore.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"

#include <cstdio>
#include <locale>
#include <sstream>
#include <vector>

namespace Engine {

tPropTable<float> gFloatProps;
tPropTable<double> gDoubleProps;
tPropTable<int32_t> gIntProps;
tPropTable<uint32_t> gUIntProps;
tPropTable<int32_t> gLongProps;
tPropTable<uint32_t> gULongProps;
tPropTable<int64_t> gLongLongProps;
tPropTable<cColor> gDXColorProps;
tPropTable<bool> gBoolProps;
tPropTable<uint16_t> gUInt16Props;
tPropTable<cVector2> gVector2Props;
tPropTable<std::string> gStringProps;
tPropTable<std::wstring> gWStringProps;

namespace {

const char* const kProfilesFile = "profiles.xml";

// One typed table: its type name in the property file and how its values become text and back.
template <typename T> struct cPropType {
    const char* name;
    tPropTable<T>& table;
    T& (*parse)(T&, const std::wstring&);
    std::wstring (*format)(const T&);
};

template <typename T> std::wstring formatDecimal(const T& value) {
    std::wostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

std::wstring formatFloat(const float& value) {
    return cKeyValueStore::formatFloat(value);
}
std::wstring formatDouble(const double& value) {
    return cKeyValueStore::formatDouble(value);
}
std::wstring formatColor(const cColor& value) {
    return cKeyValueStore::formatColor(value);
}
std::wstring formatBool(const bool& value) {
    return value ? L"1" : L"0";
}
std::wstring formatVector2(const cVector2& value) {
    return cKeyValueStore::formatVector2(value);
}
std::wstring formatString(const std::string& value) {
    return narrowToWide(value);
}
std::wstring formatWString(const std::wstring& value) {
    return value;
}

std::string& parseNarrow(std::string& out, const std::wstring& text) {
    return out = wideToNarrow(text);
}
std::wstring& parseWide(std::wstring& out, const std::wstring& text) {
    return out = text;
}

// Calls f for every table, in the order of loading, saving and clearing.
template <typename F> void forEachPropType(F&& f) {
    f(cPropType<float>{"Float", gFloatProps, parseFloat, formatFloat});
    f(cPropType<double>{"Double", gDoubleProps, parseDouble, formatDouble});
    f(cPropType<int32_t>{"Int", gIntProps, parseInt, formatDecimal<int32_t>});
    f(cPropType<uint32_t>{"UInt", gUIntProps, parseUInt, formatDecimal<uint32_t>});
    f(cPropType<int32_t>{"Long", gLongProps, parseLong, formatDecimal<int32_t>});
    f(cPropType<uint32_t>{"ULong", gULongProps, parseULong, formatDecimal<uint32_t>});
    f(cPropType<int64_t>{"LongLong", gLongLongProps, parseLongLong, formatDecimal<int64_t>});
    f(cPropType<cColor>{"DXColor", gDXColorProps, parseColor, formatColor});
    f(cPropType<bool>{"Bool", gBoolProps, parseBool, formatBool});
    f(cPropType<uint16_t>{"UInt16", gUInt16Props, parseUInt16, formatDecimal<uint16_t>});
    f(cPropType<cVector2>{"Vector2", gVector2Props, parseVector2, formatVector2});
    f(cPropType<std::string>{"String", gStringProps, parseNarrow, formatString});
    f(cPropType<std::wstring>{"WString", gWStringProps, parseWide, formatWString});
}

// A value that does not parse is stored as zero.
template <typename T>
void setPropFromText(const cPropType<T>& type, const std::string& name, const std::wstring& text) {
    T value{};
    type.parse(value, text);
    type.table[name] = value;
}

template <typename T> void clearProps(const cPropType<T>& type) {
    type.table.clear();
}

template <typename T> void writeProps(const cPropType<T>& type, std::wstring& out) {
    std::wstring typeName = narrowToWide(type.name);
    for (const auto& prop : type.table) {
        out += L"<prop Name=\"" + escapeXml(narrowToWide(prop.first)) + L"\" Val=\"" +
               escapeXml(type.format(prop.second)) + L"\" Type=\"" + typeName + L"\" />";
    }
}

std::wstring propsXmlText() {
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><Props>";
    forEachPropType([&](const auto& type) { writeProps(type, text); });
    text += L"</Props>";
    return text;
}

std::string listFile() {
    return profilesFolder() + kProfilesFile;
}

} // namespace

std::string profilesFolder() {
    std::string folder;
    if (cConstants* constants = getConstants())
        constants->getValue(L"game", L"profiles", folder);
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

bool profilesFileExists() {
    return getFileSystem()->exists(listFile());
}

std::wstring readCurrentUserName() {
    if (!profilesFileExists())
        return std::wstring();
    const cDocumentHold root(listFile());
    return root->getAttribute(L"CurrentUser");
}

std::string idToString(uint32_t id) {
    char text[16];
    std::snprintf(text, sizeof text, "%08u", unsigned(id));
    return text;
}

cProfileManager* getProfileManager() {
    return cSingleton<cProfileManager>::getInstance();
}

void switchProfile(const std::wstring& name) {
    delete getProfileManager();
    if (!name.empty())
        new cProfileManager(name.c_str());
}

cProfileManager::cProfileManager(const wchar_t* name) : m_currentName(name ? name : L"") {
    if (m_currentName.empty()) {
        m_inert = true;
        return;
    }
    if (!profilesFileExists()) {
        addProfile();
    } else {
        readProfilesXml();
        if (m_profiles.find(m_currentName) == m_profiles.end())
            addProfile();
        readProps();
    }
    m_currentUser = m_currentName;
    m_nowPlaying = true;
    m_profilesChanged = true;
    writeProfilesXml();
}

cProfileManager::~cProfileManager() {
    if (!m_profileDeleted && !m_inert) {
        m_nowPlaying = false;
        m_profilesChanged = true;
        // Each file on its own, so that one failure does not cost the other.
        try {
            writeProfilesXml();
        } catch (...) {
            logException("Profile list not saved: ", std::current_exception());
        }
        try {
            saveProps();
        } catch (...) {
            logException("Profile properties not saved: ", std::current_exception());
        }
    }
    clearAll();
}

void cProfileManager::readProfilesXml() {
    const cDocumentHold root(listFile());
    parseULong(m_nextId, root->getAttribute(L"NextID"));
    m_currentUser = root->getAttribute(L"CurrentUser");
    parseBool(m_nowPlaying, root->getAttribute(L"NowPlaying"));
    IXmlNode* profile = nullptr;
    for (int i = 0; root->getNodeAt(i, profile); ++i) {
        const std::wstring& name = profile->getAttribute(L"Name");
        if (name.empty())
            continue;
        uint32_t id = 0;
        parseULong(id, profile->getAttribute(L"ID"));
        m_profiles.emplace(name, id);
        // A list edited by hand must not make a new player share an existing player's file.
        if (id >= m_nextId && id != UINT32_MAX)
            m_nextId = id + 1;
    }
    m_profilesChanged = false;
}

void cProfileManager::readProps() {
    std::string file = profilesFolder() + getCurrentProfileId() + ".xml";
    if (!getFileSystem()->exists(file))
        return;
    const cDocumentHold root(file);
    IXmlNode* prop = nullptr;
    for (int i = 0; root->getNodeAt(i, prop); ++i) {
        std::string name = wideToNarrow(prop->getAttribute(L"Name"));
        std::string type = wideToNarrow(prop->getAttribute(L"Type"));
        const std::wstring& value = prop->getAttribute(L"Val");
        forEachPropType([&](const auto& propType) {
            if (type == propType.name)
                setPropFromText(propType, name, value);
        });
    }
}

void cProfileManager::addProfile() {
    m_profiles[m_currentName] = m_nextId++;
    clearAll();
    m_profilesChanged = true;
}

void cProfileManager::writeProfilesXml() {
    if (!m_profilesChanged)
        return;
    m_profilesChanged = false;
    if (m_inert)
        return;
    std::string file = listFile();
    if (m_profiles.empty()) {
        if (cResourceManager* resources = getResourceManager())
            resources->forgetResource(file);
        getFileSystem()->deleteFile(file);
        return;
    }
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<Profiles NextID=\"" + formatDecimal(m_nextId) +
                        L"\" CurrentUser=\"" + escapeXml(m_currentUser) + L"\" NowPlaying=\"" +
                        (m_nowPlaying ? L"1" : L"0") + L"\" >\n";
    for (const auto& profile : m_profiles)
        text +=
            L"<Profile Name=\"" + escapeXml(profile.first) + L"\" ID=\"" + formatDecimal(profile.second) + L"\" />\n";
    text += L"</Profiles>";
    writeUtf16File(file, text);
}

void cProfileManager::saveProps() {
    if (m_currentName.empty() || m_inert)
        return;
    writeUtf16File(profilesFolder() + getCurrentProfileId() + ".xml", propsXmlText());
}

void cProfileManager::save() {
    if (m_inert)
        return;
    m_profilesChanged = true;
    // Both files are attempted; the first failure is reported.
    std::exception_ptr failure;
    try {
        writeProfilesXml();
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        saveProps();
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
    if (failure)
        std::rethrow_exception(failure);
}

std::string cProfileManager::getCurrentProfileId() const {
    auto found = m_profiles.find(m_currentName);
    if (found == m_profiles.end())
        throw "ProfileID error.";
    return idToString(found->second);
}

void cProfileManager::getProfileNames(std::list<std::wstring>& names) const {
    for (const auto& profile : m_profiles)
        names.push_back(profile.first);
}

void cProfileManager::deleteProfile(const std::wstring& name) {
    auto found = m_profiles.find(name);
    if (found == m_profiles.end())
        return;
    std::string idText = idToString(found->second);
    m_profiles.erase(found);
    m_profilesChanged = true;
    if (name == m_currentName) {
        m_currentName = m_profiles.empty() ? std::wstring() : m_profiles.begin()->first;
        m_currentUser = m_currentName;
        writeProfilesXml();
        m_profileDeleted = true;
    } else {
        // Another player's profile: the current player stays and keeps what it has played.
        save();
    }

    // The folder is listed as spelled when the files were written: on disk, case matters.
    std::string folder = profilesFolder();
    std::vector<std::string> files;
    getFileSystem()->listUserFolder(folder, files);
    for (const std::string& file : files) {
        if (file.compare(0, idText.size(), idText) != 0)
            continue;
        std::string name = folder + file;
        toLowerNarrow(name);
        if (cResourceManager* resources = getResourceManager())
            resources->forgetResource(name);
        getFileSystem()->deleteFile(folder + file);
    }
}

void cProfileManager::clearAll() {
    forEachPropType([](const auto& type) { clearProps(type); });
}

} // namespace Engine
