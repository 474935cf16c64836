#include "Characters.h"

#include "Animals.h"
#include "Map.h"
#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Paint;
using namespace Palette;

namespace Characters {

namespace {

const Rgb SKIN = hex(0xF6C9A0);
const Rgb HAIR = hex(0xC0562B);
const Rgb STRAW = hex(0xF2D27A);
const Rgb DRESS = mix(BLUE, DEEP_WATER, 0.3);
const Rgb BOOTS = WOOD_DARK;

// How the heroine stands in one frame. view: 0 front (down), 1 front three-quarter (down-right),
// 2 side (right), 3 back three-quarter (up-right), 4 back (up).
struct Pose {
    int view = 1;
    double step = 0; // -1..1: which leg is forward
    double bob = 0;  // body up (negative) and down
    double armL = 0; // arm swing angles (radians, 0 hanging)
    double armR = 0;
    bool mouthOpen = false;
    bool eyesClosed = false;
    bool smileBig = false;
    double hatLift = 0; // the hat jumps off the head
    double lean = 0;    // whole body tilt (radians)
};

void line(cairo_t* cr, double x0, double y0, double x1, double y1, double w, Rgb c) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, w + 2.4);
    setColor(cr, INK, 0.85);
    cairo_stroke(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, w);
    setColor(cr, c);
    cairo_stroke(cr);
}

void arm(cairo_t* cr, double sx, double sy, double angle, bool front) {
    const double len = 13;
    const double ex = sx + std::sin(angle) * len, ey = sy + std::cos(angle) * len;
    line(cr, sx, sy, ex, ey, 4.2, front ? SKIN : darker(SKIN, 0.12));
    auto hand = [=](cairo_t* p) { ellipse(p, ex, ey, 2.6, 2.6); };
    fillRound(cr, hand, SKIN, ex - 2.6, ey - 2.6, 5.2, 5.2);
    outline(cr, hand, 1.2);
}

