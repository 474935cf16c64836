#include "Pieces.h"

#include "Output.h"

#include <cmath>

using namespace Paint;
using namespace Palette;

namespace Pieces {

namespace {

// ---- The eight ordinary pieces, each in a 100 x 100 box: own silhouette, own colour. ----

void apple(cairo_t* cr) {
    auto body = [](cairo_t* c) {
        cairo_move_to(c, 50, 32);
        cairo_curve_to(c, 62, 20, 87, 24, 87, 52);
        cairo_curve_to(c, 87, 76, 70, 89, 60, 87);
        cairo_curve_to(c, 55, 86, 45, 86, 40, 87);
        cairo_curve_to(c, 30, 89, 13, 76, 13, 52);
        cairo_curve_to(c, 13, 24, 38, 20, 50, 32);
        cairo_close_path(c);
    };
    auto stem = [](cairo_t* c) {
        cairo_move_to(c, 49, 34);
        cairo_curve_to(c, 49, 26, 50, 18, 55, 12);
    };
    auto leaf = [](cairo_t* c) {
        cairo_move_to(c, 53, 22);
        cairo_curve_to(c, 58, 10, 72, 8, 80, 12);
        cairo_curve_to(c, 74, 22, 62, 26, 53, 22);
        cairo_close_path(c);
    };
    shadow(cr, body);
    roundThing(cr, body, RED, 13, 22, 74, 67, false);
    // Stem: an outlined brown stroke.
    cairo_save(cr);
    stem(cr);
    cairo_set_line_width(cr, basePx(cr, 6));
    setColor(cr, INK, OUTLINE_ALPHA);
    cairo_stroke(cr);
    stem(cr);
    cairo_set_line_width(cr, basePx(cr, 2.5));
    setColor(cr, WOOD_DARK);
    cairo_stroke(cr);
    cairo_restore(cr);
    roundThing(cr, leaf, GREEN, 53, 8, 27, 18, false);
    cairo_move_to(cr, 55, 21);
    cairo_curve_to(cr, 62, 17, 70, 14, 77, 13);
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, GRASS_DARK, 0.8);
    cairo_stroke(cr);
}

void sunflower(cairo_t* cr) {
    const int petals = 13;
    auto petalsPath = [&](cairo_t* c) {
        for (int i = 0; i < petals; ++i) {
            const double a = 2 * M_PI * i / petals - M_PI / 2;
            const double ca = std::cos(a), sa = std::sin(a);
            const double px = -sa, py = ca;
            const double r0 = 14, r1 = 40, w = 8.5;
            cairo_move_to(c, 50 + ca * r0 + px * w * 0.4, 50 + sa * r0 + py * w * 0.4);
            cairo_curve_to(c, 50 + ca * 28 + px * w, 50 + sa * 28 + py * w, 50 + ca * (r1 - 2) + px * w * 0.5,
                           50 + sa * (r1 - 2) + py * w * 0.5, 50 + ca * r1, 50 + sa * r1);
            cairo_curve_to(c, 50 + ca * (r1 - 2) - px * w * 0.5, 50 + sa * (r1 - 2) - py * w * 0.5,
                           50 + ca * 28 - px * w, 50 + sa * 28 - py * w, 50 + ca * r0 - px * w * 0.4,
                           50 + sa * r0 - py * w * 0.4);
            cairo_close_path(c);
        }
    };
    silhouette(cr, petalsPath, YELLOW, 10, 10, 80, 80);
    // A darker vein down each petal.
    for (int i = 0; i < petals; ++i) {
        const double a = 2 * M_PI * i / petals - M_PI / 2;
        cairo_move_to(cr, 50 + std::cos(a) * 20, 50 + std::sin(a) * 20);
        cairo_line_to(cr, 50 + std::cos(a) * 33, 50 + std::sin(a) * 33);
    }
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, darker(ORANGE, 0.05), 0.55);
    cairo_stroke(cr);
    auto disk = [](cairo_t* c) { ellipse(c, 50, 50, 17, 17); };
    fillRound(cr, disk, BROWN, 33, 33, 34, 34);
    // Seeds in a spiral.
    for (int i = 0; i < 34; ++i) {
        const double r = 2.6 * std::sqrt(double(i)) + 0.5;
        const double a = i * 2.39996;
        ellipse(cr, 50 + r * std::cos(a), 50 + r * std::sin(a), 1.3, 1.3);
    }
    setColor(cr, darker(WOOD_DARK, 0.35), 0.7);
    cairo_fill(cr);
    gloss(cr, disk, 44, 43, 7, 5, 0.45);
    outline(cr, disk);
}

