#include "game/model/SpecialBonusesFeature.h"

#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowModel.h"
#include "game/model/Signal.h"

#include <vector>

namespace {

// Cells from the position outward in one direction, up to the first cell that is not enabled.
void collectLine(cMeadowModel* model, int32_t row, int32_t column, int32_t dr, int32_t dc,
                 std::vector<cCellModel*>& cells) {
    for (int32_t r = row + dr, c = column + dc; r >= 0 && r < model->getRows() && c >= 0 && c < model->getColumns();
         r += dr, c += dc) {
        cCellModel* cell = model->getCell(r, c);
        if (!cell || !cell->isEnabled())
            return;
        cells.push_back(cell);
    }
}

void hitCells(cMeadowModel* model, const std::vector<cCellModel*>& cells, bool blast) {
    for (cCellModel* cell : cells) {
        if (blast && !cell->isEnabled())
            continue;
        cMeadowObjectModel* piece = model->getObject(cell->getRow(), cell->getColumn());
        // A piece that already went off in this chain is not hit again: two bonus pieces side
        // by side would otherwise set each other off without end.
        if (piece && piece->getState() == cMeadowObjectModel::BLASTED)
            continue;
        if (cSpecialBonusesFeature::testObject(model, piece))
            continue;
        if (blast)
            model->m_cellBlastedSignal(cell);
        else
            model->m_cellLightningSignal(cell);
    }
    if (!cells.empty())
        if (IGameSounds* sounds = GameServices::getGameSounds())
            sounds->play("simple_match");
}

} // namespace

bool cSpecialBonusesFeature::testObject(cMeadowModel* model, cMeadowObjectModel* piece) {
    if (!piece || piece->getState() == cMeadowObjectModel::DESTROYING ||
        piece->getState() == cMeadowObjectModel::BLASTED || piece->getBonusTag() == 0)
        return false;
    const int32_t row = piece->getRow(), column = piece->getColumn();
    std::vector<cCellModel*> cells;
    switch (piece->getBonusTag()) {
    case cMeadowObjectModel::BLAST_BONUS:
        piece->setState(cMeadowObjectModel::BLASTED);
        model->m_blastBonusSignal(piece, false);
        model->collectNeighbourCells(Engine::cVector2(float(row), float(column)), cells);
        hitCells(model, cells, true);
        model->m_blastBonusSignal(piece, true);
        return true;
    case cMeadowObjectModel::ROW_LIGHTNING_BONUS:
    case cMeadowObjectModel::COLUMN_LIGHTNING_BONUS:
    case cMeadowObjectModel::CROSS_LIGHTNING_BONUS: {
        const int32_t tag = piece->getBonusTag();
        piece->setState(cMeadowObjectModel::BLASTED);
        model->m_lightningBonusSignal(piece, true);
        if (tag != cMeadowObjectModel::COLUMN_LIGHTNING_BONUS) {
            collectLine(model, row, column, 0, -1, cells);
            collectLine(model, row, column, 0, 1, cells);
        }
        if (tag != cMeadowObjectModel::ROW_LIGHTNING_BONUS) {
            collectLine(model, row, column, -1, 0, cells);
            collectLine(model, row, column, 1, 0, cells);
        }
        hitCells(model, cells, false);
        return true;
    }
    default:
        return false;
    }
}
