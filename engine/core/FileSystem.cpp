#include "engine/core/FileSystem.h"

#include "engine/core/AtomicFile.h"
#include "engine/core/PackFinder.h"
#include "engine/core/PackPool.h"
#include "engine/core/String.h"
#include "engine/core/System.h"
#include "engine/core/XmlDocument.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace Engine {

namespace {

const char* const USER_SOURCE = "#common#";

std::string slashed(std::string text) {
    replaceChar(text, '\\', '/');
    return text;
}

std::wstring slashed(std::wstring text) {
    replaceChar(text, L'\\', L'/');
    return text;
}

std::string utf8(const std::wstring& text) {
    std::string out;
    wideToUtf8(text, out);
    return out;
}

std::wstring wide(const std::string& text) {
    std::wstring out;
    utf8ToWide(text, out);
    return out;
}

std::wstring withTrailingSlash(std::wstring folder) {
    if (folder.empty() || folder.back() != L'/')
        folder += L'/';
    return folder;
}

std::string extensionOf(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.find('/', dot) != std::string::npos)
        return std::string();
    return lowerCaseNarrow(name.substr(dot + 1));
}

// The folders of a path, every '/' on; failures are ignored (the folder may exist).
void createFolders(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return;
    std::error_code error;
    fs::create_directories(fs::path(path.substr(0, slash)), error);
}

// The folder the user folder is named by: the constants' "app_directory" of "game", else its
// "window_title".
std::wstring readAppDirectory() {
    cXmlDocument constants("sys/constants.xml");
    IXmlNode* game = nullptr;
    std::wstring folder;
    if (constants.findNode("game", game)) {
        folder = slashed(game->getAttribute(L"app_directory"));
        if (folder.empty())
            folder = game->getAttribute(L"window_title");
    }
    if (folder.empty())
        throw "app_directory not defined.";
    return folder;
}

// Relative paths ('/' separated, UTF-8 as on disk) of every file under folder; entries whose
// names begin with '.' are left out, with their contents.
void listRelative(const std::string& folder, const std::string& prefix, std::vector<std::string>& out, bool recursive,
                  int depth = 0) {
    // A folder link that points up the tree must not recurse forever.
    constexpr int MAX_DEPTH = 32;
    std::error_code error;
    fs::directory_iterator it(fs::path(folder + prefix), error), end;
    for (; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            if (recursive && depth < MAX_DEPTH)
                listRelative(folder, prefix + name + "/", out, true, depth + 1);
        } else {
            out.push_back(prefix + name);
        }
    }
}

// A write cut short by a crash leaves its temporary file ("." + name + ".tmp-" + six characters)
// beside the target; nothing else will ever remove it.
bool isStaleTemporary(const std::string& name) {
    const size_t marker = name.rfind(".tmp-");
    return name.size() > 1 && name[0] == '.' && marker != std::string::npos && marker > 1 &&
           marker + 5 + 6 == name.size();
}

