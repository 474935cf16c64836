#pragma once

// The level editor's own pictures, as separate small files under "Meadow/Images/Editor": the
// piece-index markers "index1".."index5" the editor draws pieces with, the "no lock" tool icon
// and the editor's tool backdrop.

namespace EditorArt {
void generate();
}
