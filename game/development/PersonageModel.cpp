#include "game/development/PersonageModel.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/core/Strings.h"
#include "engine/core/XmlNode.h"
#include "game/development/UnitViewLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/ModelXml.h"
#include "game/model/RandomDraw.h"

using Engine::cStringA;
using Engine::IXmlNode;

namespace {

constexpr const char* kPointProperty = "PersonagePoint";

std::wstring translated(const std::wstring& text) {
    Engine::cStrings* strings = Engine::getStrings();
    return strings ? std::wstring(strings->translate(text)) : text;
}

cFunnyEvent readEvent(IXmlNode* element) {
    cFunnyEvent event;
    event.m_id = ModelXml::readWord(element, L"id");
    event.m_time = ModelXml::readFloat(element, L"time", 0.0f);
    Engine::parseVector2(event.m_size, element->getAttribute(L"size"));
    event.m_group = ModelXml::readInt(element, L"group", 0);
    IXmlNode* phrases = nullptr;
    if (element->findNode("Phrases", phrases) && phrases) {
        for (IXmlNode* child : ModelXml::children(phrases)) {
            cFunnyPhrase phrase;
            phrase.m_text = translated(child->getAttribute(L"phrase"));
            Engine::parseVector2(phrase.m_groups, child->getAttribute(L"group"));
            event.m_phrases.push_back(std::move(phrase));
        }
    }
    return event;
}

} // namespace

bool cFunnyEvent::hasPhraseForGroup(int32_t group) const {
    for (const cFunnyPhrase& phrase : m_phrases)
        if (phrase.coversGroup(group))
            return true;
    return false;
}

std::wstring cFunnyEvent::getRandomPhrase(int32_t group) const {
    std::vector<const cFunnyPhrase*> lines;
    for (const cFunnyPhrase& phrase : m_phrases)
        if (phrase.coversGroup(group))
            lines.push_back(&phrase);
    const int32_t i = RandomDraw::index(int32_t(lines.size()));
    return i < 0 ? std::wstring() : lines[size_t(i)]->m_text;
}

bool cPersonageModel::getCurrentGroup(int32_t& group) {
    cMeadowController* controller = cMeadowController::getInstance();
    if (!controller || !controller->getModel())
        return false;
    group = controller->getModel()->getCurrentGroup();
    return true;
}

void cPersonageModel::loadXML(IXmlNode* element, const std::string&) {
    m_graph = std::make_unique<cGraph>();
    m_state = PERSONAGE_IDLE;
    IXmlNode* graph = nullptr;
    if (!element || !element->findNode("Graph", graph) || !graph)
        throw cStringA("cPersonageModel::loadXML(): graph structure is undefined");
    m_graph->loadXML(graph);
    m_funnyEvents.clear();
    IXmlNode* events = nullptr;
    if (!element->findNode("PersonageFunnyEvents", events) || !events)
        throw cStringA("cPersonageModel::loadXML(): no funny evens");
    for (IXmlNode* child : ModelXml::children(events))
        m_funnyEvents.push_back(readEvent(child));
}

void cPersonageModel::reset() {
    m_unitPoints.clear();
    // A missing property reads 0 and is created with it.
    m_currentPoint = Engine::gIntProps[kPointProperty];
    m_state = PERSONAGE_IDLE;
}

void cPersonageModel::storePoint() {
    Engine::gIntProps[kPointProperty] = m_currentPoint;
}

void cPersonageModel::addUnitPoint(int32_t point, IUnitView* view) {
    if (!m_graph || !m_graph->hasNode(point))
        return;
    if (m_unitPoints.count(point))
        throw cStringA("cPersonageModel::addUnitPoint(): duplicated points for an unit: point index = " +
                       std::to_string(point));
    m_unitPoints[point] = view;
}

IUnitView* cPersonageModel::findUnit(int32_t point) const {
    auto it = m_unitPoints.find(point);
    return it == m_unitPoints.end() ? nullptr : it->second;
}

bool cPersonageModel::goToUnitPoint(int32_t point) {
    IUnitView* view = findUnit(point);
    if (!view)
        return false;
    bool going = false;
    if (!view->getUnit()->getPrimaryPhrase().empty()) {
        m_currentPoint = point;
        m_state = PERSONAGE_MOVE;
        going = true;
    }
    m_lastAskedPoint = point;
    return going;
}

bool cPersonageModel::chooseUnitGoal() {
    m_lastAskedPoint = -1;
    std::vector<int32_t> candidates;
    for (const auto& [point, view] : m_unitPoints) {
        const cMeadowUnit* unit = view->getUnit();
        if (unit->getLevel() > 0 && !unit->isForbidden())
            candidates.push_back(point);
    }
    const int32_t i = RandomDraw::index(int32_t(candidates.size()));
    if (i < 0)
        return false;
    m_currentPoint = candidates[size_t(i)];
    m_state = PERSONAGE_MOVE;
    return true;
}

void cPersonageModel::talkAbout(int32_t point) {
    m_primaryPhrase.clear();
    m_regularPhrase.clear();
    m_randomPhrase.clear();
    IUnitView* view = findUnit(point);
    if (!view)
        throw cStringA("cPersonageModel::talkAbout(): point " + std::to_string(point) + " doesn't belong to any unit");
    const cMeadowUnit* unit = view->getUnit();
    if (point == m_lastAskedPoint) {
        m_primaryPhrase = unit->getPrimaryPhrase();
    } else {
        m_regularPhrase = unit->getRegularPhrase();
        // An upgrade without random lines gives an empty one.
        m_randomPhrase = unit->getRandomPhrase();
    }
    m_state = PERSONAGE_TALK;
}

bool cPersonageModel::work(int32_t point) {
    IUnitView* view = findUnit(point);
    if (!view)
        throw cStringA("cPersonageModel::work(): point " + std::to_string(point) + " doesn't belong to any unit");
    view->setWorking(true);
    m_workUnit = view;
    m_state = PERSONAGE_WORK;
    return true;
}

std::vector<cFunnyEvent> cPersonageModel::getAvailableFunnyEvents() const {
    std::vector<cFunnyEvent> available;
    int32_t group = 0;
    if (!getCurrentGroup(group))
        return available;
    for (const cFunnyEvent& event : m_funnyEvents)
        if (event.hasPhraseForGroup(group))
            available.push_back(event);
    return available;
}

bool cPersonageModel::takeFunnyEvent(const cFunnyEvent& e) {
    if (e.m_id != m_currentFunnyEvent.m_id) {
        m_currentFunnyEvent = e;
        m_state = PERSONAGE_FUNNY_EVENT;
        return true;
    }
    m_currentFunnyEvent.m_id.clear();
    return false;
}

bool cPersonageModel::startFunnyEvent() {
    const std::vector<cFunnyEvent> available = getAvailableFunnyEvents();
    const int32_t i = RandomDraw::index(int32_t(available.size()));
    if (i < 0)
        return false;
    return takeFunnyEvent(available[size_t(i)]);
}

const cFunnyEvent& cPersonageModel::getCurrentFunnyEvent() const {
    if (m_currentFunnyEvent.m_id.empty())
        throw cStringA("cPersonageModel::getCurrentFunnyEvent(): current event is not defined");
    return m_currentFunnyEvent;
}
