#include "game/model/MeadowController.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/model/AwardManagerLink.h"
#include "game/model/BonusEffectLink.h"
#include "game/model/CellView.h"
#include "game/model/DevelopmentViewLink.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/LevelView.h"
#include "game/model/MainMenuLink.h"
#include "game/model/MatchStatisticsLink.h"
#include "game/model/MeadowModel.h"
#include "game/model/PieceView.h"
#include "game/model/SpecialBonusesFeature.h"
#include "game/model/TutorialManagerLink.h"
#include "game/model/VehicleViewLink.h"

using Engine::cStringA;
using Engine::cVector2;

namespace {

// Type category of the special bonus pieces, which go off when clicked twice.
const int32_t kSpecialBonusCategory = 11;
const int32_t kMaxMatchSound = 17;
const int32_t kMaxExtraSound = 5;
// The tutorial tip that explains the swap; it closes once a swap was made.
const int kSwapTipId = 1;
const int kUnitsTipId = 2;

IGameSounds* sounds() {
    return GameServices::getGameSounds();
}
ITutorialManager* tutorial() {
    return GameServices::getTutorialManager();
}

void clearSelection(cMeadowModel* model) {
    if (cMeadowObjectModel* selected = model->getSelected())
        selected->setSelected(false);
    model->setSelectionPointers(nullptr, nullptr);
}

// Takes the piece off its cell and gives it back to the pool.
void removePiece(cMeadowModel* model, cMeadowObjectModel* piece) {
    if (piece) {
        model->removeObjectFromGrid(piece);
        model->releaseObject(piece);
    }
}

} // namespace

cMeadowController::cMeadowController(cMeadowModel* model, IDevelopmentView* developmentView, bool editor)
    : m_model(model), m_developmentView(developmentView), m_editor(editor),
      m_cascadeCountdown(model ? model->m_updateTime : 0.0f), m_cascadePeriod(model ? model->m_updateTime : 0.0f),
      m_fallSoundGuard(model ? model->m_fallObjSoundDelay : 0.0f),
      m_seriesBuffer(model ? model->m_seriaBufferTime : 0.0f) {
    if (!model)
        throw cStringA("cMeadowController::cMeadowController(): model is null");
    m_awardManager = GameServices::createAwardManager();
    releaseBonusEffect(false);
}

cMeadowController::~cMeadowController() {
    // The award manager must not record anything while it goes; a flag the shell raised stays.
    const bool wasQuitting = GameServices::isQuitting();
    GameServices::setQuitting(true);
    m_awardManager.reset();
    GameServices::setQuitting(wasQuitting);
}

IAwardManager* cMeadowController::awards() const {
    return m_editor ? nullptr : m_awardManager.get();
}

bool cMeadowController::setOffSpecialBonus(cMeadowObjectModel* piece) {
    int32_t category = -1;
    try {
        category = m_model->getTypeCategory(piece->getType());
    } catch (const std::string&) {
        // Prize pieces have no category in the description.
    }
    return category == kSpecialBonusCategory && cSpecialBonusesFeature::testObject(m_model, piece);
}

void cMeadowController::resetSeries() {
    m_seriesFigures = 0;
    m_matchSoundNumber = 0;
    m_extraSoundNumber = 0;
    m_seriesLocksRemoved = 0;
}

// ---- Play ----

void cMeadowController::objectClicked(IPieceView* view) {
    ITutorialManager* tips = tutorial();
    if (!m_levelView || !view || !view->isVisible() || !view->isEnabled() || m_inputLocked || m_triggerHold ||
        (tips && tips->hasCurrentTip()))
        return;
    m_hintTimer = 0.0f;
    if (tips)
        m_levelView->hideHint();
    cMeadowObjectModel* piece = view->getObject();
    if (!piece)
        throw cStringA("cMeadowController::objectClicked(): model object is null");
    if (!piece->isValid())
        throw cStringA("cMeadowController::objectClicked(): model object is not valid, bonus type = " +
                       std::to_string(m_armedBonusType));
    if (piece->isBusy() || m_bonusEffect)
        return;
    if (m_model->isCellBlocked(piece->getRow(), piece->getColumn()))
        return;
    if (piece == m_model->getSelected() && setOffSpecialBonus(piece))
        return;
    cMeadowObjectModel* previous = m_model->setSelected(piece);
    if (previous && (m_model->isCellBlocked(previous->getRow(), previous->getColumn()) || previous->isBusy()))
        return;
    if (previous && previous != piece && m_model->isNeighbour(previous, piece)) {
        m_model->swapObjects(previous, piece);
        m_levelView->animateExchange(m_levelView->getGameObjectView(previous), view);
    } else {
        m_levelView->updateSelection();
    }
}

