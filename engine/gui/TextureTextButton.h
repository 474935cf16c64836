#pragma once

// A texture button with a caption drawn one depth step above it (the rows of the list box);
// the caption's letters wave while the button is hovered.

#include "engine/gui/CaptionButton.h"
#include "engine/gui/TextureButton.h"

namespace Engine {

class cTextureTextButton : public cCaptionButton<cTextureButton> {
public:
    using cCaptionButton::cCaptionButton;
};

} // namespace Engine
