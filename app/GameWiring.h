#pragma once

// Joins the program's parts above the shell to its front end: the map between levels (with the
// in-game menu) becomes the main menu's next screen, and the map opens its levels on the board
// screen and, run as the level editor, in the editor; the board's and the map's sounds play
// through the game's sound table.

void wireGame();
