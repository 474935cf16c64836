#include "BoardUi.h"

#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <string>
#include <vector>

using namespace Paint;
using namespace Palette;

namespace BoardUi {

namespace {

const std::string DIR = FOLDER;

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

void starPath(cairo_t* c, double cx, double cy, double r1, double r0, int points, double turn = 0) {
    for (int i = 0; i < points * 2; ++i) {
        const double a = -M_PI / 2 + turn + i * M_PI / points;
        const double r = i % 2 ? r0 : r1;
        (i ? cairo_line_to : cairo_move_to)(c, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(c);
}

// ---- Bee: 48 x 48 frames, wings beating over the loop. ----

void bee(cairo_t* cr, double phase) {
    const double bob = 1.5 * std::sin(2 * M_PI * phase);
    cairo_translate(cr, 0, 6 + bob);
    const double flap = std::cos(2 * M_PI * phase * 2);
    auto wings = [flap](cairo_t* c) {
        cairo_save(c);
        cairo_translate(c, 22, 17);
        cairo_rotate(c, -0.5 + 0.35 * flap);
        ellipse(c, -2, -8, 6, 10);
        cairo_restore(c);
        cairo_save(c);
        cairo_translate(c, 28, 17);
        cairo_rotate(c, 0.5 - 0.35 * flap);
        ellipse(c, 2, -8, 6, 10);
        cairo_restore(c);
    };
    auto body = [](cairo_t* c) { ellipse(c, 25, 28, 14, 10); };
    shadow(cr, body, 0.25, 1, 2, 2);
    roundThing(cr, body, YELLOW, 11, 18, 28, 20, false);
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    for (double x : {22.0, 30.0}) {
        cairo_rectangle(cr, x, 14, 4, 30);
    }
    setColor(cr, INK, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    outline(cr, body, 1.5);
    // Stinger and head.
    cairo_move_to(cr, 39, 27);
    cairo_line_to(cr, 44, 29);
    cairo_line_to(cr, 38.5, 31);
    setColor(cr, INK, 0.9);
    cairo_fill(cr);
    auto head = [](cairo_t* c) { ellipse(c, 12, 26, 7, 7); };
    roundThing(cr, head, hex(0x4A3A2A), 5, 19, 14, 14, false);
    ellipse(cr, 10, 25, 1.6, 1.8);
    setColor(cr, WHITE);
    cairo_fill(cr);
    // Translucent wings over the body.
    wings(cr);
    setColor(cr, WHITE, 0.7);
    cairo_fill(cr);
    cairo_save(cr);
    wings(cr);
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, INK, 0.6);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Antennae.
    cairo_move_to(cr, 10, 20);
    cairo_curve_to(cr, 8, 14, 5, 12, 3, 12);
    cairo_move_to(cr, 13, 20);
    cairo_curve_to(cr, 13, 14, 12, 11, 10, 10);
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, INK, 0.9);
    cairo_stroke(cr);
}

// ---- Trigger: a golden pinwheel flower that turns, on a round stone base. ----

void trigger(cairo_t* cr, double phase) {
    const double c = 32;
    const double turn = phase * 2 * M_PI / 6;
    auto blades = [&](cairo_t* k) {
        for (int i = 0; i < 6; ++i) {
            const double a = turn + i * M_PI / 3;
            cairo_save(k);
            cairo_translate(k, c, c);
            cairo_rotate(k, a);
            cairo_move_to(k, 0, 0);
            cairo_curve_to(k, 6, -4, 18, -10, 22, -2);
            cairo_curve_to(k, 20, 4, 10, 4, 0, 0);
            cairo_close_path(k);
            cairo_restore(k);
        }
    };
    const double pulse = 0.5 + 0.5 * std::sin(2 * M_PI * phase);
    glow(cr, blades, GOLD_LIGHT, 0.5 + 0.4 * pulse, 5);
    silhouette(cr, blades, GOLD, 10, 10, 44, 44, false);
    auto hub = [c](cairo_t* k) { ellipse(k, c, c, 6, 6); };
    roundThing(cr, hub, RED, c - 6, c - 6, 12, 12, false);
}

void triggerBase(cairo_t* cr) {
    auto plate = [](cairo_t* c) { ellipse(c, 32, 34, 27, 24); };
    shadow(cr, plate);
    fillFlat(cr, plate, STONE, 5, 10, 54, 48, 1.4);
    ellipse(cr, 32, 34, 19, 16);
    setColor(cr, darker(STONE, 0.18));
    cairo_fill(cr);
    ellipse(cr, 32, 35, 19, 16);
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, WHITE, 0.6);
    cairo_stroke(cr);
    // Moss on the rim.
    for (int i = 0; i < 5; ++i) {
        const double a = 0.6 + i * 0.45;
        ellipse(cr, 32 + 25 * std::cos(a), 34 + 22 * std::sin(a), 3.5, 2.2);
    }
    setColor(cr, GRASS, 0.9);
    cairo_fill(cr);
    outline(cr, plate);
}

// ---- Round wooden badge for small icons. ----

void badge(cairo_t* cr, double cx, double cy, double r) {
    auto disc = [=](cairo_t* c) { ellipse(c, cx, cy, r, r); };
    auto inset = [=](cairo_t* c) { ellipse(c, cx, cy, r * 0.78, r * 0.78); };
    shadow(cr, disc);
    fillRound(cr, disc, WOOD, cx - r, cy - r, 2 * r, 2 * r);
    fillFlat(cr, inset, CREAM, cx - r, cy - r, 2 * r, 2 * r, 0.6);
    innerShade(cr, inset, 1.5, 0.2);
    outline(cr, disc, 1.5);
}

void truckIcon(cairo_t* cr, double s) {
    cairo_save(cr);
    cairo_scale(cr, s, s);
    roundedRect(cr, 6, 14, 14, 9, 1.5);
    setColor(cr, WOOD);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, INK, 0.85);
    cairo_stroke(cr);
    cairo_move_to(cr, 20, 23);
    cairo_line_to(cr, 20, 10);
    cairo_line_to(cr, 25, 10);
    cairo_line_to(cr, 27, 15);
    cairo_line_to(cr, 27, 23);
    cairo_close_path(cr);
    setColor(cr, RED);
    cairo_fill_preserve(cr);
    setColor(cr, INK, 0.85);
    cairo_stroke(cr);
    for (double x : {10.0, 23.0}) {
        ellipse(cr, x, 23.5, 2.6, 2.6);
        setColor(cr, INK);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void coin(cairo_t* cr, double cx, double cy, double r) {
    auto disc = [=](cairo_t* c) { ellipse(c, cx, cy, r, r); };
    fillRound(cr, disc, GOLD, cx - r, cy - r, 2 * r, 2 * r);
    ellipse(cr, cx, cy, r * 0.68, r * 0.68);
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, darker(GOLD, 0.3), 0.8);
    cairo_stroke(cr);
    gloss(cr, disc, cx - r * 0.35, cy - r * 0.4, r * 0.4, r * 0.25, 0.7);
    outline(cr, disc, 1.3);
}

void moneyIcon(cairo_t* cr) {
    // A short stack and one coin standing in front.
    for (int i = 0; i < 4; ++i) {
        auto layer = [i](cairo_t* c) { ellipse(c, 16, 30 - i * 4, 11, 4.5); };
        if (i == 0)
            shadow(cr, layer);
        cairo_rectangle(cr, 5, 30 - i * 4, 22, 4);
        setColor(cr, darker(GOLD, 0.2));
        cairo_fill(cr);
        fillFlat(cr, layer, GOLD, 5, 25 - i * 4, 22, 9);
        outline(cr, layer, 1.2);
    }
    auto front = [](cairo_t* c) { ellipse(c, 27, 27, 10, 10); };
    shadow(cr, front);
    coin(cr, 27, 27, 10);
    titleText(cr, "$", 11, 27, 31, darker(GOLD, 0.3), 0, false);
    sparkle(cr, 33, 9, 5, 0.95);
}

// ---- Bonus button: a round wooden badge in four states, icons for the bonuses. ----

// state: 0 normal, 1 hover, 2 pressed, 3 disabled.
void bonusButton(cairo_t* cr, int state) {
    const double c = BONUS / 2.0;
    double r = 34, dy = 0;
    Rgb wood = WOOD, paper = CREAM;
    if (state == 1) {
        r = 36;
        wood = lighter(WOOD, 0.15);
        paper = lighter(CREAM, 0.4);
    } else if (state == 2) {
        dy = 2;
        wood = darker(WOOD, 0.12);
        paper = darker(CREAM, 0.06);
    } else if (state == 3) {
        wood = mix(WOOD, IRON, 0.75);
        paper = mix(CREAM, STONE, 0.7);
    }
    auto disc = [=](cairo_t* k) { ellipse(k, c, c - 2 + dy, r, r); };
    auto inset = [=](cairo_t* k) { ellipse(k, c, c - 2 + dy, r - 7, r - 7); };
    if (state != 2 && state != 3)
        shadow(cr, disc);
    else
        shadow(cr, disc, 0.25, 1, 1, 2);
    fillRound(cr, disc, wood, c - r, c - r + dy, 2 * r, 2 * r, state == 3 ? 0.3 : 1.0);
    fillFlat(cr, inset, paper, c - r, c - r + dy, 2 * r, 2 * r, 0.5);
    innerShade(cr, inset, state == 2 ? 3.5 : 2, 0.25);
    if (state != 3)
        gloss(cr, disc, c - 14, c - 20 + dy, 14, 7, 0.45);
    outline(cr, disc, 2, state == 3 ? 0.5 : OUTLINE_ALPHA);
}

void chickenHead(cairo_t* cr) {
    auto head = [](cairo_t* c) {
        ellipse(c, 28, 32, 16, 17);
        cairo_move_to(c, 14, 40);
        cairo_curve_to(c, 14, 52, 42, 52, 42, 40);
        cairo_close_path(c);
    };
    auto comb = [](cairo_t* c) {
        ellipse(c, 22, 15, 5, 6);
        ellipse(c, 29, 12, 5.5, 7);
        ellipse(c, 36, 16, 5, 6);
    };
    silhouette(cr, comb, RED, 17, 5, 24, 17, false);
    silhouette(cr, head, hex(0xFBF6EE), 12, 15, 32, 37, true);
    auto beak = [](cairo_t* c) {
        cairo_move_to(c, 40, 30);
        cairo_line_to(c, 52, 34);
        cairo_line_to(c, 40, 38);
        cairo_close_path(c);
    };
    roundThing(cr, beak, ORANGE, 40, 30, 12, 8, false);
    auto wattle = [](cairo_t* c) { ellipse(c, 41, 42, 3, 5); };
    roundThing(cr, wattle, RED, 38, 37, 6, 10, false);
    ellipse(cr, 34, 28, 2.6, 3);
    setColor(cr, INK);
    cairo_fill(cr);
    ellipse(cr, 33.3, 27, 0.9, 0.9);
    setColor(cr, WHITE);
    cairo_fill(cr);
}

void bearHead(cairo_t* cr) {
    auto head = [](cairo_t* c) {
        ellipse(c, 28, 31, 19, 17);
        ellipse(c, 13, 16, 7, 7);
        ellipse(c, 43, 16, 7, 7);
    };
    silhouette(cr, head, BROWN, 6, 9, 44, 40);
    for (double x : {13.0, 43.0}) {
        ellipse(cr, x, 16, 3.5, 3.5);
        setColor(cr, hex(0xE8B98A));
        cairo_fill(cr);
    }
    auto muzzle = [](cairo_t* c) { ellipse(c, 28, 38, 9, 7); };
    fillRound(cr, muzzle, hex(0xE8C9A0), 19, 31, 18, 14);
    outline(cr, muzzle, 1.2);
    ellipse(cr, 28, 35, 3.5, 2.5);
    setColor(cr, INK);
    cairo_fill(cr);
    for (double x : {21.0, 35.0}) {
        ellipse(cr, x, 27, 2.4, 2.8);
        setColor(cr, INK);
        cairo_fill(cr);
        ellipse(cr, x - 0.7, 26, 0.8, 0.8);
        setColor(cr, WHITE);
        cairo_fill(cr);
    }
}

void catHead(cairo_t* cr) {
    auto head = [](cairo_t* c) {
        ellipse(c, 28, 33, 19, 15);
        cairo_move_to(c, 11, 28);
        cairo_line_to(c, 12, 8);
        cairo_line_to(c, 25, 20);
        cairo_close_path(c);
        cairo_move_to(c, 45, 28);
        cairo_line_to(c, 44, 8);
        cairo_line_to(c, 31, 20);
        cairo_close_path(c);
    };
    silhouette(cr, head, ORANGE, 9, 8, 38, 40);
    // Tabby stripes on the forehead.
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, 28 + i * 5, 20);
        cairo_line_to(cr, 28 + i * 4, 26);
    }
    cairo_set_line_width(cr, basePx(cr, 2));
    setColor(cr, darker(ORANGE, 0.35), 0.8);
    cairo_stroke(cr);
    auto muzzle = [](cairo_t* c) {
        ellipse(c, 24, 39, 5.5, 4.5);
        ellipse(c, 32, 39, 5.5, 4.5);
    };
    muzzle(cr);
    setColor(cr, CREAM);
    cairo_fill(cr);
    cairo_move_to(cr, 26, 35);
    cairo_line_to(cr, 30, 35);
    cairo_line_to(cr, 28, 38);
    cairo_close_path(cr);
    setColor(cr, PINK);
    cairo_fill(cr);
    for (double x : {20.0, 36.0}) {
        ellipse(cr, x, 30, 2.4, 3.4);
        setColor(cr, GRASS_DARK);
        cairo_fill(cr);
        ellipse(cr, x, 30, 0.9, 2.6);
        setColor(cr, INK);
        cairo_fill(cr);
    }
    // Whiskers.
    for (int s = -1; s <= 1; s += 2)
        for (int i = 0; i < 2; ++i) {
            cairo_move_to(cr, 28 + s * 8, 39 + i * 2);
            cairo_line_to(cr, 28 + s * 19, 37 + i * 4);
        }
    cairo_set_line_width(cr, basePx(cr, 0.8));
    setColor(cr, INK, 0.7);
    cairo_stroke(cr);
}

