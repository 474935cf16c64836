#include "EditorArt.h"

#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <string>

using namespace Paint;
using namespace Palette;

namespace {

const std::string DIR = "Meadow/Images/Editor/";

// Index markers: a wooden disc with a cream inset, the number in ink, and a rim tint per index
// so that neighbouring indices read apart at a glance.
const Rgb INDEX_TINTS[5] = {RED, YELLOW, BLUE, GREEN, PURPLE};

void indexMarker(cairo_t* cr, int index) {
    const double cx = 32, cy = 31, r = 25;
    auto disc = [=](cairo_t* c) { ellipse(c, cx, cy, r, r); };
    auto inset = [=](cairo_t* c) { ellipse(c, cx, cy, r * 0.74, r * 0.74); };
    shadow(cr, disc);
    fillRound(cr, disc, mix(WOOD, INDEX_TINTS[index - 1], 0.45), cx - r, cy - r, 2 * r, 2 * r);
    fillFlat(cr, inset, CREAM, cx - r, cy - r, 2 * r, 2 * r, 0.6);
    innerShade(cr, inset, 1.5, 0.2);
    outline(cr, disc, 2.0);
    gloss(cr, disc, cx - 9, cy - 11, 8, 5, 0.45);
    titleText(cr, std::to_string(index), 26, cx, cy + 9.5, INK, 0, false);
}

// "No lock": an open twine loop crossed out, on a small wooden badge.
void noLock(cairo_t* cr) {
    const double cx = 32, cy = 32, r = 22;
    auto disc = [=](cairo_t* c) { ellipse(c, cx, cy, r, r); };
    shadow(cr, disc);
    fillRound(cr, disc, WOOD, cx - r, cy - r, 2 * r, 2 * r);
    fillFlat(
        cr, [=](cairo_t* c) { ellipse(c, cx, cy, r * 0.8, r * 0.8); }, CREAM, cx - r, cy - r, 2 * r, 2 * r, 0.6);
    outline(cr, disc, 2.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColor(cr, SOIL);
    cairo_set_line_width(cr, basePx(cr, 4));
    cairo_arc(cr, cx, cy + 2, 9, M_PI * 1.1, M_PI * 2.4);
    cairo_stroke(cr);
    setColor(cr, RED, 0.9);
    cairo_set_line_width(cr, basePx(cr, 4));
    cairo_move_to(cr, cx - 12, cy + 12);
    cairo_line_to(cr, cx + 12, cy - 12);
    cairo_stroke(cr);
}

// The backdrop behind the tool rows: light wood with a cream paper inset.
void toolBack(cairo_t* cr, int w, int h) {
    auto frame = [=](cairo_t* c) { roundedRect(c, 6, 6, w - 12, h - 12, 12); };
    auto paper = [=](cairo_t* c) { roundedRect(c, 14, 14, w - 28, h - 28, 8); };
    shadow(cr, frame);
    fillFlat(cr, frame, WOOD, 6, 6, w - 12, h - 12);
    fillFlat(cr, paper, CREAM, 14, 14, w - 28, h - 28, 0.5);
    innerShade(cr, paper, 2, 0.2);
    outline(cr, frame, 2.0);
}

} // namespace

namespace EditorArt {

void generate() {
    for (int index = 1; index <= 5; ++index) {
        Canvas c(64, 64);
        indexMarker(c.cr(), index);
        Output::large(c, DIR + "index" + std::to_string(index) + ".png");
    }
    {
        Canvas c(64, 64);
        noLock(c.cr());
        Output::large(c, DIR + "no_lock.png");
    }
    {
        Canvas c(256, 256);
        toolBack(c.cr(), 256, 256);
        Output::large(c, DIR + "tool_back.png");
    }
}

} // namespace EditorArt
