#pragma once

// The one random generator of the engine and the game: the classic 15-bit linear congruential
// generator, so a seed gives the same sequence on every machine.

#include <cstdint>

namespace Engine {

// Largest value randomNext() returns.
constexpr int RANDOM_MAX = 32767;

// Restarts the sequence; the game seeds with the time in seconds, tests with a fixed value.
// Before any seed the generator behaves as seeded with 1.
void randomSeed(uint32_t seed);
// The next value, 0 .. RANDOM_MAX.
int randomNext();

} // namespace Engine
