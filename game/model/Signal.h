#pragma once

// The model's signals are Boost.Signals2 signals; this header is read by the files that fire
// or connect them, and by those that make their owners.

#include "game/model/SignalMember.h"

#include <boost/signals2/signal.hpp>

template <typename Signature> class cSignal : public boost::signals2::signal<Signature> {};

template <typename Signature>
cSignalMember<Signature>::cSignalMember() : m_signal(std::make_unique<cSignal<Signature>>()) {}

template <typename Signature> cSignalMember<Signature>::~cSignalMember() = default;
