#pragma once

// A signal member that a header can declare without Boost.Signals2: the signal lives behind a
// pointer, and connecting to it or firing it needs "game/model/Signal.h", which only the files
// that fire or listen include.

#include <memory>
#include <utility>

template <typename Signature> class cSignal;

template <typename Signature> class cSignalMember {
public:
    cSignalMember();
    ~cSignalMember();
    cSignalMember(const cSignalMember&) = delete;
    cSignalMember& operator=(const cSignalMember&) = delete;

    template <typename... Args> auto connect(Args&&... args) { return m_signal->connect(std::forward<Args>(args)...); }
    template <typename... Args> void operator()(Args&&... args) const { (*m_signal)(std::forward<Args>(args)...); }

private:
    std::unique_ptr<cSignal<Signature>> m_signal;
};
