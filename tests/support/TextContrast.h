#pragma once

// Whether a text reads: the WCAG contrast of a text's own colour against the pixels right around
// its letters in a rendered frame. The letters are found by drawing the frame again without the
// text; what lies around them (the background, or the text's own outline) is what the eye reads
// them against.

#include "engine/gui/Label.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace TestSupport {

// WCAG figures for normal text, and for large text (24 px and up, or bold 18.7 px and up).
constexpr double AA_NORMAL_TEXT = 4.5;
constexpr double AA_LARGE_TEXT = 3.0;

// The WCAG relative luminance of a 0xAARRGGBB colour (alpha ignored), 0 to 1.
double relativeLuminance(uint32_t argb);
// The WCAG contrast ratio of two colours, 1 to 21.
double contrastRatio(uint32_t a, uint32_t b);

struct cPixelBox {
    int left = 0, top = 0, width = 0, height = 0;
};

struct cTextContrast {
    // Pixels that the text changed; none: the text is covered, nobody sees it.
    int changedPixels = 0;
    // Pixels of the text's own colour that the text put there.
    int letterPixels = 0;
    // Pixels 1.4 to 2 pixels from the nearest letter pixel.
    int ringPixels = 0;
    // The contrast that nine in ten ring pixels reach, and the ring pixel that has it.
    double contrast = 0;
    uint32_t background = 0;
    std::string describe() const;
};

// Measures the text of colour textColor inside box of two frames (0xAARRGGBB, `width` pixels a
// row), one with the text and one without it.
cTextContrast measureTextContrast(const std::vector<uint32_t>& with, const std::vector<uint32_t>& without, int width,
                                  const cPixelBox& box, uint32_t textColor);

// The box a label's letters take on the screen, with a margin around them.
cPixelBox labelBox(Engine::cLabel& label, int margin = 8);

// The AA figure the label's text must reach: large text is 24 px and up, or 18.7 px and up in
// a bold font. The game's font pictures carry their pixel size in their names ("Text22.png");
// the title and digit fonts are bold.
double requiredContrast(Engine::cLabel& label);

// The labels a player may see: shown, nearly opaque, with a text.
std::vector<Engine::cLabel*> shownLabels();

// Measures the label in the frames that `frame` renders (`width` pixels a row), once as it is and
// once without its letters.
cTextContrast measureLabel(Engine::cLabel& label, const std::function<std::vector<uint32_t>()>& frame, int width);

// Expects every shown label that is neither covered nor shaded (none of its letters in its own
// colour) to reach its AA figure (`where` names the screen in failures); returns the texts
// measured, so a test can tell that the ones it names were seen.
std::vector<std::wstring> expectShownTextsRead(const std::function<std::vector<uint32_t>()>& frame, int width,
                                               const std::string& where);

} // namespace TestSupport
