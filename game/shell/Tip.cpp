#include "game/shell/Tip.h"

#include "engine/core/FrameRegistry.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/MultilineText.h"
#include "engine/media/GraphicsDevice.h"

#include <cmath>
#include <vector>

using namespace Engine;

namespace {

std::set<cTip*>& liveTips() {
    static std::set<cTip*> tips;
    return tips;
}

cVector2 screenSize() {
    if (IGraphicsDevice* graphics = getGraphicsDevice())
        return cVector2(float(graphics->getScreenWidth()), float(graphics->getScreenHeight()));
    return cVector2(1024, 768);
}

// Shown, enabled and transparent: the tip's fade gives it its alpha.
void prepareChild(cSprite* child, const IXmlNode* node) {
    child->loadXML(node);
    child->setAlpha(0);
    child->show();
    child->enable();
}

} // namespace

cTip::cTip(cWidget* owner) : cPanel(owner) {
    liveTips().insert(this);
}

cTip::~cTip() {
    hide();
    disable();
    liveTips().erase(this);
}

const std::set<cTip*>& cTip::getLiveTips() {
    return liveTips();
}

void hideAllTips() {
    // Hiding runs notifications: walk a copy and skip tips that went meanwhile.
    const std::vector<cTip*> tips(liveTips().begin(), liveTips().end());
    for (cTip* tip : tips)
        if (liveTips().count(tip) && tip->isShownFlagSet())
            tip->hide();
}

void cTip::loadXML(const IXmlNode* node) {
    float delay = NAN;
    parseFloat(delay, node->getAttribute(L"ShowDelayTime"));
    if (!std::isnan(delay))
        m_showDelay = delay;

    IXmlNode* panel = nullptr;
    if (node->findNode("Panel", panel)) {
        float depth = NAN;
        parseFloat(depth, panel->getAttribute(L"deep"));
        if (!std::isnan(depth))
            m_fixedDepth = depth;
        parseVector2(m_offset, panel->getAttribute(L"Offset"));
        cPanel::loadXML(panel);
    }

    IXmlNode* texts = nullptr;
    if (node->findNode("Texts", texts))
        for (int i = 0; i < texts->getChildCount(); ++i) {
            IXmlNode* element = nullptr;
            if (!texts->getNodeAt(i, element))
                continue;
            auto* text = new cMultilineText(this);
            prepareChild(text, element);
            const std::string tag = wideToNarrow(element->getAttribute(L"Tag"));
            if (!tag.empty())
                m_taggedTexts[tag] = text;
        }

    IXmlNode* pictures = nullptr;
    if (node->findNode("Pics", pictures))
        for (int i = 0; i < pictures->getChildCount(); ++i) {
            IXmlNode* element = nullptr;
            if (pictures->getNodeAt(i, element))
                prepareChild(new cPanel(this), element);
        }

    setAlpha(0);
    hide();
}

cMultilineText* cTip::getTaggedText(const std::string& tag) const {
    auto found = m_taggedTexts.find(tag);
    return found == m_taggedTexts.end() ? nullptr : found->second;
}

void cTip::onHide() {
    cPanel::onHide();
    setAlpha(0);
}

void cTip::setAlpha(float alpha) {
    cPanel::setAlpha(alpha);
    for (cWidget* child : m_children)
        if (child->getKind() != WIDGET_KIND_PLAIN)
            static_cast<cSprite*>(child)->setAlpha(alpha);
}

void cTip::setDepth(float depth) {
    cPanel::setDepth(m_fixedDepth != 0 ? m_fixedDepth : depth);
}

void cTip::placeAt(const cVector2& point) {
    const cVector2 screen = screenSize();
    const float width = std::fabs(m_size.x), height = std::fabs(m_size.y);
    cVector2 position;
    const bool right = screen.x / 2 < point.x;
    setInverseX(right);
    position.x = right ? point.x - width / 2 - m_offset.x : point.x + width / 2 + m_offset.x;
    const bool below = screen.y / 2 < point.y;
    setInverseY(below);
    position.y = below ? point.y - height / 2 - m_offset.y : point.y + height / 2 + m_offset.y;
    setPosition(position);
}

void cTip::startShowing() {
    hideAllTips();
    m_fadeDirection = 1;
    if (isVisible())
        return;
    updateContent();
    m_delayLeft = m_showDelay;
    show();
}

void cTip::process() {
    const cVector2 screen = screenSize();
    const cVector2 centre = m_position;
    const float halfWidth = std::fabs(m_size.x) / 2, halfHeight = std::fabs(m_size.y) / 2;
    if (centre.x - halfWidth < 0 || centre.x + halfWidth > screen.x || centre.y - halfHeight < 0 ||
        centre.y + halfHeight > screen.y)
        placeAt(centre);

    const IFrameTimer* timer = getFrameTimer();
    const float dt = timer ? timer->getRealDelta() : 0.0f;
    if (m_delayLeft > 0) {
        m_delayLeft -= dt;
    } else if (m_fadeDirection != 0) {
        float alpha = getAlpha() + dt * m_fadeDirection * FADE_SPEED;
        if (alpha < 0) {
            alpha = 0;
            m_fadeDirection = 0;
            hide();
        } else if (alpha >= 1) {
            alpha = 1;
            m_fadeDirection = 0;
        }
        setAlpha(alpha);
    }
    cPanel::process();
}

void cTip::onUpdate() {
    if (isVisible() && !isInProcessList(this))
        process();
}

void cTip::updateAlsoOverDisabledControl() {
    // The inherited flag is set too: the control and its panels are not absolutely enabled.
    m_parentAbsoluteEnabled = true;
    enableAbsolute();
}
