#include "game/development/BubbleView.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/MultilineText.h"
#include "engine/media/GraphicsDevice.h"
#include "game/development/PersonageScreen.h"
#include "game/development/PersonageView.h"

#include <cmath>

using Engine::cVector2;

namespace {

// Left and top edges inside, right and bottom edges outside.
bool inside(const cVector2& p, const cVector2& centre, const cVector2& size) {
    const float halfW = std::fabs(size.x) * 0.5f, halfH = std::fabs(size.y) * 0.5f;
    return p.x >= centre.x - halfW && p.x < centre.x + halfW && p.y >= centre.y - halfH && p.y < centre.y + halfH;
}

float sign(float target) {
    return target >= 0 ? 1.0f : -1.0f;
}

} // namespace

cBubbleView::cBubbleView(Engine::cWidget* parent, cPersonageView* owner)
    : cPanel(parent), m_text(new Engine::cMultilineText(this)), m_owner(owner) {
    if (const Engine::IGraphicsDevice* graphics = Engine::getGraphicsDevice())
        m_screenCentre = cVector2(float(graphics->getScreenWidth()) / 2, float(graphics->getScreenHeight()) / 2);
}

cBubbleView::~cBubbleView() = default;

void cBubbleView::loadXML(const Engine::IXmlNode* node) {
    cPanel::loadXML(node);
    Engine::parseVector2(m_bubbleOffset, node->getAttribute(L"bubble_offset"));
    float time = m_effectTime;
    Engine::parseFloat(time, node->getAttribute(L"effect_time"));
    if (std::isfinite(time) && time >= 0)
        m_effectTime = time;
    Engine::IXmlNode* text = nullptr;
    if (node->findNode("Text", text) && text)
        m_text->loadXML(text);
    // The text reads no depth of its own: keep its lines over the bubble's picture.
    m_text->setDepth(getDepth() + 1);
    m_layoutDepth = getDepth();
    m_size = getSize();
    if (m_size.x == 0 || m_size.y == 0)
        throw Engine::cStringA("cBubbleView::loadXML(): the bubble's size is 0");
    m_halfSize = m_size * 0.5f;
    m_alphaSpeed = m_effectTime > 0 ? 1.0f / m_effectTime : 0.0f;
    m_growSpeed = m_effectTime > 0 ? m_size / m_effectTime : cVector2();
    // Its effects run in its own step: it must take part in the process pass whatever its file says.
    enable();
}

void cBubbleView::setText(const cVector2& p, const std::wstring& line1, const std::wstring& line2,
                          const std::wstring& line3) {
    std::wstring text = line1;
    if (!line1.empty())
        text += L"\n";
    text += line2;
    if (!line2.empty())
        text += L"\n";
    text += line3;
    // Laid out now: the text takes no part in the process pass, so it would never lay out its lines.
    m_text->setText(text, true);

    const cVector2 tail = p + m_bubbleOffset;
    const bool left = m_screenCentre.x < tail.x;
    const bool up = m_screenCentre.y < tail.y;
    const cVector2 d(left ? -m_halfSize.x : m_halfSize.x, up ? -m_halfSize.y : m_halfSize.y);
    m_target = tail + d;
    setPosition(tail);
    m_moveSpeed = m_effectTime > 0 ? (m_target - tail).length() / m_effectTime : 0.0f;
    m_targetSize = cVector2(left ? -m_size.x : m_size.x, up ? m_size.y : -m_size.y);
}

void cBubbleView::keepLayoutDepth() {
    setDepth(m_layoutDepth);
}

void cBubbleView::startShowing() {
    setAlpha(0);
    setSize(cVector2());
    m_text->hide();
    m_effectTimeLeft = m_effectTime;
    m_hiding = false;
    m_showing = true;
    show();
}

void cBubbleView::startHiding() {
    m_text->hide();
    m_effectTimeLeft = m_effectTime;
    m_showing = false;
    m_hiding = true;
}

void cBubbleView::onTipShown(const Engine::cSprite* tip) {
    if (!tip)
        return;
    const cVector2 c = tip->getPosition();
    const cVector2 half(std::fabs(tip->getSize().x) * 0.5f, std::fabs(tip->getSize().y) * 0.5f);
    const cVector2 corners[4] = {c + cVector2(-half.x, -half.y), c + cVector2(half.x, -half.y),
                                 c + cVector2(-half.x, half.y), c + cVector2(half.x, half.y)};
    for (const cVector2& corner : corners)
        if (inside(corner, getPosition(), getSize())) {
            startHiding();
            return;
        }
}

void cBubbleView::process() {
    cPanel::process();
    const float dt = Engine::frameDelta();
    if (m_owner && m_owner->getScreen())
        if (const Engine::cSprite* tip = m_owner->getScreen()->getShownTip())
            onTipShown(tip);
    if (m_showing)
        stepShowing(dt);
    if (m_hiding)
        stepHiding(dt);
}

void cBubbleView::stepShowing(float dt) {
    m_effectTimeLeft -= dt;
    if (m_effectTimeLeft <= 0) {
        setAlpha(1);
        m_showing = false;
        setSize(m_targetSize);
        m_text->show();
        return;
    }
    setAlpha(std::min(1.0f, getAlpha() + m_alphaSpeed * dt));
    const cVector2 size = getSize();
    setSize(cVector2(size.x + sign(m_targetSize.x) * m_growSpeed.x * dt,
                     size.y + sign(m_targetSize.y) * m_growSpeed.y * dt));
    cVector2 toTarget = m_target - getPosition();
    toTarget.setLength(m_moveSpeed * dt);
    setPosition(getPosition() + toTarget);
}

void cBubbleView::stepHiding(float dt) {
    m_effectTimeLeft -= dt;
    if (m_effectTimeLeft <= 0) {
        setAlpha(0);
        m_hiding = false;
        setSize(cVector2());
        if (m_owner)
            m_owner->goToWork();
        return;
    }
    // A tip that keeps overlapping restarts the fade every frame: the alpha stops at 0.
    setAlpha(std::max(0.0f, getAlpha() - m_alphaSpeed * dt));
}
