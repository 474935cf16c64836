#include "game/level/editor/TextEdit.h"

#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/Panel.h"
#include "engine/media/FontResource.h"
#include "engine/media/InputSystem.h"
#include "engine/media/Texture.h"

#include <algorithm>
#include <cmath>

using namespace Engine;

namespace {

const int LEFT_ARROW_DOWN = 459;
const int RIGHT_ARROW_DOWN = 461;
const int DELETE_DOWN = 467;

void mousePressHook(void* user) {
    static_cast<cTextEdit*>(user)->onMousePress();
}
void leftArrowHook(void* user) {
    static_cast<cTextEdit*>(user)->onLeftArrow();
}
void rightArrowHook(void* user) {
    static_cast<cTextEdit*>(user)->onRightArrow();
}
void deleteHook(void* user) {
    static_cast<cTextEdit*>(user)->onDelete();
}
void characterHook(int character, void* user) {
    static_cast<cTextEdit*>(user)->onCharacter(character);
}

bool isStop(wchar_t c) {
    return c == L' ' || c == 10;
}

} // namespace

cTextEdit::cTextEdit(cWidget* parent) : cSprite(parent) {}

cTextEdit::~cTextEdit() {
    m_hooks.removeAll();
    releaseFont();
}

void cTextEdit::releaseFont() {
    if (m_font)
        m_font->decRef();
    if (m_fontTexture)
        m_fontTexture->decRef();
    m_font = nullptr;
    m_fontTexture = nullptr;
}

void cTextEdit::loadXML(const IXmlNode* node) {
    cSprite::loadXML(node);
    cWidget* parent = getParent();
    IXmlNode* child = nullptr;
    if (m_protoLabel)
        deleteWidgetLater(m_protoLabel);
    m_protoLabel = new cLabel(parent);
    std::wstring fontName;
    if (node->findNode("Proto", child)) {
        m_protoLabel->loadXML(child);
        fontName = child->getAttribute(L"Font");
    }
    m_protoLabel->hide();
    if (m_cursor)
        deleteWidgetLater(m_cursor);
    m_cursor = new cPanel(parent);
    if (node->findNode("Cursor", child))
        m_cursor->loadXML(child);
    m_cursor->hide();

    cLayoutReader::readVector(node, L"size", m_size);
    cLayoutReader::readVector(node, L"position", m_position);
    std::wstring text;
    cLayoutReader::readInt(node, L"row", m_rows);
    cLayoutReader::readFloat(node, L"interlinear", m_interlinear);
    cLayoutReader::readFloat(node, L"blinkPeriod", m_blinkPeriod);
    int focus = m_focused ? 1 : 0;
    if (cLayoutReader::readInt(node, L"defaultFocus", focus))
        m_focused = focus != 0;
    cLayoutReader::readInt(node, L"MaxLength", m_maxLength);
    if (node->getValue("Text", text))
        m_text = text;

    releaseFont();
    if (cResourceManager* resources = getResourceManager()) {
        const std::string font = wideToNarrow(fontName);
        const std::string& texture = m_protoLabel->getTexture();
        if (!font.empty())
            m_font = resources->getFont(font);
        if (!texture.empty())
            m_fontTexture = resources->getTexture(texture);
    }
    m_letterScale = m_protoLabel->getMultiplier();
    m_spaceWidth = m_protoLabel->getSpaceWidth();
    m_caret = std::min(m_caret, int(m_text.size()));
    layout();
}

float cTextEdit::charWidth(wchar_t character) const {
    if (character == L' ')
        return m_spaceWidth * m_letterScale;
    cFontGlyph glyph;
    if (!m_font || !m_fontTexture || !m_font->findGlyph(character, glyph))
        return 0.0f;
    return glyph.advance * float(m_fontTexture->getSizeRef().x) * m_fontTexture->getUvScale().x * m_letterScale;
}

float cTextEdit::textWidth(const std::wstring& text, size_t from, size_t count) const {
    float width = 0;
    for (size_t i = from; i < from + count && i < text.size(); ++i)
        width += charWidth(text[i]);
    return width;
}

