#pragma once

// Building views that only remember their work look, units built from XML text, and a board
// model with a controller whose current group a test sets: what the character models read.

#include "game/development/UnitViewLink.h"
#include "game/model/MeadowUnit.h"
#include "tests/model/XmlFixture.h"

#include <memory>
#include <string>
#include <vector>

class cMeadowController;
class cMeadowModel;

namespace TestCharacters {

class FakeUnitView : public IUnitView {
public:
    FakeUnitView(cMeadowUnit* unit, int32_t point) : m_unit(unit), m_point(point) {}

    cMeadowUnit* getUnit() const override { return m_unit; }
    int32_t getPoint() const override { return m_point; }
    void setWorking(bool on) override { m_working = on; }
    float getWorkTime() const override { return 2.0f; }
    void playVoices() override {}

    bool m_working = false;

private:
    cMeadowUnit* m_unit;
    int32_t m_point;
};

// A unit of one upgrade with these lines, raised to the level.
inline std::unique_ptr<cMeadowUnit> makeUnit(int32_t id, int32_t level = 1, bool forbidden = false,
                                             const std::string& primary = "", const std::string& regular = "",
                                             const std::vector<std::string>& randoms = {}) {
    std::string randomLines;
    for (const std::string& r : randoms)
        randomLines += "<Random>" + r + "</Random>";
    const std::string xml = std::string("<Unit forbidden=\"") + (forbidden ? "1" : "0") +
                            "\"><Upgrades><Upgrade level=\"1\" group_number=\"0\"><Phrases><Primary>" + primary +
                            "</Primary><Regular>" + regular + "</Regular><Randoms>" + randomLines +
                            "</Randoms></Phrases></Upgrade></Upgrades></Unit>";
    auto document = TestModel::parseXml(xml);
    auto unit = std::make_unique<cMeadowUnit>(nullptr);
    unit->loadUnits(document.get());
    unit->setId(id);
    unit->setLevel(level);
    return unit;
}

// A board model and its controller, so the characters can read the current group.
// Made in CharacterFixture.cpp, so that the tests of the characters need not see the model.
struct GroupController {
    GroupController();
    ~GroupController();
    void setGroup(int32_t group);

    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
};

} // namespace TestCharacters
