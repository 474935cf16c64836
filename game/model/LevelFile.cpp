// The levels file ("Meadow/Model/GameLevels.xml"): setting a level up on the board from its
// record, folding the editor's board back into the record and writing the whole file again.

#include "game/model/MeadowModel.h"

#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "game/model/RandomDraw.h"

#include <algorithm>
#include <sstream>

using Engine::cStringA;
using Engine::cVector2;

namespace {

// "12_0_3" → "12", "0", "3"; the last token runs to the end, so "" is one empty token.
std::vector<std::string> splitTokens(const std::string& text) {
    std::vector<std::string> tokens;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('_', start);
        if (end == std::string::npos) {
            tokens.push_back(text.substr(start));
            return tokens;
        }
        tokens.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// The tokens of one row of the levels file; a row off the board or longer than it throws.
std::vector<std::string> rowTokens(const cMeadowModel& model, const std::string& operation, const char* what,
                                   int32_t row, const std::string& text) {
    if (row < 0 || row >= model.getRows())
        throw cStringA(operation + "(): row is out of the board: " + std::to_string(row));
    std::vector<std::string> tokens = splitTokens(text);
    if (int32_t(tokens.size()) > model.getColumns())
        throw cStringA(operation + "(): row " + std::to_string(row) + " has more " + what +
                       " than the board has columns: " + std::to_string(tokens.size()));
    return tokens;
}

// A decimal token of at most `limit`, blanks around it allowed, empty = 0; false when it is
// anything else.
bool parseDecimal(const std::string& token, uint64_t limit, uint64_t& value, bool& negative) {
    size_t begin = token.find_first_not_of(" \t\r\n");
    size_t end = token.find_last_not_of(" \t\r\n");
    value = 0;
    negative = false;
    if (begin == std::string::npos)
        return true;
    if (token[begin] == '-' || token[begin] == '+') {
        negative = token[begin] == '-';
        ++begin;
    }
    if (begin > end)
        return false;
    for (size_t i = begin; i <= end; ++i) {
        if (token[i] < '0' || token[i] > '9')
            return false;
        value = value * 10 + uint64_t(token[i] - '0');
        if (value > limit)
            return false;
    }
    return true;
}

// Codes are ASCII; any other unit becomes a character no code contains.
std::string toNarrowCodes(const std::wstring& text) {
    std::string result;
    result.reserve(text.size());
    for (wchar_t unit : text)
        result += unit >= 0 && unit < 128 ? char(unit) : '?';
    return result;
}

std::wstring toWide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring number(int64_t value) {
    return toWide(std::to_string(value));
}

} // namespace

void cMeadowModel::loadLevel(int32_t level, Engine::IDataStream* stream) {
    if (level < 0 || level >= int32_t(m_levels.size()))
        throw cStringA("cMeadowModel::loadLevel(): level number is out of range [0.." +
                       std::to_string(int32_t(m_levels.size()) - 1) + "]: " + std::to_string(level));
    if (stream) {
        // The save names the current level's record; it is put back when the save is refused.
        const int32_t previousLevel = m_currentLevel;
        m_currentLevel = level;
        try {
            load(*stream);
        } catch (...) {
            m_currentLevel = previousLevel;
            throw;
        }
        defineLevelObjects(true);
    } else {
        m_currentLevel = level;
        const cLevelInfo& record = m_levels[size_t(level)];
        createBoard(record.rows, record.columns);
        defineLevelObjects(false);
        m_firedTriggers.assign(1, 0);
        m_triggerTable.assign(TRIGGER_COUNT, 0);
        for (int32_t r = 0; r < m_rows; ++r) {
            const std::wstring none;
            const std::wstring& cells = size_t(r) < record.cellTexts.size() ? record.cellTexts[size_t(r)] : none;
            const std::wstring& objects = size_t(r) < record.objectTexts.size() ? record.objectTexts[size_t(r)] : none;
            parseCells(r, toNarrowCodes(cells));
            parseObjects(r, toNarrowCodes(objects));
        }
        if (!m_editorMode)
            convertIndeciesToTypes();
        m_vehicles->createLevelVehicles();
        for (cGameResource* bonus : m_bonuses)
            bonus->points = 0;
    }
    if (!m_editorMode) {
        generateStartBoard();
        if (!stream)
            convertPrizeCells();
    }
}

void cMeadowModel::parseCells(int32_t row, const std::string& text) {
    const std::vector<std::string> tokens = rowTokens(*this, "cMeadowModel::parseCells", "cells", row, text);
    // A short row leaves its last cells undefined; the grid operations name such a cell when asked.
    for (int32_t k = 0; k < int32_t(tokens.size()); ++k) {
        uint64_t code = 0;
        bool negative = false;
        if (!parseDecimal(tokens[size_t(k)], 0xFFFFFFFFu, code, negative) || negative)
            throw cStringA("cMeadowModel::parseCells(): wrong cell code in (" + positionText(row, k) +
                           "): " + tokens[size_t(k)]);
        if (getCell(row, k))
            throw cStringA("cMeadowModel::parseCells(): cell must not be defined yet! in (" + positionText(row, k) +
                           ")");
        if ((code & 15u) > 3u)
            throw cStringA("cMeadowModel::parseCells(): wrong cell type in (" + positionText(row, k) +
                           "): " + std::to_string(code & 15u));
        cCellModel* cell = createCell(row, k, uint32_t(code));
        m_triggerTable[size_t(cell->getTriggerNumber())] = 1;
        if (cell->isComplex())
            m_complexCells.push_back(cell);
    }
}

void cMeadowModel::parseObjects(int32_t row, const std::string& text) {
    const std::vector<std::string> tokens = rowTokens(*this, "cMeadowModel::parseObjects", "objects", row, text);
    for (int32_t k = 0; k < int32_t(tokens.size()); ++k) {
        uint64_t value = 0;
        bool negative = false;
        if (!parseDecimal(tokens[size_t(k)], 0x7FFFFFFFu, value, negative))
            throw cStringA("cMeadowModel::parseObjects(): wrong object code in (" + positionText(row, k) +
                           "): " + tokens[size_t(k)]);
        const int64_t code = negative ? -int64_t(value) : int64_t(value);
        if (code < 0 || code > 5)
            throw cStringA("cMeadowModel::parseObjects(): index of object is out of range [0..5]: " +
                           std::to_string(code));
        if (code == 0)
            continue;
        cCellModel* cell = getCell(row, k);
        if (!cell || cell->getType() == 0)
            throw cStringA("cMeadowModel::parseObjects(): cannot place object because cell(" + positionText(row, k) +
                           ") is not visible");
        cMeadowObjectModel* piece = placeNewPiece(row, k, int32_t(code));
        if (!cell->isEnabled() && cell->getAwaitedTrigger() > 0)
            piece->setState(cMeadowObjectModel::HIDDEN_STATE);
    }
}

void cMeadowModel::convertIndeciesToTypes() {
    if (m_levelTypes.size() > 5)
        throw cStringA("cMeadowModel::convertIndeciesToTypes(): wrong amount of level objects: " +
                       std::to_string(m_levelTypes.size()));
    for (const auto& row : m_objects) {
        for (cMeadowObjectModel* piece : row) {
            if (!piece)
                continue;
            const int32_t index = piece->getType();
            // An index past a short type list would read outside it.
            if (index < 1 || index > 5 || size_t(index) > m_levelTypes.size())
                throw cStringA("cMeadowModel::convertIndeciesToTypes(): index of object is out of range [1..5]: " +
                               std::to_string(index));
            piece->setType(m_levelTypes[size_t(index - 1)]);
        }
    }
}

void cMeadowModel::defineLevelObjects(bool fromSave) {
    std::vector<bool> groupFlags(size_t(std::max(m_colorGroupsAmount, 0)), false);
    m_levelTypes.clear();
    m_maxBonusesOnLevel = 1;
    if (!m_levelBonusTypes.empty() || !m_levelObjectTypes.empty()) {
        defineLevelTypesFromChoices(groupFlags);
        return;
    }
    int32_t count = 0;
    if (fromSave)
        collectSavedLevelTypes(groupFlags, count);
    else
        takeUnlockedTypes(groupFlags);
    const int32_t needed = m_maxObjectsOnLevel - int32_t(m_levelTypes.size());
    if (needed > getOrdinaryTypeCount())
        throw cStringA("cMeadowModel::defineLevelObjects(): number of needed empty types on the level is greater then "
                       "common amount of empty types: " +
                       std::to_string(needed));
    auto eligible = [&](int32_t type) { return !isLevelType(type) && !isColourGroupFlagSet(groupFlags, type); };
    for (int32_t added = 0; added < needed;) {
        // Drawing until a type fits would never end when none can.
        if (std::none_of(m_allowedTypes.begin(), m_allowedTypes.end(), eligible))
            throw cStringA("cMeadowModel::defineLevelObjects(): there are not enough allowed types for the level: " +
                           std::to_string(needed - added) + " more needed");
        const int32_t type = getRandomAllowedType();
        if (!eligible(type))
            continue;
        takeLevelType(groupFlags, type);
        ++added;
        if (isLevelTypeListFull())
            break;
    }
}

void cMeadowModel::collectSavedLevelTypes(std::vector<bool>& groupFlags, int32_t& count) {
    for (cGameResource* bonus : getAvailableBonuses()) {
        if (isLevelTypeListFull())
            break;
        if (bonus->points <= 0)
            continue;
        const int32_t type = getObjectTypeForResource(bonus->type);
        if (!isLevelType(type)) {
            takeLevelType(groupFlags, type);
            ++count;
        }
    }
    if (!isLevelTypeListFull())
        m_vehicles->collectSlotTypes(groupFlags, count);
    // The walk goes on when the list is full: every prize piece must still block its cell.
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            cMeadowObjectModel* piece = getObject(r, c);
            if (!piece)
                continue;
            cCellModel* cell = getCell(r, c);
            if (piece->getPrizeFlag()) {
                if (cell)
                    cell->setBlockFlag(true);
                continue;
            }
            if (!cell || cell->getLocks() <= 0)
                throw cStringA("cMeadowModel::defineLevelObjects(): wrong object in cell (" + positionText(r, c) + ")");
            if (isLevelTypeListFull() || isLevelType(piece->getType()))
                continue;
            takeLevelType(groupFlags, piece->getType());
            if (getBonusTypeForObjectType(piece->getType()) != -1)
                ++count;
        }
    }
    if (!isLevelTypeListFull() && count == 0 && m_maxBonusesOnLevel > 0)
        addRandomLevelBonus(groupFlags);
}

