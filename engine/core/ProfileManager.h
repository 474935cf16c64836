#pragma once

// Player profiles: the list of players in "profiles.xml" and the current player's property
// table, a file named by the player's ID. The thirteen typed property tables are process-wide
// maps that the game reads and writes by property name; the manager loads them for the current
// player, saves and clears them. Switching player means destroying the manager (which saves)
// and making a new one for the other name.

#include "engine/core/Math.h"
#include "engine/core/Singleton.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>

namespace Engine {

template <typename T> using tPropTable = std::map<std::string, T>;

extern tPropTable<float> gFloatProps;
extern tPropTable<double> gDoubleProps;
extern tPropTable<int32_t> gIntProps;
extern tPropTable<uint32_t> gUIntProps;
// "Long" and "ULong" are 32-bit, as in the property file.
extern tPropTable<int32_t> gLongProps;
extern tPropTable<uint32_t> gULongProps;
extern tPropTable<int64_t> gLongLongProps;
extern tPropTable<cColor> gDXColorProps;
extern tPropTable<bool> gBoolProps;
extern tPropTable<uint16_t> gUInt16Props;
extern tPropTable<cVector2> gVector2Props;
extern tPropTable<std::string> gStringProps;
extern tPropTable<std::wstring> gWStringProps;

class cProfileManager : public cSingleton<cProfileManager> {
public:
    // Makes the named player current, adding it to the list when it is new, loads its properties
    // and writes "profiles.xml". An empty name gives a manager that reads, writes and deletes
    // nothing.
    explicit cProfileManager(const wchar_t* name);
    // Saves the list and the current player's properties (unless this manager deleted the
    // current player), then empties the tables. A failed write is logged, never thrown.
    ~cProfileManager() override;

    // Writes the list and the current player's properties; throws when a file cannot be written.
    void save();
    // The current player's ID as file-name text; throws "ProfileID error." when unknown.
    std::string getCurrentProfileId() const;
    void getProfileNames(std::list<std::wstring>& names) const;
    // Removes the player and every user-folder file of its ID. Deleting the current player makes
    // the first remaining one (or nobody) current and this manager then writes nothing more;
    // deleting another player keeps the current one and saves it.
    void deleteProfile(const std::wstring& name);
    // Empties the thirteen property tables.
    static void clearAll();
    const std::wstring& getCurrentName() const { return m_currentName; }

private:
    void addProfile();
    void readProfilesXml();
    void readProps();
    void writeProfilesXml();
    void saveProps();

    bool m_nowPlaying = false;
    std::wstring m_currentUser;
    std::wstring m_currentName;
    uint32_t m_nextId = 1;
    std::map<std::wstring, uint32_t> m_profiles;
    bool m_profilesChanged = false;
    bool m_profileDeleted = false;
    // Made with an empty name: never touches the files.
    bool m_inert = false;
};

// The profile folder: the constant "profiles" of section "game" ending with '/', or empty.
std::string profilesFolder();
bool profilesFileExists();
// The "CurrentUser" of "profiles.xml", empty when there is no list.
std::wstring readCurrentUserName();
// An ID as file-name text: at least 8 digits, zero-padded.
std::string idToString(uint32_t id);

// The profile manager, or null when there is none.
cProfileManager* getProfileManager();
// Makes the named player current: the profile manager of the current player goes and one for the
// name takes its place; an empty name leaves no player current.
void switchProfile(const std::wstring& name);

} // namespace Engine
