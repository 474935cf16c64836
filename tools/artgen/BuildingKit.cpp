#include "BuildingKit.h"

#include <cmath>

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

void lines(cairo_t* cr, const PathFn& clip, const std::function<void(cairo_t*)>& draw, Rgb colour, double alpha,
           double width) {
    cairo_save(cr);
    clip(cr);
    cairo_clip(cr);
    draw(cr);
    cairo_set_line_width(cr, basePx(cr, width));
    setColor(cr, colour, alpha);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The texture of a wall face, drawn clipped to the face.
void wallTexture(cairo_t* cr, const PathFn& face, Wall wall, double x, double y, double w, double h, double slope,
                 Rgb colour) {
    switch (wall) {
    case Wall::Planks:
        lines(
            cr, face,
            [&](cairo_t* c) {
                for (double px = x + 7; px < x + w; px += 7) {
                    cairo_move_to(c, px, y - 40);
                    cairo_line_to(c, px, y + h + 40);
                }
            },
            darker(colour, 0.45), 0.45, 0.9);
        break;
    case Wall::Logs:
        lines(
            cr, face,
            [&](cairo_t* c) {
                for (double py = y + h - 6; py > y - 40; py -= 6) {
                    cairo_move_to(c, x - 5, py + slope * 0);
                    cairo_line_to(c, x + w + 5, py + slope * w);
                }
            },
            darker(colour, 0.5), 0.5, 1.0);
        break;
    case Wall::Plaster:
        // Timber framing on the plaster.
        lines(
            cr, face,
            [&](cairo_t* c) {
                cairo_move_to(c, x, y + h * 0.5 + slope * 0);
                cairo_line_to(c, x + w, y + h * 0.5 + slope * w);
            },
            WOOD_DARK, 0.7, 2.2);
        break;
    case Wall::Stone:
    case Wall::Brick: {
        const double bw = wall == Wall::Stone ? 11 : 8, bh = wall == Wall::Stone ? 7 : 4.5;
        cairo_save(cr);
        face(cr);
        cairo_clip(cr);
        int row = 0;
        for (double py = y + h - bh; py > y - 40 - bh; py -= bh, ++row) {
            for (double px = x - bw + (row % 2) * bw * 0.5; px < x + w + bw; px += bw) {
                const double n = hashNoise(int(px * 3), int(py * 3), 17);
                const double yy = py + slope * (px - x);
                if (wall == Wall::Stone)
                    roundedRect(cr, px + 0.8, yy + 0.8, bw - 1.6, bh - 1.6, 2.5);
                else
                    cairo_rectangle(cr, px + 0.5, yy + 0.5, bw - 1, bh - 1);
                setColor(cr, n > 0.5 ? lighter(colour, 0.12) : darker(colour, 0.06), 0.9);
                cairo_fill(cr);
            }
        }
        cairo_restore(cr);
        break;
    }
    case Wall::Glass:
        lines(
            cr, face,
            [&](cairo_t* c) {
                for (double px = x + 9; px < x + w; px += 9) {
                    cairo_move_to(c, px, y - 40);
                    cairo_line_to(c, px, y + h + 40);
                }
                for (double py = y + h - 10; py > y - 30; py -= 10) {
                    cairo_move_to(c, x, py);
                    cairo_line_to(c, x + w, py + slope * w);
                }
            },
            WHITE, 0.85, 1.6);
        cairo_save(cr);
        face(cr);
        cairo_clip(cr);
        for (int i = 0; i < 3; ++i) {
            const double gx = x + w * (0.15 + 0.3 * i);
            poly(cr, {{gx, y + h}, {gx + 6, y + h}, {gx + 20, y - 20}, {gx + 14, y - 20}});
        }
        setColor(cr, WHITE, 0.3);
        cairo_fill(cr);
        cairo_restore(cr);
        break;
    }
}

Rgb wallColour(Wall wall, Rgb colour) {
    return wall == Wall::Glass ? mix(SKY, WHITE, 0.25) : colour;
}

} // namespace

Style variant(int index) {
    switch (index) {
    case 1:
        return {mix(BLUE, DEEP_WATER, 0.35), WHITE};
    case 2:
        return {mix(GREEN, GRASS_DARK, 0.55), GOLD_LIGHT};
    default:
        return {mix(RED, ORANGE, 0.2), CREAM};
    }
}

