#include "game/level/vehicles/StateAnimation.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/Random.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"

using namespace Engine;

cStateAnimation::cStateAnimation(cWidget* parent) : cPanel(parent) {}

cStateAnimation::~cStateAnimation() {
    for (State* state : m_stateList)
        delete state;
}

void cStateAnimation::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    IXmlNode* states = nullptr;
    if (node->findNode("States", states)) {
        for (int index = 0; index < states->getNodeCount(); ++index) {
            IXmlNode* child = nullptr;
            if (!states->getNodeAt(index, child))
                continue;
            auto* state = new State;
            state->widget = new cPanel(this);
            state->widget->loadXML(child);
            state->widget->hide();
            cVector2 cycles;
            cLayoutReader::readVector(child, L"PlayCycles", cycles);
            state->minCycles = int32_t(cycles.x);
            state->maxCycles = int32_t(cycles.y);
            m_stateList.push_back(state);
        }
    }
    reset();
}

void cStateAnimation::reset() {
    setState(0);
}

void cStateAnimation::startCurrent() {
    State* state = m_stateList[m_current];
    const int32_t cycles =
        int32_t(float(state->maxCycles - state->minCycles) * float(randomNext()) / 32768.0f + float(state->minCycles));
    m_timeLeft = float(cycles) * state->widget->getAnimLength();
    state->widget->setAnimPosition(0);
    state->widget->show();
}

void cStateAnimation::setState(int index) {
    if (m_stateList.empty())
        return;
    if (index < 0 || size_t(index) >= m_stateList.size())
        index = 0;
    if (m_current < m_stateList.size())
        m_stateList[m_current]->widget->hide();
    m_current = uint32_t(index);
    startCurrent();
}

void cStateAnimation::process() {
    cPanel::process();
    if (m_stateList.empty())
        return;
    const float dt = frameDelta();
    State* state = m_stateList[m_current];
    if (m_timeLeft > 0) {
        m_timeLeft -= dt;
        if (!state->widget->isVisible())
            state->widget->show();
        return;
    }
    state->widget->hide();
    if (!m_hold)
        m_current = uint32_t((m_current + 1) % m_stateList.size());
    startCurrent();
}

void cStateAnimation::setAlpha(float alpha) {
    cPanel::setAlpha(alpha);
    if (m_current < m_stateList.size() && m_stateList[m_current]->widget->getAlpha() != alpha)
        m_stateList[m_current]->widget->setAlpha(alpha);
}

void cStateAnimation::removeState(int index) {
    if (index < 0 || size_t(index) >= m_stateList.size())
        return;
    State* state = m_stateList[size_t(index)];
    m_stateList.erase(m_stateList.begin() + index);
    deleteWidgetLater(state->widget);
    delete state;
    m_current = 0;
}
