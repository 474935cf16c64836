#include "Paint.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace Paint {

namespace {

int g_scale = 1;

// Three box passes approximate a gaussian of about the radius.
void boxBlurA8(unsigned char* data, int w, int h, int stride, int radius) {
    if (radius <= 0)
        return;
    std::vector<unsigned char> line(size_t(std::max(w, h)));
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) {
            unsigned char* row = data + size_t(y) * size_t(stride);
            int sum = 0;
            for (int x = -radius; x <= radius; ++x)
                sum += row[std::clamp(x, 0, w - 1)];
            for (int x = 0; x < w; ++x) {
                line[size_t(x)] = (unsigned char)(sum / (2 * radius + 1));
                sum += row[std::min(x + radius + 1, w - 1)] - row[std::max(x - radius, 0)];
            }
            std::copy(line.begin(), line.begin() + w, row);
        }
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int y = -radius; y <= radius; ++y)
                sum += data[size_t(std::clamp(y, 0, h - 1)) * size_t(stride) + size_t(x)];
            for (int y = 0; y < h; ++y) {
                line[size_t(y)] = (unsigned char)(sum / (2 * radius + 1));
                sum += data[size_t(std::min(y + radius + 1, h - 1)) * size_t(stride) + size_t(x)] -
                       data[size_t(std::max(y - radius, 0)) * size_t(stride) + size_t(x)];
            }
            for (int y = 0; y < h; ++y)
                data[size_t(y) * size_t(stride) + size_t(x)] = line[size_t(y)];
        }
    }
}

// The shape rendered as blurred coverage in device space, moved by (dx, dy) base pixels.
cairo_surface_t* blurredMask(cairo_t* cr, const PathFn& path, double dx, double dy, double blur) {
    cairo_surface_t* target = cairo_get_target(cr);
    const int w = cairo_image_surface_get_width(target);
    const int h = cairo_image_surface_get_height(target);
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* m = cairo_create(mask);
    cairo_matrix_t matrix;
    cairo_get_matrix(cr, &matrix);
    matrix.x0 += dx * g_scale;
    matrix.y0 += dy * g_scale;
    cairo_set_matrix(m, &matrix);
    cairo_set_fill_rule(m, cairo_get_fill_rule(cr));
    path(m);
    cairo_set_source_rgba(m, 0, 0, 0, 1);
    cairo_fill(m);
    cairo_destroy(m);
    cairo_surface_flush(mask);
    boxBlurA8(cairo_image_surface_get_data(mask), w, h, cairo_image_surface_get_stride(mask),
              int(std::lround(blur * g_scale * 0.6)));
    cairo_surface_mark_dirty(mask);
    return mask;
}

void paintMask(cairo_t* cr, cairo_surface_t* mask, Rgb color, double alpha) {
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_rgba(cr, color.r, color.g, color.b, alpha);
    cairo_mask_surface(cr, mask, 0, 0);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
}

} // namespace

void setScale(int s) {
    g_scale = s;
}

int scale() {
    return g_scale;
}

Canvas::Canvas(int width, int height) : m_width(width), m_height(height) {
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * g_scale, height * g_scale);
    m_cr = cairo_create(m_surface);
    cairo_scale(m_cr, g_scale, g_scale);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

