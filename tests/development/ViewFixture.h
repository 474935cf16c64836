#pragma once

// Character views under the UI harness: a development screen of our own that hands out small
// looks (one picture per look id) and says whether a board screen is open and which tip shows, a
// sound table that writes down what it plays, and character files written by the test.

#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/gui/Sprite.h"
#include "game/development/BubbleView.h"
#include "game/development/CatPersonModel.h"
#include "game/development/CatPersonView.h"
#include "game/development/PersonageModel.h"
#include "game/development/PersonageScreen.h"
#include "game/development/PersonageView.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "tests/development/CharacterFixture.h"
#include "tests/gui/LabelFixture.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace TestViews {

class FakeScreen : public IPersonageScreen {
public:
    const Engine::cVisual& getVisualState(const std::string& id) const override {
        auto it = looks.find(id);
        if (it == looks.end())
            throw Engine::cStringA("FakeScreen: no look " + id);
        return it->second;
    }
    Engine::cWidget* getWidget() override { return widget; }
    bool isLevelScreenOpen() const override { return levelScreenOpen; }
    bool isLevelRunning() const override { return levelRunning; }
    bool isEditorMode() const override { return editorMode; }
    const Engine::cSprite* getShownTip() const override { return tip; }

    std::map<std::string, Engine::cVisual> looks;
    bool levelScreenOpen = false;
    bool levelRunning = false;
    bool editorMode = false;
    Engine::cWidget* widget = nullptr;
    const Engine::cSprite* tip = nullptr;
};

class RecordingSounds : public IGameSounds {
public:
    RecordingSounds() { GameServices::setGameSounds(this); }
    ~RecordingSounds() override { GameServices::setGameSounds(nullptr); }
    void play(const std::string& id) override { log.push_back(id); }
    void playSingle(const std::string& id, float, float) override { log.push_back(id); }
    std::vector<std::string> log;
};

class CountingUnitView : public TestCharacters::FakeUnitView {
public:
    using FakeUnitView::FakeUnitView;
    void playVoices() override { ++voices; }
    int voices = 0;
};

// The heroine's looks and three cat events.
const std::vector<std::string> kLookIds = {"pers_idle",
                                           "pers_talk",
                                           "pers_move_up",
                                           "pers_move_up_right",
                                           "pers_move_right",
                                           "pers_move_down_right",
                                           "pers_move_down",
                                           "ev",
                                           "cat_pers_idle",
                                           "cat_pers_move_up",
                                           "cat_pers_move_up_left",
                                           "cat_pers_move_left",
                                           "cat_pers_move_down_left",
                                           "cat_pers_move_down",
                                           "c_wash",
                                           "c_nap",
                                           "c_birds"};

inline std::string lookPicture(const std::string& id) {
    return "looks/" + id + ".tga";
}

// Points and arcs: {index, x, y} and pairs of indices.
struct Node {
    int index;
    float x, y;
};
inline std::string graphXml(const std::vector<Node>& nodes, const std::vector<std::pair<int, int>>& arcs) {
    std::string xml = "<Graph><Points>";
    for (const Node& n : nodes)
        xml += "<Point index=\"" + std::to_string(n.index) + "\" position=\"" + std::to_string(n.x) + " " +
               std::to_string(n.y) + "\"/>";
    xml += "</Points><Arcs>";
    for (const auto& [a, b] : arcs)
        xml += "<Arc node1=\"" + std::to_string(a) + "\" node2=\"" + std::to_string(b) + "\"/>";
    return xml + "</Arcs></Graph>";
}

// Walking sizes tell the directions apart; speeds 16 (x), 8 (y), 32 (diagonal).
constexpr const char* kCharacterKeys =
    "Visible=\"1\" Enable=\"1\" size=\"64 112\" HeightOffset=\"56\" size_up=\"10 1\" size_up_left=\"20 2\" "
    "size_left=\"30 3\" size_left_down=\"40 4\" size_down=\"50 5\" moving_speed_x=\"16\" moving_speed_y=\"8\" "
    "moving_speed_xy=\"32\" talking_time=\"1\" ";
// Idle for long and never off to work, unless a test says otherwise.
constexpr const char* kCalm = "max_idle_time=\"100\" min_idle_time=\"100\" will_to_work=\"0\"";

