#pragma once

// The standard text button: a frame text button whose caption also takes the colour, letter
// scale and position offset of the button's state.

#include "engine/gui/FrameTextButton.h"

namespace Engine {

class cTextButton : public cFrameTextButton {
public:
    explicit cTextButton(cWidget* parent);
    // A copy of a frame text button (a text button too) that then behaves as a text button.
    explicit cTextButton(const cFrameTextButton& other);
    cTextButton(const cTextButton& other);
    ~cTextButton() override;

    // The frame text button's load, then the caption in the look of the current state, so it
    // does not jump at the first change of state.
    void loadXML(const IXmlNode* node) override;
    // The frame text button's state, then the state's caption look; an index that names no
    // state leaves the caption alone.
    void setState(int state) override;

protected:
    void applyCaptionState(int state);
};

} // namespace Engine
