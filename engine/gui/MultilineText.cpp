#include "engine/gui/MultilineText.h"

#include "engine/core/String.h"
#include "engine/core/Strings.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"

#include <algorithm>
#include <cmath>

namespace Engine {

cMultilineText::cMultilineText(cWidget* parent) : cSprite(parent), m_template(new cLabel(this)) {
    // The text is translated as a whole; its lines show the translation as it is.
    m_template->setLocalized(false);
    m_textColor = m_template->getColor();
}

cMultilineText::cMultilineText(const cMultilineText& other)
    : cSprite(other), m_interlinear(other.m_interlinear), m_localized(other.m_localized),
      m_verticalAlign(other.m_verticalAlign), m_wrapText(other.m_wrapText), m_wrapStyle(other.m_wrapStyle) {
    m_template = new cLabel(*other.m_template);
    m_template->setParent(this);
    m_textColor = m_template->getColor();
}

cMultilineText::~cMultilineText() {
    m_lines.clear();
}

void cMultilineText::process() {
    cSprite::process();
    if (m_relayout)
        relayout();
}

void cMultilineText::loadXML(const IXmlNode* node) {
    cWidget::loadXML(node);
    m_template->loadXML(node);
    m_position = m_template->getPosition();
    // The lines are drawn at the template's depth: the text takes the same, so that moving the
    // text to a depth moves its lines there, not by the difference from a depth it never had.
    m_depth = m_template->getDepth();
    m_template->setText(std::wstring());
    m_template->hide();
    m_template->setLocalized(false);

    IXmlNode* text = nullptr;
    if (node->findNode("Text", text))
        m_text = text->asWString();
    else
        m_text = node->getAttribute(L"String");

    parseVector2(m_size, node->getAttribute(L"size"));
    parseBool(m_localized, node->getAttribute(L"Localized"));
    float interlinear = NAN;
    parseFloat(interlinear, node->getAttribute(L"Interlinear"));
    if (!std::isnan(interlinear))
        m_interlinear = interlinear;
    parseBool(m_wrapText, node->getAttribute(L"WrapText"));
    m_verticalAlign = VALIGN_NONE;
    parseUInt(m_verticalAlign, node->getAttribute(L"VerticalAlign"));
    m_wrapStyle = WRAP_WORDS;
    parseUInt(m_wrapStyle, node->getAttribute(L"WrapStyle"));
    m_textColor = m_template->getColor();
    relayout();
}

void cMultilineText::onShow() {
    cWidget::onShow();
}

void cMultilineText::onHide() {
    cWidget::onHide();
}

void cMultilineText::setAlpha(float alpha) {
    cSprite::setAlpha(alpha);
    for (cLabel* line : m_lines)
        line->setAlpha(alpha);
}

void cMultilineText::setText(const std::wstring& text, bool now) {
    if (text == m_text)
        return;
    m_text = text;
    if (now)
        relayout();
    else
        m_relayout = true;
}

void cMultilineText::setInterlinear(float interlinear) {
    m_interlinear = interlinear;
    m_relayout = true;
}

float cMultilineText::getMultiplier() const {
    return m_template->getMultiplier();
}

void cMultilineText::setMultiplier(float multiplier) {
    m_template->setMultiplier(multiplier);
}

uint32_t cMultilineText::getAlign() const {
    return m_template->getAlign();
}

void cMultilineText::setAlign(uint32_t align) {
    m_template->setAlign(align);
}

void cMultilineText::setTexture(const std::string& path) {
    m_template->setTexture(path);
}

void cMultilineText::setFont(const std::string& path) {
    m_template->setFont(path);
}

void cMultilineText::setTextColor(uint32_t packedColor) {
    m_textColor.fromARGB(packedColor);
}

void cMultilineText::relayout() {
    for (cLabel* line : m_lines) {
        // Hidden at once, so that old and new lines never draw in the same frame.
        line->hide();
        deleteWidgetLater(line);
    }
    m_lines.clear();
    m_template->setSize(m_size);

    // The stored text stays the source text: it is translated afresh at each relayout.
    std::wstring text = m_text;
    for (size_t at = text.find(L"/n"); at != std::wstring::npos; at = text.find(L"/n", at + 1))
        text.replace(at, 2, 1, L'\n');
    if (m_localized)
        if (cStrings* strings = getStrings())
            text = strings->translate(text);

    int index = 0;
    size_t start = 0;
    for (size_t feed = text.find(L'\n'); feed != std::wstring::npos; feed = text.find(L'\n', start)) {
        const std::wstring piece = text.substr(start, feed - start);
        cLabel* line = addLine(index);
        line->setText(piece);
        if (m_wrapText)
            wrapLine(piece, index, line);
        ++index;
        start = feed + 1;
    }
    if (start < text.size()) {
        const std::wstring rest = text.substr(start);
        cLabel* line = addLine(index);
        line->setText(rest);
        if (m_wrapText)
            wrapLine(rest, index, line);
    }

    const float n = float(m_lines.size());
    const float spacing = m_interlinear, height = m_size.y;
    float shift = 0;
    if (m_verticalAlign == VALIGN_CENTER)
        shift = spacing / 2 - n * spacing / 2;
    else if (m_verticalAlign == VALIGN_TOP)
        shift = spacing / 2 - height / 2;
    else if (m_verticalAlign == VALIGN_BOTTOM)
        shift = spacing / 2 + (height / 2 - n * spacing);
    if (shift != 0)
        for (cLabel* line : m_lines)
            line->setPosition(line->getPosition() + cVector2(0.0f, shift));
    m_relayout = false;
}

cLabel* cMultilineText::addLine(int index) {
    cLabel* line = new cLabel(*m_template);
    line->setParent(this);
    line->setPosition(cVector2(m_position.x, m_position.y + float(index) * m_interlinear));
    line->show();
    line->enable();
    line->setColor(m_textColor);
    line->setAlpha(getAlpha());
    m_lines.push_back(line);
    return line;
}

void cMultilineText::wrapLine(const std::wstring& piece, int& index, cLabel* line) {
    const float width = m_size.x;
    if (line->getTextWidth() <= width)
        return;
    std::wstring current = piece, rest;
    while (line->getTextWidth() > width) {
        // Cut at the last space that lets the first part fit; a space at the very start is no
        // cut (it would leave the line empty), so a line that starts with one wraps like others.
        for (size_t p = current.rfind(L' '); p != std::wstring::npos && p > 0; p = current.rfind(L' ', p - 1)) {
            rest = current.substr(p);
            line->setText(current.substr(0, p));
            if (line->getTextWidth() <= width)
                break;
        }
        if (m_wrapStyle == WRAP_WORDS) {
            // A first word wider than the box stays alone on its line.
            if (rest.empty())
                return;
            rest.erase(0, 1);
            current = rest;
        } else {
            if (line->getTextWidth() > width) {
                // The longest start of the text that fits, and never less than one character.
                size_t fits = 0, low = 1, high = current.size();
                while (low <= high) {
                    const size_t middle = (low + high) / 2;
                    line->setText(current.substr(0, middle));
                    if (line->getTextWidth() <= width) {
                        fits = middle;
                        low = middle + 1;
                    } else {
                        high = middle - 1;
                    }
                }
                fits = std::max<size_t>(fits, 1);
                line->setText(current.substr(0, fits));
                rest = current.substr(fits);
            }
            if (rest.empty())
                return;
            current = rest;
            const size_t first = current.find_first_not_of(L" \t");
            if (first != std::wstring::npos)
                current = current.substr(first, current.find_last_not_of(L" \t") - first + 1);
        }
        ++index;
        line = addLine(index);
        line->setText(current);
        rest.clear();
    }
}

} // namespace Engine
