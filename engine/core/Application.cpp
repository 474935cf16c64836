#include "engine/core/Application.h"

#include "engine/core/Constants.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileSystem.h"
#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/GraphicsLink.h"
#include "engine/core/InputLink.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/ServiceFactory.h"
#include "engine/core/Settings.h"
#include "engine/core/SoundLink.h"
#include "engine/core/String.h"
#include "engine/core/Strings.h"
#include "engine/platform/Clock.h"
#include "engine/platform/InstanceLock.h"
#include "engine/platform/System.h"
#include "engine/platform/VirtualKeys.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowMessages.h"

#include <cstdlib>

namespace Engine {

using namespace Platform;

namespace {

cServiceFactory g_factory;

std::wstring executablePath() {
    std::wstring wide;
    utf8ToWide(getExecutablePath(), wide);
    return wide;
}

// The fatal-error path's last step: end the message loop and let the window system settle.
void quitAfterFatalError() {
    cApplicationBase* application = getApplication();
    if (!application || !application->getWindow())
        return;
    application->getWindow()->postMessage({WM_QUIT, 0, 0});
    application->pumpMessages();
}

} // namespace

void setServiceFactory(const cServiceFactory& factory) {
    g_factory = factory;
}

const cServiceFactory& getServiceFactory() {
    return g_factory;
}

// ---- cApplicationBase ----

cApplicationBase::cApplicationBase(const cApplicationDesc& desc)
    : m_createCallback(desc.onCreate), m_destroyCallback(desc.onDestroy), m_userData(desc.userData) {}

cApplicationBase::~cApplicationBase() = default;

void cApplicationBase::onFrame() {
    if (m_frameCallback)
        m_frameCallback(m_frameUser);
}

bool cApplicationBase::onCreate() {
    return m_createCallback ? m_createCallback(m_userData) : true;
}

bool cApplicationBase::onDestroy() {
    return m_destroyCallback ? m_destroyCallback(m_userData) : true;
}

cApplicationBase* getApplication() {
    return cSingleton<cApplicationBase>::getInstance();
}

// ---- cApplication ----

cApplication* createApplication(cApplicationDesc* desc) {
    return new cApplication(*desc);
}

cApplication::cApplication(cApplicationDesc& desc)
    : cApplicationBase(desc), m_instance(desc.hInstance), m_window(desc.hWnd) {
    std::wstring path = executablePath();
    size_t slash = path.find_last_of(L'/');
    if (slash != std::wstring::npos && slash + 1 < path.size()) {
        m_className = L"Quorvex_" + path.substr(slash + 1);
        toLowerWide(m_className);
    }

    if (!m_className.empty() && desc.singleInstance) {
        std::string lockName;
        wideToUtf8(m_className, lockName);
        if (!claimSingleInstance(lockName))
            std::exit(0); // the first copy has been asked to come forward
    }

    setFatalQuitHandler(quitAfterFatalError);
    Platform::returnLargeBlocksToTheSystem();
    // Services that somebody else made before us are not ours to delete when we fail.
    const std::set<const void*> existing = {getFileSystem(),   getResourceManager(), getConstants(),  getSettings(),
                                            getGraphicsLink(), getInputLink(),       getFrameTimer(), getSoundLink(),
                                            getFrameManager(), getStrings()};
    try {
        createServices(desc, path);
    } catch (...) {
        // Leave no half-built service behind: a retry or the error report must find none.
        deleteServices(existing);
        releaseSingleInstance();
        setFatalQuitHandler(nullptr);
        throw;
    }
}

void cApplication::createServices(cApplicationDesc& desc, const std::wstring& executablePath) {
    std::wstring dataFolder = executablePath.substr(0, executablePath.find_last_of(L'/') + 1);
    dataFolder += narrowToWide(desc.dataFolder ? desc.dataFolder : "");
    // A null filter makes an empty function: every pack is opened.
    new cFileSystem(dataFolder, "pack", desc.packFilter);
    new cResourceManager();
    new cConstants("sys/constants.xml");
    new cSettings("sys/settings.xml");

    if (!desc.hWnd) {
        createMainWindow();
        desc.hWnd = m_window;
    }
    if (g_factory.createGraphicsDevice)
        g_factory.createGraphicsDevice(desc);
    if (g_factory.createInputSystem)
        g_factory.createInputSystem(desc);
    new cFrameTimer();
    if (!desc.noSound && g_factory.createSoundSystem)
        g_factory.createSoundSystem();
    new cFrameManager();
    new cStrings();

    // Until a graphics device draws into it, the window shows itself and stays black.
    if (!getGraphicsLink())
        m_window->show();
}

void cApplication::createMainWindow() {
    std::wstring title;
    getConstants()->getValue(L"game", L"window_title", title);
    // The graphics device gives the window its size and style; the window starts hidden.
    m_ownedWindow = createWindow(title);
    m_window = m_ownedWindow.get();
    bool showCursor = true;
    getConstants()->getValue(L"graphics", L"ShowSysCursor", showCursor);
    m_window->setCursorVisible(showCursor);
}

namespace {

template <class T> void deleteUnlessKept(T* service, const std::set<const void*>& keep) {
    if (service && !keep.count(service))
        delete service;
}

} // namespace

void cApplication::deleteServices(const std::set<const void*>& keep) {
    deleteUnlessKept(getFrameManager(), keep);
    deleteUnlessKept(getStrings(), keep);
    deleteUnlessKept(getSoundLink(), keep);
    deleteUnlessKept(getFrameTimer(), keep);
    deleteUnlessKept(getInputLink(), keep);
    deleteUnlessKept(getGraphicsLink(), keep);
    deleteUnlessKept(getSettings(), keep);
    deleteUnlessKept(getConstants(), keep);
    deleteUnlessKept(getResourceManager(), keep);
    deleteUnlessKept(getFileSystem(), keep);
}

cApplication::~cApplication() {
    deleteServices();
    if (m_window)
        m_window->destroy();
    m_ownedWindow.reset();
    releaseSingleInstance();
    setFatalQuitHandler(nullptr);
}

void cApplication::runMainLoop() {
    onCreate();
    for (;;) {
        cWindowMessage message;
        if (m_window->peekMessage(message)) {
            if (message.message == WM_QUIT) {
                onDestroy();
                return;
            }
            mainWindowProc(message.message, message.wParam, message.lParam);
            continue;
        }
        if (IFrameManager* frameManager = getFrameManager()) {
            frameManager->updateFrame();
            // A minimised game has no frame timer to pace it: idle instead of spinning.
            if (frameManager->isSuspended() && !frameManager->m_runInBackground)
                getClock().sleepMs(10);
        }
        if (!getGraphicsLink())
            m_window->presentBlank();
        cApplicationBase::run(); // onFrame
        ++m_frameCount;
        if (m_frameLimit && m_frameCount == m_frameLimit)
            mainWindowProc(WM_CLOSE, 0, 0);
    }
}

void cApplication::pumpMessages() {
    cWindowMessage message;
    for (;;) {
        if (!m_window->peekMessage(message))
            continue;
        if (message.message == WM_QUIT)
            return;
        mainWindowProc(message.message, message.wParam, message.lParam);
    }
}

void cApplication::applyDisplayMode() {
    cSettings* settings = getSettings();
    IGraphicsLink* graphics = getGraphicsLink();
    if (!settings || !graphics)
        return;
    bool fullscreen = false;
    bool onlyWindowed = false;
    settings->getValue(L"graphics", L"fullscreen", fullscreen);
    if (cConstants* constants = getConstants())
        constants->getValue(L"graphics", L"only_windowed", onlyWindowed);
    if (!onlyWindowed) {
        settings->setValue(L"graphics", L"fullscreen", !fullscreen);
        graphics->requestModeSwitch(true);
    } else if (fullscreen) {
        settings->setValue(L"graphics", L"fullscreen", false);
        graphics->requestModeSwitch(true);
    }
}

// ---- window procedure ----

namespace {

void pauseAll(IFrameManager* frameManager, IInputLink* input, ISoundLink* sound) {
    if (input)
        input->unacquireDevices();
    if (frameManager)
        frameManager->setPaused(true);
    if (sound && !(frameManager && frameManager->m_runInBackground))
        sound->setPaused(true);
}

void resumeSound(ISoundLink* sound) {
    if (sound)
        sound->setPaused(false);
}

void clearSuspend(IFrameManager* frameManager) {
    if (frameManager)
        frameManager->setSuspended(false);
}

// Maximise: a window becomes full screen unless the game stays windowed.
void switchToFullscreen() {
    cSettings* settings = getSettings();
    IGraphicsLink* graphics = getGraphicsLink();
    if (!settings || !graphics)
        return;
    bool onlyWindowed = false;
    bool fullscreen = false;
    if (cConstants* constants = getConstants())
        constants->getValue(L"graphics", L"only_windowed", onlyWindowed);
    settings->getValue(L"graphics", L"fullscreen", fullscreen);
    if (!onlyWindowed && !fullscreen) {
        settings->setValue(L"graphics", L"fullscreen", true);
        graphics->requestModeSwitch(true);
    }
}

} // namespace

intptr_t mainWindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    IFrameManager* frameManager = getFrameManager();
    IInputLink* input = getInputLink();
    ISoundLink* sound = getSoundLink();
    cApplicationBase* application = getApplication();
    IWindow* window = application ? application->getWindow() : nullptr;

