#include "ContactSheet.h"

#include "Backgrounds.h"
#include "BoardUi.h"
#include "Cells.h"
#include "Output.h"
#include "Paint.h"
#include "Pieces.h"

#include <algorithm>
#include <stdexcept>

using namespace Paint;
using namespace Palette;

namespace ContactSheet {

namespace {

cairo_surface_t* load(const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot read " + path);
    return s;
}

// Draws the picture's first frame (frameW wide, 0: whole) with its top left at (x, y).
void place(cairo_t* cr, const std::string& name, double x, double y, double frameW = 0) {
    cairo_surface_t* s = load(Output::smallPath(name));
    const double w = frameW > 0 ? frameW : cairo_image_surface_get_width(s);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, cairo_image_surface_get_height(s));
    cairo_clip(cr);
    cairo_set_source_surface(cr, s, x, y);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

void label(cairo_t* cr, const std::string& text, double x, double y, double size = 11) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    setColor(cr, INK, 0.85);
    cairo_show_text(cr, text.c_str());
}

// A small board with a hole, tough cells, locks, pieces and the selection, assembled the way
// the field view lays them out.
void sampleBoard(cairo_t* cr, double ox, double oy, const std::vector<std::string>& map, bool extras) {
    const int R = int(map.size()), C = int(map[0].size()), S = Cells::CELL, B = Cells::BORDER;
    auto on = [&](int r, int c) { return r >= 0 && r < R && c >= 0 && c < C && map[r][c] != '.'; };
    const std::string dir = Cells::FOLDER;
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) {
            const double x = ox + c * S, y = oy + r * S;
            const char k = map[r][c];
            if (k == '.')
                continue;
            const std::string face = k == 'w' ? "wood" : k == 'i' ? "iron" : "simple";
            place(cr, dir + face + std::to_string((r + c) % 2) + ".png", x, y);
        }
    // Borders: screen rows grow downwards here, so "above" is r - 1.
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) {
            const double x = ox + c * S, y = oy + r * S;
            const bool n0 = on(r - 1, c), n1 = on(r - 1, c + 1), n2 = on(r, c + 1), n3 = on(r + 1, c + 1);
            const bool n4 = on(r + 1, c), n5 = on(r + 1, c - 1), n6 = on(r, c - 1), n7 = on(r - 1, c - 1);
            auto put = [&](int i, double px, double py) {
                place(cr, dir + "border" + std::to_string(i) + ".png", px, py);
            };
            if (on(r, c)) {
                if (!n0)
                    put(0, x, y - B);
                if (!n2)
                    put(2, x + S, y);
                if (!n4)
                    put(4, x, y + S);
                if (!n6)
                    put(6, x - B, y);
                if (!n0 && !n1 && !n2)
                    put(1, x + S, y - B);
                if (!n2 && !n3 && !n4)
                    put(3, x + S, y + S);
                if (!n4 && !n5 && !n6)
                    put(5, x - B, y + S);
                if (!n6 && !n7 && !n0)
                    put(7, x - B, y - B);
            } else {
                if (n0 && n2)
                    put(8, x + S - B, y);
                if (n2 && n4)
                    put(9, x + S - B, y + S - B);
                if (n4 && n6)
                    put(10, x, y + S - B);
                if (n6 && n0)
                    put(11, x, y);
            }
        }
    const std::vector<std::string> names = Pieces::names();
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) {
            if (!on(r, c) || map[r][c] != 's')
                continue;
            const int type = int(hashNoise(r, c, extras ? 3 : 11) * 6.99);
            std::string name = names[size_t(type)];
            if (!extras) {
                place(cr, std::string(Pieces::FOLDER) + name + ".png", ox + c * S, oy + r * S, S);
                continue;
            }
            if (r == 2 && c == 1)
                name = "bonus_blast";
            if (r == 4 && c == 5)
                name = "bonus_row";
            if (r == 0 && c == 4)
                name = "egg_gold";
            if (r == 3 && c == 6)
                name = "honey";
            place(cr, std::string(Pieces::FOLDER) + name + ".png", ox + c * S, oy + r * S, S);
        }
    if (!extras)
        return;
    place(cr, dir + "cell_locks1.png", ox + 1 * S, oy + 4 * S);
    place(cr, dir + "cell_locks2.png", ox + 2 * S, oy + 0 * S);
    const double m = (Cells::SELECTION - S) / 2.0;
    place(cr, dir + "selection.png", ox + 3 * S - m, oy + 3 * S - m, Cells::SELECTION);
}

