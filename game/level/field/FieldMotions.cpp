#include "game/level/field/FieldMotions.h"

#include "game/level/MeadowView.h"
#include "game/level/field/FlyingNumber.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/level/field/SelectionSprite.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/PassDownFeature.h"

using namespace Engine;

// ---- Starting motions ----

void cFieldMotions::startExchangePair(cMeadowObjectView* a, cMeadowObjectView* b) {
    const cVector2 pa = a->getPosition(), pb = b->getPosition();
    const bool horizontal = pa.x != pb.x;
    const bool forward = horizontal ? !(pb.x < pa.x) : !(pb.y < pa.y);
    a->setTargetPosition(m_field.getCellPositionOfView(a));
    a->startExchange(horizontal, forward);
    b->setTargetPosition(m_field.getCellPositionOfView(b));
    b->startExchange(horizontal, !forward);
}

void cFieldMotions::startExchange(cMeadowObjectView* a, cMeadowObjectView* b) {
    startExchangePair(a, b);
    m_exchangePairs.emplace_back(a, b);
}

void cFieldMotions::startSwapBack(cMeadowObjectView* a, cMeadowObjectView* b) {
    startExchangePair(a, b);
    m_swapBackPairs.emplace_back(a, b);
}

void cFieldMotions::startObjectMotions() {
    cMeadowModel* model = m_field.getModel();
    cMeadowView* board = m_field.getBoardView();
    const int rows = m_field.getRowCount(), columns = m_field.getColumnCount();
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            cMeadowObjectModel* piece = model->getObject(row, column);
            if (!piece)
                continue;
            const int32_t state = piece->getState();
            if (state != cMeadowObjectModel::APPEARING && state != cMeadowObjectModel::DESCENDING &&
                state != cMeadowObjectModel::FALLING && state != cMeadowObjectModel::SLIDING)
                continue;
            cMeadowObjectView* view = board->getGameObjectView(piece);
            if (!view)
                continue;
            const cVector2 cellPosition = m_field.getCellPosition(row, column);
            view->setTargetPosition(cellPosition);
            if (state == cMeadowObjectModel::APPEARING) {
                view->setPosition(cellPosition);
                view->startAppear();
                m_appearing.push_back(view);
            } else if (state == cMeadowObjectModel::DESCENDING) {
                view->startDescend();
                m_descending.push_back(view);
            } else {
                view->startFall(m_field.getScreenHeight(), state == cMeadowObjectModel::SLIDING);
                m_falling.push_back(view);
            }
        }
}

void cFieldMotions::startPassDown(cMeadowObjectView* view) {
    view->startFall(m_field.getScreenHeight(), true);
    view->setTargetPosition(cVector2(50, 700));
    m_toVehicle.push_back(view);
}

void cFieldMotions::startNewLevelFalls(float startY) {
    const int rows = m_field.getRowCount(), columns = m_field.getColumnCount();
    m_newLevelFalls.clear();
    for (int column = 0; column < columns; ++column)
        for (int row = 0; row < rows; ++row) {
            cMeadowObjectModel* piece =
                m_field.pieceOrThrow("startNewLevelEffect", "model object is not valid in cell", row, column);
            if (!piece)
                continue;
            cMeadowObjectView* view = m_field.getBoardView()->getGameObjectView(piece);
            if (!view)
                continue;
            if (piece->getState() == cMeadowObjectModel::HIDDEN_STATE) {
                view->hide();
                continue;
            }
            m_newLevelFalls.push_back(view);
            const cVector2 target = m_field.getCellPosition(row, column);
            view->setTargetPosition(target);
            view->setPosition(cVector2(target.x, startY));
            view->startNewLevelFall();
        }
}

bool cFieldMotions::startEndLevelFalls() {
    cMeadowModel* model = m_field.getModel();
    cMeadowView* board = m_field.getBoardView();
    const int rows = m_field.getRowCount(), columns = m_field.getColumnCount();
    m_endLevelFalls.clear();
    m_endLevelEffectDone = false;
    // The rows are spread over the board's height, whatever the effect's length.
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            cMeadowObjectModel* piece = model->getObject(row, column);
            if (!piece || piece->isBusy())
                continue;
            if (cMeadowObjectView* view = board->getGameObjectView(piece)) {
                view->startEndLevelFall(m_field.getScreenHeight(), rows);
                m_endLevelFalls.push_back(view);
            }
        }
    if (!m_endLevelFalls.empty())
        return true;
    m_endLevelEffectDone = true;
    if (board)
        board->onEndLevelEffectFinished();
    return false;
}

// ---- The frame ----

