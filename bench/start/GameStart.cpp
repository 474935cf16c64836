// The program's own start and memory against a floor program, in the same run, side by side:
// - exec to the main menu (logos off, the loading screen's key pressed as soon as it asks) against
//   bench_StartFloor showing the same pictures (the same EGL context, libpng on one thread);
// - peak resident memory at the main menu, and after a played level (the first level: cascades,
//   its end, the results, back on the map), against the floor with the pictures the program had
//   loaded by then;
// - the map's frame: the game thread's CPU per frame on the map after the level, 400 frames.
// The program is the game's own: its application, services and frame loop, its real sound system
// mixing on a thread of its own at the output's pace (as the sound card's callback would), on the
// shipped data folder (with the logos off) drawn on Mesa's headless EGL by the software renderer.
// Only the input devices are scripted, and a frame hook plays the part of the player.
//   bench_GameStart [RUNS]    each figure's median, spread and ratio over RUNS runs (default 5)
// Internal: bench_GameStart --program menu|level DATA_DIR RESULT_FILE

#include "game/shell/GameStart.h"
#include "app/GameWiring.h"
#include "engine/core/Application.h"
#include "engine/core/FrameManager.h"
#include "engine/core/InputLink.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/ServiceFactory.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/TextButton.h"
#include "engine/media/InputSystem.h"
#include "engine/media/MediaServices.h"
#include "engine/media/SoundMixer.h"
#include "engine/media/SoundSample.h"
#include "engine/media/SoundSystem.h"
#include "engine/media/Texture.h"
#include "engine/platform/Cursor.h"
#include "engine/platform/KeyCodes.h"
#include "engine/platform/headless/ScriptedInputDevices.h"
#include "game/development/DevelopmentView.h"
#include "game/development/MapScreen.h"
#include "game/level/MeadowView.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowModel.h"
#include "game/shell/CommonHelpTip.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/LoadingScreen.h"
#include "game/shell/MainMenu.h"
#include "game/shell/ScreenSwitcher.h"
#include "game/shell/TutorialManager.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double peakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// ---- the program ----

// The sound card as SDL's callback thread drives it: a block of 1024 frames pulled at the
// output's pace.
class cPacedAudioOutput : public Platform::IAudioOutput {
public:
    ~cPacedAudioOutput() override { stop(); }
    void start(Platform::IAudioSource& source) override {
        stop();
        m_running = true;
        m_thread = std::thread([this, &source] {
            constexpr int BLOCK = 1024;
            std::vector<int16_t> frames(BLOCK * Platform::AUDIO_CHANNELS);
            const auto period = std::chrono::microseconds(1000000LL * BLOCK / Platform::AUDIO_SAMPLE_RATE);
            auto next = std::chrono::steady_clock::now();
            while (m_running) {
                source.fillAudio(frames.data(), BLOCK);
                next += period;
                std::this_thread::sleep_until(next);
            }
        });
    }
    void stop() override {
        m_running = false;
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};

Platform::cScriptedInputDevices* g_devices = nullptr;

struct cDriver {
    enum eStep { LOADING, MENU, BOARD, CASCADES, RESULTS, MAP, MAP_FRAMES, DONE };
    bool level = false;
    eStep step = LOADING;
    long long loadedNs = 0;
    long long menuNs = 0;
    double menuRss = 0;
    double levelRss = 0;
    size_t soundBytes = 0;
    std::set<std::string> menuPictures;
    std::set<std::string> levelPictures;
    int cascades = 0;
    int waited = 0;
    int frames = 0;
    double cpuBefore = 0;
    std::vector<double> mapFrameMs;
    float cursorX = 0, cursorY = 0;
    int releaseIn = 0;
    bool failed = false;
    std::string failure;
};
cDriver g_driver;

// The texture files the resource manager holds.
std::set<std::string> loadedPictures() {
    std::set<std::string> names, pictures;
    Engine::getResourceManager()->collectNames(names);
    for (const std::string& name : names) {
        const std::string lower = [&] {
            std::string text = name;
            std::transform(text.begin(), text.end(), text.begin(), ::tolower);
            return text;
        }();
        if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".png") == 0)
            pictures.insert(name);
    }
    return pictures;
}

