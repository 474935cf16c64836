#pragma once

// Runs a function when the scope ends, by return or by exception: the release a failed step
// must not skip.

#include <utility>

namespace Engine {

template <class F> class cScopeExit {
public:
    explicit cScopeExit(F f) : m_f(std::move(f)) {}
    ~cScopeExit() { m_f(); }
    cScopeExit(const cScopeExit&) = delete;
    cScopeExit& operator=(const cScopeExit&) = delete;

private:
    F m_f;
};

} // namespace Engine
