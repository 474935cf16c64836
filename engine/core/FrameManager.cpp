#include "engine/core/FrameManager.h"

#include "engine/core/Application.h"
#include "engine/core/DrawList.h"
#include "engine/core/Drawable.h"
#include "engine/core/FrameRegistry.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/FrameWidget.h"
#include "engine/core/GraphicsLink.h"
#include "engine/core/InputLink.h"
#include "engine/core/NetClient.h"
#include "engine/core/System.h"
#include "engine/core/TimedCallback.h"
#include "engine/core/WidgetSets.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowMessages.h"

#include <vector>

namespace Engine {

namespace {

// Alt pressed (left, right) and released (left, right), then Print Screen released.
const int ALT_KEY_CODES[] = {312, 440, 56, 184};
const int PRINT_SCREEN_RELEASED = 183;

void altKeyCallback(void*) {
    // Only takes the keys, so that Alt does not reach the window's menu handling.
    getInputLink();
}

void screenshotCallback(void*) {
    if (IGraphicsLink* graphics = getGraphicsLink())
        graphics->captureScreen("screenshot.jpg");
}

} // namespace

IFrameManager* getFrameManager() {
    return IFrameManager::getInstance();
}

cFrameManager::cFrameManager() {
    if (IInputLink* input = getInputLink()) {
        for (int code : ALT_KEY_CODES)
            input->addKeyCallback(code, altKeyCallback, nullptr);
        input->addKeyCallback(PRINT_SCREEN_RELEASED, screenshotCallback, nullptr);
        m_hotKeysRegistered = true;
    }
}

cFrameManager::~cFrameManager() {
    IInputLink* input = getInputLink();
    if (input && m_hotKeysRegistered) {
        for (int code : ALT_KEY_CODES)
            input->removeKeyCallback(code, altKeyCallback, nullptr);
        input->removeKeyCallback(PRINT_SCREEN_RELEASED, screenshotCallback, nullptr);
    }
}

void cFrameManager::updateFrame() {
    if (INetClient* net = getNetClient())
        net->update();

    if (m_suspended) {
        flushDeferredDeletions();
        if (!m_runInBackground)
            return;
    }

    updateCursorPosition();
    if (IFrameTimer* timer = getFrameTimer())
        timer->tickFrameTimer();
    if (IInputLink* input = getInputLink())
        input->pollInput();

    if (!m_paused || m_runInBackground) {
        ++m_frameCount;
        if (getFadingWidgets().empty()) {
            walkUpdateList();
            walkProcessList();
        }
        stepFades();
        runTimedCallbacks();
        if (m_frameHook)
            m_frameHook();
    }

    if (IFrameTimer* timer = getFrameTimer()) {
        double now = timer->getTime();
        if (now - m_lastRateTime > 0.2) {
            m_updateRate = float(m_frameCount / (now - m_lastRateTime));
            m_lastRateTime = now;
            m_frameCount = 0;
        }
    }

    drawFrame();
    flushDeferredDeletions();
}

void cFrameManager::updateCursorPosition() {
    IGraphicsLink* graphics = getGraphicsLink();
    cApplicationBase* application = getApplication();
    Platform::IWindow* window = application ? application->getWindow() : nullptr;
    if (!graphics || !window)
        return;
    float left = 0, top = 0, right = 0, bottom = 0;
    graphics->getClientRect(left, top, right, bottom);
    const cPoint cursor = getCursorPos();
    cVector2 client(float(cursor.x) - left, float(cursor.y) - top);
    graphics->windowToScreen(client, m_cursorPosition);
}

void cFrameManager::stepFades() {
    static std::vector<IFrameWidget*> fading;
    static std::vector<IFrameWidget*> finished;
    tWidgetSet& set = getFadingWidgets();
    fading.assign(set.begin(), set.end());
    finished.clear();
    for (IFrameWidget* widget : fading) {
        // A fade step may end or delete another member; step only who is still there.
        if (!set.count(widget))
            continue;
        widget->stepFade();
        if (set.count(widget) && !widget->isFading())
            finished.push_back(widget);
    }
    for (IFrameWidget* widget : finished)
        set.erase(widget);
}

void cFrameManager::runTimedCallbacks() {
    static std::vector<cTimedCallback*> timed;
    static std::vector<cTimedCallback*> fired;
    std::set<cTimedCallback*>& set = getTimedCallbacks();
    timed.assign(set.begin(), set.end());
    fired.clear();
    for (cTimedCallback* callback : timed)
        if (set.count(callback) && callback->tick())
            fired.push_back(callback);
    for (cTimedCallback* callback : fired)
        // A callback may have destroyed another fired one already.
        if (set.count(callback))
            delete callback;
}

void cFrameManager::drawFrame() {
    IGraphicsLink* graphics = getGraphicsLink();
    if (graphics)
        graphics->beginFrame();
    drawAll(drawDrawable);
    if (graphics)
        graphics->endFrame();
}

void cFrameManager::closeMainWindow() {
    cApplicationBase* application = getApplication();
    if (application && application->getWindow())
        mainWindowProc(Platform::WM_CLOSE, 0, 0);
}

void drawDrawable(IDrawable* drawable) {
    drawable->draw();
}

} // namespace Engine
