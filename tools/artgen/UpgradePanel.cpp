#include "UpgradePanel.h"

#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <string>

using namespace Paint;
using namespace Palette;

namespace UpgradePanel {

namespace {

const std::string DIR = FOLDER;

// How a control looks in a state: 0 normal, 1 hover (lighter, grown), 2 pressed (darker, 2 px
// lower), 3 disabled (grey and flat).
struct State {
    double grow = 0;
    double dy = 0;
    double gloss = 0.5;
    double strength = 1.0;
    bool flat = false;
};

State stateOf(int state) {
    State s;
    if (state == 1) {
        s.grow = 2;
    } else if (state == 2) {
        s.dy = 2;
        s.gloss = 0.25;
    } else if (state == 3) {
        s.gloss = 0;
        s.strength = 0.35;
        s.flat = true;
    }
    return s;
}

Rgb tint(Rgb base, int state) {
    if (state == 1)
        return lighter(base, 0.18);
    if (state == 2)
        return darker(base, 0.15);
    if (state == 3)
        return mix(IRON, STONE, 0.3);
    return base;
}

void softGloss(cairo_t* cr, const PathFn& path, double x, double y, double w, double h, double r, double alpha) {
    if (alpha <= 0)
        return;
    cairo_save(cr);
    path(cr);
    cairo_clip(cr);
    roundedRect(cr, x + 4, y + 3, w - 8, h * 0.42, r * 0.7);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y + 3, 0, y + 3 + h * 0.42);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.04);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

// A wooden tile with a cream inset on which a building's icon sits.
void tile(cairo_t* cr, int state) {
    const State s = stateOf(state);
    const double m = 6, face = BUTTON - 2 * m;
    const double x = m - s.grow, y = m - s.grow + s.dy, w = face + 2 * s.grow;
    auto frame = [=](cairo_t* c) { roundedRect(c, x, y, w, w, 12); };
    auto paper = [=](cairo_t* c) { roundedRect(c, x + 7, y + 7, w - 14, w - 14, 8); };
    if (!s.flat)
        shadow(cr, frame, state == 2 ? 0.25 : SHADOW_ALPHA, state == 2 ? 1 : 2, state == 2 ? 1 : 3);
    const Rgb wood = state == 3 ? mix(IRON, STONE, 0.3) : tint(lighter(WOOD, 0.12), state);
    fillFlat(cr, frame, wood, x, y, w, w, s.strength * 1.2);
    // The grain of the wood.
    cairo_save(cr);
    frame(cr);
    cairo_clip(cr);
    for (int i = 0; i < int(w / 7); ++i) {
        const double gy = y + 3 + i * 7 + 2 * hashNoise(i, 5, 17);
        cairo_move_to(cr, x, gy);
        cairo_curve_to(cr, x + w * 0.3, gy + 1.2, x + w * 0.7, gy - 1.2, x + w, gy + 0.4);
    }
    cairo_set_line_width(cr, basePx(cr, 0.7));
    setColor(cr, state == 3 ? IRON_DARK : WOOD_DARK, 0.2);
    cairo_stroke(cr);
    cairo_restore(cr);
    const Rgb paperColour = state == 3 ? lighter(STONE, 0.4) : (state == 1 ? lighter(CREAM, 0.4) : CREAM);
    fillFlat(cr, paper, paperColour, x + 7, y + 7, w - 14, w - 14, 0.3);
    innerShade(cr, paper, 2.5, state == 2 ? 0.35 : 0.22);
    softGloss(cr, frame, x, y, w, w, 12, s.gloss * 0.6);
    outline(cr, frame, 2, state == 3 ? 0.45 : OUTLINE_ALPHA);
}

// A gold coin with a stamped rim; grey when the price cannot be paid.
void coin(cairo_t* cr, bool enabled) {
    const double c = COIN / 2.0, r = COIN / 2.0 - 3;
    auto disc = [=](cairo_t* p) { ellipse(p, c, c, r, r); };
    roundThing(cr, disc, enabled ? GOLD : IRON, c - r, c - r, 2 * r, 2 * r, enabled);
    cairo_save(cr);
    ellipse(cr, c, c, r * 0.62, r * 0.62);
    cairo_set_line_width(cr, basePx(cr, 1.3));
    setColor(cr, darker(enabled ? GOLD : IRON, 0.3), 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A padlock: an iron shackle over a gold body with a keyhole.
void lock(cairo_t* cr) {
    const double cx = LOCK_W / 2.0;
    auto shackle = [=](cairo_t* p) {
        cairo_new_sub_path(p);
        cairo_arc(p, cx, 13, 8, M_PI, 2 * M_PI);
        cairo_line_to(p, cx + 8, 17);
        cairo_line_to(p, cx + 4.5, 17);
        cairo_line_to(p, cx + 4.5, 13);
        cairo_arc_negative(p, cx, 13, 4.5, 2 * M_PI, M_PI);
        cairo_line_to(p, cx - 4.5, 17);
        cairo_line_to(p, cx - 8, 17);
        cairo_close_path(p);
    };
    silhouette(cr, shackle, IRON, cx - 9, 4, 18, 14);
    auto body = [=](cairo_t* p) { roundedRect(p, cx - 11, 15, 22, 16, 4); };
    roundThing(cr, body, GOLD, cx - 11, 15, 22, 16);
    auto hole = [=](cairo_t* p) {
        ellipse(p, cx, 21.5, 2.6, 2.6);
        cairo_move_to(p, cx - 1.4, 22.5);
        cairo_line_to(p, cx + 1.4, 22.5);
        cairo_line_to(p, cx + 2, 27);
        cairo_line_to(p, cx - 2, 27);
        cairo_close_path(p);
    };
    hole(cr);
    setColor(cr, INK, 0.85);
    cairo_fill(cr);
}

// The bought mark: a leaf-green badge, and the white check drawn over it.
void tickBadge(cairo_t* cr) {
    const double c = TICK / 2.0, r = TICK / 2.0 - 4;
    auto disc = [=](cairo_t* p) { ellipse(p, c, c, r, r); };
    roundThing(cr, disc, GREEN, c - r, c - r, 2 * r, 2 * r);
}

void tick(cairo_t* cr) {
    const double c = TICK / 2.0;
    auto check = [=](cairo_t* p) {
        cairo_move_to(p, c - 8, c);
        cairo_line_to(p, c - 2.5, c + 6);
        cairo_line_to(p, c + 8.5, c - 6.5);
    };
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    check(cr);
    cairo_set_line_width(cr, basePx(cr, 6.5));
    setColor(cr, INK, OUTLINE_ALPHA);
    cairo_stroke(cr);
    check(cr);
    cairo_set_line_width(cr, basePx(cr, 3.5));
    setColor(cr, WHITE);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A tall leaf-green button with an arrow pointing left or right.
void scroll(cairo_t* cr, int state, bool right) {
    const State s = stateOf(state);
    const double m = 6, fw = SCROLL_W - 2 * m, fh = SCROLL_H - 2 * m;
    const double x = m - s.grow, y = m - s.grow + s.dy, w = fw + 2 * s.grow, h = fh + 2 * s.grow;
    auto face = [=](cairo_t* c) { roundedRect(c, x, y, w, h, 12); };
    if (!s.flat)
        shadow(cr, face, state == 2 ? 0.25 : SHADOW_ALPHA, state == 2 ? 1 : 2, state == 2 ? 1 : 3);
    fillFlat(cr, face, tint(GREEN, state), x, y, w, h, s.strength * 1.4);
    softGloss(cr, face, x, y, w, h, 12, s.gloss);
    outline(cr, face, 2, state == 3 ? 0.45 : OUTLINE_ALPHA);
    const double cx = SCROLL_W / 2.0, cy = SCROLL_H / 2.0 + s.dy, k = right ? 1 : -1;
    auto arrow = [=](cairo_t* p) {
        cairo_move_to(p, cx + k * 8, cy);
        cairo_line_to(p, cx - k * 6, cy - 12);
        cairo_line_to(p, cx - k * 6, cy + 12);
        cairo_close_path(p);
    };
    arrow(cr);
    cairo_set_line_width(cr, basePx(cr, 3));
    setColor(cr, state == 3 ? IRON_DARK : INK, state == 3 ? 0.4 : 0.75);
    cairo_stroke_preserve(cr);
    setColor(cr, state == 3 ? lighter(STONE, 0.3) : WHITE);
    cairo_fill(cr);
}

// A round leaf-green button with a curved arrow turning back to the left.
void back(cairo_t* cr, int state) {
    const State s = stateOf(state);
    const double c = RETURN / 2.0, r = RETURN / 2.0 - 6 + s.grow, cy = c + s.dy;
    auto disc = [=](cairo_t* p) { ellipse(p, c, cy, r, r); };
    if (!s.flat)
        shadow(cr, disc, state == 2 ? 0.25 : SHADOW_ALPHA, state == 2 ? 1 : 2, state == 2 ? 1 : 3);
    fillRound(cr, disc, tint(GREEN, state), c - r, cy - r, 2 * r, 2 * r, s.strength);
    if (s.gloss > 0)
        gloss(cr, disc, c - r * 0.3, cy - r * 0.45, r * 0.45, r * 0.25, s.gloss);
    outline(cr, disc, 2, state == 3 ? 0.45 : OUTLINE_ALPHA);
    auto arrow = [=](cairo_t* p) {
        // The arc of the arrow's shaft, then its head at the left end.
        cairo_new_sub_path(p);
        cairo_arc(p, c + 2, cy + 2, 13, M_PI * 1.05, M_PI * 2.2);
        cairo_arc_negative(p, c + 2, cy + 2, 7, M_PI * 2.2, M_PI * 1.05);
        cairo_close_path(p);
        cairo_move_to(p, c - 21, cy - 1);
        cairo_line_to(p, c - 7, cy - 1);
        cairo_line_to(p, c - 14, cy + 11);
        cairo_close_path(p);
    };
    arrow(cr);
    cairo_set_line_width(cr, basePx(cr, 3));
    setColor(cr, state == 3 ? IRON_DARK : INK, state == 3 ? 0.4 : 0.75);
    cairo_stroke(cr);
    arrow(cr);
    setColor(cr, state == 3 ? lighter(STONE, 0.3) : WHITE);
    cairo_fill(cr);
}

// The lug under an upgrade tip's wooden frame, pointing down at the offer it describes.
void lug(cairo_t* cr) {
    auto shape = [](cairo_t* c) {
        cairo_move_to(c, 2, 1);
        cairo_line_to(c, LUG_W - 2, 1);
        cairo_line_to(c, LUG_W / 2.0 + 2, LUG_H - 3);
        cairo_curve_to(c, LUG_W / 2.0 + 1, LUG_H - 1.5, LUG_W / 2.0 - 1, LUG_H - 1.5, LUG_W / 2.0 - 2, LUG_H - 3);
        cairo_close_path(c);
    };
    shadow(cr, shape, SHADOW_ALPHA * 0.6, 1, 2, 2);
    fillFlat(cr, shape, lighter(WOOD, 0.12), 0, 0, LUG_W, LUG_H);
    innerShade(cr, shape, 2, 0.25);
    outline(cr, shape);
}

template <class Fn> void strip(const std::string& name, int w, int h, int frames, Fn fn) {
    Canvas c(w * frames, h);
    Sheet::draw(c, w, h, frames, [&](cairo_t* cr, int i, double) { fn(cr, i); });
    Output::large(c, DIR + name);
}

} // namespace

void generate() {
    strip("upgrade_button.png", BUTTON, BUTTON, 4, tile);
    strip("coin.png", COIN, COIN, 2, [](cairo_t* cr, int i) { coin(cr, i == 0); });
    strip("lock.png", LOCK_W, LOCK_H, 1, [](cairo_t* cr, int) { lock(cr); });
    strip("tick_badge.png", TICK, TICK, 1, [](cairo_t* cr, int) { tickBadge(cr); });
    strip("tick.png", TICK, TICK, 1, [](cairo_t* cr, int) { tick(cr); });
    strip("scroll_left.png", SCROLL_W, SCROLL_H, 4, [](cairo_t* cr, int i) { scroll(cr, i, false); });
    strip("scroll_right.png", SCROLL_W, SCROLL_H, 4, [](cairo_t* cr, int i) { scroll(cr, i, true); });
    strip("return.png", RETURN, RETURN, 4, back);
    strip("tip_lug.png", LUG_W, LUG_H, 1, [](cairo_t* cr, int) { lug(cr); });
}

} // namespace UpgradePanel