void bell(cairo_t* cr) {
    auto body = [](cairo_t* c) {
        cairo_move_to(c, 50, 16);
        cairo_curve_to(c, 69, 16, 74, 32, 74, 48);
        cairo_curve_to(c, 74, 62, 80, 70, 88, 76);
        cairo_curve_to(c, 82, 87, 70, 86, 64, 80);
        cairo_curve_to(c, 58, 89, 42, 89, 36, 80);
        cairo_curve_to(c, 30, 86, 18, 87, 12, 76);
        cairo_curve_to(c, 20, 70, 26, 62, 26, 48);
        cairo_curve_to(c, 26, 32, 31, 16, 50, 16);
        cairo_close_path(c);
    };
    auto clapper = [](cairo_t* c) { ellipse(c, 50, 86, 6, 6); };
    roundThing(cr, clapper, YELLOW, 44, 80, 12, 12);
    roundThing(cr, body, BLUE, 12, 16, 76, 72);
    // Petal folds.
    cairo_save(cr);
    cairo_move_to(cr, 40, 24);
    cairo_curve_to(cr, 36, 44, 36, 66, 36, 80);
    cairo_move_to(cr, 60, 24);
    cairo_curve_to(cr, 64, 44, 64, 66, 64, 80);
    cairo_set_line_width(cr, basePx(cr, 1.5));
    setColor(cr, darker(BLUE, 0.35), 0.6);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Curled stem on top.
    cairo_move_to(cr, 50, 17);
    cairo_curve_to(cr, 50, 10, 56, 6, 62, 9);
    cairo_set_line_width(cr, basePx(cr, 6));
    setColor(cr, INK, OUTLINE_ALPHA);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, basePx(cr, 2.5));
    setColor(cr, GREEN);
    cairo_stroke(cr);
}

void clover(cairo_t* cr) {
    // A heart-shaped leaflet: two round lobes at the outer end, its point at the centre.
    auto lobe = [](cairo_t* c, double angle) {
        const double ca = std::cos(angle), sa = std::sin(angle);
        const double px = -sa, py = ca;
        const double cx = 50, cy = 46, r = 11.5;
        for (int side = -1; side <= 1; side += 2) {
            const double ox = cx + ca * 24 + px * 9.5 * side, oy = cy + sa * 24 + py * 9.5 * side;
            cairo_new_sub_path(c);
            cairo_arc(c, ox, oy, r, 0, 2 * M_PI);
        }
        cairo_move_to(c, cx + ca * 2, cy + sa * 2);
        cairo_line_to(c, cx + ca * 22 - px * 19.5, cy + sa * 22 - py * 19.5);
        cairo_line_to(c, cx + ca * 30, cy + sa * 30);
        cairo_line_to(c, cx + ca * 22 + px * 19.5, cy + sa * 22 + py * 19.5);
        cairo_close_path(c);
    };
    auto leaves = [&](cairo_t* c) {
        for (double a : {-M_PI / 2, M_PI / 6 + 0.1, 5 * M_PI / 6 - 0.1})
            lobe(c, a);
    };
    auto stem = [](cairo_t* c) {
        cairo_move_to(c, 50, 50);
        cairo_curve_to(c, 52, 66, 56, 78, 66, 90);
    };
    cairo_save(cr);
    stem(cr);
    cairo_set_line_width(cr, basePx(cr, 8));
    setColor(cr, INK, OUTLINE_ALPHA);
    cairo_stroke(cr);
    stem(cr);
    cairo_set_line_width(cr, basePx(cr, 4));
    setColor(cr, GRASS_DARK);
    cairo_stroke(cr);
    cairo_restore(cr);
    silhouette(cr, leaves, GREEN, 12, 10, 76, 72);
    // A pale vein down each leaflet.
    for (double a : {-M_PI / 2, M_PI / 6 + 0.1, 5 * M_PI / 6 - 0.1}) {
        const double ca = std::cos(a), sa = std::sin(a);
        cairo_move_to(cr, 50 + ca * 6, 46 + sa * 6);
        cairo_line_to(cr, 50 + ca * 27, 46 + sa * 27);
    }
    cairo_set_line_width(cr, basePx(cr, 2));
    setColor(cr, GRASS_LIGHT, 0.8);
    cairo_stroke(cr);
    ellipse(cr, 50, 46, 3.5, 3.5);
    setColor(cr, GRASS_DARK);
    cairo_fill(cr);
}

