#pragma once

// The board as the tests of the board build it, in one place. BoardRig: the harness, the
// owner's looks, the model, the controller, and the board screen (cMeadowView) with its field
// view bound by hand and a view for every piece; the board screen as the controller's level view
// when the test drives the controller through it. ScreenRig: the board screen as the map opens
// it, on the shipped content. Looks that name shipped pictures are the map's own table, the
// "States" of "Meadow/View/DevelopmentView.xml".

#include "game/level/MeadowView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "tests/level/ShippedBoard.h"
#include "tests/level/TestStates.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

class IVisualStates;

namespace TestLevel {

// The map screen's shipped look table, read from the started harness's data folder.
void loadShippedLooks(TestStates& looks, TestSupport::UiHarness& ui);

// What the map does to open a level on a new board screen: the screen makes its field view,
// pieces and panels (with the play-test button when asked) and becomes the controller's level
// view. The screen deletes itself once closed.
cMeadowView* openBoardScreen(IVisualStates* owner, cMeadowModel* model, cMeadowController* controller,
                             bool withoutControls = false, bool playTest = false);

class BoardRig : public ::testing::Test {
protected:
    void TearDown() override { closeBoard(); }

    // The rig's looks from the map's shipped table, once the harness has started.
    void loadShippedLooks() { TestLevel::loadShippedLooks(states, ui); }
    // The board screen over the model as it stands, with the rig's looks: a controller when
    // asked (with the editor flag), the board screen, its field view bound and built, and a
    // view for every piece.
    void buildBoard(bool withController, bool editor = false);
    // Every piece view at its cell and shown, as the level's arrival leaves them; taking clicks
    // when asked.
    void placePieces(bool withInput);
    // The controller drives the board screen as its level view and opens the input.
    void linkBoard();
    // The controller lets go of its level view; the field, the board and the controller go.
    void closeBoard();

    // Widgets hold resources of the harness: it comes first and goes last.
    TestSupport::UiHarness ui;
    TestStates states;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    std::unique_ptr<cMeadowView> board;
    std::unique_ptr<cMeadowFieldView> field;
};

// The board screen as the map opens it (openBoardScreen), on the shipped board content, looks and
// model, with game sounds that write down what was asked. The owner, and the opening itself,
// are the test's.
class ScreenRig : public ::testing::Test {
protected:
    void TearDown() override;

    // The shipped board content and the further folders given in the harness, started; the
    // shipped looks in the owner's table; the sounds recorded; the shipped model made (it seeds
    // the generator with the time, as the game does).
    void startShipped(TestStates& looks, std::initializer_list<const char*> folders = {});
    // The open board screen hands itself, its field and its results to the deferred deletion,
    // which the next frame runs.
    void closeScreen();

    TestSupport::UiHarness ui;
    SoundBook sounds;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    cMeadowView* board = nullptr;
};

} // namespace TestLevel
