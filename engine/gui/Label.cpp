#include "engine/gui/Label.h"

#include "engine/core/Constants.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/Strings.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/GlyphQuad.h"
#include "engine/media/FontResource.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/TextTexture.h"
#include "engine/media/Texture.h"

#include <algorithm>
#include <cmath>

namespace Engine {

struct cLabel::cLetter {
    cVector2 centre;
    cVector2 size;
    float rect[4];
    size_t index;
    wchar_t character;
};

namespace {

bool isReadingOrderCharacter(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

} // namespace

cLabel::cLabel(cWidget* parent) : cSprite(parent) {
    readConstants();
}

cLabel::cLabel(const cLabel& other)
    : cSprite(other), m_fontName(other.m_fontName), m_textureName(other.m_textureName),
      m_spaceWidth(other.m_spaceWidth), m_multiplier(other.m_multiplier), m_textWidth(other.m_textWidth),
      m_textHeight(other.m_textHeight), m_intersymbol(other.m_intersymbol), m_align(other.m_align),
      m_localized(other.m_localized), m_ignoreRightToLeft(other.m_ignoreRightToLeft),
      m_useTextTexture(other.m_useTextTexture) {
    readConstants();
    if (!m_useTextTexture && !other.m_useTextTexture) {
        m_font = other.m_font;
        if (m_font)
            m_font->addRef();
        m_labelTexture = other.m_labelTexture;
        if (m_labelTexture)
            m_labelTexture->addRef();
    }
    setText(other.m_text);
}

cLabel::~cLabel() {
    releaseResources();
}

void cLabel::readConstants() {
    m_rightToLeft = false;
    m_useTextTexture = false;
    if (cConstants* constants = getConstants()) {
        constants->getValue(L"game", L"RightToLeftEnable", m_rightToLeft);
        constants->getValue(L"game", L"TTFUsage", m_useTextTexture);
    }
    if (m_ignoreRightToLeft)
        m_rightToLeft = false;
}

void cLabel::releaseResources() {
    if (m_useTextTexture) {
        // The text texture is the label's own, never registered with the manager.
        delete m_labelTexture;
    } else {
        if (m_labelTexture)
            m_labelTexture->decRef();
        if (m_font)
            m_font->decRef();
    }
    m_labelTexture = nullptr;
    m_font = nullptr;
}

void cLabel::process() {
    cSprite::process();
    if (m_dirty)
        layout();
}

void cLabel::layout() {
    if (m_useTextTexture)
        layoutTextTexture();
    else
        layoutLetters();
}

void cLabel::loadXML(const IXmlNode* node) {
    cSprite::loadXML(node);

    std::wstring text = node->getAttribute(L"String");
    m_textureName = wideToNarrow(node->getAttribute(L"Texture"));
    m_fontName = wideToNarrow(node->getAttribute(L"Font"));
    cLayoutReader::readFloat(node, L"SpaceWidth", m_spaceWidth);
    cLayoutReader::readFloat(node, L"Multiplier", m_multiplier);
    parseBool(m_localized, node->getAttribute(L"Localized"));
    cLayoutReader::readFloat(node, L"Intersymbol", m_intersymbol);
    m_ignoreRightToLeft = false;
    parseBool(m_ignoreRightToLeft, node->getAttribute(L"IgnoreRightToLeft"));
    if (m_ignoreRightToLeft)
        m_rightToLeft = false;
    for (size_t at = text.find(L"/n"); at != std::wstring::npos; at = text.find(L"/n", at + 1))
        text.replace(at, 2, 1, L'\n');

    if (!m_useTextTexture) {
        for (const char* key : {"Font", "Texture"})
            if ((key[0] == 'F' ? m_fontName : m_textureName).empty())
                throw cStringA("Layout \"" + cLayoutReader::layoutName(node) + "\": the label \"" + wideToNarrow(text) +
                               "\" has no \"" + key + "\".");
        cTexture* texture = getResourceManager()->getTexture(m_textureName);
        if (m_labelTexture)
            m_labelTexture->decRef();
        m_labelTexture = texture;
        cFontResource* font = getResourceManager()->getFont(m_fontName);
        if (m_font)
            m_font->decRef();
        m_font = font;
    }

    m_align = ALIGN_CENTER;
    parseUInt(m_align, node->getAttribute(L"Align"));
    cColor color = m_color;
    parseColor(color, node->getAttribute(L"Color"));
    setColor(color);

    if (m_useTextTexture) {
        setText(text);
        layoutTextTexture();
    } else {
        m_multiSprites = true;
        setText(text);
        invalidate();
        layoutLetters();
        if (m_visible)
            show();
    }
}

void cLabel::setText(const std::wstring& text) {
    // The source text is kept: it is translated once, at each layout.
    if (text == m_text)
        return;
    m_text = text;
    invalidate();
    if (isVisible() && !isEnabled())
        layout();
}

void cLabel::setFont(const std::string& path) {
    if (m_useTextTexture || path == m_fontName)
        return;
    // The new font is taken before the old one is given back: a missing file changes nothing.
    cFontResource* font = path.empty() ? nullptr : getResourceManager()->getFont(path);
    if (m_font)
        m_font->decRef();
    m_font = font;
    m_fontName = path;
    invalidate();
}

void cLabel::setTexture(const std::string& path) {
    if (m_useTextTexture || path == m_textureName)
        return;
    cTexture* texture = path.empty() ? nullptr : getResourceManager()->getTexture(path);
    if (m_labelTexture)
        m_labelTexture->decRef();
    m_labelTexture = texture;
    m_textureName = path;
    invalidate();
}

void cLabel::setMultiplier(float multiplier) {
    if (multiplier != m_multiplier) {
        m_multiplier = multiplier;
        invalidate();
    }
}

void cLabel::setAlign(uint32_t align) {
    if (align != m_align) {
        m_align = align;
        invalidate();
    }
}

float cLabel::getTextWidth() {
    if (m_dirty)
        layout();
    return m_textWidth;
}

float cLabel::getTextHeight() {
    if (m_dirty)
        layout();
    return m_textHeight;
}

bool cLabel::canDisplay(wchar_t character) const {
    if (m_useTextTexture)
        return true;
    return m_font && m_font->hasGlyph(character);
}

void cLabel::onShow() {
    if (m_useTextTexture || m_multiSprites) {
        layout();
        cSprite::onShow();
    } else {
        layout();
        // The letters draw themselves; the label stays out of the draw list.
        cWidget::onShow();
    }
}

void cLabel::stopProcessing() {
    if (m_dirty) {
        if (m_useTextTexture)
            layoutTextTexture();
        else if (m_multiSprites)
            buildMultiQuads(m_quads, unsigned(getAnimFrame()), 1.0f);
    }
    cWidget::stopProcessing();
}

void cLabel::setAlpha(float alpha) {
    cSprite::setAlpha(alpha);
    if (!m_useTextTexture && !m_multiSprites)
        for (cGlyphQuad* quad : m_glyphQuads)
            quad->setAlpha(alpha);
}

void cLabel::setColor(const cColor& color) {
    if (color.toARGB() != m_color.toARGB()) {
        cSprite::setColor(color);
        invalidate();
    }
}

void cLabel::setDepth(float depth) {
    cSprite::setDepth(depth);
}

cTexture* cLabel::getPicture() const {
    if (m_useTextTexture || m_multiSprites)
        return m_labelTexture;
    return cSprite::getPicture();
}

void cLabel::draw() {
    IGraphicsDevice* graphics = getGraphicsDevice();
    if (m_useTextTexture) {
        const cSpriteQuad& quad = getQuad();
        if (graphics)
            graphics->drawSprite(quad, m_labelTexture, m_renderType, 0);
    } else if (m_multiSprites) {
        const std::vector<cSpriteQuad>& quads = getQuads();
        if (graphics)
            for (const cSpriteQuad& quad : quads)
                graphics->drawSprite(quad, m_labelTexture, m_renderType, 0);
    }
}

std::wstring cLabel::shownText() const {
    std::wstring text = m_text;
    if (m_localized)
        if (cStrings* strings = getStrings())
            text = strings->translate(m_text);
    if (m_rightToLeft && !m_useTextTexture)
        text = reorderRightToLeft(text);
    return text;
}

std::wstring cLabel::reorderRightToLeft(const std::wstring& text) {
    std::wstring result, run;
    result.reserve(text.size());
    auto flush = [&] {
        result.append(run.rbegin(), run.rend());
        run.clear();
    };
    for (auto c = text.rbegin(); c != text.rend(); ++c) {
        if (isReadingOrderCharacter(*c)) {
            run += *c;
        } else {
            flush();
            result += *c;
        }
    }
    flush();
    return result;
}

bool cLabel::walkLetters(bool tabIsSpace, std::vector<cLetter>& letters) {
    letters.clear();
    m_laidOut.clear();
    if (m_textureName.empty() || m_fontName.empty() || !m_font || !m_labelTexture)
        return false;
    // m_textHeight is kept: it is the tallest letter of every layout so far.
    m_textWidth = 0;
    float x = 0;
    const cVector2 picture(float(m_labelTexture->getSizeRef().x) * m_labelTexture->getUvScale().x,
                           float(m_labelTexture->getSizeRef().y) * m_labelTexture->getUvScale().y);
    const std::wstring text = shownText();
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == 10 || c == 13)
            continue;
        if (c == 32 || c == 160 || (tabIsSpace && c == 9)) {
            // The letters' factor applies to spaces too, so positions and width agree.
            x += m_spaceWidth * m_intersymbol;
            m_textWidth += m_spaceWidth * m_multiplier * m_intersymbol;
            continue;
        }
        cFontGlyph glyph;
        if (!m_font->findGlyph(c, glyph))
            continue;
        cLetter letter;
        const float advance = glyph.advance * picture.x * m_intersymbol;
        letter.rect[0] = glyph.uLeft;
        letter.rect[1] = 1.0f - glyph.vTop;
        letter.rect[2] = glyph.uRight;
        letter.rect[3] = 1.0f - glyph.vBottom;
        letter.size = cVector2((letter.rect[2] - letter.rect[0]) * picture.x * m_multiplier,
                               (letter.rect[3] - letter.rect[1]) * picture.y * m_multiplier);
        x += advance * 0.5f;
        letter.centre = m_position + cVector2(x * m_multiplier, 0.0f);
        x += advance * 0.5f;
        letter.index = i;
        letter.character = c;
        m_textWidth += advance * m_multiplier;
        m_textHeight = std::max(m_textHeight, std::fabs(letter.size.y));
        letters.push_back(letter);
        m_laidOut += c;
    }
    cVector2 offset;
    if (m_align == ALIGN_CENTER)
        offset = cVector2(-m_textWidth * 0.5f, 0.0f);
    else if (m_align == ALIGN_RIGHT)
        offset = cVector2(-m_textWidth, 0.0f);
    for (cLetter& letter : letters)
        letter.centre += offset;
    return true;
}