void plum(cairo_t* cr) {
    auto body = [](cairo_t* c) {
        cairo_move_to(c, 52, 11);
        cairo_curve_to(c, 58, 26, 84, 38, 84, 62);
        cairo_curve_to(c, 84, 80, 68, 90, 50, 90);
        cairo_curve_to(c, 32, 90, 16, 80, 16, 62);
        cairo_curve_to(c, 16, 38, 44, 28, 52, 11);
        cairo_close_path(c);
    };
    roundThing(cr, body, PURPLE, 16, 11, 68, 79);
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    cairo_move_to(cr, 52, 16);
    cairo_curve_to(cr, 44, 36, 40, 60, 48, 88);
    cairo_set_line_width(cr, basePx(cr, 2));
    setColor(cr, darker(PURPLE, 0.35), 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Dusty bloom.
    gloss(cr, body, 64, 58, 9, 14, 0.22);
}

void carrot(cairo_t* cr) {
    auto greens = [](cairo_t* c) {
        const double tips[3][2] = {{34, 8}, {52, 4}, {68, 10}};
        for (auto& t : tips) {
            cairo_move_to(c, 46, 32);
            cairo_curve_to(c, t[0] - 8, 26, t[0] - 6, t[1] + 6, t[0], t[1]);
            cairo_curve_to(c, t[0] + 6, t[1] + 6, t[0] + 6, 26, 54, 32);
            cairo_close_path(c);
        }
    };
    auto root = [](cairo_t* c) {
        cairo_move_to(c, 27, 36);
        cairo_curve_to(c, 27, 24, 73, 24, 73, 36);
        cairo_curve_to(c, 73, 54, 58, 80, 52, 92);
        cairo_curve_to(c, 50, 95, 49, 95, 47, 92);
        cairo_curve_to(c, 41, 80, 27, 54, 27, 36);
        cairo_close_path(c);
    };
    silhouette(cr, greens, GREEN, 26, 4, 48, 30);
    roundThing(cr, root, ORANGE, 27, 26, 46, 68);
    const double ridges[4][3] = {{38, 34, 46}, {46, 45, 56}, {54, 48, 60}, {65, 52, 58}};
    for (auto& r : ridges) {
        cairo_move_to(cr, r[1], r[0]);
        cairo_curve_to(cr, (r[1] + r[2]) / 2, r[0] + 2, (r[1] + r[2]) / 2, r[0] + 2, r[2], r[0]);
    }
    cairo_set_line_width(cr, basePx(cr, 1.5));
    setColor(cr, darker(ORANGE, 0.35), 0.7);
    cairo_stroke(cr);
}

void acorn(cairo_t* cr) {
    auto nut = [](cairo_t* c) {
        cairo_move_to(c, 25, 44);
        cairo_curve_to(c, 25, 70, 40, 88, 50, 93);
        cairo_curve_to(c, 60, 88, 75, 70, 75, 44);
        cairo_close_path(c);
    };
    auto cap = [](cairo_t* c) {
        cairo_move_to(c, 15, 48);
        cairo_curve_to(c, 13, 26, 34, 18, 50, 18);
        cairo_curve_to(c, 66, 18, 87, 26, 85, 48);
        cairo_curve_to(c, 72, 54, 28, 54, 15, 48);
        cairo_close_path(c);
    };
    roundThing(cr, nut, lighter(BROWN, 0.12), 25, 40, 50, 53);
    shadow(cr, cap, 0.25, 0, 3, 3);
    fillRound(cr, cap, WOOD_DARK, 15, 18, 70, 36);
    // Scales of the cap.
    cairo_save(cr);
    cap(cr);
    cairo_clip(cr);
    for (int i = -6; i <= 12; ++i) {
        cairo_move_to(cr, i * 7.0, 12);
        cairo_line_to(cr, i * 7.0 + 40, 56);
        cairo_move_to(cr, i * 7.0 + 40, 12);
        cairo_line_to(cr, i * 7.0, 56);
    }
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, darker(WOOD_DARK, 0.4), 0.55);
    cairo_stroke(cr);
    cairo_restore(cr);
    gloss(cr, cap, 34, 27, 14, 5, 0.45);
    outline(cr, cap);
    auto stem = [](cairo_t* c) { roundedRect(c, 46, 9, 8, 12, 3); };
    roundThing(cr, stem, WOOD_DARK, 46, 9, 8, 12, false);
}

void heart(cairo_t* cr) {
    auto body = [](cairo_t* c) {
        cairo_move_to(c, 50, 88);
        cairo_curve_to(c, 30, 74, 11, 58, 13, 38);
        cairo_curve_to(c, 15, 20, 40, 16, 50, 33);
        cairo_curve_to(c, 60, 16, 85, 20, 87, 38);
        cairo_curve_to(c, 89, 58, 70, 74, 50, 88);
        cairo_close_path(c);
    };
    roundThing(cr, body, PINK, 13, 18, 74, 70);
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 7; ++col) {
            const double x = 20 + col * 10 + (row % 2) * 5, y = 42 + row * 8;
            ellipse(cr, x, y, 1.3, 2);
        }
    setColor(cr, GOLD_LIGHT, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    // Little green calyx in the notch.
    auto calyx = [](cairo_t* c) {
        for (int i = 0; i < 5; ++i) {
            const double a = -M_PI / 2 + (i - 2) * 0.55;
            cairo_move_to(c, 50, 33);
            cairo_line_to(c, 50 + std::cos(a + 0.2) * 6, 30 + std::sin(a + 0.2) * 6);
            cairo_line_to(c, 50 + std::cos(a) * 13, 30 + std::sin(a) * 13);
            cairo_line_to(c, 50 + std::cos(a - 0.2) * 6, 30 + std::sin(a - 0.2) * 6);
            cairo_close_path(c);
        }
    };
    silhouette(cr, calyx, GREEN, 38, 16, 24, 18, false);
}

