#pragma once

// The frame over the selected piece: the field view makes one from "SelectionObject" and moves
// it to the selected piece's cell with the board screen's "selection" look.

#include "engine/gui/Panel.h"

class cMeadowView;
class cMeadowFieldView;
class cMeadowObjectModel;

class cSelectionSprite : public Engine::cPanel {
public:
    explicit cSelectionSprite(Engine::cWidget* parent) : cPanel(parent) {}

    void bindToBoard(cMeadowView* board);
    void showAt(cMeadowObjectModel* piece);

private:
    cMeadowView* m_board = nullptr;
    cMeadowFieldView* m_fieldView = nullptr;
};
