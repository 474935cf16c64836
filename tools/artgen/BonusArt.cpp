#include "BonusArt.h"

#include "Output.h"
#include "Paint.h"

#include <cmath>
#include <string>

using namespace Paint;
using namespace Palette;

namespace {

const Rgb FUR = BROWN;
const Rgb MUZZLE = hex(0xE8C9A0);
const Rgb INNER_EAR = hex(0xE8B98A);

void dot(cairo_t* cr, double x, double y, double r, Rgb colour) {
    ellipse(cr, x, y, r, r);
    setColor(cr, colour);
    cairo_fill(cr);
}

// A round bear seen from the front, 120 x 120, centred at (60, 64). `arms` lifts the paws
// (1: high above the head while falling), `chew` opens the mouth (0 shut, 1 wide).
void bear(cairo_t* cr, double arms, double chew, double squash) {
    cairo_save(cr);
    cairo_translate(cr, 60, 112);
    cairo_scale(cr, 1 + 0.08 * squash, 1 - 0.08 * squash);
    cairo_translate(cr, -60, -112);
    const double pawY = 78 - 44 * arms;
    auto body = [=](cairo_t* c) {
        ellipse(c, 60, 84, 34, 28); // belly
        ellipse(c, 60, 46, 27, 24); // head
        ellipse(c, 38, 26, 9, 9);   // ears
        ellipse(c, 82, 26, 9, 9);
        ellipse(c, 28, pawY, 9, 11); // paws
        ellipse(c, 92, pawY, 9, 11);
        ellipse(c, 40, 108, 12, 8); // feet
        ellipse(c, 80, 108, 12, 8);
    };
    silhouette(cr, body, FUR, 18, 16, 84, 102);
    for (double x : {38.0, 82.0})
        dot(cr, x, 26, 4.5, INNER_EAR);
    auto belly = [](cairo_t* c) { ellipse(c, 60, 88, 20, 17); };
    fillRound(cr, belly, MUZZLE, 40, 71, 40, 34, 0.6);
    auto muzzle = [](cairo_t* c) { ellipse(c, 60, 56, 12, 9); };
    fillRound(cr, muzzle, MUZZLE, 48, 47, 24, 18);
    outline(cr, muzzle, 1.2);
    dot(cr, 60, 52, 4, INK);
    if (chew > 0.05) {
        ellipse(cr, 60, 60, 5, 1 + 3.5 * chew);
        setColor(cr, hex(0x7A2E22));
        cairo_fill(cr);
    }
    for (double x : {50.0, 70.0}) {
        dot(cr, x, 42, 3, INK);
        dot(cr, x - 0.9, 41, 1, WHITE);
    }
    cairo_restore(cr);
}

void bearFalling() {
    Canvas canvas(120, 120);
    bear(canvas.cr(), 1.0, 0.8, 0);
    Output::large(canvas, "Meadow/Images/Bonus/bear_falling.png");
}

// Eight frames of munching: the mouth opens and shuts twice, the body bobs a little.
void bearEating() {
    const int frames = 8;
    Canvas canvas(120 * frames, 120);
    Sheet::draw(canvas, 120, 120, frames, [](cairo_t* cr, int, double phase) {
        const double wave = std::sin(4 * M_PI * phase);
        bear(cr, 0.25 + 0.1 * std::fabs(wave), 0.5 + 0.5 * wave, 0.5 + 0.5 * std::fabs(wave));
    });
    Output::large(canvas, "Meadow/Images/Bonus/bear_eating.png");
}

// A ring of soil and grass puffs that spreads and fades where the bear lands; 96 x 96, 8 frames.
void splash() {
    const int frames = 8;
    Canvas canvas(96 * frames, 96);
    Sheet::draw(canvas, 96, 96, frames, [](cairo_t* cr, int frame, double) {
        const double t = double(frame) / (frames - 1);
        const double radius = 14 + 28 * t;
        const double alpha = 1.0 - 0.85 * t;
        for (int i = 0; i < 10; ++i) {
            const double a = 2 * M_PI * i / 10 + 0.3 * (i % 2);
            const double r = (i % 2 ? 0.8 : 1.0) * radius;
            const double x = 48 + r * std::cos(a), y = 52 + 0.7 * r * std::sin(a);
            const double size = (7 - 3 * t) * (i % 3 == 0 ? 1.2 : 1.0);
            auto puff = [=](cairo_t* c) { ellipse(c, x, y, size, size * 0.8); };
            cairo_push_group(cr);
            fillRound(cr, puff, i % 3 == 2 ? GRASS_LIGHT : SOIL, x - size, y - size, 2 * size, 2 * size);
            outline(cr, puff, 1.2);
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, alpha);
        }
    });
    Output::large(canvas, "Meadow/Images/Bonus/splash.png");
}