// ---- Products of the bonus lines. ----

void eggShape(cairo_t* c) {
    cairo_move_to(c, 50, 10);
    cairo_curve_to(c, 70, 10, 82, 42, 82, 60);
    cairo_curve_to(c, 82, 79, 68, 90, 50, 90);
    cairo_curve_to(c, 32, 90, 18, 79, 18, 60);
    cairo_curve_to(c, 18, 42, 30, 10, 50, 10);
    cairo_close_path(c);
}

void sparkle(cairo_t* cr, double x, double y, double r, double alpha) {
    cairo_move_to(cr, x, y - r);
    cairo_curve_to(cr, x + r * 0.15, y - r * 0.15, x + r * 0.15, y - r * 0.15, x + r, y);
    cairo_curve_to(cr, x + r * 0.15, y + r * 0.15, x + r * 0.15, y + r * 0.15, x, y + r);
    cairo_curve_to(cr, x - r * 0.15, y + r * 0.15, x - r * 0.15, y + r * 0.15, x - r, y);
    cairo_curve_to(cr, x - r * 0.15, y - r * 0.15, x - r * 0.15, y - r * 0.15, x, y - r);
    cairo_close_path(cr);
    setColor(cr, WHITE, alpha);
    cairo_fill(cr);
}

void egg(cairo_t* cr) {
    roundThing(cr, eggShape, hex(0xF6E7CF), 18, 10, 64, 80);
    const double specks[5][2] = {{60, 46}, {66, 62}, {40, 70}, {56, 76}, {70, 50}};
    for (auto& s : specks)
        ellipse(cr, s[0], s[1], 1.6, 1.3);
    setColor(cr, WOOD, 0.45);
    cairo_fill(cr);
}

void goldenEgg(cairo_t* cr) {
    glow(cr, eggShape, GOLD_LIGHT, 0.9, 6);
    roundThing(cr, eggShape, GOLD, 18, 10, 64, 80, false);
    cairo_save(cr);
    eggShape(cr);
    cairo_clip(cr);
    // A painted band makes it a prize egg.
    cairo_move_to(cr, 10, 58);
    cairo_curve_to(cr, 30, 50, 70, 66, 90, 56);
    cairo_line_to(cr, 90, 64);
    cairo_curve_to(cr, 70, 74, 30, 58, 10, 66);
    cairo_close_path(cr);
    setColor(cr, darker(ORANGE, 0.1), 0.8);
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i)
        ellipse(cr, 24 + i * 13, 60 + (i % 2 ? 2 : -1), 2, 2);
    setColor(cr, GOLD_LIGHT);
    cairo_fill(cr);
    cairo_restore(cr);
    outline(cr, eggShape);
    sparkle(cr, 72, 22, 9, 0.95);
    sparkle(cr, 28, 80, 5, 0.8);
}

void honeyPot(cairo_t* cr) {
    auto pot = [](cairo_t* c) {
        cairo_move_to(c, 30, 34);
        cairo_curve_to(c, 12, 44, 12, 84, 50, 88);
        cairo_curve_to(c, 88, 84, 88, 44, 70, 34);
        cairo_close_path(c);
    };
    auto rim = [](cairo_t* c) { roundedRect(c, 24, 22, 52, 14, 6); };
    auto honey = [](cairo_t* c) {
        cairo_move_to(c, 26, 28);
        cairo_curve_to(c, 30, 12, 70, 12, 74, 28);
        cairo_line_to(c, 74, 40);
        cairo_curve_to(c, 74, 48, 68, 48, 68, 40);
        cairo_line_to(c, 66, 36);
        cairo_curve_to(c, 62, 36, 62, 56, 56, 56);
        cairo_curve_to(c, 50, 56, 52, 36, 46, 36);
        cairo_curve_to(c, 40, 36, 40, 44, 34, 44);
        cairo_curve_to(c, 28, 44, 30, 36, 26, 34);
        cairo_close_path(c);
    };
    roundThing(cr, pot, WOOD, 14, 34, 72, 54);
    // Cream label with three honeycomb cells.
    auto label = [](cairo_t* c) { roundedRect(c, 32, 56, 36, 18, 4); };
    fillFlat(cr, label, CREAM, 32, 56, 36, 18);
    outline(cr, label, 1.5);
    cairo_save(cr);
    for (int k = 0; k < 3; ++k) {
        const double hx = 40 + k * 10, hy = 65;
        for (int i = 0; i < 6; ++i) {
            const double a = i * M_PI / 3;
            (i ? cairo_line_to : cairo_move_to)(cr, hx + 4.5 * std::cos(a), hy + 4.5 * std::sin(a));
        }
        cairo_close_path(cr);
    }
    setColor(cr, ORANGE);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, INK, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
    roundThing(cr, rim, darker(WOOD, 0.1), 24, 22, 52, 14, false);
    roundThing(cr, honey, hex(0xF5B324), 26, 12, 48, 44, false);
    sparkle(cr, 40, 22, 4, 0.9);
}

