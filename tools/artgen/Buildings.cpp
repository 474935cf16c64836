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

void picture(const Unit& u, int level, int layers, int variant, const std::string& name) {
    Canvas c(u.small ? SMALL_W : W, u.small ? SMALL_H : H);
    Kit::Ctx k{c.cr(), layers, Kit::variant(variant)};
    u.draw(k, level);
    if (drawn(c))
        Output::small(c, FOLDER + name);
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

// Every building at each level (first colour), the other two colours of its top level, and
// its work icon, on grass so the pictures are seen where they stand.
void contactSheet() {
    const int colW = 900, rowH = 142, rows = 13;
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
    }
    if (scale() == 1)
        contactSheet();
}

} // namespace Buildings
