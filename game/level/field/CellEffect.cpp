#include "game/level/field/CellEffect.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Panel.h"
#include "engine/gui/PyroEffect.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"

using namespace Engine;

cCellEffect::cCellEffect(cMeadowFieldView* field, cMeadowModel* model)
    : cWidget(nullptr), m_field(field), m_model(model) {
    m_core = new cPyroEffect(this, "");
    m_cellSpark = new cPyroEffect(this, "");
    m_beamA = new cPanel(this);
    m_beamB = new cPanel(this);
}

namespace {

// A copy of a particle effect under the parent; one without an effect file stays empty.
cPyroEffect* copyEffect(const cPyroEffect* effect, cWidget* parent) {
    cPyroEffect* copy = effect->getFileName().empty() ? new cPyroEffect(parent, "") : new cPyroEffect(*effect);
    copy->setParent(parent);
    return copy;
}

} // namespace

cCellEffect::cCellEffect(const cCellEffect& other)
    : cWidget(other), m_time(other.m_time), m_field(other.m_field), m_model(other.m_model),
      m_halfBeam(other.m_halfBeam) {
    m_core = copyEffect(other.m_core, this);
    m_cellSpark = copyEffect(other.m_cellSpark, this);
    m_cellSpark->hide();
    m_beamA = new cPanel(*other.m_beamA);
    m_beamA->setParent(this);
    m_beamB = new cPanel(*other.m_beamB);
    m_beamB->setParent(this);
}

cCellEffect::~cCellEffect() = default;

void cCellEffect::loadXML(const IXmlNode* node) {
    cWidget::loadXML(node);
    cLayoutReader::readFloat(node, L"time", m_time);
    IXmlNode* child = nullptr;
    if (node->findNode("EffectCore", child))
        m_core->loadXML(child);
    if (node->findNode("EffectCell", child))
        m_cellSpark->loadXML(child);
    m_cellSpark->hide();
    if (node->findNode("AnimPic", child)) {
        m_beamA->loadXML(child);
        m_beamB->loadXML(child);
    }
    m_halfBeam = m_beamA->getSize().x * 0.5f;
}

void cCellEffect::walk(int row, int column, int rowStep, int columnStep) {
    bool open = true;
    for (; row >= 0 && column >= 0 && row < m_model->getRows() && column < m_model->getColumns();
         row += rowStep, column += columnStep) {
        cCellModel* cell = m_model->getCell(row, column);
        if (!cell || !cell->isEnabled())
            open = false;
        cMeadowCellView* view = m_field->findCellView(row, column);
        if (!view)
            continue;
        if (open) {
            view->setEffectRenderType(true, LIT_RENDER_TYPE);
            m_litCells.push_back(view);
        } else {
            view->setEffectRenderType(true, TOUCHED_RENDER_TYPE);
        }
        m_touchedCells.push_back(view);
    }
}

void cCellEffect::collectCells(int tag) {
    const int row = m_centre->getRow(), column = m_centre->getColumn();
    if (tag == cMeadowObjectModel::ROW_LIGHTNING_BONUS) {
        walk(row, column - 1, 0, -1);
        walk(row, column + 1, 0, 1);
    } else if (tag == cMeadowObjectModel::COLUMN_LIGHTNING_BONUS) {
        walk(row - 1, column, -1, 0);
        walk(row + 1, column, 1, 0);
    }
}

void cCellEffect::start(cMeadowCellView* centre, int tag) {
    if (!centre || !m_field || !m_model)
        return;
    m_centre = centre;
    const cVector2 at = centre->getPosition();
    m_core->setPosition(at);
    if (!m_core->getFileName().empty()) {
        m_core->play(true);
        m_core->show();
    }
    collectCells(tag);
    centre->setEffectRenderType(true, LIT_RENDER_TYPE);
    m_touchedCells.push_back(centre);
    for (cMeadowCellView* cell : m_litCells) {
        if (m_cellSpark->getFileName().empty())
            break;
        cPyroEffect* spark = new cPyroEffect(*m_cellSpark);
        spark->setPosition(cell->getPosition());
        spark->play(true);
        spark->show();
    }
    if (tag == cMeadowObjectModel::ROW_LIGHTNING_BONUS) {
        m_beamA->setPosition(cVector2(at.x + m_halfBeam, at.y));
        m_beamB->setPosition(cVector2(at.x - m_halfBeam, at.y));
        m_beamB->setInverseX(true);
    } else if (tag == cMeadowObjectModel::COLUMN_LIGHTNING_BONUS) {
        m_beamA->setPosition(cVector2(at.x, at.y + m_halfBeam));
        m_beamB->setPosition(cVector2(at.x, at.y - m_halfBeam));
        m_beamA->setAngle(-90.0f);
        m_beamB->setAngle(-90.0f);
        m_beamB->setInverseX(true);
    }
    m_beamA->setAnimPosition(0);
    m_beamB->setAnimPosition(0);
    m_beamA->show();
    m_beamB->show();
    m_timer = m_time;
    m_active = true;
    show();
    enable();
}

void cCellEffect::process() {
    cWidget::process();
    if (!m_active)
        return;
    m_timer -= frameDelta();
    if (m_timer > 0)
        return;
    // The level may have closed meanwhile and taken its cell views with it.
    for (cMeadowCellView* cell : m_touchedCells)
        if (isWidgetAlive(cell))
            cell->setEffectRenderType(false, 0);
    m_touchedCells.clear();
    m_litCells.clear();
    m_active = false;
    hide();
    deleteWidgetLater(this);
}
