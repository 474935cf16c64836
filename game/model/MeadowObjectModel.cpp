#include "game/model/MeadowObjectModel.h"

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
