// Units 0-12: hen house to adornment house.

#include "Buildings.h"

#include <cmath>

using namespace Paint;
using namespace Palette;
using namespace Kit;

namespace Buildings {

namespace {

constexpr double G = 106; // ground line of the front
const Rgb PLASTER = hex(0xF4E6C8);
const Rgb RED_WOOD = mix(RED, WOOD_DARK, 0.35);

void base(Ctx& k, double rx = 62, double ry = 13) {
    contactShadow(k, 72, G - 4, rx, ry);
}

// A little hen, for the yards (layer EXTRAS).
void hen(Ctx& k, double x, double y, bool left, Rgb colour = WHITE) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    const double s = left ? -1 : 1;
    auto body = [=](cairo_t* p) {
        ellipse(p, x, y - 5, 5.5, 4.5);
        ellipse(p, x + 4 * s, y - 9, 2.8, 2.8);
        cairo_move_to(p, x - 4 * s, y - 6);
        cairo_line_to(p, x - 8 * s, y - 10);
        cairo_line_to(p, x - 5 * s, y - 3);
        cairo_close_path(p);
    };
    silhouette(cr, body, colour, x - 8, y - 12, 16, 12, false);
    ellipse(cr, x + 4 * s, y - 12, 1.3, 1.3);
    setColor(cr, RED);
    cairo_fill(cr);
    cairo_move_to(cr, x + 6.5 * s, y - 9.5);
    cairo_line_to(cr, x + 8.5 * s, y - 8.8);
    cairo_line_to(cr, x + 6.5 * s, y - 8);
    setColor(cr, ORANGE);
    cairo_fill(cr);
}

void henHouse(Ctx& k, int level) {
    base(k);
    if (level == 1) {
        yard(k, 70, G - 6, 58, 14, SOIL);
        block(k, 38, G - 4, 50, 38, 30, Wall::Planks, lighter(WOOD, 0.15));
        gableRoof(k, 38, G - 42, 50, 30, 22);
        door(k, 54, G - 4, 13, 22, WOOD_DARK);
        // A hen ramp.
        if (k.on(EXTRAS)) {
            cairo_t* cr = k.cr;
            auto ramp = [](cairo_t* p) {
                cairo_move_to(p, 74, G - 18);
                cairo_line_to(p, 98, G - 2);
                cairo_line_to(p, 102, G - 4);
                cairo_line_to(p, 78, G - 20);
                cairo_close_path(p);
            };
            fillFlat(cr, ramp, WOOD, 74, G - 20, 28, 18);
            outline(cr, ramp, 1.3);
        }
        roundWindow(k, 63, G - 50, 5);
        fence(k, 8, 34, G + 6, 11);
        hay(k, 112, G, 10);
        hen(k, 26, G + 4, false);
        hen(k, 104, G + 10, true, mix(WOOD, ORANGE, 0.5));
    } else if (level == 2) {
        yard(k, 70, G - 6, 64, 15, SOIL);
        block(k, 28, G - 4, 66, 48, 34, Wall::Planks, lighter(WOOD, 0.2));
        gableRoof(k, 28, G - 52, 66, 34, 26);
        door(k, 46, G - 4, 14, 26, WOOD_DARK);
        window(k, 74, G - 30, 14, 12);
        flowerBox(k, 74, G - 22, 18);
        roundWindow(k, 61, G - 62, 6);
        // The perch by the window.
        if (k.on(EXTRAS)) {
            cairo_t* cr = k.cr;
            auto perch = [](cairo_t* p) { cairo_rectangle(p, 62, G - 37, 26, 2.5); };
            fillFlat(cr, perch, WOOD_DARK, 62, G - 37, 26, 2.5);
            outline(cr, perch, 1);
        }
        hen(k, 70, G - 37, false);
        fence(k, 4, 26, G + 6, 11);
        fence(k, 104, 136, G + 6, 11);
        hen(k, 16, G + 4, false, mix(WOOD, ORANGE, 0.5));
        hen(k, 118, G + 10, true);
        hen(k, 100, G + 2, false, GOLD);
    } else {
        yard(k, 70, G - 6, 68, 16, SOIL);
        block(k, 14, G - 4, 56, 44, 30, Wall::Planks, lighter(WOOD, 0.2));
        gableRoof(k, 14, G - 48, 56, 30, 22);
        block(k, 70, G, 40, 56, 26, Wall::Plaster, PLASTER);
        gableRoof(k, 70, G - 56, 40, 26, 20);
        // The clock tower on the hall.
        block(k, 81, G - 60, 17, 15, 8, Wall::Plaster, PLASTER);
        coneRoof(k, 91.5, G - 75, 13, 18);
        clock(k, 89.5, G - 67.5, 5);
        door(k, 90, G, 14, 26, WOOD_DARK);
        window(k, 32, G - 26, 13, 11);
        roundWindow(k, 42, G - 56, 5);
        fence(k, 2, 12, G + 8, 11);
        hen(k, 22, G + 6, false);
        hen(k, 48, G + 10, true, mix(WOOD, ORANGE, 0.5));
        hen(k, 118, G + 8, true, GOLD);
        hen(k, 130, G - 4, false);
    }
}

void cheeseHouse(Ctx& k, int level) {
    base(k);
    block(k, 30, G - 4, 62, 40, 32, Wall::Stone, STONE);
    ridgeRoof(k, 30, G - 44, 62, 32, 24);
    door(k, 48, G - 4, 15, 24, WOOD_DARK);
    window(k, 76, G - 26, 14, 12);
    sign(k, 62, G - 50, 20, 14, symbolCheese);
    chimney(k, 76, G - 70, 7, 14);
    if (level == 1) {
        barrel(k, 108, G + 2, 7);
    } else {
        // A cellar door and oak barrels.
        if (k.on(EXTRAS)) {
            cairo_t* cr = k.cr;
            auto hatch = [](cairo_t* p) {
                cairo_move_to(p, 6, G + 4);
                cairo_line_to(p, 30, G + 4);
                cairo_line_to(p, 36, G - 6);
                cairo_line_to(p, 14, G - 6);
                cairo_close_path(p);
            };
            fillFlat(cr, hatch, WOOD, 6, G - 6, 30, 10);
            outline(cr, hatch, 1.5);
        }
        barrel(k, 106, G + 4, 7.5);
        barrel(k, 122, G - 2, 7);
        barrel(k, 114, G + 10, 7);
        bush(k, 22, G - 8, 8, YELLOW);
    }
}

void millHouse(Ctx& k, int level) {
    base(k);
    if (k.on(GROUND)) {
        // The mill stream.
        cairo_t* cr = k.cr;
        auto stream = [](cairo_t* p) {
            cairo_move_to(p, 100, G - 40);
            cairo_curve_to(p, 120, G - 30, 110, G - 8, 132, G + 10);
            cairo_line_to(p, 112, G + 12);
            cairo_curve_to(p, 96, G - 4, 104, G - 24, 90, G - 36);
            cairo_close_path(p);
        };
        fillFlat(cr, stream, WATER, 90, G - 40, 42, 52);
        cairo_save(cr);
        stream(cr);
        cairo_clip(cr);
        for (int i = 0; i < 6; ++i) {
            cairo_move_to(cr, 100 + i * 3, G - 30 + i * 7);
            cairo_line_to(cr, 106 + i * 3, G - 30 + i * 7);
        }
        cairo_set_line_width(cr, 1.2);
        setColor(cr, WHITE, 0.7);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    const Wall wall = level == 1 ? Wall::Planks : Wall::Stone;
    const Rgb colour = level == 1 ? lighter(WOOD, 0.2) : STONE;
    const double h = level == 1 ? 46 : 56;
    block(k, 24, G - 4, 58, h, 30, wall, colour);
    gableRoof(k, 24, G - 4 - h, 58, 30, 26);
    door(k, 42, G - 4, 14, 24, WOOD_DARK);
    window(k, 66, G - 30, 12, 12);
    if (level == 2)
        window(k, 53, G - 50, 10, 10, false);
    sign(k, 53, G - h - 4 - 10, 14, 12, symbolFlour);
    // The water wheel on the right side, turning in the stream.
    wheelSpoked(k, 104, G - 30, level == 1 ? 17 : 22, WOOD, 0.2);
    sack(k, 14, G + 4, 6);
    if (level == 2) {
        sack(k, 24, G + 8, 5.5);
        fence(k, 2, 20, G - 2, 10);
    }
}

void beeHive(Ctx& k, double cx, double ground, double s, Rgb colour) {
    if (!k.on(WALLS))
        return;
    cairo_t* cr = k.cr;
    auto stand = [=](cairo_t* p) { cairo_rectangle(p, cx - 8 * s, ground - 6 * s, 16 * s, 6 * s); };
    fillFlat(cr, stand, WOOD_DARK, cx - 8 * s, ground - 6 * s, 16 * s, 6 * s);
    outline(cr, stand, 1.2);
    auto hive = [=](cairo_t* p) {
        cairo_move_to(p, cx - 11 * s, ground - 6 * s);
        cairo_curve_to(p, cx - 13 * s, ground - 30 * s, cx + 13 * s, ground - 30 * s, cx + 11 * s, ground - 6 * s);
        cairo_close_path(p);
    };
    roundThing(cr, hive, colour, cx - 12 * s, ground - 28 * s, 24 * s, 22 * s);
    cairo_save(cr);
    hive(cr);
    cairo_clip(cr);
    for (int i = 1; i < 4; ++i) {
        cairo_move_to(cr, cx - 14 * s, ground - 6 * s - i * 5.5 * s);
        cairo_line_to(cr, cx + 14 * s, ground - 6 * s - i * 5.5 * s);
    }
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, darker(colour, 0.4), 0.6);
    cairo_stroke(cr);
    cairo_restore(cr);
    ellipse(cr, cx, ground - 10 * s, 2.5 * s, 2 * s);
    setColor(cr, INK);
    cairo_fill(cr);
}

void smallBee(Ctx& k, double x, double y) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    ellipse(cr, x - 1, y - 2.5, 2.2, 1.6);
    ellipse(cr, x + 1.5, y - 2.8, 2.2, 1.6);
    setColor(cr, WHITE, 0.85);
    cairo_fill(cr);
    auto b = [=](cairo_t* p) { ellipse(p, x, y, 3, 2.2); };
    fillRound(cr, b, YELLOW, x - 3, y - 2, 6, 4);
    cairo_rectangle(cr, x - 0.6, y - 2, 1.2, 4);
    setColor(cr, INK);
    cairo_fill(cr);
    outline(cr, b, 0.8);
}

