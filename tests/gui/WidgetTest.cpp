#include "engine/gui/Widget.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "tests/gui/WidgetProbe.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override { ui.start(); }
    UiHarness ui;
};

// A chain root -> ... of the given length, each the only child of the one before.
std::vector<WidgetProbe*> chain(WidgetProbe* root, int length) {
    std::vector<WidgetProbe*> nodes{root};
    while (int(nodes.size()) < length)
        nodes.push_back(new WidgetProbe(nodes.back()));
    return nodes;
}

} // namespace

TEST_F(WidgetTest, RegistryMembershipFollowsOwnAndInheritedFlags) {
    struct Case {
        bool parentVisible, parentEnabled, childVisible, childEnabled, childAbsolute;
        bool processing, updating;
    };
    const Case cases[] = {
        {true, true, true, true, false, true, false},   {false, true, true, true, false, false, false},
        {true, false, true, true, false, false, false}, {true, true, false, true, false, false, false},
        {true, true, true, false, false, false, false}, {false, false, false, false, true, false, true},
        {true, true, true, true, true, true, true},
    };
    for (const Case& c : cases) {
        WidgetProbe parent(nullptr);
        parent.show();
        parent.enable();
        parent.enableAbsolute();
        auto* child = new WidgetProbe(&parent);
        if (c.childVisible)
            child->show();
        if (c.childEnabled)
            child->enable();
        if (c.childAbsolute)
            child->enableAbsolute();
        if (!c.parentVisible)
            parent.hide();
        if (!c.parentEnabled)
            parent.disable();
        SCOPED_TRACE(::testing::Message()
                     << c.parentVisible << c.parentEnabled << c.childVisible << c.childEnabled << c.childAbsolute);
        EXPECT_EQ(child->processing(), c.processing);
        EXPECT_EQ(child->updating(), c.updating);
        // Showing and enabling the parent again restores what the child's own flags allow.
        parent.show();
        parent.enable();
        EXPECT_EQ(child->processing(), c.childVisible && c.childEnabled);
    }
}

TEST_F(WidgetTest, ShowAndHideReachEachDescendantOncePerCall) {
    WidgetProbe root(nullptr);
    std::vector<WidgetProbe*> nodes = chain(&root, 8);
    for (WidgetProbe* node : nodes)
        node->enable();
    for (size_t i = 1; i < nodes.size(); ++i)
        nodes[i]->show();
    for (WidgetProbe* node : nodes)
        node->shows = node->hides = 0;

    root.show();
    for (WidgetProbe* node : nodes) {
        EXPECT_EQ(node->shows, 1);
        EXPECT_TRUE(node->processing());
    }
    root.hide();
    for (WidgetProbe* node : nodes) {
        EXPECT_EQ(node->hides, 1);
        EXPECT_FALSE(node->processing());
    }
    // A second show runs onShow again.
    root.show();
    root.show();
    EXPECT_EQ(root.shows, 3);
    EXPECT_EQ(nodes.back()->shows, 3);
}

TEST_F(WidgetTest, ChildOfHiddenParentWaitsForTheParent) {
    WidgetProbe parent(nullptr);
    auto* child = new WidgetProbe(&parent);
    child->enable();
    child->show();
    EXPECT_FALSE(child->isVisible());
    EXPECT_EQ(child->shows, 0);
    EXPECT_FALSE(child->processing());
    parent.enable();
    parent.show();
    EXPECT_EQ(child->shows, 1);
    EXPECT_TRUE(child->processing());
    ui.step();
    EXPECT_EQ(child->processed, 1);
}

TEST_F(WidgetTest, RedundantEnableAndDisableCallNothing) {
    WidgetProbe widget(nullptr);
    widget.show();
    widget.enable();
    const int starts = widget.starts;
    widget.enable();
    EXPECT_EQ(widget.starts, starts);
    widget.disable();
    widget.disable();
    EXPECT_FALSE(widget.processing());
}

