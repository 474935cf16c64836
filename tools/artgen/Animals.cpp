#include "Animals.h"

#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <string>

using namespace Paint;
using namespace Palette;

namespace Animals {

namespace {

void groundShadow(cairo_t* cr, double cx, double cy, double rx) {
    ellipse(cr, cx, cy, rx, rx * 0.25);
    setColor(cr, INK, 0.2);
    cairo_fill(cr);
}

void stroke2(cairo_t* cr, double w, Rgb c) {
    cairo_set_line_width(cr, w + 2.2);
    setColor(cr, INK, 0.85);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, w);
    setColor(cr, c);
    cairo_stroke(cr);
}

void eye(cairo_t* cr, double x, double y, double r, bool closed = false) {
    if (closed) {
        cairo_move_to(cr, x - r, y);
        cairo_line_to(cr, x + r, y);
        cairo_set_line_width(cr, basePx(cr, 1));
        setColor(cr, INK);
        cairo_stroke(cr);
        return;
    }
    ellipse(cr, x, y, r, r * 1.15);
    setColor(cr, INK);
    cairo_fill(cr);
    ellipse(cr, x + r * 0.3, y - r * 0.4, r * 0.35, r * 0.35);
    setColor(cr, WHITE);
    cairo_fill(cr);
}

// A hen pecking: the head dips to the ground twice a loop. 32 x 32, facing left.
void chicken(cairo_t* cr, double ph, Rgb colour) {
    const double dip = std::pow(std::max(0.0, std::sin(4 * M_PI * ph)), 2);
    groundShadow(cr, 16, 29, 9);
    for (double x : {14.0, 19.0}) {
        cairo_move_to(cr, x, 22);
        cairo_line_to(cr, x, 28);
        cairo_line_to(cr, x - 2.5, 29);
        cairo_set_line_width(cr, 1.4);
        setColor(cr, ORANGE);
        cairo_stroke(cr);
    }
    auto body = [=](cairo_t* p) {
        ellipse(p, 17, 18, 8, 6);
        // Tail feathers.
        cairo_move_to(p, 22, 16);
        cairo_line_to(p, 27, 8);
        cairo_line_to(p, 28, 14);
        cairo_line_to(p, 24, 20);
        cairo_close_path(p);
    };
    silhouette(cr, body, colour, 9, 8, 20, 16, false);
    // Wing.
    cairo_move_to(cr, 14, 17);
    cairo_curve_to(cr, 16, 22, 21, 22, 22, 17);
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, darker(colour, 0.3));
    cairo_stroke(cr);
    // Head on a neck that bends down.
    const double hx = 10 - dip * 2, hy = 11 + dip * 12;
    cairo_move_to(cr, 13, 15);
    cairo_line_to(cr, hx + 1, hy + 1);
    cairo_set_line_width(cr, 5);
    setColor(cr, colour);
    cairo_stroke(cr);
    auto head = [=](cairo_t* p) { ellipse(p, hx, hy, 4, 3.8); };
    roundThing(cr, head, colour, hx - 4, hy - 4, 8, 8, false);
    // Comb and wattle.
    ellipse(cr, hx + 0.5, hy - 4, 2.2, 1.6);
    ellipse(cr, hx - 1.5, hy + 3.5, 1.2, 1.6);
    setColor(cr, RED);
    cairo_fill(cr);
    cairo_move_to(cr, hx - 3.5, hy - 0.8);
    cairo_line_to(cr, hx - 7, hy + 0.2);
    cairo_line_to(cr, hx - 3.5, hy + 1.2);
    cairo_close_path(cr);
    setColor(cr, ORANGE);
    cairo_fill(cr);
    eye(cr, hx - 1, hy - 0.8, 0.9);
    if (dip > 0.8) {
        // Seeds jump where the beak lands.
        for (int i = 0; i < 3; ++i) {
            ellipse(cr, hx - 6 + i * 2.5, 28 - (i % 2) * 2, 0.9, 0.7);
            setColor(cr, GOLD);
            cairo_fill(cr);
        }
    }
}

