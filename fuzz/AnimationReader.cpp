// libFuzzer target: animation file bytes through the animation reader, then one pose, so that a
// hierarchy the reader lets through is also walked.

#include "engine/media/MeshAnimation.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        Engine::cMeshAnimation animation("fuzz.anim", data, size);
        std::vector<Engine::cMatrix4> bind(animation.getBoneCount() % 64);
        animation.setTime(0.5f, &bind);
    } catch (const char*) {
    }
    return 0;
}
