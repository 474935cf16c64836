#include "engine/core/FrameRegistry.h"

#include "engine/core/FrameWidget.h"

#include <set>

namespace Engine {

namespace {

struct cRegistry {
    std::set<IFrameWidget*> members;
    std::set<IFrameWidget*> pendingAdditions;
    std::set<IFrameWidget*> pendingRemovals;
    bool walking = false;

    void add(IFrameWidget* widget) {
        if (walking) {
            pendingRemovals.erase(widget);
            pendingAdditions.insert(widget);
        } else {
            members.insert(widget);
        }
    }
    void remove(IFrameWidget* widget) {
        if (walking) {
            pendingAdditions.erase(widget);
            pendingRemovals.insert(widget);
        } else {
            members.erase(widget);
        }
    }
    void applyPending() {
        members.insert(pendingAdditions.begin(), pendingAdditions.end());
        for (IFrameWidget* widget : pendingRemovals)
            members.erase(widget);
        pendingAdditions.clear();
        pendingRemovals.clear();
        walking = false;
    }
    template <class Call> void walk(Call call) {
        walking = true;
        // Members do not change during the walk (changes go to the pending sets).
        for (IFrameWidget* widget : members)
            if (!pendingRemovals.count(widget))
                call(widget);
        applyPending();
    }
    bool contains(const IFrameWidget* widget) const {
        auto* key = const_cast<IFrameWidget*>(widget);
        if (pendingRemovals.count(key))
            return false;
        return members.count(key) || pendingAdditions.count(key);
    }
};

cRegistry g_update;
cRegistry g_process;

} // namespace

void addToUpdateList(IFrameWidget* widget) {
    g_update.add(widget);
}
void removeFromUpdateList(IFrameWidget* widget) {
    g_update.remove(widget);
}
void addToProcessList(IFrameWidget* widget) {
    g_process.add(widget);
}
void removeFromProcessList(IFrameWidget* widget) {
    g_process.remove(widget);
}
void beginUpdateWalk() {
    g_update.walking = true;
}
void beginProcessWalk() {
    g_process.walking = true;
}
void applyPendingUpdates() {
    g_update.applyPending();
}
void applyPendingProcess() {
    g_process.applyPending();
}

void walkUpdateList() {
    g_update.walk([](IFrameWidget* widget) { widget->onUpdate(); });
}

void walkProcessList() {
    g_process.walk([](IFrameWidget* widget) { widget->process(); });
}

bool isInUpdateList(const IFrameWidget* widget) {
    return g_update.contains(widget);
}
bool isInProcessList(const IFrameWidget* widget) {
    return g_process.contains(widget);
}

} // namespace Engine
