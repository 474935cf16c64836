#pragma once

// Writes small zip packs for tests with minizip's zip writer.

#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

struct PackEntry {
    std::string name;
    std::string bytes;
};

// Writes a pack holding the entries in order (deflated unless stored is set; in zip64 form when
// zip64 is set); folders are created on the way. Throws when minizip fails.
void writePack(const std::string& path, const std::vector<PackEntry>& entries, bool stored = false, bool zip64 = false);

} // namespace TestSupport