void cMeadowController::onExchangeFinished(IPieceView* first, IPieceView* second) {
    m_idleTimer = 0.0f;
    if (m_levelView)
        m_levelView->hideHint();
    if (ITutorialManager* tips = tutorial())
        if (tips->getCurrentTipId() == kSwapTipId)
            tips->closeCurrentTip();
    cMeadowObjectModel* a = first ? first->getObject() : nullptr;
    cMeadowObjectModel* b = second ? second->getObject() : nullptr;
    if (!a || !b)
        throw cStringA("cMeadowController::onExchangeFinished(): model object is null");
    if (setOffSpecialBonus(a) || setOffSpecialBonus(b))
        return;
    if (m_model->hasMatches()) {
        tFigureList figures;
        if (isObjectsInFigures(first, second, figures)) {
            if (m_sinceLastMatch > m_seriesBuffer)
                resetSeries();
            clearSelection(m_model);
            processFigures(figures, false);
            return;
        }
    }
    m_model->swapObjects(a, b);
    if (m_levelView)
        m_levelView->animateSwapBack(first, second);
}

bool cMeadowController::isObjectsInFigures(IPieceView* first, IPieceView* second, tFigureList& figures) {
    if (!figures.empty())
        throw cStringA("cMeadowController::isObjectsInFigures(): figures vector is not empty");
    figures = m_model->collectFigures();
    const cVector2 a = first->getObject()->getPosition();
    const cVector2 b = second->getObject()->getPosition();
    bool found = false;
    for (cMeadowFigure& figure : figures) {
        for (const cVector2& at : figure.getPositions()) {
            if (at == a || at == b) {
                figure.setBonusPosition(at);
                found = true;
            }
        }
    }
    return found;
}

void cMeadowController::processFigures(tFigureList& figures, bool cascade) {
    m_sinceLastMatch = 0.0f;
    m_model->payFigures(figures);
    if (IAwardManager* manager = awards()) {
        manager->checkAward1xMoney();
        manager->checkAward5xMoney();
        manager->checkAwardXmoneyOnLevel();
    }
    if (m_levelView)
        m_levelView->showMatchedFigures(figures, cascade);
    if (m_triggerHold)
        return;
    m_model->checkAfterMove();
    if (m_levelView) {
        m_levelView->startObjectMotions();
        m_levelView->refresh();
    }
}

void cMeadowController::continueTurn() {
    if (m_editor) {
        clearSelection(m_model);
        if (m_levelView)
            m_levelView->refresh();
        return;
    }
    if (IGameSounds* sound = sounds())
        sound->playSingle("object_fall", m_fallSoundGuard, 0.0f);
    if (m_levelFinished)
        return;
    m_model->checkAfterMove();
    if (m_model->isBoardChanged()) {
        if (m_levelView)
            m_levelView->startObjectMotions();
        return;
    }
    if (m_model->hasMatches()) {
        m_model->resetMatchCounts();
        return;
    }
    if (IMatchStatistics* statistics = GameServices::getMatchStatistics())
        if (statistics->getBestCombo() < m_seriesFigures)
            statistics->setBestCombo(m_seriesFigures);
    if (m_levelView)
        m_levelView->refresh();
}

void cMeadowController::update(float dt) {
    m_hintTimer += dt;
    m_idleTimer += dt;
    m_matchSoundTimer -= dt;
    m_sinceLastMatch += dt;
    if (m_triggerHold)
        return;
    if (IAwardManager* manager = awards()) {
        manager->checkAwardFiveMinutes();
        manager->checkAwardXtimeInGame();
        manager->checkAwardFanOfGame();
    }
    if (m_levelFinished) {
        if (m_levelView && !m_levelCompleted && !m_levelView->isFieldBusy()) {
            m_levelCompleted = true;
            m_model->completeLevel();
            m_levelView->finishLevel();
        }
        return;
    }
    if (m_hintDelay <= m_hintTimer) {
        m_hintTimer = 0.0f;
        if (!m_inputLocked)
            showHint();
    }
    m_cascadeCountdown -= dt;
    if (m_cascadeCountdown > 0.0f)
        return;
    m_cascadeCountdown = m_cascadePeriod;
    if (m_model->isGameFinished()) {
        finishLevelNow();
        return;
    }
    if (m_model->hasMatches()) {
        tFigureList figures = m_model->collectFigures();
        processFigures(figures, true);
    } else {
        if (checkLevelFinished())
            return;
        m_model->checkAfterMove();
        if (m_levelView)
            m_levelView->startObjectMotions();
    }
    m_model->testPassDownObjects();
}

