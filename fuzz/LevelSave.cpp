// libFuzzer target: bytes resumed as a level save into a model with a level on its board;
// a refused save must leave that board whole, an accepted one must save again.

#include "engine/core/DataStream.h"
#include "engine/core/XmlDocument.h"
#include "game/model/MeadowModel.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

const char kModelXml[] =
    "<Model max_objects_on_level=\"4\" max_vehicle_slots=\"3\" color_groups_amount=\"5\" vehicle_money_param=\"1\" "
    "first_level_objects=\"1_2_3_4\"><GameObjects>"
    "<O type=\"1\" category=\"1\" color_group=\"0\"><Rule amount=\"3\" money=\"5\"/></O>"
    "<O type=\"2\" category=\"1\" color_group=\"1\"><Rule amount=\"3\" money=\"5\"/></O>"
    "<O type=\"3\" category=\"1\" color_group=\"2\"><Rule amount=\"3\" money=\"5\"/></O>"
    "<O type=\"4\" category=\"1\" color_group=\"3\"><Rule amount=\"3\" money=\"5\"/></O>"
    "<O type=\"7\" category=\"2\" color_group=\"4\"/><O type=\"102\" category=\"10\"/></GameObjects>"
    "<GameResources><R id=\"money\" type=\"1\"/><R id=\"bear\" type=\"31\" object_type=\"7\" category=\"1\" "
    "price=\"50\"/></GameResources><Units/>"
    "<LevelAchievements><A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements></Model>";

const char kLevelsXml[] = "<Levels><Level size=\"4 4\"><Rows><Row cells=\"1_17_2_1\" objects=\"0_1_0_0\"/>"
                          "<Row cells=\"1_1_1_257\" objects=\"0_0_0_0\"/><Row cells=\"1_1_1_1\" objects=\"0_0_0_0\"/>"
                          "<Row cells=\"1_1_1_1\" objects=\"0_0_0_0\"/></Rows><Vehicles><Vehicle>"
                          "<Slot object=\"1\" amount=\"2\"/></Vehicle></Vehicles></Level></Levels>";

class cByteStream : public Engine::IDataStream {
public:
    cByteStream(const uint8_t* data, size_t size) : m_bytes(data, data + size) {}
    int32_t getSize() override { return int32_t(m_bytes.size()); }
    int32_t seek(int32_t offset, int) override { return m_position = std::clamp(offset, 0, getSize()); }
    int32_t read(void* buffer, int32_t count) override {
        const int32_t n = std::max(0, std::min(count, getSize() - m_position));
        std::memcpy(buffer, m_bytes.data() + m_position, size_t(n));
        m_position += n;
        return n;
    }
    int32_t write(const void* buffer, int32_t count) override {
        const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
        m_bytes.insert(m_bytes.end(), bytes, bytes + count);
        return count;
    }
    void close() override {}
    const std::basic_string<uint8_t>& bytes() const { return m_bytes; }

private:
    std::basic_string<uint8_t> m_bytes;
    int32_t m_position = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Engine::cXmlDocument modelDocument, levelsDocument;
    if (!modelDocument.parseBytes(reinterpret_cast<const uint8_t*>(kModelXml), sizeof(kModelXml) - 1) ||
        !levelsDocument.parseBytes(reinterpret_cast<const uint8_t*>(kLevelsXml), sizeof(kLevelsXml) - 1))
        return 0;
    cMeadowModel model(&modelDocument, &levelsDocument);
    // Board in place first (editor: no random fill), so a refusal has something to keep.
    model.setEditorMode(true);
    model.loadLevel(0);
    // A save is resumed over a board whose vehicles were removed.
    model.getVehiclesFeature()->clear();
    cByteStream kept(nullptr, 0);
    model.save(kept);
    cByteStream stream(data, size);
    try {
        model.loadLevel(0, &stream);
    } catch (const std::string&) {
        cByteStream after(nullptr, 0);
        model.save(after);
        if (after.bytes() != kept.bytes())
            __builtin_trap();
        return 0;
    }
    cByteStream again(nullptr, 0);
    model.save(again);
    return 0;
}