void beeHouse(Ctx& k, int level) {
    base(k, 60, 12);
    yard(k, 70, G - 8, 58, 14, mix(GRASS_LIGHT, SOIL, 0.5));
    if (level == 2) {
        // The lavender hedge at the back.
        if (k.on(GROUND)) {
            for (int i = 0; i < 9; ++i) {
                const double x = 18 + i * 13;
                Ctx g = k;
                g.layers = EXTRAS;
                bush(g, x, G - 34 - (i % 2) * 2, 7, lighter(PURPLE, 0.35));
            }
        }
    }
    block(k, 52, G - 14, 36, 30, 20, Wall::Planks, lighter(WOOD, 0.25));
    gableRoof(k, 52, G - 44, 36, 20, 16, 4);
    door(k, 64, G - 14, 10, 16, WOOD_DARK, true);
    sign(k, 80, G - 28, 12, 10, symbolHoney);
    beeHive(k, 30, G, 1.0, YELLOW);
    beeHive(k, 110, G + 2, 1.0, lighter(BLUE, 0.2));
    if (level == 2) {
        beeHive(k, 14, G + 10, 0.85, PINK);
        beeHive(k, 128, G + 12, 0.85, lighter(GREEN, 0.2));
        beeHive(k, 72, G + 12, 0.85, ORANGE);
    }
    bush(k, 94, G - 8, 7, PINK);
    smallBee(k, 42, G - 40);
    smallBee(k, 100, G - 34);
    if (level == 2)
        smallBee(k, 20, G - 22);
}