void shuffleIcon(cairo_t* cr) {
    // Two curved leaf-green arrows chasing each other: the board is mixed anew.
    for (int k = 0; k < 2; ++k) {
        cairo_save(cr);
        cairo_translate(cr, 28, 28);
        cairo_rotate(cr, k * M_PI);
        auto arrow = [](cairo_t* c) {
            cairo_arc(c, 0, 0, 18, M_PI * 1.05, M_PI * 1.85);
            cairo_arc_negative(c, 0, 0, 11, M_PI * 1.85, M_PI * 1.05);
            cairo_close_path(c);
            const double a = M_PI * 1.85;
            cairo_move_to(c, 7 * std::cos(a), 7 * std::sin(a));
            cairo_line_to(c, 23 * std::cos(a), 23 * std::sin(a));
            cairo_line_to(c, 16 * std::cos(a + 0.5), 16 * std::sin(a + 0.5));
            cairo_close_path(c);
        };
        silhouette(cr, arrow, k ? GREEN : GOLD, -20, -20, 40, 40);
        cairo_restore(cr);
    }
}

// ---- Vehicles: cab heads, trailers and doors in four colours. ----

struct Colour {
    const char* name;
    Rgb rgb;
};
const Colour COLOURS[] = {{"red", RED}, {"blue", BLUE}, {"green", GREEN}, {"yellow", YELLOW}};

