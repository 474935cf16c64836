#include "game/shell/MainMenu.h"

#include "engine/core/Constants.h"
#include "engine/core/DocumentHold.h"
#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/TextButton.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/SoundChannel.h"
#include "engine/media/SoundSystem.h"
#include "engine/platform/KeyCodes.h"
#include "game/model/GameServices.h"
#include "game/shell/Clouds.h"
#include "game/shell/Credits.h"
#include "game/shell/ExitDialog.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameSounds.h"
#include "game/shell/MatchStatistics.h"
#include "game/shell/Options.h"
#include "game/shell/ScreenSwitcher.h"

using namespace Engine;

namespace {

cBackground* s_fixedBackground = nullptr;

// Reads without adding the property: a missing one must not be written into the profile.
template <class T> T readProp(const tPropTable<T>& table, const char* name, T fallback) {
    auto it = table.find(name);
    return it == table.end() ? fallback : it->second;
}

void makeFixedBackground() {
    if (s_fixedBackground)
        return;
    s_fixedBackground = new cBackground(nullptr);
    const cDocumentHold document("Ui/FixedBack.xml");
    s_fixedBackground->loadXML(document.get());
    IXmlNode* element = nullptr;
    if (document->findNode("Clouds", element)) {
        auto* clouds = new cClouds(s_fixedBackground);
        clouds->loadXML(element);
        clouds->createStartClouds();
    }
}

void deleteFixedBackground() {
    cBackground* background = s_fixedBackground;
    s_fixedBackground = nullptr;
    delete background;
}

void readChild(const IXmlNode* node, const char* name, cWidget* widget) {
    IXmlNode* element = nullptr;
    if (node->findNode(name, element))
        widget->loadXML(element);
}

void onOptionsClosed(cWidget* dialog) {
    if (cMainMenu* menu = getMainMenu())
        menu->comeBack();
    dialog->fadeOutAndDelete();
}

void onExitYes(cExitDialog*) {
    getFrameManager()->closeMainWindow();
}

void onExitNo(cExitDialog* dialog) {
    static_cast<cWidget*>(dialog)->fadeOutAndDelete();
    if (cMainMenu* menu = getMainMenu())
        menu->comeBack();
}

} // namespace

cBackground* getFixedBackground() {
    return s_fixedBackground;
}

cMainMenu* getMainMenu() {
    return cSingleton<cMainMenu>::getInstance();
}

cMainMenu::cMainMenu()
    : cBackground(nullptr), m_startButton(new cTextButton(this)), m_exitButton(new cTextButton(this)),
      m_optionsButton(new cTextButton(this)), m_awardsButton(new cTextButton(this)),
      m_creditsButton(new cTextButton(this)), m_changeUserButton(new cTextButton(this)), m_userName(new cLabel(this)),
      m_userText(new cLabel(this)) {
    loadLayoutFile(*this, "UI/MainMenu.xml");
    if (cConstants* constants = getConstants())
        constants->getValue(L"game", L"low_fps_value", m_lowFpsValue);
    m_startButton->setClickCallback(onStartClicked);
    m_exitButton->setClickCallback(onExitClicked);
    m_changeUserButton->setClickCallback(onChangeUserClicked);
    m_optionsButton->setClickCallback(onOptionsClicked);
    m_awardsButton->setClickCallback(onAwardsClicked);
    m_creditsButton->setClickCallback(onCreditsClicked);
    loadPlayTime();
    // The clocks run while the menu is hidden too.
    enableAbsolute();
    GameServices::setMainMenu(this);
}

cMainMenu::~cMainMenu() {
    savePlayTime();
    silence();
    hide();
    disable();
    m_keys.removeAll();
    deleteFixedBackground();
    if (GameServices::getMainMenu() == this)
        GameServices::setMainMenu(nullptr);
}

void cMainMenu::silence() {
    delete m_musicChannel;
    m_musicChannel = nullptr;
    delete m_ambientChannel;
    m_ambientChannel = nullptr;
}

void cMainMenu::loadXML(const IXmlNode* node) {
    cBackground::loadXML(node);
    readShowHideTimes(node);
    makeFixedBackground();
    readChild(node, "StartButton", m_startButton);
    readChild(node, "ExitButton", m_exitButton);
    readChild(node, "ChangeUserButton", m_changeUserButton);
    readChild(node, "Options", m_optionsButton);
    readChild(node, "AwardsButton", m_awardsButton);
    readChild(node, "CreditsButton", m_creditsButton);
    readChild(node, "UserName", m_userName);
    if (cProfileManager* profiles = getProfileManager())
        m_userName->setText(profiles->getCurrentName());
    readChild(node, "UserText", m_userText);
}

void cMainMenu::readShowHideTimes(const IXmlNode* node) {
    cScreen::readShowHideTimes(node);
}

void cMainMenu::process() {
    cBackground::process();
    if (cProfileManager* profiles = getProfileManager())
        if (m_userName->getText().empty())
            m_userName->setText(profiles->getCurrentName());
}

void cMainMenu::countFrame(float fps) {
    m_framesCounted += 1;
    m_frameRateSum += fps;
}

void cMainMenu::onUpdate() {
    const float dt = getFrameTimer()->getRealDelta();
    m_runTime += dt;
    m_playTime += dt;
    if (m_measuring)
        if (auto* graphics = dynamic_cast<cGraphicsDevice*>(getGraphicsDevice()))
            countFrame(graphics->getFps());
}

void cMainMenu::startProcessing() {
    cBackground::startProcessing();
    if (m_keys.empty())
        m_keys.addKey(Platform::KEY_ESCAPE, escapeKey, this);
    if (s_fixedBackground) {
        s_fixedBackground->show();
        s_fixedBackground->enable();
    }
}

