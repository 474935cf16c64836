#include "game/shell/GameStart.h"

#include "engine/core/Application.h"
#include "engine/core/Constants.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/NewUserDialog.h"
#include "engine/gui/SelectUserDialog.h"
#include "engine/media/InputSystem.h"
#include "engine/media/Texture.h"
#include "engine/platform/KeyCodes.h"
#include "engine/platform/Window.h"
#include "game/model/GameServices.h"
#include "game/shell/AwardManager.h"
#include "game/shell/AwardTipDlg.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameSounds.h"
#include "game/shell/LoadingScreen.h"
#include "game/shell/LogoScreen.h"
#include "game/shell/MainMenu.h"
#include "game/shell/MatchStatistics.h"
#include "game/shell/TipManager.h"
#include "game/shell/TutorialManager.h"

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

// The front end's return from the awards dialog; the dialog keeps a plain function, so the
// opener's callback waits here until the player leaves.
std::function<void()>& pendingAwardsReturn() {
    static std::function<void()> closed;
    return closed;
}

void onAwardsLeft() {
    std::function<void()> closed = std::move(pendingAwardsReturn());
    pendingAwardsReturn() = nullptr;
    if (closed)
        closed();
}

void openAwardsDialog(std::function<void()> closed) {
    cAwardTipDlg* dialog = cAwardTipDlg::getInstance();
    if (!dialog)
        dialog = new cAwardTipDlg(nullptr);
    pendingAwardsReturn() = std::move(closed);
    dialog->m_returnCallback = onAwardsLeft;
    dialog->listenToEscape();
    dialog->fadeIn();
}

// Each player who becomes current gets a tutorial of their own, read from their profile.
void startPlayerTutorial() {
    delete cTutorialManager::getInstance();
    new cTutorialManager();
}

} // namespace

void registerAwardsAndTutorial() {
    cAwardManager::registerFactory();
    FrontEnd::setAwardsDialog(openAwardsDialog);
    FrontEnd::setTutorialStarter(startPlayerTutorial);
}

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
    registerAwardsAndTutorial();
    cLogoScreen::resetKeyPairing();
    new cTipManager();
    // The loading's pictures decode on worker threads while the game's sounds do.
    cLoadingScreen::prefetchPictures("dev_view_log.xml");
    if (!cGameSounds::getInstance())
        new cGameSounds();
    new cLogoScreen();
    return true;
}

bool onDestroyGame(void*) {
    GameServices::setQuitting(true);
    endTexturePrefetch();
    FrontEnd::destroyMap();
    delete cTutorialManager::getInstance();
    delete cAwardTipDlg::getInstance();
    pendingAwardsReturn() = nullptr;
    GameServices::setAwardManagerFactory(nullptr);
    FrontEnd::setAwardsDialog(nullptr);
    FrontEnd::setTutorialStarter(nullptr);
    delete cTipManager::getInstance();
    delete cMatchStatistics::getInstance();
    delete getMainMenu();
    delete cProfileManager::getInstance();
    // A program closed during its start leaves the logo or the loading screen, which delete
    // themselves only when they hand over; then what the screens handed to the deferred deletion.
    for (IFrameWidget* widget : tWidgetSet(getLiveWidgets()))
        if (isWidgetAlive(widget) && (dynamic_cast<cLogoScreen*>(widget) || dynamic_cast<cLoadingScreen*>(widget)))
            delete widget;
    while (!getPendingDeletions().empty())
        flushDeferredDeletions();
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
