#include "engine/gui/Slider.h"

#include "engine/core/FrameManager.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"

#include <algorithm>
#include <cmath>

namespace Engine {

cSliderThumb::cSliderThumb(cSlider* slider) : cTextureButton(slider) {}

cSlider* cSliderThumb::slider() const {
    return static_cast<cSlider*>(getParent());
}

void cSliderThumb::clicked() {
    cTextureButton::clicked();
    if (isWidgetAlive(this) && slider() && !slider()->isLocked())
        slider()->beginDrag();
}

void cSliderThumb::unclicked() {
    cTextureButton::unclicked();
    if (isWidgetAlive(this) && slider())
        slider()->endDrag();
}

void cSliderThumb::onHide() {
    if (slider())
        slider()->endDrag();
    cTextureButton::onHide();
}

cSlider::cSlider(cWidget* parent) : cTextureButton(parent), m_thumb(new cSliderThumb(this)) {}

void cSlider::loadXML(const IXmlNode* node) {
    cTextureButton::loadXML(node);
    IXmlNode* thumb = nullptr;
    if (node->findNode("Slider", thumb))
        m_thumb->loadXML(thumb);
    cLayoutReader::readFloat(node, L"Max", m_max);
    cLayoutReader::readFloat(node, L"Min", m_min);
    cLayoutReader::readFloat(node, L"Value", m_value);
    int layout = 0;
    parseInt(layout, node->getAttribute(L"Layout"));
    setLayout(layout);
    updateThumb();
}

void cSlider::setRange(float min, float max) {
    m_min = min;
    m_max = max;
}

void cSlider::trackEnds(float& lo, float& hi) const {
    const float centre = m_layout == 1 ? m_position.y : m_position.x;
    const float half = std::fabs(m_layout == 1 ? m_size.y : m_size.x) * 0.5f;
    lo = centre - half;
    hi = centre + half;
}

void cSlider::beginDrag() {
    if (m_dragging || isLocked())
        return;
    m_dragging = true;
    if (m_dragCallback)
        m_dragCallback(this, true);
}

void cSlider::endDrag() {
    if (!m_dragging)
        return;
    m_dragging = false;
    if (m_dragCallback)
        m_dragCallback(this, false);
}

void cSlider::clicked() {
    cButton::clicked();
    if (isWidgetAlive(this))
        beginDrag();
}

void cSlider::unclicked() {
    cButton::unclicked();
    if (isWidgetAlive(this))
        endDrag();
}

void cSlider::process() {
    // A locked slider keeps its value, also while a drag it began before is held.
    if (!m_dragging || isLocked())
        return;
    const IFrameManager* frames = getFrameManager();
    if (!frames)
        return;
    float lo = 0, hi = 0;
    trackEnds(lo, hi);
    const cVector2& cursor = *frames->getCursorPosition();
    const float c = std::clamp(m_layout == 1 ? cursor.y : cursor.x, lo, hi);
    // A track of no length, or no range, has only the minimum.
    const float v = hi > lo ? m_min + (c - lo) * (m_max - m_min) / (hi - lo) : m_min;
    if (v == m_value)
        return;
    m_value = v;
    if (m_valueCallback)
        m_valueCallback(this, v);
    if (isWidgetAlive(this) && m_changeCallback)
        m_changeCallback(v);
    if (isWidgetAlive(this))
        updateThumb();
}

void cSlider::updateThumb() {
    float lo = 0, hi = 0;
    trackEnds(lo, hi);
    const float fraction = m_max != m_min ? (m_value - m_min) / (m_max - m_min) : 0.0f;
    const float along = lo + (hi - lo) * fraction;
    if (m_layout == 1)
        m_thumb->setPosition(m_position.x, along);
    else
        m_thumb->setPosition(along, m_position.y);
}

} // namespace Engine
