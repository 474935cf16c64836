#pragma once

// A piece's view on the board screen, as the controller sees it.

class cMeadowObjectModel;

class IPieceView {
public:
    virtual ~IPieceView() = default;

    virtual cMeadowObjectModel* getObject() = 0;
    virtual bool isVisible() = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isEnabled() = 0;
    // Removes the view's input handlers and hover state (the editor removes its piece).
    virtual void detachInput() = 0;
};