void cLabel::layoutLetters() {
    if (!m_dirty || m_useTextTexture)
        return;
    if (m_multiSprites)
        buildMultiQuads(m_quads, unsigned(getAnimFrame()), 1.0f);
    else
        layoutGlyphQuads();
    m_dirty = false;
}

void cLabel::layoutGlyphQuads() {
    std::vector<cLetter> letters;
    walkLetters(false, letters);
    // The quads are counted here, against the letters actually placed.
    while (m_glyphQuads.size() > letters.size()) {
        cGlyphQuad* spare = m_glyphQuads.front();
        m_glyphQuads.erase(m_glyphQuads.begin());
        spare->hide();
        deleteWidgetLater(spare);
    }
    while (m_glyphQuads.size() < letters.size())
        m_glyphQuads.push_back(new cGlyphQuad(this));
    const uint32_t color = m_color.toARGB();
    for (size_t i = 0; i < letters.size(); ++i) {
        const cLetter& letter = letters[i];
        cGlyphQuad* quad = m_glyphQuads[i];
        quad->setTexRect(letter.rect);
        if (quad->getPicture() != m_labelTexture)
            quad->setPicture(m_textureName);
        quad->setSize(letter.size);
        quad->setPosition(letter.centre);
        quad->setDepth(m_depth + float(letter.index) * 0.01f);
        quad->setAlpha(getAlpha());
        quad->setPackedColor(color);
        quad->setRenderType(m_renderType);
        quad->show();
        quad->enable();
    }
}