void cMeadowModel::updateLevelInfo(int32_t level) {
    if (level < 0 || level >= int32_t(m_levels.size()))
        throw cStringA("cMeadowModel::updateLevelInfo(): level number is out of range: " + std::to_string(level));
    cLevelInfo& record = m_levels[size_t(level)];
    const int32_t rows = m_rows, columns = m_columns;
    std::vector<std::wstring> cellTexts(size_t(std::max(rows, 0))), objectTexts(size_t(std::max(rows, 0)));
    bool vehicleAttr = false;
    for (int32_t r = 0; r < rows; ++r) {
        std::wstring& cells = cellTexts[size_t(r)];
        std::wstring& objects = objectTexts[size_t(r)];
        for (int32_t c = 0; c < columns; ++c) {
            cCellModel* cell = requireCell(r, c, "cMeadowModel::updateLevelInfo");
            cells += number(cell->getPackedCode());
            if (cell->getLocks() <= 0) {
                objects += L"0";
            } else {
                cMeadowObjectModel* piece = getObject(r, c);
                if (!piece)
                    throw cStringA("cMeadowModel::updateLevelInfo(): there is no object in a locked cell (" +
                                   positionText(r, c) + ")");
                objects += number(piece->getType());
            }
            if (c + 1 < columns) {
                cells += L"_";
                objects += L"_";
            }
            if (cell->getVehicleFlag())
                vehicleAttr = true;
        }
    }
    std::vector<std::unique_ptr<cVehicleModel>> vehicles;
    for (const auto& vehicle : m_vehicles->getVehicles())
        vehicles.push_back(vehicle->copy(m_levelTypes));
    // Everything that can throw is done; the record changes as a whole.
    record.rows = rows;
    record.columns = columns;
    record.cellTexts = std::move(cellTexts);
    record.objectTexts = std::move(objectTexts);
    record.vehicleAttr = vehicleAttr;
    record.vehicles = std::move(vehicles);
}

