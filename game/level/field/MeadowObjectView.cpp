#include "game/level/field/MeadowObjectView.h"

#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/PyroEffect.h"
#include "engine/media/InputSystem.h"
#include "game/level/bonus/BonusEffect.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowObjectModel.h"
#include "game/shell/PieceLooks.h"

#include <cmath>

using namespace Engine;

float cMeadowObjectView::s_exchangeEllipseB = 0;
float cMeadowObjectView::s_exchangeSizeDelta = 0;
float cMeadowObjectView::s_exchangeDeltaDeep = 0.1f;
float cMeadowObjectView::s_exchangeWSpeed = 0;

namespace {

const int BLAST_BONUS = 201;
const cColor DEFAULT_OVERLAY(0.7411765f, 0.7411765f, 1.0f, 0.7411765f);

void leftButtonDown(void* user) {
    static_cast<cMeadowObjectView*>(user)->onLeftButtonDown();
}

void hovered(cButton* button) {
    static_cast<cMeadowObjectView*>(button)->onHover();
}

void unhovered(cButton* button) {
    static_cast<cMeadowObjectView*>(button)->onUnhover();
}

} // namespace

cMeadowObjectView::cMeadowObjectView(cWidget* parent) : cSinusSprite(parent) {
    m_decoration = new cPanel(this);
    m_overlay = new cPanel(this);
    m_overlay->setColor(DEFAULT_OVERLAY);
}

cMeadowObjectView::cMeadowObjectView(const cMeadowObjectView& other)
    : cSinusSprite(other), m_matchEffectTime(other.m_matchEffectTime), m_effectTime(other.m_effectTime),
      m_growRate(other.m_growRate), m_fallingSpeed(other.m_fallingSpeed), m_fallingSpeedSide(other.m_fallingSpeedSide),
      m_fallingAcceleration(other.m_fallingAcceleration), m_newLevelSpeed(other.m_newLevelSpeed),
      m_newLevelAccel(other.m_newLevelAccel), m_baseSize(other.m_baseSize), m_baseDepth(other.m_baseDepth),
      m_destroyTime(other.m_destroyTime), m_destroyEffectTime(other.m_destroyEffectTime),
      m_shrinkRate(other.m_shrinkRate), m_beeSpeed(other.m_beeSpeed), m_shakeDuration(other.m_shakeDuration),
      m_shakeAmp(other.m_shakeAmp), m_shakeOmega(other.m_shakeOmega), m_shakePhase(other.m_shakePhase),
      m_shakeFading(other.m_shakeFading), m_startAnimationDelay(other.m_startAnimationDelay),
      m_endAnimationDelay(other.m_endAnimationDelay), m_newLevelMaxDelay(other.m_newLevelMaxDelay),
      m_endLevelDeltaTime(other.m_endLevelDeltaTime), m_endLevelDt(other.m_endLevelDt),
      m_endLevelFluct(other.m_endLevelFluct), m_endLevelAccel(other.m_endLevelAccel),
      m_bouncingSpeed(other.m_bouncingSpeed), m_bouncingTime(other.m_bouncingTime), m_incSizeTime(other.m_incSizeTime),
      m_incSizeParam(other.m_incSizeParam), m_pulseK(other.m_pulseK), m_pulseEnd(other.m_pulseEnd),
      m_afterMatchDelay(other.m_afterMatchDelay), m_beforeMatchDelay(other.m_beforeMatchDelay),
      m_beeMinDist(other.m_beeMinDist), m_fieldView(other.m_fieldView) {
    m_decoration = new cPanel(*other.m_decoration);
    m_decoration->setParent(this);
    m_overlay = new cPanel(*other.m_overlay);
    m_overlay->setParent(this);
    // Overlapping pieces must not hide one another from the mouse.
    setDeepProcessing(false);
}

cMeadowObjectView::~cMeadowObjectView() {
    removeFireEffect();
}

void cMeadowObjectView::removeFireEffect() {
    if (!m_fireEffect)
        return;
    m_fireEffect->hide();
    deleteWidgetLater(m_fireEffect);
    m_fireEffect = nullptr;
}

