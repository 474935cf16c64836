#include "game/model/MeadowObjectModel.h"

#include "game/model/SaveStream.h"

bool cMeadowObjectModel::isInBusyState() const {
    switch (m_state) {
    case EXCHANGING:
    case STATE_3:
    case STATE_6:
    case STATE_8:
    case MOVING_TO_VEHICLE:
    case CAPTURED:
    case DESTROYING:
    case MIXING:
    case STATE_14:
    case STATE_18:
    case STATE_19:
        return true;
    default:
        return false;
    }
}

void cMeadowObjectModel::save(Engine::IDataStream& stream) const {
    SaveStream::writeInt32(stream, m_type);
    SaveStream::writeFloat(stream, m_position.x);
    SaveStream::writeFloat(stream, m_position.y);
    SaveStream::writeInt32(stream, m_bonusTag);
    SaveStream::writeFlag(stream, m_prizeFlag);
}

void cMeadowObjectModel::load(Engine::IDataStream& stream) {
    setType(SaveStream::readInt32(stream));
    float row = SaveStream::readFloat(stream);
    float column = SaveStream::readFloat(stream);
    setPosition(Engine::cVector2(row, column));
    setBonusTag(SaveStream::readInt32(stream));
    setPrizeFlag(SaveStream::readFlag(stream));
}
