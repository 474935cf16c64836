#pragma once

// The cat of the cats factory on the map: it wanders between random nodes of its own graph with
// its own looks (walking looks face left and are mirrored for the right), plays funny events
// without a bubble, works briefly at buildings, plays its bird-house scene there, and mews when
// clicked.

#include "game/development/PersonageView.h"

#include "engine/gui/Visual.h"

#include <map>
#include <string>

class cCatPersonModel;

class cCatPersonView : public cPersonageView {
public:
    // Loads the cat's file of the variant through the resource manager.
    cCatPersonView(Engine::cWidget* parent, IPersonageScreen* screen, cCatPersonModel* model, int32_t variant);
    ~cCatPersonView() override;

    void process() override;
    // Its own process counts its work down; counting it here too would halve the bird-house scene.
    void onUpdate() override { cButton::onUpdate(); }
    // The character keys (the model reads its part of the element), "cat_silence_time" and the looks
    // of "States".
    void loadXML(const Engine::IXmlNode* node) override;
    void clicked() override;
    void startTalking() override;
    void startWorking() override;
    void updateVisualState() override;
    void onEndMoving(int32_t node) override;
    void setMoveAnimation(const Engine::cVector2& d) override;
    void stopWorking() override;
    void startFunnyEventTalk() override;
    void endTalk() override;

    const Engine::cVisual& getVisualState(const std::string& id) const;
    const std::string& getVoiceId() const { return m_voiceId; }
    float getVoiceCooldown() const { return m_voiceCooldown; }

protected:
    std::map<std::string, Engine::cVisual> m_states;
    float m_voiceCooldown = 0;
    Engine::cVector2 m_catSilenceTime;
    std::string m_voiceId;
};