void girl(cairo_t* cr, const Pose& p) {
    const double cx = 24, feet = 68;
    // Shadow on the ground.
    ellipse(cr, cx, feet, 12, 3.5);
    setColor(cr, INK, 0.22);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, feet);
    cairo_rotate(cr, p.lean);
    cairo_translate(cr, -cx, -feet + p.bob);
    const double side = p.view == 2 ? 1 : 0;
    // Legs and boots.
    for (int i = 0; i < 2; ++i) {
        const double s = i == 0 ? -1 : 1;
        double lx = cx + s * (side ? 1.5 : 4);
        double swing = p.step * s * (p.view == 0 || p.view == 4 ? 1.0 : p.view == 2 ? 6.5 : 4.5);
        double lift = p.view == 0 || p.view == 4 ? std::max(0.0, p.step * s) * 2.5 : std::max(0.0, -p.step * s) * 1.5;
        if (p.view == 0 || p.view == 4)
            swing = 0;
        line(cr, lx, 54, lx + swing, feet - 4 - lift - p.bob, 4, SKIN);
        auto boot = [=](cairo_t* c) {
            ellipse(c, lx + swing + (side ? 1.5 : 0), feet - 2.5 - lift - p.bob, side ? 4.2 : 3.2, 2.6);
        };
        fillRound(cr, boot, BOOTS, lx + swing - 4, feet - 6 - lift, 8, 6);
        outline(cr, boot, 1.3);
    }
    // The arm behind the body.
    const bool back = p.view >= 3;
    if (p.view == 2 || p.view == 1 || p.view == 3)
        arm(cr, cx - 2, 37, p.armL, false);
    // Dress: a bell skirt and a bodice.
    auto dress = [=](cairo_t* c) {
        cairo_move_to(c, cx - 7, 34);
        cairo_line_to(c, cx + 7, 34);
        cairo_curve_to(c, cx + 9, 42, cx + 13, 50, cx + 13, 56);
        cairo_curve_to(c, cx + 5, 59, cx - 5, 59, cx - 13, 56);
        cairo_curve_to(c, cx - 13, 50, cx - 9, 42, cx - 7, 34);
        cairo_close_path(c);
    };
    shadow(cr, dress, 0.25, 1, 2, 2);
    fillRound(cr, dress, DRESS, cx - 13, 33, 26, 26);
    if (!back) {
        // The cream apron with a pocket.
        auto apron = [=](cairo_t* c) {
            const double o = p.view == 2 ? 4 : p.view == 1 ? 2 : 0;
            cairo_move_to(c, cx - 5 + o, 41);
            cairo_line_to(c, cx + 5 + o, 41);
            cairo_line_to(c, cx + 7 + o, 55);
            cairo_curve_to(c, cx + 2 + o, 57, cx - 2 + o, 57, cx - 7 + o, 55);
            cairo_close_path(c);
        };
        fillFlat(cr, apron, CREAM, cx - 7, 41, 14, 16);
        outline(cr, apron, 1.1, 0.6);
    } else {
        // The apron's bow at the back.
        ellipse(cr, cx - 3, 42, 2.5, 1.8);
        ellipse(cr, cx + 3, 42, 2.5, 1.8);
        setColor(cr, CREAM);
        cairo_fill(cr);
    }
    outline(cr, dress);
    // Braids hang behind the shoulders when seen from the back.
    const double hx = cx + (p.view == 1 ? 1 : p.view == 2 ? 2 : p.view == 3 ? 0 : 0), hy = 22;
    auto braids = [=](cairo_t* c) {
        if (p.view == 2) {
            ellipse(c, hx - 8, hy + 12, 3, 6);
        } else {
            ellipse(c, hx - 10, hy + 11, 3.2, 6.5);
            ellipse(c, hx + 10, hy + 11, 3.2, 6.5);
        }
    };
    silhouette(cr, braids, HAIR, hx - 13, hy + 4, 26, 14, false);
    for (int s : {-1, 1}) {
        if (p.view == 2 && s > 0)
            continue;
        ellipse(cr, hx + s * 10 - (p.view == 2 ? -2 : 0), hy + 17.5, 2.2, 1.5);
        setColor(cr, RED);
        cairo_fill(cr);
    }
    // Head.
    auto headPath = [=](cairo_t* c) { ellipse(c, hx, hy, 10.5, 10.5); };
    if (back) {
        silhouette(cr, headPath, HAIR, hx - 10.5, hy - 10.5, 21, 21, false);
    } else {
        roundThing(cr, headPath, SKIN, hx - 10.5, hy - 10.5, 21, 21, false);
        // Fringe.
        auto fringe = [=](cairo_t* c) {
            cairo_move_to(c, hx - 10.5, hy - 1);
            cairo_curve_to(c, hx - 10, hy - 12, hx + 10, hy - 12, hx + 10.5, hy - 1);
            cairo_curve_to(c, hx + 6, hy - 6, hx - 2, hy - 5, hx - 10.5, hy - 1);
            cairo_close_path(c);
        };
        fillRound(cr, fringe, HAIR, hx - 10.5, hy - 11, 21, 11);
        outline(cr, fringe, 1.2);
        if (p.view == 2) {
            // Hair over the back of the head in profile.
            auto backHair = [=](cairo_t* c) {
                cairo_move_to(c, hx - 10.5, hy - 2);
                cairo_curve_to(c, hx - 11, hy + 6, hx - 6, hy + 9, hx - 3, hy + 8);
                cairo_curve_to(c, hx - 5, hy + 2, hx - 4, hy - 4, hx - 10.5, hy - 2);
                cairo_close_path(c);
            };
            fillRound(cr, backHair, HAIR, hx - 11, hy - 4, 8, 13);
            outline(cr, backHair, 1.1);
        }
        // Face: eyes, cheeks, mouth shift towards where she looks.
        const double fo = p.view == 0 ? 0 : p.view == 1 ? 2.5 : 5.5;
        const double spread = p.view == 0 ? 4 : p.view == 1 ? 3.6 : 0;
        for (int s : {-1, 1}) {
            if (p.view == 2 && s < 0)
                continue;
            const double ex = hx + fo + s * spread;
            if (p.eyesClosed || p.smileBig) {
                cairo_move_to(cr, ex - 1.8, hy + 1.5);
                cairo_curve_to(cr, ex - 1, hy - 0.5, ex + 1, hy - 0.5, ex + 1.8, hy + 1.5);
                cairo_set_line_width(cr, basePx(cr, 1.2));
                setColor(cr, INK);
                cairo_stroke(cr);
            } else {
                ellipse(cr, ex, hy + 1, 1.5, 2);
                setColor(cr, INK);
                cairo_fill(cr);
                ellipse(cr, ex + 0.5, hy + 0.2, 0.5, 0.6);
                setColor(cr, WHITE);
                cairo_fill(cr);
            }
            ellipse(cr, ex + s * 1.5 - (p.view == 2 ? 2 : 0), hy + 5, 2, 1.3);
            setColor(cr, PINK, 0.6);
            cairo_fill(cr);
        }
        const double mx = hx + fo + (p.view == 2 ? 2.5 : 0);
        if (p.mouthOpen) {
            ellipse(cr, mx, hy + 6.3, 1.8, 1.6);
            setColor(cr, darker(RED, 0.3));
            cairo_fill(cr);
        } else {
            cairo_move_to(cr, mx - 2, hy + 5.5);
            cairo_curve_to(cr, mx - 1, hy + (p.smileBig ? 8.5 : 7.2), mx + 1, hy + (p.smileBig ? 8.5 : 7.2), mx + 2,
                           hy + 5.5);
            cairo_set_line_width(cr, basePx(cr, 1.1));
            setColor(cr, INK, 0.85);
            cairo_stroke(cr);
        }
    }
    // Straw hat with a red band.
    cairo_save(cr);
    cairo_translate(cr, 0, -p.hatLift);
    auto hat = [=](cairo_t* c) {
        ellipse(c, hx, hy - 8, 15, 4.2);
        ellipse(c, hx, hy - 11.5, 8, 6);
    };
    silhouette(cr, hat, STRAW, hx - 15, hy - 18, 30, 14, false);
    cairo_rectangle(cr, hx - 7.8, hy - 10.5, 15.6, 2.6);
    setColor(cr, RED);
    cairo_fill(cr);
    // A daisy on the band.
    ellipse(cr, hx + (back ? -4 : 4), hy - 9.5, 2, 2);
    setColor(cr, WHITE);
    cairo_fill(cr);
    ellipse(cr, hx + (back ? -4 : 4), hy - 9.5, 0.9, 0.9);
    setColor(cr, GOLD);
    cairo_fill(cr);
    cairo_restore(cr);
    // The arm in front.
    if (p.view == 0 || p.view == 4) {
        arm(cr, cx - 7, 36, p.armL, true);
        arm(cr, cx + 7, 36, -p.armR, true);
    } else {
        arm(cr, cx + 1, 37, p.armR, true);
    }
    cairo_restore(cr);
}

