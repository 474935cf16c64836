#include "game/shell/GameStart.h"

#include "engine/core/Application.h"
#include "engine/core/Constants.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/platform/Window.h"
#include "game/model/GameServices.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameSounds.h"
#include "game/shell/LogoScreen.h"
#include "game/shell/MainMenu.h"
#include "game/shell/MatchStatistics.h"
#include "game/shell/TipManager.h"

using namespace Engine;

const char* const GAME_VERSION_TEXT = "v1.10";

bool onCreateGame(void*) {
    GameServices::setQuitting(false);
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
