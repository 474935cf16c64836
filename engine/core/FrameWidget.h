#pragma once

// What the frame loop needs of a widget: its per-frame hooks, its fade step and its detachment
// before a deferred deletion. The widget tree implements it; the frame loop knows no more.
// Construction enters the live set; destruction leaves every registry and set, so a widget
// destroyed in the middle of a frame is never called again.

namespace Engine {

class IFrameWidget {
public:
    IFrameWidget();
    virtual ~IFrameWidget();
    IFrameWidget(const IFrameWidget&) = delete;
    IFrameWidget& operator=(const IFrameWidget&) = delete;

    virtual int getKind() const { return 0; }
    virtual bool isVisible() const = 0;
    // Called every frame for members of the update registry.
    virtual void onUpdate() {}
    // Called every frame for members of the process registry.
    virtual void process() {}
    // One frame of a running fade; called by the frame manager only.
    virtual void stepFade() {}
    virtual bool isFading() const { return false; }
    // Takes the widget out of its parent's children (setParent with none).
    virtual void detachFromParent() = 0;
};

} // namespace Engine
