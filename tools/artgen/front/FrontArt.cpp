// frontart: draws the front end's pictures (logos, sky and hills, clouds, loading bar and
// chickens, the exit dialog's bees, slider and check box) as separate small files, so the big
// atlas pages stay as they are. Run by tools/artgen/front/regenerate.sh, never by the build.
//   frontart DATA_DIR

#include "../Paint.h"

#include <cmath>
#include <cstdio>
#include <string>

using namespace Paint;
using namespace Palette;

namespace {

std::string g_data;

void save(const Canvas& canvas, const std::string& name) {
    canvas.save(g_data + "/" + name);
    std::printf("%s\n", name.c_str());
}

// A plain gradient strip, stretched over the screen by its layout.
void sky() {
    Canvas c(8, 256);
    cairo_t* cr = c.cr();
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 256);
    const Rgb top = darker(WATER, 0.05), horizon = lighter(SKY, 0.45);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 0.65, SKY.r, SKY.g, SKY.b);
    cairo_pattern_add_color_stop_rgb(p, 1, horizon.r, horizon.g, horizon.b);
    cairo_rectangle(cr, 0, 0, 8, 256);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    save(c, "UI/Front/sky.png");
}

void hillPath(cairo_t* cr, double base, double amplitude, double phase, double width, double height) {
    cairo_move_to(cr, 0, height);
    cairo_line_to(cr, 0, base);
    for (int x = 0; x <= int(width); x += 8) {
        const double y = base - amplitude * (0.6 * std::sin(x / 170.0 + phase) + 0.4 * std::sin(x / 67.0 + phase * 2));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, width, height);
    cairo_close_path(cr);
}

// Rolling meadow hills across the bottom of the screen, with flowers in the near grass.
void hills() {
    const double w = 1024, h = 300;
    Canvas c{int(w), int(h)};
    cairo_t* cr = c.cr();
    auto far = [&](cairo_t* k) { hillPath(k, 110, 38, 0.8, w, h); };
    fillFlat(cr, far, mix(GRASS_LIGHT, SKY, 0.45), 0, 60, w, h - 60, 0.5);
    auto middle = [&](cairo_t* k) { hillPath(k, 170, 30, 2.4, w, h); };
    fillFlat(cr, middle, mix(GRASS_LIGHT, GRASS, 0.4), 0, 120, w, h - 120, 0.7);
    auto near = [&](cairo_t* k) { hillPath(k, 232, 22, 4.1, w, h); };
    shadow(cr, near, 0.18, 0, -2, 6);
    fillFlat(cr, near, GRASS, 0, 200, w, h - 200, 0.8);
    // Trees on the middle hills.
    for (int i = 0; i < 7; ++i) {
        const double x = 60 + i * 150 + 40 * hashNoise(i, 1, 5);
        const double y = 170 - 30 * (0.6 * std::sin(x / 170.0 + 2.4) + 0.4 * std::sin(x / 67.0 + 4.8)) - 4;
        const double r = 16 + 6 * hashNoise(i, 2, 5);
        cairo_rectangle(cr, x - 2.5, y - 6, 5, 12);
        setColor(cr, WOOD_DARK);
        cairo_fill(cr);
        auto crown = [=](cairo_t* k) { ellipse(k, x, y - r * 0.9, r, r * 1.05); };
        fillRound(cr, crown, GRASS_DARK, x - r, y - 2 * r, 2 * r, 2 * r, 0.8);
    }
    // Flowers in the near grass.
    const Rgb petals[] = {WHITE, YELLOW, PINK, lighter(BLUE, 0.3)};
    for (int i = 0; i < 90; ++i) {
        const double x = 8 + (w - 16) * hashNoise(i, 7, 11);
        const double y = 250 + 44 * hashNoise(i, 8, 11);
        const Rgb petal = petals[i % 4];
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * M_PI / 5;
            ellipse(cr, x + 3 * std::cos(a), y + 3 * std::sin(a), 2.2, 2.2);
        }
        setColor(cr, petal, 0.95);
        cairo_fill(cr);
        ellipse(cr, x, y, 1.6, 1.6);
        setColor(cr, GOLD);
        cairo_fill(cr);
    }
    save(c, "UI/Front/hills.png");
}

