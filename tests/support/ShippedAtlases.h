#pragma once

// The atlas and font files of the shipped data: "atlases.xml" names every page, so a test that
// copies shipped art into its data folder copies all the pages and every font, not a list that
// falls behind the art and the layouts.

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

// Every font of the shipped data ("Fonts/NAME.fnt" and its picture "Fonts/NAME.png").
inline std::vector<std::string> shippedFontFiles(const std::string& dataDir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dataDir + "/Fonts"))
        if (entry.path().extension() == ".fnt" || entry.path().extension() == ".png")
            names.push_back("Fonts/" + entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace TestSupport
