#include "game/shell/RandomFloat.h"

#include "engine/core/Random.h"

#include <cstdint>

float randomFloat(float low, float high, float seed) {
    if (seed > 0)
        Engine::randomSeed(uint32_t(seed));
    return low + float(Engine::randomNext()) * (high - low) / float(Engine::RANDOM_MAX);
}
