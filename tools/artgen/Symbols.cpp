// The small product symbols of signs and work icons.

#include "BuildingKit.h"

#include <cmath>
#include <initializer_list>
#include <utility>

using namespace Paint;
using namespace Palette;

namespace Kit {

namespace {

void poly(cairo_t* c, std::initializer_list<std::pair<double, double>> pts) {
    bool first = true;
    for (const auto& p : pts) {
        if (first)
            cairo_move_to(c, p.first, p.second);
        else
            cairo_line_to(c, p.first, p.second);
        first = false;
    }
    cairo_close_path(c);
}

} // namespace

void symbolEgg(cairo_t* cr, double cx, double cy, double r) {
    auto e = [=](cairo_t* p) {
        cairo_move_to(p, cx, cy - r);
        cairo_curve_to(p, cx + r * 0.8, cy - r, cx + r * 0.85, cy + r, cx, cy + r);
        cairo_curve_to(p, cx - r * 0.85, cy + r, cx - r * 0.8, cy - r, cx, cy - r);
    };
    roundThing(cr, e, hex(0xF6E7CF), cx - r * 0.8, cy - r, r * 1.6, r * 2, false);
}

void symbolCheese(cairo_t* cr, double cx, double cy, double r) {
    auto c = [=](cairo_t* p) {
        poly(p, {{cx - r, cy + r * 0.6}, {cx + r, cy + r * 0.6}, {cx + r, cy - r * 0.2}, {cx - r * 0.6, cy - r * 0.8}});
    };
    roundThing(cr, c, YELLOW, cx - r, cy - r, 2 * r, 1.6 * r, false);
    for (int i = 0; i < 3; ++i) {
        ellipse(cr, cx - r * 0.3 + i * r * 0.45, cy + r * 0.1 - (i % 2) * r * 0.3, r * 0.14, r * 0.12);
        setColor(cr, darker(YELLOW, 0.3));
        cairo_fill(cr);
    }
}

void symbolBread(cairo_t* cr, double cx, double cy, double r) {
    auto b = [=](cairo_t* p) { ellipse(p, cx, cy, r, r * 0.6); };
    roundThing(cr, b, mix(WOOD, ORANGE, 0.3), cx - r, cy - r * 0.6, 2 * r, r * 1.2, false);
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, cx + i * r * 0.45 - r * 0.12, cy - r * 0.35);
        cairo_line_to(cr, cx + i * r * 0.45 + r * 0.12, cy + r * 0.2);
    }
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, CREAM, 0.9);
    cairo_stroke(cr);
}

void symbolCake(cairo_t* cr, double cx, double cy, double r) {
    auto c = [=](cairo_t* p) { roundedRect(p, cx - r, cy - r * 0.3, 2 * r, r * 1.1, r * 0.2); };
    roundThing(cr, c, PINK, cx - r, cy - r * 0.3, 2 * r, r * 1.1, false);
    auto cream = [=](cairo_t* p) {
        for (int i = 0; i < 4; ++i)
            ellipse(p, cx - r * 0.75 + i * r * 0.5, cy - r * 0.3, r * 0.28, r * 0.22);
    };
    roundThing(cr, cream, WHITE, cx - r, cy - r * 0.5, 2 * r, r * 0.5, false);
    auto cherry = [=](cairo_t* p) { ellipse(p, cx, cy - r * 0.72, r * 0.25, r * 0.25); };
    roundThing(cr, cherry, RED, cx - r * 0.25, cy - r, r * 0.5, r * 0.5, false);
}

void symbolYarn(cairo_t* cr, double cx, double cy, double r, Rgb colour) {
    auto b = [=](cairo_t* p) { ellipse(p, cx, cy, r, r); };
    roundThing(cr, b, colour, cx - r, cy - r, 2 * r, 2 * r, false);
    cairo_save(cr);
    b(cr);
    cairo_clip(cr);
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, cx - r, cy + i * r * 0.4 - r * 0.3);
        cairo_curve_to(cr, cx - r * 0.3, cy + i * r * 0.4 - r * 0.6, cx + r * 0.3, cy + i * r * 0.4, cx + r,
                       cy + i * r * 0.4 - r * 0.3);
    }
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, darker(colour, 0.35), 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void symbolPot(cairo_t* cr, double cx, double cy, double r) {
    auto p_ = [=](cairo_t* p) {
        cairo_move_to(p, cx - r * 0.5, cy - r);
        cairo_line_to(p, cx + r * 0.5, cy - r);
        cairo_curve_to(p, cx + r * 0.4, cy - r * 0.6, cx + r * 1.1, cy - r * 0.3, cx + r * 0.8, cy + r * 0.5);
        cairo_curve_to(p, cx + r * 0.6, cy + r, cx - r * 0.6, cy + r, cx - r * 0.8, cy + r * 0.5);
        cairo_curve_to(p, cx - r * 1.1, cy - r * 0.3, cx - r * 0.4, cy - r * 0.6, cx - r * 0.5, cy - r);
        cairo_close_path(p);
    };
    roundThing(cr, p_, mix(ORANGE, BROWN, 0.5), cx - r, cy - r, 2 * r, 2 * r, false);
    cairo_move_to(cr, cx - r * 0.85, cy + r * 0.1);
    cairo_line_to(cr, cx + r * 0.85, cy + r * 0.1);
    cairo_set_line_width(cr, basePx(cr, 1.4));
    setColor(cr, CREAM, 0.8);
    cairo_stroke(cr);
}

