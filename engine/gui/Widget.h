#pragma once

// The node of the widget tree: parent and owned children, own and inherited visible, enabled
// and absolutely-enabled flags, a lock flag and a fade value. Its cascades keep the frame
// manager's registries in step with the flags: a visible and enabled widget is in the process
// registry, an absolutely enabled one in the update registry. Root widgets fade in and out.

#include "engine/core/FrameWidget.h"

#include <set>
#include <vector>

namespace Engine {

class IXmlNode;

enum eWidgetKind {
    WIDGET_KIND_PLAIN = 0,
    WIDGET_KIND_SPRITE = 1,
    WIDGET_KIND_PANEL = 2,
    WIDGET_KIND_PYRO = 5,
};

enum eFadeMode {
    FADE_NONE = 0,
    FADE_IN = 1,
    FADE_OUT = 2,
    FADE_OUT_DELETE = 3,
};

class cWidget : public IFrameWidget {
public:
    using tChildren = std::set<cWidget*>;

    // Hidden and disabled; under a parent it takes the parent's derived flags as inherited ones.
    // It joins no registry until it is shown and enabled.
    explicit cWidget(cWidget* parent);
    // A root copy of a template: the template's own flags, lock and fade speed, no children,
    // fade value 0. It joins the process registry when enabled and the update registry when
    // absolutely enabled, whatever its visibility, but no show hook has run for it: the caller
    // places it with setParent and must show it explicitly for its onShow (draw list, input
    // callbacks of controls) to run.
    cWidget(const cWidget& other);
    cWidget& operator=(const cWidget&) = delete;
    // Deletes the children, leaves the parent, every registry and set.
    ~cWidget() override;

    int getKind() const override { return WIDGET_KIND_PLAIN; }
    void process() override {}
    void onUpdate() override {}
    // Lock reaches every descendant directly (their own overrides are not called).
    virtual void lock();
    virtual void unlock();
    virtual bool isLocked() const { return m_locked; }
    virtual void addChild(cWidget* child);
    virtual void removeChild(cWidget* child);
    // Places the replacement under this widget where the child stands in its lists (a recreated
    // particle effect takes its original's place); the child itself stays until it is deleted.
    virtual void replaceChild(cWidget* child, cWidget* replacement);
    // "Visible", "Enable", "TranparencySpeed", "AbsoluteEnable"; a missing flag is false.
    virtual void loadXML(const IXmlNode* node);
    virtual void onShow();
    virtual void onHide();
    virtual void onAlphaChanged();
    virtual void startProcessing();
    virtual void stopProcessing();
    virtual void startUpdating();
    virtual void stopUpdating();

    // Each does nothing when the widget is no longer alive.
    void show();
    void hide();
    void enable();
    void disable();
    void enableAbsolute();
    void disableAbsolute();

    bool isVisible() const override { return m_visible && m_parentVisible; }
    bool isEnabled() const { return m_enabled && m_parentEnabled; }
    bool isAbsoluteEnabled() const { return m_absoluteEnabled && m_parentAbsoluteEnabled; }
    bool isFading() const override { return m_fadeMode != FADE_NONE; }
    int getFadeMode() const { return m_fadeMode; }

    void setParent(cWidget* parent);
    cWidget* getParent() const { return m_parent; }
    const tChildren& getChildren() const { return m_children; }

    // Fades of root widgets. On a widget with a parent they take effect at once (show, hide,
    // hide and delete later), as a child is never stepped.
    void fadeIn();
    void fadeOut();
    void fadeOutAndDelete();
    void stepFade() override;
    float getFadeValue() const { return m_alpha; }
    float getFadeSpeed() const { return m_fadeSpeed; }
    void setFadeSpeed(float speed) { m_fadeSpeed = speed; }
    // The fade value of the top-most ancestor (this widget's own for a root).
    float getRootAlpha() const;

    // Calls f on each child of a snapshot, skipping those that left meanwhile.
    template <class F> void forEachChild(F f);

    // Detaches without the show cascade: the widget is about to be deleted.
    void detachFromParent() override;

protected:
    void onParentShown();
    void onParentHidden();
    void onParentEnabled();
    void onParentDisabled();
    void onParentAbsoluteEnabled();
    void onParentAbsoluteDisabled();
    // Sets m_alpha, with onAlphaChanged when it changed.
    void setAlphaValue(float alpha);

    float m_alpha = 0;
    float m_fadeSpeed = 3.3f;
    int m_fadeMode = FADE_NONE;
    tChildren m_children;
    cWidget* m_parent = nullptr;
    bool m_visible = false;
    bool m_parentVisible = true;
    bool m_enabled = false;
    bool m_parentEnabled = true;
    bool m_absoluteEnabled = false;
    bool m_parentAbsoluteEnabled = true;
    bool m_locked = false;

private:
    void setLockedTree(bool locked);
};

// Show or hide, enable or disable, a widget that may be missing (null).
void setWidgetShown(cWidget* widget, bool shown);
void setWidgetEnabled(cWidget* widget, bool enabled);

template <class F> void cWidget::forEachChild(F f) {
    if (m_children.empty())
        return;
    std::vector<cWidget*> snapshot(m_children.begin(), m_children.end());
    for (cWidget* child : snapshot)
        if (m_children.count(child))
            f(child);
}

} // namespace Engine
