// The motions of a piece view: each start sets the motion up and writes the model state the
// board reads while the piece moves; each step advances it by the frame time.

#include "game/level/field/MeadowObjectView.h"

#include "game/level/field/MeadowFieldView.h"
#include "game/model/MeadowObjectModel.h"
#include "game/shell/RandomFloat.h"

#include <cmath>

using namespace Engine;

namespace {

const float PI = float(M_PI);
// Closer than this a piece stands on its target: a float path never lands on it exactly.
const float ARRIVED = 1e-3f;

float distance(const cVector2& a, const cVector2& b) {
    return (a - b).length();
}

} // namespace

bool cMeadowObjectView::moveTowards(const cVector2& target, float step) {
    const cVector2 position = getPosition();
    const cVector2 d = target - position;
    const float length = d.length();
    // A step that reaches or passes the target arrives; so does a distance too small to normalise.
    if (length <= step || length < ARRIVED) {
        setPosition(target);
        return true;
    }
    setPosition(position + d * (step / length));
    return false;
}

void cMeadowObjectView::cancelShakes() {
    if (m_shaking || m_directionalShake)
        setPosition(m_homePosition);
    m_shaking = false;
    m_directionalShake = false;
}

void cMeadowObjectView::comeToRest() {
    if (m_model)
        m_model->setAtRest();
    attachInput();
}

// ---- Exchange ----

void cMeadowObjectView::startExchange(bool horizontal, bool inFront) {
    cancelShakes();
    detachInput();
    m_exchangeHorizontal = horizontal;
    const cVector2 p0 = getPosition();
    m_exchangeA = distance(m_targetPosition, p0) / 2;
    m_exchangeB = s_exchangeEllipseB;
    m_exchangeCentre = (p0 + m_targetPosition) * 0.5f;
    m_baseDepth = getDepth();
    if (inFront) {
        m_exchangeAngle = PI;
        m_exchangeEndAngle = 2 * PI;
        setDepth(getDepth() + s_exchangeDeltaDeep);
    } else {
        m_exchangeAngle = 0;
        m_exchangeEndAngle = PI;
        setDepth(getDepth() - s_exchangeDeltaDeep);
    }
}

bool cMeadowObjectView::stepExchange(float dt) {
    const float angle = m_exchangeAngle += s_exchangeWSpeed * dt;
    if (angle >= m_exchangeEndAngle)
        return true;
    const float a = m_exchangeA, b = m_exchangeB;
    const cVector2& c = m_exchangeCentre;
    if (m_exchangeHorizontal)
        setPosition(cVector2(c.x + a * std::cos(angle), c.y - b * std::sin(angle)));
    else
        setPosition(cVector2(c.x - b * std::sin(angle), c.y + a * std::cos(angle)));
    setSize(m_baseSize * (1 + s_exchangeSizeDelta * std::sin(-angle)));
    return false;
}

void cMeadowObjectView::endExchange() {
    setDepth(m_baseDepth);
    setSize(m_baseSize);
    onEndMoving();
}

void cMeadowObjectView::onEndMoving() {
    setPosition(m_targetPosition);
    if (!m_model || m_model->getState() != cMeadowObjectModel::EXCHANGING)
        throw "cMeadowObjectView::onEndMoving(): someone already reset EXCHANGING state in model object.";
    comeToRest();
}

// ---- Match pulse ----

void cMeadowObjectView::startMatch() {
    cancelShakes();
    m_effectTime = 0;
    detachInput();
    if (m_model)
        m_model->setState(cMeadowObjectModel::STATE_3);
}

bool cMeadowObjectView::stepMatch(float dt) {
    const float t = m_effectTime;
    if (t < m_pulseEnd) {
        const float rest = m_incSizeTime - t;
        setSize(m_baseSize * (m_incSizeParam - m_pulseK * rest * rest));
        m_effectTime += dt;
        return false;
    }
    hide();
    if (t >= m_pulseEnd + m_afterMatchDelay)
        return true;
    m_effectTime += dt;
    return false;
}

// ---- Appear and refill descent ----

void cMeadowObjectView::startAppear() {
    cancelShakes();
    m_effectTime = m_matchEffectTime;
    detachInput();
    setSize(cVector2(0, 0));
    show();
    if (m_model)
        m_model->setState(cMeadowObjectModel::STATE_6);
}

