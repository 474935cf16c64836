// The map's level flow: starting a level on a board screen, the saved-level prompt, the level's
// end, restarts, the editor's levels, the way back to the main menu and the level save file.

#include "engine/core/Constants.h"
#include "engine/core/ExceptionLog.h"
#include "engine/core/File.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/gui/FrameButton.h"
#include "engine/gui/TextButton.h"
#include "game/development/CatPersonModel.h"
#include "game/development/DevelopmentView.h"
#include "game/development/MapNeighbours.h"
#include "game/development/PersonageModel.h"
#include "game/development/PersonageView.h"
#include "game/model/GameServices.h"
#include "game/model/LevelView.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/TutorialManagerLink.h"
#include "game/model/UnitsFeature.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/ScreenSwitcher.h"
#include "game/shell/Tip.h"
#include "game/shell/YesNoFrame.h"

namespace {

// The level the board save was made on: random levels are drawn afresh, so the number goes with
// the save.
const char* const kSavedLevelKey = "BinarySaveLevel";

int32_t profileInt(const char* name) {
    auto it = Engine::gIntProps.find(name);
    return it == Engine::gIntProps.end() ? 0 : it->second;
}

} // namespace

void cDevelopmentView::onMainMenuClicked(Engine::cButton*) {
    if (cDevelopmentView* view = getInstance())
        view->goToMainMenu();
}

void cDevelopmentView::onNextLevelButton(Engine::cButton*) {
    if (cDevelopmentView* view = getInstance())
        view->onNextLevelClicked();
}

void cDevelopmentView::onPromptYes(cYesNoFrame*) {
    if (cDevelopmentView* view = getInstance())
        view->onSavedLevelYes();
}

void cDevelopmentView::onPromptNo(cYesNoFrame*) {
    if (cDevelopmentView* view = getInstance())
        view->onSavedLevelNo();
}

void cDevelopmentView::onScreenShown(cScreenSwitcher* switcher) {
    m_mainMenuButton->setClickCallback(onMainMenuClicked);
    m_showAllButton->setClickCallback(onShowAllClicked);
    const int mode = switcher ? switcher->getMode() : SWITCH_PLAIN;
    if (mode == SWITCH_FROM_MENU) {
        if (profileInt("HasBinarySave") != 0) {
            lockInterface(true);
            closePrompt();
            m_savedLevelPrompt = new cYesNoFrame(nullptr, "Meadow/View/YesNoDialog.xml");
            m_savedLevelPrompt->m_onYes = onPromptYes;
            m_savedLevelPrompt->m_onNo = onPromptNo;
            m_savedLevelPrompt->setMessage(m_savedLevelMessage);
            m_savedLevelPrompt->enable();
            m_savedLevelPrompt->fadeIn();
            return;
        }
        unlockInterface();
    } else if (mode == SWITCH_FROM_LEVEL) {
        saveGame(false);
        // A level button clicked while the switch back ran has opened the editor again.
        if (!m_editorMode || !m_levelScreen)
            show();
        if (m_upgradePanel)
            m_upgradePanel->updateButtons(true);
        unlockInterface();
        // The next-level hint waits its whole delay again after every level.
        if (cTutorialManager* tutorial = cTutorialManager::getInstance())
            if (!tutorial->isTipShown(0))
                tutorial->startTipTimer(0, tutorial->getTipTimer(0));
    }
}

void cDevelopmentView::closePrompt() {
    if (m_savedLevelPrompt)
        m_savedLevelPrompt->fadeOutAndDelete();
    m_savedLevelPrompt = nullptr;
}

// The prompt keeps taking answers while it fades out: only the first one counts.
void cDevelopmentView::onSavedLevelYes() {
    if (!m_savedLevelPrompt)
        return;
    closePrompt();
    unlockInterface();
    playLevel(true);
}

void cDevelopmentView::onSavedLevelNo() {
    if (!m_savedLevelPrompt)
        return;
    closePrompt();
    unlockInterface();
    deleteSaveFile();
    updateMoneyText();
    if (m_upgradePanel)
        m_upgradePanel->updateButtons(true);
}

void cDevelopmentView::onNextLevelClicked() {
    // A second click while the map fades out would start a second level.
    if (m_levelRunning)
        return;
    // Without a board screen the level could not start once the map has faded out.
    if (!getLevelScreenFactory()) {
        FrontEnd::note("Next level: the board screen is not part of this program.");
        return;
    }
    if (ITutorialManager* tutorial = GameServices::getTutorialManager())
        tutorial->setTipShown(0);
    m_nextLevelPressed = true;
    playLevel(false);
}

