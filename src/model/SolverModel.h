// The solver's view of a level: its movable cells, who faces whom, and the
// edge classes of its movable tiles (tiles with identical edges form one
// class). Built once per level; the search in SolverEngine works on it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

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
inline constexpr std::uint8_t NoNeighbour = CellCount;

// The crossing parity as the search checks it. Each rule of Parity.h, over
// the level's movable cells, and again shifted by what its cells count (the
// movable tiles fill the movable cells, so what every one of them counts
// alike is known in sum), is a view: groups of cells that count the same
// features of one kind, and whether the fixed tiles and the sums known
// beforehand make the total odd. A view holds when the bits of its cells
// add up to that. Views that can tell nothing are left out.
struct ParityViews {
    // Per combination of a kind and the features counted: the classes
    // whose bit is 1.
    std::vector<ClassMask> comboOdd;
    struct Group {
        int combo = 0;
        CellMask cells = 0;
    };
    struct View {
        std::uint16_t first = 0; // its groups in groups
        std::uint16_t count = 0;
        bool odd = false;
        CellMask cells = 0;
    };
    std::vector<Group> groups;
    std::vector<View> views;
};

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
    // The codes the classes of a domain show, four bits a side (bit
    // 4 * side + code), for each byte of the domain: a domain shows the
    // union over its eight bytes.
    std::array<std::array<std::uint16_t, 256>, 8> showsByByte{};
    // Per movable cell and side: the movable neighbour as a cell bit (0 when
    // none), and the neighbour's number or, when none, NoNeighbour, whose
    // slot in the search shows every code.
    std::array<std::array<CellMask, 4>, CellCount> neighbourBit{};
    std::array<std::array<std::uint8_t, 4>, CellCount> facing{};
    ParityViews parity;
    // False when no arrangement can help: fixed tiles that disagree with each
    // other or with the border, connection ends that cannot balance, or a
    // crossing parity that no arrangement can meet.
    bool fixedPartFits = true;

    int movableCells = 0;
    int movableTiles = 0;
    int holdableTiles = 0;
    int foreignTiles = 0;
};

SolverModel BuildModel(const LevelRecord& level);

// The codes the classes of m show on each side, four bits a side.
inline unsigned ShowsOf(const SolverModel& model, ClassMask m) {
    unsigned packed = 0;
#pragma GCC unroll 8
    for (std::size_t b = 0; b < 8; ++b) {
        packed |= model.showsByByte[b][m >> (8 * b) & 0xFFU];
    }
    return packed;
}

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