void removeStaleTemporaries(const std::string& folder, int depth = 0) {
    constexpr int MAX_DEPTH = 32;
    std::error_code error;
    fs::directory_iterator it(fs::path(folder), error), end;
    for (; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            if (depth < MAX_DEPTH && !it->is_symlink(typeError))
                removeStaleTemporaries(it->path().string(), depth + 1);
        } else if (isStaleTemporary(name)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

} // namespace

IFileSystem* getFileSystem() {
    return IFileSystem::getInstance();
}

cFileSystem::cFileSystem(const std::wstring& dataFolder, const std::string& packExtension, PackFilter packFilter)
    : m_dataFolder(withTrailingSlash(slashed(dataFolder))), m_packExtension(lowerCaseNarrow(packExtension)),
      m_packFilter(std::move(packFilter)), m_packPool(std::make_shared<cPackPool>()) {
    std::vector<std::string> dataFiles;
    listRelative(utf8(m_dataFolder), "", dataFiles, true);
    registerNames(dataFiles, "", m_names);
    scanPacks(m_dataFolder, 1, m_names);
    // A plain file beats a pack entry of the same name.
    registerNames(dataFiles, "", m_names);

    std::wstring appDirectory = readAppDirectory();
    m_userFolder = withTrailingSlash(slashed(getCommonAppDataFolder())) + appDirectory + L"/";
    createFolders(utf8(m_userFolder));
    removeStaleTemporaries(utf8(m_userFolder));

    m_packs.clear();
    m_baseNames = m_names;
    std::vector<std::string> userFiles;
    listRelative(utf8(m_userFolder), "", userFiles, true);
    registerNames(userFiles, USER_SOURCE, m_names);
    scanPacks(m_userFolder, 0, m_baseNames);
    // Entries of the data folder and of the user's packs only where no user file has the name.
    for (const auto& [name, entry] : m_baseNames)
        m_names.emplace(name, entry);
}

cFileSystem::~cFileSystem() {
    m_packPool->clear();
}

void cFileSystem::registerNames(const std::vector<std::string>& files, const std::string& source, NameMap& names) {
    for (const std::string& file : files) {
        if (extensionOf(file) == m_packExtension) {
            m_packs.insert(file);
            continue;
        }
        names[lowerCaseNarrow(file)] = cFileEntry{source, source == USER_SOURCE ? 0 : 1, {}, file};
    }
}

void cFileSystem::scanPacks(const std::wstring& folder, int32_t dataFlag, NameMap& names) {
    for (const std::string& pack : m_packs) {
        if (m_packFilter && !m_packFilter(pack))
            continue;
        cPackFinder::Handle handle = cPackFinder::openPack(folder + wide(pack));
        try {
            std::string entry;
            for (bool found = cPackFinder::findFirst(handle, entry); found;
                 found = cPackFinder::findNext(handle, entry)) {
                if (entry.back() == '/')
                    continue;
                names[lowerCaseNarrow(entry)] = cFileEntry{pack, dataFlag, cPackFinder::getPosition(handle), entry};
            }
        } catch (...) {
            try {
                cPackFinder::closePack(handle);
            } catch (...) {
            }
            throw;
        }
        cPackFinder::closePack(handle);
    }
}

void cFileSystem::forget(const std::string& name) {
    if (m_forgetHook)
        m_forgetHook(name);
}

std::unique_ptr<IDataStream> cFileSystem::openRead(const std::string& name) {
    auto it = m_names.find(lowerCaseNarrow(name));
    if (it == m_names.end())
        throw std::string("File \"" + name + "\" not found.");
    const cFileEntry& entry = it->second;
    if (entry.source.empty())
        return std::make_unique<cFile>(m_dataFolder + wide(entry.path), GENERIC_READ, OPEN_EXISTING);
    if (entry.source == USER_SOURCE)
        return std::make_unique<cFile>(m_userFolder + wide(entry.path), GENERIC_READ, OPEN_EXISTING);
    const std::wstring& folder = entry.dataFlag ? m_dataFolder : m_userFolder;
    return std::make_unique<cPackStream>(folder + wide(entry.source), it->first, entry.position, m_packPool);
}

int32_t cFileSystem::readFile(const std::string& name, std::vector<uint8_t>& bytes) {
    std::unique_ptr<IDataStream> stream = openRead(name);
    int32_t size = stream->getSize();
    if (size == 0)
        return 0;
    std::vector<uint8_t> data(size > 0 ? static_cast<size_t>(size) : 0);
    if (size < 0 || stream->read(data.data(), size) != size)
        throw std::string("Can't read file \"" + name + "\".");
    bytes.swap(data);
    return size;
}

std::unique_ptr<cFile> cFileSystem::openWrite(const std::string& name, bool create) {
    std::string key = lowerCaseNarrow(slashed(name));
    auto it = m_names.find(key);
    bool hadPrevious = it != m_names.end();
    cFileEntry previous = hadPrevious ? it->second : cFileEntry{};
    // An existing user file is replaced where it lies, whatever the case of the name given; a new
    // one is written lower case inside the folders as already spelled on disk, so the user folder
    // never holds two names that differ only in case.
    std::string path = hadPrevious && previous.source == USER_SOURCE ? previous.path : userPathFor(key);
    std::wstring target = m_userFolder + wide(path);
    createFolders(utf8(target));
    auto file = std::make_unique<cAtomicFile>(target, !create);
    file->setCloseHandler([this, key, previous, hadPrevious](bool committed) {
        if (getFileSystem() == this)
            onWriteClosed(key, previous, hadPrevious, committed);
    });
    m_names[key] = cFileEntry{USER_SOURCE, 0, {}, path};
    forget(key);
    return file;
}

std::string cFileSystem::userPathFor(const std::string& key) const {
    for (size_t slash = key.rfind('/'); slash != std::string::npos && slash > 0; slash = key.rfind('/', slash - 1)) {
        const std::string folder = key.substr(0, slash + 1);
        for (auto it = m_names.lower_bound(folder);
             it != m_names.end() && it->first.compare(0, folder.size(), folder) == 0; ++it) {
            if (it->second.source == USER_SOURCE && it->second.path.size() > folder.size())
                return it->second.path.substr(0, folder.size()) + key.substr(folder.size());
        }
    }
    return key;
}

void cFileSystem::onWriteClosed(const std::string& key, const cFileEntry& previous, bool hadPrevious, bool committed) {
    if (!committed && !(hadPrevious && previous.source == USER_SOURCE)) {
        // Nothing was written: the name stands for what it stood for before.
        if (hadPrevious)
            m_names[key] = previous;
        else
            m_names.erase(key);
    }
    forget(key);
}

bool cFileSystem::deleteFile(const std::string& name) {
    std::string key = lowerCaseNarrow(slashed(name));
    auto it = m_names.find(key);
    bool userFile = it != m_names.end() && it->second.source == USER_SOURCE;
    std::string path = userFile ? it->second.path : slashed(name);
    if (::unlink(utf8(m_userFolder + wide(path)).c_str()) != 0)
        return false;
    if (userFile) {
        auto base = m_baseNames.find(key);
        if (base != m_baseNames.end())
            it->second = base->second;
        else
            m_names.erase(it);
    }
    forget(key);
    return true;
}

bool cFileSystem::exists(const std::string& name) {
    return m_names.count(lowerCaseNarrow(name)) != 0;
}

bool cFileSystem::isUserFile(const std::string& name) {
    auto it = m_names.find(lowerCaseNarrow(name));
    return it != m_names.end() && it->second.source == USER_SOURCE;
}

void cFileSystem::listNames(const std::string& prefix, std::vector<std::string>& list, bool all) {
    std::string start = lowerCaseNarrow(prefix);
    for (auto it = m_names.lower_bound(start); it != m_names.end() && it->first.compare(0, start.size(), start) == 0;
         ++it) {
        if (all || it->first == start)
            list.push_back(it->first);
    }
}

void cFileSystem::listUserFolder(const std::string& folder, std::vector<std::string>& list) {
    std::vector<std::string> files;
    // The folder as spelled on disk, whatever the case of the name given.
    listRelative(utf8(m_userFolder) + userPathFor(lowerCaseNarrow(slashed(folder))), "", files, false);
    list.insert(list.end(), files.begin(), files.end());
    list.erase(std::remove_if(list.begin(), list.end(),
                              [this](const std::string& file) { return extensionOf(file) == m_packExtension; }),
               list.end());
}

void cFileSystem::listFolder(const std::wstring& folder, std::vector<std::wstring>& list, bool recursive) {
    std::wstring base = withTrailingSlash(folder);
    std::vector<std::string> files;
    listRelative(utf8(base), "", files, recursive);
    for (const std::string& file : files)
        list.push_back(base + wide(file));
}

bool cFileSystem::pathExists(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && (errno == EAGAIN || errno == EINTR));
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool cFileSystem::pathExists(const std::wstring& path) {
    return pathExists(utf8(path));
}

std::unique_ptr<cFile> cFileSystem::openPath(const std::string& path, bool create) {
    return openPath(wide(path), create);
}

std::unique_ptr<cFile> cFileSystem::openPath(const std::wstring& path, bool create) {
    std::wstring target = slashed(path);
    createFolders(utf8(target));
    return std::make_unique<cAtomicFile>(target, !create);
}

void cFileSystem::movePath(const std::string& source, const std::string& destination) {
    if (!moveOrCopy(wide(source), wide(destination)))
        throw std::string("File \"" + source + "\" can't be moved into \"" + slashed(destination) + "\".\n" +
                          lastErrorText());
}

void cFileSystem::movePath(const std::wstring& source, const std::wstring& destination) {
    if (!moveOrCopy(source, destination))
        throw std::wstring(L"File \"" + source + L"\" can't be moved into \"" + slashed(destination) + L"\".\n" +
                           wide(lastErrorText()));
}

bool cFileSystem::moveOrCopy(const std::wstring& source, const std::wstring& destination) {
    std::wstring target = slashed(destination);
    std::string targetPath = utf8(target);
    createFolders(targetPath);
    // rename replaces an existing destination in one step; across devices the file is copied.
    if (::rename(utf8(source).c_str(), targetPath.c_str()) != 0) {
        cFile in(source, GENERIC_READ, OPEN_EXISTING);
        cAtomicFile out(target, false);
        std::vector<char> chunk(131072);
        int32_t left = in.getSize();
        while (left > 0) {
            int32_t want = std::min<int32_t>(left, static_cast<int32_t>(chunk.size()));
            int32_t got = in.read(chunk.data(), want);
            if (got <= 0 || out.write(chunk.data(), got) != got)
                return false;
            left -= got;
        }
        out.close();
    }
    if (target.compare(0, m_userFolder.size(), m_userFolder) == 0) {
        std::string name = utf8(target.substr(m_userFolder.size()));
        m_names[lowerCaseNarrow(name)] = cFileEntry{USER_SOURCE, 0, {}, name};
        forget(lowerCaseNarrow(name));
    }
    return true;
}

} // namespace Engine