void cLabel::buildMultiQuads(std::vector<cSpriteQuad>& quads, unsigned, float alphaFactor) {
    quads.clear();
    std::vector<cLetter> letters;
    if (m_useTextTexture || !walkLetters(true, letters))
        return;
    const float alpha = getRootAlpha() * m_color.a * alphaFactor;
    const uint32_t color = cColor(m_color.r, m_color.g, m_color.b, alpha).toARGB();
    for (const cLetter& letter : letters) {
        cSpriteQuad quad;
        std::copy(letter.rect, letter.rect + 4, quad.textureRect);
        const cVector2 half = letter.size * 0.5f;
        const cVector2 corners[4] = {cVector2(-half.x, -half.y), cVector2(half.x, -half.y), cVector2(-half.x, half.y),
                                     cVector2(half.x, half.y)};
        for (int i = 0; i < 4; ++i) {
            quad.vertices[i].position = letter.centre + corners[i];
            quad.vertices[i].color = color;
        }
        quads.push_back(quad);
    }
}

void cLabel::layoutTextTexture() {
    if (!m_dirty || !m_useTextTexture)
        return;
    const std::wstring text = shownText();
    auto* texture = static_cast<cTextTexture*>(m_labelTexture);
    if (!texture)
        m_labelTexture = texture = new cTextTexture(text);
    else if (texture->getText() != text)
        texture->setText(text);
    const cVector2 size(float(texture->getImageSize().x), float(texture->getImageSize().y));
    setSize(size);
    m_textWidth = size.x;
    m_textHeight = size.y;
    // The quad is rebuilt when the draw pass prepares it.
    m_dirty = true;
}

