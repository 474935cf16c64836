// The binary level save (headerless, little-endian, fixed widths) and the player's progress in
// the current profile's property tables.

#include "game/model/MeadowModel.h"

#include "engine/core/ExceptionLog.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "game/model/GameServices.h"
#include "game/model/MatchStatisticsLink.h"
#include "game/model/SaveStream.h"

#include <algorithm>
#include <cmath>

using Engine::cStringA;
using Engine::cVector2;

namespace {

const char* const kVersion = "v1.10";

cStringA refused(const std::string& why) {
    return cStringA("cMeadowModel::load(): " + why);
}

// A level save read whole and checked, before anything of the board changes.
struct cSavedPiece {
    int32_t type = 0;
    int32_t row = 0;
    int32_t column = 0;
    int32_t bonusTag = 0;
    bool prize = false;
};

struct cLevelSave {
    int32_t rows = 0;
    int32_t columns = 0;
    int32_t vehicleAttr = 0;
    std::vector<int32_t> firedTriggers;
    std::vector<std::unique_ptr<cCellModel>> cells; // row-major, handed to the grid whole
    std::vector<cSavedPiece> pieces;
    std::vector<std::unique_ptr<cVehicleModel>> waiting;
    std::vector<std::unique_ptr<cVehicleModel>> processed;
    std::vector<std::pair<int32_t, int32_t>> bonuses; // points, available
    int32_t goldPrizesTotal = 0;
    int32_t goldPrizesLeft = 0;

    cCellModel& cell(int32_t row, int32_t column) const { return *cells[size_t(row * columns + column)]; }
};

int32_t readSide(Engine::IDataStream& stream, const char* what) {
    const float side = SaveStream::readFloat(stream);
    if (!(side >= 0.0f && side <= float(cMeadowModel::MAX_BOARD_SIDE)) || side != std::floor(side))
        throw refused(std::string("wrong number of ") + what + " in the level save");
    return int32_t(side);
}

bool isTriggerNumber(int32_t number) {
    return number >= 0 && number < cMeadowModel::TRIGGER_COUNT;
}

bool isBonusTag(int32_t tag) {
    return tag == cMeadowObjectModel::NO_BONUS ||
           (tag >= cMeadowObjectModel::BLAST_BONUS && tag <= cMeadowObjectModel::CROSS_LIGHTNING_BONUS);
}

// Counts are not trusted for sizes: lists grow one record at a time, so a foreign count runs
// into the end of the stream instead of into memory.
std::vector<std::unique_ptr<cVehicleModel>> readVehicles(Engine::IDataStream& stream, int32_t slotLimit) {
    std::vector<std::unique_ptr<cVehicleModel>> vehicles;
    const int32_t count = SaveStream::readCount(stream);
    for (int32_t i = 0; i < count; ++i) {
        auto vehicle = std::make_unique<cVehicleModel>(slotLimit);
        vehicle->load(stream);
        if (vehicle->getState() < cVehicleModel::NEW || vehicle->getState() > cVehicleModel::FULL)
            throw refused("wrong vehicle state in the level save: " + std::to_string(vehicle->getState()));
        for (const cVehicleSlotRecord& slot : vehicle->getSlots())
            if (slot.objectIndex < 1 || slot.objectIndex > 5 || slot.needed < 0 || slot.loaded < 0 ||
                slot.loaded > slot.needed)
                throw refused("wrong vehicle slot in the level save");
        vehicles.push_back(std::move(vehicle));
    }
    return vehicles;
}

} // namespace

void cMeadowModel::save(Engine::IDataStream& stream) {
    SaveStream::writeFloat(stream, float(m_columns));
    SaveStream::writeFloat(stream, float(m_rows));
    const cLevelInfo* record = getCurrentLevelInfo();
    SaveStream::writeInt32(stream, record && record->vehicleAttr ? 1 : 0);
    SaveStream::writeInt32(stream, int32_t(m_firedTriggers.size()));
    for (int32_t trigger : m_firedTriggers)
        SaveStream::writeInt32(stream, trigger);
    std::vector<cMeadowObjectModel*> kept;
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            requireCell(r, c, "cMeadowModel::save")->save(stream);
        }
    }
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            cMeadowObjectModel* piece = getObject(r, c);
            if (piece && (piece->getPrizeFlag() || getCell(r, c)->getLocks() > 0))
                kept.push_back(piece);
        }
    }
    SaveStream::writeInt32(stream, int32_t(kept.size()));
    for (cMeadowObjectModel* piece : kept)
        piece->save(stream);
    m_vehicles->save(stream);
    SaveStream::writeInt32(stream, int32_t(m_bonuses.size()));
    for (const cGameResource* bonus : m_bonuses) {
        SaveStream::writeInt32(stream, bonus->points);
        SaveStream::writeInt32(stream, bonus->available);
    }
    SaveStream::writeInt32(stream, m_goldPrizesTotal);
    SaveStream::writeInt32(stream, m_goldPrizesLeft);
}

