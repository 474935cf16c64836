#include "game/level/field/MeadowFieldView.h"

#include "game/shell/RandomFloat.h"

#include "engine/core/LayoutReader.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/PyroEffect.h"
#include "engine/media/GraphicsDevice.h"
#include "game/level/LevelFunctions.h"
#include "game/level/MeadowView.h"
#include "game/level/field/CellEffect.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/level/field/SelectionSprite.h"
#include "game/level/field/WaveSprite.h"
#include "game/model/CellModel.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowModel.h"
#include "game/model/Signal.h"
#include "game/shell/TutorialManager.h"

#include <sstream>

using namespace Engine;

namespace {

const char* const LAYOUT = "Meadow/View/FieldView.xml";

int cellKey(int row, int column) {
    return row * cMeadowModel::MAX_BOARD_SIDE + column;
}

} // namespace

cMeadowFieldView::cMeadowFieldView(cMeadowView*, cMeadowModel* model, cMeadowController* controller, bool editor)
    : cBackground(nullptr), m_model(model), m_controller(controller), m_editorMode(editor) {
    m_tipPositions.fill(cVector2(-1, 0));
    m_blinkLine = new cPanel(this);
    m_bombEffect = new cPyroEffect(this, "");
    m_bombFireEffect = new cPyroEffect(this, "");
    m_blastWave = new cWaveSprite(this, this);
    m_lightningEffect = new cCellEffect(this, model);
    if (getResourceManager()) {
        try {
            loadLayoutFile(*this, LAYOUT);
        } catch (...) {
            // The children go with the base; the lightning prototype is a root of its own.
            delete m_lightningEffect;
            throw;
        }
    }
    if (IGraphicsDevice* device = getGraphicsDevice()) {
        m_screenHeight = float(unsigned(device->getScreenHeight()));
        m_screenWidth = float(unsigned(device->getScreenWidth()));
    }
    for (int i = 1; i <= 3; ++i)
        m_woodCrashSounds.push_back("wood_cell_crash" + std::to_string(i));
    for (int i = 1; i <= 2; ++i)
        m_ironCrashSounds.push_back("iron_cell_crash" + std::to_string(i));
    for (int i = 1; i <= 3; ++i)
        m_chainCrashSounds.push_back("chain_crash" + std::to_string(i));
    connectSignals();
}

cMeadowFieldView::~cMeadowFieldView() {
    // The lightning prototype is a root widget of its own, which a sweep of every root widget
    // (the program's end) may already have deleted.
    if (isWidgetAlive(m_lightningEffect))
        delete m_lightningEffect;
    for (auto& connection : m_connections)
        connection.disconnect();
}

void cMeadowFieldView::loadXML(const IXmlNode* node) {
    cBackground::loadXML(node);
    cLayoutReader::readVector(node, L"center_position", m_centerPosition);
    cLayoutReader::readFloat(node, L"cell_crash_buffer_time", m_cellCrashBufferTime);
    cLayoutReader::readFloat(node, L"new_level_rows_delta", m_newLevelRowsDelta);
    cLayoutReader::readFloat(node, L"first_cell_deep", m_firstCellDeep);
    cLayoutReader::readFloat(node, L"cells_deep_step", m_cellsDeepStep);
    cLayoutReader::readFloat(node, L"complex_cells_deep_delta", m_complexCellsDeepDelta);
    if (cLayoutReader::readVector(node, L"wave_effect_time_intervals", m_waveIntervals))
        m_nextWaveTime = randomFloat(m_waveIntervals.x, m_waveIntervals.y);
    cLayoutReader::readFloat(node, L"wave_front_k", m_waveFrontK);
    cLayoutReader::readFloat(node, L"wave_speed", m_waveSpeed);
    cLayoutReader::readFloat(node, L"perimeter_effect_delay", m_perimeterEffectDelay);
    cLayoutReader::readInt(node, L"fig4_around_objects", m_fig4AroundObjects);
    cLayoutReader::readInt(node, L"fig5_around_objects", m_fig5AroundObjects);
    cLayoutReader::readFloat(node, L"fig4_bouncing_delay", m_fig4BouncingDelay);
    cLayoutReader::readFloat(node, L"fig5_bouncing_delay", m_fig5BouncingDelay);
    cLayoutReader::readFloat(node, L"arrive_effect_time", m_arriveEffectTime);
    cLayoutReader::readFloat(node, L"trigger_effect_time", m_triggerEffectTime);
    cLayoutReader::readFloat(node, L"trigger_step_start_delay", m_triggerStepStartDelay);
    cLayoutReader::readFloat(node, L"trigger_step_start_delay_decrease", m_triggerStepStartDelayDecrease);
    cLayoutReader::readFloat(node, L"max_mix_effect_time", m_maxMixEffectTime);

    if (m_cellPrototype)
        deleteWidgetLater(m_cellPrototype);
    m_cellPrototype = new cMeadowCellView(this);
    cLayoutReader::readFloat(node, L"cell_distance", m_cellDistance);
    IXmlNode* child = nullptr;
    if (node->findNode("CellPrototype", child))
        m_cellPrototype->loadXML(child);
    m_cellPrototype->disable();
    m_cellPrototype->hide();

    if (m_selection)
        deleteWidgetLater(m_selection);
    m_selection = new cSelectionSprite(this);
    if (node->findNode("SelectionObject", child))
        m_selection->loadXML(child);
    m_selection->disable();
    m_selection->hide();

    if (node->findNode("BlinkLine", child))
        m_blinkLine->loadXML(child);
    if (node->findNode("BombCellsEffect", child))
        m_blastWave->loadXML(child);
    m_blastWave->hide();
    if (node->findNode("LightningEffect", child))
        m_lightningEffect->loadXML(child);
    m_lightningEffect->hide();
    if (node->findNode("BombEffect", child))
        m_bombEffect->loadXML(child);
    m_bombEffect->hide();
    if (node->findNode("BombFireEffect", child)) {
        m_bombFireEffect->loadXML(child);
        m_bombFireOffsets.assign(size_t(child->getNodeCount()), cVector2(0, 0));
        for (int index = 0; index < child->getNodeCount(); ++index) {
            IXmlNode* entry = nullptr;
            if (child->getNodeAt(index, entry))
                cLayoutReader::readVector(entry, L"pos", m_bombFireOffsets[size_t(index)]);
        }
    }
    m_bombFireEffect->hide();
}

