#include "engine/core/Application.h"

#include "engine/core/Constants.h"
#include "engine/core/FileSystem.h"
#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/ServiceFactory.h"
#include "engine/core/Settings.h"
#include "engine/core/Strings.h"
#include "engine/platform/System.h"
#include "engine/platform/WindowMessages.h"
#include "tests/support/DataFolders.h"
#include "tests/support/EngineFakes.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

using namespace Engine;
using namespace Platform;
using namespace TestSupport;

namespace {

EventLog* g_log = nullptr;

std::string alive() {
    std::string text;
    text += getFileSystem() ? " fs" : "";
    text += getResourceManager() ? " resources" : "";
    text += getConstants() ? " constants" : "";
    text += getSettings() ? " settings" : "";
    text += getGraphicsLink() ? " graphics" : "";
    text += getInputLink() ? " input" : "";
    text += getFrameTimer() ? " timer" : "";
    text += getSoundLink() ? " sound" : "";
    text += getFrameManager() ? " frames" : "";
    text += getStrings() ? " strings" : "";
    return text;
}

// Stand-ins that note which services exist (themselves included) when they are created and deleted.
struct OrderGraphics : FakeGraphics {
    OrderGraphics() : FakeGraphics(*g_log) { g_log->push_back("graphics sees" + alive()); }
    ~OrderGraphics() override { g_log->push_back("graphics gone, left:" + alive()); }
};
struct OrderInput : FakeInput {
    OrderInput() : FakeInput(*g_log) { g_log->push_back("input sees" + alive()); }
    ~OrderInput() override { g_log->push_back("input gone, left:" + alive()); }
};
struct OrderSound : FakeSound {
    OrderSound() : FakeSound(*g_log) { g_log->push_back("sound sees" + alive()); }
    ~OrderSound() override { g_log->push_back("sound gone, left:" + alive()); }
};

class Application : public ::testing::Test {
protected:
    Application() {
        g_log = &log;
        cServiceFactory factory;
        factory.createGraphicsDevice = [](cApplicationDesc& desc) -> IGraphicsLink* {
            g_log->push_back(desc.hWnd ? "window given to graphics" : "no window for graphics");
            return new OrderGraphics();
        };
        factory.createInputSystem = [](cApplicationDesc&) -> IInputLink* { return new OrderInput(); };
        factory.createSoundSystem = []() -> ISoundLink* { return new OrderSound(); };
        setServiceFactory(factory);
        // The data folder is named relative to the executable's folder.
        namespace fs = std::filesystem;
        fs::path executableFolder = fs::path(Platform::getExecutablePath()).parent_path();
        dataFolder = fs::relative(folders.dataPath(""), executableFolder).string();
        desc.dataFolder = dataFolder.c_str();
        folders.writeData("sys/settings.xml", "<settings><graphics fullscreen=\"0\"/></settings>");
        desc.userData = &log;
        desc.onCreate = [](void* user) {
            static_cast<EventLog*>(user)->push_back("create callback");
            return true;
        };
        desc.onDestroy = [](void* user) {
            static_cast<EventLog*>(user)->push_back("destroy callback");
            return true;
        };
    }
    ~Application() override {
        setServiceFactory(cServiceFactory());
        g_log = nullptr;
    }

    DataFolders folders;
    std::string dataFolder;
    EventLog log;
    cApplicationDesc desc;
};

size_t position(const EventLog& log, const std::string& entry) {
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i].compare(0, entry.size(), entry) == 0)
            return i;
    ADD_FAILURE() << "missing " << entry;
    return log.size();
}

} // namespace

TEST_F(Application, CreatesAndDeletesServicesInOrder) {
    cApplication* application = createApplication(&desc);
    EXPECT_EQ(getApplication(), application);
    EXPECT_EQ(desc.hWnd, application->getWindow());
    EXPECT_EQ(alive(), " fs resources constants settings graphics input timer sound frames strings");
    delete application;
    EXPECT_EQ(getApplication(), nullptr);
    EXPECT_EQ(alive(), "");

    EventLog expected = {
        "window given to graphics",
        "graphics created",
        "graphics sees fs resources constants settings graphics",
        "input created",
        "input sees fs resources constants settings graphics input",
        "sound created",
        "sound sees fs resources constants settings graphics input timer sound",
        // the frame manager comes after the input system: it registers its hot keys there
        "addKey 312",
        "addKey 440",
        "addKey 56",
        "addKey 184",
        "addKey 183",
        "removeKey 312",
        "removeKey 440",
        "removeKey 56",
        "removeKey 184",
        "removeKey 183",
        "sound gone, left: fs resources constants settings graphics input timer sound",
        "sound deleted",
        "input gone, left: fs resources constants settings graphics input",
        "input deleted",
        "graphics gone, left: fs resources constants settings graphics",
        "graphics deleted",
    };
    EXPECT_EQ(log, expected);
}

