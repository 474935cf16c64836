#pragma once

// A harness with small award files, a board model with the four bonuses and a controller whose
// award manager is the shell's, so that the checks read the real counters.

#include "engine/core/ProfileManager.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/AwardManager.h"
#include "game/shell/AwardTipDlg.h"
#include "game/shell/GameSounds.h"
#include "tests/gui/LabelFixture.h"
#include "tests/model/ModelFixture.h"
#include "tests/model/fakes/FakeMainMenu.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace TestAwards {

struct Font : TestSupport::LabelFixture {
    static std::string bytes() { return fontBytes(); }
};

// Thresholds by award type.
inline std::vector<std::string> defaultThresholds() {
    return {"100", "500", "5", "0", "2.9", "2.9", "3", "50", "60", "120", "30",
            "2",   "4",   "2", "2", "2",   "2",   "2", "0",  "3",  "5"};
}

inline std::string awardsXml(const std::vector<std::string>& thresholds, const std::string& extra = "") {
    std::string awards;
    for (size_t i = 0; i < thresholds.size(); ++i) {
        const std::string n = std::to_string(i);
        awards += "<Award AwardData=\"" + thresholds[i] + "\"><DescText>desc " + n +
                  "</DescText><Congratulation>well done " + n +
                  "</Congratulation><Icon Visible=\"1\" position=\"470,-60\" size=\"40,40\" Picture=\"p.tga\"/>"
                  "<Button Visible=\"1\" Enable=\"1\" position=\"" +
                  std::to_string(100 + 40 * i) +
                  ",300\" size=\"32,32\" Picture=\"a.tga\" texture_disabled=\"d.tga\" "
                  "progress_type=\"" +
                  (i == 8 || i == 9 ? "2"
                   : i == 7         ? "1"
                                    : "0") +
                  "\"><Additive Visible=\"1\" position=\"" + std::to_string(100 + 40 * i) +
                  ",300\" size=\"36,36\" Picture=\"p.tga\"/></Button></Award>";
    }
    return "<AwardTip Visible=\"0\" Enable=\"1\" ShowTime=\"0.25\" HideTime=\"0.25\">"
           "<ReturnButton Visible=\"1\" Enable=\"1\" position=\"512,650\" size=\"100,40\" Picture=\"p.tga\"/>"
           "<CaptionText Visible=\"1\" position=\"512,100\" String=\"Awards\" " +
           std::string(TestSupport::LabelFixture::FONT_KEYS) + "/><Awards>" + awards + extra + "</Awards></AwardTip>";
}

inline std::string modelXml() {
    return "<Model><GameObjects/><GameResources><R id=\"money\" type=\"1\"/><R id=\"chicken\" type=\"11\" price=\"5\"/>"
           "<R id=\"chicken2\" type=\"12\" price=\"5\"/><R id=\"bear\" type=\"31\" price=\"5\"/><R id=\"bear2\" "
           "type=\"32\" price=\"5\"/>"
           "<R id=\"cat\" type=\"41\" price=\"5\"/><R id=\"mix\" type=\"71\" "
           "price=\"5\"/></GameResources><Units/><LevelAchievements>"
           "<A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements></Model>";
}

class AwardTest : public ::testing::Test {
protected:
    AwardTest() : ui(0.0625f) {}
    void SetUp() override {
        Engine::gBoolProps.clear();
        ui.writeFile("fonts/t.fnt", Font::bytes());
        ui.writePicture("fonts/t.tga", 100, 20, 0xFFFFFFFFu);
        ui.writePicture("p.tga", 4, 4, 0xFFFFFFFF);
        ui.writePicture("a.tga", 4, 4, 0xFFFFD040);
        ui.writePicture("d.tga", 4, 4, 0xFF404040);
        ui.writeFile("Awards/Awards.xml", awardsXml(thresholds()));
        ui.writeFile("Awards/AwardInfoPanel.xml",
                     "<P Visible=\"1\" Enable=\"1\" position=\"512,-60\" size=\"300,80\" Picture=\"p.tga\" "
                     "src_pos=\"512,-60\" dst_pos=\"512,60\" move_down_time=\"0.5\" wait_time=\"1\">"
                     "<InfoText Visible=\"0\" position=\"560,-60\" size=\"200,60\" " +
                         std::string(TestSupport::LabelFixture::FONT_KEYS) + "/></P>");
        ui.writeFile(
            "Awards/AwardTip.xml",
            "<T><Text Visible=\"1\" position=\"0,0\" size=\"150,40\" " +
                std::string(TestSupport::LabelFixture::FONT_KEYS) +
                "/><ProgressText Visible=\"1\" position=\"0,20\" size=\"150,16\" " +
                TestSupport::LabelFixture::FONT_KEYS +
                "/><Progress Visible=\"1\" position=\"0,30\" size=\"150,10\"/>"
                "<Panel Visible=\"1\" position=\"0,0\" size=\"160,80\" Picture=\"p.tga\" Offset=\"8,8\"/></T>");
        const std::string ogg =
            TestSupport::readFileBytes(std::string(MEADOW_SOURCE_DATA_DIR) + "/Meadow/Sounds/match1.ogg");
        ui.writeFile("s/award.ogg", ogg);
        ui.writeFile("Meadow/Sounds/GameSounds.xml",
                     "<GameSounds><Sounds><Sound id=\"award_given\" path=\"s/award.ogg\"/></Sounds></GameSounds>");
        ui.start();
        sounds = std::make_unique<cGameSounds>();
        ui.sounds().clear();
        model = TestModel::makeModel(modelXml());
        cAwardManager::registerFactory();
        GameServices::setMainMenu(&menu);
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
        awards = static_cast<cAwardManager*>(controller->getAwardManager());
    }
    void TearDown() override {
        delete cAwardTipDlg::getInstance();
        controller.reset();
        sounds.reset();
        GameServices::setAwardManagerFactory(nullptr);
        GameServices::setMainMenu(nullptr);
        Engine::gBoolProps.clear();
    }
    virtual std::vector<std::string> thresholds() const { return defaultThresholds(); }

    TestSupport::UiHarness ui;
    TestFakes::FakeMainMenu menu;
    std::unique_ptr<cGameSounds> sounds;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    cAwardManager* awards = nullptr;
};

} // namespace TestAwards
