#include "game/shell/AwardProgressPanel.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/MultilineText.h"
#include "engine/media/GraphicsDevice.h"
#include "game/model/MeadowController.h"
#include "game/shell/AwardButton.h"
#include "game/shell/SubstrateProgressBar.h"

#include <string>

using namespace Engine;

std::wstring formatAwardTime(int32_t seconds) {
    // Whole hours are kept: a two-hour award must not read "00:00".
    if (seconds < 0)
        seconds = 0;
    const int32_t hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
    auto twoDigits = [](int32_t value) {
        return std::wstring(1, wchar_t(L'0' + value / 10)) + wchar_t(L'0' + value % 10);
    };
    std::wstring text = twoDigits(minutes) + L":" + twoDigits(rest);
    if (hours > 0) {
        const std::string digits = std::to_string(hours);
        text = std::wstring(digits.begin(), digits.end()) + L":" + text;
    }
    return text;
}

namespace {

cVector2 screenSize() {
    IGraphicsDevice* device = getGraphicsDevice();
    return device ? cVector2(float(device->getScreenWidth()), float(device->getScreenHeight())) : cVector2(1024, 768);
}

} // namespace

cAwardProgressPanel::cAwardProgressPanel(cWidget* parent)
    : cPanel(parent), m_text(new cMultilineText(this)), m_progress(new cSubstrateProgressBar(this, false)),
      m_progressText(new cLabel(this)) {}

cAwardProgressPanel::cAwardProgressPanel(const cAwardProgressPanel& other)
    : cPanel(other), m_text(new cMultilineText(*other.m_text)), m_offset(other.m_offset),
      m_fadeDirection(other.m_fadeDirection), m_progress(new cSubstrateProgressBar(*other.m_progress)),
      m_progressText(new cLabel(*other.m_progressText)) {
    m_text->setParent(this);
    m_progress->setParent(this);
    m_progressText->setParent(this);
}

cAwardProgressPanel::~cAwardProgressPanel() = default;

void cAwardProgressPanel::loadXML(const IXmlNode* root) {
    IXmlNode* element = nullptr;
    if (root->findNode("Text", element))
        m_text->loadXML(element);
    element = nullptr;
    if (root->findNode("Progress", element))
        m_progress->loadXML(element);
    element = nullptr;
    if (root->findNode("ProgressText", element))
        m_progressText->loadXML(element);
    element = nullptr;
    if (root->findNode("Panel", element)) {
        cPanel::loadXML(element);
        parseVector2(m_offset, element->getAttribute(L"Offset"));
    }
    setAllAlpha(0);
}

void cAwardProgressPanel::setAllAlpha(float alpha) {
    setAlpha(alpha);
    m_text->setAlpha(alpha);
    m_progress->setAlpha(alpha);
    if (m_progress->getSubstrate())
        m_progress->getSubstrate()->setAlpha(alpha);
    m_progressText->setAlpha(alpha);
}

void cAwardProgressPanel::placeNear(const cVector2& point) {
    const cVector2 screen = screenSize();
    const cVector2 size = getSize();
    cVector2 centre;
    const bool right = screen.x / 2 < point.x, low = screen.y / 2 < point.y;
    setInverseX(right);
    centre.x = right ? point.x - size.x / 2 - m_offset.x : point.x + size.x / 2 + m_offset.x;
    setInverseY(low);
    centre.y = low ? point.y - size.y / 2 - m_offset.y : point.y + size.y / 2 + m_offset.y;
    setPosition(centre);
    if (m_textHome.x == 0)
        m_textHome = m_text->getPosition();
}

void cAwardProgressPanel::showProgress() {
    m_fadeDirection = 1;
    auto* button = dynamic_cast<cAwardButton*>(getParent());
    if (button && !button->isGiven() && button->getProgressType() != 0) {
        float current = 0, needed = button->getThreshold();
        // Before a map has been opened (from the main menu) there is no controller: the
        // player's saved counters still tell how far they have come.
        if (cMeadowController* controller = cMeadowController::getInstance())
            controller->getAwardProgress(button->getIndex(), current, needed);
        else
            current = cMeadowController::getSavedAwardProgress(button->getIndex());
        std::wstring text;
        if (button->getProgressType() == 2)
            text = formatAwardTime(int32_t(current)) + L"/" + formatAwardTime(int32_t(needed));
        else
            text = wstringFromInt(int32_t(current)) + L"/" + wstringFromInt(int32_t(needed));
        m_progressText->setText(text);
        m_progressText->show();
        m_progress->setMaximum(needed);
        m_progress->setValue(current);
        m_progress->show();
        m_text->setPosition(cVector2(m_textHome.x, m_textHome.y - m_progressText->getSize().y));
    } else {
        m_progress->hide();
        m_progressText->hide();
        m_text->setPosition(m_textHome);
    }
    show();
}

void cAwardProgressPanel::process() {
    const cVector2 screen = screenSize();
    const cVector2 centre = getPosition(), size = getSize();
    if (centre.x - size.x / 2 < 0 || centre.x + size.x / 2 > screen.x || centre.y - size.y / 2 < 0 ||
        centre.y + size.y / 2 > screen.y)
        placeNear(cVector2(centre.x + m_offset.x, centre.y + m_offset.y));
    if (m_fadeDirection != 0) {
        const IFrameTimer* timer = getFrameTimer();
        float alpha = getAlpha() + m_fadeDirection * (timer ? timer->getRealDelta() : 0.0f) * 3.3f;
        if (alpha < 0) {
            alpha = 0;
            m_fadeDirection = 0;
            hide();
        } else if (alpha >= 1) {
            alpha = 1;
            m_fadeDirection = 0;
        }
        setAllAlpha(alpha);
    }
    cPanel::process();
}