TEST_F(Application, NoSoundFlagSkipsTheSoundSystem) {
    desc.noSound = true;
    std::unique_ptr<cApplication> application(createApplication(&desc));
    EXPECT_EQ(getSoundLink(), nullptr);
    EXPECT_NE(getFrameManager(), nullptr);
}

TEST_F(Application, RunsWithOnlyTheCoreServices) {
    setServiceFactory(cServiceFactory());
    std::unique_ptr<cApplication> application(createApplication(&desc));
    EXPECT_EQ(alive(), " fs resources constants settings timer frames strings");
    EXPECT_TRUE(application->getWindow()->isVisible());
    application->setFrameLimit(3);
    application->runMainLoop();
    EXPECT_EQ(application->getFrameCount(), 3u);
}

TEST_F(Application, WindowClassNameIsTheLowerCasedExecutableName) {
    std::unique_ptr<cApplication> application(createApplication(&desc));
    EXPECT_EQ(application->getWindowClassName(), L"quorvex_core_tests");
}

TEST_F(Application, RunLoopCallsCreateFramesUntilQuitThenDestroy) {
    std::unique_ptr<cApplication> application(createApplication(&desc));
    application->setFrameLimit(2);
    log.clear();
    application->runMainLoop();
    EventLog expected = {"create callback", "pollInput",  "beginFrame", "endFrame",
                         "pollInput",       "beginFrame", "endFrame",   "destroy callback"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(application->getWindow()->isDestroyed());
}

TEST_F(Application, MessagesAreHandledBeforeTheNextFrame) {
    std::unique_ptr<cApplication> application(createApplication(&desc));
    application->getWindow()->postMessage({WM_KEYDOWN, 'Q', 0});
    application->getWindow()->postMessage({WM_CLOSE, 0, 0});
    log.clear();
    application->runMainLoop();
    EventLog expected = {"create callback", "virtualKey 81", "destroy callback"};
    EXPECT_EQ(log, expected);
}

TEST_F(Application, CloseMainWindowFromAFrameEndsTheLoop) {
    std::unique_ptr<cApplication> application(createApplication(&desc));
    getFrameManager()->setFrameHook([] { getFrameManager()->closeMainWindow(); });
    application->runMainLoop();
    EXPECT_EQ(log.back(), "destroy callback");
    EXPECT_EQ(position(log, "create callback") + 1, position(log, "pollInput"));
}

TEST_F(Application, PumpMessagesReturnsAtQuit) {
    std::unique_ptr<cApplication> application(createApplication(&desc));
    application->getWindow()->postMessage({WM_CHAR, 'z', 0});
    application->getWindow()->postMessage({WM_DESTROY, 0, 0});
    log.clear();
    application->pumpMessages();
    EventLog expected = {"char 122"};
    EXPECT_EQ(log, expected);
}

TEST_F(Application, FailedServiceLeavesNoServiceBehind) {
    cServiceFactory factory = getServiceFactory();
    factory.createInputSystem = [](cApplicationDesc&) -> IInputLink* { throw "input failed"; };
    setServiceFactory(factory);
    try {
        createApplication(&desc);
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "input failed");
    }
    EXPECT_EQ(getApplication(), nullptr);
    EXPECT_EQ(alive(), "");
}

TEST_F(Application, SecondApplicationThrows) {
    std::unique_ptr<cApplication> application(createApplication(&desc));
    try {
        createApplication(&desc);
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "Object already exist.");
    }
    EXPECT_EQ(getApplication(), application.get());
}

TEST_F(Application, SecondCopyAsksTheFirstToComeForwardAndExitsWithZero) {
    setServiceFactory(cServiceFactory());
    for (bool minimized : {true, false}) {
        SCOPED_TRACE(minimized ? "minimised" : "in the background");
        // The second copy is forked before the first exists, then waits for its signal.
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(go[1]);
            char signal;
            if (read(go[0], &signal, 1) != 1)
                _exit(2);
            cApplicationDesc second;
            second.dataFolder = desc.dataFolder;
            second.singleInstance = true;
            createApplication(&second);
            _exit(3); // the second copy went on running
        }
        close(go[0]);

        desc.singleInstance = true;
        desc.hWnd = nullptr;
        std::unique_ptr<cApplication> application(createApplication(&desc));
        auto* window = static_cast<cHeadlessWindow*>(application->getWindow());
        if (minimized)
            window->minimize();
        ASSERT_EQ(write(go[1], "!", 1), 1);
        close(go[1]);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);

        cWindowMessage message;
        bool got = window->peekMessage(message);
        if (minimized) {
            ASSERT_TRUE(got);
            EXPECT_EQ(message.message, WM_SYSCOMMAND);
            EXPECT_EQ(message.wParam, SC_RESTORE);
        } else {
            EXPECT_FALSE(got);
            EXPECT_EQ(window->getBroughtToFrontCount(), 1);
        }
    }
}

