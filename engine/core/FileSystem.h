#pragma once

// The engine's file service: one name space of relative names built at start-up from the data
// folder, the packs found in it, the user folder and the user folder's packs. Everything is read
// by name; every write goes into the user folder, where it shadows the other sources from then on.
// Names are compared without regard to ASCII case; each entry keeps its real path on disk.

#include "engine/core/DataStream.h"
#include "engine/core/File.h"
#include "engine/core/PackStream.h"
#include "engine/core/Singleton.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Engine {

class cPackPool;

// What a name of the name space stands for.
struct cFileEntry {
    // "" for a data-folder file, "#common#" for a user-folder file, otherwise the pack's path
    // relative to the folder it was found in.
    std::string source;
    // 1 for the data folder and its packs, 0 for the user folder and its packs.
    int32_t dataFlag = 0;
    cPackEntryPosition position;
    // A folder file's path relative to its folder as spelled on disk; a pack entry's stored name.
    std::string path;
};

class IFileSystem : public cSingleton<IFileSystem> {
public:
    using ForgetHook = std::function<void(const std::string& name)>;

    ~IFileSystem() override = default;
    virtual const std::wstring& getDataFolder() const = 0;
    virtual const std::wstring& getUserFolder() const = 0;
    // Real paths (relative to the current folder when not absolute); folders are created.
    virtual std::unique_ptr<cFile> openPath(const std::string& path, bool create) = 0;
    virtual std::unique_ptr<cFile> openPath(const std::wstring& path, bool create) = 0;
    virtual bool pathExists(const std::wstring& path) = 0;
    virtual void listFolder(const std::wstring& folder, std::vector<std::wstring>& list, bool recursive) = 0;
    virtual void movePath(const std::wstring& source, const std::wstring& destination) = 0;
    // Name-space operations. A missing name throws the std::string "File \"<name>\" not found.".
    virtual std::unique_ptr<IDataStream> openRead(const std::string& name) = 0;
    // Writes into the user folder through a temporary file that closing renames over the old one
    // (close() throws when that fails; the old file stays). create = false starts from the old
    // contents, which must exist. A new file is written under the lower-cased name ('\\' as '/'),
    // inside folders as already spelled on disk.
    virtual std::unique_ptr<cFile> openWrite(const std::string& name, bool create) = 0;
    // Deletes the user-folder file; the name then falls back to the data folder or a pack.
    virtual bool deleteFile(const std::string& name) = 0;
    virtual bool exists(const std::string& name) = 0;
    virtual bool pathExists(const std::string& path) = 0;
    virtual bool isUserFile(const std::string& name) = 0;
    // Names beginning with prefix (all) or equal to it (!all), in name order.
    virtual void listNames(const std::string& prefix, std::vector<std::string>& list, bool all) = 0;
    // File names directly in the user folder's sub-folder folder (ending in '/', any case), packs
    // left out.
    virtual void listUserFolder(const std::string& folder, std::vector<std::string>& list) = 0;
    virtual void movePath(const std::string& source, const std::string& destination) = 0;
    // Reads the whole file into bytes (untouched when the file is empty); returns the size.
    virtual int32_t readFile(const std::string& name, std::vector<uint8_t>& bytes) = 0;
    // Called with a name whenever its file changes, so that cached resources are dropped.
    virtual void setForgetHook(ForgetHook hook) = 0;
};

// The file system, or null before it is built and after it is destroyed.
IFileSystem* getFileSystem();

class cFileSystem : public IFileSystem {
public:
    using PackFilter = std::function<bool(const std::string& packName)>;

    // dataFolder: the executable's folder + "Data"; packExtension: "pack"; packFilter decides
    // which packs join (none: all). The user folder is the platform's user-data folder + the
    // "app_directory" (else "window_title") of the element "game" of "sys/constants.xml"; without
    // either the plain text "app_directory not defined." is thrown. A pack that can't be read
    // stops the construction with an error naming it.
    cFileSystem(const std::wstring& dataFolder, const std::string& packExtension, PackFilter packFilter = nullptr);
    ~cFileSystem() override;

    const std::wstring& getDataFolder() const override { return m_dataFolder; }
    const std::wstring& getUserFolder() const override { return m_userFolder; }
    std::unique_ptr<cFile> openPath(const std::string& path, bool create) override;
    std::unique_ptr<cFile> openPath(const std::wstring& path, bool create) override;
    bool pathExists(const std::wstring& path) override;
    void listFolder(const std::wstring& folder, std::vector<std::wstring>& list, bool recursive) override;
    void movePath(const std::wstring& source, const std::wstring& destination) override;
    std::unique_ptr<IDataStream> openRead(const std::string& name) override;
    std::unique_ptr<cFile> openWrite(const std::string& name, bool create) override;
    bool deleteFile(const std::string& name) override;
    bool exists(const std::string& name) override;
    bool pathExists(const std::string& path) override;
    bool isUserFile(const std::string& name) override;
    void listNames(const std::string& prefix, std::vector<std::string>& list, bool all) override;
    void listUserFolder(const std::string& folder, std::vector<std::string>& list) override;
    void movePath(const std::string& source, const std::string& destination) override;
    int32_t readFile(const std::string& name, std::vector<uint8_t>& bytes) override;
    void setForgetHook(ForgetHook hook) override { m_forgetHook = std::move(hook); }

private:
    using NameMap = std::map<std::string, cFileEntry>;

    // Files go into names under the source tag; packs into the pack list.
    void registerNames(const std::vector<std::string>& files, const std::string& source, NameMap& names);
    void scanPacks(const std::wstring& folder, int32_t dataFlag, NameMap& names);
    void forget(const std::string& name);
    // False when a copy across devices was written short.
    bool moveOrCopy(const std::wstring& source, const std::wstring& destination);
    // The user-folder path for a new file of the lower-case name key.
    std::string userPathFor(const std::string& key) const;
    void onWriteClosed(const std::string& key, const cFileEntry& previous, bool hadPrevious, bool committed);

    std::wstring m_dataFolder;
    std::wstring m_userFolder;
    NameMap m_names;
    NameMap m_baseNames;
    std::set<std::string> m_packs;
    std::string m_packExtension;
    PackFilter m_packFilter;
    ForgetHook m_forgetHook;
    std::shared_ptr<cPackPool> m_packPool;
};

} // namespace Engine
