// Reading the model description ("Meadow/Model/GameModel.xml") and the level records
// ("Meadow/Model/GameLevels.xml").

#include "game/model/MeadowModel.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/ExceptionLog.h"
#include "engine/core/File.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/model/ModelXml.h"
#include "game/model/RandomDraw.h"
#include "game/model/Signal.h"

#include <cstdlib>
#include <exception>
#include <memory>
#include <vector>

using Engine::cStringA;
using Engine::IXmlNode;
using ModelXml::children;
using ModelXml::readBool;
using ModelXml::readFloat;
using ModelXml::readInt;
using ModelXml::readWord;

namespace {

// "1_2_3" → 1, 2, 3; an empty piece between two "_" is 0; a trailing "_" adds nothing.
void appendTypeList(const std::string& text, std::vector<int32_t>& out) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('_', start);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(int32_t(std::atoi(text.substr(start, end - start).c_str())));
        start = end + 1;
    }
}

// A levels file of the user folder (the editor's) shadows the shipped one: when the model refuses
// it, it is kept beside as "<name>.bad", logged by name and deleted, so that the shipped levels
// are read instead of locking the player out at every start. False when there is no such file
// or it cannot be deleted.
bool setUserLevelsAside(const char* name, std::exception_ptr error) {
    Engine::IFileSystem* files = Engine::getFileSystem();
    if (!files || !files->isUserFile(name))
        return false;
    std::string path = name;
    Engine::toLowerNarrow(path);
    std::string shown;
    Engine::wideToUtf8(files->getUserFolder(), shown);
    shown += path;
    try {
        std::vector<uint8_t> bytes;
        files->readFile(name, bytes);
        std::unique_ptr<Engine::cFile> copy = files->openWrite(path + ".bad", true);
        copy->write(bytes.data(), int32_t(bytes.size()));
        copy->close();
    } catch (...) {
        Engine::logException("The refused levels file \"" + shown + "\" is not kept: ", std::current_exception());
    }
    if (!files->deleteFile(name) || files->isUserFile(name))
        return false;
    if (Engine::cResourceManager* manager = Engine::getResourceManager())
        manager->forgetResource(path);
    Engine::logException("The levels file \"" + shown + "\" is refused and set aside as \"" + shown +
                             ".bad\"; the shipped levels are played: ",
                         error);
    return true;
}

} // namespace

cMeadowModel::cMeadowModel() {
    createFeatures();
    {
        const Engine::cDocumentHold model(MODEL_FILE);
        loadModelSettings(model.get());
    }
    std::exception_ptr refused;
    try {
        const Engine::cDocumentHold levels(LEVELS_FILE);
        loadAllLevels(levels.get());
    } catch (...) {
        refused = std::current_exception();
    }
    if (refused) {
        if (!setUserLevelsAside(LEVELS_FILE, refused))
            std::rethrow_exception(refused);
        const Engine::cDocumentHold levels(LEVELS_FILE);
        loadAllLevels(levels.get());
    }
    RandomDraw::seedWithTime();
}

cMeadowModel::cMeadowModel(IXmlNode* modelRoot, IXmlNode* levelsRoot) {
    createFeatures();
    loadModelSettings(modelRoot);
    loadAllLevels(levelsRoot);
    RandomDraw::seedWithTime();
}

void cMeadowModel::loadModelSettings(IXmlNode* root) {
    if (!root)
        throw cStringA("cMeadowModel::loadModelSettings(): incorrect GameModel.xml: there is no root element");
    m_maxObjectsOnLevel = readInt(root, L"max_objects_on_level", m_maxObjectsOnLevel);
    m_maxBonusesOnLevel = readInt(root, L"max_bonuses_on_level", m_maxBonusesOnLevel);
    m_maxVehicleSlots = readInt(root, L"max_vehicle_slots", m_maxVehicleSlots);
    m_movesMultiplier = readFloat(root, L"moves_multiplier", m_movesMultiplier);
    m_maxHelpMoves = readInt(root, L"max_help_moves", m_maxHelpMoves);
    m_colorGroupsAmount = readInt(root, L"color_groups_amount", m_colorGroupsAmount);
    m_updateTime = readFloat(root, L"update_time", m_updateTime);
    m_fallObjSoundDelay = readFloat(root, L"fall_obj_sound_delay", m_fallObjSoundDelay);
    m_comboSoundDelay = readFloat(root, L"combo_sound_delay", m_comboSoundDelay);
    m_seriaBufferTime = readFloat(root, L"seria_buffer_time", m_seriaBufferTime);
    m_superCombo = readInt(root, L"super_combo", m_superCombo);
    m_ultraCombo = readInt(root, L"ultra_combo", m_ultraCombo);
    m_vehicleMoneyParam = readFloat(root, L"vehicle_money_param", m_vehicleMoneyParam);
    m_animalsCareClicks = readInt(root, L"animals_care_clicks", m_animalsCareClicks);
    m_blastedBonusPrice = readInt(root, L"blasted_bonus_price", m_blastedBonusPrice);
    appendTypeList(readWord(root, L"first_level_objects"), m_allowedTypes);
    m_randomLevelsStartNumber = readInt(root, L"random_levels_start_number", m_randomLevelsStartNumber);

    loadModelResources(root);
    loadModelObjectTypes(root);
    m_units->loadUnits(root);
    m_achievements->loadXML(root);
}