void moveTo(float x, float y) {
    const int dx = int(std::lround(x - g_driver.cursorX));
    const int dy = int(std::lround(y - g_driver.cursorY));
    g_driver.cursorX = x;
    g_driver.cursorY = y;
    Platform::setHeadlessCursorPos(int(std::lround(x)), int(std::lround(y)));
    if (dx != 0 || dy != 0)
        g_devices->getMouse().move(dx, dy);
}

// Press now, release two frames later.
void click(const Engine::cVector2& at) {
    moveTo(at.x, at.y);
    g_devices->getMouse().press(0);
    g_driver.releaseIn = 2;
}

bool menuUp() {
    return getMainMenu() && getMainMenu()->isVisible() && getMainMenu()->isEnabled();
}

bool switching() {
    for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
        if (dynamic_cast<cScreenSwitcher*>(widget))
            return true;
    return false;
}

cDevelopmentView* mapView() {
    auto* map = dynamic_cast<cMapScreen*>(FrontEnd::getMap());
    return map ? map->getView() : nullptr;
}

bool mapShown() {
    cDevelopmentView* view = mapView();
    return view && view->isVisible() && view->getModel() && view->getMainMenuButton()->isEnabled() && !switching();
}

cMeadowView* board() {
    cDevelopmentView* view = mapView();
    return view ? dynamic_cast<cMeadowView*>(view->getLevelScreen()) : nullptr;
}

bool boardUp() {
    cMeadowView* shown = board();
    return shown && shown->isVisible() && !switching() && shown->getFieldView() &&
           !shown->getFieldView()->isInputLocked();
}

bool boardBusy(cMeadowView* view) {
    return view->getFieldView()->isBusy() || view->getModel()->hasBusyObject();
}

// Takes the pieces of the bottom rows away, as a big match would, and lets the rest fall.
void dropBottomRows(cMeadowView* view, int rows) {
    cMeadowModel* model = view->getModel();
    for (int row = 0; row < std::min(rows, model->getRows()); ++row)
        for (int column = 0; column < model->getColumns(); ++column)
            if (cMeadowObjectModel* piece = model->getObject(row, column)) {
                if (cMeadowObjectView* pieceView = view->getGameObjectView(piece))
                    pieceView->hide();
                model->removeObjectAt(row, column);
            }
    model->checkAfterMove();
    view->getFieldView()->startObjectMotions();
}

// A tip the tutorial shows is read and closed with its OK, as a player would.
bool closeTip() {
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    if (!tutorial || !tutorial->hasCurrentTip())
        return false;
    cCommonHelpTip* tip = tutorial->getCurrentTip();
    if (tip->getOkButton() && tip->getOkButton()->isVisible())
        click(tip->getOkButton()->getPosition());
    else
        tutorial->closeCurrentTip();
    return true;
}

void finish() {
    g_driver.step = cDriver::DONE;
    Engine::getFrameManager()->closeMainWindow();
}

void fail(const std::string& why) {
    g_driver.failed = true;
    g_driver.failure = why;
    finish();
}

// Waits for a condition, at most the given frames.
bool waitFor(bool condition, int frames, const char* what) {
    if (condition) {
        g_driver.waited = 0;
        return true;
    }
    if (++g_driver.waited > frames)
        fail(std::string("timed out waiting for ") + what);
    return false;
}

