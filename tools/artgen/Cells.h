#pragma once

// The cells of the board: empty, simple, wood and iron faces (two variants each), their
// broken quarters, the lock overlays, the twelve border pieces and the selection frame.

#include <cairo.h>

#include <string>

namespace Cells {

constexpr int CELL = 64;
// Width of the border band around the board.
constexpr int BORDER = 10;
// The selection frame's picture: the cell plus room for its glow.
constexpr int SELECTION = 80;
constexpr const char* FOLDER = "Meadow/Images/Cells/";

// Draws a face or lock overlay ("cell0", "simple0", "wood1", "cell_locks2", ...) at the origin.
void drawFace(cairo_t* cr, const std::string& name);
void generate();

} // namespace Cells
