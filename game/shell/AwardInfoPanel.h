#pragma once

// The announcement of an award: a panel that slides from its rest position to its stop, waits,
// and slides back, showing the award's picture and description. A click on it while it is out
// opens the awards dialog.

#include "engine/core/Vector2.h"
#include "engine/gui/TextureButton.h"

#include <boost/signals2/connection.hpp>

class cActionQueue;
class cAward;
class cAwardManager;

namespace Engine {
class cMultilineText;
}

class cAwardInfoPanel : public Engine::cTextureButton {
public:
    // Reads "Awards/AwardInfoPanel.xml" and rests at its source position; it has no parent.
    explicit cAwardInfoPanel(cAwardManager* manager);
    ~cAwardInfoPanel() override;

    // The button's keys, "InfoText", "src_pos", "dst_pos", "move_down_time", "wait_time".
    void loadXML(const Engine::IXmlNode* node) override;
    // Takes the award and starts the slide; a previous award goes to the deferred deletion.
    virtual void showAward(cAward* award);
    // The slide has come back.
    void onEffectFinished();
    // The panel has reached its stop.
    void onArrived();
    static void onClicked(Engine::cButton* button);

    cAward* getCurrentAward() const { return m_currentAward; }
    Engine::cMultilineText* getInfoText() const { return m_infoText; }
    cActionQueue* getActions() const { return m_actions; }
    const Engine::cVector2& getSrcPos() const { return m_srcPos; }
    const Engine::cVector2& getDstPos() const { return m_dstPos; }
    float getMoveDownTime() const { return m_moveDownTime; }
    float getWaitTime() const { return m_waitTime; }

private:
    void releaseConnections();

    cAwardManager* m_manager;
    cAward* m_currentAward = nullptr;
    Engine::cMultilineText* m_infoText;
    Engine::cVector2 m_srcPos;
    Engine::cVector2 m_dstPos;
    cActionQueue* m_actions;
    float m_moveDownTime = 0;
    float m_waitTime = 0;
    boost::signals2::connection m_arrivedConnection;
    boost::signals2::connection m_finishedConnection;
};
