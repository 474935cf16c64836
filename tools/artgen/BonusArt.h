#pragma once

// The board's bonus and vehicle animations drawn apart from the atlases (their own PNG files
// under "Meadow/Images/Bonus"): the bear falling and eating, the splash where it lands, the
// lightning beam and the loading doors opening in the four vehicle colours.

namespace BonusArt {
void generate();
}