// ---- The cats, facing left ----

struct CatLook {
    Rgb fur, belly, stripes;
    bool striped;
};

const CatLook CATS[3] = {{ORANGE, CREAM, darker(ORANGE, 0.25), true},
                         {mix(IRON, IRON_DARK, 0.4), STONE, darker(IRON_DARK, 0.2), true},
                         {mix(INK, IRON_DARK, 0.3), WHITE, INK, false}};

// view: 0 down (front), 1 down-left, 2 left (side), 3 up-left, 4 up (back).
struct CatPose {
    int view = 2;
    double step = 0;
    double bob = 0;
    double tail = 0; // tail swing
    bool eyesClosed = false;
    bool mouthOpen = false;
    double pawUp = 0;  // front paw raised (washing)
    double crouch = 0; // body lowered (sleeping)
};

void catHead(cairo_t* cr, const CatLook& c, double hx, double hy, int view, bool eyesClosed, bool mouthOpen) {
    auto ears = [=](cairo_t* p) {
        for (int s : {-1, 1}) {
            cairo_move_to(p, hx + s * 3, hy - 6);
            cairo_line_to(p, hx + s * 7.5, hy - 12);
            cairo_line_to(p, hx + s * 8.5, hy - 3);
            cairo_close_path(p);
        }
    };
    auto head = [=](cairo_t* p) { ellipse(p, hx, hy, 9, 7.5); };
    silhouette(cr, ears, c.fur, hx - 9, hy - 12, 18, 10, false);
    roundThing(cr, head, c.fur, hx - 9, hy - 7.5, 18, 15, false);
    if (view == 4)
        return;
    const double fo = view == 0 ? 0 : view == 1 ? -2 : view == 2 ? -4 : 0;
    if (!(view == 3)) {
        auto muzzle = [=](cairo_t* p) { ellipse(p, hx + fo, hy + 3, 4.2, 3); };
        fillRound(cr, muzzle, c.belly, hx + fo - 4, hy, 8.4, 6, 0.5);
        for (int s : {-1, 1}) {
            if (view == 2 && s > 0)
                continue;
            const double ex = hx + fo + s * 3.6 + (view == 2 ? 1 : 0);
            if (eyesClosed) {
                cairo_move_to(cr, ex - 1.6, hy - 1);
                cairo_curve_to(cr, ex - 0.8, hy + 0.6, ex + 0.8, hy + 0.6, ex + 1.6, hy - 1);
                cairo_set_line_width(cr, basePx(cr, 1.1));
                setColor(cr, INK);
                cairo_stroke(cr);
            } else {
                ellipse(cr, ex, hy - 1, 1.8, 2.2);
                setColor(cr, mix(GREEN, YELLOW, 0.5));
                cairo_fill(cr);
                ellipse(cr, ex, hy - 1, 0.7, 1.8);
                setColor(cr, INK);
                cairo_fill(cr);
            }
        }
        ellipse(cr, hx + fo, hy + 1.8, 1.2, 0.9);
        setColor(cr, PINK);
        cairo_fill(cr);
        if (mouthOpen) {
            ellipse(cr, hx + fo, hy + 4.5, 1.5, 1.3);
            setColor(cr, darker(RED, 0.3));
            cairo_fill(cr);
        }
        // Whiskers.
        for (int s : {-1, 1})
            for (int i = 0; i < 2; ++i) {
                cairo_move_to(cr, hx + fo + s * 3, hy + 3 + i);
                cairo_line_to(cr, hx + fo + s * 9, hy + 2 + i * 2.2);
            }
        cairo_set_line_width(cr, basePx(cr, 0.6));
        setColor(cr, INK, 0.6);
        cairo_stroke(cr);
    }
}