TEST_F(WidgetTest, HidingParentStopsOnlyWhatShowingRestarts) {
    WidgetProbe parent(nullptr);
    parent.enable();
    parent.show();
    auto* on = new WidgetProbe(&parent);
    auto* off = new WidgetProbe(&parent);
    on->enable();
    on->show();
    off->show();
    parent.hide();
    EXPECT_FALSE(on->processing());
    parent.show();
    EXPECT_TRUE(on->processing());
    EXPECT_FALSE(off->processing());
}

TEST_F(WidgetTest, LoadXmlDefaultsAndKeys) {
    ui.writeFile("w.xml", "<W><Empty/><Full Visible=\"1\" Enable=\"1\" TranparencySpeed=\"2\" AbsoluteEnable=\"1\"/>"
                          "<Bad TranparencySpeed=\"fast\"/></W>");
    IXmlNode* root = ui.layout("w.xml");
    IXmlNode* node = nullptr;

    WidgetProbe empty(nullptr);
    root->findNode("Empty", node);
    empty.loadXML(node);
    EXPECT_FALSE(empty.isVisible());
    EXPECT_FALSE(empty.isEnabled());
    EXPECT_EQ(empty.getFadeValue(), 0.0f);
    EXPECT_FLOAT_EQ(empty.getFadeSpeed(), 3.3f);

    WidgetProbe full(nullptr);
    root->findNode("Full", node);
    full.loadXML(node);
    EXPECT_TRUE(full.isVisible());
    EXPECT_TRUE(full.processing());
    EXPECT_TRUE(full.updating());
    EXPECT_EQ(full.getFadeValue(), 1.0f);
    EXPECT_EQ(full.getFadeSpeed(), 2.0f);

    WidgetProbe bad(nullptr);
    root->findNode("Bad", node);
    bad.loadXML(node);
    EXPECT_FLOAT_EQ(bad.getFadeSpeed(), 3.3f);
}

TEST_F(WidgetTest, FadeInStepsAndPausesEveryWalk) {
    WidgetProbe other(nullptr);
    other.show();
    other.enable();
    other.enableAbsolute();
    WidgetProbe screen(nullptr);
    screen.hide();
    screen.enable();
    screen.fadeIn();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_TRUE(screen.processing());

    // 3.3 per second at 1/16 s: 0.20625 a frame, so five frames reach 1.03.
    for (int frame = 1; frame <= 5; ++frame) {
        ui.step();
        EXPECT_NEAR(screen.getFadeValue(), 0.20625f * float(frame), 1e-5f);
    }
    EXPECT_FALSE(screen.isFading());
    EXPECT_GT(screen.getFadeValue(), 1.0f);
    EXPECT_EQ(other.processed, 0);
    EXPECT_EQ(other.updated, 0);
    // The set drops the widget after the last step; the walks run again from the next frame.
    ui.step();
    EXPECT_EQ(other.processed, 1);
    EXPECT_EQ(other.updated, 1);
}

TEST_F(WidgetTest, FadeOutStopsProcessingAtOnceAndHidesAtTheEnd) {
    WidgetProbe screen(nullptr);
    screen.show();
    screen.enable();
    auto* button = new WidgetProbe(&screen);
    button->show();
    button->enable();
    screen.fadeOut();
    EXPECT_FALSE(screen.processing());
    EXPECT_FALSE(button->processing());
    ui.steps(5);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.getFadeValue(), 0.0f);
    EXPECT_FALSE(screen.isFading());
    screen.show();
    EXPECT_TRUE(screen.processing());
    EXPECT_TRUE(button->processing());
}

TEST_F(WidgetTest, FadeOutAndDeleteDeletesTheSubtreeAtTheEndOfThatFrame) {
    auto* screen = new WidgetProbe(nullptr);
    screen->show();
    screen->enable();
    auto* child = new WidgetProbe(screen);
    screen->fadeOutAndDelete();
    ui.steps(4);
    EXPECT_TRUE(isWidgetAlive(screen));
    ui.step();
    EXPECT_FALSE(isWidgetAlive(screen));
    EXPECT_FALSE(isWidgetAlive(child));
}

