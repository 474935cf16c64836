#include "Buildings.h"

#include "Output.h"

#include <stdexcept>

using namespace Paint;
using namespace Palette;

namespace Buildings {

namespace {

// True when the canvas holds any visible pixel (a layer a building does not use stays empty).
bool drawn(const Canvas& c) {
    cairo_surface_t* s = c.surface();
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (data[size_t(y) * size_t(stride) + size_t(x) * 4 + 3] > 8)
                return true;
    return false;
}

// From the building's base units to a picture of the given height whose bottom centre is the
// base canvas' bottom centre.
void scaleFromBase(cairo_t* cr, const Unit& u, double height) {
    cairo_translate(cr, (u.small ? SMALL_W : W) / 2.0, height);
    const double s = u.small ? SMALL_SCALE : SCALE;
    cairo_scale(cr, s, s);
    cairo_translate(cr, -(u.small ? SMALL_BASE_W : BASE_W) / 2.0, -(u.small ? SMALL_BASE_H : BASE_H));
}

void picture(const Unit& u, int level, int layers, int variant, const std::string& name) {
    Canvas c(u.small ? SMALL_W : W, u.small ? SMALL_H : H);
    scaleFromBase(c.cr(), u, u.small ? SMALL_H : H);
    Kit::Ctx k{c.cr(), layers, Kit::variant(variant)};
    u.draw(k, level);
    if (drawn(c))
        Output::small(c, FOLDER + name);
}

// A corner stake of a plot, its foot at (x, y); farther stakes are a little smaller.
void stake(cairo_t* cr, double x, double y, double h) {
    auto post = [=](cairo_t* p) {
        cairo_move_to(p, x - 1.6, y);
        cairo_line_to(p, x - 1.6, y - h + 1.5);
        cairo_line_to(p, x, y - h);
        cairo_line_to(p, x + 1.6, y - h + 1.5);
        cairo_line_to(p, x + 1.6, y);
        cairo_close_path(p);
    };
    shadow(cr, post, 0.25, 1, 1.5, 1.5);
    outline(cr, post, 1.6);
    fillFlat(cr, post, lighter(WOOD, 0.1), x - 1.6, y - h, 3.2, h);
}

// The plot a building will stand on, while it is not bought: a patch of raked soil where its
// walls will go, staked out at the corners with twine, and a little sign showing what it makes.
void plot(const Unit& u) {
    const int height = u.small ? SMALL_PLOT_H : PLOT_H;
    Canvas c(u.small ? SMALL_W : W, height);
    cairo_t* cr = c.cr();
    scaleFromBase(cr, u, height);
    const double ground = (u.small ? 80 : 106) + 2, x0 = u.small ? 16 : 20, w = u.small ? 58 : 88;
    const double depth = u.small ? 28 : 36, dx = depth * Kit::SX, dy = -depth * Kit::SY;
    auto patch = [=](cairo_t* p) {
        cairo_move_to(p, x0, ground);
        cairo_line_to(p, x0 + w, ground);
        cairo_line_to(p, x0 + w + dx, ground + dy);
        cairo_line_to(p, x0 + dx, ground + dy);
        cairo_close_path(p);
    };
    // Trodden grass round the edge, then the soil, lit like everything else from the top left.
    cairo_save(cr);
    patch(cr);
    cairo_set_line_width(cr, 7);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColor(cr, mix(SOIL, GRASS, 0.55), 0.55);
    cairo_stroke(cr);
    cairo_restore(cr);
    shadow(cr, patch, 0.22, 1, 1.5, 2);
    fillFlat(cr, patch, mix(SOIL, WOOD, 0.12), x0, ground + dy, w + dx, -dy);
    // Raked furrows running back, and a few pebbles.
    cairo_save(cr);
    patch(cr);
    cairo_clip(cr);
    const int furrows = u.small ? 6 : 8;
    for (int i = 1; i < furrows; ++i) {
        const double x = x0 + w * i / furrows;
        cairo_move_to(cr, x, ground);
        cairo_line_to(cr, x + dx, ground + dy);
    }
    cairo_set_line_width(cr, basePx(cr, 1.6));
    setColor(cr, darker(SOIL, 0.28), 0.45);
    cairo_stroke(cr);
    for (int i = 0; i < 10; ++i) {
        const double a = hashNoise(i, int(w), 12), b = hashNoise(i, int(depth), 13);
        ellipse(cr, x0 + a * w + b * dx, ground + b * dy, 1.5, 1.0);
    }
    setColor(cr, lighter(SOIL, 0.35), 0.8);
    cairo_fill(cr);
    cairo_restore(cr);
    // Stakes and twine: the back corners first, so the front ones stand before the twine.
    const double h = u.small ? 10 : 12, lift = h * 0.6;
    const double bx0 = x0 + dx + 2, bx1 = x0 + w + dx - 2, by = ground + dy + 1;
    const double fx0 = x0 + 2, fx1 = x0 + w - 2, fy = ground - 1;
    stake(cr, bx0, by, h * 0.85);
    stake(cr, bx1, by, h * 0.85);
    auto twine = [=](cairo_t* p) {
        cairo_move_to(p, fx0, fy - lift);
        cairo_curve_to(p, (fx0 + fx1) / 2 - 8, fy - lift + 2, (fx0 + fx1) / 2 + 8, fy - lift + 2, fx1, fy - lift);
        cairo_curve_to(p, fx1 + dx * 0.4, fy - lift + dy * 0.4 + 1.5, fx1 + dx * 0.6, fy - lift + dy * 0.6 + 1.5, bx1,
                       by - lift * 0.85);
        cairo_curve_to(p, (bx0 + bx1) / 2 + 8, by - lift * 0.85 + 1.5, (bx0 + bx1) / 2 - 8, by - lift * 0.85 + 1.5, bx0,
                       by - lift * 0.85);
        cairo_curve_to(p, bx0 - dx * 0.4, by - lift * 0.85 - dy * 0.4 + 1.5, bx0 - dx * 0.6,
                       by - lift * 0.85 - dy * 0.6 + 1.5, fx0, fy - lift);
    };
    cairo_save(cr);
    twine(cr);
    cairo_set_line_width(cr, basePx(cr, 2.6));
    setColor(cr, INK, 0.55);
    cairo_stroke(cr);
    twine(cr);
    cairo_set_line_width(cr, basePx(cr, 1.4));
    setColor(cr, hex(0xD8B47A));
    cairo_stroke(cr);
    cairo_restore(cr);
    stake(cr, fx0, fy, h);
    stake(cr, fx1, fy, h);
    // The sign on its post at the front, a little right of the middle: what will stand here.
    const double sx = x0 + w * 0.62, sw = u.small ? 18 : 22, sh = u.small ? 14 : 17, top = fy - (u.small ? 26 : 30);
    auto post = [=](cairo_t* p) { roundedRect(p, sx - 1.5, top + sh / 2, 3, fy + 2 - top - sh / 2, 1); };
    shadow(cr, post, 0.25, 1, 1.5, 1.5);
    outline(cr, post, 1.6);
    fillFlat(cr, post, WOOD, sx - 1.5, top, 3, fy - top);
    Kit::Ctx k{cr, Kit::ALL, Kit::variant(0)};
    Kit::sign(k, sx, top + sh / 2, sw, sh, u.icon);
    Output::small(c, FOLDER + std::string(u.stem) + "_plot.png");
}

// The work panel's icon: the unit's product on a round wooden badge.
void workIcon(const Unit& u) {
    constexpr int S = 48;
    Canvas c(S, S);
    cairo_t* cr = c.cr();
    auto badge = [](cairo_t* p) { ellipse(p, 24, 24, 20, 20); };
    auto inset = [](cairo_t* p) { ellipse(p, 24, 24, 15.5, 15.5); };
    shadow(cr, badge);
    fillRound(cr, badge, WOOD, 4, 4, 40, 40);
    outline(cr, badge);
    fillRound(cr, inset, CREAM, 8.5, 8.5, 31, 31, 0.4);
    innerShade(cr, inset, 2, 0.25);
    u.icon(cr, 24, 24, 10);
    Output::small(c, std::string(ICONS) + u.stem + ".png");
}

cairo_surface_t* load(const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot read " + path);
    return s;
}

void place(cairo_t* cr, const std::string& name, double x, double y) {
    cairo_surface_t* s = load(Output::smallPath(name));
    cairo_set_source_surface(cr, s, x, y);
    cairo_paint(cr);
    cairo_surface_destroy(s);
}

void label(cairo_t* cr, const std::string& text, double x, double y, double size = 11) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    setColor(cr, INK, 0.85);
    cairo_show_text(cr, text.c_str());
}

// Every building's plot, the building at each level (first colour), the other two colours of
// its top level, and its work icon, on grass so the pictures are seen where they stand.
void contactSheet() {
    const int colW = 1200, rowH = 172, rows = 13;
    const int sheetW = 2 * colW + 40, sheetH = 90 + rows * rowH + 20;
    Canvas sheet(sheetW, sheetH);
    cairo_t* cr = sheet.cr();
    setColor(cr, CREAM);
    cairo_paint(cr);
    titleText(cr, "Meadow: the buildings of the map", 34, sheetW / 2.0, 52, GRASS, 1.5, true);
    const std::vector<Unit>& all = units();
    for (size_t i = 0; i < all.size(); ++i) {
        const Unit& u = all[i];
        const double x0 = 20 + double(i / rows) * colW, y0 = 80 + double(i % rows) * rowH;
        roundedRect(cr, x0, y0, colW - 20, rowH - 8, 10);
        setColor(cr, lighter(GRASS_LIGHT, 0.35));
        cairo_fill(cr);
        label(cr, std::to_string(i) + " " + u.stem, x0 + 10, y0 + 18, 13);
        place(cr, std::string(ICONS) + u.stem + ".png", x0 + 10, y0 + 34);
        double x = x0 + 70;
        const double w = u.small ? SMALL_W : W, h = u.small ? SMALL_H : H;
        place(cr, std::string(FOLDER) + u.stem + "_plot.png", x, y0 + rowH - 12 - (u.small ? SMALL_PLOT_H : PLOT_H));
        label(cr, "plot", x + w / 2 - 10, y0 + 14, 10);
        x += w + 8;
        for (int level = 1; level <= u.levels; ++level) {
            place(cr, std::string(FOLDER) + u.stem + std::to_string(level) + "_1.png", x, y0 + rowH - 12 - h);
            label(cr, "level " + std::to_string(level), x + w / 2 - 18, y0 + 14, 10);
            x += w + 8;
        }
        for (int v = 2; v <= 3; ++v) {
            place(cr, std::string(FOLDER) + u.stem + std::to_string(u.levels) + "_" + std::to_string(v) + ".png", x,
                  y0 + rowH - 12 - h);
            label(cr, "colour " + std::to_string(v), x + w / 2 - 20, y0 + 14, 10);
            x += w + 8;
        }
    }
    Output::doc(sheet, "buildings-contact-sheet.png");
}

} // namespace

const std::vector<Unit>& units() {
    static std::vector<Unit> all;
    if (all.empty()) {
        firstUnits(all);
        lastUnits(all);
        if (all.size() != 26)
            throw std::logic_error("26 buildings expected");
    }
    return all;
}

void generate() {
    for (const Unit& u : units()) {
        for (int level = 1; level <= u.levels; ++level) {
            const std::string stem = std::string(u.stem) + std::to_string(level);
            for (int v = 0; v < 3; ++v) {
                const std::string tag = std::to_string(v + 1);
                picture(u, level, Kit::ALL, v, stem + "_" + tag + ".png");
                picture(u, level, Kit::ROOF, v, stem + "_part_roof" + tag + ".png");
                picture(u, level, Kit::EXTRAS, v, stem + "_part_extras" + tag + ".png");
            }
            picture(u, level, Kit::GROUND, 0, stem + "_part_ground.png");
            picture(u, level, Kit::WALLS, 0, stem + "_part_walls.png");
        }
        workIcon(u);
        plot(u);
    }
    if (scale() == 1)
        contactSheet();
}

} // namespace Buildings
