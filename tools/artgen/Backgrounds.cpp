#include "Backgrounds.h"

#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <string>

using namespace Paint;
using namespace Palette;

namespace Backgrounds {

namespace {

constexpr int W = 1024;
constexpr int H = 768;

void sky(cairo_t* cr, Rgb top, Rgb bottom, double horizon) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, horizon);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

void sunGlow(cairo_t* cr, double x, double y, double r, Rgb colour) {
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.95);
    cairo_pattern_add_color_stop_rgba(p, 0.12, colour.r, colour.g, colour.b, 0.8);
    cairo_pattern_add_color_stop_rgba(p, 1, colour.r, colour.g, colour.b, 0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

void cloud(cairo_t* cr, double x, double y, double s, double alpha) {
    auto puffs = [=](cairo_t* c) {
        ellipse(c, x, y, 46 * s, 22 * s);
        ellipse(c, x - 34 * s, y + 6 * s, 30 * s, 16 * s);
        ellipse(c, x + 36 * s, y + 4 * s, 34 * s, 18 * s);
        ellipse(c, x - 8 * s, y - 14 * s, 28 * s, 20 * s);
        ellipse(c, x + 18 * s, y - 10 * s, 24 * s, 18 * s);
    };
    puffs(cr);
    setColor(cr, WHITE, alpha);
    cairo_fill(cr);
    // Shade on the underside, away from the light.
    cairo_save(cr);
    puffs(cr);
    cairo_clip(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y - 20 * s, 0, y + 24 * s);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.55, 0.68, 0.82, 0.35 * alpha);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

// A rolling hill line from the left edge to the right, filled down to the bottom.
void hill(cairo_t* cr, double baseY, double amp, double freq, double phase, Rgb colour, Rgb lowColour) {
    auto path = [=](cairo_t* c) {
        cairo_move_to(c, 0, H);
        for (int x = 0; x <= W; x += 8) {
            const double y =
                baseY - amp * (0.6 * std::sin(x * freq + phase) + 0.4 * std::sin(x * freq * 2.3 + phase * 1.7));
            cairo_line_to(c, x, y);
        }
        cairo_line_to(c, W, H);
        cairo_close_path(c);
    };
    path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, baseY - amp, 0, baseY + 160);
    cairo_pattern_add_color_stop_rgb(p, 0, colour.r, colour.g, colour.b);
    cairo_pattern_add_color_stop_rgb(p, 1, lowColour.r, lowColour.g, lowColour.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void tree(cairo_t* cr, double x, double y, double s, Rgb leaves) {
    auto trunk = [=](cairo_t* c) {
        cairo_move_to(c, x - 5 * s, y);
        cairo_line_to(c, x - 3 * s, y - 40 * s);
        cairo_line_to(c, x + 3 * s, y - 40 * s);
        cairo_line_to(c, x + 5 * s, y);
        cairo_close_path(c);
    };
    auto crown = [=](cairo_t* c) {
        ellipse(c, x, y - 58 * s, 30 * s, 28 * s);
        ellipse(c, x - 20 * s, y - 44 * s, 20 * s, 17 * s);
        ellipse(c, x + 21 * s, y - 46 * s, 19 * s, 17 * s);
        ellipse(c, x + 4 * s, y - 80 * s, 20 * s, 16 * s);
    };
    ellipse(cr, x + 10 * s, y, 30 * s, 6 * s);
    setColor(cr, GRASS_DARK, 0.35);
    cairo_fill(cr);
    fillFlat(cr, trunk, WOOD_DARK, x - 5 * s, y - 40 * s, 10 * s, 40 * s);
    fillRound(cr, crown, leaves, x - 40 * s, y - 96 * s, 80 * s, 70 * s);
    // Leafy clumps catching the light.
    for (int i = 0; i < 5; ++i) {
        const double lx = x - 18 * s + hashNoise(i, int(x), 2) * 30 * s;
        const double ly = y - 84 * s + hashNoise(i, int(y), 3) * 36 * s;
        ellipse(cr, lx, ly, 7 * s, 5 * s);
    }
    setColor(cr, lighter(leaves, 0.3), 0.5);
    cairo_fill(cr);
}

void pine(cairo_t* cr, double x, double y, double s, Rgb colour) {
    auto shape = [=](cairo_t* c) {
        for (int i = 0; i < 3; ++i) {
            const double ty = y - 20 * s - i * 22 * s;
            const double w = (30 - i * 7) * s;
            cairo_move_to(c, x - w, ty);
            cairo_line_to(c, x, ty - 34 * s);
            cairo_line_to(c, x + w, ty);
            cairo_close_path(c);
        }
        cairo_rectangle(c, x - 3 * s, y - 22 * s, 6 * s, 22 * s);
    };
    fillRound(cr, shape, colour, x - 30 * s, y - 110 * s, 60 * s, 110 * s);
}

void fence(cairo_t* cr, double x0, double x1, double y, double s) {
    const Rgb wood = lighter(WOOD, 0.1);
    for (double x = x0; x <= x1; x += 34 * s) {
        auto post = [=](cairo_t* c) { roundedRect(c, x - 4 * s, y - 40 * s, 8 * s, 44 * s, 2 * s); };
        fillFlat(cr, post, wood, x - 4 * s, y - 40 * s, 8 * s, 44 * s);
    }
    for (double ry : {y - 30 * s, y - 14 * s}) {
        auto rail = [=](cairo_t* c) { roundedRect(c, x0 - 6 * s, ry, x1 - x0 + 12 * s, 6 * s, 3 * s); };
        fillFlat(cr, rail, wood, x0, ry, x1 - x0, 6 * s);
    }
}

void flowers(cairo_t* cr, double x0, double y0, double x1, double y1, int count, int seed) {
    const Rgb colours[] = {WHITE, YELLOW, PINK, lighter(PURPLE, 0.3), lighter(RED, 0.2)};
    for (int i = 0; i < count; ++i) {
        const double x = x0 + hashNoise(i, 1, seed) * (x1 - x0);
        const double t = hashNoise(i, 2, seed);
        const double y = y0 + t * (y1 - y0);
        // Nearer flowers (lower) are bigger.
        const double r = 1.5 + 3.0 * t;
        const Rgb c = colours[int(hashNoise(i, 3, seed) * 4.99)];
        for (int p = 0; p < 5; ++p) {
            const double a = p * 2 * M_PI / 5;
            ellipse(cr, x + r * std::cos(a), y + r * 0.7 * std::sin(a), r * 0.75, r * 0.6);
        }
        setColor(cr, c, 0.95);
        cairo_fill(cr);
        ellipse(cr, x, y, r * 0.45, r * 0.4);
        setColor(cr, GOLD);
        cairo_fill(cr);
    }
}

void grassTufts(cairo_t* cr, double x0, double y0, double x1, double y1, int count, int seed, Rgb colour) {
    for (int i = 0; i < count; ++i) {
        const double x = x0 + hashNoise(i, 5, seed) * (x1 - x0);
        const double t = hashNoise(i, 6, seed);
        const double y = y0 + t * (y1 - y0);
        const double h = 6 + 12 * t;
        for (int b = -2; b <= 2; ++b) {
            cairo_move_to(cr, x + b * 2.0 - 1.2, y);
            cairo_curve_to(cr, x + b * 2.5, y - h * 0.5, x + b * 4.0, y - h * 0.8, x + b * 5.0, y - h);
            cairo_curve_to(cr, x + b * 3.0, y - h * 0.7, x + b * 2.0, y - h * 0.4, x + b * 2.0 + 1.2, y);
            cairo_close_path(cr);
        }
    }
    setColor(cr, colour, 0.8);
    cairo_fill(cr);
}

// Soft darkening of the corners keeps the eye on the board.
void vignette(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_radial(W * 0.45, H * 0.5, H * 0.45, W * 0.45, H * 0.5, W * 0.75);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.1, 0.05, 0, 0.28);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

// Sunny morning meadow: hills, round trees, a fence, flowers.
void meadow(cairo_t* cr) {
    sky(cr, hex(0x6EC3EE), lighter(SKY, 0.45), 330);
    sunGlow(cr, 120, 90, 260, GOLD_LIGHT);
    cloud(cr, 300, 90, 1.0, 0.95);
    cloud(cr, 640, 60, 0.8, 0.9);
    cloud(cr, 880, 130, 1.2, 0.95);
    cloud(cr, 90, 200, 0.6, 0.8);
    hill(cr, 300, 26, 0.006, 1.0, mix(GRASS_LIGHT, SKY, 0.45), mix(GRASS, SKY, 0.3));
    for (int i = 0; i < 7; ++i)
        pine(cr, 560 + i * 60 + hashNoise(i, 1, 9) * 20, 300 + hashNoise(i, 2, 9) * 10, 0.45,
             mix(GRASS_DARK, SKY, 0.35));
    hill(cr, 370, 34, 0.0045, 3.2, mix(GRASS_LIGHT, GRASS, 0.3), GRASS);
    tree(cr, 60, 380, 1.0, GRASS);
    tree(cr, 960, 360, 1.2, mix(GRASS, GRASS_DARK, 0.3));
    tree(cr, 880, 395, 0.8, GRASS);
    hill(cr, 470, 22, 0.003, 0.4, GRASS_LIGHT, mix(GRASS_LIGHT, GRASS, 0.6));
    fence(cr, 690, 1030, 470, 0.9);
    grassTufts(cr, 0, 470, W, H, 220, 1, GRASS);
    flowers(cr, 0, 480, W, H, 160, 2);
    vignette(cr);
}

// Late afternoon by the river: warm sky, willows, the pier.
void river(cairo_t* cr) {
    sky(cr, hex(0x7CC6EC), hex(0xFFE2B0), 340);
    sunGlow(cr, 860, 120, 300, hex(0xFFD27A));
    cloud(cr, 220, 110, 1.1, 0.9);
    cloud(cr, 520, 70, 0.7, 0.85);
    cloud(cr, 760, 190, 0.6, 0.75);
    hill(cr, 320, 30, 0.005, 2.0, mix(GRASS, SKY, 0.5), mix(GRASS, SKY, 0.25));
    hill(cr, 380, 24, 0.004, 5.0, mix(GRASS_LIGHT, GRASS, 0.5), GRASS);
    grassTufts(cr, 0, 420, W, H, 240, 7, GRASS);
    flowers(cr, 0, 430, 760, H, 140, 9);
    // The river winds from the back to the front right.
    auto water = [](cairo_t* c) {
        cairo_move_to(c, 600, 392);
        cairo_curve_to(c, 700, 400, 640, 470, 760, 520);
        cairo_curve_to(c, 860, 560, 900, 640, 880, H);
        cairo_line_to(c, W, H);
        cairo_line_to(c, W, 560);
        cairo_curve_to(c, 940, 520, 860, 480, 800, 440);
        cairo_curve_to(c, 740, 400, 720, 392, 660, 388);
        cairo_close_path(c);
    };
    water(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 388, 0, H);
    cairo_pattern_add_color_stop_rgb(p, 0, SKY.r, SKY.g, SKY.b);
    cairo_pattern_add_color_stop_rgb(p, 1, DEEP_WATER.r, DEEP_WATER.g, DEEP_WATER.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Glints on the water.
    cairo_save(cr);
    water(cr);
    cairo_clip(cr);
    for (int i = 0; i < 40; ++i) {
        const double x = 620 + hashNoise(i, 1, 4) * 400, y = 400 + hashNoise(i, 2, 4) * 360;
        const double len = 6 + (y - 400) / 20;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + len, y);
    }
    cairo_set_line_width(cr, 2);
    setColor(cr, WHITE, 0.55);
    cairo_stroke(cr);
    cairo_restore(cr);
    // The pier.
    const Rgb plank = lighter(WOOD, 0.05);
    for (int i = 0; i < 4; ++i) {
        auto post = [i](cairo_t* c) { roundedRect(c, 842 + i * 44, 600, 9, 60, 2); };
        fillFlat(cr, post, WOOD_DARK, 842 + i * 44, 600, 9, 60);
    }
    auto deck = [](cairo_t* c) {
        cairo_move_to(c, 800, 590);
        cairo_line_to(c, 1024, 570);
        cairo_line_to(c, 1024, 606);
        cairo_line_to(c, 800, 618);
        cairo_close_path(c);
    };
    fillFlat(cr, deck, plank, 800, 570, 224, 48);
    for (int i = 1; i < 9; ++i) {
        const double x = 800 + i * 26;
        cairo_move_to(cr, x, 590 - i * 2.2);
        cairo_line_to(cr, x, 618 - i * 1.4);
    }
    cairo_set_line_width(cr, 1.2);
    setColor(cr, WOOD_DARK, 0.6);
    cairo_stroke(cr);
    // Willows and reeds on the near bank.
    tree(cr, 70, 400, 1.1, mix(GRASS, GRASS_DARK, 0.2));
    tree(cr, 560, 392, 0.7, GRASS);
    tree(cr, 990, 420, 0.9, mix(GRASS, GRASS_DARK, 0.4));
    vignette(cr);
}

} // namespace

void generate() {
    {
        Canvas c(W, H);
        meadow(c.cr());
        Output::large(c, std::string(FOLDER) + "level_bg1.png");
    }
    {
        Canvas c(W, H);
        river(c.cr());
        Output::large(c, std::string(FOLDER) + "level_bg2.png");
    }
}

} // namespace Backgrounds