void cMeadowModel::loadModelResources(IXmlNode* root) {
    m_resources.clear();
    m_bonuses.clear();
    IXmlNode* list = nullptr;
    if (!root || !root->findNode("GameResources", list) || !list)
        throw cStringA("cMeadowModel::loadModelResources(): incorrect GameModel.xml: <GameResources> tag is absent or "
                       "resources are not defined.");
    for (IXmlNode* node : children(list)) {
        auto record = std::make_unique<cGameResource>();
        record->id = readWord(node, L"id");
        record->type = readInt(node, L"type", record->type);
        record->objectType = readInt(node, L"object_type", record->objectType);
        record->category = readInt(node, L"category", record->category);
        record->price = readInt(node, L"price", record->price);
        record->name = node->getAttribute(L"name");
        record->description = node->getAttribute(L"description");
        record->special = readInt(node, L"special", record->special);
        record->byClick = readInt(node, L"by_click", record->byClick);
        (record->price != 0 ? m_bonuses : m_resources).push_back(record.get());
        m_resourceRecords.push_back(std::move(record));
    }
}

void cMeadowModel::loadModelObjectTypes(IXmlNode* root) {
    m_typesByCategory.assign(CATEGORY_COUNT, {});
    m_typeCategories.clear();
    m_colourGroups.clear();
    m_transformationRules.clear();
    IXmlNode* list = nullptr;
    if (!root || !root->findNode("GameObjects", list) || !list)
        throw cStringA("cMeadowModel::loadModelSettings(): incorrect GameModel.xml: <GameObject> tag is absent or no "
                       "one object is defined.");
    for (IXmlNode* node : children(list)) {
        int32_t category = readInt(node, L"category", 0);
        int32_t type = readInt(node, L"type", 0);
        int32_t colourGroup = readInt(node, L"color_group", 0);
        if (m_typeCategories.count(type))
            throw cStringA("cMeadowModel::loadModelObjectTypes(): duplicated game object type in GameModel.xml");
        if (category < 0 || category >= CATEGORY_COUNT)
            throw cStringA("cMeadowModel::loadModelObjectTypes(): category of game object type " +
                           std::to_string(type) +
                           " is out of range [0..11] in GameModel.xml: " + std::to_string(category));
        m_typeCategories[type] = category;
        m_typesByCategory[size_t(category)].push_back(type);
        m_colourGroups[type] = colourGroup;
        for (IXmlNode* rule : children(node)) {
            int32_t amount = readInt(rule, L"amount", 0);
            int32_t money = readInt(rule, L"money", 0);
            int32_t bonusPoints = readInt(rule, L"bonus_points", 0);
            m_transformationRules[makeRuleKey(type, amount)] = {money, bonusPoints};
        }
    }
}

void cMeadowModel::loadAllLevels(IXmlNode* root) {
    int32_t count = root ? root->getNodeCount() : 0;
    if (count < 1)
        throw cStringA("cMeadowModel::loadAllLevels(): there is no one level is defined");
    std::vector<cLevelInfo> levels(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        IXmlNode* node = nullptr;
        if (!root->getNodeAt(i, node) || !node)
            throw cStringA("cMeadowModel::loadAllLevels(): can't load level " + std::to_string(i));
        cLevelInfo& level = levels[size_t(i)];
        Engine::cVector2 size(0.0f, 0.0f);
        Engine::parseVector2(size, node->getAttribute(L"size"));
        if (!(size.x >= 0.0f && size.y >= 0.0f))
            throw cStringA("cMeadowModel::loadAllLevels(): wrong size of level " + std::to_string(i));
        if (!(size.x < float(MAX_BOARD_SIDE + 1) && size.y < float(MAX_BOARD_SIDE + 1)))
            throw cStringA("cMeadowModel::loadAllLevels(): level " + std::to_string(i) + " is larger than " +
                           std::to_string(MAX_BOARD_SIDE) + " x " + std::to_string(MAX_BOARD_SIDE) + " cells");
        level.columns = int32_t(size.x);
        level.rows = int32_t(size.y);
        level.cellTexts.assign(size_t(level.rows), std::wstring());
        level.objectTexts.assign(size_t(level.rows), std::wstring());
        level.bonusesAmount = readInt(node, L"bonuses_amount", 1);
        level.vehicleAttr = readBool(node, L"vehicle_attr", false);

        IXmlNode* rows = nullptr;
        if (node->findNode("Rows", rows) && rows) {
            std::vector<IXmlNode*> rowNodes = children(rows);
            if (int32_t(rowNodes.size()) > level.rows)
                throw cStringA("cMeadowModel::loadAllLevels(): level " + std::to_string(i) +
                               " has more rows than its size");
            for (size_t k = 0; k < rowNodes.size(); ++k) {
                level.cellTexts[k] = rowNodes[k]->getAttribute(L"cells");
                level.objectTexts[k] = rowNodes[k]->getAttribute(L"objects");
            }
        }
        IXmlNode* vehicles = nullptr;
        if (node->findNode("Vehicles", vehicles) && vehicles) {
            for (IXmlNode* vehicleNode : children(vehicles)) {
                auto vehicle = std::make_unique<cVehicleModel>(m_maxVehicleSlots);
                vehicle->readXml(vehicleNode);
                vehicle->computeMoney(m_vehicleMoneyParam);
                vehicle->setState(cVehicleModel::WAITING);
                level.vehicles.push_back(std::move(vehicle));
            }
        }
    }
    m_levels = std::move(levels);
}
