#pragma once

// The panel that drops in when the board has no possible move, announces it, starts the
// rearranging bonus on arrival, waits, leaves and deletes itself; the tutorial's tips wait until
// it has gone. It has no parent; the board screen keeps no pointer to it.

#include "engine/core/Vector2.h"
#include "engine/gui/Panel.h"

#include <boost/signals2/connection.hpp>

namespace Engine {
class cMultilineText;
}
class cActionQueue;
class cMeadowView;

class cNoMovesPanel : public Engine::cPanel {
public:
    // Reads "Meadow/View/NoMovesPanel.xml" and stands at "src_pos".
    explicit cNoMovesPanel(cMeadowView* board);
    ~cNoMovesPanel() override;

    void loadXML(const Engine::IXmlNode* node) override;
    // Drop in, wait, leave; the board's rearranging starts on arrival.
    virtual void start();

    Engine::cMultilineText* getInfoText() const { return m_infoText; }
    cActionQueue* getQueue() const { return m_queue; }
    const Engine::cVector2& getSourcePosition() const { return m_srcPos; }
    const Engine::cVector2& getDestination() const { return m_dstPos; }
    const Engine::cVector2& getExitPosition() const { return m_dstPos2; }

private:
    void onFirstGroupFinished();
    void onQueueFinished();
    // Tips wait while the panel shows: one would cover it.
    void holdTips(bool hold);

    cMeadowView* m_board;
    Engine::cMultilineText* m_infoText;
    Engine::cVector2 m_srcPos;
    Engine::cVector2 m_dstPos;
    Engine::cVector2 m_dstPos2;
    float m_moveDownTime2 = 0;
    cActionQueue* m_queue;
    float m_moveDownTime = 0;
    float m_waitTime = 0;
    boost::signals2::connection m_queueFinishedConnection;
    boost::signals2::connection m_firstGroupConnection;
    bool m_holdingTips = false;
};
