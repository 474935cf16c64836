#include "Output.h"

namespace Output {

namespace {
std::string g_atlas, g_data, g_docs;

// The 2x set lives beside the 1x one: "Meadow/Images/..." becomes "Meadow/Images2x/...".
std::string scaledName(const std::string& name) {
    if (Paint::scale() == 1)
        return name;
    const std::string folder = "/Images/";
    const size_t at = name.find(folder);
    if (at == std::string::npos)
        return name;
    return name.substr(0, at) + "/Images" + std::to_string(Paint::scale()) + "x/" + name.substr(at + folder.size());
}
} // namespace

void setRoots(const std::string& atlasSource, const std::string& data, const std::string& docs) {
    g_atlas = atlasSource;
    g_data = data;
    g_docs = docs;
}

void small(const Paint::Canvas& canvas, const std::string& name) {
    canvas.save(smallPath(name));
}

std::string smallPath(const std::string& name) {
    return g_atlas + "/" + scaledName(name);
}

void large(const Paint::Canvas& canvas, const std::string& name) {
    canvas.save(largePath(name));
}

std::string largePath(const std::string& name) {
    return g_data + "/" + scaledName(name);
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
