#pragma once

// Settings the player made for the whole desktop rather than for the game.

#include <cstdint>
#include <string>

namespace Platform {

// Language identifiers of keyboard layouts, with the values Windows gives them.
constexpr uint16_t LANGUAGE_ENGLISH_US = 0x0409;
constexpr uint16_t LANGUAGE_HEBREW = 0x040D;

class ISystemPreferences {
public:
    virtual ~ISystemPreferences() = default;
    // The "SwapMouseButtons" value as text; false when it is not set.
    virtual bool readSwapMouseButtons(std::string& value) = 0;
    // The language of the keyboard layout the player types with now.
    virtual uint16_t readKeyboardLanguageId() { return LANGUAGE_ENGLISH_US; }
};

// The preferences in use: the environment (MEADOW_SWAP_MOUSE_BUTTONS) and the X keyboard
// extension, unless a test installed others.
ISystemPreferences& getSystemPreferences();
// Installs preferences (nullptr restores the environment's). The caller keeps ownership.
void setSystemPreferences(ISystemPreferences* preferences);

// The current keyboard layout's language: from the X keyboard extension when a display is
// there (Hebrew 0x040D for the layout "il"), LANGUAGE_ENGLISH_US headless, without a display
// or for a layout it does not know.
uint16_t keyboardLanguageId();

// The language of an XKB keyboard state: the layout of group (0-based) in the symbols name
// ("pc+us+il:2+inet(evdev)"), else the group's name ("Hebrew").
uint16_t languageIdFromXkb(const std::string& symbols, int group, const std::string& groupName);

} // namespace Platform
