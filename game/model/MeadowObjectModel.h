#pragma once

// A piece on the board: its type, state, bonus tag and grid position. Pieces are made and
// owned by the piece pool and only borrowed by the grids, the views and the vehicles.

#include "engine/core/Math.h"

#include <cstdint>

namespace Engine {
class IDataStream;
}

class cMeadowObjectModel final {
public:
    enum State : int32_t {
        IDLE = 0,
        EXCHANGING = 1,
        MATCHED = 2,
        STATE_3 = 3,
        APPEARING = 5,
        STATE_6 = 6,
        DESCENDING = 7,
        STATE_8 = 8,
        SENT_TO_VEHICLE = 9,
        MOVING_TO_VEHICLE = 10,
        CAPTURED = 11,
        DESTROYING = 12,
        MIXING = 13,
        STATE_14 = 14,
        MOVING = 15,
        FALLING = 16,
        SLIDING = 17,
        STATE_18 = 18,
        STATE_19 = 19,
        BLASTED = 20,
        HIDDEN_STATE = 21,
        STATE_22 = 22,
    };

    enum BonusTag : int32_t {
        NO_BONUS = 0,
        BLAST_BONUS = 201,
        ROW_LIGHTNING_BONUS = 202,
        COLUMN_LIGHTNING_BONUS = 203,
        CROSS_LIGHTNING_BONUS = 204,
    };

    // Piece types made from prize cells; they never match and the move search skips them.
    enum SpecialType : int32_t {
        VEHICLE_OBJECT_TYPE = 101,
        GOLD_PRIZE_OBJECT_TYPE = 102,
    };
    static bool isPrizeType(int32_t type) { return type == VEHICLE_OBJECT_TYPE || type == GOLD_PRIZE_OBJECT_TYPE; }

    cMeadowObjectModel() = default;
    virtual ~cMeadowObjectModel() = default;
    cMeadowObjectModel(const cMeadowObjectModel&) = delete;
    cMeadowObjectModel& operator=(const cMeadowObjectModel&) = delete;

    virtual int32_t& getType() { return m_type; }
    virtual void setType(const int32_t& type) { m_type = type; }
    virtual bool& isValid() { return m_valid; }
    virtual void setValid(const bool& valid) { m_valid = valid; }
    virtual Engine::cVector2& getPosition() { return m_position; }
    virtual void setPosition(const Engine::cVector2& position) { m_position = position; }
    virtual bool& isSelected() { return m_selected; }
    virtual void setSelected(const bool& selected) { m_selected = selected; }
    virtual bool& getFlagB() { return m_flagB; }
    virtual void setFlagB(const bool& flag) { m_flagB = flag; }
    virtual int32_t& getHorizontalCount() { return m_horizontalCount; }
    virtual void setHorizontalCount(const int32_t& count) { m_horizontalCount = count; }
    virtual int32_t& getVerticalCount() { return m_verticalCount; }
    virtual void setVerticalCount(const int32_t& count) { m_verticalCount = count; }
    virtual bool& getPrizeFlag() { return m_prizeFlag; }
    virtual void setPrizeFlag(const bool& flag) { m_prizeFlag = flag; }

    int32_t getState() const { return m_state; }
    void setState(int32_t state) { m_state = state; }
    int32_t getBonusTag() const { return m_bonusTag; }
    void setBonusTag(int32_t tag) { m_bonusTag = tag; }

    bool isBusy() const { return m_state != IDLE; }
    bool isInBusyState() const;
    bool isMatchable() const { return m_state == IDLE && !m_prizeFlag && m_bonusTag == 0; }
    bool isSameType(const cMeadowObjectModel& other) const { return m_type == other.m_type; }
    void resetCounts() { m_horizontalCount = m_verticalCount = 0; }
    void setCounts(int32_t horizontal, int32_t vertical) {
        m_horizontalCount = horizontal;
        m_verticalCount = vertical;
    }

    void setIdle() { m_state = IDLE; }
    // Idle with flag B cleared, as a piece comes to rest.
    void setAtRest() {
        m_state = IDLE;
        m_flagB = false;
    }
    void setExchanging() { m_state = EXCHANGING; }
    void setMatched() { m_state = MATCHED; }
    void setState8() { m_state = STATE_8; }
    void setState6() { m_state = STATE_6; }
    void setAppearing() { m_state = APPEARING; }
    void setDescending() { m_state = DESCENDING; }
    void setSentToVehicle() { m_state = SENT_TO_VEHICLE; }
    void setMovingToVehicle() { m_state = MOVING_TO_VEHICLE; }
    void setCaptured() { m_state = CAPTURED; }
    void setDestroying() { m_state = DESTROYING; }
    void setMixing() { m_state = MIXING; }
    void setMoving() { m_state = MOVING; }
    void setFalling() { m_state = FALLING; }
    void setSliding() { m_state = SLIDING; }
    void setState18() { m_state = STATE_18; }

    // Row and column of the position, truncated; -1 when the piece is off the board.
    int getRow() const { return int(m_position.x); }
    int getColumn() const { return int(m_position.y); }

    // The piece record of the level save: type, row, column, bonus tag, prize flag.
    void save(Engine::IDataStream& stream) const;
    void load(Engine::IDataStream& stream);

private:
    int32_t m_type = 0;
    bool m_valid = false;
    int32_t m_state = IDLE;
    int32_t m_bonusTag = 0;
    Engine::cVector2 m_position{-1.0f, -1.0f};
    bool m_selected = false;
    int32_t m_horizontalCount = 0;
    int32_t m_verticalCount = 0;
    bool m_flagB = false;
    bool m_prizeFlag = false;
};

// Orders pieces by their place on the board, row first: a set of pieces walked in this order
// gives the same draws on every run, whatever the addresses the pieces were given.
struct cByBoardPlace {
    bool operator()(cMeadowObjectModel* a, cMeadowObjectModel* b) const {
        const Engine::cVector2 &pa = a->getPosition(), &pb = b->getPosition();
        return pa.x != pb.x ? pa.x < pb.x : pa.y != pb.y ? pa.y < pb.y : a < b;
    }
};