void onFrame() {
    cDriver& d = g_driver;
    if (d.releaseIn > 0 && --d.releaseIn == 0)
        g_devices->getMouse().release(0);
    if (d.releaseIn > 0)
        return;
    switch (d.step) {
    case cDriver::LOADING:
        // A returning player: the menu comes without the new-player dialog (the first run makes her).
        if (!Engine::profilesFileExists()) {
            new Engine::cProfileManager(L"Anna");
            delete Engine::getProfileManager();
        }
        for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
            if (auto* loading = dynamic_cast<cLoadingScreen*>(widget))
                if (loading->isFinished() && !loading->isKeyHandled()) {
                    if (!d.loadedNs)
                        d.loadedNs = monotonicNs();
                    g_devices->getKeyboard().press(Platform::KEY_SPACE);
                    g_devices->getKeyboard().release(Platform::KEY_SPACE);
                }
        if (menuUp()) {
            d.menuNs = monotonicNs();
            d.menuRss = peakRssMegabytes();
            d.menuPictures = loadedPictures();
            if (Engine::cSoundSystem* sound = Engine::getSoundSystem())
                if (Engine::cSoundMixer* mixer = sound->getMixer())
                    d.soundBytes = mixer->getSampleMemory();
            d.step = cDriver::MENU;
            if (!d.level)
                finish();
        } else {
            waitFor(false, 20000, "the main menu");
        }
        return;
    case cDriver::MENU:
        click(getMainMenu()->getStartButton()->getPosition());
        d.step = cDriver::BOARD;
        return;
    case cDriver::BOARD:
        if (closeTip())
            return;
        if (waitFor(boardUp(), 20000, "the board")) {
            d.step = cDriver::CASCADES;
            d.cascades = 0;
        }
        return;
    case cDriver::CASCADES: {
        cMeadowView* view = board();
        if (!view)
            return fail("the board went away");
        if (closeTip())
            return;
        if (boardBusy(view)) {
            waitFor(false, 20000, "a cascade's end");
            return;
        }
        d.waited = 0;
        if (d.cascades < 5) {
            dropBottomRows(view, 4);
            ++d.cascades;
            return;
        }
        // Nothing left to clear: the level ends and the results come.
        cMeadowModel* model = view->getModel();
        for (cCellModel* cell : model->getComplexCells()) {
            cell->setLocks(0);
            cell->setType(1);
            cell->setTriggerNumber(0);
        }
        model->getGoldPrizesLeft() = 0;
        d.step = cDriver::RESULTS;
        return;
    }
    case cDriver::RESULTS: {
        cMeadowView* view = board();
        if (closeTip())
            return;
        if (view && waitFor(view->getResultsView()->getContinueButton()->isEnabled(), 20000, "the results")) {
            click(view->getResultsView()->getContinueButton()->getPosition());
            d.step = cDriver::MAP;
        }
        return;
    }
    case cDriver::MAP:
        if (closeTip())
            return;
        if (waitFor(mapShown(), 20000, "the map")) {
            d.levelRss = peakRssMegabytes();
            d.levelPictures = loadedPictures();
            d.step = cDriver::MAP_FRAMES;
            d.frames = 0;
            d.cpuBefore = threadCpuSeconds();
        }
        return;
    case cDriver::MAP_FRAMES: {
        const double now = threadCpuSeconds();
        // The first frames settle what the map starts; then 400 frames are timed.
        if (d.frames++ >= 40)
            d.mapFrameMs.push_back((now - d.cpuBefore) * 1000.0);
        d.cpuBefore = now;
        if (d.mapFrameMs.size() >= 400)
            finish();
        return;
    }
    case cDriver::DONE:
        return;
    }
}

int runProgram(bool level, const std::string& dataFolder, const std::string& resultFile) {
    g_driver.level = level;
    Engine::registerMediaServices();
    Engine::cServiceFactory factory = Engine::getServiceFactory();
    factory.createInputSystem = [](Engine::cApplicationDesc&) -> Engine::IInputLink* {
        if (Engine::IResourceManager* resources = Engine::getResourceManager())
            Engine::registerSoundSampleLoader(*resources);
        auto devices = std::make_unique<Platform::cScriptedInputDevices>();
        g_devices = devices.get();
        return new Engine::cInputSystem(std::move(devices));
    };
    factory.createSoundSystem = []() -> Engine::ISoundLink* {
        return new Engine::cSoundSystem(std::make_unique<cPacedAudioOutput>());
    };
    Engine::setServiceFactory(factory);

    Engine::cApplicationDesc desc;
    desc.onCreate = onCreateGame;
    desc.onDestroy = onDestroyGame;
    // The data folder is named relative to the executable's folder.
    const std::string relative = fs::relative(dataFolder, fs::canonical("/proc/self/exe").parent_path()).string();
    desc.dataFolder = relative.c_str();
    desc.singleInstance = true;
    wireGame();
    Engine::cApplication* application = nullptr;
    try {
        application = Engine::createApplication(&desc);
        Engine::getFrameManager()->setFrameHook(&onFrame);
        application->runMainLoop();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_GameStart: the program failed: %s\n", error.what());
        return 1;
    } catch (const std::string& error) {
        std::fprintf(stderr, "bench_GameStart: the program failed: %s\n", error.c_str());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "bench_GameStart: the program failed\n");
        return 1;
    }
    delete application;

    if (g_driver.failed || !g_driver.menuNs) {
        std::fprintf(stderr, "bench_GameStart: %s\n", g_driver.failure.c_str());
        return 1;
    }
    std::ofstream out(resultFile);
    out << "loaded_ns=" << g_driver.loadedNs << "\nmenu_ns=" << g_driver.menuNs << "\nmenu_rss_MB=" << g_driver.menuRss
        << "\nsound_MB=" << double(g_driver.soundBytes) / 1048576.0 << "\n";
    if (level) {
        std::vector<double> frames = g_driver.mapFrameMs;
        std::sort(frames.begin(), frames.end());
        double sum = 0;
        for (double ms : frames)
            sum += ms;
        out << "level_rss_MB=" << g_driver.levelRss << "\nmap_frame_ms=" << sum / double(frames.size()) << "\n";
    }
    for (const std::string& name : g_driver.menuPictures)
        out << "menu_picture=" << name << "\n";
    // After the level: every picture loaded by then, at the menu or since.
    std::set<std::string> session = g_driver.levelPictures;
    if (level)
        session.insert(g_driver.menuPictures.begin(), g_driver.menuPictures.end());
    for (const std::string& name : session)
        out << "level_picture=" << name << "\n";
    return 0;
}