void cTextEdit::layout() {
    if (!m_font || !m_fontTexture || !m_protoLabel || !m_cursor)
        return;
    for (cLabel* line : m_lines) {
        line->hide();
        deleteWidgetLater(line);
    }
    m_lines.clear();

    const float x0 = m_position.x - m_size.x * 0.5f;
    float y = m_position.y - m_size.y * 0.5f + m_interlinear * 0.5f;
    const float caretWidth = m_cursor->getSize().x;
    m_caret = std::max(0, std::min(m_caret, int(m_text.size())));

    if (m_text.empty()) {
        if (m_focused) {
            m_cursor->show();
            m_blinkTimer = 0;
            m_cursor->setPosition(x0 + caretWidth * 0.5f, y);
            m_caretShown = true;
        } else {
            m_cursor->hide();
            m_caretShown = false;
        }
        return;
    }

    const size_t length = m_text.size();
    int line = 0;
    size_t start = 0;
    cLabel* caretLabel = nullptr;
    bool caretFound = false;
    size_t caretLineStart = 0;
    while (start < length) {
        size_t n = 0;
        size_t lastFit = 0; // characters up to and including the last stop that fits
        size_t scan = start;
        while (true) {
            size_t stop = scan;
            while (stop < length && !isStop(m_text[stop]))
                ++stop;
            const bool atEnd = stop >= length;
            const size_t count = (atEnd ? length : stop + 1) - start;
            const float width = textWidth(m_text, start, count);
            if (width <= m_size.x) {
                lastFit = count;
                if (atEnd || m_text[stop] == 10) {
                    n = count;
                    break;
                }
                scan = stop + 1;
                continue;
            }
            if (lastFit > 0) {
                n = lastFit;
                break;
            }
            n = count;
            while (n > 0 && textWidth(m_text, start, n) > m_size.x)
                --n;
            if (n == 0)
                throw cStringA("rect too small to contain one letter");
            break;
        }
        const bool lastLine = start + n >= length;
        const size_t caret = size_t(m_caret);
        const bool caretHere =
            !caretFound && caret >= start && (caret + 1 <= start + n || (lastLine && caret <= start + n));
        if (caretHere) {
            caretFound = true;
            caretLineStart = start;
        }
        if (line >= m_firstLine && line < m_firstLine + m_rows) {
            cLabel* label = addLine(x0, y, m_text.substr(start, n));
            if (caretHere)
                caretLabel = label;
        }
        start += n;
        y += m_interlinear;
        ++line;
    }
    if (m_text.back() == 10) {
        cLabel* label = addLine(x0, y, std::wstring());
        if (size_t(m_caret) == length) {
            caretLabel = label;
            caretLineStart = length;
        }
    }

    // A caret on a line out of view is simply not drawn.
    if (!m_focused || !caretLabel) {
        m_caretShown = false;
        m_cursor->hide();
        return;
    }
    cLabel* label = caretLabel;
    const size_t k = size_t(m_caret) - caretLineStart;
    const std::wstring& shown = label->getText();
    if (k > shown.size()) {
        m_caretShown = false;
        m_cursor->hide();
        return;
    }
    const float x = label->getPosition().x + textWidth(shown, 0, k);
    m_cursor->show();
    m_blinkTimer = 0;
    m_cursor->setPosition(x + caretWidth * 0.5f, label->getPosition().y);
    m_caretShown = true;
}

cLabel* cTextEdit::addLine(float x, float y, const std::wstring& text) {
    auto* label = new cLabel(*m_protoLabel);
    label->setParent(m_protoLabel->getParent());
    label->setPosition(x, y);
    label->setText(text);
    label->show();
    m_lines.push_back(label);
    return label;
}

void cTextEdit::setText(const std::wstring& text) {
    if (text == m_text)
        return;
    m_text = text;
    m_caret = std::max(0, int(m_text.size()) - 1);
    layout();
    if (m_onChanged)
        m_onChanged(this);
}

void cTextEdit::changed() {
    if (m_onChanged)
        m_onChanged(this);
}

void cTextEdit::setFocused(bool focused) {
    if (m_focused == focused)
        return;
    m_focused = focused;
    layout();
}

void cTextEdit::onMousePress() {
    const IFrameManager* frames = getFrameManager();
    if (!frames)
        return;
    const cVector2& cursor = *frames->getCursorPosition();
    const bool inside =
        std::fabs(cursor.x - m_position.x) <= m_size.x * 0.5f && std::fabs(cursor.y - m_position.y) <= m_size.y * 0.5f;
    setFocused(inside);
}

void cTextEdit::onCharacter(int character) {
    if (!m_focused)
        return;
    if (character == 8) {
        if (m_caret > 0) {
            m_text.erase(size_t(m_caret - 1), 1);
            changed();
            --m_caret;
            layout();
        }
        return;
    }
    const wchar_t c = (character == 13) ? wchar_t(10) : wchar_t(character);
    if (int(m_text.size()) >= m_maxLength)
        return;
    m_text.insert(size_t(m_caret), 1, c);
    changed();
    ++m_caret;
    layout();
}

void cTextEdit::onLeftArrow() {
    if (m_focused && m_caret > 0) {
        --m_caret;
        layout();
    }
}

void cTextEdit::onRightArrow() {
    if (m_focused && m_caret < int(m_text.size())) {
        ++m_caret;
        layout();
    }
}

void cTextEdit::onDelete() {
    if (m_focused && m_caret < int(m_text.size())) {
        m_text.erase(size_t(m_caret), 1);
        changed();
        m_caret = std::min(m_caret, int(m_text.size()));
        layout();
    }
}

void cTextEdit::process() {
    cSprite::process();
    if (!m_cursor)
        return;
    if (m_caretShown && m_focused) {
        m_blinkTimer += frameDelta();
        if (m_blinkTimer >= m_blinkPeriod) {
            m_blinkTimer = 0;
            if (m_cursor->isVisible())
                m_cursor->hide();
            else
                m_cursor->show();
        }
    } else {
        m_cursor->hide();
    }
}

void cTextEdit::startProcessing() {
    m_hooks.removeAll();
    m_hooks.addKey(INPUT_MOUSE_LEFT_DOWN, mousePressHook, this);
    m_hooks.addChar(characterHook, this);
    m_hooks.addKey(LEFT_ARROW_DOWN, leftArrowHook, this);
    m_hooks.addKey(RIGHT_ARROW_DOWN, rightArrowHook, this);
    m_hooks.addKey(DELETE_DOWN, deleteHook, this);
    cSprite::startProcessing();
}

void cTextEdit::stopProcessing() {
    m_hooks.removeAll();
    cSprite::stopProcessing();
}
