#pragma once

// The map between levels: the 1024 x 768 meadow under the buildings (paths along the rows of
// building points and down the gaps, the pond with the pier's bank in the lower right, trees,
// the sky band at the top), the map's frame and buttons.

namespace Map {

constexpr const char* BACKGROUND = "Meadow/Images/Backgrounds/map_bg.png";
constexpr const char* FOLDER = "Map/Images/Interface/";
// A building picture's bottom centre stands this far below its point on the map: the front's
// ground line is 17.5 units above the picture's bottom (14 on the small ones), so the front
// stands just behind the end of its path.
constexpr double BUILDING_DROP = 0;

void generate();

} // namespace Map
