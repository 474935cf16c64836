#include "Map.h"

#include "Buildings.h"
#include "Output.h"
#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace Paint;
using namespace Palette;

namespace Map {

namespace {

constexpr int W = 1024;
constexpr int H = 768;

struct Pt {
    double x, y;
};

// The building points and the path crossings of the map plan (docs/map-plan.md).
const Pt POINTS[26] = {{270, 200}, {120, 340}, {110, 185}, {770, 180}, {280, 330}, {445, 345}, {430, 180},
                       {615, 335}, {600, 195}, {780, 350}, {640, 490}, {800, 480}, {775, 630}, {105, 490},
                       {625, 640}, {265, 480}, {935, 645}, {945, 500}, {540, 470}, {505, 620}, {440, 500},
                       {240, 625}, {930, 200}, {935, 330}, {385, 640}, {95, 640}};
const bool SMALL[26] = {false, false, false, false, false, false, false, false, false, false, false, false, false,
                        false, false, false, false, true,  true,  true,  true,  true,  false, false, false, false};
const Pt CROSS[9] = {{190, 260}, {520, 260}, {860, 265}, {190, 400}, {540, 400},
                     {870, 400}, {170, 545}, {450, 560}, {720, 555}};
// Which crossings each building joins (from the plan's table).
const std::vector<std::pair<int, int>> JOINS = {
    {2, 0},  {0, 0},  {1, 0},  {4, 0},  {6, 1},  {8, 1},  {5, 1},  {7, 1},  {3, 2},  {22, 2}, {9, 2},  {23, 2},
    {1, 3},  {4, 3},  {13, 3}, {15, 3}, {5, 4},  {7, 4},  {20, 4}, {18, 4}, {9, 5},  {23, 5}, {11, 5}, {17, 5},
    {13, 6}, {15, 6}, {25, 6}, {21, 6}, {20, 7}, {24, 7}, {19, 7}, {10, 8}, {11, 8}, {14, 8}, {12, 8}};
const std::vector<std::pair<int, int>> CROSS_LINKS = {{0, 1}, {1, 2}, {3, 4}, {4, 5}, {6, 7}, {7, 8},
                                                      {0, 3}, {3, 6}, {1, 4}, {4, 7}, {2, 5}, {5, 8}};

// On the ground a building stands on (its plot): nothing grows there. Trees and flowers behind
// it are fine; a building drawn over them hides them as a house hides what is behind it.
bool onPlot(double x, double y, double margin) {
    for (int i = 0; i < 26; ++i) {
        const double hw = (SMALL[i] ? Buildings::SMALL_W : Buildings::W) / 2.0 + margin;
        const double top = SMALL[i] ? Buildings::SMALL_PLOT_H : Buildings::PLOT_H;
        if (x > POINTS[i].x - hw && x < POINTS[i].x + hw && y > POINTS[i].y - top - margin && y < POINTS[i].y + margin)
            return true;
    }
    return false;
}

// The pond in the lower right: the bank runs from the right edge down to the bottom.
void pondPath(cairo_t* c) {
    cairo_move_to(c, W, 505);
    cairo_curve_to(c, 975, 515, 945, 550, 942, 600);
    cairo_curve_to(c, 940, 650, 925, 680, 870, 695);
    cairo_curve_to(c, 825, 710, 800, 740, 790, H);
    cairo_line_to(c, W, H);
    cairo_close_path(c);
}

bool inPond(double x, double y) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* c = cairo_create(s);
    pondPath(c);
    const bool in = cairo_in_fill(c, x, y);
    cairo_destroy(c);
    cairo_surface_destroy(s);
    return in;
}

void grass(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 60, 0, H);
    const Rgb top = mix(GRASS_LIGHT, GRASS, 0.35), low = mix(GRASS_LIGHT, GRASS, 0.65);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, low.r, low.g, low.b);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    // Soft patches of lighter and darker grass, so the meadow is not flat.
    for (int i = 0; i < 60; ++i) {
        const double x = hashNoise(i, 1, 31) * W, y = 70 + hashNoise(i, 2, 31) * (H - 70);
        const double r = 30 + hashNoise(i, 3, 31) * 70;
        const bool light = hashNoise(i, 4, 31) > 0.5;
        cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
        const Rgb c = light ? GRASS_LIGHT : GRASS;
        cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, 0.35);
        cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
        cairo_set_source(cr, g);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void skyBand(cairo_t* cr) {
    auto band = [](cairo_t* c) {
        cairo_move_to(c, 0, 0);
        cairo_line_to(c, W, 0);
        cairo_line_to(c, W, 62);
        for (int x = W; x >= 0; x -= 8)
            cairo_line_to(c, x, 66 + 6 * std::sin(x * 0.011) + 3 * std::sin(x * 0.037));
        cairo_close_path(c);
    };
    band(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 70);
    const Rgb top = hex(0x6EC3EE), low = lighter(SKY, 0.4);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, low.r, low.g, low.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Small clouds and distant blue hills.
    for (int i = 0; i < 6; ++i) {
        const double x = 80 + i * 180 + hashNoise(i, 1, 40) * 60, y = 18 + hashNoise(i, 2, 40) * 16;
        for (int j = 0; j < 4; ++j)
            ellipse(cr, x + (j - 1.5) * 14, y + (j % 2) * 3, 16 - std::abs(j - 1.5) * 3, 8);
        setColor(cr, WHITE, 0.85);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 0, 70);
    for (int x = 0; x <= W; x += 8)
        cairo_line_to(cr, x, 52 - 10 * std::sin(x * 0.008 + 1) - 5 * std::sin(x * 0.023));
    cairo_line_to(cr, W, 80);
    cairo_line_to(cr, 0, 80);
    cairo_close_path(cr);
    setColor(cr, mix(GRASS, SKY, 0.55));
    cairo_fill(cr);
}

