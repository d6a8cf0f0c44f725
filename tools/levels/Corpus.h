// Random levels for measuring and checking solvers, all from a fixed seed:
// partial levels (an area of movable tiles among fixed ones, with fixed tiles
// inside and around it), full boards (all 63 cells movable) and levels made
// unsolvable by changing one tile of a solvable one. Every solvable level is
// made solved and then shuffled, so the arrangement it was made from is
// known; every broken level keeps the level it was made from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Board.h"

namespace zk::levels {

struct CorpusLevel {
    LevelRecord record{}; // what a solver is given: shuffled
    // For a solvable level the solved arrangement it was shuffled from; for
    // a broken level the solvable level it was made from.
    LevelRecord origin{};
    // Broken levels only: the changed tile leaves the connection ends out of
    // balance (an east end of some kind without its west end, or a north end
    // without its south end), so no arrangement can be solved: "no" is
    // certain by construction. Otherwise the change kept the balance and
    // only a search can tell.
    bool unbalanced = false;
    std::string kind;
};

// Partial levels: a random area (4 to 48 cells, sometimes two rooms) of
// movable tiles, fixed tiles with connections on its rim, a few fixed tiles
// inside it, every kind mix; made solved, then shuffled.
std::vector<CorpusLevel> PartialLevels(std::uint64_t seed, int count);

// Full boards: all 63 cells movable, dense networks of every kind mix.
std::vector<CorpusLevel> FullBoards(std::uint64_t seed, int count);

// One tile of a level from sources changed into another movable tile with
// other edges, then the movable tiles shuffled again. About half the changes
// keep the connection ends in balance (a straight for a straight, a corner
// for a corner of the same kinds), which only a search can see through; the
// level may then still be solvable, and whoever wants unsolvable levels only
// must filter those out.
// With balancedOnly every change keeps the ends in balance, so that no
// count of ends rules the level out.
std::vector<CorpusLevel> ChangedLevels(std::uint64_t seed, int count,
                                       const std::vector<CorpusLevel>& sources,
                                       bool balancedOnly = false);

// Loop boards: straights and corners of one kind among empty cells, on the
// whole board or on an area among fixed blanks, every connection end in
// balance. In turn: a solved board shuffled ("loop"); one east-west straight
// turned north-south or taken away, which leaves an odd count of straights
// along one direction and no solution ("loop odd"); and two tiles changed with the count of
// straights kept even ("loop changed": two straights taken away, or one
// pair of opposite corners turned into the other pair), which only a search
// can tell. origin is the solved board each was made from.
std::vector<CorpusLevel> LoopBoards(std::uint64_t seed, int count);

// Whether the level's connection ends balance: for every kind, as many east
// ends as west ends and as many north ends as south ends over the whole board
// (fixed tiles included, the border counting as no connection). Unbalanced
// levels cannot be solved.
bool EndsBalance(const LevelRecord& level);

// The movable tiles of a solvable level put in a random order over its
// movable cells.
LevelRecord Shuffled(const LevelRecord& level, std::uint64_t seed);

} // namespace zk::levels
