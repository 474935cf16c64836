#pragma once

// Where the generator writes: small pictures go to the atlas source folder (packed later by
// atlaspack), large ones straight into Data, sheets for people into docs.

#include "Paint.h"

#include <string>
#include <vector>

namespace Output {

void setRoots(const std::string& atlasSource, const std::string& data, const std::string& docs);
// name: the picture's name in the game's file name space, e.g. "Meadow/Images/Pieces/piece1.png".
// At scale 2 the "Images" folder of the name becomes "Images2x" (never shipped: the game is 1x).
void small(const Paint::Canvas& canvas, const std::string& name);
void large(const Paint::Canvas& canvas, const std::string& name);
void doc(const Paint::Canvas& canvas, const std::string& name);
// The path a small picture was written to (for the contact sheet).
std::string smallPath(const std::string& name);
std::string largePath(const std::string& name);

} // namespace Output

// A horizontal sprite sheet of frames, each frameW x frameH base pixels.
namespace Sheet {
using FrameFn = std::function<void(cairo_t* cr, int frame, double phase)>;
// phase runs 0..1 over the loop, so frame i and i + count meet without a jump.
void draw(Paint::Canvas& canvas, int frameW, int frameH, int frames, const FrameFn& fn);
} // namespace Sheet