void block(Ctx& k, double x, double ground, double w, double h, double d, Wall wall, Rgb colour) {
    if (!k.on(WALLS))
        return;
    cairo_t* cr = k.cr;
    const double dx = d * SX, dy = -d * SY, top = ground - h;
    const Rgb c = wallColour(wall, colour);
    auto front = [=](cairo_t* p) { cairo_rectangle(p, x, top, w, h); };
    auto side = [=](cairo_t* p) {
        poly(p, {{x + w, top}, {x + w + dx, top + dy}, {x + w + dx, ground + dy}, {x + w, ground}});
    };
    auto whole = [=](cairo_t* p) {
        poly(p,
             {{x, top}, {x + w, top}, {x + w + dx, top + dy}, {x + w + dx, ground + dy}, {x + w, ground}, {x, ground}});
    };
    shadow(cr, whole);
    fillFlat(cr, front, c, x, top, w, h);
    wallTexture(cr, front, wall, x, top, w, h, 0, c);
    fillFlat(cr, side, darker(c, 0.22), x + w, top + dy, dx, h - dy);
    wallTexture(cr, side, wall, x + w, top, dx, h, dy / std::max(dx, 1.0), darker(c, 0.22));
    // A darker foot where the wall meets the grass.
    cairo_save(cr);
    whole(cr);
    cairo_clip(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, ground - 8, 0, ground);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.12, 0.06, 0, 0.25);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
    outline(cr, front, 1.2, 0.6);
    outline(cr, whole);
}

void gableRoof(Ctx& k, double x, double top, double w, double d, double rise, double o) {
    cairo_t* cr = k.cr;
    const double dx = d * SX, dy = -d * SY;
    const double ax = x + w / 2, ay = top - rise;
    const double slope = rise / (w / 2);
    const double lx = x - o, ly = top + o * slope, rx = x + w + o, ry = top + o * slope;
    // The gable wall belongs to the walls.
    if (k.on(WALLS)) {
        auto gable = [=](cairo_t* p) { poly(p, {{x, top}, {ax, ay}, {x + w, top}}); };
        // The part of the front face the roof does not cover.
        fillFlat(cr, gable, CREAM, x, ay, w, rise, 0.6);
        outline(cr, gable, 1.2, 0.6);
    }
    if (!k.on(ROOF))
        return;
    const Rgb roof = k.style.roof;
    auto back = [=](cairo_t* p) { poly(p, {{lx, ly}, {ax, ay}, {ax + dx, ay + dy}, {lx + dx, ly + dy}}); };
    auto right = [=](cairo_t* p) { poly(p, {{ax, ay}, {rx, ry}, {rx + dx, ry + dy}, {ax + dx, ay + dy}}); };
    auto all = [=](cairo_t* p) {
        poly(p, {{lx, ly}, {ax, ay}, {rx, ry}, {rx + dx, ry + dy}, {ax + dx, ay + dy}, {lx + dx, ly + dy}});
    };
    shadow(cr, all, 0.3);
    fillFlat(cr, back, lighter(roof, 0.18), lx, ay + dy, ax - lx + dx, ly - ay - dy);
    fillFlat(cr, right, darker(roof, 0.12), ax, ay + dy, rx - ax + dx, ry - ay - dy);
    // Shingle rows along the slopes.
    for (int side = 0; side < 2; ++side) {
        const PathFn face = side == 0 ? PathFn(back) : PathFn(right);
        lines(
            cr, face,
            [&](cairo_t* c) {
                for (double t = 0.2; t < 1.0; t += 0.2) {
                    const double px = side == 0 ? lx + (ax - lx) * t : ax + (rx - ax) * t;
                    const double py = side == 0 ? ly + (ay - ly) * t : ay + (ry - ay) * t;
                    cairo_move_to(c, px, py);
                    cairo_line_to(c, px + dx, py + dy);
                }
            },
            darker(roof, 0.4), 0.45, 1.0);
    }
    // Barge boards along the front edges, in trim colour.
    auto barge = [=](cairo_t* p) {
        cairo_move_to(p, lx, ly);
        cairo_line_to(p, ax, ay);
        cairo_line_to(p, rx, ry);
    };
    cairo_save(cr);
    barge(cr);
    cairo_set_line_width(cr, 5.5);
    setColor(cr, INK, 0.85);
    cairo_stroke(cr);
    barge(cr);
    cairo_set_line_width(cr, 3.2);
    setColor(cr, k.style.trim);
    cairo_stroke(cr);
    cairo_restore(cr);
    gloss(cr, back, lx + (ax - lx) * 0.5, ay + (ly - ay) * 0.4 + dy * 0.5, 12, 6, 0.35);
    outline(cr, all);
}

