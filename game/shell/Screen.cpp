#include "game/shell/Screen.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

#include <cmath>

namespace {

void readTime(const Engine::IXmlNode* node, const wchar_t* key, float& out) {
    const std::wstring& text = node->getAttribute(key);
    if (text.empty())
        return;
    float value = NAN;
    Engine::parseFloat(value, text);
    if (!std::isnan(value))
        out = value;
}

} // namespace

void cScreen::readShowHideTimes(const Engine::IXmlNode* node) {
    if (!node)
        return;
    readTime(node, L"ShowTime", m_showTime);
    readTime(node, L"HideTime", m_hideTime);
}
