#include "engine/gui/Widget.h"

#include "engine/core/FrameRegistry.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"

#include <cmath>

namespace Engine {

cWidget::cWidget(cWidget* parent) : m_parent(parent) {
    if (parent) {
        parent->addChild(this);
        m_parentEnabled = parent->isEnabled();
        m_parentVisible = parent->isVisible();
        m_parentAbsoluteEnabled = parent->isAbsoluteEnabled();
    }
}

cWidget::cWidget(const cWidget& other)
    : IFrameWidget(), m_fadeSpeed(other.m_fadeSpeed), m_visible(other.m_visible), m_enabled(other.m_enabled),
      m_absoluteEnabled(other.m_absoluteEnabled), m_locked(other.m_locked) {
    if (isEnabled())
        addToProcessList(this);
    if (isAbsoluteEnabled())
        addToUpdateList(this);
}

cWidget::~cWidget() {
    getFadingWidgets().erase(this);
    while (!m_children.empty()) {
        cWidget* child = *m_children.begin();
        m_children.erase(m_children.begin());
        child->m_parent = nullptr;
        delete child;
    }
    if (m_parent)
        m_parent->removeChild(this);
    m_parent = nullptr;
    // IFrameWidget's destructor leaves the registries, the live set and the pending deletions.
}

void cWidget::lock() {
    setLockedTree(true);
}

void cWidget::unlock() {
    setLockedTree(false);
}

void cWidget::setLockedTree(bool locked) {
    m_locked = locked;
    for (cWidget* child : m_children)
        child->setLockedTree(locked);
}

void cWidget::addChild(cWidget* child) {
    m_children.insert(child);
}

void cWidget::removeChild(cWidget* child) {
    m_children.erase(child);
}

void cWidget::replaceChild(cWidget*, cWidget* replacement) {
    if (replacement)
        replacement->setParent(this);
}

void cWidget::loadXML(const IXmlNode* node) {
    bool visible = false, enabled = false, absolute = false;
    parseBool(visible, node->getAttribute(L"Visible"));
    parseBool(enabled, node->getAttribute(L"Enable"));
    float speed = NAN;
    parseFloat(speed, node->getAttribute(L"TranparencySpeed"));
    if (speed > 0 && std::isfinite(speed))
        m_fadeSpeed = speed;
    parseBool(absolute, node->getAttribute(L"AbsoluteEnable"));
    if (visible)
        show();
    else
        hide();
    if (enabled)
        enable();
    else
        disable();
    if (absolute)
        enableAbsolute();
}

void cWidget::setAlphaValue(float alpha) {
    if (m_alpha == alpha)
        return;
    m_alpha = alpha;
    onAlphaChanged();
}

// The cascades reach each descendant once per call: a child's onShow or onHide does its own
// children, so the parent never visits them a second time.

void cWidget::show() {
    if (!isWidgetAlive(this))
        return;
    m_visible = true;
    setAlphaValue(1);
    if (isVisible())
        onShow();
}

void cWidget::onShow() {
    if (isEnabled()) {
        startProcessing();
        forEachChild([](cWidget* child) { child->onParentEnabled(); });
    }
    forEachChild([](cWidget* child) { child->onParentShown(); });
    m_fadeMode = FADE_NONE;
}

void cWidget::onParentShown() {
    m_parentVisible = true;
    if (isVisible())
        onShow();
}

void cWidget::hide() {
    if (!isWidgetAlive(this))
        return;
    m_visible = false;
    setAlphaValue(0);
    onHide();
}

void cWidget::onHide() {
    if (isEnabled()) {
        stopProcessing();
        forEachChild([](cWidget* child) { child->onParentDisabled(); });
    }
    forEachChild([](cWidget* child) { child->onParentHidden(); });
    m_fadeMode = FADE_NONE;
}

void cWidget::onParentHidden() {
    m_parentVisible = false;
    onHide();
}

void cWidget::enable() {
    if (!isWidgetAlive(this) || m_enabled)
        return;
    m_enabled = true;
    if (isEnabled() && isVisible()) {
        forEachChild([](cWidget* child) { child->onParentEnabled(); });
        startProcessing();
    }
}

void cWidget::onParentEnabled() {
    m_parentEnabled = true;
    if (isEnabled() && isVisible()) {
        forEachChild([](cWidget* child) { child->onParentEnabled(); });
        startProcessing();
    }
}

void cWidget::disable() {
    if (!isWidgetAlive(this) || !m_enabled)
        return;
    m_enabled = false;
    forEachChild([](cWidget* child) { child->onParentDisabled(); });
    stopProcessing();
}

void setWidgetShown(cWidget* widget, bool shown) {
    if (!widget)
        return;
    if (shown)
        widget->show();
    else
        widget->hide();
}

void setWidgetEnabled(cWidget* widget, bool enabled) {
    if (!widget)
        return;
    if (enabled)
        widget->enable();
    else
        widget->disable();
}

void cWidget::onParentDisabled() {
    m_parentEnabled = false;
    forEachChild([](cWidget* child) { child->onParentDisabled(); });
    stopProcessing();
}

void cWidget::enableAbsolute() {
    if (!isWidgetAlive(this) || m_absoluteEnabled)
        return;
    m_absoluteEnabled = true;
    if (isAbsoluteEnabled()) {
        forEachChild([](cWidget* child) { child->onParentAbsoluteEnabled(); });
        startUpdating();
    }
}

void cWidget::onParentAbsoluteEnabled() {
    m_parentAbsoluteEnabled = true;
    if (isAbsoluteEnabled()) {
        forEachChild([](cWidget* child) { child->onParentAbsoluteEnabled(); });
        startUpdating();
    }
}

void cWidget::disableAbsolute() {
    if (!isWidgetAlive(this) || !m_absoluteEnabled)
        return;
    m_absoluteEnabled = false;
    forEachChild([](cWidget* child) { child->onParentAbsoluteDisabled(); });
    stopUpdating();
}

void cWidget::onParentAbsoluteDisabled() {
    m_parentAbsoluteEnabled = false;
    forEachChild([](cWidget* child) { child->onParentAbsoluteDisabled(); });
    stopUpdating();
}

void cWidget::onAlphaChanged() {
    forEachChild([](cWidget* child) { child->onAlphaChanged(); });
}

void cWidget::startProcessing() {
    addToProcessList(this);
}

void cWidget::stopProcessing() {
    removeFromProcessList(this);
}

void cWidget::startUpdating() {
    addToUpdateList(this);
}

void cWidget::stopUpdating() {
    removeFromUpdateList(this);
}

void cWidget::setParent(cWidget* parent) {
    if (parent == m_parent)
        return;
    if (m_parent)
        m_parent->removeChild(this);
    m_parent = parent;
    if (!parent) {
        onParentShown();
        return;
    }
    parent->addChild(this);
    if (m_parentVisible != parent->isVisible()) {
        if (m_parentVisible)
            onParentHidden();
        else
            onParentShown();
    }
    if (m_parentEnabled != parent->isEnabled()) {
        if (m_parentEnabled)
            onParentDisabled();
        else
            onParentEnabled();
    }
}

void cWidget::detachFromParent() {
    if (m_parent)
        m_parent->removeChild(this);
    m_parent = nullptr;
}

void cWidget::fadeIn() {
    if (m_parent) {
        show();
        return;
    }
    m_visible = true;
    if (isVisible())
        onShow();
    getFadingWidgets().insert(this);
    m_fadeMode = FADE_IN;
}

void cWidget::fadeOut() {
    if (m_parent) {
        hide();
        return;
    }
    getFadingWidgets().insert(this);
    m_fadeMode = FADE_OUT;
    if (m_enabled) {
        stopProcessing();
        forEachChild([](cWidget* child) { child->onParentDisabled(); });
    }
}

void cWidget::fadeOutAndDelete() {
    if (m_parent) {
        hide();
        deleteWidgetLater(this);
        return;
    }
    getFadingWidgets().insert(this);
    m_fadeMode = FADE_OUT_DELETE;
    if (m_enabled)
        disable();
    if (m_absoluteEnabled)
        disableAbsolute();
}

void cWidget::stepFade() {
    if (m_parent) {
        // Re-parented while fading: a child is never stepped, so end the fade rather than keep
        // the fading set, and with it every widget's per-frame hooks, stopped for good.
        m_fadeMode = FADE_NONE;
        return;
    }
    const float dt = frameDelta();
    // A speed of 0, below 0 or not a number would never end the fade and so pause every
    // widget's hooks for good: such a fade ends in one step.
    const bool usable = m_fadeSpeed > 0 && std::isfinite(m_fadeSpeed);
    const float step = usable ? m_fadeSpeed * dt : 1.0f;
    switch (m_fadeMode) {
    case FADE_IN:
        m_alpha = usable ? m_alpha + step : 1.0f;
        if (m_alpha >= 1.0f)
            m_fadeMode = FADE_NONE;
        break;
    case FADE_OUT:
        m_alpha -= step;
        if (m_alpha <= 0.0f) {
            hide();
            m_fadeMode = FADE_NONE;
        }
        break;
    case FADE_OUT_DELETE:
        m_alpha -= step;
        if (m_alpha <= 0.0f) {
            m_fadeMode = FADE_NONE;
            hide();
            deleteWidgetLater(this);
        }
        break;
    default:
        break;
    }
    onAlphaChanged();
}

float cWidget::getRootAlpha() const {
    const cWidget* widget = this;
    while (widget->m_parent)
        widget = widget->m_parent;
    return widget->m_alpha;
}

} // namespace Engine
