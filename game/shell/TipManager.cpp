#include "game/shell/TipManager.h"

#include "engine/core/FrameManager.h"
#include "engine/gui/Sprite.h"
#include "game/shell/Tip.h"
#include "game/shell/TipClient.h"

#include <algorithm>
#include <vector>

using namespace Engine;

namespace {

float controlDepth(const cTipClient* client) {
    cSprite* control = const_cast<cTipClient*>(client)->getControl();
    return control ? control->getDepth() : 0.0f;
}

} // namespace

bool compareTipClients(const cTipClient* a, const cTipClient* b) {
    if (!a || !b)
        throw "compareTipClients(): one of objects is null";
    return controlDepth(b) < controlDepth(a);
}

cTipManager::cTipManager() : cWidget(nullptr) {
    m_moveHook.addMouseMove(onMouseMove, this);
}

cTipManager::~cTipManager() = default;

void cTipManager::onMouseMove(int, int value, void* user) {
    if (value != 0)
        static_cast<cTipManager*>(user)->checkHover();
}

void cTipManager::addClient(cTipClient* client) {
    if (hasClient(client))
        return;
    m_clients.push_back(client);
    m_clients.sort(compareTipClients);
}

void cTipManager::removeClient(cTipClient* client) {
    m_clients.remove(client);
}

bool cTipManager::hasClient(const cTipClient* client) const {
    return std::find(m_clients.begin(), m_clients.end(), client) != m_clients.end();
}

void cTipManager::hideAllClients() {
    const std::vector<cTipClient*> clients(m_clients.begin(), m_clients.end());
    for (cTipClient* client : clients)
        if (hasClient(client))
            client->setHiding();
}

cTip* cTipManager::getShownTip() const {
    for (cTipClient* client : m_clients)
        if (cTip* tip = client->getTip(); tip && tip->isVisible())
            return tip;
    return nullptr;
}

void cTipManager::checkHover() {
    const IFrameManager* frames = getFrameManager();
    const cVector2 cursor = frames ? *frames->getCursorPosition() : cVector2();
    // A client's step may take clients off the list: walk a copy, skip those that left.
    const std::vector<cTipClient*> clients(m_clients.begin(), m_clients.end());
    cTipClient* hit = nullptr;
    std::vector<cTipClient*> above;
    for (cTipClient* client : clients) {
        if (!hasClient(client))
            continue;
        if (client->isPointInside(cursor)) {
            hit = client;
            break;
        }
        above.push_back(client);
    }
    for (cTipClient* client : above)
        if (hasClient(client))
            client->setHiding();
    if (!hit || !hasClient(hit))
        return;
    cTip* tip = hit->getTip();
    if (!tip) {
        hideAllTips();
        hideAllClients();
        return;
    }
    if (hit->isShowing() && tip->isVisible())
        return;
    hit->setShowing();
    m_tipShownSignal(tip);
}