void cLabel::buildQuad(cSpriteQuad& quad, unsigned frame, float alphaFactor) {
    if (!m_useTextTexture) {
        cSprite::buildQuad(quad, frame, alphaFactor);
        return;
    }
    quad.textureRect[0] = 0;
    quad.textureRect[1] = 0;
    quad.textureRect[2] = 1;
    quad.textureRect[3] = 1;
    cVector2 p = m_position;
    if (m_align == ALIGN_LEFT)
        p.x += m_size.x * 0.5f;
    else if (m_align == ALIGN_RIGHT)
        p.x -= m_size.x * 0.5f;
    // Whole pixels keep the rendered text sharp.
    const float left = std::trunc(p.x - m_size.x * 0.5f);
    const float top = std::trunc(p.y - m_size.y * 0.5f);
    const float alpha = getRootAlpha() * m_color.a * alphaFactor;
    const uint32_t color = cColor(m_color.r, m_color.g, m_color.b, alpha).toARGB();
    const cVector2 corners[4] = {cVector2(left, top), cVector2(left + m_size.x, top), cVector2(left, top + m_size.y),
                                 cVector2(left + m_size.x, top + m_size.y)};
    for (int i = 0; i < 4; ++i) {
        quad.vertices[i].position = corners[i];
        quad.vertices[i].color = color;
    }
}

} // namespace Engine
