#include "game/level/vehicles/VehicleView.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/PyroEffect.h"
#include "engine/media/InputSystem.h"
#include "engine/media/SoundChannel.h"
#include "game/level/MeadowView.h"
#include "game/level/editor/EditorVehicleView.h"
#include "game/level/editor/MeadowEditorView.h"
#include "game/level/field/FlyingNumber.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/level/vehicles/IconText.h"
#include "game/level/vehicles/VehicleSlot.h"
#include "game/level/vehicles/VehicleTip.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/Signal.h"
#include "game/model/VehicleModel.h"
#include "game/shell/Easing.h"
#include "game/shell/GameSounds.h"
#include "game/shell/MoveTween.h"
#include "game/shell/TutorialManager.h"
#include "game/shell/TweenSprite.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace Engine;

namespace {

const char* const LAYOUT = "Meadow/View/VehicleView.xml";
const char* const SLOT_LAYOUT = "Meadow/View/VehicleSlot.xml";
const char* const FLYING_NUMBER = "Meadow/View/VehicleFlyingNumber.xml";
const int VEHICLE_TIP = 3;
// The modifier keys of an editor click.
const int KEY_LEFT_SHIFT = 42;
const int KEY_LEFT_CTRL = 29;
// Closer targets count as reached: no drive direction can be taken from them.
const float MIN_DISTANCE = 0.0005f;

void playSound(const char* id) {
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play(id);
}

float dot(const cVector2& a, const cVector2& b) {
    return a.x * b.x + a.y * b.y;
}

// The step of a piece into the doors; at its end the vehicle takes the piece.
class cVehicleMoveTween : public cMoveTween {
public:
    cVehicleMoveTween(cVehicleView* view, cMeadowObjectView* piece, const cVector2& start, const cVector2& end,
                      float duration)
        : cMoveTween(piece, start, end, duration, EASING_LINEAR, EASE_IN_OUT, 0, true), m_view(view), m_piece(piece) {}

    bool onFinish(cTweenValues* record) override {
        if (record == &m_values)
            m_view->onObjectEntered(m_piece);
        return cMoveTween::onFinish(record);
    }

private:
    cVehicleView* m_view;
    cMeadowObjectView* m_piece;
};

} // namespace

cVehicleView::cVehicleView(cWidget* parent, cVehicleModel* vehicle, cMeadowView* owner, bool editor)
    : cTextureButton(parent), m_vehicle(vehicle), m_owner(owner), m_editor(editor) {
    m_money = new cIconText(this);
    m_selection = new cPanel(this);
    m_bonusIcon = new cPanel(this);
    m_dust = new cPyroEffect(this, "");
    m_tweens = new cTweenSprite(this);
    createTip();
    loadLayoutFile(*this, LAYOUT);
    createSlots();
    if (m_vehicle)
        m_modelConnection = m_vehicle->m_changedSignal.connect([this]() { update(); });
}

cVehicleView::~cVehicleView() {
    delete m_engineSound;
    m_modelConnection.disconnect();
    // Steps into the doors that never finished delete themselves only at their end.
    const std::vector<cTween*> pending = m_tweens->getTweens();
    for (cTween* tween : pending)
        if (tween->isAutoDelete())
            delete tween;
}

void cVehicleView::createTip() {
    auto* tip = new cVehicleTip(this);
    tip->setVehicleView(this);
    m_tip = tip;
    registerTip();
}

void cVehicleView::loadXML(const IXmlNode* node) {
    cTextureButton::loadXML(node);
    IXmlNode* child = nullptr;
    if (node->findNode("Money", child))
        m_money->loadXML(child);
    if (node->findNode("Selection", child))
        m_selection->loadXML(child);
    m_selection->hide();
    if (node->findNode("Dust", child))
        m_dust->loadXML(child);
    m_dust->hide();
    if (node->findNode("BonusIcon", child))
        m_bonusIcon->loadXML(child);
    m_bonusIcon->hide();
    cLayoutReader::readVector(node, L"acceleration", m_acceleration);
    cLayoutReader::readFloat(node, L"path_length", m_pathLength);
    m_slotOffsets.resize(3);
    cLayoutReader::readVector(node, L"slot1_offset", m_slotOffsets[0]);
    cLayoutReader::readVector(node, L"slot2_offset", m_slotOffsets[1]);
    cLayoutReader::readVector(node, L"slot3_offset", m_slotOffsets[2]);
    cLayoutReader::readInt(node, L"colors_number", m_colorsNumber);
    cLayoutReader::readVector(node, L"first_point_offset", m_firstPointOffset);
    cLayoutReader::readVector(node, L"doors_point_offset", m_doorsPointOffset);
    cLayoutReader::readFloat(node, L"came_in_door_time", m_cameInDoorTime);
    cLayoutReader::readFloat(node, L"fly_obj_size_percent", m_flyObjSizePercent);
    cLayoutReader::readFloat(node, L"load_deep_delta", m_loadDeepDelta);
    // A colour the slot layout has no look for would leave a slot without a picture.
    const int available = cVehicleSlot::countColours(cDocumentHold(SLOT_LAYOUT).get());
    if (m_colorsNumber < 0 || m_colorsNumber > available)
        throw cStringA("cVehicleView::loadXML(): colors_number " + std::to_string(m_colorsNumber) +
                       " does not fit the " + std::to_string(available) + " colour variants of " + SLOT_LAYOUT);
}