bool cFieldMotions::stepMove(float dt) {
    cMeadowController* controller = m_field.getController();
    bool finished = false;
    auto stepPair = [dt](tViewPair& pair) { return pair.first->stepExchange(dt) || pair.second->stepExchange(dt); };
    stepMotionList(m_exchangePairs, stepPair, [controller](tViewPair& pair) {
        pair.first->endExchange();
        pair.second->endExchange();
        if (controller)
            controller->onExchangeFinished(pair.first, pair.second);
    });
    stepMotionList(m_swapBackPairs, stepPair, [this, controller](tViewPair& pair) {
        pair.first->endExchange();
        pair.second->endExchange();
        m_field.getSelection()->show();
        if (controller)
            controller->updateSelection(pair.first->getObject(), pair.second->getObject());
        else
            m_field.updateSelection();
    });
    stepMotionList(
        m_dyingFigures, [&](cMeadowFigure& figure) { return stepFigure(figure, dt); },
        [&](cMeadowFigure& figure) {
            finished = true;
            if (controller)
                controller->onFigureMatched(figure);
        });
    stepMotionList(
        m_crashing, [dt](cMeadowObjectView* view) { return view->stepDestroy(dt); },
        [&](cMeadowObjectView* view) {
            finished = true;
            if (controller)
                controller->removeObject(view);
        });
    stepMotionList(
        m_delayedCaptures, [dt](cMeadowObjectView* view) { return view->stepDelay(dt); },
        [this](cMeadowObjectView* view) {
            view->getObject()->setCaptured();
            m_field.crashCell(view->getObject()->getPosition(), nullptr);
        });
    stepMotionList(
        m_bouncing, [dt](cMeadowObjectView* view) { return view->stepBounce(dt); }, [](cMeadowObjectView*) {});
    stepMotionList(
        m_appearing, [dt](cMeadowObjectView* view) { return view->stepAppear(dt); },
        [&](cMeadowObjectView*) { finished = true; });
    stepMotionList(
        m_descending, [dt](cMeadowObjectView* view) { return view->stepDescend(dt); },
        [&](cMeadowObjectView*) { finished = true; });
    stepMotionList(
        m_falling, [dt](cMeadowObjectView* view) { return view->stepFall(dt); },
        [&](cMeadowObjectView* view) {
            cMeadowObjectModel* piece = view->getObject();
            if (m_field.getModel()->hasFreeSpaceBelow(piece)) {
                // It falls on with the next drop the controller asks for.
                piece->setAtRest();
                view->attachInput();
                finished = true;
            } else {
                view->startLanding();
                m_landing.push_back(view);
            }
        });
    stepMotionList(
        m_landing, [dt](cMeadowObjectView* view) { return view->stepLanding(dt); },
        [&](cMeadowObjectView*) { finished = true; });
    return finished;
}

bool cFieldMotions::stepFigure(cMeadowFigure& figure, float dt) {
    std::vector<cMeadowObjectModel*>& pieces = figure.getRemovedObjects();
    if (pieces.empty())
        return true;
    cMeadowView* board = m_field.getBoardView();
    bool ended = false;
    for (cMeadowObjectModel* piece : pieces) {
        cMeadowObjectView* view = board->getGameObjectView(piece);
        if (view && view->stepMatch(dt)) {
            ended = true;
            break;
        }
    }
    if (!ended)
        return false;
    for (cMeadowObjectModel* piece : pieces) {
        if (piece->getState() != cMeadowObjectModel::STATE_3)
            continue;
        if (cMeadowObjectView* view = board->getGameObjectView(piece))
            view->hide();
        m_field.getModel()->releaseObject(piece);
    }
    pieces.clear();
    return true;
}

bool cFieldMotions::stepNewLevelFalls(float dt, const std::function<void(cMeadowObjectView*)>& landed) {
    if (m_newLevelFalls.empty())
        return false;
    stepMotionList(
        m_newLevelFalls, [dt](cMeadowObjectView* view) { return view->stepNewLevelFall(dt); },
        [&](cMeadowObjectView* view) {
            view->startLanding();
            m_landing.push_back(view);
            landed(view);
        });
    return m_newLevelFalls.empty();
}

bool cFieldMotions::stepMixing(float dt) {
    if (m_mixing.empty())
        return false;
    stepMotionList(
        m_mixing, [dt](cMeadowObjectView* view) { return view->stepMixing(dt); }, [](cMeadowObjectView*) {});
    return m_mixing.empty();
}

void cFieldMotions::stepToVehicle(float dt) {
    stepMotionList(
        m_toVehicle, [dt](cMeadowObjectView* view) { return view->stepFall(dt); },
        [this](cMeadowObjectView* view) {
            cMeadowModel* model = m_field.getModel();
            cMeadowObjectModel* piece = view->getObject();
            const int32_t type = piece->getType();
            model->releaseObject(piece);
            const int32_t money = cPassDownFeature::payForObject(model, type);
            if (money > 0)
                new cFlyingNumber(nullptr, 100, 700, money, false, "Meadow/View/FlyingNumber.xml");
            view->hide();
            if (cMeadowView* board = m_field.getBoardView()) {
                board->updateInfoPanel();
                board->updateMoneyText();
            }
        });
}

void cFieldMotions::stepEndLevelFalls(float dt) {
    if (m_endLevelFalls.empty())
        return;
    stepMotionList(
        m_endLevelFalls, [dt](cMeadowObjectView* view) { return view->stepEndLevelFall(dt); },
        [this](cMeadowObjectView* view) {
            if (cMeadowController* controller = m_field.getController())
                controller->removeObject(view);
        });
    m_endLevelEffectDone = m_endLevelFalls.empty();
    if (m_endLevelEffectDone)
        if (cMeadowView* board = m_field.getBoardView())
            board->onEndLevelEffectFinished();
}

void cFieldMotions::clear() {
    m_exchangePairs.clear();
    m_swapBackPairs.clear();
    m_dyingFigures.clear();
    m_appearing.clear();
    m_descending.clear();
    m_crashing.clear();
    m_mixing.clear();
    m_falling.clear();
    m_landing.clear();
}

bool cFieldMotions::isBusy() const {
    if (!m_exchangePairs.empty() || !m_swapBackPairs.empty() || !m_dyingFigures.empty())
        return true;
    for (const auto* list :
         {&m_appearing, &m_descending, &m_crashing, &m_delayedCaptures, &m_mixing, &m_bouncing, &m_falling, &m_landing})
        if (!list->empty())
            return true;
    return false;
}
