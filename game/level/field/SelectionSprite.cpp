#include "game/level/field/SelectionSprite.h"

#include "game/level/MeadowView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/MeadowObjectModel.h"

using namespace Engine;

void cSelectionSprite::bindToBoard(cMeadowView* board) {
    m_board = board;
    m_fieldView = board ? board->getFieldView() : nullptr;
}

void cSelectionSprite::showAt(cMeadowObjectModel* piece) {
    const cVisual& look = m_board->getVisualState("selection");
    if (static_cast<const cVisual&>(*this) != look) {
        cVisual::operator=(look);
        invalidate();
    }
    setPosition(m_fieldView->getCellPosition(int(piece->getPosition().x), int(piece->getPosition().y)));
    show();
}
