#include "AwardArt.h"

#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

using namespace Paint;
using namespace Palette;

namespace AwardArt {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int BADGE = 96;

// Light wood frame with a cream paper inset, face w x h at (m, m); as the interface kit's panels.
void woodPanel(cairo_t* cr, double m, double w, double h, double radius, double inset) {
    auto frame = [=](cairo_t* c) { roundedRect(c, m, m, w, h, radius); };
    auto paper = [=](cairo_t* c) { roundedRect(c, m + inset, m + inset, w - 2 * inset, h - 2 * inset, radius - 4); };
    shadow(cr, frame);
    fillFlat(cr, frame, lighter(WOOD, 0.12), m, m, w, h);
    cairo_save(cr);
    frame(cr);
    cairo_clip(cr);
    for (int i = 0; i < int(h / 7); ++i) {
        const double y = m + 3 + i * 7 + 2 * hashNoise(i, 3, int(w));
        cairo_move_to(cr, m, y);
        cairo_curve_to(cr, m + w * 0.3, y + 1.5, m + w * 0.7, y - 1.5, m + w, y + 0.5);
    }
    cairo_set_line_width(cr, basePx(cr, 0.7));
    setColor(cr, WOOD_DARK, 0.22);
    cairo_stroke(cr);
    cairo_restore(cr);
    gloss(cr, frame, m + w * 0.25, m + 6, w * 0.3, 6, 0.35);
    innerShade(cr, frame, 2.5, 0.25);
    outline(cr, frame);
    fillFlat(cr, paper, CREAM, m + inset, m + inset, w - 2 * inset, h - 2 * inset, 0.35);
    innerShade(cr, paper, 3, 0.22);
    cairo_save(cr);
    paper(cr);
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, WOOD_DARK, 0.55);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void star(cairo_t* c, double cx, double cy, double outer, double inner, int points, double turn = -PI / 2) {
    for (int i = 0; i < points * 2; ++i) {
        const double r = i % 2 ? inner : outer, a = turn + i * PI / points;
        if (i == 0)
            cairo_move_to(c, cx + r * std::cos(a), cy + r * std::sin(a));
        else
            cairo_line_to(c, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(c);
}

void circle(cairo_t* c, double cx, double cy, double r) {
    cairo_new_sub_path(c);
    cairo_arc(c, cx, cy, r, 0, 2 * PI);
}

// The symbol of each award, drawn into the badge's centre (48, 44), about 40 px across.
void symbol(cairo_t* cr, int award) {
    const double cx = 48, cy = 44;
    auto thing = [&](const PathFn& path, Rgb colour, double x, double y, double w, double h) {
        silhouette(cr, path, colour, x, y, w, h, false);
    };
    switch (award) {
    case 0: // one coin
        thing([&](cairo_t* c) { circle(c, cx, cy, 16); }, GOLD, cx - 16, cy - 16, 32, 32);
        outline(
            cr, [&](cairo_t* c) { circle(c, cx, cy, 10); }, 1.5, 0.6);
        break;
    case 1: // a stack of coins
        for (int i = 0; i < 4; ++i) {
            const double y = cy + 12 - i * 7;
            thing([=](cairo_t* c) { ellipse(c, cx, y, 16, 6); }, GOLD, cx - 16, y - 6, 32, 12);
        }
        break;
    case 2: // a flag on its pole
        thing([&](cairo_t* c) { roundedRect(c, cx - 14, cy - 18, 4, 38, 2); }, WOOD_DARK, cx - 14, cy - 18, 4, 38);
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx - 10, cy - 18);
                cairo_curve_to(c, cx, cy - 22, cx + 6, cy - 12, cx + 18, cy - 16);
                cairo_line_to(c, cx + 18, cy - 2);
                cairo_curve_to(c, cx + 6, cy + 2, cx, cy - 8, cx - 10, cy - 4);
                cairo_close_path(c);
            },
            RED, cx - 10, cy - 20, 28, 20);
        break;
    case 3: // a crown
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx - 18, cy + 12);
                cairo_line_to(c, cx - 20, cy - 10);
                cairo_line_to(c, cx - 9, cy);
                cairo_line_to(c, cx, cy - 16);
                cairo_line_to(c, cx + 9, cy);
                cairo_line_to(c, cx + 20, cy - 10);
                cairo_line_to(c, cx + 18, cy + 12);
                cairo_close_path(c);
            },
            GOLD, cx - 20, cy - 16, 40, 28);
        thing([&](cairo_t* c) { circle(c, cx, cy + 4, 3.5); }, RED, cx - 4, cy, 8, 8);
        break;
    case 4: // a coin sack
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx - 7, cy - 10);
                cairo_curve_to(c, cx - 24, cy, cx - 22, cy + 18, cx, cy + 18);
                cairo_curve_to(c, cx + 22, cy + 18, cx + 24, cy, cx + 7, cy - 10);
                cairo_close_path(c);
            },
            SOIL, cx - 22, cy - 10, 44, 28);
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx - 8, cy - 10);
                cairo_line_to(c, cx - 12, cy - 19);
                cairo_line_to(c, cx + 12, cy - 19);
                cairo_line_to(c, cx + 8, cy - 10);
                cairo_close_path(c);
            },
            SOIL, cx - 12, cy - 19, 24, 9);
        thing([&](cairo_t* c) { circle(c, cx, cy + 5, 7); }, GOLD, cx - 7, cy - 2, 14, 14);
        break;
    case 5: // a magic star with sparkles
        thing([&](cairo_t* c) { star(c, cx, cy, 17, 7.5, 5); }, GOLD, cx - 17, cy - 17, 34, 34);
        thing([&](cairo_t* c) { star(c, cx + 16, cy - 14, 6, 2, 4); }, GOLD_LIGHT, cx + 10, cy - 20, 12, 12);
        thing([&](cairo_t* c) { star(c, cx - 17, cy + 13, 5, 2, 4); }, GOLD_LIGHT, cx - 22, cy + 8, 10, 10);
        break;
    case 6: // a clover: no help needed
        for (int i = 0; i < 3; ++i) {
            const double a = -PI / 2 + i * 2 * PI / 3;
            const double x = cx + 9 * std::cos(a), y = cy - 2 + 9 * std::sin(a);
            thing([=](cairo_t* c) { circle(c, x, y, 9); }, GREEN, x - 9, y - 9, 18, 18);
        }
        thing([&](cairo_t* c) { roundedRect(c, cx - 1.5, cy + 6, 3, 14, 1.5); }, GRASS_DARK, cx - 2, cy + 6, 4, 14);
        break;
    case 7: { // three matched pieces
        const Rgb colours[3] = {RED, YELLOW, BLUE};
        for (int i = 0; i < 3; ++i) {
            const double x = cx - 14 + i * 14;
            thing([=](cairo_t* c) { circle(c, x, cy, 7); }, colours[i], x - 7, cy - 7, 14, 14);
        }
        break;
    }
    case 8: // an hourglass
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx - 12, cy - 16);
                cairo_line_to(c, cx + 12, cy - 16);
                cairo_line_to(c, cx + 2, cy);
                cairo_line_to(c, cx + 12, cy + 16);
                cairo_line_to(c, cx - 12, cy + 16);
                cairo_line_to(c, cx - 2, cy);
                cairo_close_path(c);
            },
            SKY, cx - 12, cy - 16, 24, 32);
        thing([&](cairo_t* c) { roundedRect(c, cx - 15, cy - 20, 30, 5, 2); }, WOOD, cx - 15, cy - 20, 30, 5);
        thing([&](cairo_t* c) { roundedRect(c, cx - 15, cy + 15, 30, 5, 2); }, WOOD, cx - 15, cy + 15, 30, 5);
        break;
    case 9: // a heart
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx, cy + 16);
                cairo_curve_to(c, cx - 26, cy - 2, cx - 12, cy - 24, cx, cy - 8);
                cairo_curve_to(c, cx + 12, cy - 24, cx + 26, cy - 2, cx, cy + 16);
                cairo_close_path(c);
            },
            PINK, cx - 20, cy - 18, 40, 34);
        break;
    case 10: // a clock
        thing([&](cairo_t* c) { circle(c, cx, cy, 17); }, CREAM, cx - 17, cy - 17, 34, 34);
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx, cy - 11);
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + 8, cy + 3);
        cairo_set_line_width(cr, basePx(cr, 2.5));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setColor(cr, INK, 0.9);
        cairo_stroke(cr);
        break;
    case 11: // the hen's egg
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx, cy - 18);
                cairo_curve_to(c, cx + 14, cy - 18, cx + 16, cy + 4, cx + 14, cy + 8);
                cairo_curve_to(c, cx + 10, cy + 20, cx - 10, cy + 20, cx - 14, cy + 8);
                cairo_curve_to(c, cx - 16, cy + 4, cx - 14, cy - 18, cx, cy - 18);
                cairo_close_path(c);
            },
            lighter(SOIL, 0.45), cx - 16, cy - 18, 32, 36);
        break;
    case 12: // a paw print
        thing([&](cairo_t* c) { ellipse(c, cx, cy + 7, 11, 9); }, BROWN, cx - 11, cy - 2, 22, 18);
        for (int i = 0; i < 4; ++i) {
            const double x = cx - 13 + i * 8.7, y = cy - 8 - (i == 1 || i == 2 ? 5 : 0);
            thing([=](cairo_t* c) { circle(c, x, y, 4.5); }, BROWN, x - 4.5, y - 4.5, 9, 9);
        }
        break;
    case 13: // the bear
        thing([&](cairo_t* c) { circle(c, cx - 12, cy - 12, 6); }, BROWN, cx - 18, cy - 18, 12, 12);
        thing([&](cairo_t* c) { circle(c, cx + 12, cy - 12, 6); }, BROWN, cx + 6, cy - 18, 12, 12);
        thing([&](cairo_t* c) { circle(c, cx, cy + 1, 15); }, BROWN, cx - 15, cy - 14, 30, 30);
        thing([&](cairo_t* c) { ellipse(c, cx, cy + 7, 7, 5); }, SOIL, cx - 7, cy + 2, 14, 10);
        setColor(cr, INK);
        circle(cr, cx - 5, cy - 3, 2);
        circle(cr, cx + 5, cy - 3, 2);
        circle(cr, cx, cy + 5, 2.2);
        cairo_fill(cr);
        break;
    case 14: // the cat
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx - 15, cy - 4);
                cairo_line_to(c, cx - 14, cy - 19);
                cairo_line_to(c, cx - 4, cy - 11);
                cairo_line_to(c, cx + 4, cy - 11);
                cairo_line_to(c, cx + 14, cy - 19);
                cairo_line_to(c, cx + 15, cy - 4);
                cairo_curve_to(c, cx + 18, cy + 14, cx - 18, cy + 14, cx - 15, cy - 4);
                cairo_close_path(c);
            },
            ORANGE, cx - 16, cy - 19, 32, 32);
        setColor(cr, INK);
        circle(cr, cx - 6, cy - 2, 2);
        circle(cr, cx + 6, cy - 2, 2);
        cairo_fill(cr);
        cairo_move_to(cr, cx - 16, cy + 3);
        cairo_line_to(cr, cx - 5, cy + 4);
        cairo_move_to(cr, cx + 16, cy + 3);
        cairo_line_to(cr, cx + 5, cy + 4);
        cairo_set_line_width(cr, basePx(cr, 1.2));
        cairo_stroke(cr);
        break;
    case 15: // a lightning bolt
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx + 4, cy - 20);
                cairo_line_to(c, cx - 12, cy + 3);
                cairo_line_to(c, cx - 1, cy + 3);
                cairo_line_to(c, cx - 6, cy + 20);
                cairo_line_to(c, cx + 12, cy - 4);
                cairo_line_to(c, cx + 1, cy - 4);
                cairo_close_path(c);
            },
            GOLD_LIGHT, cx - 12, cy - 20, 24, 40);
        break;
    case 16: // the seed bomb
        thing([&](cairo_t* c) { circle(c, cx - 2, cy + 4, 14); }, IRON_DARK, cx - 16, cy - 10, 28, 28);
        cairo_move_to(cr, cx + 7, cy - 7);
        cairo_curve_to(cr, cx + 12, cy - 14, cx + 9, cy - 16, cx + 14, cy - 19);
        cairo_set_line_width(cr, basePx(cr, 2.5));
        setColor(cr, WOOD_DARK);
        cairo_stroke(cr);
        thing([&](cairo_t* c) { star(c, cx + 15, cy - 20, 7, 3, 6); }, ORANGE, cx + 8, cy - 27, 14, 14);
        break;
    case 17: { // the rainbow flower
        const Rgb petals[6] = {RED, ORANGE, YELLOW, GREEN, BLUE, PURPLE};
        for (int i = 0; i < 6; ++i) {
            const double a = -PI / 2 + i * PI / 3;
            const double x = cx + 11 * std::cos(a), y = cy + 11 * std::sin(a);
            thing([=](cairo_t* c) { circle(c, x, y, 7.5); }, petals[i], x - 7.5, y - 7.5, 15, 15);
        }
        thing([&](cairo_t* c) { circle(c, cx, cy, 6.5); }, GOLD_LIGHT, cx - 6.5, cy - 6.5, 13, 13);
        break;
    }
    case 18: // a house with a star
        thing(
            [&](cairo_t* c) {
                cairo_move_to(c, cx - 15, cy - 2);
                cairo_line_to(c, cx, cy - 16);
                cairo_line_to(c, cx + 15, cy - 2);
                cairo_close_path(c);
            },
            RED, cx - 15, cy - 16, 30, 14);
        thing([&](cairo_t* c) { roundedRect(c, cx - 11, cy - 2, 22, 19, 2); }, SOIL, cx - 11, cy - 2, 22, 19);
        thing([&](cairo_t* c) { roundedRect(c, cx - 4, cy + 6, 8, 11, 2); }, WOOD_DARK, cx - 4, cy + 6, 8, 11);
        thing([&](cairo_t* c) { star(c, cx + 14, cy - 15, 8, 3.5, 5); }, GOLD, cx + 6, cy - 23, 16, 16);
        break;
    case 19: // a rising series
        for (int i = 0; i < 3; ++i) {
            const double y = cy + 12 - i * 11;
            thing(
                [=](cairo_t* c) {
                    cairo_move_to(c, cx - 15, y + 3);
                    cairo_line_to(c, cx, y - 7);
                    cairo_line_to(c, cx + 15, y + 3);
                    cairo_line_to(c, cx + 15, y + 8);
                    cairo_line_to(c, cx, y - 2);
                    cairo_line_to(c, cx - 15, y + 8);
                    cairo_close_path(c);
                },
                i == 2 ? GOLD : GREEN, cx - 15, y - 7, 30, 15);
        }
        break;
    default: { // five in a row
        const Rgb row[5] = {PURPLE, PURPLE, PURPLE, PURPLE, PURPLE};
        thing([&](cairo_t* c) { roundedRect(c, cx - 21, cy - 7, 42, 14, 7); }, CREAM, cx - 21, cy - 7, 42, 14);
        for (int i = 0; i < 5; ++i) {
            const double x = cx - 16 + i * 8;
            thing([=](cairo_t* c) { circle(c, x, cy, 3.6); }, row[i], x - 4, cy - 4, 8, 8);
        }
        break;
    }
    }
}