// A grazing cow: the head lowers to the grass, the tail swishes. 64 x 48, facing left.
void cow(cairo_t* cr, double ph) {
    const double graze = 0.5 - 0.5 * std::cos(2 * M_PI * ph), swish = std::sin(2 * M_PI * ph * 2);
    groundShadow(cr, 34, 44, 22);
    for (double x : {18.0, 26.0, 42.0, 50.0}) {
        auto leg = [=](cairo_t* p) { roundedRect(p, x - 2.5, 28, 5, 15, 2); };
        fillFlat(cr, leg, WHITE, x - 2.5, 28, 5, 15);
        outline(cr, leg, 1.2);
        cairo_rectangle(cr, x - 2.5, 40, 5, 3);
        setColor(cr, INK, 0.85);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 55, 22);
    cairo_curve_to(cr, 60, 26, 60 + swish * 2, 32, 58 + swish * 3, 37);
    stroke2(cr, 1.6, WHITE);
    ellipse(cr, 58 + swish * 3, 38, 2, 2.5);
    setColor(cr, INK);
    cairo_fill(cr);
    auto body = [](cairo_t* p) { roundedRect(p, 14, 15, 42, 19, 9); };
    roundThing(cr, body, WHITE, 14, 15, 42, 19, false);
    // Black patches.
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    ellipse(cr, 30, 18, 7, 5);
    ellipse(cr, 46, 28, 6, 5);
    ellipse(cr, 53, 16, 4, 4);
    setColor(cr, mix(INK, IRON_DARK, 0.2));
    cairo_fill(cr);
    cairo_restore(cr);
    ellipse(cr, 44, 34, 4, 2.5);
    setColor(cr, PINK);
    cairo_fill(cr);
    // The head, lowering to graze.
    const double hx = 12 - graze * 2, hy = 16 + graze * 14;
    auto head = [=](cairo_t* p) {
        ellipse(p, hx, hy, 7, 7.5);
        ellipse(p, hx - 10 + 3, hy - 4, 3.5, 2);
        ellipse(p, hx + 7, hy - 4, 3.5, 2);
    };
    silhouette(cr, head, WHITE, hx - 10, hy - 8, 20, 16, false);
    // Horns and the pink muzzle.
    for (int s : {-1, 1}) {
        cairo_move_to(cr, hx + s * 3, hy - 6);
        cairo_line_to(cr, hx + s * 4, hy - 10);
        stroke2(cr, 1.6, CREAM);
    }
    auto muzzle = [=](cairo_t* p) { ellipse(p, hx, hy + 4.5, 5, 3.2); };
    fillRound(cr, muzzle, lighter(PINK, 0.3), hx - 5, hy + 1, 10, 7);
    outline(cr, muzzle, 1);
    for (int s : {-1, 1}) {
        ellipse(cr, hx + s * 2, hy + 4.5, 0.8, 0.8);
        setColor(cr, INK);
        cairo_fill(cr);
        eye(cr, hx + s * 3, hy - 1.5, 1.1, graze > 0.7);
    }
    // A bell on the collar.
    ellipse(cr, hx + 2, hy + 9, 1.8, 1.8);
    setColor(cr, GOLD);
    cairo_fill(cr);
}