// The board screen as the pictures will meet: background, a 9x9 board, the side panel.
void mockup() {
    Canvas shot(1024, 768);
    cairo_t* cr = shot.cr();
    cairo_surface_t* bg = load(Output::largePath(std::string(Backgrounds::FOLDER) + "level_bg1.png"));
    cairo_set_source_surface(cr, bg, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(bg);
    const int S = Cells::CELL;
    const double ox = 330 - 4.5 * S, oy = 392 - 4.5 * S;
    sampleBoard(cr, ox, oy,
                {"sssssssss", "sssssssss", "sssssssss", "sssssssss", "sssssssss", "sssssssss", "sssssssss", "sssssssss",
                 "sssssssss"},
                false);
    const double m = (Cells::SELECTION - S) / 2.0;
    place(cr, std::string(Cells::FOLDER) + "selection.png", ox + 4 * S - m, oy + 4 * S - m, Cells::SELECTION);
    BoardUi::sidePanel(cr, 660, 40);
    Output::doc(shot, "board-mockup.png");
}

} // namespace

void generate() {
    const int W = 1400, H = 1340;
    Canvas sheet(W, H);
    cairo_t* cr = sheet.cr();
    cairo_pattern_t* bg = cairo_pattern_create_linear(0, 0, 0, H);
    cairo_pattern_add_color_stop_rgb(bg, 0, CREAM.r, CREAM.g, CREAM.b);
    const Rgb low = darker(CREAM, 0.06);
    cairo_pattern_add_color_stop_rgb(bg, 1, low.r, low.g, low.b);
    cairo_set_source(cr, bg);
    cairo_paint(cr);
    cairo_pattern_destroy(bg);
    titleText(cr, "Meadow: board pictures", 34, W / 2.0, 52, GRASS, 1.5, true);

    double y = 80;
    label(cr, "Pieces (first frame of each 8-frame sheet)", 30, y + 14, 14);
    y += 24;
    const std::vector<std::string> names = Pieces::names();
    for (size_t i = 0; i < names.size(); ++i) {
        const double x = 30 + double(i % 10) * 130;
        const double yy = y + double(i / 10) * 96;
        place(cr, std::string(Pieces::FOLDER) + names[i] + ".png", x + 30, yy, Pieces::CELL);
        label(cr, names[i], x + 62 - 3.2 * double(names[i].size()), yy + 80);
    }
    y += 2 * 96 + 10;
    label(cr, "Hover animation of piece 1 and the blast piece", 30, y + 14, 14);
    place(cr, std::string(Pieces::FOLDER) + "piece1.png", 30, y + 24);
    place(cr, std::string(Pieces::FOLDER) + "bonus_blast.png", 580, y + 24);
    y += 100;

    label(cr, "Cells, locks, broken parts", 30, y + 14, 14);
    y += 24;
    const char* cells[] = {"cell0", "simple0", "simple1",     "wood0",      "wood1",
                           "iron0", "iron1",   "cell_locks1", "cell_locks2"};
    for (int i = 0; i < 9; ++i) {
        place(cr, std::string(Cells::FOLDER) + cells[i] + ".png", 30 + i * 100, y);
        label(cr, cells[i], 30 + i * 100, y + 80);
    }
    for (int i = 0; i < 4; ++i) {
        place(cr, std::string(Cells::FOLDER) + "wood_part_" + std::to_string(i) + ".png", 940 + (i % 2) * 36,
              y + (i / 2) * 36);
        place(cr, std::string(Cells::FOLDER) + "iron_part_" + std::to_string(i) + ".png", 1030 + (i % 2) * 36,
              y + (i / 2) * 36);
    }
    y += 100;
    label(cr, "Sample board: borders, holes, locks, selection", 30, y + 14, 14);
    sampleBoard(cr, 50, y + 40, {"sswsssi", "ssss.ss", "sss..sw", "sisssss", "ssswsss", "ssssss."}, true);

    // Board interface pictures at the right of the sample board.
    BoardUi::contact(cr, 560, y + 24);
    // The level backgrounds, small, under the board.
    const double by = y + 40 + 6 * Cells::CELL + 40;
    label(cr, "Level backgrounds (1024x768)", 30, by, 14);
    for (int i = 0; i < 2; ++i) {
        const std::string name = std::string(Backgrounds::FOLDER) + "level_bg" + std::to_string(i + 1) + ".png";
        cairo_surface_t* s = load(Output::largePath(name));
        cairo_save(cr);
        cairo_translate(cr, 30 + i * 300, by + 12);
        cairo_scale(cr, 0.27, 0.27);
        roundedRect(cr, 0, 0, 1024, 768, 30);
        cairo_clip(cr);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(s);
    }
    Output::doc(sheet, "board-contact-sheet.png");
    mockup();
}

void preview(const std::string& out, double zoom, const std::vector<std::string>& files) {
    std::vector<cairo_surface_t*> images;
    double w = 0, h = 10;
    for (const std::string& f : files) {
        cairo_surface_t* s = load(f);
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
