#pragma once

// The look of a piece type in the game's piece table ("Meadow/View/GameObjects.xml"): the board
// draws its pieces with it and the map's building tips show the piece a building brings.

#include "engine/gui/Visual.h"

namespace Engine {
class IXmlNode;
}

// The entry "obj<type>" of the table's root; throws when the table has none.
Engine::cVisual getPieceVisualState(int type, const Engine::IXmlNode* objectsRoot);
