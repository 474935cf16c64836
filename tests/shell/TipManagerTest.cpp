#include "game/shell/TipManager.h"
#include "engine/core/XmlNode.h"
#include "game/shell/Tip.h"
#include "game/shell/TipClient.h"
#include "game/shell/TutorialTips.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

// A panel that owns a tip, as the game's tip controls do.
class TipControl : public cPanel, public cTipClient {
public:
    TipControl(cWidget* parent, bool withTip, bool registered = true) : cPanel(parent), m_withTip(withTip) {
        if (registered)
            createTip();
    }
    void createTip() override {
        if (m_withTip)
            m_tip = new cTip(this);
        registerTip();
    }
    cSprite* getControl() override { return this; }
    void loadXML(const IXmlNode* node) override {
        cPanel::loadXML(node);
        cTipClient::loadXML(node);
    }
    // A client without a tip only keeps the flag.
    void setShowing() override {
        if (m_withTip)
            cTipClient::setShowing();
        else
            m_showing = true;
    }
    void setHiding() override {
        if (m_withTip)
            cTipClient::setHiding();
        else
            m_showing = false;
    }

private:
    bool m_withTip;
};

class OpenTutorialTip : public ITutorialTips {
public:
    bool isTutorialTipOpen() const override { return true; }
};

class TipManagerTest : public ::testing::Test {
protected:
    TipManagerTest() : ui(0.0625f) {}
    void SetUp() override {
        ui.writePicture("c.tga", 4, 4, 0xFFFFFFFF);
        ui.writePicture("tip.tga", 4, 4, 0xFFFFFFFF);
        ui.start();
        manager = std::make_unique<cTipManager>();
        manager->m_tipShownSignal.connect([this](cTip* tip) { shownSignals.push_back(tip); });
    }
    void TearDown() override {
        setTutorialTips(nullptr);
        controls.clear();
        manager.reset();
    }
    // A control at (x, y), 100 x 60, with a tip that waits 0.125 s.
    TipControl* add(float x, float y, float depth, bool withTip = true, const std::string& extra = "") {
        const std::string name = "c" + std::to_string(controls.size()) + ".xml";
        ui.writeFile(name, "<C Visible=\"1\" Enable=\"1\" Picture=\"c.tga\" position=\"" + std::to_string(x) + "," +
                               std::to_string(y) + "\" size=\"100,60\" deep=\"" + std::to_string(depth) + "\" " +
                               extra +
                               "><Tip ShowDelayTime=\"0.125\"><Panel Picture=\"tip.tga\" size=\"80,30\" deep=\"90\"/>"
                               "</Tip></C>");
        // Registered once its layout has given it its depth.
        auto* control = new TipControl(nullptr, withTip, withTip);
        control->loadXML(ui.layout(name));
        if (!withTip)
            control->createTip();
        controls.emplace_back(control);
        return control;
    }
    static bool up(TipControl* control) { return control->getTip()->isVisible(); }

    UiHarness ui;
    std::unique_ptr<cTipManager> manager;
    std::vector<std::unique_ptr<TipControl>> controls;
    std::vector<cTip*> shownSignals;
};

} // namespace

TEST_F(TipManagerTest, DeepestControlComesFirstAndEqualDepthsKeepTheirOrder) {
    TipControl* low = add(200, 200, 5);
    TipControl* high = add(200, 200, 10);
    TipControl* sameAsLow = add(200, 200, 5);
    EXPECT_EQ(manager->getClients(), (std::list<cTipClient*>{high, low, sameAsLow}));
    // Later depth changes do not reorder.
    low->setDepth(50);
    EXPECT_EQ(manager->getClients().front(), high);

    ui.moveTo(210, 210);
    ui.step();
    EXPECT_TRUE(up(high));
    EXPECT_FALSE(up(low));
    EXPECT_FALSE(up(sameAsLow));
    EXPECT_EQ(shownSignals, std::vector<cTip*>{high->getTip()});
}

TEST_F(TipManagerTest, EqualDepthsShowTheFirstRegistered) {
    TipControl* first = add(200, 200, 5);
    TipControl* second = add(220, 200, 5);
    ui.moveTo(230, 210);
    ui.step();
    EXPECT_TRUE(up(first));
    EXPECT_FALSE(up(second));
}

TEST_F(TipManagerTest, TipShowsAfterItsDelayAndAPressHidesIt) {
    TipControl* control = add(200, 200, 5);
    ui.moveTo(210, 210);
    ui.step();
    cTip* tip = control->getTip();
    EXPECT_TRUE(control->isShowing());
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->getAlpha(), 0);
    // Beside the control, toward the middle of the screen.
    EXPECT_EQ(tip->getPosition(), cVector2(240, 215));
    // The wait started in the frame of the movement.
    EXPECT_EQ(tip->getDelayLeft(), 0.0625f);
    ui.step();
    EXPECT_EQ(tip->getAlpha(), 0);
    ui.steps(5);
    EXPECT_EQ(tip->getAlpha(), 1);

    ui.press();
    ui.step();
    EXPECT_FALSE(tip->isVisible());
    ui.release();
    ui.step();
    EXPECT_FALSE(tip->isVisible());
    // The next movement over the control starts it again from the wait.
    ui.moveTo(212, 210);
    ui.step();
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->getAlpha(), 0);
    EXPECT_EQ(shownSignals.size(), 2u);
}

