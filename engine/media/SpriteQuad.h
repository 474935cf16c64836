#pragma once

// The textured quad a sprite hands to the graphics device's batch: four corners with packed
// colours, drawn as a grid of subdivision x subdivision cells.

#include "engine/core/Vector2.h"

#include <cstdint>
#include <vector>

namespace Engine {

class cVertexShader;

struct cSpriteVertex {
    cVector2 position;
    uint32_t color = 0xFFFFFFFFu; // 0xAARRGGBB
};

// Vertex-program registers a quad sets: registerCount four-float registers from data.
struct cShaderConstant {
    int firstRegister = 0;
    const float* data = nullptr;
    int registerCount = 0;
};

struct cSpriteQuad {
    cSpriteQuad();
    cSpriteQuad(const cSpriteQuad& other);
    cSpriteQuad& operator=(const cSpriteQuad& other);
    // Releases the held vertex shader.
    ~cSpriteQuad();
    // Holds the shader (or none), releasing the previous one.
    void setVertexShader(cVertexShader* shader);
    cVertexShader* getVertexShader() const { return m_vertexShader; }

    // Top-left, top-right, bottom-left, bottom-right.
    cSpriteVertex vertices[4];
    unsigned subdivision = 1;
    // u-left, v-top, u-right, v-bottom.
    float textureRect[4] = {0, 0, 1, 1};
    std::vector<cShaderConstant> shaderConstants;

private:
    cVertexShader* m_vertexShader = nullptr;
};

} // namespace Engine
