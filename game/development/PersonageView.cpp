#include "game/development/PersonageView.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/FrameTextButton.h"
#include "game/development/BubbleView.h"
#include "game/development/Graph.h"
#include "game/development/PersonageModel.h"
#include "game/development/PersonageScreen.h"
#include "game/development/UnitView.h"
#include "game/shell/RandomFloat.h"

#include <cmath>

using Engine::cLayoutReader;
using Engine::cStringA;
using Engine::cVector2;

namespace {

const char* const kWalkLooks[5] = {"pers_move_up", "pers_move_up_right", "pers_move_right", "pers_move_down_right",
                                   "pers_move_down"};

// A node button of the editor's overlay: it remembers its node, and its hover callbacks find
// the heroine's view through it.
class cNodeButton : public Engine::cFrameTextButton {
public:
    cNodeButton(const Engine::cFrameTextButton& proto, cPersonageView* view, int32_t index)
        : cFrameTextButton(proto), m_view(view), m_index(index) {
        setHoverCallback(&cNodeButton::hovered);
        setUnhoverCallback(&cNodeButton::unhovered);
    }
    // The view is gone or has made its overlay again: the button only waits for its deletion.
    void forget() {
        setHoverCallback(nullptr);
        setUnhoverCallback(nullptr);
    }

private:
    static void hovered(Engine::cButton* button) {
        auto* node = static_cast<cNodeButton*>(button);
        node->m_view->growNeighbours(node->m_index);
    }
    static void unhovered(Engine::cButton* button) {
        auto* node = static_cast<cNodeButton*>(button);
        node->m_view->shrinkNeighbours(node->m_index);
    }

    cPersonageView* m_view;
    int32_t m_index;
};

} // namespace

cPersonageView::cPersonageView(Engine::cWidget* parent, IPersonageScreen* screen, cPersonageModel* model)
    : cButton(parent), m_model(model), m_screen(screen), m_bubble(new cBubbleView(this, this)) {}

cPersonageView::~cPersonageView() {
    // The overlay and its prototypes live under the development screen.
    removeGraph();
    for (Engine::cPanel* proto : {static_cast<Engine::cPanel*>(m_nodeProto), m_arcProto})
        if (proto && Engine::isWidgetAlive(proto))
            Engine::deleteWidgetLater(proto);
}

void cPersonageView::loadCharacterKeys(const Engine::IXmlNode* node) {
    cButton::loadXML(node);
    m_standSize = getSize();
    cLayoutReader::readFloat(node, L"HeightOffset", m_heightOffset);
    cLayoutReader::readVector(node, L"size_up", m_sizeUp);
    cLayoutReader::readVector(node, L"size_up_left", m_sizeUpLeft);
    cLayoutReader::readVector(node, L"size_left", m_sizeLeft);
    cLayoutReader::readVector(node, L"size_left_down", m_sizeLeftDown);
    cLayoutReader::readVector(node, L"size_down", m_sizeDown);
    // The model reads "Graph" and "PersonageFunnyEvents" of the same element.
    m_model->loadXML(const_cast<Engine::IXmlNode*>(node), m_fileName);
    if (m_screen->isEditorMode()) {
        m_nodeProto = loadProto<Engine::cFrameTextButton>(node, "NodeProto");
        m_arcProto = loadProto<Engine::cPanel>(node, "ArcProto");
    }
    cLayoutReader::readVector(node, L"large_node_size", m_largeNodeSize);
    cLayoutReader::readVector(node, L"normal_node_size", m_normalNodeSize);
    cLayoutReader::readFloat(node, L"moving_speed_x", m_speedX);
    cLayoutReader::readFloat(node, L"moving_speed_y", m_speedY);
    cLayoutReader::readFloat(node, L"moving_speed_xy", m_speedXY);
    cLayoutReader::readFloat(node, L"talking_time", m_talkingTime);
    cLayoutReader::readFloat(node, L"max_idle_time", m_maxIdleTime);
    cLayoutReader::readFloat(node, L"min_idle_time", m_minIdleTime);
    cLayoutReader::readFloat(node, L"will_to_work", m_willToWork);
    Engine::IXmlNode* bubble = nullptr;
    if (node->findNode("PersonageBubble", bubble) && bubble) {
        m_bubble->loadXML(bubble);
        m_bubble->hide();
    }
    resetIdleTime();
    // The bubble moves with her; the picture is raised, so move it now.
    invalidate();
}