bool cMeadowObjectView::stepAppear(float dt) {
    const cVector2 size = getSize() + m_growRate * dt;
    m_effectTime -= dt;
    // Without a growth rate the piece would never reach its size: it appears at once.
    const bool still = m_growRate.x <= 0 && m_growRate.y <= 0;
    if (still || size.x >= m_baseSize.x || size.y >= m_baseSize.y) {
        setSize(m_baseSize);
        comeToRest();
        return true;
    }
    setSize(size);
    return false;
}

void cMeadowObjectView::startDescend() {
    cancelShakes();
    detachInput();
    m_speed = m_fallingSpeed;
    show();
    if (m_model)
        m_model->setState(cMeadowObjectModel::STATE_8);
}

bool cMeadowObjectView::stepDescend(float dt) {
    const cVector2 d = m_targetPosition - getPosition();
    bool arrived = d.length() < ARRIVED;
    if (!arrived) {
        // A diagonal path is longer: the piece accelerates harder to keep up with its column.
        const float acceleration = m_fallingAcceleration * (d.x != 0 ? 1.414f : 1.0f);
        m_speed += acceleration * dt;
        arrived = moveTowards(m_targetPosition, dt * m_speed);
    }
    if (!arrived)
        return false;
    setPosition(m_targetPosition);
    m_decoration->hide();
    comeToRest();
    return true;
}

// ---- Fall, slide and landing ----

void cMeadowObjectView::startFall(float screenHeight, bool slide) {
    cancelShakes();
    detachInput();
    m_speed = m_fallingSpeed * (1 + (screenHeight != 0 ? getPosition().y / screenHeight : 0));
    if (m_model)
        m_model->setState(cMeadowObjectModel::STATE_18);
    if (slide) {
        m_fallDelay = 0;
        m_speed = m_fallingSpeedSide;
    } else {
        m_fallDelay = m_beforeMatchDelay;
    }
    setDepth(getDepth() + 10);
}

bool cMeadowObjectView::stepFall(float dt) {
    if (m_fallDelay >= 0) {
        m_fallDelay -= dt;
        return false;
    }
    bool arrived = distance(m_targetPosition, getPosition()) < ARRIVED;
    if (!arrived) {
        m_speed += m_fallingAcceleration * dt;
        arrived = moveTowards(m_targetPosition, dt * m_speed);
    }
    if (!arrived)
        return false;
    setPosition(m_targetPosition);
    setDepth(m_baseDepth);
    m_decoration->hide();
    return true;
}

void cMeadowObjectView::startLanding() {
    if (m_model)
        m_model->setState(cMeadowObjectModel::STATE_19);
    m_speed = m_speed / 5;
    m_bounceTimeLeft = m_bouncingSpeed > 0 ? 2 * m_speed / m_bouncingSpeed : 0;
}

bool cMeadowObjectView::stepLanding(float dt) {
    m_bounceTimeLeft -= dt;
    if (m_bounceTimeLeft <= 0) {
        setPosition(m_targetPosition);
        comeToRest();
        return true;
    }
    m_speed -= m_bouncingSpeed * dt;
    setPosition(getPosition() + cVector2(0.0f, m_speed * dt));
    return false;
}

// ---- Level start and end ----

void cMeadowObjectView::startNewLevelFall() {
    cancelShakes();
    detachInput();
    m_speed = m_newLevelSpeed;
    m_newLevelDelay = randomFloat(0, m_newLevelMaxDelay);
    setSize(m_baseSize);
    show();
    if (m_model)
        m_model->setState(cMeadowObjectModel::STATE_8);
}

bool cMeadowObjectView::stepNewLevelFall(float dt) {
    if (m_newLevelDelay > 0) {
        m_newLevelDelay -= dt;
        return false;
    }
    bool arrived = distance(m_targetPosition, getPosition()) < ARRIVED;
    if (!arrived) {
        m_speed += m_newLevelAccel * dt;
        arrived = moveTowards(m_targetPosition, dt * m_speed);
    }
    if (arrived)
        m_decoration->hide();
    return arrived;
}

