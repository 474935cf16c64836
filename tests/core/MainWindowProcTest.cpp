#include "engine/core/Application.h"

#include "engine/core/FrameManager.h"
#include "engine/platform/VirtualKeys.h"
#include "engine/platform/WindowMessages.h"
#include "tests/support/EngineFakes.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Engine;
using namespace Platform;
using namespace TestSupport;

namespace {

struct Row {
    const char* name;
    uint32_t message;
    uintptr_t wParam;
    bool minimized;
    bool background;
    EventLog expected;
    intptr_t result;
    int pausedAfter;    // -1: unchanged from the start (not paused)
    int suspendedAfter; // -1: unchanged from the start (suspended)
};

class MainWindowProc : public ::testing::Test {
protected:
    MainWindowProc() : application(log), input(log), sound(log), graphics(log) { log.clear(); }

    EventLog log;
    FakeApplication application;
    FakeInput input;
    FakeSound sound;
    FakeGraphics graphics;
};

} // namespace

TEST_F(MainWindowProc, HandlesEveryMessageOfItsTable) {
    const Row rows[] = {
        {"activate inactive", WM_ACTIVATE, WA_INACTIVE, false, false, {"unacquire", "sound paused"}, 0, 1, -1},
        {"activate inactive in background", WM_ACTIVATE, WA_INACTIVE, false, true, {"unacquire"}, 0, 1, -1},
        {"activate active", WM_ACTIVATE, WA_ACTIVE, false, false, {"acquire", "sound resumed"}, 0, 0, 0},
        {"activate by click", WM_ACTIVATE, WA_CLICKACTIVE, false, false, {"acquire", "sound resumed"}, 0, 0, 0},
        {"activate while minimised", WM_ACTIVATE, 0x10000 | WA_ACTIVE, true, false, {}, 0, -1, -1},
        {"application activated", WM_ACTIVATEAPP, 1, false, false, {"acquire", "sound resumed"}, 0, 0, 0},
        {"application activated minimised", WM_ACTIVATEAPP, 1, true, false, {"sound resumed"}, 0, 0, 0},
        {"application deactivated", WM_ACTIVATEAPP, 0, false, false, {"unacquire", "sound paused"}, 0, 1, -1},
        {"application deactivated in background", WM_ACTIVATEAPP, 0, false, true, {"unacquire"}, 0, 1, -1},
        {"set cursor", WM_SETCURSOR, 0, false, false, {}, 1, -1, -1},
        {"caption double click", WM_NCLBUTTONDBLCLK, 0, false, false, {}, 0, -1, -1},
        {"key down", WM_KEYDOWN, 'A', false, false, {"virtualKey 65"}, 0, -1, -1},
        {"character keeps 16 bits", WM_CHAR, 0x1D800, false, false, {"char 55296"}, 0, -1, -1},
        {"Alt+Enter", WM_SYSKEYDOWN, VK_RETURN, false, false, {"applyDisplayMode"}, 0, -1, -1},
        {"Alt+other key", WM_SYSKEYDOWN, 'X', false, false, {}, 0, -1, -1},
        {"Alt alone", WM_SYSCOMMAND, SC_KEYMENU, false, false, {}, 0, -1, -1},
        {"restore", WM_SYSCOMMAND, SC_RESTORE, true, false, {"sound resumed"}, 0, -1, 0},
        {"minimise", WM_SYSCOMMAND, SC_MINIMIZE, false, false, {}, 0, -1, 1},
        {"maximise while minimised",
         WM_SYSCOMMAND,
         SC_MAXIMIZE,
         true,
         false,
         {"sound resumed", "sound resumed"},
         0,
         -1,
         0},
        {"other system command", WM_SYSCOMMAND, 0xF180, false, false, {}, 0, -1, -1},
        {"mouse move", WM_MOUSEMOVE, 0, false, false, {}, 0, -1, -1},
        {"size", WM_SIZE, 0, false, false, {}, 0, -1, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        cFrameManager manager;
        manager.m_runInBackground = row.background;
        manager.setSuspended(true);
        if (row.minimized)
            application.m_window.minimize();
        else
            application.m_window.restore();
        log.clear();

        EXPECT_EQ(mainWindowProc(row.message, row.wParam, 0), row.result);
        EXPECT_EQ(log, row.expected);
        EXPECT_EQ(manager.isPaused(), row.pausedAfter == 1);
        EXPECT_EQ(manager.isSuspended(), row.suspendedAfter != 0);
    }
}

TEST_F(MainWindowProc, MinimiseAndRestoreChangeTheWindow) {
    mainWindowProc(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(application.m_window.isMinimized());
    mainWindowProc(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(application.m_window.isMinimized());
    application.m_window.minimize();
    mainWindowProc(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_FALSE(application.m_window.isMinimized());
}

TEST_F(MainWindowProc, ClosingDestroysTheWindowAndPostsQuit) {
    cWindowMessage message;
    EXPECT_EQ(mainWindowProc(WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(application.m_window.isDestroyed());
    ASSERT_TRUE(application.m_window.peekMessage(message));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_FALSE(application.m_window.peekMessage(message));
}

TEST_F(MainWindowProc, AltF4AndTheCloseCommandClose) {
    for (auto [message, wParam] : {std::pair<uint32_t, uintptr_t>{WM_SYSKEYDOWN, VK_F4}, {WM_SYSCOMMAND, SC_CLOSE}}) {
        FakeApplication* app = &application;
        app->m_window = cHeadlessWindow(L"test");
        mainWindowProc(message, wParam, 0);
        cWindowMessage posted;
        EXPECT_TRUE(app->m_window.isDestroyed());
        ASSERT_TRUE(app->m_window.peekMessage(posted));
        EXPECT_EQ(posted.message, WM_QUIT);
    }
}

TEST(MainWindowProcAlone, SkipsEveryMissingService) {
    for (uint32_t message :
         {WM_ACTIVATE, WM_ACTIVATEAPP, WM_KEYDOWN, WM_CHAR, WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY})
        for (uintptr_t wParam :
             {uintptr_t(0), uintptr_t(1), uintptr_t(VK_RETURN), SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE})
            mainWindowProc(message, wParam, 0);
    SUCCEED();
}
