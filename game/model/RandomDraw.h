#pragma once

// The board model's random choice over n candidates, on the engine's 15-bit generator:
// f = next / 32768 as a float, index = truncate(f × n).

#include <cstdint>
#include <optional>

namespace RandomDraw {

// An index in 0..count-1, or -1 (none) when there is nothing to choose from.
int32_t index(int32_t count);
// Seeds the engine generator with the current time in seconds (or the pinned seed) and throws
// the first value away.
void seedWithTime();
// A seed that replaces the time from now on, so that a scripted session can be replayed; none
// goes back to the time.
void pinSeed(std::optional<uint32_t> seed);

} // namespace RandomDraw