void cVehicleView::startProcessing() {
    cTextureButton::startProcessing();
    if (m_engineSound)
        m_engineSound->resume();
}

void cVehicleView::stopProcessing() {
    cTextureButton::stopProcessing();
    if (m_engineSound)
        m_engineSound->pause();
}

void cVehicleView::update() {
    if (!m_vehicle)
        throw cStringA("cVehicleView::update(): model object is 0");
    const std::vector<cVehicleSlotRecord> records = m_vehicle->getSlots();
    if (records.size() != m_slots.size()) {
        clearSlots();
        createSlots();
    }
    for (cVehicleSlot* slot : m_slots)
        slot->updateSlot();
    setMoneyText(m_vehicle->getMoney());
    if (m_vehicle->hasBonus() && m_owner && m_owner->isEditorMode())
        m_bonusIcon->show();
    else
        m_bonusIcon->hide();
}

void cVehicleView::clearSlots() {
    for (cVehicleSlot* slot : m_slots) {
        slot->hide();
        deleteWidgetLater(slot);
    }
    m_slots.clear();
}

void cVehicleView::createSlots() {
    if (!m_vehicle)
        return;
    const int count = m_vehicle->getSlotCount();
    m_slots.resize(size_t(count));
    const int colour = m_editor ? 0 : int(float(m_colorsNumber) * (float(randomNext()) / 32768.0f));
    for (int i = 0; i < count; ++i) {
        cVehicleSlot* slot =
            new cVehicleSlot(this, &m_vehicle->getSlotByIndex(i), i == 0, i == count - 1, colour, m_owner, m_editor);
        const cVector2 offset = size_t(i) < m_slotOffsets.size() ? m_slotOffsets[size_t(i)] : cVector2();
        slot->setPosition(getPosition() + offset);
        slot->show();
        slot->enable();
        m_slots[size_t(i)] = slot;
    }
}

void cVehicleView::setMoneyText(int money) {
    m_money->setText(wstringFromInt(money));
}

void cVehicleView::move(float x, float y, float, bool) {
    if (m_moving)
        return;
    update();
    show();
    enable();
    m_dust->play();
    m_dust->show();
    m_moving = true;
    if (cGameSounds* sounds = cGameSounds::getInstance())
        m_engineSound = sounds->playLoop("vehicle_move");
    m_velocity = cVector2(0, 0);
    m_target = cVector2(x, y);
    const cVector2 way = m_target - getPosition();
    const float distance = std::sqrt(dot(way, way));
    if (distance < MIN_DISTANCE) {
        arrive();
        return;
    }
    m_midpoint = m_target - way * 0.5f;
}

void cVehicleView::arrive() {
    m_moving = false;
    delete m_engineSound;
    m_engineSound = nullptr;
    setPosition(m_target);
    m_dust->hide();
    if (m_vehicle)
        m_vehicle->setState(cVehicleModel::TAKING_PIECES);
    playSound("vehicle_arrived");
    openDoors();
}

