#pragma once

// The root of the engine: enforces the single-instance rule, creates the services in a fixed
// order, owns the main window, runs the message loop that drives one frame whenever no message
// waits, and deletes the services in a fixed order at the end.

#include "engine/core/Singleton.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>

namespace Platform {
class IWindow;
}

namespace Engine {

struct cApplicationDesc {
    // Null: the application creates the main window and writes it back here.
    Platform::IWindow* hWnd = nullptr;
    void* hInstance = nullptr;
    bool noSound = false;
    bool (*onCreate)(void* user) = nullptr;
    bool (*onDestroy)(void* user) = nullptr;
    void* userData = nullptr;
    // Name of the data folder beside the executable.
    const char* dataFolder = nullptr;
    bool singleInstance = false;
    // Decides which packs the file system opens; null opens every pack.
    bool (*packFilter)(const std::string& packName) = nullptr;
};

class cApplicationBase : public cSingleton<cApplicationBase> {
public:
    explicit cApplicationBase(const cApplicationDesc& desc);
    ~cApplicationBase() override;

    // The base run operation: onFrame.
    virtual void run() { onFrame(); }
    // Calls the per-frame callback, when one is set.
    void onFrame();
    virtual void applyDisplayMode() {}
    virtual bool onCreate();
    virtual bool onDestroy();
    virtual void pumpMessages() {}
    virtual Platform::IWindow* getWindow() const = 0;
    // The program's instance handle (the descriptor's hInstance).
    virtual void* getInstance() const = 0;

protected:
    void (*m_frameCallback)(void* user) = nullptr;
    void* m_frameUser = nullptr;
    bool (*m_createCallback)(void* user);
    bool (*m_destroyCallback)(void* user);
    void* m_userData;
};

cApplicationBase* getApplication();

class cApplication : public cApplicationBase {
public:
    explicit cApplication(cApplicationDesc& desc);
    ~cApplication() override;

    void run() override { runMainLoop(); }
    // Calls the create callback, runs frames until WM_QUIT, then calls the destroy callback.
    void runMainLoop();
    void applyDisplayMode() override;
    // Dispatches messages until WM_QUIT, without frames and without waiting.
    void pumpMessages() override;
    Platform::IWindow* getWindow() const override { return m_window; }
    void* getInstance() const override { return m_instance; }

    // "quorvex_" + the executable's file name, lower-cased; empty when it could not be formed.
    const std::wstring& getWindowClassName() const { return m_className; }
    // Closes the main window after that many frames (0: no limit); for runs without a display.
    void setFrameLimit(uint64_t frames) { m_frameLimit = frames; }
    uint64_t getFrameCount() const { return m_frameCount; }

private:
    void createServices(cApplicationDesc& desc, const std::wstring& executablePath);
    void createMainWindow();
    // Deletes every service that exists, in the shut-down order, except those in keep.
    void deleteServices(const std::set<const void*>& keep = {});

    void* m_instance;
    Platform::IWindow* m_window;
    std::wstring m_className;
    std::unique_ptr<Platform::IWindow> m_ownedWindow;
    uint64_t m_frameLimit = 0;
    uint64_t m_frameCount = 0;
};

// Allocates and constructs the application; an exception from the constructor propagates.
cApplication* createApplication(cApplicationDesc* desc);

// The main window's window procedure: one function of the message and its parameters.
intptr_t mainWindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam);
// What the window system does with a message the procedure passes on: closing destroys the
// window (WM_DESTROY follows), minimise and restore commands change the window's state.
intptr_t defaultWindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam);

} // namespace Engine
