#pragma once

// The model files the game ships, read where they live in the source tree.

#include "tests/model/ModelFixture.h"

#include <memory>
#include <string>

namespace TestShipped {

inline std::string modelPath(const std::string& name) {
    return std::string(MEADOW_DATA_DIR) + "/Meadow/Model/" + name;
}

inline std::unique_ptr<Engine::cXmlDocument> loadShipped(const std::string& name) {
    return TestModel::parseXml(TestSupport::readFileBytes(modelPath(name)));
}

// The game's model: the shipped description with the shipped levels, or with levels given.
inline std::unique_ptr<cMeadowModel> makeModel() {
    auto model = loadShipped("GameModel.xml");
    auto levels = loadShipped("GameLevels.xml");
    return std::make_unique<cMeadowModel>(model.get(), levels.get());
}
inline std::unique_ptr<cMeadowModel> makeModel(const std::string& levelsXml) {
    return TestModel::makeModel(TestSupport::readFileBytes(modelPath("GameModel.xml")), levelsXml);
}

} // namespace TestShipped
