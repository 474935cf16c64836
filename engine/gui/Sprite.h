#pragma once

// The drawable widget: position (its centre), size, angle, colour and alpha, depth, picture or
// frame animation or mesh, render flags and mesh material. While shown it is in the frame's
// draw list; it rebuilds its quads or its mesh record lazily, only after a change, when the
// draw pass asks for them. Children of a sprite are sprites: position and depth changes move
// them by the same delta.

#include "engine/core/Color.h"
#include "engine/core/Drawable.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "engine/gui/Visual.h"
#include "engine/gui/Widget.h"
#include "engine/media/MeshDrawRecord.h"
#include "engine/media/SpriteQuad.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Engine {

class cSprite;

// A per-frame action; returns true when done, and is then removed.
using tSpriteAction = std::function<bool(cSprite*)>;

class cSprite : public cWidget, public cVisual, public IDrawable {
public:
    static constexpr uint32_t RENDER_TILED_FLAG = 0x200;

    // Hidden and disabled, fade value 1, dirty.
    explicit cSprite(cWidget* parent);
    // The template's look and settings; not in the draw list, no actions, no running blend, fade
    // value 0 (see cWidget's copy rule: show it to draw it).
    cSprite(const cSprite& other);
    ~cSprite() override;

    int getKind() const override { return WIDGET_KIND_SPRITE; }
    void process() override;
    // The widget keys, the sprite keys, then the visual keys.
    void loadXML(const IXmlNode* node) override;
    void onShow() override;
    void onHide() override;
    void onAlphaChanged() override;
    // Keep the particle-effect list in step with the children.
    void removeChild(cWidget* child) override;
    void replaceChild(cWidget* child, cWidget* replacement) override;
    const std::vector<cWidget*>& getPyroEffects() const { return m_pyroEffects; }

    // IDrawable
    bool isVisible() const override { return cWidget::isVisible(); }
    // Lower depth first; equal depths by texture identity, then by creation order, so that the
    // order never changes from one frame to the next.
    bool drawsBefore(const IDrawable& other) const override;
    void setInDrawList(bool inList) override { m_inDrawList = inList; }
    // Hands the quads (or the mesh record) to the graphics device's batch; the draw pass calls
    // it for every visible listed sprite. Widgets that draw otherwise (particle effects) override it.
    void draw() override;

    // Visual overrides: a new mesh ends a running blend.
    void setMesh(cResource* mesh) override;
    void setAnimation(cResource* animation) override;

    const float& getAngle() const { return m_angle; }
    virtual void setAngle(float angle);
    float getAlpha() const { return m_color.a; }
    virtual void setAlpha(float alpha);
    const cVector2& getSize() const { return m_size; }
    // A negative component mirrors the picture on that axis.
    virtual void setSize(const cVector2& size);
    uint8_t getAlphaRef() const { return m_alphaRef; }
    virtual void setAlphaRef(uint8_t alphaRef);
    float getAnimPosition() const { return m_animPosition; }
    virtual void setAnimPosition(float seconds);
    const cVector2& getTile() const { return m_tile; }
    virtual void setTile(const cVector2& tile);
    bool getInverseX() const { return m_inverseX; }
    virtual void setInverseX(bool inverse);
    bool getInverseY() const { return m_inverseY; }
    virtual void setInverseY(bool inverse);
    bool getDoubleAnimRender() const { return m_doubleAnimRender; }
    virtual void setDoubleAnimRender(bool on);
    bool getMultiSprites() const { return m_multiSprites; }
    virtual void setMultiSprites(bool on);
    const cColor& getColor() const { return m_color; }
    virtual void setColor(const cColor& color);
    const cVector3& getScale() const { return m_scale; }
    virtual void setScale(const cVector3& scale);
    float getYaw() const { return m_yaw; }
    virtual void setYaw(float radians);
    float getPitch() const { return m_pitch; }
    virtual void setPitch(float radians);
    bool getLightingEnable() const { return m_lightingEnable; }
    virtual void setLightingEnable(bool on);
    int getLightTable() const { return m_lightTable; }
    virtual void setLightTable(int table);
    const cColor& getAmbientColor() const { return m_ambientColor; }
    virtual void setAmbientColor(const cColor& color);
    const cColor& getSpecularColor() const { return m_specularColor; }
    virtual void setSpecularColor(const cColor& color);
    const cColor& getEmissiveColor() const { return m_emissiveColor; }
    virtual void setEmissiveColor(const cColor& color);
    float getPower() const { return m_power; }
    virtual void setPower(float power);
    bool isInDrawList() const { return m_inDrawList; }
    bool getIsAniblend() const { return m_isAniblend; }
    void setIsAniblend(bool on) { m_isAniblend = on; }
    float getAnimBlendRemaining() const { return m_animBlendRemaining; }
    void setAnimBlendRemaining(float seconds) { m_animBlendRemaining = seconds; }
    float getAnimBlendTime() const { return m_animBlendTime; }
    void setAnimBlendTime(float seconds) { m_animBlendTime = seconds; }
    uint32_t getRenderType() const { return m_renderType; }
    void setRenderType(uint32_t renderType) { m_renderType = renderType; }
    // Moves the sprite and every child by the same delta.
    virtual void setPosition(const cVector2& position);
    void setPosition(float x, float y) { setPosition(cVector2(x, y)); }
    const cVector2& getPositionRef() const { return m_position; }
    const cVector2& getPosition() const { return m_position; }
    // Sets the depth and shifts every child's depth by the same delta.
    virtual void setDepth(float depth);
    float getDepth() const { return m_depth; }
    // Added to the drawn position; also sets the use-offset flag.
    virtual void setOffset(const cVector2& offset);
    const cVector2& getOffset() const { return m_offset; }
    bool getUseOffset() const { return m_useOffset; }