void cDevelopmentView::playLevel(bool fromSave) {
    setLevelRunning(true);
    unlockInterface();
    if (m_pimbrelView) {
        m_pimbrelView->hideBubble();
        m_pimbrelView->disable();
    }
    closeLevel();
    std::unique_ptr<Engine::IDataStream> stream;
    if (fromSave) {
        if (Engine::IFileSystem* files = Engine::getFileSystem())
            if (files->exists(getSaveFilePath()))
                stream = files->openRead(getSaveFilePath());
    } else {
        m_controller->rememberStartLevelMoney();
    }
    bool restored = false;
    if (stream) {
        try {
            m_model->loadLevel(getSavedLevelNumber(), stream.get());
            restored = true;
        } catch (...) {
            // Offered again on every start, a save the model refuses would lock the player out:
            // it goes aside and the level starts fresh, as if the player had declined it.
            Engine::logException("The saved level cannot be resumed and is set aside: ", std::current_exception());
            stream.reset();
            closeLevel();
            setSaveAside();
            m_controller->rememberStartLevelMoney();
        }
        stream.reset();
    }
    if (!restored)
        m_model->loadLevel(m_model->getNextLevelNumber(), nullptr);
    hideAllTips();
    new cScreenSwitcher(this, nullptr);
}

void cDevelopmentView::createLevelScreen(bool playTest) {
    ILevelScreenFactory* factory = getLevelScreenFactory();
    if (!factory)
        throw Engine::cStringA("cDevelopmentView: no board screen factory");
    m_levelScreen = factory->createLevelScreen(this, m_model, m_controller, m_lowDetail);
    m_levelScreen->setPlayTest(playTest);
    m_levelScreen->initLevel(false);
    m_controller->setLevelView(m_levelScreen->getLevelView());
    m_levelScreen->refresh();
}

void cDevelopmentView::onScreenHidden(cScreenSwitcher* switcher) {
    if (!m_levelRunning) {
        close();
        if (m_mainMenu)
            m_mainMenu->onMapClosed();
        return;
    }
    createLevelScreen(false);
    m_levelScreen->setEnabled(true);
    m_levelScreen->setShown(true);
    m_levelScreen->lockVehiclePanel(true);
    m_controller->setInputLocked(false);
    m_levelScreen->startLevel(false);
    updateMoneyText();
    lockInterface(true);
    if (m_upgradePanel) {
        m_upgradePanel->setShown(false);
        m_upgradePanel->setEnabled(false);
        m_upgradePanel->closeVariants();
    }
    m_unitUpgrading = false;
    hideAllTips();
    if (cTutorialManager* tutorial = cTutorialManager::getInstance())
        tutorial->cancelTip(0);
    disable();
    hide();
    storePimbrelNode();
    if (!m_editorMode && Engine::getProfileManager()) {
        m_model->saveProgressToProfile(false);
        if (m_pimbrelModel)
            m_pimbrelModel->storePoint();
        Engine::getProfileManager()->save();
    }
    removeUnitViews();
    destroyCat();
    destroyPimbrel();
    if (switcher)
        switcher->setSecondScreen(m_levelScreen->getScreen());
}

void cDevelopmentView::onScreenCovered() {
    hide();
}

void cDevelopmentView::onLevelCompleted(ILevelScreen* screen) {
    // A screen replaced meanwhile (the editor's play test, a restart in the editor) is already forgotten.
    if (!screen || screen != m_levelScreen)
        return;
    // Coming back from the editor's play test the heroine may still be there: she is kept.
    if (m_pimbrelModel && !m_editorMode)
        throw Engine::cStringA("cDevelopmentView::onLevelCompleted(): pimbrel is not 0");
    if (!m_pimbrelModel) {
        createPimbrel();
        placePimbrel(profileInt("PimbrelNode"));
    }
    if (m_catModel && !m_editorMode)
        throw Engine::cStringA("cDevelopmentView::onLevelCompleted(): cat is not 0");
    if (!m_catModel)
        createCatModel();
    if (m_unitViews.empty())
        createUnits();
    m_model->getUnitsFeature()->loadProgress();
    enable();
    // Shown now, so that the switch fades out over the map rather than over nothing.
    show();
    setLevelRunning(false);
    if (m_editorMode) {
        m_pimbrelModel->setState(cPersonageModel::PERSONAGE_IDLE);
        m_pimbrelView->placeAtCurrentPoint();
    } else {
        deleteSaveFile();
    }
    m_levelScreen = nullptr;
    m_controller->setLevelView(nullptr);
    m_controller->setInputLocked(false);
    updateMoneyText();
    if (m_editorMode) {
        fadeIn();
        setLevelButtonsEnabled(true);
    }
    if (m_upgradePanel) {
        const bool full = m_model->getUnitsFeature()->isFullyUpgraded();
        m_upgradePanel->setShown(!full && !m_editorMode);
        if (!full)
            m_upgradePanel->resetScrolling();
    }
    // Its buttons wait for the end of the fade.
    if (!m_editorMode)
        lockInterface(true);
}

