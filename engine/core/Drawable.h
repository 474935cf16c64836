#pragma once

// What the draw pass needs of an entry of the draw list. Sprites implement it: `draw` hands the
// sprite's quads, mesh or particle effect to the graphics device's batch.

namespace Engine {

class IDrawable {
public:
    virtual ~IDrawable() = default;
    // Depth order of the draw list: true when this one is drawn before the other.
    virtual bool drawsBefore(const IDrawable& other) const = 0;
    virtual bool isVisible() const = 0;
    virtual void setInDrawList(bool inList) = 0;
    virtual void draw() = 0;
};

} // namespace Engine
