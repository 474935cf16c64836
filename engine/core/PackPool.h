#pragma once

// Open pack handles kept for reuse after their streams close, so that opening another entry of
// the same pack skips minizip's search for the central directory. The file system keeps one;
// packs are not expected to change while it lives.

#include <cstddef>
#include <string>
#include <vector>

namespace Engine {

class cPackPool {
public:
    static constexpr size_t MAX_IDLE = 8;

    cPackPool() = default;
    ~cPackPool();
    cPackPool(const cPackPool&) = delete;
    cPackPool& operator=(const cPackPool&) = delete;

    // An idle handle of the pack at utf8Path, or null when there is none.
    void* take(const std::string& utf8Path);
    // Keeps a handle whose entry is closed; the least recently kept goes when the pool is full.
    void give(const std::string& utf8Path, void* zip);
    void clear();

private:
    struct Idle {
        std::string path;
        void* zip;
    };
    std::vector<Idle> m_idle;
};

} // namespace Engine