// The hedge along the top of the meadow: round leafy clumps in two rows, each lit from the top
// left like the trees, on a shaded base, with a soft shadow on the grass and a few blossoms.
void hedge(cairo_t* cr) {
    auto foot = [](double x) { return 80 + 3 * std::sin(x * 0.013) + 2 * std::sin(x * 0.041); };
    // Its shadow on the meadow, then the dark base that closes the gaps between the clumps.
    cairo_move_to(cr, 0, foot(0) - 4);
    for (int x = 0; x <= W; x += 8)
        cairo_line_to(cr, x, foot(x) + 5);
    cairo_line_to(cr, W, foot(W) - 4);
    cairo_close_path(cr);
    setColor(cr, GRASS_DARK, 0.35);
    cairo_fill(cr);
    auto base = [&](cairo_t* p) {
        cairo_move_to(p, 0, foot(0) - 16);
        for (int x = 0; x <= W; x += 8)
            cairo_line_to(p, x, foot(x) - 16);
        for (int x = W; x >= 0; x -= 8)
            cairo_line_to(p, x, foot(x));
        cairo_close_path(p);
    };
    fillFlat(cr, base, darker(GRASS_DARK, 0.1), 0, 60, W, 24, 0.6);
    const Rgb rows[2] = {mix(GRASS_DARK, GRASS, 0.25), mix(GRASS, GRASS_DARK, 0.35)};
    for (int row = 0; row < 2; ++row) {
        const double step = row == 0 ? 23 : 27;
        for (int i = -1; i * step < W + 30; ++i) {
            const double x = i * step + (row == 0 ? 0 : 11) + hashNoise(i, row, 42) * 8;
            const double r = (row == 0 ? 13 : 12) + hashNoise(i, row + 2, 42) * 5;
            const double y = foot(x) - (row == 0 ? 22 : 13) - hashNoise(i, row + 4, 42) * 4;
            const Rgb leaves = mix(rows[row], GRASS_LIGHT, 0.12 * hashNoise(i, row + 6, 42));
            auto clump = [=](cairo_t* p) { ellipse(p, x, y, r * 1.1, r); };
            fillRound(cr, clump, leaves, x - r * 1.1, y - r, r * 2.2, r * 2);
            // Leaves catching the light on the upper left of the clump.
            for (int l = 0; l < 3; ++l) {
                const double a = M_PI * (1.05 + 0.35 * l + 0.2 * hashNoise(i, l, 43));
                ellipse(cr, x + std::cos(a) * r * 0.55, y + std::sin(a) * r * 0.5, r * 0.22, r * 0.14);
            }
            setColor(cr, lighter(leaves, 0.4), 0.5);
            cairo_fill(cr);
            // Now and then a blossom.
            if (row == 1 && hashNoise(i, 7, 42) > 0.62) {
                const double fx = x + (hashNoise(i, 8, 42) - 0.5) * r, fy = y + (hashNoise(i, 9, 42) - 0.3) * r * 0.6;
                for (int p = 0; p < 5; ++p) {
                    const double a = p * 2 * M_PI / 5;
                    ellipse(cr, fx + 1.8 * std::cos(a), fy + 1.8 * std::sin(a), 1.4, 1.4);
                }
                setColor(cr, hashNoise(i, 10, 42) > 0.5 ? WHITE : lighter(PINK, 0.25));
                cairo_fill(cr);
                ellipse(cr, fx, fy, 1, 1);
                setColor(cr, GOLD);
                cairo_fill(cr);
            }
        }
    }
}

