#include "game/level/field/MeadowCellView.h"
#include "game/shell/RandomFloat.h"

#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/Math.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/ProgressBar.h"
#include "engine/gui/PyroEffect.h"
#include "engine/media/InputSystem.h"
#include "game/level/LevelFunctions.h"
#include "game/level/MeadowView.h"
#include "game/level/field/CellPart.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowController.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

using namespace Engine;

int cMeadowCellView::s_simpleTypes = 0;
int cMeadowCellView::s_woodTypes = 0;
int cMeadowCellView::s_ironTypes = 0;

namespace {

void editorLeftPress(void* user) {
    static_cast<cMeadowCellView*>(user)->onEditorLeftPress();
}

void editorRightPress(void* user) {
    static_cast<cMeadowCellView*>(user)->onEditorRightPress();
}

void editorHover(cButton* button) {
    static_cast<cMeadowCellView*>(button)->onEditorHover();
}

template <class T> T* cloneChild(const T* source, cWidget* parent) {
    if (!source)
        return nullptr;
    T* copy = new T(*source);
    copy->setParent(parent);
    if (source->isVisible())
        copy->show();
    return copy;
}

} // namespace

cMeadowCellView::cMeadowCellView(cWidget* parent) : cFrameButton(parent) {
    m_locksPicture = new cPanel(this);
    // Only a source of copies: it never shows itself.
    m_partProto = new cCellPart(this);
    m_partProto->hide();
    m_configNumber = new cLabel(this);
    m_triggerNumber = new cLabel(this);
    for (cProgressBar*& border : m_borders)
        border = new cProgressBar(this);
}

cMeadowCellView::cMeadowCellView(const cMeadowCellView& other)
    : cFrameButton(other), m_board(other.m_board), m_locks(other.m_locks), m_row(other.m_row), m_column(other.m_column),
      m_shakeDuration(other.m_shakeDuration), m_shakeAmp(other.m_shakeAmp), m_shakeOmega(other.m_shakeOmega),
      m_shakePhase(other.m_shakePhase), m_shakeFading(other.m_shakeFading), m_baseSize(other.m_baseSize),
      m_randomShakeTime(other.m_randomShakeTime), m_afterMatchDelay(other.m_afterMatchDelay) {
    m_locksPicture = cloneChild(other.m_locksPicture, this);
    m_partProto = cloneChild(other.m_partProto, this);
    m_configNumber = cloneChild(other.m_configNumber, this);
    m_triggerNumber = cloneChild(other.m_triggerNumber, this);
    for (int side = 0; side < BORDER_COUNT; ++side)
        m_borders[size_t(side)] = cloneChild(other.m_borders[size_t(side)], this);
}

cMeadowCellView::~cMeadowCellView() = default;

void cMeadowCellView::loadXML(const IXmlNode* node) {
    cFrameButton::loadXML(node);
    m_baseSize = getSize();
    IXmlNode* child = nullptr;
    if (node->findNode("LocksPicture", child))
        m_locksPicture->loadXML(child);
    if (node->findNode("PartProto", child))
        m_partProto->loadXML(child);
    m_partProto->hide();
    if (node->findNode("EditorConfigNumber", child))
        m_configNumber->loadXML(child);
    m_configNumber->hide();
    if (node->findNode("EditorTriggerNumber", child))
        m_triggerNumber->loadXML(child);
    m_triggerNumber->hide();
    cLayoutReader::readFloat(node, L"shake_amp", m_shakeAmp);
    float period = 0;
    if (cLayoutReader::readDivisor(node, L"shake_period", period))
        m_shakeOmega = float(2.0 * M_PI) / period;
    cLayoutReader::readFloat(node, L"shake_phase", m_shakePhase);
    cLayoutReader::readFloat(node, L"shake_time", m_shakeDuration);
    cLayoutReader::readFloat(node, L"shake_fading", m_shakeFading);
    cLayoutReader::readFloat(node, L"random_shake_time", m_randomShakeTime);
    cLayoutReader::readInt(node, L"simple_types", s_simpleTypes);
    cLayoutReader::readInt(node, L"wood_types", s_woodTypes);
    cLayoutReader::readInt(node, L"iron_types", s_ironTypes);
    cLayoutReader::readFloat(node, L"after_match_delay", m_afterMatchDelay);
    if (node->findNode("Borders", child)) {
        for (int index = 0; index < child->getNodeCount(); ++index) {
            IXmlNode* piece = nullptr;
            if (!child->getNodeAt(index, piece))
                continue;
            int side = -1;
            if (!cLayoutReader::readInt(piece, L"side", side) || side < 0 || side >= BORDER_COUNT)
                throw cStringA("Layout \"" + cLayoutReader::layoutName(node) + "\": a border piece has \"side\" \"" +
                               wideToNarrow(piece->getAttribute(L"side")) + "\"; the sides are 0 to 11.");
            m_borders[size_t(side)]->loadXML(piece);
        }
    }
}

