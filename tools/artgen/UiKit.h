#pragma once

// The interface kit the engine's dialogs and the game's screens share: dialog panels in three
// sizes, button strips in four states, arrow buttons, list rows, the name field and the logo.

namespace UiKit {

constexpr const char* FOLDER = "UI/Images/";
// Room around a panel or button face for its shadow and the hover growth (base pixels).
constexpr int MARGIN = 8;
constexpr int RADIUS = 12;
constexpr int ROW_W = 360;
constexpr int ROW_H = 40;
constexpr int FIELD_W = 320;
constexpr int FIELD_H = 48;
constexpr int LOGO_W = 520;
constexpr int LOGO_H = 170;

void generate();

} // namespace UiKit
