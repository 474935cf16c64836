#pragma once

// Building views under the UI harness: a development screen of our own that writes down what the
// buildings ask of it (dust, drop-in flag, cat, tip, money), a sound table that writes down what
// it plays, a board model and controller for the award counts, and building files written by the
// test under the shipped names.

#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/gui/Panel.h"
#include "game/development/BuildingScreen.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowUnit.h"
#include "game/shell/Tip.h"
#include "tests/model/XmlFixture.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class cMeadowController;
class cMeadowModel;

namespace TestBuildings {

class FakeBuildingScreen : public IBuildingScreen {
public:
    const Engine::cVisual& getVisualState(const std::string& id) const override {
        throw Engine::cStringA("FakeBuildingScreen: no look " + id);
    }
    Engine::cWidget* getWidget() override { return widget; }
    bool isLevelScreenOpen() const override { return levelScreenOpen; }
    bool isLevelRunning() const override { return false; }
    bool isEditorMode() const override { return false; }
    const Engine::cSprite* getShownTip() const override { return nullptr; }
    void updateMoneyText() override { log.push_back("money"); }
    void setUnitUpgrading(const bool& upgrading) override { log.push_back(upgrading ? "upgrading" : "upgraded"); }
    bool createCatView(cMeadowUnit* unit) override {
        log.push_back("cat?" + std::to_string(unit->getId()));
        return unit->getId() == 24 && !catMade && (catMade = true);
    }
    void showShowAllTip() override { log.push_back("showAllTip"); }
    // With makeTips a plain tip owned by the variant; the unit it was made for is written down.
    cTip* createBuildingTip(Engine::cWidget* variant, cMeadowUnit* unit) override {
        if (!makeTips)
            return nullptr;
        log.push_back("tip" + std::to_string(unit->getId()));
        return new cTip(variant);
    }
    void startUnitDust(const Engine::cVector2& p, float depth, float width, float height) override {
        std::ostringstream s;
        s << "dust " << p.x << "," << p.y << " d" << depth << " w" << width << " h" << height;
        log.push_back(s.str());
    }
    cMeadowController* getController() const override { return controller; }

    Engine::cWidget* widget = nullptr;
    cMeadowController* controller = nullptr;
    bool levelScreenOpen = false;
    bool catMade = false;
    bool makeTips = false;
    std::vector<std::string> log;
};

class RecordingSounds : public IGameSounds {
public:
    RecordingSounds() { GameServices::setGameSounds(this); }
    ~RecordingSounds() override { GameServices::setGameSounds(nullptr); }
    void play(const std::string& id) override { log.push_back(id); }
    void playSingle(const std::string& id, float least, float extra) override {
        std::ostringstream s;
        s << id << "~" << least << "+" << extra;
        log.push_back(s.str());
    }
    std::vector<std::string> log;
};

// A unit with the given number of upgrade levels at level 0.
inline std::unique_ptr<cMeadowUnit> makeUnit(int32_t id, int levels, cMeadowModel* model = nullptr) {
    std::string xml = "<Unit><Upgrades>";
    for (int level = 1; level <= levels; ++level)
        xml += "<Upgrade level=\"" + std::to_string(level) + "\" group_number=\"0\"/>";
    xml += "</Upgrades></Unit>";
    auto document = TestModel::parseXml(xml);
    auto unit = std::make_unique<cMeadowUnit>(model);
    unit->loadUnits(document.get());
    unit->setId(id);
    return unit;
}

// Made, set up and torn down in BuildingFixture.cpp, so that the building tests need not see the
// model.
class BuildingFixture : public ::testing::Test {
protected:
    BuildingFixture();
    ~BuildingFixture() override;
    void start();
    void TearDown() override;

    TestSupport::UiHarness ui{0.125f};
    RecordingSounds sounds;
    FakeBuildingScreen screen;
    std::unique_ptr<Engine::cPanel> root;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    std::vector<std::unique_ptr<Engine::cWidget>> owned;
};

} // namespace TestBuildings