void cat(cairo_t* cr, const CatLook& c, const CatPose& p) {
    const double feet = 36;
    ellipse(cr, 24, feet, 14, 3);
    setColor(cr, INK, 0.2);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 0, p.bob + p.crouch);
    const bool sideish = p.view == 1 || p.view == 2 || p.view == 3;
    // Tail.
    const double tx = sideish ? 36 : 24 + 8 * std::sin(p.tail);
    cairo_move_to(cr, tx, 26);
    if (sideish)
        cairo_curve_to(cr, tx + 8, 24, tx + 8 + 3 * std::sin(p.tail), 16, tx + 5 + 4 * std::sin(p.tail), 9);
    else
        cairo_curve_to(cr, tx + 6 * std::sin(p.tail), 18, tx + 10 * std::sin(p.tail), 14, tx + 8 * std::sin(p.tail), 8);
    cairo_set_line_width(cr, 6.5);
    setColor(cr, INK, 0.85);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 4.2);
    setColor(cr, c.fur);
    cairo_stroke(cr);
    // Legs.
    auto leg = [&](double x, double swing, double lift) {
        line(cr, x, 28, x + swing, feet - 2 - lift - p.crouch * 0.6, 3.6, c.fur);
        ellipse(cr, x + swing, feet - 2 - lift - p.crouch * 0.6, 2.4, 1.8);
        setColor(cr, c.belly);
        cairo_fill(cr);
    };
    if (p.crouch < 4) {
        if (sideish) {
            leg(16, -p.step * 3, 0);
            leg(30, p.step * 3, 0);
            leg(19, p.step * 3, p.pawUp);
            leg(33, -p.step * 3, 0);
        } else {
            leg(19, 0, std::max(0.0, p.step) * 2);
            leg(29, 0, std::max(0.0, -p.step) * 2);
        }
    }
    // Body.
    auto body = [=](cairo_t* q) {
        if (sideish)
            ellipse(q, 26, 25, 12, 7.5);
        else
            ellipse(q, 24, 25, 8.5, 9);
    };
    roundThing(cr, body, c.fur, sideish ? 14 : 15, 16, sideish ? 24 : 17, 18, false);
    if (c.striped) {
        cairo_save(cr);
        body(cr);
        cairo_clip(cr);
        for (int i = 0; i < 4; ++i) {
            const double x = (sideish ? 21 : 18) + i * 4;
            cairo_move_to(cr, x, 17);
            cairo_line_to(cr, x + 1, 23);
        }
        cairo_set_line_width(cr, 1.6);
        setColor(cr, c.stripes, 0.7);
        cairo_stroke(cr);
        cairo_restore(cr);
    } else if (p.view != 4) {
        ellipse(cr, sideish ? 22 : 24, 28, 5, 4);
        setColor(cr, c.belly);
        cairo_fill(cr);
    }
    // Head: in front for down, at the left for the sides, small behind for up.
    const double hx = p.view == 0 ? 24 : p.view == 1 ? 17 : p.view == 2 ? 14 : p.view == 3 ? 17 : 24;
    const double hy = p.view == 0 ? 18 : p.view == 4 ? 15 : 16;
    catHead(cr, c, hx, hy - (p.pawUp > 0 ? 1 : 0), p.view, p.eyesClosed, p.mouthOpen);
    if (p.pawUp > 0) {
        // The paw raised to the mouth.
        auto paw = [=](cairo_t* q) { ellipse(q, hx - 4, hy + 6 - p.pawUp, 2.6, 2.4); };
        fillRound(cr, paw, c.belly, hx - 7, hy + 3 - p.pawUp, 6, 5);
        outline(cr, paw, 1);
    }
    cairo_restore(cr);
}