void cMeadowFieldView::initField(cMeadowView* board) {
    m_boardView = board;
    m_tutorial = cTutorialManager::getInstance();
    m_motions.clear();
    buildCells();
    for (auto& entry : m_cells)
        entry.second->updateBorders();
    m_selection->bindToBoard(board);
    m_soundClock = 0;
}

void cMeadowFieldView::clearCells() {
    for (auto& entry : m_cells) {
        entry.second->hide();
        deleteWidgetLater(entry.second);
    }
    m_cells.clear();
}

void cMeadowFieldView::buildCells() {
    clearCells();
    m_rows = m_model->getRows();
    m_columns = m_model->getColumns();
    const cVector2 s = m_cellPrototype->getSize();
    const float d = m_cellDistance;
    m_fieldSize = cVector2((d - s.x) * float(m_columns - 1) + float(m_columns) * s.x,
                           (d - s.y) * float(m_rows - 1) + float(m_rows) * s.y);
    m_origin =
        cVector2(m_centerPosition.x - (m_fieldSize.x - s.x) * 0.5f, (m_fieldSize.y - s.y) * 0.5f + m_centerPosition.y);
    bool found[5] = {};
    for (int row = 0; row < m_rows; ++row) {
        for (int column = 0; column < m_columns; ++column) {
            cCellModel* cell = m_model->getCell(row, column);
            cMeadowCellView* view = createNewCell(cell, row, column);
            view->show();
            view->enable();
            view->updateFromModel();
            auto take = [&](int tip) {
                if (!found[tip]) {
                    found[tip] = true;
                    m_tipPositions[size_t(tip)] = view->getPosition();
                }
            };
            if (cell->getAwaitedTrigger() != 0)
                continue;
            if (cell->getTriggerNumber() > 0) {
                take(4);
                continue;
            }
            if (cell->getType() == 2 && cell->getLocks() == 0)
                take(0);
            else if (cell->getType() == 3 && cell->getLocks() == 0)
                take(1);
            if (cell->getLocks() == 1)
                take(2);
            else if (cell->getLocks() == 2)
                take(3);
        }
    }
    setUpCellsDeep();
}

cMeadowCellView* cMeadowFieldView::createNewCell(cCellModel* cell, int row, int column) {
    auto* view = new cMeadowCellView(*m_cellPrototype);
    view->setParent(this);
    view->setModelObject(cell);
    view->setBoardScreen(m_boardView);
    view->setPosition(cVector2(m_origin.x + float(column) * m_cellDistance, m_origin.y - float(row) * m_cellDistance));
    view->setCoordinates(row, column);
    if (m_cells.count(cellKey(row, column))) {
        delete view;
        throw "cMeadowFieldView::createNewCell(): cell view for a given model cell already exists in the map";
    }
    m_cells[cellKey(row, column)] = view;
    return view;
}

cMeadowCellView* cMeadowFieldView::findCellView(int row, int column) const {
    if (row < 0 || column < 0 || row > 255 || column > 255)
        return nullptr;
    auto found = m_cells.find(cellKey(row, column));
    return found == m_cells.end() ? nullptr : found->second;
}

cMeadowCellView* cMeadowFieldView::cellOrThrow(const char* operation, const char* what, int row, int column) const {
    cMeadowCellView* view = findCellView(row, column);
    if (!view) {
        std::ostringstream text;
        text << "cMeadowFieldView::" << operation << "(): " << what << " (" << row << ", " << column << ")";
        throw std::string(text.str());
    }
    return view;
}

