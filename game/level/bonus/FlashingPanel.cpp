#include "game/level/bonus/FlashingPanel.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"

#include <cmath>

using namespace Engine;

cFlashingPanel::cFlashingPanel(cWidget* parent, const std::string& layout) : cPanel(parent) {
    loadLayoutFile(*this, layout);
}

cFlashingPanel::~cFlashingPanel() = default;

void cFlashingPanel::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    float period = 0;
    cLayoutReader::readFloat(node, L"flash_period", period);
    m_phaseSpeed = period / float(2.0 * M_PI);
}

void cFlashingPanel::process() {
    cPanel::process();
    if (!m_flashing)
        return;
    setAlpha(0.5f + 0.5f * std::sin(m_phaseSpeed * m_phaseTime));
    m_phaseTime += frameDelta();
}
