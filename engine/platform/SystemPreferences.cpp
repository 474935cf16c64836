#include "engine/platform/SystemPreferences.h"

#include "engine/platform/System.h"
#include "engine/platform/x11/XkbKeyboard.h"

#include <cstdlib>
#include <vector>

namespace Platform {

namespace {

struct cLayoutLanguage {
    const char* layout;    // XKB layout name
    const char* groupName; // first word of the group's name
    uint16_t language;
};

const cLayoutLanguage LAYOUT_LANGUAGES[] = {
    {"us", "English", 0x0409},    {"gb", "English", 0x0809},   {"il", "Hebrew", LANGUAGE_HEBREW},
    {"ru", "Russian", 0x0419},    {"ua", "Ukrainian", 0x0422}, {"by", "Belarusian", 0x0423},
    {"bg", "Bulgarian", 0x0402},  {"de", "German", 0x0407},    {"fr", "French", 0x040C},
    {"es", "Spanish", 0x0C0A},    {"it", "Italian", 0x0410},   {"pt", "Portuguese", 0x0816},
    {"br", "Portuguese", 0x0416}, {"nl", "Dutch", 0x0413},     {"pl", "Polish", 0x0415},
    {"cz", "Czech", 0x0405},      {"sk", "Slovak", 0x041B},    {"hu", "Hungarian", 0x040E},
    {"ro", "Romanian", 0x0418},   {"tr", "Turkish", 0x041F},   {"gr", "Greek", 0x0408},
    {"se", "Swedish", 0x041D},    {"no", "Norwegian", 0x0414}, {"dk", "Danish", 0x0406},
    {"fi", "Finnish", 0x040B},
};

// Parts of a symbols name that are options rather than layouts.
bool isOption(const std::string& name) {
    static const char* const options[] = {"pc",     "inet",      "group",     "compose", "level3", "level5",
                                          "altwin", "ctrl",      "capslock",  "caps",    "keypad", "kpdl",
                                          "nbsp",   "terminate", "eurosign",  "shift",   "evdev",  "srvr_ctrl",
                                          "japan",  "korean",    "rupeesign", "lv3",     "lv5"};
    for (const char* option : options)
        if (name == option)
            return true;
    return false;
}

// The layout of a group in "pc+us+il:2+inet(evdev)": the part marked ":<group + 1>", or for
// the first group the first unmarked layout.
std::string layoutOfGroup(const std::string& symbols, int group) {
    size_t start = 0;
    while (start <= symbols.size()) {
        size_t end = symbols.find('+', start);
        if (end == std::string::npos)
            end = symbols.size();
        std::string part = symbols.substr(start, end - start);
        start = end + 1;
        int partGroup = 0;
        const size_t colon = part.find(':');
        if (colon != std::string::npos) {
            partGroup = std::atoi(part.c_str() + colon + 1) - 1;
            part.erase(colon);
        }
        const size_t variant = part.find('(');
        if (variant != std::string::npos)
            part.erase(variant);
        if (part.empty() || isOption(part))
            continue;
        if (partGroup == group)
            return part;
    }
    return std::string();
}

class cEnvironmentPreferences : public ISystemPreferences {
public:
    bool readSwapMouseButtons(std::string& value) override {
        const char* text = std::getenv("MEADOW_SWAP_MOUSE_BUTTONS");
        if (!text)
            return false;
        value = text;
        return true;
    }

    uint16_t readKeyboardLanguageId() override {
        const char* display = std::getenv("DISPLAY");
        if (isHeadless() || !display || !*display)
            return LANGUAGE_ENGLISH_US;
        std::string symbols, groupName;
        int group = 0;
        if (!readXkbKeyboard(symbols, group, groupName))
            return LANGUAGE_ENGLISH_US;
        return languageIdFromXkb(symbols, group, groupName);
    }
};

cEnvironmentPreferences g_environmentPreferences;
ISystemPreferences* g_preferences = nullptr;

} // namespace

ISystemPreferences& getSystemPreferences() {
    return g_preferences ? *g_preferences : g_environmentPreferences;
}

void setSystemPreferences(ISystemPreferences* preferences) {
    g_preferences = preferences;
}

uint16_t keyboardLanguageId() {
    return getSystemPreferences().readKeyboardLanguageId();
}

uint16_t languageIdFromXkb(const std::string& symbols, int group, const std::string& groupName) {
    const std::string layout = layoutOfGroup(symbols, group);
    for (const cLayoutLanguage& entry : LAYOUT_LANGUAGES)
        if (layout == entry.layout)
            return entry.language;
    if (layout.empty()) {
        const std::string firstWord = groupName.substr(0, groupName.find(' '));
        for (const cLayoutLanguage& entry : LAYOUT_LANGUAGES)
            if (firstWord == entry.groupName)
                return entry.language;
    }
    return LANGUAGE_ENGLISH_US;
}

} // namespace Platform
