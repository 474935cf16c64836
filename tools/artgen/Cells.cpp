#include "Cells.h"

#include "Output.h"
#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace Paint;
using namespace Palette;

namespace Cells {

namespace {

const std::string DIR = FOLDER;

// ---- Cell faces, each CELL x CELL, drawn edge to edge so neighbours meet. ----

Rgb bladeColour(int variant) {
    return variant ? GRASS : mix(GRASS, GRASS_DARK, 0.3);
}

void soilFace(cairo_t* cr, int variant) {
    const Rgb soil = variant ? lighter(SOIL, 0.02) : lighter(SOIL, 0.16);
    auto face = [](cairo_t* c) { roundedRect(c, 1, 1, CELL - 2, CELL - 2, 7); };
    fillFlat(cr, face, soil, 0, 0, CELL, CELL, 0.8);
    // Soft crumbs of darker and lighter soil.
    cairo_save(cr);
    face(cr);
    cairo_clip(cr);
    for (int i = 0; i < 26; ++i) {
        const double x = 6 + hashNoise(i, 1, variant) * (CELL - 12);
        const double y = 6 + hashNoise(i, 2, variant) * (CELL - 12);
        const double r = 0.8 + hashNoise(i, 3, variant) * 1.4;
        ellipse(cr, x, y, r * 1.3, r);
        setColor(cr, hashNoise(i, 4, variant) < 0.5 ? darker(SOIL, 0.18) : lighter(SOIL, 0.35), 0.55);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // A hint of grass creeping in at the edges: a green fringe and a few tufts.
    cairo_save(cr);
    face(cr);
    cairo_clip(cr);
    cairo_pattern_t* fringe =
        cairo_pattern_create_radial(CELL / 2.0, CELL / 2.0, CELL * 0.36, CELL / 2.0, CELL / 2.0, CELL * 0.72);
    cairo_pattern_add_color_stop_rgba(fringe, 0, GRASS.r, GRASS.g, GRASS.b, 0);
    cairo_pattern_add_color_stop_rgba(fringe, 1, GRASS.r, GRASS.g, GRASS.b, variant ? 0.34 : 0.26);
    cairo_set_source(cr, fringe);
    cairo_paint(cr);
    cairo_pattern_destroy(fringe);
    for (int i = 0; i < 7; ++i) {
        const int side = (i + variant) % 4;
        const double t = 10 + hashNoise(i, 5, variant) * (CELL - 20);
        double x = 0, y = 0, angle = 0;
        switch (side) {
        case 0:
            x = t, y = 1, angle = M_PI / 2;
            break;
        case 1:
            x = CELL - 1, y = t, angle = M_PI;
            break;
        case 2:
            x = t, y = CELL - 1, angle = -M_PI / 2;
            break;
        default:
            x = 1, y = t, angle = 0;
            break;
        }
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, angle);
        for (int blade = -1; blade <= 1; ++blade) {
            const double len = 5 + (blade == 0 ? 2.5 : 0) + hashNoise(i, blade + 9, variant) * 2;
            cairo_move_to(cr, 0, blade * 2.2 - 1.1);
            cairo_curve_to(cr, len * 0.4, blade * 2.2 - 0.4, len * 0.7, blade * 2.6, len, blade * 3.2);
            cairo_curve_to(cr, len * 0.7, blade * 2.6 + 0.8, len * 0.4, blade * 2.2 + 1.4, 0, blade * 2.2 + 1.1);
            cairo_close_path(cr);
        }
        setColor(cr, bladeColour(variant), 0.9);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_restore(cr);
    innerShade(cr, face, 2.5, 0.18);
    // A faint furrow line at the rim so the grid reads.
    cairo_save(cr);
    face(cr);
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, darker(SOIL, 0.35), 0.45);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void woodFace(cairo_t* cr, int variant) {
    auto face = [](cairo_t* c) { roundedRect(c, 2, 2, CELL - 4, CELL - 4, 6); };
    shadow(cr, face, 0.3, 1, 2, 2);
    fillFlat(cr, face, WOOD, 0, 0, CELL, CELL);
    cairo_save(cr);
    face(cr);
    cairo_clip(cr);
    // Three planks with grain.
    for (int p = 0; p < 3; ++p) {
        const double y0 = 2 + p * (CELL - 4) / 3.0;
        const Rgb plank = p % 2 ? darker(WOOD, 0.06) : lighter(WOOD, 0.05);
        cairo_rectangle(cr, 0, y0, CELL, (CELL - 4) / 3.0);
        setColor(cr, plank, 0.6);
        cairo_fill(cr);
        for (int g = 0; g < 3; ++g) {
            const double gy = y0 + 4 + g * 5 + hashNoise(p, g, variant) * 2;
            cairo_move_to(cr, 4, gy);
            cairo_curve_to(cr, 20, gy + 1.5, 40, gy - 1.5, CELL - 4, gy + 0.5);
        }
        cairo_set_line_width(cr, basePx(cr, 0.8));
        setColor(cr, WOOD_DARK, 0.45);
        cairo_stroke(cr);
        cairo_move_to(cr, 0, y0);
        cairo_line_to(cr, CELL, y0);
        cairo_set_line_width(cr, basePx(cr, 1.5));
        setColor(cr, darker(WOOD_DARK, 0.2), 0.8);
        cairo_stroke(cr);
    }
    if (variant == 1) {
        // A diagonal brace: a visibly tougher crate.
        auto brace = [](cairo_t* c) {
            cairo_move_to(c, 6, CELL - 14);
            cairo_line_to(c, CELL - 14, 6);
            cairo_line_to(c, CELL - 6, 14);
            cairo_line_to(c, 14, CELL - 6);
            cairo_close_path(c);
        };
        shadow(cr, brace, 0.3, 1, 2, 2);
        fillFlat(cr, brace, lighter(WOOD, 0.1), 0, 0, CELL, CELL);
        outline(cr, brace, 1.5);
    }
    cairo_restore(cr);
    // The frame of the crate.
    cairo_save(cr);
    roundedRect(cr, 5, 5, CELL - 10, CELL - 10, 4);
    face(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setColor(cr, darker(WOOD, 0.12), 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    innerShade(cr, face, 2.5, 0.3);
    // Nails in the corners.
    for (double x : {8.5, CELL - 8.5})
        for (double y : {8.5, CELL - 8.5}) {
            auto nail = [x, y](cairo_t* c) { ellipse(c, x, y, 2.2, 2.2); };
            fillRound(cr, nail, IRON, x - 2.2, y - 2.2, 4.4, 4.4);
            outline(cr, nail, 1);
        }
    outline(cr, face, 2);
}

void ironFace(cairo_t* cr, int variant) {
    auto face = [](cairo_t* c) { roundedRect(c, 2, 2, CELL - 4, CELL - 4, 5); };
    shadow(cr, face, 0.3, 1, 2, 2);
    fillFlat(cr, face, IRON, 0, 0, CELL, CELL, 1.6);
    cairo_save(cr);
    face(cr);
    cairo_clip(cr);
    if (variant == 0) {
        // Two plates joined down the middle.
        cairo_move_to(cr, CELL / 2.0, 0);
        cairo_line_to(cr, CELL / 2.0, CELL);
        cairo_set_line_width(cr, basePx(cr, 2));
        setColor(cr, IRON_DARK, 0.8);
        cairo_stroke(cr);
        cairo_move_to(cr, CELL / 2.0 + 1.5, 0);
        cairo_line_to(cr, CELL / 2.0 + 1.5, CELL);
        cairo_set_line_width(cr, basePx(cr, 1));
        setColor(cr, WHITE, 0.5);
        cairo_stroke(cr);
    } else {
        // Tread plate: raised diagonal ribs.
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j) {
                const double x = 10 + i * 11, y = 10 + j * 11;
                const double a = (i + j) % 2 ? M_PI / 4 : -M_PI / 4;
                cairo_save(cr);
                cairo_translate(cr, x, y);
                cairo_rotate(cr, a);
                roundedRect(cr, -4, -1.2, 8, 2.4, 1.2);
                cairo_restore(cr);
            }
        setColor(cr, darker(IRON, 0.25), 0.8);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    innerShade(cr, face, 2.5, 0.35);
    gloss(cr, face, 18, 14, 16, 8, 0.35);
    const double rivets[][2] = {
        {8, 8}, {CELL - 8, 8}, {8, CELL - 8}, {CELL - 8, CELL - 8}, {CELL / 2.0 - 6, 8}, {CELL / 2.0 + 6, CELL - 8}};
    const int count = variant == 0 ? 6 : 4;
    for (int i = 0; i < count; ++i) {
        const double x = rivets[i][0], y = rivets[i][1];
        auto rivet = [x, y](cairo_t* c) { ellipse(c, x, y, 2.6, 2.6); };
        fillRound(cr, rivet, STONE, x - 2.6, y - 2.6, 5.2, 5.2);
        outline(cr, rivet, 1);
    }
    outline(cr, face, 2);
}

void emptyFace(cairo_t* cr) {
    auto face = [](cairo_t* c) { roundedRect(c, 3, 3, CELL - 6, CELL - 6, 8); };
    face(cr);
    setColor(cr, darker(SOIL, 0.5), 0.18);
    cairo_fill(cr);
    cairo_save(cr);
    face(cr);
    double dash = basePx(cr, 4);
    cairo_set_dash(cr, &dash, 1, 0);
    cairo_set_line_width(cr, basePx(cr, 1.5));
    setColor(cr, CREAM, 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// ---- Locks. ----

void twine(cairo_t* cr) {
    // Two strands across the cell, tied in a bow in the middle.
    auto strands = [](cairo_t* c) {
        cairo_move_to(c, 0, CELL * 0.5);
        cairo_curve_to(c, 20, CELL * 0.5 - 3, 44, CELL * 0.5 + 3, CELL, CELL * 0.5);
        cairo_move_to(c, CELL * 0.5, 0);
        cairo_curve_to(c, CELL * 0.5 + 3, 20, CELL * 0.5 - 3, 44, CELL * 0.5, CELL);
    };
    auto stroke = [&](double width, Rgb colour, double alpha) {
        strands(cr);
        cairo_set_line_width(cr, basePx(cr, width));
        setColor(cr, colour, alpha);
        cairo_stroke(cr);
    };
    shadow(cr, [](cairo_t* c) {
        cairo_rectangle(c, 0, CELL * 0.5 - 3, CELL, 6);
        cairo_rectangle(c, CELL * 0.5 - 3, 0, 6, CELL);
    });
    stroke(6.5, INK, OUTLINE_ALPHA);
    stroke(3.5, hex(0xD8B47A), 1);
    // The twist of the twine.
    for (int i = 1; i < 16; ++i) {
        const double t = i * 4.0;
        cairo_move_to(cr, t - 1.2, CELL * 0.5 - 1.5);
        cairo_line_to(cr, t + 1.2, CELL * 0.5 + 1.5);
        cairo_move_to(cr, CELL * 0.5 - 1.5, t - 1.2);
        cairo_line_to(cr, CELL * 0.5 + 1.5, t + 1.2);
    }
    cairo_set_line_width(cr, basePx(cr, 0.8));
    setColor(cr, WOOD_DARK, 0.7);
    cairo_stroke(cr);
    // The bow.
    auto loops = [](cairo_t* c) {
        const double cx = CELL * 0.5, cy = CELL * 0.5;
        cairo_move_to(c, cx, cy);
        cairo_curve_to(c, cx - 6, cy - 16, cx - 20, cy - 8, cx - 14, cy + 2);
        cairo_curve_to(c, cx - 10, cy + 6, cx - 4, cy + 2, cx, cy);
        cairo_close_path(c);
        cairo_move_to(c, cx, cy);
        cairo_curve_to(c, cx + 6, cy - 16, cx + 20, cy - 8, cx + 14, cy + 2);
        cairo_curve_to(c, cx + 10, cy + 6, cx + 4, cy + 2, cx, cy);
        cairo_close_path(c);
        cairo_move_to(c, cx - 2, cy + 2);
        cairo_line_to(c, cx - 10, cy + 16);
        cairo_line_to(c, cx - 5, cy + 16);
        cairo_line_to(c, cx + 1, cy + 4);
        cairo_close_path(c);
        cairo_move_to(c, cx + 2, cy + 2);
        cairo_line_to(c, cx + 10, cy + 15);
        cairo_line_to(c, cx + 14, cy + 13);
        cairo_line_to(c, cx + 4, cy + 1);
        cairo_close_path(c);
    };
    silhouette(cr, loops, hex(0xD8B47A), 16, 16, 32, 32);
    auto knot = [](cairo_t* c) { ellipse(c, CELL * 0.5, CELL * 0.5, 4, 3.5); };
    roundThing(cr, knot, darker(hex(0xD8B47A), 0.1), 28, 28, 8, 7, false);
}

void chainLink(cairo_t* cr, double x, double y, double angle, bool side) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    auto link = [side](cairo_t* c) {
        if (side)
            roundedRect(c, -6, -2.2, 12, 4.4, 2.2);
        else {
            roundedRect(c, -6.5, -4.5, 13, 9, 4.5);
            roundedRect(c, -3.5, -1.6, 7, 3.2, 1.6);
        }
    };
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    shadow(cr, link, 0.3, 1, 2, 2);
    fillRound(cr, link, STONE, -6.5, -4.5, 13, 9, 1.4);
    outline(cr, link, 1.3);
    cairo_restore(cr);
}

void chains(cairo_t* cr) {
    // Two chains crossing, a padlock where they meet.
    for (int dir = 0; dir < 2; ++dir) {
        const double angle = dir ? -M_PI / 4 : M_PI / 4;
        for (int i = -5; i <= 5; ++i) {
            const double t = i * 8.4;
            chainLink(cr, CELL * 0.5 + t * std::cos(angle), CELL * 0.5 + t * std::sin(angle), angle, (i + 5) % 2);
        }
    }
    auto shackle = [](cairo_t* c) { cairo_arc(c, CELL * 0.5, CELL * 0.5 - 3, 7, M_PI, 2 * M_PI); };
    cairo_save(cr);
    shackle(cr);
    cairo_set_line_width(cr, basePx(cr, 6));
    setColor(cr, INK, OUTLINE_ALPHA);
    cairo_stroke(cr);
    shackle(cr);
    cairo_set_line_width(cr, basePx(cr, 3));
    setColor(cr, IRON);
    cairo_stroke(cr);
    cairo_restore(cr);
    auto body = [](cairo_t* c) { roundedRect(c, CELL * 0.5 - 10, CELL * 0.5 - 3, 20, 17, 4); };
    roundThing(cr, body, GOLD, CELL * 0.5 - 10, CELL * 0.5 - 3, 20, 17);
    auto hole = [](cairo_t* c) {
        ellipse(c, CELL * 0.5, CELL * 0.5 + 3.5, 2.4, 2.4);
        cairo_move_to(c, CELL * 0.5 - 1.2, CELL * 0.5 + 4);
        cairo_line_to(c, CELL * 0.5 + 1.2, CELL * 0.5 + 4);
        cairo_line_to(c, CELL * 0.5 + 1.6, CELL * 0.5 + 10);
        cairo_line_to(c, CELL * 0.5 - 1.6, CELL * 0.5 + 10);
        cairo_close_path(c);
    };
    hole(cr);
    setColor(cr, INK, 0.85);
    cairo_fill(cr);
}

// ---- Borders: a soft tube of darker grass around the board's outline. ----

// Colour and coverage of the band at distance d from the board's edge (0..BORDER).
void bandColour(double d, double& r, double& g, double& b, double& a) {
    if (d < 0 || d > BORDER) {
        a = 0;
        return;
    }
    const double t = d / BORDER;
    const double ridge = std::pow(std::sin(M_PI * std::min(1.0, t * 1.15)), 1.2);
    Rgb c = mix(GRASS_DARK, GRASS_LIGHT, 0.1 + 0.6 * ridge);
    if (d < 1.2)
        c = mix(c, INK, 0.35 * (1.2 - d) / 1.2);
    // The warm outline on the outer edge.
    if (d > BORDER - 1.8)
        c = mix(c, INK, OUTLINE_ALPHA * std::min(1.0, (d - (BORDER - 1.8)) / 0.6));
    r = c.r, g = c.g, b = c.b, a = 1;
}

// Fills a picture pixel by pixel from the distance field dist(x, y) (base pixels), 4 x 4
// samples per pixel.
void distancePicture(Canvas& canvas, const std::function<double(double, double)>& dist) {
    cairo_surface_t* s = canvas.surface();
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const double k = 1.0 / scale();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double sr = 0, sg = 0, sb = 0, sa = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) {
                    double r = 0, g = 0, b = 0, a = 0;
                    bandColour(dist((x + (i + 0.5) / 4) * k, (y + (j + 0.5) / 4) * k), r, g, b, a);
                    sr += r * a, sg += g * a, sb += b * a, sa += a;
                }
            uint32_t* p = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride)) + x;
            const auto byte = [](double v) { return uint32_t(std::lround(std::clamp(v / 16.0, 0.0, 1.0) * 255)); };
            *p = (byte(sa) << 24) | (byte(sr) << 16) | (byte(sg) << 8) | byte(sb);
        }
    cairo_surface_mark_dirty(s);
}

void borders() {
    const double B = BORDER;
    // Straight pieces: top, right, bottom, left; d measured from the cell's edge outwards.
    struct Straight {
        int index, w, h;
        std::function<double(double, double)> dist;
    };
    const Straight straight[4] = {
        {0, CELL, BORDER, [B](double, double y) { return B - y; }},
        {2, BORDER, CELL, [](double x, double) { return x; }},
        {4, CELL, BORDER, [](double, double y) { return y; }},
        {6, BORDER, CELL, [B](double x, double) { return B - x; }},
    };
    for (const Straight& s : straight) {
        Canvas c(s.w, s.h);
        distancePicture(c, s.dist);
        Output::small(c, DIR + "border" + std::to_string(s.index) + ".png");
    }
    // Outer corners 1, 3, 5, 7: around the cell's corner point.
    const double outer[4][3] = {{1, 0, B}, {3, 0, 0}, {5, B, 0}, {7, B, B}};
    for (auto& o : outer) {
        Canvas c(BORDER, BORDER);
        const double qx = o[1], qy = o[2];
        distancePicture(c, [qx, qy](double x, double y) { return std::hypot(x - qx, y - qy); });
        Output::small(c, DIR + "border" + std::to_string(int(o[0])) + ".png");
    }
    // Inner corners 8..11 sit in the corner of a hole: upper right, lower right, lower left,
    // upper left. The band's outer edge bends round the point one band width into the hole.
    const double inner[4][3] = {{8, 0, B}, {9, 0, 0}, {10, B, 0}, {11, B, B}};
    for (auto& o : inner) {
        Canvas c(BORDER, BORDER);
        const double qx = o[1], qy = o[2];
        distancePicture(c, [qx, qy, B](double x, double y) { return std::max(0.0, B - std::hypot(x - qx, y - qy)); });
        Output::small(c, DIR + "border" + std::to_string(int(o[0])) + ".png");
    }
}

void selection(cairo_t* cr, double phase) {
    const double m = (SELECTION - CELL) / 2.0;
    const double pulse = 0.5 + 0.5 * std::sin(2 * M_PI * phase);
    auto ring = [m](cairo_t* c) {
        roundedRect(c, m + 1, m + 1, CELL - 2, CELL - 2, 10);
        roundedRect(c, m + 6, m + 6, CELL - 12, CELL - 12, 7);
    };
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    glow(cr, ring, GOLD_LIGHT, 0.55 + 0.35 * pulse, 5);
    fillFlat(cr, ring, GOLD, m, m, CELL, CELL, 1.6);
    gloss(cr, ring, m + 16, m + 8, 20, 8, 0.8);
    outline(cr, ring, 1.5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void cellParts(const std::string& prefix, const std::function<void(cairo_t*)>& face) {
    // Quarters 0..3: upper left, upper right, lower right, lower left, each with a broken inner
    // edge.
    const double half = CELL / 2.0;
    const double origin[4][2] = {{0, 0}, {half, 0}, {half, half}, {0, half}};
    for (int i = 0; i < 4; ++i) {
        Canvas c(CELL / 2, CELL / 2);
        cairo_t* cr = c.cr();
        const double ox = origin[i][0], oy = origin[i][1];
        // The corner nearest the cell's centre; the two edges that meet there are broken.
        const double cx = (i == 0 || i == 3) ? half : 0, cy = (i == 0 || i == 1) ? half : 0;
        const double corners[4][2] = {{0, 0}, {half, 0}, {half, half}, {0, half}};
        cairo_new_path(cr);
        for (int e = 0; e < 4; ++e) {
            const double* p0 = corners[e];
            const double* p1 = corners[(e + 1) % 4];
            if (e == 0)
                cairo_move_to(cr, p0[0], p0[1]);
            const bool broken = (p0[0] == cx && p0[1] == cy) || (p1[0] == cx && p1[1] == cy);
            if (broken) {
                const double nx = p1[1] - p0[1], ny = p0[0] - p1[0];
                const double len = std::hypot(nx, ny);
                for (int s = 1; s < 6; ++s) {
                    const double t = s / 6.0, bite = 1.0 + hashNoise(i * 4 + e, s, 7) * 3.0;
                    cairo_line_to(cr, p0[0] + (p1[0] - p0[0]) * t - nx / len * bite * (s % 2 ? 1 : 0.3),
                                  p0[1] + (p1[1] - p0[1]) * t - ny / len * bite * (s % 2 ? 1 : 0.3));
                }
            }
            cairo_line_to(cr, p1[0], p1[1]);
        }
        cairo_close_path(cr);
        cairo_save(cr);
        cairo_clip(cr);
        cairo_translate(cr, -ox, -oy);
        face(cr);
        cairo_restore(cr);
        Output::small(c, DIR + prefix + std::to_string(i) + ".png");
    }
}

} // namespace

void drawFace(cairo_t* cr, const std::string& name) {
    if (name == "cell0")
        emptyFace(cr);
    else if (name.rfind("simple", 0) == 0)
        soilFace(cr, name.back() - '0');
    else if (name.rfind("wood", 0) == 0)
        woodFace(cr, name.back() - '0');
    else if (name.rfind("iron", 0) == 0)
        ironFace(cr, name.back() - '0');
    else if (name == "cell_locks1")
        twine(cr);
    else if (name == "cell_locks2")
        chains(cr);
}

void generate() {
    for (const char* name :
         {"cell0", "simple0", "simple1", "wood0", "wood1", "iron0", "iron1", "cell_locks1", "cell_locks2"}) {
        Canvas c(CELL, CELL);
        drawFace(c.cr(), name);
        Output::small(c, DIR + name + ".png");
    }
    cellParts("wood_part_", [](cairo_t* cr) { woodFace(cr, 0); });
    cellParts("iron_part_", [](cairo_t* cr) { ironFace(cr, 0); });
    borders();
    Canvas sel(SELECTION * 8, SELECTION);
    Sheet::draw(sel, SELECTION, SELECTION, 8, [](cairo_t* cr, int, double phase) { selection(cr, phase); });
    Output::small(sel, DIR + "selection.png");
}

} // namespace Cells
