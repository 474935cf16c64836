#include "engine/core/DrawList.h"

#include "engine/core/Drawable.h"

#include <algorithm>

namespace Engine {

namespace {

std::vector<IDrawable*> g_drawList;
// While drawAll walks its snapshot: the entries removed meanwhile (hidden or deleted).
bool g_walking = false;
std::vector<IDrawable*> g_left;

struct cWalk {
    cWalk() {
        g_walking = true;
        g_left.clear();
    }
    ~cWalk() {
        g_walking = false;
        g_left.clear();
    }
};

} // namespace

void cDrawList::add(IDrawable* drawable) {
    g_drawList.push_back(drawable);
    drawable->setInDrawList(true);
}

void cDrawList::remove(IDrawable* drawable) {
    auto it = std::find(g_drawList.begin(), g_drawList.end(), drawable);
    if (it == g_drawList.end())
        return;
    drawable->setInDrawList(false);
    g_drawList.erase(it);
    if (g_walking)
        g_left.push_back(drawable);
}

std::vector<IDrawable*>& cDrawList::getEntries() {
    return g_drawList;
}

void drawAll(tDrawCallback callback) {
    std::sort(g_drawList.begin(), g_drawList.end(),
              [](const IDrawable* a, const IDrawable* b) { return a->drawsBefore(*b); });
    // A draw may hide, show or delete sprites (an animation's end hook): walk a snapshot and skip
    // whoever left meanwhile, without touching it.
    const std::vector<IDrawable*> snapshot = g_drawList;
    cWalk walk;
    for (IDrawable* drawable : snapshot) {
        if (!g_left.empty() && std::find(g_left.begin(), g_left.end(), drawable) != g_left.end())
            continue;
        if (drawable->isVisible())
            callback(drawable);
    }
}

} // namespace Engine