void bakery(Ctx& k, int level) {
    base(k);
    block(k, 24, G - 4, 66, 46, 32, Wall::Plaster, PLASTER);
    gableRoof(k, 24, G - 50, 66, 32, 26);
    chimney(k, 74, G - 78, 8, 16);
    door(k, 44, G - 4, 15, 26, RED_WOOD);
    window(k, 72, G - 28, 16, 14);
    flowerBox(k, 72, G - 19, 20);
    sign(k, 57, G - 60, 22, 13, symbolBread);
    if (level == 1) {
        sack(k, 112, G + 2, 6.5);
        crate(k, 14, G + 6, 12);
    } else {
        // The second oven: a dome of brick at the side, and a bench.
        if (k.on(WALLS)) {
            cairo_t* cr = k.cr;
            auto oven = [](cairo_t* p) {
                cairo_move_to(p, 100, G + 4);
                cairo_curve_to(p, 100, G - 30, 136, G - 30, 136, G + 4);
                cairo_close_path(p);
            };
            roundThing(cr, oven, mix(RED, WOOD, 0.5), 100, G - 24, 36, 28);
            auto mouth = [](cairo_t* p) {
                cairo_move_to(p, 112, G + 2);
                cairo_curve_to(p, 112, G - 12, 124, G - 12, 124, G + 2);
                cairo_close_path(p);
            };
            fillFlat(cr, mouth, INK, 112, G - 10, 12, 12);
            glow(cr, mouth, ORANGE, 0.8, 3);
            outline(cr, mouth, 1.2);
        }
        if (k.on(EXTRAS)) {
            cairo_t* cr = k.cr;
            auto bench = [](cairo_t* p) {
                cairo_rectangle(p, 4, G - 2, 20, 3.5);
                cairo_rectangle(p, 6, G + 1, 2.5, 7);
                cairo_rectangle(p, 19, G + 1, 2.5, 7);
            };
            outline(cr, bench, 2.6);
            fillFlat(cr, bench, WOOD, 4, G - 2, 20, 10);
        }
        sack(k, 96, G + 12, 6);
    }
}