// A goat hopping up and bleating. 48 x 44, facing left.
void goat(cairo_t* cr, double ph) {
    const double hop = std::max(0.0, std::sin(2 * M_PI * ph)) * 4;
    groundShadow(cr, 24, 41, 14);
    cairo_save(cr);
    cairo_translate(cr, 0, -hop);
    const Rgb fur = lighter(WOOD, 0.55);
    for (double x : {14.0, 19.0, 30.0, 35.0}) {
        cairo_move_to(cr, x, 28);
        cairo_line_to(cr, x + (hop > 1 ? (x < 25 ? -2 : 2) : 0), 39);
        stroke2(cr, 2.6, fur);
    }
    auto body = [](cairo_t* p) {
        ellipse(p, 25, 25, 13, 8);
        cairo_move_to(p, 37, 21);
        cairo_line_to(p, 42, 16);
        cairo_line_to(p, 39, 24);
        cairo_close_path(p);
    };
    silhouette(cr, body, fur, 12, 16, 30, 17, false);
    auto head = [](cairo_t* p) {
        ellipse(p, 12, 15, 6, 5.5);
        ellipse(p, 7, 18, 4, 3.5);
    };
    silhouette(cr, head, fur, 3, 9, 15, 13, false);
    // Horns, ear, beard.
    cairo_move_to(cr, 13, 10);
    cairo_curve_to(cr, 15, 4, 20, 4, 21, 8);
    stroke2(cr, 1.8, IRON);
    ellipse(cr, 17, 14, 3.5, 1.6);
    setColor(cr, darker(fur, 0.15));
    cairo_fill(cr);
    cairo_move_to(cr, 6, 21);
    cairo_line_to(cr, 7, 26);
    cairo_line_to(cr, 9, 21);
    setColor(cr, darker(fur, 0.2));
    cairo_fill(cr);
    eye(cr, 11, 13.5, 1.1);
    if (hop > 2) {
        ellipse(cr, 4, 19, 1.2, 1);
        setColor(cr, darker(RED, 0.3));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A sheep chewing, its head bobbing a little. 48 x 40, facing left.
void sheep(cairo_t* cr, double ph) {
    const double chew = std::sin(4 * M_PI * ph);
    groundShadow(cr, 24, 37, 15);
    for (double x : {15.0, 20.0, 29.0, 34.0}) {
        cairo_move_to(cr, x, 26);
        cairo_line_to(cr, x, 35);
        stroke2(cr, 2.6, INK);
    }
    auto wool = [](cairo_t* p) {
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4;
            ellipse(p, 25 + std::cos(a) * 9, 21 + std::sin(a) * 5.5, 5.5, 5);
        }
        ellipse(p, 25, 21, 10, 7);
    };
    silhouette(cr, wool, WHITE, 10, 11, 30, 20, false);
    const double hy = 17 + chew * 0.8;
    auto head = [=](cairo_t* p) { ellipse(p, 10, hy, 5.5, 6.5); };
    roundThing(cr, head, mix(INK, IRON_DARK, 0.4), 4.5, hy - 6.5, 11, 13, false);
    ellipse(cr, 14.5, hy - 3, 3.5, 1.6);
    setColor(cr, mix(INK, IRON_DARK, 0.4));
    cairo_fill(cr);
    auto tuft = [=](cairo_t* p) {
        ellipse(p, 10, hy - 6, 3.5, 2.6);
        ellipse(p, 13, hy - 5, 2.6, 2.2);
    };
    silhouette(cr, tuft, WHITE, 6, hy - 9, 10, 6, false);
    eye(cr, 8, hy - 1.5, 1.0);
    cairo_move_to(cr, 7, hy + 4 + chew * 0.5);
    cairo_line_to(cr, 10, hy + 4);
    cairo_set_line_width(cr, basePx(cr, 0.8));
    setColor(cr, WHITE, 0.8);
    cairo_stroke(cr);
}

// A songbird hopping on the ground. 24 x 24, facing left.
void bird(cairo_t* cr, double ph) {
    const double hop = std::max(0.0, std::sin(2 * M_PI * ph)) * 3;
    groundShadow(cr, 12, 22, 5);
    cairo_save(cr);
    cairo_translate(cr, 0, -hop);
    cairo_move_to(cr, 11, 17);
    cairo_line_to(cr, 11, 21);
    cairo_move_to(cr, 14, 17);
    cairo_line_to(cr, 14, 21);
    cairo_set_line_width(cr, 1);
    setColor(cr, ORANGE);
    cairo_stroke(cr);
    auto body = [](cairo_t* p) {
        ellipse(p, 13, 13, 6, 5);
        ellipse(p, 8, 9, 4, 3.8);
        cairo_move_to(p, 17, 12);
        cairo_line_to(p, 22, 9);
        cairo_line_to(p, 20, 14);
        cairo_close_path(p);
    };
    silhouette(cr, body, BLUE, 4, 5, 18, 13, false);
    ellipse(cr, 11, 15, 3.5, 2.5);
    setColor(cr, lighter(ORANGE, 0.3));
    cairo_fill(cr);
    cairo_move_to(cr, 4.5, 8.5);
    cairo_line_to(cr, 1.5, 9.5);
    cairo_line_to(cr, 4.5, 10.5);
    setColor(cr, ORANGE);
    cairo_fill(cr);
    eye(cr, 7, 8.5, 0.8);
    // The wing flicks on the hop.
    cairo_move_to(cr, 12, 11);
    cairo_curve_to(cr, 14, 9 - hop, 17, 10 - hop, 18, 12);
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, DEEP_WATER);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A bird flying: wings up and down. 32 x 24, facing left.
void birdFlying(cairo_t* cr, double ph) {
    const double flap = std::sin(2 * M_PI * ph);
    auto wing = [=](cairo_t* p) {
        cairo_move_to(p, 13, 12);
        cairo_curve_to(p, 14, 12 - flap * 10, 20, 12 - flap * 11, 24, 12 - flap * 9);
        cairo_curve_to(p, 20, 12 - flap * 4, 18, 13, 17, 13);
        cairo_close_path(p);
    };
    auto body = [](cairo_t* p) {
        ellipse(p, 16, 13, 7, 4);
        ellipse(p, 9, 11, 3.6, 3.4);
        cairo_move_to(p, 22, 12);
        cairo_line_to(p, 28, 10);
        cairo_line_to(p, 27, 15);
        cairo_close_path(p);
    };
    silhouette(cr, body, BLUE, 5, 8, 23, 9, false);
    cairo_move_to(cr, 5.5, 10.5);
    cairo_line_to(cr, 3, 11.5);
    cairo_line_to(cr, 5.5, 12.5);
    setColor(cr, ORANGE);
    cairo_fill(cr);
    eye(cr, 8, 10.5, 0.7);
    silhouette(cr, wing, lighter(BLUE, 0.2), 13, 1, 11, 14, false);
}

// A small bee of the map. 20 x 20.
void bee(cairo_t* cr, double ph) {
    const double flap = std::sin(2 * M_PI * ph * 2), bob = std::sin(2 * M_PI * ph) * 1.2;
    cairo_translate(cr, 0, bob);
    for (int s : {0, 1}) {
        ellipse(cr, 10 + s * 2, 7 - flap * 1.5, 3, 2 + flap);
        setColor(cr, WHITE, 0.8);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, basePx(cr, 0.7));
        setColor(cr, INK, 0.5);
        cairo_stroke(cr);
    }
    auto body = [](cairo_t* p) { ellipse(p, 10, 11, 5.5, 4); };
    roundThing(cr, body, YELLOW, 4.5, 7, 11, 8, false);
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, 9, 6, 1.8, 10);
    cairo_rectangle(cr, 12.5, 6, 1.8, 10);
    setColor(cr, INK);
    cairo_fill(cr);
    cairo_restore(cr);
    eye(cr, 6.3, 10, 0.7);
}