void cMainMenu::stopProcessing() {
    m_keys.removeAll();
    cBackground::stopProcessing();
}

void cMainMenu::escapeKey(void* menu) {
    onExitClicked(static_cast<cMainMenu*>(menu)->m_exitButton);
}

void cMainMenu::startAmbientSound() {
    delete m_ambientChannel;
    m_ambientChannel = nullptr;
    if (cGameSounds* sounds = cGameSounds::getInstance())
        m_ambientChannel = sounds->playLoop("preloader_ambient");
}

void cMainMenu::startMusic() {
    delete m_musicChannel;
    m_musicChannel = nullptr;
    if (cGameSounds* sounds = cGameSounds::getInstance())
        m_musicChannel = sounds->playMusic("main_menu_music");
}

void cMainMenu::setNextScreen(IMapScreen* map) {
    m_nextScreen = map;
    m_measuring = true;
}

void cMainMenu::startUser() {
    if (cProfileManager* profiles = getProfileManager())
        m_userName->setText(profiles->getCurrentName());
    delete cMatchStatistics::getInstance();
    new cMatchStatistics();
    FrontEnd::startTutorial();
}

void cMainMenu::loadPlayTime() {
    if (getProfileManager())
        m_playTime = readProp(gFloatProps, "Timer", 0.0f);
}

void cMainMenu::savePlayTime() {
    if (getProfileManager())
        gFloatProps["Timer"] = m_playTime;
}

void cMainMenu::comeBack() {
    fadeIn();
    enable();
}

void cMainMenu::hideBehind(cWidget* widget) {
    fadeOut();
    widget->hide();
    widget->fadeIn();
}

void cMainMenu::onStartClicked(cButton* button) {
    auto* menu = static_cast<cMainMenu*>(button->getParent());
    if (!menu->m_nextScreen) {
        // Without a map the start has nowhere to go: the menu stays as it is.
        FrontEnd::note("Start: there is no map to go to.");
        return;
    }
    button->setClickCallback(nullptr);
    // Frames counted 0: no measure, the map keeps its detail.
    if (menu->m_framesCounted > 0 && menu->m_lowFpsValue > menu->m_frameRateSum / menu->m_framesCounted)
        menu->m_nextScreen->setLowDetail(true);
    menu->m_frameRateSum = 0;
    menu->m_framesCounted = 0;
    menu->m_measuring = false;
    auto* switcher = new cScreenSwitcher(menu, menu->m_nextScreen->getScreen());
    switcher->setMode(SWITCH_FROM_MENU);
}

void cMainMenu::onScreenCovered() {
    hide();
    if (s_fixedBackground)
        s_fixedBackground->hide();
}

void cMainMenu::onScreenHidden(cScreenSwitcher*) {
    if (s_fixedBackground)
        s_fixedBackground->hide();
    hide();
    silence();
    if (!m_nextScreen)
        throw "cMainMenu::onScreenHidden(): map is not created yet";
    m_nextScreen->open();
    if (readProp(gIntProps, "HasBinarySave", 0) != 0)
        m_nextScreen->showMap();
    else
        m_nextScreen->playLevel(false);
}

void cMainMenu::onScreenShown(cScreenSwitcher*) {
    m_startButton->setClickCallback(onStartClicked);
}

void cMainMenu::onExitClicked(cButton* button) {
    auto* menu = static_cast<cMainMenu*>(button->getParent());
    menu->disable();
    auto* dialog = new cExitDialog(nullptr);
    dialog->m_onYes = onExitYes;
    dialog->m_onNo = onExitNo;
    menu->hideBehind(dialog);
    dialog->enable();
}

void cMainMenu::onOptionsClicked(cButton* button) {
    auto* menu = static_cast<cMainMenu*>(button->getParent());
    auto* options = new cOptions();
    options->setHandler(onOptionsClosed);
    menu->hideBehind(options);
}

void cMainMenu::onAwardsClicked(cButton* button) {
    auto* menu = static_cast<cMainMenu*>(button->getParent());
    menu->fadeOut();
    if (!FrontEnd::openAwardsDialog([] {
            if (cMainMenu* m = getMainMenu())
                m->comeBack();
        }))
        menu->comeBack();
}

void cMainMenu::onCreditsClicked(cButton* button) {
    auto* menu = static_cast<cMainMenu*>(button->getParent());
    if (cCredits::getInstance())
        return;
    menu->hideBehind(new cCredits());
}

void cMainMenu::onChangeUserClicked(cButton* button) {
    auto* menu = static_cast<cMainMenu*>(button->getParent());
    menu->savePlayTime();
    menu->disable();
    menu->fadeOut();
    const bool opened = FrontEnd::openSelectUserDialog(onUserChosen, [] {
        if (!getMainMenu())
            new cMainMenu();
        getMainMenu()->comeBack();
    });
    if (!opened)
        menu->comeBack();
}

void applySoundSettings() {
    cSoundSystem* sound = getSoundSystem();
    if (!getProfileManager() || !sound)
        return;
    if (!readProp(gBoolProps, "SaveSettings", false)) {
        sound->setMusicVolume(50);
        sound->setSoundVolume(50);
        return;
    }
    sound->setMusicVolume(static_cast<int>(readProp(gUIntProps, "MusicVolume", 50u)));
    sound->setSoundVolume(static_cast<int>(readProp(gUIntProps, "SoundVolume", 50u)));
}

void onUserChosen() {
    if (!getMainMenu())
        new cMainMenu();
    cMainMenu* menu = getMainMenu();
    menu->comeBack();
    menu->startUser();
    applySoundSettings();
    menu->loadPlayTime();
}