void wheel(cairo_t* cr, double x, double y, double r) {
    auto tyre = [=](cairo_t* c) { ellipse(c, x, y, r, r); };
    roundThing(cr, tyre, hex(0x4A4A52), x - r, y - r, 2 * r, 2 * r, false);
    auto hub = [=](cairo_t* c) { ellipse(c, x, y, r * 0.45, r * 0.45); };
    fillRound(cr, hub, STONE, x - r, y - r, r, r);
    outline(cr, hub, 1);
}

// The cab, facing left (towards the board); 96 x 72.
void head(cairo_t* cr, Rgb colour) {
    auto body = [](cairo_t* c) {
        cairo_move_to(c, 90, 58);
        cairo_line_to(c, 90, 14);
        cairo_curve_to(c, 90, 9, 87, 8, 83, 8);
        cairo_line_to(c, 48, 8);
        cairo_curve_to(c, 42, 8, 38, 12, 36, 20);
        cairo_line_to(c, 34, 28);
        cairo_line_to(c, 12, 32);
        cairo_curve_to(c, 6, 33, 4, 37, 4, 42);
        cairo_line_to(c, 4, 54);
        cairo_curve_to(c, 4, 57, 6, 58, 9, 58);
        cairo_close_path(c);
    };
    shadow(cr, body);
    fillFlat(cr, body, colour, 4, 8, 86, 50);
    gloss(cr, body, 30, 34, 22, 5, 0.5);
    auto window = [](cairo_t* c) {
        cairo_move_to(c, 42, 30);
        cairo_line_to(c, 45, 16);
        cairo_curve_to(c, 46, 14, 47, 13, 50, 13);
        cairo_line_to(c, 80, 13);
        cairo_curve_to(c, 82, 13, 83, 14, 83, 16);
        cairo_line_to(c, 83, 30);
        cairo_close_path(c);
    };
    fillFlat(cr, window, SKY, 42, 13, 41, 17);
    gloss(cr, window, 52, 17, 8, 3, 0.8);
    outline(cr, window, 1.5);
    // Headlight, grille and bumper.
    auto lamp = [](cairo_t* c) { ellipse(c, 9, 39, 3.2, 3.2); };
    roundThing(cr, lamp, GOLD_LIGHT, 6, 36, 6.4, 6.4, false);
    auto bumper = [](cairo_t* c) { roundedRect(c, 2, 50, 20, 6, 3); };
    roundThing(cr, bumper, STONE, 2, 50, 20, 6, false);
    outline(cr, body);
    wheel(cr, 24, 58, 10);
    wheel(cr, 72, 58, 10);
}