namespace {

// An application whose data folder holds the given constants.
std::unique_ptr<cApplication> withConstants(DataFolders& folders, cApplicationDesc& desc, const std::string& game,
                                            const std::string& graphics) {
    folders.writeData("sys/constants.xml", "<constants><game app_directory=\"Meadow Test\" " + game + "/><graphics " +
                                               graphics + "/><Time MinFps=\"4\" MaxFps=\"8\"/></constants>");
    desc.hWnd = nullptr;
    return std::unique_ptr<cApplication>(createApplication(&desc));
}

} // namespace

TEST_F(Application, WindowTakesTitleCursorAndFrameRatesFromTheConstants) {
    auto application = withConstants(folders, desc, "window_title=\"Meadow \u00e9t\u00e9\"", "ShowSysCursor=\"0\"");
    auto* window = static_cast<cHeadlessWindow*>(application->getWindow());
    std::wstring expected = L"Meadow \u00e9t\u00e9";
    EXPECT_EQ(window->getTitle(), expected);
    EXPECT_FALSE(window->isCursorVisible());
    EXPECT_EQ(getFrameTimer()->getMinFps(), 4.0f);
}

TEST_F(Application, AltEnterTogglesFullScreenUnlessOnlyWindowed) {
    struct Case {
        const char* onlyWindowed;
        bool fullscreenBefore;
        bool fullscreenAfter;
        bool switched;
    };
    for (Case c : {Case{"0", false, true, true}, Case{"0", true, false, true}, Case{"1", true, false, true},
                   Case{"1", false, false, false}}) {
        SCOPED_TRACE(std::string("only_windowed ") + c.onlyWindowed +
                     (c.fullscreenBefore ? ", full screen" : ", window"));
        auto application = withConstants(folders, desc, "", std::string("only_windowed=\"") + c.onlyWindowed + "\"");
        getSettings()->setValue(L"graphics", L"fullscreen", c.fullscreenBefore);
        log.clear();
        mainWindowProc(WM_SYSKEYDOWN, 0x0D, 0);
        bool fullscreen = !c.fullscreenAfter;
        getSettings()->getValue(L"graphics", L"fullscreen", fullscreen);
        EXPECT_EQ(fullscreen, c.fullscreenAfter);
        EXPECT_EQ(log, c.switched ? EventLog{"modeSwitch"} : EventLog{});
    }
}

TEST_F(Application, MaximiseSwitchesAWindowToFullScreen) {
    struct Case {
        const char* onlyWindowed;
        bool fullscreenBefore;
        bool switched;
    };
    for (Case c : {Case{"0", false, true}, Case{"0", true, false}, Case{"1", false, false}}) {
        SCOPED_TRACE(std::string("only_windowed ") + c.onlyWindowed +
                     (c.fullscreenBefore ? ", full screen" : ", window"));
        auto application = withConstants(folders, desc, "", std::string("only_windowed=\"") + c.onlyWindowed + "\"");
        getSettings()->setValue(L"graphics", L"fullscreen", c.fullscreenBefore);
        log.clear();
        mainWindowProc(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        bool fullscreen = false;
        getSettings()->getValue(L"graphics", L"fullscreen", fullscreen);
        EXPECT_EQ(fullscreen, c.fullscreenBefore || c.switched);
        EXPECT_EQ(log, c.switched ? (EventLog{"sound resumed", "modeSwitch"}) : EventLog{"sound resumed"});
    }
}

TEST_F(Application, MinimisedLoopIdlesInsteadOfSpinning) {
    FakeClock clock;
    std::unique_ptr<cApplication> application(createApplication(&desc));
    application->getWindow()->postMessage({WM_SYSCOMMAND, SC_MINIMIZE, 0});
    application->setFrameLimit(3);
    log.clear();
    application->runMainLoop();
    EXPECT_EQ(clock.sleeps(), (std::vector<uint32_t>{10, 10, 10}));
    EventLog expected = {"create callback", "destroy callback"}; // no input, no drawing
    EXPECT_EQ(log, expected);
}

TEST_F(Application, FailureLeavesServicesMadeBeforeItAlone) {
    FakeClock clock;
    cFrameTimer outside(15, 200); // the application's own timer cannot be made
    try {
        createApplication(&desc);
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "Object already exist.");
    }
    EXPECT_EQ(getFrameTimer(), &outside);
    EXPECT_EQ(alive(), " timer");
}
