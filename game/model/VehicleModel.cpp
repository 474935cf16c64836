#include "game/model/VehicleModel.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/ModelXml.h"
#include "game/model/SaveStream.h"
#include "game/model/Signal.h"

#include <algorithm>
#include <ostream>

using Engine::cStringA;

namespace {

cStringA withNumber(const char* message, int32_t value) {
    return cStringA(message) + std::to_string(value);
}

} // namespace

cVehicleModel::cVehicleModel(int32_t slotLimit) : m_slotLimit(slotLimit) {}

cVehicleModel::~cVehicleModel() = default;

void cVehicleModel::addSlot(int32_t objectIndex, int32_t amount, int32_t objectType) {
    for (auto it = m_slots.begin(); it != m_slots.end(); ++it) {
        if (it->objectIndex == objectIndex) {
            it->needed += amount;
            if (it->needed <= 0)
                m_slots.erase(it);
            return;
        }
    }
    if (amount < 0)
        return;
    if (!m_slots.empty() && int32_t(m_slots.size()) >= m_slotLimit)
        m_slots.erase(m_slots.begin());
    m_slots.push_back(cVehicleSlotRecord{objectIndex, objectType, amount, 0, 0});
}

void cVehicleModel::computeMoney(float factor) {
    float sum = 0.0f;
    int32_t k = 1;
    for (const cVehicleSlotRecord& slot : m_slots)
        sum += float(k++ * slot.needed);
    setMoney(int32_t(sum * factor));
}

cVehicleSlotRecord& cVehicleModel::getSlotByType(int32_t objectType) {
    for (cVehicleSlotRecord& slot : m_slots)
        if (slot.objectType == objectType)
            return slot;
    throw withNumber("cVehicleModel::getSlotByType(): slot for a given type is not found, object type = ", objectType);
}

cVehicleSlotRecord& cVehicleModel::getSlotByIndex(int32_t index) {
    if (index < 0 || index >= int32_t(m_slots.size()))
        throw withNumber("cVehicleModel::getSlotByIndex(): wrong slot index: ", index);
    return m_slots[size_t(index)];
}

bool cVehicleModel::hasRoomFor(int32_t objectType) const {
    return std::any_of(m_slots.begin(), m_slots.end(), [objectType](const cVehicleSlotRecord& slot) {
        return slot.objectType == objectType && slot.loaded + slot.inFlight < slot.needed;
    });
}

bool cVehicleModel::isFull() const {
    return std::all_of(m_slots.begin(), m_slots.end(),
                       [](const cVehicleSlotRecord& slot) { return slot.loaded >= slot.needed; });
}

void cVehicleModel::sendObject(cMeadowObjectModel* piece) {
    if (!piece)
        throw "cVehicleModel::sendObject(): object is null";
    int32_t type = piece->getType();
    cVehicleSlotRecord& slot = getSlotByType(type);
    ++slot.inFlight;
    if (slot.loaded + slot.inFlight > slot.needed) {
        --slot.inFlight;
        throw withNumber("cVehicleModel::sendObject(): overflow in slot, object type = ", type);
    }
    m_arriving.push_back(piece);
    piece->setSentToVehicle();
}

void cVehicleModel::loadObject(cMeadowObjectModel* piece) {
    if (!piece)
        throw "cVehicleModel::loadObject(): object is null";
    auto it = std::find(m_arriving.begin(), m_arriving.end(), piece);
    if (it != m_arriving.end())
        m_arriving.erase(it);
    piece->setAtRest();
    if (m_blocked)
        return;
    int32_t type = piece->getType();
    cVehicleSlotRecord& slot = getSlotByType(type);
    if (slot.inFlight - 1 < 0)
        throw withNumber("cVehicleModel::loadObject(): amount for load < 0, object type = ", type);
    --slot.inFlight;
    if (slot.loaded + 1 > slot.needed)
        throw withNumber("cVehicleModel::loadObject(): loaded amount > needed amount, object type = ", type);
    ++slot.loaded;
    if (slot.loaded == slot.needed && isFull())
        setState(FULL);
    m_changedSignal();
}

std::unique_ptr<cVehicleModel> cVehicleModel::copy(const std::vector<int32_t>& levelTypes) const {
    auto result = std::make_unique<cVehicleModel>(m_slotLimit);
    result->m_state = m_state;
    result->m_money = m_money;
    result->m_hasBonus = m_hasBonus;
    for (const cVehicleSlotRecord& slot : m_slots) {
        int32_t i = slot.objectIndex - 1;
        if (i < 0 || i >= int32_t(levelTypes.size()))
            throw withNumber("cVehicleModel::copy(): index of object is out of range [0..4], index = ", i);
        result->addSlot(slot.objectIndex, slot.needed, levelTypes[size_t(i)]);
    }
    return result;
}

void cVehicleModel::writeXml(std::wostream& out) const {
    out << L"<Vehicle money=\"" << Engine::wstringFromInt(m_money) << L"\" has_bonus=\"" << (m_hasBonus ? L"1" : L"0")
        << L"\">\n";
    for (const cVehicleSlotRecord& slot : m_slots)
        out << L"<Slot object=\"" << Engine::wstringFromInt(slot.objectIndex) << L"\" amount=\""
            << Engine::wstringFromInt(slot.needed) << L"\"/>\n";
    out << L"</Vehicle>\n";
}

void cVehicleModel::readXml(Engine::IXmlNode* node) {
    if (!node)
        return;
    setMoney(ModelXml::readInt(node, L"money", m_money));
    m_hasBonus = ModelXml::readBool(node, L"has_bonus", m_hasBonus);
    for (Engine::IXmlNode* slot : ModelXml::children(node))
        addSlot(ModelXml::readInt(slot, L"object", 0), ModelXml::readInt(slot, L"amount", 0), 0);
}

void cVehicleModel::save(Engine::IDataStream& stream) const {
    SaveStream::writeInt32(stream, m_state);
    SaveStream::writeInt32(stream, m_money);
    SaveStream::writeFlag(stream, m_hasBonus);
    SaveStream::writeInt32(stream, int32_t(m_slots.size()));
    for (const cVehicleSlotRecord& slot : m_slots) {
        SaveStream::writeInt32(stream, slot.objectIndex);
        SaveStream::writeInt32(stream, slot.objectType);
        SaveStream::writeInt32(stream, slot.needed);
        SaveStream::writeInt32(stream, slot.loaded);
    }
}

void cVehicleModel::load(Engine::IDataStream& stream) {
    setState(SaveStream::readInt32(stream));
    setMoney(SaveStream::readInt32(stream));
    m_hasBonus = SaveStream::readFlag(stream);
    int32_t count = SaveStream::readCount(stream);
    m_slots.clear();
    m_arriving.clear();
    for (int32_t i = 0; i < count; ++i) {
        cVehicleSlotRecord slot;
        slot.objectIndex = SaveStream::readInt32(stream);
        slot.objectType = SaveStream::readInt32(stream);
        slot.needed = SaveStream::readInt32(stream);
        slot.loaded = SaveStream::readInt32(stream);
        m_slots.push_back(slot);
    }
}
