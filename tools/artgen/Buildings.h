#pragma once

// The 26 buildings of the map at each of their levels, three roof colours each, with the parts
// that drop in when a level is built (ground, walls, roof, extras) and the work icons.
// Each picture is drawn on a W x H canvas whose bottom centre stands a few units above the
// building's point on the map.

#include "BuildingKit.h"

#include <string>
#include <vector>

namespace Buildings {

constexpr const char* FOLDER = "Map/Images/Buildings/";
constexpr const char* ICONS = "Map/Images/WorkIcons/";
constexpr int W = 140;
constexpr int H = 120;
constexpr int SMALL_W = 100;
constexpr int SMALL_H = 90;

using DrawFn = void (*)(Kit::Ctx& k, int level);

struct Unit {
    const char* stem; // file name stem, e.g. "hen_house"
    int levels;
    bool small;
    DrawFn draw;
    Kit::Symbol icon; // its work icon's symbol
};

// Units 0-12 and 13-25, in unit id order.
void firstUnits(std::vector<Unit>& out);
void lastUnits(std::vector<Unit>& out);
const std::vector<Unit>& units();

void generate();

} // namespace Buildings
