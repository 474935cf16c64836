#pragma once

// Builds board models from the model fixtures under tests/data/model, or from XML text given
// by a test, without the file system or the resource manager.

#include "game/model/MeadowModel.h"
#include "tests/model/XmlFixture.h"

#include <memory>
#include <string>
#include <vector>

namespace TestModel {

// The ids of resource or bonus records, in list order.
inline std::vector<std::string> ids(const std::vector<cGameResource*>& records) {
    std::vector<std::string> result;
    for (const cGameResource* r : records)
        result.push_back(r->id);
    return result;
}

// The model of the two fixture files.
inline std::unique_ptr<cMeadowModel> makeFixtureModel() {
    auto model = loadFixture("GameModel.xml");
    auto levels = loadFixture("GameLevels.xml");
    return std::make_unique<cMeadowModel>(model.get(), levels.get());
}

inline std::unique_ptr<cMeadowModel> makeModel(const std::string& modelXml,
                                               const std::string& levelsXml = minimalLevelsXml()) {
    auto model = parseXml(modelXml);
    auto levels = parseXml(levelsXml);
    return std::make_unique<cMeadowModel>(model.get(), levels.get());
}

} // namespace TestModel
