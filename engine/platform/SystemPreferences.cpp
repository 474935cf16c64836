#include "engine/platform/SystemPreferences.h"

#include <cstdlib>

namespace Platform {

namespace {

class cEnvironmentPreferences : public ISystemPreferences {
public:
    bool readSwapMouseButtons(std::string& value) override {
        const char* text = std::getenv("MEADOW_SWAP_MOUSE_BUTTONS");
        if (!text)
            return false;
        value = text;
        return true;
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

} // namespace Platform