void sleepingCat(cairo_t* cr, const CatLook& c, double phase) {
    const double breathe = 0.8 * std::sin(2 * M_PI * phase);
    ellipse(cr, 24, 35, 15, 3);
    setColor(cr, INK, 0.2);
    cairo_fill(cr);
    auto body = [=](cairo_t* q) { ellipse(q, 25, 29 - breathe * 0.5, 14, 7 + breathe * 0.4); };
    roundThing(cr, body, c.fur, 11, 22, 28, 14, false);
    cairo_move_to(cr, 38, 31);
    cairo_curve_to(cr, 40, 36, 20, 38, 12, 34);
    cairo_set_line_width(cr, 6);
    setColor(cr, INK, 0.85);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3.8);
    setColor(cr, c.fur);
    cairo_stroke(cr);
    catHead(cr, c, 15, 27, 2, true, false);
    // The sleepy letters rising.
    for (int i = 0; i < 2; ++i) {
        const double t = std::fmod(phase + i * 0.5, 1.0);
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 6 + 4 * t);
        cairo_move_to(cr, 26 + 10 * t, 16 - 12 * t);
        setColor(cr, DEEP_WATER, 1 - t);
        cairo_show_text(cr, "z");
    }
}

template <typename Fn> void sheet(int w, int h, int frames, const std::string& name, Fn fn) {
    Canvas c(w * frames, h);
    Sheet::draw(c, w, h, frames, [&](cairo_t* cr, int i, double phase) { fn(cr, i, phase); });
    Output::small(c, name);
}

