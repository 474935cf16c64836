#include "engine/gui/Button.h"

#include "engine/core/FrameManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/SoundSample.h"
#include "engine/media/SoundSystem.h"

#include <algorithm>
#include <cmath>

namespace Engine {

namespace {

const float DEGREES_TO_RADIANS = 3.14159265358979f / 180.0f;

enum eDeferredEvent {
    DEFERRED_NONE = 0,
    DEFERRED_ENTER = 1,
    DEFERRED_PRESS = 2,
    // A press and its release in the same poll: one whole click at the next process.
    DEFERRED_CLICK = 3,
};

cButton* g_capturingButton = nullptr;
int g_deferredEvent = DEFERRED_NONE;

cSoundSample* loadSample(const IXmlNode* sounds, const wchar_t* key) {
    const std::string name = wideToNarrow(sounds->getAttribute(key));
    cResourceManager* resources = getResourceManager();
    if (name.empty() || !resources)
        return nullptr;
    return resources->getSoundSample(name);
}

void replaceSample(cSoundSample*& slot, cSoundSample* sample) {
    if (!sample)
        return;
    if (slot)
        slot->decRef();
    slot = sample;
}

bool hasSetColumn(const cBitMask& mask) {
    for (size_t column = 0; column < mask.getWidth(); ++column)
        for (size_t row = 0; row < mask.getHeight(); ++row)
            if (mask.isSet(column, row))
                return true;
    return false;
}

} // namespace

cButton::cButton(cWidget* parent) : cPanel(parent) {}

cButton::cButton(const cButton& other)
    : cPanel(other), m_state(other.m_state), m_clickCallback(other.m_clickCallback),
      m_hoverCallback(other.m_hoverCallback), m_unhoverCallback(other.m_unhoverCallback),
      m_pressCallback(other.m_pressCallback), m_userCallback(other.m_userCallback), m_clickSound(other.m_clickSound),
      m_hoverSound(other.m_hoverSound), m_hasHitMask(other.m_hasHitMask), m_soundOnUnclick(other.m_soundOnUnclick),
      m_deepProcessing(other.m_deepProcessing) {
    if (m_clickSound)
        m_clickSound->addRef();
    if (m_hoverSound)
        m_hoverSound->addRef();
    if (m_hasHitMask)
        m_hitMask = other.m_hitMask;
}

cButton::~cButton() {
    m_inputHooks.removeAll();
    dropCapture();
    if (m_clickSound)
        m_clickSound->decRef();
    if (m_hoverSound)
        m_hoverSound->decRef();
}

cButton* cButton::getCapturingButton() {
    return g_capturingButton;
}

void cButton::dropCapture() {
    if (g_capturingButton == this) {
        g_capturingButton = nullptr;
        g_deferredEvent = DEFERRED_NONE;
    }
}

const cVector2& cButton::cursor() const {
    static const cVector2 none(-1e9f, -1e9f);
    const IFrameManager* frames = getFrameManager();
    return frames ? *frames->getCursorPosition() : none;
}

void cButton::process() {
    cPanel::process();
    if (!m_deepProcessing || g_capturingButton != this)
        return;
    const int event = g_deferredEvent;
    g_deferredEvent = DEFERRED_NONE;
    if (event == DEFERRED_ENTER) {
        onMouseEnter();
    } else if (event == DEFERRED_PRESS) {
        clicked();
    } else if (event == DEFERRED_CLICK) {
        clicked();
        if (isWidgetAlive(this) && m_state == BUTTON_PRESSED)
            unclicked();
    }
}

void cButton::loadXML(const IXmlNode* node) {
    // The widget keys may show the button before its position and size are read: it follows
    // the cursor only once they are.
    m_loading = true;
    cPanel::loadXML(node);
    m_loading = false;
    parseBool(m_deepProcessing, node->getAttribute(L"IsDeepProcessing"));
    parseBool(m_soundOnUnclick, node->getAttribute(L"SoundOnUnclick"));

    const std::string mask = wideToNarrow(node->getAttribute(L"texture_mask"));
    m_hasHitMask = false;
    m_hitMask = cBitMask();
    if (!mask.empty()) {
        if (IGraphicsDevice* graphics = getGraphicsDevice()) {
            cBitMask loaded;
            graphics->loadAlphaMask(mask, loaded);
            setHitMask(loaded);
        }
    }

    IXmlNode* sounds = nullptr;
    if (node->findNode("Sounds", sounds)) {
        replaceSample(m_clickSound, loadSample(sounds, L"Click"));
        replaceSample(m_hoverSound, loadSample(sounds, L"Hover"));
    }
    trackCursor();
}

void cButton::trackCursor() {
    if (!isListening())
        return;
    onMouseMove();
    if (isWidgetAlive(this) && !isPointInside(cursor()))
        setState(BUTTON_NORMAL);
}

void cButton::setHitMask(const cBitMask& mask) {
    m_hasHitMask = hasSetColumn(mask);
    m_hitMask = m_hasHitMask ? mask : cBitMask();
}

void cButton::startProcessing() {
    cPanel::startProcessing();
    if (m_inputHooks.empty()) {
        m_inputHooks.addKey(INPUT_MOUSE_LEFT_DOWN, mouseDownHook, this);
        m_inputHooks.addKey(INPUT_MOUSE_LEFT_UP, mouseUpHook, this);
        m_inputHooks.addMouseMove(mouseMoveHook, this);
    }
    if (!m_loading)
        trackCursor();
}

void cButton::stopProcessing() {
    cPanel::stopProcessing();
    dropCapture();
    m_inputHooks.removeAll();
    setState(BUTTON_DISABLED);
}

void cButton::setState(int state) {
    if (state == m_state)
        return;
    applyState(state);
    m_state = state;
}

void cButton::setVisualState(const cVisual& visual) {
    if (static_cast<const cVisual&>(*this) == visual)
        return;
    cVisual::operator=(visual);
    invalidate();
}

bool cButton::isPointInside(const cVector2& point) const {
    if (!hitTest(point))
        return false;
    if (!m_hasHitMask)
        return true;
    // Into the sprite's own frame: undo the drawing turn first, then the mirror of the picture.
    cVector2 offset = point - m_position;
    if (m_angle != 0) {
        const float a = m_angle * DEGREES_TO_RADIANS;
        const float c = std::cos(a), s = std::sin(a);
        offset = cVector2(offset.x * c - offset.y * s, offset.x * s + offset.y * c);
    }
    if (m_size.x == 0 || m_size.y == 0)
        return false;
    // Fractions of the picture; a negative size already reads it mirrored.
    float fx = offset.x / m_size.x + 0.5f;
    float fy = offset.y / m_size.y + 0.5f;
    if (m_inverseX)
        fx = 1.0f - fx;
    if (m_inverseY)
        fy = 1.0f - fy;
    const float width = float(m_hitMask.getWidth()), height = float(m_hitMask.getHeight());
    const float column = std::clamp(std::floor((width - 1.0f) * fx), 0.0f, width - 1.0f);
    const float row = std::clamp(std::floor((height - 1.0f) * fy), 0.0f, height - 1.0f);
    return m_hitMask.isSet(size_t(column), size_t(row));
}

void cButton::playOnce(cSoundSample* sample) const {
    if (!m_soundsEnabled || !sample)
        return;
    if (cSoundSystem* sound = getSoundSystem())
        sound->playOnce(sample);
}

void cButton::clicked() {
    if (isLocked())
        return;
    if (!m_soundOnUnclick)
        playOnce(m_clickSound);
    if (!isEnabled()) {
        setState(BUTTON_DISABLED);
        return;
    }
    setState(BUTTON_PRESSED);
    if (m_unhoverCallback)
        m_unhoverCallback(this);
    if (m_pressCallback && isWidgetAlive(this))
        m_pressCallback(this);
}

void cButton::unclicked() {
    if (isLocked())
        return;
    if (m_soundOnUnclick)
        playOnce(m_clickSound);
    if (!isPointInside(cursor())) {
        onMouseLeave();
        return;
    }
    setState(BUTTON_HOVER);
    if (m_hoverCallback)
        m_hoverCallback(this);
    if (m_clickCallback && isWidgetAlive(this))
        m_clickCallback(this);
}

void cButton::onMouseEnter() {
    if (isLocked())
        return;
    setState(BUTTON_HOVER);
    if (m_hoverCallback)
        m_hoverCallback(this);
    if (isWidgetAlive(this) && m_state == BUTTON_HOVER)
        playOnce(m_hoverSound);
}

void cButton::onMouseLeave() {
    if (isLocked())
        return;
    if (m_deepProcessing)
        dropCapture();
    setState(BUTTON_NORMAL);
    if (m_unhoverCallback)
        m_unhoverCallback(this);
}

void cButton::onMouseDown() {
    if (!isPointInside(cursor()))
        return;
    if (!m_deepProcessing) {
        clicked();
        return;
    }
    if (g_capturingButton == this)
        g_deferredEvent = DEFERRED_PRESS;
}

void cButton::onMouseUp() {
    if (m_state == BUTTON_PRESSED) {
        unclicked();
        return;
    }
    // The press of this poll is still waiting for the process walk: make it a whole click.
    if (m_deepProcessing && g_capturingButton == this && g_deferredEvent == DEFERRED_PRESS)
        g_deferredEvent = DEFERRED_CLICK;
}

void cButton::onMouseMove() {
    if (!isPointInside(cursor())) {
        if (m_state == BUTTON_HOVER)
            onMouseLeave();
        if (g_capturingButton == this)
            dropCapture();
        return;
    }
    if (m_state == BUTTON_PRESSED || m_state == BUTTON_HOVER)
        return;
    if (!m_deepProcessing) {
        onMouseEnter();
        return;
    }
    if (!g_capturingButton) {
        g_capturingButton = this;
        g_deferredEvent = DEFERRED_ENTER;
    } else if (g_capturingButton != this && m_depth > g_capturingButton->m_depth) {
        g_capturingButton->onMouseLeave();
        g_capturingButton = this;
        g_deferredEvent = DEFERRED_ENTER;
    }
}

void cButton::mouseDownHook(void* user) {
    static_cast<cButton*>(user)->onMouseDown();
}

void cButton::mouseUpHook(void* user) {
    static_cast<cButton*>(user)->onMouseUp();
}

void cButton::mouseMoveHook(int code, int, void* user) {
    if (code == INPUT_MOUSE_DX || code == INPUT_MOUSE_DY)
        static_cast<cButton*>(user)->onMouseMove();
}

} // namespace Engine
