#include "engine/gui/EditBox.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/GlyphQuad.h"
#include "engine/media/FontResource.h"
#include "engine/media/Texture.h"
#include "engine/platform/SystemPreferences.h"

namespace Engine {

void cCharListenerLink::add() {
    if (m_registered)
        return;
    if (cInputSystem* input = getInputSystem()) {
        input->addCharCallback(m_callback, m_user);
        m_registered = true;
    }
}

void cCharListenerLink::remove() {
    if (!m_registered)
        return;
    m_registered = false;
    if (cInputSystem* input = getInputSystem())
        input->removeCharCallback(m_callback, m_user);
}

cEditBox::cEditBox(cWidget* parent) : cLabel(parent), m_listener(characterListener, this) {
    m_localized = false;
}

cEditBox::~cEditBox() {
    m_listener.remove();
}

cSprite* cEditBox::getCaret() const {
    if (m_caret)
        return m_caret;
    return m_textCaret;
}

void cEditBox::characterListener(int character, void* user) {
    static_cast<cEditBox*>(user)->onCharacter(wchar_t(character & 0xFFFF));
}

void cEditBox::process() {
    m_blinkTimer += frameDelta();
    if (m_blinkTimer > m_blinkingPeriod) {
        m_blinkTimer = 0;
        if (cSprite* caret = getCaret()) {
            if (m_caretOn)
                caret->hide();
            else
                caret->show();
        }
        m_caretOn = !m_caretOn;
    }
    cLabel::process();
}

void cEditBox::loadXML(const IXmlNode* node) {
    cLabel::loadXML(node);
    cLayoutReader::readFloat(node, L"MaxLength", m_maxLength);
    cLayoutReader::readFloat(node, L"BlinkingPeriod", m_blinkingPeriod);
    if (m_useTextTexture)
        buildTextCaret();
    else
        buildCaret();
    placeCaret();
}

void cEditBox::buildCaret() {
    if (!m_font || !m_labelTexture)
        return;
    if (!m_caret)
        m_caret = new cGlyphQuad(this);
    cFontGlyph glyph;
    if (!m_font->findGlyph(L'_', glyph)) {
        m_caretWidth = 0;
        m_caret->hide();
        return;
    }
    const cVector2 picture(float(m_labelTexture->getSizeRef().x) * m_labelTexture->getUvScale().x,
                           float(m_labelTexture->getSizeRef().y) * m_labelTexture->getUvScale().y);
    const float rect[4] = {glyph.uLeft, 1.0f - glyph.vTop, glyph.uRight, 1.0f - glyph.vBottom};
    m_caret->setTexRect(rect);
    if (m_caret->getPicture() != m_labelTexture)
        m_caret->setPicture(m_textureName);
    m_caret->setSize(
        cVector2((rect[2] - rect[0]) * picture.x * m_multiplier, (rect[3] - rect[1]) * picture.y * m_multiplier));
    m_caret->setDepth(m_depth + 20);
    m_caret->setAlpha(getAlpha());
    m_caret->setPackedColor(m_color.toARGB());
    m_caret->setRenderType(m_renderType);
    // Measured as the letters are, so that the caret and the text share one scale.
    m_caretWidth = glyph.advance * picture.x * m_multiplier * m_intersymbol;
    m_caret->show();
    m_caret->enable();
}

void cEditBox::buildTextCaret() {
    // Without a bitmap font the caret is the underscore rendered as the text is.
    if (!m_textCaret) {
        m_textCaret = new cLabel(this);
        m_textCaret->setLocalized(false);
        m_textCaret->setText(L"_");
    }
    m_textCaret->setDepth(m_depth + 20);
    m_textCaret->setColor(m_color);
    m_textCaret->setRenderType(m_renderType);
    m_caretWidth = m_textCaret->getTextWidth();
    m_textCaret->show();
    m_textCaret->enable();
}

void cEditBox::onAlphaChanged() {
    cLabel::onAlphaChanged();
    if (m_caret)
        m_caret->invalidate();
}

void cEditBox::startProcessing() {
    cLabel::startProcessing();
    m_listener.add();
}

void cEditBox::stopProcessing() {
    cLabel::stopProcessing();
    m_listener.remove();
}

void cEditBox::layoutLetters() {
    cLabel::layoutLetters();
    placeCaret();
}

void cEditBox::layoutTextTexture() {
    cLabel::layoutTextTexture();
    placeCaret();
}

void cEditBox::placeCaret() {
    cSprite* caret = getCaret();
    if (!caret)
        return;
    const float t = m_textWidth, k = m_caretWidth;
    // The text spans [-t/2, t/2] centred, [0, t] left-aligned and [-t, 0] right-aligned; a left
    // caret stands before its first letter.
    float x = 0;
    switch (m_align) {
    case ALIGN_CENTER:
        x = m_caretLeft ? -t * 0.5f - k * 0.5f : t * 0.5f + k * 0.5f;
        break;
    case ALIGN_LEFT:
        x = m_caretLeft ? -k * 0.5f : t + k * 0.5f;
        break;
    case ALIGN_RIGHT:
        x = m_caretLeft ? -t - k * 0.5f : k * 0.5f;
        break;
    default:
        return;
    }
    caret->setPosition(m_position + cVector2(x, 0.0f));
}

void cEditBox::onCharacter(wchar_t character) {
    if (m_charFilter && !m_charFilter(character))
        return;

    const bool wasLeft = m_caretLeft;
    m_caretLeft = false;
    if (m_rightToLeft && Platform::keyboardLanguageId() == Platform::LANGUAGE_HEBREW) {
        if (character == 8)
            m_caretLeft = wasLeft;
        else if (character > 254)
            m_caretLeft = true;
    }

    if (character == 8) {
        if (!m_text.empty())
            setText(m_text.substr(0, m_text.size() - 1));
    } else if (character == 10 || character == 13) {
        // Line breaks are never typed.
    } else if (m_useTextTexture) {
        append(character, 0);
    } else if (character == 32 || character == 160) {
        append(character, m_spaceWidth * m_multiplier * m_intersymbol);
    } else {
        cFontGlyph glyph;
        if (m_font && m_labelTexture && m_font->findGlyph(character, glyph)) {
            const float pictureWidth = float(m_labelTexture->getSizeRef().x) * m_labelTexture->getUvScale().x;
            append(character, glyph.advance * pictureWidth * m_multiplier * m_intersymbol);
        }
    }
    if (m_caretLeft != wasLeft)
        placeCaret();

    if (m_changeCallback)
        m_changeCallback(this);
}

void cEditBox::append(wchar_t character, float w) {
    // Several characters may arrive before the next layout: measure the text as it is now.
    if (m_useTextTexture) {
        // The text texture is the only measure: try the longer text and go back when it is too wide.
        const std::wstring old = m_text;
        setText(old + character);
        if (!(m_maxLength > getTextWidth() + m_caretWidth))
            setText(old);
        return;
    }
    if (m_maxLength > getTextWidth() + m_caretWidth + w)
        setText(m_text + character);
}

} // namespace Engine