void cPersonageView::loadXML(const Engine::IXmlNode* node) {
    loadCharacterKeys(node);
    enableAbsolute();
}

void cPersonageView::setPosition(const cVector2& position) {
    cSprite::setPosition(position);
    setDepth(position.y);
    m_bubble->keepLayoutDepth();
}

void cPersonageView::prepareDraw() {
    if (!isDirty())
        return;
    const float y = m_position.y;
    m_position.y -= m_heightOffset;
    cSprite::prepareDraw();
    m_position.y = y;
}

bool cPersonageView::isPointInside(const cVector2& point) const {
    return cButton::isPointInside(point + cVector2(0.0f, m_heightOffset));
}

void cPersonageView::resetIdleTime() {
    m_idleTimeLeft = randomFloat(m_minIdleTime, m_maxIdleTime);
}

void cPersonageView::takeWalkingLook(const Engine::cVisual& look) {
    if (look.getPicture() != getPicture()) {
        Engine::cVisual::operator=(look);
        invalidate();
    }
}

void cPersonageView::takeLook(const Engine::cVisual& look) {
    if (look != *this) {
        Engine::cVisual::operator=(look);
        invalidate();
    }
}

bool cPersonageView::chooseWalk(const cVector2& d, tWalk& walk) const {
    const float length = d.length();
    if (!(length > 0))
        return false;
    const cVector2 n = d / length;
    const float c = -n.y;
    const float theta = c <= -1 ? float(M_PI) : c >= 1 ? 0.0f : std::acos(c);
    const float a = float(M_PI) / 8;
    if (theta < a)
        walk = {0, m_sizeUp, m_speedY, false};
    else if (theta < 3 * a)
        walk = {1, m_sizeUpLeft, m_speedXY, n.x < 0};
    else if (theta < 5 * a)
        walk = {2, m_sizeLeft, m_speedX, n.x < 0};
    else if (theta < 7 * a)
        walk = {3, m_sizeLeftDown, m_speedXY, n.x < 0};
    else
        walk = {4, m_sizeDown, m_speedY, false};
    return true;
}

void cPersonageView::setMoveAnimation(const cVector2& d) {
    tWalk walk;
    if (!chooseWalk(d, walk))
        return;
    // Straight up or down keeps the mirror of the walk before.
    if (walk.direction != 0 && walk.direction != 4)
        setInverseX(walk.mirrored);
    m_speed = walk.speed;
    setSize(walk.size);
    takeWalkingLook(m_screen->getVisualState(kWalkLooks[walk.direction]));
}

bool cPersonageView::stepToNode(float dt) {
    const cVector2 d = m_destination->getPosition() - getPosition();
    if (d.x == 0 && d.y == 0)
        return true;
    const cVector2 step = d / d.length() * (m_speed * dt);
    setPosition(getPosition() + step);
    return (m_destination->getPosition() - getPosition()).dot(step) <= 0;
}

void cPersonageView::keepMoving() {
    if (!m_destination)
        throw cStringA("cPersonageView::keepMoving(): destination node is not defined");
    setMoveAnimation(m_destination->getPosition() - getPosition());
    m_moving = true;
}

void cPersonageView::startMoving() {
    m_bubble->startHiding();
    m_funnyTalking = m_talking = false;
    show();
    m_working = false;
    m_destination = m_model->getGraph()->getClosestNode(getPosition().x, getPosition().y);
    keepMoving();
}

void cPersonageView::placeAtCurrentPoint() {
    setPosition(m_model->getGraph()->getNode(m_model->getCurrentPoint())->getPosition());
    updateVisualState();
    if (!m_screen->isEditorMode())
        return;
    if (m_screen->isLevelRunning())
        removeGraph();
    else
        showGraph();
}

