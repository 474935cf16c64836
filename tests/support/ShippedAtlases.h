#pragma once

// The atlas files of the shipped data: "atlases.xml" names every page, so a test that copies
// shipped art into its data folder copies all the pages, not a list that falls behind the art.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace TestSupport {

inline std::vector<std::string> shippedAtlasFiles(const std::string& dataDir) {
    std::vector<std::string> names{"atlases.xml"};
    for (const auto& entry : std::filesystem::directory_iterator(dataDir + "/Atlases"))
        names.push_back("Atlases/" + entry.path().filename().string());
    std::sort(names.begin() + 1, names.end());
    return names;
}

} // namespace TestSupport
