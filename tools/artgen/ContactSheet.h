#pragma once

// Sheets for people: the contact sheet of every board picture (docs/board-contact-sheet.png)
// and a quick enlarged preview of some pictures while drawing.

#include <string>
#include <vector>

namespace ContactSheet {

void generate();
// Stacks the PNG files, enlarged zoom times, on a warm grey, into out.
void preview(const std::string& out, double zoom, const std::vector<std::string>& files);

} // namespace ContactSheet
