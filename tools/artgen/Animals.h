#pragma once

// The map's animals as short loops of 8 frames, facing left: pecking hens, a grazing cow, a
// hopping goat, a chewing sheep, songbirds on the ground and flying, bees, and three kinds of
// butterflies flapping (seen from above).

namespace Animals {

constexpr const char* FOLDER = "Map/Images/Animals/";

void generate();

} // namespace Animals
