#pragma once

// The two level backgrounds (1024 x 768): a morning meadow and a river bank in the afternoon.
// No outlines on backgrounds; the board sits on the calm left and centre.

namespace Backgrounds {

constexpr const char* FOLDER = "Meadow/Images/Backgrounds/";

void generate();

} // namespace Backgrounds
