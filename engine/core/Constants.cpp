#include "engine/core/Constants.h"

namespace Engine {

cConstants::cConstants(const std::string& fileName) : cKeyValueReader(fileName) {
    loadFromXml(fileName);
}

cConstants::~cConstants() {
    clear();
}

cConstants* getConstants() {
    return cSingleton<cConstants>::getInstance();
}

} // namespace Engine
