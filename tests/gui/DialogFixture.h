#pragma once

// The engine's dialogs as they ship: their layouts, the interface atlas page, the fonts and the
// button sounds they name, copied from Data/ into the harness's data folder. Tests that change a
// layout write their variant over the copy before the harness starts.

#include "engine/core/ProfileManager.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <string>

namespace TestSupport {

inline std::string shippedFile(const std::string& name) {
    return readFileBytes(std::string(MEADOW_SHIPPED_DATA_DIR) + "/" + name);
}

inline void installDialogs(UiHarness& ui) {
    // Only the interface page: the dialogs draw from it alone.
    ui.writeFile("atlases.xml", "<Atlases><Atlas><Path>Atlases/ui_images_0.png</Path>"
                                "<Map>Atlases/ui_images_0.xml</Map></Atlas></Atlases>");
    for (const char* name : {"Atlases/ui_images_0.png", "Atlases/ui_images_0.xml", "UI/YesNo.xml", "UI/NewUser.xml",
                             "UI/SelectUser.xml", "Meadow/Sounds/btn_clicked.ogg", "Meadow/Sounds/btn_hovered.ogg"})
        ui.writeFile(name, shippedFile(name));
    for (const std::string& name : shippedFontFiles(MEADOW_SHIPPED_DATA_DIR))
        ui.writeFile(name, shippedFile(name));
}

// A shipped layout with one text replaced (the first occurrence).
inline std::string shippedWith(const std::string& name, const std::string& from, const std::string& to) {
    std::string text = shippedFile(name);
    const size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Moves onto the point, presses and releases the left button, one frame each.
inline void clickAt(UiHarness& ui, float x, float y) {
    ui.moveTo(x, y);
    ui.step();
    ui.press();
    ui.step();
    ui.release();
    ui.step();
}

// Makes each named player in turn; the last one stays current.
inline void makePlayers(std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) {
        delete Engine::getProfileManager();
        new Engine::cProfileManager(name);
    }
}

// Deletes whatever profile manager a test left.
struct ProfileCleanup {
    ~ProfileCleanup() { delete Engine::getProfileManager(); }
};

} // namespace TestSupport
