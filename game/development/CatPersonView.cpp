#include "game/development/CatPersonView.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "game/development/CatPersonModel.h"
#include "game/development/PersonageScreen.h"
#include "game/development/UnitView.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowUnit.h"
#include "game/model/ModelXml.h"
#include "game/shell/RandomFloat.h"

using Engine::cStringA;
using Engine::cVector2;

namespace {

const char* const kCatWalkLooks[5] = {"cat_pers_move_up", "cat_pers_move_up_left", "cat_pers_move_left",
                                      "cat_pers_move_down_left", "cat_pers_move_down"};
// An ordinary building keeps the cat only a moment; the bird house sets the scene's time.
constexpr float kShortWork = 0.01f;

void play(const std::string& id) {
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play(id);
}

} // namespace

cCatPersonView::cCatPersonView(Engine::cWidget* parent, IPersonageScreen* screen, cCatPersonModel* model,
                               int32_t variant)
    : cPersonageView(parent, screen, model), m_voiceId("cat_voice" + std::to_string(variant)) {
    m_fileName = cCatPersonModel::fileName(variant);
    loadLayoutFile(*this, m_fileName);
}

cCatPersonView::~cCatPersonView() = default;

void cCatPersonView::loadXML(const Engine::IXmlNode* node) {
    loadCharacterKeys(node);
    Engine::parseVector2(m_catSilenceTime, node->getAttribute(L"cat_silence_time"));
    Engine::IXmlNode* states = nullptr;
    if (node->findNode("States", states) && states)
        for (Engine::IXmlNode* child : ModelXml::children(states)) {
            Engine::cVisual look;
            look.loadXML(child);
            m_states[ModelXml::readWord(child, L"id")] = look;
        }
}

const Engine::cVisual& cCatPersonView::getVisualState(const std::string& id) const {
    auto it = m_states.find(id);
    if (it == m_states.end())
        throw cStringA("cCatPersonView::getVisualState(): visual state for a given id was not found: id = " + id);
    return it->second;
}

void cCatPersonView::process() {
    // The panel's step: the button's own deferred-click step is not the cat's.
    cPanel::process();
    const float dt = Engine::frameDelta();
    m_voiceCooldown -= dt;
    if (m_model->getState() == cPersonageModel::PERSONAGE_IDLE && isVisible()) {
        m_idleTimeLeft -= dt;
        if (m_idleTimeLeft <= 0) {
            if (m_willToWork < randomFloat(0, 1)) {
                if (m_model->chooseUnitGoal()) {
                    m_model->setState(cPersonageModel::PERSONAGE_MOVE);
                    startMoving();
                } else {
                    resetIdleTime();
                    setSize(m_standSize);
                }
            } else if (m_willToWork > randomFloat(0, 1)) {
                if (m_model->startFunnyEvent())
                    startFunnyEventTalk();
                else
                    resetIdleTime();
            } else {
                resetIdleTime();
                setSize(m_standSize);
            }
        }
    }
    if (m_funnyTalking) {
        m_funnyTimeLeft -= dt;
        if (m_funnyTimeLeft <= 0) {
            m_funnyTalking = false;
            endTalk();
        }
    }
    if (m_moving && stepToNode(dt)) {
        m_moving = false;
        onEndMoving(m_destination->getIndex());
    }
    if (m_working) {
        m_workTimeLeft -= dt;
        if (m_workTimeLeft <= 0) {
            m_working = false;
            stopWorking();
        }
    }
}

void cCatPersonView::clicked() {
    cPersonageView::clicked();
    if (m_screen->isLevelScreenOpen() || m_voiceCooldown > 0)
        return;
    play(m_voiceId);
    m_voiceCooldown = randomFloat(m_catSilenceTime.x, m_catSilenceTime.y);
    if (cMeadowController* controller = cMeadowController::getInstance())
        controller->addAnimalsCareClick();
}

void cCatPersonView::startTalking() {
    throw cStringA("cCatPersonView::startTalking(): cat cannot talk");
}

void cCatPersonView::startWorking() {
    if (!m_model->getWorkUnit())
        throw cStringA("cCatPersonView::startWorking(): working unit is undefined in the model.");
    m_working = true;
    m_workTimeLeft = kShortWork;
}

void cCatPersonView::updateVisualState() {
    const int32_t state = m_model->getState();
    switch (state) {
    case cPersonageModel::PERSONAGE_IDLE:
        setSize(m_standSize);
        takeLook(getVisualState("cat_pers_idle"));
        return;
    case cPersonageModel::PERSONAGE_MOVE:
        keepMoving();
        return;
    case cPersonageModel::PERSONAGE_TALK:
        throw cStringA("cCatPersonView::updateVisualState(): cat cannot talk");
    case cPersonageModel::PERSONAGE_WORK: {
        IUnitView* unit = m_model->getWorkUnit();
        if (!unit)
            throw cStringA("cCatPersonView::updateVisualState(): working unit is undefined in the model.");
        if (unit->getUnit()->getId() != cCatPersonModel::BIRD_HOUSE) {
            setSize(m_standSize);
            takeLook(getVisualState("cat_pers_idle"));
            return;
        }
        const cFunnyEvent& event = m_model->getCurrentFunnyEvent();
        takeLook(getVisualState(event.m_id));
        setSize(event.m_size);
        setAnimPosition(0);
        setInverseX(false);
        m_workTimeLeft = event.m_time;
        if (!m_screen->isLevelScreenOpen()) {
            play(m_voiceId);
            unit->playVoices();
        }
        return;
    }
    case cPersonageModel::PERSONAGE_FUNNY_EVENT: {
        const cFunnyEvent& event = m_model->getCurrentFunnyEvent();
        takeLook(getVisualState(event.m_id));
        setSize(event.m_size);
        setAnimPosition(0);
        return;
    }
    default:
        throw cStringA("cCatPersonView::updateVisualState(): unknown model state: " + std::to_string(state));
    }
}

void cCatPersonView::onEndMoving(int32_t node) {
    const int32_t goal = m_model->getCurrentPoint();
    if (node == goal) {
        m_moving = false;
        if (m_model->work(node)) {
            startWorking();
        } else {
            resetIdleTime();
            m_model->setState(cPersonageModel::PERSONAGE_IDLE);
        }
        updateVisualState();
        return;
    }
    const cGraph::tNodeList path = m_model->getGraph()->findPath(node, goal);
    if (path.empty())
        throw cStringA("cCatPersonView::onEndMoving(): path was not found");
    m_destination = path[1];
    keepMoving();
}

void cCatPersonView::setMoveAnimation(const cVector2& d) {
    tWalk walk;
    if (!chooseWalk(d, walk))
        return;
    // Its walking pictures face left.
    setInverseX(d.x > 0);
    m_speed = walk.speed;
    setSize(walk.size);
    takeWalkingLook(getVisualState(kCatWalkLooks[walk.direction]));
}

void cCatPersonView::stopWorking() {
    if (IUnitView* unit = m_model->getWorkUnit())
        unit->setWorking(false);
    m_model->setState(cPersonageModel::PERSONAGE_IDLE);
    resetIdleTime();
    updateVisualState();
}

void cCatPersonView::startFunnyEventTalk() {
    updateVisualState();
    m_funnyTimeLeft = m_model->getCurrentFunnyEvent().m_time;
    m_funnyTalking = true;
}

void cCatPersonView::endTalk() {
    m_model->setState(cPersonageModel::PERSONAGE_IDLE);
    resetIdleTime();
    updateVisualState();
}
