#pragma once

// Boards for the rule tests, written as small character grids, top row first:
//   '1'..'9'  a piece of that type on a simple cell
//   '.'       a simple cell without a piece
//   '#'       no cell
// and read back the same way ('V' vehicle piece, 'G' gold-prize piece, 'B', 'R', 'C', 'X' the
// blast, row, column and cross lightning pieces, '?' any other type).

#include "game/model/MeadowModel.h"
#include "tests/model/ModelFixture.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace TestBoard {

using tRows = std::vector<std::string>;

// Replaces the model's board with the one drawn; level types 1 to 5 unless given, trigger 0
// fired.
inline void build(cMeadowModel& model, const tRows& rows, std::vector<int32_t> levelTypes = {1, 2, 3, 4, 5}) {
    const int32_t height = int32_t(rows.size());
    const int32_t width = height ? int32_t(rows[0].size()) : 0;
    model.createBoard(height, width);
    model.getFiredTriggers() = {0};
    model.getLevelTypes() = levelTypes;
    for (int32_t i = 0; i < height; ++i) {
        if (int32_t(rows[size_t(i)].size()) != width)
            throw std::invalid_argument("board rows differ in length");
        const int32_t r = height - 1 - i;
        for (int32_t c = 0; c < width; ++c) {
            const char ch = rows[size_t(i)][size_t(c)];
            if (ch == '#')
                continue;
            model.createCell(r, c, 1);
            if (ch >= '1' && ch <= '9')
                model.createObjectAt(r, c)->setType(ch - '0');
            else if (ch != '.')
                throw std::invalid_argument(std::string("unknown board character ") + ch);
        }
    }
}

inline std::unique_ptr<cMeadowModel> make(const tRows& rows, std::vector<int32_t> levelTypes = {1, 2, 3, 4, 5}) {
    auto model = TestModel::makeFixtureModel();
    build(*model, rows, levelTypes);
    return model;
}

inline char typeChar(int32_t type) {
    switch (type) {
    case 101:
        return 'V';
    case 102:
        return 'G';
    case 201:
        return 'B';
    case 202:
        return 'R';
    case 203:
        return 'C';
    case 204:
        return 'X';
    default:
        return type >= 1 && type <= 9 ? char('0' + type) : '?';
    }
}

// The board drawn as build() reads it.
inline tRows draw(const cMeadowModel& model) {
    tRows rows;
    for (int32_t r = model.getRows() - 1; r >= 0; --r) {
        std::string line;
        for (int32_t c = 0; c < model.getColumns(); ++c) {
            cMeadowObjectModel* piece = model.getObject(r, c);
            line += piece ? typeChar(piece->getType()) : model.getCell(r, c) ? '.' : '#';
        }
        rows.push_back(line);
    }
    return rows;
}

// The pieces' states, top row first: '-' idle, 'F' falling, 'S' sliding, 'A' appearing,
// 'D' descending, 'M' mixing, 'H' hidden, 'E' exchanging, 'X' matched, '*' any other; ' ' no piece.
inline tRows states(const cMeadowModel& model) {
    tRows rows;
    for (int32_t r = model.getRows() - 1; r >= 0; --r) {
        std::string line;
        for (int32_t c = 0; c < model.getColumns(); ++c) {
            cMeadowObjectModel* piece = model.getObject(r, c);
            char ch = ' ';
            if (piece) {
                switch (piece->getState()) {
                case cMeadowObjectModel::IDLE:
                    ch = '-';
                    break;
                case cMeadowObjectModel::FALLING:
                    ch = 'F';
                    break;
                case cMeadowObjectModel::SLIDING:
                    ch = 'S';
                    break;
                case cMeadowObjectModel::APPEARING:
                    ch = 'A';
                    break;
                case cMeadowObjectModel::DESCENDING:
                    ch = 'D';
                    break;
                case cMeadowObjectModel::MIXING:
                    ch = 'M';
                    break;
                case cMeadowObjectModel::HIDDEN_STATE:
                    ch = 'H';
                    break;
                case cMeadowObjectModel::EXCHANGING:
                    ch = 'E';
                    break;
                case cMeadowObjectModel::MATCHED:
                    ch = 'X';
                    break;
                default:
                    ch = '*';
                    break;
                }
            }
            line += ch;
        }
        rows.push_back(line);
    }
    return rows;
}

// Every piece back to rest.
inline void settle(cMeadowModel& model) {
    model.resetObjectStates();
}

} // namespace TestBoard
