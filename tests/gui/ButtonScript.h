#pragma once

// Event scripts for the button and control tests: "m100,80" moves the cursor, "p" presses and
// "r" releases the left button, "s" runs a frame and records what the watcher reports then.
// Callbacks write their calls into a shared log.

#include "engine/gui/Button.h"
#include "tests/support/UiHarness.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace ButtonScript {

inline std::vector<std::string>& log() {
    static std::vector<std::string> calls;
    return calls;
}

inline std::string joined() {
    std::string text;
    for (const std::string& call : log())
        text += (text.empty() ? "" : " ") + call;
    return text;
}

// Callbacks that log their name, with the button's user word when it is not 0.
inline std::string tag(Engine::cButton* button, const char* what) {
    return button->getUserData() ? std::to_string(button->getUserData()) + what : std::string(what);
}
inline void onClick(Engine::cButton* b) {
    log().push_back(tag(b, "click"));
}
inline void onHover(Engine::cButton* b) {
    log().push_back(tag(b, "hover"));
}
inline void onUnhover(Engine::cButton* b) {
    log().push_back(tag(b, "unhover"));
}
inline void onPress(Engine::cButton* b) {
    log().push_back(tag(b, "press"));
}

inline void connect(Engine::cButton& button) {
    button.setClickCallback(onClick);
    button.setHoverCallback(onHover);
    button.setUnhoverCallback(onUnhover);
    button.setPressCallback(onPress);
}

// Runs the script; the watcher's reports after each "s", space separated.
inline std::string run(TestSupport::UiHarness& ui, const std::string& script,
                       const std::function<std::string()>& watch) {
    std::istringstream in(script);
    std::string token, seen;
    while (in >> token) {
        if (token[0] == 'm') {
            float x = 0, y = 0;
            char comma = 0;
            std::istringstream(token.substr(1)) >> x >> comma >> y;
            ui.moveTo(x, y);
        } else if (token == "p") {
            ui.press();
        } else if (token == "r") {
            ui.release();
        } else if (token == "s") {
            ui.step();
            seen += (seen.empty() ? "" : " ") + watch();
        }
    }
    return seen;
}

inline std::function<std::string()> stateOf(const Engine::cButton& button) {
    return [&button] { return std::to_string(button.getState()); };
}

} // namespace ButtonScript