// A flat trailer with a cream window where the asked-for piece shows; 80 x 72.
void trailer(cairo_t* cr, Rgb colour) {
    auto bed = [](cairo_t* c) { roundedRect(c, 4, 6, 72, 50, 6); };
    shadow(cr, bed);
    fillFlat(cr, bed, colour, 4, 6, 72, 50);
    auto slot = [](cairo_t* c) { roundedRect(c, 14, 12, 52, 38, 5); };
    fillFlat(cr, slot, CREAM, 14, 12, 52, 38, 0.5);
    innerShade(cr, slot, 2, 0.25);
    outline(cr, slot, 1.5);
    gloss(cr, bed, 20, 10, 16, 3, 0.5);
    outline(cr, bed);
    // Hitch to the vehicle in front.
    roundedRect(cr, 0, 44, 6, 5, 2);
    setColor(cr, IRON_DARK);
    cairo_fill(cr);
    wheel(cr, 20, 58, 9);
    wheel(cr, 60, 58, 9);
}

// Two loading doors that close over the last trailer's window; 80 x 72, the window's place.
void doors(cairo_t* cr, Rgb colour) {
    for (int side = 0; side < 2; ++side) {
        const double x = 14 + side * 26;
        auto door = [x](cairo_t* c) { roundedRect(c, x, 12, 26, 38, 3); };
        fillFlat(cr, door, darker(colour, 0.08), x, 12, 26, 38);
        roundedRect(cr, x + 4, 16, 18, 14, 2);
        roundedRect(cr, x + 4, 33, 18, 13, 2);
        cairo_set_line_width(cr, basePx(cr, 1.2));
        setColor(cr, darker(colour, 0.35), 0.8);
        cairo_stroke(cr);
        outline(cr, door, 1.5);
        auto handle = [x, side](cairo_t* c) { ellipse(c, x + (side ? 4 : 22), 31, 2, 2); };
        roundThing(cr, handle, GOLD, x, 29, 4, 4, false);
    }
}

