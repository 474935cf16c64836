#pragma once

// Shared drawing helpers: a picture canvas at the output scale, rounded shapes, shading with
// the light from the top left, the warm outline, the soft drop shadow and the gloss. Every
// picture module draws through these, so the whole game keeps one look.

#include "Palette.h"

#include <cairo.h>

#include <functional>
#include <string>

namespace Paint {

using Palette::Rgb;
using PathFn = std::function<void(cairo_t*)>;

// Output scale: 1 for the 1024x768 layouts (the only set the game ships); 2 draws a double-size
// set for trying out large desktops. Pictures are drawn in base pixels; the canvas multiplies.
void setScale(int scale);
int scale();

// A transparent picture of w x h base pixels.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return m_cr; }
    cairo_surface_t* surface() const { return m_surface; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // Writes the PNG, creating folders; throws on failure.
    void save(const std::string& path) const;

private:
    int m_width, m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0);
// User-space length of a distance of n base pixels under the current transform.
double basePx(cairo_t* cr, double n);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// The soft drop shadow of a shape: offset (2, 3), blur 3, black at 35 % (base pixels).
void shadow(cairo_t* cr, const PathFn& path, double alpha = Palette::SHADOW_ALPHA, double dx = 2, double dy = 3,
            double blur = 3);
// A soft glow around a shape: the shape blurred in the colour.
void glow(cairo_t* cr, const PathFn& path, Rgb color, double alpha, double blur);
// Fills the shape with a radial light from the top left of its box (round things).
void fillRound(cairo_t* cr, const PathFn& path, Rgb base, double x, double y, double w, double h,
               double strength = 1.0);
// Fills the shape with a straight gradient, lighter at the top left (flat things).
void fillFlat(cairo_t* cr, const PathFn& path, Rgb base, double x, double y, double w, double h, double strength = 1.0);
// Warm dark outline, 2 base pixels unless told.
void outline(cairo_t* cr, const PathFn& path, double widthPx = 2.0, double alpha = Palette::OUTLINE_ALPHA);
// A small soft highlight near the top left, clipped to the shape.
void gloss(cairo_t* cr, const PathFn& path, double cx, double cy, double rx, double ry, double alpha = 0.6);
// Darkens the bottom right inside the shape (a rim of shade that rounds flat shapes).
void innerShade(cairo_t* cr, const PathFn& path, double widthPx, double alpha);

// Shadow, round light, gloss and outline: the usual piece of the board.
void roundThing(cairo_t* cr, const PathFn& path, Rgb base, double x, double y, double w, double h,
                bool withShadow = true);

// For shapes built of overlapping parts: the outline is laid first at double width, so only
// the outer edge of the union shows.
void silhouette(cairo_t* cr, const PathFn& path, Rgb base, double x, double y, double w, double h,
                bool withShadow = true);

// Text of the game's title font (Comfortaa Bold), centred on (cx, baseline).
void titleText(cairo_t* cr, const std::string& text, double size, double cx, double baseline, Rgb fill,
               double outlinePx, bool withShadow);

// Width of a text in the title font.
double titleWidth(const std::string& text, double size);

// Deterministic noise for textures (same picture every run).
double hashNoise(int x, int y, int seed);

} // namespace Paint
