#pragma once

// The model fixtures under tests/data/model and XML text given by a test, parsed without the
// file system or the resource manager, and the texts of thrown exceptions. Apart from the model
// so that tests of the model's parts need not see the whole board model.

#include "engine/core/XmlDocument.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace TestModel {

inline std::string fixturePath(const std::string& name) {
    const char* root = std::getenv("MEADOW_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/model/" + name;
}

inline std::unique_ptr<Engine::cXmlDocument> parseXml(const std::string& text) {
    auto document = std::make_unique<Engine::cXmlDocument>();
    if (!document->parseBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size()))
        throw std::runtime_error("fixture does not parse");
    return document;
}

inline std::unique_ptr<Engine::cXmlDocument> loadFixture(const std::string& name) {
    return parseXml(TestSupport::readFileBytes(fixturePath(name)));
}

// Puts a fixture file where the game reads it, "Meadow/Model/<name>" in the data folder.
template <class Folders> void writeModelFile(const Folders& folders, const std::string& name) {
    folders.writeData("Meadow/Model/" + name, TestSupport::readFileBytes(fixturePath(name)));
}

// The smallest description the model accepts, with extra root attributes and children.
inline std::string minimalModelXml(const std::string& rootAttributes = "", const std::string& children = "") {
    return "<Model " + rootAttributes + ">" + children +
           "<GameObjects/><GameResources><R id=\"money\" type=\"1\"/></GameResources><Units/>"
           "<LevelAchievements><A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements></Model>";
}

inline const char* minimalLevelsXml() {
    return "<Levels><Level size=\"1 1\"/></Levels>";
}

// The text of the narrow exception a call throws; empty when it throws nothing.
template <class F> std::string thrownText(F&& call) {
    try {
        call();
    } catch (const std::string& text) {
        return text;
    }
    return std::string();
}

// The text of the plain C string a call throws; empty when it throws nothing.
template <class F> std::string thrownPlainText(F&& call) {
    try {
        call();
    } catch (const char* text) {
        return text;
    }
    return std::string();
}

} // namespace TestModel
