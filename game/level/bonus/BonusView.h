#pragma once

// One bonus button of the bonus panel: shows how far its bonus has charged, lights up and
// flashes when charged (with a particle burst and a fanfare once), and on a click asks the
// controller for the bonus's effect.

#include "engine/gui/FrameButton.h"
#include "game/shell/TipClient.h"

namespace Engine {
class cPyroEffect;
}
struct cGameResource;
class cBonusPanel;
class cFlashingPanel;
class cMeadowModel;
class cSubstrateProgressBar;

class cBonusView : public Engine::cFrameButton, public cTipClient {
public:
    // Reads "Meadow/View/BonusView.xml"; disabled until its bonus is charged.
    explicit cBonusView(cBonusPanel* panel);
    ~cBonusView() override;

    // The button keys, the tip keys, "Progress" and "ActivationEffect".
    void loadXML(const Engine::IXmlNode* node) override;
    void clicked() override;
    void createTip() override;
    Engine::cSprite* getControl() override { return this; }

    // Shows the record's charge state.
    void update();

    cGameResource* getRecord() const { return m_record; }
    void setRecord(cGameResource* record) { m_record = record; }
    void setModel(cMeadowModel* model) { m_model = model; }
    cSubstrateProgressBar* getProgress() const { return m_progress; }
    cFlashingPanel* getReadyFlash() const { return m_readyFlash; }
    Engine::cPyroEffect* getActivationEffect() const { return m_activationEffect; }

private:
    cGameResource* m_record = nullptr;
    cMeadowModel* m_model = nullptr;
    cSubstrateProgressBar* m_progress;
    cFlashingPanel* m_readyFlash = nullptr;
    Engine::cPyroEffect* m_activationEffect = nullptr;
};