    // The current frame of the frame animation, and a jump to a frame.
    virtual int getAnimFrame() const;
    virtual void setAnimFrame(int frame);
    // Whether the point lies in the turned rectangle (bounds included; mirrored sizes too).
    bool hitTest(const cVector2& point) const;
    // Called when a rebuild finds a non-looping frame animation past its end.
    virtual void onAnimationEnd() {}

    int32_t getUserData() const { return m_userData; }
    void setUserData(int32_t data) { m_userData = data; }
    // A null action is ignored.
    void queueAction(tSpriteAction action);
    // Calls each action in order, removing those that return true.
    void runActions();
    size_t getActionCount() const { return m_actions.size(); }
    void advanceAnimation(float seconds);

    // Draw records: invalidate marks them for rebuilding (now: rebuild at once).
    void invalidate(bool now = false);
    bool isDirty() const { return m_dirty; }
    virtual void prepareDraw();
    const cSpriteQuad& getQuad();
    const std::vector<cSpriteQuad>& getQuads();
    const cSpriteQuad& getSecondQuad() const { return m_nextFrameQuad; }
    const cMeshDrawRecord& getMeshDrawData();

    // Frame index arithmetic of the frame animation (length L, N frames, looping or not).
    static float wrapAnimTime(float t, float length, bool loop);
    static unsigned wrapFrame(unsigned frame, unsigned count, bool loop);

protected:
    virtual void buildQuad(cSpriteQuad& quad, unsigned frame, float alphaFactor);
    virtual void buildMultiQuads(std::vector<cSpriteQuad>& quads, unsigned frame, float alphaFactor);
    virtual void buildMeshDrawData(cMeshDrawRecord& record);
    // The frame count and grid as the drawing uses them: never 0.
    unsigned framesCount() const { return m_framesCount > 0 ? m_framesCount : 1; }

    float m_angle = 0;
    cVector2 m_position;
    cVector2 m_size{1.0f, 1.0f};
    cVector2 m_tile;
    bool m_inDrawList = false;
    uint32_t m_renderType = 0;
    uint8_t m_alphaRef = 0;
    cSpriteQuad m_quad;
    std::vector<cSpriteQuad> m_quads;
    cSpriteQuad m_nextFrameQuad;
    cMeshDrawRecord m_meshDrawData;
    float m_animPosition = 0;
    int32_t m_userData = 0;
    // Particle effects made from the "PyroEffects" element; also children.
    std::vector<cWidget*> m_pyroEffects;
    std::vector<tSpriteAction> m_actions;
    bool m_inverseX = false;
    bool m_inverseY = false;
    bool m_doubleAnimRender = false;
    bool m_multiSprites = false;
    bool m_dirty = true;
    bool m_lightingEnable = false;
    cVector3 m_scale{1.0f, 1.0f, 1.0f};
    float m_yaw = 0;
    float m_pitch = 0;
    int m_lightTable = 0;
    cColor m_ambientColor{1, 1, 1, 1};
    cColor m_specularColor{1, 1, 1, 1};
    cColor m_emissiveColor{1, 1, 1, 1};
    float m_power = 0;
    cColor m_color{1, 1, 1, 1};
    float m_animBlendRemaining = 0;
    float m_animBlendTime = 0.15f;
    bool m_isAniblend = false;
    float m_depth = 0;
    cVector2 m_offset;
    bool m_useOffset = false;

private:
    // Creation order: the last tie-break of the draw order.
    uint64_t m_serial;
};

} // namespace Engine
