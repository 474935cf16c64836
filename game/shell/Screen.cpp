#include "game/shell/Screen.h"

#include "engine/core/LayoutReader.h"

void cScreen::readShowHideTimes(const Engine::IXmlNode* node) {
    if (!node)
        return;
    Engine::cLayoutReader::readFloat(node, L"ShowTime", m_showTime);
    Engine::cLayoutReader::readFloat(node, L"HideTime", m_hideTime);
}