void symbolShirt(cairo_t* cr, double cx, double cy, double r) {
    auto s = [=](cairo_t* p) {
        poly(p, {{cx - r * 0.35, cy - r},
                 {cx - r, cy - r * 0.6},
                 {cx - r * 0.8, cy - r * 0.1},
                 {cx - r * 0.55, cy - r * 0.25},
                 {cx - r * 0.55, cy + r},
                 {cx + r * 0.55, cy + r},
                 {cx + r * 0.55, cy - r * 0.25},
                 {cx + r * 0.8, cy - r * 0.1},
                 {cx + r, cy - r * 0.6},
                 {cx + r * 0.35, cy - r},
                 {cx, cy - r * 0.7}});
    };
    roundThing(cr, s, BLUE, cx - r, cy - r, 2 * r, 2 * r, false);
}

void symbolBead(cairo_t* cr, double cx, double cy, double r) {
    cairo_move_to(cr, cx - r, cy - r * 0.5);
    cairo_curve_to(cr, cx - r * 0.5, cy + r * 0.9, cx + r * 0.5, cy + r * 0.9, cx + r, cy - r * 0.5);
    cairo_set_line_width(cr, basePx(cr, 1));
    setColor(cr, INK, 0.6);
    cairo_stroke(cr);
    const Rgb colours[] = {RED, GOLD, BLUE, PINK, PURPLE};
    for (int i = 0; i < 5; ++i) {
        const double t = i / 4.0;
        const double x = cx - r + 2 * r * t;
        const double y = cy - r * 0.5 + r * 1.05 * std::sin(M_PI * t) * 0.98;
        auto b = [=](cairo_t* p) { ellipse(p, x, y, r * 0.26, r * 0.26); };
        roundThing(cr, b, colours[i], x - r * 0.26, y - r * 0.26, r * 0.52, r * 0.52, false);
    }
}

void symbolHoney(cairo_t* cr, double cx, double cy, double r) {
    auto pot = [=](cairo_t* p) { roundedRect(p, cx - r * 0.8, cy - r * 0.5, r * 1.6, r * 1.5, r * 0.45); };
    roundThing(cr, pot, hex(0xF5B324), cx - r * 0.8, cy - r * 0.5, r * 1.6, r * 1.5, false);
    auto lid = [=](cairo_t* p) { roundedRect(p, cx - r * 0.9, cy - r * 0.9, r * 1.8, r * 0.45, r * 0.15); };
    roundThing(cr, lid, WOOD, cx - r * 0.9, cy - r * 0.9, r * 1.8, r * 0.45, false);
}

void symbolMilk(cairo_t* cr, double cx, double cy, double r) {
    auto j = [=](cairo_t* p) {
        poly(p, {{cx - r * 0.4, cy - r},
                 {cx + r * 0.4, cy - r},
                 {cx + r * 0.45, cy - r * 0.5},
                 {cx + r * 0.75, cy + r},
                 {cx - r * 0.75, cy + r},
                 {cx - r * 0.45, cy - r * 0.5}});
    };
    roundThing(cr, j, WHITE, cx - r * 0.75, cy - r, r * 1.5, r * 2, false);
    cairo_rectangle(cr, cx - r * 0.62, cy + r * 0.1, r * 1.24, r * 0.3);
    setColor(cr, BLUE, 0.8);
    cairo_fill(cr);
}

