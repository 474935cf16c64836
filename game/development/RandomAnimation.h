#pragma once

// One animation of an animal at a building: shown now and then by its animal set, and a button
// that plays the animal's voice when clicked, with a silence between voices.

#include "engine/gui/Button.h"

#include <string>

class IBuildingScreen;

class cRandomAnimation : public Engine::cButton {
public:
    cRandomAnimation(Engine::cWidget* parent, IBuildingScreen* layer);
    ~cRandomAnimation() override;

    // The button's step, then the voice's silence runs down.
    void process() override;
    // The button's keys, then "probability".
    void loadXML(const Engine::IXmlNode* node) override;
    // Ignored while a board screen is open; a voice and an animals-care click outside the silence.
    void clicked() override;

    virtual float& getProbability() { return m_probability; }
    virtual void setProbability(const float& probability) { m_probability = probability; }

    void setVoice(const std::string& id, const Engine::cVector2& silence) {
        m_voiceId = id;
        m_silenceTime = silence;
    }
    float getVoiceCooldown() const { return m_voiceCooldown; }

private:
    IBuildingScreen* m_layer;
    float m_probability = 0;
    float m_voiceCooldown = 0;
    Engine::cVector2 m_silenceTime;
    std::string m_voiceId;
};
