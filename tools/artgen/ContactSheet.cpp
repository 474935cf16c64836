#include "ContactSheet.h"

#include "Output.h"
#include "Paint.h"

#include <algorithm>
#include <stdexcept>

using namespace Paint;

namespace ContactSheet {

void generate() {}

void preview(const std::string& out, double zoom, const std::vector<std::string>& files) {
    std::vector<cairo_surface_t*> images;
    double w = 0, h = 10;
    for (const std::string& f : files) {
        cairo_surface_t* s = cairo_image_surface_create_from_png(f.c_str());
        if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS)
            throw std::runtime_error("cannot read " + f);
        images.push_back(s);
        w = std::max(w, cairo_image_surface_get_width(s) * zoom + 20);
        h += cairo_image_surface_get_height(s) * zoom + 10;
    }
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(w), int(h));
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.86, 0.82, 0.72);
    cairo_paint(cr);
    double y = 10;
    for (cairo_surface_t* s : images) {
        cairo_save(cr);
        cairo_translate(cr, 10, y);
        cairo_scale(cr, zoom, zoom);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        y += cairo_image_surface_get_height(s) * zoom + 10;
        cairo_surface_destroy(s);
    }
    cairo_destroy(cr);
    cairo_surface_write_to_png(sheet, out.c_str());
    cairo_surface_destroy(sheet);
}

} // namespace ContactSheet
