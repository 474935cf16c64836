#pragma once

// What the level editor needs of the screen that opens it (the map run with its editor flag):
// the looks, the end of the editor, and the play test that opens the edited level on a board
// screen. The way back ("BackButton", Esc) is the board screen's, through the owner's
// IBoardOwner side. The map reaches the editor only through the program's level screens, so the
// two stay siblings.

#include "game/shell/VisualStates.h"

class cMeadowEditorView;

class IEditorOwner : public IVisualStates {
public:
    // The editor has been closed.
    virtual void onLevelCompleted() = 0;
    // The play test: the level opens on a new board screen with its play-test flag set.
    virtual void startLevel(int level) = 0;
};
