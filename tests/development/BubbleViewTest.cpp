#include "game/development/BubbleView.h"

#include "engine/gui/MultilineText.h"
#include "tests/development/ViewFixture.h"

using namespace TestViews;
using Engine::cVector2;

namespace {

const std::string kOneNode = graphXml({{0, 500, 400}}, {});

std::string bubbleWithTime(const char* time) {
    return std::string("<PersonageBubble Picture=\"looks/bubble.tga\" size=\"200 100\" bubble_offset=\"0 -50\" "
                       "effect_time=\"") +
           time +
           "\" Visible=\"0\"><Text size=\"180 80\" Font=\"fonts/t.fnt\" Texture=\"fonts/t.tga\"/></PersonageBubble>";
}

class BubbleViewTest : public ViewFixture {
protected:
    cBubbleView* bubble(const char* time = "0.25") {
        start();
        view = heroine(heroineXml(kOneNode, kCalm, bubbleWithTime(time)));
        view->placeAtCurrentPoint();
        return view->getBubble();
    }
    cPersonageView* view = nullptr;
};

} // namespace

TEST_F(BubbleViewTest, OpensTowardsTheMiddleOfTheScreenFromEachCorner) {
    cBubbleView* b = bubble();
    // The screen is 1024 x 768; the tail is 50 units above the point; the bubble is 200 x 100.
    const struct {
        cVector2 p, target, size;
    } cases[] = {
        {{100, 100}, {200, 100}, {200, -100}}, // upper left: opens right and down
        {{900, 100}, {800, 100}, {-200, -100}},
        {{100, 700}, {200, 600}, {200, 100}},  // lower left: right and up, the picture as drawn
        {{900, 700}, {800, 600}, {-200, 100}}, // lower right: left and up, mirrored
    };
    for (const auto& c : cases) {
        b->setText(c.p, L"", L"a", L"");
        EXPECT_EQ(b->getPosition(), c.p + cVector2(0, -50)) << c.p.x << "," << c.p.y;
        EXPECT_EQ(b->getTarget(), c.target) << c.p.x << "," << c.p.y;
        EXPECT_EQ(b->getTargetSize(), c.size) << c.p.x << "," << c.p.y;
    }
}

TEST_F(BubbleViewTest, JoinsItsLinesSkippingBreaksAfterEmptyOnes) {
    cBubbleView* b = bubble();
    const struct {
        const wchar_t *a, *b, *c, *joined;
    } cases[] = {
        {L"one", L"two", L"three", L"one\ntwo\nthree"},
        {L"", L"line", L"", L"line\n"},
        {L"", L"two", L"three", L"two\nthree"},
        {L"one", L"", L"three", L"one\nthree"},
        {L"", L"", L"", L""},
    };
    for (const auto& c : cases) {
        b->setText({500, 400}, c.a, c.b, c.c);
        EXPECT_EQ(b->getText()->getText(), c.joined);
    }
}

TEST_F(BubbleViewTest, ZeroEffectTimeShowsAndHidesInOneStep) {
    cBubbleView* b = bubble("0");
    cPersonageModel& model = *view->getModel();
    unitAt(model, 0);
    b->setText({100, 700}, L"", L"a", L"");
    b->startShowing();
    EXPECT_EQ(b->getAlpha(), 0);
    EXPECT_FALSE(b->getText()->isVisible());
    ui.step();
    EXPECT_FALSE(b->isShowing());
    EXPECT_EQ(b->getAlpha(), 1);
    EXPECT_EQ(b->getSize(), cVector2(200, 100));
    EXPECT_TRUE(b->getText()->isVisible());
    // At the end of the fade-out the owner goes to work when its talk is over.
    model.setState(cPersonageModel::PERSONAGE_WORK);
    b->startHiding();
    EXPECT_FALSE(b->getText()->isVisible());
    ui.step();
    EXPECT_FALSE(b->isHiding());
    EXPECT_EQ(b->getAlpha(), 0);
    EXPECT_EQ(b->getSize(), cVector2(0, 0));
    EXPECT_TRUE(view->isWorking());
}

TEST_F(BubbleViewTest, GrowsAndFadesInOverItsEffectTime) {
    cBubbleView* b = bubble("0.25");
    b->setText({100, 700}, L"", L"a", L"");
    b->startShowing();
    ui.step();
    EXPECT_FLOAT_EQ(b->getAlpha(), 0.25f);
    EXPECT_EQ(b->getSize(), cVector2(50, 25));
    ui.steps(3);
    EXPECT_EQ(b->getAlpha(), 1);
    EXPECT_EQ(b->getSize(), cVector2(200, 100));
    EXPECT_TRUE(b->getText()->isVisible());
}

TEST_F(BubbleViewTest, ATipOverItFadesItOutAndItsAlphaStopsAtZero) {
    cBubbleView* b = bubble("0.25");
    b->setText({100, 700}, L"", L"a", L"");
    b->startShowing();
    ui.steps(4);
    ASSERT_EQ(b->getAlpha(), 1);
    const cVector2 c = b->getPosition();
    Engine::cSprite tip(nullptr);
    tip.setSize({20, 20});
    // A tip whose corner only touches the right edge leaves it alone: that edge is outside.
    tip.setPosition(c + cVector2(110, 0));
    screen.tip = &tip;
    ui.step();
    EXPECT_FALSE(b->isHiding());
    tip.setPosition(c + cVector2(-200, -200));
    ui.step();
    EXPECT_FALSE(b->isHiding());
    // Its upper left corner inside: the fade starts and restarts while the tip stays.
    tip.setPosition(c + cVector2(95, 45));
    for (int frame = 0; frame < 12; ++frame) {
        ui.step();
        EXPECT_TRUE(b->isHiding());
        EXPECT_GE(b->getAlpha(), 0.0f) << frame;
        EXPECT_FALSE(b->getText()->isVisible());
    }
    EXPECT_EQ(b->getAlpha(), 0);
    EXPECT_EQ(b->getSize(), cVector2(200, 100));
    screen.tip = nullptr;
    ui.steps(4);
    EXPECT_FALSE(b->isHiding());
    EXPECT_EQ(b->getSize(), cVector2(0, 0));
}

TEST_F(BubbleViewTest, ABubbleOfSizeZeroIsRefused) {
    start();
    for (const char* size : {"0 0", "200 0", "0 100"}) {
        const std::string bubble = std::string("<PersonageBubble size=\"") + size + "\" effect_time=\"0.25\"/>";
        EXPECT_EQ(TestModel::thrownText([&] { heroine(heroineXml(kOneNode, kCalm, bubble)); }),
                  "cBubbleView::loadXML(): the bubble's size is 0")
            << size;
    }
}