void hexPath(cairo_t* c, double x, double y, double r) {
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3;
        (i ? cairo_line_to : cairo_move_to)(c, x + r * std::cos(a), y + r * std::sin(a));
    }
    cairo_close_path(c);
}

void honeycomb(cairo_t* cr) {
    const double r = 14;
    const double dx = r * 1.5, dy = r * std::sqrt(3.0);
    const double cells[7][2] = {{50, 50},
                                {50, 50 - dy},
                                {50, 50 + dy},
                                {50 - dx, 50 - dy / 2},
                                {50 + dx, 50 - dy / 2},
                                {50 - dx, 50 + dy / 2},
                                {50 + dx, 50 + dy / 2}};
    auto all = [&](cairo_t* c) {
        for (auto& p : cells)
            hexPath(c, p[0], p[1], r + 1);
    };
    glow(cr, all, GOLD_LIGHT, 0.8, 5);
    silhouette(cr, all, GOLD, 50 - dx - r, 50 - dy - r, 2 * (dx + r), 2 * (dy + r), false);
    for (auto& p : cells) {
        auto inner = [&](cairo_t* c) { hexPath(c, p[0], p[1], r - 3.5); };
        fillRound(cr, inner, hex(0xE89A17), p[0] - r, p[1] - r, 2 * r, 2 * r);
        gloss(cr, inner, p[0] - 3, p[1] - 4, 5, 3, 0.7);
    }
    // A drip of honey from the lower cell.
    auto drip = [](cairo_t* c) {
        cairo_move_to(c, 56, 80);
        cairo_curve_to(c, 58, 88, 62, 90, 62, 94);
        cairo_curve_to(c, 62, 98, 54, 98, 54, 94);
        cairo_curve_to(c, 54, 90, 56, 88, 56, 80);
        cairo_close_path(c);
    };
    roundThing(cr, drip, hex(0xF5B324), 54, 80, 8, 18, false);
    sparkle(cr, 76, 20, 7, 0.95);
}

void milkJug(cairo_t* cr) {
    auto handle = [](cairo_t* c) {
        cairo_move_to(c, 68, 36);
        cairo_curve_to(c, 92, 34, 92, 70, 68, 70);
    };
    auto body = [](cairo_t* c) {
        cairo_move_to(c, 34, 18);
        cairo_line_to(c, 66, 18);
        cairo_curve_to(c, 66, 28, 62, 30, 64, 36);
        cairo_curve_to(c, 74, 48, 76, 74, 70, 86);
        cairo_curve_to(c, 60, 92, 40, 92, 30, 86);
        cairo_curve_to(c, 24, 74, 26, 48, 36, 36);
        cairo_curve_to(c, 36, 30, 30, 26, 22, 20);
        cairo_curve_to(c, 26, 16, 30, 18, 34, 18);
        cairo_close_path(c);
    };
    cairo_save(cr);
    handle(cr);
    cairo_set_line_width(cr, basePx(cr, 11));
    setColor(cr, INK, OUTLINE_ALPHA);
    cairo_stroke(cr);
    handle(cr);
    cairo_set_line_width(cr, basePx(cr, 7));
    setColor(cr, hex(0xF4F1EA));
    cairo_stroke(cr);
    cairo_restore(cr);
    roundThing(cr, body, hex(0xF4F1EA), 22, 18, 54, 74);
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, 54, 100, 12);
    setColor(cr, BLUE);
    cairo_fill(cr);
    for (int i = 0; i < 4; ++i)
        ellipse(cr, 34 + i * 10, 60, 2.2, 2.2);
    setColor(cr, WHITE);
    cairo_fill(cr);
    cairo_restore(cr);
    outline(cr, body);
    // Milk at the brim.
    ellipse(cr, 50, 20, 14, 3);
    setColor(cr, WHITE);
    cairo_fill(cr);
    gloss(cr, body, 40, 42, 5, 12, 0.6);
}

