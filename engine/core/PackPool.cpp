#include "engine/core/PackPool.h"

#include <minizip/unzip.h>

namespace Engine {

cPackPool::~cPackPool() {
    clear();
}

void* cPackPool::take(const std::string& utf8Path) {
    for (auto it = m_idle.rbegin(); it != m_idle.rend(); ++it) {
        if (it->path == utf8Path) {
            void* zip = it->zip;
            m_idle.erase(std::next(it).base());
            return zip;
        }
    }
    return nullptr;
}

void cPackPool::give(const std::string& utf8Path, void* zip) {
    if (m_idle.size() >= MAX_IDLE) {
        unzClose(m_idle.front().zip);
        m_idle.erase(m_idle.begin());
    }
    m_idle.push_back({utf8Path, zip});
}

void cPackPool::clear() {
    for (const Idle& idle : m_idle)
        unzClose(idle.zip);
    m_idle.clear();
}

} // namespace Engine
