#pragma once

// The widget tree's global sets that the frame loop walks: live widgets, widgets waiting for
// deletion at the end of the frame, and widgets with a running fade.

#include <set>

namespace Engine {

class IFrameWidget;

using tWidgetSet = std::set<IFrameWidget*>;

bool isWidgetAlive(const IFrameWidget* widget);
tWidgetSet& getLiveWidgets();
// Hands a widget over for deletion at the end of the frame; a second call is harmless.
void deleteWidgetLater(IFrameWidget* widget);
void cancelWidgetDelete(IFrameWidget* widget);
tWidgetSet& getPendingDeletions();
tWidgetSet& getFadingWidgets();
// Detaches and deletes every widget handed to deleteWidgetLater.
void flushDeferredDeletions();

} // namespace Engine
