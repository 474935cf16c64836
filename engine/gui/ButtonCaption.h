#pragma once

// The caption of a caption button: a label that keeps a colour, a position offset and a letter
// scale for each of the four button states, and while the button is hovered moves its letters
// apart in a wave, alternately down and up, until they settle back when the hover ends.

#include "engine/gui/Label.h"

namespace Engine {

class cButtonCaption : public cLabel {
public:
    static const int STATE_COUNT = 4;

    explicit cButtonCaption(cWidget* parent);
    // The label copy (with its text), the wave settings and the state arrays; no letter moving.
    cButtonCaption(const cButtonCaption& other);
    ~cButtonCaption() override;

    // The label's step, then the letters one wave step towards their places.
    void process() override;
    // The label keys, then "Offset", "Speed" and the state colours, offsets and multipliers.
    void loadXML(const IXmlNode* node) override;

    void startWave();
    void stopWave();
    bool isWaveOn() const { return m_waveOn; }
    bool isWaveMoving() const { return m_waveMoving; }
    float getWaveOffset() const { return m_waveOffset; }
    float getWaveSpeed() const { return m_waveSpeed; }

    // Whether the index names a state (0 to 3).
    static bool isState(int state) { return state >= 0 && state < STATE_COUNT; }
    // Entry state of each array; an index that names no state reads the normal state's entry.
    const cColor& getStateColor(int state) const;
    const cVector2& getStateOffset(int state) const;
    float getStateMultiplier(int state) const;

protected:
    bool m_waveOn = false;
    float m_waveOffset = 100.0f;
    float m_waveSpeed = 200.0f;
    bool m_waveMoving = false;
    cColor m_stateColors[STATE_COUNT];
    cVector2 m_stateOffsets[STATE_COUNT];
    // The natural letter scale until an element is read.
    float m_stateMultipliers[STATE_COUNT] = {1.0f, 1.0f, 1.0f, 1.0f};

private:
    static int entry(int state) { return isState(state) ? state : 1; }
};

} // namespace Engine