TEST_F(TipManagerTest, HoverDoesNotRestartAWaitingTipAndAStillCursorChangesNothing) {
    TipControl* control = add(200, 200, 5);
    ui.moveTo(210, 210);
    ui.step();
    cTip* tip = control->getTip();
    ui.moveTo(215, 210);
    ui.step();
    ui.moveTo(220, 210);
    ui.steps(2);
    EXPECT_GT(tip->getAlpha(), 0);
    EXPECT_EQ(shownSignals.size(), 1u);

    // The control moves away under a still cursor: the tip stays up.
    control->setPosition(600, 600);
    ui.steps(10);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->getAlpha(), 1);
}

TEST_F(TipManagerTest, MovingToAnotherControlSwitchesTipsAndLeavingFadesOut) {
    TipControl* left = add(200, 200, 5);
    TipControl* right = add(400, 200, 5);
    ui.moveTo(200, 200);
    ui.steps(8);
    EXPECT_EQ(left->getTip()->getAlpha(), 1);

    ui.moveTo(400, 200);
    ui.step();
    EXPECT_FALSE(up(left));
    EXPECT_FALSE(left->isShowing());
    EXPECT_TRUE(up(right));
    EXPECT_EQ(right->getTip()->getDelayLeft(), 0.0625f);
    ui.steps(8);
    EXPECT_EQ(manager->getShownTip(), right->getTip());

    ui.moveTo(800, 600);
    ui.step();
    EXPECT_FALSE(right->isShowing());
    EXPECT_LT(right->getTip()->getAlpha(), 1);
    ui.steps(5);
    EXPECT_FALSE(up(right));
    EXPECT_EQ(manager->getShownTip(), nullptr);
}

TEST_F(TipManagerTest, TiplessClientHidesEveryTipBelowIt) {
    TipControl* below = add(200, 200, 5);
    ui.moveTo(200, 200);
    ui.steps(8);
    ASSERT_TRUE(up(below));
    TipControl* scroll = add(200, 200, 20, false);
    ui.moveTo(202, 200);
    ui.step();
    EXPECT_FALSE(up(below));
    EXPECT_FALSE(below->isShowing());
    EXPECT_EQ(shownSignals.size(), 1u);
    EXPECT_FALSE(scroll->isShowing());
}

TEST_F(TipManagerTest, OpenTutorialTipBlocksTipsButTheSignalStillFires) {
    OpenTutorialTip tutorial;
    setTutorialTips(&tutorial);
    TipControl* control = add(200, 200, 5);
    ui.moveTo(200, 200);
    ui.steps(8);
    EXPECT_FALSE(up(control));
    EXPECT_FALSE(control->isShowing());
    // Once for each axis that moved.
    EXPECT_EQ(shownSignals, (std::vector<cTip*>{control->getTip(), control->getTip()}));
    setTutorialTips(nullptr);
    EXPECT_FALSE(isTutorialTipOpen());
}

TEST_F(TipManagerTest, MaskNarrowsTheHoverAndZeroSizesDoNotDivideByZero) {
    TipControl* control = add(100, 100, 5);
    control->setSize(cVector2(40, 40));
    cBitMask mask;
    mask.resize(5, 5);
    mask.set(0, 0, 255);
    mask.set(1, 1, 255);
    control->setMask(mask);
    const struct {
        cVector2 point;
        bool inside;
    } table[] = {
        {{81, 81}, true}, {{95, 95}, true}, {{115, 115}, false}, {{100, 85}, false}, {{150, 150}, false},
    };
    for (const auto& row : table)
        EXPECT_EQ(control->isPointInside(row.point), row.inside) << row.point.x << "," << row.point.y;

    mask.set(0, 3, 255);
    control->setMask(mask);
    control->setSize(cVector2(0, 40));
    EXPECT_TRUE(control->isPointInside(cVector2(100, 110)));
    control->setSize(cVector2(40, 0));
    EXPECT_TRUE(control->isPointInside(cVector2(85, 100)));
    control->hide();
    EXPECT_FALSE(control->isPointInside(cVector2(85, 100)));
}

TEST_F(TipManagerTest, LoadWithoutTipUnregistersAndDeletedClientsLeaveTheList) {
    TipControl* kept = add(200, 200, 5);
    ui.writeFile("plain.xml", "<C Visible=\"1\" Enable=\"1\" position=\"300,300\" size=\"10,10\"/>");
    auto* plain = new TipControl(nullptr, true);
    EXPECT_TRUE(manager->hasClient(plain));
    plain->loadXML(ui.layout("plain.xml"));
    EXPECT_FALSE(manager->hasClient(plain));
    EXPECT_EQ(plain->getRegisteredControl(), nullptr);
    delete plain;

    controls.clear();
    EXPECT_FALSE(manager->hasClient(kept));
    EXPECT_TRUE(manager->getClients().empty());
    ui.moveTo(200, 200);
    ui.step();
}

TEST_F(TipManagerTest, FailuresThrowTheirTexts) {
    const auto text = [](auto call) {
        try {
            call();
        } catch (const char* message) {
            return std::string(message);
        }
        return std::string("no throw");
    };
    TipControl tipless(nullptr, false);
    TipControl unregistered(nullptr, true, false);
    EXPECT_EQ(text([&] { tipless.cTipClient::setShowing(); }), "cTipClient::setShowing(): m_tip is null");
    EXPECT_EQ(text([&] { tipless.cTipClient::setHiding(); }), "cTipClient::setHiding(): m_tip is null");
    EXPECT_EQ(text([&] { unregistered.isPointInside(cVector2()); }), "cTipClient::isPointInside(): own control is 0");
    EXPECT_EQ(text([&] { compareTipClients(nullptr, &tipless); }), "compareTipClients(): one of objects is null");
    EXPECT_EQ(text([] { cTipManager second; }), "Object already exist.");
}
