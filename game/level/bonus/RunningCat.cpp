#include "game/level/bonus/RunningCat.h"

#include "engine/core/LayoutReader.h"
#include "engine/core/XmlNode.h"
#include "engine/media/GraphicsDevice.h"
#include "game/shell/RandomFloat.h"
#include "game/shell/VisualStates.h"

#include <cmath>

using namespace Engine;

cRunningCat::cRunningCat(cWidget* parent, const IVisualStates* looks) : cPanel(parent), m_looks(looks) {
    if (const IGraphicsDevice* graphics = getGraphicsDevice()) {
        m_screenWidth = float(unsigned(graphics->getScreenWidth()));
        m_screenHeight = float(unsigned(graphics->getScreenHeight()));
    }
}

cRunningCat::cRunningCat(const cRunningCat& other)
    : cPanel(other), m_looks(other.m_looks), m_screenWidth(other.m_screenWidth), m_screenHeight(other.m_screenHeight),
      m_speed(other.m_speed), m_changeDirPossibility(other.m_changeDirPossibility),
      m_changeDirDelta(other.m_changeDirDelta), m_sizeUp(other.m_sizeUp), m_sizeUpLeft(other.m_sizeUpLeft),
      m_sizeLeft(other.m_sizeLeft), m_sizeLeftDown(other.m_sizeLeftDown), m_sizeDown(other.m_sizeDown) {}

cRunningCat::~cRunningCat() = default;

void cRunningCat::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    cLayoutReader::readFloat(node, L"speed", m_speed);
    cLayoutReader::readFloat(node, L"change_dir_possibility", m_changeDirPossibility);
    cLayoutReader::readFloat(node, L"change_dir_delta", m_changeDirDelta);
    cLayoutReader::readVector(node, L"size_up", m_sizeUp);
    cLayoutReader::readVector(node, L"size_up_left", m_sizeUpLeft);
    cLayoutReader::readVector(node, L"size_left", m_sizeLeft);
    cLayoutReader::readVector(node, L"size_left_down", m_sizeLeftDown);
    cLayoutReader::readVector(node, L"size_down", m_sizeDown);
}

void cRunningCat::launch(const cVector2& position) {
    const float pi = 3.14159265f;
    setPosition(position);
    m_direction =
        cVector2(position.x > m_screenWidth * 0.5f ? 1.0f : -1.0f, position.y > m_screenHeight * 0.5f ? 1.0f : -1.0f);
    m_direction.rotate(randomFloat(-45.0f, 45.0f));
    m_direction.normalize();
    m_direction.normalize();
    setInverseX(m_direction.x > 0);
    const float up = -m_direction.y;
    const float angle = up <= -1.0f ? pi : (up >= 1.0f ? 0.0f : std::acos(up));
    const char* state = "cat_move_down";
    cVector2 size = m_sizeDown;
    if (angle < pi / 8) {
        state = "cat_move_up";
        size = m_sizeUp;
    } else if (angle < 3 * pi / 8) {
        state = "cat_move_up_left";
        size = m_sizeUpLeft;
    } else if (angle < 5 * pi / 8) {
        state = "cat_move_left";
        size = m_sizeLeft;
    } else if (angle < 7 * pi / 8) {
        state = "cat_move_down_left";
        size = m_sizeLeftDown;
    }
    setSize(size);
    if (m_looks) {
        const cVisual& look = m_looks->getVisualState(state);
        if (static_cast<const cVisual&>(*this) != look) {
            static_cast<cVisual&>(*this) = look;
            invalidate();
        }
    }
    setAnimPosition(randomFloat(0.0f, getAnimLength()));
    show();
}

bool cRunningCat::step(float dt) {
    const cVector2& p = getPosition();
    const cVector2& s = getSize();
    if (p.x < -s.x || p.x > m_screenWidth + s.x || p.y < -s.y || p.y > m_screenHeight + s.y) {
        hide();
        return true;
    }
    setPosition(p + m_direction * (m_speed * dt));
    return false;
}
