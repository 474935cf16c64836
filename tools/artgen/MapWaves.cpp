#include "MapWaves.h"

#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <string>

using namespace Paint;
using namespace Palette;

namespace MapWaves {

namespace {

// A crest line: white where the light from the top left catches it, a deeper blue just below.
void crest(cairo_t* cr, const std::function<void(cairo_t*, double)>& path, double alpha) {
    if (alpha <= 0.01)
        return;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    path(cr, 1.2);
    cairo_set_line_width(cr, 1.6);
    setColor(cr, DEEP_WATER, 0.45 * alpha);
    cairo_stroke(cr);
    path(cr, 0);
    cairo_set_line_width(cr, 1.8);
    setColor(cr, WHITE, 0.85 * alpha);
    cairo_stroke(cr);
}

// Two flat rings spread from the middle and fade as they grow; the second, smaller and fainter,
// starts half a loop later, so the last frame leads back into the first.
void ring(cairo_t* cr, double phase) {
    const double cx = RING_W / 2.0, cy = RING_H / 2.0;
    for (int k = 0; k < 2; ++k) {
        const double r = std::fmod(phase + k * 0.5, 1.0);
        const double rx = (5 + r * (RING_W / 2.0 - 7)) * (k == 0 ? 1.0 : 0.75), ry = rx * 0.36;
        const double alpha = std::sin(M_PI * r) * (k == 0 ? 1.0 : 0.7);
        // The near half of the ring, the side the viewer looks down on.
        crest(
            cr,
            [&](cairo_t* c, double dy) {
                cairo_new_path(c);
                cairo_save(c);
                cairo_translate(c, cx, cy + dy);
                cairo_scale(c, rx, ry);
                cairo_arc(c, 0, 0, 1, 0.15 * M_PI, 0.85 * M_PI);
                cairo_restore(c);
            },
            alpha);
        crest(
            cr,
            [&](cairo_t* c, double dy) {
                cairo_new_path(c);
                cairo_save(c);
                cairo_translate(c, cx, cy + dy);
                cairo_scale(c, rx, ry);
                cairo_arc(c, 0, 0, 1, 1.15 * M_PI, 1.85 * M_PI);
                cairo_restore(c);
            },
            alpha * 0.6);
    }
}

// Two short wave crests that rise and sink in turn while drifting a little to the right.
void crests(cairo_t* cr, double phase) {
    for (int k = 0; k < 2; ++k) {
        const double p = std::fmod(phase + k * 0.5, 1.0);
        const double alpha = std::sin(M_PI * p);
        const double x0 = 6 + k * 14 + p * 8, y0 = CREST_H / 2.0 + (k == 0 ? -2 : 2);
        const double len = 14 + 4 * alpha;
        crest(
            cr,
            [&](cairo_t* c, double dy) {
                cairo_new_path(c);
                cairo_move_to(c, x0, y0 + dy);
                cairo_curve_to(c, x0 + len * 0.3, y0 - 2.5 * alpha + dy, x0 + len * 0.7, y0 - 2.5 * alpha + dy,
                               x0 + len, y0 + dy);
            },
            alpha);
    }
}

template <class Fn> void frames(const std::string& name, int w, int h, Fn fn) {
    for (int i = 0; i < FRAMES; ++i) {
        Canvas c(w, h);
        fn(c.cr(), double(i) / FRAMES);
        Output::large(c, std::string(FOLDER) + name + "_" + std::to_string(i) + ".png");
    }
}

} // namespace

void generate() {
    frames("ring", RING_W, RING_H, ring);
    frames("crest", CREST_W, CREST_H, crests);
}

} // namespace MapWaves
