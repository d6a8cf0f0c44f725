// The solver's view of a level: its movable cells, who faces whom, and the
// edge classes of its movable tiles (tiles with identical edges form one
// class). Built once per level; the search in SolverEngine works on it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/Board.h"

namespace zk::detail {

// One bit per edge class. A level has at most 63 movable cells, so at most
// 63 classes among their tiles.
using ClassMask = std::uint64_t;
// One bit per movable cell.
using CellMask = std::uint64_t;
// The class on each movable cell; -1 while the cell is open.
using Arrangement = std::array<std::int8_t, CellCount>;

inline constexpr int OpenSide = -1;

struct SolverModel {
    int cellCount = 0;
    int classCount = 0;
    std::array<int, CellCount> boardIndex{}; // board byte of each movable cell
    // Per movable cell and side: the movable neighbour, or -1 when the side
    // faces the border or a fixed tile, whose code is then in sideCode.
    std::array<std::array<int, 4>, CellCount> neighbour{};
    std::array<std::array<int, 4>, CellCount> sideCode{}; // OpenSide toward a movable cell
    std::array<Edges, CellCount> classEdges{};
    std::array<int, CellCount> classTotal{};
    std::array<int, CellCount> storedClass{}; // the class of the tile the level stores there
    // Classes showing a code on a side, and showing any of a set of codes.
    std::array<std::array<ClassMask, 4>, 4> withCode{};
    std::array<std::array<ClassMask, 16>, 4> withCodeIn{};
    // False when no arrangement can help: fixed tiles that disagree with each
    // other or with the border, or connection ends that cannot balance.
    bool fixedPartFits = true;

    int movableCells = 0;
    int movableTiles = 0;
    int holdableTiles = 0;
    int foreignTiles = 0;
};

SolverModel BuildModel(const LevelRecord& level);

// The level's own tiles on the cells of an arrangement of classes: a cell
// whose stored tile has the class put there keeps it, the others take the
// remaining tiles of their class in board order.
LevelRecord TilesFor(const LevelRecord& level, const SolverModel& model,
                     const Arrangement& classes);

// Small helpers the model and the search share.
inline constexpr int Opposite(int side) {
    return (side + 2) % 4;
}
inline constexpr ClassMask AllClasses = ~ClassMask{0};
template <typename T>
constexpr std::size_t U(T i) {
    return static_cast<std::size_t>(i);
}

} // namespace zk::detail