void ridgeRoof(Ctx& k, double x, double top, double w, double d, double rise, double o) {
    cairo_t* cr = k.cr;
    const double dx = d * SX, dy = -d * SY;
    const double hx = dx / 2, hy = dy / 2 - rise;
    if (k.on(WALLS)) {
        auto gable = [=](cairo_t* p) { poly(p, {{x + w, top}, {x + w + hx, top + hy}, {x + w + dx, top + dy}}); };
        fillFlat(cr, gable, darker(CREAM, 0.2), x + w, top + hy, dx, -hy, 0.6);
        outline(cr, gable, 1.2, 0.6);
    }
    if (!k.on(ROOF))
        return;
    const Rgb roof = k.style.roof;
    auto front = [=](cairo_t* p) {
        poly(p,
             {{x - o, top + 2}, {x + w + o * 0.3, top + 2}, {x + w + hx + o * 0.3, top + hy}, {x - o + hx, top + hy}});
    };
    auto all = [=](cairo_t* p) {
        poly(p,
             {{x - o, top + 2}, {x + w + o * 0.3, top + 2}, {x + w + hx + o * 0.3, top + hy}, {x - o + hx, top + hy}});
    };
    shadow(cr, all, 0.3);
    fillFlat(cr, front, roof, x - o, top + hy, w + o + hx, 2 - hy);
    lines(
        cr, front,
        [&](cairo_t* c) {
            for (double t = 0.25; t < 1.0; t += 0.25) {
                cairo_move_to(c, x - o - 5 + hx * t, top + 2 + (hy - 2) * t);
                cairo_line_to(c, x + w + 10 + hx * t, top + 2 + (hy - 2) * t);
            }
        },
        darker(roof, 0.4), 0.45, 1.0);
    // Ridge cap and the right barge board.
    cairo_save(cr);
    cairo_move_to(cr, x - o + hx, top + hy);
    cairo_line_to(cr, x + w + hx + o * 0.3, top + hy);
    cairo_line_to(cr, x + w + o * 0.3, top + 2);
    cairo_set_line_width(cr, 5.5);
    setColor(cr, INK, 0.85);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3.2);
    setColor(cr, k.style.trim);
    cairo_stroke(cr);
    cairo_restore(cr);
    gloss(cr, front, x + w * 0.3, top + hy * 0.6, w * 0.25, 5, 0.35);
    outline(cr, all);
}

void coneRoof(Ctx& k, double cx, double top, double r, double rise) {
    if (!k.on(ROOF))
        return;
    cairo_t* cr = k.cr;
    auto cone = [=](cairo_t* p) {
        cairo_move_to(p, cx, top - rise);
        cairo_line_to(p, cx + r + 4, top + 2);
        cairo_curve_to(p, cx + r, top + 7, cx - r, top + 7, cx - r - 4, top + 2);
        cairo_close_path(p);
    };
    shadow(cr, cone, 0.3);
    fillRound(cr, cone, k.style.roof, cx - r, top - rise, 2 * r, rise + 6);
    ellipse(cr, cx, top - rise - 2, 2.5, 2.5);
    setColor(cr, k.style.trim);
    cairo_fill(cr);
    outline(cr, cone);
}

