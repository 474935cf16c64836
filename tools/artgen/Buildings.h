#pragma once

// The 26 buildings of the map at each of their levels, three roof colours each, with the parts
// that drop in when a level is built (ground, walls, roof, extras), the work icons and the
// marked plot each building stands on until it is bought. A building is drawn in the units of a
// BASE_W x BASE_H canvas (SMALL_BASE_W x SMALL_BASE_H for the small ones) and scaled up about the
// canvas' bottom centre onto its W x H picture, whose bottom centre stands on the building's
// point on the map: large enough to be seen at a glance next to the heroine.

#include "BuildingKit.h"

#include <string>
#include <vector>

namespace Buildings {

constexpr const char* FOLDER = "Map/Images/Buildings/";
constexpr const char* ICONS = "Map/Images/WorkIcons/";
constexpr int BASE_W = 140;
constexpr int BASE_H = 120;
constexpr int SMALL_BASE_W = 100;
constexpr int SMALL_BASE_H = 90;
constexpr double SCALE = 1.25;
constexpr double SMALL_SCALE = 1.4;
constexpr int W = 176;
constexpr int H = 150;
constexpr int SMALL_W = 140;
constexpr int SMALL_H = 126;
// The plot pictures: the lower part of the building's canvas, down to its bottom.
constexpr int PLOT_H = 72;
constexpr int SMALL_PLOT_H = 64;

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
