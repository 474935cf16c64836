#include "Output.h"

namespace Output {

namespace {
std::string g_atlas, g_data, g_docs;
}

void setRoots(const std::string& atlasSource, const std::string& data, const std::string& docs) {
    g_atlas = atlasSource;
    g_data = data;
    g_docs = docs;
}

void small(const Paint::Canvas& canvas, const std::string& name) {
    canvas.save(smallPath(name));
}

std::string smallPath(const std::string& name) {
    return g_atlas + "/" + name;
}

void large(const Paint::Canvas& canvas, const std::string& name) {
    canvas.save(g_data + "/" + name);
}

void doc(const Paint::Canvas& canvas, const std::string& name) {
    canvas.save(g_docs + "/" + name);
}

} // namespace Output

namespace Sheet {

void draw(Paint::Canvas& canvas, int frameW, int frameH, int frames, const FrameFn& fn) {
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < frames; ++i) {
        cairo_save(cr);
        cairo_rectangle(cr, i * frameW, 0, frameW, frameH);
        cairo_clip(cr);
        cairo_translate(cr, i * frameW, 0);
        fn(cr, i, double(i) / frames);
        cairo_restore(cr);
    }
}

} // namespace Sheet