void cylinder(Ctx& k, double cx, double ground, double r, double h, Rgb colour, bool stone) {
    if (!k.on(WALLS))
        return;
    cairo_t* cr = k.cr;
    const double top = ground - h, ry = r * 0.35;
    auto body = [=](cairo_t* p) {
        cairo_move_to(p, cx - r, top);
        cairo_line_to(p, cx - r, ground);
        cairo_curve_to(p, cx - r, ground + ry * 1.3, cx + r, ground + ry * 1.3, cx + r, ground);
        cairo_line_to(p, cx + r, top);
        cairo_close_path(p);
    };
    shadow(cr, body);
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - r, 0, cx + r, 0);
    const Rgb l = lighter(colour, 0.3), d = darker(colour, 0.3);
    cairo_pattern_add_color_stop_rgb(p, 0, colour.r, colour.g, colour.b);
    cairo_pattern_add_color_stop_rgb(p, 0.3, l.r, l.g, l.b);
    cairo_pattern_add_color_stop_rgb(p, 1, d.r, d.g, d.b);
    body(cr);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    lines(
        cr, body,
        [&](cairo_t* c) {
            for (double y = ground - (stone ? 7 : 10); y > top; y -= stone ? 7 : 10) {
                cairo_move_to(c, cx - r, y);
                cairo_curve_to(c, cx - r, y + ry * 1.3, cx + r, y + ry * 1.3, cx + r, y);
            }
        },
        darker(colour, 0.45), 0.45, 0.9);
    outline(cr, body);
}

void door(Ctx& k, double cx, double ground, double w, double h, Rgb colour, bool arched) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto d = [=](cairo_t* p) {
        if (arched) {
            cairo_move_to(p, cx - w / 2, ground);
            cairo_line_to(p, cx - w / 2, ground - h + w / 2);
            cairo_arc(p, cx, ground - h + w / 2, w / 2, M_PI, 2 * M_PI);
            cairo_line_to(p, cx + w / 2, ground);
            cairo_close_path(p);
        } else {
            cairo_rectangle(p, cx - w / 2, ground - h, w, h);
        }
    };
    fillFlat(cr, d, colour, cx - w / 2, ground - h, w, h);
    lines(
        cr, d,
        [&](cairo_t* c) {
            for (double x = cx - w / 2 + w / 3; x < cx + w / 2 - 1; x += w / 3) {
                cairo_move_to(c, x, ground - h);
                cairo_line_to(c, x, ground);
            }
        },
        darker(colour, 0.4), 0.5, 0.8);
    ellipse(cr, cx + w * 0.28, ground - h * 0.45, 1.3, 1.3);
    setColor(cr, GOLD);
    cairo_fill(cr);
    outline(cr, d, 1.6);
}

void barnDoor(Ctx& k, double cx, double ground, double w, double h, Rgb colour) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto d = [=](cairo_t* p) { cairo_rectangle(p, cx - w / 2, ground - h, w, h); };
    fillFlat(cr, d, colour, cx - w / 2, ground - h, w, h);
    // The white cross braces of a barn door.
    cairo_save(cr);
    d(cr);
    cairo_clip(cr);
    for (int half = 0; half < 2; ++half) {
        const double x0 = cx - w / 2 + half * w / 2, x1 = x0 + w / 2;
        cairo_rectangle(cr, x0 + 1.5, ground - h + 1.5, w / 2 - 3, h - 3);
        cairo_move_to(cr, x0 + 1.5, ground - h + 1.5);
        cairo_line_to(cr, x1 - 1.5, ground - 1.5);
        cairo_move_to(cr, x1 - 1.5, ground - h + 1.5);
        cairo_line_to(cr, x0 + 1.5, ground - 1.5);
    }
    cairo_set_line_width(cr, 2.2);
    setColor(cr, k.style.trim, 0.95);
    cairo_stroke(cr);
    cairo_restore(cr);
    outline(cr, d, 1.6);
}

