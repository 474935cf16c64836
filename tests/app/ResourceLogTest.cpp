// The loading screen's resource log, "dev_view_log.xml", is what the program's own start loads on
// the shipped data: the front end's screens and dialogs, and the map the menu makes for the
// player. Whatever the log misses the menu loads on the game thread after the loading, one
// picture after another; MEADOW_UPDATE_DATA=1 writes the log anew into Data/.

#include "engine/core/FileSystem.h"
#include "engine/core/Resource.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "game/shell/GameMenuDlg.h"
#include "tests/app/GameSession.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

using namespace Engine;

namespace {

// A log file's entries as "path type" (its UTF-16LE text read as ASCII), sounds left out: the
// game's sounds load when it starts.
std::set<std::string> entriesOf(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += bytes[i];
    std::set<std::string> entries;
    const std::string pathKey = "Path=\"", typeKey = "Type=\"";
    for (size_t at = text.find(pathKey); at != std::string::npos; at = text.find(pathKey, at + 1)) {
        const size_t pathEnd = text.find('"', at + pathKey.size());
        const size_t type = text.find(typeKey, pathEnd);
        const std::string kind =
            text.substr(type + typeKey.size(), text.find('"', type + typeKey.size()) - type - typeKey.size());
        if (kind != std::to_string(RESOURCE_SOUND))
            entries.insert(text.substr(at + pathKey.size(), pathEnd - at - pathKey.size()) + " " + kind);
    }
    return entries;
}

// The log in the resource manager's own format (UTF-16LE), its entries sorted by path.
std::string logFile(const std::set<std::string>& entries) {
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<ResourceLog>\n";
    for (const std::string& entry : entries) {
        const size_t space = entry.rfind(' ');
        text += L"<Tag Path=\"" + narrowToWide(entry.substr(0, space)) + L"\" Type=\"" +
                narrowToWide(entry.substr(space + 1)) + L"\" />\n";
    }
    text += L"</ResourceLog>";
    return wideToUtf16Bytes(text);
}

TEST(ResourceLog, HoldsWhatTheProgramsStartLoadsForTheMenuAndTheMap) {
    GameSession::Session session(false, true);
    // An empty log: the session records only what it loads itself.
    session.ui.writeFile("dev_view_log.xml", "<ResourceLog/>");
    session.startRecording();
    ASSERT_NE(session.startToMenu(), nullptr);
    // The menu's screens and dialogs, each opened once.
    for (cButton* button : {static_cast<cButton*>(getMainMenu()->getOptionsButton()),
                            static_cast<cButton*>(getMainMenu()->getCreditsButton()),
                            static_cast<cButton*>(getMainMenu()->getExitButton())}) {
        session.click(button->getPosition());
        session.ui.run(1.0f);
        for (IFrameWidget* widget : getLiveWidgets())
            if (auto* root = dynamic_cast<cWidget*>(widget); root && root->isVisible() && root != getMainMenu() &&
                                                             !root->getParent() && root != getFixedBackground())
                deleteWidgetLater(root);
        session.ui.step();
        getMainMenu()->comeBack();
        session.ui.run(1.0f);
    }
    // The map keeps the level's menu; its replay asks first.
    cGameMenuDlg* gameMenu = cGameMenuDlg::getInstance();
    ASSERT_NE(gameMenu, nullptr);
    gameMenu->enable();
    gameMenu->fadeIn();
    session.ui.run(1.0f);
    cGameMenuDlg::onReplayClicked(gameMenu->getReplayButton());
    session.ui.run(1.0f);

    getResourceManager()->writeResourceLog("session_log.xml");
    std::vector<uint8_t> bytes;
    ASSERT_GT(getFileSystem()->readFile("session_log.xml", bytes), 0);
    std::set<std::string> loaded = entriesOf(std::string(bytes.begin(), bytes.end()));
    loaded.erase("dev_view_log.xml 1");
    for (const char* name : {"atlases/map_images_0.png 0", "atlases/map_images_3.png 0", "ui/front/sky.png 0",
                             "ui/front/bee0.png 0", "fonts/text22.fnt 2", "meadow/images/backgrounds/map_bg.png 0"})
        EXPECT_EQ(loaded.count(name), 1u) << name;
    const std::string shippedPath = std::string(MEADOW_DATA_DIR) + "/dev_view_log.xml";
    if (const char* update = std::getenv("MEADOW_UPDATE_DATA"); update && std::string(update) == "1")
        std::ofstream(shippedPath, std::ios::binary) << logFile(loaded);
    EXPECT_EQ(entriesOf(TestSupport::readFileBytes(shippedPath)), loaded);
}

} // namespace
