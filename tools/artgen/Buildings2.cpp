// Units 13-25: warehouse to dogs factory; the small ones (seed bed, bench, water pump, fountain,
// dog house) on the small canvas.

#include "Buildings.h"

#include <cmath>

using namespace Paint;
using namespace Palette;
using namespace Kit;

namespace Buildings {

namespace {

constexpr double G = 106; // ground line on the large canvas
constexpr double SG = 80; // ground line on the small canvas
const Rgb PLASTER = hex(0xF4E6C8);

void base(Ctx& k, double rx = 62, double ry = 13) {
    contactShadow(k, 72, G - 4, rx, ry);
}

void warehouse(Ctx& k, int level) {
    base(k, 66, 14);
    if (level == 1) {
        block(k, 24, G - 4, 64, 40, 32, Wall::Planks, lighter(WOOD, 0.1));
        ridgeRoof(k, 24, G - 44, 64, 32, 20);
        barnDoor(k, 52, G - 4, 24, 26, WOOD);
        sign(k, 78, G - 32, 14, 11, symbolBox);
        sack(k, 108, G + 4, 6);
        barrel(k, 14, G + 6, 6.5);
        crate(k, 122, G + 8, 11);
    } else if (level == 2) {
        block(k, 20, G - 4, 68, 64, 32, Wall::Planks, lighter(WOOD, 0.1));
        ridgeRoof(k, 20, G - 68, 68, 32, 20);
        barnDoor(k, 46, G - 4, 24, 26, WOOD);
        barnDoor(k, 46, G - 40, 14, 16, WOOD);
        window(k, 76, G - 20, 10, 10, false);
        // The pulley beam with a hanging crate.
        if (k.on(EXTRAS)) {
            cairo_t* cr = k.cr;
            auto beam = [](cairo_t* p) { cairo_rectangle(p, 40, G - 64, 24, 4); };
            fillFlat(cr, beam, WOOD_DARK, 40, G - 64, 24, 4);
            outline(cr, beam, 1.2);
            cairo_move_to(cr, 60, G - 60);
            cairo_line_to(cr, 60, G - 42);
            cairo_set_line_width(cr, 1);
            setColor(cr, INK, 0.8);
            cairo_stroke(cr);
        }
        sign(k, 78, G - 46, 14, 11, symbolBox);
        sack(k, 108, G + 4, 6);
        sack(k, 118, G + 10, 5.5);
        barrel(k, 12, G + 6, 6.5);
        crate(k, 124, G - 2, 10);
    } else {
        // Market hall: the warehouse with an open arcade and striped stalls.
        block(k, 30, G - 8, 70, 54, 30, Wall::Stone, STONE);
        gableRoof(k, 30, G - 62, 70, 30, 24);
        roundWindow(k, 65, G - 70, 6);
        for (int i = 0; i < 3; ++i)
            door(k, 44 + i * 21, G - 8, 14, 30, INK, true);
        clock(k, 65, G - 49, 5);
        if (k.on(EXTRAS)) {
            cairo_t* cr = k.cr;
            for (int side = 0; side < 2; ++side) {
                const double x = side == 0 ? 2 : 106;
                auto awning = [=](cairo_t* p) {
                    cairo_move_to(p, x + 2, G - 22);
                    cairo_line_to(p, x + 28, G - 22);
                    cairo_line_to(p, x + 32, G - 14);
                    cairo_line_to(p, x - 2, G - 14);
                    cairo_close_path(p);
                };
                auto table = [=](cairo_t* p) { cairo_rectangle(p, x, G - 4, 30, 10); };
                fillFlat(cr, table, WOOD, x, G - 4, 30, 10);
                outline(cr, table, 1.5);
                cairo_rectangle(cr, x + 1, G - 16, 2, 12);
                cairo_rectangle(cr, x + 27, G - 16, 2, 12);
                setColor(cr, WOOD_DARK);
                cairo_fill(cr);
                fillFlat(cr, awning, WHITE, x - 2, G - 22, 34, 8);
                cairo_save(cr);
                awning(cr);
                cairo_clip(cr);
                for (int i = 0; i < 5; ++i)
                    cairo_rectangle(cr, x - 2 + i * 8, G - 24, 4, 12);
                setColor(cr, k.style.roof);
                cairo_fill(cr);
                cairo_restore(cr);
                outline(cr, awning, 1.4);
                symbolCarrot(cr, x + 8, G - 7, 4);
                symbolBread(cr, x + 20, G - 6, 4.5);
            }
        }
    }
}

void clothesHouse(Ctx& k, int) {
    base(k);
    block(k, 24, G - 4, 62, 50, 30, Wall::Plaster, lighter(BLUE, 0.7));
    gableRoof(k, 24, G - 54, 62, 30, 26);
    roundWindow(k, 55, G - 64, 5.5);
    door(k, 40, G - 4, 14, 26, BLUE);
    // Shop window with a dress on a stand.
    window(k, 70, G - 26, 20, 20, false);
    if (k.on(EXTRAS)) {
        cairo_t* cr = k.cr;
        auto dress = [](cairo_t* p) {
            cairo_move_to(p, 68, G - 34);
            cairo_line_to(p, 72, G - 34);
            cairo_line_to(p, 76, G - 18);
            cairo_line_to(p, 64, G - 18);
            cairo_close_path(p);
        };
        fillFlat(cr, dress, RED, 64, G - 34, 12, 16);
        outline(cr, dress, 1);
        symbolShirt(cr, 114, G - 6, 8);
        cairo_move_to(cr, 102, G - 18);
        cairo_line_to(cr, 130, G - 18);
        cairo_set_line_width(cr, 1.2);
        setColor(cr, INK, 0.8);
        cairo_stroke(cr);
    }
    bush(k, 14, G + 6, 7, WHITE);
}

void stoneHouse(Ctx& k, int level) {
    base(k);
    yard(k, 76, G - 4, 60, 14, mix(STONE, SOIL, 0.5));
    block(k, 22, G - 6, 52, 40, 28, Wall::Stone, STONE);
    ridgeRoof(k, 22, G - 46, 52, 28, 18);
    door(k, 36, G - 6, 13, 22, WOOD_DARK);
    window(k, 60, G - 26, 11, 10);
    sign(k, 48, G - 54, 16, 12, symbolStone);
    rock(k, 102, G + 2, 10, IRON);
    rock(k, 118, G + 10, 7, STONE);
    if (level == 2) {
        // The crane.
        if (k.on(WALLS)) {
            cairo_t* cr = k.cr;
            auto crane = [](cairo_t* p) {
                cairo_rectangle(p, 112, G - 84, 5, 84);
                cairo_move_to(p, 84, G - 84);
                cairo_line_to(p, 134, G - 84);
                cairo_line_to(p, 134, G - 80);
                cairo_line_to(p, 84, G - 80);
                cairo_close_path(p);
            };
            outline(cr, crane, 3.2);
            fillFlat(cr, crane, WOOD, 84, G - 84, 50, 84);
            cairo_move_to(cr, 90, G - 80);
            cairo_line_to(cr, 90, G - 36);
            cairo_set_line_width(cr, 1);
            setColor(cr, INK, 0.85);
            cairo_stroke(cr);
        }
        if (k.on(EXTRAS)) {
            auto block_ = [](cairo_t* p) { cairo_rectangle(p, 84, G - 36, 12, 9); };
            roundThing(k.cr, block_, STONE, 84, G - 36, 12, 9, false);
        }
        rock(k, 10, G + 6, 8, STONE);
        rock(k, 24, G + 12, 6, IRON);
    }
}

void water(cairo_t* cr, const PathFn& path, double x, double y, double w, double h) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(p, 0, WATER.r, WATER.g, WATER.b);
    cairo_pattern_add_color_stop_rgb(p, 1, DEEP_WATER.r, DEEP_WATER.g, DEEP_WATER.b);
    path(cr);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    (void)x;
    (void)w;
}

// The pier reaches to the right over the water of the map's pond.
void pier(Ctx& k, int level) {
    const double len = level == 1 ? 70 : 96;
    // The short pier starts further right, so it still reaches the water.
    cairo_save(k.cr);
    if (level == 1)
        cairo_translate(k.cr, 22, 0);
    if (k.on(WALLS)) {
        cairo_t* cr = k.cr;
        // Posts standing in the water, with rings.
        for (int i = 0; i < (level == 1 ? 4 : 5); ++i) {
            const double x = 44 + i * len / (level == 1 ? 3.2 : 4.2);
            auto post = [=](cairo_t* p) { roundedRect(p, x - 2.5, G - 30, 5, 30, 1.5); };
            fillFlat(cr, post, WOOD_DARK, x - 2.5, G - 30, 5, 30);
            outline(cr, post, 1.2);
            ellipse(cr, x, G, 6, 1.8);
            setColor(cr, WHITE, 0.6);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        // The deck.
        auto deck = [=](cairo_t* p) {
            cairo_move_to(p, 30, G - 22);
            cairo_line_to(p, 30 + len, G - 30);
            cairo_line_to(p, 30 + len + 8, G - 38);
            cairo_line_to(p, 38, G - 30);
            cairo_close_path(p);
        };
        auto face = [=](cairo_t* p) {
            cairo_move_to(p, 30, G - 22);
            cairo_line_to(p, 30 + len, G - 30);
            cairo_line_to(p, 30 + len, G - 26);
            cairo_line_to(p, 30, G - 18);
            cairo_close_path(p);
        };
        shadow(cr, deck);
        fillFlat(cr, deck, lighter(WOOD, 0.15), 30, G - 38, len + 8, 16);
        cairo_save(cr);
        deck(cr);
        cairo_clip(cr);
        for (double t = 0.06; t < 1.0; t += 0.06) {
            cairo_move_to(cr, 30 + len * t, G - 22 - 8 * t);
            cairo_line_to(cr, 38 + len * t, G - 30 - 8 * t);
        }
        cairo_set_line_width(cr, 0.9);
        setColor(cr, WOOD_DARK, 0.6);
        cairo_stroke(cr);
        cairo_restore(cr);
        fillFlat(cr, face, WOOD_DARK, 30, G - 30, len, 12);
        outline(cr, deck);
        outline(cr, face);
    }
    if (k.on(EXTRAS)) {
        cairo_t* cr = k.cr;
        // A little rowing boat tied to the pier.
        auto boat = [=](cairo_t* p) {
            cairo_move_to(p, 40, G - 8);
            cairo_line_to(p, 80, G - 10);
            cairo_curve_to(p, 76, G + 2, 48, G + 4, 40, G - 8);
            cairo_close_path(p);
        };
        fillFlat(cr, boat, k.style.roof, 40, G - 10, 40, 12);
        cairo_move_to(cr, 41, G - 8);
        cairo_line_to(cr, 79, G - 10);
        cairo_set_line_width(cr, 2);
        setColor(cr, k.style.trim);
        cairo_stroke(cr);
        outline(cr, boat, 1.6);
        barrel(k, 50, G - 30, 5);
        if (level == 2) {
            lamp(k, 30 + len, G - 34, 30);
            // A small boathouse at the land end.
            crate(k, 64, G - 30, 9);
        }
    }
    if (level == 2) {
        block(k, 4, G - 14, 28, 26, 16, Wall::Planks, lighter(WOOD, 0.2));
        gableRoof(k, 4, G - 40, 28, 16, 14, 3);
        door(k, 18, G - 14, 10, 15, WOOD_DARK, false);
    }
    cairo_restore(k.cr);
}

// ---- Small units (100 x 90 canvas, bottom centre at x = 50) ----

void seedBed(Ctx& k, int level) {
    contactShadow(k, 50, SG - 4, 44, 10);
    const int beds = level == 1 ? 2 : 3;
    for (int i = 0; i < beds; ++i) {
        const double y = SG - 6 - i * 12;
        const double x0 = 14 + i * 6, x1 = (level == 1 ? 74 : 86) + i * 6;
        if (k.on(GROUND)) {
            cairo_t* cr = k.cr;
            auto bed = [=](cairo_t* p) { roundedRect(p, x0, y - 8, x1 - x0, 10, 5); };
            fillFlat(cr, bed, mix(WOOD_DARK, SOIL, 0.35), x0, y - 8, x1 - x0, 10);
            outline(cr, bed, 1.4);
        }
        if (k.on(EXTRAS)) {
            cairo_t* cr = k.cr;
            for (double x = x0 + 7; x < x1 - 4; x += 9) {
                if ((i + int(x)) % 3 == 0) {
                    symbolCarrot(cr, x, y - 7, 4);
                } else {
                    auto leaf = [=](cairo_t* p) {
                        ellipse(p, x - 2, y - 7, 2, 3.5);
                        ellipse(p, x + 2, y - 7, 2, 3.5);
                        ellipse(p, x, y - 9, 2, 3.5);
                    };
                    silhouette(cr, leaf, i == 1 ? GREEN : GRASS_DARK, x - 4, y - 12, 8, 8, false);
                }
            }
        }
    }
    if (level == 2) {
        // The scarecrow.
        if (k.on(WALLS)) {
            cairo_t* cr = k.cr;
            auto poles = [](cairo_t* p) {
                cairo_rectangle(p, 77, SG - 60, 3, 46);
                cairo_rectangle(p, 64, SG - 48, 30, 3);
            };
            outline(cr, poles, 2.6);
            fillFlat(cr, poles, WOOD_DARK, 64, SG - 60, 30, 46);
            auto coat = [](cairo_t* p) {
                cairo_move_to(p, 68, SG - 46);
                cairo_line_to(p, 90, SG - 46);
                cairo_line_to(p, 86, SG - 30);
                cairo_line_to(p, 72, SG - 30);
                cairo_close_path(p);
            };
            fillFlat(cr, coat, BLUE, 68, SG - 46, 22, 16);
            outline(cr, coat, 1.4);
            auto headPath = [](cairo_t* p) { ellipse(p, 78.5, SG - 54, 6, 6); };
            roundThing(cr, headPath, mix(SOIL, CREAM, 0.3), 72, SG - 60, 13, 12, false);
            auto hat = [](cairo_t* p) {
                ellipse(p, 78.5, SG - 59, 10, 2.5);
                ellipse(p, 78.5, SG - 62, 5, 4);
            };
            silhouette(cr, hat, hex(0xF2D27A), 68, SG - 66, 21, 10, false);
        }
        fence(k, 6, 40, SG + 6, 9);
    } else {
        if (k.on(EXTRAS)) {
            // A watering can.
            cairo_t* cr = k.cr;
            auto can = [](cairo_t* p) {
                roundedRect(p, 78, SG - 14, 12, 11, 2);
                cairo_move_to(p, 78, SG - 8);
                cairo_line_to(p, 70, SG - 15);
                cairo_line_to(p, 71, SG - 17);
                cairo_line_to(p, 79, SG - 12);
                cairo_close_path(p);
            };
            roundThing(cr, can, IRON, 70, SG - 17, 20, 14, true);
        }
    }
}

void bench(Ctx& k, int) {
    contactShadow(k, 50, SG - 4, 40, 9);
    // The old oak behind the bench.
    if (k.on(GROUND)) {
        Ctx t = k;
        t.layers = EXTRAS;
        tree(t, 70, SG - 14, 1.05);
    }
    if (k.on(WALLS)) {
        cairo_t* cr = k.cr;
        auto frame = [](cairo_t* p) {
            cairo_rectangle(p, 26, SG - 12, 3, 12);
            cairo_rectangle(p, 66, SG - 12, 3, 12);
            cairo_rectangle(p, 30, SG - 16, 3, 14);
            cairo_rectangle(p, 70, SG - 16, 3, 14);
        };
        outline(cr, frame, 2.6);
        fillFlat(cr, frame, IRON_DARK, 26, SG - 16, 48, 16);
        auto seat = [](cairo_t* p) {
            cairo_move_to(p, 22, SG - 12);
            cairo_line_to(p, 70, SG - 12);
            cairo_line_to(p, 76, SG - 17);
            cairo_line_to(p, 28, SG - 17);
            cairo_close_path(p);
        };
        shadow(cr, seat);
        fillFlat(cr, seat, k.style.roof, 22, SG - 17, 54, 5);
        outline(cr, seat, 1.6);
        for (int i = 0; i < 2; ++i) {
            auto back = [=](cairo_t* p) { roundedRect(p, 28, SG - 32 + i * 7, 48, 4.5, 2); };
            fillFlat(cr, back, k.style.roof, 28, SG - 32 + i * 7, 48, 4.5);
            outline(cr, back, 1.4);
        }
        cairo_rectangle(cr, 29, SG - 33, 3, 17);
        cairo_rectangle(cr, 72, SG - 33, 3, 17);
        setColor(cr, IRON_DARK);
        cairo_fill_preserve(cr);
        setColor(cr, INK, 0.8);
        cairo_set_line_width(cr, basePx(cr, 1));
        cairo_stroke(cr);
    }
    bush(k, 14, SG + 2, 7, YELLOW);
    bush(k, 88, SG + 4, 6, PINK);
}

void waterPump(Ctx& k, int level) {
    contactShadow(k, 50, SG - 4, 36, 9);
    if (level == 2) {
        // The water tower: a tank on four legs.
        if (k.on(WALLS)) {
            cairo_t* cr = k.cr;
            auto legs = [](cairo_t* p) {
                cairo_move_to(p, 38, SG);
                cairo_line_to(p, 42, SG - 44);
                cairo_move_to(p, 70, SG - 2);
                cairo_line_to(p, 66, SG - 44);
                cairo_move_to(p, 41, SG - 22);
                cairo_line_to(p, 68, SG - 22);
                cairo_move_to(p, 40, SG - 4);
                cairo_line_to(p, 67, SG - 40);
            };
            cairo_save(cr);
            legs(cr);
            cairo_set_line_width(cr, 5);
            setColor(cr, INK, 0.85);
            cairo_stroke_preserve(cr);
            cairo_set_line_width(cr, 3);
            setColor(cr, WOOD);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
        cylinder(k, 54, SG - 42, 18, 22, lighter(WOOD, 0.1), false);
        coneRoof(k, 54, SG - 64, 18, 12);
    }
    if (k.on(WALLS)) {
        cairo_t* cr = k.cr;
        const double x = level == 2 ? 20 : 42;
        // Well stones and the pump.
        auto well = [=](cairo_t* p) { ellipse(p, x + 6, SG - 4, 16, 6); };
        roundThing(cr, well, STONE, x - 10, SG - 10, 32, 12);
        auto body = [=](cairo_t* p) { roundedRect(p, x, SG - 34, 10, 30, 3); };
        roundThing(cr, body, GREEN, x, SG - 34, 10, 30);
        auto spout = [=](cairo_t* p) {
            cairo_move_to(p, x + 10, SG - 26);
            cairo_line_to(p, x + 18, SG - 22);
            cairo_line_to(p, x + 18, SG - 18);
            cairo_line_to(p, x + 10, SG - 21);
            cairo_close_path(p);
        };
        fillFlat(cr, spout, GREEN, x + 10, SG - 26, 8, 8);
        outline(cr, spout, 1.4);
        auto handle = [=](cairo_t* p) {
            cairo_move_to(p, x + 3, SG - 34);
            cairo_line_to(p, x - 8, SG - 42);
        };
        cairo_save(cr);
        handle(cr);
        cairo_set_line_width(cr, 4);
        setColor(cr, INK, 0.85);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 2.2);
        setColor(cr, IRON_DARK);
        cairo_stroke(cr);
        cairo_restore(cr);
        // A drop falling.
        symbolDrop(cr, x + 17, SG - 13, 2.5);
    }
    if (k.on(EXTRAS)) {
        auto bucket = [](cairo_t* p) {
            cairo_move_to(p, 74, SG - 12);
            cairo_line_to(p, 86, SG - 12);
            cairo_line_to(p, 84, SG);
            cairo_line_to(p, 76, SG);
            cairo_close_path(p);
        };
        roundThing(k.cr, bucket, level == 2 ? k.style.roof : IRON, 74, SG - 12, 12, 12);
    }
}

void fountain(Ctx& k, int level) {
    contactShadow(k, 50, SG - 6, 44, 11);
    if (level == 2 && k.on(GROUND)) {
        Ctx e = k;
        e.layers = EXTRAS;
        bush(e, 12, SG - 4, 8, PINK);
        bush(e, 88, SG - 4, 8, YELLOW);
        bush(e, 22, SG - 22, 6, RED);
        bush(e, 80, SG - 24, 6, WHITE);
    }
    if (k.on(WALLS)) {
        cairo_t* cr = k.cr;
        auto basin = [](cairo_t* p) {
            cairo_move_to(p, 14, SG - 22);
            cairo_line_to(p, 14, SG - 10);
            cairo_curve_to(p, 14, SG + 2, 86, SG + 2, 86, SG - 10);
            cairo_line_to(p, 86, SG - 22);
            cairo_close_path(p);
        };
        shadow(cr, basin);
        fillFlat(cr, basin, STONE, 14, SG - 22, 72, 24);
        outline(cr, basin);
        auto pool = [](cairo_t* p) { ellipse(p, 50, SG - 22, 36, 9); };
        fillFlat(cr, pool, lighter(STONE, 0.3), 14, SG - 31, 72, 18);
        auto waterTop = [](cairo_t* p) { ellipse(p, 50, SG - 22, 32, 7); };
        water(cr, waterTop, 18, SG - 29, 64, 14);
        outline(cr, pool, 1.6);
        // The column and its bowl.
        auto column = [](cairo_t* p) { cairo_rectangle(p, 46, SG - 44, 8, 22); };
        fillFlat(cr, column, STONE, 46, SG - 44, 8, 22);
        outline(cr, column, 1.4);
        auto bowl = [](cairo_t* p) {
            cairo_move_to(p, 36, SG - 46);
            cairo_curve_to(p, 38, SG - 38, 62, SG - 38, 64, SG - 46);
            cairo_close_path(p);
        };
        roundThing(cr, bowl, STONE, 36, SG - 46, 28, 8, false);
        // Jets of water.
        cairo_save(cr);
        for (int s : {-1, 1}) {
            cairo_move_to(cr, 50, SG - 56);
            cairo_curve_to(cr, 50 + s * 10, SG - 66, 50 + s * 18, SG - 50, 50 + s * 22, SG - 28);
        }
        cairo_move_to(cr, 50, SG - 46);
        cairo_line_to(cr, 50, SG - 60);
        cairo_set_line_width(cr, 3);
        setColor(cr, mix(SKY, WHITE, 0.4), 0.9);
        cairo_stroke(cr);
        cairo_restore(cr);
        for (int i = 0; i < 6; ++i) {
            ellipse(cr, 28 + i * 9, SG - 24 + (i % 2) * 3, 3, 1);
            setColor(cr, WHITE, 0.7);
            cairo_fill(cr);
        }
    }
    if (level == 2 && k.on(EXTRAS)) {
        // The little cat statue on the bowl.
        cairo_t* cr = k.cr;
        auto cat = [](cairo_t* p) {
            ellipse(p, 50, SG - 53, 5, 6);
            ellipse(p, 50, SG - 62, 4.2, 4);
            cairo_move_to(p, 46.5, SG - 64);
            cairo_line_to(p, 47, SG - 69);
            cairo_line_to(p, 49, SG - 65);
            cairo_move_to(p, 53.5, SG - 64);
            cairo_line_to(p, 53, SG - 69);
            cairo_line_to(p, 51, SG - 65);
        };
        silhouette(cr, cat, lighter(STONE, 0.2), 45, SG - 69, 10, 22, false);
    }
}

void dogHouse(Ctx& k, int) {
    contactShadow(k, 50, SG - 4, 38, 9);
    block(k, 26, SG - 6, 34, 26, 22, Wall::Planks, lighter(WOOD, 0.15));
    gableRoof(k, 26, SG - 32, 34, 22, 18, 4);
    if (k.on(EXTRAS)) {
        cairo_t* cr = k.cr;
        auto hole = [](cairo_t* p) {
            cairo_move_to(p, 36, SG - 6);
            cairo_line_to(p, 36, SG - 16);
            cairo_arc(p, 43, SG - 16, 7, M_PI, 2 * M_PI);
            cairo_line_to(p, 50, SG - 6);
            cairo_close_path(p);
        };
        fillFlat(cr, hole, INK, 36, SG - 23, 14, 17);
        outline(cr, hole, 1.4);
        sign(k, 43, SG - 36, 12, 8, symbolPaw);
        // The bowl and a bone.
        auto bowl = [](cairo_t* p) {
            cairo_move_to(p, 66, SG - 4);
            cairo_line_to(p, 80, SG - 4);
            cairo_line_to(p, 78, SG + 2);
            cairo_line_to(p, 68, SG + 2);
            cairo_close_path(p);
        };
        roundThing(cr, bowl, RED, 66, SG - 4, 14, 6);
        auto bone = [](cairo_t* p) {
            cairo_rectangle(p, 16, SG + 1, 12, 3);
            ellipse(p, 16, SG + 1, 2.2, 2.2);
            ellipse(p, 16, SG + 4, 2.2, 2.2);
            ellipse(p, 28, SG + 1, 2.2, 2.2);
            ellipse(p, 28, SG + 4, 2.2, 2.2);
        };
        silhouette(cr, bone, WHITE, 14, SG - 1, 16, 7, false);
    }
}

void birdBox(Ctx& k, double x, double ground, double h, Rgb colour) {
    if (!k.on(WALLS))
        return;
    cairo_t* cr = k.cr;
    auto pole = [=](cairo_t* p) { cairo_rectangle(p, x - 1.5, ground - h, 3, h); };
    fillFlat(cr, pole, WOOD_DARK, x - 1.5, ground - h, 3, h);
    outline(cr, pole, 1.2);
    Ctx b = k;
    b.layers = WALLS | ROOF | EXTRAS;
    block(b, x - 8, ground - h + 2, 16, 16, 8, Wall::Planks, colour);
    gableRoof(b, x - 8, ground - h - 14, 16, 8, 9, 3);
    ellipse(cr, x, ground - h - 6, 2.5, 2.5);
    setColor(cr, INK);
    cairo_fill(cr);
}

void birdHouse(Ctx& k, int level) {
    base(k, 54, 11);
    birdBox(k, 50, G, 52, lighter(WOOD, 0.2));
    birdBox(k, 84, G + 4, 40, lighter(SKY, 0.3));
    if (k.on(EXTRAS)) {
        symbolBird(k.cr, 66, G - 40, 6);
        symbolBird(k.cr, 30, G - 16, 5);
    }
    if (level == 2) {
        birdBox(k, 22, G + 6, 34, lighter(PINK, 0.4));
        // The birdbath and berry bushes.
        if (k.on(WALLS)) {
            cairo_t* cr = k.cr;
            auto foot = [](cairo_t* p) { cairo_rectangle(p, 111, G - 14, 6, 18); };
            fillFlat(cr, foot, STONE, 111, G - 14, 6, 18);
            outline(cr, foot, 1.3);
            auto bowl = [](cairo_t* p) {
                cairo_move_to(p, 100, G - 18);
                cairo_curve_to(p, 102, G - 8, 126, G - 8, 128, G - 18);
                cairo_close_path(p);
            };
            roundThing(cr, bowl, STONE, 100, G - 18, 28, 10, false);
            ellipse(cr, 114, G - 18, 13, 2.5);
            setColor(cr, WATER);
            cairo_fill(cr);
        }
        bush(k, 126, G + 10, 8, RED);
        bush(k, 6, G + 12, 6, PURPLE);
        if (k.on(EXTRAS))
            symbolBird(k.cr, 118, G - 24, 5);
    }
}

void butterflyFactory(Ctx& k, int) {
    base(k, 64, 13);
    block(k, 20, G - 4, 76, 46, 34, Wall::Glass, SKY);
    if (k.on(ROOF)) {
        Ctx r = k;
        r.style.roof = mix(SKY, WHITE, 0.45);
        r.style.trim = k.style.trim;
        gableRoof(r, 20, G - 50, 76, 34, 24, 3);
        // The glass roof's white frames tinted by the variant on the ridge.
        cairo_t* cr = k.cr;
        ellipse(cr, 58, G - 78, 4, 4);
        setColor(cr, k.style.roof);
        cairo_fill(cr);
    }
    if (k.on(EXTRAS)) {
        cairo_t* cr = k.cr;
        // Flowers inside the glass and butterflies about.
        for (int i = 0; i < 6; ++i) {
            const double x = 28 + i * 11, y = G - 12 - (i % 2) * 6;
            ellipse(cr, x, y, 3, 3);
            setColor(cr, i % 3 == 0 ? PINK : i % 3 == 1 ? YELLOW : WHITE);
            cairo_fill(cr);
        }
        door(k, 58, G - 4, 14, 24, k.style.roof);
        symbolButterfly(cr, 110, G - 60, 6);
        symbolButterfly(cr, 20, G - 64, 5);
        symbolButterfly(cr, 124, G - 20, 5);
    }
    bush(k, 112, G + 8, 8, PINK);
}

void toyFactory(Ctx& k, bool cats) {
    base(k, 66, 14);
    block(k, 14, G - 4, 80, 50, 32, Wall::Brick, cats ? mix(PINK, SOIL, 0.5) : mix(RED, SOIL, 0.5));
    ridgeRoof(k, 14, G - 54, 80, 32, 20);
    chimney(k, 30, G - 78, 8, 18);
    door(k, 54, G - 4, 16, 26, WOOD_DARK);
    window(k, 30, G - 28, 14, 14, false);
    window(k, 78, G - 28, 14, 14, false);
    sign(k, 54, G - 42, 24, 13,
         cats ? [](cairo_t* cr, double cx, double cy, double r) { symbolHeart(cr, cx, cy, r); } : symbolPaw);
    if (k.on(EXTRAS)) {
        cairo_t* cr = k.cr;
        if (cats) {
            // A soft cloth cat and a ball of wool.
            auto cat = [](cairo_t* p) {
                ellipse(p, 118, G + 2, 8, 6);
                ellipse(p, 124, G - 6, 5, 4.5);
                cairo_move_to(p, 120.5, G - 9);
                cairo_line_to(p, 121, G - 14);
                cairo_line_to(p, 123.5, G - 10);
                cairo_move_to(p, 127.5, G - 9);
                cairo_line_to(p, 127, G - 14);
                cairo_line_to(p, 124.5, G - 10);
            };
            silhouette(cr, cat, ORANGE, 110, G - 14, 22, 22, false);
            symbolYarn(cr, 106, G + 8, 4.5, PINK);
        } else {
            // A wooden dog on little wheels.
            auto dog = [](cairo_t* p) {
                roundedRect(p, 106, G - 8, 20, 8, 3);
                ellipse(p, 126, G - 12, 5, 4.5);
                ellipse(p, 130, G - 10, 2.5, 3);
            };
            silhouette(cr, dog, WOOD, 104, G - 17, 30, 17, false);
            for (double x : {109.0, 123.0}) {
                auto w = [=](cairo_t* p) { ellipse(p, x, G + 1, 3, 3); };
                roundThing(cr, w, RED, x - 3, G - 2, 6, 6, false);
            }
        }
        crate(k, 4 + 8, G + 8, 10);
    }
}

void catsFactory(Ctx& k, int) {
    toyFactory(k, true);
}

void dogsFactory(Ctx& k, int) {
    toyFactory(k, false);
}

} // namespace

void lastUnits(std::vector<Unit>& out) {
    out.push_back({"warehouse", 3, false, warehouse, symbolBox});
    out.push_back({"clothes_house", 1, false, clothesHouse, symbolShirt});
    out.push_back({"stone_house", 2, false, stoneHouse, symbolStone});
    out.push_back({"pier", 2, false, pier, symbolFish});
    out.push_back({"seed_bed", 2, true, seedBed, symbolCarrot});
    out.push_back({"bench", 1, true, bench, symbolHeart});
    out.push_back({"water_pump", 2, true, waterPump, symbolDrop});
    out.push_back({"fountain", 2, true, fountain, symbolDrop});
    out.push_back({"dog_house", 1, true, dogHouse, symbolPaw});
    out.push_back({"bird_house", 2, false, birdHouse, symbolBird});
    out.push_back({"butterfly_factory", 1, false, butterflyFactory, symbolButterfly});
    out.push_back({"cats_factory", 1, false, catsFactory, symbolHeart});
    out.push_back({"dogs_factory", 1, false, dogsFactory, symbolPaw});
}

} // namespace Buildings
