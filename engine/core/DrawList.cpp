#include "engine/core/DrawList.h"

#include "engine/core/Drawable.h"

#include <algorithm>

namespace Engine {

namespace {

std::vector<IDrawable*> g_drawList;

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
}

std::vector<IDrawable*>& cDrawList::getEntries() {
    return g_drawList;
}

void drawAll(tDrawCallback callback) {
    std::sort(g_drawList.begin(), g_drawList.end(),
              [](const IDrawable* a, const IDrawable* b) { return a->drawsBefore(*b); });
    for (IDrawable* drawable : g_drawList)
        if (drawable->isVisible())
            callback(drawable);
}

} // namespace Engine