std::wstring cMeadowModel::buildLevelsXml() {
    // A current level without a board (cleared) would be folded back as an empty level.
    if (m_pool && m_currentLevel >= 0 && m_currentLevel < int32_t(m_levels.size()))
        updateLevelInfo(m_currentLevel);
    std::wostringstream out;
    out << L"<Levels>\n";
    for (const cLevelInfo& level : m_levels) {
        out << L"<Level bonuses_amount=\"" << number(level.bonusesAmount) << L"\" size=\"" << number(level.columns)
            << L" " << number(level.rows) << L"\" vehicle_attr=\"" << (level.vehicleAttr ? L"1" : L"0") << L"\">\n";
        out << L"<Rows>\n";
        for (size_t r = 0; r < level.cellTexts.size(); ++r) {
            const std::wstring objects = r < level.objectTexts.size() ? level.objectTexts[r] : std::wstring();
            out << L"<Row cells=\"" << Engine::escapeXml(level.cellTexts[r]) << L"\" objects=\""
                << Engine::escapeXml(objects) << L"\"/>\n";
        }
        out << L"</Rows>\n";
        out << L"<Vehicles>\n";
        for (const auto& vehicle : level.vehicles)
            vehicle->writeXml(out);
        out << L"</Vehicles>\n";
        out << L"</Level>\n";
    }
    out << L"</Levels>\n";
    return out.str();
}

