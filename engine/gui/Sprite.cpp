#include "engine/gui/Sprite.h"

#include "engine/core/DrawList.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayerFactories.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/MeshAnimation.h"
#include "engine/media/Texture.h"

#include <algorithm>
#include <cmath>

namespace Engine {

namespace {

const float DEGREES_TO_RADIANS = 3.14159265358979f / 180.0f;
uint64_t g_nextSerial = 0;

// Children of a sprite are sprites; a plain widget among them has no position or depth.
cSprite* asSprite(cWidget* widget) {
    return widget->getKind() == WIDGET_KIND_PLAIN ? nullptr : static_cast<cSprite*>(widget);
}

void readBool(const IXmlNode* node, const wchar_t* key, bool& out) {
    parseBool(out, node->getAttribute(key));
}

} // namespace

cSprite::cSprite(cWidget* parent) : cWidget(parent), m_serial(g_nextSerial++) {
    m_alpha = 1.0f;
}

cSprite::cSprite(const cSprite& other)
    : cWidget(other), cVisual(other), IDrawable(), m_angle(other.m_angle), m_position(other.m_position),
      m_size(other.m_size), m_tile(other.m_tile), m_renderType(other.m_renderType), m_alphaRef(other.m_alphaRef),
      m_animPosition(other.m_animPosition), m_userData(other.m_userData), m_inverseX(other.m_inverseX),
      m_inverseY(other.m_inverseY), m_doubleAnimRender(other.m_doubleAnimRender), m_multiSprites(other.m_multiSprites),
      m_lightingEnable(other.m_lightingEnable), m_scale(other.m_scale), m_yaw(other.m_yaw), m_pitch(other.m_pitch),
      m_lightTable(other.m_lightTable), m_ambientColor(other.m_ambientColor), m_specularColor(other.m_specularColor),
      m_emissiveColor(other.m_emissiveColor), m_power(other.m_power), m_color(other.m_color),
      m_animBlendTime(other.m_animBlendTime), m_isAniblend(other.m_isAniblend), m_depth(other.m_depth),
      m_offset(other.m_offset), m_useOffset(other.m_useOffset), m_serial(g_nextSerial++) {
    for (cWidget* effect : other.m_pyroEffects) {
        if (!other.m_children.count(effect))
            continue;
        if (cWidget* copy = cLayerFactories::copy("PyroEffects", *effect, this))
            m_pyroEffects.push_back(copy);
    }
}

cSprite::~cSprite() {
    // Only the draw list: the children are deleted next and need no hide hooks.
    if (m_inDrawList)
        cDrawList::remove(this);
    m_inDrawList = false;
}

void cSprite::process() {
    if (!m_isAniblend)
        return;
    if (m_animBlendRemaining > 0) {
        m_animBlendRemaining -= frameDelta();
        if (m_animBlendRemaining < 0)
            m_animBlendRemaining = 0;
    }
    m_meshDrawData.blendFactor = m_animBlendTime > 0 ? m_animBlendRemaining / m_animBlendTime : 0.0f;
}

void cSprite::loadXML(const IXmlNode* node) {
    cWidget::loadXML(node);

    float depth = 0;
    cLayoutReader::readFloat(node, L"deep", depth);
    setDepth(depth);
    cVector2 vector = m_position;
    setPosition(parseVector2(vector, node->getAttribute(L"position")));
    vector = m_size;
    setSize(parseVector2(vector, node->getAttribute(L"size")));
    float angle = m_angle;
    cLayoutReader::readFloat(node, L"angle", angle);
    setAngle(angle);
    vector = m_tile;
    setTile(parseVector2(vector, node->getAttribute(L"tile")));
    unsigned alphaRef = m_alphaRef;
    parseUInt(alphaRef, node->getAttribute(L"AlphaRef"));
    setAlphaRef(uint8_t(alphaRef));
    float animPosition = 0;
    cLayoutReader::readFloat(node, L"anim_position", animPosition);
    setAnimPosition(animPosition);
    cColor color = m_color;
    parseColor(color, node->getAttribute(L"color"));
    cLayoutReader::readFloat(node, L"alpha", color.a);
    setColor(color);
    parseUInt(m_renderType, node->getAttribute(L"RenderType"));
    if (m_tile.x > 0 && m_tile.y > 0)
        m_renderType |= RENDER_TILED_FLAG;
    bool flag = m_inverseX;
    readBool(node, L"InverceX", flag);
    setInverseX(flag);
    flag = m_inverseY;
    readBool(node, L"InverceY", flag);
    setInverseY(flag);
    flag = m_doubleAnimRender;
    readBool(node, L"DoubleAnimRender", flag);
    setDoubleAnimRender(flag);
    flag = m_multiSprites;
    readBool(node, L"MultiSprites", flag);
    setMultiSprites(flag);
    float degrees = 0;
    if (cLayoutReader::readFloat(node, L"pitch", degrees))
        setPitch(degrees * DEGREES_TO_RADIANS);
    if (cLayoutReader::readFloat(node, L"yaw", degrees))
        setYaw(degrees * DEGREES_TO_RADIANS);
    cVector3 scale = m_scale;
    setScale(parseVector3(scale, node->getAttribute(L"scale")));
    flag = m_lightingEnable;
    readBool(node, L"LightingEnable", flag);
    setLightingEnable(flag);
    int lightTable = m_lightTable;
    setLightTable(parseInt(lightTable, node->getAttribute(L"LightTable")));
    color = m_ambientColor;
    setAmbientColor(parseColor(color, node->getAttribute(L"AmbientColor")));
    color = m_specularColor;
    setSpecularColor(parseColor(color, node->getAttribute(L"SpecularColor")));
    color = m_emissiveColor;
    setEmissiveColor(parseColor(color, node->getAttribute(L"EmissiveColor")));
    float value = m_power;
    cLayoutReader::readFloat(node, L"Power", value);
    setPower(value);
    cLayoutReader::readFloat(node, L"AnimBlendTime", m_animBlendTime);
    readBool(node, L"IsAniblend", m_isAniblend);

    IXmlNode* effects = nullptr;
    if (node->findNode("PyroEffects", effects)) {
        IXmlNode* element = nullptr;
        for (int i = 0; effects->getNodeAt(i, element); ++i)
            m_pyroEffects.push_back(cLayerFactories::make("PyroEffects", this, element));
    }

    cVisual::loadXML(node);
    invalidate();
}

void cSprite::onShow() {
    if (!m_inDrawList)
        cDrawList::add(this);
    cWidget::onShow();
}

void cSprite::onHide() {
    if (m_inDrawList)
        cDrawList::remove(this);
    cWidget::onHide();
}

void cSprite::onAlphaChanged() {
    invalidate();
    cWidget::onAlphaChanged();
}

void cSprite::removeChild(cWidget* child) {
    m_pyroEffects.erase(std::remove(m_pyroEffects.begin(), m_pyroEffects.end(), child), m_pyroEffects.end());
    cWidget::removeChild(child);
}

void cSprite::replaceChild(cWidget* child, cWidget* replacement) {
    std::replace(m_pyroEffects.begin(), m_pyroEffects.end(), child, replacement);
    cWidget::replaceChild(child, replacement);
}

bool cSprite::drawsBefore(const IDrawable& other) const {
    // The draw list holds sprites only.
    const cSprite& b = static_cast<const cSprite&>(other);
    if (m_depth != b.m_depth)
        return m_depth < b.m_depth;
    const cTexture* texture = getPicture();
    const cTexture* otherTexture = b.getPicture();
    if (texture != otherTexture)
        return std::less<const cTexture*>()(texture, otherTexture);
    return m_serial < b.m_serial;
}

void cSprite::draw() {
    IGraphicsDevice* graphics = getGraphicsDevice();
    const cTexture* texture = getPicture();
    if (m_mesh) {
        const cMeshDrawRecord& record = getMeshDrawData();
        if (graphics && record.mesh)
            graphics->drawMesh(&m_meshDrawData, m_renderType, 0);
        return;
    }
    if (m_multiSprites) {
        const std::vector<cSpriteQuad>& quads = getQuads();
        if (graphics)
            for (const cSpriteQuad& quad : quads)
                graphics->drawSprite(quad, texture, m_renderType, 0);
        return;
    }
    const cSpriteQuad& quad = getQuad();
    if (!graphics)
        return;
    graphics->drawSprite(quad, texture, m_renderType, 0);
    if (m_doubleAnimRender)
        graphics->drawSprite(m_nextFrameQuad, texture, m_renderType, 0);
}

void cSprite::setMesh(cResource* mesh) {
    if (mesh != m_mesh) {
        m_animBlendRemaining = 0;
        m_meshDrawData.blendFactor = 0;
    }
    cVisual::setMesh(mesh);
    invalidate();
}

void cSprite::setAnimation(cResource* animation) {
    auto* previous = dynamic_cast<cMeshAnimation*>(m_animation);
    if (!m_isAniblend || !previous || !m_meshDrawData.mesh) {
        m_meshDrawData.blendFactor = 0;
    } else if (!isVisible()) {
        m_animBlendRemaining = 0;
        m_meshDrawData.blendFactor = 0;
    } else {
        const std::vector<cMatrix4>* bones = m_meshDrawData.mesh->getBones();
        if (bones && bones->size() == previous->getBoneCount()) {
            m_animBlendRemaining = m_animBlendTime;
            m_meshDrawData.blendFactor = 1;
        } else {
            m_animBlendRemaining = 0;
            m_meshDrawData.blendFactor = 0;
        }
        // The blend starts from the pose the previous animation was about to show.
        static const std::vector<cMatrix4> noBones;
        previous->setTime(previous->getTime() + 0.01f, bones ? bones : &noBones);
        m_meshDrawData.blendSource = previous->getBoneMatrices();
    }
    cVisual::setAnimation(animation);
    invalidate();
}

#define MEADOW_SPRITE_SETTER(name, member, type)                                                                       \
    void cSprite::name(type value) {                                                                                   \
        if (member != value) {                                                                                         \
            member = value;                                                                                            \
            invalidate();                                                                                              \
        }                                                                                                              \
    }

MEADOW_SPRITE_SETTER(setAngle, m_angle, float)
MEADOW_SPRITE_SETTER(setAlpha, m_color.a, float)
MEADOW_SPRITE_SETTER(setSize, m_size, const cVector2&)
MEADOW_SPRITE_SETTER(setAlphaRef, m_alphaRef, uint8_t)
MEADOW_SPRITE_SETTER(setAnimPosition, m_animPosition, float)
MEADOW_SPRITE_SETTER(setTile, m_tile, const cVector2&)
MEADOW_SPRITE_SETTER(setInverseX, m_inverseX, bool)
MEADOW_SPRITE_SETTER(setInverseY, m_inverseY, bool)
MEADOW_SPRITE_SETTER(setDoubleAnimRender, m_doubleAnimRender, bool)
MEADOW_SPRITE_SETTER(setMultiSprites, m_multiSprites, bool)
MEADOW_SPRITE_SETTER(setColor, m_color, const cColor&)
MEADOW_SPRITE_SETTER(setYaw, m_yaw, float)
MEADOW_SPRITE_SETTER(setPitch, m_pitch, float)
MEADOW_SPRITE_SETTER(setLightingEnable, m_lightingEnable, bool)
MEADOW_SPRITE_SETTER(setLightTable, m_lightTable, int)
MEADOW_SPRITE_SETTER(setAmbientColor, m_ambientColor, const cColor&)
MEADOW_SPRITE_SETTER(setSpecularColor, m_specularColor, const cColor&)
MEADOW_SPRITE_SETTER(setEmissiveColor, m_emissiveColor, const cColor&)
MEADOW_SPRITE_SETTER(setPower, m_power, float)

#undef MEADOW_SPRITE_SETTER

void cSprite::setScale(const cVector3& scale) {
    if (m_scale.x != scale.x || m_scale.y != scale.y || m_scale.z != scale.z) {
        m_scale = scale;
        invalidate();
    }
}

void cSprite::setPosition(const cVector2& position) {
    if (position == m_position)
        return;
    const cVector2 delta = position - m_position;
    // Moving does not change the children set, so no snapshot is needed here.
    for (cWidget* widget : m_children)
        if (cSprite* child = asSprite(widget)) {
            child->setPosition(child->m_position + delta);
            child->m_dirty = true;
        }
    m_position = position;
    invalidate();
}

void cSprite::setDepth(float depth) {
    if (depth == m_depth)
        return;
    const float delta = depth - m_depth;
    for (cWidget* widget : m_children)
        if (cSprite* child = asSprite(widget)) {
            child->setDepth(child->m_depth + delta);
            child->m_dirty = true;
        }
    m_depth = depth;
    invalidate();
}

void cSprite::setOffset(const cVector2& offset) {
    m_useOffset = true;
    if (offset != m_offset) {
        m_offset = offset;
        invalidate();
    }
}

bool cSprite::hitTest(const cVector2& point) const {
    cVector2 offset = point - m_position;
    if (m_angle != 0) {
        const float a = m_angle * DEGREES_TO_RADIANS;
        const float c = std::cos(a), s = std::sin(a);
        offset = cVector2(offset.x * c - offset.y * s, offset.x * s + offset.y * c);
    }
    // A mirrored (negative) size covers the same rectangle.
    const float halfWidth = std::fabs(m_size.x) * 0.5f;
    const float halfHeight = std::fabs(m_size.y) * 0.5f;
    return offset.x >= -halfWidth && offset.x <= halfWidth && offset.y >= -halfHeight && offset.y <= halfHeight;
}

void cSprite::queueAction(tSpriteAction action) {
    if (action)
        m_actions.push_back(std::move(action));
}

void cSprite::runActions() {
    // Each action is moved out while it runs: it may queue further actions (which run in the
    // same walk) and so grow the vector under it.
    size_t kept = 0;
    for (size_t i = 0; i < m_actions.size(); ++i) {
        tSpriteAction action = std::move(m_actions[i]);
        if (!action(this))
            m_actions[kept++] = std::move(action);
    }
    m_actions.resize(kept);
}

void cSprite::advanceAnimation(float seconds) {
    m_animPosition += seconds;
    invalidate();
}

// Frame animation ------------------------------------------------------------------------------

float cSprite::wrapAnimTime(float t, float length, bool loop) {
    if (!(length > 0))
        return 0;
    float result = t;
    if (result > length)
        result = loop ? result - length * std::trunc(result / length) : length;
    if (result < 0)
        result = loop ? result - length * (std::trunc(result / length) - 1) : 0;
    return result;
}

unsigned cSprite::wrapFrame(unsigned frame, unsigned count, bool loop) {
    if (count == 0)
        return 0;
    if (frame < count)
        return frame;
    return loop ? frame % count : count - 1;
}

int cSprite::getAnimFrame() const {
    const unsigned count = framesCount();
    const float length = m_animLength;
    if (length <= m_animPosition)
        return int(count - 1);
    if (m_animPosition <= 0)
        return 0;
    return int(std::trunc(float(count) * m_animPosition / length));
}

void cSprite::setAnimFrame(int frame) {
    if (frame == getAnimFrame())
        return;
    const unsigned count = framesCount();
    const float length = m_animLength > 0 ? m_animLength : 0.0f;
    float t = float(frame) * length / float(count);
    t = std::min(std::max(t, 0.0f), length);
    m_animPosition = t;
    // n × L ÷ N can land a hair below the frame's start; step up to the first time inside it.
    for (int guard = 0; guard < 64 && getAnimFrame() < frame && m_animPosition < length; ++guard)
        m_animPosition = std::nextafter(m_animPosition, length);
    invalidate();
}

// Draw records ---------------------------------------------------------------------------------

void cSprite::invalidate(bool now) {
    m_dirty = true;
    if (now)
        prepareDraw();
}

void cSprite::prepareDraw() {
    if (!m_dirty)
        return;
    if (m_animPosition > m_animLength && !m_animLoop)
        onAnimationEnd();
    m_animPosition = wrapAnimTime(m_animPosition, m_animLength, m_animLoop);
    if (m_mesh) {
        buildMeshDrawData(m_meshDrawData);
    } else {
        const unsigned frame = unsigned(getAnimFrame());
        if (m_doubleAnimRender) {
            const float frameTime = m_animLength / float(framesCount());
            const float u = frameTime > 0 ? (m_animPosition - float(frame) * frameTime) / frameTime : 0.0f;
            buildQuad(m_quad, frame, std::min(1.0f, 2.0f * (1.0f - u)));
            buildQuad(m_nextFrameQuad, wrapFrame(frame + 1, framesCount(), m_animLoop), std::min(1.0f, 2.0f * u));
        } else if (m_multiSprites) {
            buildMultiQuads(m_quads, frame, 1.0f);
        } else {
            buildQuad(m_quad, frame, 1.0f);
        }
    }
    m_dirty = false;
}

const cSpriteQuad& cSprite::getQuad() {
    prepareDraw();
    if (m_multiSprites && !m_quads.empty())
        return m_quads.front();
    return m_quad;
}

const std::vector<cSpriteQuad>& cSprite::getQuads() {
    prepareDraw();
    return m_quads;
}

const cMeshDrawRecord& cSprite::getMeshDrawData() {
    prepareDraw();
    return m_meshDrawData;
}

void cSprite::buildQuad(cSpriteQuad& quad, unsigned frame, float alphaFactor) {
    const unsigned columns = m_animColumns > 0 ? m_animColumns : 1;
    const unsigned rows = m_animRows > 0 ? m_animRows : 1;
    const unsigned column = frame % columns;
    const unsigned row = frame / columns;

    cVector2 origin, step;
    if (m_frame.index >= 0 && m_texture && m_texture->getImageSize().x > 0 && m_texture->getImageSize().y > 0) {
        const float width = float(m_texture->getImageSize().x);
        const float height = float(m_texture->getImageSize().y);
        origin = cVector2(m_frame.position.x / width, m_frame.position.y / height);
        step = cVector2(m_frame.size.x / width / float(columns), m_frame.size.y / height / float(rows));
    } else {
        cVector2 extent(1.0f, 1.0f);
        if (m_tile.x > 0 && m_tile.y > 0)
            extent = cVector2(m_size.x / m_tile.x, m_size.y / m_tile.y);
        step = cVector2(extent.x / float(columns), extent.y / float(rows));
    }
    float left = float(column) * step.x + origin.x, right = left + step.x;
    float top = float(row) * step.y + origin.y, bottom = top + step.y;
    if (m_inverseX)
        std::swap(left, right);
    if (m_inverseY)
        std::swap(top, bottom);
    quad.textureRect[0] = left;
    quad.textureRect[1] = top;
    quad.textureRect[2] = right;
    quad.textureRect[3] = bottom;

    const cVector2 half = m_size * 0.5f;
    const cVector2 centre = m_useOffset ? m_position + m_offset : m_position;
    const cVector2 corners[4] = {cVector2(-half.x, -half.y), cVector2(half.x, -half.y), cVector2(-half.x, half.y),
                                 cVector2(half.x, half.y)};
    float c = 1.0f, s = 0.0f;
    if (m_angle != 0) {
        const float a = m_angle * DEGREES_TO_RADIANS;
        c = std::cos(a);
        s = std::sin(a);
    }
    const float alpha = getRootAlpha() * m_color.a * alphaFactor;
    const uint32_t packed = cColor(m_color.r, m_color.g, m_color.b, alpha).toARGB();
    for (int i = 0; i < 4; ++i) {
        const cVector2& p = corners[i];
        quad.vertices[i].position = centre + cVector2(p.x * c + p.y * s, -p.x * s + p.y * c);
        quad.vertices[i].color = packed;
    }
}

void cSprite::buildMultiQuads(std::vector<cSpriteQuad>& quads, unsigned frame, float alphaFactor) {
    quads.resize(1);
    buildQuad(quads[0], frame, alphaFactor);
}

void cSprite::buildMeshDrawData(cMeshDrawRecord& record) {
    // The mesh resources implement the batch's geometry and animation interfaces.
    record.mesh = dynamic_cast<const IMeshGeometry*>(m_mesh);
    record.animation = dynamic_cast<const IMeshAnimation*>(m_animation);
    record.texture = m_texture;
    // The frame animation's position, mapped onto the skeletal animation's own length.
    if (const auto* animation = dynamic_cast<const cMeshAnimation*>(m_animation))
        record.time = m_animLength > 0 ? animation->getLength() * m_animPosition / m_animLength : 0.0f;

    cMatrix4 base, scale, yaw, pitch, translation;
    base.setRows(cVector3(1, 0, 0), cVector3(0, -1, 0), cVector3(0, 0, -1), cVector3(0, 0, 0));
    scale.setScale(m_scale);
    yaw.setAxisRotation(cVector3(0, 1, 0), -m_yaw);
    pitch.setAxisRotation(cVector3(1, 0, 0), -m_pitch);
    translation.setTranslation(cVector3(m_position.x, m_position.y, m_depth));
    record.world = base * scale * yaw * pitch * translation;

    const float fade = getRootAlpha();
    record.diffuse = m_color;
    record.diffuse.a *= fade;
    record.ambient = m_ambientColor;
    record.ambient.a *= fade;
    record.specular = m_specularColor;
    record.specular.a *= fade;
    record.emissive = m_emissiveColor;
    record.emissive.a *= fade;
    record.power = m_power;
    record.lighting = m_lightingEnable;
    record.lightTable = m_lightTable;
}

} // namespace Engine