template <class tProto> tProto* cPersonageView::loadProto(const Engine::IXmlNode* node, const char* name) {
    Engine::IXmlNode* element = nullptr;
    if (!node->findNode(name, element) || !element)
        return nullptr;
    auto* proto = new tProto(m_screen->getWidget());
    proto->loadXML(element);
    proto->hide();
    return proto;
}

void cPersonageView::removeGraph() {
    for (const auto& [index, widget] : m_nodeWidgets)
        if (Engine::isWidgetAlive(widget)) {
            static_cast<cNodeButton*>(widget)->forget();
            Engine::deleteWidgetLater(widget);
        }
    for (Engine::cPanel* widget : m_arcWidgets)
        if (Engine::isWidgetAlive(widget))
            Engine::deleteWidgetLater(widget);
    m_nodeWidgets.clear();
    m_arcWidgets.clear();
}

void cPersonageView::showGraph() {
    removeGraph();
    cGraph* graph = m_model->getGraph();
    if (m_nodeProto)
        for (int32_t index : graph->getNodeIndices()) {
            auto* marker = new cNodeButton(*m_nodeProto, this, index);
            marker->setParent(m_screen->getWidget());
            marker->setPosition(graph->getNode(index)->getPosition());
            marker->setText(std::to_wstring(index));
            marker->show();
            m_nodeWidgets[index] = marker;
        }
    if (m_arcProto)
        for (const cGraphArc* arc : graph->copyArcs()) {
            if (!arc->m_node1 || !arc->m_node2)
                continue;
            const cVector2 a = arc->m_node1->getPosition(), b = arc->m_node2->getPosition();
            auto* bar = new Engine::cPanel(*m_arcProto);
            bar->setParent(m_screen->getWidget());
            bar->show();
            bar->setPosition((a + b) * 0.5f);
            bar->setSize(cVector2((b - a).length(), m_arcProto->getSize().y));
            bar->setAngle(-std::atan2(b.y - a.y, b.x - a.x) * 180.0f / float(M_PI));
            m_arcWidgets.push_back(bar);
        }
}

void cPersonageView::resizeNeighbours(int32_t node, const cVector2& size) {
    for (cGraphNode* neighbour : m_model->getGraph()->getNeighbours(node)) {
        auto it = m_nodeWidgets.find(neighbour->getIndex());
        if (it != m_nodeWidgets.end())
            it->second->setSize(size);
    }
}

void cPersonageView::growNeighbours(int32_t node) {
    resizeNeighbours(node, m_largeNodeSize);
}

void cPersonageView::shrinkNeighbours(int32_t node) {
    resizeNeighbours(node, m_normalNodeSize);
}

void cPersonageView::hideBubble() {
    m_bubble->hide();
}

void cPersonageView::updateVisualState() {
    const int32_t state = m_model->getState();
    std::string id;
    cVector2 size = m_standSize;
    switch (state) {
    case cPersonageModel::PERSONAGE_IDLE:
        id = "pers_idle";
        break;
    case cPersonageModel::PERSONAGE_MOVE:
        keepMoving();
        return;
    case cPersonageModel::PERSONAGE_TALK:
        id = "pers_talk";
        break;
    case cPersonageModel::PERSONAGE_FUNNY_EVENT:
        id = m_model->getCurrentFunnyEvent().m_id;
        size = m_model->getCurrentFunnyEvent().m_size;
        break;
    case cPersonageModel::PERSONAGE_WORK:
        return;
    default:
        throw cStringA("cPersonageView::updateVisualState(): unknown model state: " + std::to_string(state));
    }
    setSize(size);
    takeLook(m_screen->getVisualState(id));
    setAnimPosition(0);
}

