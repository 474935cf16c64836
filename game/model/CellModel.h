#pragma once

// One board cell: what may stand there (type, locks, frozen, triggers) and whether a prize
// comes out of it. Cells are owned by the model's cells grid. Change a cell through its
// setters: they tell the model, whose falls keep what they read of the cells until then.

#include <cstdint>

namespace Engine {
class IDataStream;
}

class cMeadowModel;

class cCellModel {
public:
    cCellModel(cMeadowModel* model, int32_t row, int32_t column);
    virtual ~cCellModel() = default;
    cCellModel(const cCellModel&) = delete;
    cCellModel& operator=(const cCellModel&) = delete;

    virtual int32_t& getType() { return m_type; }
    virtual void setType(const int32_t& type) {
        m_type = type;
        changed();
    }
    virtual int32_t& getLocks() { return m_locks; }
    virtual void setLocks(const int32_t& locks) {
        m_locks = locks;
        changed();
    }
    virtual bool& getVehicleFlag() { return m_vehicleFlag; }
    virtual void setVehicleFlag(const bool& flag) { m_vehicleFlag = flag; }
    virtual bool& getGoldPrizeFlag() { return m_goldPrizeFlag; }
    virtual void setGoldPrizeFlag(const bool& flag) { m_goldPrizeFlag = flag; }
    virtual bool& isFrozen() { return m_frozen; }
    virtual void setFrozen(const bool& frozen) {
        m_frozen = frozen;
        changed();
    }
    virtual int32_t& getTriggerNumber() { return m_triggerNumber; }
    virtual void setTriggerNumber(const int32_t& number) {
        m_triggerNumber = number;
        changed();
    }
    virtual int32_t& getAwaitedTrigger() { return m_awaitedTrigger; }
    virtual void setAwaitedTrigger(const int32_t& number) {
        m_awaitedTrigger = number;
        changed();
    }
    virtual bool& getFlag() { return m_flag; }
    virtual void setFlag(const bool& flag) { m_flag = flag; }
    virtual int32_t& getRow() { return m_row; }
    virtual void setRow(const int32_t& row) { m_row = row; }
    virtual int32_t& getColumn() { return m_column; }
    virtual void setColumn(const int32_t& column) { m_column = column; }

    // The block flag holds a prize piece in place until the transient flags are cleared.
    bool isBlockFlagSet() const { return m_blockFlag; }
    void setBlockFlag(bool flag) {
        m_blockFlag = flag;
        changed();
    }

    // Level code: bits 0-3 type, 4-7 locks, 8 vehicle, 9 gold prize, 16-23 trigger number,
    // 24-31 awaited trigger.
    void setPackedCode(uint32_t code);
    uint32_t getPackedCode() const;

    // Has a type and the trigger it waits for has fired.
    bool isEnabled() const;
    // Still to be cleared before the level can end.
    bool isComplex() const { return m_type > 1 || m_locks > 0 || m_triggerNumber > 0; }

    // The cell record of the level save: type, locks, frozen, trigger, awaited trigger,
    // vehicle flag, gold-prize flag.
    void save(Engine::IDataStream& stream) const;
    void load(Engine::IDataStream& stream);

private:
    // Tells the model that what may stand here changed (its fall grid reads the cells again).
    void changed();

    cMeadowModel* m_model;
    int32_t m_row;
    int32_t m_column;
    int32_t m_type = 0;
    int32_t m_locks = 0;
    bool m_vehicleFlag = false;
    bool m_goldPrizeFlag = false;
    bool m_frozen = false;
    int32_t m_triggerNumber = 0;
    int32_t m_awaitedTrigger = 0;
    bool m_blockFlag = false;
    bool m_flag = false;
};
