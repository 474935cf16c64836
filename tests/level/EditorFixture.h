#pragma once

// The level editor on the shipped layouts under the UI harness: the shipped board content and
// the editor's pictures copied from Data, the map's shipped look table, the shipped model with
// one shipped level loaded as the editor loads it, a controller with its editor flag, an owner
// that records what the editor asks of it, and a message box that records instead of showing.

#include "engine/core/Random.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/platform/MessageBox.h"
#include "game/level/editor/MeadowEditorView.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/Screen.h"
#include "tests/level/BoardRig.h"
#include "tests/level/ShippedBoard.h"
#include "tests/level/TestStates.h"
#include "tests/model/ShippedModel.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace TestEditor {

// The map as the editor's owner and, for Esc, as the owner of the board screen beneath it.
class RecordingOwner : public IEditorOwner, public IBoardOwner {
public:
    const Engine::cVisual& getVisualState(const std::string& id) const override { return states.getVisualState(id); }
    cScreen* getOwnerScreen() override { return &screen; }
    void resumeMusic() override {}
    void restartLevel() override { calls.push_back("restart"); }
    void showGameMenu() override { calls.push_back("menu"); }
    void setLevelButtonsEnabled(bool) override {}
    bool isLevelEditorMode() override { return true; }
    void setLevelRunning(bool) override {}
    void onLevelCompleted(ILevelScreen*) override { calls.push_back("completed"); }
    void startLevel(int level) override {
        calls.push_back("start " + std::to_string(level));
        if (onStart)
            onStart(level);
    }

    TestLevel::TestStates states;
    cScreen screen;
    std::vector<std::string> calls;
    std::function<void(int)> onStart;
};

struct RecordingMessages : Platform::IMessageBox {
    struct Box {
        std::string text, caption;
    };
    RecordingMessages() { Platform::setMessageBox(this); }
    ~RecordingMessages() override { Platform::setMessageBox(nullptr); }
    void show(const std::string& text, const std::string& caption, Platform::MessageBoxIcon) override {
        boxes.push_back({text, caption});
    }
    std::vector<Box> boxes;
};

class EditorTest : public ::testing::Test {
protected:
    static constexpr int LEVEL = 1; // 6 x 6, two rows with wood cells

    void TearDown() override {
        // A closed editor went to the deferred deletion; the harness deletes it. A test that
        // steps a frame after closing it forgets it (the pointer is left dangling).
        if (editor && Engine::isWidgetAlive(editor) && !editor->isClosed())
            delete editor;
        editor = nullptr;
        controller.reset();
        model.reset();
    }

    // The shipped board, its looks and the editor's own layouts, pictures and model.
    void writeShipped() {
        TestLevel::writeShippedBoard(ui);
        for (const char* name :
             {"Meadow/Images/Editor/index1.png", "Meadow/Images/Editor/index2.png", "Meadow/Images/Editor/index3.png",
              "Meadow/Images/Editor/index4.png", "Meadow/Images/Editor/index5.png", "Meadow/Images/Editor/no_lock.png",
              "Meadow/Images/Editor/tool_back.png", "Meadow/Model/GameLevels.xml", "Meadow/Model/GameModel.xml"})
            ui.writeFile(name, TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name));
    }

    // The harness on OpenGL for pixel tests; false with the reason when EGL cannot start.
    bool startGl(std::string& reason) {
        writeShipped();
        if (!ui.startGl(reason))
            return false;
        TestLevel::loadShippedLooks(owner.states, ui);
        return true;
    }

    // The level as the map's editor flag opens it: loaded with the model's editing flag, a
    // controller with its editor flag, the editor made and unlocked; unless told otherwise the
    // fades and the pieces' fall into their cells end before the test goes on.
    void open(int level = LEVEL, bool settle = true) {
        if (!ui.started()) {
            writeShipped();
            ui.start();
            TestLevel::loadShippedLooks(owner.states, ui);
        }
        model = TestShipped::makeModel();
        // After the model, which seeds the generator with the time as the game does.
        Engine::randomSeed(5);
        model->setEditorMode(true);
        model->loadLevel(level);
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, true);
        try {
            editor = cMeadowEditorView::create(&owner, model.get(), controller.get());
        } catch (const std::string& text) {
            FAIL() << text;
        } catch (const char* text) {
            FAIL() << text;
        }
        ui.step();
        if (settle)
            ui.run(1.5f);
    }

    cMeadowFieldView* field() const { return editor->getFieldView(); }
    cMeadowCellView* cell(int row, int column) const { return field()->findCellView(row, column); }
    void clickWidget(const Engine::cSprite* widget, int button = 0) {
        ui.click(widget->getPosition().x, widget->getPosition().y, button);
        ui.steps(2);
    }
    // The cursor comes to rest on the cell first, as a hand does: a press on entering would
    // also count as a sweep over it.
    void clickCell(int row, int column, int button = 0) {
        ui.moveTo(cell(row, column)->getPosition().x, cell(row, column)->getPosition().y);
        ui.step();
        clickWidget(cell(row, column), button);
    }
    Engine::cTextButton* tool(const std::vector<Engine::cTextButton*>& buttons, int value) const {
        for (Engine::cTextButton* button : buttons)
            if (button->getUserData() == value)
                return button;
        ADD_FAILURE() << "no tool of value " << value;
        return buttons.front();
    }

    TestSupport::UiHarness ui;
    RecordingOwner owner;
    RecordingMessages messages;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    cMeadowEditorView* editor = nullptr;
};

} // namespace TestEditor
