#include "game/model/RandomDraw.h"

#include "engine/core/Random.h"

#include <ctime>

namespace RandomDraw {

namespace {
std::optional<uint32_t> g_pinnedSeed;
}

int32_t index(int32_t count) {
    if (count <= 0)
        return -1;
    float f = float(Engine::randomNext()) * 0.000030517578125f;
    return int32_t(f * float(count));
}

void seedWithTime() {
    int64_t now = int64_t(std::time(nullptr));
    if (g_pinnedSeed)
        Engine::randomSeed(*g_pinnedSeed);
    else if (now > 0)
        Engine::randomSeed(uint32_t(now));
    Engine::randomNext();
}

void pinSeed(std::optional<uint32_t> seed) {
    g_pinnedSeed = seed;
}

} // namespace RandomDraw
