#include "game/development/CatPersonModel.h"

#include "engine/core/String.h"
#include "game/development/UnitViewLink.h"
#include "game/model/MeadowUnit.h"
#include "game/model/RandomDraw.h"

using Engine::cStringA;

std::string cCatPersonModel::fileName(int32_t variant) {
    return "Meadow/View/personage/cat" + std::to_string(variant + 1) + "/cat.xml";
}

void cCatPersonModel::loadXML(Engine::IXmlNode* element, const std::string& fileName) {
    cPersonageModel::loadXML(element, fileName);
    const std::string source = fileName.empty() ? std::string("the cat's element") : fileName;
    if (m_graph->getNodeCount() == 0)
        throw cStringA("cCatPersonModel::loadXML(): the graph of " + source + " has no nodes");
    // Events of group 0 are the ones available in every group.
    int32_t everywhere = 0;
    for (const cFunnyEvent& event : m_funnyEvents)
        if (event.m_group == 0)
            ++everywhere;
    if (everywhere < 2)
        throw cStringA("cCatPersonModel::loadXML(): " + source +
                       " needs at least two funny events of group 0, the bird-house one last");
}

int32_t cCatPersonModel::randomNode() const {
    const std::vector<int32_t> indices = m_graph ? m_graph->getNodeIndices() : std::vector<int32_t>();
    const int32_t i = RandomDraw::index(int32_t(indices.size()));
    return i < 0 ? -1 : indices[size_t(i)];
}

void cCatPersonModel::reset() {
    const int32_t node = randomNode();
    if (node < 0)
        throw cStringA("cCatPersonModel::reset(): the cat's graph has no nodes");
    m_currentPoint = node;
    m_state = PERSONAGE_IDLE;
}

bool cCatPersonModel::chooseUnitGoal() {
    m_lastAskedPoint = -1;
    const int32_t node = randomNode();
    if (node < 0)
        return false;
    m_currentPoint = node;
    return true;
}

bool cCatPersonModel::work(int32_t point) {
    IUnitView* view = findUnit(point);
    if (!view || view->getUnit()->getLevel() <= 0)
        return false;
    view->setWorking(true);
    m_workUnit = view;
    m_state = PERSONAGE_WORK;
    if (view->getUnit()->getId() == BIRD_HOUSE) {
        const std::vector<cFunnyEvent> available = getAvailableFunnyEvents();
        if (available.size() > 1)
            m_currentFunnyEvent = available.back();
    }
    return true;
}

std::vector<cFunnyEvent> cCatPersonModel::getAvailableFunnyEvents() const {
    std::vector<cFunnyEvent> available;
    int32_t group = 0;
    if (!getCurrentGroup(group))
        return available;
    for (const cFunnyEvent& event : m_funnyEvents)
        if (event.m_group == 0 || event.m_group == group)
            available.push_back(event);
    return available;
}

bool cCatPersonModel::startFunnyEvent() {
    const std::vector<cFunnyEvent> available = getAvailableFunnyEvents();
    if (available.size() < 2)
        return false;
    // Never the last one: it plays only at the bird house.
    const int32_t i = RandomDraw::index(int32_t(available.size()) - 1);
    return takeFunnyEvent(available[size_t(i)]);
}
