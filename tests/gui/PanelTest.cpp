#include "engine/gui/Panel.h"
#include "engine/core/FrameRegistry.h"
#include "engine/core/XmlNode.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

std::vector<std::string> g_calls;

void onHidden(cPanel*) {
    g_calls.push_back("hidden");
}

void onProcess(cPanel* panel) {
    g_calls.push_back("process " + std::to_string(panel->getActionCount()));
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        ui.start();
    }
    UiHarness ui;
};

} // namespace

TEST_F(PanelTest, AnimationPlaysOnlyWhileVisibleAndEnabled) {
    // Eight frames of one step each (1/16 s).
    ui.writeFile("p.xml", "<P Visible=\"1\" Enable=\"1\" PlayAnimation=\"1\" frames_count=\"8\" anim_columns=\"8\" "
                          "anim_length=\"0.5\"/>");
    cPanel panel(nullptr);
    panel.loadXML(ui.layout("p.xml"));
    EXPECT_EQ(panel.getKind(), WIDGET_KIND_PANEL);
    std::vector<int> frames;
    for (int i = 0; i < 10; ++i) {
        ui.step();
        frames.push_back(panel.getAnimFrame());
    }
    // At exactly the length the last frame shows once more; the next step wraps.
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 7, 1, 2}));

    panel.hide();
    ui.steps(3);
    EXPECT_EQ(panel.getAnimFrame(), 2);
    panel.show();
    panel.disable();
    ui.steps(3);
    EXPECT_EQ(panel.getAnimFrame(), 2);
    panel.enable();
    ui.step();
    EXPECT_EQ(panel.getAnimFrame(), 3);
}

TEST_F(PanelTest, HooksAndTheOnShowAction) {
    cPanel panel(nullptr);
    int shownActions = 0;
    panel.setOnShowAction([&](cSprite*) {
        ++shownActions;
        return true;
    });
    panel.setOnHideHook(onHidden);
    panel.setOnProcessHook(onProcess);
    panel.enable();
    panel.show();
    panel.show();
    EXPECT_EQ(panel.getActionCount(), 2u);
    ui.step();
    // The process hook runs first, before the actions.
    EXPECT_EQ(g_calls, (std::vector<std::string>{"process 2"}));
    EXPECT_EQ(shownActions, 2);
    EXPECT_EQ(panel.getActionCount(), 0u);
    panel.hide();
    EXPECT_EQ(g_calls.back(), "hidden");
    EXPECT_FALSE(isInProcessList(&panel));
}

TEST_F(PanelTest, CopyTakesTheHooks) {
    cPanel original(nullptr);
    original.setOnHideHook(onHidden);
    original.setOnProcessHook(onProcess);
    original.setOnShowAction([](cSprite*) { return true; });
    original.queueAction([](cSprite*) { return false; });
    std::unique_ptr<cPanel> copy(new cPanel(original));
    EXPECT_EQ(copy->getOnHideHook(), &onHidden);
    EXPECT_EQ(copy->getOnProcessHook(), &onProcess);
    EXPECT_TRUE(bool(copy->getOnShowAction()));
    EXPECT_EQ(copy->getActionCount(), 0u);
}

TEST_F(PanelTest, DeletingAPanelCallsNoHideHookOfItsChildren) {
    auto* parent = new cPanel(nullptr);
    parent->show();
    auto* child = new cPanel(parent);
    child->setOnHideHook(onHidden);
    child->show();
    delete parent;
    EXPECT_TRUE(g_calls.empty());
}
