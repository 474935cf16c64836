#pragma once

// The tutorial and award files as they ship, with the fonts, pictures, interface atlas page and
// effect they name, copied from Data/ into a harness's data folder before it starts.

#include "tests/support/ShippedAtlases.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <filesystem>
#include <string>

namespace TestShell {

inline std::string shippedFile(const std::string& name) {
    return TestSupport::readFileBytes(std::string(MEADOW_SOURCE_DATA_DIR) + "/" + name);
}

inline void installFolder(TestSupport::UiHarness& ui, const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(std::string(MEADOW_SOURCE_DATA_DIR) + "/" + folder))
        if (entry.is_regular_file())
            ui.writeFile(folder + "/" + entry.path().filename().string(),
                         TestSupport::readFileBytes(entry.path().string()));
}

inline void installTutorialAndAwards(TestSupport::UiHarness& ui) {
    ui.writeFile("atlases.xml", "<Atlases><Atlas><Path>Atlases/ui_images_0.png</Path>"
                                "<Map>Atlases/ui_images_0.xml</Map></Atlas></Atlases>");
    for (const char* name : {"Atlases/ui_images_0.png", "Atlases/ui_images_0.xml", "Effects/award_glitter.pfx",
                             "Meadow/Sounds/btn_clicked.ogg", "Meadow/Sounds/btn_hovered.ogg"})
        ui.writeFile(name, shippedFile(name));
    for (const std::string& name : TestSupport::shippedFontFiles(MEADOW_SOURCE_DATA_DIR))
        ui.writeFile(name, shippedFile(name));
    for (const char* folder : {"Awards", "Awards/Images", "Meadow/View/Tutorial", "Meadow/Images/Tutorial"})
        installFolder(ui, folder);
}

} // namespace TestShell
