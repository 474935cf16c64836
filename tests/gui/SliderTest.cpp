// The slider: presses on the track or the thumb start a drag, the value follows the cursor along
// the track and the thumb follows the value; locked sliders keep their value.

#include "engine/gui/Slider.h"
#include "engine/core/ResourceManager.h"
#include "tests/gui/ButtonScript.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%g", value);
    return text;
}

void onValue(cSlider*, float value) {
    ButtonScript::log().push_back("v" + number(value));
}
void onChange(float value) {
    ButtonScript::log().push_back("c" + number(value));
}
void onDrag(cSlider*, bool dragging) {
    ButtonScript::log().push_back(dragging ? "drag" : "drop");
}

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ButtonScript::log().clear();
        ui.start();
    }
    // 200 x 20 at (400, 300) unless the keys say otherwise: the track runs from 300 to 500.
    std::unique_ptr<cSlider> load(const std::string& keys, const std::string& place = "position=\"400,300\" "
                                                                                      "size=\"200,20\"") {
        ui.writeFile("s.xml", "<S Visible=\"1\" Enable=\"1\" " + place + " " + keys +
                                  "><Slider Visible=\"1\" Enable=\"1\" size=\"20,20\"/></S>");
        auto slider = std::make_unique<cSlider>(nullptr);
        slider->setValueCallback(onValue);
        slider->setChangeCallback(onChange);
        slider->setDragCallback(onDrag);
        slider->loadXML(ui.layout("s.xml"));
        getResourceManager()->forgetResource("s.xml");
        return slider;
    }
    UiHarness ui;
};

struct DragCase {
    const char* name;
    const char* keys;
    const char* place;
    const char* script;
    const char* values;
    const char* calls;
};

} // namespace

TEST_F(SliderTest, DragsSetTheValue) {
    const char* across = "position=\"400,300\" size=\"200,20\"";
    const DragCase cases[] = {
        {"along the track and beyond it", "Min=\"0\" Max=\"100\" Value=\"50\"", across,
         "m400,300 s p s m350,300 s m600,300 s m200,300 s r s m450,300 s", "50 50 25 100 0 0 0",
         "drag v25 c25 v100 c100 v0 c0 drop"},
        {"pressed on the track away from the thumb", "Min=\"0\" Max=\"100\" Value=\"50\"", across, "m450,300 p s r s",
         "75 75", "drag v75 c75 drop"},
        {"from a minimum above 0", "Min=\"10\" Max=\"20\" Value=\"10\"", across, "m300,300 p s m400,300 s r s",
         "10 15 15", "drag v15 c15 drop"},
        {"upright", "Layout=\"1\" Min=\"0\" Max=\"100\"", "position=\"400,300\" size=\"20,200\"",
         "m400,250 p s m400,350 s r s", "25 75 75", "drag v25 c25 v75 c75 drop"},
        {"no range", "Min=\"5\" Max=\"5\" Value=\"5\"", across, "m450,300 p s m480,300 s r s", "5 5 5", "drag drop"},
    };
    for (const DragCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui.moveTo(0, 0);
        ui.step();
        ButtonScript::log().clear();
        auto slider = load(c.keys, c.place);
        EXPECT_EQ(ButtonScript::run(ui, c.script, [&] { return number(slider->getValue()); }), c.values);
        EXPECT_EQ(ButtonScript::joined(), c.calls);
        EXPECT_FALSE(slider->isDragging());
    }
}

TEST_F(SliderTest, TheThumbFollowsTheValueFromEdgeToEdge) {
    auto slider = load("Min=\"0\" Max=\"100\" Value=\"0\"");
    EXPECT_EQ(slider->getThumb()->getPosition(), cVector2(300, 300));
    slider->setValue(100);
    slider->updateThumb();
    EXPECT_EQ(slider->getThumb()->getPosition(), cVector2(500, 300));
    ButtonScript::run(ui, "m300,300 p s m350,300 s r s", [] { return ""; });
    EXPECT_EQ(slider->getThumb()->getPosition(), cVector2(350, 300));

    auto flat = load("Min=\"3\" Max=\"3\" Value=\"3\"");
    EXPECT_EQ(flat->getThumb()->getPosition(), cVector2(300, 300));
}

TEST_F(SliderTest, ALockedSliderKeepsItsValue) {
    auto slider = load("Min=\"0\" Max=\"100\" Value=\"50\"");
    EXPECT_EQ(ButtonScript::run(ui, "m400,300 p s m350,300 s", [&] { return number(slider->getValue()); }), "50 25");
    slider->lock();
    // The drag ends at the release, without a change.
    EXPECT_EQ(ButtonScript::run(ui, "m450,300 s r s", [&] { return number(slider->getValue()); }), "25 25");
    EXPECT_EQ(ButtonScript::run(ui, "p s m300,300 s r s", [&] { return number(slider->getValue()); }), "25 25 25");
    EXPECT_EQ(ButtonScript::joined(), "drag v25 c25 drop");
}

TEST_F(SliderTest, HidingTheThumbEndsTheDrag) {
    auto slider = load("Min=\"0\" Max=\"100\" Value=\"50\"");
    ButtonScript::run(ui, "m400,300 p s", [] { return ""; });
    EXPECT_TRUE(slider->isDragging());
    slider->getThumb()->hide();
    EXPECT_FALSE(slider->isDragging());
    EXPECT_EQ(ButtonScript::joined(), "drag drop");
}