void symbolFlour(cairo_t* cr, double cx, double cy, double r) {
    auto s = [=](cairo_t* p) {
        cairo_move_to(p, cx - r * 0.35, cy - r);
        cairo_curve_to(p, cx - r * 1.2, cy - r * 0.4, cx - r * 1.1, cy + r, cx, cy + r);
        cairo_curve_to(p, cx + r * 1.1, cy + r, cx + r * 1.2, cy - r * 0.4, cx + r * 0.35, cy - r);
        cairo_close_path(p);
    };
    roundThing(cr, s, CREAM, cx - r, cy - r, 2 * r, 2 * r, false);
    // An ear of wheat on the sack.
    for (int i = 0; i < 3; ++i) {
        ellipse(cr, cx - r * 0.12, cy - r * 0.05 + i * r * 0.3, r * 0.12, r * 0.18);
        ellipse(cr, cx + r * 0.12, cy - r * 0.05 + i * r * 0.3, r * 0.12, r * 0.18);
    }
    setColor(cr, hex(0xF5B324));
    cairo_fill(cr);
}

void symbolCloth(cairo_t* cr, double cx, double cy, double r) {
    auto roll = [=](cairo_t* p) { roundedRect(p, cx - r, cy - r * 0.55, r * 2, r * 1.1, r * 0.3); };
    roundThing(cr, roll, PURPLE, cx - r, cy - r * 0.55, 2 * r, r * 1.1, false);
    for (double f : {-0.4, 0.0, 0.4}) {
        cairo_move_to(cr, cx + f * r, cy - r * 0.55);
        cairo_line_to(cr, cx + f * r, cy + r * 0.55);
    }
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, GOLD_LIGHT, 0.8);
    cairo_stroke(cr);
}

void symbolStone(cairo_t* cr, double cx, double cy, double r) {
    auto s = [=](cairo_t* p) {
        poly(p, {{cx - r, cy + r * 0.6},
                 {cx - r * 0.7, cy - r * 0.5},
                 {cx + r * 0.2, cy - r * 0.8},
                 {cx + r, cy - r * 0.2},
                 {cx + r * 0.8, cy + r * 0.7}});
    };
    roundThing(cr, s, IRON, cx - r, cy - r, 2 * r, 2 * r, false);
}

void symbolSheep(cairo_t* cr, double cx, double cy, double r) {
    auto wool = [=](cairo_t* p) {
        for (int i = 0; i < 6; ++i) {
            const double a = i * M_PI / 3;
            ellipse(p, cx + std::cos(a) * r * 0.5, cy + std::sin(a) * r * 0.4, r * 0.45, r * 0.4);
        }
    };
    silhouette(cr, wool, WHITE, cx - r, cy - r, 2 * r, 2 * r, false);
    auto head = [=](cairo_t* p) { ellipse(p, cx + r * 0.85, cy - r * 0.1, r * 0.3, r * 0.36); };
    roundThing(cr, head, INK, cx + r * 0.5, cy - r * 0.5, r * 0.7, r * 0.8, false);
}

void symbolCarrot(cairo_t* cr, double cx, double cy, double r) {
    auto c = [=](cairo_t* p) {
        cairo_move_to(p, cx - r * 0.5, cy - r * 0.5);
        cairo_curve_to(p, cx - r * 0.2, cy, cx, cy + r * 0.6, cx + r * 0.1, cy + r);
        cairo_curve_to(p, cx + r * 0.4, cy + r * 0.2, cx + r * 0.5, cy - r * 0.1, cx + r * 0.5, cy - r * 0.5);
        cairo_close_path(p);
    };
    auto leaves = [=](cairo_t* p) {
        ellipse(p, cx - r * 0.2, cy - r * 0.75, r * 0.18, r * 0.35);
        ellipse(p, cx + r * 0.2, cy - r * 0.75, r * 0.18, r * 0.35);
    };
    silhouette(cr, leaves, GREEN, cx - r * 0.4, cy - r, r * 0.8, r * 0.6, false);
    roundThing(cr, c, ORANGE, cx - r * 0.5, cy - r * 0.5, r, r * 1.5, false);
}

void symbolBox(cairo_t* cr, double cx, double cy, double r) {
    auto b = [=](cairo_t* p) { roundedRect(p, cx - r * 0.9, cy - r * 0.7, r * 1.8, r * 1.5, r * 0.15); };
    roundThing(cr, b, WOOD, cx - r, cy - r, 2 * r, 2 * r, false);
    cairo_move_to(cr, cx - r * 0.9, cy);
    cairo_line_to(cr, cx + r * 0.9, cy);
    cairo_set_line_width(cr, basePx(cr, 1.2));
    setColor(cr, WOOD_DARK);
    cairo_stroke(cr);
}

