#include "game/shell/EffectDialog.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Sprite.h"
#include "game/shell/GameSounds.h"

#include <algorithm>

using namespace Engine;

namespace {

// Units per second to cover the way in the time; at once (no speed) for a time of 0.
cVector2 speedOver(const cVector2& way, float seconds) {
    return seconds > 0 ? cVector2(way.x / seconds, way.y / seconds) : cVector2();
}

cVector2 scaled(const cVector2& size, float factor) {
    return cVector2(size.x * factor, size.y * factor);
}

} // namespace

cEffectDialog::cEffectDialog(cWidget* parent) : cFader(parent) {}

cEffectDialog::~cEffectDialog() {
    hide();
    disable();
}

void cEffectDialog::playSound(const char* id) {
    if (cGameSounds* sounds = cGameSounds::getInstance())
        sounds->play(id);
}

void cEffectDialog::loadXML(const IXmlNode* node) {
    cFader::loadXML(node);
    parseVector2(m_showPosition, node->getAttribute(L"show_position"));
    cLayoutReader::readFloat(node, L"scale_time", m_scaleTime);
    cLayoutReader::readFloat(node, L"scale_param", m_scaleParam);
    parseUInt(m_breakColumns, node->getAttribute(L"BreakColumns"));
    parseUInt(m_breakRows, node->getAttribute(L"BreakRows"));
    const std::vector<cWidget*> children(m_children.begin(), m_children.end());
    for (cWidget* child : children)
        addEffectWidget(child);
}

void cEffectDialog::addEffectWidget(cWidget* widget) {
    // Only sprites have a place and a size to fly with.
    if (!widget || widget->getKind() == WIDGET_KIND_PLAIN)
        return;
    auto* sprite = static_cast<cSprite*>(widget);
    auto found = std::find_if(m_effectWidgets.begin(), m_effectWidgets.end(),
                              [sprite](const sEffectRecord& record) { return record.widget == sprite; });
    if (found == m_effectWidgets.end())
        found = m_effectWidgets.insert(m_effectWidgets.end(), sEffectRecord{sprite, {}, {}, {}});
    found->homePosition = sprite->getPosition();
    found->homeSize = sprite->getSize();
    found->speed = cVector2();
    sprite->setPosition(m_showPosition);
    sprite->setSize(cVector2());
}

void cEffectDialog::removeChild(cWidget* child) {
    m_effectWidgets.erase(std::remove_if(m_effectWidgets.begin(), m_effectWidgets.end(),
                                         [child](const sEffectRecord& record) { return record.widget == child; }),
                          m_effectWidgets.end());
    cFader::removeChild(child);
}

void cEffectDialog::resetEffectWidgets() {
    for (const sEffectRecord& record : m_effectWidgets)
        if (isWidgetAlive(record.widget)) {
            record.widget->setPosition(record.homePosition);
            record.widget->setSize(record.homeSize);
        }
}

void cEffectDialog::moveBy(const cVector2& delta) {
    m_showPosition += delta;
    for (sEffectRecord& record : m_effectWidgets) {
        record.homePosition += delta;
        if (isWidgetAlive(record.widget))
            record.widget->setPosition(record.widget->getPosition() + delta);
    }
}

void cEffectDialog::computeShowSpeeds() {
    for (sEffectRecord& record : m_effectWidgets)
        record.speed = speedOver(record.homePosition - m_showPosition, m_showTime);
}

void cEffectDialog::computeHideSpeeds() {
    for (sEffectRecord& record : m_effectWidgets)
        if (isWidgetAlive(record.widget))
            record.speed = speedOver(m_showPosition - record.widget->getPosition(), m_hideTime);
}

void cEffectDialog::fadeIn() {
    computeShowSpeeds();
    playSound("show_frame");
    cFader::fadeIn();
    setFadeValue(0);
}

void cEffectDialog::fadeOut() {
    computeHideSpeeds();
    playSound("hide_frame");
    cFader::fadeOut();
}

void cEffectDialog::fadeOutAndDelete() {
    computeHideSpeeds();
    playSound("hide_frame");
    cFader::fadeOutAndDelete();
}

void cEffectDialog::onFadedIn() {
    // The frame that ends the fade makes no flight step: without this the widgets would wait
    // one step short of home through the pulse and jump there at its end.
    resetEffectWidgets();
    m_pulseRunning = true;
    m_pulseTime = 0;
}

void cEffectDialog::onFadedOut() {
    // A fade-out shorter than the pulse ends it too: a hidden dialog must not pulse on its next fade-in.
    m_pulseRunning = false;
    hide();
    for (const sEffectRecord& record : m_effectWidgets)
        if (isWidgetAlive(record.widget)) {
            record.widget->setPosition(m_showPosition);
            record.widget->setSize(cVector2());
        }
}

void cEffectDialog::process() {
    cFader::process();
    const float dt = frameDelta();

    if (m_pulseRunning) {
        if (m_pulseTime >= m_scaleTime) {
            m_pulseRunning = false;
            resetEffectWidgets();
            return;
        }
        m_pulseTime += dt;
        const float half = m_scaleTime / 2;
        float part = m_pulseTime < half ? m_pulseTime / half : (m_scaleTime - m_pulseTime) / half;
        // A step past the end would shrink the widgets below their home size for a frame.
        part = std::max(part, 0.0f);
        for (const sEffectRecord& record : m_effectWidgets)
            if (isWidgetAlive(record.widget))
                record.widget->setSize(record.homeSize + scaled(record.homeSize, m_scaleParam * part));
        return;
    }

    if (m_state == FADER_IDLE || !(m_timer > 0))
        return;
    const float part = m_state == FADER_SHOWING ? (m_showTime > 0 ? 1.0f - m_timer / m_showTime : 1.0f)
                                                : (m_hideTime > 0 ? m_timer / m_hideTime : 0.0f);
    for (const sEffectRecord& record : m_effectWidgets)
        if (isWidgetAlive(record.widget)) {
            record.widget->setSize(scaled(record.homeSize, part));
            record.widget->setPosition(record.widget->getPosition() + scaled(record.speed, dt));
        }
}
