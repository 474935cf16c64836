#pragma once

// The upgrade panel under the UI harness on its shipped layouts and pictures: a development
// screen of our own that hands out icons and preview views (which remember which look is shown
// and when their unit was raised), a model of five buildings and a real controller.

#include "engine/core/WidgetSets.h"
#include "engine/gui/Visual.h"
#include "engine/gui/Widget.h"
#include "game/development/ConfirmVariantDlg.h"
#include "game/development/TipFrameButton.h"
#include "game/development/UpgradeButton.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/development/UpgradeScreen.h"
#include "game/development/VariantsDlg.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowUnit.h"
#include "game/model/Signal.h"
#include "game/shell/Tip.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

class cMeadowController;
class cMeadowModel;

namespace TestUpgrades {

class FakePreview : public IUpgradePreview {
public:
    FakePreview(std::unique_ptr<cMeadowUnit> unit, int32_t variants, std::vector<std::string>& log)
        : m_unit(std::move(unit)), m_shown(size_t(variants), false), m_alpha(size_t(variants), 0.0f), m_log(log) {
        m_connection = m_unit->m_changedSignal.connect([this](cMeadowUnit* unit) {
            m_log.push_back("preview " + std::to_string(unit->getId()) + " raised to " +
                            std::to_string(unit->getLevel()));
        });
        for (int32_t i = 0; i < variants; ++i) {
            m_icons.emplace_back();
            m_icons.back().setFramesCount(unsigned(10 + i));
        }
    }
    ~FakePreview() override {
        // As a building view does: it lets go of the unit's signal before the unit goes.
        m_connection.disconnect();
    }

    cMeadowUnit* getUnit() const override { return m_unit.get(); }
    int32_t getVariantCount() const override { return int32_t(m_shown.size()); }
    void setVariantShown(int32_t index, bool shown, float alpha) override {
        m_shown.at(size_t(index)) = shown;
        m_alpha.at(size_t(index)) = alpha;
    }
    const Engine::cVisual& getVariantIcon(int32_t index) const override { return m_icons.at(size_t(index)); }
    void getVariantBox(int32_t, Engine::cVector2& centre, Engine::cVector2& size) const override {
        centre = m_boxCentre;
        size = m_boxSize;
    }
    // Where every look stands on the screen; none by default.
    void setVariantBox(const Engine::cVector2& centre, const Engine::cVector2& size) {
        m_boxCentre = centre;
        m_boxSize = size;
    }

    // The index of the look shown, -1 when none.
    int32_t shownVariant() const {
        for (size_t i = 0; i < m_shown.size(); ++i)
            if (m_shown[i])
                return int32_t(i);
        return -1;
    }
    float alphaOf(int32_t index) const { return m_alpha.at(size_t(index)); }

private:
    std::unique_ptr<cMeadowUnit> m_unit;
    std::vector<bool> m_shown;
    std::vector<float> m_alpha;
    std::vector<Engine::cVisual> m_icons;
    Engine::cVector2 m_boxCentre;
    Engine::cVector2 m_boxSize;
    boost::signals2::connection m_connection;
    std::vector<std::string>& m_log;
};

class FakeScreen : public IUpgradeScreen {
public:
    // After the harness has started.
    void open() {
        m_root = std::make_unique<Engine::cWidget>(nullptr);
        m_root->show();
        m_root->enable();
    }
    ~FakeScreen() override { released.clear(); }