void cakeHouse(Ctx& k, int level) {
    base(k);
    block(k, 26, G - 4, 62, 48, 30, Wall::Plaster, lighter(PINK, 0.65));
    gableRoof(k, 26, G - 52, 62, 30, 24);
    door(k, 44, G - 4, 14, 26, lighter(PINK, 0.1));
    sign(k, 57, G - 62, 20, 14, symbolCake);
    if (level == 1) {
        window(k, 72, G - 28, 15, 14);
        bush(k, 106, G + 2, 8, WHITE);
    } else {
        // The shop window full of cakes and a striped awning.
        window(k, 74, G - 26, 20, 18, false);
        if (k.on(EXTRAS)) {
            cairo_t* cr = k.cr;
            symbolCake(cr, 74, G - 24, 4.5);
            auto awning = [](cairo_t* p) {
                cairo_move_to(p, 60, G - 38);
                cairo_line_to(p, 88, G - 38);
                cairo_line_to(p, 92, G - 30);
                cairo_line_to(p, 56, G - 30);
                cairo_close_path(p);
            };
            fillFlat(cr, awning, WHITE, 56, G - 38, 36, 8);
            cairo_save(cr);
            awning(cr);
            cairo_clip(cr);
            for (int i = 0; i < 5; ++i)
                cairo_rectangle(cr, 56 + i * 8, G - 40, 4, 12);
            setColor(cr, k.style.roof);
            cairo_fill(cr);
            cairo_restore(cr);
            outline(cr, awning, 1.4);
            // Little tables with umbrellas.
            for (double x : {108.0, 12.0}) {
                auto t = [=](cairo_t* p) {
                    ellipse(p, x, G + 2, 8, 3);
                    cairo_rectangle(p, x - 1, G + 2, 2, 8);
                };
                outline(cr, t, 2.4);
                fillFlat(cr, t, WHITE, x - 8, G, 16, 10);
                auto u = [=](cairo_t* p) {
                    cairo_move_to(p, x - 11, G - 14);
                    cairo_curve_to(p, x - 8, G - 24, x + 8, G - 24, x + 11, G - 14);
                    cairo_close_path(p);
                };
                cairo_rectangle(cr, x - 0.7, G - 16, 1.4, 16);
                setColor(cr, INK, 0.8);
                cairo_fill(cr);
                roundThing(cr, u, k.style.roof, x - 11, G - 24, 22, 10, false);
            }
        }
    }
}