void cMeadowCellView::draw() {
    if (getPicture() || getMesh())
        cFrameButton::draw();
}

void cMeadowCellView::setModelObject(cCellModel* cell) {
    if (!cell)
        throw cStringA("cMeadowCellView::setModelObject(): model object is null");
    m_model = cell;
    m_type = cell->getType();
}

std::string cMeadowCellView::getCellVisualStateId(int type) {
    auto variant = [](int count) { return std::to_string(int(float(count) * float(randomNext()) / 32768.0f)); };
    switch (type) {
    case 0:
        return "cell0";
    case 1:
        return "simple" + variant(s_simpleTypes);
    case 2:
        return "wood" + variant(s_woodTypes);
    case 3:
        return "iron" + variant(s_ironTypes);
    default:
        throw cStringA("cMeadowCellView::getCellVisualStateId(): unknown cell type: " + std::to_string(type));
    }
}

void cMeadowCellView::placeChild(cPanel* child) {
    child->setParent(this);
    child->setPosition(getPosition());
    child->show();
}

void cMeadowCellView::showIcon(cPanel*& icon, cPanel* (cMeadowView::*create)()) {
    if (!icon)
        icon = (m_board->*create)();
    placeChild(icon);
}

void cMeadowCellView::updateFromModel() {
    const int type = m_model->getType();
    if (type == 1 && m_type > 1 && m_board && m_board->getFieldView())
        setDepth(getDepth() - m_board->getFieldView()->getComplexCellsDeepDelta());
    m_type = type;
    m_locks = m_model->getLocks();
    const bool editor = m_board && m_board->isEditorMode();
    auto takeLook = [this](const cVisual& look) {
        if (static_cast<const cVisual&>(*this) != look) {
            cVisual::operator=(look);
            invalidate();
        }
    };
    if (m_model->isEnabled()) {
        takeLook(m_board->getVisualState(getCellVisualStateId(type)));
        if (!m_effectRender)
            setRenderType(type > 1 ? 4u : 0u);
        if (m_locks > 0) {
            const cVisual& locks = m_board->getVisualState("cell_locks" + std::to_string(m_locks));
            if (static_cast<const cVisual&>(*m_locksPicture) != locks) {
                static_cast<cVisual&>(*m_locksPicture) = locks;
                m_locksPicture->invalidate();
            }
            m_locksPicture->show();
        } else {
            m_locksPicture->hide();
        }
    } else {
        m_locksPicture->hide();
    }
    if (editor) {
        if (!m_model->isEnabled())
            takeLook(m_board->getVisualState(getCellVisualStateId(type)));
        if (m_model->getVehicleFlag())
            showIcon(m_vehicleIcon, &cMeadowView::createVehicleIcon);
        else
            removeIcon(m_vehicleIcon);
        if (m_model->getGoldPrizeFlag())
            showIcon(m_goldIcon, &cMeadowView::createGoldIcon);
        else
            removeIcon(m_goldIcon);
    }
    if (m_model->isEnabled() && m_model->getTriggerNumber() > 0) {
        showIcon(m_triggerBaseIcon, &cMeadowView::createTriggerBaseIcon);
        showIcon(m_triggerIcon, &cMeadowView::createTriggerIcon);
        m_triggerIcon->disable();
        m_triggerIcon->setAnimPosition(0);
    } else if (m_model->getTriggerNumber() == 0) {
        removeIcon(m_triggerIcon);
        removeIcon(m_triggerBaseIcon);
    }
    if (editor) {
        const int awaited = m_model->getAwaitedTrigger(), own = m_model->getTriggerNumber();
        auto number = [](cLabel* label, int value) {
            if (value != 0) {
                label->setText(wstringFromInt(value));
                label->show();
            } else {
                label->hide();
            }
        };
        number(m_configNumber, awaited);
        number(m_triggerNumber, own);
    }
}

