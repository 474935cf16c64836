#pragma once

// The shipped board content in a harness's data folder: every atlas page, the fonts, the
// particle effects, the level backgrounds and every layout under "Meadow/View", copied from
// where they live in the source tree; and game sounds that only write down what was asked.

#include "game/model/GameSoundsLink.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <filesystem>
#include <string>
#include <vector>

namespace TestLevel {

inline void writeShippedTree(TestSupport::UiHarness& ui, const std::string& folder) {
    const std::string root = MEADOW_DATA_DIR;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root + "/" + folder))
        if (entry.is_regular_file()) {
            const std::string name = entry.path().string().substr(root.size() + 1);
            ui.writeFile(name, TestSupport::readFileBytes(entry.path().string()));
        }
}

// Before the harness starts.
inline void writeShippedBoard(TestSupport::UiHarness& ui) {
    for (const std::string& name : TestSupport::shippedAtlasFiles(MEADOW_DATA_DIR))
        ui.writeFile(name, TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name));
    for (const char* folder : {"Fonts", "Effects", "Meadow/View", "Meadow/Images/Backgrounds", "Meadow/Images/Bonus"})
        writeShippedTree(ui, folder);
}

class SoundBook : public IGameSounds {
public:
    void play(const std::string& id) override { log.push_back(id); }
    void playSingle(const std::string& id, float, float) override { log.push_back(id); }
    int count(const std::string& id) const { return int(std::count(log.begin(), log.end(), id)); }
    std::vector<std::string> log;
};

} // namespace TestLevel