void goatHouse(Ctx& k, int level) {
    base(k);
    if (level == 2 && k.on(GROUND)) {
        // The fenced hill behind.
        cairo_t* cr = k.cr;
        auto hillPath = [](cairo_t* p) {
            cairo_move_to(p, 4, G + 4);
            cairo_curve_to(p, 20, G - 46, 70, G - 50, 90, G + 4);
            cairo_close_path(p);
        };
        fillRound(cr, hillPath, GRASS, 4, G - 40, 86, 44, 0.6);
        // Tufts and daisies on the hill.
        for (int i = 0; i < 9; ++i) {
            const double x = 16 + i * 7.5, y = G - 4 - 30 * std::sin(M_PI * (x - 4) / 86) + 6 * hashNoise(i, 1, 21);
            ellipse(cr, x, y, 1.6, 1.6);
            setColor(cr, i % 3 ? WHITE : YELLOW);
            cairo_fill(cr);
        }
    }
    const double x = level == 1 ? 36 : 62;
    block(k, x, G - 2, 44, 34, 26, Wall::Logs, lighter(WOOD, 0.15));
    ridgeRoof(k, x, G - 36, 44, 26, 14, 4);
    door(k, x + 14, G - 2, 12, 20, WOOD_DARK, false);
    window(k, x + 33, G - 22, 10, 9);
    if (level == 2) {
        // The little climbing tower.
        block(k, 20, G - 20, 20, 34, 14, Wall::Planks, WOOD);
        coneRoof(k, 34, G - 58, 14, 16);
        fence(k, 2, 58, G + 10, 11);
        rock(k, 114, G + 6, 9, IRON);
    } else {
        rock(k, 20, G + 2, 8, IRON);
        hay(k, 108, G + 4, 8);
        fence(k, 4, 32, G + 10, 10);
    }
}

void sheep(Ctx& k, double x, double y) {
    if (!k.on(EXTRAS))
        return;
    symbolSheep(k.cr, x, y, 8);
}

void woolHouse(Ctx& k, int) {
    base(k);
    block(k, 22, G - 4, 60, 42, 30, Wall::Planks, lighter(CREAM, 0.0));
    ridgeRoof(k, 22, G - 46, 60, 30, 22);
    door(k, 38, G - 4, 14, 24, WOOD_DARK);
    window(k, 66, G - 26, 14, 12);
    sign(k, 52, G - 56, 18, 12, symbolSheep);
    // Wool drying on a line.
    if (k.on(EXTRAS)) {
        cairo_t* cr = k.cr;
        cairo_move_to(cr, 96, G - 30);
        cairo_curve_to(cr, 110, G - 26, 122, G - 26, 134, G - 32);
        cairo_set_line_width(cr, 1);
        setColor(cr, INK, 0.8);
        cairo_stroke(cr);
        for (double px : {96.0, 134.0}) {
            auto post = [=](cairo_t* p) { cairo_rectangle(p, px - 1.5, G - 34, 3, 38); };
            fillFlat(cr, post, WOOD_DARK, px - 1.5, G - 34, 3, 38);
            outline(cr, post, 1);
        }
        for (int i = 0; i < 3; ++i) {
            const double fx = 104 + i * 10;
            auto fleece = [=](cairo_t* p) {
                ellipse(p, fx, G - 22, 4.5, 6);
                ellipse(p, fx + 2, G - 18, 3.5, 4);
            };
            silhouette(cr, fleece, WHITE, fx - 5, G - 28, 10, 14, false);
        }
    }
    sheep(k, 112, G + 8);
    sheep(k, 12, G + 6);
    fence(k, 90, 138, G + 16, 10);
}