// ---- Drivers: three faces in the cab window, 40 x 40, four frames nodding. ----

void driver(cairo_t* cr, int look, double phase) {
    const double nod = 1.2 * std::sin(2 * M_PI * phase);
    cairo_translate(cr, 0, nod);
    const Rgb skin = hex(0xF6C9A0);
    if (look == 2) {
        // The farm dog.
        auto headPath = [](cairo_t* c) { ellipse(c, 20, 24, 12, 11); };
        auto ears = [](cairo_t* c) {
            ellipse(c, 9, 22, 4.5, 9);
            ellipse(c, 31, 22, 4.5, 9);
        };
        silhouette(cr, ears, WOOD_DARK, 4, 13, 32, 18, false);
        roundThing(cr, headPath, hex(0xE8C48E), 8, 13, 24, 22, false);
        ellipse(cr, 20, 29, 6, 4.5);
        setColor(cr, CREAM);
        cairo_fill(cr);
        ellipse(cr, 20, 27, 2.6, 2);
        setColor(cr, INK);
        cairo_fill(cr);
        for (double x : {15.5, 24.5}) {
            ellipse(cr, x, 21, 1.8, 2.2);
            setColor(cr, INK);
            cairo_fill(cr);
        }
        cairo_move_to(cr, 17, 31);
        cairo_curve_to(cr, 19, 34, 21, 34, 23, 31);
        cairo_set_line_width(cr, basePx(cr, 1));
        setColor(cr, INK, 0.8);
        cairo_stroke(cr);
        return;
    }
    auto face = [](cairo_t* c) { ellipse(c, 20, 24, 11, 12); };
    if (look == 0) {
        // The heroine: red braids and a straw hat.
        auto hair = [](cairo_t* c) {
            ellipse(c, 20, 22, 13, 13);
            ellipse(c, 8, 32, 4, 6);
            ellipse(c, 32, 32, 4, 6);
        };
        silhouette(cr, hair, hex(0xC0562B), 4, 9, 32, 29, false);
    }
    roundThing(cr, face, skin, 9, 12, 22, 24, false);
    for (double x : {16.0, 24.0}) {
        ellipse(cr, x, 24, 1.6, 2.1);
        setColor(cr, INK);
        cairo_fill(cr);
    }
    for (double x : {13.0, 27.0}) {
        ellipse(cr, x, 28.5, 2.4, 1.6);
        setColor(cr, PINK, 0.6);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 17, 30);
    cairo_curve_to(cr, 19, 32.5, 21, 32.5, 23, 30);
    cairo_set_line_width(cr, basePx(cr, 1.1));
    setColor(cr, INK, 0.8);
    cairo_stroke(cr);
    if (look == 0) {
        auto hat = [](cairo_t* c) {
            ellipse(c, 20, 15, 17, 4.5);
            ellipse(c, 20, 11, 9, 7);
        };
        silhouette(cr, hat, hex(0xF2D27A), 3, 4, 34, 16, false);
        cairo_rectangle(cr, 11.5, 12, 17, 3);
        setColor(cr, RED);
        cairo_fill(cr);
    } else {
        // The old farmer: a cap and a white beard.
        auto beard = [](cairo_t* c) {
            cairo_move_to(c, 9, 26);
            cairo_curve_to(c, 10, 40, 30, 40, 31, 26);
            cairo_curve_to(c, 26, 33, 14, 33, 9, 26);
            cairo_close_path(c);
        };
        roundThing(cr, beard, WHITE, 9, 26, 22, 12, false);
        auto cap = [](cairo_t* c) {
            cairo_move_to(c, 8, 17);
            cairo_curve_to(c, 8, 6, 32, 6, 32, 17);
            cairo_close_path(c);
            roundedRect(c, 4, 15, 18, 4, 2);
        };
        silhouette(cr, cap, BLUE, 4, 9, 28, 12, false);
    }
}

// ---- Results panel, flying-number star, slot done mark, bonus bar and glow. ----

