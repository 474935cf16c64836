#pragma once

// The pieces of the board: eight ordinary types, the products of the bonus lines, the prizes
// and the bonus pieces. Each is a horizontal sheet of FRAMES frames of CELL x CELL: a gentle
// bob and squeeze for the pieces, a pulse of light for the bonus pieces.

#include <cairo.h>

#include <string>
#include <vector>

namespace Pieces {

constexpr int CELL = 64;
constexpr int FRAMES = 8;
constexpr const char* FOLDER = "Meadow/Images/Pieces/";

// File stems in drawing order (piece1..piece8, products, prizes, bonus pieces).
std::vector<std::string> names();
// One frame of a piece in a size x size box at the current origin; phase 0..1 over the loop.
void drawFrame(cairo_t* cr, const std::string& name, double size, double phase);
void generate();

} // namespace Pieces
