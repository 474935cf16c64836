#include "engine/platform/sdl/SdlWindow.h"

#include "engine/platform/DisplayBackend.h"
#include "engine/platform/System.h"
#include "engine/platform/VirtualKeys.h"
#include "engine/platform/WindowMessages.h"
#include "engine/platform/sdl/SdlBackend.h"
#include "engine/platform/sdl/SdlCallbackError.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Platform;

namespace {

struct Msg {
    uint32_t message;
    uintptr_t wParam;
    bool operator==(const Msg& other) const { return message == other.message && wParam == other.wParam; }
};

std::ostream& operator<<(std::ostream& out, const Msg& m) {
    return out << "{" << m.message << ", " << m.wParam << "}";
}

// The real SDL window on SDL's offscreen driver, which needs no display.
class SdlWindow : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        try {
            window = std::make_unique<cSdlWindow>(L"Meadow \u00e9");
        } catch (const std::string& error) {
            GTEST_SKIP() << "SDL offscreen driver unavailable: " << error;
        }
        drain();
    }
    void TearDown() override {
        window.reset();
        unsetenv("SDL_VIDEODRIVER");
    }

    std::vector<Msg> drain() {
        std::vector<Msg> messages;
        cWindowMessage message;
        while (window->peekMessage(message))
            messages.push_back({message.message, message.wParam});
        return messages;
    }
    std::vector<Msg> after(SDL_Event event) {
        SDL_PushEvent(&event);
        return drain();
    }
    static SDL_Event key(uint32_t type, SDL_Keycode code, uint16_t mod = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = code;
        event.key.keysym.mod = mod;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        return event;
    }
    static SDL_Event windowEvent(uint8_t what) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = what;
        return event;
    }

    std::unique_ptr<cSdlWindow> window;
};

} // namespace

TEST_F(SdlWindow, KeysBecomeVirtualKeysAndControlCharacters) {
    using V = std::vector<Msg>;
    EXPECT_EQ(after(key(SDL_KEYDOWN, SDLK_a)), (V{{WM_KEYDOWN, VK_A}}));
    EXPECT_EQ(after(key(SDL_KEYDOWN, SDLK_BACKSPACE)), (V{{WM_KEYDOWN, VK_BACK}, {WM_CHAR, 8}}));
    EXPECT_EQ(after(key(SDL_KEYDOWN, SDLK_TAB)), (V{{WM_KEYDOWN, VK_TAB}, {WM_CHAR, 9}}));
    EXPECT_EQ(after(key(SDL_KEYDOWN, SDLK_RETURN)), (V{{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13}}));
    EXPECT_EQ(after(key(SDL_KEYDOWN, SDLK_KP_ENTER)), (V{{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13}}));
    EXPECT_EQ(after(key(SDL_KEYDOWN, SDLK_ESCAPE)), (V{{WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 27}}));
    EXPECT_EQ(after(key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT)), (V{{WM_SYSKEYDOWN, VK_RETURN}}));
    EXPECT_EQ(after(key(SDL_KEYUP, SDLK_F5)), (V{{WM_KEYUP, VK_F1 + 4}}));
}

TEST_F(SdlWindow, TextBecomesUtf16Characters) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::string text = "a\xc3\xa9\xf0\x9f\x98\x80"; // a, e acute, an emoji beyond 16 bits
    std::copy(text.begin(), text.end(), event.text.text);
    std::vector<Msg> expected = {{WM_CHAR, 'a'}, {WM_CHAR, 0xE9}, {WM_CHAR, 0xD83D}, {WM_CHAR, 0xDE00}};
    EXPECT_EQ(after(event), expected);
}