// The centre colour of each badge: money green, levels blue, time and care pink, bonuses
// purple, play gold.
Rgb badgeColour(int award) {
    switch (award) {
    case 0:
    case 1:
    case 4:
        return GRASS_DARK;
    case 2:
    case 3:
    case 6:
    case 18:
        return DEEP_WATER;
    case 8:
    case 9:
    case 10:
    case 12:
        return darker(PINK, 0.25);
    case 7:
    case 19:
    case 20:
        return darker(ORANGE, 0.2);
    default:
        return PURPLE;
    }
}

void badge(cairo_t* cr, int award) {
    const double cx = 48, cy = 44;
    // Two ribbon tails behind the medal.
    for (int side = -1; side <= 1; side += 2) {
        auto tail = [=](cairo_t* c) {
            cairo_move_to(c, cx + side * 8, cy + 20);
            cairo_line_to(c, cx + side * 22, cy + 44);
            cairo_line_to(c, cx + side * 14, cy + 42);
            cairo_line_to(c, cx + side * 10, cy + 48);
            cairo_line_to(c, cx + side * 1, cy + 26);
            cairo_close_path(c);
        };
        shadow(cr, tail);
        fillFlat(cr, tail, side < 0 ? RED : darker(RED, 0.12), cx - 22, cy + 20, 44, 28);
        outline(cr, tail);
    }
    auto rim = [=](cairo_t* c) { circle(c, cx, cy, 36); };
    roundThing(cr, rim, GOLD, cx - 36, cy - 36, 72, 72);
    // Notches around the rim, like a struck medal.
    for (int i = 0; i < 24; ++i) {
        const double a = i * PI / 12;
        circle(cr, cx + 33 * std::cos(a), cy + 33 * std::sin(a), 1.3);
    }
    setColor(cr, darker(GOLD, 0.25), 0.6);
    cairo_fill(cr);
    auto face = [=](cairo_t* c) { circle(c, cx, cy, 27); };
    fillRound(cr, face, badgeColour(award), cx - 27, cy - 27, 54, 54);
    innerShade(cr, face, 3, 0.3);
    outline(cr, face, 1.5, 0.7);
    symbol(cr, award);
    gloss(cr, rim, cx - 14, cy - 20, 12, 7, 0.45);
}