void cMeadowObjectView::startEndLevelFall(float screenHeight, int rowCount) {
    cancelShakes();
    detachInput();
    if (m_model)
        m_model->setState(cMeadowObjectModel::STATE_8);
    const float row = m_model ? float(m_model->getRow()) : 0.0f;
    // Rows are spread over the board's height; a board without rows spreads nothing.
    const float spread = rowCount > 0 ? m_endLevelDt * row / float(rowCount) : 0.0f;
    m_endLevelDelay = m_endLevelDeltaTime + spread + randomFloat(-m_endLevelFluct, m_endLevelFluct);
    m_speed = 0;
    m_targetPosition = cVector2(getPosition().x, screenHeight + 2 * m_baseSize.y);
}

bool cMeadowObjectView::stepEndLevelFall(float dt) {
    if (m_endLevelDelay > 0) {
        m_endLevelDelay -= dt;
        return false;
    }
    bool arrived = distance(m_targetPosition, getPosition()) < ARRIVED;
    if (!arrived) {
        m_speed += m_endLevelAccel * dt;
        arrived = moveTowards(m_targetPosition, dt * m_speed);
    }
    if (!arrived)
        return false;
    m_decoration->hide();
    if (m_model)
        m_model->setAtRest();
    return true;
}

// ---- Around figures of four and more ----

void cMeadowObjectView::captureWithDelay(float delay) {
    cancelShakes();
    if (m_model)
        m_model->setCaptured();
    m_delay = delay;
}

bool cMeadowObjectView::stepDelay(float dt) {
    m_delay -= dt;
    if (m_delay >= 0)
        return false;
    if (m_model)
        m_model->setAtRest();
    m_delay = 0;
    return true;
}

void cMeadowObjectView::startBounce(float dirX, float dirY, float delay) {
    cancelShakes();
    if (m_model)
        m_model->setCaptured();
    m_delay = delay;
    m_homePosition = m_fieldView && m_model ? m_fieldView->getCellPositionOfView(this) : getPosition();
    m_bounceTimeLeft = m_bouncingTime;
    m_bounceDirection = cVector2(dirX, dirY);
    m_bounceDirection.normalize();
}

bool cMeadowObjectView::stepBounce(float dt) {
    if (m_bounceTimeLeft <= 0) {
        setPosition(m_homePosition);
        if (m_model)
            m_model->setAtRest();
        return true;
    }
    m_delay -= dt;
    if (m_delay >= 0)
        return false;
    m_bounceTimeLeft -= dt;
    const float way = m_bounceTimeLeft >= m_bouncingTime / 2 ? 1.0f : -1.0f;
    setPosition(getPosition() + m_bounceDirection * (way * m_bouncingSpeed * dt));
    return false;
}

// ---- Destroy ----

void cMeadowObjectView::startDestroy() {
    cancelShakes();
    detachInput();
    m_destroyTime = m_destroyEffectTime;
    m_decoration->hide();
    setAlpha(0);
}

bool cMeadowObjectView::stepDestroy(float dt) {
    setSize(getSize() - m_shrinkRate * dt);
    m_destroyTime -= dt;
    if (m_destroyTime > 0)
        return false;
    m_decoration->hide();
    hide();
    setAlpha(1);
    setSize(m_baseSize);
    return true;
}

// ---- Mixing bees ----

void cMeadowObjectView::showDecoration(const cVisual& look) {
    if (static_cast<const cVisual&>(*m_decoration) != look) {
        m_decoration->cVisual::operator=(look);
        m_decoration->invalidate();
    }
    m_decoration->setPosition(m_targetPosition);
    m_decoration->show();
}

void cMeadowObjectView::startMixing(const cVisual& bee, float flightTime) {
    cancelShakes();
    m_beeFlightTime = flightTime;
    detachInput();
    setSize(m_baseSize * 0.8f);
    showDecoration(bee);
    m_decoration->setPosition(getPosition());
    m_decoration->setDepth(getDepth() - 1);
    m_decoration->setSize(m_decoration->getSize() * 2.0f);
    m_speed = m_beeSpeed;
    const cVector2 position = getPosition();
    if (m_targetPosition == position)
        return;
    const cVector2 d = m_targetPosition - position;
    float alpha = std::atan2(d.y, d.x);
    // The bee faces its way: a flight to the left mirrors the picture instead of turning it over.
    if (alpha > PI / 2 || alpha < -PI / 2) {
        m_decoration->setInverseX(true);
        alpha = alpha > 0 ? alpha - PI : alpha + PI;
    }
    m_decoration->setAngle(-alpha * 180.0f / PI);
    chooseBeeArc(position.x, position.y, m_targetPosition.x, m_targetPosition.y);
}

