#include "engine/media/SpriteQuad.h"

#include "engine/media/VertexShader.h"

namespace Engine {

cSpriteQuad::cSpriteQuad() = default;

cSpriteQuad::cSpriteQuad(const cSpriteQuad& other)
    : subdivision(other.subdivision), shaderConstants(other.shaderConstants) {
    for (int i = 0; i < 4; ++i) {
        vertices[i] = other.vertices[i];
        textureRect[i] = other.textureRect[i];
    }
    setVertexShader(other.m_vertexShader);
}

cSpriteQuad& cSpriteQuad::operator=(const cSpriteQuad& other) {
    if (this == &other)
        return *this;
    for (int i = 0; i < 4; ++i) {
        vertices[i] = other.vertices[i];
        textureRect[i] = other.textureRect[i];
    }
    subdivision = other.subdivision;
    shaderConstants = other.shaderConstants;
    setVertexShader(other.m_vertexShader);
    return *this;
}

cSpriteQuad::~cSpriteQuad() {
    setVertexShader(nullptr);
}

void cSpriteQuad::setVertexShader(cVertexShader* shader) {
    if (shader == m_vertexShader)
        return;
    if (shader)
        shader->addRef();
    if (m_vertexShader)
        m_vertexShader->decRef();
    m_vertexShader = shader;
}

} // namespace Engine
