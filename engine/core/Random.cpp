#include "engine/core/Random.h"

namespace Engine {

namespace {
uint32_t g_state = 1;
}

void randomSeed(uint32_t seed) {
    g_state = seed;
}

int randomNext() {
    g_state = g_state * 214013u + 2531011u;
    return int((g_state >> 16) & 0x7FFF);
}

} // namespace Engine
