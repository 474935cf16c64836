#pragma once

// What a character on the map is doing and where it is going: the heroine's state, her path
// graph, the buildings at its points, the lines she says about a building and her repertoire of
// funny events. The character view moves her and calls these operations.

#include "engine/core/Vector2.h"
#include "game/development/Graph.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Engine {
class IXmlNode;
}
class IUnitView;

// One line of a funny event, said while the current group of levels is within its range.
struct cFunnyPhrase {
    std::wstring m_text;
    // x = first group, y = last group; each end is truncated to an int when tested.
    Engine::cVector2 m_groups;

    bool coversGroup(int32_t group) const { return int32_t(m_groups.x) <= group && group <= int32_t(m_groups.y); }
};

// A short scene with a look of its own ("id") and a one-line bubble.
struct cFunnyEvent {
    std::string m_id;
    float m_time = 0.0f;
    Engine::cVector2 m_size;
    int32_t m_group = 0;
    std::vector<cFunnyPhrase> m_phrases;

    bool hasPhraseForGroup(int32_t group) const;
    // One of the lines for the group; empty when none covers it.
    std::wstring getRandomPhrase(int32_t group) const;
};

class cPersonageModel {
public:
    enum State : int32_t {
        PERSONAGE_IDLE = 0,
        PERSONAGE_MOVE = 1,
        PERSONAGE_TALK = 2,
        PERSONAGE_WORK = 3,
        PERSONAGE_FUNNY_EVENT = 4,
    };
    static constexpr const char* FILE_NAME = "Meadow/View/Pimbrel.xml";

    cPersonageModel() = default;
    virtual ~cPersonageModel() = default;
    cPersonageModel(const cPersonageModel&) = delete;
    cPersonageModel& operator=(const cPersonageModel&) = delete;

    // Reads "Graph" and "PersonageFunnyEvents" of a character element. fileName only names the
    // file in error texts.
    virtual void loadXML(Engine::IXmlNode* element, const std::string& fileName = std::string());

    virtual void reset();
    virtual void storePoint();
    virtual int32_t& getCurrentPoint() { return m_currentPoint; }
    virtual void setCurrentPoint(const int32_t& point) { m_currentPoint = point; }
    virtual bool goToUnitPoint(int32_t point);
    virtual bool chooseUnitGoal();
    virtual void talkAbout(int32_t point);
    virtual bool work(int32_t point);
    virtual bool startFunnyEvent();
    virtual std::vector<cFunnyEvent> getAvailableFunnyEvents() const;

    // Registers the building at a point of the graph; a point the graph lacks is ignored.
    void addUnitPoint(int32_t point, IUnitView* view);

    const cFunnyEvent& getCurrentFunnyEvent() const;
    int32_t getState() const { return m_state; }
    void setState(int32_t state) { m_state = state; }
    cGraph* getGraph() const { return m_graph.get(); }
    IUnitView* getWorkUnit() const { return m_workUnit; }
    int32_t getLastAskedPoint() const { return m_lastAskedPoint; }
    const std::map<int32_t, IUnitView*>& getUnitPoints() const { return m_unitPoints; }
    const std::wstring& getPrimaryPhrase() const { return m_primaryPhrase; }
    const std::wstring& getRegularPhrase() const { return m_regularPhrase; }
    const std::wstring& getRandomPhrase() const { return m_randomPhrase; }
    const std::vector<cFunnyEvent>& getFunnyEvents() const { return m_funnyEvents; }

    // The board model's current group of levels; false while no controller exists.
    static bool getCurrentGroup(int32_t& group);

protected:
    IUnitView* findUnit(int32_t point) const;
    // Makes e the event on show unless it was the last one: a repeated draw clears it instead.
    bool takeFunnyEvent(const cFunnyEvent& e);

    int32_t m_state = PERSONAGE_IDLE;
    std::unique_ptr<cGraph> m_graph;
    std::map<int32_t, IUnitView*> m_unitPoints;
    int32_t m_currentPoint = 0;
    int32_t m_lastAskedPoint = -1;
    std::wstring m_primaryPhrase;
    std::wstring m_regularPhrase;
    std::wstring m_randomPhrase;
    IUnitView* m_workUnit = nullptr;
    std::vector<cFunnyEvent> m_funnyEvents;
    cFunnyEvent m_currentFunnyEvent;
};