void cowHouse(Ctx& k, int level) {
    base(k, 64, 13);
    const double w = level == 1 ? 62 : 74, h = level == 1 ? 42 : 54;
    const double x = 70 - (w + 36 * SX) / 2;
    block(k, x, G - 2, w, h, 36, Wall::Planks, RED_WOOD);
    gableRoof(k, x, G - 2 - h, w, 36, level == 1 ? 26 : 34);
    barnDoor(k, x + w / 2, G - 2, 24, 26, RED_WOOD);
    if (level == 2) {
        // Hay loft door and bell.
        barnDoor(k, x + w / 2, G - h + 12, 12, 12, RED_WOOD);
        bell(k, x + w / 2, G - h - 18, 4);
        hay(k, 124, G + 8, 9);
        fence(k, 2, 16, G + 10, 11);
    } else {
        hay(k, 118, G + 6, 8);
    }
    window(k, x + 10, G - 22, 9, 9, false);
    window(k, x + w - 10, G - 22, 9, 9, false);
}

void spinningWheel(Ctx& k, double cx, double ground, double s) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto legs = [=](cairo_t* p) {
        cairo_move_to(p, cx - 8 * s, ground);
        cairo_line_to(p, cx, ground - 12 * s);
        cairo_line_to(p, cx + 8 * s, ground);
    };
    cairo_save(cr);
    legs(cr);
    cairo_set_line_width(cr, 3.2 * s);
    setColor(cr, INK, 0.85);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.8 * s);
    setColor(cr, WOOD);
    cairo_stroke(cr);
    cairo_restore(cr);
    Ctx e = k;
    wheelSpoked(e, cx, ground - 14 * s, 9 * s, WOOD, 0.3);
}

void spinningHouse(Ctx& k, int level) {
    base(k);
    block(k, 26, G - 4, 60, 46, 30, Wall::Plaster, lighter(SKY, 0.6));
    gableRoof(k, 26, G - 50, 60, 30, 26);
    door(k, 42, G - 4, 13, 24, WOOD_DARK);
    window(k, 70, G - 28, 14, 13);
    sign(k, 56, G - 60, 16, 13, [](cairo_t* cr, double cx, double cy, double r) { symbolYarn(cr, cx, cy, r, PINK); });
    spinningWheel(k, 110, G + 6, 1.0);
    if (level == 2) {
        spinningWheel(k, 16, G + 6, 0.9);
        // The dye vat with coloured yarn.
        if (k.on(EXTRAS)) {
            cairo_t* cr = k.cr;
            auto vat = [](cairo_t* p) { roundedRect(p, 92, G - 20, 24, 14, 4); };
            roundThing(cr, vat, WOOD, 92, G - 20, 24, 14, true);
            ellipse(cr, 104, G - 20, 11, 3);
            setColor(cr, PURPLE);
            cairo_fill(cr);
            symbolYarn(cr, 126, G - 2, 5, RED);
            symbolYarn(cr, 132, G + 10, 5, BLUE);
        }
    } else {
        if (k.on(EXTRAS))
            symbolYarn(k.cr, 16, G + 2, 6, YELLOW);
    }
}

void textileHouse(Ctx& k, int) {
    base(k, 66, 14);
    block(k, 12, G - 2, 84, 50, 34, Wall::Brick, mix(RED, SOIL, 0.55));
    ridgeRoof(k, 12, G - 52, 84, 34, 24);
    // Sawtooth skylights on the roof.
    if (k.on(ROOF)) {
        cairo_t* cr = k.cr;
        for (int i = 0; i < 3; ++i) {
            const double x = 24 + i * 24;
            auto tooth = [=](cairo_t* p) {
                cairo_move_to(p, x, G - 58);
                cairo_line_to(p, x + 4, G - 70);
                cairo_line_to(p, x + 16, G - 70);
                cairo_line_to(p, x + 16, G - 58);
                cairo_close_path(p);
            };
            fillFlat(cr, tooth, mix(SKY, WHITE, 0.3), x, G - 70, 16, 12);
            outline(cr, tooth, 1.4);
        }
    }
    door(k, 30, G - 2, 15, 26, WOOD_DARK);
    window(k, 56, G - 28, 13, 14, false);
    window(k, 80, G - 28, 13, 14, false);
    sign(k, 68, G - 12, 24, 12, symbolCloth);
    // Cloth rolls waiting.
    if (k.on(EXTRAS)) {
        symbolCloth(k.cr, 124, G + 4, 8);
        symbolCloth(k.cr, 122, G - 8, 7);
    }
}

