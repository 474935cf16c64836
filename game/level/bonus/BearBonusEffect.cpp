#include "game/level/bonus/BearBonusEffect.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/Panel.h"
#include "engine/media/GraphicsDevice.h"
#include "game/level/MeadowView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/GameResource.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"

#include <cmath>

using namespace Engine;

namespace {

const char* const LAYOUT = "Meadow/View/bonuses/BearBonus.xml";
const unsigned LIT_RENDER_TYPE = 4;

void playSound(const char* id) {
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play(id);
}

} // namespace

cBearBonusEffect::cBearBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType)
    : cBonusEffect(board, model, bonusType) {
    m_bear = new cPanel(this);
    loadLayoutFile(*this, LAYOUT);
    showIdleIcon();
    setBearState("falling_bear");
    enableAbsolute();
}

cBearBonusEffect::~cBearBonusEffect() = default;

void cBearBonusEffect::loadXML(const IXmlNode* node) {
    cBonusEffect::loadXML(node);
    IXmlNode* child = nullptr;
    if (node->findNode("Bear", child)) {
        m_bear->loadXML(child);
        m_startPosition = m_bear->getPosition();
    }
    cLayoutReader::readFloat(node, L"bear_accel", m_acceleration);
    cLayoutReader::readFloat(node, L"wait_time", m_waitTime);
    cLayoutReader::readFloat(node, L"shake_delay", m_shakeDelay);
    if (node->findNode("Splash", child)) {
        for (int index = 0; index < child->getNodeCount(); ++index) {
            IXmlNode* splash = nullptr;
            if (!child->getNodeAt(index, splash))
                continue;
            cPanel* panel = new cPanel(this);
            panel->loadXML(splash);
            panel->hide();
            m_splashes.push_back(panel);
        }
    }
}

void cBearBonusEffect::setBearState(const std::string& name) {
    const cVisual& look = m_board->getVisualState(name);
    if (static_cast<const cVisual&>(*m_bear) != look) {
        static_cast<cVisual&>(*m_bear) = look;
        m_bear->invalidate();
        m_bear->setAnimPosition(0);
    }
}

bool cBearBonusEffect::setTargetCell(float row, float column) {
    if (!cBonusEffect::setTargetCell(row, column))
        return false;
    m_targetCells.clear();
    const cGameResource* bonus = m_model->getBonus(m_bonusType);
    const int size = bonus ? bonus->special : 0;
    const int half = int(float(size) * 0.5f);
    m_targetCells = m_model->getComplexCellsInSquare(int(row) - half, int(column) - half, size);
    return true;
}

bool cBearBonusEffect::canApply() {
    for (const cVector2& cell : m_targetCells) {
        cMeadowObjectModel* piece = m_model->getObject(int(cell.x), int(cell.y));
        if (piece && piece->isValid() && piece->isBusy())
            return false;
    }
    return true;
}

void cBearBonusEffect::apply() {
    captureTargets();
    cMeadowFieldView* field = m_board->getFieldView();
    if (field)
        field->setCellsRenderType(LIT_RENDER_TYPE);
    const cVector2 cell = field ? field->getCellPosition(int(m_targetRow), int(m_targetColumn)) : cVector2();
    for (cPanel* splash : m_splashes) {
        splash->setPosition(cell);
        splash->setAnimPosition(0);
        splash->show();
    }
    m_startPosition.x = cell.x;
    m_bear->setPosition(m_startPosition);
    m_bear->show();
    m_targetPosition = cell;
    m_state = FALLING;
    playSound("bear_fall1");
    deleteIcons();
}

bool cBearBonusEffect::stepTowardsTarget(float dt) {
    const cVector2 way = m_targetPosition - m_bear->getPosition();
    if (way.x == 0 && way.y == 0)
        return true;
    m_speed += m_acceleration * dt;
    cVector2 direction = way;
    direction.normalize();
    const cVector2 step = direction * (m_speed * dt);
    m_bear->setPosition(m_bear->getPosition() + step);
    const cVector2 left = m_targetPosition - m_bear->getPosition();
    return left.x * step.x + left.y * step.y <= 0;
}

void cBearBonusEffect::arriveFalling() {
    playSound("bear_fall2");
    m_speed = 0;
    m_state = EATING;
    setBearState("eating_bear");
    m_timer = m_bear->getAnimLength();
    for (const cVector2& cell : m_targetCells)
        if (cMeadowObjectModel* piece = m_model->getObject(int(cell.x), int(cell.y)))
            if (cMeadowObjectView* view = m_board->getGameObjectView(piece))
                view->startDirectionalShake(90.0f, m_shakeDelay);
}

void cBearBonusEffect::process() {
    cBonusEffect::process();
    // The update hook may not reach the bear under a board that is not absolutely enabled.
    finishWithLevel();
    if (m_finished)
        return;
    const float dt = frameDelta();
    switch (m_state) {
    case FALLING:
        if (stepTowardsTarget(dt))
            arriveFalling();
        break;
    case EATING:
        m_timer -= dt;
        if (m_timer < 0) {
            m_timer = 0;
            onEffectFinished();
            m_state = LEAVING;
            const IGraphicsDevice* graphics = getGraphicsDevice();
            const float screenHeight = graphics ? float(unsigned(graphics->getScreenHeight())) : 768.0f;
            m_targetPosition.y = screenHeight + m_bear->getSize().y + 10.0f;
            m_bear->setAnimFrame(int(m_bear->getFramesCount()) - 1);
        }
        break;
    case LEAVING:
        if (stepTowardsTarget(dt))
            finish();
        break;
    default:
        break;
    }
}

void cBearBonusEffect::finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_speed = 0;
    m_state = IDLE;
    hide();
    deleteWidgetLater(this);
}

void cBearBonusEffect::onUpdate() {
    cBonusEffect::onUpdate();
    finishWithLevel();
}

void cBearBonusEffect::finishWithLevel() {
    cMeadowController* controller = cMeadowController::getInstance();
    if (m_finished || !controller || !controller->isLevelFinished())
        return;
    // The controller must not keep the effect that deletes itself now.
    if (controller->getBonusEffect() == this)
        controller->releaseBonusEffect(false);
    finish();
}

void cBearBonusEffect::onEffectFinished() {
    cMeadowController* controller = cMeadowController::getInstance();
    if (controller) {
        for (const cVector2& cell : m_targetCells)
            controller->applyBonusAtPosition(cell, nullptr);
        controller->onBonusEffectFinished(false);
    }
    for (cPanel* splash : m_splashes)
        splash->hide();
    if (cMeadowFieldView* field = m_board->getFieldView())
        field->updateCells(false);
}