void cDevelopmentView::restartLevel() {
    if (m_editorMode) {
        startLevel(m_model->getCurrentLevel());
        return;
    }
    setLevelRunning(true);
    m_model->clearLevel();
    if (m_levelScreen)
        m_levelScreen->clearLevel();
    m_controller->resetLevelState();
    m_model->loadLevel(m_model->getCurrentLevel(), nullptr);
    if (!m_levelScreen)
        return;
    m_levelScreen->initLevel(true);
    m_levelScreen->refresh();
    m_levelScreen->setEnabled(true);
    m_levelScreen->showVehiclePanel(true);
    m_controller->setInputLocked(false);
    m_levelScreen->startLevel(false);
}

void cDevelopmentView::closeLevel() {
    if (!m_controller)
        return;
    m_controller->setInputLocked(true);
    m_controller->setLevelView(nullptr);
    m_controller->resetLevelState();
    if (m_levelScreen) {
        m_levelScreen->close();
        m_levelScreen = nullptr;
    }
    m_model->clearLevel();
}

void cDevelopmentView::startLevel(int32_t level) {
    setLevelRunning(true);
    if (m_pimbrelView)
        m_pimbrelView->hideBubble();
    closeLevel();
    m_model->resetResourcePoints();
    m_model->setEditorMode(false);
    m_controller->setEditor(false);
    m_model->loadLevel(level, nullptr);
    createLevelScreen(true);
    m_levelScreen->setEnabled(true);
    m_levelScreen->fadeIn();
    m_levelScreen->lockVehiclePanel(true);
    m_controller->setInputLocked(false);
    m_levelScreen->startLevel(false);
    updateMoneyText();
    startHide();
    setLevelButtonsEnabled(false);
}

void cDevelopmentView::openLevel(int32_t level) {
    if (m_pimbrelView)
        m_pimbrelView->hideBubble();
    closeLevel();
    ILevelScreenFactory* factory = getLevelScreenFactory();
    if (!factory)
        throw Engine::cStringA("cDevelopmentView: no board screen factory");
    if (m_editorMode) {
        m_model->setEditorMode(true);
        m_controller->setEditor(true);
        m_model->loadLevel(level, nullptr);
        m_levelScreen = factory->createEditorScreen(this, m_model, m_controller);
    } else {
        m_model->loadLevel(level, nullptr);
        m_levelScreen = factory->createLevelScreen(this, m_model, m_controller, m_lowDetail);
        m_levelScreen->setPlayTest(false);
    }
    m_levelScreen->initLevel(false);
    m_controller->setLevelView(m_levelScreen->getLevelView());
    m_levelScreen->refresh();
    m_levelScreen->setEnabled(true);
    m_levelScreen->fadeIn();
    m_levelScreen->startGroupFadeIn();
    m_levelScreen->startLevel(false);
    if (m_editorMode) {
        m_controller->setInputLocked(false);
        if (m_upgradePanel) {
            m_upgradePanel->setShown(false);
            m_upgradePanel->setEnabled(false);
            m_upgradePanel->closeVariants();
        }
        startHide();
        // The editor has no backdrop of its own and lies below the map's interface: the map steps
        // aside until the editor goes back to it (onLevelCompleted shows it again).
        hide();
    }
}

void cDevelopmentView::goToMainMenu() {
    if (m_pimbrelView)
        m_pimbrelView->hideBubble();
    hideAllTips();
    lockInterface(true);
    new cScreenSwitcher(this, m_mainMenu ? m_mainMenu->getScreen() : nullptr);
}