void cMeadowObjectView::loadXML(const IXmlNode* node) {
    cSinusSprite::loadXML(node);
    if (cLayoutReader::readDivisor(node, L"match_effect_time", m_matchEffectTime)) {
        m_baseSize = getSize();
        m_growRate = m_baseSize * (1.0f / m_matchEffectTime);
        m_baseDepth = getDepth();
    }
    cLayoutReader::readFloat(node, L"falling_speed", m_fallingSpeed);
    cLayoutReader::readFloat(node, L"falling_speed_side", m_fallingSpeedSide);
    cLayoutReader::readFloat(node, L"falling_acceleration", m_fallingAcceleration);
    cLayoutReader::readFloat(node, L"bee_speed", m_beeSpeed);
    cLayoutReader::readFloat(node, L"new_level_speed", m_newLevelSpeed);
    cLayoutReader::readFloat(node, L"new_level_accel", m_newLevelAccel);
    if (cLayoutReader::readDivisor(node, L"destroy_effect_time", m_destroyEffectTime))
        m_shrinkRate = m_baseSize * (1.0f / m_destroyEffectTime);
    cLayoutReader::readFloat(node, L"end_level_delta_time", m_endLevelDeltaTime);
    cLayoutReader::readFloat(node, L"end_level_dt", m_endLevelDt);
    cLayoutReader::readFloat(node, L"end_level_fluct", m_endLevelFluct);
    cLayoutReader::readFloat(node, L"shake_amp", m_shakeAmp);
    float period = 0;
    if (cLayoutReader::readDivisor(node, L"shake_period", period))
        m_shakeOmega = float(2.0 * M_PI) / period;
    cLayoutReader::readFloat(node, L"shake_phase", m_shakePhase);
    cLayoutReader::readFloat(node, L"shake_time", m_shakeDuration);
    cLayoutReader::readFloat(node, L"shake_fading", m_shakeFading);
    cLayoutReader::readFloat(node, L"start_animation_delay", m_startAnimationDelay);
    cLayoutReader::readFloat(node, L"end_animation_delay", m_endAnimationDelay);
    cLayoutReader::readFloat(node, L"end_level_accel", m_endLevelAccel);
    cLayoutReader::readFloat(node, L"bouncing_speed", m_bouncingSpeed);
    cLayoutReader::readFloat(node, L"bouncing_time", m_bouncingTime);
    cLayoutReader::readDivisor(node, L"inc_size_time", m_incSizeTime);
    if (cLayoutReader::readDivisor(node, L"inc_size_param", m_incSizeParam, 1.0f)) {
        if (m_incSizeTime == 0)
            throw cStringA("Layout \"" + cLayoutReader::layoutName(node) +
                           "\": \"inc_size_param\" needs a nonzero \"inc_size_time\".");
        m_pulseK = (m_incSizeParam - 1.0f) / (m_incSizeTime * m_incSizeTime);
        m_pulseEnd = m_incSizeTime + std::sqrt(m_incSizeParam / m_pulseK);
    }
    cLayoutReader::readFloat(node, L"after_match_delay", m_afterMatchDelay);
    cLayoutReader::readFloat(node, L"before_match_delay", m_beforeMatchDelay);
    cLayoutReader::readFloat(node, L"bee_min_dist", m_beeMinDist);
    cLayoutReader::readFloat(node, L"exchange_ellipse_b", s_exchangeEllipseB);
    cLayoutReader::readFloat(node, L"exchange_size_delta", s_exchangeSizeDelta);
    cLayoutReader::readFloat(node, L"exchange_delta_deep", s_exchangeDeltaDeep);
    cLayoutReader::readFloat(node, L"exchange_w_speed", s_exchangeWSpeed);
    IXmlNode* child = nullptr;
    if (node->findNode("Decoration", child))
        m_decoration->loadXML(child);
    cColor overlay = DEFAULT_OVERLAY;
    cLayoutReader::readColor(node, L"OverlayColor", overlay);

    m_decoration->hide();
    m_decoration->setPosition(getPosition());
    m_overlay->setSize(getSize());
    m_overlay->setPosition(getPosition());
    m_overlay->setDepth(getDepth() + 0.001f);
    m_overlay->setColor(overlay);
    m_overlay->setRenderType(9);
    m_overlay->hide();
}

void cMeadowObjectView::onShow() {
    cSinusSprite::onShow();
    setAnimPosition(0);
}

void cMeadowObjectView::onHide() {
    cSinusSprite::onHide();
}

void cMeadowObjectView::setPosition(const cVector2& position) {
    cSprite::setPosition(position);
    if (m_fireEffect && m_fieldView)
        m_fireEffect->setPosition(position + m_fieldView->getBombFireOffset(size_t(getAnimFrame())));
}

void cMeadowObjectView::setVisible(bool visible) {
    if (visible)
        show();
    else
        hide();
}

void cMeadowObjectView::setObjectVisualState(int type, IXmlNode* objectsRoot) {
    cVisual look = getPieceVisualState(type, objectsRoot);
    if (static_cast<const cVisual&>(*this) != look) {
        cVisual::operator=(look);
        invalidate();
    }
}

void cMeadowObjectView::attachInput() {
    m_inputHooks.addKey(INPUT_MOUSE_LEFT_DOWN, leftButtonDown, this);
    setHoverCallback(hovered);
    setUnhoverCallback(unhovered);
    m_inputAttached = true;
}

