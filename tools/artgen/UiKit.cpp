#include "UiKit.h"

#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <string>

using namespace Paint;
using namespace Palette;

namespace UiKit {

namespace {

const std::string DIR = FOLDER;

// Light wood frame with a cream paper inset; the face is w x h at (M, M).
void panel(cairo_t* cr, double w, double h) {
    const double m = MARGIN;
    auto frame = [=](cairo_t* c) { roundedRect(c, m, m, w, h, RADIUS); };
    auto paper = [=](cairo_t* c) { roundedRect(c, m + 12, m + 12, w - 24, h - 24, RADIUS - 4); };
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
    fillFlat(cr, paper, CREAM, m + 12, m + 12, w - 24, h - 24, 0.35);
    innerShade(cr, paper, 3, 0.22);
    // The paper's top-left edge catches the light.
    cairo_save(cr);
    paper(cr);
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, WOOD_DARK, 0.55);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// One state of a leaf-green button: 0 normal, 1 hover, 2 pressed, 3 disabled. The face is
// w x h centred in a frame of (w + 2M) x (h + 2M).
void buttonFace(cairo_t* cr, double w, double h, int state, const PathFn& symbol = nullptr) {
    const double m = MARGIN;
    double grow = 0, dy = 0, gloss_ = 0.55, strength = 1.0;
    Rgb base = GREEN;
    if (state == 1) {
        grow = 2;
        base = lighter(GREEN, 0.18);
    } else if (state == 2) {
        dy = 2;
        base = darker(GREEN, 0.15);
        gloss_ = 0.3;
    } else if (state == 3) {
        base = mix(IRON, STONE, 0.3);
        gloss_ = 0;
        strength = 0.35;
    }
    const double x = m - grow, y = m - grow + dy, bw = w + 2 * grow, bh = h + 2 * grow;
    const double r = std::min(RADIUS + 2.0, bh / 2);
    auto face = [=](cairo_t* c) { roundedRect(c, x, y, bw, bh, r); };
    if (state == 0 || state == 1)
        shadow(cr, face);
    else if (state == 2)
        shadow(cr, face, 0.3, 1, 1, 2);
    fillFlat(cr, face, base, x, y, bw, bh, strength * 1.4);
    // A darker lip along the bottom gives the button thickness.
    cairo_save(cr);
    face(cr);
    cairo_clip(cr);
    roundedRect(cr, x, y + bh - 6, bw, 12, r);
    setColor(cr, darker(base, 0.25), state == 3 ? 0.3 : 0.55);
    cairo_fill(cr);
    cairo_restore(cr);
    if (gloss_ > 0) {
        // The gloss: a soft white band over the upper half.
        cairo_save(cr);
        face(cr);
        cairo_clip(cr);
        roundedRect(cr, x + 5, y + 3, bw - 10, bh * 0.42, r * 0.7);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, y + 3, 0, y + 3 + bh * 0.42);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, gloss_);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.05);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
    }
    outline(cr, face, 2, state == 3 ? 0.45 : OUTLINE_ALPHA);
    if (symbol) {
        cairo_save(cr);
        cairo_translate(cr, m + w / 2, m + h / 2 + dy);
        const double k = 1 + grow / w;
        cairo_scale(cr, k, k);
        cairo_save(cr);
        symbol(cr);
        cairo_set_line_width(cr, basePx(cr, 3));
        setColor(cr, state == 3 ? IRON_DARK : INK, state == 3 ? 0.4 : 0.75);
        cairo_stroke(cr);
        cairo_restore(cr);
        symbol(cr);
        setColor(cr, state == 3 ? lighter(STONE, 0.3) : WHITE);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

void buttonStrip(const std::string& name, int w, int h, const PathFn& symbol = nullptr) {
    const int fw = w + 2 * MARGIN, fh = h + 2 * MARGIN;
    Canvas c(fw * 4, fh);
    Sheet::draw(c, fw, fh, 4, [&](cairo_t* cr, int i, double) { buttonFace(cr, w, h, i, symbol); });
    Output::small(c, DIR + name + ".png");
}

void arrowSymbol(cairo_t* c, bool up) {
    const double s = up ? -1 : 1;
    cairo_move_to(c, 0, 9 * s);
    cairo_line_to(c, -11, -3 * s);
    cairo_line_to(c, -5, -3 * s);
    cairo_line_to(c, -5, -10 * s);
    cairo_line_to(c, 5, -10 * s);
    cairo_line_to(c, 5, -3 * s);
    cairo_line_to(c, 11, -3 * s);
    cairo_close_path(c);
}

void listRow(cairo_t* cr, bool selected) {
    if (selected) {
        auto bar = [](cairo_t* c) { roundedRect(c, 2, 2, ROW_W - 4, ROW_H - 4, (ROW_H - 4) / 2.0); };
        fillFlat(cr, bar, lighter(GRASS_LIGHT, 0.25), 0, 0, ROW_W, ROW_H, 1.2);
        gloss(cr, bar, ROW_W * 0.3, 8, ROW_W * 0.3, 6, 0.5);
        outline(cr, bar, 1.5, 0.6);
    } else {
        // A faint dotted line between rows, like a ruled notebook.
        cairo_save(cr);
        double dash[2] = {basePx(cr, 1), basePx(cr, 4)};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_move_to(cr, 14, ROW_H - 1.5);
        cairo_line_to(cr, ROW_W - 14, ROW_H - 1.5);
        cairo_set_line_width(cr, basePx(cr, 1.5));
        setColor(cr, WOOD_DARK, 0.5);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

void nameField(cairo_t* cr) {
    auto box = [](cairo_t* c) { roundedRect(c, 2, 2, FIELD_W - 4, FIELD_H - 4, 10); };
    fillFlat(cr, box, lighter(CREAM, 0.5), 0, 0, FIELD_W, FIELD_H, 0.2);
    // Sunken: shade from the top left inside.
    cairo_save(cr);
    box(cr);
    cairo_clip(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 2, 0, 14);
    cairo_pattern_add_color_stop_rgba(p, 0, INK.r, INK.g, INK.b, 0.22);
    cairo_pattern_add_color_stop_rgba(p, 1, INK.r, INK.g, INK.b, 0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
    cairo_save(cr);
    box(cr);
    cairo_set_line_width(cr, basePx(cr, 3));
    setColor(cr, WOOD);
    cairo_stroke(cr);
    cairo_restore(cr);
    outline(cr, box, 1.5);
}

void logo(cairo_t* cr) {
    const double size = 84;
    const double textW = titleWidth("Meadow", size);
    const double cx = LOGO_W / 2.0 - 10;
    const double left = cx - textW / 2, right = cx + textW / 2;
    // A sunflower rising behind the end of the title, leaves at its start.
    const double sx = right + 6, sy = 50;
    auto sun = [sx, sy](cairo_t* c) {
        for (int i = 0; i < 12; ++i) {
            cairo_save(c);
            cairo_translate(c, sx, sy);
            cairo_rotate(c, i * M_PI / 6);
            ellipse(c, 24, 0, 13, 6.5);
            cairo_restore(c);
        }
    };
    silhouette(cr, sun, YELLOW, sx - 42, sy - 42, 84, 84);
    auto disk = [sx, sy](cairo_t* c) { ellipse(c, sx, sy, 15, 15); };
    roundThing(cr, disk, BROWN, sx - 15, sy - 15, 30, 30, false);
    auto leaves = [left](cairo_t* c) {
        const double x = left - 4;
        cairo_move_to(c, x, 140);
        cairo_curve_to(c, x - 22, 120, x - 30, 104, x - 26, 90);
        cairo_curve_to(c, x - 8, 98, x + 2, 116, x, 140);
        cairo_close_path(c);
        cairo_move_to(c, x + 2, 142);
        cairo_curve_to(c, x - 4, 122, x - 22, 116, x - 36, 120);
        cairo_curve_to(c, x - 30, 134, x - 14, 142, x + 2, 142);
        cairo_close_path(c);
    };
    silhouette(cr, leaves, GREEN, left - 40, 90, 44, 52);
    titleText(cr, "Meadow", size, cx, 138, GRASS, 3, true);
    // A little bee flying by, with its dotted path.
    const double bx = right + 20, by = 128;
    cairo_save(cr);
    double dash[2] = {basePx(cr, 3), basePx(cr, 4)};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_move_to(cr, bx - 10, by + 4);
    cairo_curve_to(cr, bx - 30, by + 30, cx, by + 36, cx - 40, by + 30);
    cairo_set_line_width(cr, basePx(cr, 1.5));
    setColor(cr, INK, 0.45);
    cairo_stroke(cr);
    cairo_restore(cr);
    auto body = [bx, by](cairo_t* c) { ellipse(c, bx, by, 10, 7); };
    roundThing(cr, body, YELLOW, bx - 10, by - 7, 20, 14);
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, bx - 2, by - 10, 3, 20);
    cairo_rectangle(cr, bx + 4, by - 10, 3, 20);
    setColor(cr, INK);
    cairo_fill(cr);
    cairo_restore(cr);
    ellipse(cr, bx - 3, by - 10, 5, 7);
    ellipse(cr, bx + 5, by - 11, 5, 7);
    setColor(cr, WHITE, 0.8);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, INK, 0.6);
    cairo_stroke(cr);
}

} // namespace

void generate() {
    const int sizes[3][2] = {{400, 240}, {480, 320}, {560, 420}};
    const char* names[3] = {"panel_small", "panel_medium", "panel_large"};
    for (int i = 0; i < 3; ++i) {
        Canvas c(sizes[i][0] + 2 * MARGIN, sizes[i][1] + 2 * MARGIN);
        panel(c.cr(), sizes[i][0], sizes[i][1]);
        Output::small(c, DIR + names[i] + ".png");
    }
    buttonStrip("button_wide", 200, 56);
    buttonStrip("button_small", 120, 44);
    buttonStrip("arrow_up", 44, 44, [](cairo_t* c) { arrowSymbol(c, true); });
    buttonStrip("arrow_down", 44, 44, [](cairo_t* c) { arrowSymbol(c, false); });
    {
        Canvas c(ROW_W * 2, ROW_H);
        Sheet::draw(c, ROW_W, ROW_H, 2, [](cairo_t* cr, int i, double) { listRow(cr, i == 1); });
        Output::small(c, DIR + "list_row.png");
    }
    {
        Canvas c(FIELD_W, FIELD_H);
        nameField(c.cr());
        Output::small(c, DIR + "name_field.png");
    }
    {
        Canvas c(LOGO_W, LOGO_H);
        logo(c.cr());
        Output::small(c, DIR + "logo.png");
    }
}

} // namespace UiKit
