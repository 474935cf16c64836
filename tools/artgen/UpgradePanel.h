#pragma once

// The pictures of the map's upgrade panel: the upgrade button's four states, the price coin,
// the lock, the tick badge and its check, the scroll arrows, the return button and the lug of an
// upgrade's tip. They are separate pictures beside the atlases, so drawing them again rewrites
// only these files.

namespace UpgradePanel {

constexpr const char* FOLDER = "Meadow/Images/Upgrade/";
// Frame sizes in base pixels.
constexpr int BUTTON = 80;
constexpr int COIN = 24;
constexpr int LOCK_W = 30;
constexpr int LOCK_H = 34;
constexpr int TICK = 32;
constexpr int SCROLL_W = 44;
constexpr int SCROLL_H = 68;
constexpr int RETURN = 68;
constexpr int LUG_W = 30;
constexpr int LUG_H = 18;

void generate();

} // namespace UpgradePanel
