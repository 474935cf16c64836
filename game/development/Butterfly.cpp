#include "game/development/Butterfly.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/media/GraphicsDevice.h"
#include "game/development/DevelopmentView.h"
#include "game/model/ModelXml.h"
#include "game/shell/RandomFloat.h"

#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;

} // namespace

cButterfly::cButterfly(cDevelopmentView* screen) : cPanel(screen), m_screen(screen) {
    loadLayoutFile(*this, "Meadow/View/Butterfly.xml");
}

cButterfly::~cButterfly() = default;

void cButterfly::loadXML(const Engine::IXmlNode* root) {
    const std::vector<Engine::IXmlNode*> kinds = ModelXml::children(const_cast<Engine::IXmlNode*>(root));
    const size_t index = size_t(float(kinds.size()) * (float(Engine::randomNext()) / 32768.0f));
    if (index >= kinds.size() || !kinds[index])
        throw Engine::cStringA("cButterfly::loadXML(): error load butterfly");
    Engine::IXmlNode* kind = kinds[index];
    cPanel::loadXML(kind);
    m_fullSize = getSize();
    Engine::parseVector2(s_speedRange, kind->getAttribute(L"speed_range"));
    m_speed = randomFloat(s_speedRange.x, s_speedRange.y);
    Engine::parseFloat(s_speedChangeChance, kind->getAttribute(L"change_speed_possibility"));
    Engine::parseFloat(m_bufferTime, kind->getAttribute(L"buffer_time"));
    Engine::parseFloat(m_turnChance, kind->getAttribute(L"change_dir_possibility"));
    Engine::parseFloat(m_turnAngle, kind->getAttribute(L"rotate_angle"));
    Engine::parseFloat(m_appearTime, kind->getAttribute(L"appear_time"));
    if (m_appearTime != 0) {
        m_growthRate = Engine::cVector2(m_fullSize.x / m_appearTime, m_fullSize.y / m_appearTime);
        setSize(Engine::cVector2(0, 0));
    } else {
        // Nothing to grow: the full size from the first frame.
        m_growthRate = Engine::cVector2(1, 1);
    }
    if (Engine::IGraphicsDevice* graphics = Engine::getGraphicsDevice())
        m_screenSize = Engine::cVector2(float(graphics->getScreenWidth()), float(graphics->getScreenHeight()));
    const Engine::cVector2 start(randomFloat(0, m_screenSize.x), randomFloat(0, m_screenSize.y));
    setPosition(start);
    Engine::cVector2 heading(m_screenSize.x / 2 - start.x, m_screenSize.y / 2 - start.y);
    const float length = std::sqrt(heading.x * heading.x + heading.y * heading.y);
    // One starting at the very middle has nowhere to head for: it sets off upwards.
    m_direction = length > 0 ? Engine::cVector2(heading.x / length, heading.y / length) : Engine::cVector2(0, -1);
    m_areaMin = Engine::cVector2(0, 0);
    m_areaMax = Engine::cVector2(std::trunc(m_screenSize.x), std::trunc(m_screenSize.y));
}

void cButterfly::process() {
    cPanel::process();
    const float t = Engine::frameDelta();
    if (m_appearTime > 0) {
        m_appearTime -= t;
        setSize(getSize() + m_growthRate * t);
    } else {
        setSize(m_fullSize);
    }
    const Engine::cVector2 at = getPosition();
    if (at.x < m_areaMin.x || at.x >= m_areaMax.x || at.y < m_areaMin.y || at.y >= m_areaMax.y) {
        destroy();
        return;
    }
    setPosition(at + m_direction * (m_speed * t));
    const float a = std::atan2(m_direction.y, m_direction.x);
    setAngle(-(a + kPi / 2) * 180.0f / kPi);
    if (randomFloat(0, 1) < m_turnChance) {
        const float turn = randomFloat(-m_turnAngle, m_turnAngle) * kPi / 180.0f;
        const float c = std::cos(turn), s = std::sin(turn);
        m_direction = Engine::cVector2(m_direction.x * c - m_direction.y * s, m_direction.x * s + m_direction.y * c);
    }
    if (randomFloat(0, 1) < s_speedChangeChance)
        m_speed = randomFloat(s_speedRange.x, s_speedRange.y);
}

void cButterfly::destroy() {
    if (m_screen)
        m_screen->removeButterfly(this);
}
