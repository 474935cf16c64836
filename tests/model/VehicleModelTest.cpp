#include "game/model/VehicleModel.h"

#include "game/model/MeadowObjectModel.h"
#include "game/model/Signal.h"
#include "tests/model/XmlFixture.h"

#include <gtest/gtest.h>

#include <sstream>

using TestModel::thrownPlainText;
using TestModel::thrownText;

namespace {

std::vector<int32_t> neededList(const cVehicleModel& vehicle) {
    std::vector<int32_t> result;
    for (const cVehicleSlotRecord& slot : vehicle.getSlots())
        result.push_back(slot.objectIndex * 100 + slot.needed);
    return result;
}

struct VehicleModel : ::testing::Test {
    cMeadowObjectModel* make(int32_t type) {
        m_pieces.push_back(std::make_unique<cMeadowObjectModel>());
        m_pieces.back()->setType(type);
        return m_pieces.back().get();
    }
    std::vector<std::unique_ptr<cMeadowObjectModel>> m_pieces;
};

TEST_F(VehicleModel, AddSlotChangesAddsOrDropsSlots) {
    cVehicleModel vehicle(3);
    vehicle.addSlot(1, 3, 11);
    vehicle.addSlot(2, 5, 12);
    vehicle.addSlot(1, 2, 11);
    EXPECT_EQ(neededList(vehicle), (std::vector<int32_t>{105, 205}));
    vehicle.addSlot(2, -5, 12); // down to 0: erased
    EXPECT_EQ(neededList(vehicle), (std::vector<int32_t>{105}));
    vehicle.addSlot(4, -1, 14); // a new index with a negative amount does nothing
    EXPECT_EQ(neededList(vehicle), (std::vector<int32_t>{105}));
    vehicle.addSlot(2, 1, 12);
    vehicle.addSlot(3, 1, 13);
    vehicle.addSlot(4, 2, 14); // full: the first slot goes
    EXPECT_EQ(neededList(vehicle), (std::vector<int32_t>{201, 301, 402}));
}

TEST_F(VehicleModel, MoneyIsTheWeightedSumTimesTheFactorTruncated) {
    cVehicleModel vehicle(3);
    vehicle.addSlot(1, 3, 0);
    vehicle.addSlot(2, 5, 0);
    vehicle.addSlot(3, 2, 0);
    vehicle.computeMoney(1.5f);
    EXPECT_EQ(vehicle.getMoney(), 28);
    cVehicleModel empty(3);
    empty.computeMoney(2.0f);
    EXPECT_EQ(empty.getMoney(), 0);
}

TEST_F(VehicleModel, SlotLookupsThrowTheirMessages) {
    cVehicleModel vehicle(3);
    vehicle.addSlot(1, 3, 11);
    EXPECT_EQ(vehicle.getSlotByType(11).needed, 3);
    EXPECT_EQ(thrownText([&] { vehicle.getSlotByType(12); }),
              "cVehicleModel::getSlotByType(): slot for a given type is not found, object type = 12");
    EXPECT_EQ(thrownText([&] { vehicle.getSlotByIndex(1); }), "cVehicleModel::getSlotByIndex(): wrong slot index: 1");
    EXPECT_EQ(thrownText([&] { vehicle.getSlotByIndex(-1); }), "cVehicleModel::getSlotByIndex(): wrong slot index: -1");
}

TEST_F(VehicleModel, LoadsPiecesSlotBySlotUntilFull) {
    cVehicleModel vehicle(3);
    vehicle.addSlot(1, 2, 11);
    vehicle.addSlot(2, 1, 12);
    int changes = 0;
    boost::signals2::scoped_connection connection = vehicle.m_changedSignal.connect([&] { ++changes; });

    cMeadowObjectModel* a = make(11);
    cMeadowObjectModel* b = make(11);
    cMeadowObjectModel* c = make(12);
    for (cMeadowObjectModel* p : {a, b, c})
        vehicle.sendObject(p);
    EXPECT_EQ(a->getState(), cMeadowObjectModel::SENT_TO_VEHICLE);
    EXPECT_FALSE(vehicle.hasRoomFor(11));
    EXPECT_EQ(vehicle.getArrivingObjects().size(), 3u);

    a->setFlagB(true);
    vehicle.loadObject(a);
    EXPECT_EQ(a->getState(), cMeadowObjectModel::IDLE);
    EXPECT_FALSE(a->getFlagB());
    EXPECT_EQ(vehicle.getSlotByType(11).loaded, 1);
    EXPECT_EQ(vehicle.getSlotByType(11).inFlight, 1);
    vehicle.loadObject(b);
    EXPECT_NE(vehicle.getState(), cVehicleModel::FULL);
    vehicle.loadObject(c);
    EXPECT_EQ(vehicle.getState(), cVehicleModel::FULL);
    EXPECT_TRUE(vehicle.isFull());
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(vehicle.getArrivingObjects().empty());
}

TEST_F(VehicleModel, SendAndLoadFailuresThrowTheirMessages) {
    cVehicleModel vehicle(3);
    vehicle.addSlot(1, 1, 11);
    EXPECT_EQ(thrownPlainText([&] { vehicle.sendObject(nullptr); }), "cVehicleModel::sendObject(): object is null");
    vehicle.sendObject(make(11));
    EXPECT_EQ(thrownText([&] { vehicle.sendObject(make(11)); }),
              "cVehicleModel::sendObject(): overflow in slot, object type = 11");
    cVehicleModel other(3);
    other.addSlot(1, 1, 11);
    EXPECT_EQ(thrownText([&] { other.loadObject(make(11)); }),
              "cVehicleModel::loadObject(): amount for load < 0, object type = 11");

    // The editor lowered the amount while two pieces were on their way.
    cVehicleModel lowered(3);
    lowered.addSlot(1, 2, 11);
    cMeadowObjectModel* first = make(11);
    cMeadowObjectModel* second = make(11);
    lowered.sendObject(first);
    lowered.sendObject(second);
    lowered.addSlot(1, -1, 11);
    lowered.loadObject(first);
    EXPECT_EQ(thrownText([&] { lowered.loadObject(second); }),
              "cVehicleModel::loadObject(): loaded amount > needed amount, object type = 11");
}

TEST_F(VehicleModel, ABlockedVehicleLetsPiecesGoUncounted) {
    cVehicleModel vehicle(3);
    vehicle.addSlot(1, 1, 11);
    int changes = 0;
    boost::signals2::scoped_connection connection = vehicle.m_changedSignal.connect([&] { ++changes; });
    cMeadowObjectModel* p = make(11);
    vehicle.sendObject(p);
    vehicle.setBlocked(true);
    vehicle.loadObject(p);
    EXPECT_EQ(p->getState(), cMeadowObjectModel::IDLE);
    EXPECT_EQ(vehicle.getSlotByType(11).loaded, 0);
    EXPECT_TRUE(vehicle.getArrivingObjects().empty());
    EXPECT_EQ(changes, 0);
}

TEST_F(VehicleModel, CopyMapsObjectIndicesToLevelTypes) {
    cVehicleModel vehicle(3);
    vehicle.setState(cVehicleModel::WAITING);
    vehicle.setMoney(40);
    vehicle.setHasBonus(true);
    vehicle.addSlot(2, 4, 0);
    vehicle.addSlot(1, 1, 0);
    std::unique_ptr<cVehicleModel> copy = vehicle.copy({21, 22});
    EXPECT_EQ(copy->getState(), cVehicleModel::WAITING);
    EXPECT_EQ(copy->getMoney(), 40);
    EXPECT_TRUE(copy->hasBonus());
    EXPECT_EQ(copy->getSlotByIndex(0).objectType, 22);
    EXPECT_EQ(copy->getSlotByIndex(1).objectType, 21);
    EXPECT_EQ(thrownText([&] { vehicle.copy({21}); }),
              "cVehicleModel::copy(): index of object is out of range [0..4], index = 1");
}

TEST_F(VehicleModel, ReadsAndWritesItsLevelFileElement) {
    auto node = TestModel::parseXml("<Vehicle money=\"7\" has_bonus=\"1\"><Slot object=\"2\" amount=\"3\"/>"
                                    "<Slot object=\"1\" amount=\"4\"/></Vehicle>");
    cVehicleModel vehicle(3);
    vehicle.readXml(node.get());
    EXPECT_EQ(vehicle.getMoney(), 7);
    EXPECT_TRUE(vehicle.hasBonus());
    EXPECT_EQ(neededList(vehicle), (std::vector<int32_t>{203, 104}));
    std::wostringstream out;
    vehicle.writeXml(out);
    EXPECT_EQ(out.str(), L"<Vehicle money=\"7\" has_bonus=\"1\">\n<Slot object=\"2\" amount=\"3\"/>\n"
                         L"<Slot object=\"1\" amount=\"4\"/>\n</Vehicle>\n");
}

} // namespace
