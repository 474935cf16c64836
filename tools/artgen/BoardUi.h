#pragma once

// The board screen's other pictures: bee, trigger icon and base, editor icons, bonus buttons
// with bar and glow, vehicle heads, trailers and doors, drivers, money, results panel and the
// flying-number icon.

#include <cairo.h>

namespace BoardUi {

constexpr const char* FOLDER = "Meadow/Images/Board/";
// Bonus button frame, its bar, its glow, the results panel (base pixels).
constexpr int BONUS = 88;
constexpr int BAR_W = 80;
constexpr int BAR_H = 16;
constexpr int GLOW = 120;
constexpr int RESULTS_W = 480;
constexpr int RESULTS_H = 380;

void generate();
// Lays the pictures out on the contact sheet from (x, y).
void contact(cairo_t* cr, double x, double y);
// A side panel of the board screen (bonus buttons, a vehicle, money) from (x, y), for the mock-up.
void sidePanel(cairo_t* cr, double x, double y);

} // namespace BoardUi