void cPersonageView::process() {
    cButton::process();
    const float dt = Engine::frameDelta();
    if (m_model->getState() == cPersonageModel::PERSONAGE_IDLE && isVisible()) {
        m_idleTimeLeft -= dt;
        if (m_idleTimeLeft <= 0) {
            if (m_model->startFunnyEvent())
                startFunnyEventTalk();
            else
                resetIdleTime();
        }
    }
    if (m_funnyTalking) {
        m_funnyTimeLeft -= dt;
        if (m_funnyTimeLeft <= 0) {
            m_funnyTalking = false;
            endTalk();
        }
    }
    if (m_moving && stepToNode(dt)) {
        m_moving = false;
        onEndMoving(m_destination->getIndex());
    }
    if (m_talking) {
        m_talkTimeLeft -= dt;
        if (m_talkTimeLeft <= 0) {
            m_talking = false;
            endUnitTalk();
        }
    }
}

void cPersonageView::onUpdate() {
    cButton::onUpdate();
    if (m_screen->isLevelScreenOpen() || !m_working)
        return;
    m_workTimeLeft -= Engine::frameDelta();
    if (m_workTimeLeft <= 0) {
        m_working = false;
        stopWorking();
    }
}

void cPersonageView::onEndMoving(int32_t node) {
    const int32_t goal = m_model->getCurrentPoint();
    if (node == goal) {
        m_model->talkAbout(goal);
        startTalking();
        return;
    }
    const cGraph::tNodeList path = m_model->getGraph()->findPath(node, goal);
    if (path.empty())
        throw cStringA("cPersonageView::onEndMoving(): path was not found for points: " + std::to_string(node) +
                       " -> " + std::to_string(goal));
    m_destination = path[1];
    keepMoving();
}

void cPersonageView::startTalking() {
    if (!m_screen->isLevelScreenOpen()) {
        m_bubble->setText(getPosition(), m_model->getPrimaryPhrase(), m_model->getRegularPhrase(),
                          m_model->getRandomPhrase());
        m_bubble->startShowing();
    }
    updateVisualState();
    m_talkTimeLeft = m_talkingTime;
    m_talking = true;
}

void cPersonageView::endUnitTalk() {
    m_bubble->startHiding();
    m_talking = false;
    m_model->setState(cPersonageModel::PERSONAGE_WORK);
    // A bubble that is not on show never ends a fade-out, so it would never send her to work.
    if (m_screen->isLevelRunning() || !m_bubble->isVisible())
        goToWork();
}

void cPersonageView::goToWork() {
    if (m_model->getState() != cPersonageModel::PERSONAGE_WORK)
        return;
    const int32_t point = m_model->getCurrentPoint();
    m_destination = m_model->getGraph()->getNode(point);
    m_model->work(point);
    startWorking();
}

void cPersonageView::startWorking() {
    IUnitView* unit = m_model->getWorkUnit();
    if (!unit)
        throw cStringA("cPersonageView::startWorking(): working unit is undefined in the model.");
    m_workTimeLeft = unit->getWorkTime();
    m_working = true;
    hide();
}

void cPersonageView::stopWorking() {
    if (IUnitView* unit = m_model->getWorkUnit())
        unit->setWorking(false);
    show();
    m_model->setState(cPersonageModel::PERSONAGE_IDLE);
    updateVisualState();
}

void cPersonageView::startFunnyEventTalk() {
    int32_t group = 0;
    if (cPersonageModel::getCurrentGroup(group)) {
        const std::wstring line = m_model->getCurrentFunnyEvent().getRandomPhrase(group);
        if (!m_screen->isLevelScreenOpen()) {
            m_bubble->setText(getPosition(), m_emptyLine, line, m_emptyLine);
            m_bubble->startShowing();
        }
    }
    updateVisualState();
    m_funnyTimeLeft = m_model->getCurrentFunnyEvent().m_time;
    m_funnyTalking = true;
}

void cPersonageView::endTalk() {
    m_bubble->startHiding();
    m_model->setState(cPersonageModel::PERSONAGE_IDLE);
    updateVisualState();
    resetIdleTime();
    if (m_willToWork > randomFloat(0, 1) && m_model->chooseUnitGoal())
        startMoving();
}
