#include "engine/core/Settings.h"

#include "engine/core/ExceptionLog.h"
#include "engine/core/String.h"

namespace Engine {

cSettings::cSettings(const std::string& fileName) : cKeyValueReader(fileName) {
    loadFromXml(fileName);
}

cSettings::~cSettings() {
    try {
        save();
    } catch (...) {
        logException("Settings not saved: ", std::current_exception());
    }
    clear();
}

void cSettings::save() {
    writeUtf16File(getFileName(), toXmlText());
}

cSettings* getSettings() {
    return cSingleton<cSettings>::getInstance();
}

} // namespace Engine
