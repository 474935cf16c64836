#include "game/level/bonus/BonusEffect.h"

#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Panel.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/BearBonusEffect.h"
#include "game/level/bonus/CatBonusEffect.h"
#include "game/level/bonus/ChickenBonusEffect.h"
#include "game/level/bonus/InstantBonusEffect.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"

using namespace Engine;

bool isTakeablePiece(cMeadowObjectModel* piece) {
    return piece && piece->isValid() && !piece->isBusy() && !piece->getPrizeFlag() &&
           !cMeadowObjectModel::isPrizeType(piece->getType());
}

cBonusEffect::cBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType)
    : cWidget(board), m_board(board), m_model(model), m_bonusType(bonusType) {
    show();
    enable();
}

cBonusEffect::~cBonusEffect() = default;

cBonusEffect* cBonusEffect::create(cMeadowView* board, cMeadowModel* model, int bonusType) {
    switch (bonusType) {
    case 11:
    case 12:
        return new cChickenBonusEffect(board, model, bonusType);
    case 31:
    case 32:
        return new cBearBonusEffect(board, model, bonusType);
    case 41:
        return new cCatBonusEffect(board, model, bonusType);
    case 71:
        return new cInstantBonusEffect(board, model, bonusType);
    default:
        return nullptr;
    }
}

void cBonusEffect::loadXML(const IXmlNode* node) {
    cWidget::loadXML(node);
    IXmlNode* child = nullptr;
    if (node->findNode("IdleIcon", child)) {
        m_idleIcon = new cPanel(this);
        m_idleIcon->loadXML(child);
        m_idleIcon->hide();
    }
    if (node->findNode("WorkIcon", child)) {
        m_workIcon = new cPanel(this);
        m_workIcon->loadXML(child);
        m_workIcon->hide();
        m_workIconOffset = m_workIcon->getPosition();
        cLayoutReader::readFloat(child, L"icon_work_time", m_workTime);
    }
}

void cBonusEffect::process() {
    cWidget::process();
    if (m_idleIcon && !m_working) {
        if (const IFrameManager* frames = getFrameManager())
            m_idleIcon->setPosition(*frames->getCursorPosition());
    }
    if (m_working) {
        m_workTime -= frameDelta();
        if (m_workTime <= 0) {
            m_working = false;
            onEffectFinished();
        }
    }
}

bool cBonusEffect::setTargetCell(float row, float column) {
    if (m_immediate)
        return false;
    if (row == m_targetRow && column == m_targetColumn)
        return false;
    m_targetRow = row;
    m_targetColumn = column;
    if (int(row) == -1 && int(column) == -1) {
        m_targetCells.clear();
        return false;
    }
    return true;
}

bool cBonusEffect::canApply() {
    return false;
}

void cBonusEffect::apply() {
    showWorkIcon();
    if (m_workIcon)
        m_working = true;
    captureTargets();
}

void cBonusEffect::onEffectFinished() {}

void cBonusEffect::showIdleIcon() {
    if (m_idleIcon)
        m_idleIcon->show();
}

void cBonusEffect::showWorkIcon() {
    if (m_idleIcon)
        m_idleIcon->hide();
    if (!m_workIcon)
        return;
    const IFrameManager* frames = getFrameManager();
    m_workIcon->setPosition((frames ? *frames->getCursorPosition() : cVector2()) + m_workIconOffset);
    m_workIcon->show();
}

void cBonusEffect::captureTargets() {
    for (const cVector2& cell : m_targetCells) {
        const int row = int(cell.x), column = int(cell.y);
        if (m_model->isCellBlocked(row, column))
            continue;
        cMeadowObjectModel* piece = m_model->getObject(row, column);
        if (isTakeablePiece(piece))
            piece->setCaptured();
    }
}

void cBonusEffect::deleteIcons() {
    for (cPanel** icon : {&m_idleIcon, &m_workIcon}) {
        if (*icon)
            deleteWidgetLater(*icon);
        *icon = nullptr;
    }
}

bool cBonusEffect::isTargetCell(const cVector2& position) const {
    for (const cVector2& cell : m_targetCells)
        if (cell.x == position.x && cell.y == position.y)
            return true;
    return false;
}