void symbolFish(cairo_t* cr, double cx, double cy, double r) {
    auto f = [=](cairo_t* p) {
        cairo_move_to(p, cx - r * 0.9, cy);
        cairo_curve_to(p, cx - r * 0.4, cy - r * 0.7, cx + r * 0.4, cy - r * 0.55, cx + r * 0.6, cy);
        cairo_line_to(p, cx + r, cy - r * 0.45);
        cairo_line_to(p, cx + r, cy + r * 0.45);
        cairo_line_to(p, cx + r * 0.6, cy);
        cairo_curve_to(p, cx + r * 0.4, cy + r * 0.55, cx - r * 0.4, cy + r * 0.7, cx - r * 0.9, cy);
        cairo_close_path(p);
    };
    roundThing(cr, f, BLUE, cx - r, cy - r * 0.6, 2 * r, r * 1.2, false);
    ellipse(cr, cx - r * 0.5, cy - r * 0.1, r * 0.1, r * 0.1);
    setColor(cr, INK);
    cairo_fill(cr);
}

void symbolPaw(cairo_t* cr, double cx, double cy, double r) {
    auto paw = [=](cairo_t* p) {
        ellipse(p, cx, cy + r * 0.3, r * 0.5, r * 0.42);
        ellipse(p, cx - r * 0.62, cy - r * 0.2, r * 0.2, r * 0.26);
        ellipse(p, cx - r * 0.22, cy - r * 0.6, r * 0.2, r * 0.26);
        ellipse(p, cx + r * 0.22, cy - r * 0.6, r * 0.2, r * 0.26);
        ellipse(p, cx + r * 0.62, cy - r * 0.2, r * 0.2, r * 0.26);
    };
    roundThing(cr, paw, BROWN, cx - r, cy - r, 2 * r, 2 * r, false);
}

void symbolBird(cairo_t* cr, double cx, double cy, double r) {
    auto b = [=](cairo_t* p) {
        ellipse(p, cx, cy + r * 0.1, r * 0.7, r * 0.55);
        ellipse(p, cx + r * 0.45, cy - r * 0.35, r * 0.38, r * 0.36);
    };
    silhouette(cr, b, BLUE, cx - r, cy - r, 2 * r, 2 * r, false);
    poly(cr, {{cx + r * 0.8, cy - r * 0.4}, {cx + r * 1.05, cy - r * 0.3}, {cx + r * 0.8, cy - r * 0.2}});
    setColor(cr, ORANGE);
    cairo_fill(cr);
    ellipse(cr, cx + r * 0.55, cy - r * 0.42, r * 0.07, r * 0.07);
    setColor(cr, INK);
    cairo_fill(cr);
}

void symbolButterfly(cairo_t* cr, double cx, double cy, double r) {
    auto w = [=](cairo_t* p) {
        ellipse(p, cx - r * 0.5, cy - r * 0.35, r * 0.5, r * 0.55);
        ellipse(p, cx + r * 0.5, cy - r * 0.35, r * 0.5, r * 0.55);
        ellipse(p, cx - r * 0.4, cy + r * 0.45, r * 0.35, r * 0.4);
        ellipse(p, cx + r * 0.4, cy + r * 0.45, r * 0.35, r * 0.4);
    };
    silhouette(cr, w, ORANGE, cx - r, cy - r, 2 * r, 2 * r, false);
    ellipse(cr, cx, cy, r * 0.1, r * 0.6);
    setColor(cr, INK);
    cairo_fill(cr);
}

void symbolDrop(cairo_t* cr, double cx, double cy, double r) {
    auto d = [=](cairo_t* p) {
        cairo_move_to(p, cx, cy - r);
        cairo_curve_to(p, cx + r * 0.3, cy - r * 0.4, cx + r * 0.75, cy, cx + r * 0.75, cy + r * 0.3);
        cairo_arc(p, cx, cy + r * 0.3, r * 0.75, 0, M_PI);
        cairo_curve_to(p, cx - r * 0.75, cy, cx - r * 0.3, cy - r * 0.4, cx, cy - r);
        cairo_close_path(p);
    };
    roundThing(cr, d, WATER, cx - r * 0.75, cy - r, r * 1.5, r * 2, false);
}

void symbolHeart(cairo_t* cr, double cx, double cy, double r) {
    auto h = [=](cairo_t* p) {
        cairo_move_to(p, cx, cy + r * 0.9);
        cairo_curve_to(p, cx - r * 1.3, cy, cx - r * 0.7, cy - r * 1.1, cx, cy - r * 0.4);
        cairo_curve_to(p, cx + r * 0.7, cy - r * 1.1, cx + r * 1.3, cy, cx, cy + r * 0.9);
        cairo_close_path(p);
    };
    roundThing(cr, h, PINK, cx - r, cy - r, 2 * r, 2 * r, false);
}

} // namespace Kit
