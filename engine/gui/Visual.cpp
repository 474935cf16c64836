#include "engine/gui/Visual.h"

#include "engine/core/Resource.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/media/Mesh.h"
#include "engine/media/MeshAnimation.h"
#include "engine/media/Texture.h"

namespace Engine {

namespace {

void take(cResource* resource) {
    if (resource)
        resource->addRef();
}

void release(cResource*& resource) {
    if (resource)
        resource->decRef();
    resource = nullptr;
}

// Positive whole numbers only: 0 would divide by zero when the frames are laid out.
void readCount(const IXmlNode* node, const wchar_t* key, unsigned& out) {
    unsigned value = 0;
    parseUInt(value, node->getAttribute(key));
    if (value > 0)
        out = value;
}

} // namespace

cVisual::cVisual(const cVisual& other)
    : m_frame(other.m_frame), m_animLength(other.m_animLength), m_framesCount(other.m_framesCount),
      m_animColumns(other.m_animColumns), m_animRows(other.m_animRows), m_playAnimation(other.m_playAnimation),
      m_animLoop(other.m_animLoop), m_animation(other.m_animation), m_mesh(other.m_mesh), m_texture(other.m_texture) {
    take(m_animation);
    take(m_mesh);
    take(m_texture);
}

cVisual& cVisual::operator=(const cVisual& other) {
    if (this == &other)
        return *this;
    if (m_texture != other.m_texture) {
        releaseTexture();
        m_texture = other.m_texture;
        take(m_texture);
    }
    setMesh(other.m_mesh);
    if (m_animation != other.m_animation)
        setAnimation(other.m_animation);
    m_frame = other.m_frame;
    m_animLength = other.m_animLength;
    m_framesCount = other.m_framesCount;
    m_animColumns = other.m_animColumns;
    m_animRows = other.m_animRows;
    m_playAnimation = other.m_playAnimation;
    m_animLoop = other.m_animLoop;
    return *this;
}

cVisual::~cVisual() {
    releaseTexture();
    release(m_animation);
    release(m_mesh);
}

void cVisual::releaseTexture() {
    if (m_texture)
        m_texture->decRef();
    m_texture = nullptr;
}

void cVisual::loadXML(const IXmlNode* node) {
    const wchar_t* key = L"Picture";
    try {
        setPicture(wideToNarrow(node->getAttribute(key)));

        key = L"Mesh";
        const std::string mesh = wideToNarrow(node->getAttribute(key));
        cResourceManager* resources = getResourceManager();
        cResource* newMesh = nullptr;
        if (!mesh.empty() && resources)
            newMesh = resources->getMesh(mesh);
        setMesh(newMesh);
        if (newMesh)
            newMesh->decRef();

        key = L"Animation";
        const std::string animation = wideToNarrow(node->getAttribute(key));
        cResource* newAnimation = nullptr;
        if (!animation.empty() && resources)
            newAnimation = resources->getAnimation(animation);
        setAnimation(newAnimation);
        if (newAnimation)
            newAnimation->decRef();
    } catch (const std::string& text) {
        // The resource's own error names the file; add the layout key that asked for it.
        throw cStringA(wideToNarrow(key) + " \"" + wideToNarrow(node->getAttribute(key)) + "\": " + text);
    }

    float length = -1;
    parseFloat(length, node->getAttribute(L"anim_length"));
    if (length >= 0)
        m_animLength = length;
    parseBool(m_playAnimation, node->getAttribute(L"PlayAnimation"));
    readCount(node, L"frames_count", m_framesCount);
    parseBool(m_animLoop, node->getAttribute(L"anim_loop"));
    readCount(node, L"anim_columns", m_animColumns);
    readCount(node, L"anim_rows", m_animRows);
    if (m_framesCount > m_animColumns * m_animRows)
        m_framesCount = m_animColumns * m_animRows;
}

void cVisual::setMesh(cResource* mesh) {
    if (mesh == m_mesh)
        return;
    take(mesh);
    release(m_mesh);
    m_mesh = mesh;
}

void cVisual::setAnimation(cResource* animation) {
    if (animation == m_animation)
        return;
    take(animation);
    release(m_animation);
    m_animation = animation;
}

void cVisual::setPicture(const std::string& name) {
    releaseTexture();
    if (!name.empty()) {
        if (cResourceManager* resources = getResourceManager())
            m_texture = resources->getTexture(name);
    }
    lookUpFrame(name);
}

void cVisual::setPictureResource(cTexture* texture) {
    take(texture);
    releaseTexture();
    m_texture = texture;
    std::string name;
    cResourceManager* resources = getResourceManager();
    if (texture && texture->isAtlas() && resources)
        name = resources->getResourceName(texture);
    lookUpFrame(name);
}

void cVisual::lookUpFrame(const std::string& name) {
    cResourceManager* resources = getResourceManager();
    if (m_texture && m_texture->isAtlas() && resources)
        m_frame = resources->getAtlasEntry(name);
    else
        m_frame = cAtlasFrame();
}

void cVisual::setAnimGrid(unsigned columns, unsigned rows) {
    if (columns > 0)
        m_animColumns = columns;
    if (rows > 0)
        m_animRows = rows;
}

bool cVisual::operator!=(const cVisual& other) const {
    // Two pictures of one atlas share its texture: the frame tells them apart.
    return m_texture != other.m_texture || m_frame.index != other.m_frame.index ||
           m_frame.position.x != other.m_frame.position.x || m_frame.position.y != other.m_frame.position.y ||
           m_frame.size.x != other.m_frame.size.x || m_frame.size.y != other.m_frame.size.y ||
           m_animation != other.m_animation || m_mesh != other.m_mesh || m_animColumns != other.m_animColumns ||
           m_animRows != other.m_animRows || m_framesCount != other.m_framesCount ||
           m_animLength != other.m_animLength || m_animLoop != other.m_animLoop ||
           m_playAnimation != other.m_playAnimation;
}

} // namespace Engine
