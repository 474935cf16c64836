// libFuzzer target: arbitrary bytes as the model description and as the levels file of a
// board model, then as a vehicle element and as the level-save records. A malformed file must
// end in a thrown message, never in a crash or a read past its data.

#include "engine/core/DataStream.h"
#include "engine/core/XmlDocument.h"
#include "game/model/MeadowModel.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

const char* const kModel =
    "<Model max_objects_on_level=\"5\" max_vehicle_slots=\"3\" vehicle_money_param=\"1.5\" first_level_objects=\"1_2\">"
    "<GameObjects><O type=\"1\" category=\"1\"/><O type=\"2\" category=\"1\" color_group=\"1\"/></GameObjects>"
    "<GameResources><R id=\"money\" type=\"1\"/></GameResources><Units/>"
    "<LevelAchievements><A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements></Model>";
const char* const kLevels = "<Levels><Level size=\"2 2\"/></Levels>";

class cBytes : public Engine::IDataStream {
public:
    cBytes(const uint8_t* data, size_t size) : m_data(data), m_size(int32_t(size)) {}
    int32_t getSize() override { return m_size; }
    int32_t seek(int32_t, int) override { return m_position; }
    int32_t read(void* buffer, int32_t count) override {
        int32_t n = std::min(count, m_size - m_position);
        std::memcpy(buffer, m_data + m_position, size_t(n));
        m_position += n;
        return n;
    }
    int32_t write(const void*, int32_t) override { return 0; }
    void close() override {}

private:
    const uint8_t* m_data;
    int32_t m_size;
    int32_t m_position = 0;
};

bool parse(Engine::cXmlDocument& document, const uint8_t* data, size_t size) {
    return document.parseBytes(data, size);
}

bool parse(Engine::cXmlDocument& document, const char* text) {
    return document.parseBytes(reinterpret_cast<const uint8_t*>(text), std::strlen(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16)
        return 0;
    Engine::cXmlDocument input, model, levels;
    if (!parse(model, kModel) || !parse(levels, kLevels))
        return 0;
    if (parse(input, data, size)) {
        try {
            cMeadowModel board(&input, &levels);
        } catch (const std::string&) {
        }
        try {
            cMeadowModel board(&model, &input);
            for (cLevelInfo& level : board.getLevels())
                for (const auto& vehicle : level.vehicles)
                    vehicle->copy({1, 2, 3, 4, 5});
        } catch (const std::string&) {
        }
        try {
            cVehicleModel vehicle(3);
            vehicle.readXml(&input);
            vehicle.computeMoney(1.5f);
        } catch (const std::string&) {
        }
    }
    try {
        cMeadowModel board(&model, &levels);
        cBytes stream(data, size);
        board.getVehiclesFeature()->load(stream);
        cCellModel cell(&board, 0, 0);
        cell.load(stream);
        cMeadowObjectModel piece;
        piece.load(stream);
    } catch (const std::string&) {
    }
    return 0;
}
