#include "engine/media/TextTexture.h"

#include "engine/media/TextureFactory.h"
#include "engine/platform/FontRasteriser.h"

#include <memory>
#include <vector>

namespace Engine {

namespace {

// The system font of every text texture: "Curier New", bold, 10 points at 96 dots per inch.
Platform::IFontRasteriser& systemFont() {
    static std::unique_ptr<Platform::IFontRasteriser> font = [] {
        Platform::cFontDesc desc;
        desc.face = "Curier New";
        desc.pixelHeight = (10 * 96 + 36) / 72;
        desc.bold = true;
        return Platform::createFontRasteriser(desc);
    }();
    return *font;
}

} // namespace

cTextTexture::cTextTexture(const std::wstring& text) : cTexture(Platform::tTextureHandle(0)) {
    setText(text);
}

cTextTexture::~cTextTexture() = default;

int cTextTexture::getKind() const {
    return RESOURCE_TEXT_TEXTURE;
}

void cTextTexture::load() {
    render();
}

void cTextTexture::setText(const std::wstring& text) {
    m_text = text;
    render();
}

void cTextTexture::render() {
    releaseDeviceTexture();
    int width = 1, height = 1;
    int measuredWidth = 0, measuredHeight = 0;
    if (!m_text.empty())
        systemFont().measure(m_text, measuredWidth, measuredHeight);
    if (measuredWidth > 0 && measuredHeight > 0) {
        width = measuredWidth;
        height = measuredHeight;
        std::vector<uint8_t> coverage(size_t(width) * size_t(height), 0);
        systemFont().render(m_text, coverage.data(), width, height);

        cTextureFactory* factory = getTextureFactory();
        if (!factory)
            throw "No graphics device.";
        Platform::tTextureHandle texture = 0;
        factory->createTexture(nullptr, 0, texture, Platform::POOL_MANAGED, nullptr, width, height);
        int realWidth = 0, realHeight = 0;
        factory->getTextureSize(texture, realWidth, realHeight);
        attachDeviceTexture(texture, realWidth, realHeight);
        m_uvScale = cVector2(float(width) / float(realWidth), float(height) / float(realHeight));

        // White ink on black: the coverage is the colour and, so that the black is transparent,
        // the alpha as well.
        std::vector<uint32_t> texels(coverage.size());
        for (size_t i = 0; i < coverage.size(); ++i) {
            const uint32_t c = coverage[i];
            texels[i] = c << 24 | c << 16 | c << 8 | c;
        }
        factory->getRenderDevice()->updateTexture(texture, 0, 0, width, height, texels.data(), width * 4);
    }
    m_imageSize = m_textureSize = cIntPair(width, height);
    m_halfTexel = cVector2(0.5f / float(width), 0.5f / float(height));
}

} // namespace Engine
