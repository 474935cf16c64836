#pragma once

// The look of a sprite: its picture (a texture, or a frame of an atlas texture), the layout of
// its frame animation, and its mesh and skeletal animation. Also used alone as a named look
// that can be compared and assigned. Holds a counted reference to each resource.

#include "engine/core/ResourceManager.h"

#include <string>

namespace Engine {

class IXmlNode;
class cResource;
class cTexture;

class cVisual {
public:
    cVisual() = default;
    cVisual(const cVisual& other);
    cVisual& operator=(const cVisual& other);
    virtual ~cVisual();

    // "Picture", "Mesh", "Animation", "anim_length", "PlayAnimation", "frames_count",
    // "anim_loop", "anim_columns", "anim_rows". A missing resource key clears that resource; a
    // number that does not parse, a count of 0 or a negative length keeps the value it had.
    virtual void loadXML(const IXmlNode* node);
    virtual cTexture* getPicture() const { return m_texture; }
    // Meshes and skeletal animations are resources of kinds RESOURCE_MESH and
    // RESOURCE_ANIMATION, held opaquely here.
    virtual void setMesh(cResource* mesh);
    virtual void setAnimation(cResource* animation);

    // Empty: no picture. Else the texture of that name and its atlas frame.
    void setPicture(const std::string& name);
    // Takes a reference to the texture (none clears it) and looks up its atlas frame.
    void setPictureResource(cTexture* texture);
    cResource* getMesh() const { return m_mesh; }
    cResource* getAnimation() const { return m_animation; }
    const cAtlasFrame& getFrame() const { return m_frame; }

    float getAnimLength() const { return m_animLength; }
    void setAnimLength(float length) { m_animLength = length; }
    unsigned getFramesCount() const { return m_framesCount; }
    void setFramesCount(unsigned count) { m_framesCount = count; }
    unsigned getAnimColumns() const { return m_animColumns; }
    unsigned getAnimRows() const { return m_animRows; }
    void setAnimGrid(unsigned columns, unsigned rows);
    bool getPlayAnimation() const { return m_playAnimation; }
    void setPlayAnimation(bool play) { m_playAnimation = play; }
    bool getAnimLoop() const { return m_animLoop; }
    void setAnimLoop(bool loop) { m_animLoop = loop; }

    // The picture compares by its texture and atlas frame.
    bool operator!=(const cVisual& other) const;
    bool operator==(const cVisual& other) const { return !(*this != other); }

protected:
    void lookUpFrame(const std::string& name);
    void releaseTexture();

    cAtlasFrame m_frame;
    float m_animLength = 1.0f;
    unsigned m_framesCount = 1;
    unsigned m_animColumns = 1;
    unsigned m_animRows = 1;
    bool m_playAnimation = false;
    bool m_animLoop = true;
    cResource* m_animation = nullptr;
    cResource* m_mesh = nullptr;
    cTexture* m_texture = nullptr;
};

} // namespace Engine