    cMeadowModel* getModel() const override { return model; }
    cMeadowController* getController() const override { return controller; }
    Engine::cWidget* getWidget() override { return m_root.get(); }
    const Engine::cVisual& getUpgradeIcon(cMeadowUnit* unit, int32_t index) const override {
        const int32_t id = unit->getId();
        if (withoutView.count(id))
            throw "FakeScreen::getUpgradeIcon(): no building view";
        auto& icon = icons[{id, index}];
        if (pictures.count(id))
            icon.setPicture(pictures.at(id));
        else
            icon.setFramesCount(unsigned(100 * (id + 1) + index));
        return icon;
    }
    IUpgradePreview* createPreview(std::unique_ptr<cMeadowUnit> copy) override {
        const int32_t id = copy->getId();
        auto* preview = new FakePreview(std::move(copy), variants.count(id) ? variants.at(id) : 1, log);
        preview->setVariantBox(lookCentre, lookSize);
        previews.push_back(preview);
        return preview;
    }
    void releasePreview(IUpgradePreview* preview) override {
        auto* fake = static_cast<FakePreview*>(preview);
        previews.erase(std::find(previews.begin(), previews.end(), fake));
        released.emplace_back(fake);
    }
    void setUnitSkinShown(cMeadowUnit* unit, bool shown) override {
        skinShown[unit->getId()] = shown;
        log.push_back("skin " + std::to_string(unit->getId()) + (shown ? " shown" : " hidden"));
    }
    float getVariantAlpha() const override { return 0.625f; }
    void lockInterface(bool locked) override { log.push_back(locked ? "lock" : "unlock"); }
    bool isLevelScreenOpen() const override { return levelScreenOpen; }
    bool isEditorMode() const override { return false; }
    bool areUpgradesAllowed() const override { return upgradesAllowed; }
    bool isTipsEnabled() const override { return tipsEnabled; }
    void setTipsEnabled(bool enabled) override { tipsEnabled = enabled; }
    void setTutorialTipsShown(bool shown) override { tutorialTips = shown; }
    void checkUpgradeHint(const Engine::cVector2& position) override { hints.push_back(position); }
    cTip* createUpgradeTip(Engine::cWidget* owner) override { return withTips ? new cTip(owner) : nullptr; }
    void prepareUpgradeTip(cTip*, cMeadowUnit* unit, float lugX, int32_t level) override {
        log.push_back("tip " + std::to_string(unit->getId()) + " at " + std::to_string(int(lugX)) + " level " +
                      std::to_string(level));
    }

    // The preview of a live button, by the unit it raises.
    FakePreview* livePreview() const { return previews.empty() ? nullptr : previews.back(); }