TEST_F(WidgetTest, FadesWithoutAUsableSpeedEndInOneStep) {
    for (float speed : {0.0f, -2.0f, NAN}) {
        WidgetProbe screen(nullptr);
        screen.setFadeSpeed(speed);
        screen.fadeIn();
        ui.step();
        EXPECT_FALSE(screen.isFading()) << speed;
        EXPECT_EQ(screen.getFadeValue(), 1.0f);
        screen.fadeOut();
        ui.step();
        EXPECT_FALSE(screen.isVisible()) << speed;
    }
    ui.writeFile("speed.xml", "<W TranparencySpeed=\"-1\"/>");
    WidgetProbe loaded(nullptr);
    loaded.loadXML(ui.layout("speed.xml"));
    EXPECT_FLOAT_EQ(loaded.getFadeSpeed(), 3.3f);
}

TEST_F(WidgetTest, FadeOfAChildNeverStallsTheWalks) {
    WidgetProbe parent(nullptr);
    parent.show();
    auto* child = new WidgetProbe(&parent);
    child->fadeIn();
    EXPECT_TRUE(child->isVisible());
    EXPECT_TRUE(getFadingWidgets().empty());

    // A root re-parented in the middle of its fade leaves the fading set at its next step.
    auto* root = new WidgetProbe(nullptr);
    root->fadeIn();
    root->setParent(&parent);
    ui.step();
    EXPECT_TRUE(getFadingWidgets().empty());
}

TEST_F(WidgetTest, DeferredDeletion) {
    auto* once = new WidgetProbe(nullptr);
    deleteWidgetLater(once);
    deleteWidgetLater(once);
    ui.step();
    EXPECT_FALSE(isWidgetAlive(once));

    // A parent and its pending child: the child goes with the parent, deleted once.
    auto* parent = new WidgetProbe(nullptr);
    auto* child = new WidgetProbe(parent);
    deleteWidgetLater(child);
    deleteWidgetLater(parent);
    ui.step();
    EXPECT_FALSE(isWidgetAlive(parent));
    EXPECT_FALSE(isWidgetAlive(child));
    EXPECT_TRUE(getPendingDeletions().empty());
}

TEST_F(WidgetTest, DetachingForDeletionRunsNoShowHooks) {
    WidgetProbe parent(nullptr);
    auto* child = new WidgetProbe(&parent);
    child->show();
    child->enable();
    deleteWidgetLater(child);
    ui.step();
    EXPECT_FALSE(isWidgetAlive(child));
    EXPECT_TRUE(parent.getChildren().empty());
}

TEST_F(WidgetTest, DetachedPendingWidgetsGetNoShowHookUnderAHiddenOrShownParent) {
    // Counts outlive the widgets, which are gone after the step.
    struct Counted : cWidget {
        Counted(cWidget* parent, int& shows) : cWidget(parent), m_shows(shows) {}
        void onShow() override {
            ++m_shows;
            cWidget::onShow();
        }
        int& m_shows;
    };
    for (bool parentShown : {false, true}) {
        SCOPED_TRACE(parentShown);
        WidgetProbe parent(nullptr);
        if (parentShown)
            parent.show();
        int shows = 0, grandchildShows = 0;
        auto* child = new Counted(&parent, shows);
        auto* grandchild = new Counted(child, grandchildShows);
        grandchild->show();
        child->show();
        child->enable();
        const int before = shows, grandchildBefore = grandchildShows;
        deleteWidgetLater(child);
        ui.step();
        EXPECT_FALSE(isWidgetAlive(child));
        EXPECT_FALSE(isWidgetAlive(grandchild));
        EXPECT_EQ(shows, before);
        EXPECT_EQ(grandchildShows, grandchildBefore);
    }
}

