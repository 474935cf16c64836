#include "game/model/VehiclesFeature.h"

#include "tests/model/ModelFixture.h"

#include <gtest/gtest.h>

using TestModel::thrownPlainText;
using TestModel::thrownText;

namespace {

// The fixture's first level in play: level types 1, 2, 3, 4, 7 (index 1 → 1), its two vehicles
// copied into the waiting list.
struct VehiclesFeature : ::testing::Test {
    void SetUp() override {
        model = TestModel::makeFixtureModel();
        model->createBoard(3, 4);
        model->setCurrentLevel(0);
        model->getLevelTypes() = {1, 2, 3, 4, 7};
        vehicles = model->getVehiclesFeature();
        vehicles->createLevelVehicles();
    }
    cMeadowObjectModel* piece(int32_t type) {
        cMeadowObjectModel* p = model->getObjectPool()->acquire();
        p->setType(type);
        return p;
    }
    void deliver(cVehicleModel* vehicle, int32_t type, int count) {
        for (int i = 0; i < count; ++i) {
            cMeadowObjectModel* p = piece(type);
            ASSERT_EQ(vehicles->sendObject(p), vehicle);
            vehicles->loadObjectIntoVehicle(vehicle, p);
        }
    }

    std::unique_ptr<cMeadowModel> model;
    cVehiclesFeature* vehicles = nullptr;
};

TEST_F(VehiclesFeature, CopiesTheLevelsVehiclesWithItsTypes) {
    EXPECT_EQ(vehicles->getLevelVehiclesCount(), 2);
    ASSERT_EQ(vehicles->getVehicles().size(), 2u);
    cVehicleModel* first = vehicles->getActiveVehicle();
    EXPECT_EQ(first->getState(), cVehicleModel::WAITING);
    EXPECT_EQ(first->getMoney(), 28);
    EXPECT_EQ(first->getSlotByIndex(0).objectType, 1);
    EXPECT_EQ(first->getSlotByIndex(1).objectType, 2);
    EXPECT_EQ(first->getSlotByIndex(2).objectType, 3);
    // The level's record keeps its own vehicles.
    EXPECT_NE(model->getLevels()[0].vehicles[0].get(), first);
    EXPECT_EQ(thrownPlainText([&] { vehicles->createLevelVehicles(); }),
              "cVehiclesFeature::createLevelVehicles(): current vehicles container is not empty");
}

TEST_F(VehiclesFeature, LaunchesWaitingVehiclesOneByOne) {
    EXPECT_TRUE(vehicles->launchNextVehicle());
    EXPECT_EQ(vehicles->getVehicles()[0]->getState(), cVehicleModel::LAUNCHED_FRONT);
    EXPECT_TRUE(vehicles->launchNextVehicle());
    EXPECT_EQ(vehicles->getVehicles()[1]->getState(), cVehicleModel::LAUNCHED_BEHIND);
    vehicles->getVehicles()[0]->setState(cVehicleModel::TAKING_PIECES);
    EXPECT_FALSE(vehicles->launchNextVehicle()); // only states 2 to 4 wait
    vehicles->getVehicles()[0]->setState(cVehicleModel::FULL);
    EXPECT_EQ(thrownPlainText([&] { vehicles->launchNextVehicle(); }),
              "cVehiclesFeature::launchNextVehicle(): completed vehicle in vehicles list");
    vehicles->clear();
    EXPECT_FALSE(vehicles->launchNextVehicle());
}

TEST_F(VehiclesFeature, OnlyTheActiveVehicleTakesPiecesOnceItHasArrived) {
    cMeadowObjectModel* p = piece(2);
    EXPECT_EQ(vehicles->sendObject(p), nullptr); // not arrived yet
    vehicles->getVehicles()[1]->setState(cVehicleModel::TAKING_PIECES);
    EXPECT_EQ(vehicles->sendObject(p), nullptr); // the second never takes pieces while the first waits
    cVehicleModel* first = vehicles->getActiveVehicle();
    first->setState(cVehicleModel::TAKING_PIECES);
    EXPECT_EQ(vehicles->sendObject(piece(4)), nullptr); // a type it does not want
    p->setFalling();
    p->setFlagB(true);
    EXPECT_EQ(vehicles->sendObject(p), first);
    EXPECT_EQ(p->getState(), cMeadowObjectModel::SENT_TO_VEHICLE);
    EXPECT_FALSE(p->getFlagB());
}

TEST_F(VehiclesFeature, AFullVehiclePaysChargesABonusAndLeaves) {
    model->addBonus(31);
    model->addResourcePoints(1, 5);
    cVehicleModel* first = vehicles->getActiveVehicle();
    first->setState(cVehicleModel::TAKING_PIECES);
    deliver(first, 1, 3);
    deliver(first, 2, 5);
    deliver(first, 3, 1);
    EXPECT_EQ(vehicles->getVehicles().size(), 2u);
    deliver(first, 3, 1);
    EXPECT_EQ(first->getState(), cVehicleModel::FULL);
    EXPECT_EQ(model->getResourcePoints(1), 5 + 28);
    EXPECT_EQ(model->getLevelAchievements()->getValue(0), 5 + 28);
    EXPECT_EQ(model->getBonus(31)->points, 50); // fully charged
    ASSERT_EQ(vehicles->getVehicles().size(), 1u);
    EXPECT_EQ(vehicles->getProcessedVehicles().front().get(), first);
    EXPECT_EQ(vehicles->getProcessedMoney(), 28);
    EXPECT_TRUE(model->getObjectPool()->getFreeCount() < model->getObjectPool()->getTotalCount());
}

TEST_F(VehiclesFeature, RemovingAVehicleMovesItToTheProcessedList) {
    cVehicleModel* second = vehicles->getVehicles()[1].get();
    vehicles->removeVehicle(second);
    EXPECT_EQ(vehicles->getVehicles().size(), 1u);
    EXPECT_EQ(vehicles->getProcessedMoney(), 6);
    EXPECT_EQ(thrownPlainText([&] { vehicles->removeVehicle(second); }),
              "cVehiclesFeature::removeVehicle(): vehicle was not found in list");
    vehicles->clear();
    EXPECT_EQ(thrownPlainText([&] { vehicles->removeVehicle(second); }),
              "cVehiclesFeature::removeVehicle: there are no vehicles at all");
}

TEST_F(VehiclesFeature, TheEditorAddsEmptyVehicles) {
    vehicles->clear();
    cVehicleModel* added = vehicles->addVehicle();
    EXPECT_EQ(added->getState(), cVehicleModel::NEW);
    EXPECT_EQ(added->getSlotLimit(), 3);
    EXPECT_EQ(added->getSlotCount(), 0);
    EXPECT_EQ(vehicles->getActiveVehicle(), added);
}

TEST_F(VehiclesFeature, SavedSlotTypesJoinTheLevelTypes) {
    model->getLevelTypes() = {4};
    std::vector<bool> used(size_t(model->m_colorGroupsAmount), false);
    int32_t bonusTypes = 0;
    vehicles->getActiveVehicle()->getSlotByIndex(1).objectType = 7; // a bonus object type
    vehicles->collectSlotTypes(used, bonusTypes);
    EXPECT_EQ(model->getLevelTypes(), (std::vector<int32_t>{4, 1, 7, 3, 2}));
    EXPECT_EQ(bonusTypes, 1);
    EXPECT_TRUE(used[0]);
    EXPECT_TRUE(used[2]);
    EXPECT_FALSE(used[3]); // type 4 was there before
}

TEST_F(VehiclesFeature, SlotTypesStopAtTheLevelsObjectCount) {
    model->getLevelTypes() = {11, 12, 13, 14};
    std::vector<bool> used(6, false);
    int32_t bonusTypes = 0;
    vehicles->collectSlotTypes(used, bonusTypes);
    EXPECT_EQ(model->getLevelTypes(), (std::vector<int32_t>{11, 12, 13, 14, 1}));
}

} // namespace