    cMeadowModel* model = nullptr;
    cMeadowController* controller = nullptr;
    // Unit id -> number of looks of its upgrades (1 when missing).
    std::map<int32_t, int32_t> variants;
    std::set<int32_t> withoutView;
    // Where the looks of the previews made from now on stand on the screen.
    Engine::cVector2 lookCentre, lookSize;
    // Unit id -> picture of its icons; without one an icon is marked by its frame count.
    std::map<int32_t, std::string> pictures;
    mutable std::map<std::pair<int32_t, int32_t>, Engine::cVisual> icons;
    std::vector<FakePreview*> previews;
    std::vector<std::unique_ptr<FakePreview>> released;
    std::map<int32_t, bool> skinShown;
    std::vector<std::string> log;
    std::vector<Engine::cVector2> hints;
    bool upgradesAllowed = true;
    bool withTips = false;
    bool levelScreenOpen = false;
    bool tipsEnabled = true;
    bool tutorialTips = false;

private:
    std::unique_ptr<Engine::cWidget> m_root;
};

class RecordingSounds : public IGameSounds {
public:
    RecordingSounds() { GameServices::setGameSounds(this); }
    ~RecordingSounds() override { GameServices::setGameSounds(nullptr); }
    void play(const std::string& id) override { log.push_back(id); }
    void playSingle(const std::string& id, float, float) override { log.push_back(id); }
    std::vector<std::string> log;
};

// Five buildings: the hen house (id 0) with three levels of three looks each, the mill (1), the
// pier (2) whose second level is cheaper than its first, the well (3), and a fountain (4) of a
// later group. Ordered by the panel: unreached by group then price, reached by price.
// extraUnits: more unit elements after the five.
inline std::string modelXml(const std::string& extraUnits = "") {
    const auto unit = [](const std::string& upgrades) { return "<Unit><Upgrades>" + upgrades + "</Upgrades></Unit>"; };
    const auto upgrade = [](int level, int price, int group) {
        return "<Upgrade level=\"" + std::to_string(level) + "\" price_gold=\"" + std::to_string(price) +
               "\" group_number=\"" + std::to_string(group) + "\"/>";
    };
    const std::string units = "<Units>" + unit(upgrade(1, 100, 0) + upgrade(2, 300, 1) + upgrade(3, 500, 2)) +
                              unit(upgrade(1, 50, 0)) + unit(upgrade(1, 200, 0) + upgrade(2, 80, 0)) +
                              unit(upgrade(1, 70, 0)) + unit(upgrade(1, 40, 1)) + extraUnits + "</Units>";
    return "<Model><GameObjects/><GameResources><R id=\"money\" type=\"1\"/></GameResources>" + units +
           "<LevelAchievements><A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements></Model>";
}

// The button centres of the shipped row.
inline Engine::cVector2 place(int index) {
    return Engine::cVector2(112.0f + 72.0f * float(index), 718.0f);
}

// The model's parts are in UpgradeFixture.cpp, so that the tests of the buttons need not see it.
class UpgradeFixture : public ::testing::Test {
protected:
    UpgradeFixture();
    ~UpgradeFixture() override;
    void SetUp() override {
        const std::filesystem::path data = std::filesystem::path(MEADOW_SOURCE_DIR) / "Data";
        const auto copy = [&](const std::string& name) {
            std::ifstream in(data / name, std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            ASSERT_FALSE(bytes.str().empty()) << name;
            ui.writeFile(name, bytes.str());
        };
        // Only the atlas pages the panel's layouts and the buildings' icons draw from: the
        // interface's and every page of the map's.
        std::vector<std::string> pages = {"ui_images_0"};
        for (int n = 0; std::filesystem::exists(data / ("Atlases/map_images_" + std::to_string(n) + ".xml")); ++n)
            pages.push_back("map_images_" + std::to_string(n));
        std::string atlases = "<Atlases>";
        for (const std::string& page : pages) {
            const std::string stem = "Atlases/" + page;
            atlases += "<Atlas><Path>" + stem + ".png</Path><Map>" + stem + ".xml</Map></Atlas>";
            copy(stem + ".png");
            copy(stem + ".xml");
        }
        ui.writeFile("atlases.xml", atlases + "</Atlases>");
        for (const char* name :
             {cUpgradeButtonsPanel::LAYOUT, cUpgradeButton::LAYOUT, cConfirmVariantDlg::LAYOUT, cVariantsDlg::LAYOUT})
            copy(name);
        for (const std::string& name : TestSupport::shippedFontFiles(data.string()))
            copy(name);
        for (const auto& entry : std::filesystem::directory_iterator(data / "Meadow/Images/Upgrade"))
            copy("Meadow/Images/Upgrade/" + entry.path().filename().string());
        if (drawsPixels()) {
            std::string reason;
            if (!ui.startGl(reason))
                GTEST_SKIP() << "No headless OpenGL: " << reason;
        } else {
            ui.start();
        }
        screen.open();

        startModel();
        screen.variants = {{0, 3}};
    }
    void TearDown() override {
        if (panel && Engine::isWidgetAlive(panel))
            delete panel;
        ui.step();
    }

    virtual std::string extraUnits() const { return ""; }
    // Pixel tests draw with OpenGL.
    virtual bool drawsPixels() const { return false; }
    // The model of modelXml(extraUnits()) and its controller, given to the screen.
    void startModel();
    void setMoney(int32_t money);
    cMeadowUnit* unit(int32_t id) const;
    // A panel laid out on the freshly read targets.
    void openPanel(int32_t money) {
        setMoney(money);
        panel = new cUpgradeButtonsPanel(&screen);
        panel->setModel(model.get());
        panel->show();
        panel->enable();
        panel->updateButtons(true);
        ui.step();
    }
    cUpgradeButton* button(int index) const { return panel->getButtons().at(size_t(index)); }
    // "id:level" of the row's buttons that are shown.
    std::vector<std::string> row() const {
        std::vector<std::string> shown;
        for (cUpgradeButton* b : panel->getButtons())
            if (b->isVisible())
                shown.push_back(std::to_string(b->getUnit()->getId()) + ":" + std::to_string(b->getUpgrade()->level));
        return shown;
    }
    void click(const Engine::cVector2& at) {
        ui.moveTo(at.x, at.y);
        ui.step();
        ui.click(at.x, at.y);
        ui.step();
        ui.step();
    }

    TestSupport::UiHarness ui{0.0625f};
    RecordingSounds sounds;
    FakeScreen screen;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    cUpgradeButtonsPanel* panel = nullptr;
};

} // namespace TestUpgrades