void Canvas::save(const std::string& path) const {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    cairo_surface_flush(m_surface);
    if (cairo_surface_write_to_png(m_surface, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

void setColor(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

double basePx(cairo_t* cr, double n) {
    double x = n * g_scale, y = 0;
    cairo_device_to_user_distance(cr, &x, &y);
    return std::hypot(x, y);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void shadow(cairo_t* cr, const PathFn& path, double alpha, double dx, double dy, double blur) {
    paintMask(cr, blurredMask(cr, path, dx, dy, blur), Rgb{0, 0, 0}, alpha);
}

void glow(cairo_t* cr, const PathFn& path, Rgb color, double alpha, double blur) {
    paintMask(cr, blurredMask(cr, path, 0, 0, blur), color, alpha);
}

void fillRound(cairo_t* cr, const PathFn& path, Rgb base, double x, double y, double w, double h, double strength) {
    const double r = std::max(w, h);
    cairo_pattern_t* p =
        cairo_pattern_create_radial(x + w * 0.32, y + h * 0.28, 0, x + w * 0.42, y + h * 0.4, r * 0.78);
    const Rgb light = Palette::lighter(base, 0.42 * strength);
    const Rgb dark = Palette::darker(base, 0.30 * strength);
    cairo_pattern_add_color_stop_rgb(p, 0.0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 0.45, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, dark.r, dark.g, dark.b);
    path(cr);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void fillFlat(cairo_t* cr, const PathFn& path, Rgb base, double x, double y, double w, double h, double strength) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x + w * 0.2, y, x + w * 0.5, y + h);
    const Rgb light = Palette::lighter(base, 0.25 * strength);
    const Rgb dark = Palette::darker(base, 0.18 * strength);
    cairo_pattern_add_color_stop_rgb(p, 0.0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 0.5, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, dark.r, dark.g, dark.b);
    path(cr);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void outline(cairo_t* cr, const PathFn& path, double widthPx, double alpha) {
    cairo_save(cr);
    path(cr);
    cairo_set_line_width(cr, basePx(cr, widthPx));
    setColor(cr, Palette::INK, alpha);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void gloss(cairo_t* cr, const PathFn& path, double cx, double cy, double rx, double ry, double alpha) {
    cairo_save(cr);
    path(cr);
    cairo_clip(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.55, 1, 1, 1, alpha * 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void innerShade(cairo_t* cr, const PathFn& path, double widthPx, double alpha) {
    cairo_save(cr);
    path(cr);
    cairo_clip(cr);
    // The shape's own edge, moved up-left, leaves a crescent at the bottom right.
    cairo_surface_t* mask = blurredMask(cr, path, -widthPx, -widthPx, widthPx);
    cairo_surface_t* inverse = cairo_image_surface_create(CAIRO_FORMAT_A8, cairo_image_surface_get_width(mask),
                                                          cairo_image_surface_get_height(mask));
    cairo_t* ic = cairo_create(inverse);
    cairo_set_source_rgba(ic, 0, 0, 0, 1);
    cairo_paint(ic);
    cairo_set_operator(ic, CAIRO_OPERATOR_DEST_OUT);
    cairo_mask_surface(ic, mask, 0, 0);
    cairo_destroy(ic);
    cairo_surface_destroy(mask);
    paintMask(cr, inverse, Rgb{0.12, 0.06, 0.0}, alpha);
    cairo_restore(cr);
}

void roundThing(cairo_t* cr, const PathFn& path, Rgb base, double x, double y, double w, double h, bool withShadow) {
    if (withShadow)
        shadow(cr, path);
    fillRound(cr, path, base, x, y, w, h);
    gloss(cr, path, x + w * 0.3, y + h * 0.26, w * 0.2, h * 0.13, 0.55);
    outline(cr, path);
}

void silhouette(cairo_t* cr, const PathFn& path, Rgb base, double x, double y, double w, double h, bool withShadow) {
    if (withShadow)
        shadow(cr, path);
    outline(cr, path, 4.0);
    fillRound(cr, path, base, x, y, w, h);
    gloss(cr, path, x + w * 0.3, y + h * 0.26, w * 0.2, h * 0.13, 0.5);
}

namespace {

cairo_font_face_t* titleFace() {
    static cairo_font_face_t* face = nullptr;
    if (!face) {
        static FT_Library library;
        FT_Init_FreeType(&library);
        FT_Face ft;
        if (FT_New_Face(library, "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf", 0, &ft) != 0)
            throw std::runtime_error("Comfortaa Bold not found (Debian package fonts-comfortaa)");
        face = cairo_ft_font_face_create_for_ft_face(ft, 0);
    }
    return face;
}

} // namespace

void titleText(cairo_t* cr, const std::string& text, double size, double cx, double baseline, Rgb fill,
               double outlinePx, bool withShadow) {
    cairo_save(cr);
    cairo_set_font_face(cr, titleFace());
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    const double x = cx - ext.width / 2 - ext.x_bearing;
    auto path = [&](cairo_t* c) {
        cairo_set_font_face(c, titleFace());
        cairo_set_font_size(c, size);
        cairo_move_to(c, x, baseline);
        cairo_text_path(c, text.c_str());
    };
    if (withShadow)
        shadow(cr, path, 0.3, 1.5, 2, 2);
    if (outlinePx > 0) {
        path(cr);
        cairo_set_line_width(cr, basePx(cr, outlinePx * 2));
        setColor(cr, Palette::INK, 0.9);
        cairo_stroke(cr);
    }
    fillFlat(cr, path, fill, x, baseline - size, ext.width, size);
    cairo_restore(cr);
}

double titleWidth(const std::string& text, double size) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(s);
    cairo_set_font_face(cr, titleFace());
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    return ext.width;
}

double hashNoise(int x, int y, int seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xFFFF) / 65535.0;
}

} // namespace Paint