void window(Ctx& k, double cx, double cy, double w, double h, bool shutters) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto pane = [=](cairo_t* p) { roundedRect(p, cx - w / 2, cy - h / 2, w, h, 1.5); };
    if (shutters) {
        for (int s : {-1, 1}) {
            auto sh = [=](cairo_t* p) { cairo_rectangle(p, cx + s * (w / 2 + 2.5) - 2.5, cy - h / 2, 5, h); };
            fillFlat(cr, sh, k.style.roof, cx - w, cy - h / 2, 2 * w, h);
            outline(cr, sh, 1.2);
        }
    }
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.86, 0.95, 1.0);
    cairo_pattern_add_color_stop_rgb(p, 1, WATER.r * 0.8, WATER.g * 0.8, WATER.b * 0.9);
    pane(cr);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_move_to(cr, cx, cy - h / 2);
    cairo_line_to(cr, cx, cy + h / 2);
    cairo_move_to(cr, cx - w / 2, cy);
    cairo_line_to(cr, cx + w / 2, cy);
    cairo_set_line_width(cr, 1.6);
    setColor(cr, k.style.trim);
    cairo_stroke(cr);
    // Sill.
    cairo_rectangle(cr, cx - w / 2 - 2, cy + h / 2, w + 4, 2.5);
    setColor(cr, k.style.trim);
    cairo_fill_preserve(cr);
    setColor(cr, INK, 0.7);
    cairo_set_line_width(cr, basePx(cr, 0.8));
    cairo_stroke(cr);
    outline(cr, pane, 1.4);
}

void roundWindow(Ctx& k, double cx, double cy, double r) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto pane = [=](cairo_t* p) { ellipse(p, cx, cy, r, r); };
    fillRound(cr, pane, mix(SKY, WHITE, 0.3), cx - r, cy - r, 2 * r, 2 * r);
    cairo_move_to(cr, cx - r, cy);
    cairo_line_to(cr, cx + r, cy);
    cairo_move_to(cr, cx, cy - r);
    cairo_line_to(cr, cx, cy + r);
    cairo_set_line_width(cr, 1.3);
    setColor(cr, k.style.trim);
    cairo_stroke(cr);
    cairo_save(cr);
    pane(cr);
    cairo_set_line_width(cr, 3.5);
    setColor(cr, k.style.trim);
    cairo_stroke(cr);
    cairo_restore(cr);
    outline(
        cr, [=](cairo_t* p) { ellipse(p, cx, cy, r + 1.8, r + 1.8); }, 1.4);
}

void chimney(Ctx& k, double x, double top, double w, double h, bool smoke) {
    if (!k.on(ROOF))
        return;
    cairo_t* cr = k.cr;
    auto c = [=](cairo_t* p) { cairo_rectangle(p, x, top, w, h); };
    fillFlat(cr, c, mix(RED, WOOD_DARK, 0.45), x, top, w, h);
    wallTexture(cr, c, Wall::Brick, x, top, w, h, 0, mix(RED, WOOD_DARK, 0.45));
    auto cap = [=](cairo_t* p) { cairo_rectangle(p, x - 1.5, top - 3, w + 3, 3.5); };
    fillFlat(cr, cap, IRON_DARK, x - 1.5, top - 3, w + 3, 3.5);
    outline(cr, c, 1.4);
    outline(cr, cap, 1.4);
    if (smoke) {
        for (int i = 0; i < 3; ++i) {
            ellipse(cr, x + w / 2 + 3 + i * 4, top - 8 - i * 7, 3.5 + i, 3 + i * 0.8);
            setColor(cr, WHITE, 0.6 - i * 0.15);
            cairo_fill(cr);
        }
    }
}

void fence(Ctx& k, double x0, double x1, double ground, double h) {
    if (!k.on(GROUND))
        return;
    cairo_t* cr = k.cr;
    const Rgb wood = lighter(WOOD, 0.15);
    const int n = std::max(1, int((x1 - x0) / 11));
    auto all = [=](cairo_t* p) {
        for (int i = 0; i <= n; ++i) {
            const double x = x0 + (x1 - x0) * i / n;
            roundedRect(p, x - 1.8, ground - h, 3.6, h + 1, 1.2);
        }
        roundedRect(p, x0 - 2, ground - h * 0.8, x1 - x0 + 4, 2.6, 1.2);
        roundedRect(p, x0 - 2, ground - h * 0.4, x1 - x0 + 4, 2.6, 1.2);
    };
    shadow(cr, all, 0.25, 1, 2, 2);
    outline(cr, all, 3.0);
    fillFlat(cr, all, wood, x0, ground - h, x1 - x0, h);
}

