#include "game/model/MeadowFigure.h"

#include "engine/core/String.h"
#include "game/model/MeadowModel.h"

using Engine::cStringA;
using Engine::cVector2;

namespace {

bool isNone(const cVector2& position) {
    return position.x == -1.0f || position.y == -1.0f;
}

} // namespace

cMeadowFigure::cMeadowFigure(cMeadowModel* model, bool rowFigure) : m_model(model), m_rowFigure(rowFigure) {}

const cVector2& cMeadowFigure::getPosition(int32_t index) const {
    if (index < 0 || index >= int32_t(m_positions.size()))
        throw cStringA("cMeadowFigure::getPosition(): index in figure is wrong: " + std::to_string(index));
    return m_positions[size_t(index)];
}

void cMeadowFigure::setPosition(int32_t index, float row, float column) {
    if (index < 0 || index >= int32_t(m_positions.size()))
        throw cStringA("cMeadowFigure::setPosition(): index in figure is wrong: " + std::to_string(index));
    m_positions[size_t(index)] = cVector2(row, column);
}

void cMeadowFigure::addObject(cMeadowObjectModel* piece) {
    if (!piece)
        throw cStringA("cMeadowFigure::addObject(): object is 0");
    m_positions.push_back(piece->getPosition());
}

void cMeadowFigure::setMatchedState() {
    for (const cVector2& position : m_positions)
        if (cMeadowObjectModel* piece = m_model->getObject(int32_t(position.x), int32_t(position.y)))
            piece->setMatched();
}

cMeadowObjectModel* cMeadowFigure::bonusTarget(const cVector2& position) const {
    if (isNone(position))
        return nullptr;
    int32_t row = int32_t(position.x), column = int32_t(position.y);
    cMeadowObjectModel* piece = m_model->getObject(row, column);
    if (!piece || piece->getState() == cMeadowObjectModel::STATE_3 ||
        piece->getState() == cMeadowObjectModel::DESTROYING || m_model->isCellBlocked(row, column))
        return nullptr;
    return piece;
}

void cMeadowFigure::placeBonus(const cVector2& position, int32_t tag) {
    if (cMeadowObjectModel* piece = bonusTarget(position)) {
        piece->setType(tag);
        piece->setBonusTag(tag);
        m_bonusObject = piece;
    }
}

void cMeadowFigure::setBonus(int32_t tag) {
    if (!m_bonusObject)
        placeBonus(m_bonusPosition, tag);
}

void cMeadowFigure::setCrossLightningBonus(int32_t index) {
    if (index < 0 || index >= int32_t(m_positions.size()))
        throw cStringA("cMeadowFigure::setCrossLightningBonus(): index in figure is wrong: " + std::to_string(index));
    const cVector2& position = m_positions[size_t(index)];
    if (isNone(position))
        throw cStringA("cMeadowFigure::setCrossLightningBonus(): invalid position of object");
    placeBonus(position, cMeadowObjectModel::CROSS_LIGHTNING_BONUS);
}
