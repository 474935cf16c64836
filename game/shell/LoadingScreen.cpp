#include "game/shell/LoadingScreen.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/FileSystem.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/Resource.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/ProgressBar.h"
#include "engine/gui/PyroEffect.h"
#include "engine/media/InputSystem.h"
#include "engine/media/Texture.h"
#include "game/shell/Easing.h"
#include "game/shell/FadeTween.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameSounds.h"
#include "game/shell/MainMenu.h"
#include "game/shell/MoveTween.h"
#include "game/shell/TweenSprite.h"

#include <algorithm>

using namespace Engine;

cLoadingChicken::cLoadingChicken(cWidget* parent) : cPanel(parent) {}

void cLoadingChicken::land() {
    m_hold = false;
    m_landed = true;
    m_time = 0;
}

void cLoadingChicken::process() {
    cPanel::process();
    const unsigned frames = getFramesCount();
    if (m_hold || !m_landed || frames < 2) {
        if (getAnimFrame() != 0)
            setAnimFrame(0);
        return;
    }
    m_time += frameDelta();
    const unsigned frame = 1 + static_cast<unsigned>(m_time * cLoadingScreen::CHICKEN_FPS) % (frames - 1);
    if (getAnimFrame() != static_cast<int>(frame))
        setAnimFrame(static_cast<int>(frame));
}

cLoadingScreen::cLoadingScreen(const std::string& logPath, tFinishCallback onFinish, unsigned batch)
    : cBackground(nullptr), m_logName(logPath), m_onFinish(onFinish), m_batch(std::max(1u, batch)) {
    IFileSystem* files = getFileSystem();
    if (!files || !files->exists(logPath)) {
        // Nothing to preload: the game goes on at once, and the screen goes at the frame's end,
        // never from inside its own constructor.
        m_finished = true;
        m_keyHandled = true;
        if (m_onFinish)
            m_onFinish();
        deleteWidgetLater(this);
        return;
    }
    m_progressPic = new cPanel(this);
    m_progress = new cProgressBar(this);
    m_loadText = new cMultilineText(this);
    m_continueText = new cMultilineText(this);
    m_landEffect = new cPyroEffect(this, "");
    m_finishEffect = new cPyroEffect(this, "");
    m_log = cDocumentHold(logPath);
    m_total = static_cast<unsigned>(m_log->getChildCount());
    // Hidden, so the frame loop never steps it: the screen does.
    m_runner = new cTweenSprite(this);
    loadLayoutFile(*this, "Ui/Load.xml");
    m_entriesPerChicken = m_chickenCount > 0 ? m_total / static_cast<unsigned>(m_chickenCount) : 0;
    m_allLanded = m_chickenCount == 0;
    m_prefetching = true;
    show();
    enable();
}

cLoadingScreen::~cLoadingScreen() {
    if (m_prefetching)
        endTexturePrefetch();
    // The chickens' tweens delete themselves when they finish; a screen that goes before they
    // have takes them along (each leaves the runner as it goes).
    while (m_runner && !m_runner->getTweens().empty())
        delete m_runner->getTweens().back();
}

void cLoadingScreen::loadXML(const IXmlNode* node) {
    cBackground::loadXML(node);
    const char* names[] = {"Progress", "ProgressPic", "LoadText", "ContinueText", "LandEffect", "FinishEffect"};
    cWidget* widgets[] = {m_progress, m_progressPic, m_loadText, m_continueText, m_landEffect, m_finishEffect};
    for (int i = 0; i < 6; ++i) {
        IXmlNode* element = nullptr;
        if (node->findNode(names[i], element))
            widgets[i]->loadXML(element);
    }
    m_continueText->hide();
    m_landEffect->hide();
    m_finishEffect->hide();
    parseFloat(m_deltaT, node->getAttribute(L"delta_t"));
    parseInt(m_chickenCount, node->getAttribute(L"chicken_number"));
    m_chickenCount = std::max(0, m_chickenCount);
    parseVector2(m_startPos, node->getAttribute(L"start_pos"));
    parseVector2(m_chickenOffset, node->getAttribute(L"chicken_offset"));
    parseFloat(m_alphaShow, node->getAttribute(L"chicken_alpha_show"));
    parseFloat(m_fallTime, node->getAttribute(L"chicken_fall_time"));
    parseFloat(m_fallDelay, node->getAttribute(L"chicken_fall_delay"));
    IXmlNode* chickenLayout = nullptr;
    node->findNode("Chicken", chickenLayout);
    for (int i = 0; i < m_chickenCount; ++i) {
        auto* chicken = new cLoadingChicken(this);
        if (chickenLayout)
            chicken->loadXML(chickenLayout);
        chicken->setPlayAnimation(false);
        chicken->m_hold = true;
        chicken->hide();
        chicken->m_fallDelay = m_fallDelay;
        m_chickens.push_back(chicken);
    }
}

void cLoadingScreen::dropChicken(int index) {
    cLoadingChicken* chicken = m_chickens[static_cast<size_t>(index)];
    const cVector2 start = m_startPos + m_chickenOffset * static_cast<float>(index);
    chicken->setPosition(start);
    chicken->show();
    (new cFadeTween(chicken, 0, 1, m_alphaShow, EASING_LINEAR, EASE_OUT, 0))->start(m_runner);
    chicken->setAlpha(0);
    const cVector2 end(start.x, m_progress->getPosition().y);
    auto* fall = new cCallbackMoveTween(chicken, start, end, m_fallTime, EASING_LINEAR, EASE_IN_OUT, 0, true, this,
                                        index, [this](int item) { onChickenLanded(item); });
    fall->start(m_runner);
}

