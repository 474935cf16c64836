#pragma once

// The parts buildings of the map are made of, in the three-quarter view: the front faces the
// viewer, the right side and the roof go back up and to the right, light from the top left.
// Every part belongs to a layer, so one drawing gives the whole building, each falling part
// alone (ground, walls, roof, extras) and the three roof colours of a level.

#include "Paint.h"

namespace Kit {

using Palette::Rgb;

enum Layer { GROUND = 1, WALLS = 2, ROOF = 4, EXTRAS = 8, ALL = 15 };

// A level's look: variant 0, 1, 2 differ in roof colour and trim.
struct Style {
    Rgb roof;
    Rgb trim;
};
Style variant(int index);

struct Ctx {
    cairo_t* cr;
    int layers;
    Style style;
    bool on(Layer l) const { return (layers & l) != 0; }
};

enum class Wall { Planks, Logs, Plaster, Stone, Brick, Glass };

// Depth of a block's side: the side goes (d * SX, -d * SY) from the front's right edge.
constexpr double SX = 0.55;
constexpr double SY = 0.42;

// A box: front face x..x+w, from ground up h; side face of depth d. Layer WALLS.
void block(Ctx& k, double x, double ground, double w, double h, double d, Wall wall, Rgb colour);
// A gable roof facing the viewer over a block (front top at y = ground - h).
void gableRoof(Ctx& k, double x, double top, double w, double d, double rise, double overhang = 5);
// A roof with its ridge along the front: front slope, gable on the right side.
void ridgeRoof(Ctx& k, double x, double top, double w, double d, double rise, double overhang = 5);
// A flat-topped cone roof on a round tower (cx, top) of radius r.
void coneRoof(Ctx& k, double cx, double top, double r, double rise);
// A standing cylinder (silo, tower, tank). Layer WALLS.
void cylinder(Ctx& k, double cx, double ground, double r, double h, Rgb colour, bool stone);

// Details (layer EXTRAS unless the part says otherwise).
void door(Ctx& k, double cx, double ground, double w, double h, Rgb colour, bool arched = true);
void barnDoor(Ctx& k, double cx, double ground, double w, double h, Rgb colour);
void window(Ctx& k, double cx, double cy, double w, double h, bool shutters = true);
void roundWindow(Ctx& k, double cx, double cy, double r);
void chimney(Ctx& k, double x, double top, double w, double h, bool smoke = true);
void fence(Ctx& k, double x0, double x1, double ground, double h = 14);     // layer GROUND
void sideFence(Ctx& k, double x, double ground, double len, double h = 14); // going back
void yard(Ctx& k, double cx, double cy, double rx, double ry, Rgb colour);  // layer GROUND
void contactShadow(Ctx& k, double cx, double cy, double rx, double ry);     // layer GROUND
void bush(Ctx& k, double cx, double ground, double r, Rgb flowers, bool withFlowers = true);
void tree(Ctx& k, double cx, double ground, double s);
void hay(Ctx& k, double cx, double ground, double r);
void barrel(Ctx& k, double cx, double ground, double r);
void sack(Ctx& k, double cx, double ground, double r);
void crate(Ctx& k, double cx, double ground, double s);
void flowerBox(Ctx& k, double cx, double top, double w);
using Symbol = void (*)(cairo_t* cr, double cx, double cy, double r);
void sign(Ctx& k, double cx, double cy, double w, double h, Symbol icon);
void wheelSpoked(Ctx& k, double cx, double cy, double r, Rgb colour, double turn = 0);
void bell(Ctx& k, double cx, double cy, double r);
void clock(Ctx& k, double cx, double cy, double r);
void lamp(Ctx& k, double cx, double ground, double h);
void rock(Ctx& k, double cx, double ground, double r, Rgb colour);
// Small symbols for signs and work icons, centred on (cx, cy), about 2r across.
void symbolEgg(cairo_t* cr, double cx, double cy, double r);
void symbolCheese(cairo_t* cr, double cx, double cy, double r);
void symbolBread(cairo_t* cr, double cx, double cy, double r);
void symbolCake(cairo_t* cr, double cx, double cy, double r);
void symbolYarn(cairo_t* cr, double cx, double cy, double r, Rgb colour);
void symbolPot(cairo_t* cr, double cx, double cy, double r);
void symbolShirt(cairo_t* cr, double cx, double cy, double r);
void symbolBead(cairo_t* cr, double cx, double cy, double r);
void symbolHoney(cairo_t* cr, double cx, double cy, double r);
void symbolMilk(cairo_t* cr, double cx, double cy, double r);
void symbolFlour(cairo_t* cr, double cx, double cy, double r);
void symbolCloth(cairo_t* cr, double cx, double cy, double r);
void symbolStone(cairo_t* cr, double cx, double cy, double r);
void symbolSheep(cairo_t* cr, double cx, double cy, double r);
void symbolCarrot(cairo_t* cr, double cx, double cy, double r);
void symbolBox(cairo_t* cr, double cx, double cy, double r);
void symbolFish(cairo_t* cr, double cx, double cy, double r);
void symbolPaw(cairo_t* cr, double cx, double cy, double r);
void symbolBird(cairo_t* cr, double cx, double cy, double r);
void symbolButterfly(cairo_t* cr, double cx, double cy, double r);
void symbolDrop(cairo_t* cr, double cx, double cy, double r);
void symbolHeart(cairo_t* cr, double cx, double cy, double r);

} // namespace Kit
