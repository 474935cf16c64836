#pragma once

// The list of drawables handed to the graphics device each frame, sorted by depth.

#include <vector>

namespace Engine {

class IDrawable;

class cDrawList {
public:
    // Appends without a duplicate check (sprites avoid adding themselves twice).
    static void add(IDrawable* drawable);
    // Removes the first entry equal to the drawable; nothing when absent.
    static void remove(IDrawable* drawable);
    static std::vector<IDrawable*>& getEntries();
};

using tDrawCallback = void (*)(IDrawable* drawable);

// Sorts the draw list by depth and calls the callback for every visible entry, front to back.
void drawAll(tDrawCallback callback);

} // namespace Engine
