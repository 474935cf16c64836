#include "game/shell/GameStart.h"

#include "engine/core/Application.h"
#include "engine/core/Constants.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/gui/NewUserDialog.h"
#include "engine/gui/SelectUserDialog.h"
#include "engine/platform/Window.h"
#include "game/model/GameServices.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameSounds.h"
#include "game/shell/LogoScreen.h"
#include "game/shell/MainMenu.h"
#include "game/shell/MatchStatistics.h"
#include "game/shell/TipManager.h"

#include <functional>
#include <string>
#include <utility>

using namespace Engine;

const char* const GAME_VERSION_TEXT = "v1.10";

namespace {

std::wstring currentPlayerName() {
    cProfileManager* profiles = getProfileManager();
    return profiles ? profiles->getCurrentName() : std::wstring();
}

} // namespace

void registerPlayerDialogs() {
    FrontEnd::setNewUserDialog([](std::function<void()> done) {
        auto* dialog = new cNewUserDialog();
        dialog->setCompleteCallback(std::move(done));
        dialog->hide();
        dialog->fadeIn();
        dialog->enable();
    });
    FrontEnd::setSelectUserDialog([](std::function<void()> chosen, std::function<void()> cancelled) {
        // A row, or deleting the current player, changes the player before the list is left:
        // leaving it then is a choice, or the menu would show the old player over the new one.
        const std::wstring before = currentPlayerName();
        auto* dialog = new cSelectUserDialog(false, true);
        dialog->setOkCallback([chosen](cSelectUserDialog*) { chosen(); });
        dialog->setExitCallback([before, chosen, cancelled](cSelectUserDialog*) {
            if (getProfileManager() && currentPlayerName() != before)
                chosen();
            else
                cancelled();
        });
        dialog->hide();
        dialog->fadeIn();
        dialog->enable();
    });
}

bool onCreateGame(void*) {
    GameServices::setQuitting(false);
    registerPlayerDialogs();
    cLogoScreen::resetKeyPairing();
    new cTipManager();
    if (!cGameSounds::getInstance())
        new cGameSounds();
    new cLogoScreen();
    return true;
}

bool onDestroyGame(void*) {
    GameServices::setQuitting(true);
    FrontEnd::destroyMap();
    delete cTipManager::getInstance();
    delete cMatchStatistics::getInstance();
    delete getMainMenu();
    delete cProfileManager::getInstance();
    return true;
}

void makeWindowTitle(cApplicationDesc& desc) {
    cConstants* constants = getConstants();
    if (!constants || !desc.hWnd)
        return;
    bool showVersion = false;
    constants->getValue(L"game", L"show_version", showVersion);
    if (!showVersion)
        return;
    std::wstring title;
    constants->getValue(L"game", L"window_title", title);
    desc.hWnd->setTitle(title + L" - " + narrowToWide(GAME_VERSION_TEXT));
}