void cVehicleView::process() {
    cTextureButton::process();
    const float dt = frameDelta();
    m_tweens->processTweens(dt);
    if (m_leaving) {
        if (m_target.x <= getPosition().x) {
            m_leaving = false;
            hide();
            deleteWidgetLater(this);
        } else {
            setPosition(getPosition() + m_velocity * dt);
            m_velocity = m_velocity + m_acceleration * dt;
        }
        return;
    }
    if (m_moving) {
        const cVector2 way = m_target - getPosition();
        if (dot(way, way) == 0 || dot(way, m_acceleration) <= 0) {
            arrive();
            return;
        }
        setPosition(getPosition() + m_velocity * dt);
        const cVector2 toMiddle = m_midpoint - getPosition();
        if (dot(toMiddle, m_acceleration) > 0) {
            m_velocity = m_velocity + m_acceleration * dt;
        } else {
            m_velocity = m_velocity - m_acceleration * dt;
            // Braking came to rest a hair short: the vehicle stands on its target and arrives.
            if (dot(m_velocity, m_acceleration) <= 0)
                setPosition(m_target);
        }
    }
    for (auto it = m_arriving.begin(); it != m_arriving.end(); ++it) {
        cMeadowObjectView* piece = *it;
        if (!piece->stepSinusMove(dt)) {
            piece->scaleAlongPath(m_flyObjSizePercent);
            continue;
        }
        m_arriving.erase(it);
        if (!m_slots.empty())
            piece->setDepth(m_slots.back()->getLoadDepth() - m_loadDeepDelta);
        cVehicleMoveTween* step =
            new cVehicleMoveTween(this, piece, piece->getPosition(), getDoorsPoint(), m_cameInDoorTime);
        step->start(m_tweens);
        return;
    }
    // The tutorial decides whether the vehicle's tip shows; it is asked while the vehicle stands.
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    if (tutorial && isVisible() && isEnabled() && !m_moving && !m_leaving)
        tutorial->checkAndShow(VEHICLE_TIP, cTutorialManager::TIP_ARROW, nullptr, nullptr, getPosition(), false);
}

void cVehicleView::editorRightClickHook(void* user) {
    static_cast<cVehicleView*>(user)->onEditorRightClick();
}

void cVehicleView::onEditorRightClick() {
    const IFrameManager* frames = getFrameManager();
    if (!m_editor || !frames || !cTextureButton::isPointInside(*frames->getCursorPosition()))
        return;
    auto* editor = dynamic_cast<cMeadowEditorView*>(getParent());
    if (!editor)
        return;
    // The editor selects through its own view of the same vehicle.
    for (cEditorVehicleView* view : editor->getVehicleViews())
        if (view->getVehicle() == m_vehicle) {
            cInputSystem* input = getInputSystem();
            const bool shift = input && input->isKeyDown(KEY_LEFT_SHIFT);
            const bool ctrl = input && input->isKeyDown(KEY_LEFT_CTRL);
            editor->selectVehicleView(view, shift, ctrl, true);
            return;
        }
}

void cVehicleView::addArrivingObject(cMeadowObjectView* piece) {
    m_arriving.push_back(piece);
    if (cMeadowObjectModel* model = piece->getObject())
        model->setMovingToVehicle();
    piece->startMoveToVehicle(getFirstPoint());
}

cVector2 cVehicleView::getFirstPoint() const {
    return (m_slots.empty() ? getPosition() : m_slots.back()->getPosition()) + m_firstPointOffset;
}

cVector2 cVehicleView::getDoorsPoint() const {
    return (m_slots.empty() ? getPosition() : m_slots.back()->getPosition()) + m_doorsPointOffset;
}

void cVehicleView::openDoors() {
    for (cVehicleSlot* slot : m_slots)
        slot->openDoors();
}

void cVehicleView::closeDoors() {
    for (cVehicleSlot* slot : m_slots)
        slot->closeDoors();
}

void cVehicleView::onObjectEntered(cMeadowObjectView* piece) {
    piece->setAlpha(1.0f);
    if (piece->getDecoration())
        piece->getDecoration()->hide();
    piece->hide();
    piece->setDepth(piece->getBaseDepth());
    piece->restoreSize();
    if (cMeadowController* controller = m_owner ? m_owner->getController() : nullptr)
        controller->sendObjectToVehicle(piece, this);
}

void cVehicleView::leave() {
    update();
    m_leaving = true;
    m_dust->show();
    playSound("vehicle");
    closeDoors();
    m_velocity = cVector2(0, 0);
    m_target = cVector2(getPosition().x + m_pathLength, getPosition().y);
    // A vehicle that pays nothing leaves quietly.
    const int money = m_vehicle ? m_vehicle->getMoney() : 0;
    if (money > 0)
        new cFlyingNumber(nullptr, getPosition().x, getPosition().y, money, false, FLYING_NUMBER);
    if (m_owner)
        m_owner->updateInfoPanel();
}

void cVehicleView::stop() {
    m_leaving = false;
    m_moving = false;
    delete m_engineSound;
    m_engineSound = nullptr;
}