void rainbowFlower(cairo_t* cr) {
    const Rgb colours[6] = {RED, ORANGE, YELLOW, GREEN, BLUE, PURPLE};
    auto petal = [](cairo_t* c, int i) {
        const double a = -M_PI / 2 + i * M_PI / 3;
        cairo_save(c);
        cairo_translate(c, 50 + std::cos(a) * 22, 50 + std::sin(a) * 22);
        cairo_rotate(c, a);
        cairo_scale(c, 18, 14);
        cairo_new_sub_path(c);
        cairo_arc(c, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(c);
    };
    auto all = [&](cairo_t* c) {
        for (int i = 0; i < 6; ++i)
            petal(c, i);
    };
    glow(cr, all, WHITE, 0.9, 5);
    shadow(cr, all);
    outline(cr, all, 4);
    for (int i = 0; i < 6; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 3;
        auto one = [&](cairo_t* c) { petal(c, i); };
        const double cx = 50 + std::cos(a) * 22, cy = 50 + std::sin(a) * 22;
        fillRound(cr, one, colours[i], cx - 18, cy - 18, 36, 36);
    }
    auto centre = [](cairo_t* c) { ellipse(c, 50, 50, 13, 13); };
    roundThing(cr, centre, GOLD_LIGHT, 37, 37, 26, 26, false);
    sparkle(cr, 74, 22, 7, 0.95);
}

// ---- Prizes. ----

void coinSack(cairo_t* cr) {
    auto sack = [](cairo_t* c) {
        cairo_move_to(c, 40, 30);
        cairo_curve_to(c, 14, 44, 12, 88, 50, 88);
        cairo_curve_to(c, 88, 88, 86, 44, 60, 30);
        cairo_close_path(c);
        cairo_move_to(c, 40, 30);
        cairo_curve_to(c, 30, 20, 32, 10, 40, 14);
        cairo_curve_to(c, 46, 8, 54, 8, 60, 14);
        cairo_curve_to(c, 68, 10, 70, 20, 60, 30);
        cairo_close_path(c);
    };
    silhouette(cr, sack, hex(0xD9A968), 14, 10, 72, 78);
    // The twine.
    cairo_move_to(cr, 38, 30);
    cairo_curve_to(cr, 46, 34, 54, 34, 62, 30);
    cairo_set_line_width(cr, basePx(cr, 4));
    setColor(cr, WOOD_DARK);
    cairo_stroke(cr);
    // A gold coin emblem on the front.
    auto coin = [](cairo_t* c) { ellipse(c, 50, 62, 14, 14); };
    roundThing(cr, coin, GOLD, 36, 48, 28, 28, false);
    ellipse(cr, 50, 62, 9, 9);
    cairo_set_line_width(cr, basePx(cr, 1.5));
    setColor(cr, darker(GOLD, 0.35), 0.8);
    cairo_stroke(cr);
    Paint::titleText(cr, "$", 15, 50, 67.5, darker(GOLD, 0.25), 0, false);
    sparkle(cr, 72, 24, 7, 0.95);
}

void truck(cairo_t* cr) {
    auto bed = [](cairo_t* c) { roundedRect(c, 12, 40, 46, 30, 4); };
    auto cab = [](cairo_t* c) {
        cairo_move_to(c, 56, 70);
        cairo_line_to(c, 56, 30);
        cairo_curve_to(c, 56, 26, 58, 24, 62, 24);
        cairo_line_to(c, 74, 24);
        cairo_curve_to(c, 80, 24, 82, 30, 84, 42);
        cairo_curve_to(c, 90, 44, 90, 48, 90, 54);
        cairo_line_to(c, 90, 66);
        cairo_curve_to(c, 90, 70, 88, 70, 86, 70);
        cairo_close_path(c);
    };
    shadow(cr, [&](cairo_t* c) {
        bed(c);
        cab(c);
    });
    roundThing(cr, bed, WOOD, 12, 40, 46, 30, false);
    for (int i = 1; i < 3; ++i) {
        cairo_move_to(cr, 13, 40 + i * 10);
        cairo_line_to(cr, 57, 40 + i * 10);
    }
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, WOOD_DARK, 0.8);
    cairo_stroke(cr);
    roundThing(cr, cab, RED, 56, 24, 34, 46, false);
    auto window = [](cairo_t* c) {
        cairo_move_to(c, 62, 44);
        cairo_line_to(c, 62, 31);
        cairo_line_to(c, 73, 31);
        cairo_curve_to(c, 76, 31, 77, 36, 78, 44);
        cairo_close_path(c);
    };
    fillFlat(cr, window, SKY, 62, 31, 16, 13);
    gloss(cr, window, 66, 34, 4, 3, 0.8);
    outline(cr, window, 1.5);
    for (double x : {28.0, 74.0}) {
        auto wheel = [x](cairo_t* c) { ellipse(c, x, 72, 10, 10); };
        roundThing(cr, wheel, hex(0x4A4A52), x - 10, 62, 20, 20, false);
        ellipse(cr, x, 72, 4, 4);
        setColor(cr, STONE);
        cairo_fill(cr);
    }
}

