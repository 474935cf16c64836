#pragma once

// Decides, whenever the mouse moves, which single tool-tip may show: its clients are kept
// ordered by the depth of their controls, deepest (drawn on top) first, and the first client
// under the cursor shows its tip while those above it in the list hide theirs.

#include "engine/core/Singleton.h"
#include "engine/gui/InputHooks.h"
#include "engine/gui/Widget.h"

#include <boost/signals2/signal.hpp>

#include <list>

class cTip;
class cTipClient;

// Whether a goes before b: b's control lies less deep than a's. Throws for a null client.
bool compareTipClients(const cTipClient* a, const cTipClient* b);

class cTipManager : public Engine::cWidget, public Engine::cSingleton<cTipManager> {
public:
    using tTipShownSignal = boost::signals2::signal<void(cTip*)>;

    // Listens to the mouse's movement; throws "Object already exist." for a second one.
    cTipManager();
    ~cTipManager() override;

    // Appended, then the list sorted again (stable: equal depths keep their order).
    void addClient(cTipClient* client);
    void removeClient(cTipClient* client);
    bool hasClient(const cTipClient* client) const;
    void hideAllClients();
    // The tip of the first client whose tip is visible, or null.
    cTip* getShownTip() const;
    // The movement step: the cursor picks the client whose tip shows.
    void checkHover();

    const std::list<cTipClient*>& getClients() const { return m_clients; }

    // Fired with the tip that a hover asked to show.
    tTipShownSignal m_tipShownSignal;

private:
    static void onMouseMove(int code, int value, void* user);

    std::list<cTipClient*> m_clients;
    Engine::cInputHooks m_moveHook;
};