void cMeadowObjectView::detachInput() {
    m_inputHooks.removeAll();
    setHoverCallback(nullptr);
    setUnhoverCallback(nullptr);
    m_inputAttached = false;
    m_hoverTimer = 0;
    m_hovered = false;
}

void cMeadowObjectView::setHighlighted(bool highlighted) {
    m_highlighted = highlighted;
    setAnimPosition(0);
    if (!highlighted)
        setPlayAnimation(false);
}

void cMeadowObjectView::startShake() {
    detachInput();
    if (m_model)
        m_model->setMoving();
    // The cell's place needs the model piece; a view without one shakes where it stands.
    m_homePosition = m_fieldView && m_model ? m_fieldView->getCellPositionOfView(this) : getPosition();
    m_shaking = true;
    m_shakeElapsed = 0;
}

void cMeadowObjectView::onLeftButtonDown() {
    const IFrameManager* frames = getFrameManager();
    if (!frames || !m_fieldView || !m_fieldView->getController() || !isPointInside(*frames->getCursorPosition()))
        return;
    m_fieldView->getController()->setDragging(true);
    m_fieldView->getController()->objectClicked(this);
}

void cMeadowObjectView::onHover() {
    cMeadowController* controller = m_fieldView ? m_fieldView->getController() : nullptr;
    if (controller && controller->isDragging()) {
        controller->setDragging(false);
        controller->objectClicked(this);
    }
    m_hovered = true;
    m_hoverTimer = m_startAnimationDelay;
}

void cMeadowObjectView::onUnhover() {
    m_hovered = false;
    m_hoverTimer = m_endAnimationDelay;
}

void cMeadowObjectView::process() {
    cSinusSprite::process();
    const float dt = frameDelta();
    if (m_highlighted) {
        setPlayAnimation(true);
        return;
    }
    if (m_hovered) {
        m_hoverTimer -= dt;
        if (m_hoverTimer > 0) {
            setAnimPosition(0);
        } else {
            setPlayAnimation(true);
            const IFrameManager* frames = getFrameManager();
            if (m_hoverTimer < -3.0f * m_endAnimationDelay && frames && !isPointInside(*frames->getCursorPosition())) {
                m_hovered = false;
                m_hoverTimer = m_endAnimationDelay;
            }
        }
    } else if (m_hoverTimer > 0) {
        m_hoverTimer -= dt;
    } else if (getPlayAnimation() && getAnimPosition() < 3.0f * dt) {
        setAnimPosition(0);
        setPlayAnimation(false);
    }
    auto damped = [this](float e) {
        return m_shakeAmp * std::sin(m_shakeOmega * e + m_shakePhase) * std::exp(-m_shakeFading * e);
    };
    if (m_shaking) {
        const float e = m_shakeElapsed += dt;
        if (e > m_shakeDuration) {
            m_shaking = false;
            // Someone else may own the piece by now (a fall the model began): leave it to them.
            if (!m_model || m_model->getState() == cMeadowObjectModel::MOVING) {
                setPosition(m_homePosition);
                if (m_model)
                    m_model->setAtRest();
                attachInput();
            }
        } else {
            setPosition(cVector2(m_homePosition.x + damped(e), m_homePosition.y));
        }
    }
    if (m_directionalShake) {
        if (m_shakeDelay > 0) {
            m_shakeDelay -= dt;
        } else {
            const float e = m_shakeElapsed += dt;
            if (e > m_shakeDuration) {
                m_directionalShake = false;
                setPosition(m_homePosition);
            } else {
                cVector2 offset(damped(e), 0.0f);
                offset.rotate(-m_shakeAngle);
                setPosition(m_homePosition + offset);
            }
        }
    }
    if (m_model && m_model->getBonusTag() == BLAST_BONUS && !m_fireEffect && m_fieldView) {
        m_fireEffect = m_fieldView->copyBombFireEffect();
        m_fireEffect->play();
        m_fireEffect->show();
        m_fireEffect->setPosition(getPosition() + m_fieldView->getBombFireOffset(size_t(getAnimFrame())));
    }
    if (isBonusTarget()) {
        if (!m_overlay->isVisible())
            m_overlay->show();
        setRenderType(getRenderType() | 4u);
    } else {
        if (m_overlay->isVisible())
            m_overlay->hide();
        setRenderType(getRenderType() & ~4u);
    }
}

bool cMeadowObjectView::isBonusTarget() {
    if (!m_model || !m_model->isValid() || m_model->isBusy() || !m_fieldView || !m_fieldView->getController())
        return false;
    // The controller drops its effect before the effect is deleted, so the one it holds is alive.
    const auto* effect = dynamic_cast<const cBonusEffect*>(m_fieldView->getController()->getBonusEffect());
    return effect && effect->isTargetCell(m_model->getPosition());
}