// The award not yet given: the same badge in dim grey, so its shape still reads.
void darken(const Canvas& canvas) {
    cairo_surface_t* surface = canvas.surface();
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < cairo_image_surface_get_height(surface); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(surface); ++x) {
            unsigned char* p = data + y * stride + x * 4;
            // Premultiplied BGRA: grey keeps the premultiplication.
            const double grey = 0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0];
            const unsigned char value = (unsigned char)(grey * 0.55 + p[3] * 0.08);
            p[0] = p[1] = p[2] = value > p[3] ? p[3] : value;
        }
    cairo_surface_mark_dirty(surface);
}

std::string awardName(int award) {
    char name[64];
    std::snprintf(name, sizeof name, "Awards/Images/award_%02d", award);
    return name;
}

void awards() {
    for (int award = 0; award < 21; ++award) {
        Canvas bright(BADGE, BADGE);
        badge(bright.cr(), award);
        Output::large(bright, awardName(award) + ".png");
        Canvas dark(BADGE, BADGE);
        badge(dark.cr(), award);
        darken(dark);
        Output::large(dark, awardName(award) + "_dark.png");
    }
    {
        // The glow under the cursor: a soft golden ring, drawn additively.
        Canvas c(120, 120);
        cairo_pattern_t* glowPattern = cairo_pattern_create_radial(60, 56, 20, 60, 56, 58);
        cairo_pattern_add_color_stop_rgba(glowPattern, 0, GOLD_LIGHT.r, GOLD_LIGHT.g, GOLD_LIGHT.b, 0.0);
        cairo_pattern_add_color_stop_rgba(glowPattern, 0.55, GOLD_LIGHT.r, GOLD_LIGHT.g, GOLD_LIGHT.b, 0.75);
        cairo_pattern_add_color_stop_rgba(glowPattern, 1, GOLD.r, GOLD.g, GOLD.b, 0.0);
        cairo_set_source(c.cr(), glowPattern);
        cairo_paint(c.cr());
        cairo_pattern_destroy(glowPattern);
        Output::large(c, "Awards/Images/award_glow.png");
    }
    {
        // The announcement: a wooden sign hanging from two ropes, the badge at its left. Tall
        // enough for three lines of description under the title.
        Canvas c(460, 180);
        cairo_t* cr = c.cr();
        for (double x : {60.0, 400.0}) {
            cairo_move_to(cr, x, 0);
            cairo_line_to(cr, x, 24);
            cairo_set_line_width(cr, basePx(cr, 4));
            setColor(cr, WOOD_DARK);
            cairo_stroke(cr);
        }
        woodPanel(cr, 8, 444, 156, 14, 12);
        auto slot = [](cairo_t* c2) { circle(c2, 78, 90, 46); };
        fillFlat(cr, slot, lighter(GOLD_LIGHT, 0.5), 32, 44, 92, 92, 0.5);
        innerShade(cr, slot, 3, 0.25);
        outline(cr, slot, 1.5, 0.5);
        titleText(cr, "New award!", 24, 302, 52, GRASS_DARK, 1.5, false);
        Output::large(c, "Awards/Images/announce_panel.png");
    }
    {
        Canvas c(880, 620);
        woodPanel(c.cr(), 8, 864, 604, 16, 16);
        Output::large(c, "Awards/Images/awards_board.png");
    }
    {
        Canvas c(260, 120);
        woodPanel(c.cr(), 6, 248, 108, 10, 8);
        Output::large(c, "Awards/Images/progress_panel.png");
    }
    {
        Canvas track(200, 18);
        auto path = [](cairo_t* c2) { roundedRect(c2, 1, 1, 198, 16, 8); };
        fillFlat(track.cr(), path, darker(CREAM, 0.08), 1, 1, 198, 16);
        innerShade(track.cr(), path, 2, 0.3);
        outline(track.cr(), path, 1.5, 0.7);
        Output::large(track, "Awards/Images/progress_track.png");
        Canvas fill(196, 14);
        auto bar = [](cairo_t* c2) { roundedRect(c2, 1, 1, 194, 12, 6); };
        fillFlat(fill.cr(), bar, GREEN, 1, 1, 194, 12);
        gloss(fill.cr(), bar, 60, 4, 50, 2.5, 0.5);
        Output::large(fill, "Awards/Images/progress_fill.png");
    }
}