// One half of the lightning: a white-gold bolt from the left end (the lightning cell) out to
// the right, 256 x 48 a frame; the frames move the zigzag so the bolt flickers.
void lightningBeam() {
    const int frames = 4;
    Canvas canvas(256 * frames, 48);
    Sheet::draw(canvas, 256, 48, frames, [](cairo_t* cr, int frame, double) {
        auto bolt = [frame](cairo_t* c) {
            cairo_move_to(c, 0, 24);
            for (int i = 1; i <= 16; ++i) {
                const double x = i * 16.0;
                const double y = 24 + ((i + frame) % 2 ? -1 : 1) * (4 + 5 * hashNoise(i, frame, 7));
                cairo_line_to(c, x, y);
            }
        };
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        const struct {
            double width;
            Rgb colour;
            double alpha;
        } strokes[] = {{18, GOLD, 0.25}, {10, GOLD, 0.55}, {5, hex(0xFFE58A), 0.9}, {2, WHITE, 1.0}};
        for (const auto& stroke : strokes) {
            bolt(cr);
            cairo_set_line_width(cr, basePx(cr, stroke.width));
            setColor(cr, stroke.colour, stroke.alpha);
            cairo_stroke(cr);
        }
    });
    Output::large(canvas, "Meadow/Images/Bonus/lightning_beam.png");
}

struct Colour {
    const char* name;
    Rgb rgb;
};
const Colour COLOURS[] = {{"red", RED}, {"blue", BLUE}, {"green", GREEN}, {"yellow", YELLOW}};

// The two loading doors over the last trailer's window swinging open outward, 80 x 72 a frame,
// four frames from shut to open (as drawn over the window of the trailers).
void doorsOpening(Rgb colour, const std::string& name) {
    const int frames = 4;
    Canvas canvas(80 * frames, 72);
    Sheet::draw(canvas, 80, 72, frames, [colour](cairo_t* cr, int frame, double) {
        const double open = double(frame) / (frames - 1);
        const double width = 26 * std::cos(open * M_PI * 0.45);
        for (int side = 0; side < 2; ++side) {
            const double x = side == 0 ? 14 - (26 - width) * 0.35 : 66 - width + (26 - width) * 0.35;
            auto door = [x, width](cairo_t* c) { roundedRect(c, x, 12, width, 38, 3); };
            fillFlat(cr, door, darker(colour, 0.08 + 0.15 * open), x, 12, width, 38);
            roundedRect(cr, x + width * 0.15, 16, width * 0.7, 14, 2);
            roundedRect(cr, x + width * 0.15, 33, width * 0.7, 13, 2);
            cairo_set_line_width(cr, basePx(cr, 1.2));
            setColor(cr, darker(colour, 0.35), 0.8);
            cairo_stroke(cr);
            outline(cr, door, 1.5);
        }
    });
    Output::large(canvas, name);
}

} // namespace

namespace BonusArt {

void generate() {
    bearFalling();
    bearEating();
    splash();
    lightningBeam();
    for (const Colour& colour : COLOURS)
        doorsOpening(colour.rgb, std::string("Meadow/Images/Bonus/vehicle_doors_") + colour.name + ".png");
}

} // namespace BonusArt