// ---- the runs, side by side ----

using tValues = std::map<std::string, std::vector<std::string>>;

tValues readValues(const std::string& text) {
    tValues values;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        for (std::istringstream words(line); words >> line;) {
            const size_t equals = line.find('=');
            if (equals != std::string::npos)
                values[line.substr(0, equals)].push_back(line.substr(equals + 1));
        }
    }
    return values;
}

double number(const tValues& values, const std::string& key) {
    auto found = values.find(key);
    return found == values.end() || found->second.empty() ? NAN : std::atof(found->second.front().c_str());
}

// Runs a command; returns its exit code; start gets the clock just before the exec.
int launch(const std::vector<std::string>& command, long long& start, const std::string& output = "") {
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    std::fflush(stdout);
    start = monotonicNs();
    const pid_t child = fork();
    if (child == 0) {
        if (!output.empty())
            if (FILE* file = std::freopen(output.c_str(), "w", stdout))
                (void)file;
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A folder of links to the shipped data, but constants with the logos off.
void makeDataFolder(const fs::path& shipped, const fs::path& folder) {
    fs::create_directories(folder / "sys");
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped))
        if (entry.path().filename() != "sys")
            fs::create_symlink(fs::absolute(entry.path()), folder / entry.path().filename());
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped / "sys"))
        if (entry.path().filename() != "constants.xml")
            fs::create_symlink(fs::absolute(entry.path()), folder / "sys" / entry.path().filename());
    std::string constants = readText((shipped / "sys" / "constants.xml").string());
    const size_t logo = constants.find("Logo=\"1\"");
    if (logo != std::string::npos)
        constants.replace(logo, 8, "Logo=\"0\"");
    std::ofstream(folder / "sys" / "constants.xml") << constants;
}

