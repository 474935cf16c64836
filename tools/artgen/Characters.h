#pragma once

// The characters of the map: the heroine (idle, talk, walking in five directions facing right,
// three funny events), three cats (idle, walking in five directions facing left, three events)
// and the speech bubble in three sizes. Sheets of 8 frames side by side.

namespace Characters {

constexpr const char* FOLDER = "Map/Images/Characters/";
constexpr int GIRL_W = 48;
constexpr int GIRL_H = 72;
constexpr int CAT_W = 48;
constexpr int CAT_H = 40;

void generate();
// docs/characters-contact-sheet.png, after the animals and the map's interface are drawn.
void contactSheet();

} // namespace Characters