void sideFence(Ctx& k, double x, double ground, double len, double h) {
    if (!k.on(GROUND))
        return;
    cairo_t* cr = k.cr;
    const double dx = len * SX, dy = -len * SY;
    const int n = std::max(1, int(len / 12));
    auto all = [=](cairo_t* p) {
        for (int i = 0; i <= n; ++i) {
            const double px = x + dx * i / n, py = ground + dy * i / n;
            roundedRect(p, px - 1.8, py - h, 3.6, h + 1, 1.2);
        }
        for (double f : {0.8, 0.4}) {
            cairo_move_to(p, x, ground - h * f);
            cairo_line_to(p, x + dx, ground + dy - h * f);
            cairo_line_to(p, x + dx, ground + dy - h * f + 2.6);
            cairo_line_to(p, x, ground - h * f + 2.6);
            cairo_close_path(p);
        }
    };
    outline(cr, all, 3.0);
    fillFlat(cr, all, WOOD, x, ground + dy - h, dx, h - dy);
}

void yard(Ctx& k, double cx, double cy, double rx, double ry, Rgb colour) {
    if (!k.on(GROUND))
        return;
    cairo_t* cr = k.cr;
    auto y = [=](cairo_t* p) { ellipse(p, cx, cy, rx, ry); };
    cairo_save(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 1);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, 1.0 / rx, 1.0 / ry);
    cairo_matrix_translate(&m, -cx, -cy);
    cairo_pattern_set_matrix(p, &m);
    cairo_pattern_add_color_stop_rgba(p, 0, colour.r, colour.g, colour.b, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.8, colour.r, colour.g, colour.b, 0.9);
    cairo_pattern_add_color_stop_rgba(p, 1, colour.r, colour.g, colour.b, 0);
    y(cr);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
    // A few pebbles.
    for (int i = 0; i < 8; ++i) {
        const double a = hashNoise(i, int(cx), 5) * 2 * M_PI, r = 0.3 + 0.55 * hashNoise(i, int(cy), 6);
        ellipse(cr, cx + std::cos(a) * rx * r, cy + std::sin(a) * ry * r, 1.4, 0.9);
    }
    setColor(cr, darker(colour, 0.25), 0.6);
    cairo_fill(cr);
}

void contactShadow(Ctx& k, double cx, double cy, double rx, double ry) {
    if (!k.on(GROUND))
        return;
    cairo_t* cr = k.cr;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.1, 0.2, 0.05, 0.35);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.1, 0.2, 0.05, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void bush(Ctx& k, double cx, double ground, double r, Rgb flowers, bool withFlowers) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto b = [=](cairo_t* p) {
        ellipse(p, cx, ground - r * 0.8, r, r * 0.8);
        ellipse(p, cx - r * 0.7, ground - r * 0.5, r * 0.6, r * 0.5);
        ellipse(p, cx + r * 0.7, ground - r * 0.5, r * 0.65, r * 0.5);
    };
    silhouette(cr, b, GRASS, cx - r * 1.4, ground - r * 1.6, r * 2.8, r * 1.6);
    if (withFlowers)
        for (int i = 0; i < 5; ++i) {
            const double fx = cx - r + 2 * r * hashNoise(i, int(cx), 8),
                         fy = ground - r * 1.3 + r * hashNoise(i, int(cx), 9);
            ellipse(cr, fx, fy, 1.8, 1.8);
            setColor(cr, flowers);
            cairo_fill(cr);
        }
}

void tree(Ctx& k, double cx, double ground, double s) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto trunk = [=](cairo_t* p) {
        poly(p, {{cx - 4 * s, ground},
                 {cx - 2.5 * s, ground - 26 * s},
                 {cx + 2.5 * s, ground - 26 * s},
                 {cx + 4 * s, ground}});
    };
    auto crown = [=](cairo_t* p) {
        ellipse(p, cx, ground - 40 * s, 20 * s, 18 * s);
        ellipse(p, cx - 13 * s, ground - 30 * s, 12 * s, 10 * s);
        ellipse(p, cx + 13 * s, ground - 31 * s, 12 * s, 10 * s);
        ellipse(p, cx + 2 * s, ground - 54 * s, 13 * s, 10 * s);
    };
    fillFlat(cr, trunk, WOOD_DARK, cx - 4 * s, ground - 26 * s, 8 * s, 26 * s);
    outline(cr, trunk, 1.5);
    silhouette(cr, crown, GRASS, cx - 25 * s, ground - 64 * s, 50 * s, 44 * s);
}

