// libFuzzer target: a levels file read by the board model, every level set up in the editor
// and in play, folded back and written as text again.

#include "engine/core/XmlDocument.h"
#include "game/model/MeadowModel.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

namespace {

const char kModelXml[] =
    "<Model max_objects_on_level=\"3\" max_vehicle_slots=\"3\" color_groups_amount=\"4\" vehicle_money_param=\"1.5\" "
    "first_level_objects=\"1_2_3_4\"><GameObjects>"
    "<O type=\"1\" category=\"1\" color_group=\"0\"><Rule amount=\"3\" money=\"5\"/></O>"
    "<O type=\"2\" category=\"1\" color_group=\"1\"><Rule amount=\"3\" money=\"5\"/></O>"
    "<O type=\"3\" category=\"1\" color_group=\"2\"><Rule amount=\"3\" money=\"5\"/></O>"
    "<O type=\"4\" category=\"1\" color_group=\"3\"><Rule amount=\"3\" money=\"5\"/></O>"
    "</GameObjects><GameResources><R id=\"money\" type=\"1\"/></GameResources><Units/>"
    "<LevelAchievements><A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements></Model>";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Engine::cXmlDocument modelDocument;
    if (!modelDocument.parseBytes(reinterpret_cast<const uint8_t*>(kModelXml), sizeof(kModelXml) - 1))
        return 0;
    Engine::cXmlDocument levelsDocument;
    if (!levelsDocument.parseBytes(data, size))
        return 0;
    std::unique_ptr<cMeadowModel> model;
    try {
        model = std::make_unique<cMeadowModel>(&modelDocument, &levelsDocument);
    } catch (const std::string&) {
        return 0;
    }
    const int32_t levels = std::min<int32_t>(model->getLevelCount(), 4);
    for (int32_t level = 0; level < levels; ++level) {
        for (bool editor : {true, false}) {
            try {
                model->clearLevel();
                model->setEditorMode(editor);
                model->loadLevel(level);
                if (editor)
                    model->buildLevelsXml();
            } catch (const std::string&) {
            } catch (const char*) {
            }
        }
    }
    return 0;
}
