#pragma once

// The cat of the map: it wanders to random points of its graph, works briefly at built
// buildings, never talks, and plays its last available funny event only at the bird house.

#include "game/development/PersonageModel.h"

#include <cstdint>
#include <string>
#include <vector>

class cCatPersonModel : public cPersonageModel {
public:
    static constexpr int32_t BIRD_HOUSE = 22;

    // The file of the cat of the cats factory's variant v: "Meadow/View/personage/cat<v+1>/cat.xml".
    static std::string fileName(int32_t variant);

    // As the heroine's, and refuses a cat without graph nodes or with fewer than two events
    // available in every group (the bird-house scene needs one more than the wandering ones).
    void loadXML(Engine::IXmlNode* element, const std::string& fileName = std::string()) override;

    void reset() override;
    void storePoint() override {}
    bool goToUnitPoint(int32_t) override { return false; }
    bool chooseUnitGoal() override;
    void talkAbout(int32_t) override {}
    bool work(int32_t point) override;
    bool startFunnyEvent() override;
    std::vector<cFunnyEvent> getAvailableFunnyEvents() const override;

private:
    // A node index drawn among all of them, in ascending order.
    int32_t randomNode() const;
};