void pathStroke(cairo_t* cr, const std::function<void(cairo_t*)>& shape) {
    // Edge, fill, and a lighter middle: a trodden soil path.
    shape(cr);
    cairo_set_line_width(cr, 26);
    setColor(cr, mix(SOIL, GRASS_DARK, 0.35), 0.55);
    cairo_stroke(cr);
    shape(cr);
    cairo_set_line_width(cr, 21);
    setColor(cr, SOIL);
    cairo_stroke(cr);
    shape(cr);
    cairo_set_line_width(cr, 9);
    setColor(cr, lighter(SOIL, 0.3), 0.7);
    cairo_stroke(cr);
}

void pathShape(cairo_t* c) {
    for (const auto& j : JOINS) {
        const Pt a = POINTS[j.first], b = CROSS[j.second];
        // Along the row to the gap, then through the gap to the crossing.
        cairo_move_to(c, a.x, a.y);
        cairo_curve_to(c, (a.x + b.x) / 2, a.y, b.x, a.y, b.x, (a.y + b.y) / 2);
        cairo_line_to(c, b.x, b.y);
    }
    for (const auto& l : CROSS_LINKS) {
        const Pt a = CROSS[l.first], b = CROSS[l.second];
        cairo_move_to(c, a.x, a.y);
        cairo_curve_to(c, a.x + (b.x - a.x) * 0.4, a.y + (b.y - a.y) * 0.2, a.x + (b.x - a.x) * 0.6,
                       a.y + (b.y - a.y) * 0.8, b.x, b.y);
    }
    // Along the water from the seed bed to the pier.
    cairo_move_to(c, POINTS[17].x, POINTS[17].y);
    cairo_curve_to(c, 915, 550, 910, 610, POINTS[16].x, POINTS[16].y);
}

bool onPath(double x, double y) {
    static cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    static cairo_t* c = nullptr;
    if (!c) {
        c = cairo_create(s);
        cairo_set_line_width(c, 32);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        pathShape(c);
    }
    return cairo_in_stroke(c, x, y);
}

void paths(cairo_t* cr) {
    auto shape = pathShape;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    pathStroke(cr, shape);
    // Little squares where paths cross.
    for (const Pt& c : CROSS) {
        ellipse(cr, c.x, c.y, 20, 13);
        setColor(cr, SOIL);
        cairo_fill(cr);
        ellipse(cr, c.x, c.y, 13, 8);
        setColor(cr, lighter(SOIL, 0.3), 0.6);
        cairo_fill(cr);
    }
}