void cMeadowController::finishLevelNow() {
    // Set directly: the board screen keeps updating until it has finished the level.
    m_inputLocked = true;
    m_leftButtonHeld = false;
    m_levelFinished = true;
    m_levelCompleted = false;
}

bool cMeadowController::completeFinishedLevel() {
    if (!m_levelFinished || m_editor)
        return false;
    if (!m_levelCompleted) {
        m_levelCompleted = true;
        m_model->completeLevel();
    }
    return true;
}

bool cMeadowController::checkLevelFinished() {
    if (!m_model->isGameFinished())
        return false;
    finishLevelNow();
    return true;
}

void cMeadowController::showHint() {
    // A board still in motion answers true without writing a move: the last hint must not come back.
    m_hintFirst = m_hintSecond = cVector2(-1.0f, -1.0f);
    if (!m_model->findPossibleMove(m_hintFirst, m_hintSecond))
        return;
    if (m_hintFirst.x > -1.0f && m_hintFirst.y > -1.0f && m_hintSecond.x > -1.0f && m_hintSecond.y > -1.0f &&
        m_levelView)
        m_levelView->showHint(m_hintFirst, m_hintSecond);
}

void cMeadowController::onFigureMatched(const cMeadowFigure& figure) {
    const int32_t size = figure.getPositionCount();
    if (IMatchStatistics* statistics = GameServices::getMatchStatistics())
        statistics->countFigure(size);
    IAwardManager* manager = awards();
    if (manager)
        manager->checkAwardXinRow(size);
    ++m_seriesFigures;
    if (manager && m_seriesFigures >= 2)
        manager->checkAwardXfiguresSeria(m_seriesFigures);
}

void cMeadowController::playMatchSound() {
    if (m_matchSoundTimer > 0.0f)
        return;
    m_matchSoundTimer = m_model->m_comboSoundDelay;
    if (++m_matchSoundNumber > kMaxMatchSound) {
        m_matchSoundNumber = 1;
        if (++m_extraSoundNumber > kMaxExtraSound)
            m_extraSoundNumber = 0;
    }
    IGameSounds* sound = sounds();
    if (!sound)
        return;
    if (m_extraSoundNumber >= 1 && m_extraSoundNumber <= kMaxExtraSound)
        sound->play("match_add" + std::to_string(m_extraSoundNumber));
    if (m_matchSoundNumber >= 1 && m_matchSoundNumber <= kMaxMatchSound)
        sound->play("match" + std::to_string(m_matchSoundNumber));
}

void cMeadowController::removeObject(IPieceView* view) {
    if (view)
        removePiece(m_model, view->getObject());
}

void cMeadowController::sendObjectToVehicle(IPieceView* pieceView, IVehicleView* vehicleView) {
    cMeadowObjectModel* piece = pieceView ? pieceView->getObject() : nullptr;
    cVehicleModel* vehicle = vehicleView ? vehicleView->getVehicle() : nullptr;
    if (!piece || !vehicle)
        throw cStringA("cMeadowController::sendObjectToVehicle(): object or vehicle is null");
    m_model->getVehiclesFeature()->loadObjectIntoVehicle(vehicle, piece);
    removePiece(m_model, piece);
    if (m_levelView)
        m_levelView->refresh();
}

void cMeadowController::updateSelection(cMeadowObjectModel*, cMeadowObjectModel*) {
    if (m_levelView)
        m_levelView->updateSelection();
}

// ---- Input lock and awards ----

void cMeadowController::setInputLocked(bool locked) {
    m_inputLocked = locked;
    if (locked)
        m_leftButtonHeld = false;
    if (m_levelView)
        m_levelView->setInputLocked(locked);
    if (m_developmentView)
        m_developmentView->lockInterface(locked);
}

void cMeadowController::resumeAfterAward() {
    if (m_awardManager)
        m_awardManager->onAwardTipClosed();
    setInputLocked(false);
    if (m_levelView)
        m_levelView->resumeMusic();
    else if (m_developmentView)
        m_developmentView->resumeMusic();
}