void cLoadingScreen::process() {
    cBackground::process();
    if (m_finished)
        return;
    if (m_firstFrame) {
        m_firstFrame = false;
        getResourceManager()->purgeUnused();
        prefetchPictures(m_logName);
    }
    // Once everything is loaded the chickens hurry: the screen holds the start no longer than
    // their fall at a few times its pace.
    const float dt = frameDelta() * (m_loaded >= m_total ? CATCH_UP : 1.0f);
    m_runner->processTweens(dt);
    for (size_t i = 0; i < m_pending.size(); ++i) {
        cLoadingChicken* chicken = m_pending[i];
        if (!chicken)
            continue;
        chicken->m_fallDelay -= dt;
        if (chicken->m_fallDelay > 0)
            continue;
        m_pending[i] = nullptr;
        dropChicken(static_cast<int>(i));
    }
    if (m_stepTimer > 0) {
        m_stepTimer -= dt;
        return;
    }
    step();
}

void cLoadingScreen::prefetchPictures(const std::string& logPath) {
    IFileSystem* files = getFileSystem();
    if (!files || !files->exists(logPath))
        return;
    const cDocumentHold log(logPath);
    std::vector<std::string> pictures;
    for (int i = 0; i < log->getChildCount(); ++i) {
        IXmlNode* entry = nullptr;
        int kind = -1;
        if (!log->getNodeAt(i, entry))
            continue;
        parseInt(kind, entry->getAttribute(L"Type"));
        if (kind == RESOURCE_TEXTURE)
            pictures.push_back(wideToNarrow(entry->getAttribute(L"Path")));
    }
    prefetchTextures(pictures);
}

void cLoadingScreen::step() {
    m_stepTimer = m_deltaT;
    if (!m_maxKnown) {
        m_maxKnown = true;
        m_progressMax = m_progress->getMaxValue();
    }
    const unsigned to = std::min(m_loaded + m_batch, m_total);
    if (to > m_loaded)
        getResourceManager()->readResourceLog(m_log.get(), static_cast<int>(m_loaded), static_cast<int>(to));
    // The bar lags one step behind the loading; an empty log counts as loaded.
    m_progress->setCurrentValue(m_total > 0 ? m_loaded * m_progressMax / m_total : m_progressMax);
    m_progress->updateLid();
    // A chicken whose share has been passed (not only met) is queued, one per step, so that
    // every chicken falls whatever the batch, the entries or the chicken count; once everything
    // is loaded, the rest at once.
    while (m_chickensQueued < m_chickenCount &&
           m_loaded >= m_entriesPerChicken * static_cast<unsigned>(m_chickensQueued)) {
        m_pending.push_back(m_chickens[static_cast<size_t>(m_chickensQueued)]);
        ++m_chickensQueued;
        if (m_loaded < m_total)
            break;
    }
    m_loaded = to;
    if (m_allLanded && m_loaded >= m_total)
        finish();
}

void cLoadingScreen::finish() {
    m_loadText->hide();
    m_continueText->show();
    if (cPanel* lid = m_progress->getLid())
        lid->disable();
    m_keyHook.addKey(INPUT_ANY, &cLoadingScreen::onLoadingKey, this);
    if (!m_finishEffect->getFileName().empty()) {
        m_finishEffect->show();
        m_finishEffect->enable();
        m_finishEffect->play();
    }
    m_finished = true;
    endTexturePrefetch();
    m_prefetching = false;
    if (cGameSounds* sounds = cGameSounds::getInstance())
        sounds->play("loading_finished");
}

void cLoadingScreen::onChickenLanded(int index) {
    cLoadingChicken* chicken = m_chickens[static_cast<size_t>(index)];
    chicken->land();
    if (!m_landEffect->getFileName().empty()) {
        auto* puff = new cPyroEffect(*m_landEffect);
        // It goes with the screen when the program ends before the puff has.
        puff->setParent(this);
        puff->setPosition(chicken->getPosition());
        puff->show();
        puff->enable();
        puff->play(true);
    }
    if (++m_landed >= m_chickenCount)
        m_allLanded = true;
}

void cLoadingScreen::onLoadingKey(void* loadingScreen) {
    auto* screen = static_cast<cLoadingScreen*>(loadingScreen);
    if (screen->isKeyHandled())
        return;
    screen->m_keyHook.removeAll();
    if (screen->m_onFinish)
        screen->m_onFinish();
    screen->hide();
    screen->setKeyHandled(true);
    deleteWidgetLater(screen);
}

namespace {

void showMenuForPlayer() {
    if (!cProfileManager::getInstance())
        new cProfileManager(readCurrentUserName().c_str());
    if (!getMainMenu())
        new cMainMenu();
    cMainMenu* menu = getMainMenu();
    menu->loadPlayTime();
    menu->fadeIn();
    menu->enable();
    menu->startUser();
    if (IMapScreen* map = FrontEnd::createMap())
        menu->setNextScreen(map);
}

} // namespace

void onLoadingFinished() {
    if (!getMainMenu())
        new cMainMenu();
    if (profilesFileExists()) {
        showMenuForPlayer();
    } else if (!FrontEnd::openNewUserDialog(onNewUserCreated)) {
        // Without the dialog the menu opens with nobody playing.
        getMainMenu()->fadeIn();
        getMainMenu()->enable();
    }
    getMainMenu()->startMusic();
}

void onNewUserCreated() {
    showMenuForPlayer();
}
