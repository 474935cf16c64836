#include "game/shell/LogoScreen.h"

#include "engine/core/Constants.h"
#include "engine/core/DataStream.h"
#include "engine/core/FileSystem.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Panel.h"
#include "engine/media/InputSystem.h"
#include "engine/media/Texture.h"
#include "game/shell/LoadingScreen.h"
#include "game/shell/MainMenu.h"

#include <algorithm>

using namespace Engine;

bool isFileMissingOrEmpty(const std::string& path) {
    IFileSystem* files = getFileSystem();
    if (!files || !files->exists(path))
        return true;
    std::unique_ptr<IDataStream> stream = files->openRead(path);
    return !stream || stream->getSize() <= 0;
}

cLogoScreen::cLogoScreen() : cWidget(nullptr) {
    show();
    enable();
    bool logos = true;
    if (cConstants* constants = getConstants())
        constants->getValue(L"game", L"Logo", logos);
    if (!logos) {
        m_logosOff = true;
        return;
    }
    m_keyHook.addKey(INPUT_ANY, &cLogoScreen::showNextAfterLogo, this);
    m_picture = new cPanel(this);
    m_picture->setPosition(cVector2(512, 384));
    m_picture->setDepth(10000);
    m_picture->setSize(cVector2(0, 0));
    m_picture->show();
    m_picture->enable();
    hide();
    fadeIn();
}

cLogoScreen::~cLogoScreen() = default;

void cLogoScreen::showPicture(const std::string& path) {
    cTexture* texture = getResourceManager()->getTexture(path);
    m_picture->setPictureResource(texture);
    if (texture) {
        const cVector2& uv = texture->getUvScale();
        m_picture->setSize(cVector2(texture->getSizeRef().x * uv.x, texture->getSizeRef().y * uv.y));
        texture->decRef();
    }
    m_timer = 0;
}

void cLogoScreen::showNextLogo() {
    switch (m_logoIndex) {
    case 0:
        m_logoIndex = 1;
        if (isFileMissingOrEmpty("Logo.png"))
            return showNextLogo();
        showPicture("Logo.png");
        break;
    case 1:
        m_logoIndex = 2;
        if (isFileMissingOrEmpty("Logo/Logo2.png"))
            return showNextLogo();
        showPicture("Logo/Logo2.png");
        break;
    case 2:
        m_logoIndex = 3;
        showPicture("Logo/Logo3.png");
        break;
    default:
        break;
    }
}

void cLogoScreen::process() {
    if (m_logosOff) {
        m_logoIndex = LAST_LOGO;
        showNextAfterLogo(this);
        hide();
        deleteWidgetLater(this);
        return;
    }
    const float dt = frameDelta();
    if (m_logoIndex == 0)
        showNextLogo();
    else if (m_logoIndex < LAST_LOGO) {
        if (m_timer >= LOGO_TIME)
            showNextLogo();
    } else if (m_timer >= LOGO_TIME) {
        showNextAfterLogo(this);
    }
    if (m_picture)
        m_picture->setAlpha(std::min(m_timer * 0.5f, 1.0f));
    m_timer += dt;
}

void cLogoScreen::showNextAfterLogo(void* logoScreen) {
    const bool act = s_actOnNextCall;
    s_actOnNextCall = !s_actOnNextCall;
    if (!act)
        return;
    auto* screen = static_cast<cLogoScreen*>(logoScreen);
    if (!isWidgetAlive(screen))
        return;
    if (screen->m_logoIndex < LAST_LOGO) {
        screen->showNextLogo();
        return;
    }
    if (screen->m_started)
        return;
    screen->startLoading();
}

void cLogoScreen::startLoading() {
    // The menu's pictures are the loading's too: they decode side by side from here on.
    cLoadingScreen::prefetchPictures("dev_view_log.xml");
    if (!getMainMenu())
        new cMainMenu();
    getMainMenu()->hide();
    getMainMenu()->startAmbientSound();
    // A fifth of the entries a step, one chicken each: the pictures decode ahead on other threads,
    // a step only uploads them, and each frame the software renderer draws costs more than a step.
    new cLoadingScreen("dev_view_log.xml", &onLoadingFinished, 20);
    m_started = true;
    fadeOutAndDelete();
}