void cMeadowCellView::updateBorders() {
    cMeadowFieldView* field = m_board ? m_board->getFieldView() : nullptr;
    if (!field || !m_model)
        return;
    bool n[8];
    for (int side = 0; side < 8; ++side)
        n[side] = field->hasNeighbourCell(side, m_row, m_column);
    auto set = [this](int piece, bool shown) {
        if (shown)
            m_borders[size_t(piece)]->show();
        else
            m_borders[size_t(piece)]->hide();
    };
    if (m_model->isEnabled()) {
        set(0, !n[0]);
        set(2, !n[2]);
        set(4, !n[4]);
        set(6, !n[6]);
        set(1, !n[0] && !n[1] && !n[2]);
        set(3, !n[2] && !n[3] && !n[4]);
        set(5, !n[4] && !n[5] && !n[6]);
        set(7, !n[6] && !n[7] && !n[0]);
    } else {
        set(8, n[0] && n[2]);
        set(9, n[2] && n[4]);
        set(10, n[4] && n[6]);
        set(11, n[6] && n[0]);
    }
}

void cMeadowCellView::hideBorders() {
    for (cProgressBar* border : m_borders)
        border->hide();
}

void cMeadowCellView::setBordersValue(float value) {
    for (cProgressBar* border : m_borders)
        if (border->isVisible() && border->isEnabled()) {
            border->setCurrentValue(value);
            border->updateLid();
        }
}

float cMeadowCellView::getBorderValue(int side) const {
    return m_borders[size_t(side)]->getCurrentValue();
}

void cMeadowCellView::setEffectRenderType(bool on, unsigned renderType) {
    m_effectRender = on;
    if (on)
        setRenderType(renderType);
    else
        updateFromModel();
}

void cMeadowCellView::clearIcons() {
    m_locksPicture->hide();
    removeIcon(m_vehicleIcon);
    removeIcon(m_goldIcon);
    removeIcon(m_triggerIcon);
    removeIcon(m_triggerBaseIcon);
}

void cMeadowCellView::removeIcon(cPanel*& icon) {
    if (!icon)
        return;
    icon->hide();
    deleteWidgetLater(icon);
    icon = nullptr;
}

void cMeadowCellView::startCellShake(float angleDegrees, float delay) {
    m_homePosition = getPosition();
    m_shaking = true;
    m_shakeElapsed = 0;
    m_shakeAngle = angleDegrees;
    m_shakeDelay = delay;
}

void cMeadowCellView::startRandomShake(bool hideAfter) {
    m_homePosition = getPosition();
    m_randomShake = true;
    m_hideAfterShake = hideAfter;
    m_shakeElapsed = 0;
    m_shakeAngle = randomFloat(0, 360);
}

void cMeadowCellView::freezeForDelay() {
    m_model->setFrozen(true);
    // Without a delay the freeze still ends at the next frame: pieces above must fall in.
    m_freezeTime = std::max(m_afterMatchDelay, std::numeric_limits<float>::min());
}

void cMeadowCellView::enableTriggerIcon() {
    if (m_triggerIcon)
        m_triggerIcon->enable();
}

void cMeadowCellView::startCrushAnimation(int index) {
    cPyroEffect* effect = m_board->getCellCrushAnimation(index);
    effect->setParent(this);
    effect->setPosition(getPosition());
    effect->show();
    effect->play(true);
}

void cMeadowCellView::spawnParts(bool delayed) {
    const cVector2 quarter = m_partProto->getSize() * 0.25f;
    const cVector2 offsets[4] = {cVector2(-quarter.x, -quarter.y), cVector2(quarter.x, -quarter.y),
                                 cVector2(quarter.x, quarter.y), cVector2(-quarter.x, quarter.y)};
    const int type = m_model ? m_model->getType() : m_type;
    for (int index = 0; index < 4; ++index) {
        // Without its look the copy must not stay behind as a stray part.
        std::unique_ptr<cCellPart> made(new cCellPart(*m_partProto));
        made->setVisualState(type, index, *m_board);
        cCellPart* part = made.release();
        part->setParent(this);
        part->setPosition(getPosition() + offsets[index]);
        part->setDepth(getDepth() + 1.0f);
        part->launch(delayed);
    }
}

void cMeadowCellView::attachEditorInput() {
    if (m_editorInput)
        return;
    m_editorHooks.addKey(INPUT_MOUSE_LEFT_DOWN, editorLeftPress, this);
    m_editorHooks.addKey(INPUT_MOUSE_RIGHT_DOWN, editorRightPress, this);
    setHoverCallback(editorHover);
    m_editorInput = true;
}