void bubble(double w, double h, const std::string& name) {
    Canvas c{int(w), int(h)};
    cairo_t* cr = c.cr();
    const double bh = h - 16;
    auto shape = [=](cairo_t* p) {
        roundedRect(p, 4, 4, w - 10, bh - 6, 16);
        cairo_move_to(p, 26, bh - 4);
        cairo_line_to(p, 18, h - 4);
        cairo_line_to(p, 44, bh - 4);
        cairo_close_path(p);
    };
    shadow(cr, shape);
    outline(cr, shape, 4.0);
    fillFlat(cr, shape, WHITE, 4, 4, w - 10, h - 8, 0.3);
    gloss(cr, shape, w * 0.3, 12, w * 0.25, 5, 0.4);
    Output::small(c, name);
}

void place(cairo_t* cr, const std::string& name, double x, double y, double zoom = 1) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(Output::smallPath(name).c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot read " + name);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, zoom, zoom);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

void label(cairo_t* cr, const std::string& text, double x, double y, double size = 12) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    setColor(cr, INK, 0.85);
    cairo_show_text(cr, text.c_str());
}

} // namespace

void contactSheet() {
    const int W = 1500, H = 2150;
    Canvas sheet(W, H);
    cairo_t* cr = sheet.cr();
    setColor(cr, CREAM);
    cairo_paint(cr);
    titleText(cr, "Meadow: characters and animals of the map", 32, W / 2.0, 50, GRASS, 1.5, true);
    const std::string dir = FOLDER;
    double y = 80;
    label(cr, "The heroine (48x72 frames, 8 per sheet, facing right; shown at 1.5x)", 20, y, 14);
    y += 10;
    const char* girl[] = {"idle",         "talk",    "walk_down", "walk_downright", "walk_right",
                          "walk_upright", "walk_up", "event1",    "event2",         "event3"};
    for (int i = 0; i < 10; ++i) {
        const double x = 20 + (i % 2) * 740, yy = y + (i / 2) * 118;
        label(cr, std::string("girl_") + girl[i], x, yy + 12);
        place(cr, dir + "girl_" + girl[i] + ".png", x, yy + 14, 1.5);
    }
    y += 5 * 118 + 10;
    label(cr, "The cats (48x40 frames, 8 per sheet, facing left; shown at 1.2x)", 20, y, 14);
    y += 10;
    const char* cat[] = {"idle",    "walk_down", "walk_downleft", "walk_left", "walk_upleft",
                         "walk_up", "event1",    "event2",        "event3",    "birdhouse"};
    for (int n = 1; n <= 3; ++n)
        for (int i = 0; i < int(sizeof cat / sizeof cat[0]); ++i) {
            const double x = 20 + (i % 3) * 490, yy = y + ((n - 1) * 4 + i / 3) * 62;
            label(cr, "cat" + std::to_string(n) + "_" + cat[i], x, yy + 12, 11);
            place(cr, dir + "cat" + std::to_string(n) + "_" + cat[i] + ".png", x, yy + 14, 1.2);
        }
    y += 12 * 62 + 20;
    label(cr, "Animals and butterflies (8-frame loops, shown at 1.5x)", 20, y, 14);
    y += 10;
    const char* animals[] = {"chicken",     "chicken_brown", "cow",        "goat",       "sheep",     "bird",
                             "bird_flying", "bee",           "butterfly1", "butterfly2", "butterfly3"};
    double ax = 20, ay = y;
    for (const char* a : animals) {
        const std::string name = std::string(Animals::FOLDER) + a + ".png";
        cairo_surface_t* s = cairo_image_surface_create_from_png(Output::smallPath(name).c_str());
        const double w = cairo_image_surface_get_width(s) * 1.5;
        cairo_surface_destroy(s);
        if (ax + w > W - 20) {
            ax = 20;
            ay += 96;
        }
        label(cr, a, ax, ay + 12, 11);
        place(cr, name, ax, ay + 14, 1.5);
        ax += w + 30;
    }
    y = ay + 110;
    label(cr, "Speech bubbles and the map's interface", 20, y, 14);
    place(cr, dir + "bubble_small.png", 20, y + 14);
    place(cr, dir + "bubble_medium.png", 200, y + 14);
    place(cr, dir + "bubble_large.png", 460, y + 14);
    const std::string ui = Map::FOLDER;
    place(cr, ui + "button_level.png", 800, y + 14);
    place(cr, ui + "button_menu.png", 800, y + 100);
    place(cr, ui + "button_show_all.png", 1060, y + 100);
    place(cr, ui + "money_plate.png", 1120, y + 14);
    Output::doc(sheet, "characters-contact-sheet.png");
}

