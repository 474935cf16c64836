#pragma once

// A line of text: a sprite that shows a wide string in a bitmap font (a "fnt" file and its
// picture) or, when the constant "TTFUsage" is set, as one texture rendered from the text. It
// draws in one of three modes: the text texture; one quad per letter (every label read from
// XML); or one cGlyphQuad child per letter (labels made in code). The line is aligned on the
// label's x and every letter is centred on its y.

#include "engine/gui/Sprite.h"

#include <string>
#include <vector>

namespace Engine {

class cFontResource;
class cGlyphQuad;
class cTexture;

enum eLabelAlign {
    ALIGN_CENTER = 0,
    ALIGN_LEFT = 1,
    ALIGN_RIGHT = 2,
};

class cLabel : public cSprite {
public:
    // Hidden and disabled; the right-to-left and text-texture modes come from the constants
    // "RightToLeftEnable" and "TTFUsage" of section "game".
    explicit cLabel(cWidget* parent);
    // The template's look, font, texture and settings and its text; no letters of its own yet.
    cLabel(const cLabel& other);
    ~cLabel() override;

    void process() override;
    // The sprite keys, then "String", "Texture", "Font", "SpaceWidth", "Multiplier", "Localized",
    // "Intersymbol", "IgnoreRightToLeft", "Align", "Color". Outside the text-texture mode a
    // missing "Font" or "Texture" throws a narrow text that names the layout file.
    void loadXML(const IXmlNode* node) override;
    void onShow() override;
    void stopProcessing() override;
    void setAlpha(float alpha) override;
    void setColor(const cColor& color) override;
    void setDepth(float depth) override;
    cTexture* getPicture() const override;
    void draw() override;

    // The source text: it is translated (when localized) each time it is laid out.
    virtual void setText(const std::wstring& text);
    const std::wstring& getText() const { return m_text; }
    virtual void setFont(const std::string& path);
    const std::string& getTexture() const { return m_textureName; }
    virtual void setTexture(const std::string& path);
    float getSpaceWidth() const { return m_spaceWidth; }
    float getMultiplier() const { return m_multiplier; }
    virtual void setMultiplier(float multiplier);
    uint32_t getAlign() const { return m_align; }
    virtual void setAlign(uint32_t align);
    // Laid out first when the label has changed.
    float getTextWidth();
    float getTextHeight();
    bool getLocalized() const { return m_localized; }
    void setLocalized(bool localized) { m_localized = localized; }
    // Whether the label can show the character (always in the text-texture mode).
    bool canDisplay(wchar_t character) const;

    virtual void layoutLetters();
    virtual void layoutTextTexture();

    // The glyph-quad mode's letters, in text order.
    const std::vector<cGlyphQuad*>& getGlyphQuads() const { return m_glyphQuads; }

    // The text reversed, each run of ASCII letters and digits kept in reading order.
    static std::wstring reorderRightToLeft(const std::wstring& text);

protected:
    void buildQuad(cSpriteQuad& quad, unsigned frame, float alphaFactor) override;
    void buildMultiQuads(std::vector<cSpriteQuad>& quads, unsigned frame, float alphaFactor) override;

    // The text as shown: translated when localized, reordered for right-to-left reading.
    std::wstring shownText() const;
    // The characters of the letters placed by the last layout, one per letter quad.
    const std::wstring& getLaidOutLetters() const { return m_laidOut; }

    std::vector<cGlyphQuad*> m_glyphQuads;
    std::wstring m_text;
    std::string m_fontName;
    std::string m_textureName;
    float m_spaceWidth = 10.0f;
    float m_multiplier = 1.0f;
    float m_textWidth = 0;
    float m_textHeight = 0;
    float m_intersymbol = 1.0f;
    uint32_t m_align = ALIGN_CENTER;
    bool m_localized = true;
    cFontResource* m_font = nullptr;
    // The font picture, or in the text-texture mode the label's own text texture.
    cTexture* m_labelTexture = nullptr;
    bool m_rightToLeft = false;
    bool m_ignoreRightToLeft = false;
    bool m_useTextTexture = false;

private:
    struct cLetter;
    // Places the letters of the shown text; false when the font or its picture is missing.
    bool walkLetters(bool tabIsSpace, std::vector<cLetter>& letters);
    void layoutGlyphQuads();
    void layout();
    void readConstants();
    void releaseResources();

    std::wstring m_laidOut;
};

} // namespace Engine