void hay(Ctx& k, double cx, double ground, double r) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto h = [=](cairo_t* p) {
        cairo_move_to(p, cx - r, ground);
        cairo_curve_to(p, cx - r, ground - r * 1.6, cx + r, ground - r * 1.6, cx + r, ground);
        cairo_close_path(p);
    };
    roundThing(cr, h, mix(YELLOW, WOOD, 0.3), cx - r, ground - r * 1.2, 2 * r, r * 1.2);
    lines(
        cr, h,
        [&](cairo_t* c) {
            for (int i = 0; i < 6; ++i) {
                const double x = cx - r + 2 * r * (i + 0.5) / 6;
                cairo_move_to(c, x, ground - 1);
                cairo_line_to(c, x + (i - 2.5) * 0.8, ground - r * 0.9);
            }
        },
        WOOD_DARK, 0.45, 0.8);
}

void barrel(Ctx& k, double cx, double ground, double r) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    const double h = r * 2.4;
    auto b = [=](cairo_t* p) {
        cairo_move_to(p, cx - r * 0.85, ground);
        cairo_curve_to(p, cx - r * 1.1, ground - h * 0.35, cx - r * 1.1, ground - h * 0.65, cx - r * 0.85, ground - h);
        cairo_line_to(p, cx + r * 0.85, ground - h);
        cairo_curve_to(p, cx + r * 1.1, ground - h * 0.65, cx + r * 1.1, ground - h * 0.35, cx + r * 0.85, ground);
        cairo_close_path(p);
    };
    roundThing(cr, b, WOOD, cx - r, ground - h, 2 * r, h);
    lines(
        cr, b,
        [&](cairo_t* c) {
            for (double f : {0.22, 0.78}) {
                cairo_move_to(c, cx - r * 1.2, ground - h * f);
                cairo_line_to(c, cx + r * 1.2, ground - h * f);
            }
        },
        IRON_DARK, 0.9, 1.6);
}

void sack(Ctx& k, double cx, double ground, double r) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto s = [=](cairo_t* p) {
        cairo_move_to(p, cx - r * 0.35, ground - r * 1.7);
        cairo_curve_to(p, cx - r * 1.3, ground - r * 1.1, cx - r * 1.3, ground, cx, ground);
        cairo_curve_to(p, cx + r * 1.3, ground, cx + r * 1.3, ground - r * 1.1, cx + r * 0.35, ground - r * 1.7);
        cairo_close_path(p);
    };
    roundThing(cr, s, mix(SOIL, CREAM, 0.4), cx - r, ground - r * 1.7, 2 * r, r * 1.7);
}

void crate(Ctx& k, double cx, double ground, double s) {
    if (!k.on(EXTRAS))
        return;
    Ctx c2 = k;
    c2.layers = WALLS;
    block(c2, cx - s / 2, ground, s, s * 0.8, s * 0.6, Wall::Planks, lighter(WOOD, 0.1));
}

void flowerBox(Ctx& k, double cx, double top, double w) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    for (int i = 0; i < 5; ++i) {
        const double fx = cx - w / 2 + 2 + (w - 4) * i / 4.0;
        ellipse(cr, fx, top - 1.5, 2.2, 2.0);
        setColor(cr, i % 2 ? PINK : RED);
        cairo_fill(cr);
    }
    auto b = [=](cairo_t* p) { cairo_rectangle(p, cx - w / 2, top, w, 4); };
    fillFlat(cr, b, WOOD, cx - w / 2, top, w, 4);
    outline(cr, b, 1.2);
}

void sign(Ctx& k, double cx, double cy, double w, double h, Symbol icon) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto b = [=](cairo_t* p) { roundedRect(p, cx - w / 2, cy - h / 2, w, h, 3); };
    shadow(cr, b, 0.3, 1, 1.5, 1.5);
    fillFlat(cr, b, CREAM, cx - w / 2, cy - h / 2, w, h);
    cairo_save(cr);
    b(cr);
    cairo_set_line_width(cr, 2.2);
    setColor(cr, WOOD);
    cairo_stroke(cr);
    cairo_restore(cr);
    outline(cr, b, 1.3);
    if (icon)
        icon(cr, cx, cy, std::min(w, h) * 0.36);
}