void cloud(const std::string& name, int w, int h, int seed) {
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    auto puffs = [=](cairo_t* k) {
        const int n = 5;
        for (int i = 0; i < n; ++i) {
            const double t = (i + 0.5) / n;
            const double r = h * (0.26 + 0.14 * std::sin(t * M_PI) + 0.05 * hashNoise(i, seed, 3));
            ellipse(k, w * (0.12 + 0.76 * t), h * 0.62 - r * 0.45, r * 1.2, r);
        }
        roundedRect(k, w * 0.08, h * 0.45, w * 0.84, h * 0.4, h * 0.2);
    };
    cairo_save(cr);
    puffs(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_clip(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.97);
    cairo_pattern_add_color_stop_rgba(p, 0.6, 1, 1, 1, 0.93);
    const Rgb under = mix(SKY, WHITE, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, under.r, under.g, under.b, 0.9);
    cairo_paint(cr);
    cairo_set_source(cr, p);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
    save(c, name);
}

void progressBar() {
    {
        const double w = 440, h = 44;
        Canvas c{int(w), int(h)};
        cairo_t* cr = c.cr();
        auto rim = [=](cairo_t* k) { roundedRect(k, 4, 4, w - 10, h - 12, (h - 12) / 2); };
        shadow(cr, rim);
        fillFlat(cr, rim, WOOD, 4, 4, w - 10, h - 12);
        outline(cr, rim);
        auto track = [=](cairo_t* k) { roundedRect(k, 12, 11, w - 26, h - 26, (h - 26) / 2); };
        fillFlat(cr, track, CREAM, 12, 11, w - 26, h - 26, 0.3);
        innerShade(cr, track, 3, 0.3);
        save(c, "UI/Front/bar_track.png");
    }
    {
        const double w = 414, h = 18;
        Canvas c{int(w), int(h)};
        cairo_t* cr = c.cr();
        auto fill = [=](cairo_t* k) { roundedRect(k, 0, 0, w, h, h / 2); };
        fillFlat(cr, fill, GREEN, 0, 0, w, h);
        gloss(cr, fill, w * 0.5, 4, w * 0.48, 3, 0.5);
        save(c, "UI/Front/bar_fill.png");
    }
}

// Frames of 72 x 128: frame 0 falls with the wings up; frames 1-3 stand, peck and blink.
void chickenFrame(cairo_t* cr, int frame) {
    const double s = 72;
    cairo_save(cr);
    cairo_translate(cr, frame * s, 0);
    const bool falling = frame == 0;
    const double peck = frame == 2 ? 1 : 0;
    // The frame's centre lands on the bar: the feet stand just above it.
    const double cx = 34, cy = falling ? 27 : 31;
    // Legs.
    if (!falling) {
        cairo_set_line_width(cr, 2.5);
        setColor(cr, ORANGE);
        cairo_move_to(cr, cx - 5, cy + 14);
        cairo_line_to(cr, cx - 6, cy + 24);
        cairo_move_to(cr, cx + 6, cy + 14);
        cairo_line_to(cr, cx + 7, cy + 24);
        cairo_stroke(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, peck * 0.35);
    auto body = [](cairo_t* k) {
        ellipse(k, 0, 0, 20, 17);
        ellipse(k, 12, -14, 10, 10);
        cairo_move_to(k, -18, -2);
        cairo_line_to(k, -27, -14);
        cairo_line_to(k, -14, -10);
        cairo_close_path(k);
    };
    silhouette(cr, body, WHITE, -27, -24, 49, 41);
    // Comb and beak.
    auto comb = [](cairo_t* k) {
        ellipse(k, 9, -25, 3.5, 4);
        ellipse(k, 14, -26, 3.5, 4.5);
        ellipse(k, 18.5, -23, 3, 3.5);
    };
    silhouette(cr, comb, RED, 5, -30, 17, 10, false);
    auto beak = [](cairo_t* k) {
        cairo_move_to(k, 21, -16);
        cairo_line_to(k, 29, -13);
        cairo_line_to(k, 21, -10);
        cairo_close_path(k);
    };
    silhouette(cr, beak, ORANGE, 21, -16, 8, 6, false);
    // Eye (closed on the blink frame).
    if (frame == 3) {
        cairo_move_to(cr, 12, -16);
        cairo_line_to(cr, 17, -16);
        cairo_set_line_width(cr, 1.6);
        setColor(cr, INK);
        cairo_stroke(cr);
    } else {
        ellipse(cr, 15, -16, 2.2, 2.4);
        setColor(cr, INK);
        cairo_fill(cr);
    }
    // Wing: raised while falling, folded otherwise.
    auto wing = [falling](cairo_t* k) {
        if (falling)
            ellipse(k, -4, -16, 12, 7);
        else
            ellipse(k, -3, 2, 11, 7);
    };
    fillRound(cr, wing, lighter(SOIL, 0.55), -15, falling ? -23 : -5, 24, 14, 0.7);
    outline(cr, wing, 1.5);
    cairo_restore(cr);
    cairo_restore(cr);
}

void chickens() {
    Canvas c(72 * 4, 128);
    for (int i = 0; i < 4; ++i)
        chickenFrame(c.cr(), i);
    save(c, "UI/Front/chicken.png");
}

// The exit dialog's bee: 0 calm, 1 glad (the player stays), 2 sad (the player goes).
void bee(int mood) {
    const double w = 130, h = 120;
    Canvas c{int(w), int(h)};
    cairo_t* cr = c.cr();
    const double cx = 62, cy = 68;
    // Wings behind the body.
    for (int side = 0; side < 2; ++side) {
        const double wx = cx - 10 + side * 22, wy = cy - 30 - (mood == 1 ? 6 : 0);
        auto wing = [=](cairo_t* k) { ellipse(k, wx, wy, 15, 21); };
        cairo_save(cr);
        wing(cr);
        setColor(cr, WHITE, 0.75);
        cairo_fill(cr);
        cairo_restore(cr);
        outline(cr, wing, 1.5, 0.6);
    }
    auto body = [=](cairo_t* k) { ellipse(k, cx, cy, 36, 28); };
    shadow(cr, body);
    fillRound(cr, body, YELLOW, cx - 36, cy - 28, 72, 56);
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    for (int i = 0; i < 2; ++i) {
        cairo_rectangle(cr, cx - 16 + i * 20, cy - 30, 9, 60);
    }
    setColor(cr, INK, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    gloss(cr, body, cx - 14, cy - 16, 12, 6, 0.6);
    outline(cr, body);
    // Face on the right end.
    const double fx = cx + 22, fy = cy - 4;
    for (int e = 0; e < 2; ++e) {
        ellipse(cr, fx - 6 + e * 10, fy - 4, 3.2, 3.8);
        setColor(cr, INK);
        cairo_fill(cr);
        ellipse(cr, fx - 5 + e * 10, fy - 5.5, 1.1, 1.1);
        setColor(cr, WHITE);
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 2);
    setColor(cr, INK);
    if (mood == 2)
        cairo_arc_negative(cr, fx - 1, fy + 12, 6, -0.3, -M_PI + 0.3);
    else
        cairo_arc(cr, fx - 1, fy + 3, mood == 1 ? 7 : 5, 0.35, M_PI - 0.35);
    cairo_stroke(cr);
    ellipse(cr, fx + 9, fy + 4, 3.5, 2.5);
    setColor(cr, PINK, 0.6);
    cairo_fill(cr);
    if (mood == 2) {
        auto tear = [=](cairo_t* k) { ellipse(k, fx - 7, fy + 6, 2.5, 3.5); };
        fillRound(cr, tear, lighter(BLUE, 0.3), fx - 10, fy + 2, 6, 8, 0.6);
    }
    if (mood == 1) {
        // A small heart above.
        cairo_save(cr);
        cairo_translate(cr, cx + 38, cy - 44);
        auto heart = [](cairo_t* k) {
            cairo_move_to(k, 0, 6);
            cairo_curve_to(k, -10, -2, -6, -10, 0, -5);
            cairo_curve_to(k, 6, -10, 10, -2, 0, 6);
            cairo_close_path(k);
        };
        silhouette(cr, heart, RED, -10, -10, 20, 16, false);
        cairo_restore(cr);
    }
    // Antennae and sting.
    cairo_set_line_width(cr, 1.8);
    setColor(cr, INK);
    cairo_move_to(cr, fx - 2, fy - 18);
    cairo_curve_to(cr, fx - 2, fy - 30, fx + 4, fy - 34, fx + 8, fy - 32);
    cairo_move_to(cr, fx + 6, fy - 16);
    cairo_curve_to(cr, fx + 10, fy - 26, fx + 16, fy - 28, fx + 18, fy - 24);
    cairo_stroke(cr);
    cairo_move_to(cr, cx - 36, cy - 3);
    cairo_line_to(cr, cx - 46, cy + 1);
    cairo_line_to(cr, cx - 35, cy + 5);
    cairo_close_path(cr);
    setColor(cr, INK);
    cairo_fill(cr);
    save(c, "UI/Front/bee" + std::to_string(mood) + ".png");
}

void controls() {
    {
        const double w = 320, h = 24;
        Canvas c{int(w), int(h)};
        auto track = [=](cairo_t* k) { roundedRect(k, 3, 5, w - 8, h - 12, (h - 12) / 2); };
        fillFlat(c.cr(), track, WOOD, 3, 5, w - 8, h - 12);
        innerShade(c.cr(), track, 2, 0.35);
        outline(c.cr(), track, 1.5);
        save(c, "UI/Front/slider_track.png");
    }
    {
        Canvas c(40, 48);
        auto knob = [](cairo_t* k) { roundedRect(k, 6, 5, 26, 36, 9); };
        shadow(c.cr(), knob);
        fillFlat(c.cr(), knob, GREEN, 6, 5, 26, 36);
        gloss(c.cr(), knob, 15, 11, 6, 4, 0.6);
        outline(c.cr(), knob);
        save(c, "UI/Front/slider_thumb.png");
    }
    {
        // Normal, hover, pressed, disabled.
        Canvas c(48 * 4, 48);
        const Rgb faces[] = {CREAM, lighter(GOLD_LIGHT, 0.4), darker(CREAM, 0.08), STONE};
        for (int i = 0; i < 4; ++i) {
            const double x = i * 48 + 6, y = 6 + (i == 2 ? 1 : 0);
            auto box = [=](cairo_t* k) { roundedRect(k, x, y, 34, 34, 8); };
            if (i != 3)
                shadow(c.cr(), box);
            fillFlat(c.cr(), box, faces[i], x, y, 34, 34, 0.5);
            innerShade(c.cr(), box, 2.5, 0.25);
            outline(c.cr(), box);
        }
        save(c, "UI/Front/check_box.png");
    }
    {
        Canvas c(40, 40);
        auto tick = [](cairo_t* k) {
            cairo_move_to(k, 6, 20);
            cairo_line_to(k, 16, 31);
            cairo_line_to(k, 35, 7);
            cairo_line_to(k, 29, 4);
            cairo_line_to(k, 16, 22);
            cairo_line_to(k, 11, 16);
            cairo_close_path(k);
        };
        silhouette(c.cr(), tick, GREEN, 6, 4, 30, 28, false);
        save(c, "UI/Front/tick.png");
    }
}

void sunflower(cairo_t* cr, double sx, double sy, double r) {
    auto sun = [=](cairo_t* c) {
        for (int i = 0; i < 12; ++i) {
            cairo_save(c);
            cairo_translate(c, sx, sy);
            cairo_rotate(c, i * M_PI / 6);
            ellipse(c, r * 0.57, 0, r * 0.31, r * 0.155);
            cairo_restore(c);
        }
    };
    silhouette(cr, sun, YELLOW, sx - r, sy - r, 2 * r, 2 * r);
    auto disk = [=](cairo_t* c) { ellipse(c, sx, sy, r * 0.36, r * 0.36); };
    roundThing(cr, disk, BROWN, sx - r * 0.36, sy - r * 0.36, r * 0.72, r * 0.72, false);
}

// The team's mark: a round wooden badge with a sunflower, and the team's name.
void teamLogo() {
    const double w = 520, h = 300;
    Canvas c{int(w), int(h)};
    cairo_t* cr = c.cr();
    auto badge = [=](cairo_t* k) { ellipse(k, w / 2, 110, 92, 92); };
    shadow(cr, badge);
    fillRound(cr, badge, lighter(WOOD, 0.1), w / 2 - 92, 18, 184, 184);
    outline(cr, badge);
    auto inner = [=](cairo_t* k) { ellipse(k, w / 2, 110, 74, 74); };
    fillRound(cr, inner, lighter(SKY, 0.3), w / 2 - 74, 36, 148, 148, 0.6);
    cairo_save(cr);
    inner(cr);
    cairo_clip(cr);
    hillPath(cr, 160, 10, 1.0, w, 300);
    setColor(cr, GRASS);
    cairo_fill(cr);
    cairo_restore(cr);
    outline(cr, inner, 1.5);
    sunflower(cr, w / 2, 100, 44);
    titleText(cr, "the Meadow team", 42, w / 2, 262, WHITE, 2.5, true);
    save(c, "Logo.png");
}

// The game's title for the last logo: the title, a sunflower, leaves and a bee, and its line.
void titleLogo() {
    const double w = 760, h = 360;
    Canvas c{int(w), int(h)};
    cairo_t* cr = c.cr();
    const double size = 132;
    const double tw = titleWidth("Meadow", size);
    const double cx = w / 2 - 16, left = cx - tw / 2, right = cx + tw / 2;
    sunflower(cr, right + 12, 84, 66);
    auto leaves = [left](cairo_t* k) {
        const double x = left - 6;
        cairo_move_to(k, x, 222);
        cairo_curve_to(k, x - 34, 190, x - 46, 164, x - 40, 142);
        cairo_curve_to(k, x - 12, 154, x + 3, 182, x, 222);
        cairo_close_path(k);
        cairo_move_to(k, x + 3, 225);
        cairo_curve_to(k, x - 6, 194, x - 34, 184, x - 56, 190);
        cairo_curve_to(k, x - 46, 212, x - 22, 225, x + 3, 225);
        cairo_close_path(k);
    };
    silhouette(cr, leaves, GREEN, left - 60, 140, 66, 86);
    titleText(cr, "Meadow", size, cx, 216, GRASS, 4, true);
    titleText(cr, "a match-three village story", 34, w / 2, 300, WHITE, 2.5, true);
    save(c, "Logo/Logo3.png");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: frontart DATA_DIR\n");
        return 2;
    }
    g_data = argv[1];
    setScale(1);
    sky();
    hills();
    cloud("UI/Front/cloud0.png", 240, 110, 1);
    cloud("UI/Front/cloud1.png", 170, 80, 2);
    cloud("UI/Front/cloud2.png", 110, 56, 3);
    progressBar();
    chickens();
    for (int mood = 0; mood < 3; ++mood)
        bee(mood);
    controls();
    teamLogo();
    titleLogo();
    return 0;
}