void resultsPanel(cairo_t* cr) {
    const double W = RESULTS_W, H = RESULTS_H;
    auto frame = [=](cairo_t* c) { roundedRect(c, 8, 30, W - 16, H - 42, 16); };
    auto paper = [=](cairo_t* c) { roundedRect(c, 24, 46, W - 48, H - 74, 10); };
    shadow(cr, frame);
    fillFlat(cr, frame, WOOD, 8, 30, W - 16, H - 42);
    // Wood grain on the frame.
    cairo_save(cr);
    frame(cr);
    cairo_clip(cr);
    for (int i = 0; i < 22; ++i) {
        const double y = 34 + i * (H - 50) / 22.0;
        cairo_move_to(cr, 8, y);
        cairo_curve_to(cr, W * 0.3, y + 2 * hashNoise(i, 1, 5), W * 0.6, y - 2, W, y + 1);
    }
    cairo_set_line_width(cr, basePx(cr, 0.8));
    setColor(cr, WOOD_DARK, 0.3);
    cairo_stroke(cr);
    cairo_restore(cr);
    innerShade(cr, frame, 3, 0.3);
    outline(cr, frame);
    fillFlat(cr, paper, CREAM, 24, 46, W - 48, H - 74, 0.4);
    innerShade(cr, paper, 3, 0.2);
    outline(cr, paper, 1.5, 0.5);
    // Green ribbon across the top for the title.
    auto ribbon = [=](cairo_t* c) {
        cairo_move_to(c, W * 0.18, 12);
        cairo_line_to(c, W * 0.82, 12);
        cairo_line_to(c, W * 0.86, 34);
        cairo_line_to(c, W * 0.82, 58);
        cairo_line_to(c, W * 0.18, 58);
        cairo_line_to(c, W * 0.14, 34);
        cairo_close_path(c);
    };
    auto tails = [=](cairo_t* c) {
        cairo_move_to(c, W * 0.1, 22);
        cairo_line_to(c, W * 0.2, 22);
        cairo_line_to(c, W * 0.2, 66);
        cairo_line_to(c, W * 0.1, 66);
        cairo_line_to(c, W * 0.13, 44);
        cairo_close_path(c);
        cairo_move_to(c, W * 0.9, 22);
        cairo_line_to(c, W * 0.8, 22);
        cairo_line_to(c, W * 0.8, 66);
        cairo_line_to(c, W * 0.9, 66);
        cairo_line_to(c, W * 0.87, 44);
        cairo_close_path(c);
    };
    shadow(cr, tails);
    fillFlat(cr, tails, GRASS_DARK, 0, 22, W, 44);
    outline(cr, tails);
    shadow(cr, ribbon);
    fillFlat(cr, ribbon, GREEN, 0, 12, W, 46);
    gloss(cr, ribbon, W * 0.35, 20, W * 0.2, 6, 0.45);
    outline(cr, ribbon);
    // Dotted stitching on the ribbon.
    cairo_save(cr);
    double dash[2] = {basePx(cr, 4), basePx(cr, 3)};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_move_to(cr, W * 0.2, 17);
    cairo_line_to(cr, W * 0.8, 17);
    cairo_move_to(cr, W * 0.2, 53);
    cairo_line_to(cr, W * 0.8, 53);
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, GRASS_LIGHT, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void flyingStar(cairo_t* cr) {
    auto star = [](cairo_t* c) { starPath(c, 20, 21, 17, 8, 5); };
    glow(cr, star, GOLD_LIGHT, 0.9, 4);
    cairo_save(cr);
    star(cr);
    cairo_set_line_width(cr, basePx(cr, 3));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColor(cr, INK, OUTLINE_ALPHA);
    cairo_stroke(cr);
    cairo_restore(cr);
    fillRound(cr, star, GOLD, 3, 4, 34, 34);
    gloss(cr, star, 15, 14, 6, 4, 0.7);
    sparkle(cr, 32, 8, 4, 0.95);
}

void slotDone(cairo_t* cr) {
    auto disc = [](cairo_t* c) { ellipse(c, 16, 16, 13, 13); };
    roundThing(cr, disc, GREEN, 3, 3, 26, 26);
    cairo_move_to(cr, 9.5, 16.5);
    cairo_line_to(cr, 14, 21);
    cairo_line_to(cr, 22.5, 11);
    cairo_set_line_width(cr, basePx(cr, 5.5));
    setColor(cr, INK, 0.8);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, basePx(cr, 3));
    setColor(cr, WHITE);
    cairo_stroke(cr);
}

void barTrack(cairo_t* cr) {
    auto track = [](cairo_t* c) { roundedRect(c, 1, 1, BAR_W - 2, BAR_H - 2, (BAR_H - 2) / 2.0); };
    fillFlat(cr, track, darker(CREAM, 0.08), 0, 0, BAR_W, BAR_H, 0.5);
    innerShade(cr, track, 2, 0.3);
    outline(cr, track, 1.5);
}

void barFill(cairo_t* cr, Rgb colour) {
    auto fill = [](cairo_t* c) { roundedRect(c, 3, 3, BAR_W - 6, BAR_H - 6, (BAR_H - 6) / 2.0); };
    fillFlat(cr, fill, colour, 0, 3, BAR_W, BAR_H - 6, 1.6);
    cairo_save(cr);
    fill(cr);
    cairo_clip(cr);
    roundedRect(cr, 5, 4, BAR_W - 10, (BAR_H - 8) / 2.5, 2);
    setColor(cr, WHITE, 0.45);
    cairo_fill(cr);
    cairo_restore(cr);
}

void bonusGlow(cairo_t* cr) {
    const double c = GLOW / 2.0;
    cairo_pattern_t* p = cairo_pattern_create_radial(c, c, c * 0.35, c, c, c);
    cairo_pattern_add_color_stop_rgba(p, 0, GOLD_LIGHT.r, GOLD_LIGHT.g, GOLD_LIGHT.b, 0.95);
    cairo_pattern_add_color_stop_rgba(p, 0.45, GOLD.r, GOLD.g, GOLD.b, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, GOLD.r, GOLD.g, GOLD.b, 0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    // Soft rays.
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        cairo_move_to(cr, c, c);
        cairo_line_to(cr, c + c * std::cos(a - 0.08), c + c * std::sin(a - 0.08));
        cairo_line_to(cr, c + c * std::cos(a + 0.08), c + c * std::sin(a + 0.08));
        cairo_close_path(cr);
    }
    cairo_pattern_t* rays = cairo_pattern_create_radial(c, c, 0, c, c, c);
    cairo_pattern_add_color_stop_rgba(rays, 0, 1, 1, 1, 0.6);
    cairo_pattern_add_color_stop_rgba(rays, 1, 1, 1, 1, 0);
    cairo_set_source(cr, rays);
    cairo_fill(cr);
    cairo_pattern_destroy(rays);
}

