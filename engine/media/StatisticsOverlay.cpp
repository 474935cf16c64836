#include "engine/media/StatisticsOverlay.h"

#include "engine/platform/FontRasteriser.h"

#include <algorithm>
#include <cstring>

namespace Engine {

using namespace Platform;

namespace {

struct cOverlayVertex {
    float x, y, z;
    uint32_t color;
    float u, v;
};

} // namespace

cStatisticsOverlay::cStatisticsOverlay(IRenderDevice& device) : m_device(device) {
    try {
        cFontDesc desc;
        desc.face = "Curier New";
        desc.pixelHeight = 16;
        desc.bold = true;
        m_font = createFontRasteriser(desc);
    } catch (...) {
        m_font.reset();
    }
}

cStatisticsOverlay::~cStatisticsOverlay() {
    release();
}

void cStatisticsOverlay::release() {
    if (m_texture)
        m_device.destroyTexture(m_texture);
    if (m_vertices)
        m_device.destroyBuffer(m_vertices);
    m_texture = 0;
    m_vertices = 0;
    m_textureWidth = m_textureHeight = 0;
    m_lastText.clear();
}

bool cStatisticsOverlay::rasterise(const std::wstring& text, uint32_t color, int width, int height) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    int imageWidth = 1, lineHeight = 1;
    for (const std::wstring& line : lines) {
        int w = 0, h = 0;
        m_font->measure(line, w, h);
        imageWidth = std::max(imageWidth, w);
        lineHeight = std::max(lineHeight, h);
    }
    imageWidth = std::min(imageWidth, std::max(1, width));
    int imageHeight = std::min(int(lines.size()) * lineHeight, std::max(1, height));
    if (imageHeight <= 0)
        return false;
    if (imageWidth > m_textureWidth || imageHeight > m_textureHeight) {
        if (m_texture)
            m_device.destroyTexture(m_texture);
        m_texture = 0;
        int textureWidth = std::max(imageWidth, m_textureWidth), textureHeight = std::max(imageHeight, m_textureHeight);
        if (m_device.createTexture(textureWidth, textureHeight, POOL_MANAGED, m_texture) != RESULT_OK)
            return false;
        m_textureWidth = textureWidth;
        m_textureHeight = textureHeight;
    }
    m_pixels.assign(size_t(m_textureWidth) * size_t(m_textureHeight), 0u);
    m_coverage.assign(size_t(imageWidth) * size_t(lineHeight), 0);
    for (size_t i = 0; i < lines.size(); ++i) {
        int top = int(i) * lineHeight;
        if (top >= imageHeight)
            break;
        std::fill(m_coverage.begin(), m_coverage.end(), 0);
        m_font->render(lines[i], m_coverage.data(), imageWidth, lineHeight);
        for (int y = 0; y < lineHeight && top + y < imageHeight; ++y)
            for (int x = 0; x < imageWidth; ++x) {
                uint32_t alpha =
                    (uint32_t(m_coverage[size_t(y) * size_t(imageWidth) + size_t(x)]) * (color >> 24)) / 255;
                m_pixels[size_t(top + y) * size_t(m_textureWidth) + size_t(x)] = alpha << 24 | (color & 0xFFFFFF);
            }
    }
    m_device.updateTexture(m_texture, 0, 0, m_textureWidth, m_textureHeight, m_pixels.data(), m_textureWidth * 4);
    m_imageWidth = imageWidth;
    m_imageHeight = imageHeight;
    return true;
}

void cStatisticsOverlay::draw(const std::wstring& text, uint32_t color, int width, int height) {
    if (!m_font || text.empty())
        return;
    if (text != m_lastText || color != m_lastColor || !m_texture) {
        m_lastText.clear();
        if (!rasterise(text, color, width, height))
            return;
        m_lastText = text;
        m_lastColor = color;
    }
    if (!m_vertices && m_device.createVertexBuffer(6 * sizeof(cOverlayVertex), FVF_XYZ | FVF_DIFFUSE | FVF_TEX1, true,
                                                   POOL_DEFAULT, m_vertices) != RESULT_OK)
        return;
    auto* vertex = static_cast<cOverlayVertex*>(m_device.lockBuffer(m_vertices, true));
    if (!vertex)
        return;
    float right = float(m_imageWidth), bottom = float(m_imageHeight);
    float u = right / float(m_textureWidth), v = bottom / float(m_textureHeight);
    const cOverlayVertex corners[6] = {{-0.5f, -0.5f, 0, 0xFFFFFFFFu, 0, 0},
                                       {right - 0.5f, -0.5f, 0, 0xFFFFFFFFu, u, 0},
                                       {-0.5f, bottom - 0.5f, 0, 0xFFFFFFFFu, 0, v},
                                       {right - 0.5f, -0.5f, 0, 0xFFFFFFFFu, u, 0},
                                       {right - 0.5f, bottom - 0.5f, 0, 0xFFFFFFFFu, u, v},
                                       {-0.5f, bottom - 0.5f, 0, 0xFFFFFFFFu, 0, v}};
    std::memcpy(vertex, corners, sizeof(corners));
    m_device.unlockBuffer(m_vertices);

    setRenderStateIfChanged(m_device, RS_STENCIL_ENABLE, 0);
    setRenderStateIfChanged(m_device, RS_ALPHA_BLEND_ENABLE, 1);
    setRenderStateIfChanged(m_device, RS_ALPHA_TEST_ENABLE, 0);
    setRenderStateIfChanged(m_device, RS_SRC_BLEND, BLEND_SRC_ALPHA);
    setRenderStateIfChanged(m_device, RS_DEST_BLEND, BLEND_INV_SRC_ALPHA);
    setSamplerStateIfChanged(m_device, SS_MAG_FILTER, FILTER_POINT);
    setSamplerStateIfChanged(m_device, SS_MIN_FILTER, FILTER_POINT);
    setSamplerStateIfChanged(m_device, SS_ADDRESS_U, ADDRESS_CLAMP);
    setSamplerStateIfChanged(m_device, SS_ADDRESS_V, ADDRESS_CLAMP);
    m_device.setTexture(m_texture);
    m_device.setVertexFormat(FVF_XYZ | FVF_DIFFUSE | FVF_TEX1);
    m_device.setStreamSource(m_vertices, sizeof(cOverlayVertex));
    m_device.drawTriangles(0, 2);
}

} // namespace Engine