// Butterflies flapping, seen from above. 32 x 32; three kinds.
void butterfly(cairo_t* cr, double ph, int kind) {
    const Rgb colours[3][2] = {{ORANGE, YELLOW}, {BLUE, lighter(SKY, 0.3)}, {PINK, WHITE}};
    const Rgb a = colours[kind][0], b = colours[kind][1];
    // Wing span shrinks as the wings fold up; never to nothing, so it always reads.
    const double open = 0.25 + 0.75 * std::abs(std::cos(M_PI * ph));
    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    for (int s : {-1, 1}) {
        cairo_save(cr);
        cairo_scale(cr, s * open, 1);
        auto wings = [](cairo_t* p) {
            ellipse(p, 7, -5, 7, 7.5);
            ellipse(p, 5.5, 6, 5, 5.5);
        };
        silhouette(cr, wings, a, 0, -12, 14, 23, false);
        ellipse(cr, 8, -6, 2.5, 2.5);
        setColor(cr, b);
        cairo_fill(cr);
        ellipse(cr, 6, 6, 1.6, 1.6);
        setColor(cr, b);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    ellipse(cr, 0, 0, 1.6, 8);
    setColor(cr, INK);
    cairo_fill(cr);
    for (int s : {-1, 1}) {
        cairo_move_to(cr, 0, -7);
        cairo_curve_to(cr, s * 1, -11, s * 3, -12, s * 4, -13);
    }
    cairo_set_line_width(cr, 0.8);
    setColor(cr, INK);
    cairo_stroke(cr);
    cairo_restore(cr);
}

template <typename Fn> void sheet(int w, int h, int frames, const std::string& name, Fn fn) {
    Canvas c(w * frames, h);
    Sheet::draw(c, w, h, frames, [&](cairo_t* cr, int i, double phase) { fn(cr, i, phase); });
    Output::small(c, std::string(FOLDER) + name + ".png");
}

} // namespace

void generate() {
    sheet(32, 32, 8, "chicken", [](cairo_t* cr, int, double p) { chicken(cr, p, WHITE); });
    sheet(32, 32, 8, "chicken_brown", [](cairo_t* cr, int, double p) { chicken(cr, p, mix(WOOD, ORANGE, 0.5)); });
    sheet(64, 48, 8, "cow", [](cairo_t* cr, int, double p) { cow(cr, p); });
    sheet(48, 44, 8, "goat", [](cairo_t* cr, int, double p) { goat(cr, p); });
    sheet(48, 40, 8, "sheep", [](cairo_t* cr, int, double p) { sheep(cr, p); });
    sheet(24, 24, 8, "bird", [](cairo_t* cr, int, double p) { bird(cr, p); });
    sheet(32, 24, 8, "bird_flying", [](cairo_t* cr, int, double p) { birdFlying(cr, p); });
    sheet(20, 20, 8, "bee", [](cairo_t* cr, int, double p) { bee(cr, p); });
    for (int k = 0; k < 3; ++k)
        sheet(32, 32, 8, "butterfly" + std::to_string(k + 1), [k](cairo_t* cr, int, double p) { butterfly(cr, p, k); });
}

} // namespace Animals