void cMeadowModel::load(Engine::IDataStream& stream) {
    m_vehicles->requireEmpty();

    // ---- Read and check everything ----
    cLevelSave save;
    save.columns = readSide(stream, "columns");
    save.rows = readSide(stream, "rows");
    save.vehicleAttr = SaveStream::readInt32(stream);
    const int32_t triggerCount = SaveStream::readCount(stream);
    for (int32_t i = 0; i < triggerCount; ++i) {
        const int32_t trigger = SaveStream::readInt32(stream);
        if (!isTriggerNumber(trigger))
            throw refused("wrong fired trigger in the level save: " + std::to_string(trigger));
        save.firedTriggers.push_back(trigger);
    }
    for (int32_t r = 0; r < save.rows; ++r) {
        for (int32_t c = 0; c < save.columns; ++c) {
            auto cell = std::make_unique<cCellModel>(this, r, c);
            cell->load(stream);
            if (cell->getType() < 0 || cell->getType() > 3 || cell->getLocks() < 0 || cell->getLocks() > 15 ||
                !isTriggerNumber(cell->getTriggerNumber()) || !isTriggerNumber(cell->getAwaitedTrigger()))
                throw refused("wrong cell in the level save in (" + positionText(r, c) + ")");
            save.cells.push_back(std::move(cell));
        }
    }
    const int32_t pieceCount = SaveStream::readCount(stream);
    std::vector<bool> taken(save.cells.size(), false);
    for (int32_t i = 0; i < pieceCount; ++i) {
        cMeadowObjectModel record;
        record.load(stream);
        const cVector2& at = record.getPosition();
        if (!(at.x >= 0.0f && at.x < float(save.rows) && at.y >= 0.0f && at.y < float(save.columns)))
            throw refused("object is outside the board in the level save: (" + std::to_string(at.x) + ", " +
                          std::to_string(at.y) + ")");
        cSavedPiece piece;
        piece.type = record.getType();
        piece.row = int32_t(at.x);
        piece.column = int32_t(at.y);
        piece.bonusTag = record.getBonusTag();
        piece.prize = record.getPrizeFlag();
        cCellModel& cell = save.cell(piece.row, piece.column);
        const size_t slot = size_t(piece.row * save.columns + piece.column);
        if (taken[slot])
            throw refused("two objects in (" + positionText(piece.row, piece.column) + ") in the level save");
        taken[slot] = true;
        if (cell.getType() == 0 || (!piece.prize && cell.getLocks() <= 0))
            throw refused("wrong object in cell (" + positionText(piece.row, piece.column) + ") in the level save");
        const bool knownType = cMeadowObjectModel::isPrizeType(piece.type) || m_typeCategories.count(piece.type) != 0;
        if (!knownType || !isBonusTag(piece.bonusTag))
            throw refused("wrong object in the level save in (" + positionText(piece.row, piece.column) + ")");
        save.pieces.push_back(piece);
    }
    save.waiting = readVehicles(stream, m_maxVehicleSlots);
    save.processed = readVehicles(stream, m_maxVehicleSlots);
    const int32_t bonusCount = SaveStream::readInt32(stream);
    if (bonusCount != int32_t(m_bonuses.size()))
        throw refused("sizes of bonuses from xml and binary save are not equal");
    for (int32_t i = 0; i < bonusCount; ++i) {
        const int32_t points = SaveStream::readInt32(stream);
        const int32_t available = SaveStream::readInt32(stream);
        save.bonuses.emplace_back(points, available);
    }
    save.goldPrizesTotal = SaveStream::readInt32(stream);
    save.goldPrizesLeft = SaveStream::readInt32(stream);
    if (save.goldPrizesTotal < 0 || save.goldPrizesLeft < 0 || save.goldPrizesLeft > save.goldPrizesTotal)
        throw refused("wrong gold prize counters in the level save");
    uint8_t extra = 0;
    if (stream.read(&extra, 1) != 0)
        throw refused("unexpected data after the end of the level save");

    // ---- Put it on the board ----
    if (cLevelInfo* record = getCurrentLevelInfo())
        record->vehicleAttr = save.vehicleAttr == 1;
    m_firedTriggers = std::move(save.firedTriggers);
    createBoard(save.rows, save.columns);
    m_triggerTable.assign(TRIGGER_COUNT, 0);
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            std::unique_ptr<cCellModel>& slot = m_cells[size_t(r)][size_t(c)];
            slot = std::move(save.cells[size_t(r * m_columns + c)]);
            cCellModel* cell = slot.get();
            // The editor's free trigger numbers stay right after a resume too.
            m_triggerTable[size_t(cell->getTriggerNumber())] = 1;
            if (cell->isComplex())
                m_complexCells.push_back(cell);
        }
    }
    markCellsChanged();
    for (const cSavedPiece& saved : save.pieces) {
        cMeadowObjectModel* piece = placeNewPiece(saved.row, saved.column, saved.type);
        piece->setBonusTag(saved.bonusTag);
        piece->setPrizeFlag(saved.prize);
        cCellModel* cell = getCell(saved.row, saved.column);
        if (cell->getAwaitedTrigger() > 0 && !cell->isEnabled())
            piece->setState(cMeadowObjectModel::HIDDEN_STATE);
    }
    m_vehicles->replaceVehicles(std::move(save.waiting), std::move(save.processed));
    for (size_t i = 0; i < m_bonuses.size(); ++i) {
        m_bonuses[i]->points = save.bonuses[i].first;
        m_bonuses[i]->available = save.bonuses[i].second;
    }
    m_goldPrizesTotal = save.goldPrizesTotal;
    m_goldPrizesLeft = save.goldPrizesLeft;
}

