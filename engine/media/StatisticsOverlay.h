#pragma once

// Draws the statistics overlay: lines of text in one colour at the top-left corner of the back
// buffer, rasterised into a texture of its own whenever the text changes.

#include "engine/platform/RenderDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace Platform {
class IFontRasteriser;
}

namespace Engine {

class cStatisticsOverlay {
public:
    // Without a usable font the overlay draws nothing.
    explicit cStatisticsOverlay(Platform::IRenderDevice& device);
    ~cStatisticsOverlay();

    // The text's lines ("\n" between them) from (0, 0), cut at width x height pixels.
    void draw(const std::wstring& text, uint32_t color, int width, int height);
    // Device objects go; the next draw makes them again.
    void release();

private:
    bool rasterise(const std::wstring& text, uint32_t color, int width, int height);

    Platform::IRenderDevice& m_device;
    std::unique_ptr<Platform::IFontRasteriser> m_font;
    Platform::tTextureHandle m_texture = 0;
    int m_textureWidth = 0, m_textureHeight = 0;
    Platform::tBufferHandle m_vertices = 0;
    std::wstring m_lastText;
    uint32_t m_lastColor = 0;
    int m_imageWidth = 0, m_imageHeight = 0;
    std::vector<uint8_t> m_coverage;
    std::vector<uint32_t> m_pixels;
};

} // namespace Engine