TEST_F(SdlWindow, WindowEventsBecomeActivationAndSystemCommands) {
    using V = std::vector<Msg>;
    EXPECT_EQ(after(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)), (V{{WM_ACTIVATEAPP, 1}, {WM_ACTIVATE, WA_ACTIVE}}));
    EXPECT_EQ(after(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST)), (V{{WM_ACTIVATE, WA_INACTIVE}, {WM_ACTIVATEAPP, 0}}));
    EXPECT_EQ(after(windowEvent(SDL_WINDOWEVENT_RESTORED)), V{}); // not minimised before
    EXPECT_EQ(after(windowEvent(SDL_WINDOWEVENT_MINIMIZED)), (V{{WM_SYSCOMMAND, SC_MINIMIZE}}));
    EXPECT_EQ(after(windowEvent(SDL_WINDOWEVENT_RESTORED)), (V{{WM_SYSCOMMAND, SC_RESTORE}}));
    EXPECT_EQ(after(windowEvent(SDL_WINDOWEVENT_MAXIMIZED)), (V{{WM_SYSCOMMAND, SC_MAXIMIZE}}));
    EXPECT_EQ(after(windowEvent(SDL_WINDOWEVENT_CLOSE)), (V{{WM_CLOSE, 0}}));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(after(quit), (V{{WM_CLOSE, 0}}));
}

// A drag: press, motion with the button held (also out of the window), release. The cursor the
// program reads follows each event of the window, in desktop pixels.
TEST_F(SdlWindow, TheCursorFollowsTheWindowsMouseEventsWhileAButtonIsHeld) {
    const cDisplayBackend before = getDisplayBackend();
    installSdlBackend();
    auto* native = static_cast<SDL_Window*>(window->getNativeHandle());
    window->setClientPosition(100, 50);
    int left = 0, top = 0;
    window->getClientPosition(left, top);
    const struct {
        uint32_t type;
        int x, y;
    } steps[] = {
        {SDL_MOUSEMOTION, 300, 200},   {SDL_MOUSEBUTTONDOWN, 300, 200}, {SDL_MOUSEMOTION, 340, 204},
        {SDL_MOUSEMOTION, 420, 210},   {SDL_MOUSEMOTION, 900, 210},     {SDL_MOUSEMOTION, -20, 190},
        {SDL_MOUSEBUTTONUP, -20, 190},
    };
    for (const auto& step : steps) {
        SDL_Event event{};
        event.type = step.type;
        if (step.type == SDL_MOUSEMOTION) {
            event.motion.windowID = SDL_GetWindowID(native);
            event.motion.x = step.x;
            event.motion.y = step.y;
        } else {
            event.button.windowID = SDL_GetWindowID(native);
            event.button.button = SDL_BUTTON_LEFT;
            event.button.x = step.x;
            event.button.y = step.y;
        }
        after(event);
        int x = -1, y = -1;
        ASSERT_TRUE(getDisplayBackend().getCursorPos(x, y));
        EXPECT_EQ(x, left + step.x);
        EXPECT_EQ(y, top + step.y);
    }
    setDisplayBackend(before);
}

TEST_F(SdlWindow, TitleKeepsItsText) {
    EXPECT_EQ(window->getTitle(), L"Meadow \u00e9");
    window->setTitle(L"Meadow - v1.10");
    EXPECT_STREQ(SDL_GetWindowTitle(static_cast<SDL_Window*>(window->getNativeHandle())), "Meadow - v1.10");
    window->destroy();
    EXPECT_TRUE(window->isDestroyed());
    cWindowMessage message;
    window->postMessage({WM_QUIT, 0, 0});
    EXPECT_TRUE(window->peekMessage(message));
}

namespace {

std::vector<std::string> g_reports;

int SDLCALL throwingWatch(void*, SDL_Event* event) {
    cSdlCallbackError::guard("test watch", [&] {
        if (event->type == SDL_USEREVENT)
            throw std::runtime_error("watch failed");
    });
    return 0;
}

} // namespace

TEST_F(SdlWindow, ExceptionInAnEventWatchIsReportedThenRethrownAfterSdlReturns) {
    g_reports.clear(); // a repeated run starts afresh
    setReportHandler([](const std::string& text) { g_reports.push_back(text); });
    SDL_AddEventWatch(&throwingWatch, nullptr);
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event); // the watch runs here, inside SDL
    SDL_DelEventWatch(&throwingWatch, nullptr);
    EXPECT_EQ(g_reports, std::vector<std::string>{"test watch: watch failed"});
    cWindowMessage message;
    EXPECT_THROW(window->peekMessage(message), std::runtime_error);
    EXPECT_NO_THROW(window->peekMessage(message)); // thrown once
    setReportHandler(nullptr);
}