void pond(cairo_t* cr) {
    // The bank, then the water.
    cairo_save(cr);
    cairo_translate(cr, -5, -5);
    pondPath(cr);
    cairo_restore(cr);
    setColor(cr, mix(SOIL, GRASS, 0.3));
    cairo_fill(cr);
    pondPath(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(850, 520, 1000, H);
    cairo_pattern_add_color_stop_rgb(p, 0, WATER.r, WATER.g, WATER.b);
    cairo_pattern_add_color_stop_rgb(p, 1, DEEP_WATER.r, DEEP_WATER.g, DEEP_WATER.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_save(cr);
    pondPath(cr);
    cairo_clip(cr);
    // The sky's reflection along the bank, and glints.
    pondPath(cr);
    cairo_set_line_width(cr, 14);
    setColor(cr, SKY, 0.45);
    cairo_stroke(cr);
    for (int i = 0; i < 40; ++i) {
        const double x = 800 + hashNoise(i, 1, 60) * 224, y = 530 + hashNoise(i, 2, 60) * 240;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 8 + hashNoise(i, 3, 60) * 10, y);
    }
    cairo_set_line_width(cr, 2);
    setColor(cr, WHITE, 0.55);
    cairo_stroke(cr);
    // Lily pads.
    for (const Pt& l : {Pt{1000, 700}, Pt{880, 740}, Pt{990, 580}}) {
        cairo_move_to(cr, l.x, l.y);
        cairo_arc(cr, l.x, l.y, 9, 0.3, 2 * M_PI - 0.1);
        cairo_close_path(cr);
        setColor(cr, GRASS_DARK);
        cairo_fill(cr);
        ellipse(cr, l.x + 3, l.y - 2, 2.5, 2.5);
        setColor(cr, PINK);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Reeds on the bank.
    for (const Pt& r : {Pt{962, 530}, Pt{945, 580}, Pt{900, 690}, Pt{820, 735}}) {
        for (int b = -2; b <= 2; ++b) {
            cairo_move_to(cr, r.x + b * 2, r.y);
            cairo_curve_to(cr, r.x + b * 3, r.y - 10, r.x + b * 4, r.y - 16, r.x + b * 5, r.y - 22);
        }
        cairo_set_line_width(cr, 2);
        setColor(cr, GRASS_DARK);
        cairo_stroke(cr);
        ellipse(cr, r.x + 1, r.y - 20, 2, 5);
        setColor(cr, WOOD_DARK);
        cairo_fill(cr);
    }
}

void tree(cairo_t* cr, double x, double y, double s, int kind) {
    ellipse(cr, x + 8 * s, y, 24 * s, 6 * s);
    setColor(cr, GRASS_DARK, 0.4);
    cairo_fill(cr);
    auto trunk = [=](cairo_t* c) {
        cairo_move_to(c, x - 4 * s, y);
        cairo_line_to(c, x - 2.5 * s, y - 30 * s);
        cairo_line_to(c, x + 2.5 * s, y - 30 * s);
        cairo_line_to(c, x + 4 * s, y);
        cairo_close_path(c);
    };
    fillFlat(cr, trunk, WOOD_DARK, x - 4 * s, y - 30 * s, 8 * s, 30 * s);
    if (kind == 1) {
        auto pine = [=](cairo_t* c) {
            for (int i = 0; i < 3; ++i) {
                const double ty = y - 14 * s - i * 16 * s, w = (22 - i * 5) * s;
                cairo_move_to(c, x - w, ty);
                cairo_line_to(c, x, ty - 28 * s);
                cairo_line_to(c, x + w, ty);
                cairo_close_path(c);
            }
        };
        fillRound(cr, pine, GRASS_DARK, x - 22 * s, y - 86 * s, 44 * s, 76 * s);
        return;
    }
    auto crown = [=](cairo_t* c) {
        ellipse(c, x, y - 44 * s, 22 * s, 20 * s);
        ellipse(c, x - 15 * s, y - 33 * s, 14 * s, 12 * s);
        ellipse(c, x + 15 * s, y - 34 * s, 14 * s, 12 * s);
        ellipse(c, x + 3 * s, y - 60 * s, 14 * s, 11 * s);
    };
    const Rgb leaves = kind == 2 ? mix(GRASS, GRASS_DARK, 0.35) : GRASS;
    fillRound(cr, crown, leaves, x - 30 * s, y - 72 * s, 60 * s, 52 * s);
    for (int i = 0; i < 4; ++i) {
        ellipse(cr, x - 12 * s + hashNoise(i, int(x), 7) * 20 * s, y - 60 * s + hashNoise(i, int(y), 8) * 26 * s, 5 * s,
                3.5 * s);
    }
    setColor(cr, lighter(leaves, 0.35), 0.55);
    cairo_fill(cr);
    if (kind == 3) {
        // An apple tree.
        for (int i = 0; i < 5; ++i) {
            ellipse(cr, x - 14 * s + hashNoise(i, int(x), 9) * 28 * s, y - 52 * s + hashNoise(i, int(y), 10) * 24 * s,
                    2.2 * s, 2.2 * s);
            setColor(cr, RED);
            cairo_fill(cr);
        }
    }
}

void flowersAndTufts(cairo_t* cr) {
    const Rgb colours[] = {WHITE, YELLOW, PINK, lighter(PURPLE, 0.3), lighter(RED, 0.2)};
    for (int i = 0; i < 700; ++i) {
        const double x = hashNoise(i, 1, 70) * W, y = 80 + hashNoise(i, 2, 70) * (H - 80);
        if (onPlot(x, y, 4) || inPond(x, y) || onPath(x, y))
            continue;
        if (i % 3 == 0) {
            const double r = 2.2;
            for (int p = 0; p < 5; ++p) {
                const double a = p * 2 * M_PI / 5;
                ellipse(cr, x + r * std::cos(a), y + r * 0.7 * std::sin(a), r * 0.75, r * 0.6);
            }
            setColor(cr, colours[int(hashNoise(i, 3, 70) * 4.99)], 0.95);
            cairo_fill(cr);
            ellipse(cr, x, y, 1, 0.9);
            setColor(cr, GOLD);
            cairo_fill(cr);
        } else {
            const double h = 5 + 5 * hashNoise(i, 4, 70);
            for (int b = -1; b <= 1; ++b) {
                cairo_move_to(cr, x + b * 2.0 - 1, y);
                cairo_curve_to(cr, x + b * 2.5, y - h * 0.5, x + b * 3.5, y - h * 0.8, x + b * 4.0, y - h);
                cairo_curve_to(cr, x + b * 2.5, y - h * 0.6, x + b * 2.0, y - h * 0.3, x + b * 2.0 + 1, y);
                cairo_close_path(cr);
            }
            setColor(cr, GRASS_DARK, 0.45);
            cairo_fill(cr);
        }
    }
}

void background(cairo_t* cr) {
    grass(cr);
    pond(cr);
    paths(cr);
    flowersAndTufts(cr);
    // The sky and the hedge lie behind the trees along the top.
    skyBand(cr);
    hedge(cr);
    // Trees around the edges and in the open spaces, never on a plot.
    const Pt spots[] = {{20, 120},  {18, 260},  {22, 420},   {20, 560},   {190, 120},  {350, 100}, {515, 120},
                        {690, 110}, {855, 95},  {1005, 110}, {1008, 260}, {1008, 420}, {350, 260}, {700, 260},
                        {190, 700}, {320, 720}, {560, 720},  {700, 720},  {30, 740},   {860, 560}};
    int i = 0;
    for (const Pt& s : spots) {
        ++i;
        if (onPlot(s.x, s.y, 6) || inPond(s.x, s.y) || onPath(s.x, s.y))
            continue;
        tree(cr, s.x, s.y, 0.7 + 0.25 * hashNoise(i, 1, 80), i % 4);
    }
}

// ---- The map's frame and buttons ----

// A round badge button in one of the four states (0 normal, 1 hover, 2 pressed, 3 disabled),
// centred in a size x size frame, with a symbol drawn on its face.
void badgeButton(cairo_t* cr, double size, int state, Rgb face, const std::function<void(cairo_t*, double)>& symbol) {
    const double c = size / 2;
    double r = size / 2 - 8, dy = 0;
    Rgb base = face;
    if (state == 1) {
        r += 2;
        base = lighter(face, 0.18);
    } else if (state == 2) {
        dy = 2;
        base = darker(face, 0.15);
    } else if (state == 3) {
        base = mix(IRON, STONE, 0.5);
    }
    auto rim = [=](cairo_t* p) { ellipse(p, c, c + dy, r, r); };
    auto inset = [=](cairo_t* p) { ellipse(p, c, c + dy, r - 5, r - 5); };
    if (state == 2)
        shadow(cr, rim, 0.28, 1, 1, 2);
    else if (state != 3)
        shadow(cr, rim);
    fillRound(cr, rim, state == 3 ? base : WOOD, c - r, c - r + dy, 2 * r, 2 * r, state == 3 ? 0.3 : 1.0);
    outline(cr, rim, 2.0, state == 3 ? 0.4 : Palette::OUTLINE_ALPHA);
    fillRound(cr, inset, base, c - r + 5, c - r + 5 + dy, 2 * r - 10, 2 * r - 10, state == 3 ? 0.2 : 1.0);
    if (state != 3)
        gloss(cr, inset, c - r * 0.3, c - r * 0.45 + dy, r * 0.45, r * 0.25, state == 2 ? 0.3 : 0.55);
    cairo_save(cr);
    cairo_translate(cr, c, c + dy);
    symbol(cr, r);
    cairo_restore(cr);
}

void whiteSymbol(cairo_t* cr, const PathFn& path) {
    path(cr);
    cairo_set_line_width(cr, basePx(cr, 3));
    setColor(cr, INK, 0.8);
    cairo_stroke_preserve(cr);
    setColor(cr, WHITE);
    cairo_fill(cr);
}

void buttons() {
    const std::string dir = FOLDER;
    auto strip = [&](const std::string& name, double size, Rgb face,
                     const std::function<void(cairo_t*, double)>& symbol) {
        Canvas c(int(size) * 4, int(size));
        Sheet::draw(c, int(size), int(size), 4,
                    [&](cairo_t* cr, int i, double) { badgeButton(cr, size, i, face, symbol); });
        Output::small(c, dir + name);
    };
    // The level button: a play mark on green.
    strip("button_level.png", 80, GREEN, [](cairo_t* cr, double r) {
        whiteSymbol(cr, [r](cairo_t* p) {
            cairo_move_to(p, -r * 0.28, -r * 0.42);
            cairo_line_to(p, r * 0.46, 0);
            cairo_line_to(p, -r * 0.28, r * 0.42);
            cairo_close_path(p);
        });
    });
    // The game menu: three bars.
    strip("button_menu.png", 60, GREEN, [](cairo_t* cr, double r) {
        whiteSymbol(cr, [r](cairo_t* p) {
            for (int i = -1; i <= 1; ++i)
                roundedRect(p, -r * 0.45, i * r * 0.3 - r * 0.08, r * 0.9, r * 0.16, r * 0.08);
        });
    });
    // Show all: four arrows pointing out of the corners.
    strip("button_show_all.png", 60, BLUE, [](cairo_t* cr, double r) {
        whiteSymbol(cr, [r](cairo_t* p) {
            for (int q = 0; q < 4; ++q) {
                const double sx = q % 2 ? 1 : -1, sy = q / 2 ? 1 : -1;
                cairo_move_to(p, sx * r * 0.5, sy * r * 0.5);
                cairo_line_to(p, sx * r * 0.08, sy * r * 0.5);
                cairo_line_to(p, sx * r * 0.5, sy * r * 0.08);
                cairo_close_path(p);
            }
            ellipse(p, 0, 0, r * 0.14, r * 0.14);
        });
    });
    // The dust a building raises when it lands: puffs that swell, drift apart and fade.
    {
        Canvas c(8 * 128, 64);
        Sheet::draw(c, 128, 64, 8, [](cairo_t* cr, int, double ph) {
            const double t = ph + 0.125, fade = std::pow(1 - t, 0.6);
            for (int i = 0; i < 14; ++i) {
                const double a = M_PI * (i / 13.0);
                const double d = 14 + 40 * t * (0.8 + 0.4 * hashNoise(i, 2, 90));
                const double x = 64 - std::cos(a) * d, y = 50 - std::sin(a) * d * 0.4 - 5 * t;
                const double r = (7 + 5 * hashNoise(i, 1, 90)) * (0.7 + 0.7 * t);
                cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.35, 0, x, y, r);
                const Rgb light = lighter(SOIL, 0.55), shade = mix(SOIL, WOOD, 0.35);
                cairo_pattern_add_color_stop_rgba(p, 0, light.r, light.g, light.b, 0.95 * fade);
                cairo_pattern_add_color_stop_rgba(p, 0.6, SOIL.r, SOIL.g, SOIL.b, 0.85 * fade);
                cairo_pattern_add_color_stop_rgba(p, 1, shade.r, shade.g, shade.b, 0);
                cairo_set_source(cr, p);
                cairo_arc(cr, x, y, r, 0, 2 * M_PI);
                cairo_fill(cr);
                cairo_pattern_destroy(p);
            }
        });
        Output::small(c, dir + "dust.png");
    }
    // The money plate: a coin and a cream field for the sum.
    {
        Canvas c(200, 52);
        cairo_t* cr = c.cr();
        auto plate = [](cairo_t* p) { roundedRect(p, 6, 6, 188, 38, 19); };
        auto field = [](cairo_t* p) { roundedRect(p, 44, 12, 142, 26, 13); };
        shadow(cr, plate);
        fillFlat(cr, plate, lighter(WOOD, 0.12), 6, 6, 188, 38);
        outline(cr, plate);
        fillFlat(cr, field, CREAM, 44, 12, 142, 26, 0.35);
        innerShade(cr, field, 2.5, 0.25);
        auto coin = [](cairo_t* p) { ellipse(p, 26, 25, 15, 15); };
        roundThing(cr, coin, GOLD, 11, 10, 30, 30);
        auto inner = [](cairo_t* p) { ellipse(p, 26, 25, 10, 10); };
        cairo_save(cr);
        inner(cr);
        cairo_set_line_width(cr, basePx(cr, 1.5));
        setColor(cr, darker(GOLD, 0.3), 0.8);
        cairo_stroke(cr);
        cairo_restore(cr);
        titleText(cr, "$", 14, 26, 30, GOLD_LIGHT, 0.8, false);
        Output::small(c, dir + "money_plate.png");
    }
    // The frame of the upgrade panel at the bottom: a wooden shelf with a paper inset.
    {
        Canvas c(1024, 110);
        cairo_t* cr = c.cr();
        auto frame = [](cairo_t* p) { roundedRect(p, 4, 8, 1016, 100, 14); };
        auto paper = [](cairo_t* p) { roundedRect(p, 18, 20, 988, 76, 10); };
        shadow(cr, frame, 0.35, 0, -2, 4);
        fillFlat(cr, frame, lighter(WOOD, 0.12), 4, 8, 1016, 100);
        cairo_save(cr);
        frame(cr);
        cairo_clip(cr);
        for (int i = 0; i < 14; ++i) {
            const double y = 10 + i * 7 + 2 * hashNoise(i, 3, 9);
            cairo_move_to(cr, 4, y);
            cairo_curve_to(cr, 300, y + 1.5, 700, y - 1.5, 1020, y + 0.5);
        }
        cairo_set_line_width(cr, basePx(cr, 0.7));
        setColor(cr, WOOD_DARK, 0.22);
        cairo_stroke(cr);
        cairo_restore(cr);
        outline(cr, frame);
        fillFlat(cr, paper, CREAM, 18, 20, 988, 76, 0.35);
        innerShade(cr, paper, 3, 0.22);
        // Little leaves on the top corners of the shelf.
        for (int s : {0, 1}) {
            const double x = s ? 990 : 34;
            auto leaves = [=](cairo_t* p) {
                ellipse(p, x - 9, 8, 9, 5);
                ellipse(p, x + 9, 8, 9, 5);
                ellipse(p, x, 5, 5, 5);
            };
            silhouette(cr, leaves, GRASS, x - 18, 0, 36, 14, false);
        }
        Output::small(c, dir + "panel_bottom.png");
    }
}

// The map with every building at a level, to judge the pictures together.
void mockup() {
    Canvas shot(W, H);
    cairo_t* cr = shot.cr();
    cairo_surface_t* bg = cairo_image_surface_create_from_png(Output::largePath(BACKGROUND).c_str());
    cairo_set_source_surface(cr, bg, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(bg);
    const std::vector<Buildings::Unit>& units = Buildings::units();
    // Back to front, so nearer buildings cover farther ones.
    std::vector<int> order(26);
    for (int i = 0; i < 26; ++i)
        order[size_t(i)] = i;
    std::sort(order.begin(), order.end(), [](int a, int b) { return POINTS[a].y < POINTS[b].y; });
    for (int i : order) {
        const Buildings::Unit& u = units[size_t(i)];
        const int level = 1 + i % u.levels;
        const std::string name =
            std::string(Buildings::FOLDER) + u.stem + std::to_string(level) + "_" + std::to_string(1 + i % 3) + ".png";
        cairo_surface_t* s = cairo_image_surface_create_from_png(Output::smallPath(name).c_str());
        const double w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        cairo_set_source_surface(cr, s, POINTS[i].x - w / 2, POINTS[i].y + BUILDING_DROP - h);
        cairo_paint(cr);
        cairo_surface_destroy(s);
    }
    Output::doc(shot, "map-mockup.png");
}

} // namespace

void generate() {
    Canvas c(W, H);
    background(c.cr());
    Output::large(c, std::string(BACKGROUND));
    buttons();
    if (scale() == 1)
        mockup();
}

} // namespace Map
