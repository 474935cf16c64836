#include "game/model/CellModel.h"

#include <gtest/gtest.h>

namespace {

struct CodeCase {
    uint32_t code;
    int32_t type, locks;
    bool vehicle, goldPrize;
    int32_t trigger, awaited;
    uint32_t packed;
};

TEST(CellModel, UnpacksAndPacksLevelCodes) {
    const CodeCase cases[] = {
        {0u, 0, 0, false, false, 0, 0, 0u},
        {4294967295u, 15, 15, true, true, 255, 255, 4294967295u & ~0xFC00u},
        {0x0000FC01u, 1, 0, false, false, 0, 0, 1u}, // bits 10-15 are dropped
        {0x05030123u, 3, 2, true, false, 3, 5, 0x05030123u},
        {0x00000231u, 1, 3, false, true, 0, 0, 0x00000231u},
    };
    for (const CodeCase& c : cases) {
        cCellModel cell(nullptr, 0, 0);
        cell.setPackedCode(c.code);
        EXPECT_EQ(cell.getType(), c.type) << c.code;
        EXPECT_EQ(cell.getLocks(), c.locks) << c.code;
        EXPECT_EQ(cell.getVehicleFlag(), c.vehicle) << c.code;
        EXPECT_EQ(cell.getGoldPrizeFlag(), c.goldPrize) << c.code;
        EXPECT_EQ(cell.getTriggerNumber(), c.trigger) << c.code;
        EXPECT_EQ(cell.getAwaitedTrigger(), c.awaited) << c.code;
        EXPECT_EQ(cell.getPackedCode(), c.packed) << c.code;
    }
}

TEST(CellModel, FrozenBlockAndFlagAreNotPartOfTheCode) {
    cCellModel cell(nullptr, 2, 3);
    cell.setPackedCode(1);
    cell.setFrozen(true);
    cell.setFlag(true);
    cell.setBlockFlag(true);
    EXPECT_EQ(cell.getPackedCode(), 1u);
    EXPECT_EQ(cell.getRow(), 2);
    EXPECT_EQ(cell.getColumn(), 3);
}

TEST(CellModel, ComplexWhenHarderThanSimpleLockedOrCarryingATrigger) {
    struct {
        uint32_t code;
        bool complex;
    } cases[] = {{0, false},        {1, false},           {2, true}, {3, true}, {1 + 16, true},
                 {1 + 65536, true}, {1 + 16777216, false}};
    for (const auto& c : cases) {
        cCellModel cell(nullptr, 0, 0);
        cell.setPackedCode(c.code);
        EXPECT_EQ(cell.isComplex(), c.complex) << c.code;
    }
}

} // namespace