bool cMeadowController::checkLevelEndAwards() {
    if (IAwardManager* manager = awards()) {
        manager->checkAwardNLevels();
        manager->checkAwardAllLevels();
        manager->checkAwardNoBonusesOnLevel();
    }
    return false;
}

void cMeadowController::onBlastBonusUsed() {
    if (IAwardManager* manager = awards())
        manager->checkAwardBombBonus();
}

void cMeadowController::onLightningBonusUsed() {
    if (IAwardManager* manager = awards())
        manager->checkAwardLightningBonus();
}

int32_t cMeadowController::getMoney() {
    return m_model->getResourcePoints(1);
}

void cMeadowController::getAwardProgress(int32_t awardType, float& current, float& needed) {
    if (m_awardManager)
        needed = m_awardManager->getThreshold(awardType);
    switch (awardType) {
    case 0:
    case 1:
        current = float(getMoney());
        break;
    case 2:
    case 3:
        current = float(m_model->getNextLevelNumber());
        break;
    case 4:
        current = m_levelView ? float(m_model->getLevelAchievements()->getValue(0)) : 0.0f;
        break;
    case 7:
        current = float(m_model->getMatchedObjects());
        break;
    case 8:
    case 9:
        if (IMainMenu* menu = GameServices::getMainMenu())
            current = awardType == 8 ? menu->getRunTime() : menu->getPlayTime();
        break;
    case 10:
        current = m_idleTimer;
        break;
    case 12:
        current = float(m_model->getAnimalsCare());
        break;
    default:
        break;
    }
}

namespace {

float savedCounter(const std::string& key) {
    auto it = Engine::gIntProps.find(key);
    return it == Engine::gIntProps.end() ? 0.0f : float(std::max<int32_t>(it->second, 0));
}

// The profile key of the money: the id of the model's resource of type 1.
std::string moneyKey() {
    Engine::cDocumentHold document;
    try {
        document = Engine::cDocumentHold(cMeadowModel::MODEL_FILE);
    } catch (...) {
        // Without the model's description no money is known: the panel shows 0.
        return std::string();
    }
    std::string key;
    Engine::IXmlNode* list = nullptr;
    if (document && document->findNode("GameResources", list) && list)
        for (int i = 0; i < list->getChildCount() && key.empty(); ++i) {
            Engine::IXmlNode* node = nullptr;
            int type = 0;
            if (list->getNodeAt(i, node) && Engine::parseInt(type, node->getAttribute(L"type")) == 1)
                key = Engine::wideToNarrow(node->getAttribute(L"id"));
        }
    return key;
}

} // namespace

float cMeadowController::getSavedAwardProgress(int32_t awardType) {
    switch (awardType) {
    case 0:
    case 1: {
        const std::string key = moneyKey();
        return key.empty() ? 0.0f : savedCounter(key);
    }
    case 2:
    case 3:
        return savedCounter("NextAvailableLevel");
    case 7:
        return savedCounter("MatchedObjects");
    case 8:
    case 9:
        if (IMainMenu* menu = GameServices::getMainMenu())
            return awardType == 8 ? menu->getRunTime() : menu->getPlayTime();
        return 0.0f;
    case 12:
        return savedCounter("AnimalsCare");
    default:
        return 0.0f;
    }
}

void cMeadowController::rememberStartLevelMoney() {
    Engine::gIntProps["StartLevelMoney"] = getMoney();
}

bool cMeadowController::selectUnitVariant(int32_t unitIndex, int32_t variant, int32_t level) {
    cUnitsFeature* units = m_model->getUnitsFeature();
    cMeadowUnit* unit = units->getUnit(unitIndex);
    // An offer made for another level, or one the money no longer covers, would leave the
    // money negative.
    if (!unit->hasNextUpgrade() || (level >= 0 && level != unit->getLevel() + 1) ||
        getMoney() < unit->getNextUpgrade().price)
        return false;
    units->upgradeUnit(unit, variant);
    if (IGameSounds* sound = sounds())
        sound->play("buy_unit");
    if (ITutorialManager* tips = tutorial())
        tips->setTipShown(kUnitsTipId);
    return true;
}

void cMeadowController::addAnimalsCareClick() {
    ++m_model->getAnimalsCare();
    if (IAwardManager* manager = awards())
        if (!manager->hasQueuedAwards())
            manager->checkAwardAnimalsCare();
}

void cMeadowController::checkUnitsAward(cUnitsFeature* units) {
    if (!units)
        return;
    if (IAwardManager* manager = awards())
        manager->checkAwardMaxUpgrade(units->isFullyUpgraded());
}