void generate() {
    const std::string dir = FOLDER;
    auto walk = [](int view) {
        return [view](cairo_t* cr, int, double ph) {
            Pose p;
            p.view = view;
            const double s = std::sin(2 * M_PI * ph);
            p.step = s;
            p.bob = -std::abs(std::cos(2 * M_PI * ph)) * 1.5;
            p.armL = -s * 0.5;
            p.armR = s * 0.5;
            if (view == 0 || view == 4) {
                p.armL = -(0.2 + s * 0.15);
                p.armR = -(0.2 - s * 0.15);
            }
            girl(cr, p);
        };
    };
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_walk_down.png", walk(0));
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_walk_downright.png", walk(1));
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_walk_right.png", walk(2));
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_walk_upright.png", walk(3));
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_walk_up.png", walk(4));
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_idle.png", [](cairo_t* cr, int i, double ph) {
        Pose p;
        p.bob = 0.6 * std::sin(2 * M_PI * ph);
        p.armL = 0.15;
        p.armR = 0.1;
        p.eyesClosed = i == 5;
        girl(cr, p);
    });
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_talk.png", [](cairo_t* cr, int i, double ph) {
        Pose p;
        p.mouthOpen = i % 2 == 0;
        p.armR = -0.9 - 0.5 * std::sin(2 * M_PI * ph);
        p.armL = 0.2;
        p.bob = 0.5 * std::sin(4 * M_PI * ph);
        girl(cr, p);
    });
    // Funny events: a jump for joy, the hat blown off and caught, a big sneeze.
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_event1.png", [](cairo_t* cr, int, double ph) {
        Pose p;
        p.view = 0;
        const double jump = std::max(0.0, std::sin(2 * M_PI * ph));
        p.bob = -4.5 * jump + 1.5 * (1 - jump);
        p.armL = -(M_PI - 0.7 - 0.5 * jump);
        p.armR = -(M_PI - 0.7 - 0.5 * jump);
        p.smileBig = true;
        p.mouthOpen = jump > 0.3;
        girl(cr, p);
    });
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_event2.png", [](cairo_t* cr, int, double ph) {
        Pose p;
        p.view = 1;
        p.hatLift = 5 * std::sin(M_PI * ph);
        p.armR = -M_PI + 0.3 + 0.4 * std::sin(M_PI * ph);
        p.armL = 0.3;
        p.mouthOpen = true;
        girl(cr, p);
    });
    sheet(GIRL_W, GIRL_H, 8, dir + "girl_event3.png", [](cairo_t* cr, int i, double) {
        Pose p;
        p.view = 1;
        // Breath in, lean back, then the sneeze throws her forward.
        const double lean[8] = {0, -0.05, -0.1, -0.14, 0.16, 0.1, 0.04, 0};
        p.lean = lean[i];
        p.eyesClosed = i >= 2 && i <= 5;
        p.mouthOpen = i >= 1 && i <= 4;
        p.armR = i >= 4 && i <= 6 ? -1.6 : -0.3;
        girl(cr, p);
        if (i >= 4 && i <= 6) {
            for (int k = 0; k < 4; ++k) {
                ellipse(cr, 38 + k * 2.5 + (i - 4) * 2, 24 + (k - 1.5) * 3, 1.4, 1.4);
                setColor(cr, WHITE, 0.9);
                cairo_fill(cr);
            }
        }
    });

    for (int n = 0; n < 3; ++n) {
        const CatLook& look = CATS[n];
        const std::string name = dir + "cat" + std::to_string(n + 1) + "_";
        const char* walks[5] = {"walk_down", "walk_downleft", "walk_left", "walk_upleft", "walk_up"};
        for (int v = 0; v < 5; ++v)
            sheet(CAT_W, CAT_H, 8, name + walks[v] + ".png", [&look, v](cairo_t* cr, int, double ph) {
                CatPose p;
                p.view = v;
                p.step = std::sin(2 * M_PI * ph);
                p.bob = -std::abs(std::cos(2 * M_PI * ph)) * 1.0;
                p.tail = 0.5 * std::sin(2 * M_PI * ph);
                cat(cr, look, p);
            });
        sheet(CAT_W, CAT_H, 8, name + "idle.png", [&look](cairo_t* cr, int i, double ph) {
            CatPose p;
            p.view = 1;
            p.tail = 0.8 * std::sin(2 * M_PI * ph);
            p.eyesClosed = i == 6;
            cat(cr, look, p);
        });
        // Events: washing a paw, a happy meow with the tail high, a nap.
        sheet(CAT_W, CAT_H, 8, name + "event1.png", [&look](cairo_t* cr, int i, double ph) {
            CatPose p;
            p.view = 1;
            p.pawUp = 4 + 2 * std::sin(4 * M_PI * ph);
            p.eyesClosed = true;
            p.tail = 0.3 * std::sin(2 * M_PI * ph);
            (void)i;
            cat(cr, look, p);
        });
        sheet(CAT_W, CAT_H, 8, name + "event2.png", [&look](cairo_t* cr, int i, double ph) {
            CatPose p;
            p.view = 0;
            p.mouthOpen = i >= 2 && i <= 5;
            p.bob = -2 * std::max(0.0, std::sin(2 * M_PI * ph));
            p.tail = 1.2 * std::sin(2 * M_PI * ph);
            cat(cr, look, p);
        });
        sheet(CAT_W, CAT_H, 8, name + "event3.png",
              [&look](cairo_t* cr, int, double ph) { sleepingCat(cr, look, ph); });
        // At the bird house: crouch, wiggle, and a little leap at the birds.
        sheet(CAT_W, CAT_H, 8, name + "birdhouse.png", [&look](cairo_t* cr, int i, double) {
            CatPose p;
            p.view = 2;
            const double crouch[8] = {0, 1.5, 3, 3, 3, 0, 0, 0};
            const double leap[8] = {0, 0, 0, 0, 0, -4.5, -6, -3};
            p.crouch = crouch[i];
            p.bob = leap[i];
            p.tail = i < 5 ? (i % 2 ? 0.9 : -0.9) : 0.3;
            p.step = i >= 5 ? 1 : 0;
            cat(cr, look, p);
        });
    }
    bubble(160, 80, dir + "bubble_small.png");
    bubble(240, 110, dir + "bubble_medium.png");
    bubble(320, 140, dir + "bubble_large.png");
}

} // namespace Characters