    switch (message) {
    case WM_DESTROY:
        if (window)
            window->postMessage({WM_QUIT, 0, 0});
        return 0;
    case WM_ACTIVATE:
        if (wParam == WA_INACTIVE) {
            pauseAll(frameManager, input, sound);
        } else if (wParam == WA_ACTIVE || wParam == WA_CLICKACTIVE) {
            if (input)
                input->acquireDevices();
            if (frameManager)
                frameManager->setPaused(false);
            resumeSound(sound);
            clearSuspend(frameManager);
        }
        break;
    case WM_ACTIVATEAPP:
        if (wParam == 1) {
            clearSuspend(frameManager);
            if (input && !(window && window->isMinimized()))
                input->acquireDevices();
            if (frameManager)
                frameManager->setPaused(false);
            resumeSound(sound);
        } else {
            pauseAll(frameManager, input, sound);
        }
        break;
    case WM_SETCURSOR:
        return 1;
    case WM_NCLBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        return 0;
    case WM_KEYDOWN:
        if (input)
            input->pushVirtualKey(int(wParam));
        return 0;
    case WM_CHAR:
        if (input)
            input->pushChar(int(wParam & 0xFFFF));
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == uintptr_t(VK_RETURN) && application)
            application->applyDisplayMode();
        break;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_KEYMENU:
            return 0;
        case SC_RESTORE:
            clearSuspend(frameManager);
            resumeSound(sound);
            break;
        case SC_MINIMIZE:
            if (frameManager)
                frameManager->setSuspended(true);
            break;
        case SC_MAXIMIZE:
            if (window && window->isMinimized())
                mainWindowProc(WM_SYSCOMMAND, SC_RESTORE, 0);
            clearSuspend(frameManager);
            resumeSound(sound);
            switchToFullscreen();
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return defaultWindowProc(message, wParam, lParam);
}

intptr_t defaultWindowProc(uint32_t message, uintptr_t wParam, intptr_t) {
    cApplicationBase* application = getApplication();
    IWindow* window = application ? application->getWindow() : nullptr;
    switch (message) {
    case WM_CLOSE:
        if (window && !window->isDestroyed()) {
            window->destroy();
            mainWindowProc(WM_DESTROY, 0, 0);
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == uintptr_t(VK_F4))
            mainWindowProc(WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
            if (window)
                window->minimize();
            break;
        case SC_RESTORE:
            if (window)
                window->restore();
            break;
        case SC_CLOSE:
            mainWindowProc(WM_CLOSE, 0, 0);
            break;
        default:
            break;
        }
        return 0;
    default:
        return 0;
    }
}

} // namespace Engine
