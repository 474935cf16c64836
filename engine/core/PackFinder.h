#pragma once

// Walks the entries of a zip pack for the file system's start-up scan. One scan at a time.

#include "engine/core/PackStream.h"

#include <string>

namespace Engine {

class cPackFinder {
public:
    struct Pack;
    using Handle = Pack*;

    // Throws the wide text "<packPath> cannot be opened." when the pack is not a readable zip.
    static Handle openPack(const std::wstring& packPath);
    // Go to the first or next entry; false past the last one. nameOut receives the entry's name
    // as stored (UTF-8, '/' as separator, folders end in '/'). Entries whose names are 256 bytes
    // or more, hold "..", a backslash or a leading '/' are skipped with a log line naming the
    // pack and the entry.
    static bool findFirst(Handle handle, std::string& nameOut);
    static bool findNext(Handle handle, std::string& nameOut);
    // The position of the entry the finder stands on.
    static cPackEntryPosition getPosition(Handle handle);
    static void closePack(Handle handle);
};

} // namespace Engine
