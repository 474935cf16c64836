#pragma once

// A delivery vehicle beside the board: slots that each want an amount of one piece type, the
// money it pays when full and whether it brings a charged bonus.

#include "game/model/SignalMember.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class cMeadowObjectModel;
namespace Engine {
class IDataStream;
class IXmlNode;
} // namespace Engine

struct cVehicleSlotRecord {
    int32_t objectIndex = 0; // the level's object index 1 to 5
    int32_t objectType = 0;  // the piece type that index stands for on the current level
    int32_t needed = 0;
    int32_t loaded = 0;
    int32_t inFlight = 0; // sent and not yet arrived; not saved
};

class cVehicleModel {
public:
    enum State : int32_t {
        NEW = 0,
        WAITING = 1,
        LAUNCHED_BEHIND = 2,
        LAUNCHED_FRONT = 3,
        TAKING_PIECES = 4,
        FULL = 5,
    };

    explicit cVehicleModel(int32_t slotLimit);
    virtual ~cVehicleModel();
    cVehicleModel(const cVehicleModel&) = delete;
    cVehicleModel& operator=(const cVehicleModel&) = delete;

    virtual int32_t& getMoney() { return m_money; }
    virtual void setMoney(const int32_t& money) { m_money = money; }
    virtual int32_t& getState() { return m_state; }
    virtual void setState(const int32_t& state) { m_state = state; }
    virtual bool& isBlocked() { return m_blocked; }
    virtual void setBlocked(const bool& blocked) { m_blocked = blocked; }

    int32_t getSlotLimit() const { return m_slotLimit; }
    bool hasBonus() const { return m_hasBonus; }
    void setHasBonus(bool hasBonus) { m_hasBonus = hasBonus; }

    // Adds to the slot of that object index (erasing it at 0 or less), or appends a new slot,
    // dropping the first one when the vehicle has no room left.
    void addSlot(int32_t objectIndex, int32_t amount, int32_t objectType);
    // "money", "has_bonus", then one slot per child ("object", "amount").
    void readXml(Engine::IXmlNode* node);
    // The Vehicle element of the level file, with its Slot lines.
    void writeXml(std::wostream& out) const;
    // Money = factor × Σ k × needed of slot k (k from 1), truncated.
    void computeMoney(float factor);

    const std::vector<cVehicleSlotRecord>& getSlots() const { return m_slots; }
    cVehicleSlotRecord& getSlotByType(int32_t objectType);
    cVehicleSlotRecord& getSlotByIndex(int32_t index);
    int32_t getSlotCount() const { return int32_t(m_slots.size()); }
    bool hasRoomFor(int32_t objectType) const;
    bool isFull() const;

    // A piece starts toward the vehicle / arrives in it.
    void sendObject(cMeadowObjectModel* piece);
    void loadObject(cMeadowObjectModel* piece);
    const std::vector<cMeadowObjectModel*>& getArrivingObjects() const { return m_arriving; }

    // A copy for play whose slot types are the level types their indices stand for.
    std::unique_ptr<cVehicleModel> copy(const std::vector<int32_t>& levelTypes) const;

    // The vehicle record of the level save: state, money, has_bonus, then per slot its object
    // index, object type, needed and loaded amounts. Loading replaces the slots.
    void save(Engine::IDataStream& stream) const;
    void load(Engine::IDataStream& stream);

    cSignalMember<void()> m_changedSignal;

private:
    int32_t m_slotLimit;
    int32_t m_state = NEW;
    int32_t m_money = 0;
    bool m_hasBonus = false;
    std::vector<cVehicleSlotRecord> m_slots;
    bool m_blocked = false;
    std::vector<cMeadowObjectModel*> m_arriving;
};
