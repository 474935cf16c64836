#pragma once

// The view of one piece on the board: a clone of its type's prototype, bound to its model piece.
// It keeps the layout values of every motion (the motions themselves come with the field view's
// motion lists), runs the hover animation, the shakes, the tutorial highlight and the bomb fire
// of a blast piece, and turns a press and a drag into the controller's clicks.

#include "engine/gui/InputHooks.h"
#include "game/level/field/SinusSprite.h"
#include "game/model/PieceView.h"
#include "game/shell/TutorialManager.h"

namespace Engine {
class IXmlNode;
class cPyroEffect;
} // namespace Engine
class cMeadowObjectModel;
class cMeadowFieldView;

class cMeadowObjectView : public cSinusSprite, public IPieceView, public ITutorialHeldPiece {
public:
    explicit cMeadowObjectView(Engine::cWidget* parent);
    // The prototype's layout values and look; its decoration and overlay cloned as children.
    cMeadowObjectView(const cMeadowObjectView& other);
    ~cMeadowObjectView() override;

    void process() override;
    void loadXML(const Engine::IXmlNode* node) override;
    void onShow() override;
    void onHide() override;
    void setPosition(const Engine::cVector2& position) override;
    using cSprite::setPosition;

    // IPieceView
    cMeadowObjectModel* getObject() override { return m_model; }
    bool isVisible() override { return cWidget::isVisible(); }
    void setVisible(bool visible) override;
    bool isEnabled() override { return cWidget::isEnabled(); }
    void detachInput() override;
    void attachInput();

    void setObjectVisualState(int type, Engine::IXmlNode* objectsRoot);
    void restoreSize() { setSize(m_baseSize); }
    Engine::cVector2& getTargetPosition() { return m_targetPosition; }
    void setTargetPosition(const Engine::cVector2& position) { m_targetPosition = position; }
    float& getNewLevelMaxDelay() { return m_newLevelMaxDelay; }
    void setNewLevelMaxDelay(float delay) { m_newLevelMaxDelay = delay; }
    float& getBaseDepth() { return m_baseDepth; }
    void setBaseDepth(float depth) { m_baseDepth = depth; }
    void setHighlighted(bool highlighted);
    // The tip that held the piece closed (the tutorial resets the piece's state itself).
    void releaseFromTip() override { setHighlighted(false); }
    // The shake of an idle piece while a figure is matched: the piece swings at its cell and is
    // idle again, taking input, when it ends.
    void startShake();
    // The bomb fire of a blast piece goes (the cell under it was crashed).
    void removeFireEffect();
    Engine::cPyroEffect* getFireEffect() const { return m_fireEffect; }
    bool isHighlighted() const { return m_highlighted; }

    void setModel(cMeadowObjectModel* model) { m_model = model; }
    void setFieldView(cMeadowFieldView* field) { m_fieldView = field; }
    cMeadowFieldView* getFieldView() const { return m_fieldView; }
    Engine::cPanel* getDecoration() const { return m_decoration; }
    Engine::cPanel* getOverlay() const { return m_overlay; }
    const Engine::cVector2& getBaseSize() const { return m_baseSize; }
    const Engine::cVector2& getGrowRate() const { return m_growRate; }
    const Engine::cVector2& getShrinkRate() const { return m_shrinkRate; }
    float getMatchEffectTime() const { return m_matchEffectTime; }
    float getShakeOmega() const { return m_shakeOmega; }
    float getPulseK() const { return m_pulseK; }
    float getPulseEnd() const { return m_pulseEnd; }
    float getFallingSpeed() const { return m_fallingSpeed; }
    bool isInputAttached() const { return m_inputAttached; }

    // Input handlers (the button's hover callbacks call the last two).
    void onLeftButtonDown();
    void onHover();
    void onUnhover();

    static float s_exchangeEllipseB, s_exchangeSizeDelta, s_exchangeDeltaDeep, s_exchangeWSpeed;

