#pragma once

// The two per-frame registries (update and process). Changes made while a registry is walked
// wait in its pending sets and are applied when the walk ends.

namespace Engine {

class IFrameWidget;

void addToUpdateList(IFrameWidget* widget);
void removeFromUpdateList(IFrameWidget* widget);
void addToProcessList(IFrameWidget* widget);
void removeFromProcessList(IFrameWidget* widget);
void beginUpdateWalk();
void beginProcessWalk();
void applyPendingUpdates();
void applyPendingProcess();
// One walk each: every member not removed meanwhile gets onUpdate / process.
void walkUpdateList();
void walkProcessList();
bool isInUpdateList(const IFrameWidget* widget);
bool isInProcessList(const IFrameWidget* widget);

} // namespace Engine
