#include "engine/core/WidgetSets.h"

#include "engine/core/FrameRegistry.h"
#include "engine/core/FrameWidget.h"

namespace Engine {

namespace {

tWidgetSet g_liveWidgets;
tWidgetSet g_pendingDeletions;
tWidgetSet g_fadingWidgets;
// Widgets detached and about to be deleted by flushDeferredDeletions.
tWidgetSet g_deleting;

} // namespace

IFrameWidget::IFrameWidget() {
    g_liveWidgets.insert(this);
}

IFrameWidget::~IFrameWidget() {
    g_fadingWidgets.erase(this);
    removeFromProcessList(this);
    removeFromUpdateList(this);
    g_liveWidgets.erase(this);
    cancelWidgetDelete(this);
}

bool isWidgetAlive(const IFrameWidget* widget) {
    return g_liveWidgets.count(const_cast<IFrameWidget*>(widget)) != 0;
}

tWidgetSet& getLiveWidgets() {
    return g_liveWidgets;
}

void deleteWidgetLater(IFrameWidget* widget) {
    // An owner may hand over a root widget that was deleted before it (a sweep of the roots at
    // the end): a deleted widget is never touched again.
    if (widget && isWidgetAlive(widget))
        g_pendingDeletions.insert(widget);
}

void cancelWidgetDelete(IFrameWidget* widget) {
    g_pendingDeletions.erase(widget);
    // A widget deleted by another one's destructor must not be deleted a second time.
    g_deleting.erase(widget);
}

tWidgetSet& getPendingDeletions() {
    return g_pendingDeletions;
}

tWidgetSet& getFadingWidgets() {
    return g_fadingWidgets;
}

void flushDeferredDeletions() {
    if (g_pendingDeletions.empty())
        return;
    for (IFrameWidget* widget : tWidgetSet(g_pendingDeletions)) {
        widget->detachFromParent();
        g_deleting.insert(widget);
    }
    while (!g_deleting.empty()) {
        IFrameWidget* widget = *g_deleting.begin();
        g_deleting.erase(g_deleting.begin());
        delete widget;
    }
}

} // namespace Engine
