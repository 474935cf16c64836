#pragma once

// What the application, the window procedure and the frame loop need of the graphics device,
// which lives in the media layer above this one. The graphics device derives from it.

#include "engine/core/Math.h"
#include "engine/core/Singleton.h"

#include <string>

namespace Engine {

class IGraphicsLink : public cSingleton<IGraphicsLink> {
public:
    ~IGraphicsLink() override = default;
    // The window's rectangle on the desktop; false (nothing written) when it cannot be read.
    virtual bool getClientRect(float& left, float& top, float& right, float& bottom) = 0;
    // A point in client pixels to logical screen coordinates.
    virtual void windowToScreen(const cVector2& in, cVector2& out) = 0;
    virtual void beginFrame() = 0;
    virtual void endFrame() = 0;
    // Carried out at the next beginFrame.
    virtual void requestModeSwitch(bool request) = 0;
    // A JPEG of the whole screen.
    virtual void captureScreen(const std::string& path) = 0;
};

inline IGraphicsLink* getGraphicsLink() {
    return IGraphicsLink::getInstance();
}

} // namespace Engine