void cMeadowModel::writeLevelsXml() {
    Engine::writeUtf16File(LEVELS_FILE, buildLevelsXml());
    if (Engine::cResourceManager* manager = Engine::getResourceManager()) {
        std::string key = LEVELS_FILE;
        Engine::toLowerNarrow(key);
        manager->forgetResource(key);
    }
}

void cMeadowModel::clearLevel() {
    m_achievements->reset();
    destroyBoard();
    m_levelTypes.clear();
    m_vehicles->clear();
    m_goldPrizesTotal = 0;
    m_goldPrizesLeft = 0;
}

int32_t cMeadowModel::getNextLevelNumber() {
    if (!m_randomLevel)
        return m_nextAvailableLevel;
    const int32_t first = std::max(m_randomLevelsStartNumber, 0);
    const int32_t span = getLevelCount() - first;
    // A start past the last level leaves nothing to draw from: the last level is played.
    if (span <= 0)
        return std::max(getLevelCount() - 1, 0);
    return first + RandomDraw::index(span);
}

void cMeadowModel::decNextAvailableLevel() {
    --m_nextAvailableLevel;
    if (m_nextAvailableLevel < 0)
        m_nextAvailableLevel = getLevelCount();
}

void cMeadowModel::setLevelBonusesAmount(int32_t amount) {
    cLevelInfo* record = getCurrentLevelInfo();
    if (!record)
        throw cStringA("cMeadowModel::setLevelBonusesAmount(): there is no current level");
    record->bonusesAmount = amount;
}

bool cMeadowModel::getLevelVehicleAttr() {
    cLevelInfo* record = getCurrentLevelInfo();
    return record && record->vehicleAttr;
}

// ---- Editor geometry ----

void cMeadowModel::addRow() {
    if (m_rows >= MAX_BOARD_SIDE)
        throw cStringA("cMeadowModel::addRow(): the board has the largest number of rows: " + std::to_string(m_rows));
    const int32_t row = m_rows;
    m_objects.emplace_back(size_t(m_columns), nullptr);
    m_cells.emplace_back(size_t(m_columns));
    ++m_rows;
    for (int32_t c = 0; c < m_columns; ++c)
        createCell(row, c, 0);
}

void cMeadowModel::removeLastRow() {
    if (m_rows <= 0)
        return;
    const int32_t row = m_rows - 1;
    for (int32_t c = 0; c < m_columns; ++c)
        removeObjectAt(row, c);
    // The dropped cells are deleted at once, so they leave the complex cells too.
    for (auto& cell : m_cells[size_t(row)])
        m_complexCells.erase(std::remove(m_complexCells.begin(), m_complexCells.end(), cell.get()),
                             m_complexCells.end());
    m_objects.pop_back();
    m_cells.pop_back();
    --m_rows;
    markCellsChanged();
}

void cMeadowModel::addColumn() {
    if (m_columns >= MAX_BOARD_SIDE)
        throw cStringA("cMeadowModel::addColumn(): the board has the largest number of columns: " +
                       std::to_string(m_columns));
    const int32_t column = m_columns;
    for (auto& row : m_objects)
        row.push_back(nullptr);
    for (auto& row : m_cells)
        row.emplace_back();
    ++m_columns;
    for (int32_t r = 0; r < m_rows; ++r)
        createCell(r, column, 0);
}

void cMeadowModel::removeLastColumn() {
    if (m_columns <= 0)
        return;
    const int32_t column = m_columns - 1;
    for (int32_t r = 0; r < m_rows; ++r) {
        removeObjectAt(r, column);
        cCellModel* cell = m_cells[size_t(r)][size_t(column)].get();
        m_complexCells.erase(std::remove(m_complexCells.begin(), m_complexCells.end(), cell), m_complexCells.end());
    }
    for (auto& row : m_objects)
        row.pop_back();
    for (auto& row : m_cells)
        row.pop_back();
    --m_columns;
    markCellsChanged();
}
