// libFuzzer target: font file bytes through the font reader, with every glyph looked up.

#include "engine/core/String.h"
#include "engine/media/FontResource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const Engine::cFontResource font("fuzz.fnt", data, size);
        Engine::cFontGlyph glyph;
        for (const auto& entry : font.getRanges())
            for (uint32_t c = entry.second.first; c <= entry.second.last; ++c)
                font.findGlyph(wchar_t(c), glyph);
    } catch (const Engine::cStringA&) {
    }
    return 0;
}
