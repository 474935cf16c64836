#include "game/model/VehiclesFeature.h"

#include "engine/core/String.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/SaveStream.h"

#include <algorithm>

cVehiclesFeature::cVehiclesFeature(cMeadowModel* model) : m_model(model) {}

cVehiclesFeature::~cVehiclesFeature() = default;

void cVehiclesFeature::createLevelVehicles() {
    if (!m_waiting.empty())
        throw "cVehiclesFeature::createLevelVehicles(): current vehicles container is not empty";
    const cLevelInfo* level = m_model->getCurrentLevelInfo();
    if (!level)
        return;
    for (const auto& vehicle : level->vehicles) {
        std::unique_ptr<cVehicleModel> copy = vehicle->copy(m_model->getLevelTypes());
        copy->setState(cVehicleModel::WAITING);
        m_waiting.push_back(std::move(copy));
    }
}

int32_t cVehiclesFeature::getLevelVehiclesCount() const {
    const cLevelInfo* level = m_model->getCurrentLevelInfo();
    return level ? int32_t(level->vehicles.size()) : 0;
}

cVehicleModel* cVehiclesFeature::getActiveVehicle() const {
    return m_waiting.empty() ? nullptr : m_waiting.front().get();
}

cVehicleModel* cVehiclesFeature::findVehicleFor(int32_t objectType) const {
    cVehicleModel* vehicle = getActiveVehicle();
    if (vehicle && vehicle->getState() == cVehicleModel::TAKING_PIECES && vehicle->hasRoomFor(objectType))
        return vehicle;
    return nullptr;
}

cVehicleModel* cVehiclesFeature::sendObject(cMeadowObjectModel* piece) {
    if (!piece)
        return nullptr;
    cVehicleModel* vehicle = findVehicleFor(piece->getType());
    if (vehicle) {
        piece->setAtRest();
        vehicle->sendObject(piece);
    }
    return vehicle;
}

void cVehiclesFeature::loadObjectIntoVehicle(cVehicleModel* vehicle, cMeadowObjectModel* piece) {
    vehicle->loadObject(piece);
    if (vehicle->getState() != cVehicleModel::FULL)
        return;
    m_model->addResourcePoints(1, vehicle->getMoney());
    if (vehicle->hasBonus())
        m_model->chooseVehicleBonus();
    removeVehicle(vehicle);
}

bool cVehiclesFeature::launchNextVehicle() {
    for (size_t i = 0; i < m_waiting.size(); ++i) {
        cVehicleModel& vehicle = *m_waiting[i];
        if (vehicle.getState() == cVehicleModel::FULL)
            throw "cVehiclesFeature::launchNextVehicle(): completed vehicle in vehicles list";
        if (vehicle.getState() == cVehicleModel::WAITING) {
            vehicle.setState(i == 0 ? int32_t(cVehicleModel::LAUNCHED_FRONT) : int32_t(cVehicleModel::LAUNCHED_BEHIND));
            return true;
        }
    }
    return false;
}

void cVehiclesFeature::removeVehicle(cVehicleModel* vehicle) {
    if (m_waiting.empty())
        throw "cVehiclesFeature::removeVehicle: there are no vehicles at all";
    auto it = std::find_if(m_waiting.begin(), m_waiting.end(), [vehicle](const auto& v) { return v.get() == vehicle; });
    if (it == m_waiting.end())
        throw "cVehiclesFeature::removeVehicle(): vehicle was not found in list";
    m_processed.push_back(std::move(*it));
    m_waiting.erase(it);
}

cVehicleModel* cVehiclesFeature::addVehicle() {
    m_waiting.push_back(std::make_unique<cVehicleModel>(m_model->m_maxVehicleSlots));
    return m_waiting.back().get();
}

int32_t cVehiclesFeature::getProcessedMoney() const {
    int32_t sum = 0;
    for (const auto& vehicle : m_processed)
        sum += vehicle->getMoney();
    return sum;
}

void cVehiclesFeature::collectSlotTypes(std::vector<bool>& usedFlags, int32_t& count) {
    for (const auto& vehicle : m_waiting) {
        for (const cVehicleSlotRecord& slot : vehicle->getSlots()) {
            if (m_model->isLevelTypeListFull())
                return;
            if (slot.objectType == 0 || m_model->isLevelType(slot.objectType))
                continue;
            m_model->takeLevelType(usedFlags, slot.objectType);
            if (m_model->isBonusObjectType(slot.objectType))
                ++count;
        }
    }
}

void cVehiclesFeature::clear() {
    m_waiting.clear();
    m_processed.clear();
}

namespace {

void saveList(Engine::IDataStream& stream, const std::vector<std::unique_ptr<cVehicleModel>>& vehicles) {
    SaveStream::writeInt32(stream, int32_t(vehicles.size()));
    for (const auto& vehicle : vehicles)
        vehicle->save(stream);
}

std::vector<std::unique_ptr<cVehicleModel>> loadList(Engine::IDataStream& stream, int32_t slotLimit) {
    std::vector<std::unique_ptr<cVehicleModel>> vehicles;
    int32_t count = SaveStream::readCount(stream);
    for (int32_t i = 0; i < count; ++i) {
        auto vehicle = std::make_unique<cVehicleModel>(slotLimit);
        vehicle->load(stream);
        vehicles.push_back(std::move(vehicle));
    }
    return vehicles;
}

} // namespace

void cVehiclesFeature::save(Engine::IDataStream& stream) const {
    saveList(stream, m_waiting);
    saveList(stream, m_processed);
}

void cVehiclesFeature::load(Engine::IDataStream& stream) {
    requireEmpty();
    auto waiting = loadList(stream, m_model->m_maxVehicleSlots);
    auto processed = loadList(stream, m_model->m_maxVehicleSlots);
    replaceVehicles(std::move(waiting), std::move(processed));
}

void cVehiclesFeature::requireEmpty() const {
    if (!m_waiting.empty())
        throw "cVehiclesFeature::load(): list of vehicles is not empty";
    if (!m_processed.empty())
        throw "cVehiclesFeature::load(): list of processed vehicles is not empty";
}

void cVehiclesFeature::replaceVehicles(std::vector<std::unique_ptr<cVehicleModel>> waiting,
                                       std::vector<std::unique_ptr<cVehicleModel>> processed) {
    for (auto& vehicle : processed)
        vehicle->setState(cVehicleModel::FULL);
    m_waiting = std::move(waiting);
    m_processed = std::move(processed);
}
