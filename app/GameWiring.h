#pragma once

// Joins the program's parts above the shell to its front end: the map between levels (with the
// in-game menu) becomes the main menu's next screen. The board screen registers itself with the
// map once it is part of the program.

void wireGame();
