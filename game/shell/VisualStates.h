#pragma once

// What the game's views need of the screen that owns the game's named looks (the map's "States"
// table): the board screen, its pieces and the characters ask through this, never by naming the
// map's class, so the board and the map stay siblings.

#include "engine/gui/Visual.h"

#include <string>

class IVisualStates {
public:
    virtual ~IVisualStates() = default;

    // The look stored under the id; throws when the owner has none of that name.
    virtual const Engine::cVisual& getVisualState(const std::string& id) const = 0;
};