void moldingHouse(Ctx& k, int) {
    base(k);
    block(k, 20, G - 4, 56, 42, 28, Wall::Plaster, mix(SOIL, ORANGE, 0.25));
    ridgeRoof(k, 20, G - 46, 56, 28, 20);
    door(k, 36, G - 4, 14, 24, WOOD_DARK);
    window(k, 62, G - 26, 12, 11);
    sign(k, 48, G - 54, 16, 12, symbolPot);
    // The round kiln with its tall chimney.
    cylinder(k, 104, G + 2, 17, 30, mix(RED, SOIL, 0.4), true);
    coneRoof(k, 104, G - 28, 17, 14);
    chimney(k, 100, G - 62, 8, 20);
    if (k.on(EXTRAS)) {
        cairo_t* cr = k.cr;
        auto mouth = [](cairo_t* p) {
            cairo_move_to(p, 98, G + 4);
            cairo_curve_to(p, 98, G - 12, 110, G - 12, 110, G + 4);
            cairo_close_path(p);
        };
        fillFlat(cr, mouth, INK, 98, G - 10, 12, 14);
        glow(cr, mouth, ORANGE, 0.9, 3);
        symbolPot(cr, 14, G + 2, 6);
        symbolPot(cr, 26, G + 8, 5);
    }
}

void adornmentHouse(Ctx& k, int) {
    base(k);
    block(k, 30, G - 4, 52, 46, 28, Wall::Plaster, lighter(PURPLE, 0.7));
    gableRoof(k, 30, G - 50, 52, 28, 28);
    roundWindow(k, 56, G - 62, 6);
    door(k, 44, G - 4, 13, 24, PURPLE);
    window(k, 70, G - 28, 12, 12);
    flowerBox(k, 70, G - 20, 16);
    if (k.on(EXTRAS)) {
        cairo_t* cr = k.cr;
        // Ribbon garlands and beads on the front.
        cairo_move_to(cr, 30, G - 46);
        cairo_curve_to(cr, 44, G - 38, 68, G - 38, 82, G - 46);
        cairo_set_line_width(cr, 1.2);
        setColor(cr, INK, 0.7);
        cairo_stroke(cr);
        const Rgb flags[] = {RED, GOLD, BLUE, PINK, GREEN};
        for (int i = 0; i < 5; ++i) {
            const double fx = 36 + i * 10, fy = G - 42 + (i == 0 || i == 4 ? -2 : 0.5);
            cairo_move_to(cr, fx - 3, fy);
            cairo_line_to(cr, fx + 3, fy);
            cairo_line_to(cr, fx, fy + 6);
            cairo_close_path(cr);
            setColor(cr, flags[i]);
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, basePx(cr, 0.8));
            setColor(cr, INK, 0.7);
            cairo_stroke(cr);
        }
        symbolBead(cr, 112, G - 8, 9);
    }
    bush(k, 112, G + 8, 7, PINK);
    bush(k, 16, G + 6, 7, GOLD);
}

} // namespace

void firstUnits(std::vector<Unit>& out) {
    out.push_back({"hen_house", 3, false, henHouse, symbolEgg});
    out.push_back({"cheese_house", 2, false, cheeseHouse, symbolCheese});
    out.push_back({"mill_house", 2, false, millHouse, symbolFlour});
    out.push_back({"bee_house", 2, false, beeHouse, symbolHoney});
    out.push_back({"bakery", 2, false, bakery, symbolBread});
    out.push_back({"cake_house", 2, false, cakeHouse, symbolCake});
    out.push_back({"goat_house", 2, false, goatHouse, symbolMilk});
    out.push_back({"wool_house", 1, false, woolHouse, symbolSheep});
    out.push_back({"cow_house", 2, false, cowHouse, symbolMilk});
    out.push_back({"spinning_house", 2, false, spinningHouse,
                   [](cairo_t* cr, double cx, double cy, double r) { symbolYarn(cr, cx, cy, r, PINK); }});
    out.push_back({"textile_house", 1, false, textileHouse, symbolCloth});
    out.push_back({"molding_house", 1, false, moldingHouse, symbolPot});
    out.push_back({"adornment_house", 1, false, adornmentHouse, symbolBead});
}

} // namespace Buildings
