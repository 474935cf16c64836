#pragma once

// A one-line text entry: a label that, while visible and enabled, takes the characters typed
// into the main window, appends them or removes the last one on backspace, keeps the text
// within a width in pixels, and shows a blinking caret (the font's '_') beside the text.

#include "engine/gui/Label.h"
#include "engine/media/InputSystem.h"

#include <functional>

namespace Engine {

class cGlyphQuad;

// One registration with the input system's character listeners, added and removed as a pair:
// its owner cannot leave a callback behind, whatever way it goes.
class cCharListenerLink {
public:
    cCharListenerLink(tCharCallback callback, void* user) : m_callback(callback), m_user(user) {}
    ~cCharListenerLink() { remove(); }
    cCharListenerLink(const cCharListenerLink&) = delete;
    cCharListenerLink& operator=(const cCharListenerLink&) = delete;

    // Each does nothing when already done (or without an input system).
    void add();
    void remove();
    bool isRegistered() const { return m_registered; }

private:
    tCharCallback m_callback;
    void* m_user;
    bool m_registered = false;
};

class cEditBox : public cLabel {
public:
    // Returns false for a character that must be ignored.
    using tCharFilter = std::function<bool(wchar_t character)>;
    using tChangeCallback = std::function<void(cEditBox* edit)>;

    // A label whose text is shown as typed (not localized).
    explicit cEditBox(cWidget* parent);
    cEditBox(const cEditBox&) = delete;
    cEditBox& operator=(const cEditBox&) = delete;
    ~cEditBox() override;

    // Blinks the caret, then the label's step.
    void process() override;
    // The label keys, then "MaxLength" and "BlinkingPeriod"; then the caret is built.
    void loadXML(const IXmlNode* node) override;
    void onAlphaChanged() override;
    void startProcessing() override;
    void stopProcessing() override;
    // The label's layout, then the caret is placed.
    void layoutLetters() override;
    void layoutTextTexture() override;

    void setCharFilter(tCharFilter filter) { m_charFilter = std::move(filter); }
    void setChangeCallback(tChangeCallback callback) { m_changeCallback = std::move(callback); }

    // One typed UTF-16 unit, as the character listener receives it.
    void onCharacter(wchar_t character);

    float getMaxLength() const { return m_maxLength; }
    void setMaxLength(float width) { m_maxLength = width; }
    float getBlinkingPeriod() const { return m_blinkingPeriod; }
    void setBlinkingPeriod(float seconds) { m_blinkingPeriod = seconds; }
    bool isCaretLeft() const { return m_caretLeft; }
    bool isCaretOn() const { return m_caretOn; }
    float getCaretWidth() const { return m_caretWidth; }
    // The caret of a bitmap font, or in the text-texture mode a label showing "_"; null until
    // loaded or without an underscore glyph.
    cSprite* getCaret() const;

private:
    static void characterListener(int character, void* user);
    void buildCaret();
    void buildTextCaret();
    void placeCaret();
    // Appends the character when the text, the caret and the character's width w stay within
    // MaxLength; the text is measured as it is now.
    void append(wchar_t character, float w);

    bool m_caretLeft = false;
    tCharFilter m_charFilter;
    tChangeCallback m_changeCallback;
    float m_maxLength = 10.0f;
    float m_blinkingPeriod = 0.7f;
    bool m_caretOn = true;
    float m_blinkTimer = 0;
    cGlyphQuad* m_caret = nullptr;
    cLabel* m_textCaret = nullptr;
    float m_caretWidth = 0;
    cCharListenerLink m_listener;
};

} // namespace Engine
