#pragma once

// What the character views and their speech bubble need of the development screen: its looks by
// id, whether a board screen is open or a level is running, its editor flag, and the tool-tip on
// show (a bubble gets out of its way). The development screen implements it; tests use their own.

#include "game/shell/VisualStates.h"

namespace Engine {
class cSprite;
class cWidget;
} // namespace Engine

class IPersonageScreen : public IVisualStates {
public:
    // The parent of the editor's graph overlay.
    virtual Engine::cWidget* getWidget() = 0;
    virtual bool isLevelScreenOpen() const = 0;
    virtual bool isLevelRunning() const = 0;
    virtual bool isEditorMode() const = 0;
    // The tip shown now, none when no tip shows.
    virtual const Engine::cSprite* getShownTip() const = 0;
};