void cDevelopmentView::showGameMenu() {
    if (m_gameMenu)
        m_gameMenu->open();
}

void cDevelopmentView::resumeGame() {
    if (m_gameMenu)
        m_gameMenu->close();
    if (m_levelScreen && m_controller) {
        ILevelView* view = m_levelScreen->getLevelView();
        if (view && view->isShown() && view->isEnabled())
            m_controller->setInputLocked(false);
    }
}

void cDevelopmentView::backToMap() {
    if (m_levelScreen)
        m_levelScreen->switchToOwner();
}

std::string cDevelopmentView::getSaveFilePath() const {
    std::string folder;
    if (Engine::cConstants* constants = Engine::getConstants())
        constants->getValue(L"game", L"profiles", folder);
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + Engine::getProfileManager()->getCurrentProfileId() + ".save";
}

// The board goes to a temporary file renamed over the save only when complete, and the profile
// says there is a save only then: a full disk leaves the old save and its flag as they were.
void cDevelopmentView::saveGame(bool withBoard) {
    if (m_editorMode || !Engine::getProfileManager())
        return;
    // A won board resumed would be won once more and skip a level: its win is kept instead.
    if (withBoard && m_controller && m_controller->completeFinishedLevel())
        withBoard = false;
    if (withBoard) {
        bool written = false;
        if (Engine::IFileSystem* files = Engine::getFileSystem()) {
            try {
                std::unique_ptr<Engine::cFile> file = files->openWrite(getSaveFilePath(), true);
                if (file && m_model) {
                    m_model->save(*file);
                    file->close();
                    written = true;
                }
            } catch (const std::string&) {
                // The file has logged why; the old save stays.
            } catch (const std::wstring&) {
            }
        }
        // Only a written board changes the level number: a failed write leaves the old pair.
        const int32_t level = m_model ? m_model->getCurrentLevel() : -1;
        if (written && level >= 0 && level < m_model->getLevelCount())
            Engine::gIntProps[kSavedLevelKey] = level;
        if (m_model)
            m_model->saveProgressToProfile(written || profileInt("HasBinarySave") != 0);
    } else if (m_model) {
        // While the player is still asked about the saved level it stays saved.
        m_model->saveProgressToProfile(m_savedLevelPrompt != nullptr);
    }
    if (m_pimbrelModel)
        m_pimbrelModel->storePoint();
    Engine::getProfileManager()->save();
}

void cDevelopmentView::deleteSaveFile() {
    if (Engine::IFileSystem* files = Engine::getFileSystem())
        files->deleteFile(getSaveFilePath());
}

// A save from before the level number went with it resumes on the next level, as it always did.
int32_t cDevelopmentView::getSavedLevelNumber() {
    auto it = Engine::gIntProps.find(kSavedLevelKey);
    if (it == Engine::gIntProps.end())
        return m_model->getNextLevelNumber();
    if (it->second < 0 || it->second >= m_model->getLevelCount())
        throw Engine::cStringA("cDevelopmentView::getSavedLevelNumber(): the saved level is out of range [0.." +
                               std::to_string(m_model->getLevelCount() - 1) + "]: " + std::to_string(it->second));
    return it->second;
}

// The refused save is kept beside as ".bad" for a look; the profile stops offering it before the
// file goes, so a stop half-way never names a save that is not there.
void cDevelopmentView::setSaveAside() {
    const std::string path = getSaveFilePath();
    Engine::IFileSystem* files = Engine::getFileSystem();
    if (files) {
        try {
            std::vector<uint8_t> bytes;
            if (files->readFile(path, bytes) > 0) {
                std::unique_ptr<Engine::cFile> copy = files->openWrite(path + ".bad", true);
                if (copy && copy->write(bytes.data(), int32_t(bytes.size())) == int32_t(bytes.size()))
                    copy->close();
            }
        } catch (...) {
            Engine::logException("The refused level save is not kept: ", std::current_exception());
        }
    }
    Engine::gIntProps["HasBinarySave"] = 0;
    Engine::gIntProps.erase(kSavedLevelKey);
    if (Engine::cProfileManager* profiles = Engine::getProfileManager()) {
        try {
            profiles->save();
        } catch (...) {
            Engine::logException("The profile cannot be written: ", std::current_exception());
        }
    }
    if (files)
        files->deleteFile(path);
}