// ---- Bonus effects ----

IBonusEffect* cMeadowController::createBonusEffect(int32_t type) {
    if (m_bonusEffect)
        throw cStringA("cMeadowController::createBonusEffect(): cannot create a new bonus effect because old was not "
                       "deleted, type = " +
                       std::to_string(m_bonusEffect->getBonusType()));
    switch (type) {
    case 11: // chicken
    case 12:
    case 31: // bear
    case 32:
    case 41: // cat
    case 71: // instant
        break;
    default:
        throw cStringA("cMeadowController::createBonusEffect(): unknown bonus type: type = " + std::to_string(type));
    }
    if (!m_levelView)
        throw cStringA("cMeadowController::createBonusEffect(): there is no board screen, type = " +
                       std::to_string(type));
    m_bonusEffect = m_levelView->createBonusEffect(type);
    return m_bonusEffect;
}

void cMeadowController::applyBonusImmediately() {
    if (!m_bonusEffect)
        throw cStringA("cMeadowController::applyBonusImmediately(): bonus is now set");
    if (m_bonusEffect->canApply()) {
        setInputLocked(true);
        m_model->useBonus(m_bonusEffect->getBonusType());
        m_bonusEffect->apply();
    } else {
        releaseBonusEffect(true);
    }
}

void cMeadowController::updateBonusEffectPosition(ICellView* cell) {
    if (!cell || !m_bonusEffect || !m_bonusEffect->canApply())
        return;
    const cVector2 target(float(cell->getRow()), float(cell->getColumn()));
    if (!(m_bonusEffect->getTargetCell() == target))
        m_bonusEffect->setTargetCell(target);
    m_bonusEffect->setImmediate(true);
    const int32_t type = m_bonusEffect->getBonusType();
    m_model->useBonus(type);
    m_bonusEffect->apply();
    if (IAwardManager* manager = awards()) {
        manager->checkBonusAward(type);
        manager->checkAwardXbonusesUsing();
    }
}

void cMeadowController::setBonusEffectPosition(int32_t row, int32_t column) {
    if (m_bonusEffect)
        m_bonusEffect->setTargetCell(cVector2(float(row), float(column)));
}

void cMeadowController::onBonusEffectFinished(bool deleteEffect) {
    releaseBonusEffect(deleteEffect);
    clearSelection(m_model);
    ++m_bonusesUsed;
    resetSeries();
    m_model->checkAfterMove();
    if (m_levelView) {
        if (m_model->isBoardChanged())
            m_levelView->startObjectMotions();
        else
            m_levelView->refresh();
    }
    setInputLocked(false);
}

void cMeadowController::releaseBonusEffect(bool deleteEffect) {
    if (m_bonusEffect && deleteEffect && m_levelView)
        m_levelView->deleteBonusEffect(m_bonusEffect);
    m_bonusEffect = nullptr;
}

void cMeadowController::applyBonusAtPosition(const cVector2& position, IBonusEffect* argument) {
    cMeadowObjectModel* piece = m_model->getObject(int32_t(position.x), int32_t(position.y));
    if (piece && !cSpecialBonusesFeature::testObject(m_model, piece) && m_levelView)
        m_levelView->crashCell(position, argument);
}

// ---- Level editor ----

