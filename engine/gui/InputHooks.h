#pragma once

// The input callbacks of one owner, registered and removed in pairs: the destructor removes
// whatever is still held, so a widget deleted at any moment of a frame leaves no callback behind.

#include "engine/media/InputSystem.h"

#include <utility>
#include <vector>

namespace Engine {

class cInputHooks {
public:
    cInputHooks() = default;
    cInputHooks(const cInputHooks&) = delete;
    cInputHooks& operator=(const cInputHooks&) = delete;
    ~cInputHooks() { removeAll(); }

    void addKey(int code, tInputCallback callback, void* user);
    void addMouseMove(tAxisCallback callback, void* user);
    void addChar(tCharCallback callback, void* user);
    void removeAll();
    bool empty() const { return m_keys.empty() && m_moves.empty() && m_chars.empty(); }

private:
    struct sKey {
        int code;
        tInputCallback callback;
        void* user;
    };
    std::vector<sKey> m_keys;
    std::vector<std::pair<tAxisCallback, void*>> m_moves;
    std::vector<std::pair<tCharCallback, void*>> m_chars;
};

} // namespace Engine