// ---- Bonus pieces. ----

// The bonus pieces glow, so they stand out from the ordinary pieces at a glance: a soft disc of
// warm light around the piece, near white at its rim and gold further out, reaching the cell's
// edge, with sparkles that twinkle round it. It breathes with the pulse (0..1).
void halo(cairo_t* cr, double cx, double cy, double rim, double pulse) {
    const double outer = 50;
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, rim - 2, cx, cy, outer);
    const Rgb warmWhite = mix(WHITE, GOLD_LIGHT, 0.3);
    const double strength = 0.8 + 0.2 * pulse;
    cairo_pattern_add_color_stop_rgba(p, 0.0, warmWhite.r, warmWhite.g, warmWhite.b, 1.0);
    const Rgb warmGold = mix(GOLD_LIGHT, GOLD, 0.5);
    cairo_pattern_add_color_stop_rgba(p, 0.45 + 0.15 * pulse, GOLD_LIGHT.r, GOLD_LIGHT.g, GOLD_LIGHT.b, strength);
    cairo_pattern_add_color_stop_rgba(p, 0.88, warmGold.r, warmGold.g, warmGold.b, 0.75 * strength);
    cairo_pattern_add_color_stop_rgba(p, 1.0, GOLD.r, GOLD.g, GOLD.b, 0);
    ellipse(cr, cx, cy, outer, outer);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Sparkles on the halo, each brightest at its own moment of the loop.
void haloSparkles(cairo_t* cr, double cx, double cy, double radius, double phase) {
    const double angles[3] = {-0.8, 2.2, 0.75};
    for (int i = 0; i < 3; ++i) {
        const double t = 0.5 + 0.5 * std::cos(2 * M_PI * (phase - i / 3.0));
        sparkle(cr, cx + radius * std::cos(angles[i]), cy + radius * std::sin(angles[i]), 3 + 3 * t, 0.35 + 0.6 * t);
    }
}

void seedBomb(cairo_t* cr, double phase) {
    auto ball = [](cairo_t* c) { ellipse(c, 50, 55, 29, 29); };
    const double pulse = 0.5 + 0.5 * std::sin(2 * M_PI * phase);
    halo(cr, 50, 55, 29, pulse);
    glow(cr, ball, GOLD_LIGHT, 0.55 + 0.35 * pulse, 7);
    roundThing(cr, ball, mix(GRASS_DARK, WOOD_DARK, 0.45), 21, 26, 58, 58, false);
    // Seeds pressed into the ball.
    const double seeds[7][2] = {{39, 48}, {55, 44}, {64, 57}, {45, 65}, {57, 72}, {34, 61}, {50, 55}};
    for (auto& s : seeds) {
        ellipse(cr, s[0], s[1], 2.6, 1.9);
        setColor(cr, SOIL);
        cairo_fill(cr);
    }
    // The bright rim.
    ellipse(cr, 50, 55, 26, 26);
    cairo_set_line_width(cr, basePx(cr, 2.5));
    setColor(cr, GOLD_LIGHT, 0.6 + 0.35 * pulse);
    cairo_stroke(cr);
    // A sprout for a fuse.
    auto sprout = [](cairo_t* c) {
        cairo_move_to(c, 50, 27);
        cairo_curve_to(c, 44, 15, 32, 13, 28, 17);
        cairo_curve_to(c, 34, 25, 44, 27, 50, 27);
        cairo_close_path(c);
        cairo_move_to(c, 50, 27);
        cairo_curve_to(c, 56, 11, 70, 9, 74, 13);
        cairo_curve_to(c, 68, 23, 58, 27, 50, 27);
        cairo_close_path(c);
    };
    silhouette(cr, sprout, GRASS, 28, 9, 46, 18, false);
    haloSparkles(cr, 50, 55, 38, phase);
}

void arrowPath(cairo_t* c, bool horizontal) {
    cairo_save(c);
    if (!horizontal) {
        cairo_translate(c, 50, 50);
        cairo_rotate(c, M_PI / 2);
        cairo_translate(c, -50, -50);
    }
    cairo_move_to(c, 12, 50);
    cairo_line_to(c, 28, 36);
    cairo_line_to(c, 28, 45);
    cairo_line_to(c, 72, 45);
    cairo_line_to(c, 72, 36);
    cairo_line_to(c, 88, 50);
    cairo_line_to(c, 72, 64);
    cairo_line_to(c, 72, 55);
    cairo_line_to(c, 28, 55);
    cairo_line_to(c, 28, 64);
    cairo_close_path(c);
    cairo_restore(c);
}