    // ---- Motions (MeadowObjectMotions.cpp) ----
    // Each start is called after the caller has set the target where the motion needs one; each
    // step takes the frame time and answers true when the motion has ended. Starting a motion
    // ends the piece's shakes.
    void startExchange(bool horizontal, bool inFront);
    bool stepExchange(float dt);
    void endExchange();
    void onEndMoving();
    void startMatch();
    bool stepMatch(float dt);
    void startAppear();
    bool stepAppear(float dt);
    void startDescend();
    bool stepDescend(float dt);
    void startFall(float screenHeight, bool slide);
    bool stepFall(float dt);
    void startLanding();
    bool stepLanding(float dt);
    void startNewLevelFall();
    bool stepNewLevelFall(float dt);
    void startEndLevelFall(float screenHeight, int rowCount);
    bool stepEndLevelFall(float dt);
    void captureWithDelay(float delay);
    bool stepDelay(float dt);
    void startBounce(float dirX, float dirY, float delay);
    bool stepBounce(float dt);
    void startDestroy();
    bool stepDestroy(float dt);
    void startMixing(const Engine::cVisual& bee, float flightTime);
    bool stepMixing(float dt);
    void endMixing();
    void chooseBeeArc(float x0, float y0, float x1, float y1);
    void showDecoration(const Engine::cVisual& look);
    void startDirectionalShake(float angleDegrees, float delay);
    // The flight into a vehicle: the vehicle view gives its first point and steps the move.
    void startMoveToVehicle(const Engine::cVector2& firstPoint);
    void scaleAlongPath(float endScale);
    bool isShaking() const { return m_shaking || m_directionalShake; }
    float getSpeed() const { return m_speed; }
    float getEndLevelDelay() const { return m_endLevelDelay; }
    float getBounceTimeLeft() const { return m_bounceTimeLeft; }

protected:
    // Moves by `step` towards the target; true (and on the target) once it is reached or passed.
    bool moveTowards(const Engine::cVector2& target, float step);
    void cancelShakes();
    // A valid resting piece on one of the target cells of the bonus the controller holds.
    bool isBonusTarget();
    // The model piece at rest, the size restored and the input attached.
    void comeToRest();

    cMeadowObjectModel* m_model = nullptr;
    float m_matchEffectTime = 0;
    float m_effectTime = 0;
    Engine::cVector2 m_growRate;
    float m_fallingSpeed = 0;
    float m_fallingSpeedSide = 0;
    float m_fallingAcceleration = 0;
    float m_speed = 0;
    float m_newLevelSpeed = 0;
    float m_newLevelAccel = 0;
    Engine::cVector2 m_targetPosition;
    Engine::cVector2 m_homePosition;
    Engine::cVector2 m_baseSize;
    float m_baseDepth = 0;
    float m_destroyTime = 0;
    float m_destroyEffectTime = 0;
    Engine::cVector2 m_shrinkRate;
    Engine::cPanel* m_decoration = nullptr;
    Engine::cPanel* m_overlay = nullptr;
    float m_beeSpeed = 0;
    float m_shakeElapsed = 0;
    float m_shakeDuration = 0;
    bool m_shaking = false;
    float m_shakeAmp = 0;
    float m_shakeOmega = 0;
    float m_shakePhase = 0;
    float m_shakeFading = 0;
    bool m_hovered = false;
    float m_hoverTimer = 0;
    float m_startAnimationDelay = 0;
    float m_endAnimationDelay = 0;
    float m_newLevelDelay = 0;
    float m_newLevelMaxDelay = 0;
    float m_endLevelDeltaTime = 0;
    float m_endLevelDt = 0;
    float m_endLevelFluct = 0;
    float m_endLevelAccel = 0;
    float m_endLevelDelay = 0;
    float m_delay = 0;
    float m_bouncingSpeed = 0;
    float m_bouncingTime = 0;
    float m_bounceTimeLeft = 0;
    Engine::cVector2 m_bounceDirection;
    float m_incSizeTime = 0;
    float m_incSizeParam = 0;
    float m_pulseK = 0;
    float m_pulseEnd = 0;
    float m_afterMatchDelay = 0;
    float m_beforeMatchDelay = 0;
    float m_fallDelay = 0;
    float m_beeRadius = 0;
    Engine::cVector2 m_beeCentre;
    float m_beeOmega = 0;
    float m_beeAngle = 0;
    float m_beeArcTime = 0;
    float m_beeMinDist = 0;
    bool m_directionalShake = false;
    float m_shakeAngle = 0;
    float m_shakeDelay = 0;
    Engine::cVector2 m_exchangeCentre;
    float m_exchangeA = 0;
    float m_exchangeB = 0;
    float m_exchangeAngle = 0;
    float m_exchangeEndAngle = 0;
    bool m_exchangeHorizontal = false;
    cMeadowFieldView* m_fieldView = nullptr;
    Engine::cPyroEffect* m_fireEffect = nullptr;
    bool m_highlighted = false;
    float m_beeFlightTime = 0;
    bool m_inputAttached = false;
    Engine::cInputHooks m_inputHooks;
};
