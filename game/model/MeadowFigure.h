#pragma once

// One matched run of the board: its pieces' positions in the order the run was found, and
// what the level screen records while it plays the figure (the bonus it put, the pieces it
// took). Figures are plain values owned by whoever received the list.

#include "engine/core/Math.h"

#include <cstdint>
#include <vector>

class cMeadowModel;
class cMeadowObjectModel;

class cMeadowFigure {
public:
    cMeadowFigure(cMeadowModel* model, bool rowFigure);
    virtual ~cMeadowFigure() = default;
    cMeadowFigure(const cMeadowFigure&) = default;
    cMeadowFigure& operator=(const cMeadowFigure&) = default;

    virtual int32_t& getType() { return m_type; }
    virtual void setType(const int32_t& type) { m_type = type; }
    virtual bool& getFlag() { return m_flag; }
    virtual void setFlag(const bool& flag) { m_flag = flag; }
    virtual Engine::cVector2& getBonusPosition() { return m_bonusPosition; }
    virtual void setBonusPosition(const Engine::cVector2& position) { m_bonusPosition = position; }

    // Throws for an index outside the figure.
    const Engine::cVector2& getPosition(int32_t index) const;
    // (-1, -1) takes the position out of the figure's destruction.
    void setPosition(int32_t index, float row, float column);
    void addObject(cMeadowObjectModel* piece);
    // Every piece standing at one of the positions becomes MATCHED.
    void setMatchedState();
    // Turns the piece at the bonus position into a bonus piece, once per figure.
    void setBonus(int32_t tag);
    // Puts the cross lightning on the piece at the index, even when the figure has a bonus.
    void setCrossLightningBonus(int32_t index);

    int32_t getPositionCount() const { return int32_t(m_positions.size()); }
    const std::vector<Engine::cVector2>& getPositions() const { return m_positions; }
    bool isRowFigure() const { return m_rowFigure; }
    void setRowFigure(bool rowFigure) { m_rowFigure = rowFigure; }
    std::vector<cMeadowObjectModel*>& getRemovedObjects() { return m_removedObjects; }
    cMeadowObjectModel* getBonusObject() const { return m_bonusObject; }
    cMeadowModel* getModel() const { return m_model; }

private:
    // The piece at the position when it may take a bonus; none otherwise.
    cMeadowObjectModel* bonusTarget(const Engine::cVector2& position) const;
    // Makes the piece at the position, when it may take one, the figure's bonus piece.
    void placeBonus(const Engine::cVector2& position, int32_t tag);

    cMeadowModel* m_model;
    int32_t m_type = 0;
    std::vector<Engine::cVector2> m_positions;
    bool m_flag = false;
    bool m_rowFigure;
    std::vector<cMeadowObjectModel*> m_removedObjects;
    cMeadowObjectModel* m_bonusObject = nullptr;
    Engine::cVector2 m_bonusPosition{-1.0f, -1.0f};
};

using tFigureList = std::vector<cMeadowFigure>;