cMeadowObjectModel* cMeadowFieldView::pieceOrThrow(const char* operation, const char* what, int row, int column) const {
    cMeadowObjectModel* piece = m_model->getObject(row, column);
    if (piece && !piece->isValid()) {
        std::ostringstream text;
        text << "cMeadowFieldView::" << operation << "(): " << what << "(" << row << ", " << column << ").";
        throw std::string(text.str());
    }
    return piece;
}

cVector2 cMeadowFieldView::getCellPosition(int row, int column) const {
    cellOrThrow("getCellPosition", "there is no cell in coordinates", row, column);
    // The cell's place on the grid, not where a shake has put its view this frame.
    return cVector2(m_origin.x + float(column) * m_cellDistance, m_origin.y - float(row) * m_cellDistance);
}

cVector2 cMeadowFieldView::getCellPositionOfView(cMeadowObjectView* view) const {
    cMeadowObjectModel* piece = view->getObject();
    return getCellPosition(int(piece->getPosition().x), int(piece->getPosition().y));
}

bool cMeadowFieldView::hasNeighbourCell(int side, int row, int column) const {
    static const int offsets[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    if (side < 0 || side > 7)
        throw "cMeadowFieldView::hasNeighbourCell(): unknown side";
    cMeadowCellView* view = findCellView(row + offsets[side][0], column + offsets[side][1]);
    return view && view->getModelObject() && view->getModelObject()->isEnabled();
}

cPyroEffect* cMeadowFieldView::copyBombFireEffect() const {
    return new cPyroEffect(*m_bombFireEffect);
}

const cVector2& cMeadowFieldView::getBombFireOffset(size_t index) const {
    if (index >= m_bombFireOffsets.size())
        throw cStringA("cMeadowFieldView::getBombFireOffset(): index " + std::to_string(index) + " is past the " +
                       std::to_string(m_bombFireOffsets.size()) + " \"pos\" entries of \"BombFireEffect\"");
    return m_bombFireOffsets[index];
}

void cMeadowFieldView::checkBombFireFrames(unsigned frames) const {
    if (m_bombFireOffsets.size() < frames)
        throw cStringA(std::string("cMeadowFieldView: \"") + LAYOUT + "\" has " +
                       std::to_string(m_bombFireOffsets.size()) + " \"pos\" entries in \"BombFireEffect\" for the " +
                       std::to_string(frames) + " frames of the blast piece");
}

bool cMeadowFieldView::isBusy() const {
    return m_motions.isBusy();
}

bool cMeadowFieldView::updateCells(bool withArrival) {
    if (m_triggerEffectRunning)
        return false;
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            cMeadowCellView* view = cellOrThrow("updateCells", "cell does not exist in", row, column);
            view->updateFromModel();
        }
    if (withArrival)
        restartCellsArrival();
    setUpCellsDeep();
    return false;
}

void cMeadowFieldView::updateView() {
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            cMeadowObjectModel* piece =
                pieceOrThrow("updateView", "not valid model object is in the cell", row, column);
            if (!piece)
                continue;
            if (cMeadowObjectView* view = m_boardView->getGameObjectView(piece))
                view->enable();
        }
    updateSelection();
    m_boardView->hideInvalidObjectViews();
}

void cMeadowFieldView::updateSelection() {
    m_selection->hide();
    cMeadowObjectModel* selected = m_model ? m_model->getSelected() : nullptr;
    if (!selected)
        return;
    if (!selected->isSelected())
        throw "cMeadowFieldView::updateSelection(): selection flag is not set on currently selected object in model.";
    if (selected->isValid())
        m_selection->showAt(selected);
    else
        m_model->setSelectionPointers(nullptr, nullptr);
}

void cMeadowFieldView::setCellsRenderType(unsigned renderType) {
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            cMeadowCellView* view = cellOrThrow("setCellsRenderType", "cell does not exist in", row, column);
            if (view->getModelObject() && view->getModelObject()->isEnabled())
                view->setRenderType(renderType);
        }
}

void cMeadowFieldView::redrawCellBorders() {
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            cMeadowCellView* view = cellOrThrow("redrawCellBorders", "cell does not exist in", row, column);
            view->hideBorders();
            view->updateBorders();
            view->setBordersValue(100);
        }
    setUpCellsDeep();
}

void cMeadowFieldView::setUpCellsDeep() {
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            cMeadowCellView* view = cellOrThrow("setUpCellsDeep", "cell is not defined in", row, column);
            cCellModel* cell = view->getModelObject();
            if (!m_editorMode && !(cell && cell->isEnabled()))
                continue;
            float depth = m_firstCellDeep + m_cellsDeepStep * float((m_rows - 1 - row) + column);
            if (cell && (cell->getType() > 1 || cell->getTriggerNumber() > 0))
                depth += m_complexCellsDeepDelta;
            view->setDepth(depth);
        }
}

void cMeadowFieldView::shakeVisibleCells() {
    for (auto& entry : m_cells)
        if (entry.second->isVisible())
            entry.second->startCellShake(0, 0);
}