struct cSeries {
    std::vector<double> values;
    double median() const {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        return n == 0 ? NAN : n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    double least() const { return values.empty() ? NAN : *std::min_element(values.begin(), values.end()); }
    double most() const { return values.empty() ? NAN : *std::max_element(values.begin(), values.end()); }
};

// A figure's median and spread; with a floor, the ratio of the medians against the goal; without
// one, the median against an upper bound (none when the bound is 0).
void printRow(const char* label, const char* unit, const cSeries& program, const cSeries* floor, double goal) {
    std::printf("%-42s %8.3g %-2s [%.3g-%.3g]", label, program.median(), unit, program.least(), program.most());
    if (floor) {
        const double ratio = program.median() / floor->median();
        std::printf("   floor %.3g [%.3g-%.3g]   ratio %.2f   goal <= %.2g   %s\n", floor->median(), floor->least(),
                    floor->most(), ratio, goal, ratio <= goal ? "met" : "MISSED");
    } else if (goal > 0) {
        std::printf("   goal < %.2g %s   %s\n", goal, unit, program.median() < goal ? "met" : "MISSED");
    } else {
        std::printf("\n");
    }
}

std::string loadAverage() {
    std::string text = readText("/proc/loadavg");
    std::istringstream in(text);
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

int runAll(const std::string& self, int runs) {
    const fs::path bin = fs::path(self).parent_path();
    const std::string floorProgram = (bin / "bench_StartFloor").string();
    char pattern[] = "/tmp/meadow-start-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path work = made;
    const fs::path shipped = fs::canonical(bin / ".." / ".." / "app" / "Data");
    const fs::path data = work / "Data";
    makeDataFolder(shipped, data);
    fs::create_directories(work / "user");
    setenv("MEADOW_USER_DIR", (work / "user").c_str(), 1);
    setenv("MEADOW_HEADLESS", "1", 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    if (chdir(work.c_str()) != 0)
        return 1;

    std::printf("load average before: %s   %u cores   %d runs, program and floor in turn\n", loadAverage().c_str(),
                std::thread::hardware_concurrency(), runs);
    cSeries startProgram, startFloor, menuRss, menuFloorRss, levelRss, levelFloorRss, mapFrame, soundMb, loaded;
    size_t menuCount = 0, levelCount = 0;
    // The resource manager names files in lower case; the floor opens them by their own names.
    std::map<std::string, std::string> realNames;
    for (auto it = fs::recursive_directory_iterator(data, fs::directory_options::follow_directory_symlink);
         it != fs::recursive_directory_iterator(); ++it) {
        std::string name = it->path().lexically_relative(data).generic_string();
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        realNames[lower] = name;
    }
    const std::string result = (work / "result.txt").string();
    const std::string floorOut = (work / "floor.txt").string();
    // The first run of each is a warm-up: it fills the file cache and makes the player.
    for (int run = -1; run < runs; ++run) {
        for (const char* mode : {"menu", "level"}) {
            long long start = 0;
            fs::remove(result);
            if (launch({self, "--program", mode, data.string(), result}, start) != 0) {
                std::fprintf(stderr, "bench_GameStart: the program's %s run failed\n", mode);
                return 1;
            }
            const tValues values = readValues(readText(result));
            const bool menu = std::strcmp(mode, "menu") == 0;
            const char* key = menu ? "menu_picture" : "level_picture";
            std::ofstream list(work / "pictures.txt");
            size_t count = 0;
            if (values.count(key))
                for (const std::string& name : values.at(key)) {
                    std::string lower = name;
                    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
                    list << (realNames.count(lower) ? realNames[lower] : name) << "\n";
                    ++count;
                }
            list.close();
            long long floorStart = 0;
            if (launch({floorProgram, data.string(), (work / "pictures.txt").string()}, floorStart, floorOut) != 0) {
                std::fprintf(stderr, "bench_GameStart: the floor failed\n");
                return 1;
            }
            const tValues floor = readValues(readText(floorOut));
            if (run < 0)
                continue;
            if (menu) {
                menuCount = count;
                startProgram.values.push_back((number(values, "menu_ns") - double(start)) * 1e-9);
                loaded.values.push_back((number(values, "loaded_ns") - double(start)) * 1e-9);
                startFloor.values.push_back((number(floor, "ready_ns") - double(floorStart)) * 1e-9);
                menuRss.values.push_back(number(values, "menu_rss_MB"));
                menuFloorRss.values.push_back(number(floor, "peak_rss_MB"));
                soundMb.values.push_back(number(values, "sound_MB"));
            } else {
                levelCount = count;
                levelRss.values.push_back(number(values, "level_rss_MB"));
                levelFloorRss.values.push_back(number(floor, "peak_rss_MB"));
                mapFrame.values.push_back(number(values, "map_frame_ms"));
            }
        }
    }
    std::printf("%-42s %11s [least-most]\n", "figure", "median");
    printRow("exec to the main menu, logos off", "s", startProgram, &startFloor, 1.5);
    printRow("  of it, exec to the loading's end", "s", loaded, nullptr, 0);
    printRow("peak resident memory at the main menu", "MB", menuRss, &menuFloorRss, 1.2);
    printRow("peak resident memory after a played level", "MB", levelRss, &levelFloorRss, 1.2);
    printRow("map frame, game thread CPU", "ms", mapFrame, nullptr, 1.0);
    printRow("  sounds held at the main menu", "MB", soundMb, nullptr, 0);
    std::printf("pictures the floor shows: %zu at the menu, %zu after the level\n", menuCount, levelCount);
    std::printf("load average after: %s\n", loadAverage().c_str());
    fs::remove_all(work);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--program")
        return runProgram(std::string(argv[2]) == "level", argv[3], argv[4]);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    return runAll(fs::canonical("/proc/self/exe").string(), runs);
}