void tutorial() {
    const std::string dir = "Meadow/Images/Tutorial/";
    {
        // The tip: a paper note on a wooden board, a green pin at the top.
        Canvas c(400, 200);
        woodPanel(c.cr(), 8, 384, 184, 14, 10);
        auto pin = [](cairo_t* c2) { circle(c2, 200, 16, 7); };
        roundThing(c.cr(), pin, GREEN, 193, 9, 14, 14);
        Output::large(c, dir + "tip_panel.png");
    }
    {
        // A fat golden arrow pointing down and to the left (mirrored for the other quarters).
        Canvas c(72, 72);
        cairo_t* cr = c.cr();
        auto arrow = [](cairo_t* c2) {
            cairo_save(c2);
            cairo_translate(c2, 36, 36);
            cairo_rotate(c2, -3 * PI / 4);
            cairo_move_to(c2, 0, -28);
            cairo_line_to(c2, 17, -6);
            cairo_line_to(c2, 7, -6);
            cairo_line_to(c2, 7, 24);
            cairo_line_to(c2, -7, 24);
            cairo_line_to(c2, -7, -6);
            cairo_line_to(c2, -17, -6);
            cairo_close_path(c2);
            cairo_restore(c2);
        };
        glow(cr, arrow, GOLD_LIGHT, 0.6, 4);
        silhouette(cr, arrow, GOLD, 8, 8, 56, 56);
        Output::large(c, dir + "tip_arrow.png");
    }
    {
        // The fader: dusk all round and a clear hole in the middle, stretched over the screen.
        Canvas c(256, 192);
        cairo_pattern_t* dusk = cairo_pattern_create_radial(128, 96, 12, 128, 96, 46);
        cairo_pattern_add_color_stop_rgba(dusk, 0, 0.1, 0.07, 0.03, 0.0);
        cairo_pattern_add_color_stop_rgba(dusk, 1, 0.1, 0.07, 0.03, 0.5);
        cairo_set_source(c.cr(), dusk);
        cairo_paint(c.cr());
        cairo_pattern_destroy(dusk);
        Output::large(c, dir + "fader.png");
    }
}

} // namespace

void generate() {
    // Separate files at the layouts' own size: no 2x set, nothing packed.
    if (scale() != 1)
        return;
    awards();
    tutorial();
}

} // namespace AwardArt
