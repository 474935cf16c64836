#pragma once

// The vehicles of the level being played: the waiting ones (the first is the active vehicle)
// and those that were filled and left.

#include "game/model/VehicleModel.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Engine {
class IDataStream;
}

class cMeadowModel;
class cMeadowObjectModel;

class cVehiclesFeature {
public:
    explicit cVehiclesFeature(cMeadowModel* model);
    ~cVehiclesFeature();
    cVehiclesFeature(const cVehiclesFeature&) = delete;
    cVehiclesFeature& operator=(const cVehiclesFeature&) = delete;

    // Copies the current level's vehicles into play, waiting (state 1).
    void createLevelVehicles();
    int32_t getLevelVehiclesCount() const;
    cVehicleModel* getActiveVehicle() const;
    // The active vehicle when it is taking pieces and has room for the type.
    cVehicleModel* findVehicleFor(int32_t objectType) const;
    // Sends a matched piece to the vehicle that takes it; none when no vehicle does.
    cVehicleModel* sendObject(cMeadowObjectModel* piece);
    // A piece arrived; a vehicle that became full pays, may charge a bonus, and leaves.
    void loadObjectIntoVehicle(cVehicleModel* vehicle, cMeadowObjectModel* piece);
    bool launchNextVehicle();
    // Moves a vehicle from the waiting list to the processed list.
    void removeVehicle(cVehicleModel* vehicle);
    // Level editor: a new empty vehicle at the end of the waiting list.
    cVehicleModel* addVehicle();
    int32_t getProcessedMoney() const;
    // After a save was read: the types the waiting vehicles want join the level types.
    void collectSlotTypes(std::vector<bool>& usedFlags, int32_t& count);
    void clear();
    // The waiting and the processed vehicles of the level save, each list with its count first.
    // Loading fills both lists, which must be empty; the processed vehicles come back full.
    void save(Engine::IDataStream& stream) const;
    void load(Engine::IDataStream& stream);

    bool hasVehicles() const { return !m_waiting.empty(); }
    const std::vector<std::unique_ptr<cVehicleModel>>& getVehicles() const { return m_waiting; }
    const std::vector<std::unique_ptr<cVehicleModel>>& getProcessedVehicles() const { return m_processed; }
    // Throws unless both lists are empty, as they must be before a level save is read.
    void requireEmpty() const;
    // Puts both lists of a level save that was read whole in place at once; the processed
    // vehicles come back full.
    void replaceVehicles(std::vector<std::unique_ptr<cVehicleModel>> waiting,
                         std::vector<std::unique_ptr<cVehicleModel>> processed);

private:
    cMeadowModel* m_model;
    std::vector<std::unique_ptr<cVehicleModel>> m_waiting;
    std::vector<std::unique_ptr<cVehicleModel>> m_processed;
};