constexpr const char* kBubble =
    "<PersonageBubble Picture=\"looks/bubble.tga\" size=\"200 100\" bubble_offset=\"0 -50\" "
    "effect_time=\"0.25\" Visible=\"0\"><Text size=\"180 80\" Font=\"fonts/t.fnt\" "
    "Texture=\"fonts/t.tga\"/></PersonageBubble>";

inline std::string heroineXml(const std::string& graph, const std::string& keys = kCalm,
                              const std::string& bubble = kBubble) {
    return std::string("<Personage ") + kCharacterKeys + keys + ">" + graph +
           "<PersonageFunnyEvents><Event id=\"ev\" time=\"1\" size=\"70 70\"><Phrases>"
           "<Phrase phrase=\"Hi\" group=\"0 10\"/></Phrases></Event></PersonageFunnyEvents>" +
           bubble + "</Personage>";
}

inline std::string catXml(const std::string& graph, const std::string& keys = kCalm) {
    std::string states;
    for (const std::string& id : kLookIds)
        if (id.rfind("pers_", 0) != 0 && id != "ev")
            states += "<State id=\"" + id + "\" Picture=\"" + lookPicture(id) + "\"/>";
    return std::string("<Cat ") + kCharacterKeys + "cat_silence_time=\"2 2\" " + keys + ">" + graph +
           "<PersonageFunnyEvents><Event id=\"c_wash\" time=\"1\" size=\"60 48\"/>"
           "<Event id=\"c_nap\" time=\"1\" size=\"61 48\"/><Event id=\"c_birds\" time=\"1.5\" size=\"64 56\"/>"
           "</PersonageFunnyEvents><States>" +
           states + "</States></Cat>";
}

// The bubble's text uses the synthetic font of the label tests.
class ViewFixture : public TestSupport::LabelFixture {
protected:
    void start() {
        Engine::randomSeed(1);
        uint32_t colour = 0xFF102030u;
        for (const std::string& id : kLookIds)
            ui.writePicture(lookPicture(id), 4, 4, colour += 0x010101u);
        ui.writePicture("looks/bubble.tga", 8, 4, 0xFFFFFFFFu);
        LabelFixture::start();
        for (const std::string& id : kLookIds)
            screen.looks[id].setPicture(lookPicture(id));
    }

    cPersonageView* heroine(const std::string& xml) {
        const std::string file = "heroine" + std::to_string(++files) + ".xml";
        ui.writeFile(file, xml);
        models.push_back(std::make_unique<cPersonageModel>());
        auto* view = new cPersonageView(nullptr, &screen, models.back().get());
        widgets.emplace_back(view);
        view->loadXML(ui.layout(file));
        return view;
    }

    cCatPersonView* cat(const std::string& xml, int variant = 0) {
        ui.writeFile(cCatPersonModel::fileName(variant), xml);
        models.push_back(std::make_unique<cCatPersonModel>());
        auto* view = new cCatPersonView(nullptr, &screen, static_cast<cCatPersonModel*>(models.back().get()), variant);
        widgets.emplace_back(view);
        return view;
    }

    // The id of the look the sprite shows, by its picture.
    std::string lookOf(const Engine::cSprite& sprite) const {
        for (const auto& [id, look] : screen.looks)
            if (look.getPicture() == sprite.getPicture())
                return id;
        return "?";
    }

    // A built unit at a point of the model, with its lines.
    CountingUnitView* unitAt(cPersonageModel& model, int point, const std::string& regular = "R",
                             const std::vector<std::string>& randoms = {"X"}) {
        units.push_back(TestCharacters::makeUnit(point, 1, false, "P", regular, randoms));
        unitViews.push_back(std::make_unique<CountingUnitView>(units.back().get(), point));
        model.addUnitPoint(point, unitViews.back().get());
        return unitViews.back().get();
    }

    void TearDown() override {
        widgets.clear();
        screen.looks.clear();
        LabelFixture::TearDown();
    }

    RecordingSounds sounds;
    FakeScreen screen;
    std::vector<std::unique_ptr<cMeadowUnit>> units;
    std::vector<std::unique_ptr<CountingUnitView>> unitViews;
    std::vector<std::unique_ptr<cPersonageModel>> models;
    std::vector<std::unique_ptr<Engine::cWidget>> widgets;
    int files = 0;
};

} // namespace TestViews