void lightning(cairo_t* cr, double phase, bool row, bool column) {
    auto orb = [](cairo_t* c) { ellipse(c, 50, 50, 30, 30); };
    const double pulse = 0.5 + 0.5 * std::sin(2 * M_PI * phase);
    halo(cr, 50, 50, 30, pulse);
    glow(cr, orb, SKY, 0.6 + 0.3 * pulse, 7);
    roundThing(cr, orb, BLUE, 20, 20, 60, 60, false);
    auto arrows = [&](cairo_t* c) {
        if (row)
            arrowPath(c, true);
        if (column)
            arrowPath(c, false);
    };
    glow(cr, arrows, GOLD, 0.6 + 0.35 * pulse, 3);
    cairo_save(cr);
    arrows(cr);
    cairo_set_line_width(cr, basePx(cr, 4));
    setColor(cr, INK, OUTLINE_ALPHA);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    arrows(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(20, 20, 80, 80);
    cairo_pattern_add_color_stop_rgb(p, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(p, 0.6, GOLD_LIGHT.r, GOLD_LIGHT.g, GOLD_LIGHT.b);
    cairo_pattern_add_color_stop_rgb(p, 1, GOLD.r, GOLD.g, GOLD.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
    haloSparkles(cr, 50, 50, 38, phase);
}

struct PieceDef {
    const char* file;
    std::function<void(cairo_t*, double)> draw;
    // Bonus pieces pulse instead of bobbing.
    bool pulses;
};

const std::vector<PieceDef>& definitions() {
    static const std::vector<PieceDef> defs = {
        {"piece1", [](cairo_t* c, double) { apple(c); }, false},
        {"piece2", [](cairo_t* c, double) { sunflower(c); }, false},
        {"piece3", [](cairo_t* c, double) { bell(c); }, false},
        {"piece4", [](cairo_t* c, double) { clover(c); }, false},
        {"piece5", [](cairo_t* c, double) { plum(c); }, false},
        {"piece6", [](cairo_t* c, double) { carrot(c); }, false},
        {"piece7", [](cairo_t* c, double) { acorn(c); }, false},
        {"piece8", [](cairo_t* c, double) { heart(c); }, false},
        {"egg", [](cairo_t* c, double) { egg(c); }, false},
        {"egg_gold", [](cairo_t* c, double) { goldenEgg(c); }, false},
        {"honey", [](cairo_t* c, double) { honeyPot(c); }, false},
        {"honey_comb", [](cairo_t* c, double) { honeycomb(c); }, false},
        {"milk", [](cairo_t* c, double) { milkJug(c); }, false},
        {"mix", [](cairo_t* c, double) { rainbowFlower(c); }, false},
        {"prize_gold", [](cairo_t* c, double) { coinSack(c); }, false},
        {"prize_vehicle", [](cairo_t* c, double) { truck(c); }, false},
        {"bonus_blast", [](cairo_t* c, double p) { seedBomb(c, p); }, true},
        {"bonus_row", [](cairo_t* c, double p) { lightning(c, p, true, false); }, true},
        {"bonus_column", [](cairo_t* c, double p) { lightning(c, p, false, true); }, true},
        {"bonus_cross", [](cairo_t* c, double p) { lightning(c, p, true, true); }, true},
    };
    return defs;
}

} // namespace

std::vector<std::string> names() {
    std::vector<std::string> out;
    for (const PieceDef& def : definitions())
        out.push_back(def.file);
    return out;
}

void drawFrame(cairo_t* cr, const std::string& name, double size, double phase) {
    for (const PieceDef& def : definitions()) {
        if (name != def.file)
            continue;
        cairo_save(cr);
        cairo_scale(cr, size / 100.0, size / 100.0);
        if (!def.pulses) {
            // Bob up and squeeze around the bottom centre, back down with a small squash.
            const double s = std::sin(2 * M_PI * phase);
            const double lift = 3.0 * (0.5 - 0.5 * std::cos(2 * M_PI * phase));
            cairo_translate(cr, 50, 90 - lift);
            cairo_scale(cr, 1.0 - 0.035 * s, 1.0 + 0.035 * s);
            cairo_translate(cr, -50, -90);
        }
        def.draw(cr, phase);
        cairo_restore(cr);
        return;
    }
}

void generate() {
    for (const PieceDef& def : definitions()) {
        Canvas sheet(CELL * FRAMES, CELL);
        Sheet::draw(sheet, CELL, CELL, FRAMES,
                    [&](cairo_t* cr, int, double phase) { drawFrame(cr, def.file, CELL, phase); });
        Output::small(sheet, std::string(FOLDER) + def.file + ".png");
    }
}

} // namespace Pieces
