#pragma once

// Labels over a synthetic font, so that positions come out exact: "fonts/t.fnt" covers '!'..'~'
// with one glyph each, every advance 0.1 of the picture "fonts/t.tga" (100 x 20 pixels), so a
// letter steps 10 pixels. Glyph k (character '!' + k) spans u = (k % 10) / 10 .. + 0.1 and the
// upper half of the picture (10 x 10 pixels), except '|', which spans the full height.

#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/media/FontResource.h"
#include "tests/support/DataFolders.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace TestSupport {

class LabelFixture : public ::testing::Test {
public:
    static constexpr const char* FONT_KEYS = "Font=\"fonts/t.fnt\" Texture=\"fonts/t.tga\"";

protected:
    // Writes the font and the constants (with extra keys of section "game"), then starts.
    void start(const std::string& gameKeys = "") {
        ui.writeFile("sys/constants.xml", std::string("<constants><game app_directory=\"") +
                                              DataFolders::APP_DIRECTORY + "\" " + gameKeys +
                                              "/><graphics/></constants>");
        ui.writeFile("fonts/t.fnt", fontBytes());
        ui.writePicture("fonts/t.tga", 100, 20, 0xFFFFFFFFu);
        ui.start();
    }

    // The element written to a file of its own and loaded by a new root label.
    template <class Label = Engine::cLabel> Label* load(const std::string& element, const std::string& file = "l.xml") {
        ui.writeFile(file, element);
        auto* label = new Label(nullptr);
        owned.emplace_back(label);
        label->loadXML(ui.layout(file));
        return label;
    }

    static float u(wchar_t c) { return float((c - 0x21) % 10) / 10.0f; }
    static Engine::cVector2 centreOf(const Engine::cSpriteQuad& quad) {
        return (quad.vertices[0].position + quad.vertices[3].position) * 0.5f;
    }
    // Centre x of every quad drawn in the last frame.
    std::vector<float> drawnCentres() const {
        std::vector<float> xs;
        for (const DrawCall& call : ui.draws())
            xs.push_back(centreOf(call.quad).x);
        return xs;
    }

    static std::string fontBytes() {
        std::string out;
        auto u16 = [&](uint16_t v) { out += char(v & 0xFF), out += char(v >> 8); };
        auto u32 = [&](uint32_t v) { u16(uint16_t(v & 0xFFFF)), u16(uint16_t(v >> 16)); };
        auto f32 = [&](float v) {
            uint32_t bits;
            std::memcpy(&bits, &v, 4);
            u32(bits);
        };
        u32(Engine::cFontResource::MAGIC);
        u32(1);
        u16(0x21), u16(0x7E), u16(0);
        u32(0x7E - 0x21 + 1);
        for (wchar_t c = 0x21; c <= 0x7E; ++c)
            f32(u(c)), f32(1.0f), f32(u(c) + 0.1f), f32(c == L'|' ? 0.0f : 0.5f), f32(0.1f);
        return out;
    }

    UiHarness ui;
    std::vector<std::unique_ptr<Engine::cWidget>> owned;

    void TearDown() override { owned.clear(); }
};

} // namespace TestSupport