void cMeadowObjectView::chooseBeeArc(float x0, float y0, float x1, float y1) {
    const cVector2 from(x0, y0), to(x1, y1);
    const float d = distance(to, from);
    if (d <= m_beeMinDist) {
        m_beeArcTime = 0;
        return;
    }
    m_beeRadius = randomFloat(0, d / 2);
    cVector2 u = to - from;
    u.normalize();
    m_beeCentre = from + u * m_beeRadius;
    m_beeAngle = PI - std::atan2(u.y, u.x);
    const float v = randomFloat(0.8f * m_beeSpeed, 1.2f * m_beeSpeed);
    m_beeArcTime = v > 0 ? (2 * PI * m_beeRadius / v) / 2 : 0;
    const float sign = randomFloat(-1, 1);
    m_beeOmega = m_beeArcTime > 0 ? 2 * PI / m_beeArcTime * (sign > 0 ? 1.0f : sign < 0 ? -1.0f : 0.0f) : 0;
}

bool cMeadowObjectView::stepMixing(float dt) {
    const cVector2 position = getPosition();
    const cVector2 d = m_targetPosition - position;
    m_beeFlightTime -= dt;
    if (d.length() < ARRIVED) {
        endMixing();
        return true;
    }
    if (m_beeFlightTime < 0) {
        m_speed += m_fallingAcceleration * dt;
        if (!moveTowards(m_targetPosition, dt * m_speed))
            return false;
        endMixing();
        return true;
    }
    const float length = dt * m_speed;
    const cVector2 s = d * (length / d.length());
    m_beeArcTime -= dt;
    if (m_beeArcTime <= 0) {
        chooseBeeArc(position.x, position.y, m_targetPosition.x, m_targetPosition.y);
        if (!moveTowards(m_targetPosition, length))
            return false;
    } else {
        m_beeAngle += m_beeOmega * dt;
        const cVector2 next = m_beeCentre + cVector2(std::cos(m_beeAngle), std::sin(m_beeAngle)) * m_beeRadius + s;
        if (distance(next, m_targetPosition) > d.length())
            m_beeOmega = -m_beeOmega;
        setPosition(next);
        if (next != m_targetPosition)
            return false;
    }
    endMixing();
    return true;
}

void cMeadowObjectView::endMixing() {
    m_decoration->hide();
    m_decoration->setInverseX(false);
    m_decoration->setAngle(0);
    m_decoration->setDepth(getDepth() + 1);
    m_decoration->setSize(m_decoration->getSize() * 0.5f);
    setAlpha(1);
    setPosition(m_targetPosition);
    setSize(m_baseSize);
    comeToRest();
}

// ---- Shakes ----

void cMeadowObjectView::startDirectionalShake(float angleDegrees, float delay) {
    m_homePosition = m_fieldView && m_model ? m_fieldView->getCellPositionOfView(this) : getPosition();
    m_directionalShake = true;
    m_shakeElapsed = 0;
    m_shakeAngle = angleDegrees;
    m_shakeDelay = delay;
}

// ---- Flight into a vehicle ----

void cMeadowObjectView::startMoveToVehicle(const cVector2& firstPoint) {
    cancelShakes();
    detachInput();
    setDepth(getDepth() - 1);
    startSinusMove(firstPoint);
    m_homePosition = getPosition();
    m_seed = randomFloat(0, 2 * PI);
    m_period += randomFloat(-10, 10);
}

void cMeadowObjectView::scaleAlongPath(float endScale) {
    const cVector2 path = m_moveTarget - m_homePosition;
    const float l2 = path.dot(path);
    if (l2 == 0)
        return;
    const float f = (getPosition() - m_homePosition).dot(path) / l2;
    setSize(m_baseSize * (1 - (1 - endScale) * f));
}