void cMeadowCellView::detachEditorInput() {
    if (!m_editorInput)
        return;
    m_editorHooks.removeAll();
    setHoverCallback(nullptr);
    m_editorInput = false;
}

namespace {

cMeadowController* editorController(cMeadowView* board) {
    return board ? board->getController() : nullptr;
}

} // namespace

void cMeadowCellView::onEditorLeftPress() {
    const IFrameManager* frames = getFrameManager();
    cMeadowController* controller = editorController(m_board);
    if (controller && frames && isPointInside(*frames->getCursorPosition()))
        controller->cellClicked(this);
}

void cMeadowCellView::onEditorRightPress() {
    const IFrameManager* frames = getFrameManager();
    cMeadowController* controller = editorController(m_board);
    if (controller && frames && isPointInside(*frames->getCursorPosition())) {
        controller->setRightButtonDown(true);
        controller->cellClicked(this);
    }
}

void cMeadowCellView::onEditorHover() {
    cMeadowController* controller = editorController(m_board);
    if (controller && (controller->isDragging() || controller->isRightButtonDown()))
        controller->cellClicked(this);
}

void cMeadowCellView::process() {
    cFrameButton::process();
    const float dt = frameDelta();
    auto damped = [this](float e) {
        return m_shakeAmp * std::sin(m_shakeOmega * e + m_shakePhase) * std::exp(-m_shakeFading * e);
    };
    if (m_shaking) {
        if (m_shakeDelay > 0) {
            m_shakeDelay -= dt;
        } else {
            const float e = m_shakeElapsed += dt;
            if (e > m_shakeDuration) {
                m_shaking = false;
                setPosition(m_homePosition);
            } else {
                cVector2 offset(damped(e), 0.0f);
                offset.rotate(-m_shakeAngle);
                setPosition(m_homePosition + offset);
            }
        }
    }
    if (m_randomShake) {
        const float e = m_shakeElapsed += dt;
        if (e > m_randomShakeTime) {
            m_randomShake = false;
            if (m_hideAfterShake)
                hide();
            setPosition(m_homePosition);
            m_hideAfterShake = false;
        } else {
            m_shakeAngle = randomFloat(0, 360);
            cVector2 offset(damped(e), 0.0f);
            offset.rotate(-m_shakeAngle);
            setPosition(m_homePosition + offset);
            if (m_hideAfterShake) {
                setAlpha(1.0f - e / m_randomShakeTime);
                setBordersValue(1.0f - e / m_randomShakeTime);
            }
        }
    }
    if (m_freezeTime > 0) {
        m_freezeTime -= dt;
        if (m_freezeTime <= 0) {
            m_freezeTime = 0;
            if (m_model)
                m_model->setFrozen(false);
        }
    }
}

void cMeadowCellView::startArrive(float duration) {
    m_arriveTime = m_arriveDuration = duration;
    setSize(cVector2(0.0f, 0.0f));
    setAlpha(0);
    updateFromModel();
    m_model->setFrozen(true);
}

bool cMeadowCellView::stepArrive(float dt) {
    m_arriveTime -= dt;
    if (m_arriveTime <= 0) {
        setAlpha(1);
        setSize(m_baseSize);
        m_model->setFrozen(false);
        return true;
    }
    const float k = 1.0f - m_arriveTime / m_arriveDuration;
    setAlpha(k);
    setSize(m_baseSize * k);
    return false;
}

void cMeadowCellView::startBorderArrive(float duration) {
    hideBorders();
    updateBorders();
    m_scaleInTime = m_scaleInDuration = m_bordersDuration = duration;
    m_bordersElapsed = 0;
    setBordersValue(0);
    setSize(cVector2(0.0f, 0.0f));
    setAlpha(0);
}

bool cMeadowCellView::stepBorderArrive(float dt) {
    m_bordersElapsed += dt;
    if (m_bordersElapsed < m_bordersDuration) {
        setBordersValue(m_bordersElapsed / m_bordersDuration);
        return false;
    }
    setBordersValue(100);
    return stepScaleIn(dt);
}

bool cMeadowCellView::stepScaleIn(float dt) {
    m_scaleInTime -= dt;
    if (m_scaleInTime <= 0) {
        setAlpha(1);
        setSize(m_baseSize);
        return true;
    }
    const float k = 1.0f - m_scaleInTime / m_scaleInDuration;
    setAlpha(k);
    setSize(m_baseSize * k);
    return false;
}