TEST_F(WidgetTest, AWidgetDeletedDirectlyLeavesThePendingDeletions) {
    auto* widget = new WidgetProbe(nullptr);
    deleteWidgetLater(widget);
    delete widget;
    EXPECT_TRUE(getPendingDeletions().empty());
    ui.step();

    auto* kept = new WidgetProbe(nullptr);
    deleteWidgetLater(kept);
    cancelWidgetDelete(kept);
    ui.step();
    EXPECT_TRUE(isWidgetAlive(kept));
    delete kept;
    // An owner handing over a root that was deleted before it hands over nothing.
    auto* gone = new WidgetProbe(nullptr);
    // Read back through a volatile: the compiler would flag the deliberately stale address.
    cWidget* volatile stale = gone;
    delete gone;
    deleteWidgetLater(stale);
    EXPECT_TRUE(getPendingDeletions().empty());
}

TEST_F(WidgetTest, AbsoluteEnableCascadeFollowsTheParentWhateverTheVisibility) {
    WidgetProbe parent(nullptr);
    auto* child = new WidgetProbe(&parent);
    auto* grandchild = new WidgetProbe(child);
    child->enableAbsolute();
    grandchild->enableAbsolute();
    EXPECT_FALSE(child->updating());
    parent.enableAbsolute(); // hidden and disabled: the update walk ignores both
    EXPECT_TRUE(parent.updating() && child->updating() && grandchild->updating());

    parent.disableAbsolute();
    EXPECT_FALSE(parent.updating() || child->updating() || grandchild->updating());
    EXPECT_FALSE(grandchild->isAbsoluteEnabled());

    // A child whose own flag is clear stays out when the parent comes back.
    child->disableAbsolute();
    parent.enableAbsolute();
    EXPECT_TRUE(parent.updating());
    EXPECT_FALSE(child->updating() || grandchild->updating());
    child->enableAbsolute();
    EXPECT_TRUE(child->updating() && grandchild->updating());

    // Re-parenting keeps the inherited absolute flag.
    WidgetProbe other(nullptr);
    child->setParent(&other);
    EXPECT_TRUE(child->updating());
    child->setParent(nullptr);
    EXPECT_TRUE(child->updating());
    delete child;
}

TEST_F(WidgetTest, LockAndUnlockReachEveryDescendant) {
    WidgetProbe panel(nullptr);
    auto* a = new WidgetProbe(&panel);
    auto* b = new WidgetProbe(a);
    b->lock();
    panel.lock();
    EXPECT_TRUE(panel.isLocked() && a->isLocked() && b->isLocked());
    panel.unlock();
    EXPECT_FALSE(panel.isLocked() || a->isLocked() || b->isLocked());
}

TEST_F(WidgetTest, SetParent) {
    WidgetProbe disabled(nullptr);
    disabled.show();
    auto* child = new WidgetProbe(&disabled);
    child->show();
    child->enable();
    EXPECT_FALSE(child->isEnabled());
    child->shows = 0;
    child->setParent(&disabled);
    EXPECT_EQ(child->shows, 0);
    child->setParent(nullptr);
    EXPECT_FALSE(child->isEnabled());
    EXPECT_TRUE(disabled.getChildren().empty());

    WidgetProbe enabled(nullptr);
    enabled.show();
    enabled.enable();
    child->setParent(&enabled);
    EXPECT_TRUE(child->isEnabled());
    EXPECT_TRUE(child->processing());
}

TEST_F(WidgetTest, CopyIsARootWithTheTemplatesOwnFlags) {
    WidgetProbe parent(nullptr);
    auto* original = new WidgetProbe(&parent);
    original->enable();
    original->enableAbsolute();
    original->lock();
    original->setFadeSpeed(5);
    new WidgetProbe(original);

    std::unique_ptr<WidgetProbe> copy(new WidgetProbe(*original));
    EXPECT_EQ(copy->getParent(), nullptr);
    EXPECT_TRUE(copy->getChildren().empty());
    EXPECT_TRUE(copy->isLocked());
    EXPECT_EQ(copy->getFadeSpeed(), 5.0f);
    EXPECT_EQ(copy->getFadeValue(), 0.0f);
    EXPECT_FALSE(copy->isVisible());
    EXPECT_TRUE(copy->processing());
    EXPECT_TRUE(copy->updating());
    EXPECT_EQ(copy->shows, 0);
}