template <typename Fn> void one(int w, int h, const std::string& name, Fn fn) {
    Canvas c(w, h);
    fn(c.cr());
    Output::small(c, DIR + name + ".png");
}

template <typename Fn> void sheet(int w, int h, int frames, const std::string& name, Fn fn) {
    Canvas c(w * frames, h);
    Sheet::draw(c, w, h, frames, [&](cairo_t* cr, int i, double phase) { fn(cr, i, phase); });
    Output::small(c, DIR + name + ".png");
}

} // namespace

void generate() {
    sheet(48, 48, 8, "bee", [](cairo_t* cr, int, double p) { bee(cr, p); });
    sheet(64, 64, 8, "trigger", [](cairo_t* cr, int, double p) { trigger(cr, p); });
    one(64, 64, "trigger_base", triggerBase);
    one(32, 32, "icon_vehicle", [](cairo_t* cr) {
        badge(cr, 16, 15, 14);
        cairo_translate(cr, 16, 15);
        cairo_scale(cr, 0.78, 0.78);
        cairo_translate(cr, -16.5, -18);
        truckIcon(cr, 1.0);
    });
    one(32, 32, "icon_gold", [](cairo_t* cr) {
        badge(cr, 16, 15, 14);
        coin(cr, 16, 15, 7.5);
    });
    one(40, 40, "money", moneyIcon);
    sheet(BONUS, BONUS, 4, "bonus_button", [](cairo_t* cr, int i, double) { bonusButton(cr, i); });
    one(56, 56, "bonus_chicken", chickenHead);
    one(56, 56, "bonus_bear", bearHead);
    one(56, 56, "bonus_cat", catHead);
    one(56, 56, "bonus_shuffle", shuffleIcon);
    one(BAR_W, BAR_H, "bar_track", barTrack);
    one(BAR_W, BAR_H, "bar_fill", [](cairo_t* cr) { barFill(cr, GREEN); });
    one(BAR_W, BAR_H, "bar_full", [](cairo_t* cr) { barFill(cr, GOLD); });
    one(GLOW, GLOW, "bonus_glow", bonusGlow);
    for (const Colour& colour : COLOURS) {
        one(96, 72, std::string("vehicle_head_") + colour.name, [&](cairo_t* cr) { head(cr, colour.rgb); });
        one(80, 72, std::string("vehicle_trailer_") + colour.name, [&](cairo_t* cr) { trailer(cr, colour.rgb); });
        one(80, 72, std::string("vehicle_doors_") + colour.name, [&](cairo_t* cr) { doors(cr, colour.rgb); });
    }
    for (int look = 0; look < 3; ++look)
        sheet(40, 40, 4, "driver" + std::to_string(look + 1),
              [look](cairo_t* cr, int, double p) { driver(cr, look, p); });
    one(32, 32, "slot_done", slotDone);
    one(RESULTS_W, RESULTS_H, "results_panel", resultsPanel);
    one(40, 40, "flying_star", flyingStar);
}

void contact(cairo_t* cr, double x, double y) {
    auto place = [&](const std::string& name, double px, double py, double frameW = 0) {
        cairo_surface_t* s = cairo_image_surface_create_from_png(Output::smallPath(DIR + name + ".png").c_str());
        const double w = frameW > 0 ? frameW : cairo_image_surface_get_width(s);
        cairo_save(cr);
        cairo_rectangle(cr, px, py, w, cairo_image_surface_get_height(s));
        cairo_clip(cr);
        cairo_set_source_surface(cr, s, px, py);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(s);
    };
    // The bonus buttons: glow behind the charged one, icons, bars.
    place("bonus_glow", x - 16, y + 4);
    const char* icons[] = {"bonus_chicken", "bonus_bear", "bonus_cat", "bonus_shuffle"};
    for (int i = 0; i < 4; ++i) {
        const double bx = x + i * 100;
        cairo_save(cr);
        cairo_rectangle(cr, bx, y + 20, BONUS, BONUS);
        cairo_clip(cr);
        place("bonus_button", bx - (i == 3 ? 3 : i) * BONUS, y + 20);
        cairo_restore(cr);
        place(icons[i], bx + (BONUS - 56) / 2.0, y + 20 + (BONUS - 56) / 2.0 - 2);
        place("bar_track", bx + (BONUS - BAR_W) / 2.0, y + 20 + BONUS + 4);
        cairo_save(cr);
        cairo_rectangle(cr, bx, y, (BONUS - BAR_W) / 2.0 + BAR_W * (i == 0 ? 1.0 : 0.25 + 0.2 * i), 400);
        cairo_clip(cr);
        place(i == 0 ? "bar_full" : "bar_fill", bx + (BONUS - BAR_W) / 2.0, y + 20 + BONUS + 4);
        cairo_restore(cr);
    }
    // A vehicle: head, two trailers, doors closed on the last.
    double vy = y + 150;
    place("vehicle_head_red", x, vy);
    place("driver1", x + 50, vy + 2, 40);
    place("vehicle_trailer_red", x + 94, vy);
    place("vehicle_trailer_red", x + 172, vy);
    place("vehicle_doors_red", x + 172, vy);
    place("slot_done", x + 118, vy + 14);
    vy += 80;
    const char* colours[] = {"blue", "green", "yellow"};
    for (int i = 0; i < 3; ++i) {
        place(std::string("vehicle_head_") + colours[i], x + i * 180, vy);
        place("driver" + std::to_string(i + 1), x + 50 + i * 180, vy + 2, 40);
        place(std::string("vehicle_trailer_") + colours[i], x + 94 + i * 180, vy);
    }
    vy += 90;
    place("bee", x, vy);
    place("trigger_base", x + 400, vy - 8);
    place("trigger", x + 400, vy - 8, 64);
    place("icon_vehicle", x + 480, vy);
    place("icon_gold", x + 520, vy);
    place("money", x + 560, vy - 4);
    place("flying_star", x + 610, vy - 4);
    vy += 70;
    place("results_panel", x + 80, vy);
}