void cMeadowController::cellClicked(ICellView* view) {
    if (m_inputLocked || !view)
        return;
    if (m_mode < PLAY_MODE || m_mode > EDIT_CELL_TRIGGERS_MODE)
        throw cStringA("cMeadowController::cellClicked(): unknown controller mode: " + std::to_string(m_mode));
    const int32_t row = view->getRow(), column = view->getColumn();
    cCellModel* cell = m_model->getCell(row, column);
    switch (m_mode) {
    case EDIT_CELLS_MODE: {
        if (!cell)
            throw cStringA("cMeadowController::cellClicked(): case EDIT_CELLS_MODE: cell is 0");
        const int32_t type = m_rightButtonHeld ? 0 : m_editorCellType;
        if (cell->getType() == type) {
            cell->setType(1);
        } else {
            cell->setType(type);
            if (type == 0) {
                if (cMeadowObjectModel* piece = m_model->getObject(row, column)) {
                    if (IPieceView* pieceView = m_levelView ? m_levelView->getGameObjectView(piece) : nullptr) {
                        pieceView->detachInput();
                        pieceView->setVisible(false);
                    }
                }
                cell->setLocks(0);
                m_model->removeObjectAt(row, column);
                // A cell without type can never be cleared or reached: a trigger or prize left
                // on it would keep the level from ever ending.
                if (cell->getTriggerNumber() > 0) {
                    m_model->freeTriggerNumber(cell->getTriggerNumber());
                    cell->setTriggerNumber(0);
                }
                cell->setVehicleFlag(false);
                cell->setGoldPrizeFlag(false);
            }
        }
        cell->setAwaitedTrigger(type != 0 ? m_paintedTrigger : 0);
        break;
    }
    case EDIT_CELL_LOCKS_MODE: {
        if (!cell || cell->getType() == 0)
            return;
        if (m_editorLockCount < 0)
            throw cStringA("cMeadowController::cellClicked(): wrong number of cell locks: " +
                           std::to_string(m_editorLockCount));
        if (m_editorLockCount == cell->getLocks())
            break;
        if (m_editorLockCount == 0) {
            m_model->removeObjectAt(row, column);
            cell->setLocks(0);
        } else {
            // A cell that is locked already keeps its piece: a second one would be lost in the grid.
            if (!m_model->getObject(row, column))
                m_model->createObjectAt(row, column)->setType(1);
            cell->setLocks(m_editorLockCount);
        }
        break;
    }
    case EDIT_LOCKED_OBJECTS_MODE: {
        if (!cell || cell->getLocks() <= 0)
            return;
        if (m_editorObjectIndex == 0) {
            m_model->removeObjectAt(row, column);
        } else if (m_editorObjectIndex >= 1 && m_editorObjectIndex <= 5) {
            // Only a level index can be written to the levels file and read back.
            cMeadowObjectModel* piece = m_model->getObject(row, column);
            if (!piece)
                piece = m_model->createObjectAt(row, column);
            if (piece->getType() != m_editorObjectIndex)
                piece->setType(m_editorObjectIndex);
        }
        break;
    }
    case EDIT_CELL_VEHICLES_MODE:
        if (!cell)
            throw cStringA("cMeadowController::cellClicked(): case EDIT_CELL_VEHICLES_MODE: cell is 0");
        if (cell->getType() == 0)
            return;
        cell->setVehicleFlag(!cell->getVehicleFlag());
        cell->setGoldPrizeFlag(false);
        break;
    case EDIT_CELL_GOLD_PRIZE_MODE:
        if (!cell)
            throw cStringA("cMeadowController::cellClicked(): case EDIT_CELL_GOLD_PRIZE_MODE: cell is 0");
        if (cell->getType() == 0)
            return;
        cell->setGoldPrizeFlag(!cell->getGoldPrizeFlag());
        cell->setVehicleFlag(false);
        break;
    case EDIT_CELL_TRIGGERS_MODE:
        if (!cell)
            throw cStringA("cMeadowController::cellClicked(): case EDIT_CELL_TRIGGERS_MODE: cell is 0");
        if (cell->getType() == 0)
            return;
        if (cell->getTriggerNumber() == 0) {
            const int32_t number = m_model->getNextTriggerNumber();
            m_model->useTriggerNumber(number);
            cell->setTriggerNumber(number);
        } else {
            m_model->freeTriggerNumber(cell->getTriggerNumber());
            cell->setTriggerNumber(0);
        }
        break;
    default:
        break;
    }
    if (m_levelView)
        m_levelView->refresh();
}

void cMeadowController::addVehicle() {
    m_model->getVehiclesFeature()->addVehicle();
    if (m_levelView)
        m_levelView->updateVehicles();
}

void cMeadowController::removeVehicle(cVehicleModel* vehicle) {
    m_model->getVehiclesFeature()->removeVehicle(vehicle);
    if (m_levelView)
        m_levelView->updateVehicles();
}

void cMeadowController::addVehicleSlot(cVehicleModel* vehicle, int32_t amount) {
    if (!vehicle || m_editorSlotObject == -1)
        return;
    const std::vector<int32_t>& types = m_model->getLevelTypes();
    const int32_t index = m_editorSlotObject - 1;
    const int32_t type = index >= 0 && index < int32_t(types.size()) ? types[size_t(index)] : 0;
    vehicle->addSlot(m_editorSlotObject, amount, type);
    if (m_levelView)
        m_levelView->updateVehicles();
}

void cMeadowController::resetLevelState() {
    m_bonusesUsed = 0;
    m_blastsUsed = 0;
    m_lightningsUsed = 0;
    m_levelFinished = false;
}
