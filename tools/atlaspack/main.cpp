// atlaspack: packs every PNG under SOURCE_DIR into atlas pages under DATA_DIR/Atlases and
// writes DATA_DIR/atlases.xml with one map file per page, in the form the resource manager
// reads. A picture's name is its path under SOURCE_DIR (e.g. "Meadow/Images/Pieces/piece1.png");
// the first two folders of the name pick the page set ("Meadow/Images" -> "meadow_images_N"),
// so a screen's pictures share few textures. The game ships the 1x set only; should a source
// hold artgen's 2x set ("Images2x"), it gets pages of its own, twice as wide.
// Usage: atlaspack SOURCE_DIR DATA_DIR [PAGE_SIDE]

#include "AtlasPacker.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

cairo_surface_t* readPng(const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot read " + path);
    return s;
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SOURCE_DIR DATA_DIR [PAGE_SIDE]\n", argv[0]);
        return 2;
    }
    try {
        const fs::path source = argv[1], data = argv[2];
        const int side = argc > 3 ? std::atoi(argv[3]) : 2048;
        std::map<std::string, std::vector<PackedPicture>> groups;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
            if (!entry.is_regular_file() || entry.path().extension() != ".png")
                continue;
            const std::string name = fs::relative(entry.path(), source).generic_string();
            cairo_surface_t* s = readPng(entry.path().string());
            PackedPicture picture;
            picture.name = name;
            picture.width = cairo_image_surface_get_width(s);
            picture.height = cairo_image_surface_get_height(s);
            cairo_surface_destroy(s);
            const size_t first = name.find('/');
            const size_t second = first == std::string::npos ? first : name.find('/', first + 1);
            groups[name.substr(0, second)].push_back(picture);
        }
        fs::create_directories(data / "Atlases");
        std::string atlases = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Atlases>\n";
        for (auto& [group, pictures] : groups) {
            std::sort(pictures.begin(), pictures.end(),
                      [](const PackedPicture& a, const PackedPicture& b) { return a.name < b.name; });
            const bool doubled = group.size() > 2 && group.compare(group.size() - 2, 2, "2x") == 0;
            const int pageSide = doubled ? 2 * side : side;
            AtlasPacker packer(pageSide, pageSide, 2);
            packer.pack(pictures);
            std::sort(pictures.begin(), pictures.end(),
                      [](const PackedPicture& a, const PackedPicture& b) { return a.name < b.name; });
            for (int page = 0; page < packer.pageCount(); ++page) {
                std::string stem = "Atlases/" + lowerCase(group) + "_" + std::to_string(page);
                std::replace(stem.begin() + 8, stem.end(), '/', '_');
                cairo_surface_t* sheet =
                    cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pageSide, packer.usedHeight(page));
                cairo_t* cr = cairo_create(sheet);
                cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
                std::string map = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Atlas>\n";
                for (const PackedPicture& p : pictures) {
                    if (p.page != page)
                        continue;
                    cairo_surface_t* s = readPng((source / p.name).string());
                    cairo_set_source_surface(cr, s, p.x, p.y);
                    cairo_rectangle(cr, p.x, p.y, p.width, p.height);
                    cairo_fill(cr);
                    cairo_surface_destroy(s);
                    map += "  <Picture><Name>" + p.name + "</Name><Pos>" + std::to_string(p.x) + " " +
                           std::to_string(p.y) + "</Pos><Size>" + std::to_string(p.width) + " " +
                           std::to_string(p.height) + "</Size></Picture>\n";
                }
                map += "</Atlas>\n";
                cairo_destroy(cr);
                if (cairo_surface_write_to_png(sheet, (data / (stem + ".png")).c_str()) != CAIRO_STATUS_SUCCESS)
                    throw std::runtime_error("cannot write " + stem + ".png");
                cairo_surface_destroy(sheet);
                writeText(data / (stem + ".xml"), map);
                atlases += "  <Atlas><Path>" + stem + ".png</Path><Map>" + stem + ".xml</Map></Atlas>\n";
                std::printf("%s.png: %dx%d\n", stem.c_str(), pageSide, packer.usedHeight(page));
            }
        }
        atlases += "</Atlases>\n";
        writeText(data / "atlases.xml", atlases);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "atlaspack: %s\n", e.what());
        return 1;
    }
    return 0;
}
