#include "game/model/CellModel.h"

#include "game/model/MeadowModel.h"
#include "game/model/SaveStream.h"

cCellModel::cCellModel(cMeadowModel* model, int32_t row, int32_t column)
    : m_model(model), m_row(row), m_column(column) {}

void cCellModel::setPackedCode(uint32_t code) {
    setType(int32_t(code & 15u));
    setLocks(int32_t((code >> 4) & 15u));
    setVehicleFlag((code & 0x100u) != 0);
    setGoldPrizeFlag((code & 0x200u) != 0);
    setTriggerNumber(int32_t((code >> 16) & 255u));
    setAwaitedTrigger(int32_t(code >> 24));
}

uint32_t cCellModel::getPackedCode() const {
    return uint32_t(m_type) + 16u * uint32_t(m_locks) + 256u * (m_vehicleFlag ? 1u : 0u) +
           512u * (m_goldPrizeFlag ? 1u : 0u) + 65536u * uint32_t(m_triggerNumber) +
           16777216u * uint32_t(m_awaitedTrigger);
}

void cCellModel::changed() {
    if (m_model)
        m_model->markCellsChanged();
}

bool cCellModel::isEnabled() const {
    if (m_type == 0)
        return false;
    return m_model && m_model->isTriggerFired(m_awaitedTrigger);
}

void cCellModel::save(Engine::IDataStream& stream) const {
    SaveStream::writeInt32(stream, m_type);
    SaveStream::writeInt32(stream, m_locks);
    SaveStream::writeFlag(stream, m_frozen);
    SaveStream::writeInt32(stream, m_triggerNumber);
    SaveStream::writeInt32(stream, m_awaitedTrigger);
    SaveStream::writeFlag(stream, m_vehicleFlag);
    SaveStream::writeFlag(stream, m_goldPrizeFlag);
}

void cCellModel::load(Engine::IDataStream& stream) {
    setType(SaveStream::readInt32(stream));
    setLocks(SaveStream::readInt32(stream));
    setFrozen(SaveStream::readFlag(stream));
    setTriggerNumber(SaveStream::readInt32(stream));
    setAwaitedTrigger(SaveStream::readInt32(stream));
    setVehicleFlag(SaveStream::readFlag(stream));
    setGoldPrizeFlag(SaveStream::readFlag(stream));
}
