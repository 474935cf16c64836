// The level-save records of cells, pieces and vehicles.

#include "game/model/SaveStream.h"

#include "game/model/CellModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/VehicleModel.h"
#include "tests/model/ModelFixture.h"
#include "tests/model/fakes/MemoryStream.h"

#include <gtest/gtest.h>

using TestFakes::MemoryStream;
using TestModel::thrownPlainText;
using TestModel::thrownText;

namespace {

TEST(SaveStream, WritesLittleEndianFieldsAndFailsAtTheEnd) {
    MemoryStream stream;
    SaveStream::writeInt32(stream, -2);
    SaveStream::writeFloat(stream, 1.5f);
    SaveStream::writeFlag(stream, true);
    EXPECT_EQ(stream.bytes(), std::string("\xFE\xFF\xFF\xFF\x00\x00\xC0\x3F\x01", 9));
    stream.rewind();
    EXPECT_EQ(SaveStream::readInt32(stream), -2);
    EXPECT_EQ(SaveStream::readFloat(stream), 1.5f);
    EXPECT_TRUE(SaveStream::readFlag(stream));
    EXPECT_EQ(thrownText([&] { SaveStream::readFlag(stream); }), "SaveStream: unexpected end of the level save");
    MemoryStream negative(std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(thrownText([&] { SaveStream::readCount(negative); }), "SaveStream: negative count in the level save: -1");
}

TEST(SaveStream, CellRecordsHoldNineteenBytes) {
    cCellModel cell(nullptr, 0, 0);
    cell.setPackedCode(0x07050312u);
    cell.setFrozen(true);
    MemoryStream stream;
    cell.save(stream);
    EXPECT_EQ(stream.bytes(), std::string("\x02\0\0\0\x01\0\0\0\x01\x05\0\0\0\x07\0\0\0\x01\x01", 19));
    stream.rewind();
    cCellModel copy(nullptr, 0, 0);
    copy.load(stream);
    EXPECT_EQ(copy.getPackedCode(), 0x07050312u);
    EXPECT_TRUE(copy.isFrozen());
}

TEST(SaveStream, PieceRecordsHoldSeventeenBytes) {
    cMeadowObjectModel piece;
    piece.setType(102);
    piece.setPosition(Engine::cVector2(2.0f, 3.0f));
    piece.setBonusTag(0);
    piece.setPrizeFlag(true);
    MemoryStream stream;
    piece.save(stream);
    EXPECT_EQ(stream.getSize(), 17);
    stream.rewind();
    cMeadowObjectModel copy;
    copy.load(stream);
    EXPECT_EQ(copy.getType(), 102);
    EXPECT_EQ(copy.getPosition(), Engine::cVector2(2.0f, 3.0f));
    EXPECT_TRUE(copy.getPrizeFlag());
}

TEST(SaveStream, VehicleRecordsKeepStateMoneyAndLoadedSlots) {
    cVehicleModel vehicle(3);
    vehicle.addSlot(1, 3, 11);
    vehicle.addSlot(2, 5, 12);
    vehicle.setState(cVehicleModel::TAKING_PIECES);
    vehicle.setMoney(28);
    vehicle.setHasBonus(true);
    vehicle.getSlotByIndex(1).loaded = 4;
    vehicle.getSlotByIndex(1).inFlight = 1; // not saved
    MemoryStream stream;
    vehicle.save(stream);
    EXPECT_EQ(stream.getSize(), 13 + 2 * 16);
    stream.rewind();
    cVehicleModel copy(3);
    copy.load(stream);
    EXPECT_EQ(copy.getState(), cVehicleModel::TAKING_PIECES);
    EXPECT_EQ(copy.getMoney(), 28);
    EXPECT_TRUE(copy.hasBonus());
    ASSERT_EQ(copy.getSlotCount(), 2);
    EXPECT_EQ(copy.getSlotByIndex(1).objectType, 12);
    EXPECT_EQ(copy.getSlotByIndex(1).needed, 5);
    EXPECT_EQ(copy.getSlotByIndex(1).loaded, 4);
    EXPECT_EQ(copy.getSlotByIndex(1).inFlight, 0);

    MemoryStream cut(stream.bytes().substr(0, 20));
    cVehicleModel broken(3);
    EXPECT_EQ(thrownText([&] { broken.load(cut); }), "SaveStream: unexpected end of the level save");
}

TEST(SaveStream, TheVehiclesFeatureKeepsBothLists) {
    auto model = TestModel::makeFixtureModel();
    model->setCurrentLevel(0);
    model->getLevelTypes() = {1, 2, 3, 4, 7};
    cVehiclesFeature& vehicles = *model->getVehiclesFeature();
    vehicles.createLevelVehicles();
    vehicles.removeVehicle(vehicles.getVehicles()[0].get());
    MemoryStream stream;
    vehicles.save(stream);
    stream.rewind();

    auto other = TestModel::makeFixtureModel();
    other->getVehiclesFeature()->load(stream);
    ASSERT_EQ(other->getVehiclesFeature()->getVehicles().size(), 1u);
    EXPECT_EQ(other->getVehiclesFeature()->getVehicles()[0]->getMoney(), 6);
    EXPECT_EQ(other->getVehiclesFeature()->getProcessedMoney(), 28);
    EXPECT_EQ(other->getVehiclesFeature()->getActiveVehicle()->getSlotLimit(), 3);
    // A vehicle that left always comes back full, whatever state it was saved in.
    EXPECT_EQ(other->getVehiclesFeature()->getProcessedVehicles()[0]->getState(), int32_t(cVehicleModel::FULL));
    EXPECT_EQ(other->getVehiclesFeature()->getVehicles()[0]->getState(), int32_t(cVehicleModel::WAITING));

    // Loading over vehicles that are still there is refused, the lists as they were.
    stream.rewind();
    EXPECT_EQ(thrownPlainText([&] { other->getVehiclesFeature()->load(stream); }),
              "cVehiclesFeature::load(): list of vehicles is not empty");
    other->getVehiclesFeature()->removeVehicle(other->getVehiclesFeature()->getVehicles()[0].get());
    stream.rewind();
    EXPECT_EQ(thrownPlainText([&] { other->getVehiclesFeature()->load(stream); }),
              "cVehiclesFeature::load(): list of processed vehicles is not empty");
    EXPECT_EQ(other->getVehiclesFeature()->getProcessedVehicles().size(), 2u);
}

} // namespace