void wheelSpoked(Ctx& k, double cx, double cy, double r, Rgb colour, double turn) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto rim = [=](cairo_t* p) {
        ellipse(p, cx, cy, r, r);
        cairo_new_sub_path(p);
        cairo_arc_negative(p, cx, cy, r * 0.78, 2 * M_PI, 0);
    };
    cairo_save(cr);
    for (int i = 0; i < 8; ++i) {
        const double a = turn + i * M_PI / 4;
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + std::cos(a) * r * 0.85, cy + std::sin(a) * r * 0.85);
        // Paddles on the rim.
        cairo_move_to(cr, cx + std::cos(a) * r * 0.9, cy + std::sin(a) * r * 0.9);
        cairo_line_to(cr, cx + std::cos(a) * r * 1.18, cy + std::sin(a) * r * 1.18);
    }
    cairo_set_line_width(cr, 4.5);
    setColor(cr, INK, 0.85);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2.5);
    setColor(cr, colour);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    fillFlat(cr, rim, colour, cx - r, cy - r, 2 * r, 2 * r);
    outline(cr, rim, 1.5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    auto hub = [=](cairo_t* p) { ellipse(p, cx, cy, r * 0.2, r * 0.2); };
    roundThing(cr, hub, IRON_DARK, cx - r * 0.2, cy - r * 0.2, r * 0.4, r * 0.4, false);
}

void bell(Ctx& k, double cx, double cy, double r) {
    if (!k.on(EXTRAS))
        return;
    auto b = [=](cairo_t* p) {
        cairo_move_to(p, cx - r, cy + r);
        cairo_curve_to(p, cx - r * 0.7, cy, cx - r * 0.8, cy - r, cx, cy - r);
        cairo_curve_to(p, cx + r * 0.8, cy - r, cx + r * 0.7, cy, cx + r, cy + r);
        cairo_close_path(p);
    };
    roundThing(k.cr, b, GOLD, cx - r, cy - r, 2 * r, 2 * r, false);
}

void clock(Ctx& k, double cx, double cy, double r) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto f = [=](cairo_t* p) { ellipse(p, cx, cy, r, r); };
    roundThing(cr, f, WHITE, cx - r, cy - r, 2 * r, 2 * r, false);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy - r * 0.7);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * 0.5, cy + r * 0.1);
    cairo_set_line_width(cr, 1.3);
    setColor(cr, INK);
    cairo_stroke(cr);
}

void lamp(Ctx& k, double cx, double ground, double h) {
    if (!k.on(EXTRAS))
        return;
    cairo_t* cr = k.cr;
    auto post = [=](cairo_t* p) { cairo_rectangle(p, cx - 1.5, ground - h, 3, h); };
    fillFlat(cr, post, IRON_DARK, cx - 1.5, ground - h, 3, h);
    outline(cr, post, 1.2);
    glow(
        cr, [=](cairo_t* p) { ellipse(p, cx, ground - h - 4, 5, 5); }, GOLD_LIGHT, 0.9, 5);
    auto l = [=](cairo_t* p) { roundedRect(p, cx - 4, ground - h - 9, 8, 10, 2); };
    fillRound(cr, l, GOLD_LIGHT, cx - 4, ground - h - 9, 8, 10);
    outline(cr, l, 1.3);
}

void rock(Ctx& k, double cx, double ground, double r, Rgb colour) {
    if (!k.on(EXTRAS))
        return;
    auto b = [=](cairo_t* p) {
        cairo_move_to(p, cx - r, ground);
        cairo_curve_to(p, cx - r * 1.1, ground - r * 0.9, cx - r * 0.3, ground - r * 1.3, cx + r * 0.2,
                       ground - r * 1.1);
        cairo_curve_to(p, cx + r * 0.9, ground - r, cx + r * 1.1, ground - r * 0.4, cx + r, ground);
        cairo_close_path(p);
    };
    roundThing(k.cr, b, colour, cx - r, ground - r * 1.2, 2 * r, r * 1.2);
}

} // namespace Kit
