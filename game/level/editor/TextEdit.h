#pragma once

// A text input of the level editor: a rectangle of lines laid out with a prototype label's
// bitmap font, wrapped at spaces and line breaks, with a blinking caret panel that the arrow
// keys move. The editor types numbers into it and hears every change through a callback.

#include "engine/core/Vector2.h"
#include "engine/gui/InputHooks.h"
#include "engine/gui/Sprite.h"

#include <string>
#include <vector>

namespace Engine {
class cFontResource;
class cLabel;
class cPanel;
class cTexture;
} // namespace Engine

class cTextEdit : public Engine::cSprite {
public:
    using tChangeCallback = void (*)(cTextEdit* edit);

    explicit cTextEdit(Engine::cWidget* parent);
    ~cTextEdit() override;
    cTextEdit(const cTextEdit&) = delete;
    cTextEdit& operator=(const cTextEdit&) = delete;

    // The sprite keys, then "Proto", "Cursor", "size", "position", "Text", "row", "interlinear",
    // "blinkPeriod", "defaultFocus" and "MaxLength"; then the lines are laid out.
    void loadXML(const Engine::IXmlNode* node) override;
    // The caret blink.
    void process() override;
    void startProcessing() override;
    void stopProcessing() override;

    // A different text replaces the old one; the caret goes before its last character (at 0
    // for an empty text) and the change callback runs.
    void setText(const std::wstring& text);
    const std::wstring& getText() const { return m_text; }
    void setChangeCallback(tChangeCallback callback) { m_onChanged = callback; }

    // Cuts the text into lines, shows the lines in view and places the caret.
    void layout();

    // Input, as the input system delivers it.
    void onMousePress();
    void onCharacter(int character);
    void onLeftArrow();
    void onRightArrow();
    void onDelete();

    bool isFocused() const { return m_focused; }
    void setFocused(bool focused);
    int getCaret() const { return m_caret; }
    bool isCaretShown() const { return m_caretShown; }
    int getRows() const { return m_rows; }
    int getMaxLength() const { return m_maxLength; }
    const Engine::cVector2& getRectSize() const { return m_size; }
    const Engine::cVector2& getRectPosition() const { return m_position; }
    const std::vector<Engine::cLabel*>& getLines() const { return m_lines; }
    Engine::cPanel* getCursor() const { return m_cursor; }
    // The width of a piece of text in the prototype's font.
    float textWidth(const std::wstring& text, size_t from, size_t count) const;

private:
    float charWidth(wchar_t character) const;
    Engine::cLabel* addLine(float x, float y, const std::wstring& text);
    void releaseFont();
    void changed();

    Engine::cVector2 m_size;
    Engine::cVector2 m_position;
    Engine::cFontResource* m_font = nullptr;
    Engine::cTexture* m_fontTexture = nullptr;
    float m_letterScale = 1.0f;
    float m_spaceWidth = 0;
    std::wstring m_text;
    Engine::cLabel* m_protoLabel = nullptr;
    Engine::cPanel* m_cursor = nullptr;
    int m_rows = 1;
    float m_interlinear = 16.0f;
    bool m_caretShown = false;
    float m_blinkPeriod = 0.5f;
    float m_blinkTimer = 0;
    bool m_focused = false;
    int m_caret = 0;
    int m_firstLine = 0;
    int m_maxLength = 128;
    std::vector<Engine::cLabel*> m_lines;
    tChangeCallback m_onChanged = nullptr;
    Engine::cInputHooks m_hooks;
};