void sidePanel(cairo_t* cr, double x, double y) {
    auto place = [&](const std::string& name, double px, double py, double frameW = 0) {
        cairo_surface_t* s = cairo_image_surface_create_from_png(Output::smallPath(DIR + name + ".png").c_str());
        const double w = frameW > 0 ? frameW : cairo_image_surface_get_width(s);
        cairo_save(cr);
        cairo_rectangle(cr, px, py, w, cairo_image_surface_get_height(s));
        cairo_clip(cr);
        cairo_set_source_surface(cr, s, px, py);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(s);
    };
    // Score plate: the results panel's wood, small, drawn here like a panel would be.
    auto plate = [=](cairo_t* c) { roundedRect(c, x + 20, y, 320, 90, 12); };
    shadow(cr, plate);
    fillFlat(cr, plate, lighter(WOOD, 0.12), x + 20, y, 320, 90);
    auto paper = [=](cairo_t* c) { roundedRect(c, x + 32, y + 12, 296, 66, 8); };
    fillFlat(cr, paper, CREAM, x + 32, y + 12, 296, 66, 0.35);
    outline(cr, plate);
    place("money", x + 46, y + 25);
    titleText(cr, "1250", 30, x + 150, y + 56, GOLD, 1.5, false);
    place("flying_star", x + 270, y + 25);
    const char* icons[] = {"bonus_chicken", "bonus_bear", "bonus_cat"};
    for (int i = 0; i < 3; ++i) {
        const double bx = x + 12 + i * 112, by = y + 130;
        if (i == 0)
            place("bonus_glow", bx - 16, by - 16);
        cairo_save(cr);
        cairo_rectangle(cr, bx, by, BONUS, BONUS);
        cairo_clip(cr);
        place("bonus_button", bx - (i == 2 ? 3 : 0) * BONUS, by);
        cairo_restore(cr);
        place(icons[i], bx + (BONUS - 56) / 2.0, by + (BONUS - 56) / 2.0 - 2);
        place("bar_track", bx + (BONUS - BAR_W) / 2.0, by + BONUS + 4);
        cairo_save(cr);
        cairo_rectangle(cr, bx, by, (BONUS - BAR_W) / 2.0 + BAR_W * (i == 0 ? 1.0 : 0.35 + 0.3 * i), 400);
        cairo_clip(cr);
        place(i == 0 ? "bar_full" : "bar_fill", bx + (BONUS - BAR_W) / 2.0, by + BONUS + 4);
        cairo_restore(cr);
    }
    const double vy = y + 300;
    place("vehicle_head_red", x + 10, vy);
    place("driver1", x + 60, vy + 2, 40);
    place("vehicle_trailer_red", x + 104, vy);
    place("vehicle_trailer_red", x + 182, vy);
    place("vehicle_trailer_red", x + 260, vy);
    place("slot_done", x + 128, vy + 14);
    for (int i = 0; i < 2; ++i) {
        cairo_save(cr);
        cairo_translate(cr, x + 198 + i * 78, vy + 6);
        cairo_scale(cr, 0.75, 0.75);
        cairo_surface_t* s = cairo_image_surface_create_from_png(
            Output::smallPath(std::string("Meadow/Images/Pieces/piece") + (i ? "6" : "2") + ".png").c_str());
        cairo_rectangle(cr, 0, 0, 64, 64);
        cairo_clip(cr);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_surface_destroy(s);
        cairo_restore(cr);
    }
    place("trigger_base", x + 40, vy + 140);
    place("trigger", x + 40, vy + 140, 64);
    place("bee", x + 140, vy + 150, 48);
}

} // namespace BoardUi
