#pragma once

// A vertex-shader resource: the bytes of a shader file and the device program made from them.

#include "engine/core/Resource.h"
#include "engine/platform/RenderDevice.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Engine {

class cVertexShader : public cResource {
public:
    // Reads the whole file and creates the program; throws when either fails.
    explicit cVertexShader(const std::string& path);
    ~cVertexShader() override;

    int getKind() const override;
    void unload() override;
    void load() override;

    Platform::tShaderHandle getHandle() const { return m_handle; }
    const std::vector<uint8_t>& getBytes() const { return m_bytes; }

private:
    Platform::tShaderHandle m_handle = 0;
    std::vector<uint8_t> m_bytes;
};

} // namespace Engine