// ---- Progress in the profile ----

namespace {

bool readBoolProperty(const std::string& key) {
    auto it = Engine::gBoolProps.find(key);
    return it != Engine::gBoolProps.end() && it->second;
}

} // namespace

int32_t cMeadowModel::readProfileInt(const std::string& key, int32_t fallback, int32_t low, int32_t high) {
    auto it = Engine::gIntProps.find(key);
    if (it == Engine::gIntProps.end())
        return fallback;
    const int32_t value = std::clamp(it->second, low, high);
    if (value != it->second)
        Engine::logError("Profile value \"" + key + "\" = " + std::to_string(it->second) + " is out of range [" +
                         std::to_string(low) + ", " + std::to_string(high) + "]; " + std::to_string(value) +
                         " is used.");
    return value;
}

void cMeadowModel::saveProgressToProfile(bool hasBinarySave) {
    Engine::gStringProps["Version"] = kVersion;
    Engine::gIntProps["NextAvailableLevel"] = m_nextAvailableLevel;
    Engine::gIntProps["CurrentGroup"] = m_currentGroup;
    Engine::gIntProps["HasBinarySave"] = hasBinarySave ? 1 : 0;
    Engine::gBoolProps["IsRandomLevel"] = m_randomLevel;
    if (IMatchStatistics* statistics = GameServices::getMatchStatistics())
        Engine::gIntProps["BestCombo"] = statistics->getBestCombo();
    Engine::gIntProps["AnimalsCare"] = m_animalsCare;
    Engine::gIntProps["MatchedObjects"] = m_matchedObjects;
    for (const cGameResource* resource : m_resources)
        Engine::gIntProps[resource->id] = resource->points;
    m_units->saveProgress();
}

void cMeadowModel::loadProgressFromProfile() {
    if (m_editorMode) {
        m_nextAvailableLevel = 0;
        m_currentGroup = 0;
    } else {
        // Before the levels are known any level number may come true; the next one must still fit.
        const int32_t lastLevel = getLevelCount() > 0 ? getLevelCount() - 1 : INT32_MAX - 1;
        m_nextAvailableLevel = readProfileInt("NextAvailableLevel", 0, 0, lastLevel);
        // 0 is a profile from before groups were counted: the first group.
        m_currentGroup = readProfileInt("CurrentGroup", 0, 0, PROFILE_COUNTER_MAX);
        m_randomLevel = readBoolProperty("IsRandomLevel");
    }
    if (IMatchStatistics* statistics = GameServices::getMatchStatistics())
        statistics->setBestCombo(readProfileInt("BestCombo", 0, 0, PROFILE_COUNTER_MAX));
    m_animalsCare = readProfileInt("AnimalsCare", 0, 0, PROFILE_COUNTER_MAX);
    m_matchedObjects = readProfileInt("MatchedObjects", 0, 0, PROFILE_COUNTER_MAX);
    if (m_currentGroup == 0)
        m_currentGroup = 1;
    if (!m_editorMode) {
        for (cGameResource* resource : m_resources)
            resource->points = readProfileInt(resource->id, 0, 0, PROFILE_COUNTER_MAX);
        m_units->loadProgress();
    }
    m_units->addUnitBonuses();
    addUnitTypesToAllowed();
}
