#pragma once

// A frame button with a caption drawn one depth step above it; the caption's letters wave
// while the button is hovered.

#include "engine/gui/CaptionButton.h"
#include "engine/gui/FrameButton.h"

namespace Engine {

class cFrameTextButton : public cCaptionButton<cFrameButton> {
public:
    using cCaptionButton::cCaptionButton;
};

} // namespace Engine
