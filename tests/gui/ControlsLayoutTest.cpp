// One layout with one of each control, loaded from a single document and driven by scripted
// mouse and keyboard input through the real input system, frame by frame.

#include "engine/core/ResourceManager.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/EditBox.h"
#include "engine/gui/ListBox.h"
#include "engine/gui/ProgressBar.h"
#include "engine/gui/Slider.h"
#include "engine/gui/TextButton.h"
#include "tests/gui/ButtonScript.h"
#include "tests/gui/LabelFixture.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

const char* const LAYOUT = R"(<Dialog>
  <Ok Visible="1" Enable="1" Picture="ok.tga" position="100,50" size="80,30"
      texture_pressed="ok_down.tga"><Sounds Click="sounds/click.ogg"/></Ok>
  <Music Visible="1" Enable="1" Picture="box.tga" position="100,150" size="30,30" frames_count="4"
         anim_columns="4" frame_normal="0" frame_hover="1" frame_pressed="2" frame_disabled="3">
    <Tick Visible="1" Enable="1" Picture="tick.tga" position="100,150" size="20,20"/>
  </Music>
  <Volume Visible="1" Enable="1" Picture="track.tga" position="400,150" size="200,10" Min="0" Max="10" Value="5">
    <Slider Visible="1" Enable="1" Picture="thumb.tga" size="10,20"/>
  </Volume>
  <Players Visible="1" Enable="1" position="400,400" size="200,150" TopLeft="0,0" BottomRight="200,150"
           Interlinear="50">
    <UpButton Visible="1" Enable="1" Picture="up.tga" position="400,310" size="20,20"/>
    <DownButton Visible="1" Enable="1" Picture="down.tga" position="400,490" size="20,20"/>
    <Button Visible="1" Enable="1" Picture="row.tga" size="180,40"/>
    <Strings Count="4" str0="Anna" str1="Ben" str2="Cleo" str3="Dan"/>
  </Players>
  <Loading Visible="1" Picture="bar.tga" position="400,600" size="200,20" Side="0" ProgressMaxValue="10"
           ProgressCurrentValue="5"><Lid Visible="1" Picture="lid.tga" size="8,24"/></Loading>
  <Play Visible="1" Enable="1" Picture="play.tga" position="700,50" size="120,40">
    <Text Visible="1" Enable="1" String="Play" Font="fonts/t.fnt" Texture="fonts/t.tga" Multiplier="1" Offset="4"
          Speed="40" Color="FF102030" color_hover="FF00FF00"/>
  </Play>
  <Name Visible="1" Enable="1" position="700,200" Font="fonts/t.fnt" Texture="fonts/t.tga" MaxLength="1000"/>
</Dialog>)";

// The synthetic font of the label tests.
struct Font : TestSupport::LabelFixture {
    static std::string bytes() { return fontBytes(); }
};

void onMusic(cCheckBox*, bool on) {
    ButtonScript::log().push_back(on ? "music on" : "music off");
}
void onVolume(float value) {
    ButtonScript::log().push_back("volume " + std::to_string(int(std::lround(value))));
}
void onPlayer(int row, cListBox*) {
    ButtonScript::log().push_back("player " + std::to_string(row));
}
void onOk(cButton*) {
    ButtonScript::log().push_back("ok");
}
void onPlay(cButton*) {
    ButtonScript::log().push_back("play");
}

IXmlNode* child(IXmlNode* root, const char* name) {
    IXmlNode* node = nullptr;
    EXPECT_TRUE(root->findNode(name, node)) << name;
    return node;
}

} // namespace

TEST(ControlsLayoutTest, OneOfEachDrivenByTheMouseAndKeyboard) {
    ButtonScript::log().clear();
    UiHarness ui;
    for (const char* picture : {"ok.tga", "ok_down.tga", "box.tga", "tick.tga", "track.tga", "thumb.tga", "up.tga",
                                "down.tga", "row.tga", "bar.tga", "lid.tga", "play.tga"})
        ui.writePicture(picture, 8, 8, 0xFFC08040u);
    ui.writeFile("fonts/t.fnt", Font::bytes());
    ui.writePicture("fonts/t.tga", 100, 20, 0xFFFFFFFFu);
    ui.writeFile("sounds/click.ogg", "recorded, never decoded");
    ui.writeFile("dialog.xml", LAYOUT);
    IXmlNode* root = ui.layout("dialog.xml");

    cTextureButton ok(nullptr);
    cCheckBox music(nullptr);
    cSlider volume(nullptr);
    cListBox players(nullptr);
    cProgressBar loading(nullptr);
    cTextButton play(nullptr);
    cEditBox name(nullptr);
    ok.loadXML(child(root, "Ok"));
    music.loadXML(child(root, "Music"));
    volume.loadXML(child(root, "Volume"));
    players.loadXML(child(root, "Players"));
    loading.loadXML(child(root, "Loading"));
    play.loadXML(child(root, "Play"));
    name.loadXML(child(root, "Name"));
    ok.setClickCallback(onOk);
    music.setChangeCallback(onMusic);
    volume.setChangeCallback(onVolume);
    players.setSelectCallback(onPlayer);
    play.setClickCallback(onPlay);

    // The check box, a drag of the slider to 2.5 (shown as 3), the list's down button, the
    // third row (Dan), then the button.
    ButtonScript::run(ui,
                      "m100,150 s p s r s m400,150 p s m350,150 s r s m400,490 s p s r s m400,450 s p s r s "
                      "m100,50 s p s r s",
                      [] { return ""; });
    EXPECT_EQ(ButtonScript::joined(), "music on volume 3 player 3 ok");
    EXPECT_TRUE(music.isChecked());
    EXPECT_TRUE(music.getTick()->isVisible());
    EXPECT_FLOAT_EQ(volume.getValue(), 2.5f);
    EXPECT_EQ(volume.getThumb()->getPosition(), cVector2(350, 150));
    EXPECT_EQ(players.getFirstRow(), 1u);
    EXPECT_EQ(ok.getState(), cButton::BUTTON_HOVER);
    EXPECT_EQ(ui.sounds(), std::vector<std::string>{"playOnce sounds/click.ogg"});
    EXPECT_EQ(loading.getLid()->getPosition(), cVector2(400, 600));

    // A name typed with a slip mended by backspace, then the text button, whose caption waves
    // while the cursor rests on it; the press changes the caption's colour, which lays its
    // letters out on the line again.
    ui.type(L"Ann\bna");
    ui.step();
    EXPECT_EQ(name.getText(), L"Anna");
    EXPECT_EQ(ButtonScript::run(ui, "m700,50 s s p s r s",
                                [&] {
                                    const cSpriteQuad& first = play.getCaption()->getQuads().front();
                                    const float dy =
                                        (first.vertices[1].position.y + first.vertices[2].position.y) * 0.5f -
                                        play.getCaption()->getPosition().y;
                                    return std::to_string(play.getState()) + ":" + std::to_string(int(dy * 10));
                                }),
              "2:25 2:40 3:0 2:25");
    EXPECT_EQ(play.getCaption()->getColor().toARGB(), 0xFF00FF00u);
    EXPECT_EQ(ButtonScript::joined(), "music on volume 3 player 3 ok play");
}
