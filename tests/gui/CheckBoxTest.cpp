// The check box: releases that end a press toggle it and report the new state; locked boxes do
// not toggle; the tick follows the state.

#include "engine/gui/CheckBox.h"
#include "engine/core/ResourceManager.h"
#include "tests/gui/ButtonScript.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

void onChange(cCheckBox*, bool checked) {
    ButtonScript::log().push_back(checked ? "on" : "off");
}

class CheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ButtonScript::log().clear();
        ui.start();
    }
    std::unique_ptr<cCheckBox> load(const std::string& keys) {
        ui.writeFile("c.xml", "<C Visible=\"1\" Enable=\"1\" position=\"100,100\" size=\"40,40\" " + keys +
                                  "><Tick Visible=\"1\" Enable=\"1\" position=\"100,100\" size=\"20,20\"/></C>");
        auto box = std::make_unique<cCheckBox>(nullptr);
        box->setChangeCallback(onChange);
        ButtonScript::connect(*box);
        box->loadXML(ui.layout("c.xml"));
        getResourceManager()->forgetResource("c.xml");
        return box;
    }
    static std::string ticked(cCheckBox& box) {
        return std::string(box.isChecked() ? "x" : "o") + (box.getTick()->isVisible() ? "x" : "o");
    }
    UiHarness ui;
};

struct ToggleCase {
    const char* name;
    const char* keys;
    bool locked;
    const char* script;
    const char* seen;
    const char* calls;
};

} // namespace

TEST_F(CheckBoxTest, ReleasesToggle) {
    const ToggleCase cases[] = {
        {"click inside", "", false, "m100,100 s p s r s p s r s", "oo oo xx xx oo",
         "hover unhover press hover click on "
         "unhover press hover click off"},
        {"release outside still toggles", "", false, "m100,100 s p s m300,300 r s", "oo oo xx",
         "hover unhover press unhover on"},
        {"press outside does not", "", false, "m300,300 s p s m100,100 r s", "oo oo oo", "hover"},
        {"loaded checked", "Checked=\"1\"", false, "m100,100 s p s r s", "xx xx oo",
         "hover unhover press hover click off"},
        {"locked", "", true, "m100,100 s p s r s", "oo oo oo", ""},
    };
    for (const ToggleCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui.moveTo(0, 0);
        ui.step();
        ButtonScript::log().clear();
        auto box = load(c.keys);
        if (c.locked)
            box->lock();
        EXPECT_EQ(ButtonScript::run(ui, c.script, [&] { return ticked(*box); }), c.seen);
        EXPECT_EQ(ButtonScript::joined(), c.calls);
    }
}

TEST_F(CheckBoxTest, ALockedBoxPressedBeforeTheLockDoesNotToggle) {
    auto box = load("");
    ButtonScript::run(ui, "m100,100 s p s", [] { return ""; });
    box->lock();
    EXPECT_EQ(ButtonScript::run(ui, "r s", [&] { return ticked(*box); }), "oo");
    box->unlock();
    EXPECT_EQ(ButtonScript::run(ui, "p s r s", [&] { return ticked(*box); }), "oo xx");
}

TEST_F(CheckBoxTest, SetCheckedCallsNoOneAndTheTickFollowsAtTheNextFrame) {
    auto box = load("");
    box->setChecked(true);
    EXPECT_EQ(ticked(*box), "xo");
    ui.step();
    EXPECT_EQ(ticked(*box), "xx");
    EXPECT_EQ(ButtonScript::joined(), "");
}
