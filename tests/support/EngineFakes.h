#pragma once

// Recording stand-ins for the services above the core (graphics device, input system, sound
// system), a widget and a drawable with scriptable hooks, and an application base with a
// headless window. Each writes what happens to it into a shared log.

#include "engine/core/Application.h"
#include "engine/core/Drawable.h"
#include "engine/core/FrameWidget.h"
#include "engine/core/GraphicsLink.h"
#include "engine/core/InputLink.h"
#include "engine/core/SoundLink.h"
#include "engine/platform/headless/HeadlessWindow.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

using EventLog = std::vector<std::string>;

class FakeGraphics : public Engine::IGraphicsLink {
public:
    explicit FakeGraphics(EventLog& log) : m_log(log) { m_log.push_back("graphics created"); }
    ~FakeGraphics() override { m_log.push_back("graphics deleted"); }
    bool getClientRect(float& left, float& top, float& right, float& bottom) override {
        left = m_left;
        top = m_top;
        right = m_left + 800;
        bottom = m_top + 600;
        return true;
    }
    void windowToScreen(const Engine::cVector2& in, Engine::cVector2& out) override { out = in; }
    void beginFrame() override { m_log.push_back("beginFrame"); }
    void endFrame() override { m_log.push_back("endFrame"); }
    void requestModeSwitch(bool request) override { m_log.push_back(request ? "modeSwitch" : "modeSwitch off"); }
    void captureScreen(const std::string& path) override { m_log.push_back("capture " + path); }

    float m_left = 0;
    float m_top = 0;

private:
    EventLog& m_log;
};

class FakeInput : public Engine::IInputLink {
public:
    explicit FakeInput(EventLog& log) : m_log(log) { m_log.push_back("input created"); }
    ~FakeInput() override { m_log.push_back("input deleted"); }
    void addKeyCallback(int code, tEventCallback callback, void* user) override {
        m_callbacks.push_back({code, {callback, user}});
        m_log.push_back("addKey " + std::to_string(code));
    }
    void removeKeyCallback(int code, tEventCallback callback, void* user) override {
        for (auto it = m_callbacks.begin(); it != m_callbacks.end(); ++it)
            if (it->first == code && it->second.first == callback && it->second.second == user) {
                m_callbacks.erase(it);
                break;
            }
        m_log.push_back("removeKey " + std::to_string(code));
    }
    void pollInput() override {
        m_log.push_back("pollInput");
        if (m_onPoll)
            m_onPoll();
    }
    void pushVirtualKey(int virtualKey) override { m_log.push_back("virtualKey " + std::to_string(virtualKey)); }
    void pushChar(int character) override { m_log.push_back("char " + std::to_string(character)); }
    bool acquireDevices() override {
        m_log.push_back("acquire");
        return true;
    }
    bool unacquireDevices() override {
        m_log.push_back("unacquire");
        return true;
    }
    // Calls every callback registered for the code, as a poll would.
    void fire(int code) {
        auto callbacks = m_callbacks;
        for (auto& entry : callbacks)
            if (entry.first == code)
                entry.second.first(entry.second.second);
    }
    size_t callbackCount() const { return m_callbacks.size(); }

    std::function<void()> m_onPoll;

private:
    EventLog& m_log;
    std::vector<std::pair<int, std::pair<tEventCallback, void*>>> m_callbacks;
};

class FakeSound : public Engine::ISoundLink {
public:
    explicit FakeSound(EventLog& log) : m_log(log) { m_log.push_back("sound created"); }
    ~FakeSound() override { m_log.push_back("sound deleted"); }
    void setPaused(bool paused) override { m_log.push_back(paused ? "sound paused" : "sound resumed"); }

private:
    EventLog& m_log;
};

class FakeWidget : public Engine::IFrameWidget {
public:
    FakeWidget(EventLog& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    ~FakeWidget() override { m_log.push_back(m_name + " deleted"); }
    bool isVisible() const override { return true; }
    void onUpdate() override {
        m_log.push_back(m_name + " update");
        if (m_onUpdate)
            m_onUpdate();
    }
    void process() override {
        m_log.push_back(m_name + " process");
        if (m_onProcess)
            m_onProcess();
    }
    void stepFade() override {
        m_log.push_back(m_name + " fade");
        if (m_fadeSteps > 0)
            --m_fadeSteps;
    }
    bool isFading() const override { return m_fadeSteps > 0; }
    void detachFromParent() override { m_log.push_back(m_name + " detached"); }

    std::function<void()> m_onUpdate;
    std::function<void()> m_onProcess;
    int m_fadeSteps = 0;

private:
    EventLog& m_log;
    std::string m_name;
};

class FakeDrawable : public Engine::IDrawable {
public:
    FakeDrawable(EventLog& log, std::string name, float depth) : m_log(log), m_name(std::move(name)), m_depth(depth) {}
    bool drawsBefore(const Engine::IDrawable& other) const override {
        return m_depth > static_cast<const FakeDrawable&>(other).m_depth;
    }
    bool isVisible() const override { return m_visible; }
    void setInDrawList(bool inList) override { m_inList = inList; }
    void draw() override { m_log.push_back("draw " + m_name); }

    bool m_visible = true;
    bool m_inList = false;

private:
    EventLog& m_log;
    std::string m_name;
    float m_depth;
};

// An application base around a headless window, for the window procedure and the frame manager.
class FakeApplication : public Engine::cApplicationBase {
public:
    explicit FakeApplication(EventLog& log)
        : Engine::cApplicationBase(Engine::cApplicationDesc()), m_window(L"test"), m_log(log) {}
    Platform::IWindow* getWindow() const override { return const_cast<Platform::cHeadlessWindow*>(&m_window); }
    void* getInstance() const override { return nullptr; }
    void applyDisplayMode() override { m_log.push_back("applyDisplayMode"); }

    Platform::cHeadlessWindow m_window;

private:
    EventLog& m_log;
};

} // namespace TestSupport
