#include "engine/gui/InputHooks.h"

namespace Engine {

void cInputHooks::addKey(int code, tInputCallback callback, void* user) {
    cInputSystem* input = getInputSystem();
    if (!input)
        return;
    input->addKeyCallback(code, callback, user);
    m_keys.push_back({code, callback, user});
}

void cInputHooks::addMouseMove(tAxisCallback callback, void* user) {
    cInputSystem* input = getInputSystem();
    if (!input)
        return;
    input->addMouseMoveCallback(callback, user);
    m_moves.emplace_back(callback, user);
}

void cInputHooks::addChar(tCharCallback callback, void* user) {
    cInputSystem* input = getInputSystem();
    if (!input)
        return;
    input->addCharCallback(callback, user);
    m_chars.emplace_back(callback, user);
}

void cInputHooks::removeAll() {
    // Without the input system there is nothing left to remove from.
    if (cInputSystem* input = getInputSystem()) {
        for (const sKey& key : m_keys)
            input->removeKeyCallback(key.code, key.callback, key.user);
        for (const auto& move : m_moves)
            input->removeMouseMoveCallback(move.first, move.second);
        for (const auto& character : m_chars)
            input->removeCharCallback(character.first, character.second);
    }
    m_keys.clear();
    m_moves.clear();
    m_chars.clear();
}

} // namespace Engine
