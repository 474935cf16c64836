#pragma once

// What the level editor needs of the screen that opens it (the map run with its editor flag):
// the looks, the way back, and the play test that opens the edited level on a board screen.
// The map reaches the editor only through cMeadowEditorView::create, so the two stay siblings.

#include "game/shell/VisualStates.h"

class cMeadowEditorView;

class IEditorOwner : public IVisualStates {
public:
    // "BackButton": the owner switches back to itself; once the editor is hidden it calls the
    // editor's close and then its own onLevelCompleted.
    virtual void leaveEditor(cMeadowEditorView* editor) = 0;
    // The editor has been closed.
    virtual void onLevelCompleted() = 0;
    // The play test: the level opens on a new board screen with its play-test flag set.
    virtual void startLevel(int level) = 0;
};
