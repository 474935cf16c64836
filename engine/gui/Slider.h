#pragma once

// A texture button with a draggable thumb and a value between "Min" and "Max" along its
// horizontal or vertical track. Pressing the track or the thumb starts a drag; while it lasts
// the value follows the cursor.

#include "engine/gui/TextureButton.h"

namespace Engine {

class cSlider;

// The slider's thumb: its press and release begin and end its slider's drag.
class cSliderThumb : public cTextureButton {
public:
    explicit cSliderThumb(cSlider* slider);

    void clicked() override;
    void unclicked() override;
    // Ends a running drag before hiding.
    void onHide() override;

private:
    cSlider* slider() const;
};

class cSlider : public cTextureButton {
public:
    using tValueCallback = void (*)(cSlider* slider, float value);
    using tDragCallback = void (*)(cSlider* slider, bool dragging);
    using tChangeCallback = void (*)(float value);

    explicit cSlider(cWidget* parent);

    // While dragging: the value under the cursor. No panel step, animation or deferred events.
    void process() override;
    // The texture button keys, the "Slider" element (the thumb), "Max", "Min", "Value" and
    // "Layout"; then the thumb is placed.
    void loadXML(const IXmlNode* node) override;
    void clicked() override;
    void unclicked() override;

    virtual tDragCallback& getDragCallback() { return m_dragCallback; }
    virtual void setDragCallback(tDragCallback callback) { m_dragCallback = callback; }
    virtual tValueCallback& getValueCallback() { return m_valueCallback; }
    virtual void setValueCallback(tValueCallback callback) { m_valueCallback = callback; }
    // The game's screens take the value alone; called after the value callback.
    void setChangeCallback(tChangeCallback callback) { m_changeCallback = callback; }

    // Places the thumb for the value: the start edge at "Min", the end edge at "Max".
    void updateThumb();
    // Plain store; call updateThumb to move the thumb.
    void setValue(float value) { m_value = value; }
    float getValue() const { return m_value; }
    float getMin() const { return m_min; }
    float getMax() const { return m_max; }
    void setRange(float min, float max);
    int getLayout() const { return m_layout; }
    void setLayout(int layout) { m_layout = layout == 1 ? 1 : 0; }
    bool isDragging() const { return m_dragging; }
    cSliderThumb* getThumb() const { return m_thumb; }

    void beginDrag();
    void endDrag();

protected:
    // The track's ends on the layout's axis.
    void trackEnds(float& lo, float& hi) const;

    cSliderThumb* m_thumb;
    int m_layout = 0;
    bool m_dragging = false;
    float m_max = 0;
    float m_min = 0;
    float m_value = 0;
    tValueCallback m_valueCallback = nullptr;
    tDragCallback m_dragCallback = nullptr;
    tChangeCallback m_changeCallback = nullptr;
};

} // namespace Engine
