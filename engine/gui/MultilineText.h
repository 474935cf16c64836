#pragma once

// A text of several lines in a box (the sprite's position is its centre, its size the box):
// split at line feeds, optionally wrapped to the box's width, one label per line stacked at a
// fixed spacing and placed vertically by an alignment rule. The lines are copies of a hidden
// template label that carries the font, letter scale, alignment and colour.

#include "engine/gui/Sprite.h"

#include <string>
#include <vector>

namespace Engine {

class cLabel;

enum eVerticalAlign {
    VALIGN_CENTER = 0,
    VALIGN_TOP = 1,
    VALIGN_BOTTOM = 2,
    VALIGN_NONE = 3,
};

enum eWrapStyle {
    WRAP_WORDS = 0,
    WRAP_CHARACTERS = 1,
};

class cMultilineText : public cSprite {
public:
    explicit cMultilineText(cWidget* parent);
    // The template's settings and a copy of its template label; no text and no lines.
    cMultilineText(const cMultilineText& other);
    ~cMultilineText() override;

    void process() override;
    // The widget keys; every label key configures the template; the text from the child
    // element "Text" or the attribute "String"; then "size", "Localized", "Interlinear",
    // "WrapText", "VerticalAlign", "WrapStyle". Makes the lines.
    void loadXML(const IXmlNode* node) override;
    void onShow() override;
    void onHide() override;
    void setAlpha(float alpha) override;

    const std::wstring& getText() const { return m_text; }
    // A different text makes the lines again, at once or at the next process.
    virtual void setText(const std::wstring& text, bool now = false);
    // The four setters below take effect at the next relayout.
    bool getLocalized() const { return m_localized; }
    virtual void setLocalized(bool localized) { m_localized = localized; }
    bool getWrapText() const { return m_wrapText; }
    virtual void setWrapText(bool wrap) { m_wrapText = wrap; }
    uint32_t getWrapStyle() const { return m_wrapStyle; }
    virtual void setWrapStyle(uint32_t style) { m_wrapStyle = style; }
    uint32_t getVerticalAlign() const { return m_verticalAlign; }
    virtual void setVerticalAlign(uint32_t align) { m_verticalAlign = align; }

    float getInterlinear() const { return m_interlinear; }
    void setInterlinear(float interlinear);
    // Forwarded to the template: existing lines keep their look until the next relayout.
    float getMultiplier() const;
    void setMultiplier(float multiplier);
    uint32_t getAlign() const;
    void setAlign(uint32_t align);
    void setTexture(const std::string& path);
    void setFont(const std::string& path);
    void setTextColor(uint32_t packedColor);

    const std::vector<cLabel*>& getLines() const { return m_lines; }
    // Makes the lines again from the text.
    void relayout();

protected:
    cLabel* addLine(int index);
    void wrapLine(const std::wstring& piece, int& index, cLabel* line);

    std::vector<cLabel*> m_lines;
    cLabel* m_template;
    std::wstring m_text;
    bool m_relayout = true;
    float m_interlinear = 40.0f;
    bool m_localized = true;
    uint32_t m_verticalAlign = VALIGN_NONE;
    cColor m_textColor;
    bool m_wrapText = false;
    uint32_t m_wrapStyle = WRAP_WORDS;
};

} // namespace Engine
