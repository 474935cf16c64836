// libFuzzer target: mesh file bytes through the mesh loader, with a texture factory over a
// recording device so that valid meshes reach their buffers.

#include "engine/core/String.h"
#include "engine/media/Mesh.h"
#include "engine/media/TextureFactory.h"
#include "engine/platform/headless/RecordingRenderDevice.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Platform::cRecordingRenderDevice device;
    static Engine::cTextureFactory factory(&device);
    try {
        delete Engine::loadMeshBytes("fuzz.mesh", data, size);
    } catch (const char*) {
    } catch (const std::string&) {
    }
    return 0;
}
