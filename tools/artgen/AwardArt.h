#pragma once

// The pictures of the tutorial and the awards, written as separate small files (not packed into
// the atlases): the tip panel, arrow and fader, the 21 award badges with their dark versions,
// the glow under the cursor, the announcement panel, the awards board and the progress panel.

namespace AwardArt {

void generate();

} // namespace AwardArt
